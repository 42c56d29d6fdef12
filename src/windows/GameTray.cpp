// The game window's two pop-up menus and its icon in the notification area.
#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "platform/resources.h"
#include "windows/FormGame.h"
#include "windows/UrlCache.h"

namespace {

constexpr WORD IDR_MENU_SETTINGS = 149;
constexpr WORD IDI_MAIN = 151;
constexpr WORD IDR_MENU_TRAY = 156;
constexpr UINT ID_MENU_REFRESH = 32774;
constexpr UINT ID_MENU_CLEARCACHE = 32778;
constexpr UINT ID_TRAY_OPEN = 32781;
constexpr UINT ID_TRAY_EXIT = 32782;
constexpr UINT kTrayIconId = 156;

// The menu resource's pop-up, detached from its bar so that it outlives the bar; null when the
// resource or its pop-up is missing.
HMENU LoadPopup(WORD id) {
    HMENU bar = LoadMenuW(g_module.m_hInstance, MAKEINTRESOURCEW(id));
    if (bar == nullptr) {
        return nullptr;
    }
    HMENU popup = GetSubMenu(bar, 0);
    if (popup != nullptr) {
        RemoveMenu(bar, 0, MF_BYPOSITION);
    }
    DestroyMenu(bar);
    return popup;
}

// The chosen command at the screen point, 0 when the menu was dismissed or is missing.
UINT ChooseFrom(WORD id, POINT at, HWND owner) {
    HMENU popup = LoadPopup(id);
    if (popup == nullptr) {
        return 0;
    }
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    DestroyMenu(popup);
    return chosen;
}

}  // namespace

bool CFormGame::ShowSettingsMenu() {
    const RECT button = m_btnSettings.GetRect();
    POINT corner{button.left, button.bottom};
    ClientToScreen(m_hWnd, &corner);
    switch (ChooseFrom(IDR_MENU_SETTINGS, corner, m_hWnd)) {
        case ID_MENU_REFRESH:
            m_view.Refresh();
            return true;
        case ID_MENU_CLEARCACHE:
            ClearUrlCache();
            MessageBoxW(m_hWnd, L"缓存清理完毕！", L"提示", MB_OK);
            return true;
        default:
            return false;
    }
}

void CFormGame::MinimizeToTray() {
    AddTrayIcon(LoadIconW(g_module.m_hInstance, MAKEINTRESOURCEW(IDI_MAIN)));
    // Hidden without an icon, the window could never be brought back: where the desktop has no
    // notification area it goes to the task bar instead.
    ShowWindow(m_hWnd, m_bTrayIcon ? SW_HIDE : SW_MINIMIZE);
}

void CFormGame::AddTrayIcon(HICON icon) {
    m_nid = NOTIFYICONDATAW{};
    m_nid.cbSize = sizeof m_nid;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = icon;
    const wchar_t tip[] = L"Velkora";
    std::copy(std::begin(tip), std::end(tip), m_nid.szTip);
    m_bTrayIcon = Shell_NotifyIconW(NIM_ADD, &m_nid) != 0;
}

bool CFormGame::RemoveTrayIcon() {
    if (!m_bTrayIcon) {
        return false;
    }
    // Cleared here so that a second removal (the window's destruction after "退出") skips.
    m_bTrayIcon = false;
    m_nid.uFlags = 0;
    return Shell_NotifyIconW(NIM_DELETE, &m_nid) != 0;
}

LRESULT CFormGame::OnTrayNotify(LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            ShowWindow(m_hWnd, SW_SHOW);
            RemoveTrayIcon();
            break;
        case WM_RBUTTONUP:
            ShowTrayMenu();
            break;
        default:
            break;
    }
    return 0;
}

bool CFormGame::ShowTrayMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    switch (ChooseFrom(IDR_MENU_TRAY, cursor, m_hWnd)) {
        case ID_TRAY_OPEN:
            ShowWindow(m_hWnd, SW_SHOWNORMAL);
            RemoveTrayIcon();
            return true;
        case ID_TRAY_EXIT:
            if (MessageBoxW(m_hWnd, L"此操作将退出游戏，是否继续？", L"提示",
                            MB_YESNO | MB_DEFBUTTON2) != IDYES) {
                return false;
            }
            RemoveTrayIcon();
            Close();
            return true;
        default:
            return false;
    }
}
