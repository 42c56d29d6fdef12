#include <gtest/gtest.h>

#include <string>

#include "stats/SerialText.h"

namespace {

using namespace std::string_literals;

TEST(SerialText, IdentifyWordsTakeHighByteFirstAndDropEverySpace) {
    // " WD-W X1 " padded with spaces, as a drive reports it: the inner space goes too.
    const std::uint16_t words[10] = {0x2057, 0x442D, 0x5720, 0x5831, 0x2020,
                                     0x2020, 0x2020, 0x2020, 0x2020, 0x2020};
    EXPECT_EQ(IdentifyWordsToText(words), L"WD-WX1");
}

TEST(SerialText, IdentifyWordsEndAtAZeroByteAndWidenHighBytesAsSigned) {
    const std::uint16_t words[10] = {0x41FF, 0x8042, 0x0043, 0x4444};
    EXPECT_EQ(IdentifyWordsToText(words),
              L"A\xFFFF\xFF80"
              L"B");
}

TEST(SerialText, FlippedHexSwapsPairsWithinEachGroupOfFour) {
    struct Case {
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {""s, L""},
        {"3231"s, L"12"},              // "31" "32" swapped
        {"32314433"s, L"123D"},        // two groups
        {"20312041"s, L"1A"},          // 0x20 is a space and is left out
        {"0031zz41"s, L"1A"},          // 0x00 is dropped; a non-digit counts as 0
        {"41\0\0\0\0"s, L"A"},         // a short group reads the zeros after the text
        {"4142434\0\0\0"s, L"BA@C"},   // "4" and a zero fill make "40"
        {"ff"s + "\0\0"s, L"\xFFFF"},  // widened as a signed byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeFlippedHexSerial(c.bytes), c.text) << c.bytes;
    }
}

TEST(SerialText, FlippedHexNeverReadsPastTheBufferItIsGiven) {
    EXPECT_EQ(DecodeFlippedHexSerial("4"), L"@");  // half a pair, nothing after it
    EXPECT_EQ(DecodeFlippedHexSerial("414"),
              L"\x40"
              L"A");
}

TEST(SerialText, EveryFourthByteBeforeTheEnd) {
    EXPECT_EQ(TakeEveryFourthByte("A...B... ...C"s), L"ABC");
    EXPECT_EQ(TakeEveryFourthByte("A...\0...B"s), L"A");
    EXPECT_EQ(TakeEveryFourthByte("\x90"s), L"\xFF90");
}

TEST(SerialText, PlainSerialLosesItsSpacesAndEndsAtZero) {
    EXPECT_EQ(SerialBytesToText("  S4EW NX0N  \0junk"s), L"S4EWNX0N");
}

}  // namespace
