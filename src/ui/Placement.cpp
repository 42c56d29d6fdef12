#include "ui/Placement.h"

#include "app/GlobalModule.h"
#include "ui/KXForm.h"
#include "ui/WindowStyles.h"

namespace {

bool TopMost() { return g_module.m_nTopMost == 1; }

}  // namespace

POINT CenteredPosition(const RECT& client) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return POINT{(work.right + client.left - client.right) / 2,
                 (work.bottom + client.top - client.bottom) / 2};
}

void PlaceHidden(CKXForm& form) {
    HWND hWnd = form.GetHwnd();
    ChangeStyle(hWnd, GWL_EXSTYLE, ~WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    SetWindowPos(hWnd, TopMost() ? HWND_TOPMOST : HWND_TOP, -2000, -2000, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOSIZE);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
}

void ShowFormCentered(CKXForm& form, bool keepPosition) {
    HWND hWnd = form.GetHwnd();
    ChangeStyle(hWnd, GWL_EXSTYLE, ~WS_EX_TOOLWINDOW,
                WS_EX_APPWINDOW | (TopMost() ? WS_EX_TOPMOST : 0));
    RECT client{};
    GetClientRect(hWnd, &client);
    POINT at = CenteredPosition(client);
    UINT flags = SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOSIZE | (keepPosition ? SWP_NOMOVE : 0);
    SetWindowPos(hWnd, TopMost() ? HWND_TOPMOST : HWND_TOP, at.x, at.y, 0, 0, flags);
    ShowWindow(hWnd, SW_SHOWNORMAL);
}
