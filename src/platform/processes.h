// The programs running on the machine.
#pragma once

#include <string>
#include <vector>

namespace plat {

// The executable file name (no folder) of every running process, in no particular order; a
// process that cannot be inspected is left out.
std::vector<std::wstring> RunningProgramNames();

// Starts the program with these arguments (argv[0] is the path itself) without a shell and
// without waiting: in a process group of its own, so that it outlives the client, with its
// standard streams on the null device. False when it could not be started, for instance when
// the file is missing or not executable.
bool StartProgram(const std::wstring& path, const std::vector<std::wstring>& arguments);

}  // namespace plat
