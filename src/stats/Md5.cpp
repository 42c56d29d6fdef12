#include "stats/Md5.h"

#include <cstring>

namespace {

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

std::uint32_t RotateLeft(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

}  // namespace

void Md5Init(Md5Context& context) {
    context = Md5Context{};
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
}

void Md5Transform(std::uint32_t state[4], const std::uint8_t block[64]) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = static_cast<std::uint32_t>(block[i * 4]) |
               static_cast<std::uint32_t>(block[i * 4 + 1]) << 8 |
               static_cast<std::uint32_t>(block[i * 4 + 2]) << 16 |
               static_cast<std::uint32_t>(block[i * 4 + 3]) << 24;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        const int round = i / 16;
        std::uint32_t f;
        int k;
        if (round == 0) {
            f = (b & c) | (~b & d);
            k = i;
        } else if (round == 1) {
            f = (b & d) | (c & ~d);
            k = (5 * i + 1) % 16;
        } else if (round == 2) {
            f = b ^ c ^ d;
            k = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            k = (7 * i) % 16;
        }
        const std::uint32_t rotated = b + RotateLeft(a + f + kSine[i] + x[k], kShift[round][i % 4]);
        a = d;
        d = c;
        c = b;
        b = rotated;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

void Md5Update(Md5Context& context, const void* data, std::size_t size) {
    if (context.finalized) {
        return;  // the digest is taken; more bytes would silently not be in it
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t used = (context.count[0] >> 3) & 0x3F;
    const std::uint64_t bits =
        (static_cast<std::uint64_t>(context.count[1]) << 32 | context.count[0]) +
        (static_cast<std::uint64_t>(size) << 3);
    context.count[0] = static_cast<std::uint32_t>(bits);
    context.count[1] = static_cast<std::uint32_t>(bits >> 32);
    while (size > 0) {
        const std::size_t take = size < 64 - used ? size : 64 - used;
        std::memcpy(context.buffer + used, bytes, take);
        used += take;
        bytes += take;
        size -= take;
        if (used == 64) {
            Md5Transform(context.state, context.buffer);
            used = 0;
        }
    }
}

std::array<std::uint8_t, 16> Md5Final(Md5Context& context) {
    if (!context.finalized) {
        std::uint8_t length[8];
        for (int i = 0; i < 4; ++i) {
            length[i] = static_cast<std::uint8_t>(context.count[0] >> (8 * i));
            length[i + 4] = static_cast<std::uint8_t>(context.count[1] >> (8 * i));
        }
        const std::size_t used = (context.count[0] >> 3) & 0x3F;
        static const std::uint8_t kPadding[64] = {0x80};
        Md5Update(context, kPadding, used < 56 ? 56 - used : 120 - used);
        Md5Update(context, length, sizeof length);
        for (int i = 0; i < 16; ++i) {
            context.digest[i] = static_cast<std::uint8_t>(context.state[i / 4] >> (8 * (i % 4)));
        }
        context.finalized = true;
    }
    std::array<std::uint8_t, 16> digest;
    std::memcpy(digest.data(), context.digest, digest.size());
    return digest;
}

std::wstring ToLowerHex(const std::uint8_t* bytes, std::size_t size) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}
