// Text conversion at the boundary between the system's wide texts and UTF-8 (files, toolkit,
// HTTP library).
#pragma once

#include <string>
#include <string_view>

namespace plat {

std::string ToUtf8(std::wstring_view text);
// Invalid or truncated sequences become U+FFFD, so garbage in a file never stops a read.
std::wstring FromUtf8(std::string_view text);

}  // namespace plat
