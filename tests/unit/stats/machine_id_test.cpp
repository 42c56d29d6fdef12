#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_machine.h"
#include "stats/MachineId.h"

namespace {

using plat::DiskSerial;
using plat::DiskSerialForm;
using plat::NetworkAdapter;

constexpr plat::CpuidRegisters kProcessor{0x0000064F, 0x00010800, 0x80BA2203, 0x078BFBFF};
const wchar_t kProcessorText[] = L"0000064F-00010800-80BA2203-078BFBFF";

// Words 10 to 19 as a drive sends them (little-endian): " WD-W X1" and spaces.
DiskSerial AtaSerial() {
    const std::uint16_t words[10] = {0x2057, 0x442D, 0x5720, 0x5831, 0x2020,
                                     0x2020, 0x2020, 0x2020, 0x2020, 0x2020};
    std::string bytes;
    for (std::uint16_t word : words) {
        bytes += static_cast<char>(word & 0xFF);
        bytes += static_cast<char>(word >> 8);
    }
    return {DiskSerialForm::kIdentifyWords, bytes};
}

NetworkAdapter Adapter(bool pci, bool ethernet, std::uint8_t last) {
    return {pci, ethernet, {0x02, 0xFC, 0x00, 0x00, 0x00, last}};
}

class MachineId : public ::testing::Test {
protected:
    void SetUp() override { plat::fake::ResetMachine(); }
    void TearDown() override { plat::fake::ResetMachine(); }

    std::wstring Compose() { return ComposeHardwareText(m_cache); }

    CpuSignatureCache m_cache;
};

TEST_F(MachineId, HardwareTextIsProcessorThenDiskThenAdapter) {
    plat::fake::SetProcessorSignature(kProcessor);
    plat::fake::SetDiskSerials({{AtaSerial()}, {{DiskSerialForm::kPlain, "ignored"}}});
    plat::fake::SetNetworkAdapters({Adapter(true, true, 0x01)});
    EXPECT_EQ(Compose(), kProcessorText + std::wstring(L"WD-WX1") + L"02FC00000001");
}

TEST_F(MachineId, RestrictedProcessorAddsNothingAndIsAskedAgainNextTime) {
    plat::fake::SetDiskSerials({{AtaSerial()}, {}});
    EXPECT_EQ(Compose(), L"WD-WX1");
    plat::fake::SetProcessorSignature(kProcessor);
    EXPECT_EQ(Compose(), kProcessorText + std::wstring(L"WD-WX1"));
    // Once read, the signature is kept even when the process is restricted later.
    plat::fake::SetProcessorSignature(std::nullopt);
    EXPECT_EQ(Compose(), kProcessorText + std::wstring(L"WD-WX1"));
    EXPECT_EQ(plat::fake::MachineReads().processor, 2);
}

TEST_F(MachineId, DiskSerialComesFromTheFirstFilledSlot) {
    struct Case {
        const char* what;
        plat::DiskSerials serials;
        bool found;
        std::wstring text;
    };
    const Case cases[] = {
        {"drive data wins over the system's",
         {{AtaSerial()}, {{DiskSerialForm::kPlain, "SYS1"}}},
         true,
         L"WD-WX1"},
        {"a blank identify still fills the first slot",
         {{{DiskSerialForm::kIdentifyWords, std::string(20, ' ')}, AtaSerial()}, {}},
         true,
         L""},
        {"no drive data: the system's serial",
         {{}, {{DiskSerialForm::kPlain, " S4 EW"}}},
         true,
         L"S4EW"},
        {"a system serial must start with a letter or digit",
         {{}, {{DiskSerialForm::kPlain, "-x"}, {DiskSerialForm::kFlippedHex, "3231"}}},
         true,
         L"12"},
        {"media serial form", {{}, {{DiskSerialForm::kEveryFourthByte, "Q...7"}}}, true, L"Q7"},
        {"nothing acceptable", {{}, {{DiskSerialForm::kPlain, ""}}}, false, L""},
        {"serials are cut to 63 characters",
         {{}, {{DiskSerialForm::kPlain, std::string(80, 'Z')}}},
         true,
         std::wstring(63, L'Z')},
    };
    for (const Case& c : cases) {
        plat::fake::SetDiskSerials(c.serials);
        CMachineInfo info;
        std::wstring text;
        EXPECT_EQ(GetDiskSerial(info, text), c.found) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }
}

TEST_F(MachineId, DiskTableHoldsNoMoreThan32Serials) {
    plat::DiskSerials many;
    for (int i = 0; i < 40; ++i) {
        many.fromDrives.push_back(AtaSerial());
    }
    plat::fake::SetDiskSerials(many);
    CMachineInfo info;
    std::wstring text;
    EXPECT_TRUE(GetDiskSerial(info, text));
    EXPECT_EQ(info.m_nSlotCount, 32);
}

TEST_F(MachineId, AdapterChoice) {
    struct Case {
        const char* what;
        std::vector<NetworkAdapter> adapters;
        bool found;
        std::wstring text;
    };
    const Case cases[] = {
        {"the earlier of two physical adapters",
         {Adapter(false, true, 1), Adapter(true, true, 2), Adapter(true, true, 3)},
         true,
         L"02FC00000002"},
        {"on the PCI bus but not Ethernet",
         {Adapter(true, false, 1), Adapter(true, true, 2)},
         true,
         L"02FC00000002"},
        {"no physical adapter: the first one with an address",
         {{false, true, {}},
          {true, true, {0, 0, 0, 0, 0, 0}},
          Adapter(false, false, 7),
          Adapter(false, true, 8)},
         true,
         L"02FC00000007"},
        {"a long address gives its first six bytes",
         {{true, true, {0xAB, 1, 2, 3, 4, 5, 6, 7}}},
         true,
         L"AB0102030405"},
        {"no adapter", {}, false, L""},
    };
    for (const Case& c : cases) {
        plat::fake::SetNetworkAdapters(c.adapters);
        std::wstring text;
        EXPECT_EQ(GetMacAddress(text), c.found) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }
}

TEST_F(MachineId, DigestOfTheSingleByteText) {
    // Nothing readable: the digest of zero bytes.
    EXPECT_EQ(GetMachineId(L"", m_cache), L"d41d8cd98f00b204e9800998ecf8427e");
    plat::fake::SetProcessorSignature(kProcessor);
    plat::fake::SetDiskSerials({{}, {{DiskSerialForm::kPlain, "overlayblk"}}});
    plat::fake::SetNetworkAdapters({Adapter(false, true, 1)});
    EXPECT_EQ(GetMachineId(L"", m_cache), L"d0c1f7d812696dcc3285f8d79f0cbfb9");
    // A character beyond ASCII, such as a widened high byte, counts as "?".
    EXPECT_EQ(DigestHardwareText(L"WD-WX1\xFF90"
                                 L"02FC00000001"),
              L"7f9f26d9961d1a31b800bb30c5bd8077");
    EXPECT_EQ(DigestHardwareText(L"WD-WX1\x4E2D"
                                 L"02FC00000001"),
              L"7f9f26d9961d1a31b800bb30c5bd8077");
}

TEST_F(MachineId, StoredIdentifierIsReturnedWithoutReadingTheHardware) {
    EXPECT_EQ(GetMachineId(L"0123456789abcdef0123456789abcdef", m_cache),
              L"0123456789abcdef0123456789abcdef");
    const plat::fake::MachineReadCounts reads = plat::fake::MachineReads();
    EXPECT_EQ(reads.processor + reads.disks + reads.adapters, 0);
}

}  // namespace
