#include "stats/StatisticsReporter.h"

#include <ctime>
#include <utility>

#include "app/ClientVersion.h"
#include "app/CommandLine.h"
#include "app/GlobalModule.h"
#include "app/GuidText.h"
#include "app/SettingsFile.h"
#include "app/TextUtil.h"
#include "stats/CafeDetection.h"
#include "stats/MachineId.h"
#include "update/DownloadDone.h"

namespace {

constexpr int kInstallEvent = 2;
constexpr int kInstallEventOfType1 = 3;
constexpr int kActiveEventAutoRun = 4;
constexpr int kActiveEvent = 5;
constexpr int kUninstallEvent = 6;

std::int64_t Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace

StatisticsReporter::StatisticsReporter(std::wstring serviceAddress)
    : m_strServiceAddress(std::move(serviceAddress)) {}

void StatisticsReporter::LoadCommonFields() {
    if (m_bLoaded) {
        return;
    }
    m_bLoaded = true;
    m_strGuid = IniGetString(L"Install", L"GUID", L"");
    if (m_strGuid.empty()) {
        m_strGuid = ReplaceAll(NewGuidText(), L"-", L"");
        IniSetString(L"Install", L"GUID", m_strGuid);
    }
    m_strInstallTime = IniGetString(L"Install", L"InstallTime", L"");
    if (m_strInstallTime.empty()) {
        m_strInstallTime = FormatLocalTime(L"%Y-%m-%d %H:%M:%S", Now());
        IniSetString(L"Install", L"InstallTime", m_strInstallTime);
    }
    m_nInstallType = IniGetInt(L"Install", L"InstallType", 0);
    m_bAutoRun = HasSwitch(L"/autorun");
    m_bCafe = DetectCafeTool() >= 0;
    m_strMachineId = GetMachineId(m_strMachineId);
}

void StatisticsReporter::SendInstallReport() {
    LoadCommonFields();
    const int event = m_nInstallType == 1 ? kInstallEventOfType1 : kInstallEvent;
    g_module.PostReportRequest(ReportAddress(event), TASK_INSTALL_REPORT, L"InstallStat.tmp");
}

void StatisticsReporter::SendActiveReport() {
    if (m_bActiveSent) {
        return;
    }
    m_bActiveSent = true;
    LoadCommonFields();
    const int event = m_bAutoRun ? kActiveEventAutoRun : kActiveEvent;
    g_module.PostReportRequest(ReportAddress(event), TASK_ACTIVE_REPORT, L"ActiveStat.tmp");
}

void StatisticsReporter::SendUninstallReport() {
    LoadCommonFields();
    const std::wstring today = FormatLocalTime(L"%Y-%m-%d", Now());
    const int position = m_strInstallTime.find(today) != std::wstring::npos ? 1 : 2;
    const std::wstring installDate = ReplaceAll(m_strInstallTime.substr(0, 10), L"-", L"");
    g_module.PostReportRequest(ReportAddress(kUninstallEvent) + L"&position=" +
                                   std::to_wstring(position) + L"&ext_7=" + installDate,
                               TASK_UNINSTALL_REPORT, L"UninstallStat.tmp");
}

std::wstring StatisticsReporter::ReportAddress(int eventCode) const {
    // Values go in verbatim: the service reads the query exactly as the client always sent it.
    return m_strServiceAddress + L"?item=" + build::kStatsItem +
           L"&platform=tivnet&game_id=237&ext_1=" + std::to_wstring(eventCode) + L"&ext_2=" +
           g_module.GetRefer() + L"&ext_3=" + g_module.GetUID() + L"&ext_4=" + m_strGuid +
           L"&ext_5=" + m_strMachineId + L"&ext_6=" + (m_bCafe ? L"1" : L"2") + L"&browser_type=" +
           std::to_wstring(CLIENT_VERSION);
}
