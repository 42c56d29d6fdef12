// The fingerprint on the machine the tests run on. What it could read is printed, because which
// readings a machine allows (processor, disk, adapter) differs from one machine to the next.
#include <gtest/gtest.h>
#include <sched.h>

#include <iostream>
#include <regex>
#include <string>

#include "platform/machine.h"
#include "stats/MachineId.h"

namespace {

TEST(RealMachine, IdentifierHasItsFormAndStaysTheSame) {
    CpuSignatureCache first;
    CpuSignatureCache second;
    const std::wstring id = GetMachineId(L"", first);
    EXPECT_TRUE(std::regex_match(id, std::wregex(L"[0-9a-f]{32}"))) << id.c_str();
    EXPECT_EQ(GetMachineId(L"", second), id);

    std::wstring processor, disk, mac;
    CMachineInfo info;
    const bool processorRead = GetCpuSignature(second, processor) == 1 && !processor.empty();
    const bool diskRead = GetDiskSerial(info, disk);
    const bool macRead = GetMacAddress(mac);
    std::wcout << L"processor: " << (processorRead ? processor : L"(none)") << L"\ndisk: "
               << (diskRead ? disk : L"(none)") << L"\nadapter: " << (macRead ? mac : L"(none)")
               << L"\nidentifier: " << id << std::endl;
    if (processorRead) {
        EXPECT_TRUE(std::regex_match(
            processor, std::wregex(L"[0-9A-F]{8}-[0-9A-F]{8}-[0-9A-F]{8}-[0-9A-F]{8}")));
    }
    if (macRead) {
        EXPECT_TRUE(std::regex_match(mac, std::wregex(L"[0-9A-F]{12}")));
    }
}

TEST(RealMachine, ProcessorReadingLeavesTheAffinityAsItWasAndRespectsARestriction) {
    cpu_set_t before;
    ASSERT_EQ(::sched_getaffinity(0, sizeof before, &before), 0);
    plat::CpuidRegisters registers{};
    const bool read = plat::ReadProcessorSignature(registers);
    cpu_set_t after;
    ASSERT_EQ(::sched_getaffinity(0, sizeof after, &after), 0);
    EXPECT_TRUE(CPU_EQUAL(&before, &after));
    if (!read || CPU_COUNT(&before) < 2) {
        GTEST_SKIP() << "needs a readable processor and two processors to restrict";
    }
    cpu_set_t narrower = before;
    CPU_CLR(0, &narrower);
    ASSERT_EQ(::sched_setaffinity(0, sizeof narrower, &narrower), 0);
    EXPECT_FALSE(plat::ReadProcessorSignature(registers));
    cpu_set_t still;
    ASSERT_EQ(::sched_getaffinity(0, sizeof still, &still), 0);
    EXPECT_TRUE(CPU_EQUAL(&narrower, &still));
    ::sched_setaffinity(0, sizeof before, &before);
}

}  // namespace
