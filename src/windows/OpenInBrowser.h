#pragma once

#include <string>

// Opens a platform page in the user's browser; failures are silent.
void OpenInBrowser(const std::wstring& address);

class CKXBaseControl;

// The platform pages behind the link buttons that the login and game windows both carry.
struct LinkButtons {
    const CKXBaseControl* service;
    const CKXBaseControl* pay;
    const CKXBaseControl* home;
    const CKXBaseControl* forum;
};

// Opens the page of the link button that was clicked; false when it is none of them.
bool OpenLinkPage(const CKXBaseControl* clicked, const LinkButtons& buttons);

// The value of key's first "key=" anywhere in the address, up to the next "&"; empty when absent.
std::wstring GetQueryValue(const std::wstring& key, const std::wstring& address);
