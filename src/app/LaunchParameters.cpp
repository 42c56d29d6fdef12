#include <ctime>
#include <limits>

#include "app/ClientVersion.h"
#include "app/CommandLine.h"
#include "app/GlobalModule.h"
#include "app/PlatformAddresses.h"
#include "app/SettingsFile.h"
#include "app/TextUtil.h"

namespace {

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace

void CGlobalModule::LoadLaunchParameters() {
    m_nRunCount = 0;
    m_strLoginUrl = addresses::LoginPage();
    m_strVersionCheckUrl = IniGetString(L"Common", L"VersionCheck", addresses::VersionFile());
    m_strVersionDownLoadUrl = IniGetString(L"Common", L"VersionDownLoad", addresses::Upgrader());
    m_strRefer = IniGetString(L"Common", L"Refer", L"");
    m_strUID = IniGetString(L"Common", L"UID", L"");
    m_nTopMost = IniGetInt(L"Common", L"TopMost", 0);

    std::wstring installTime = IniGetString(L"Install", L"InstallTime", L"");
    if (installTime.empty()) {
        installTime = FormatLocalTime(L"%Y-%m-%d %H:%M:%S", Now());
        IniSetString(L"Install", L"InstallTime", installTime);
    }
    const std::wstring installDate = ReplaceAll(installTime.substr(0, 10), L"-", L"");
    const std::wstring curTime = FormatLocalTime(L"%Y%m%d%H%M%S", Now());

    std::wstring query = L"refer=" + m_strRefer + L"&uid=" + m_strUID +
                         L"&version=" + std::to_wstring(CLIENT_VERSION) +
                         L"&installtime=" + installDate +
                         L"&runcount=" + std::to_wstring(CountRun()) + L"&curtime=" + curTime +
                         L"&showlogintype=3";
    if (CountRun() == 1) {
        query += L"&regtimes=1";
    }
    m_strLoginUrl += m_strLoginUrl.find(L'?') == std::wstring::npos ? L"?" : L"&";
    m_strLoginUrl += query;
}

int CGlobalModule::CountRun() {
    if (m_nRunCount != 0) {
        return m_nRunCount;
    }
    if (HasSwitch(L"/setupsucc") || HasSwitch(L"/ShowDeskTop")) {
        return 0;
    }
    // A negative or saturated count in the file must neither wrap nor land on 0, which means
    // "not counted" and would count the run twice.
    const int stored = IniGetInt(L"Common", L"RunCount", 0);
    m_nRunCount = stored < 0 ? 1 : stored == std::numeric_limits<int>::max() ? stored : stored + 1;
    IniSetString(L"Common", L"RunCount", std::to_wstring(m_nRunCount));
    return m_nRunCount;
}

bool CGlobalModule::IsActivated() const { return IniGetInt(L"Common", L"ActiveCount", 0) == 1; }

void CGlobalModule::SetActivated() { IniSetString(L"Common", L"ActiveCount", L"1"); }

std::wstring CGlobalModule::GetPayUrl() const {
    return addresses::PayPage() + L"?gamename=vlk&gameserver=" + m_strGameServer +
           L"&username=" + m_strUserName;
}
