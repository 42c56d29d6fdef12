#include "windows/FormGame.h"

#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "app/TextUtil.h"
#include "ui/Bitmaps.h"
#include "ui/WindowStyles.h"
#include "windows/OpenInBrowser.h"

namespace {

constexpr const wchar_t* kQuitQuestion = L"正在游戏中，确认退出？";
constexpr WPARAM kDragByTitle = SC_MOVE | 1;

POINT PointFromLParam(LPARAM lParam) {
    return POINT{static_cast<LONG>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                 static_cast<LONG>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
}

}  // namespace

std::wstring CleanTitle(std::wstring title) {
    return ReplaceAll(ReplaceAll(std::move(title), L"Tiv《", L""), L"》", L"-");
}

CFormGame::CFormGame() = default;

CFormGame::~CFormGame() = default;

bool CFormGame::OnCreate(const std::wstring& startAddress) {
    Create(g_module.m_szWindowClass, g_module.m_szTitle, g_module.m_hInstance);
    ChangeStyle(m_hWnd, GWL_STYLE, 0xFF3AFFFF, 0x000A0000);

    m_imgTitle.LoadFromResource(g_module.m_hInstance, 148);
    m_imgTitle.m_bTransparent = true;
    AddControl(&m_imgTitle);
    const struct {
        CKXButton* button;
        int normal;
        int hover;
    } buttons[] = {
        {&m_btnMinimize, 142, 161}, {&m_btnClose, 138, 158},   {&m_btnMaximize, 141, 160},
        {&m_btnTray, 137, 157},     {&m_btnSettings, 147, 165}, {&m_btnForum, 139, 159},
        {&m_btnHome, 144, 163},     {&m_btnPay, 145, 167},      {&m_btnService, 146, 164},
    };
    for (const auto& b : buttons) {
        b.button->LoadBitmaps(g_module.m_hInstance, b.normal, b.hover, b.hover);
        if (b.button == &m_btnMaximize) {
            m_btnMaximize.m_hBmpAltNormal = LoadResourceBitmap(g_module.m_hInstance, 143);
            m_btnMaximize.m_hBmpAltHover = LoadResourceBitmap(g_module.m_hInstance, 162);
            m_btnMaximize.m_hBmpAltPressed = LoadResourceBitmap(g_module.m_hInstance, 162);
        }
        b.button->m_hCursor = LoadCursorW(nullptr, IDC_HAND);
        AddControl(b.button);
    }
    m_imgIcon.LoadFromResource(g_module.m_hInstance, 140);
    m_imgIcon.m_bTransparent = true;
    AddControl(&m_imgIcon);

    m_lblTitle.SetOwner(m_hWnd);
    m_lblTitle.SetText(L"Velkora", true);
    m_lblTitle.SetTextColor(0x00FFFF, true);
    AddControl(&m_lblTitle);

    m_view.CreateBrowser(L"about:blank", m_hWnd, RECT{308, 170, 910, 547});
    m_view.m_webNotify.AddHandler(this, &CFormGame::OnWebNotify);
    m_view.Navigate(startAddress);
    return true;
}

bool CFormGame::Place(int x, int y, int width, int height, bool maximized) {
    if (m_hWnd == nullptr) {
        return false;
    }
    SetWindowPos(m_hWnd, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW);
    LayoutControls();
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    UpdateWindow(m_hWnd);
    m_bMaximized = maximized;
    return true;
}

bool CFormGame::Maximize() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return Place(0, 0, work.right, work.bottom, true);
}

bool CFormGame::Restore() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return Place((work.right + m_rc.left - m_rc.right) / 2, (work.bottom + m_rc.top - m_rc.bottom) / 2,
                 m_rc.right - m_rc.left, m_rc.bottom - m_rc.top, false);
}

