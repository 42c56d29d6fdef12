// Splitting a request address into the parts a connection needs.
#pragma once

#include <string>

#include "platform/http.h"

// Accepts "http" and "https" addresses (scheme case-insensitive) with an optional
// "user:password@", a host (an IPv6 literal in brackets), an optional port from 1 to 65535 and an
// optional path and query; the fragment is dropped. False when the address is not of that form or
// a part is too long for the client library's buffers.
bool SplitAddress(const std::wstring& url, plat::HttpAddress& parts);
