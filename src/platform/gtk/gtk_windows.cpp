// Top-level windows as undecorated GTK windows on X11, child windows as boxes placed inside them.
// Our records are the truth for positions and sizes: the forms read them back at once, while the
// X server confirms moves later.
#include <map>
#include <memory>
#include <unordered_set>

#include "platform/gtk/gtk_ui.h"
#include "platform/text.h"

namespace {

struct WindowClass {
    WNDPROC proc = nullptr;
    UINT style = 0;
    HICON icon = nullptr;
};

std::map<std::wstring, WindowClass>& Classes() {
    static std::map<std::wstring, WindowClass>& classes = *new std::map<std::wstring, WindowClass>;  // never destroyed: used until the process ends
    return classes;
}

// Records are never freed, so a handle never comes back to mean another window.
std::vector<std::unique_ptr<HWND__>>& AllWindows() {
    static std::vector<std::unique_ptr<HWND__>>& windows = *new std::vector<std::unique_ptr<HWND__>>;  // never destroyed: used until the process ends
    return windows;
}

std::unordered_set<HWND__*>& LiveWindows() {
    static std::unordered_set<HWND__*>& live = *new std::unordered_set<HWND__*>;  // never destroyed: used until the process ends
    return live;
}

constexpr int kMinimizedPosition = -32000;
constexpr std::size_t kMaxPendingMoves = 16;

bool IsTopLevel(const HWND__* w) { return w->parent == nullptr; }

void ApplyExStyle(HWND__* w) {
    if (!IsTopLevel(w)) {
        return;
    }
    GtkWindow* window = GTK_WINDOW(w->widget);
    const bool toolWindow = (w->exStyle & WS_EX_TOOLWINDOW) != 0 &&
                            (w->exStyle & WS_EX_APPWINDOW) == 0;
    gtk_window_set_skip_taskbar_hint(window, toolWindow);
    gtk_window_set_skip_pager_hint(window, toolWindow);
    gtk_window_set_keep_above(window, (w->exStyle & WS_EX_TOPMOST) != 0);
}

void PaintWithProc(HWND hwnd, cairo_t* cr) {
    HWND__* w = gtkui::Window(hwnd);
    HDC dc = gtkui::NewDc(cr);
    w->paintDc = dc;
    w->proc(hwnd, WM_PAINT, 0, 0);
    if (gtkui::Window(hwnd) != nullptr) {
        w->paintDc = nullptr;
    }
    gtkui::FreeDc(dc);
}

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto hwnd = static_cast<HWND>(data);
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (w->layered != nullptr) {
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, w->layered, 0, 0);
        cairo_paint(cr);
        return FALSE;
    }
    if (!w->hasColorKey) {
        PaintWithProc(hwnd, cr);
        return FALSE;
    }
    // The shape comes from what was painted, so paint the whole window off screen first.
    cairo_surface_t* content = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w->width, w->height);
    cairo_t* offscreen = cairo_create(content);
    PaintWithProc(hwnd, offscreen);
    cairo_destroy(offscreen);
    cairo_surface_flush(content);
    if (gtkui::Window(hwnd) != nullptr) {
        gtkui::ApplyShape(hwnd, content);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, content, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(content);
    return FALSE;  // the child windows draw over it
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    SendMessageW(static_cast<HWND>(data), WM_CLOSE, 0, 0);
    return TRUE;  // the window procedure decides whether the window goes
}

gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure*, gpointer data) {
    auto hwnd = static_cast<HWND>(data);
    HWND__* w = gtkui::Window(hwnd);
    GdkWindow* gdk = gtk_widget_get_window(widget);
    if (w == nullptr || gdk == nullptr || w->minimized) {
        return FALSE;
    }
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gdk, &x, &y);
    for (std::size_t i = 0; i < w->pendingMoves.size(); ++i) {
        if (w->pendingMoves[i] == std::make_pair(x, y)) {
            w->pendingMoves.erase(w->pendingMoves.begin(), w->pendingMoves.begin() + i + 1);
            return FALSE;  // one of our own moves arriving
        }
    }
    if (x != w->x || y != w->y) {
        w->x = x;
        w->y = y;
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    return FALSE;
}

gboolean OnFocus(GtkWidget*, GdkEventFocus* event, gpointer data) {
    SendMessageW(static_cast<HWND>(data), WM_ACTIVATE, event->in ? WA_ACTIVE : WA_INACTIVE, 0);
    return FALSE;
}

