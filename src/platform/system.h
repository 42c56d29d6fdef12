// Readings of the system: identifiers and the local calendar.
#pragma once

#include <cstdint>
#include <ctime>

namespace plat {

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// A random (version 4) identifier; false when no randomness could be had.
bool CreateGuid(Guid& guid);

// Seconds since 1970 to the local calendar; false when the time cannot be converted.
bool ToLocalTime(std::int64_t seconds, std::tm& out);

}  // namespace plat
