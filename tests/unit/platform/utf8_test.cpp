#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

TEST(Utf8, RoundTripsAndReplacesWhatIsInvalid) {
    const std::wstring text = L"Tiv《Velkora》 é 𝄞";
    EXPECT_EQ(plat::FromUtf8(plat::ToUtf8(text)), text);
    const std::pair<std::string, std::wstring> invalid[] = {
        {"a\xFF" "b", L"a\uFFFDb"},
        {"\xC3", L"\uFFFD"},                 // cut short at the end
        {"\xE4\xB8" "a", L"\uFFFDa"},        // cut short before an ASCII byte
        {"\xC0\xAF", L"\uFFFD"},             // overlong
        {"\xED\xA0\x80", L"\uFFFD"},         // a surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD"},     // beyond U+10FFFF
    };
    for (const auto& [bytes, expected] : invalid) {
        EXPECT_EQ(plat::FromUtf8(bytes), expected);
    }
}

}  // namespace
