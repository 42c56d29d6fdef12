#include "windows/OpenInBrowser.h"

#include "app/GlobalModule.h"
#include "app/PlatformAddresses.h"
#include "platform/shell.h"

void OpenInBrowser(const std::wstring& address) { plat::OpenWithDefaultHandler(address); }

bool OpenLinkPage(const CKXBaseControl* clicked, const LinkButtons& buttons) {
    if (clicked == buttons.service) {
        OpenInBrowser(addresses::ServicePage());
    } else if (clicked == buttons.pay) {
        OpenInBrowser(g_module.GetPayUrl());
    } else if (clicked == buttons.home) {
        OpenInBrowser(addresses::OfficialSite());
    } else if (clicked == buttons.forum) {
        OpenInBrowser(addresses::ForumPage());
    } else {
        return false;
    }
    return true;
}

std::wstring GetQueryValue(const std::wstring& key, const std::wstring& address) {
    const std::wstring marker = key + L"=";
    const std::size_t at = address.find(marker);
    if (at == std::wstring::npos) {
        return {};
    }
    const std::wstring rest = address.substr(at + marker.size());
    return rest.substr(0, rest.find(L'&'));
}
