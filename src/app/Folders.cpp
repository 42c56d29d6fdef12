#include "app/Folders.h"

#include <mutex>

#include "platform/shell.h"

namespace {

// Kept once computed; an empty kept value is computed again. The lock matters because the first
// request may come from a download worker while the UI thread asks too.
std::wstring Kept(std::wstring& kept, std::wstring (*compute)()) {
    static std::mutex& lock = *new std::mutex;  // never destroyed: used until the process ends
    std::lock_guard<std::mutex> guard(lock);
    if (kept.empty()) {
        kept = compute();
    }
    return kept;
}

std::wstring ComputeDataFolder() {
    std::wstring base = plat::AppDataFolder();
    if (base.empty()) {
        base = plat::TempFolder();  // no home: keep the data where the process can write
    }
    std::wstring folder = EnsureTrailingBackslash(base) + L"zu_vazez" + plat::kPathSeparator;
    CreateFolderChain(folder);
    return folder;
}

}  // namespace

std::wstring GetDataFolder() {
    static std::wstring kept;
    return Kept(kept, ComputeDataFolder);
}

std::wstring GetUpgradeFolder() {
    std::wstring folder = GetDataFolder() + L"Upgrade" + plat::kPathSeparator;
    CreateFolderChain(folder);
    return folder;
}

std::wstring GetLastUpgradeIniPath() { return GetUpgradeFolder() + L"LastUpgrade.ini"; }

std::wstring GetUpgraderPath() { return GetUpgradeFolder() + L"TivStavelUpgrade.exe"; }

std::wstring GetTempFolder() {
    static std::wstring kept;
    return Kept(kept, plat::TempFolder);
}

bool CreateFolderChain(const std::wstring& path) {
    for (std::size_t sep = path.find(plat::kPathSeparator); sep != std::wstring::npos;
         sep = path.find(plat::kPathSeparator, sep + 1)) {
        std::wstring prefix = path.substr(0, sep + 1);
        if (!plat::PathExists(prefix) && !plat::MakeDirectory(prefix)) {
            return false;
        }
    }
    return plat::PathExists(path) || plat::MakeDirectory(path);
}

std::wstring EnsureTrailingBackslash(std::wstring text) {
    if (!text.empty() && text.back() != plat::kPathSeparator) {
        text += plat::kPathSeparator;
    }
    return text;
}
