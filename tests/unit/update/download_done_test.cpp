#include "update/DownloadDone.h"

#include <gtest/gtest.h>

#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "net/HttpDownloader.h"
#include "platform/fake/fake_process.h"
#include "platform/fake/fake_ui.h"
#include "support/TestEnvironment.h"

namespace {

TEST(DownloadDone, OnlyTheEndOfAnInstallOrUninstallReportClosesTheClient) {
    testing_support::TempDir dir;
    plat::fake::Reset();
    plat::fake::SetModuleFilePath(dir.wpath() + L"velkora");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = L"DoneTestLogin";
    ASSERT_NE(RegisterClassExW(&windowClass), 0);
    CGlobalModule app;  // the task's user data, not necessarily the global object
    ASSERT_TRUE(app.m_formLogin.Create(L"DoneTestLogin", L"", nullptr));

    struct Case {
        std::int32_t taskId;
        std::int32_t event;
        std::int32_t result;
        bool closes;
    };
    const Case cases[] = {
        {TASK_INSTALL_REPORT, DOWNLOAD_FINISHED, DOWNLOAD_OK, true},
        {TASK_UNINSTALL_REPORT, DOWNLOAD_FINISHED, DOWNLOAD_OK, true},
        {TASK_INSTALL_REPORT, DOWNLOAD_FINISHED, DOWNLOAD_E_REQUEST, true},
        {TASK_UNINSTALL_REPORT, DOWNLOAD_FINISHED, DOWNLOAD_E_STATUS, true},
        {TASK_INSTALL_REPORT, DOWNLOAD_STARTED, 0, false},
        {TASK_UNINSTALL_REPORT, DOWNLOAD_PROGRESS, 0, false},
        {TASK_ACTIVE_REPORT, DOWNLOAD_FINISHED, DOWNLOAD_OK, false},
        {TASK_ACTIVE_REPORT, DOWNLOAD_FINISHED, DOWNLOAD_E_CONNECT, false},
        {2, DOWNLOAD_FINISHED, DOWNLOAD_OK, false},
    };
    for (const Case& c : cases) {
        std::vector<MSG> before = plat::fake::PendingMessages();
        OnDownloadDone(&app, c.taskId, c.event, c.result, 0);
        std::vector<MSG> after = plat::fake::PendingMessages();
        const std::string what = "task " + std::to_string(c.taskId) + ", event " +
                                 std::to_string(c.event) + ", result " + std::to_string(c.result);
        ASSERT_EQ(after.size(), before.size() + (c.closes ? 1 : 0)) << what;
        if (c.closes) {
            EXPECT_EQ(after.back().hwnd, app.m_formLogin.GetHwnd()) << what;
            EXPECT_EQ(after.back().message, WM_CLOSE_CLIENT) << what;
            EXPECT_EQ(after.back().wParam, 0u) << what;
            EXPECT_EQ(after.back().lParam, 0) << what;
        }
    }
}

}  // namespace
