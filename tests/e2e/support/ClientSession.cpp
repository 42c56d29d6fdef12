#include "support/ClientSession.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/TestEnvironment.h"

namespace e2e {

namespace {

using namespace std::chrono_literals;

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += "\n  " + line;
    }
    return text.empty() ? " (nothing)" : text;
}

void WriteExecutable(const std::string& path, const std::string& content) {
    testing_support::WriteFile(path, content);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// Stops a child by its id: SIGTERM, then SIGKILL when it does not end; returns its wait status.
int Stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            return status;
        }
        std::this_thread::sleep_for(50ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return status;
}

std::string WindowTitle(::Display* display, Window window) {
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count,
                           &rest, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return title;
}

bool IsClientWindow(::Display* display, Window window) {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) == 0) {
        return false;
    }
    const bool ours = hint.res_name != nullptr && std::string(hint.res_name) == "velkora";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return ours;
}

// Windows come and go while the test looks at them; a vanished one is simply skipped.
int IgnoreXError(::Display*, XErrorEvent*) {
    return 0;
}

int ExitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::string Describe(const Rect& rect) {
    return std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" +
           std::to_string(rect.x) + "+" + std::to_string(rect.y);
}

Rect CentredRect(int width, int height) {
    return {(ClientSession::kScreenWidth - width) / 2, (ClientSession::kScreenHeight - height) / 2,
            width, height};
}

void WaitUntil(const std::string& what, const std::function<bool()>& done,
               const std::function<std::string()>& lastSeen, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("timed out waiting for " + what + "; last seen:" + lastSeen());
        }
        std::this_thread::sleep_for(100ms);
    }
}

ClientSession::ClientSession(const std::string& settings) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velkora-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create the session folder");
    }
    m_folder = pattern;
    for (const char* sub : {"home", "data/applications", "config", "tmp"}) {
        std::filesystem::create_directories(Path(sub));
    }
    std::filesystem::copy_file(VELKORA_CLIENT, Path("velkora"));
    std::filesystem::permissions(Path("velkora"), std::filesystem::perms::owner_all);
    if (!settings.empty()) {
        testing_support::WriteFile(Path("Stavel.ini"), settings);
    }
    // The user's default web handler records the addresses it is asked to open.
    WriteExecutable(Path("opener.sh"),
                    "#!/bin/sh\nprintf '%s\\n' \"$1\" >> " + Quoted(Path("opened.log")) + "\n");
    testing_support::WriteFile(
        Path("data/applications/velkora-e2e-opener.desktop"),
        "[Desktop Entry]\nType=Application\nName=Opener\nExec=" + Path("opener.sh") +
            " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\n");
    testing_support::WriteFile(Path("config/mimeapps.list"),
                               "[Default Applications]\n"
                               "x-scheme-handler/http=velkora-e2e-opener.desktop\n"
                               "x-scheme-handler/https=velkora-e2e-opener.desktop\n");
    m_xvfb = std::make_unique<testing_support::XvfbDisplay>(kScreenWidth, kScreenHeight);
    XSetErrorHandler(IgnoreXError);
    m_display = XOpenDisplay(m_xvfb->name().c_str());
    if (m_display == nullptr) {
        throw std::runtime_error("cannot open the test display " + m_xvfb->name());
    }
    // Requests meant for a window manager reach those who listen to the root window's children.
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
}

