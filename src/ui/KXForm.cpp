#include "ui/KXForm.h"

#include "platform/paint.h"
#include "ui/Placement.h"

namespace {

constexpr DWORD kHoverTime = 500;

// Mouse coordinates arrive as two unsigned 16-bit halves.
POINT PointFromLParam(LPARAM lParam) {
    return POINT{static_cast<LONG>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                 static_cast<LONG>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
}

}  // namespace

CKXForm::~CKXForm() {
    m_children.clear();
    m_hWnd = nullptr;  // the window, if any, is not ours to destroy here
}

bool CKXForm::OnLButtonDown(WPARAM, POINT*) { return true; }

bool CKXForm::OnMouseMove(WPARAM wParam, POINT* pt) {
    TrackMouse();
    // Controls the mouse is not over go back to their normal look.
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        if (!PtInRect(&(*it)->m_rc, *pt)) {
            (*it)->OnMouseMove(wParam, pt);
        }
    }
    CKXBaseControl* hit = HitTest(*pt);
    return hit != nullptr && hit->OnMouseMove(wParam, pt);
}

void CKXForm::Draw(HDC dc) {
    for (CKXBaseControl* control : m_children) {
        control->Draw(dc);
    }
}

bool CKXForm::AddControl(CKXBaseControl* control) {
    control->SetOwner(m_hWnd);
    m_children.push_back(control);
    return true;
}

bool CKXForm::OnMouseLeave(WPARAM wParam, POINT* pt) {
    m_bTracking = true;  // so that the dispatch below does not ask for tracking again
    OnMouseMove(wParam, pt);
    m_bTracking = false;
    return true;
}

bool CKXForm::OnMouseHover(WPARAM, POINT*) { return true; }

bool CKXForm::CanClose() { return true; }

void CKXForm::TrackMouse() {
    if (m_bTracking) {
        return;
    }
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd, kHoverTime};
    TrackMouseEvent(&track);
    m_bTracking = true;
}

bool CKXForm::Create(LPCWSTR className, LPCWSTR windowName, HINSTANCE instance) {
    if (m_hWnd != nullptr) {
        return true;
    }
    m_hWnd = CreateWindowExW(0, className, windowName, WS_POPUP, 0, 0, m_rc.right, m_rc.bottom,
                             nullptr, nullptr, instance, nullptr);
    SetWindowTextW(m_hWnd, L"Velkora");
    return m_hWnd != nullptr;
}

bool CKXForm::ShowCentered(int showCommand) {
    if (m_hWnd == nullptr) {
        return false;
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    POINT at = CenteredPosition(client);
    SetWindowPos(m_hWnd, HWND_TOP, at.x, at.y, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
    ShowWindow(m_hWnd, showCommand);
    UpdateWindow(m_hWnd);
    return true;
}

bool CKXForm::Close() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
    return true;
}

HWND CKXForm::GetHwnd() const { return m_hWnd; }

LRESULT CKXForm::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT pt = PointFromLParam(lParam);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(hWnd, &paint);
            Draw(dc);
            EndPaint(hWnd, &paint);
            return 0;
        }
        case WM_CLOSE:
            if (CanClose()) {
                Close();
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, &pt);
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, &pt);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, &pt);
            return 0;
        case WM_MOUSEHOVER:
            OnMouseHover(wParam, &pt);
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave(wParam, &pt);
            return 0;
        default:
            return 1;
    }
}

BOOL CKXForm::PreTranslateMessage(MSG*) { return 1; }

CKXBaseControl* CKXForm::HitTest(POINT pt) const {
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        if (PtInRect(&(*it)->m_rc, pt)) {
            return *it;
        }
    }
    return nullptr;
}
