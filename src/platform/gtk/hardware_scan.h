// The Linux hardware readings over a given /sys and /dev, so that tests can lay out a machine of
// their own in a folder.
#pragma once

#include <string>
#include <vector>

#include "platform/machine.h"

namespace plat::linux_hw {

DiskSerials FixedDiskSerialsUnder(const std::string& sysRoot, const std::string& devRoot);
std::vector<NetworkAdapter> AdaptersUnder(const std::string& sysRoot);

}  // namespace plat::linux_hw
