#include "ui/KXBaseControl.h"

CKXBaseControl::CKXBaseControl() : m_hCursor(LoadCursorW(nullptr, IDC_ARROW)) {}

CKXBaseControl::~CKXBaseControl() = default;

bool CKXBaseControl::OnLButtonDown(WPARAM, POINT*) {
    SetCursor(m_hCursor);
    return false;
}

bool CKXBaseControl::OnLButtonUp(WPARAM, POINT*) {
    SetCursor(m_hCursor);
    return false;
}

bool CKXBaseControl::OnMouseMove(WPARAM, POINT*) {
    SetCursor(m_hCursor);
    return false;
}

bool CKXBaseControl::OnLButtonDblClk(WPARAM, POINT*) { return false; }

void CKXBaseControl::Draw(HDC) {}

void CKXBaseControl::SetRect(const RECT& rc) { m_rc = rc; }

RECT CKXBaseControl::GetRect() const { return m_rc; }

std::wstring CKXBaseControl::GetClassName() const { return m_strClassName; }

void CKXBaseControl::SetOwner(HWND hWnd) { m_hWndOwner = hWnd; }

void CKXBaseControl::Invalidate() {
    RedrawWindow(m_hWndOwner, &m_rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
