#include <mutex>

#include "platform/fake/fake_machine.h"

namespace plat {

namespace {

struct Machine {
    std::mutex lock;
    std::optional<CpuidRegisters> processor;
    DiskSerials disks;
    std::vector<NetworkAdapter> adapters;
    fake::MachineReadCounts reads;
};

Machine& TheMachine() {
    static Machine& machine = *new Machine;  // never destroyed: used until the process ends
    return machine;
}

}  // namespace

void fake::SetProcessorSignature(std::optional<CpuidRegisters> registers) {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    TheMachine().processor = registers;
}

void fake::SetDiskSerials(DiskSerials serials) {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    TheMachine().disks = std::move(serials);
}

void fake::SetNetworkAdapters(std::vector<NetworkAdapter> adapters) {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    TheMachine().adapters = std::move(adapters);
}

fake::MachineReadCounts fake::MachineReads() {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    return TheMachine().reads;
}

void fake::ResetMachine() {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    TheMachine().processor.reset();
    TheMachine().disks = {};
    TheMachine().adapters.clear();
    TheMachine().reads = {};
}

bool ReadProcessorSignature(CpuidRegisters& out) {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    ++TheMachine().reads.processor;
    if (TheMachine().processor) {
        out = *TheMachine().processor;
    }
    return TheMachine().processor.has_value();
}

DiskSerials ReadFixedDiskSerials() {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    ++TheMachine().reads.disks;
    return TheMachine().disks;
}

std::vector<NetworkAdapter> ListNetworkAdapters() {
    std::lock_guard<std::mutex> guard(TheMachine().lock);
    ++TheMachine().reads.adapters;
    return TheMachine().adapters;
}

}  // namespace plat
