// The login window: the platform's login page framed by the background window's artwork, with
// the link buttons, the retry text when the page cannot be reached, and the watch for the
// address that enters the game.
#pragma once

#include <string>

#include "browser/BrowserView.h"
#include "ui/KXButton.h"
#include "ui/KXForm.h"
#include "ui/KXImage.h"
#include "ui/KXLabel.h"

class CFormLogin : public CKXForm {
public:
    CFormLogin();
    ~CFormLogin() override;

    bool OnLButtonDown(WPARAM wParam, POINT* pt) override;
    bool OnLButtonUp(WPARAM wParam, POINT* pt) override;
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    virtual bool OnCreate();

    // A window without content that only receives WM_CLOSE_CLIENT (report and show-desktop modes).
    bool CreateHidden();
    std::wstring GetGameUrl() const { return m_strGameUrl; }
    void ReturnFromGame();
    void OnWebNotify(UINT code, WPARAM wParam, LPARAM lParam);

    CKXImage m_imgBack;
    CKXButton m_btnClose;
    CKXButton m_btnMinimize;
    CKXButton m_btnHome;
    CKXButton m_btnService;
    CKXButton m_btnPay;
    CKXButton m_btnForum;
    CKXButton m_btnGuide;
    CBrowserView m_view;
    CKXLabel m_lblRetry;
    bool m_bRetrying = false;
    std::wstring m_strGameUrl;
    bool m_bReturned = false;

private:
    void ShowLoginView(bool error);
    bool ConfirmQuit();
    void FollowWithBackground();
};
