// The base of every window-less control and of every form: a rectangle in its form's client
// coordinates, the form's window, and a cursor.
#pragma once

#include <string>

#include "platform/window.h"

class CKXBaseControl {
public:
    CKXBaseControl();
    virtual ~CKXBaseControl();
    CKXBaseControl(const CKXBaseControl&) = delete;
    CKXBaseControl& operator=(const CKXBaseControl&) = delete;

    virtual bool OnLButtonDown(WPARAM wParam, POINT* pt);
    virtual bool OnLButtonUp(WPARAM wParam, POINT* pt);
    virtual bool OnMouseMove(WPARAM wParam, POINT* pt);
    virtual bool OnLButtonDblClk(WPARAM wParam, POINT* pt);
    virtual void Draw(HDC dc);
    virtual void SetRect(const RECT& rc);
    virtual RECT GetRect() const;
    virtual std::wstring GetClassName() const;
    virtual void SetOwner(HWND hWnd);

    // Repaints the control's area before returning.
    void Invalidate();

    RECT m_rc{0, 0, 0, 0};
    HWND m_hWndOwner = nullptr;
    HCURSOR m_hCursor;
    std::wstring m_strClassName = L"CKXBaseControl";
};
