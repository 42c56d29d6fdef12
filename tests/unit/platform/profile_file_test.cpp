#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "app/SettingsFile.h"
#include "platform/profile.h"
#include "support/TestEnvironment.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

std::wstring Wide(const std::string& s) { return std::filesystem::path(s).wstring(); }

TEST(ProfileFile, MissingFileGivesDefaultsAndFirstWriteCreatesIt) {
    TempDir dir;
    const std::wstring file = dir.wpath() + L"Stavel.ini";
    EXPECT_EQ(IniGetString(L"Common", L"Refer", L"def", file), L"def");
    EXPECT_EQ(IniGetInt(L"Common", L"RunCount", 7, file), 7);
    IniSetString(L"Common", L"RunCount", L"1", file);
    EXPECT_EQ(ReadFile(dir.path() + "/Stavel.ini"), "[Common]\nRunCount=1\n");
    EXPECT_EQ(IniGetInt(L"Common", L"RunCount", 7, file), 1);
}

TEST(ProfileFile, EmptyValueIsEmptyTextButDefaultInteger) {
    TempDir dir;
    WriteFile(dir.path() + "/s.ini", "[Common]\nVersionCheck=\nTopMost=\n");
    const std::wstring file = dir.wpath() + L"s.ini";
    EXPECT_EQ(IniGetString(L"Common", L"VersionCheck", L"http://x", file), L"");
    EXPECT_EQ(IniGetInt(L"Common", L"TopMost", 5, file), 5);
}

TEST(ProfileFile, IntegersReadLikeThePlatform) {
    TempDir dir;
    const std::wstring file = dir.wpath() + L"s.ini";
    const std::pair<const char*, int> cases[] = {
        {"12", 12},      {"  42abc", 42}, {"-3", -3}, {"+9", 9},
        {"abc", 0},      {"- 1", 0},      {"\"17\"", 17},
        {"4294967297", 1},  // wraps like the unsigned integer the platform reads into
    };
    for (const auto& [text, expected] : cases) {
        WriteFile(dir.path() + "/s.ini", std::string("[C]\nk=") + text + "\n");
        EXPECT_EQ(IniGetInt(L"C", L"k", -99, file), expected) << text;
    }
}

TEST(ProfileFile, ReadsAreCutTo259Characters) {
    TempDir dir;
    const std::wstring file = dir.wpath() + L"s.ini";
    std::wstring longValue(300, L'界');
    IniSetString(L"C", L"k", longValue, file);
    EXPECT_EQ(IniGetString(L"C", L"k", L"", file), longValue.substr(0, 259));
    EXPECT_EQ(plat::ProfileGetString(L"C", L"k", L"", file), longValue);
}

TEST(ProfileFile, WriteKeepsEveryOtherByteOfALargeOddFile) {
    TempDir dir;
    std::string odd = "\xEF\xBB\xBF; installer's notes\r\n[Common]\r\nRefer=abc\r\nno equals here\r\n";
    static const char kJunk[] = "]\r\n\xC3\x28key=\x00\xFF value\r\n";
    for (int i = 0; odd.size() < 10 * 1024 * 1024; ++i) {
        odd += "[Junk" + std::to_string(i % 50) + std::string(kJunk, sizeof kJunk - 1);
    }
    WriteFile(dir.path() + "/s.ini", odd);
    const std::wstring file = dir.wpath() + L"s.ini";
    IniSetString(L"common", L"RunCount", L"3", file);
    std::string after = ReadFile(dir.path() + "/s.ini");
    const std::string head = "\xEF\xBB\xBF; installer's notes\r\n[Common]\r\nRefer=abc\r\nno equals here\r\n";
    ASSERT_EQ(after.substr(0, head.size()), head);
    EXPECT_EQ(after.substr(head.size(), 12), "RunCount=3\r\n");
    EXPECT_EQ(after.substr(head.size() + 12), odd.substr(head.size()));
    EXPECT_EQ(IniGetString(L"Common", L"Refer", L"", file), L"abc");
}

TEST(ProfileFile, FailedWritesLeaveEverythingAsItWas) {
    TempDir dir;
    // The settings path is a folder: it cannot be read, so it must not be replaced.
    std::filesystem::create_directory(dir.path() + "/Stavel.ini");
    EXPECT_FALSE(plat::ProfileWriteString(L"C", L"k", L"v", dir.wpath() + L"Stavel.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/Stavel.ini"));
    // The folder is a file: nothing can be created in it.
    WriteFile(dir.path() + "/plain", "[C]\nk=old\n");
    EXPECT_FALSE(plat::ProfileWriteString(L"C", L"k", L"v", dir.wpath() + L"plain/Stavel.ini"));
    EXPECT_EQ(ReadFile(dir.path() + "/plain"), "[C]\nk=old\n");
    EXPECT_EQ(IniGetString(L"C", L"k", L"def", dir.wpath() + L"plain/Stavel.ini"), L"def");
    // No temporary files are left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u);
}

TEST(ProfileFile, KeepsModeAndLinkOfTheFile) {
    TempDir dir;
    WriteFile(dir.path() + "/real.ini", "[C]\nk=1\n");
    ::chmod((dir.path() + "/real.ini").c_str(), 0600);
    std::filesystem::create_symlink(dir.path() + "/real.ini", dir.path() + "/link.ini");
    IniSetString(L"C", L"k", L"2", Wide(dir.path() + "/link.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() + "/link.ini"));
    EXPECT_EQ(ReadFile(dir.path() + "/real.ini"), "[C]\nk=2\n");
    struct stat info {};
    ASSERT_EQ(::stat((dir.path() + "/real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(ProfileFile, WritesFromTwoThreadsLoseNoKey) {
    TempDir dir;
    const std::wstring file = dir.wpath() + L"s.ini";
    auto writer = [&file](const wchar_t* prefix) {
        for (int i = 0; i < 100; ++i) {
            IniSetString(L"C", prefix + std::to_wstring(i), L"v", file);
        }
    };
    std::thread a(writer, L"a"), b(writer, L"b");
    a.join();
    b.join();
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(IniGetString(L"C", L"a" + std::to_wstring(i), L"", file), L"v");
        EXPECT_EQ(IniGetString(L"C", L"b" + std::to_wstring(i), L"", file), L"v");
    }
}

}  // namespace
