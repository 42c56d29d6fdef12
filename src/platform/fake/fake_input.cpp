// The mouse and the keyboard: input injected by the tests, tracking, capture and cursors.
#include <limits>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

// System cursors are shared objects on Windows: the same handle on every load, even across a
// reset, and never one of the fake's own handles.
const HCURSOR kArrow = reinterpret_cast<HCURSOR>(std::uintptr_t{0x100});
const HCURSOR kHand = reinterpret_cast<HCURSOR>(std::uintptr_t{0x101});

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// Ends the tracking of the given kinds and tells whether one of them was outstanding.
bool EndTracking(HWND hwnd, DWORD ended, DWORD wanted) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || (window->tracking & wanted) == 0) {
        return false;
    }
    window->tracking &= ~ended;
    return true;
}

}  // namespace

namespace plat::fake {

LRESULT SendMouse(HWND hwnd, UINT message, int x, int y, WPARAM keys) {
    const POINT origin = ScreenOrigin(hwnd);
    TheState().cursorPosition = {origin.x + x, origin.y + y};
    return Deliver(hwnd, message, keys, PointParam(x, y));
}

bool LeaveWindow(HWND hwnd) {
    if (!EndTracking(hwnd, TME_LEAVE | TME_HOVER, TME_LEAVE)) {
        return false;
    }
    Deliver(hwnd, WM_MOUSELEAVE, 0, 0);
    return true;
}

bool RestMouse(HWND hwnd, int x, int y) {
    if (!EndTracking(hwnd, TME_HOVER, TME_HOVER)) {
        return false;
    }
    Deliver(hwnd, WM_MOUSEHOVER, 0, PointParam(x, y));
    return true;
}

void SetCursorPosition(POINT screen) {
    TheState().cursorPosition = screen;
}

void SetKeyDown(int virtualKey, bool down) {
    if (down) {
        TheState().keysDown.insert(virtualKey);
    } else {
        TheState().keysDown.erase(virtualKey);
    }
}

HCURSOR ArrowCursor() {
    return kArrow;
}
HCURSOR HandCursor() {
    return kHand;
}
HCURSOR CurrentCursor() {
    return TheState().cursor;
}

}  // namespace plat::fake

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (track == nullptr) {
        return false;
    }
    Call& call = LogCall("TrackMouseEvent", track->hwndTrack);
    call.flags = track->dwFlags;
    call.hoverTime = track->dwHoverTime;
    WindowRecord* window = LiveWindow(track->hwndTrack);
    if (window == nullptr) {
        return false;
    }
    window->tracking |= track->dwFlags & (TME_HOVER | TME_LEAVE);
    return true;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (instance != nullptr) {
        return nullptr;
    }
    if (name == IDC_ARROW) {
        return kArrow;
    }
    return name == IDC_HAND ? kHand : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    LogCall("SetCursor", nullptr).cursor = cursor;
    const HCURSOR previous = TheState().cursor;
    TheState().cursor = cursor;
    return previous;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) {
        return false;
    }
    *point = TheState().cursorPosition;
    return true;
}

BOOL ReleaseCapture() {
    LogCall("ReleaseCapture", nullptr);
    return true;
}

SHORT GetKeyState(int virtualKey) {
    const bool down = TheState().keysDown.count(virtualKey) != 0;
    return down ? std::numeric_limits<SHORT>::min() : SHORT{0};
}
