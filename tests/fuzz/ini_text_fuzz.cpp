// Any settings file: reading never fails, and a write changes only what it must.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/common/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    (void)plat::ini::FindValue(content, L"Common", L"RunCount");
    (void)plat::ini::FindValue(content, L"Install", L"InstallTime");

    const std::string written = plat::ini::SetValue(content, L"Install", L"GUID", "F00D");
    if (plat::ini::FindValue(written, L"install", L"guid") != std::string("F00D")) {
        std::abort();  // a write that does not read back
    }
    const std::string again = plat::ini::SetValue(written, L"Install", L"GUID", "F00D");
    if (again != written) {
        std::abort();  // writing the same value twice must change nothing the second time
    }
    return 0;
}
