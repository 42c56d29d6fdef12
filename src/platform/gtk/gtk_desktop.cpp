// Showing the desktop through the window manager (EWMH _NET_SHOWING_DESKTOP), which is what the
// shell's show-desktop command does on other desktops.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include "platform/shell.h"

namespace {

bool ShowingDesktop(Display* display, Window root, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* value = nullptr;
    const bool read = XGetWindowProperty(display, root, property, 0, 1, False, XA_CARDINAL, &type,
                                         &format, &count, &remaining, &value) == Success;
    const bool showing = read && value != nullptr && format == 32 && count == 1 &&
                         *reinterpret_cast<const long*>(value) != 0;
    if (value != nullptr) {
        XFree(value);
    }
    return showing;
}

}  // namespace

void plat::ToggleShowingDesktop() {
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (gdkDisplay == nullptr || !GDK_IS_X11_DISPLAY(gdkDisplay)) {
        return;
    }
    GdkScreen* screen = gdk_display_get_default_screen(gdkDisplay);
    // Without a window manager that supports it, the request would be an unanswered message.
    if (!gdk_x11_screen_supports_net_wm_hint(
            screen, gdk_atom_intern_static_string("_NET_SHOWING_DESKTOP"))) {
        return;
    }
    Display* display = GDK_DISPLAY_XDISPLAY(gdkDisplay);
    const Window root = DefaultRootWindow(display);
    const Atom property = XInternAtom(display, "_NET_SHOWING_DESKTOP", False);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = root;
    event.xclient.message_type = property;
    event.xclient.format = 32;
    event.xclient.data.l[0] = ShowingDesktop(display, root, property) ? 0 : 1;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}
