// The machine-wide settings tree (HKEY_LOCAL_MACHINE): only whether a key is there.
#pragma once

#include <string>

namespace plat {

// True when the sub-key of the machine tree exists and can be opened for reading its values.
// Names are matched without regard to case; a sub-key with an empty component (a leading,
// doubled or trailing separator) never exists.
bool MachineKeyExists(const std::wstring& subKey);

}  // namespace plat
