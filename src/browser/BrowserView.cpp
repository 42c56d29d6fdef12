#include "browser/BrowserView.h"

#include <map>

#include "browser/BrowserProfile.h"

namespace {

constexpr wchar_t kViewClass[] = L"VelkoraBrowserView";
const std::wstring kBlank = L"about:blank";
const std::wstring kScript = L"javascript";

std::map<HWND, CBrowserView*>& Views() {
    static std::map<HWND, CBrowserView*>& views = *new std::map<HWND, CBrowserView*>;  // never destroyed: used until the process ends
    return views;
}

// The view whose window is being created, with the address its engine loads first: WM_CREATE
// arrives from inside CreateWindowExW, before the handle is known.
struct Creation {
    CBrowserView* view = nullptr;
    const std::wstring* url = nullptr;
};
Creation g_creation;

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

CBrowserView::~CBrowserView() {
    Forget();
}

HWND CBrowserView::CreateBrowser(const std::wstring& url, HWND parent, const RECT& rect) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ViewProc;
    windowClass.lpszClassName = kViewClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when the class exists
    OpenBrowserProfile();
    g_creation = Creation{this, &url};
    HWND hwnd = CreateWindowExW(0, kViewClass, url.c_str(), WS_CHILD | WS_VISIBLE, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                nullptr, nullptr, nullptr);
    g_creation = Creation{};
    if (hwnd == nullptr) {
        return nullptr;
    }
    if (m_engine != nullptr) {
        m_engine->DisableDrop();
    }
    return hwnd;
}

bool CBrowserView::Navigate(const std::wstring& url) {
    m_strURL = url;
    if (m_engine == nullptr || !m_engine->Navigate(url)) {
        return false;
    }
    m_bNavigatePending = true;
    m_pTopFrame = nullptr;
    return true;
}

void CBrowserView::Refresh() {
    if (m_engine != nullptr) {
        m_engine->Refresh();
    }
}

std::wstring CBrowserView::GetURL() const {
    return m_strURL;
}

void CBrowserView::FocusDocument() {
    if (m_engine != nullptr) {
        m_engine->FocusDocument();
    }
}

BOOL CBrowserView::PreTranslateMessage(MSG* msg) {
    const bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    if ((!keyboard && !mouse) || m_hWnd == nullptr ||
        (msg->hwnd != m_hWnd && !IsChild(m_hWnd, msg->hwnd))) {
        return 0;
    }
    return SendMessageW(m_hWnd, WM_FORWARDMSG, 0, reinterpret_cast<LPARAM>(msg)) != 0 ? 1 : 0;
}

LRESULT CBrowserView::ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE && g_creation.view != nullptr) {
        g_creation.view->m_hWnd = hwnd;
        Views()[hwnd] = g_creation.view;
    }
    auto found = Views().find(hwnd);
    if (found == Views().end()) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return found->second->WindowProc(message, wParam, lParam);
}

LRESULT CBrowserView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            m_engine = plat::CreateBrowserEngine(m_hWnd, *g_creation.url, *this);
            const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
            if ((style & WS_CLIPCHILDREN) == 0) {
                SetWindowLongW(m_hWnd, GWL_STYLE, style | static_cast<LONG>(WS_CLIPCHILDREN));
            }
            return 0;
        }
        case WM_DESTROY: {
            HWND hwnd = m_hWnd;
            Forget();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        case WM_SETFOCUS: {
            const LRESULT result = DefWindowProcW(m_hWnd, message, wParam, lParam);
            FocusDocument();
            return result;
        }
        case WM_FORWARDMSG: {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            return m_engine != nullptr && msg != nullptr && m_engine->TranslateMessage(*msg) ? 1
                                                                                             : 0;
        }
        default:
            return DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

// The engine stops reporting before the window goes; the handle stays for comparisons only.
void CBrowserView::Forget() {
    m_engine.reset();
    if (auto found = Views().find(m_hWnd); found != Views().end() && found->second == this) {
        Views().erase(found);
    }
}

bool CBrowserView::OnBeforeNavigate(const std::wstring& url) {
    m_bCancelNavigation = false;
    if (!StartsWith(url, kScript) && !StartsWith(url, kBlank)) {
        m_strURL = url;
        m_webNotify.Fire(WEBNOTIFY_BEFORENAVIGATE, 0, Self());
    }
    return m_bCancelNavigation;
}

void CBrowserView::OnNavigateComplete(const std::wstring& url, plat::BrowserFrame frame) {
    if (m_bNavigatePending && url != kBlank) {
        m_bNavigatePending = false;
        m_pTopFrame = frame;
        m_webNotify.Fire(WEBNOTIFY_NAVIGATECOMPLETE, 0, Self());
    }
}

void CBrowserView::OnDocumentComplete(const std::wstring&, plat::BrowserFrame frame) {
    if (frame == m_pTopFrame) {
        m_webNotify.Fire(WEBNOTIFY_DOCUMENTCOMPLETE, 0, Self());
    }
    // A receiver may have closed the window, and the engine with it.
    if (m_bHideScrollBars && m_engine != nullptr) {
        m_engine->HideScrollBars(frame);
    }
}

bool CBrowserView::OnNavigateError(const std::wstring& url, HRESULT status) {
    if (status == E_ABORT) {
        return false;
    }
    m_strURL = url;
    m_webNotify.Fire(WEBNOTIFY_NAVIGATEERROR, 0, Self());
    return true;
}

void CBrowserView::OnTitleChange(const std::wstring& title) {
    m_webNotify.Fire(WEBNOTIFY_TITLECHANGE, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

// The engine has no way to hand the page an object, so whatever a receiver puts in the slot is
// not passed on.
void CBrowserView::OnExternalRequested() {
    void* slot = nullptr;
    m_webNotify.Fire(WEBNOTIFY_GETEXTERNAL, reinterpret_cast<WPARAM>(&slot), Self());
}
