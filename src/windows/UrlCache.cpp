#include "windows/UrlCache.h"

#include <memory>

#include "browser/BrowserProfile.h"
#include "platform/window.h"

void ClearUrlCache() {
    // Owned jointly: should the wait end before the engine answers, the late answer still lands.
    auto done = std::make_shared<bool>(false);
    ClearBrowserCache([done](bool) { *done = true; });
    plat::RunModalUntil([&done] { return *done; });
}
