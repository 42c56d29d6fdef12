// Any hive file: looking keys up never fails, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "platform/common/wine_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream hive(std::string(reinterpret_cast<const char*>(data), size));
    (void)plat::wine::HiveHasAnyKey(hive, {L"SOFTWARE\\Sicent\\wx2004Clt", L"Software\\杭州"});
    return 0;
}
