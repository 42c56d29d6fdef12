// The running programs as found in a given /proc, so that tests can lay out processes of their
// own in a folder.
#pragma once

#include <string>
#include <vector>

namespace plat::linux_proc {

std::vector<std::wstring> ProgramNamesUnder(const std::string& procRoot);

}  // namespace plat::linux_proc
