#include "update/DownloadDone.h"

#include "app/AppMessages.h"
#include "app/GlobalModule.h"

std::int32_t OnDownloadDone(void* pUserData, std::int32_t nTaskId, std::int32_t nEvent,
                            std::int32_t /*nValue*/, std::intptr_t /*nExtra*/) {
    if (nEvent != DOWNLOAD_FINISHED) {
        return 0;
    }
    auto* app = static_cast<CGlobalModule*>(pUserData);
    // Ids 0 (version file) and 1 (upgrader) get their branches with the upgrade flow.
    switch (nTaskId) {
        case TASK_INSTALL_REPORT:
        case TASK_UNINSTALL_REPORT:
            // The installer's and uninstaller's modes exist only to send their report, so the
            // client ends however it went; a failed report must not leave a hidden process.
            PostMessageW(app->m_formLogin.GetHwnd(), WM_CLOSE_CLIENT, 0, 0);
            break;
        default:  // the activation report is fire-and-forget
            break;
    }
    return 0;
}
