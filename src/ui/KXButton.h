// An image button: a label that shows its normal, hover or pressed bitmap as the mouse moves,
// from one of two sets.
#pragma once

#include "ui/KXLabel.h"

class CKXButton : public CKXLabel {
public:
    CKXButton();
    ~CKXButton() override;

    bool OnLButtonDown(WPARAM wParam, POINT* pt) override;
    bool OnLButtonUp(WPARAM wParam, POINT* pt) override;
    bool OnMouseMove(WPARAM wParam, POINT* pt) override;
    void Draw(HDC dc) override;
    virtual int GetBitmapWidth() const;
    virtual int GetBitmapHeight() const;

    void LoadBitmaps(HINSTANCE instance, int normalId, int hoverId, int pressedId);
    // 0 normal, 1 hover, 2 pressed, 3 released over the button; 4 repaints with the current state
    // after the bitmap set was switched.
    void SetState(int state);

    int m_nState = 0;
    int m_nBitmapWidth = 0;
    int m_nBitmapHeight = 0;
    bool m_bAltBitmaps = false;
    HBITMAP m_hBitmap = nullptr;
    HBITMAP m_hBmpNormal = nullptr;
    HBITMAP m_hBmpHover = nullptr;
    HBITMAP m_hBmpPressed = nullptr;
    HBITMAP m_hBmpAltNormal = nullptr;
    HBITMAP m_hBmpAltHover = nullptr;
    HBITMAP m_hBmpAltPressed = nullptr;
};
