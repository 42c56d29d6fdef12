// Painting: the GDI subset the controls draw with. The Linux backend draws with cairo and Pango;
// memory bitmaps are 32-bit premultiplied BGRA, as Windows' DIB sections are.
#pragma once

#include "platform/win_types.h"

#ifndef _WIN32

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
inline constexpr DWORD FF_SWISS = 0x20;

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// A context for measuring text and for making compatible bitmaps; drawing into it is lost.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
// Bitmaps: bmWidth, bmHeight and bmBitsPixel (24 for resource bitmaps, 32 for memory ones).
int GetObjectW(HGDIOBJ object, int size, void* out);

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                int sw, int sh, DWORD rop);
// Stretched copy that leaves out every source pixel of the key colour.
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                    int sw, int sh, UINT key);
BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                int sh, BLENDFUNCTION blend);

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight,
                  DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                  DWORD outPrecision, DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                  LPCWSTR face);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF color);
// One line of text. With DT_CALCRECT nothing is drawn: right and bottom become the text's
// extent. Returns the text's height.
int DrawTextW(HDC dc, LPCWSTR text, int length, RECT* rect, UINT format);

#endif  // _WIN32
