#include "stats/SerialText.h"

namespace {

wchar_t Widen(char byte) {
    return static_cast<wchar_t>(static_cast<std::uint16_t>(static_cast<std::int8_t>(byte)));
}

std::string_view UpToZero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 0;
}

}  // namespace

std::wstring SerialBytesToText(std::string_view bytes) {
    std::wstring text;
    for (char byte : UpToZero(bytes)) {
        if (byte != ' ') {
            text += Widen(byte);
        }
    }
    return text;
}

std::wstring IdentifyWordsToText(const std::uint16_t words[10]) {
    std::string bytes;
    for (int i = 0; i < 10; ++i) {
        bytes += static_cast<char>(words[i] >> 8);
        bytes += static_cast<char>(words[i] & 0xFF);
    }
    return SerialBytesToText(bytes);
}

std::wstring DecodeFlippedHexSerial(std::string_view bytes) {
    const std::size_t length = UpToZero(bytes).size();
    std::wstring text;
    if (length == 0) {
        return text;
    }
    // A short last group reads past the text into the zeros after it, never past the buffer.
    auto at = [bytes](std::size_t i) { return i < bytes.size() ? bytes[i] : '\0'; };
    for (std::size_t group = 0; group < (length - 1) / 4 + 1; ++group) {
        for (std::size_t pair : {group * 4 + 2, group * 4}) {
            const int value = HexDigit(at(pair)) * 16 + HexDigit(at(pair + 1));
            if (value > 0 && value != 0x20) {
                text += Widen(static_cast<char>(value));
            }
        }
    }
    return text;
}

std::wstring TakeEveryFourthByte(std::string_view bytes) {
    const std::string_view serial = UpToZero(bytes);
    std::wstring text;
    for (std::size_t i = 0; i < serial.size(); i += 4) {
        if (serial[i] != ' ') {
            text += Widen(serial[i]);
        }
    }
    return text;
}
