#include <gtest/gtest.h>

#include "app/AppMessages.h"
#include "app/Entry.h"
#include "app/GlobalModule.h"
#include "net/DownloadPool.h"
#include "platform/fake/fake_browser.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_ui.h"
#include "windows/OpenInBrowser.h"

namespace fake = plat::fake;

namespace {

TEST(Addresses, QueryValuesAndTitles) {
    const struct {
        const wchar_t* key;
        const wchar_t* address;
        const wchar_t* value;
    } queries[] = {
        {L"wd_server", L"http://h/e?wd_username=a&wd_server=S12&wd_entergame=1", L"S12"},
        {L"wd_server", L"http://h/e?wd_server=S3", L"S3"},
        {L"wd_server", L"http://h/e?wd_entergame=1", L""},
        {L"wd_server", L"http://h/e?xwd_server=S1&wd_server=S2", L"S1"},  // first anywhere
    };
    for (const auto& q : queries) {
        EXPECT_EQ(GetQueryValue(q.key, q.address), q.value) << q.address;
    }
    EXPECT_EQ(CleanTitle(L"Tiv《Velkora》S12"), L"Velkora-S12");
    EXPECT_EQ(CleanTitle(L"Tiv《A》Tiv《B》"), L"A-B-");
}

// The client's windows on the fake backend, created as the normal start creates them.
class ClientWindows : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ClearOpenedAddresses();
        std::wcscpy(g_module.m_szWindowClass, L"stavel");
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = MainWndProc;
        windowClass.lpszClassName = L"stavel";
        RegisterClassExW(&windowClass);
        g_module.m_strUserName.clear();
        g_module.m_strGameServer.clear();
        g_module.m_strVersionCheckUrl.clear();  // the version check fails at once, offline
        CFormLogin& login = g_module.m_formLogin;
        login.m_hWnd = nullptr;
        login.m_children.clear();
        login.m_bReturned = false;
        login.m_bRetrying = false;
        login.SetRect(RECT{0, 0, 1024, 700});
        ASSERT_TRUE(login.OnCreate());
        g_module.m_formBack.m_hWnd = nullptr;
        g_module.m_formBack.SetRect(RECT{0, 0, 1024, 700});
        g_module.m_formBack.OnCreate();
    }
    void TearDown() override {
        if (g_module.m_pFormGame != nullptr) {
            DestroyWindow(g_module.m_pFormGame->GetHwnd());
        }
        g_module.m_formLogin.m_hWnd = nullptr;
        g_module.m_formBack.m_hWnd = nullptr;
        g_module.m_pTaskPool->Stop();
    }
    fake::FakeBrowser& LoginPage() { return *fake::BrowserIn(g_module.m_formLogin.m_view.m_hWnd); }
    int PostedEnterGame() {
        int count = 0;
        for (const MSG& msg : fake::PendingMessages()) {
            count += msg.message == WM_ENTER_GAME ? 1 : 0;
        }
        return count;
    }
};

TEST_F(ClientWindows, BeforeNavigateTakesUserAndServerAndEntersOnTheMarker) {
    const struct {
        const wchar_t* address;
        bool enters;
        const wchar_t* user;
        const wchar_t* server;
    } cases[] = {
        {L"http://h/e?wd_username=alice&wd_server=S12&wd_entergame=1", true,
         L"alice&wd_server=S12&wd_entergame=1", L"S12"},
        {L"http://h/e?wd_entergame=10&wd_server=S2", true, L"", L"S2"},  // a substring test
        {L"http://h/e?WD_ENTERGAME=1&wd_server=S2", false, L"", L""},
        {L"http://h/e?wd_entergame=1", true, L"", L""},
    };
    for (const auto& c : cases) {
        g_module.m_strUserName.clear();
        g_module.m_strGameServer = L"old";
        const int before = PostedEnterGame();
        const bool cancelled = LoginPage().RaiseBeforeNavigate(c.address);
        EXPECT_EQ(cancelled, c.enters) << c.address;
        EXPECT_EQ(PostedEnterGame() - before, c.enters ? 1 : 0) << c.address;
        EXPECT_EQ(g_module.m_strUserName, c.user) << c.address;
        EXPECT_EQ(g_module.m_strGameServer, c.server) << c.address;
        if (c.enters) {
            EXPECT_EQ(g_module.m_formLogin.GetGameUrl(), c.address);
        }
    }
}

