// Which windows need painting, and when WM_PAINT reaches them.
#include <algorithm>

#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace plat::fake {

namespace detail {

void Invalidate(WindowRecord& window, const RECT* rect) {
    const RECT area = rect ? *rect : RECT{0, 0, window.info.width, window.info.height};
    if (!window.invalid) {
        window.invalidRect = area;
    } else {
        RECT& united = window.invalidRect;
        united = {std::min(united.left, area.left), std::min(united.top, area.top),
                  std::max(united.right, area.right), std::max(united.bottom, area.bottom)};
    }
    window.invalid = true;
}

void PaintNow(HWND hwnd) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || !window->invalid || !window->info.visible()) {
        return;
    }
    window->paintRect = window->invalidRect;
    window->invalid = false;
    Deliver(hwnd, WM_PAINT, 0, 0);
}

HWND NextWindowToPaint(HWND filter) {
    for (HWND hwnd : TheState().order) {
        const WindowRecord* window = LiveWindow(hwnd);
        if (window != nullptr && window->invalid && window->info.visible() &&
            (filter == nullptr || filter == hwnd)) {
            return hwnd;
        }
    }
    return nullptr;
}

}  // namespace detail

bool Paint(HWND hwnd) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || !window->info.visible()) {
        return false;
    }
    Invalidate(*window, nullptr);
    PaintNow(hwnd);
    return true;
}

}  // namespace plat::fake

BOOL UpdateWindow(HWND hwnd) {
    LogCall("UpdateWindow", hwnd);
    if (!LiveWindow(hwnd)) {
        return false;
    }
    PaintNow(hwnd);
    return true;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
    Call& call = LogCall("RedrawWindow", hwnd);
    if (rect != nullptr) {
        call.rect = *rect;
    }
    call.flags = flags;
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr) {
        return false;
    }
    if ((flags & RDW_INVALIDATE) != 0) {
        Invalidate(*window, rect);
    }
    if ((flags & RDW_UPDATENOW) != 0) {
        PaintNow(hwnd);
    }
    return true;
}