void CFormGame::LayoutControls() {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int titleHeight = m_imgTitle.GetBitmapHeight();
    m_imgTitle.SetRect(RECT{0, 0, width, titleHeight});
    int x = width;
    for (CKXButton* button : {&m_btnClose, &m_btnMaximize, &m_btnMinimize, &m_btnTray}) {
        x -= button->GetBitmapWidth();
        button->SetRect(RECT{x, 1, x + button->GetBitmapWidth(), 1 + button->GetBitmapHeight()});
    }
    int gap = 20;
    for (CKXButton* button : {&m_btnSettings, &m_btnService, &m_btnForum, &m_btnHome, &m_btnPay}) {
        x -= gap + button->GetBitmapWidth();
        button->SetRect(RECT{x, 5, x + button->GetBitmapWidth(), 5 + button->GetBitmapHeight()});
        gap = 5;
    }
    m_imgIcon.SetRect(RECT{5, 4, 5 + m_imgIcon.GetBitmapWidth(), 4 + m_imgIcon.GetBitmapHeight() - 2});
    const LONG iconRight = m_imgIcon.GetRect().right;
    m_lblTitle.SetRect(RECT{iconRight + 10, 7, iconRight + 310, 27});
    SetWindowPos(m_view.m_hWnd, nullptr, 0, titleHeight, width, height - titleHeight, SWP_SHOWWINDOW);
}

bool CFormGame::CanClose() {
    return MessageBoxW(m_hWnd, kQuitQuestion, L"提示", MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

LRESULT CFormGame::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CKXForm::WindowProc(hWnd, message, wParam, lParam) == 0) {
        return 0;
    }
    if (message == WM_TRAY_NOTIFY) {
        return OnTrayNotify(lParam);
    }
    if (message == WM_LBUTTONDBLCLK) {
        POINT pt = PointFromLParam(lParam);
        OnLButtonDblClk(wParam, &pt);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

bool CFormGame::IsDragArea(const CKXBaseControl* control) const {
    return control == &m_imgTitle || control == &m_lblTitle;
}

bool CFormGame::OnLButtonDown(WPARAM wParam, POINT* pt) {
    CKXBaseControl* hit = HitTest(*pt);
    if (hit == nullptr) {
        return false;
    }
    if (IsDragArea(hit)) {
        if (!m_bMaximized) {
            SendMessageW(m_hWnd, WM_SYSCOMMAND, kDragByTitle, 0);
        }
        return true;
    }
    return hit->OnLButtonDown(wParam, pt);
}

bool CFormGame::OnLButtonDblClk(WPARAM, POINT* pt) {
    if (!IsDragArea(HitTest(*pt))) {
        return false;
    }
    if (m_bMaximized) {
        Restore();
    } else {
        Maximize();
    }
    return true;
}

bool CFormGame::OnLButtonUp(WPARAM wParam, POINT* pt) {
    CKXBaseControl* hit = HitTest(*pt);
    if (hit == nullptr) {
        return false;
    }
    hit->OnLButtonUp(wParam, pt);
    if (hit == &m_btnMinimize) {
        ShowWindow(m_hWnd, SW_MINIMIZE);
    } else if (hit == &m_btnMaximize) {
        // The flag follows the mode before the switch: the restore symbol while maximised.
        if (m_btnMaximize.m_bAltBitmaps != m_bMaximized) {
            m_btnMaximize.m_bAltBitmaps = m_bMaximized;
            m_btnMaximize.SetState(4);
        }
        if (m_bMaximized) {
            Restore();
        } else {
            Maximize();
        }
    } else if (hit == &m_btnClose) {
        if (!CanClose()) {
            return false;
        }
        Close();
    } else if (hit == &m_btnSettings) {
        return ShowSettingsMenu();
    } else if (hit == &m_btnTray) {
        MinimizeToTray();
        return false;
    } else {
        return OpenLinkPage(hit, LinkButtons{&m_btnService, &m_btnPay, &m_btnHome, &m_btnForum});
    }
    return true;
}

void CFormGame::OnWebNotify(UINT code, WPARAM, LPARAM lParam) {
    if (code == WEBNOTIFY_BEFORENAVIGATE) {
        if (m_view.GetURL().find(L"wd_returnlogin=1") != std::wstring::npos) {
            Close();
        }
    } else if (code == WEBNOTIFY_TITLECHANGE) {
        const auto* title = reinterpret_cast<const wchar_t*>(lParam);
        m_lblTitle.SetText(CleanTitle(title != nullptr ? title : L""), true);
    }
}

BOOL CFormGame::PreTranslateMessage(MSG* msg) {
    const bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    return keyboard || mouse ? m_view.PreTranslateMessage(msg) : 0;
}
