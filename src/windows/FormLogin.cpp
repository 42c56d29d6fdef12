#include "windows/FormLogin.h"

#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "app/PlatformAddresses.h"
#include "app/SettingsFile.h"
#include "ui/Bitmaps.h"
#include "ui/Placement.h"
#include "ui/WindowStyles.h"
#include "update/UpdateCheck.h"
#include "windows/OpenInBrowser.h"

namespace {

constexpr const wchar_t* kQuitQuestion = L"此操作将退出游戏，是否继续？";
constexpr const wchar_t* kRetryText = L"检测到您的网络异常，点击这里重试！";
constexpr const wchar_t* kRetryingText = L"正在检测您的网络环境，请稍后...";
constexpr RECT kPageArea{355, 244, 961, 638};
constexpr RECT kOutside{-100, -100, -50, -50};
constexpr WPARAM kDragByBackground = SC_MOVE | 1;

bool ControlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace

CFormLogin::CFormLogin() = default;

CFormLogin::~CFormLogin() = default;

bool CFormLogin::OnCreate() {
    Create(g_module.m_szWindowClass, g_module.m_szTitle, g_module.m_hInstance);
    ChangeStyle(m_hWnd, GWL_STYLE, 0x7F30FF7F, 0x000A0000);
    ChangeStyle(m_hWnd, GWL_EXSTYLE, 0xFFFFFE7E,
                WS_EX_LAYERED | (g_module.m_nTopMost == 1 ? WS_EX_TOPMOST : 0));
    SetLayeredWindowAttributes(m_hWnd, kColorKey, 0, LWA_COLORKEY);

    m_imgBack.LoadFromResource(g_module.m_hInstance, 136);
    m_imgBack.SetRect(RECT{0, 0, 1024, 700});
    AddControl(&m_imgBack);

    const struct {
        CKXButton* button;
        int normal;
        int hover;
        RECT rc;
    } buttons[] = {
        {&m_btnMinimize, 135, 169, {945, 171, 971, 197}}, {&m_btnClose, 134, 168, {972, 163, 999, 191}},
        {&m_btnGuide, 179, 180, {364, 196, 498, 244}},    {&m_btnHome, 172, 176, {605, 196, 711, 244}},
        {&m_btnPay, 173, 177, {498, 196, 605, 244}},      {&m_btnService, 174, 178, {711, 196, 823, 244}},
        {&m_btnForum, 171, 175, {823, 196, 946, 244}},
    };
    for (const auto& b : buttons) {
        b.button->LoadBitmaps(g_module.m_hInstance, b.normal, b.hover, b.hover);
        b.button->SetRect(b.rc);
        b.button->m_hCursor = LoadCursorW(nullptr, IDC_HAND);
        AddControl(b.button);
    }

    m_view.CreateBrowser(L"about:blank", m_hWnd, kOutside);
    m_view.m_webNotify.AddHandler(this, &CFormLogin::OnWebNotify);
    m_view.Navigate(g_module.GetLoginUrl());
    m_view.FocusDocument();

    m_lblRetry.SetOwner(m_hWnd);
    m_lblRetry.SetRect(RECT{498, 428, 818, 454});
    m_lblRetry.SetTextColor(0x00FFFF, false);
    m_lblRetry.SetUnderline(true, false);
    m_lblRetry.SetFontHeight(26, true);
    m_lblRetry.m_hCursor = LoadCursorW(nullptr, IDC_HAND);
    AddControl(&m_lblRetry);
    return true;
}

bool CFormLogin::CreateHidden() {
    Create(g_module.m_szWindowClass, g_module.m_szTitle, g_module.m_hInstance);
    ChangeStyle(m_hWnd, GWL_STYLE, 0x7F30FF7F, 0x000A0000);
    ChangeStyle(m_hWnd, GWL_EXSTYLE, 0xFFFBFEFE, WS_EX_TOOLWINDOW);
    return true;
}

void CFormLogin::ReturnFromGame() {
    m_bReturned = true;
    m_view.Navigate(g_module.GetLoginUrl());
}

bool CFormLogin::ConfirmQuit() {
    return MessageBoxW(m_hWnd, kQuitQuestion, L"提示", MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

LRESULT CFormLogin::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CKXForm::WindowProc(hWnd, message, wParam, lParam) == 0) {
        return 0;
    }
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_CLOSE_CLIENT:
            Close();
            return 0;
        case WM_CONFIRM_EXIT:
            if (ConfirmQuit()) {
                PostQuitMessage(0);
                Close();
            }
            return 0;
        default:
            return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

bool CFormLogin::OnLButtonDown(WPARAM wParam, POINT* pt) {
    CKXBaseControl* hit = HitTest(*pt);
    if (hit == nullptr) {
        return false;
    }
    if (hit == &m_imgBack) {
        SendMessageW(m_hWnd, WM_SYSCOMMAND, kDragByBackground, 0);
        return true;
    }
    return hit->OnLButtonDown(wParam, pt);
}

bool CFormLogin::OnLButtonUp(WPARAM wParam, POINT* pt) {
    CKXBaseControl* hit = HitTest(*pt);
    if (hit == nullptr) {
        return false;
    }
    hit->OnLButtonUp(wParam, pt);
    if (hit == &m_btnMinimize) {
        ShowWindow(g_module.m_formBack.GetHwnd(), SW_MINIMIZE);
    } else if (hit == &m_btnClose) {
        if (!ConfirmQuit()) {
            return false;
        }
        Close();
    } else if (hit == &m_lblRetry) {
        if (m_lblRetry.GetText().find(L"异常") != std::wstring::npos) {
            m_bRetrying = true;
            m_view.Navigate(g_module.GetLoginUrl());
            m_lblRetry.SetText(kRetryingText, true);
            m_lblRetry.m_hCursor = LoadCursorW(nullptr, IDC_ARROW);
        }
    } else if (hit == &m_btnGuide) {
        OpenInBrowser(addresses::GuidesPage());
    } else {
        return OpenLinkPage(hit, LinkButtons{&m_btnService, &m_btnPay, &m_btnHome, &m_btnForum});
    }
    return true;
}

void CFormLogin::OnWebNotify(UINT code, WPARAM, LPARAM) {
    const std::wstring address = m_view.GetURL();
    switch (code) {
        case WEBNOTIFY_DOCUMENTCOMPLETE:
            if (!g_module.IsActivated()) {
                g_module.m_stats.SendActiveReport();
                g_module.SetActivated();
            }
            break;
        case WEBNOTIFY_NAVIGATEERROR:
            if (m_bReturned) {
                break;
            }
            IniSetString(L"Error", L"ErrorUrl", address);
            ShowLoginView(true);
            ShowFormCentered(g_module.m_formBack, m_bRetrying);
            break;
        case WEBNOTIFY_BEFORENAVIGATE: {
            const std::size_t user = address.find(L"wd_username=");
            if (user != std::wstring::npos) {
                g_module.m_strUserName = address.substr(user + 12);
            }
            g_module.m_strGameServer.clear();
            if (address.find(L"wd_entergame=1") != std::wstring::npos) {
                g_module.m_strGameServer = GetQueryValue(L"wd_server", address);
                m_view.m_bCancelNavigation = true;
                m_strGameUrl = address;
                PostMessageW(m_hWnd, WM_ENTER_GAME, 0, 0);
            }
            break;
        }
        case WEBNOTIFY_NAVIGATECOMPLETE:
            if (m_bReturned) {
                break;
            }
            ShowLoginView(false);
            ShowFormCentered(g_module.m_formBack, m_bRetrying);
            CheckForUpdate();
            break;
        default:
            break;
    }
}

void CFormLogin::ShowLoginView(bool error) {
    const bool topMost = g_module.m_nTopMost == 1;
    ChangeStyle(m_hWnd, GWL_EXSTYLE, ~WS_EX_APPWINDOW,
                WS_EX_TOOLWINDOW | (topMost ? WS_EX_TOPMOST : 0));
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const POINT at = CenteredPosition(client);
    if (error) {
        MoveWindow(m_view.m_hWnd, kOutside.left, kOutside.top, 50, 50, 0);
        m_lblRetry.SetText(kRetryText, true);
        m_lblRetry.m_hCursor = LoadCursorW(nullptr, IDC_HAND);
    } else {
        MoveWindow(m_view.m_hWnd, kPageArea.left, kPageArea.top, kPageArea.right - kPageArea.left,
                   kPageArea.bottom - kPageArea.top, 0);
    }
    UINT flags = SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOSIZE;
    if (m_bRetrying) {
        flags |= SWP_NOMOVE;
    } else {
        ShowWindow(m_hWnd, SW_HIDE);
    }
    SetWindowPos(m_hWnd, topMost ? HWND_TOPMOST : HWND_TOP, at.x, at.y, 0, 0, flags);
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
}

void CFormLogin::FollowWithBackground() {
    POINT origin{0, 0};
    ClientToScreen(m_hWnd, &origin);
    SetWindowPos(g_module.m_formBack.GetHwnd(), nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE);
}

BOOL CFormLogin::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        if (msg->message == WM_KEYUP) {
            return m_view.PreTranslateMessage(msg);
        }
        const WPARAM key = msg->wParam;
        const bool editing = (key == 'C' || key == 'V' || key == 'X' || key == 'Z') && ControlDown();
        if (editing || key == 0x09 || key == 0x0D || key == 0x2E) {
            return m_view.PreTranslateMessage(msg);
        }
        return 0;
    }
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST &&
        (msg->message == WM_LBUTTONDOWN || msg->message == WM_RBUTTONDOWN)) {
        FollowWithBackground();
    }
    return 0;
}
