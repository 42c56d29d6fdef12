#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "app/GlobalModule.h"
#include "app/SettingsFile.h"
#include "platform/fake/fake_process.h"
#include "support/TestEnvironment.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// Each case runs the client's start-up in a program folder of its own.
class LaunchParameters : public ::testing::Test {
protected:
    void SetUp() override { Start(L"velkora"); }
    void Start(const std::wstring& commandLine) {
        plat::fake::SetModuleFilePath(m_dir.wpath() + L"velkora");
        plat::fake::SetCommandLineText(m_dir.wpath() + L"velkora " + commandLine);
    }
    std::string Settings() const { return ReadFile(m_dir.path() + "/Stavel.ini"); }
    void SetSettings(const std::string& content) { WriteFile(m_dir.path() + "/Stavel.ini", content); }
    std::string SettingsValue(const wchar_t* section, const wchar_t* key) const {
        std::wstring value = IniGetString(section, key, L"<absent>");
        return std::string(value.begin(), value.end());
    }

    TempDir m_dir;
};

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

TEST_F(LaunchParameters, FirstStartWritesInstallTimeCountsAndRegisters) {
    CGlobalModule app;
    const std::regex installTime(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
    EXPECT_TRUE(std::regex_match(SettingsValue(L"Install", L"InstallTime"), installTime));
    EXPECT_EQ(SettingsValue(L"Common", L"RunCount"), "1");
    const std::regex login(
        R"(http://127\.0\.0\.1:47801/controller/client\.php\?game_id=237&tpl_type=game1)"
        R"(&refer=&uid=&version=3001&installtime=(\d{8})&runcount=1&curtime=(\d{14}))"
        R"(&showlogintype=3&regtimes=1)");
    std::smatch parts;
    const std::string url = Narrow(app.GetLoginUrl());
    ASSERT_TRUE(std::regex_match(url, parts, login)) << url;
    std::string date = SettingsValue(L"Install", L"InstallTime").substr(0, 10);
    date.erase(std::remove(date.begin(), date.end(), '-'), date.end());
    EXPECT_EQ(parts[1], date);
    EXPECT_EQ(parts[2].str().substr(0, 8), date);  // same day, barring a start at midnight
}

TEST_F(LaunchParameters, SecondStartCountsTwoWithoutRegistering) {
    { CGlobalModule first; }
    CGlobalModule second;
    EXPECT_EQ(SettingsValue(L"Common", L"RunCount"), "2");
    EXPECT_NE(Narrow(second.GetLoginUrl()).find("&runcount=2&"), std::string::npos);
    EXPECT_EQ(Narrow(second.GetLoginUrl()).find("regtimes"), std::string::npos);
    EXPECT_EQ(second.CountRun(), 2);  // once per process
    EXPECT_EQ(SettingsValue(L"Common", L"RunCount"), "2");
}

TEST_F(LaunchParameters, ModesThatDoNotCount) {
    for (const wchar_t* mode : {L"/setupsucc", L"/ShowDeskTop", L"/uninstallsucc /setupsucc"}) {
        SetSettings("[Common]\nRunCount=5\n");
        Start(mode);
        CGlobalModule app;
        EXPECT_NE(Narrow(app.GetLoginUrl()).find("&runcount=0&"), std::string::npos);
        EXPECT_EQ(SettingsValue(L"Common", L"RunCount"), "5");
    }
    for (const wchar_t* mode : {L"/uninstallsucc", L"/autorun", L"/showdesktop"}) {
        SetSettings("[Common]\nRunCount=5\n");
        Start(mode);
        CGlobalModule app;
        EXPECT_EQ(SettingsValue(L"Common", L"RunCount"), "6") << Narrow(mode);
    }
}

TEST_F(LaunchParameters, OddStoredCountsNeitherWrapNorCountTwice) {
    SetSettings("[Common]\nRunCount=2147483647\n");
    { CGlobalModule app; EXPECT_EQ(app.CountRun(), 2147483647); }
    SetSettings("[Common]\nRunCount=-1\n");
    CGlobalModule app;
    EXPECT_EQ(app.CountRun(), 1);
    EXPECT_EQ(app.CountRun(), 1);
    EXPECT_EQ(SettingsValue(L"Common", L"RunCount"), "1");
}

TEST_F(LaunchParameters, InstallerValuesGoIntoTheQueryUnchanged) {
    SetSettings(
        "[Common]\nRefer=a&b c\nUID=u 1\nTopMost=1\nVersionCheck=\nVersionDownLoad=http://d/u.exe\n"
        "[Install]\nInstallTime=2025/01/02 03:04:05\n");
    CGlobalModule app;
    const std::string url = Narrow(app.GetLoginUrl());
    EXPECT_NE(url.find("&refer=a&b c&uid=u 1&version=3001&installtime=2025/01/02&"),
              std::string::npos)
        << url;
    EXPECT_EQ(app.GetRefer(), L"a&b c");
    EXPECT_EQ(app.GetUID(), L"u 1");
    EXPECT_EQ(app.m_nTopMost, 1);
    EXPECT_EQ(app.m_strVersionCheckUrl, L"");
    EXPECT_EQ(app.m_strVersionDownLoadUrl, L"http://d/u.exe");
    EXPECT_EQ(SettingsValue(L"Install", L"InstallTime"), "2025/01/02 03:04:05");
}

TEST_F(LaunchParameters, ShortInstallTimeAndDefaults) {
    SetSettings("[Install]\nInstallTime=2025-1-2\n");
    CGlobalModule app;
    EXPECT_NE(Narrow(app.GetLoginUrl()).find("&installtime=202512&"), std::string::npos);
    EXPECT_EQ(app.m_strVersionCheckUrl, L"http://127.0.0.1:47803/Tiv/vlk/official/app.ini");
    EXPECT_EQ(app.m_strVersionDownLoadUrl,
              L"http://127.0.0.1:47803/Tiv/vlk/official/Rared_Uruvir.exe");
    EXPECT_EQ(app.m_nTopMost, 0);
}

TEST_F(LaunchParameters, UnwritableSettingsMakeEveryStartTheFirst) {
    std::filesystem::create_directory(m_dir.path() + "/Stavel.ini");  // cannot be read or replaced
    for (int start = 0; start < 2; ++start) {
        CGlobalModule app;
        const std::string url = Narrow(app.GetLoginUrl());
        EXPECT_NE(url.find("&runcount=1&"), std::string::npos);
        EXPECT_NE(url.find("&regtimes=1"), std::string::npos);
    }
}

TEST_F(LaunchParameters, PayAddressAndActivationMarker) {
    CGlobalModule app;
    EXPECT_EQ(app.GetPayUrl(),
              L"http://127.0.0.1:47802/select.php?gamename=vlk&gameserver=&username=");
    app.m_strGameServer = L"S3";
    app.m_strUserName = L"player one";
    EXPECT_EQ(app.GetPayUrl(),
              L"http://127.0.0.1:47802/select.php?gamename=vlk&gameserver=S3&username=player one");
    EXPECT_FALSE(app.IsActivated());
    app.SetActivated();
    EXPECT_TRUE(app.IsActivated());
    EXPECT_EQ(SettingsValue(L"Common", L"ActiveCount"), "1");
    SetSettings("[Common]\nActiveCount=2\n");
    EXPECT_FALSE(app.IsActivated());
}

}  // namespace
