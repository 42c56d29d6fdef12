#include "app/TextUtil.h"

#include <ctime>
#include <cwchar>

#include "platform/system.h"

std::wstring ReplaceAll(std::wstring text, const std::wstring& find,
                        const std::wstring& replacement) {
    if (find.empty()) {
        return text;
    }
    for (std::size_t pos = text.find(find); pos != std::wstring::npos;
         pos = text.find(find, pos + replacement.size())) {
        text.replace(pos, find.size(), replacement);
    }
    return text;
}

std::wstring FormatLocalTime(const std::wstring& pattern, std::int64_t seconds) {
    std::tm local{};
    if (!plat::ToLocalTime(seconds, local)) {
        return {};
    }
    wchar_t buffer[128];
    std::size_t length = std::wcsftime(buffer, 128, pattern.c_str(), &local);
    return std::wstring(buffer, length);
}
