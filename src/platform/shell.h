// The process's identity and the file system: where the program runs from, how it was started,
// the user's folders.
#pragma once

#include <string>

namespace plat {

#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// The whole command line, program path included, arguments joined by single spaces.
std::wstring CommandLineText();

// Full path of the running executable; empty when it cannot be found.
std::wstring ModuleFilePath();

// The user's folder for application data, without a trailing separator; empty when unknown.
std::wstring AppDataFolder();

// The folder for temporary files, ending with the separator.
std::wstring TempFolder();

// True for anything at the path, a file as well as a folder.
bool PathExists(const std::wstring& path);

// Creates one folder level; false when it could not be created.
bool MakeDirectory(const std::wstring& path);

// Opens an address with the user's default handler, without a shell; false when none started.
bool OpenWithDefaultHandler(const std::wstring& address);

// Asks the window manager to show the desktop, or to bring the windows back when it already
// does; nothing where no window manager offers it.
void ToggleShowingDesktop();

// Calls handler on the UI thread when the process is asked to end (SIGINT, SIGTERM).
void OnTerminationRequest(void (*handler)());

}  // namespace plat
