// A private X display for tests that open real windows: Xvfb on a display number it picks
// itself, started before the first test and stopped by its process id after the last.
#pragma once

#include <sys/types.h>

#include <string>

namespace testing_support {

class XvfbDisplay {
public:
    // Starts Xvfb with one screen of the given size and points DISPLAY at it.
    XvfbDisplay(int width, int height);
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    const std::string& name() const { return m_name; }

private:
    pid_t m_pid = -1;
    std::string m_name;
};

// Runs xdotool with the arguments on the test display; true when it succeeded.
bool Xdotool(const std::string& arguments);

}  // namespace testing_support
