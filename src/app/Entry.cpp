#include "app/Entry.h"

#include <cstdio>

#include "app/AppMessages.h"
#include "app/CommandLine.h"
#include "app/DesktopModes.h"
#include "app/GlobalModule.h"
#include "net/DownloadPool.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "ui/MessageLoop.h"
#include "ui/Placement.h"
#include "update/UpdateCheck.h"

namespace {

// The same end as a confirmed quit: the windows with pages go while the toolkit still runs, the
// loop ends, and the application object stops the pool.
void QuitOnRequest() {
    if (g_module.m_pFormGame != nullptr) {
        g_module.m_pFormGame->Close();
    }
    PostQuitMessage(0);
    g_module.m_formLogin.Close();
}

void EnterGame() {
    auto* game = new CFormGame;
    g_module.m_pFormGame = game;
    game->SetRect(RECT{0, 0, 1250, 700});
    game->OnCreate(g_module.m_formLogin.GetGameUrl());
    game->Maximize();
    ShowWindow(g_module.m_formLogin.GetHwnd(), SW_HIDE);
    ShowWindow(g_module.m_formBack.GetHwnd(), SW_HIDE);
}

void LeaveGame() {
    CFormGame* game = g_module.m_pFormGame;
    g_module.m_pFormGame = nullptr;
    g_module.RetireGameWindow(game);
    g_module.m_formLogin.ReturnFromGame();
    HWND back = g_module.m_formBack.GetHwnd();
    HWND login = g_module.m_formLogin.GetHwnd();
    SetWindowPos(back, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(back, SW_SHOWNA);
    ShowWindow(login, SW_SHOWNA);
    SetForegroundWindow(login);
    RedrawWindow(login, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

LRESULT MainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTER_GAME) {
        EnterGame();
        return 0;
    }
    if (message == WM_UPGRADE_WINDOWS) {
        ShowClientWindows(g_module, wParam != 0);
        return 0;
    }
    if (hWnd == g_module.m_formLogin.GetHwnd()) {
        return g_module.m_formLogin.WindowProc(hWnd, message, wParam, lParam);
    }
    if (hWnd == g_module.m_formBack.GetHwnd()) {
        return g_module.m_formBack.WindowProc(hWnd, message, wParam, lParam);
    }
    CFormGame* game = g_module.m_pFormGame;
    if (game != nullptr && hWnd == game->GetHwnd()) {
        if (message == WM_DESTROY) {
            // No icon of a destroyed window may stay, e.g. when the page left the game while
            // the window was in the tray.
            game->RemoveTrayIcon();
            LeaveGame();
            return 0;
        }
        return game->WindowProc(hWnd, message, wParam, lParam);
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

int Run() {
    CFormLogin& login = g_module.m_formLogin;
    // The report's completion closes the hidden login window, so the window is made before the
    // report can finish, even when the request fails at once.
    if (HasSwitch(L"/setupsucc")) {
        login.CreateHidden();
        g_module.m_stats.SendInstallReport();
    } else if (HasSwitch(L"/uninstallsucc")) {
        login.CreateHidden();
        g_module.m_stats.SendUninstallReport();
    } else if (HasSwitch(L"/ShowDeskTop")) {
        login.CreateHidden();
        ToggleDesktopViaShell();
        PostMessageW(login.GetHwnd(), WM_CLOSE_CLIENT, 0, 0);
    } else {
        login.SetRect(RECT{0, 0, 1024, 700});
        login.OnCreate();
        PlaceHidden(login);
        g_module.m_formBack.SetRect(RECT{0, 0, 1024, 700});
        g_module.m_formBack.OnCreate();
        PlaceHidden(g_module.m_formBack);
        StartIconAnimation();
    }
    CMessageLoop loop;
    loop.AddMessageFilter(&g_module);
    return loop.Run();
}

int ClientMain() {
    if (!plat::InitializeUserInterface()) {
        std::fprintf(stderr, "velkora: cannot open the display\n");
        return 1;
    }
    plat::OnTerminationRequest(QuitOnRequest);
    LoadStringW(g_module.m_hInstance, 103, g_module.m_szTitle, 100);
    LoadStringW(g_module.m_hInstance, 109, g_module.m_szWindowClass, 100);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = g_module.m_hInstance;
    windowClass.hIcon = LoadIconW(g_module.m_hInstance, MAKEINTRESOURCEW(151));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = g_module.m_szWindowClass;
    windowClass.hIconSm = windowClass.hIcon;
    RegisterClassExW(&windowClass);
    const int result = Run();
    // The workers end before main returns: the libraries' own exit handlers (TLS among them) run
    // before the application object's destructor and must not find a transfer still going.
    if (g_module.m_pTaskPool) {
        g_module.m_pTaskPool->Stop();
    }
    return result;
}
