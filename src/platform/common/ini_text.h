// The profile format on text in memory, shared by the backends that keep settings in files of
// their own. Works on the file's bytes so that a write changes one line and keeps every other
// byte; names are compared after decoding, without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plat::ini {

// The value of key in the first section named section that holds it, trimmed and with one pair
// of surrounding quotes removed; nullopt when absent.
std::optional<std::string> FindValue(std::string_view content, std::wstring_view section,
                                     std::wstring_view key);

// content with key set to value: the key's first line replaced, else the key added at the end of
// the first section of that name, else the section appended. Line breaks inside value become
// spaces, so a value can never add lines of its own.
std::string SetValue(std::string_view content, std::wstring_view section, std::wstring_view key,
                     std::string_view value);

}  // namespace plat::ini
