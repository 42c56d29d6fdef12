// The machine identifier of the statistics reports: the MD5 digest of a hardware text made of the
// processor signature, the first fixed disk's serial and a network adapter's address.
#pragma once

#include <mutex>
#include <string>

#include "platform/machine.h"

// The disk-serial table of one composition: up to 32 serials, the first filled slot is used.
struct CMachineInfo {
    static constexpr int kSlots = 32;
    static constexpr std::size_t kSerialLength = 63;
    int m_nSlotCount = 0;
    int m_nReadIndex = 0;
    std::wstring m_strSerials[kSlots];
};

// The processor signature once it has been read; a reading that failed is tried again next time.
class CpuSignatureCache {
public:
    bool Get(std::wstring& signature);
    void Set(const std::wstring& signature);

private:
    std::mutex m_lock;
    bool m_bCached = false;
    std::wstring m_strSignature;
};

CpuSignatureCache& ProcessCpuSignatureCache();

// "%08X-%08X-%08X-%08X" of CPUID leaf 1; 1 when the caller appends out (which may be empty),
// 0 when the processor gives no reading to this process.
int GetCpuSignature(CpuSignatureCache& cache, std::wstring& out);

// Fills the table from the drives' own data, or when that gives nothing from the system's
// reports, then hands out the first slot.
bool GetDiskSerial(CMachineInfo& info, std::wstring& out);

bool IsPhysicalAdapter(const plat::NetworkAdapter& adapter);

// The first physical adapter's address, else the first adapter's that has one, as 12 uppercase
// hexadecimal digits.
bool GetMacAddress(std::wstring& out);

std::wstring ComposeHardwareText(CpuSignatureCache& cache = ProcessCpuSignatureCache());

// The lowercase hexadecimal MD5 of the text in a single-byte encoding: ASCII as it is, every
// other character as "?".
std::wstring DigestHardwareText(const std::wstring& hardwareText);

// stored when it is not empty; otherwise the identifier of this machine, for the caller to keep.
std::wstring GetMachineId(const std::wstring& stored,
                          CpuSignatureCache& cache = ProcessCpuSignatureCache());
