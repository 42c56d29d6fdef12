#include "update/DownloadDone.h"

#include "app/AppMessages.h"
#include "app/Folders.h"
#include "app/GlobalModule.h"
#include "app/SettingsFile.h"
#include "app/TextUtil.h"
#include "platform/file.h"
#include "platform/processes.h"
#include "update/UpdateCheck.h"
#include "update/VersionRules.h"

namespace {

void PostToLogin(CGlobalModule& app, UINT message, WPARAM wParam) {
    PostMessageW(app.m_formLogin.GetHwnd(), message, wParam, 0);
}

// After the offer the windows are hidden; an upgrade that cannot go on must bring them back, or
// the client would live on with no window at all.
void GiveUpUpgrade(CGlobalModule& app) { PostToLogin(app, WM_UPGRADE_WINDOWS, 1); }

void OnVersionFile(CGlobalModule& app, std::int32_t result, const DownloadTask* task) {
    if (result != 0 || task == nullptr) {
        return;
    }
    const std::wstring current = IniGetString(L"version", L"currentversion", L"", task->strFilePath);
    const std::wstring range = IniGetString(L"version", L"upgraderange", L"", task->strFilePath);
    const std::wstring last =
        IniGetString(L"version", L"lastUpgradeVer", L"", GetLastUpgradeIniPath());
    app.m_strRemoteVersion = current;
    if (!ShouldOfferUpgrade(current, range, last)) {
        return;
    }
    const std::wstring offer = ReplaceAll(L"检测到最新版本[%s]，确认更新！", L"%s", current);
    MessageBoxW(app.m_formLogin.GetHwnd(), offer.c_str(), L"升级提醒", MB_OK);
    PostToLogin(app, WM_UPGRADE_WINDOWS, 0);
    if (!DownloadUpgrader(app)) {
        GiveUpUpgrade(app);
    }
}

void OnUpgrader(CGlobalModule& app, std::int32_t result, const DownloadTask* task) {
    if (result != 0 || task == nullptr || !plat::MakeExecutableForUser(task->strFilePath) ||
        !plat::StartProgram(task->strFilePath, {L"/S"})) {
        GiveUpUpgrade(app);
        return;
    }
    IniSetString(L"version", L"lastUpgradeVer", app.m_strRemoteVersion, GetLastUpgradeIniPath());
    PostToLogin(app, WM_CLOSE_CLIENT, 0);
}

}  // namespace

std::int32_t OnDownloadDone(void* pUserData, std::int32_t nTaskId, std::int32_t nEvent,
                            std::int32_t nValue, std::intptr_t nExtra) {
    if (nEvent != DOWNLOAD_FINISHED) {
        return 0;
    }
    auto& app = *static_cast<CGlobalModule*>(pUserData);
    const auto* task = reinterpret_cast<const DownloadTask*>(nExtra);
    switch (nTaskId) {
        case TASK_VERSION_FILE:
            OnVersionFile(app, nValue, task);
            break;
        case TASK_UPGRADER:
            OnUpgrader(app, nValue, task);
            break;
        case TASK_INSTALL_REPORT:
        case TASK_UNINSTALL_REPORT:
            // The installer's and uninstaller's modes exist only to send their report, so the
            // client ends however it went; a failed report must not leave a hidden process.
            PostToLogin(app, WM_CLOSE_CLIENT, 0);
            break;
        default:  // the activation report is fire-and-forget
            break;
    }
    return 0;
}
