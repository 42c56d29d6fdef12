// The platform's addresses: hosts chosen at build time, paths and fixed queries as the platform
// publishes them.
#pragma once

#include <string>

#include "BuildAddresses.h"

namespace addresses {

inline std::wstring LoginPage() {
    return std::wstring(build::kLoginHost) + L"/controller/client.php?game_id=237&tpl_type=game1";
}
inline std::wstring PayPage() { return std::wstring(build::kPayHost) + L"/select.php"; }
inline std::wstring VersionFile() {
    return std::wstring(build::kDownloadHost) + L"/Tiv/vlk/official/app.ini";
}
inline std::wstring Upgrader() {
    return std::wstring(build::kDownloadHost) + L"/Tiv/vlk/official/Rared_Uruvir.exe";
}
inline std::wstring StatisticsService() {
    return std::wstring(build::kStatsHost) + L"/controller/istat.controller.php";
}
inline std::wstring ServicePage() { return std::wstring(build::kServiceHost) + L"/"; }
inline std::wstring OfficialSite() { return build::kSiteHost; }
inline std::wstring GuidesPage() { return std::wstring(build::kSiteHost) + L"/gonglue/"; }
inline std::wstring ForumPage() {
    return std::wstring(build::kForumHost) + L"/index.php?gid=" + build::kForumBoard;
}

}  // namespace addresses
