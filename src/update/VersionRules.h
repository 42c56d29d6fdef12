// The rules that judge the platform's version file against the running client and the version
// last handed to the upgrader.
#pragma once

#include <string>
#include <vector>

// A decimal int as a standard input stream reads it; 0 for no number or one out of range.
int ParseInt(const std::wstring& text);
// The dots removed, then ParseInt: "3.0.0.1" is 3001.
int VersionToInt(const std::wstring& version);
// Pieces between separators, empty ones included; the rest after the last separator only when
// it is not empty.
std::vector<std::wstring> SplitText(const std::wstring& text, wchar_t separator);
// "upgraderange": single numbers and low-high ranges, comma-separated; empty allows every version.
bool IsVersionInRange(const std::wstring& range);
bool ShouldOfferUpgrade(const std::wstring& current, const std::wstring& range,
                        const std::wstring& last);
