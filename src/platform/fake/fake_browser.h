// The in-memory web engine as the tests see it: it records what the view asked of it, and the
// tests raise its events as a real engine would, on the calling thread.
#pragma once

#include <string>
#include <vector>

#include "platform/browser_engine.h"

namespace plat::fake {

class FakeBrowser final : public BrowserEngine {
public:
    FakeBrowser(HWND host, std::wstring url, BrowserEventSink& sink);
    ~FakeBrowser() override;
    FakeBrowser(const FakeBrowser&) = delete;
    FakeBrowser& operator=(const FakeBrowser&) = delete;

    bool Navigate(const std::wstring& url) override;
    void Refresh() override { ++refreshes; }
    void FocusDocument() override { ++focusRequests; }
    void HideScrollBars(BrowserFrame frame) override { scrollBarsHidden.push_back(frame); }
    void DisableDrop() override { dropDisabled = true; }
    bool TranslateMessage(const MSG& msg) override;

    // The events. The sink may destroy this engine while it handles one: nothing of the engine
    // is touched after the sink returns.
    bool RaiseBeforeNavigate(const std::wstring& url) { return m_sink.OnBeforeNavigate(url); }
    void RaiseNavigateComplete(const std::wstring& url, BrowserFrame frame) {
        m_sink.OnNavigateComplete(url, frame);
    }
    void RaiseDocumentComplete(const std::wstring& url, BrowserFrame frame) {
        m_sink.OnDocumentComplete(url, frame);
    }
    bool RaiseNavigateError(const std::wstring& url, HRESULT status) {
        return m_sink.OnNavigateError(url, status);
    }
    void RaiseTitleChange(const std::wstring& title) { m_sink.OnTitleChange(title); }
    void RaiseExternalRequested() { m_sink.OnExternalRequested(); }

    const HWND host;
    const std::wstring initialUrl;
    bool refuseNavigation = false;  // Navigate fails while set
    bool consumeMessages = false;   // TranslateMessage consumes while set
    std::vector<std::wstring> navigations;
    int refreshes = 0;
    int focusRequests = 0;
    std::vector<BrowserFrame> scrollBarsHidden;
    bool dropDisabled = false;
    std::vector<UINT> offeredMessages;

private:
    BrowserEventSink& m_sink;
};

// The engine alive in the host window; null when there is none.
FakeBrowser* BrowserIn(HWND host);
// The folder of the first OpenBrowserProfile; empty before it.
std::wstring BrowserProfileFolder();
// How many times the cache was cleared; ClearBrowserCache reports success at once.
int BrowserCacheClears();

}  // namespace plat::fake
