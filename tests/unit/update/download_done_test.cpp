#include "update/DownloadDone.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/AppMessages.h"
#include "app/Folders.h"
#include "app/GlobalModule.h"
#include "app/SettingsFile.h"
#include "net/DownloadPool.h"
#include "net/HttpDownloader.h"
#include "platform/fake/fake_process.h"
#include "platform/fake/fake_ui.h"
#include "platform/file.h"
#include "platform/text.h"
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

namespace {

// The version file and the upgrader's completions, with the windows the flow hides and shows.
class UpgradeFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::fake::Reset();
        plat::fake::ClearStartedPrograms();
        plat::fake::SetProgramsStart(true);
        plat::fake::SetModuleFilePath(m_dir.wpath() + L"velkora");
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"UpgradeTestLogin";
        RegisterClassExW(&windowClass);
        ASSERT_TRUE(m_app.m_formLogin.Create(L"UpgradeTestLogin", L"", nullptr));
        m_app.m_pTaskPool.reset();  // no request leaves the test
    }

    std::wstring WriteVersionFile(const std::string& body) {
        const std::string path = m_dir.path() + "/app.ini";
        testing_support::WriteFile(path, body);
        return plat::FromUtf8(path);
    }

    std::int32_t Finish(std::int32_t id, std::int32_t result, const std::wstring& file) {
        DownloadTask task;
        task.strFilePath = file;
        return OnDownloadDone(&m_app, id, DOWNLOAD_FINISHED, result,
                              reinterpret_cast<std::intptr_t>(&task));
    }

    std::vector<UINT> PostedToLogin() {
        std::vector<UINT> posted;
        for (const MSG& msg : plat::fake::PendingMessages()) {
            if (msg.hwnd == m_app.m_formLogin.GetHwnd()) {
                posted.push_back(msg.message == WM_UPGRADE_WINDOWS
                                     ? WM_UPGRADE_WINDOWS + static_cast<UINT>(msg.wParam)
                                     : msg.message);
            }
        }
        return posted;
    }

    testing_support::TempDir m_dir;
    CGlobalModule m_app;
};

constexpr UINT kHide = WM_UPGRADE_WINDOWS;
constexpr UINT kShowAgain = WM_UPGRADE_WINDOWS + 1;

TEST_F(UpgradeFlowTest, TheVersionFileIsJudgedAndAnOfferShown) {
    struct Case {
        const char* what;
        std::int32_t result;
        std::string body;
        bool offer;
    };
    const Case cases[] = {
        {"newer version", DOWNLOAD_OK, "[version]\ncurrentversion=3.0.0.2\n", true},
        {"same version", DOWNLOAD_OK, "[version]\ncurrentversion=3.0.0.1\n", false},
        {"out of range", DOWNLOAD_OK, "[version]\ncurrentversion=3.0.0.2\nupgraderange=2000-3000\n",
         false},
        {"in range", DOWNLOAD_OK, "[version]\ncurrentversion=3.0.0.2\nupgraderange=3000,3001\n",
         true},
        {"no keys", DOWNLOAD_OK, "", false},
        {"failed download", DOWNLOAD_E_STATUS, "[version]\ncurrentversion=3.0.0.2\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plat::fake::Reset();
        SetUp();
        Finish(TASK_VERSION_FILE, c.result, WriteVersionFile(c.body));
        const auto boxes = plat::fake::CallsTo("MessageBoxW");
        ASSERT_EQ(boxes.size(), c.offer ? 1u : 0u);
        if (c.offer) {
            EXPECT_EQ(boxes[0].text, L"检测到最新版本[3.0.0.2]，确认更新！");
            EXPECT_EQ(boxes[0].caption, L"升级提醒");
            EXPECT_EQ(boxes[0].flags, MB_OK);
            EXPECT_EQ(boxes[0].hwnd, m_app.m_formLogin.GetHwnd());
            // Without a pool the upgrader cannot be fetched: the windows come back.
            EXPECT_EQ(PostedToLogin(), (std::vector<UINT>{kHide, kShowAgain}));
        } else {
            EXPECT_TRUE(PostedToLogin().empty());
        }
    }
}

TEST_F(UpgradeFlowTest, TheLastUpgradedVersionIsNotOfferedAgain) {
    testing_support::WriteFile(plat::ToUtf8(GetLastUpgradeIniPath()),
                               "[version]\nlastUpgradeVer=3.0.0.2\n");
    Finish(TASK_VERSION_FILE, DOWNLOAD_OK, WriteVersionFile("[version]\ncurrentversion=3.0.0.2\n"));
    EXPECT_TRUE(plat::fake::CallsTo("MessageBoxW").empty());
    plat::RemoveFile(GetLastUpgradeIniPath());
}

TEST_F(UpgradeFlowTest, TheUpgraderIsStartedWithSlashSAndTheClientCloses) {
    m_app.m_strRemoteVersion = L"3.0.0.2";
    const std::wstring upgrader = GetUpgraderPath();
    testing_support::WriteFile(plat::ToUtf8(upgrader), "#!/bin/sh\n");
    Finish(TASK_UPGRADER, DOWNLOAD_OK, upgrader);

    const auto started = plat::fake::StartedPrograms();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].path, upgrader);
    EXPECT_EQ(started[0].arguments, (std::vector<std::wstring>{L"/S"}));
    struct stat info {};
    ASSERT_EQ(::stat(plat::ToUtf8(upgrader).c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IXUSR, 0u);
    EXPECT_EQ(IniGetString(L"version", L"lastUpgradeVer", L"", GetLastUpgradeIniPath()),
              L"3.0.0.2");
    EXPECT_EQ(PostedToLogin(), (std::vector<UINT>{WM_CLOSE_CLIENT}));
    plat::RemoveFile(GetLastUpgradeIniPath());
    plat::RemoveFile(upgrader);
}

TEST_F(UpgradeFlowTest, AnUpgraderThatCannotRunBringsTheWindowsBack) {
    struct Case {
        const char* what;
        std::int32_t result;
        bool fileExists;
        bool starts;
    };
    const Case cases[] = {
        {"download failed", DOWNLOAD_E_CONNECT, false, true},
        {"file missing", DOWNLOAD_OK, false, true},
        {"start refused", DOWNLOAD_OK, true, false},
    };
    m_app.m_strRemoteVersion = L"3.0.0.2";
    const std::wstring upgrader = GetUpgraderPath();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plat::fake::Reset();
        SetUp();
        if (c.fileExists) {
            testing_support::WriteFile(plat::ToUtf8(upgrader), "#!/bin/sh\n");
        }
        plat::fake::SetProgramsStart(c.starts);
        Finish(TASK_UPGRADER, c.result, upgrader);
        EXPECT_EQ(PostedToLogin(), (std::vector<UINT>{kShowAgain}));
        EXPECT_EQ(IniGetString(L"version", L"lastUpgradeVer", L"", GetLastUpgradeIniPath()), L"");
        plat::RemoveFile(upgrader);
    }
    plat::fake::SetProgramsStart(true);
}

}  // namespace
