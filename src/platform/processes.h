// The programs running on the machine.
#pragma once

#include <string>
#include <vector>

namespace plat {

// The executable file name (no folder) of every running process, in no particular order; a
// process that cannot be inspected is left out.
std::vector<std::wstring> RunningProgramNames();

}  // namespace plat
