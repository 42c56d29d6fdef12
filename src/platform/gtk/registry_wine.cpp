#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/common/wine_registry.h"
#include "platform/registry.h"

namespace plat {

namespace {

// The machine tree of the user's Wine prefix, where Windows programs run on this system.
std::string MachineHivePath() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix != nullptr && *prefix != '\0') {
        return std::string(prefix) + "/system.reg";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? std::string(home) + "/.wine/system.reg"
                                            : std::string();
}

bool StartsWithSoftware(const std::wstring& subKey) {
    static const std::wstring kSoftware = L"SOFTWARE\\";
    if (subKey.size() < kSoftware.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kSoftware.size(); ++i) {
        const wchar_t c = subKey[i];
        if ((c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c) != kSoftware[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool MachineKeyExists(const std::wstring& subKey) {
    const std::string path = MachineHivePath();
    if (path.empty()) {
        return false;
    }
    std::ifstream hive(path, std::ios::binary);
    if (!hive) {
        return false;
    }
    // In a 64-bit prefix, 32-bit programs write their keys below Wow6432Node, and 32-bit
    // programs see them there in place of SOFTWARE; the keys asked for are written by such
    // programs as often as by 64-bit ones.
    std::vector<std::wstring_view> views = {subKey};
    std::wstring redirected;
    if (StartsWithSoftware(subKey)) {
        redirected = L"Software\\Wow6432Node\\" + subKey.substr(9);
        views.push_back(redirected);
    }
    return wine::HiveHasAnyKey(hive, views);
}

}  // namespace plat