ClientSession::~ClientSession() {
    if (m_client > 0) {
        Stop(m_client);
    }
    StopSim();
    m_tray.reset();
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
    m_xvfb.reset();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

pid_t ClientSession::Spawn(const std::vector<std::string>& argv) const {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // no stray process when the test crashes
        ::setenv("HOME", Path("home").c_str(), 1);
        ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        ::setenv("TMPDIR", Path("tmp").c_str(), 1);
        ::setenv("DISPLAY", m_xvfb->name().c_str(), 1);
        std::vector<char*> args;
        for (const auto& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    if (pid < 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    return pid;
}

void ClientSession::StartSim(const std::vector<std::string>& options) {
    std::filesystem::remove(Path("ready"));
    std::vector<std::string> argv = {
        PLATFORM_SIM,         "--log",        Path("sim.log"), "--upgrader-log",
        Path("upgrader.log"), "--ready-file", Path("ready")};
    argv.insert(argv.end(), options.begin(), options.end());
    m_sim = Spawn(argv);
    WaitUntil(
        "platform-sim to listen", [&] { return !ReadLines(Path("ready")).empty(); },
        [&] { return " no ready file"; });
}

void ClientSession::StopSim() {
    if (m_sim > 0) {
        Stop(m_sim);
        m_sim = -1;
    }
}

void ClientSession::StartClient(const std::vector<std::string>& switches) {
    m_clientStatus = -1;
    std::vector<std::string> argv = {Path("velkora")};
    argv.insert(argv.end(), switches.begin(), switches.end());
    m_client = Spawn(argv);
}

bool ClientSession::ClientRunning() {
    if (m_client > 0 && ::waitpid(m_client, &m_clientStatus, WNOHANG) == m_client) {
        m_client = -1;
    }
    return m_client > 0;
}

int ClientSession::WaitForClientExit() {
    WaitUntil(
        "the client to end", [&] { return !ClientRunning(); },
        [&] { return DescribeShownWindows(); });
    return ExitCode(m_clientStatus);
}

int ClientSession::StopClient() {
    m_clientStatus = Stop(m_client);
    m_client = -1;
    return ExitCode(m_clientStatus);
}

std::vector<std::string> ClientSession::SimLog() const {
    return ReadLines(Path("sim.log"));
}

std::vector<std::string> ClientSession::Requests(const std::string& part) const {
    std::vector<std::string> found;
    for (const auto& line : SimLog()) {
        if (line.find(part) != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

std::string ClientSession::WaitForRequest(const std::string& part, size_t count) const {
    WaitUntil(
        std::to_string(count) + " request(s) with '" + part + "'",
        [&] { return Requests(part).size() >= count; }, [&] { return Joined(SimLog()); });
    return Requests(part)[count - 1];
}

std::string ClientSession::Settings() const {
    return testing_support::ReadFile(Path("Stavel.ini"));
}

std::vector<std::string> ClientSession::OpenedAddresses() const {
    return ReadLines(Path("opened.log"));
}

std::string ClientSession::WaitForOpenedAddress(const std::string& part) const {
    std::string found;
    WaitUntil(
        "the web handler to open an address with '" + part + "'",
        [&] {
            for (const auto& address : OpenedAddresses()) {
                if (address.find(part) != std::string::npos) {
                    found = address;
                }
            }
            return !found.empty();
        },
        [&] { return Joined(OpenedAddresses()); });
    return found;
}

std::vector<ClientWindow> ClientSession::Windows() const {
    std::vector<ClientWindow> windows;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count) ==
        0) {
        return windows;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(m_display, children[i], &attributes) == 0 ||
            !IsClientWindow(m_display, children[i]) ||
            (attributes.width <= 10 && attributes.height <= 10)) {
            continue;
        }
        const Rect rect{attributes.x, attributes.y, attributes.width, attributes.height};
        const bool onScreen = rect.x < kScreenWidth && rect.y < kScreenHeight &&
                              rect.x + rect.width > 0 && rect.y + rect.height > 0;
        windows.push_back({children[i], WindowTitle(m_display, children[i]), rect,
                           onScreen && attributes.map_state == IsViewable});
    }
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

std::vector<Window> ClientSession::MinimiseRequests() const {
    const Atom changeState = XInternAtom(m_display, "WM_CHANGE_STATE", False);
    constexpr long kIconicState = 3;
    while (XPending(m_display) > 0) {
        XEvent event{};
        XNextEvent(m_display, &event);
        if (event.type == ClientMessage && event.xclient.message_type == changeState &&
            event.xclient.data.l[0] == kIconicState) {
            m_minimiseRequests.push_back(event.xclient.window);
        }
    }
    return m_minimiseRequests;
}

std::vector<ClientWindow> ClientSession::ShownWindows() const {
    auto windows = Windows();
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [](const ClientWindow& window) { return !window.shown; }),
                  windows.end());
    return windows;
}

std::string ClientSession::DescribeShownWindows() const {
    std::vector<std::string> lines;
    for (const auto& window : ShownWindows()) {
        lines.push_back("\"" + window.title + "\" " + Describe(window.rect));
    }
    return Joined(lines);
}

std::vector<ClientWindow> ClientSession::WaitForShownRects(const std::vector<Rect>& rects) const {
    std::string wanted;
    for (const auto& rect : rects) {
        wanted += " " + Describe(rect);
    }
    std::vector<ClientWindow> shown;
    WaitUntil(
        "exactly these windows shown:" + wanted,
        [&] {
            shown = ShownWindows();
            return shown.size() == rects.size() &&
                   std::all_of(shown.begin(), shown.end(), [&](const ClientWindow& window) {
                       return std::find(rects.begin(), rects.end(), window.rect) != rects.end();
                   });
        },
        [&] { return DescribeShownWindows(); });
    return shown;
}

ClientWindow ClientSession::WaitForShownTitle(const std::string& title) const {
    ClientWindow found;
    WaitUntil(
        "a window titled \"" + title + "\"",
        [&] {
            for (const auto& window : ShownWindows()) {
                if (window.title == title) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        [&] { return DescribeShownWindows(); });
    return found;
}

std::vector<Rgb> ClientSession::ScreenPixels(const Rect& area) const {
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), area.x, area.y,
                              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) {
        throw std::runtime_error("cannot read the screen at " + Describe(area));
    }
    std::vector<Rgb> pixels;
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            pixels.push_back({static_cast<int>((pixel >> 16) & 0xFF),
                              static_cast<int>((pixel >> 8) & 0xFF),
                              static_cast<int>(pixel & 0xFF)});
        }
    }
    XDestroyImage(image);
    return pixels;
}

void ClientSession::StartTray() {
    using testing_support::XembedTray;
    m_tray = std::make_unique<XembedTray>(
        m_xvfb->name(), kScreenWidth - XembedTray::kMaxIcons * XembedTray::kIconSize,
        kScreenHeight - XembedTray::kIconSize);
}

std::pair<int, int> ClientSession::WaitForTrayIcons(size_t count) const {
    WaitUntil(
        "the tray to hold " + std::to_string(count) + " icons",
        [&] { return m_tray->Icons().size() == count; },
        [&] { return std::to_string(m_tray->Icons().size()) + " icons"; });
    return {m_tray->IconCentreX(0), m_tray->IconCentreY()};
}

void ClientSession::MoveTo(int x, int y) const {
    testing_support::Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void ClientSession::Click(int x, int y, int button) const {
    MoveTo(x, y);
    testing_support::Xdotool("click " + std::to_string(button));
}

void ClientSession::DoubleClick(int x, int y) const {
    MoveTo(x, y);
    testing_support::Xdotool("click --repeat 2 --delay 80 1");
}

void ClientSession::Type(const std::string& text) const {
    testing_support::Xdotool("type --delay 30 " + Quoted(text));
}

void ClientSession::Key(const std::string& keys) const {
    testing_support::Xdotool("key " + keys);
}

}  // namespace e2e
