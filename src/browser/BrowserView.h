// The child window in which the login and game windows show web pages. It drives a web engine of
// the platform and turns what the engine reports into the notifications of its m_webNotify:
// which navigations are reported, which one is the page of the last Navigate, which are
// cancelled, and how the page is dressed (no scroll bars, no drops).
#pragma once

#include <memory>
#include <string>

#include "browser/WebNotify.h"
#include "platform/browser_engine.h"
#include "platform/window.h"

class CBrowserView : private plat::BrowserEventSink {
public:
    CBrowserView() = default;
    // The window must already be gone: it is a child of the owner's window and goes with it.
    ~CBrowserView() override;
    CBrowserView(const CBrowserView&) = delete;
    CBrowserView& operator=(const CBrowserView&) = delete;

    // A visible child of the parent over the rectangle, whose engine starts loading the address;
    // null when the window could not be made.
    HWND CreateBrowser(const std::wstring& url, HWND parent, const RECT& rect);
    // The address is kept even when the engine refuses it or is missing.
    bool Navigate(const std::wstring& url);
    void Refresh();
    std::wstring GetURL() const;
    void FocusDocument();
    // Keyboard and mouse messages aimed at the view or inside it go to the engine first; non-zero
    // when it consumed the message and the caller must not dispatch it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    HWND m_hWnd = nullptr;
    CWebNotify m_webNotify;
    bool m_bNavigatePending = false;
    // The frame of the first completed navigation after Navigate: only compared.
    plat::BrowserFrame m_pTopFrame = nullptr;
    std::wstring m_strURL;
    bool m_bHideScrollBars = true;
    // Set by a receiver of WEBNOTIFY_BEFORENAVIGATE to cancel that navigation.
    bool m_bCancelNavigation = false;

private:
    static LRESULT ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void Forget();

    bool OnBeforeNavigate(const std::wstring& url) override;
    void OnNavigateComplete(const std::wstring& url, plat::BrowserFrame frame) override;
    void OnDocumentComplete(const std::wstring& url, plat::BrowserFrame frame) override;
    bool OnNavigateError(const std::wstring& url, HRESULT status) override;
    void OnTitleChange(const std::wstring& title) override;
    void OnExternalRequested() override;

    LPARAM Self() { return reinterpret_cast<LPARAM>(this); }

    std::unique_ptr<plat::BrowserEngine> m_engine;
};
