// Pop-up menus as GtkMenus, tracked in a nested loop that counts as modal, so that the choice
// comes back to the caller as TrackPopupMenu's result.
#include "platform/gtk/gtk_ui.h"
#include "platform/menus.h"
#include "platform/text.h"

namespace {

struct Tracking {
    UINT chosen = 0;
    bool done = false;
};

void OnActivate(GtkMenuItem* item, gpointer data) {
    static_cast<Tracking*>(data)->chosen =
        GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "velkora-command"));
}

// The item's "activate" follows the menu's "deactivate", so the loop ends one turn later.
gboolean EndTracking(gpointer data) {
    static_cast<Tracking*>(data)->done = true;
    return G_SOURCE_REMOVE;
}

void OnDeactivate(GtkMenuShell*, gpointer data) {
    g_idle_add(EndTracking, data);
}

// GTK takes the menu's grab from the event that opened it. A menu opened from a posted message
// (the tray's right click) has none behind it, so one stands in: the pointer, now.
GdkEvent* NewTriggerEvent() {
    if (GdkEvent* current = gtk_get_current_event(); current != nullptr) {
        return current;
    }
    GdkEvent* event = gdk_event_new(GDK_BUTTON_RELEASE);
    event->button.window = GDK_WINDOW(g_object_ref(gdk_get_default_root_window()));
    event->button.time = GDK_CURRENT_TIME;
    gdk_event_set_device(
        event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    return event;
}

}  // namespace

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND, const RECT*) {
    const std::vector<plat::MenuItem> items = plat::MenuItems(menu);
    if (items.empty()) {
        return 0;
    }
    Tracking tracking;
    GtkWidget* popup = gtk_menu_new();
    for (const plat::MenuItem& item : items) {
        GtkWidget* widget = gtk_menu_item_new_with_label(plat::ToUtf8(item.text).c_str());
        g_object_set_data(G_OBJECT(widget), "velkora-command", GUINT_TO_POINTER(item.id));
        g_signal_connect(widget, "activate", G_CALLBACK(OnActivate), &tracking);
        gtk_menu_shell_append(GTK_MENU_SHELL(popup), widget);
    }
    g_signal_connect(popup, "deactivate", G_CALLBACK(OnDeactivate), &tracking);
    gtk_widget_show_all(popup);
    GdkRectangle at{x, y, 1, 1};
    GdkEvent* trigger = NewTriggerEvent();
    gtk_menu_popup_at_rect(GTK_MENU(popup), gdk_get_default_root_window(), &at,
                           GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, trigger);
    gdk_event_free(trigger);
    if (!gtk_widget_get_visible(popup)) {
        // No grab could be had: the menu never opened, so no "deactivate" will come.
        gtk_widget_destroy(popup);
        return 0;
    }
    plat::RunModalUntil([&tracking] { return tracking.done; });
    gtk_widget_destroy(popup);
    return (flags & TPM_RETURNCMD) != 0 ? static_cast<BOOL>(tracking.chosen)
                                        : static_cast<BOOL>(tracking.chosen != 0);
}
