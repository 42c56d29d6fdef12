#include "stats/MachineId.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "stats/Md5.h"
#include "stats/SerialText.h"

bool CpuSignatureCache::Get(std::wstring& signature) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_bCached) {
        signature = m_strSignature;
    }
    return m_bCached;
}

void CpuSignatureCache::Set(const std::wstring& signature) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_strSignature = signature;
    m_bCached = true;
}

CpuSignatureCache& ProcessCpuSignatureCache() {
    static CpuSignatureCache cache;
    return cache;
}

int GetCpuSignature(CpuSignatureCache& cache, std::wstring& out) {
    if (cache.Get(out)) {
        return 1;
    }
    plat::CpuidRegisters registers{};
    if (!plat::ReadProcessorSignature(registers)) {
        return 0;
    }
    wchar_t buffer[36];
    std::swprintf(buffer, 36, L"%08X-%08X-%08X-%08X", registers.eax, registers.ebx, registers.ecx,
                  registers.edx);
    out = buffer;
    cache.Set(out);
    return 1;
}

namespace {

std::wstring SerialText(const plat::DiskSerial& serial) {
    switch (serial.form) {
        case plat::DiskSerialForm::kIdentifyWords: {
            std::uint16_t words[10] = {};
            for (std::size_t i = 0; i < 20 && i < serial.bytes.size(); ++i) {
                words[i / 2] |= static_cast<std::uint16_t>(
                    static_cast<std::uint8_t>(serial.bytes[i]) << (i % 2 == 0 ? 0 : 8));
            }
            return IdentifyWordsToText(words);
        }
        case plat::DiskSerialForm::kFlippedHex:
            return DecodeFlippedHexSerial(serial.bytes);
        case plat::DiskSerialForm::kEveryFourthByte:
            return TakeEveryFourthByte(serial.bytes);
        case plat::DiskSerialForm::kPlain:
            break;
    }
    return SerialBytesToText(serial.bytes);
}

bool IsAsciiLetterOrDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// A drive's identify data counts even when its serial is blank; the other sources only with a
// serial that starts like one.
bool Acceptable(const plat::DiskSerial& serial, const std::wstring& text) {
    return serial.form == plat::DiskSerialForm::kIdentifyWords ||
           (!text.empty() && IsAsciiLetterOrDigit(text.front()));
}

bool TakeSerials(CMachineInfo& info, const std::vector<plat::DiskSerial>& serials) {
    bool taken = false;
    for (const plat::DiskSerial& serial : serials) {
        if (info.m_nSlotCount >= CMachineInfo::kSlots) {
            break;
        }
        std::wstring text = SerialText(serial);
        if (Acceptable(serial, text)) {
            text.resize(std::min(text.size(), CMachineInfo::kSerialLength));
            info.m_strSerials[info.m_nSlotCount++] = std::move(text);
            taken = true;
        }
    }
    return taken;
}

}  // namespace

bool GetDiskSerial(CMachineInfo& info, std::wstring& out) {
    info.m_nReadIndex = 0;
    const plat::DiskSerials serials = plat::ReadFixedDiskSerials();
    if (!TakeSerials(info, serials.fromDrives)) {
        TakeSerials(info, serials.fromSystem);
    }
    if (info.m_nReadIndex >= info.m_nSlotCount) {
        return false;
    }
    out = info.m_strSerials[0];
    ++info.m_nReadIndex;
    return true;
}

bool IsPhysicalAdapter(const plat::NetworkAdapter& adapter) {
    return adapter.onPciBus && adapter.ethernet;
}

namespace {

bool HasHardwareAddress(const plat::NetworkAdapter& adapter) {
    if (adapter.address.size() < 6) {
        return false;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (adapter.address[i] != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool GetMacAddress(std::wstring& out) {
    const std::vector<plat::NetworkAdapter> adapters = plat::ListNetworkAdapters();
    const plat::NetworkAdapter* chosen = nullptr;
    for (const plat::NetworkAdapter& adapter : adapters) {
        if (IsPhysicalAdapter(adapter) && HasHardwareAddress(adapter)) {
            chosen = &adapter;
            break;
        }
        if (chosen == nullptr && HasHardwareAddress(adapter)) {
            chosen = &adapter;
        }
    }
    if (chosen == nullptr) {
        return false;
    }
    const std::vector<std::uint8_t>& a = chosen->address;
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%02X%02X%02X%02X%02X%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
    out = buffer;
    return true;
}

std::wstring ComposeHardwareText(CpuSignatureCache& cache) {
    std::wstring text;
    std::wstring processor;
    if (GetCpuSignature(cache, processor) == 1) {
        text += processor;
    }
    CMachineInfo info;
    std::wstring disk;
    if (GetDiskSerial(info, disk)) {
        text += disk;
    }
    std::wstring mac;
    if (GetMacAddress(mac)) {
        text += mac;
    }
    return text;
}

std::wstring DigestHardwareText(const std::wstring& hardwareText) {
    std::string bytes;
    bytes.reserve(hardwareText.size());
    for (wchar_t c : hardwareText) {
        bytes += c >= 0 && c < 0x80 ? static_cast<char>(c) : '?';
    }
    Md5Context context;
    Md5Init(context);
    Md5Update(context, bytes.data(), bytes.size());
    const std::array<std::uint8_t, 16> digest = Md5Final(context);
    return ToLowerHex(digest.data(), digest.size());
}

std::wstring GetMachineId(const std::wstring& stored, CpuSignatureCache& cache) {
    return stored.empty() ? DigestHardwareText(ComposeHardwareText(cache)) : stored;
}
