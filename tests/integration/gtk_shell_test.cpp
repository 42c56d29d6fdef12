// The notification-area icon and message boxes on the real GTK backend, under a private Xvfb
// display, with and without a tray running.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/GlobalModule.h"
#include "platform/window.h"
#include "support/Pump.h"
#include "support/TestDisplay.h"
#include "support/XembedTray.h"
#include "support/XvfbDisplay.h"

CGlobalModule g_module;

namespace {

using testing_support::Pump;
using testing_support::Xdotool;
using testing_support::XembedTray;

constexpr UINT kTrayMessage = WM_USER + 7;
constexpr UINT kIconId = 156;

std::vector<LPARAM> g_trayNotices;

LRESULT RecordTrayNotices(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayMessage && wParam == kIconId) {
        g_trayNotices.push_back(lParam);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

class GtkShell : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_display = testing_support::OpenTestDisplay(L"shell", RecordTrayNotices, 0);
    }
    static void TearDownTestSuite() { s_display.reset(); }

    void SetUp() override {
        g_trayNotices.clear();
        m_window = CreateWindowExW(0, L"shell", L"shell", WS_POPUP, 0, 0, 100, 100, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
    }
    void TearDown() override {
        DestroyWindow(m_window);
        Pump(50);
    }

    NOTIFYICONDATAW IconData() const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = m_window;
        data.uID = kIconId;
        data.uFlags = NIF_MESSAGE | NIF_TIP;
        data.uCallbackMessage = kTrayMessage;
        const wchar_t tip[] = L"Velkora";
        std::copy(std::begin(tip), std::end(tip), data.szTip);
        return data;
    }

    HWND m_window = nullptr;
    static std::unique_ptr<testing_support::XvfbDisplay> s_display;
};

std::unique_ptr<testing_support::XvfbDisplay> GtkShell::s_display;

TEST_F(GtkShell, WithoutATrayTheIconIsRefused) {
    NOTIFYICONDATAW data = IconData();
    EXPECT_EQ(Shell_NotifyIconW(NIM_ADD, &data), 0);
    EXPECT_EQ(Shell_NotifyIconW(NIM_DELETE, &data), 0);  // nothing was added
}

TEST_F(GtkShell, TrayDocksTheIconReportsClicksAndLetsItGo) {
    XembedTray tray(s_display->name(), 1000, 990);
    NOTIFYICONDATAW data = IconData();
    ASSERT_NE(Shell_NotifyIconW(NIM_ADD, &data), 0);
    Pump(200);
    ASSERT_EQ(tray.Icons().size(), 1U);

    const std::string at =
        std::to_string(tray.IconCentreX(0)) + " " + std::to_string(tray.IconCentreY());
    ASSERT_TRUE(Xdotool("mousemove " + at + " click 1"));
    Pump(300);
    ASSERT_TRUE(Xdotool("click 3"));
    Pump(300);
    ASSERT_TRUE(Xdotool("click --repeat 2 --delay 50 1"));
    Pump(300);
    EXPECT_EQ(g_trayNotices, (std::vector<LPARAM>{WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONUP,
                                                  WM_LBUTTONDBLCLK, WM_LBUTTONUP}));

    ASSERT_NE(Shell_NotifyIconW(NIM_DELETE, &data), 0);
    Pump(200);
    EXPECT_TRUE(tray.Icons().empty());
    EXPECT_EQ(Shell_NotifyIconW(NIM_DELETE, &data), 0);
}

// A worker's box shows on the user-interface thread, which keeps running its message loop, and
// the worker gets the answer given there.
TEST_F(GtkShell, WorkersMessageBoxIsAnsweredOnTheInterfaceThread) {
    std::atomic<int> answer{-1};
    std::thread worker([&answer] {
        answer = MessageBoxW(nullptr, L"此操作将退出游戏，是否继续？", L"提示",
                             MB_YESNO | MB_DEFBUTTON2);
        PostQuitMessage(0);
    });
    std::thread person([] {
        if (!Xdotool("search --sync --onlyvisible --name '^提示$'") || !Xdotool("key Return")) {
            PostQuitMessage(1);  // ending the loop releases the waiting worker
        }
    });
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) != 0) {
        DispatchMessageW(&msg);
    }
    person.join();
    worker.join();
    EXPECT_EQ(msg.wParam, 0U);
    EXPECT_EQ(answer, IDNO);  // the default button
}

}  // namespace
