// The process's identity as the tests want it: a program path in a test folder, a command line
// with the switches under test.
#pragma once

#include <string>

namespace plat::fake {

void SetCommandLineText(std::wstring commandLine);
void SetModuleFilePath(std::wstring path);

}  // namespace plat::fake
