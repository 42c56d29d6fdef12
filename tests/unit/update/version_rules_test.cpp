#include "update/VersionRules.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionRules, ParseIntReadsLikeAStream) {
    const std::pair<std::wstring, int> cases[] = {
        {L"3001", 3001},       {L"  \t42x", 42},      {L"-7", -7},
        {L"+8", 8},            {L"", 0},              {L"abc", 0},
        {L"- 1", 0},           {L"-", 0},             {L"2147483647", 2147483647},
        {L"-2147483648", -2147483647 - 1},            {L"2147483648", 0},
        {L"-2147483649", 0},   {L"99999999999999999999", 0}, {L"3.0.0.1", 3},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseInt(text), expected) << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(VersionToInt(L"3.0.0.1"), 3001);
    EXPECT_EQ(VersionToInt(L"30.0.1"), 3001);
}

TEST(VersionRules, SplitText) {
    using Pieces = std::vector<std::wstring>;
    EXPECT_EQ(SplitText(L"a,,b", L','), (Pieces{L"a", L"", L"b"}));
    EXPECT_EQ(SplitText(L"a,b,", L','), (Pieces{L"a", L"b"}));
    EXPECT_EQ(SplitText(L",a", L','), (Pieces{L"", L"a"}));
    EXPECT_EQ(SplitText(L"ab", L','), (Pieces{L"ab"}));
    EXPECT_EQ(SplitText(L"", L','), Pieces{});
    EXPECT_EQ(SplitText(L",", L','), (Pieces{L""}));
}

TEST(VersionRules, WhenAnUpgradeIsOffered) {
    struct Case {
        const wchar_t* current;
        const wchar_t* range;
        const wchar_t* last;
        bool offered;
    } const cases[] = {
        {L"3.0.0.2", L"", L"", true},
        {L"3.0.0.1", L"", L"", false},
        {L"3.0.0.0", L"", L"", false},
        {L"3.0.0.2", L"", L"3.0.0.2", false},
        {L"3.0.0.2", L"", L"3.0.0.1", true},
        {L"3.0.0.2", L"3000,3001", L"", true},
        {L"3.0.0.2", L"2000-3000,3002", L"", false},
        {L"3.0.0.2", L"3001-3001", L"", true},
        {L"3.0.0.2", L"3000-3001-3002", L"", false},
        {L"3.0.0.2", L"3000-3001-3002,3001", L"", true},
        {L"3.0.0.2", L"-3001", L"", true},
        {L"3.0.0.2", L"3.0.0.1", L"", false},
        {L"3.0.0.2", L"3001-", L"", false},
        {L"3.0.0.2", L" 3001 ", L"", true},
        {L"new", L"", L"", false},
        {L"30.0.1", L"", L"", false},
        {L"", L"", L"", false},
        {L"99999999999", L"", L"", false},  // out of range reads as 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShouldOfferUpgrade(c.current, c.range, c.last), c.offered)
            << "current " << c.current << " range " << c.range << " last " << c.last;
    }
}

}  // namespace
