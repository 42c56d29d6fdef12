#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "net/AddressParts.h"

namespace {

std::string Narrow(const std::wstring& text) {
    return std::filesystem::path(text).string();
}

TEST(SplitAddress, SplitsEveryPart) {
    struct Case {
        std::wstring url;
        bool secure;
        std::wstring host;
        std::uint16_t port;
        std::wstring user, password, path;
    } cases[] = {
        {L"http://example.test/a/app.ini?v=1#top", false, L"example.test", 80, L"", L"",
         L"/a/app.ini?v=1"},
        {L"HTTPS://example.test", true, L"example.test", 443, L"", L"", L"/"},
        {L"http://u:p@example.test:8080?q", false, L"example.test", 8080, L"u", L"p", L"/?q"},
        {L"http://[::1]:81/x", false, L"[::1]", 81, L"", L"", L"/x"},
    };
    for (const Case& c : cases) {
        plat::HttpAddress parts;
        ASSERT_TRUE(SplitAddress(c.url, parts)) << Narrow(c.url);
        EXPECT_EQ(parts.secure, c.secure) << Narrow(c.url);
        EXPECT_EQ(parts.host, c.host) << Narrow(c.url);
        EXPECT_EQ(parts.port, c.port) << Narrow(c.url);
        EXPECT_EQ(parts.user, c.user) << Narrow(c.url);
        EXPECT_EQ(parts.password, c.password) << Narrow(c.url);
        EXPECT_EQ(parts.pathAndQuery, c.path) << Narrow(c.url);
    }
}

TEST(SplitAddress, RejectsWhatCannotBeSplit) {
    const std::wstring longHost(2048, L'h');
    const std::wstring longPath(2048, L'p');
    for (const std::wstring& url :
         {std::wstring(L"example.test/a"), std::wstring(L"file:///etc/passwd"),
          std::wstring(L"http:///a"), std::wstring(L"http://h:0/"),
          std::wstring(L"http://h:65536/"), std::wstring(L"http://h:8x/"),
          std::wstring(L"http://h:/"), std::wstring(L"http://[::1/"), L"http://" + longHost + L"/",
          L"http://h/" + longPath}) {
        plat::HttpAddress parts;
        EXPECT_FALSE(SplitAddress(url, parts)) << Narrow(url).substr(0, 40);
    }
}

}  // namespace
