#include "stats/StatisticsReporter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <thread>

#include "app/AppMessages.h"
#include "app/Folders.h"
#include "app/GlobalModule.h"
#include "app/SettingsFile.h"
#include "platform/fake/fake_machine.h"
#include "platform/fake/fake_process.h"
#include "platform/fake/fake_ui.h"
#include "stats/ReportServer.h"
#include "support/TestEnvironment.h"

using report_test::ReportServer;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// MD5 of "001122334455", the hardware text of the one adapter the fixture's machine has.
constexpr char kMachineId[] = "572e74cdf761d0e4038509919cd8af1a";

std::string Narrow(const std::wstring& s) {
    return std::string(s.begin(), s.end());
}

std::string Today(const char* pattern) {
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    std::strftime(text, sizeof text, pattern, std::localtime(&now));
    return text;
}

// The value of key in a query whose values hold no "&".
std::string Param(const std::string& target, const std::string& key) {
    const std::size_t start = target.find("&" + key + "=");
    if (start == std::string::npos) {
        return "<absent>";
    }
    const std::size_t value = start + key.size() + 2;
    return target.substr(value, target.find('&', value) - value);
}

bool Eventually(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Each case is a client in a program folder of its own, with a login window to close, reporting
// to a server of its own, on a machine with one network adapter and no café software.
class StatisticsReports : public ::testing::Test {
protected:
    void SetUp() override {
        plat::fake::Reset();
        plat::fake::ResetMachine();
        plat::fake::SetNetworkAdapters({{true, true, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}}});
        plat::fake::SetRunningProgramNames({});
        StartProcess(L"");
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"ReportTestLogin";
        ASSERT_NE(RegisterClassExW(&windowClass), 0);
        g_module.m_formLogin.m_hWnd = nullptr;  // a window of an earlier case, forgotten by Reset
        ASSERT_TRUE(g_module.m_formLogin.Create(L"ReportTestLogin", L"", nullptr));
        g_module.m_strRefer.clear();
        g_module.m_strUID.clear();
    }

    void StartProcess(const std::wstring& switches) {
        plat::fake::SetModuleFilePath(m_dir.wpath() + L"velkora");
        plat::fake::SetCommandLineText(m_dir.wpath() + L"velkora" + switches);
    }
    StatisticsReporter Reporter() const { return StatisticsReporter(m_server.ServiceAddress()); }
    void SetSettings(const std::string& content) const {
        WriteFile(m_dir.path() + "/Stavel.ini", content);
    }
    static std::string SettingsValue(const wchar_t* section, const wchar_t* key) {
        return Narrow(IniGetString(section, key, L"<absent>"));
    }
    static std::string ScratchPath(const char* name) { return Narrow(GetTempFolder()) + name; }

    static std::size_t CloseRequests() {
        std::size_t count = 0;
        for (const MSG& msg : plat::fake::PendingMessages()) {
            if (msg.hwnd == g_module.m_formLogin.GetHwnd() && msg.message == WM_CLOSE_CLIENT) {
                ++count;
            }
        }
        return count;
    }
    static bool WaitForCloseRequests(std::size_t count) {
        return Eventually([count] { return CloseRequests() >= count; });
    }

    static std::string Address(int event, const std::string& refer, const std::string& uid,
                               const std::string& guid, int cafe) {
        return std::string(report_test::kServicePath) + "?item=" + Narrow(build::kStatsItem) +
               "&platform=tivnet&game_id=237&ext_1=" + std::to_string(event) + "&ext_2=" + refer +
               "&ext_3=" + uid + "&ext_4=" + guid + "&ext_5=" + kMachineId +
               "&ext_6=" + std::to_string(cafe) + "&browser_type=3001";
    }

    TempDir m_dir;
    ReportServer m_server;
};

