#pragma once

#include <string>

// Opens a platform page in the user's browser; failures are silent.
void OpenInBrowser(const std::wstring& address);

// The value of key's first "key=" anywhere in the address, up to the next "&"; empty when absent.
std::wstring GetQueryValue(const std::wstring& key, const std::wstring& address);
