#include "update/VersionRules.h"

#include <cstdint>
#include <cwctype>
#include <limits>

#include "app/ClientVersion.h"
#include "app/TextUtil.h"

int ParseInt(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<std::wint_t>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i >= text.size() || text[i] < L'0' || text[i] > L'9') {
        return 0;
    }
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                        : std::numeric_limits<int>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > limit) {
            return 0;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

int VersionToInt(const std::wstring& version) { return ParseInt(ReplaceAll(version, L".", L"")); }

std::vector<std::wstring> SplitText(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    for (std::size_t sep = text.find(separator); sep != std::wstring::npos;
         sep = text.find(separator, start)) {
        pieces.push_back(text.substr(start, sep - start));
        start = sep + 1;
    }
    if (start < text.size()) {
        pieces.push_back(text.substr(start));
    }
    return pieces;
}

bool IsVersionInRange(const std::wstring& range) {
    if (range.empty()) {
        return true;
    }
    for (const std::wstring& item : SplitText(range, L',')) {
        if (item.find(L'-') != std::wstring::npos) {
            std::vector<std::wstring> bounds = SplitText(item, L'-');
            if (bounds.size() == 2 && ParseInt(bounds[0]) <= CLIENT_VERSION &&
                ParseInt(bounds[1]) >= CLIENT_VERSION) {
                return true;
            }
        } else if (ParseInt(item) == CLIENT_VERSION) {
            return true;
        }
    }
    return false;
}

bool ShouldOfferUpgrade(const std::wstring& current, const std::wstring& range,
                        const std::wstring& last) {
    const int remote = VersionToInt(current);
    if (remote == 0) {
        return false;
    }
    const int previous = VersionToInt(last);
    return remote > CLIENT_VERSION && previous < remote && IsVersionInRange(range);
}