TEST_F(StatisticsReports, InstallReportNamesANewInstallationAndEndsTheClient) {
    g_module.m_strRefer = L"r&1";  // verbatim, though it splits the query
    StatisticsReporter reporter = Reporter();
    reporter.SendInstallReport();

    const std::string target = m_server.WaitForRequest(1);
    const std::string guid = SettingsValue(L"Install", L"GUID");
    EXPECT_TRUE(std::regex_match(guid, std::regex("[0-9A-F]{32}"))) << guid;
    EXPECT_TRUE(std::regex_match(SettingsValue(L"Install", L"InstallTime"),
                                 std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
    EXPECT_EQ(target, Address(2, "r&1", "", guid, 2));

    ASSERT_TRUE(WaitForCloseRequests(1));
    EXPECT_EQ(ReadFile(ScratchPath("InstallStat.tmp")), ReportServer::Answer(target));
}

TEST_F(StatisticsReports, UninstallOnALaterDayKeepsTheStoredInstallation) {
    const std::string settings =
        "[Install]\nGUID=0123456789ABCDEF0123456789ABCDEF\nInstallTime=2001-02-03 04:05:06\n";
    SetSettings(settings);
    plat::fake::SetRunningProgramNames({L"bash", L"wbc.exe"});  // a café-management program
    g_module.m_strUID = L"u1";
    StatisticsReporter reporter = Reporter();
    reporter.SendUninstallReport();

    const std::string target = m_server.WaitForRequest(1);
    EXPECT_EQ(target, Address(6, "", "u1", "0123456789ABCDEF0123456789ABCDEF", 1) +
                          "&position=2&ext_7=20010203");
    ASSERT_TRUE(WaitForCloseRequests(1));
    EXPECT_EQ(ReadFile(ScratchPath("UninstallStat.tmp")), ReportServer::Answer(target));
    EXPECT_EQ(ReadFile(m_dir.path() + "/Stavel.ini"), settings);
}

TEST_F(StatisticsReports, LaterProcessesReuseTheInstallationAndItsDay) {
    const std::string dayBefore = Today("%Y%m%d");
    Reporter().SendInstallReport();
    const std::string installTarget = m_server.WaitForRequest(1);
    const std::string installTime = SettingsValue(L"Install", L"InstallTime");

    StartProcess(L" /uninstallsucc");
    Reporter().SendUninstallReport();
    const std::string target = m_server.WaitForRequest(2);
    EXPECT_EQ(Param(target, "ext_4"), Param(installTarget, "ext_4"));
    EXPECT_EQ(Param(target, "position"), "1");
    const std::string ext7 = Param(target, "ext_7");
    EXPECT_TRUE(ext7 == dayBefore || ext7 == Today("%Y%m%d")) << ext7;  // a start at midnight
    EXPECT_EQ(SettingsValue(L"Install", L"InstallTime"), installTime);
}

TEST_F(StatisticsReports, EventCodes) {
    struct Case {
        const char* settings;
        const wchar_t* switches;
        void (StatisticsReporter::*send)();
        const char* event;
    };
    const Case cases[] = {
        {"[Install]\nInstallType=1\n", L"", &StatisticsReporter::SendInstallReport, "3"},
        {"[Install]\nInstallType=2\n", L"", &StatisticsReporter::SendInstallReport, "2"},
        {"", L" /setupsucc", &StatisticsReporter::SendInstallReport, "2"},
        {"", L" /autorun", &StatisticsReporter::SendActiveReport, "4"},
        {"", L" /x/autorunning", &StatisticsReporter::SendActiveReport, "4"},
        {"", L" /AutoRun", &StatisticsReporter::SendActiveReport, "5"},
        {"[Install]\nInstallType=1\n", L"", &StatisticsReporter::SendActiveReport, "5"},
        {"[Install]\nInstallType=1\n", L" /autorun", &StatisticsReporter::SendUninstallReport, "6"},
    };
    std::size_t sent = 0;
    for (const Case& c : cases) {
        SetSettings(c.settings);
        StartProcess(c.switches);
        StatisticsReporter reporter = Reporter();
        (reporter.*c.send)();
        EXPECT_EQ(Param(m_server.WaitForRequest(++sent), "ext_1"), c.event)
            << c.settings << Narrow(c.switches);
    }
}

TEST_F(StatisticsReports, CommonFieldsAreReadOncePerReporter) {
    SetSettings("[Install]\nInstallType=1\n");
    StatisticsReporter reporter = Reporter();
    reporter.SendInstallReport();
    const std::string first = m_server.WaitForRequest(1);

    SetSettings("[Install]\nInstallType=2\nGUID=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\n");
    StartProcess(L" /autorun");
    plat::fake::SetRunningProgramNames({L"wbc.exe"});
    reporter.SendActiveReport();
    const std::string active = m_server.WaitForRequest(2);
    reporter.SendInstallReport();
    const std::string install = m_server.WaitForRequest(3);
    EXPECT_EQ(Param(active, "ext_1"), "5");
    EXPECT_EQ(install, first);
    EXPECT_EQ(Param(active, "ext_4"), Param(first, "ext_4"));
    EXPECT_EQ(Param(active, "ext_6"), "2");
    EXPECT_EQ(plat::fake::MachineReads().adapters, 1);
}

TEST_F(StatisticsReports, SecondActivationInOneProcessSendsNothing) {
    // The first activation keeps one worker busy; a second one would take the other, and the
    // install report behind it could not finish.
    m_server.Hold("5");
    StatisticsReporter reporter = Reporter();
    reporter.SendActiveReport();
    const std::string active = m_server.WaitForRequest(1);
    reporter.SendActiveReport();
    reporter.SendInstallReport();

    ASSERT_TRUE(WaitForCloseRequests(1));
    const std::vector<std::string> targets = m_server.Targets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(Param(targets[1], "ext_1"), "2");

    m_server.Release();
    EXPECT_TRUE(Eventually(
        [&] { return ReadFile(ScratchPath("ActiveStat.tmp")) == ReportServer::Answer(active); }));
    EXPECT_EQ(CloseRequests(), 1u);  // the activation's end closes nothing
}

TEST_F(StatisticsReports, FailedReportsLeaveNoScratchFileAndStillEndTheReportModes) {
    struct Case {
        void (StatisticsReporter::*send)();
        const char* scratch;
        std::size_t closeRequests;
    };
    const Case cases[] = {
        {&StatisticsReporter::SendInstallReport, "InstallStat.tmp", 1},
        {&StatisticsReporter::SendUninstallReport, "UninstallStat.tmp", 2},
        {&StatisticsReporter::SendActiveReport, "ActiveStat.tmp", 2},
    };
    m_server.FailWith(500);
    for (const Case& c : cases) {
        WriteFile(ScratchPath(c.scratch), "an earlier answer");
        StatisticsReporter reporter = Reporter();
        (reporter.*c.send)();
        // The file goes after the completion handler ran.
        EXPECT_TRUE(Eventually([&] { return !std::filesystem::exists(ScratchPath(c.scratch)); }))
            << c.scratch;
        EXPECT_EQ(CloseRequests(), c.closeRequests) << c.scratch;
    }
}

}  // namespace
