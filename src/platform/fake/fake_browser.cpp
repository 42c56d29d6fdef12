#include "platform/fake/fake_browser.h"

#include <algorithm>

namespace plat::fake {

namespace {

std::vector<FakeBrowser*>& Live() {
    static std::vector<FakeBrowser*>& live = *new std::vector<FakeBrowser*>;  // never destroyed: used until the process ends
    return live;
}

std::wstring g_profile;
int g_cacheClears = 0;

}  // namespace

FakeBrowser::FakeBrowser(HWND hostWindow, std::wstring url, BrowserEventSink& sink)
    : host(hostWindow), initialUrl(std::move(url)), m_sink(sink) {
    Live().push_back(this);
}

FakeBrowser::~FakeBrowser() {
    Live().erase(std::find(Live().begin(), Live().end(), this));
}

bool FakeBrowser::Navigate(const std::wstring& url) {
    navigations.push_back(url);
    return !refuseNavigation;
}

bool FakeBrowser::TranslateMessage(const MSG& msg) {
    offeredMessages.push_back(msg.message);
    return consumeMessages;
}

FakeBrowser* BrowserIn(HWND host) {
    auto found = std::find_if(Live().begin(), Live().end(),
                              [host](const FakeBrowser* browser) { return browser->host == host; });
    return found == Live().end() ? nullptr : *found;
}

std::wstring BrowserProfileFolder() {
    return g_profile;
}

int BrowserCacheClears() {
    return g_cacheClears;
}

}  // namespace plat::fake

bool plat::OpenBrowserProfile(const std::wstring& folder) {
    if (fake::g_profile.empty()) {
        fake::g_profile = folder;
    }
    return fake::g_profile == folder;
}

std::unique_ptr<plat::BrowserEngine> plat::CreateBrowserEngine(HWND host, const std::wstring& url,
                                                               BrowserEventSink& sink) {
    if (fake::g_profile.empty()) {
        return nullptr;
    }
    return std::make_unique<fake::FakeBrowser>(host, url, sink);
}

void plat::ClearBrowserCache(std::function<void(bool cleared)> done) {
    ++fake::g_cacheClears;
    done(!fake::g_profile.empty());
}
