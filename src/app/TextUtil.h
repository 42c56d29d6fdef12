#pragma once

#include <cstdint>
#include <string>

// Every occurrence, scanning on after each inserted replacement. An empty find changes nothing.
std::wstring ReplaceAll(std::wstring text, const std::wstring& find, const std::wstring& replacement);

// strftime of the local calendar time, at most 127 characters; empty when conversion or
// formatting fails.
std::wstring FormatLocalTime(const std::wstring& pattern, std::int64_t seconds);
