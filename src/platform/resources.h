// The program's own resources (bitmaps, the PNG artwork, icons, strings), embedded at build time
// and looked up by id, and PNG decoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

#ifndef _WIN32

inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_ICON_GROUP = MAKEINTRESOURCEW(14);

// Resource bitmaps: 24-bit, as the program's BMP resources are; null when missing.
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// Raw resource bytes by id and type (a name such as L"PNG", or an integer type).
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);

#endif  // _WIN32

namespace plat {

// A decoded image, 8 bits per channel, rows top down, pixels in memory order B, G, R, A
// (straight alpha). Empty when the data is not a complete PNG.
struct ImageBgra {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

ImageBgra DecodePng(const void* data, std::size_t size);

// A 32-bit top-down bitmap of the given pixels, selectable into a memory context.
HBITMAP CreateBitmapFromBgra(const ImageBgra& image);

}  // namespace plat
