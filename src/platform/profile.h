// Settings files with the semantics of the Windows profile functions: section and key matched
// without regard to case, spaces around key and value trimmed, one pair of surrounding quotes
// removed, the first of duplicate sections or keys wins, nothing cached.
#pragma once

#include <string>

namespace plat {

// The value, or def when the file, the section or the key is absent. A key present with an empty
// value gives an empty text.
std::wstring ProfileGetString(const std::wstring& section, const std::wstring& key,
                              const std::wstring& def, const std::wstring& file);

// Leading white space, an optional sign and the digits that follow; def when the key is absent or
// its value is empty, 0 when the value has no leading number.
int ProfileGetInt(const std::wstring& section, const std::wstring& key, int def,
                  const std::wstring& file);

// Creates the file and the section when missing and keeps every other line as it was. The file is
// replaced atomically: a write that fails leaves the previous file intact and returns false.
bool ProfileWriteString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value, const std::wstring& file);

}  // namespace plat
