// Layered windows: the colour key, and the per-pixel-alpha image last shown.
#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

WindowRecord* LayeredWindow(HWND hwnd) {
    WindowRecord* window = LiveWindow(hwnd);
    return window != nullptr && (window->info.exStyle & WS_EX_LAYERED) != 0 ? window : nullptr;
}

}  // namespace

namespace plat::fake {

std::optional<LayeredAttributes> LayeredAttributesOf(HWND hwnd) {
    const WindowRecord* window = Find(TheState().windows, hwnd);
    return window ? window->layeredAttributes : std::nullopt;
}

std::optional<LayeredUpdate> LastLayeredUpdate(HWND hwnd) {
    const WindowRecord* window = Find(TheState().windows, hwnd);
    return window ? window->layeredUpdate : std::nullopt;
}

}  // namespace plat::fake

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    Call& call = LogCall("SetLayeredWindowAttributes", hwnd);
    call.key = key;
    call.alpha = alpha;
    call.flags = flags;
    WindowRecord* window = LayeredWindow(hwnd);
    if (window == nullptr) {
        return false;
    }
    window->layeredAttributes = LayeredAttributes{key, alpha, flags};
    return true;
}

// Like Windows, this moves and sizes the window too, with WM_MOVE when it moved.
BOOL UpdateLayeredWindow(HWND hwnd, HDC, POINT* position, SIZE* size, HDC source,
                         POINT* sourcePosition, COLORREF key, BLENDFUNCTION* blend, DWORD flags) {
    WindowRecord* window = LiveWindow(hwnd);
    Call& call = LogCall("UpdateLayeredWindow", hwnd);
    if (window != nullptr) {
        call.x = position ? position->x : window->info.x;
        call.y = position ? position->y : window->info.y;
        call.cx = size ? size->cx : window->info.width;
        call.cy = size ? size->cy : window->info.height;
    }
    call.key = key;
    call.blend = blend ? *blend : BLENDFUNCTION{};
    call.flags = flags;
    const DcRecord* dc = LiveDc(source);
    if (LayeredWindow(hwnd) == nullptr || dc == nullptr) {
        return false;
    }
    LayeredUpdate update;
    if (position != nullptr) {
        update.position = *position;
    }
    if (size != nullptr) {
        update.size = *size;
    }
    update.sourcePosition = sourcePosition ? *sourcePosition : POINT{0, 0};
    update.key = key;
    update.blend = call.blend;
    update.flags = flags;
    if (const GdiObject* bitmap = Object(dc->state.bitmap)) {
        update.pixels =
            CopyPixels(*bitmap, update.sourcePosition.x, update.sourcePosition.y, call.cx, call.cy);
    }
    window->layeredUpdate = std::move(update);
    Resize(hwnd, call.cx, call.cy);
    MoveTo(hwnd, call.x, call.y);
    return true;
}
