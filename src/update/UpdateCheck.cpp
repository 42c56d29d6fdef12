#include "update/UpdateCheck.h"

#include <atomic>

#include "app/Folders.h"
#include "app/GlobalModule.h"
#include "net/DownloadPool.h"

namespace {

// Set once the version file was asked for; never cleared, so a return from the game does not
// ask again.
std::atomic<bool> g_bUpdateCheckPosted{false};

DownloadTask NewTask(CGlobalModule& app, ClientTaskId id) {
    DownloadTask task;
    task.nRetryCount = 0;
    task.pfnCallback = &OnDownloadDone;
    task.pUserData = &app;
    task.nTaskId = id;
    task.bAppendGuidFileName = 0;
    task.bDeleteOnFailure = 1;
    return task;
}

}  // namespace

void CheckForUpdate() {
    if (g_bUpdateCheckPosted || !g_module.m_pTaskPool) {
        return;
    }
    g_module.m_pTaskPool->Start();
    DownloadTask task = NewTask(g_module, TASK_VERSION_FILE);
    task.strURL = g_module.m_strVersionCheckUrl;
    task.strFilePath = GetUpgradeFolder();
    task.bAppendUrlFileName = 1;
    g_module.m_pTaskPool->PostTask(task);
    g_bUpdateCheckPosted = true;
}

bool DownloadUpgrader(CGlobalModule& app) {
    if (!app.m_pTaskPool) {
        return false;
    }
    app.m_pTaskPool->Start();
    DownloadTask task = NewTask(app, TASK_UPGRADER);
    task.strURL = app.m_strVersionDownLoadUrl;
    task.strFilePath = GetUpgraderPath();
    task.bAppendUrlFileName = 0;
    return app.m_pTaskPool->PostTask(task);
}

void ShowClientWindows(CGlobalModule& app, bool show) {
    HWND login = app.m_formLogin.GetHwnd();
    HWND back = app.m_formBack.GetHwnd();
    if (!show) {
        ShowWindow(login, SW_HIDE);
        ShowWindow(back, SW_HIDE);
        return;
    }
    if (app.m_pFormGame != nullptr) {
        return;
    }
    ShowWindow(back, SW_SHOWNA);
    ShowWindow(login, SW_SHOWNA);
    SetForegroundWindow(login);
}