// Windows moves a minimised window far off the screen and says so with WM_MOVE; windows that
// follow it (the login window follows the background) rely on that.
gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    auto hwnd = static_cast<HWND>(data);
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr || (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) == 0) {
        return FALSE;
    }
    w->minimized = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    const int x = w->minimized ? kMinimizedPosition : w->x;
    const int y = w->minimized ? kMinimizedPosition : w->y;
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    return FALSE;
}

GtkWidget* CreateTopLevel(HWND hwnd, const WindowClass& cls) {
    HWND__* w = gtkui::Window(hwnd);
    GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(widget);
    gtk_window_set_decorated(window, FALSE);
    gtk_widget_set_app_paintable(widget, TRUE);
    GdkScreen* screen = gtk_widget_get_screen(widget);
    if (gdk_screen_is_composited(screen) && gdk_screen_get_rgba_visual(screen) != nullptr) {
        gtk_widget_set_visual(widget, gdk_screen_get_rgba_visual(screen));
    }
    w->widget = widget;
    w->fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(widget), w->fixed);
    gtk_widget_show(w->fixed);
    gtk_window_move(window, w->x, w->y);
    gtk_widget_set_size_request(widget, w->width, w->height);
    gtk_window_resize(window, w->width > 0 ? w->width : 1, w->height > 0 ? w->height : 1);
    if (cls.icon != nullptr) {
        gtk_window_set_icon_list(window, cls.icon->pixbufs);
    }
    g_signal_connect(widget, "draw", G_CALLBACK(OnDraw), hwnd);
    g_signal_connect(widget, "delete-event", G_CALLBACK(OnDelete), hwnd);
    g_signal_connect(widget, "configure-event", G_CALLBACK(OnConfigure), hwnd);
    g_signal_connect(widget, "focus-in-event", G_CALLBACK(OnFocus), hwnd);
    g_signal_connect(widget, "focus-out-event", G_CALLBACK(OnFocus), hwnd);
    g_signal_connect(widget, "window-state-event", G_CALLBACK(OnWindowState), hwnd);
    gtkui::ConnectInput(hwnd);
    gtkui::KeepShapeOnRealize(hwnd);
    return widget;
}

GtkWidget* CreateChild(HWND hwnd) {
    HWND__* w = gtkui::Window(hwnd);
    HWND__* parent = gtkui::Window(w->parent);
    w->widget = gtk_event_box_new();
    gtk_widget_set_size_request(w->widget, w->width, w->height);
    gtk_fixed_put(GTK_FIXED(parent->fixed != nullptr ? parent->fixed : parent->widget), w->widget,
                  w->x, w->y);
    return w->widget;
}

void Show(HWND__* w, bool activate) {
    if (IsTopLevel(w)) {
        gtk_window_set_focus_on_map(GTK_WINDOW(w->widget), activate);
    }
    gtk_widget_show(w->widget);
}

void Raise(HWND__* w, HWND insertAfter) {
    if (!IsTopLevel(w)) {
        return;
    }
    if (insertAfter == HWND_TOPMOST) {
        w->exStyle |= WS_EX_TOPMOST;
        gtk_window_set_keep_above(GTK_WINDOW(w->widget), TRUE);
    }
    if (GdkWindow* gdk = gtk_widget_get_window(w->widget); gdk != nullptr) {
        gdk_window_raise(gdk);
    }
    gtkui::RaiseModalDialogs();
}

void Resize(HWND__* w, int width, int height) {
    w->width = width;
    w->height = height;
    gtk_widget_set_size_request(w->widget, width, height);
    if (IsTopLevel(w)) {
        gtk_window_resize(GTK_WINDOW(w->widget), width > 0 ? width : 1, height > 0 ? height : 1);
    } else if (HWND__* parent = gtkui::Window(w->parent); parent != nullptr) {
        gtk_widget_queue_draw(parent->widget);  // the parent's shape includes its children
    }
}

bool Move(HWND__* w, int x, int y) {
    if (x == w->x && y == w->y) {
        return false;
    }
    w->x = x;
    w->y = y;
    if (IsTopLevel(w)) {
        if (w->pendingMoves.size() >= kMaxPendingMoves) {
            w->pendingMoves.erase(w->pendingMoves.begin());
        }
        w->pendingMoves.emplace_back(x, y);
        gtk_window_move(GTK_WINDOW(w->widget), x, y);
    } else if (HWND__* parent = gtkui::Window(w->parent); parent != nullptr) {
        gtk_fixed_move(GTK_FIXED(parent->fixed), w->widget, x, y);
        gtk_widget_queue_draw(parent->widget);
    }
    return true;
}

