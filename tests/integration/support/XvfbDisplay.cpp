#include "support/XvfbDisplay.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace testing_support {

XvfbDisplay::XvfbDisplay(int width, int height) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    m_pid = ::fork();
    if (m_pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // no stray server when a test crashes
        ::close(pipeFds[0]);
        const std::string fd = std::to_string(pipeFds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                 "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(pipeFds[0]);
    if (m_pid < 0 || number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    m_name = ":" + number;
    ::setenv("DISPLAY", m_name.c_str(), 1);
    ::unsetenv("WAYLAND_DISPLAY");
}

XvfbDisplay::~XvfbDisplay() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
}

bool Xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace testing_support
