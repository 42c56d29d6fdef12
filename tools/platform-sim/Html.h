// The look shared by every page of the stand-in: a dark portal with gold accents, no external
// resources, so that the pages render the same with no network.
#pragma once

#include <httplib.h>

#include <string>
#include <utility>
#include <vector>

namespace html {

std::string Escape(const std::string& text);

// The template with every "{{NAME}}" replaced by its value, which is inserted as it is.
std::string Fill(std::string templ, const std::vector<std::pair<std::string, std::string>>& values);

// The colours, fonts and buttons every page builds on.
extern const char* const kBaseStyle;

// A whole document: the base style, then extraStyle, then body.
std::string Document(const std::string& title, const std::string& extraStyle,
                     const std::string& body);

// A content page of the portal: a header with the game's name and heading, and body below it.
std::string PortalPage(const std::string& title, const std::string& heading,
                       const std::string& body);

void Send(httplib::Response& res, const std::string& document);

}  // namespace html