void ProcessUpdates(HWND__* w) {
    if (GdkWindow* gdk = gtk_widget_get_window(w->widget); gdk != nullptr) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gdk_window_process_updates(gdk, TRUE);  // the only synchronous paint GTK 3 has
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
}

}  // namespace

HWND__* gtkui::Window(HWND hwnd) {
    return hwnd != nullptr && LiveWindows().count(hwnd) != 0 ? hwnd : nullptr;
}

GdkWindow* gtkui::GdkWindowOf(HWND hwnd) {
    HWND__* w = Window(hwnd);
    return w != nullptr ? gtk_widget_get_window(w->widget) : nullptr;
}

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
        windowClass->lpfnWndProc == nullptr) {
        return 0;
    }
    Classes()[windowClass->lpszClassName] =
        WindowClass{windowClass->lpfnWndProc, windowClass->style, windowClass->hIcon};
    return static_cast<ATOM>(Classes().size());
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU, HINSTANCE, void*) {
    auto found = Classes().find(className != nullptr ? className : L"");
    if (found == Classes().end() || (parent != nullptr && gtkui::Window(parent) == nullptr)) {
        return nullptr;
    }
    AllWindows().push_back(std::make_unique<HWND__>());
    HWND hwnd = AllWindows().back().get();
    hwnd->proc = found->second.proc;
    hwnd->parent = parent;
    hwnd->style = style & ~WS_VISIBLE;
    hwnd->exStyle = exStyle;
    hwnd->text = windowName != nullptr ? windowName : L"";
    hwnd->x = x;
    hwnd->y = y;
    hwnd->width = width;
    hwnd->height = height;
    LiveWindows().insert(hwnd);
    if (parent == nullptr) {
        CreateTopLevel(hwnd, found->second);
        gtk_window_set_title(GTK_WINDOW(hwnd->widget), plat::ToUtf8(hwnd->text).c_str());
        ApplyExStyle(hwnd);
    } else {
        CreateChild(hwnd);
    }
    if ((style & WS_VISIBLE) != 0) {
        Show(hwnd, true);
    }
    hwnd->proc(hwnd, WM_CREATE, 0, 0);
    return gtkui::Window(hwnd);
}

BOOL DestroyWindow(HWND hwnd) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr || w->destroyed) {
        return 0;
    }
    w->destroyed = true;  // a second DestroyWindow from inside WM_DESTROY does nothing
    w->proc(hwnd, WM_DESTROY, 0, 0);
    // As on Windows, children get WM_DESTROY after their parent, so that they can let go of what
    // they put in their boxes (a web engine) before the boxes go.
    for (std::size_t i = 0; i < AllWindows().size(); ++i) {
        if (AllWindows()[i]->parent == hwnd) {
            DestroyWindow(AllWindows()[i].get());
        }
    }
    LiveWindows().erase(w);
    gtkui::ForgetInput(hwnd);
    gtk_widget_destroy(w->widget);
    w->widget = nullptr;
    w->fixed = nullptr;
    if (w->layered != nullptr) {
        cairo_surface_destroy(w->layered);
        w->layered = nullptr;
    }
    for (cairo_region_t** shape : {&w->shape, &w->inputShape}) {
        if (*shape != nullptr) {
            cairo_region_destroy(*shape);
            *shape = nullptr;
        }
    }
    return 1;
}

BOOL IsWindow(HWND hwnd) { return gtkui::Window(hwnd) != nullptr ? 1 : 0; }

BOOL IsChild(HWND parent, HWND hwnd) {
    HWND__* w = gtkui::Window(hwnd);
    for (HWND up = w != nullptr ? w->parent : nullptr; up != nullptr; up = up->parent) {
        if (up == parent) {
            return 1;
        }
    }
    return 0;
}

BOOL IsWindowVisible(HWND hwnd) {
    for (HWND__* w = gtkui::Window(hwnd); w != nullptr; w = gtkui::Window(w->parent)) {
        if (!gtk_widget_get_visible(w->widget)) {
            return 0;
        }
        if (w->parent == nullptr) {
            return 1;
        }
    }
    return 0;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr || message != WM_SYSCOMMAND || !IsTopLevel(w)) {
        return 0;
    }
    if ((wParam & 0xFFF0) == SC_MOVE) {
        POINT at{};
        GetCursorPos(&at);
        gtk_window_begin_move_drag(GTK_WINDOW(w->widget), 1, at.x, at.y,
                                   gtk_get_current_event_time());
    } else if ((wParam & 0xFFF0) == SC_CLOSE) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
    }
    return 0;
}

