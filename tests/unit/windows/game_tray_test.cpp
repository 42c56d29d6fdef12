// The game window's settings menu, tray icon and tray menu on the fake backend, routed through
// the client's own window procedure as in the program.
#include <gtest/gtest.h>

#include <cwchar>

#include "app/AppMessages.h"
#include "app/Entry.h"
#include "app/GlobalModule.h"
#include "platform/fake/fake_browser.h"
#include "platform/fake/fake_ui.h"

namespace fake = plat::fake;

namespace {

constexpr UINT kRefresh = 32774;
constexpr UINT kClearCache = 32778;
constexpr UINT kOpen = 32781;
constexpr UINT kExit = 32782;

class GameTrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        for (WORD id : {137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 157, 158, 159, 160,
                        161, 162, 163, 164, 165, 167}) {
            fake::RegisterBitmap(id, 30, 24);
        }
        fake::RegisterBitmap(148, 65, 38);
        fake::RegisterIcon(151);
        std::wcscpy(g_module.m_szWindowClass, L"velkora-game-test");
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = MainWndProc;
        windowClass.lpszClassName = g_module.m_szWindowClass;
        RegisterClassExW(&windowClass);
        m_game = new CFormGame;  // the application object frees it once it is destroyed
        g_module.m_pFormGame = m_game;
        m_game->SetRect(RECT{0, 0, 1250, 700});
        m_game->OnCreate(L"http://game.test/");
        m_game->Maximize();
        m_hwnd = m_game->GetHwnd();
        fake::ClearCalls();
    }

    void TearDown() override {
        if (g_module.m_pFormGame != nullptr) {
            DestroyWindow(m_hwnd);
        }
        g_module.RetireGameWindow(nullptr);  // freed while the fake backend is still alive
        EXPECT_EQ(plat::LiveMenuCount(), 0);
    }

    bool Visible() const { return fake::WindowState(m_hwnd)->visible(); }
    bool Destroyed() const { return fake::WindowState(m_hwnd)->destroyed; }
    LRESULT Notify(UINT mouse) { return SendMessageW(m_hwnd, WM_TRAY_NOTIFY, 156, mouse); }

    CFormGame* m_game = nullptr;
    HWND m_hwnd = nullptr;
};

TEST_F(GameTrayTest, SettingsMenuOpensBelowTheButtonAndActsOnTheChoice) {
    struct Case {
        UINT choice;
        bool handled;
        int refreshes;
        int cacheClears;
    };
    const Case cases[] = {
        {0, false, 0, 0},  // dismissed
        {kRefresh, true, 1, 0},
        {kClearCache, true, 0, 1},
        {kOpen, false, 0, 0},  // not an item of this menu
    };
    for (bool maximized : {true, false}) {
        if (!maximized) {
            m_game->Restore();
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "choice " << c.choice << " maximized " << maximized);
            fake::ClearCalls();
            fake::BrowserIn(m_game->m_view.m_hWnd)->refreshes = 0;
            const int clearsBefore = fake::BrowserCacheClears();
            fake::PushMenuChoice(c.choice);
            EXPECT_EQ(m_game->ShowSettingsMenu(), c.handled);

            const auto tracks = fake::CallsTo("TrackPopupMenu");
            ASSERT_EQ(tracks.size(), 1u);
            RECT button = m_game->m_btnSettings.GetRect();
            POINT corner{button.left, button.bottom};
            ClientToScreen(m_hwnd, &corner);
            EXPECT_EQ(tracks[0].x, corner.x);
            EXPECT_EQ(tracks[0].y, corner.y);
            EXPECT_EQ(tracks[0].flags, TPM_RETURNCMD | TPM_RIGHTBUTTON);
            EXPECT_EQ(tracks[0].hwnd, m_hwnd);
            ASSERT_EQ(tracks[0].menu.size(), 2u);
            EXPECT_EQ(tracks[0].menu[0].id, kRefresh);
            EXPECT_EQ(tracks[0].menu[0].text, L"刷新");
            EXPECT_EQ(tracks[0].menu[1].id, kClearCache);
            EXPECT_EQ(tracks[0].menu[1].text, L"清理缓存");

            EXPECT_EQ(fake::BrowserIn(m_game->m_view.m_hWnd)->refreshes, c.refreshes);
            EXPECT_EQ(fake::BrowserCacheClears() - clearsBefore, c.cacheClears);
            const auto boxes = fake::CallsTo("MessageBoxW");
            ASSERT_EQ(boxes.size(), static_cast<size_t>(c.cacheClears));
            if (c.cacheClears > 0) {
                EXPECT_EQ(boxes[0].text, L"缓存清理完毕！");
                EXPECT_EQ(boxes[0].caption, L"提示");
                EXPECT_EQ(boxes[0].flags, MB_OK);
                EXPECT_EQ(boxes[0].hwnd, m_hwnd);
            }
            EXPECT_EQ(plat::LiveMenuCount(), 0);
        }
    }
}

