// The web engine behind a browser view: one engine fills one child window, loads addresses and
// tells its sink, on the UI thread and before it goes on, what happens to the page. The events are
// those the view's logic is written against (before-navigate, navigate-complete,
// document-complete, navigate-error, title-change); the engine decides nothing about them itself.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win_types.h"

namespace plat {

// Which frame an event is about: compared, never dereferenced. A frame keeps its identity across
// the pages loaded into it.
using BrowserFrame = const void*;

class BrowserEventSink {
public:
    virtual ~BrowserEventSink() = default;
    // Any frame is about to load the address. True cancels: nothing of it is loaded or requested.
    virtual bool OnBeforeNavigate(const std::wstring& url) = 0;
    // The frame has committed to showing the address.
    virtual void OnNavigateComplete(const std::wstring& url, BrowserFrame frame) = 0;
    // A document of the frame has finished loading without an error.
    virtual void OnDocumentComplete(const std::wstring& url, BrowserFrame frame) = 0;
    // A navigation failed; E_ABORT when it was stopped (by the user, a newer navigation or the
    // engine). True keeps the engine from showing its own error page.
    virtual bool OnNavigateError(const std::wstring& url, HRESULT status) = 0;
    // The title is empty for a page without one.
    virtual void OnTitleChange(const std::wstring& title) = 0;
    // Page script asked for the host's external object; the page gets none.
    virtual void OnExternalRequested() = 0;
};

class BrowserEngine {
public:
    virtual ~BrowserEngine() = default;
    // Starts loading; false when the engine refused the address.
    virtual bool Navigate(const std::wstring& url) = 0;
    virtual void Refresh() = 0;
    // Keyboard focus into the page.
    virtual void FocusDocument() = 0;
    // The frame's documents show no scroll bars, from now on.
    virtual void HideScrollBars(BrowserFrame frame) = 0;
    // Dropped files and links neither navigate nor reach the page.
    virtual void DisableDrop() = 0;
    // Offers the engine a keyboard or mouse message aimed at its window; true when it consumed it.
    virtual bool TranslateMessage(const MSG& msg) = 0;
};

// The engine's data and cache for the whole process live in this folder (ending with the
// separator). The first call decides; a later call with another folder is refused.
bool OpenBrowserProfile(const std::wstring& folder);

// An engine filling the child window and loading the address; null when there is no profile yet
// or the engine cannot run. The sink outlives the engine.
std::unique_ptr<BrowserEngine> CreateBrowserEngine(HWND host, const std::wstring& url,
                                                   BrowserEventSink& sink);

// Removes the profile's cached and stored website data; done runs later on the UI thread with
// true when that worked (false at once without a profile).
void ClearBrowserCache(std::function<void(bool cleared)> done);

}  // namespace plat
