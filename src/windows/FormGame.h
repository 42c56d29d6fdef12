// The game window: the game page under a title strip with the game's icon, the page's title, a
// tool bar of platform pages and the window buttons; it fills the work area or sits centred.
#pragma once

#include <string>

#include "browser/BrowserView.h"
#include "platform/menus.h"
#include "ui/KXButton.h"
#include "ui/KXForm.h"
#include "ui/KXImage.h"
#include "ui/KXLabel.h"

class CFormGame : public CKXForm {
public:
    CFormGame();
    ~CFormGame() override;

    bool OnLButtonDown(WPARAM wParam, POINT* pt) override;
    bool OnLButtonUp(WPARAM wParam, POINT* pt) override;
    bool OnLButtonDblClk(WPARAM wParam, POINT* pt) override;
    bool CanClose() override;
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    virtual bool OnCreate(const std::wstring& startAddress);

    bool Maximize();
    bool Restore();
    void LayoutControls();
    void OnWebNotify(UINT code, WPARAM wParam, LPARAM lParam);

    // The settings button's menu (refresh, clear the cache), the tray icon and its menu.
    bool ShowSettingsMenu();
    void MinimizeToTray();
    void AddTrayIcon(HICON icon);
    bool RemoveTrayIcon();
    LRESULT OnTrayNotify(LPARAM lParam);
    bool ShowTrayMenu();

    CKXImage m_imgTitle;
    CKXButton m_btnClose;
    CKXButton m_btnMinimize;
    CKXButton m_btnMaximize;
    CKXButton m_btnTray;
    CKXButton m_btnSettings;
    CKXButton m_btnForum;
    CKXButton m_btnHome;
    CKXButton m_btnPay;
    CKXButton m_btnService;
    CKXImage m_imgIcon;
    CKXLabel m_lblTitle;
    CBrowserView m_view;
    NOTIFYICONDATAW m_nid{};
    bool m_bTrayIcon = false;
    bool m_bMaximized = false;

private:
    bool IsDragArea(const CKXBaseControl* control) const;
    // Places the window and its content: the same steps in both modes.
    bool Place(int x, int y, int width, int height, bool maximized);
};

// A page title without the platform's decoration: "Tiv《Velkora》S12" reads "Velkora-S12".
std::wstring CleanTitle(std::wstring title);