TEST_F(ClientWindows, PageErrorShowsTheRetryTextAndNothingAfterTheReturn) {
    HWND login = g_module.m_formLogin.GetHwnd();
    fake::ClearCalls();
    LoginPage().RaiseNavigateError(L"http://127.0.0.1:47801/controller/client.php?x", E_FAIL);
    EXPECT_NE(g_module.m_formLogin.m_lblRetry.GetText().find(L"异常"), std::wstring::npos);
    EXPECT_TRUE(fake::WindowState(login)->visible());
    const fake::Call placed = fake::CallsTo("SetWindowPos").front();
    EXPECT_EQ(placed.hwnd, login);
    EXPECT_EQ(placed.x, (1920 - 1024) / 2);
    EXPECT_EQ(placed.y, (1040 - 700) / 2);
    EXPECT_EQ(placed.flags, 0x49u);

    // Retrying keeps the windows where they are.
    POINT onRetry{500, 440};
    g_module.m_formLogin.OnLButtonUp(0, &onRetry);
    EXPECT_EQ(g_module.m_formLogin.m_lblRetry.GetText(), L"正在检测您的网络环境，请稍后...");
    fake::ClearCalls();
    LoginPage().RaiseNavigateComplete(L"http://127.0.0.1:47801/controller/client.php?x", nullptr);
    EXPECT_EQ(fake::CallsTo("SetWindowPos").front().flags, 0x4Bu);

    g_module.m_formLogin.ReturnFromGame();
    fake::ClearCalls();
    LoginPage().RaiseNavigateError(L"http://x/", E_FAIL);
    LoginPage().RaiseNavigateComplete(L"http://x/", nullptr);
    EXPECT_TRUE(fake::CallsTo("SetWindowPos").empty());
}

TEST_F(ClientWindows, GameWindowLayoutFollowsTheWorkArea) {
    for (int id : {148, 140, 138, 158, 142, 161, 141, 160, 143, 162, 137, 157, 147, 165, 139, 159,
                   144, 163, 145, 167, 146, 164}) {
        fake::RegisterBitmap(id, 0, 0);
    }
    const struct {
        int id, width, height;
    } sizes[] = {{148, 65, 38}, {140, 33, 33}, {138, 31, 28}, {142, 30, 28}, {141, 32, 28},
                 {137, 32, 28}, {147, 52, 24}, {139, 52, 24}, {144, 52, 24}, {145, 52, 24},
                 {146, 52, 24}};
    for (const auto& s : sizes) {
        fake::RegisterBitmap(s.id, s.width, s.height);
    }
    SendMessageW(g_module.m_formLogin.GetHwnd(), WM_ENTER_GAME, 0, 0);
    CFormGame* game = g_module.m_pFormGame;
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(fake::WindowState(game->GetHwnd())->width, 1920);
    EXPECT_EQ(fake::WindowState(game->GetHwnd())->height, 1040);
    EXPECT_EQ(game->m_btnClose.GetRect().left, 1889);
    EXPECT_EQ(fake::WindowState(game->m_view.m_hWnd)->y, 38);
    EXPECT_FALSE(fake::WindowState(g_module.m_formLogin.GetHwnd())->visible());

    ASSERT_TRUE(game->Restore());
    const struct {
        const CKXButton* button;
        LONG left, right, top;
    } expected[] = {
        {&game->m_btnClose, 1219, 1250, 1},      {&game->m_btnMaximize, 1187, 1219, 1},
        {&game->m_btnMinimize, 1157, 1187, 1},   {&game->m_btnTray, 1125, 1157, 1},
        {&game->m_btnSettings, 1053, 1105, 5},   {&game->m_btnService, 996, 1048, 5},
        {&game->m_btnForum, 939, 991, 5},        {&game->m_btnHome, 882, 934, 5},
        {&game->m_btnPay, 825, 877, 5},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(e.button->GetRect().left, e.left);
        EXPECT_EQ(e.button->GetRect().right, e.right);
        EXPECT_EQ(e.button->GetRect().top, e.top);
    }
    EXPECT_EQ(game->m_imgIcon.GetRect().bottom, 35);
    EXPECT_EQ(game->m_lblTitle.GetRect().left, 48);
    EXPECT_EQ(fake::WindowState(game->GetHwnd())->x, (1920 - 1250) / 2);

    fake::BrowserIn(game->m_view.m_hWnd)->RaiseTitleChange(L"Tiv《Velkora》S3");
    EXPECT_EQ(game->m_lblTitle.GetText(), L"Velkora-S3");

    // Leaving the game: no question, the login window comes back and reloads its page.
    fake::BrowserIn(game->m_view.m_hWnd)->RaiseBeforeNavigate(L"http://h/leave?wd_returnlogin=1");
    EXPECT_EQ(g_module.m_pFormGame, nullptr);
    EXPECT_TRUE(fake::CallsTo("MessageBoxW").empty());
    EXPECT_TRUE(fake::WindowState(g_module.m_formLogin.GetHwnd())->visible());
    EXPECT_TRUE(g_module.m_formLogin.m_bReturned);
    EXPECT_EQ(LoginPage().navigations.back(), g_module.GetLoginUrl());
}

}  // namespace
