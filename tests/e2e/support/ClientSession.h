// One end-to-end session: a temporary folder holding a copy of the client (its settings file sits
// next to the executable), a private HOME with a recording default web handler, a private Xvfb,
// platform-sim and the client, each process stopped by its own id. The test process is expected
// to run in a network namespace of its own, since the client's addresses are fixed at build time.
#pragma once

#include <sys/types.h>

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/XembedTray.h"
#include "support/XvfbDisplay.h"

namespace e2e {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

bool operator==(const Rect& a, const Rect& b);
std::string Describe(const Rect& rect);

struct ClientWindow {
    Window id = 0;
    std::string title;
    Rect rect;
    bool shown = false;  // viewable and reaching into the screen
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

constexpr auto kPatience = std::chrono::seconds(30);

// Polls until done() holds; on time-out throws with the waited-for description and lastSeen().
void WaitUntil(const std::string& what, const std::function<bool()>& done,
               const std::function<std::string()>& lastSeen,
               std::chrono::milliseconds patience = kPatience);

class ClientSession {
public:
    static constexpr int kScreenWidth = 1400;
    static constexpr int kScreenHeight = 900;

    // settings: the content of Stavel.ini before the first start; empty means no file.
    explicit ClientSession(const std::string& settings = "");
    ~ClientSession();
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    void StartSim(const std::vector<std::string>& options = {});
    void StopSim();
    // switches: the command line after the program's path.
    void StartClient(const std::vector<std::string>& switches = {});
    int WaitForClientExit();  // the exit code; throws when the client does not end in time
    int StopClient();         // SIGTERM; the exit code
    bool ClientRunning();

    // The request log: "HOST PORT METHOD TARGET STATUS" lines.
    std::vector<std::string> SimLog() const;
    std::vector<std::string> Requests(const std::string& part) const;
    // Waits for the count-th logged request containing part and returns it.
    std::string WaitForRequest(const std::string& part, size_t count = 1) const;

    std::string Settings() const;
    // The addresses handed to the user's default web handler, oldest first.
    std::vector<std::string> OpenedAddresses() const;
    std::string WaitForOpenedAddress(const std::string& part) const;

    // The client's top-level windows, apart from the toolkit's never-shown leader window.
    std::vector<ClientWindow> Windows() const;
    std::vector<ClientWindow> ShownWindows() const;
    std::string DescribeShownWindows() const;
    // Waits until the shown windows are exactly those with the given rectangles (in any order).
    std::vector<ClientWindow> WaitForShownRects(const std::vector<Rect>& rects) const;
    ClientWindow WaitForShownTitle(const std::string& title) const;
    // The windows the client asked the window manager to minimise, oldest first.
    std::vector<Window> MinimiseRequests() const;

    std::vector<Rgb> ScreenPixels(const Rect& area) const;

    // A notification area along the bottom right of the screen, for the client started after it.
    void StartTray();
    // Waits until the tray holds exactly count icons; returns where a click hits the first.
    std::pair<int, int> WaitForTrayIcons(size_t count) const;

    void MoveTo(int x, int y) const;
    void Click(int x, int y, int button = 1) const;
    void DoubleClick(int x, int y) const;
    void Type(const std::string& text) const;
    void Key(const std::string& keys) const;

    const std::string& folder() const { return m_folder; }

private:
    pid_t Spawn(const std::vector<std::string>& argv) const;
    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    std::string m_folder;
    std::unique_ptr<testing_support::XvfbDisplay> m_xvfb;
    std::unique_ptr<testing_support::XembedTray> m_tray;
    ::Display* m_display = nullptr;
    pid_t m_sim = -1;
    pid_t m_client = -1;
    int m_clientStatus = -1;
    mutable std::vector<Window> m_minimiseRequests;
};

// The login window and its background, centred on the screen.
Rect CentredRect(int width, int height);

}  // namespace e2e
