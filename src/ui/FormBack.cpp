#include "ui/FormBack.h"

#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "platform/paint.h"
#include "platform/resources.h"
#include "ui/PngResource.h"
#include "ui/WindowStyles.h"

namespace {

constexpr int kArtworkId = 170;
constexpr WPARAM kDragByCaption = SC_MOVE | 2;

}  // namespace

bool CFormBack::OnCreate() {
    Create(g_module.m_szWindowClass, g_module.m_szTitle, g_module.m_hInstance);
    ChangeStyle(m_hWnd, GWL_STYLE, 0x7F30FF7F, 0x000A0000);
    ChangeStyle(m_hWnd, GWL_EXSTYLE, 0xFFFFFE7E,
                WS_EX_LAYERED | (g_module.m_nTopMost == 1 ? WS_EX_TOPMOST : 0));
    PaintLayered();
    return true;
}

void CFormBack::PaintLayered() {
    SIZE size{m_rc.right - m_rc.left, m_rc.bottom - m_rc.top};
    HDC screen = GetDC(m_hWnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HRSRC artwork = FindResourceW(nullptr, MAKEINTRESOURCEW(kArtworkId), L"PNG");
    if (artwork != nullptr) {
        LoadPngResource(artwork, memory);
    }
    POINT destination{0, 0};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(m_hWnd, screen, &destination, &size, memory, &source, 0, &blend, ULW_ALPHA);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(m_hWnd, screen);
}

void CFormBack::MoveLoginWindowHere(UINT flags) {
    POINT origin{0, 0};
    ClientToScreen(m_hWnd, &origin);
    SetWindowPos(g_module.m_formLogin.GetHwnd(), nullptr, origin.x, origin.y, 0, 0, flags);
}

LRESULT CFormBack::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_MOVE:
        case WM_ACTIVATE:
            MoveLoginWindowHere(SWP_NOSIZE | SWP_NOACTIVATE);
            return 0;
        case WM_CLOSE:
            return SendMessageW(g_module.m_formLogin.GetHwnd(), WM_CONFIRM_EXIT, 0, 0);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            MoveLoginWindowHere(SWP_NOSIZE);
            ReleaseCapture();
            SendMessageW(m_hWnd, WM_SYSCOMMAND, kDragByCaption, 0);
            return 0;
        default:
            return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}
