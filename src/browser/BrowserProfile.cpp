#include "browser/BrowserProfile.h"

#include "app/Folders.h"
#include "platform/browser_engine.h"
#include "platform/shell.h"

std::wstring GetBrowserDataFolder() {
    return GetDataFolder() + L"webkit" + plat::kPathSeparator;
}

bool OpenBrowserProfile() {
    return plat::OpenBrowserProfile(GetBrowserDataFolder());
}

void ClearBrowserCache(std::function<void(bool cleared)> done) {
    OpenBrowserProfile();  // a cache that was never opened is cleared all the same
    plat::ClearBrowserCache(std::move(done));
}
