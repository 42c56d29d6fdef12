// The browser view on WebKitGTK under a private Xvfb display, against a local HTTP server: the
// notifications a real page raises, cancelled and failed navigations, frames, scroll bars, the
// place of the page inside its form, and the cache.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "browser/BrowserProfile.h"
#include "browser/BrowserView.h"
#include "platform/gtk/gtk_ui.h"
#include "support/LocalHttpServer.h"
#include "support/Pump.h"
#include "support/TestDisplay.h"
#include "support/XvfbDisplay.h"

namespace {

using testing_support::LocalHttpServer;
using testing_support::Pump;

constexpr char kTallBody[] = "<body><div style='height:5000px;width:5000px'>tall</div></body>";

// Pumps until the condition holds; false when it did not within the time.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 15000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Pump(20);
    }
    return true;
}

// A port on which nothing listens.
int RefusingPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

LRESULT PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct Notification {
    UINT code;
    std::wstring url;    // GetURL during the call
    std::wstring title;  // for WEBNOTIFY_TITLECHANGE
};

class WebKitBrowser : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_display = testing_support::OpenTestDisplay(L"owner", PlainProc, 0);
    }
    static void TearDownTestSuite() { s_display.reset(); }

    void SetUp() override {
        // Without keep-alive the server stops at once when the test ends.
        m_server.server().set_keep_alive_max_count(1);
        m_server.server().set_logger(
            [this](const httplib::Request& request, const httplib::Response&) {
                std::lock_guard<std::mutex> guard(m_lock);
                m_requests.push_back(request.target);
            });
        auto page = [](std::string html) {
            return [html](const httplib::Request&, httplib::Response& response) {
                response.set_content(html, "text/html; charset=utf-8");
            };
        };
        m_server.server().Get("/page", page("<html><head><title>Tiv《Velkora》</title></head>" +
                                            std::string(kTallBody) + "</html>"));
        m_server.server().Get("/script",
                              page("<html><body onload=\"location.href='/target?wd_entergame=1'\">"
                                   "go</body></html>"));
        m_server.server().Get("/target", page("<html><body>arrived</body></html>"));
        m_server.server().Get("/framed", page("<html><body><iframe src='/inner' width='300' "
                                              "height='200'></iframe></body></html>"));
        m_server.server().Get("/inner", page(std::string("<html>") + kTallBody + "</html>"));
        m_server.Start();

        m_parent = CreateWindowExW(0, L"owner", L"", WS_POPUP, 0, 0, 1000, 700, nullptr, nullptr,
                                   nullptr, nullptr);
        SetWindowPos(m_parent, HWND_TOP, 10, 10, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
        ASSERT_NE(m_view.CreateBrowser(L"about:blank", m_parent, RECT{50, 40, 650, 440}), nullptr);
        m_view.m_webNotify.AddHandler(this, &WebKitBrowser::OnWebNotify);
    }

    void TearDown() override {
        DestroyWindow(m_parent);
        Pump(50);
    }

    void OnWebNotify(UINT code, WPARAM, LPARAM lParam) {
        std::wstring title;
        if (code == WEBNOTIFY_TITLECHANGE) {
            title = reinterpret_cast<const wchar_t*>(lParam);
        }
        m_notifications.push_back({code, m_view.GetURL(), title});
        if (code == WEBNOTIFY_BEFORENAVIGATE &&
            m_view.GetURL().find(L"wd_entergame=1") != std::wstring::npos) {
            m_view.m_bCancelNavigation = true;
        }
    }

    int Count(UINT code) const {
        int count = 0;
        for (const Notification& n : m_notifications) {
            count += n.code == code ? 1 : 0;
        }
        return count;
    }

    bool Requested(const std::string& prefix) {
        std::lock_guard<std::mutex> guard(m_lock);
        for (const std::string& target : m_requests) {
            if (target.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    GtkWidget* WebViewWidget() const { return gtk_bin_get_child(GTK_BIN(m_view.m_hWnd->widget)); }

    // The page script's result as text.
    std::string Evaluate(const std::string& script) {
        struct Result {
            bool done = false;
            std::string text;
        } result;
        webkit_web_view_evaluate_javascript(
            WEBKIT_WEB_VIEW(WebViewWidget()), script.c_str(), -1, nullptr, nullptr, nullptr,
            [](GObject* source, GAsyncResult* async, gpointer data) {
                auto* out = static_cast<Result*>(data);
                JSCValue* value = webkit_web_view_evaluate_javascript_finish(
                    WEBKIT_WEB_VIEW(source), async, nullptr);
                if (value != nullptr) {
                    char* text = jsc_value_to_string(value);
                    out->text = text;
                    g_free(text);
                    g_object_unref(value);
                }
                out->done = true;
            },
            &result);
        EXPECT_TRUE(PumpUntil([&result] { return result.done; }));
        return result.text;
    }

    static std::unique_ptr<testing_support::XvfbDisplay> s_display;
    LocalHttpServer m_server;
    std::mutex m_lock;
    std::vector<std::string> m_requests;
    HWND m_parent = nullptr;
    CBrowserView m_view;
    std::vector<Notification> m_notifications;
};

std::unique_ptr<testing_support::XvfbDisplay> WebKitBrowser::s_display;

TEST_F(WebKitBrowser, APageRaisesItsNotificationsInOrderAndFillsTheMovedView) {
    const std::wstring url = m_server.Url("/page");
    ASSERT_TRUE(m_view.Navigate(url));
    m_view.FocusDocument();
    ASSERT_TRUE(PumpUntil([this] { return Count(WEBNOTIFY_DOCUMENTCOMPLETE) > 0; }));
    Pump(200);
    std::vector<UINT> codes;
    for (const Notification& n : m_notifications) {
        codes.push_back(n.code);
        EXPECT_EQ(n.url, url);
    }
    EXPECT_EQ(codes, (std::vector<UINT>{WEBNOTIFY_BEFORENAVIGATE, WEBNOTIFY_NAVIGATECOMPLETE,
                                        WEBNOTIFY_TITLECHANGE, WEBNOTIFY_DOCUMENTCOMPLETE}));
    EXPECT_EQ(m_notifications[2].title, L"Tiv《Velkora》");
    EXPECT_EQ(Evaluate("getComputedStyle(document.documentElement).overflow"), "hidden");
    EXPECT_EQ(Evaluate("String(window.innerWidth - document.documentElement.clientWidth)"), "0");

    MoveWindow(m_view.m_hWnd, 355, 244, 606, 394, 0);
    Pump(200);
    GtkAllocation allocation{};
    gtk_widget_get_allocation(WebViewWidget(), &allocation);
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(WebViewWidget(), m_parent->widget, 0, 0, &x, &y);
    EXPECT_EQ((std::vector<int>{x, y, allocation.width, allocation.height}),
              (std::vector<int>{355, 244, 606, 394}));
}

TEST_F(WebKitBrowser, AScriptNavigationCancelledByTheReceiverNeverReachesTheServer) {
    ASSERT_TRUE(m_view.Navigate(m_server.Url("/script")));
    ASSERT_TRUE(PumpUntil([this] {
        return !m_notifications.empty() &&
               m_notifications.back().url.find(L"wd_entergame=1") != std::wstring::npos;
    }));
    Pump(500);
    EXPECT_FALSE(Requested("/target"));
    EXPECT_EQ(Evaluate("location.pathname"), "/script");
}

TEST_F(WebKitBrowser, ARefusedConnectionIsReportedWithoutAnErrorPage) {
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(RefusingPort()) + L"/login";
    ASSERT_TRUE(m_view.Navigate(url));
    ASSERT_TRUE(PumpUntil([this] { return Count(WEBNOTIFY_NAVIGATEERROR) > 0; }));
    Pump(300);
    EXPECT_EQ(Count(WEBNOTIFY_NAVIGATEERROR), 1);
    EXPECT_EQ(Count(WEBNOTIFY_DOCUMENTCOMPLETE), 0);
    EXPECT_EQ(m_view.GetURL(), url);
    EXPECT_EQ(Evaluate("document.body ? document.body.innerText : ''"), "");
}

TEST_F(WebKitBrowser, APageWithAFrameCompletesOnceAndNeitherShowsScrollBars) {
    ASSERT_TRUE(m_view.Navigate(m_server.Url("/framed")));
    ASSERT_TRUE(PumpUntil([this] { return Count(WEBNOTIFY_DOCUMENTCOMPLETE) > 0; }));
    Pump(500);
    EXPECT_EQ(Count(WEBNOTIFY_DOCUMENTCOMPLETE), 1);
    EXPECT_EQ(Count(WEBNOTIFY_NAVIGATECOMPLETE), 1);
    EXPECT_EQ(Evaluate("getComputedStyle(document.querySelector('iframe').contentDocument"
                       ".documentElement).overflow"),
              "hidden");
}

TEST_F(WebKitBrowser, APageAskingForTheExternalObjectIsNotifiedAndGetsNone) {
    ASSERT_TRUE(m_view.Navigate(m_server.Url("/page")));
    ASSERT_TRUE(PumpUntil([this] { return Count(WEBNOTIFY_DOCUMENTCOMPLETE) > 0; }));
    EXPECT_EQ(Evaluate("String(window.external)"), "null");
    EXPECT_TRUE(PumpUntil([this] { return Count(WEBNOTIFY_GETEXTERNAL) == 1; }));
}

TEST_F(WebKitBrowser, TheCacheClearCompletes) {
    ASSERT_TRUE(m_view.Navigate(m_server.Url("/page")));
    ASSERT_TRUE(PumpUntil([this] { return Count(WEBNOTIFY_DOCUMENTCOMPLETE) > 0; }));
    int answers = 0;
    bool cleared = false;
    ClearBrowserCache([&](bool ok) {
        ++answers;
        cleared = ok;
    });
    ASSERT_TRUE(PumpUntil([&answers] { return answers > 0; }));
    EXPECT_TRUE(cleared);
    EXPECT_EQ(answers, 1);
}

}  // namespace
