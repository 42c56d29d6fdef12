// Where windows are, their size and visibility, and the screen they are on.
#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace plat::fake {

namespace detail {

POINT ScreenOrigin(HWND hwnd) {
    POINT origin{0, 0};
    for (WindowRecord* window = LiveWindow(hwnd); window != nullptr;
         window = LiveWindow(window->info.parent)) {
        origin.x += window->info.x;
        origin.y += window->info.y;
    }
    return origin;
}

void MoveTo(HWND hwnd, int x, int y) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || (window->info.x == x && window->info.y == y)) {
        return;
    }
    window->info.x = x;
    window->info.y = y;
    Deliver(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void Resize(HWND hwnd, int width, int height) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || (window->info.width == width && window->info.height == height)) {
        return;
    }
    window->info.width = width;
    window->info.height = height;
    Invalidate(*window, nullptr);
}

}  // namespace detail

namespace {

void SetVisible(WindowRecord& window, bool visible) {
    if (visible && !window.info.visible()) {
        Invalidate(window, nullptr);
    }
    window.info.style = visible ? window.info.style | WS_VISIBLE : window.info.style & ~WS_VISIBLE;
}

}  // namespace

HWND ForegroundWindow() {
    return TheState().foreground;
}

void SetWorkArea(const RECT& area) {
    TheState().workArea = area;
}

}  // namespace plat::fake

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Call& call = LogCall("SetWindowPos", hwnd);
    call.insertAfter = insertAfter;
    call.x = x;
    call.y = y;
    call.cx = cx;
    call.cy = cy;
    call.flags = flags;
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr) {
        return false;
    }
    if ((flags & SWP_NOZORDER) == 0 && insertAfter == HWND_TOPMOST) {
        window->info.exStyle |= WS_EX_TOPMOST;
    }
    if ((flags & SWP_SHOWWINDOW) != 0 || (flags & SWP_HIDEWINDOW) != 0) {
        SetVisible(*window, (flags & SWP_SHOWWINDOW) != 0);
    }
    if ((flags & SWP_NOSIZE) == 0) {
        Resize(hwnd, cx, cy);
    }
    if ((flags & SWP_NOMOVE) == 0) {
        MoveTo(hwnd, x, y);
    }
    return true;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    Call& call = LogCall("MoveWindow", hwnd);
    call.x = x;
    call.y = y;
    call.cx = width;
    call.cy = height;
    call.flags = static_cast<UINT>(repaint);
    if (!LiveWindow(hwnd)) {
        return false;
    }
    Resize(hwnd, width, height);
    MoveTo(hwnd, x, y);
    return true;
}

BOOL ShowWindow(HWND hwnd, int command) {
    Call& call = LogCall("ShowWindow", hwnd);
    call.command = command;
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr) {
        return false;
    }
    const bool wasVisible = window->info.visible();
    switch (command) {
        case SW_HIDE:
            SetVisible(*window, false);
            break;
        case SW_MINIMIZE:
            window->info.minimized = true;
            SetVisible(*window, true);
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            window->info.minimized = false;
            SetVisible(*window, true);
            break;
        case SW_SHOW:
        case SW_SHOWNA:
            SetVisible(*window, true);
            break;
        default:
            break;
    }
    return wasVisible;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || rect == nullptr) {
        return false;
    }
    *rect = {0, 0, window->info.width, window->info.height};
    return true;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || rect == nullptr) {
        return false;
    }
    const POINT origin = ScreenOrigin(hwnd);
    *rect = {origin.x, origin.y, origin.x + window->info.width, origin.y + window->info.height};
    return true;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    if (!LiveWindow(hwnd) || point == nullptr) {
        return false;
    }
    const POINT origin = ScreenOrigin(hwnd);
    point->x += origin.x;
    point->y += origin.y;
    return true;
}

BOOL SetForegroundWindow(HWND hwnd) {
    LogCall("SetForegroundWindow", hwnd);
    if (!LiveWindow(hwnd)) {
        return false;
    }
    TheState().foreground = hwnd;
    return true;
}

BOOL SystemParametersInfoW(UINT action, UINT, void* pvParam, UINT) {
    if (action != SPI_GETWORKAREA || pvParam == nullptr) {
        return false;
    }
    *static_cast<RECT*>(pvParam) = TheState().workArea;
    return true;
}
