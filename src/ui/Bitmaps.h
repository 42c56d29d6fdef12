// Drawing and sizing resource bitmaps, shared by the image and button controls.
#pragma once

#include <initializer_list>

#include "platform/paint.h"

// Every pixel of this colour is left out when a bitmap is drawn with the key.
inline constexpr COLORREF kColorKey = 0xFF80FF;

HBITMAP LoadResourceBitmap(HINSTANCE instance, int id);
// The bitmap's size, or false when it has none.
bool GetBitmapSize(HBITMAP bitmap, int* width, int* height);
// The whole bitmap, stretched over dest, leaving out the key colour.
void DrawKeyed(HDC dc, HBITMAP bitmap, int width, int height, const RECT& dest);
// The whole bitmap, stretched over a rectangle of dest's size at the context's origin.
void DrawOpaque(HDC dc, HBITMAP bitmap, int width, int height, const RECT& dest);
void DeleteBitmaps(std::initializer_list<HBITMAP> bitmaps);
