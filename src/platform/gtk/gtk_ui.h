// What lies behind the handles of the GTK backend, shared by its windows, messages and painting.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>
#include <pango/pangocairo.h>

#include <string>
#include <vector>

#include "platform/paint.h"
#include "platform/window.h"

struct HWND__ {
    WNDPROC proc = nullptr;
    HWND parent = nullptr;
    GtkWidget* widget = nullptr;  // a GtkWindow for top-level windows
    GtkWidget* fixed = nullptr;   // where child windows are placed
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring text;
    int x = 0;  // screen position of top-level windows, parent client position of children
    int y = 0;
    int width = 0;
    int height = 0;
    bool destroyed = false;
    bool minimized = false;
    bool hasColorKey = false;
    COLORREF colorKey = 0;
    cairo_surface_t* layered = nullptr;  // per-pixel alpha content from UpdateLayeredWindow
    cairo_region_t* shape = nullptr;       // the shapes last applied, to skip unchanged ones
    cairo_region_t* inputShape = nullptr;
    std::vector<std::pair<int, int>> pendingMoves;  // our own moves, until the server confirms
    DWORD trackFlags = 0;
    guint hoverTimer = 0;
    DWORD hoverTime = 0;
    POINT lastMouse{0, 0};
    guint32 lastPressTime = 0;
    POINT lastPress{-1000, -1000};
    HDC paintDc = nullptr;  // while WM_PAINT is being handled
};

enum class GdiKind { kBitmap, kFont };

struct GdiHeader {
    GdiKind kind;
};

struct HBITMAP__ {
    GdiHeader header{GdiKind::kBitmap};
    cairo_surface_t* surface = nullptr;  // RGB24 for resource bitmaps, ARGB32 for memory ones
    int bitsPixel = 32;
    cairo_surface_t* keyed = nullptr;  // the surface with the key colour cut out, made once
    COLORREF keyedWith = 0;
};

struct HFONT__ {
    GdiHeader header{GdiKind::kFont};
    PangoFontDescription* description = nullptr;
    bool underline = false;
};

struct DcState {
    COLORREF textColor = 0;
    int bkMode = 2;
    HFONT font = nullptr;
};

struct HDC__ {
    cairo_t* cr = nullptr;
    HBITMAP bitmap = nullptr;  // selected into a memory context
    HBITMAP defaultBitmap = nullptr;
    DcState state;
    std::vector<DcState> saved;
};

struct HCURSOR__ {
    const char* name;
    GdkCursor* cursor = nullptr;  // made on first use, once the display is open
};

struct HICON__ {
    GList* pixbufs = nullptr;
};

namespace gtkui {

HWND__* Window(HWND hwnd);  // null for handles that are not live windows
GdkWindow* GdkWindowOf(HWND hwnd);

// Contexts over a cairo context that the caller owns.
HDC NewDc(cairo_t* cr);
void FreeDc(HDC dc);

// Mouse input of a window, as queued messages.
void ConnectInput(HWND hwnd);
void ForgetInput(HWND hwnd);

// The window's shape from its colour key or its alpha, so that see-through pixels are also
// click-through, with or without a compositor.
void ApplyShape(HWND hwnd, cairo_surface_t* content);
void KeepShapeOnRealize(HWND hwnd);

bool IsUiThread();

// Counts a nested loop, during which posted messages are dispatched without the filter.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// A message box asked for by a worker: shown on the UI thread while the worker waits. Once the
// UI thread stopped serving (its loop ended, and it may be joining that very worker) the answer
// is 0 at once, as a failed MessageBoxW.
int MessageBoxFromWorker(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
void StopServingWorkers();

// A message box stays above the windows it belongs to, as owned windows do on Windows, also
// where no window manager keeps it there.
void RaiseModalDialogs();

}  // namespace gtkui
