#include "support/XembedTray.h"

#include <X11/Xatom.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace testing_support {
namespace {

constexpr long kRequestDock = 0;     // SYSTEM_TRAY_REQUEST_DOCK
constexpr long kEmbeddedNotify = 0;  // XEMBED_EMBEDDED_NOTIFY
constexpr long kXembedVersion = 0;

void SendClientMessage(::Display* display, Window to, Atom type, long mask,
                       const std::vector<long>& data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = to;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    std::copy(data.begin(), data.end(), event.xclient.data.l);
    XSendEvent(display, to, False, mask, &event);
}

}  // namespace

XembedTray::XembedTray(const std::string& display, int x, int y) : m_x(x), m_y(y) {
    m_display = XOpenDisplay(display.c_str());
    if (m_display == nullptr) {
        throw std::runtime_error("the tray cannot open display " + display);
    }
    const int screen = DefaultScreen(m_display);
    const Window root = RootWindow(m_display, screen);
    const Atom selection =
        XInternAtom(m_display, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str(), False);
    if (XGetSelectionOwner(m_display, selection) != None) {
        XCloseDisplay(m_display);
        throw std::runtime_error("another tray runs on " + display);
    }
    // Override-redirect: without a window manager nothing else would keep it where it is put.
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(m_display, screen);
    attributes.event_mask = SubstructureNotifyMask;
    m_tray = XCreateWindow(m_display, root, x, y, kMaxIcons * kIconSize, kIconSize, 0,
                           CopyFromParent, InputOutput, CopyFromParent,
                           CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    const long horizontal = 0;
    XChangeProperty(m_display, m_tray,
                    XInternAtom(m_display, "_NET_SYSTEM_TRAY_ORIENTATION", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&horizontal), 1);
    const long visual = static_cast<long>(XVisualIDFromVisual(DefaultVisual(m_display, screen)));
    XChangeProperty(m_display, m_tray, XInternAtom(m_display, "_NET_SYSTEM_TRAY_VISUAL", False),
                    XA_VISUALID, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&visual), 1);
    XMapRaised(m_display, m_tray);
    XSetSelectionOwner(m_display, selection, m_tray, CurrentTime);
    // Icons that started before the tray wait for this announcement.
    SendClientMessage(m_display, root, XInternAtom(m_display, "MANAGER", False),
                      StructureNotifyMask,
                      {CurrentTime, static_cast<long>(selection), static_cast<long>(m_tray), 0, 0});
    XSync(m_display, False);
    if (::pipe(m_wakeFds) != 0) {
        XCloseDisplay(m_display);
        throw std::runtime_error("pipe failed");
    }
    m_thread = std::thread([this] { Run(); });
}

XembedTray::~XembedTray() {
    const char stop = 0;
    (void)::write(m_wakeFds[1], &stop, 1);
    m_thread.join();
    XCloseDisplay(m_display);
    ::close(m_wakeFds[0]);
    ::close(m_wakeFds[1]);
}

std::vector<Window> XembedTray::Icons() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_icons;
}

void XembedTray::Run() {
    const Atom opcode = XInternAtom(m_display, "_NET_SYSTEM_TRAY_OPCODE", False);
    pollfd fds[2] = {{ConnectionNumber(m_display), POLLIN, 0}, {m_wakeFds[0], POLLIN, 0}};
    for (;;) {
        while (XPending(m_display) > 0) {
            XEvent event{};
            XNextEvent(m_display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == opcode &&
                event.xclient.data.l[1] == kRequestDock) {
                Dock(static_cast<Window>(event.xclient.data.l[2]));
            } else if (event.type == DestroyNotify) {
                Forget(event.xdestroywindow.window);
            } else if (event.type == ReparentNotify && event.xreparent.parent != m_tray) {
                Forget(event.xreparent.window);
            }
        }
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) {
            return;
        }
    }
}

void XembedTray::Dock(Window icon) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_icons.size() >= static_cast<size_t>(kMaxIcons) ||
        std::find(m_icons.begin(), m_icons.end(), icon) != m_icons.end()) {
        return;
    }
    const int x = static_cast<int>(m_icons.size()) * kIconSize;
    XSelectInput(m_display, icon, StructureNotifyMask);
    // The icon belongs to its program: should the tray end first, it goes back to the root window.
    XAddToSaveSet(m_display, icon);
    XReparentWindow(m_display, icon, m_tray, x, 0);
    XResizeWindow(m_display, icon, kIconSize, kIconSize);
    SendClientMessage(m_display, icon, XInternAtom(m_display, "_XEMBED", False), NoEventMask,
                      {CurrentTime, kEmbeddedNotify, 0, static_cast<long>(m_tray), kXembedVersion});
    XMapRaised(m_display, icon);
    XSync(m_display, False);
    m_icons.push_back(icon);
}

// The icon went away: the rest close ranks, as a tray does.
void XembedTray::Forget(Window icon) {
    std::lock_guard<std::mutex> guard(m_lock);
    const auto found = std::find(m_icons.begin(), m_icons.end(), icon);
    if (found == m_icons.end()) {
        return;
    }
    m_icons.erase(found);
    for (size_t i = 0; i < m_icons.size(); ++i) {
        XMoveWindow(m_display, m_icons[i], static_cast<int>(i) * kIconSize, 0);
    }
    XSync(m_display, False);
}

}  // namespace testing_support
