#include "platform/common/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using plat::ini::FindValue;
using plat::ini::SetValue;

namespace {

struct ReadCase {
    const char* name;
    std::string content;
    std::wstring section;
    std::wstring key;
    std::optional<std::string> expected;
};

TEST(IniText, ReadsAsTheProfileFunctionsDo) {
    const ReadCase cases[] = {
        {"plain", "[Common]\nRefer=abc\n", L"Common", L"Refer", "abc"},
        {"names ignore case", "[COMMON]\nrefer=abc\n", L"common", L"REFER", "abc"},
        {"spaces trimmed", "  [ Common ]  \n  Refer  =  a b  \n", L"Common", L"Refer", "a b"},
        {"double quotes removed", "[C]\nk=\"  x \"\n", L"C", L"k", "  x "},
        {"single quotes removed", "[C]\nk='x'\n", L"C", L"k", "x"},
        {"only one pair removed", "[C]\nk=\"\"x\"\"\n", L"C", L"k", "\"x\""},
        {"unmatched quote kept", "[C]\nk=\"x\n", L"C", L"k", "\"x"},
        {"empty value is empty", "[C]\nk=\n", L"C", L"k", ""},
        {"value keeps later equals", "[C]\nk=a=b\n", L"C", L"k", "a=b"},
        {"absent key", "[C]\nother=1\n", L"C", L"k", std::nullopt},
        {"absent section", "[D]\nk=1\n", L"C", L"k", std::nullopt},
        {"key of another section", "[D]\nk=1\n[C]\n", L"C", L"k", std::nullopt},
        {"key before any section", "k=1\n[C]\n", L"C", L"k", std::nullopt},
        {"first duplicate key wins", "[C]\nk=1\nk=2\n", L"C", L"k", "1"},
        {"first duplicate section wins", "[C]\nk=1\n[C]\nk=2\n", L"C", L"k", "1"},
        {"later duplicate section holds it", "[C]\na=1\n[D]\nk=0\n[C]\nk=2\n", L"C", L"k", "2"},
        {"line without equals skipped", "[C]\njunk\nk=1\n", L"C", L"k", "1"},
        {"comment is no key", "[C]\n;k=1\n", L"C", L"k", std::nullopt},
        {"CRLF line ends", "[C]\r\nk=1\r\n", L"C", L"k", "1"},
        {"byte-order mark", "\xEF\xBB\xBF[C]\nk=1\n", L"C", L"k", "1"},
        {"no final line break", "[C]\nk=1", L"C", L"k", "1"},
        {"section without bracket", "[C\nk=1\n", L"C", L"k", "1"},
        {"UTF-8 names", "[版本]\n键=值\n", L"版本", L"键", "值"},
        {"invalid UTF-8 around", "\xFF\xFE\n[C]\n\xC3(=\x80\nk=\xFF\n", L"C", L"k", "\xFF"},
        {"NUL bytes", std::string("[C]\nk=a\0b\n", 10), L"C", L"k", std::string("a\0b", 3)},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(FindValue(c.content, c.section, c.key), c.expected) << c.name;
    }
}

struct WriteCase {
    const char* name;
    std::string before;
    std::wstring section;
    std::wstring key;
    std::string value;
    std::string after;
};

TEST(IniText, WritesOneLineAndKeepsEveryOther) {
    const WriteCase cases[] = {
        {"new file", "", L"Common", L"RunCount", "1", "[Common]\nRunCount=1\n"},
        {"replace keeps the rest", "; note\n[Common]\n  runcount = 7 \nRefer=x\n", L"Common",
         L"RunCount", "8", "; note\n[Common]\nruncount=8\nRefer=x\n"},
        {"add to section before the next", "[Common]\nA=1\n\n[Install]\nB=2\n", L"common", L"C",
         "3", "[Common]\nA=1\nC=3\n\n[Install]\nB=2\n"},
        {"add to last section without final break", "[Common]\nA=1", L"Common", L"C", "3",
         "[Common]\nA=1\nC=3\n"},
        {"append section", "[Common]\nA=1\n", L"Install", L"GUID", "G",
         "[Common]\nA=1\n[Install]\nGUID=G\n"},
        {"append after text without final break", "junk", L"C", L"k", "v", "junk\n[C]\nk=v\n"},
        {"CRLF file stays CRLF", "[C]\r\nA=1\r\n", L"C", L"B", "2", "[C]\r\nA=1\r\nB=2\r\n"},
        {"CRLF value replaced", "[C]\r\nA=1\r\nB=2\r\n", L"C", L"A", "9", "[C]\r\nA=9\r\nB=2\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[C]\nA=1\n", L"C", L"A", "2",
         "\xEF\xBB\xBF[C]\nA=2\n"},
        {"first of duplicates replaced", "[C]\nA=1\n[C]\nA=2\n", L"C", L"A", "3",
         "[C]\nA=3\n[C]\nA=2\n"},
        {"line breaks in a value cannot add keys", "", L"C", L"A", "x\r\n[Evil]\nB=1",
         "[C]\nA=x  [Evil] B=1\n"},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(SetValue(c.before, c.section, c.key, c.value), c.after) << c.name;
    }
}

TEST(IniText, AWrittenValueReadsBackAndGarbageSurvives) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    std::string content = SetValue(garbage, L"Install", L"GUID", "ABC");
    EXPECT_EQ(content.substr(0, garbage.size()), garbage);
    EXPECT_EQ(FindValue(content, L"Install", L"GUID"), "ABC");
    content = SetValue(content, L"Install", L"GUID", "DEF");
    EXPECT_EQ(FindValue(content, L"Install", L"GUID"), "DEF");
    EXPECT_EQ(content.substr(0, garbage.size()), garbage);
}

}  // namespace
