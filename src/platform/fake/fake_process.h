// The process's identity as the tests want it: a program path in a test folder, a command line
// with the switches under test; and the other programs said to be running.
#pragma once

#include <string>
#include <vector>

namespace plat::fake {

void SetCommandLineText(std::wstring commandLine);
void SetModuleFilePath(std::wstring path);

// The programs that RunningProgramNames reports; none until a test sets them.
void SetRunningProgramNames(std::vector<std::wstring> names);

struct StartedProgram {
    std::wstring path;
    std::vector<std::wstring> arguments;
};

// Every StartProgram call since the last clear, started or not.
std::vector<StartedProgram> StartedPrograms();
void ClearStartedPrograms();
// Whether StartProgram succeeds; true until a test says otherwise.
void SetProgramsStart(bool start);

}  // namespace plat::fake
