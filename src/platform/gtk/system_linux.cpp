#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/system.h"

namespace plat {

bool CreateGuid(Guid& guid) {
    unsigned char bytes[16];
    std::size_t done = 0;
    while (done < sizeof bytes) {
        ssize_t n = ::getrandom(bytes + done, sizeof bytes - done, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    guid.data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
                 static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    guid.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    std::memcpy(guid.data4, bytes + 8, sizeof guid.data4);
    return true;
}

bool ToLocalTime(std::int64_t seconds, std::tm& out) {
    auto t = static_cast<std::time_t>(seconds);
    return static_cast<std::int64_t>(t) == seconds && ::localtime_r(&t, &out) != nullptr;
}

}  // namespace plat
