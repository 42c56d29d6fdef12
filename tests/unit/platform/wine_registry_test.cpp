#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/common/wine_registry.h"

namespace {

using namespace std::string_literals;

bool Has(const std::string& hive, std::wstring_view path) {
    std::istringstream in(hive);
    return plat::wine::HiveHasAnyKey(in, {path});
}

const std::string kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";

TEST(WineRegistry, KeysAreFoundAsWineSavesThem) {
    struct Case {
        const char* what;
        std::string hive;
        std::wstring path;
        bool found;
    };
    const Case cases[] = {
        {"a saved key", "[Software\\\\Sicent\\\\wx2004Clt] 1700000000\n#time=1d9\n",
         L"SOFTWARE\\Sicent\\wx2004Clt", true},
        {"case does not matter", "[software\\\\SICENT\\\\WX2004clt] 1\n",
         L"SOFTWARE\\Sicent\\wx2004Clt", true},
        {"a key above a saved one exists", "[Software\\\\Hintsoft\\\\pubwin\\\\Cfg] 1\n",
         L"SOFTWARE\\Hintsoft\\pubwin", true},
        {"a longer name is another key", "[Software\\\\iCafe88] 1\n", L"SOFTWARE\\iCafe8", false},
        {"a key below the wanted one is not it", "[Software\\\\Hintsoft] 1\n",
         L"SOFTWARE\\Hintsoft\\pubwin", false},
        {"escaped characters", "[Software\\\\\\x676d\\x5dde\\\\A\\]B\\\\\\101\\x42] 1\n",
         L"SOFTWARE\\杭州\\A]B\\AB", true},
        {"raw UTF-8 characters", "[Software\\\\杭州] 1\n", L"SOFTWARE\\杭州", true},
        {"carriage returns", "[Software\\\\Richtech] 1\r\n", L"SOFTWARE\\Richtech", true},
        {"last line without a line break", "[Software\\\\Richtech] 1", L"SOFTWARE\\Richtech", true},
        {"an unclosed key line", "[Software\\\\Richtech\n", L"SOFTWARE\\Richtech", false},
        {"only lines that begin with a bracket",
         "\"[Software\\\\Richtech]\"=\"x\"\n  [Software\\\\Richtech]\n", L"SOFTWARE\\Richtech",
         false},
        {"a leading separator opens nothing",
         "[\\\\QvodNetBar\\\\install] 1\n[QvodNetBar\\\\install] 1\n", L"\\QvodNetBar\\install",
         false},
        {"nor do empty components", "[Software\\\\\\\\Richtech] 1\n", L"SOFTWARE\\\\Richtech",
         false},
        {"escapes cut at the end of a line", "[Software\\\\Rich\\x\n[a\\\n[b\\7",
         L"SOFTWARE\\Richtech", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Has(kHeader + c.hive, c.path), c.found) << c.what;
    }
}

TEST(WineRegistry, AnyOfSeveralPaths) {
    std::istringstream in(kHeader + "[Software\\\\Wow6432Node\\\\MpSoft\\\\VOD] 1\n");
    EXPECT_TRUE(plat::wine::HiveHasAnyKey(
        in, {L"SOFTWARE\\MpSoft\\VOD", L"Software\\Wow6432Node\\MpSoft\\VOD"}));
}

TEST(WineRegistry, DamagedFilesAreReadToTheEnd) {
    std::string garbage;
    for (int i = 0; i < 300000; ++i) {
        garbage += static_cast<char>((i * 31 + i / 7) % 256);
    }
    const std::string longLine = "[" + std::string(200000, 'x') + "\\\\Richtech] 1\n";
    const std::string hive = kHeader + garbage + "\n" + longLine + "[\xFF\xFE\0\x80]\n"s +
                             std::string(70000, '[') + "\n[Software\\\\Richtech] 1\n";
    EXPECT_TRUE(Has(hive, L"SOFTWARE\\Richtech"));
    EXPECT_FALSE(Has(hive, L"SOFTWARE\\Grabsun\\Netsense"));
}

}  // namespace
