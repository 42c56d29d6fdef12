// A notification area for tests: the smallest XEmbed system tray, on its own thread and its own
// connection to the display. Real trays place themselves where a window manager lets them (and
// park off screen without one); this one docks every icon at a known place, so that a test can
// click it.
#pragma once

#include <X11/Xlib.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class XembedTray {
public:
    static constexpr int kIconSize = 24;
    static constexpr int kMaxIcons = 8;  // the tray is as wide as this many icons

    // Owns the screen's tray selection on the named display, with icons docked from (x, y)
    // rightwards. Throws when the display cannot be opened or another tray runs.
    XembedTray(const std::string& display, int x, int y);
    ~XembedTray();
    XembedTray(const XembedTray&) = delete;
    XembedTray& operator=(const XembedTray&) = delete;

    // The icons docked now, in docking order.
    std::vector<Window> Icons() const;
    // Where a click lands on the index-th icon docked now, in screen coordinates.
    int IconCentreX(size_t index) const {
        return m_x + static_cast<int>(index) * kIconSize + kIconSize / 2;
    }
    int IconCentreY() const { return m_y + kIconSize / 2; }

private:
    void Run();
    void Dock(Window icon);
    void Forget(Window icon);

    ::Display* m_display = nullptr;
    Window m_tray = 0;
    int m_x = 0;
    int m_y = 0;
    int m_wakeFds[2] = {-1, -1};
    mutable std::mutex m_lock;
    std::vector<Window> m_icons;
    std::thread m_thread;
};

}  // namespace testing_support
