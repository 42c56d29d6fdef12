#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/shell.h"
#include "platform/text.h"

namespace plat {

namespace {

std::wstring EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? FromUtf8(value) : std::wstring();
}

std::wstring HomeFolder() {
    std::wstring home = EnvironmentText("HOME");
    if (!home.empty()) {
        return home;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? FromUtf8(entry->pw_dir) : std::wstring();
}

std::wstring WithoutTrailingSeparators(std::wstring path) {
    while (path.size() > 1 && path.back() == kPathSeparator) {
        path.pop_back();
    }
    return path;
}

}  // namespace

std::wstring AppDataFolder() {
    // By the XDG base directory rules a relative XDG_DATA_HOME is invalid and ignored.
    std::wstring data = EnvironmentText("XDG_DATA_HOME");
    if (!data.empty() && data.front() == kPathSeparator) {
        return WithoutTrailingSeparators(data);
    }
    std::wstring home = HomeFolder();
    return home.empty() ? std::wstring() : WithoutTrailingSeparators(home) + L"/.local/share";
}

std::wstring TempFolder() {
    std::wstring temp = EnvironmentText("TMPDIR");
    if (temp.empty()) {
        temp = L"/tmp";
    }
    temp = WithoutTrailingSeparators(temp);
    if (temp.back() != kPathSeparator) {
        temp += kPathSeparator;
    }
    return temp;
}

bool PathExists(const std::wstring& path) {
    struct stat info {};
    return !path.empty() && ::stat(ToUtf8(path).c_str(), &info) == 0;
}

bool MakeDirectory(const std::wstring& path) {
    return !path.empty() && ::mkdir(ToUtf8(path).c_str(), 0755) == 0;
}

}  // namespace plat
