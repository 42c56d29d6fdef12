#include "ui/KXButton.h"

#include "ui/Bitmaps.h"

CKXButton::CKXButton() { m_strClassName = L"CKXButton"; }

CKXButton::~CKXButton() {
    DeleteBitmaps({m_hBmpNormal, m_hBmpHover, m_hBmpPressed, m_hBmpAltNormal, m_hBmpAltHover,
                   m_hBmpAltPressed});
}

bool CKXButton::OnLButtonDown(WPARAM, POINT*) {
    SetCursor(m_hCursor);
    SetState(2);
    return false;
}

bool CKXButton::OnLButtonUp(WPARAM, POINT*) {
    SetCursor(m_hCursor);
    SetState(3);
    return false;
}

bool CKXButton::OnMouseMove(WPARAM, POINT* pt) {
    SetCursor(m_hCursor);
    SetState(PtInRect(&m_rc, *pt) ? 1 : 0);
    return false;
}

int CKXButton::GetBitmapWidth() const { return m_nBitmapWidth; }

int CKXButton::GetBitmapHeight() const { return m_nBitmapHeight; }

void CKXButton::LoadBitmaps(HINSTANCE instance, int normalId, int hoverId, int pressedId) {
    m_hBmpNormal = LoadResourceBitmap(instance, normalId);
    m_hBmpHover = LoadResourceBitmap(instance, hoverId);
    m_hBmpPressed = LoadResourceBitmap(instance, pressedId);
    m_hBitmap = m_hBmpNormal;
    GetBitmapSize(m_hBmpNormal, &m_nBitmapWidth, &m_nBitmapHeight);
}

void CKXButton::SetState(int state) {
    if (state == m_nState) {
        return;
    }
    if (state != 4) {
        m_nState = state;
    }
    switch (m_nState) {
        case 1:
        case 3:
            m_hBitmap = m_bAltBitmaps ? m_hBmpAltHover : m_hBmpHover;
            break;
        case 2:
            m_hBitmap = m_bAltBitmaps ? m_hBmpAltPressed : m_hBmpPressed;
            break;
        default:
            m_hBitmap = m_bAltBitmaps ? m_hBmpAltNormal : m_hBmpNormal;
            break;
    }
    Invalidate();
}

void CKXButton::Draw(HDC dc) {
    if (m_hBitmap == nullptr) {
        return;
    }
    DrawKeyed(dc, m_hBitmap, m_nBitmapWidth, m_nBitmapHeight, m_rc);
    if (m_strText.empty()) {
        return;
    }
    const int saved = SelectTextLook(dc);
    int height = 0;
    const LONG measuredRight = MeasureRight(dc, m_strText, &height);
    DrawTextCentred(dc, Shortened(dc, m_strText, measuredRight, &height), height, DT_CENTER);
    RestoreDC(dc, saved);
}
