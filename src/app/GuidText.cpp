#include "app/GuidText.h"

#include <cwchar>
#include <mutex>

#include "platform/system.h"

std::wstring NewGuidText() {
    static std::mutex& lock = *new std::mutex;  // never destroyed: used until the process ends
    static wchar_t buffer[128];
    std::lock_guard<std::mutex> guard(lock);
    plat::Guid guid{};
    if (plat::CreateGuid(guid)) {
        std::swprintf(buffer, 128, L"%.8X-%.4X-%.4X-%.2X%.2X-%.2X%.2X%.2X%.2X%.2X%.2X",
                      guid.data1, guid.data2, guid.data3, guid.data4[0], guid.data4[1],
                      guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6],
                      guid.data4[7]);
    }
    return buffer;
}
