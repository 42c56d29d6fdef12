#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/gtk/hardware_scan.h"
#include "support/TestEnvironment.h"

using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A block device in the kernel's layout: the entry in block/ links to the device's folder.
void AddDisk(const std::string& sys, const std::string& name, const std::string& parent,
             const std::string& removable) {
    const std::string device = sys + "/devices/" + parent + "/block/" + name;
    fs::create_directories(device + "/device");
    WriteFile(device + "/removable", removable + "\n");
    fs::create_directories(sys + "/block");
    fs::create_directory_symlink(device, sys + "/block/" + name);
}

TEST(HardwareScan, DiskSerialsOfFixedDisksOnly) {
    TempDir root;
    const std::string sys = root.path() + "/sys";
    const std::string dev = root.path() + "/dev";
    fs::create_directories(dev);
    AddDisk(sys, "loop0", "virtual", "0");
    WriteFile(sys + "/block/loop0/serial", "LOOP\n");
    AddDisk(sys, "sr0", "pci0000:00/ata2", "1");
    WriteFile(sys + "/block/sr0/device/serial", "CDROM\n");
    AddDisk(sys, "nvme0n1", "pci0000:00/nvme", "0");
    WriteFile(sys + "/block/nvme0n1/device/serial", "S4EWNX0N    \n");
    AddDisk(sys, "sda", "pci0000:00/ata1", "0");
    WriteFile(sys + "/block/sda/device/vpd_pg80", "\x00\x80\x00\x09  WD-W X1trailing"s);
    AddDisk(sys, "vda", "pci0000:00/virtio1", "0");
    WriteFile(sys + "/block/vda/serial", "overlayblk");
    AddDisk(sys, "vdb", "pci0000:00/virtio2", "0");  // answers nothing
    // Device nodes that answer no identify request, as on a machine that does not allow it.
    for (const char* node : {"nvme0n1", "sda", "vda", "vdb"}) {
        WriteFile(dev + "/" + node, "");
    }

    const plat::DiskSerials serials = plat::linux_hw::FixedDiskSerialsUnder(sys, dev);
    EXPECT_TRUE(serials.fromDrives.empty());
    ASSERT_EQ(serials.fromSystem.size(), 3u);
    EXPECT_EQ(serials.fromSystem[0].bytes, "S4EWNX0N");
    EXPECT_EQ(serials.fromSystem[1].bytes, "  WD-W X1");
    EXPECT_EQ(serials.fromSystem[2].bytes, "overlayblk");
    for (const plat::DiskSerial& serial : serials.fromSystem) {
        EXPECT_EQ(serial.form, plat::DiskSerialForm::kPlain);
    }
}

TEST(HardwareScan, AtMostSixteenDisksAreAsked) {
    TempDir root;
    const std::string sys = root.path() + "/sys";
    for (int i = 0; i < 20; ++i) {
        const std::string name = "sd" + std::string(1, static_cast<char>('a' + i));
        AddDisk(sys, name, "pci0000:00/ata", "0");
        WriteFile(sys + "/block/" + name + "/serial", name);
    }
    const plat::DiskSerials serials =
        plat::linux_hw::FixedDiskSerialsUnder(sys, root.path() + "/none");
    ASSERT_EQ(serials.fromSystem.size(), 16u);
    EXPECT_EQ(serials.fromSystem.back().bytes, "sdp");
}

TEST(HardwareScan, MissingOrBrokenFoldersGiveNothing) {
    TempDir root;
    EXPECT_TRUE(
        plat::linux_hw::FixedDiskSerialsUnder(root.path() + "/x", root.path()).fromSystem.empty());
    EXPECT_TRUE(plat::linux_hw::AdaptersUnder(root.path() + "/x").empty());
    // A vital product page shorter than its header, and one whose length runs past its end.
    AddDisk(root.path(), "sda", "pci/ata", "0");
    WriteFile(root.path() + "/block/sda/device/vpd_pg80", "\x00\x80"s);
    AddDisk(root.path(), "sdb", "pci/ata", "0");
    WriteFile(root.path() + "/block/sdb/device/vpd_pg80", "\x00\x80\xFF\xFFZ9"s);
    const plat::DiskSerials serials = plat::linux_hw::FixedDiskSerialsUnder(root.path(), "/x");
    ASSERT_EQ(serials.fromSystem.size(), 1u);
    EXPECT_EQ(serials.fromSystem[0].bytes, "Z9");
}

void AddAdapter(const std::string& sys, const std::string& name, int index, const char* bus,
                const std::string& address) {
    const std::string folder = sys + "/devices/" + name;
    fs::create_directories(folder);
    WriteFile(folder + "/type", "1\n");
    WriteFile(folder + "/ifindex", std::to_string(index) + "\n");
    WriteFile(folder + "/address", address + "\n");
    if (bus != nullptr) {
        fs::create_directories(sys + "/bus/" + bus);
        fs::create_directories(folder + "/device");
        fs::create_directory_symlink(sys + "/bus/" + bus, folder + "/device/subsystem");
    }
    fs::create_directories(sys + "/class/net");
    fs::create_directory_symlink(folder, sys + "/class/net/" + name);
}

TEST(HardwareScan, AdaptersInIndexOrderWithoutVirtualOnes) {
    TempDir root;
    const std::string sys = root.path() + "/sys";
    AddAdapter(sys, "usb0", 12, "usb", "02:00:00:00:00:0c");
    AddAdapter(sys, "eth0", 4, "pci", "52:54:00:ab:cd:ef");
    AddAdapter(sys, "ifb0", 2, nullptr, "da:39:f9:79:1b:71");  // made up at each start
    AddAdapter(sys, "wlan0", 3, "pci", "00:11:22:33:44:55");
    fs::create_directories(sys + "/devices/wlan0/wireless");
    AddAdapter(sys, "odd0", 5, "pci", "zz:11");
    WriteFile(sys + "/devices/odd0/type", "772\n");

    const std::vector<plat::NetworkAdapter> adapters = plat::linux_hw::AdaptersUnder(sys);
    ASSERT_EQ(adapters.size(), 4u);
    const std::vector<std::uint8_t> eth0 = {0x52, 0x54, 0x00, 0xAB, 0xCD, 0xEF};
    EXPECT_TRUE(adapters[0].onPciBus);  // wlan0
    EXPECT_FALSE(adapters[0].ethernet);
    EXPECT_TRUE(adapters[1].onPciBus);  // eth0
    EXPECT_TRUE(adapters[1].ethernet);
    EXPECT_EQ(adapters[1].address, eth0);
    EXPECT_FALSE(adapters[2].ethernet);  // odd0: not Ethernet, address unreadable
    EXPECT_TRUE(adapters[2].address.empty());
    EXPECT_FALSE(adapters[3].onPciBus);  // usb0
    EXPECT_TRUE(adapters[3].ethernet);
}

}  // namespace
