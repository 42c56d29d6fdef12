// Readings of the machine's hardware for its fingerprint: processor, disks, network adapters.
// Every reading may be unavailable; none reports why.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

struct CpuidRegisters {
    std::uint32_t eax, ebx, ecx, edx;
};

// CPUID leaf 1 of the machine's first processor, read with the calling thread pinned to it and
// its affinity restored afterwards (leaf 1 carries the processor's own APIC id, so another
// processor would give another signature). False when the caller's affinity is already narrower
// than the machine's, or when no reading could be made.
bool ReadProcessorSignature(CpuidRegisters& out);

// How the bytes of a disk serial are to be read as text.
enum class DiskSerialForm {
    kIdentifyWords,   // ATA IDENTIFY words 10 to 19, each as two bytes, high byte first
    kPlain,           // characters as the drive or kernel gives them
    kFlippedHex,      // a storage descriptor's hexadecimal pairs, swapped in groups of four
    kEveryFourthByte  // a media serial that holds one character in every fourth byte
};

struct DiskSerial {
    DiskSerialForm form;
    std::string bytes;
};

// The fixed disks' serials, at most one per disk from each source, disks in a stable order and
// removable or virtual devices left out.
struct DiskSerials {
    std::vector<DiskSerial> fromDrives;  // the drives' own identify data
    std::vector<DiskSerial> fromSystem;  // what the operating system reports about the disks
};
DiskSerials ReadFixedDiskSerials();

struct NetworkAdapter {
    bool onPciBus;
    bool ethernet;
    std::vector<std::uint8_t> address;  // the hardware address; empty when it has none
};

// The adapters of real devices in the system's order; virtual interfaces (loopback, bridges,
// tunnels), whose addresses are often made up anew at each start, are left out.
std::vector<NetworkAdapter> ListNetworkAdapters();

}  // namespace plat
