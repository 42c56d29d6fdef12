#include <fcntl.h>
#include <linux/hdreg.h>
#include <linux/nvme_ioctl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/common/file_head.h"
#include "platform/gtk/hardware_scan.h"

namespace plat {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMostDisks = 16;

bool IsFixedDisk(const fs::path& block) {
    std::error_code error;
    const std::string device = fs::canonical(block, error).string();
    return !error && device.find("/devices/virtual/") == std::string::npos &&
           ReadFileLine((block / "removable").string(), 16) == "0";
}

class Device {
public:
    explicit Device(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Device() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// Words 10 to 19 of ATA IDENTIFY DEVICE, which the kernel hands over in the processor's order.
bool AtaIdentifySerial(int fd, DiskSerial& out) {
    std::uint16_t identify[256] = {};
    if (::ioctl(fd, HDIO_GET_IDENTITY, identify) != 0) {
        return false;
    }
    out.form = DiskSerialForm::kIdentifyWords;
    out.bytes.clear();
    for (int word = 10; word < 20; ++word) {
        out.bytes += static_cast<char>(identify[word] & 0xFF);
        out.bytes += static_cast<char>(identify[word] >> 8);
    }
    return true;
}

// Bytes 4 to 23 of the NVMe identify-controller data: the serial number in ASCII.
bool NvmeIdentifySerial(int fd, DiskSerial& out) {
    alignas(4096) static thread_local std::uint8_t data[4096];
    nvme_admin_cmd command{};
    command.opcode = 0x06;  // identify
    command.addr = reinterpret_cast<std::uintptr_t>(data);
    command.data_len = sizeof data;
    command.cdw10 = 1;  // the controller's data structure
    if (::ioctl(fd, NVME_IOCTL_ADMIN_CMD, &command) != 0) {
        return false;
    }
    out.form = DiskSerialForm::kPlain;
    out.bytes.assign(reinterpret_cast<const char*>(data) + 4, 20);
    return true;
}

bool DriveSerial(const std::string& node, bool nvme, DiskSerial& out) {
    const Device device(node);
    if (device.fd() < 0) {
        return false;
    }
    return nvme ? NvmeIdentifySerial(device.fd(), out) : AtaIdentifySerial(device.fd(), out);
}

// The serial as the kernel's drivers expose it: NVMe and some others in device/serial, virtio in
// serial, SCSI and SATA in the unit serial number page (four header bytes, then the serial).
bool SystemSerial(const fs::path& block, DiskSerial& out) {
    out.form = DiskSerialForm::kPlain;
    for (const char* file : {"device/serial", "serial"}) {
        out.bytes = ReadFileLine((block / file).string(), 256);
        if (!out.bytes.empty()) {
            return true;
        }
    }
    const std::string page = ReadFileHead((block / "device/vpd_pg80").string(), 260);
    if (page.size() <= 4) {
        return false;
    }
    const std::size_t length =
        static_cast<std::uint8_t>(page[2]) << 8 | static_cast<std::uint8_t>(page[3]);
    out.bytes = page.substr(4, length);
    return !out.bytes.empty();
}

}  // namespace

DiskSerials linux_hw::FixedDiskSerialsUnder(const std::string& sysRoot,
                                            const std::string& devRoot) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(sysRoot + "/block", error), end; !error && it != end;
         it.increment(error)) {
        const fs::directory_entry& entry = *it;
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    DiskSerials serials;
    std::size_t disks = 0;
    for (const std::string& name : names) {
        const fs::path block = fs::path(sysRoot) / "block" / name;
        if (disks == kMostDisks || !IsFixedDisk(block)) {
            continue;
        }
        ++disks;
        DiskSerial serial{};
        if (DriveSerial(devRoot + "/" + name, name.rfind("nvme", 0) == 0, serial)) {
            serials.fromDrives.push_back(serial);
        }
        if (SystemSerial(block, serial)) {
            serials.fromSystem.push_back(serial);
        }
    }
    return serials;
}

DiskSerials ReadFixedDiskSerials() {
    return linux_hw::FixedDiskSerialsUnder("/sys", "/dev");
}

}  // namespace plat
