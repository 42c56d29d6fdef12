// A frameless top-level window holding window-less controls: it paints them, hit-tests the mouse
// against them and tells them when the mouse moves, leaves or clicks.
#pragma once

#include <vector>

#include "ui/KXBaseControl.h"

class CKXForm : public CKXBaseControl {
public:
    CKXForm() = default;
    ~CKXForm() override;

    bool OnLButtonDown(WPARAM wParam, POINT* pt) override;
    bool OnMouseMove(WPARAM wParam, POINT* pt) override;
    void Draw(HDC dc) override;

    virtual bool AddControl(CKXBaseControl* control);
    virtual bool OnMouseLeave(WPARAM wParam, POINT* pt);
    virtual bool OnMouseHover(WPARAM wParam, POINT* pt);
    virtual bool CanClose();
    virtual void TrackMouse();
    virtual bool Create(LPCWSTR className, LPCWSTR windowName, HINSTANCE instance);
    virtual bool ShowCentered(int showCommand);
    virtual bool Close();
    virtual HWND GetHwnd() const;
    // 0: handled here; 1: not handled, the concrete form goes on with it.
    virtual LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The topmost control at the point: the last added whose rectangle holds it.
    CKXBaseControl* HitTest(POINT pt) const;

    HWND m_hWnd = nullptr;
    bool m_bTracking = false;
    std::vector<CKXBaseControl*> m_children;  // not owned: members of the concrete form
};
