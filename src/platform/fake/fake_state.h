// The fake backend's shared memory of windows, contexts, objects and registrations, and the
// few operations that several of its parts perform on it.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_ui.h"
#include "platform/menus.h"

namespace plat::fake::detail {

struct WindowRecord {
    WindowInfo info;
    WNDPROC proc = nullptr;
    bool destroying = false;
    bool invalid = false;
    RECT invalidRect{};
    RECT paintRect{};    // the area of the WM_PAINT being sent, for BeginPaint
    DWORD tracking = 0;  // TME_HOVER and TME_LEAVE still outstanding
    std::vector<DrawOp> ops;
    std::optional<LayeredAttributes> layeredAttributes;
    std::optional<LayeredUpdate> layeredUpdate;
};

struct GdiObject {
    bool isFont = false;
    bool stock = false;
    FontInfo font;
    int width = 0;
    int height = 0;
    WORD bitsPerPixel = 0;
    int resourceId = 0;
    std::vector<std::uint8_t> pixels;  // 32-bit bitmaps only
};

struct DcState {
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
};

struct DcRecord {
    HWND window = nullptr;  // the window a BeginPaint or GetDC context paints
    bool memory = false;
    bool released = false;
    DcState state;
    std::vector<DcState> saved;
    std::vector<DrawOp> ops;  // for contexts without a window
};

struct Resource {
    HRSRC handle = nullptr;
    std::vector<std::uint8_t> bytes;
};

struct State {
    std::map<std::wstring, WNDPROC> classes;
    std::map<HWND, WindowRecord> windows;
    std::vector<HWND> order;
    HWND foreground = nullptr;
    RECT workArea{0, 0, 1920, 1040};
    std::vector<Call> calls;

    POINT cursorPosition{};
    std::set<int> keysDown;
    HCURSOR cursor = nullptr;
    std::deque<int> answers;
    std::deque<UINT> menuChoices;
    bool trayAvailable = true;
    std::vector<NOTIFYICONDATAW> trayIcons;

    std::map<const void*, GdiObject> objects;
    std::map<HDC, DcRecord> dcs;
    HGDIOBJ stockFont = nullptr;
    HGDIOBJ stockBitmap = nullptr;
    int charWidth = 10;

    std::map<WORD, SIZE> bitmaps;
    std::map<WORD, HICON> icons;
    std::map<UINT, std::wstring> strings;
    std::map<std::pair<WORD, std::wstring>, Resource> resources;
    std::map<std::string, ImageBgra> pngs;  // by their resource bytes
};

// The posted messages: the one part that other threads reach.
struct Queue {
    std::mutex lock;
    std::deque<MSG> messages;
    bool quit = false;
    int exitCode = 0;
};

State& TheState();
Queue& TheQueue();
State FreshState();

// The value stored under the key, or null.
template <typename Map, typename Key>
auto* Find(Map& map, const Key& key) {
    auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

// Distinct from every value returned before, whatever kind of handle it became.
std::uintptr_t NextHandleValue();

template <typename Handle>
Handle NewHandle() {
    return reinterpret_cast<Handle>(NextHandleValue());
}

// Appends a call to the log; the caller fills in the rest before it calls anything else.
Call& LogCall(std::string function, HWND hwnd);

// The record of a window that exists and is not destroyed; null otherwise.
WindowRecord* LiveWindow(HWND hwnd);
// Calls the window's procedure; 0 for a window that does not exist.
LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
POINT ScreenOrigin(HWND hwnd);
void MoveTo(HWND hwnd, int x, int y);
void Resize(HWND hwnd, int width, int height);
void Invalidate(WindowRecord& window, const RECT* rect);
// Sends WM_PAINT when the window is visible and has an invalid area, which is valid from then
// on, whether or not the procedure calls BeginPaint (as DefWindowProc would validate it).
void PaintNow(HWND hwnd);
HWND NextWindowToPaint(HWND filter);

DcRecord* LiveDc(HDC dc);
GdiObject* Object(HGDIOBJ object);
HGDIOBJ AddObject(GdiObject object);
HDC AddDc(DcRecord dc);
ImageBgra CopyPixels(const GdiObject& bitmap, int x, int y, int width, int height);

}  // namespace plat::fake::detail
