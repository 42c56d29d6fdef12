// The layered window behind the login window: the login screen's artwork with per-pixel alpha.
// It carries the task-bar button, and it and the login window keep each other's position.
#pragma once

#include "ui/KXForm.h"

class CFormBack : public CKXForm {
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual bool OnCreate();

private:
    void PaintLayered();
    // Brings the login window to this window's client origin.
    void MoveLoginWindowHere(UINT flags);
};
