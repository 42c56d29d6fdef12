// Device contexts: which window or bitmap they draw on, and the state drawing takes from them.
#include "platform/fake/fake_state.h"

using namespace plat::fake;
using namespace plat::fake::detail;

namespace {

HDC WindowDc(HWND hwnd) {
    DcRecord dc;
    dc.window = hwnd;
    dc.state.font = TheState().stockFont;
    return AddDc(std::move(dc));
}

// Releases a context of the given kind; false for any other.
bool Release(HDC handle, bool memory) {
    DcRecord* dc = LiveDc(handle);
    if (dc == nullptr || dc->memory != memory) {
        return false;
    }
    dc->released = true;
    return true;
}

}  // namespace

namespace plat::fake {

namespace detail {

DcRecord* LiveDc(HDC dc) {
    DcRecord* record = Find(TheState().dcs, dc);
    return record == nullptr || record->released ? nullptr : record;
}

HDC AddDc(DcRecord dc) {
    HDC handle = NewHandle<HDC>();
    TheState().dcs.emplace(handle, std::move(dc));
    return handle;
}

}  // namespace detail

std::vector<DrawOp> DrawOps(HWND hwnd) {
    const WindowRecord* window = Find(TheState().windows, hwnd);
    return window ? window->ops : std::vector<DrawOp>{};
}

std::vector<DrawOp> DrawOps(HDC dc) {
    const DcRecord* record = Find(TheState().dcs, dc);
    return record ? record->ops : std::vector<DrawOp>{};
}

void ClearDrawOps() {
    for (auto& [hwnd, window] : TheState().windows) {
        window.ops.clear();
    }
    for (auto& [handle, dc] : TheState().dcs) {
        dc.ops.clear();
    }
}

}  // namespace plat::fake

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    WindowRecord* window = LiveWindow(hwnd);
    if (window == nullptr || paint == nullptr) {
        return nullptr;
    }
    paint->rcPaint = window->invalid ? window->invalidRect : window->paintRect;
    paint->fErase = true;
    window->invalid = false;
    paint->hdc = WindowDc(hwnd);
    return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    return paint != nullptr && Release(paint->hdc, false);
}

HDC GetDC(HWND hwnd) {
    return hwnd == nullptr || LiveWindow(hwnd) ? WindowDc(hwnd) : nullptr;
}

int ReleaseDC(HWND, HDC dc) {
    return Release(dc, false) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC) {
    DcRecord dc;
    dc.memory = true;
    dc.state.font = TheState().stockFont;
    dc.state.bitmap = TheState().stockBitmap;
    return AddDc(std::move(dc));
}

BOOL DeleteDC(HDC dc) {
    return Release(dc, true);
}

// Bitmaps go into memory contexts only, as on Windows.
HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    DcRecord* dc = LiveDc(handle);
    GdiObject* selected = Object(object);
    if (dc == nullptr || selected == nullptr || (!selected->isFont && !dc->memory)) {
        return nullptr;
    }
    HGDIOBJ& slot = selected->isFont ? dc->state.font : dc->state.bitmap;
    const HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

int SaveDC(HDC handle) {
    DcRecord* dc = LiveDc(handle);
    if (dc == nullptr) {
        return 0;
    }
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

// A positive level names a SaveDC result; a negative one counts back from the latest save.
BOOL RestoreDC(HDC handle, int saved) {
    DcRecord* dc = LiveDc(handle);
    if (dc == nullptr) {
        return false;
    }
    const int depth = static_cast<int>(dc->saved.size());
    const int level = saved > 0 ? saved : depth + 1 + saved;
    if (saved == 0 || level < 1 || level > depth) {
        return false;
    }
    dc->state = dc->saved[level - 1];
    dc->saved.resize(level - 1);
    return true;
}

int SetBkMode(HDC handle, int mode) {
    DcRecord* dc = LiveDc(handle);
    if (dc == nullptr) {
        return 0;
    }
    const int previous = dc->state.bkMode;
    dc->state.bkMode = mode;
    return previous;
}

COLORREF SetTextColor(HDC handle, COLORREF color) {
    DcRecord* dc = LiveDc(handle);
    if (dc == nullptr) {
        return 0xFFFFFFFF;  // CLR_INVALID
    }
    const COLORREF previous = dc->state.textColor;
    dc->state.textColor = color;
    return previous;
}
