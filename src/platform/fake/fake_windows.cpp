// Window classes and the life of windows: creation, destruction, styles, text.
#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace plat::fake {

namespace detail {

WindowRecord* LiveWindow(HWND hwnd) {
    WindowRecord* window = Find(TheState().windows, hwnd);
    return window == nullptr || window->info.destroyed ? nullptr : window;
}

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* window = LiveWindow(hwnd);
    return window == nullptr ? 0 : window->proc(hwnd, message, wParam, lParam);
}

}  // namespace detail

std::optional<WindowInfo> WindowState(HWND hwnd) {
    const WindowRecord* window = Find(TheState().windows, hwnd);
    return window ? std::optional<WindowInfo>(window->info) : std::nullopt;
}

std::vector<HWND> AllWindows() {
    return TheState().order;
}

}  // namespace plat::fake

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
        windowClass->lpszClassName == nullptr || IS_INTRESOURCE(windowClass->lpszClassName)) {
        return 0;
    }
    auto& classes = TheState().classes;
    if (!classes.emplace(windowClass->lpszClassName, windowClass->lpfnWndProc).second) {
        return 0;
    }
    return static_cast<ATOM>(0xC000 + classes.size());
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU, HINSTANCE, void*) {
    if (className == nullptr || IS_INTRESOURCE(className)) {
        return nullptr;
    }
    const WNDPROC* proc = Find(TheState().classes, std::wstring(className));
    if (proc == nullptr || (parent != nullptr && !LiveWindow(parent))) {
        return nullptr;
    }
    WindowRecord window;
    window.proc = *proc;
    window.info = {className, windowName ? windowName : L"", style, exStyle, x, y, width, height,
                   parent};
    window.invalid = (style & WS_VISIBLE) != 0;
    window.invalidRect = {0, 0, width, height};
    HWND hwnd = NewHandle<HWND>();
    TheState().windows.emplace(hwnd, std::move(window));
    TheState().order.push_back(hwnd);
    Deliver(hwnd, WM_CREATE, 0, 0);
    return hwnd;
}

// As on Windows, a window gets WM_DESTROY before its children do.
BOOL DestroyWindow(HWND hwnd) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || window->destroying) {
        return false;
    }
    window->destroying = true;
    Deliver(hwnd, WM_DESTROY, 0, 0);
    const std::vector<HWND>& order = TheState().order;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (TheState().windows.at(order[i]).info.parent == hwnd) {
            DestroyWindow(order[i]);
        }
    }
    window->info.destroyed = true;
    window->info.style &= ~WS_VISIBLE;
    if (TheState().foreground == hwnd) {
        TheState().foreground = nullptr;
    }
    return true;
}

BOOL IsWindow(HWND hwnd) {
    return LiveWindow(hwnd) != nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    const WindowRecord* window = LiveWindow(hwnd);
    for (HWND up = window != nullptr ? window->info.parent : nullptr; up != nullptr;) {
        if (up == parent) {
            return true;
        }
        const WindowRecord* above = LiveWindow(up);
        up = above != nullptr ? above->info.parent : nullptr;
    }
    return false;
}

BOOL IsWindowVisible(HWND hwnd) {
    WindowRecord* window = LiveWindow(hwnd);
    return window != nullptr && window->info.visible();
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MOVE) {
        Call& call = LogCall("DefWindowProcW", hwnd);
        call.wParam = wParam;
    }
    return 0;
}

LONG GetWindowLongW(HWND hwnd, int index) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (index == GWL_STYLE) {
        return static_cast<LONG>(window->info.style);
    }
    return index == GWL_EXSTYLE ? static_cast<LONG>(window->info.exStyle) : 0;
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || (index != GWL_STYLE && index != GWL_EXSTYLE)) {
        return 0;
    }
    DWORD& field = index == GWL_STYLE ? window->info.style : window->info.exStyle;
    const LONG previous = static_cast<LONG>(field);
    const bool wasVisible = window->info.visible();
    field = static_cast<DWORD>(value);
    if (!wasVisible && window->info.visible()) {
        Invalidate(*window, nullptr);
    }
    return previous;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr) {
        return false;
    }
    window->info.text = text ? text : L"";
    return true;
}
