// The vocabulary the system is written in: Win32's types, handles and constants, with Win32's
// names and values. On Windows it is <windows.h> itself, so every number stands once and the
// backend passes calls straight through; elsewhere these declarations stand in for it.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using SHORT = std::int16_t;
using ATOM = WORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;
using WCHAR = wchar_t;
using LPCWSTR = const wchar_t*;
using LPWSTR = wchar_t*;
using HANDLE = void*;
using HRESULT = LONG;

// Handles are distinct pointer types so that they cannot be mixed up; the objects behind them
// belong to the backend.
struct HWND__;
struct HINSTANCE__;
struct HMENU__;
struct HICON__;
struct HCURSOR__;
struct HRGN__;
struct HDC__;
struct HBITMAP__;
struct HFONT__;
struct HRSRC__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HMENU = HMENU__*;
using HICON = HICON__*;
using HCURSOR = HCURSOR__*;
using HRGN = HRGN__*;
using HDC = HDC__*;
using HGDIOBJ = void*;  // any GDI object, as on Windows
using HBITMAP = HBITMAP__*;
using HFONT = HFONT__*;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;
using HBRUSH = void*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
};
inline constexpr BYTE AC_SRC_OVER = 0x00;
inline constexpr BYTE AC_SRC_ALPHA = 0x01;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | static_cast<COLORREF>(g) << 8 | static_cast<COLORREF>(b) << 16;
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>(c >> 16); }
constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(static_cast<DWORD>(low) | static_cast<DWORD>(high) << 16);
}
// Integer resource ids travel in name arguments, as on Windows.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) {
    return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

#endif  // _WIN32