LONG GetWindowLongW(HWND hwnd, int index) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (index == GWL_STYLE) {
        return static_cast<LONG>(w->style | (gtk_widget_get_visible(w->widget) ? WS_VISIBLE : 0));
    }
    return index == GWL_EXSTYLE ? static_cast<LONG>(w->exStyle) : 0;
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    const LONG previous = GetWindowLongW(hwnd, index);
    if (index == GWL_STYLE) {
        w->style = static_cast<DWORD>(value) & ~WS_VISIBLE;
    } else if (index == GWL_EXSTYLE) {
        w->exStyle = static_cast<DWORD>(value);
        ApplyExStyle(w);
    }
    return previous;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    w->text = text != nullptr ? text : L"";
    if (IsTopLevel(w)) {
        gtk_window_set_title(GTK_WINDOW(w->widget), plat::ToUtf8(w->text).c_str());
    }
    return 1;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if ((flags & SWP_NOSIZE) == 0) {
        Resize(w, cx, cy);
    }
    const bool moved = (flags & SWP_NOMOVE) == 0 && Move(w, x, y);
    if ((flags & SWP_NOZORDER) == 0) {
        Raise(w, insertAfter);
    }
    if ((flags & SWP_SHOWWINDOW) != 0) {
        Show(w, (flags & SWP_NOACTIVATE) == 0);
    } else if ((flags & SWP_HIDEWINDOW) != 0) {
        gtk_widget_hide(w->widget);
    }
    if (moved) {
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    // Windows activates a shown window that comes to the top unless told not to, and windows that
    // keep others in step (the background and the login window) rely on hearing WM_ACTIVATE then.
    if (IsTopLevel(w) && (flags & (SWP_NOACTIVATE | SWP_NOZORDER)) == 0 &&
        gtk_widget_get_visible(w->widget)) {
        SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    return 1;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int command) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    const BOOL wasVisible = gtk_widget_get_visible(w->widget) ? 1 : 0;
    switch (command) {
        case SW_HIDE:
            gtk_widget_hide(w->widget);
            break;
        case SW_MINIMIZE:
            if (IsTopLevel(w)) {
                gtk_window_iconify(GTK_WINDOW(w->widget));
            }
            break;
        case SW_SHOWNA:
            Show(w, false);
            break;
        default:
            if (IsTopLevel(w) && w->minimized) {
                gtk_window_deiconify(GTK_WINDOW(w->widget));
            }
            Show(w, true);
            break;
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND hwnd) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    ProcessUpdates(w);
    return 1;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if ((flags & RDW_INVALIDATE) != 0) {
        if (rect != nullptr) {
            gtk_widget_queue_draw_area(w->widget, rect->left, rect->top, rect->right - rect->left,
                                       rect->bottom - rect->top);
        } else {
            gtk_widget_queue_draw(w->widget);
        }
    }
    if ((flags & RDW_UPDATENOW) != 0) {
        ProcessUpdates(w);
    }
    return 1;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr || rect == nullptr) {
        return 0;
    }
    *rect = RECT{0, 0, w->width, w->height};
    return 1;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    for (HWND__* w = gtkui::Window(hwnd); w != nullptr; w = gtkui::Window(w->parent)) {
        point->x += w->minimized ? kMinimizedPosition : w->x;
        point->y += w->minimized ? kMinimizedPosition : w->y;
        if (IsTopLevel(w)) {
            return 1;
        }
    }
    return 0;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    HWND__* w = gtkui::Window(hwnd);
    POINT origin{0, 0};
    if (w == nullptr || rect == nullptr || !ClientToScreen(hwnd, &origin)) {
        return 0;
    }
    *rect = RECT{origin.x, origin.y, origin.x + w->width, origin.y + w->height};
    return 1;
}

BOOL SetForegroundWindow(HWND hwnd) {
    HWND__* w = gtkui::Window(hwnd);
    if (w == nullptr || !IsTopLevel(w)) {
        return 0;
    }
    gtk_window_present(GTK_WINDOW(w->widget));
    return 1;
}

BOOL SystemParametersInfoW(UINT action, UINT, void* pvParam, UINT) {
    if (action != SPI_GETWORKAREA || pvParam == nullptr) {
        return 0;
    }
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display != nullptr ? gdk_display_get_primary_monitor(display) : nullptr;
    if (monitor == nullptr && display != nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor == nullptr) {
        return 0;
    }
    GdkRectangle area{};
    gdk_monitor_get_workarea(monitor, &area);
    *static_cast<RECT*>(pvParam) = RECT{area.x, area.y, area.x + area.width, area.y + area.height};
    return 1;
}
