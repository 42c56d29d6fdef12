// MD5 (RFC 1321), our own so that the system needs no library for the machine identifier.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct Md5Context {
    std::uint32_t state[4];
    std::uint32_t count[2];  // message length in bits, low half first
    std::uint8_t buffer[64];
    bool finalized;
    std::uint8_t digest[16];
};

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const void* data, std::size_t size);
std::array<std::uint8_t, 16> Md5Final(Md5Context& context);
void Md5Transform(std::uint32_t state[4], const std::uint8_t block[64]);

// Two lowercase hexadecimal digits per byte, high nibble first.
std::wstring ToLowerHex(const std::uint8_t* bytes, std::size_t size);
