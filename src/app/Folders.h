// The client's folders and fixed file paths. Folder texts end with the path separator.
#pragma once

#include <string>

// The user's data folder + "zu_vazez", created on first use in the process.
std::wstring GetDataFolder();
// Data folder + "Upgrade", created on every call.
std::wstring GetUpgradeFolder();
std::wstring GetLastUpgradeIniPath();
std::wstring GetUpgraderPath();
std::wstring GetTempFolder();

// Creates every missing level; true when the folder exists afterwards. Anything in the way,
// a file included, counts as existing.
bool CreateFolderChain(const std::wstring& path);
std::wstring EnsureTrailingBackslash(std::wstring text);
