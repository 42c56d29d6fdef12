// The notification-area icon as a GtkStatusIcon (an XEmbed tray icon). A desktop without a tray
// never embeds it: that is the shell refusing the icon, and NIM_ADD fails.
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gtk/gtk_ui.h"
#include "platform/menus.h"
#include "platform/text.h"

G_GNUC_BEGIN_IGNORE_DEPRECATIONS

namespace {

struct TrayIcon {
    HWND owner = nullptr;
    UINT id = 0;
    UINT message = 0;
    GtkStatusIcon* icon = nullptr;
};

std::vector<TrayIcon*> g_icons;

void Notify(const TrayIcon* tray, UINT mouseMessage) {
    if (tray->message != 0) {
        PostMessageW(tray->owner, tray->message, tray->id, static_cast<LPARAM>(mouseMessage));
    }
}

gboolean OnPress(GtkStatusIcon*, GdkEventButton* event, gpointer data) {
    if (event->button == 1 && event->type == GDK_2BUTTON_PRESS) {
        Notify(static_cast<TrayIcon*>(data), WM_LBUTTONDBLCLK);
    }
    return TRUE;
}

gboolean OnRelease(GtkStatusIcon*, GdkEventButton* event, gpointer data) {
    if (event->button == 1) {
        Notify(static_cast<TrayIcon*>(data), WM_LBUTTONUP);
    } else if (event->button == 3) {
        Notify(static_cast<TrayIcon*>(data), WM_RBUTTONUP);
    }
    return TRUE;
}

// A tray is the owner of the manager selection of the screen; without one nothing embeds.
bool TrayRuns() {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return false;
    }
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(x));
    return XGetSelectionOwner(x, XInternAtom(x, name.c_str(), False)) != None;
}

// The tray docks the icon after a few round trips with the X server.
bool WaitForEmbedding(GtkStatusIcon* icon) {
    constexpr gint64 kPatienceUs = 1000000;
    const gint64 end = g_get_monotonic_time() + kPatienceUs;
    while (!gtk_status_icon_is_embedded(icon) && g_get_monotonic_time() < end) {
        if (!g_main_context_iteration(nullptr, FALSE)) {
            g_usleep(10000);
        }
    }
    return gtk_status_icon_is_embedded(icon) != FALSE;
}

void Free(TrayIcon* tray) {
    g_object_unref(tray->icon);
    delete tray;
}

BOOL Add(const NOTIFYICONDATAW& data) {
    if (!TrayRuns()) {
        return 0;
    }
    auto* tray = new TrayIcon{data.hWnd, data.uID, 0, gtk_status_icon_new()};
    if ((data.uFlags & NIF_MESSAGE) != 0) {
        tray->message = data.uCallbackMessage;
    }
    if ((data.uFlags & NIF_ICON) != 0 && data.hIcon != nullptr && data.hIcon->pixbufs != nullptr) {
        gtk_status_icon_set_from_pixbuf(tray->icon,
                                        GDK_PIXBUF(g_list_last(data.hIcon->pixbufs)->data));
    }
    if ((data.uFlags & NIF_TIP) != 0) {
        const std::wstring tip(data.szTip, std::find(data.szTip, data.szTip + 128, L'\0'));
        gtk_status_icon_set_tooltip_text(tray->icon, plat::ToUtf8(tip).c_str());
        gtk_status_icon_set_title(tray->icon, plat::ToUtf8(tip).c_str());
    }
    g_signal_connect(tray->icon, "button-press-event", G_CALLBACK(OnPress), tray);
    g_signal_connect(tray->icon, "button-release-event", G_CALLBACK(OnRelease), tray);
    gtk_status_icon_set_visible(tray->icon, TRUE);
    if (!WaitForEmbedding(tray->icon)) {
        Free(tray);
        return 0;
    }
    g_icons.push_back(tray);
    return 1;
}

BOOL Delete(const NOTIFYICONDATAW& data) {
    auto found = std::find_if(g_icons.begin(), g_icons.end(), [&data](const TrayIcon* tray) {
        return tray->owner == data.hWnd && tray->id == data.uID;
    });
    if (found == g_icons.end()) {
        return 0;
    }
    Free(*found);
    g_icons.erase(found);
    return 1;
}

}  // namespace

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data) {
    if (data == nullptr) {
        return 0;
    }
    switch (message) {
        case NIM_ADD:
            return Add(*data);
        case NIM_DELETE:
            return Delete(*data);
        default:
            return 0;
    }
}

G_GNUC_END_IGNORE_DEPRECATIONS
