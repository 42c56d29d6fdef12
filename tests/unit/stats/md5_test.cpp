#include <gtest/gtest.h>

#include <string>

#include "stats/Md5.h"

namespace {

std::wstring HexDigest(const std::string& message, std::size_t piece) {
    Md5Context context;
    Md5Init(context);
    for (std::size_t at = 0; at < message.size(); at += piece) {
        Md5Update(context, message.data() + at, std::min(piece, message.size() - at));
    }
    const auto digest = Md5Final(context);
    return ToLowerHex(digest.data(), digest.size());
}

struct Case {
    std::string message;
    const wchar_t* digest;
};

// The test suite of RFC 1321, then the lengths around the padding's block boundary.
const Case kCases[] = {
    {"", L"d41d8cd98f00b204e9800998ecf8427e"},
    {"a", L"0cc175b9c0f1b6a831c399e269772661"},
    {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     L"d174ab98d277d9f5a5611c2c9f419d9f"},
    {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "0",
     L"57edf4a22be3c955ac49da2e2107b67a"},
    {std::string(55, 'a'), L"ef1772b6dff9a122358552954ad0df65"},
    {std::string(56, 'a'), L"3b0c8ac703f828b04c6c197006d17218"},
    {std::string(63, 'a'), L"b06521f39153d618550606be297466d5"},
    {std::string(64, 'a'), L"014842d480b571495a4a0363793f7367"},
    {std::string(65, 'a'), L"c743a45e0d2e6a95cb859adae0248435"},
    {std::string(1000, 'a'), L"cabe45dcc9ae5b66ba86600cca6b8ba8"},
};

TEST(Md5, DigestsTheReferenceMessagesWhateverTheyAreFedIn) {
    for (const Case& c : kCases) {
        for (std::size_t piece :
             {std::size_t{1000}, std::size_t{1}, std::size_t{7}, std::size_t{64}}) {
            EXPECT_EQ(HexDigest(c.message, piece), c.digest)
                << c.message.size() << " bytes in pieces of " << piece;
        }
    }
}

TEST(Md5, FinalIsRepeatableAndLaterBytesCannotChangeIt) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, "abc", 3);
    const auto first = Md5Final(context);
    Md5Update(context, "more", 4);
    EXPECT_EQ(Md5Final(context), first);
    EXPECT_EQ(ToLowerHex(first.data(), first.size()), L"900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5, HexIsLowercaseHighNibbleFirst) {
    const std::uint8_t bytes[] = {0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(ToLowerHex(bytes, sizeof bytes), L"000fa5ff");
}

}  // namespace
