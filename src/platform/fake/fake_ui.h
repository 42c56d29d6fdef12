// The in-memory windowing backend as the tests see it: what the forms did to their windows and
// what they drew, and ways to drive them with input and settings as the system would.
//
// It follows Windows where a form could tell the difference: WM_CREATE arrives from inside
// CreateWindowExW (with lParam 0: the interface has no CREATESTRUCT), WM_MOVE from inside the
// call that moved the window, hidden windows are never painted (their invalid area waits until
// they are shown and updated), layered calls fail on windows without WS_EX_LAYERED, and
// SetWindowPos with HWND_TOPMOST adds WS_EX_TOPMOST.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/menus.h"
#include "platform/paint.h"
#include "platform/resources.h"
#include "platform/window.h"

namespace plat::fake {

// Forgets every window, class, message, log, setting and registration. Handles are never
// reused, not even across a reset.
void Reset();

// ---- Windows ----

struct WindowInfo {
    std::wstring className;
    std::wstring text;
    DWORD style = 0;  // WS_VISIBLE tells the visibility
    DWORD exStyle = 0;
    int x = 0;  // relative to the parent's client area for child windows
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    bool minimized = false;
    bool destroyed = false;

    bool visible() const { return (style & WS_VISIBLE) != 0; }
};

// Nothing for a handle the fake never made; destroyed windows are kept.
std::optional<WindowInfo> WindowState(HWND hwnd);
// Every window made since the reset, in the order of creation, destroyed ones included.
std::vector<HWND> AllWindows();
HWND ForegroundWindow();
// What SystemParametersInfoW(SPI_GETWORKAREA) reports; (0, 0, 1920, 1040) after a reset.
void SetWorkArea(const RECT& area);

// ---- Call log ----

// One call of SetWindowPos, MoveWindow, ShowWindow, UpdateWindow, RedrawWindow,
// SetForegroundWindow, SetLayeredWindowAttributes, UpdateLayeredWindow, TrackMouseEvent,
// SetCursor, ReleaseCapture, MessageBoxW, or of DefWindowProcW with WM_SYSCOMMAND SC_MOVE (the
// start of a drag). Fields that a function does not have stay zero.
struct Call {
    std::string function;        // the Win32 name, e.g. "SetWindowPos"
    HWND hwnd = nullptr;         // MessageBoxW: the owner; TrackMouseEvent: hwndTrack
    HWND insertAfter = nullptr;  // SetWindowPos
    int x = 0;                   // SetWindowPos, MoveWindow; UpdateLayeredWindow's position
    int y = 0;                   //   (the window's own when none was passed)
    int cx = 0;                  // SetWindowPos, MoveWindow; UpdateLayeredWindow's size
    int cy = 0;                  //   (the window's own when none was passed)
    UINT flags = 0;              // the flags argument; MoveWindow: repaint; MessageBoxW: type
    int command = 0;             // ShowWindow
    std::optional<RECT> rect;    // RedrawWindow
    COLORREF key = 0;            // SetLayeredWindowAttributes, UpdateLayeredWindow
    BYTE alpha = 0;              // SetLayeredWindowAttributes
    BLENDFUNCTION blend{};       // UpdateLayeredWindow
    DWORD hoverTime = 0;         // TrackMouseEvent
    HCURSOR cursor = nullptr;    // SetCursor
    WPARAM wParam = 0;           // DefWindowProcW's drag: SC_MOVE with the hit-test code
    std::wstring text;           // MessageBoxW
    std::wstring caption;        // MessageBoxW
    // TrackPopupMenu: the items offered (x, y: the position, flags, hwnd: the owner).
    std::vector<plat::MenuItem> menu;
    // Shell_NotifyIconW: command is the NIM_ message, hwnd, flags, wParam, text the record's
    // hWnd, uFlags, uID and szTip.
    UINT callbackMessage = 0;
    HICON icon = nullptr;
};

std::vector<Call> Calls();
std::vector<Call> CallsTo(const std::string& function);
void ClearCalls();

// ---- Messages and input ----

// Calls the window's procedure as the system delivers mouse input: lParam MAKELPARAM(x, y)
// in client coordinates, wParam the key state. The cursor position follows, in screen
// coordinates.
LRESULT SendMouse(HWND hwnd, UINT message, int x, int y, WPARAM keys = 0);
// The mouse leaves the window: WM_MOUSELEAVE when TrackMouseEvent asked for it, which ends the
// tracking (hover included). False when nothing was tracked, so nothing was sent.
bool LeaveWindow(HWND hwnd);
// The mouse rests at (x, y): WM_MOUSEHOVER when hover was tracked, which ends hover tracking.
bool RestMouse(HWND hwnd, int x, int y);
// The system asks for the whole client area (an expose): WM_PAINT now, if the window is
// visible. False when it is hidden, so nothing was painted.
bool Paint(HWND hwnd);
// Dispatches posted messages, then paints of visible invalid windows, until none is left; a
// posted quit stays for GetMessageW. Returns how many messages were dispatched.
int PumpMessages();
// The posted messages not yet retrieved, oldest first.
std::vector<MSG> PendingMessages();
// The exit code of a PostQuitMessage that GetMessageW has not yet returned.
std::optional<int> PendingQuit();

void SetCursorPosition(POINT screen);
void SetKeyDown(int virtualKey, bool down);
HCURSOR ArrowCursor();
HCURSOR HandCursor();
// The cursor last set with SetCursor; null after a reset.
HCURSOR CurrentCursor();

// The answer of the next MessageBoxW; without one it answers IDNO to MB_YESNO, IDOK otherwise.
void PushMessageBoxAnswer(int answer);

// ---- Menus and the notification area ----

// The command the next TrackPopupMenu returns; without one the menu is dismissed (0).
void PushMenuChoice(UINT id);
// Whether the desktop takes icons into a notification area; true after a reset.
void SetTrayAvailable(bool available);
// The icons shown now, in the order they were added.
std::vector<NOTIFYICONDATAW> TrayIcons();

// ---- Layered windows ----

struct LayeredAttributes {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

struct LayeredUpdate {
    std::optional<POINT> position;
    std::optional<SIZE> size;
    POINT sourcePosition{};
    COLORREF key = 0;
    BLENDFUNCTION blend{};
    DWORD flags = 0;
    // The shown area of the source bitmap (premultiplied BGRA); empty when the source
    // context held no 32-bit bitmap.
    ImageBgra pixels;
};

std::optional<LayeredAttributes> LayeredAttributesOf(HWND hwnd);
std::optional<LayeredUpdate> LastLayeredUpdate(HWND hwnd);

// ---- Painting ----

struct FontInfo {
    std::wstring face;
    int height = 0;
    int weight = 0;
    bool underline = false;
};

// One drawing call: "BitBlt", "StretchBlt", "TransparentBlt", "AlphaBlend" or "DrawText"
// (DrawTextW with DT_CALCRECT draws nothing and is not recorded).
struct DrawOp {
    std::string kind;
    RECT dest{};
    RECT source{};                 // blits: right = x + width, bottom = y + height
    int sourceId = 0;              // resource id of the source bitmap; 0 for memory bitmaps
    COLORREF key = 0;              // TransparentBlt
    DWORD rop = 0;                 // BitBlt, StretchBlt
    BLENDFUNCTION blend{};         // AlphaBlend
    std::wstring text;             // DrawText
    UINT format = 0;               // DrawText
    std::optional<FontInfo> font;  // the selected font; none for the context's default font
    COLORREF textColor = 0;
    int bkMode = OPAQUE;
};

// What was drawn on a window through BeginPaint or GetDC contexts.
std::vector<DrawOp> DrawOps(HWND hwnd);
// What was drawn on a memory context (or a GetDC(nullptr) one), also after its deletion.
std::vector<DrawOp> DrawOps(HDC dc);
void ClearDrawOps();

std::optional<FontInfo> FontOf(HFONT font);
// Pixels of a 32-bit bitmap (BGRA, top down); empty for resource bitmaps.
ImageBgra BitmapPixels(HBITMAP bitmap);
// Bitmaps and fonts made and not yet deleted.
std::size_t LiveGdiObjects();
// Text measures characters × this width (10 after a reset) by the absolute height of the
// selected font (16 for the default font or a height of 0).
void SetCharWidth(int pixels);

// ---- Resources ----

// LoadBitmapW(_, MAKEINTRESOURCEW(id)) then yields a 24-bit bitmap of this size.
void RegisterBitmap(WORD id, int width, int height);
void RegisterIcon(WORD id);
void RegisterString(UINT id, std::wstring text);
// Raw bytes for FindResourceW; type is a name such as L"PNG", or "#n" for the integer type n.
void RegisterResource(WORD id, std::wstring type, std::vector<std::uint8_t> bytes);
// A resource of type "PNG" whose bytes DecodePng turns into this image. DecodePng yields an
// empty image for any other bytes: the fake has no decoder.
void RegisterPng(WORD id, ImageBgra image);

}  // namespace plat::fake
