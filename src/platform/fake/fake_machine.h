// The hardware as a test wants it. Nothing is readable until a test says so.
#pragma once

#include <optional>
#include <vector>

#include "platform/machine.h"

namespace plat::fake {

// nullopt: the processor gives no reading (a process restricted to some processors).
void SetProcessorSignature(std::optional<CpuidRegisters> registers);
void SetDiskSerials(DiskSerials serials);
void SetNetworkAdapters(std::vector<NetworkAdapter> adapters);

// How often each reading was taken since the last Reset.
struct MachineReadCounts {
    int processor = 0;
    int disks = 0;
    int adapters = 0;
};
MachineReadCounts MachineReads();

void ResetMachine();

}  // namespace plat::fake