TEST_F(GameTrayTest, MinimizeToTrayAddsTheIconAndHidesTheWindow) {
    m_game->MinimizeToTray();
    const auto icons = fake::TrayIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].hWnd, m_hwnd);
    EXPECT_EQ(icons[0].uID, 156u);
    EXPECT_EQ(icons[0].uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    EXPECT_EQ(icons[0].uCallbackMessage, WM_TRAY_NOTIFY);
    EXPECT_EQ(icons[0].hIcon, LoadIconW(nullptr, MAKEINTRESOURCEW(151)));
    EXPECT_STREQ(icons[0].szTip, L"Velkora");
    EXPECT_TRUE(m_game->m_bTrayIcon);
    EXPECT_FALSE(Visible());
}

TEST_F(GameTrayTest, WithoutANotificationAreaTheWindowGoesToTheTaskBar) {
    fake::SetTrayAvailable(false);
    m_game->MinimizeToTray();
    EXPECT_FALSE(m_game->m_bTrayIcon);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(fake::WindowState(m_hwnd)->minimized);
    EXPECT_FALSE(m_game->RemoveTrayIcon());
    DestroyWindow(m_hwnd);
    EXPECT_EQ(fake::CallsTo("Shell_NotifyIconW").size(), 1u);  // the refused NIM_ADD only
}

TEST_F(GameTrayTest, TrayClicksAndTheTrayMenu) {
    struct Case {
        const char* what;
        UINT mouse;
        UINT choice;  // of the tray menu, when it opens
        int answer;   // to the exit question, when it is asked
        bool menu;
        bool question;
        bool visible;
        bool iconStays;
        bool destroyed;
    };
    const Case cases[] = {
        {"left click", WM_LBUTTONUP, 0, 0, false, false, true, false, false},
        {"double click", WM_LBUTTONDBLCLK, 0, 0, false, false, true, false, false},
        {"mouse move", WM_MOUSEMOVE, 0, 0, false, false, false, true, false},
        {"left press", WM_LBUTTONDOWN, 0, 0, false, false, false, true, false},
        {"menu dismissed", WM_RBUTTONUP, 0, 0, true, false, false, true, false},
        {"open", WM_RBUTTONUP, kOpen, 0, true, false, true, false, false},
        {"exit, no", WM_RBUTTONUP, kExit, IDNO, true, true, false, true, false},
        {"exit, yes", WM_RBUTTONUP, kExit, IDYES, true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        m_game->MinimizeToTray();
        ASSERT_FALSE(Visible());
        fake::ClearCalls();
        fake::SetCursorPosition(POINT{1800, 1030});
        if (c.menu) {
            fake::PushMenuChoice(c.choice);
        }
        if (c.question) {
            fake::PushMessageBoxAnswer(c.answer);
        }
        EXPECT_EQ(Notify(c.mouse), 0);

        const auto tracks = fake::CallsTo("TrackPopupMenu");
        ASSERT_EQ(tracks.size(), c.menu ? 1u : 0u);
        if (c.menu) {
            EXPECT_EQ(tracks[0].x, 1800);
            EXPECT_EQ(tracks[0].y, 1030);
            EXPECT_EQ(tracks[0].flags, TPM_RETURNCMD | TPM_RIGHTBUTTON);
            EXPECT_EQ(tracks[0].hwnd, m_hwnd);
            ASSERT_EQ(tracks[0].menu.size(), 2u);
            EXPECT_EQ(tracks[0].menu[0].id, kOpen);
            EXPECT_EQ(tracks[0].menu[0].text, L"打开");
            EXPECT_EQ(tracks[0].menu[1].id, kExit);
            EXPECT_EQ(tracks[0].menu[1].text, L"退出");
        }
        const auto boxes = fake::CallsTo("MessageBoxW");
        ASSERT_EQ(boxes.size(), c.question ? 1u : 0u);
        if (c.question) {
            EXPECT_EQ(boxes[0].text, L"此操作将退出游戏，是否继续？");
            EXPECT_EQ(boxes[0].caption, L"提示");
            EXPECT_EQ(boxes[0].flags, MB_YESNO | MB_DEFBUTTON2);
        }
        EXPECT_EQ(Destroyed(), c.destroyed);
        EXPECT_EQ(g_module.m_pFormGame == nullptr, c.destroyed);
        if (!c.destroyed) {
            EXPECT_EQ(Visible(), c.visible);
        }
        EXPECT_EQ(fake::TrayIcons().size(), c.iconStays ? 1u : 0u);
        EXPECT_EQ(m_game->m_bTrayIcon, c.iconStays) << "the flag follows the icon";
    }
}

TEST_F(GameTrayTest, DestroyingTheGameWindowRemovesItsIcon) {
    m_game->MinimizeToTray();
    ASSERT_EQ(fake::TrayIcons().size(), 1u);
    // As when the page leaves the game while the window is in the tray.
    m_game->Close();
    EXPECT_TRUE(fake::TrayIcons().empty());
    EXPECT_EQ(g_module.m_pFormGame, nullptr);
}

}  // namespace
