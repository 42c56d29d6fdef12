#include "windows/OpenInBrowser.h"

#include "platform/shell.h"

void OpenInBrowser(const std::wstring& address) { plat::OpenWithDefaultHandler(address); }

std::wstring GetQueryValue(const std::wstring& key, const std::wstring& address) {
    const std::wstring marker = key + L"=";
    const std::size_t at = address.find(marker);
    if (at == std::wstring::npos) {
        return {};
    }
    const std::wstring rest = address.substr(at + marker.size());
    return rest.substr(0, rest.find(L'&'));
}
