#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/fake/fake_process.h"
#include "platform/text.h"
#include "stats/CafeDetection.h"
#include "support/TestEnvironment.h"

using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// A key path as Wine writes it in a hive file: separators doubled, other characters escaped.
std::string HiveLine(const std::wstring& path) {
    std::string line = "[";
    for (wchar_t c : path) {
        if (c == L'\\') {
            line += "\\\\";
        } else if (c < 0x80) {
            line += static_cast<char>(c);
        } else {
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\x%04x", static_cast<unsigned>(c));
            line += escape;
        }
    }
    return line + "] 1700000000\n#time=1da0c0e1f2a3b4c\n";
}

class CafeDetection : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("WINEPREFIX", m_prefix.path().c_str(), 1);
        plat::fake::SetRunningProgramNames({L"bash", L"velkora"});
    }
    void TearDown() override {
        ::unsetenv("WINEPREFIX");
        plat::fake::SetRunningProgramNames({});
    }

    void WriteHive(const std::vector<std::wstring>& keys) {
        std::string hive = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
        for (const std::wstring& key : keys) {
            hive += HiveLine(key);
        }
        WriteFile(m_prefix.path() + "/system.reg", hive);
    }

    TempDir m_prefix;
};

struct Trace {
    bool key;
    std::wstring name;
    int result;
};

// Every product on its own yields its number; the keys that begin with a separator never match.
const Trace kTraces[] = {
    {true, L"SOFTWARE\\Hintsoft\\PubwinClient", 0},
    {true, L"SOFTWARE\\Hintsoft\\pubwin", 0},
    {true, L"SOFTWARE\\Sicent\\wx2004Clt", 1},
    {true, L"SOFTWARE\\MpSoft\\smenu", 2},
    {true, L"SOFTWARE\\Microsoft\\jingzu", 4},
    {true, L"SOFTWARE\\iCafe8", 6},
    {true, L"SOFTWARE\\Goyoo\\i8desk", 7},
    {true, L"SOFTWARE\\Hintsoft1\\XunShanPro", 8},
    {true, L"SOFTWARE\\SyncExpertNetBar", 9},
    {true, L"SOFTWARE\\EYOOCLIENTSTATUS", 11},
    {true, L"SOFTWARE\\Richtech", 12},
    {true, L"SOFTWARE\\杭州顺网信息技术有限公司\\网维大师蝌蚪娱乐平台", 14},
    {true, L"SOFTWARE\\Sicent\\WxAdv", 15},
    {true, L"SOFTWARE\\Grabsun\\Netsense", 16},
    {false, L"娱乐中心.exe", 17},
    {false, L"网吧游戏外挂总管管理器.exe", 19},
    {false, L"QQmenu.exe", 20},
    {false, L"Txwu.exe", 20},
    {false, L"网吧游戏管理专家2006.exe", 21},
    {false, L"connetbar.exe", 22},
    {true, L"SOFTWARE\\MpSoft\\scon", 24},
    {false, L"wbc.exe", 26},
    {false, L"sunflowerTools.exe", 27},
    {true, L"SOFTWARE\\MpSoft\\VOD", 30},
    {false, L"LBSserver.exe", 31},
    {true, L"\\QvodNetBar\\install", -1},
    {false, L"TLnbLdr.exe", 33},
    {false, L"DeepinStatus.exe", 35},
    {true, L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\网升游戏更新客户端", -1},
    {true, L"\\SOFTWARE\\icafe8.com", -1},
};

TEST_F(CafeDetection, EachProductAloneGivesItsNumber) {
    for (const Trace& trace : kTraces) {
        WriteHive(trace.key ? std::vector<std::wstring>{trace.name} : std::vector<std::wstring>{});
        plat::fake::SetRunningProgramNames(trace.key
                                               ? std::vector<std::wstring>{L"bash"}
                                               : std::vector<std::wstring>{L"bash", trace.name});
        EXPECT_EQ(DetectCafeTool(), trace.result) << plat::ToUtf8(trace.name);
    }
}

TEST_F(CafeDetection, TheEarlierRowDecides) {
    WriteHive({L"SOFTWARE\\Sicent\\WxAdv", L"SOFTWARE\\Sicent\\wx2004Clt"});
    plat::fake::SetRunningProgramNames({L"QQmenu.exe"});
    EXPECT_EQ(DetectCafeTool(), 1);
    WriteHive({L"SOFTWARE\\MpSoft\\scon"});  // row 21, after the process rows
    plat::fake::SetRunningProgramNames({L"DeepinStatus.exe", L"connetbar.exe"});
    EXPECT_EQ(DetectCafeTool(), 22);
}

TEST_F(CafeDetection, ProgramNamesMatchExactly) {
    WriteHive({});
    plat::fake::SetRunningProgramNames({L"qqmenu.exe", L"QQmenu.exe.bak", L"QQmenu", L"wbc.EXE"});
    EXPECT_EQ(DetectCafeTool(), -1);
}

TEST_F(CafeDetection, KeysOfThirtyTwoBitProgramsInASixtyFourBitPrefix) {
    WriteHive({L"Software\\Wow6432Node\\Goyoo\\i8desk\\Client"});
    EXPECT_EQ(DetectCafeTool(), 7);
}

TEST_F(CafeDetection, PrefixDefaultsToTheUsersWineFolder) {
    ::unsetenv("WINEPREFIX");
    const std::string home = std::getenv("HOME");
    std::filesystem::create_directories(home + "/.wine");
    WriteFile(home + "/.wine/system.reg", HiveLine(L"SOFTWARE\\Richtech"));
    EXPECT_EQ(DetectCafeTool(), 12);
    std::filesystem::remove_all(home + "/.wine");
    EXPECT_EQ(DetectCafeTool(), -1);
}

TEST_F(CafeDetection, NoPrefixNoProgramsMeansNoCafe) {
    plat::fake::SetRunningProgramNames({});
    EXPECT_EQ(DetectCafeTool(), -1);  // the prefix folder has no hive at all
}

}  // namespace
