// The conversions from the bytes a disk reports to serial texts. Every byte that becomes a
// character is widened as a signed 8-bit value (0x80 to 0xFF become U+FF80 to U+FFFF), so the
// machine identifier stays the one the client has always computed for the same disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// ATA IDENTIFY words 10 to 19 (the drive's serial number): high byte then low byte of each word;
// spaces are dropped wherever they stand, a zero byte ends the text.
std::wstring IdentifyWordsToText(const std::uint16_t words[10]);

// A serial given as hexadecimal pairs swapped within groups of four positions. bytes is the whole
// buffer from the serial's first byte, so that a short last group reads the zeros that follow
// the text as the device's descriptor does; the text ends at the first zero byte.
std::wstring DecodeFlippedHexSerial(std::string_view bytes);

// The bytes at positions 0, 4, 8, ... before the first zero byte, spaces dropped.
std::wstring TakeEveryFourthByte(std::string_view bytes);

// Every byte before the first zero byte, spaces dropped: a serial the drive or kernel gives as
// plain characters.
std::wstring SerialBytesToText(std::string_view bytes);
