#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include "app/Folders.h"
#include "app/GuidText.h"
#include "app/SettingsFile.h"
#include "platform/fake/fake_process.h"
#include "support/TestEnvironment.h"

using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

std::wstring Wide(const std::string& s) { return std::filesystem::path(s).wstring(); }

TEST(Folders, DataAndUpgradeFoldersLiveUnderTheUsersDataHome) {
    const std::wstring dataHome = Wide(std::getenv("XDG_DATA_HOME"));
    EXPECT_EQ(GetDataFolder(), dataHome + L"/zu_vazez/");
    EXPECT_TRUE(std::filesystem::is_directory(GetDataFolder()));
    std::filesystem::remove_all(GetDataFolder());
    // The upgrade folder is built and created again on every call, through the kept data folder.
    EXPECT_EQ(GetUpgradeFolder(), dataHome + L"/zu_vazez/Upgrade/");
    EXPECT_EQ(GetUpgradeFolder(), dataHome + L"/zu_vazez/Upgrade/");
    EXPECT_TRUE(std::filesystem::is_directory(GetUpgradeFolder()));
    EXPECT_EQ(GetLastUpgradeIniPath(), dataHome + L"/zu_vazez/Upgrade/LastUpgrade.ini");
    EXPECT_EQ(GetUpgraderPath(), dataHome + L"/zu_vazez/Upgrade/TivStavelUpgrade.exe");
}

TEST(Folders, TempFolderEndsWithTheSeparator) {
    EXPECT_EQ(GetTempFolder(), Wide(std::getenv("TMPDIR")) + L"/");
}

TEST(Folders, CreateFolderChain) {
    TempDir dir;
    EXPECT_TRUE(CreateFolderChain(dir.wpath() + L"a/b/c/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/a/b/c"));
    EXPECT_TRUE(CreateFolderChain(dir.wpath() + L"a/b/c"));  // exists: nothing to do
    EXPECT_TRUE(CreateFolderChain(dir.wpath() + L"x/y"));    // last level without separator
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/x/y"));
    WriteFile(dir.path() + "/file", "");
    EXPECT_TRUE(CreateFolderChain(dir.wpath() + L"file"));  // a file in the way counts as there
    EXPECT_FALSE(CreateFolderChain(dir.wpath() + L"file/sub/"));
    EXPECT_FALSE(CreateFolderChain(L""));
}

TEST(Folders, EnsureTrailingBackslash) {
    EXPECT_EQ(EnsureTrailingBackslash(L""), L"");
    EXPECT_EQ(EnsureTrailingBackslash(L"/a"), L"/a/");
    EXPECT_EQ(EnsureTrailingBackslash(L"/a/"), L"/a/");
}

TEST(Folders, SettingsFileSitsNextToTheExecutable) {
    plat::fake::SetModuleFilePath(L"/opt/velkora/bin/velkora");
    EXPECT_EQ(GetModuleFolder(), L"/opt/velkora/bin/");
    EXPECT_EQ(GetSettingsFilePath(), L"/opt/velkora/bin/Stavel.ini");
    plat::fake::SetModuleFilePath(L"velkora");
    EXPECT_EQ(GetModuleFolder(), L"");
    EXPECT_EQ(GetSettingsFilePath(), L"Stavel.ini");
}

TEST(GuidText, UpperCaseDashedAndNew) {
    const std::wregex form(L"[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::wstring> seen;
    for (int i = 0; i < 100; ++i) {
        std::wstring guid = NewGuidText();
        EXPECT_TRUE(std::regex_match(guid, form)) << std::string(guid.begin(), guid.end());
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
