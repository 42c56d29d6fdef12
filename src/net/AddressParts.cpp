#include "net/AddressParts.h"

#include <cwctype>

namespace {

// The client library's buffers, terminator included.
constexpr std::size_t kHostBuffer = 2048;
constexpr std::size_t kUserBuffer = 512;
constexpr std::size_t kPathBuffer = 2048;

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != static_cast<wint_t>(b[i])) {
            return false;
        }
    }
    return i == a.size() && b[i] == L'\0';
}

bool ParsePort(const std::wstring& text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    unsigned value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value == 0 || value > 65535) {
        return false;
    }
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool SplitHostAndPort(const std::wstring& hostPort, plat::HttpAddress& parts) {
    std::size_t hostEnd = 0;
    if (!hostPort.empty() && hostPort[0] == L'[') {
        hostEnd = hostPort.find(L']');
        if (hostEnd == std::wstring::npos) {
            return false;
        }
        ++hostEnd;
    } else {
        hostEnd = std::min(hostPort.find(L':'), hostPort.size());
    }
    parts.host = hostPort.substr(0, hostEnd);
    if (hostEnd == hostPort.size()) {
        parts.port = parts.secure ? 443 : 80;
        return true;
    }
    return hostPort[hostEnd] == L':' && ParsePort(hostPort.substr(hostEnd + 1), parts.port);
}

}  // namespace

bool SplitAddress(const std::wstring& url, plat::HttpAddress& parts) {
    std::size_t schemeEnd = url.find(L"://");
    if (schemeEnd == std::wstring::npos) {
        return false;
    }
    const std::wstring scheme = url.substr(0, schemeEnd);
    if (!EqualsNoCase(scheme, L"http") && !EqualsNoCase(scheme, L"https")) {
        return false;
    }
    parts = plat::HttpAddress{};
    parts.secure = EqualsNoCase(scheme, L"https");

    std::size_t authorityStart = schemeEnd + 3;
    std::size_t authorityEnd = std::min(url.find_first_of(L"/?#", authorityStart), url.size());
    std::wstring authority = url.substr(authorityStart, authorityEnd - authorityStart);
    std::size_t at = authority.rfind(L'@');
    if (at != std::wstring::npos) {
        std::wstring userInfo = authority.substr(0, at);
        std::size_t colon = userInfo.find(L':');
        parts.user = userInfo.substr(0, colon);
        parts.password = colon == std::wstring::npos ? L"" : userInfo.substr(colon + 1);
        authority.erase(0, at + 1);
    }
    if (!SplitHostAndPort(authority, parts) || parts.host.empty()) {
        return false;
    }

    std::wstring path = url.substr(authorityEnd, url.find(L'#', authorityEnd) - authorityEnd);
    if (path.empty() || path[0] != L'/') {
        path.insert(0, L"/");
    }
    parts.pathAndQuery = path;
    return parts.host.size() < kHostBuffer && parts.user.size() < kUserBuffer &&
           parts.password.size() < kUserBuffer && parts.pathAndQuery.size() < kPathBuffer;
}
