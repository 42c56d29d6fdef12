// The desktop as the tests see it: which addresses the client asked it to open.
#pragma once

#include <string>
#include <vector>

namespace plat::fake {

std::vector<std::wstring> OpenedAddresses();
void ClearOpenedAddresses();

// How many times the desktop was toggled in this process.
int DesktopToggles();

}  // namespace plat::fake
