// Mouse input as Windows delivers it: queued messages in client coordinates, double clicks told
// apart by the class's own timing, hover and leave reported once per request, the cursor set
// for the window under the mouse.
#include <cstdlib>

#include "platform/gtk/gtk_ui.h"

namespace {

HWND g_mouseWindow = nullptr;
HCURSOR g_cursor = nullptr;

HCURSOR__ g_arrow{"default"};
HCURSOR__ g_hand{"pointer"};

LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Events that happened in a child window (the page) are the child's, not ours.
HWND__* OwnEvent(gpointer data, GdkWindow* eventWindow) {
    HWND__* w = gtkui::Window(static_cast<HWND>(data));
    return w != nullptr && eventWindow == gtk_widget_get_window(w->widget) ? w : nullptr;
}

void ApplyCursor() {
    GdkWindow* gdk = gtkui::GdkWindowOf(g_mouseWindow);
    if (gdk == nullptr || g_cursor == nullptr) {
        return;
    }
    if (g_cursor->cursor == nullptr) {
        g_cursor->cursor = gdk_cursor_new_from_name(gdk_window_get_display(gdk), g_cursor->name);
    }
    gdk_window_set_cursor(gdk, g_cursor->cursor);
}

gboolean HoverElapsed(gpointer data) {
    auto hwnd = static_cast<HWND>(data);
    if (HWND__* w = gtkui::Window(hwnd); w != nullptr) {
        w->hoverTimer = 0;
        w->trackFlags &= ~TME_HOVER;
        PostMessageW(hwnd, WM_MOUSEHOVER, 0, PointParam(w->lastMouse.x, w->lastMouse.y));
    }
    return G_SOURCE_REMOVE;
}

void RestartHover(HWND__* w) {
    if (w->hoverTimer != 0) {
        g_source_remove(w->hoverTimer);
        w->hoverTimer = 0;
    }
    if ((w->trackFlags & TME_HOVER) != 0) {
        w->hoverTimer = g_timeout_add(w->hoverTime, HoverElapsed, w);
    }
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    HWND__* w = OwnEvent(data, event->window);
    if (w == nullptr) {
        return FALSE;
    }
    w->lastMouse = POINT{static_cast<LONG>(event->x), static_cast<LONG>(event->y)};
    g_mouseWindow = w;
    ApplyCursor();
    RestartHover(w);
    PostMessageW(w, WM_MOUSEMOVE, 0, PointParam(w->lastMouse.x, w->lastMouse.y));
    return TRUE;
}

bool IsDoubleClick(HWND__* w, const GdkEventButton* event) {
    gint time = 400;
    gint distance = 5;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &time,
                 "gtk-double-click-distance", &distance, nullptr);
    return w->lastPressTime != 0 && event->time - w->lastPressTime <= static_cast<guint32>(time) &&
           std::abs(static_cast<int>(event->x) - w->lastPress.x) <= distance &&
           std::abs(static_cast<int>(event->y) - w->lastPress.y) <= distance;
}

gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    HWND__* w = OwnEvent(data, event->window);
    if (w == nullptr || event->type != GDK_BUTTON_PRESS) {
        return w != nullptr;  // GTK's own double-click events: we count clicks ourselves
    }
    const int x = static_cast<int>(event->x);
    const int y = static_cast<int>(event->y);
    if (event->button == 1) {
        const bool doubleClick = IsDoubleClick(w, event);
        w->lastPressTime = doubleClick ? 0 : event->time;
        w->lastPress = POINT{x, y};
        PostMessageW(w, doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 0, PointParam(x, y));
    } else if (event->button == 3) {
        PostMessageW(w, WM_RBUTTONDOWN, 0, PointParam(x, y));
    }
    return TRUE;
}

gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    HWND__* w = OwnEvent(data, event->window);
    if (w == nullptr) {
        return FALSE;
    }
    const LPARAM at = PointParam(static_cast<int>(event->x), static_cast<int>(event->y));
    if (event->button == 1) {
        PostMessageW(w, WM_LBUTTONUP, 0, at);
    } else if (event->button == 3) {
        PostMessageW(w, WM_RBUTTONUP, 0, at);
    }
    return TRUE;
}

// Entering a child window counts as leaving, as it does on Windows.
gboolean OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    HWND__* w = gtkui::Window(static_cast<HWND>(data));
    if (w == nullptr || event->window != gtk_widget_get_window(w->widget) ||
        (w->trackFlags & TME_LEAVE) == 0) {
        return FALSE;
    }
    w->trackFlags = 0;
    RestartHover(w);
    PostMessageW(w, WM_MOUSELEAVE, 0, 0);
    return FALSE;
}

}  // namespace

void gtkui::ConnectInput(HWND hwnd) {
    gtk_widget_add_events(hwnd->widget, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                            GDK_BUTTON_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK |
                                            GDK_ENTER_NOTIFY_MASK);
    g_signal_connect(hwnd->widget, "motion-notify-event", G_CALLBACK(OnMotion), hwnd);
    g_signal_connect(hwnd->widget, "button-press-event", G_CALLBACK(OnButtonPress), hwnd);
    g_signal_connect(hwnd->widget, "button-release-event", G_CALLBACK(OnButtonRelease), hwnd);
    g_signal_connect(hwnd->widget, "leave-notify-event", G_CALLBACK(OnLeave), hwnd);
}

void gtkui::ForgetInput(HWND hwnd) {
    if (hwnd->hoverTimer != 0) {
        g_source_remove(hwnd->hoverTimer);
        hwnd->hoverTimer = 0;
    }
    if (g_mouseWindow == hwnd) {
        g_mouseWindow = nullptr;
    }
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    HWND__* w = track != nullptr ? gtkui::Window(track->hwndTrack) : nullptr;
    if (w == nullptr) {
        return 0;
    }
    w->trackFlags = track->dwFlags & (TME_HOVER | TME_LEAVE);
    w->hoverTime = track->dwHoverTime;
    RestartHover(w);
    return 1;
}

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) {
    // Forms load their cursors while they are built, before the display is open: the GDK
    // cursor is made when it is first shown.
    if (name == IDC_HAND) {
        return &g_hand;
    }
    return name == IDC_ARROW ? &g_arrow : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = g_cursor;
    g_cursor = cursor;
    ApplyCursor();
    return previous;
}

BOOL GetCursorPos(POINT* point) {
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display != nullptr ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat != nullptr ? gdk_seat_get_pointer(seat) : nullptr;
    if (pointer == nullptr || point == nullptr) {
        return 0;
    }
    int x = 0;
    int y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    *point = POINT{x, y};
    return 1;
}

BOOL ReleaseCapture() { return 1; }  // GTK's implicit grab ends with the button or the drag

SHORT GetKeyState(int virtualKey) {
    GdkDisplay* display = gdk_display_get_default();
    if (virtualKey != VK_CONTROL || display == nullptr) {
        return 0;
    }
    const guint state = gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(display));
    return (state & GDK_CONTROL_MASK) != 0 ? static_cast<SHORT>(0x8000) : 0;
}
