#include "app/TextUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

#include "app/CommandLine.h"
#include "platform/fake/fake_process.h"

namespace {

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
    struct Case {
        std::wstring text, find, replacement, expected;
    } const cases[] = {
        {L"2026-12-11", L"-", L"", L"20261211"},
        {L"aaa", L"a", L"aa", L"aaaaaa"},  // the search goes on after the inserted text
        {L"Tiv《Velkora》S1", L"》", L"-", L"Tiv《Velkora-S1"},
        {L"abab", L"ab", L"b", L"bb"},
        {L"abc", L"", L"x", L"abc"},  // nothing to find: unchanged, and no endless loop
        {L"", L"a", L"b", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.expected);
    }
}

TEST(FormatLocalTime, FormatsTheLocalCalendarOrGivesNothing) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(FormatLocalTime(L"%Y-%m-%d %H:%M:%S", 86400 * 365), L"1971-01-01 00:00:00");
    EXPECT_EQ(FormatLocalTime(L"%Y%m%d%H%M%S", 1781186400), L"20260611140000");
    EXPECT_EQ(FormatLocalTime(std::wstring(130, L'x'), 0), L"");  // longer than the buffer
    EXPECT_EQ(FormatLocalTime(L"%Y", std::numeric_limits<std::int64_t>::max()), L"");
}

TEST(HasSwitch, CaseSensitiveSubstringOfTheWholeLine) {
    plat::fake::SetCommandLineText(L"/opt/Setupsucc/velkora /autorunx");
    EXPECT_FALSE(HasSwitch(L"/setupsucc"));
    EXPECT_TRUE(HasSwitch(L"/autorun"));
    plat::fake::SetCommandLineText(L"/opt/a/setupsucc/velkora");
    EXPECT_TRUE(HasSwitch(L"/setupsucc"));  // inside the program's path still counts
    plat::fake::SetCommandLineText(L"velkora /showdesktop");
    EXPECT_FALSE(HasSwitch(L"/ShowDeskTop"));
}

}  // namespace
