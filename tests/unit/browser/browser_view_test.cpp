// The browser view's logic over the fake engine: which engine events become which notifications,
// what the view's URL is at each, and what the view answers the engine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/BrowserView.h"
#include "platform/fake/fake_browser.h"
#include "platform/fake/fake_ui.h"

namespace {

using plat::fake::FakeBrowser;

constexpr HRESULT kNotFound = static_cast<HRESULT>(0x800C0005);

plat::BrowserFrame Frame(int n) {
    return reinterpret_cast<plat::BrowserFrame>(n * 16);
}

LRESULT PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct Received {
    UINT code;
    WPARAM wParam;
    LPARAM lParam;
    std::wstring url;  // GetURL of the view during the call
};

// A window that owns a view and listens to it, as the login and game windows do.
class Receiver {
public:
    explicit Receiver(CBrowserView& view, std::vector<std::string>* order = nullptr,
                      const char* name = "")
        : m_view(view), m_order(order), m_name(name) {}

    void OnWebNotify(UINT code, WPARAM wParam, LPARAM lParam) {
        received.push_back({code, wParam, lParam, m_view.GetURL()});
        if (m_order != nullptr) {
            m_order->push_back(m_name + std::to_string(code) +
                               (m_view.m_bCancelNavigation ? "c" : ""));
        }
        if (code == WEBNOTIFY_BEFORENAVIGATE && !cancelMarker.empty() &&
            m_view.GetURL().find(cancelMarker) != std::wstring::npos) {
            m_view.m_bCancelNavigation = true;
        }
        if (code == WEBNOTIFY_TITLECHANGE) {
            titles.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
        }
        if (code == closeOn && m_view.m_hWnd != nullptr) {
            DestroyWindow(m_parent);
        }
    }

    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Received& r : received) {
            codes.push_back(r.code);
        }
        return codes;
    }

    std::vector<Received> received;
    std::vector<std::wstring> titles;
    std::wstring cancelMarker;
    UINT closeOn = ~0U;
    HWND m_parent = nullptr;

private:
    CBrowserView& m_view;
    std::vector<std::string>* m_order;
    std::string m_name;
};

class BrowserViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::fake::Reset();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PlainProc;
        windowClass.lpszClassName = L"owner";
        RegisterClassExW(&windowClass);
        m_parent = CreateWindowExW(0, L"owner", L"", WS_POPUP, 0, 0, 1250, 700, nullptr, nullptr,
                                   nullptr, nullptr);
        m_receiver.m_parent = m_parent;
    }
    void TearDown() override { DestroyWindow(m_parent); }

    // As both windows do: the view on about:blank, the receiver registered, then Navigate.
    FakeBrowser& Open() {
        EXPECT_NE(m_view.CreateBrowser(L"about:blank", m_parent, RECT{308, 170, 910, 547}),
                  nullptr);
        m_view.m_webNotify.AddHandler(&m_receiver, &Receiver::OnWebNotify);
        FakeBrowser* engine = plat::fake::BrowserIn(m_view.m_hWnd);
        EXPECT_NE(engine, nullptr);
        return *engine;
    }

    HWND m_parent = nullptr;
    CBrowserView m_view;
    Receiver m_receiver{m_view};
};

TEST_F(BrowserViewTest, IsAChildWindowWhoseEngineLoadsTheInitialAddressWithoutDrops) {
    FakeBrowser& engine = Open();
    const auto window = plat::fake::WindowState(m_view.m_hWnd);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->parent, m_parent);
    EXPECT_EQ(window->style, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    EXPECT_EQ(window->exStyle, 0U);
    EXPECT_EQ(window->text, L"about:blank");
    EXPECT_EQ((std::vector<int>{window->x, window->y, window->width, window->height}),
              (std::vector<int>{308, 170, 602, 377}));
    EXPECT_EQ(engine.initialUrl, L"about:blank");
    EXPECT_TRUE(engine.dropDisabled);
    const std::wstring profile = plat::fake::BrowserProfileFolder();
    EXPECT_NE(profile.find(L"/zu_vazez/webkit/"), std::wstring::npos) << profile;

    // The forms place the view by its handle.
    MoveWindow(m_view.m_hWnd, 355, 244, 606, 394, 0);
    EXPECT_EQ(plat::fake::WindowState(m_view.m_hWnd)->width, 606);
}

// One engine event, or a Navigate of the view.
struct Step {
    enum Kind { kNavigate, kBefore, kComplete, kDocument, kError } kind;
    std::wstring url;
    int frame = 1;
    HRESULT status = E_FAIL;
};

struct Expected {
    UINT code;
    std::wstring url;
};

struct SequenceCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<Expected> notifications;
};

const std::wstring kA = L"http://127.0.0.1/login";
const std::wstring kB = L"http://127.0.0.1/next";

const SequenceCase kSequences[] = {
    {"InitialBlankIsNeverReportedEvenWhenItCompletesAfterNavigate",
     {{Step::kBefore, L"about:blank"},
      {Step::kNavigate, kA},
      {Step::kComplete, L"about:blank"},
      {Step::kDocument, L"about:blank"},
      {Step::kBefore, kA},
      {Step::kComplete, kA},
      {Step::kDocument, kA}},
     {{WEBNOTIFY_BEFORENAVIGATE, kA},
      {WEBNOTIFY_NAVIGATECOMPLETE, kA},
      {WEBNOTIFY_DOCUMENTCOMPLETE, kA}}},
    {"NavigateCompleteOncePerNavigateAndDocumentCompleteForEveryPageOfTheFrame",
     {{Step::kNavigate, kA},
      {Step::kComplete, kA},
      {Step::kDocument, kA},
      {Step::kBefore, kB},
      {Step::kComplete, kB},
      {Step::kDocument, kB},
      {Step::kNavigate, kA},
      {Step::kComplete, kA}},
     {{WEBNOTIFY_NAVIGATECOMPLETE, kA},
      {WEBNOTIFY_DOCUMENTCOMPLETE, kA},
      {WEBNOTIFY_BEFORENAVIGATE, kB},
      {WEBNOTIFY_DOCUMENTCOMPLETE, kB},
      {WEBNOTIFY_NAVIGATECOMPLETE, kA}}},
    {"BlankWithAFragmentIsNotBlank",
     {{Step::kNavigate, kA}, {Step::kComplete, L"about:blank#top"}, {Step::kComplete, kA}},
     {{WEBNOTIFY_NAVIGATECOMPLETE, kA}}},
    {"InnerFramesCompleteUnreported",
     {{Step::kNavigate, kA},
      {Step::kComplete, kA, 1},
      {Step::kDocument, L"http://ad/", 2},
      {Step::kDocument, kA, 1}},
     {{WEBNOTIFY_NAVIGATECOMPLETE, kA}, {WEBNOTIFY_DOCUMENTCOMPLETE, kA}}},
    {"DocumentOfThePreviousPageAfterNavigateIsUnreported",
     {{Step::kNavigate, kA}, {Step::kComplete, kA}, {Step::kNavigate, kB}, {Step::kDocument, kA}},
     {{WEBNOTIFY_NAVIGATECOMPLETE, kA}}},
    {"ScriptAndBlankPrefixesAreFilteredCaseSensitively",
     {{Step::kBefore, L"javascript:void(0)"},
      {Step::kBefore, L"about:blankety"},
      {Step::kBefore, L"JavaScript:go()"},
      {Step::kBefore, L"http://x/?javascript:1"}},
     {{WEBNOTIFY_BEFORENAVIGATE, L"JavaScript:go()"},
      {WEBNOTIFY_BEFORENAVIGATE, L"http://x/?javascript:1"}}},
    {"AbortedNavigationIsUnreportedAndKeepsTheAddress",
     {{Step::kNavigate, kA}, {Step::kError, kB, 1, E_ABORT}, {Step::kError, kB, 1, kNotFound}},
     {{WEBNOTIFY_NAVIGATEERROR, kB}}},
};

class Sequences : public BrowserViewTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(Sequences, ProduceTheirNotifications) {
    FakeBrowser& engine = Open();
    for (const Step& step : GetParam().steps) {
        switch (step.kind) {
            case Step::kNavigate:
                EXPECT_TRUE(m_view.Navigate(step.url));
                break;
            case Step::kBefore:
                EXPECT_FALSE(engine.RaiseBeforeNavigate(step.url));
                break;
            case Step::kComplete:
                engine.RaiseNavigateComplete(step.url, Frame(step.frame));
                break;
            case Step::kDocument:
                engine.RaiseDocumentComplete(step.url, Frame(step.frame));
                break;
            case Step::kError:
                EXPECT_EQ(engine.RaiseNavigateError(step.url, step.status), step.status != E_ABORT);
                break;
        }
    }
    const std::vector<Expected>& expected = GetParam().notifications;
    ASSERT_EQ(m_receiver.received.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Received& got = m_receiver.received[i];
        EXPECT_EQ(got.code, expected[i].code) << i;
        EXPECT_EQ(got.url, expected[i].url) << i;
        EXPECT_EQ(got.wParam, 0U) << i;
        EXPECT_EQ(got.lParam, reinterpret_cast<LPARAM>(&m_view)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(BrowserView, Sequences, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<SequenceCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(BrowserViewTest, ScrollBarsGoForEveryCompletedDocumentUnlessTurnedOff) {
    FakeBrowser& engine = Open();
    m_view.Navigate(kA);
    engine.RaiseNavigateComplete(kA, Frame(1));
    engine.RaiseDocumentComplete(L"http://ad/", Frame(2));
    engine.RaiseDocumentComplete(kA, Frame(1));
    EXPECT_EQ(engine.scrollBarsHidden, (std::vector<plat::BrowserFrame>{Frame(2), Frame(1)}));
    m_view.m_bHideScrollBars = false;
    engine.RaiseDocumentComplete(kA, Frame(1));
    EXPECT_EQ(engine.scrollBarsHidden.size(), 2U);
}

TEST_F(BrowserViewTest, AReceiverCancelsExactlyTheNavigationItMarks) {
    FakeBrowser& engine = Open();
    m_receiver.cancelMarker = L"wd_entergame=1";
    const std::wstring marked = L"http://127.0.0.1/go?wd_entergame=1";
    EXPECT_FALSE(engine.RaiseBeforeNavigate(kA));
    EXPECT_TRUE(engine.RaiseBeforeNavigate(marked));
    EXPECT_EQ(m_view.GetURL(), marked);
    // The flag lives for one navigation, filtered ones included.
    EXPECT_FALSE(engine.RaiseBeforeNavigate(L"javascript:void(0)"));
    EXPECT_FALSE(m_view.m_bCancelNavigation);
    EXPECT_FALSE(engine.RaiseBeforeNavigate(kB));
}

TEST_F(BrowserViewTest, WithoutHandlersNothingIsCancelledAndErrorPagesStillAre) {
    CBrowserView view;
    view.CreateBrowser(L"about:blank", m_parent, RECT{0, 0, 10, 10});
    FakeBrowser* engine = plat::fake::BrowserIn(view.m_hWnd);
    ASSERT_NE(engine, nullptr);
    EXPECT_FALSE(engine->RaiseBeforeNavigate(L"http://x/?wd_entergame=1"));
    EXPECT_TRUE(engine->RaiseNavigateError(kB, kNotFound));
    EXPECT_EQ(view.GetURL(), kB);
    DestroyWindow(view.m_hWnd);
}

TEST_F(BrowserViewTest, HandlersRunInRegistrationOrderAndSeeEachOthersChanges) {
    FakeBrowser& engine = Open();  // m_receiver first
    std::vector<std::string> order;
    Receiver first(m_view, &order, "first:");
    Receiver second(m_view, &order, "second:");
    first.cancelMarker = L"marker";
    m_view.m_webNotify.AddHandler(&first, &Receiver::OnWebNotify);
    m_view.m_webNotify.AddHandler(&second, &Receiver::OnWebNotify);
    m_view.m_webNotify.AddHandler(&second, &Receiver::OnWebNotify);  // twice: called twice

    EXPECT_TRUE(engine.RaiseBeforeNavigate(L"http://x/marker"));
    engine.RaiseTitleChange(L"标题");
    EXPECT_EQ(order, (std::vector<std::string>{"first:7", "second:7c", "second:7c", "first:9c",
                                               "second:9c", "second:9c"}));
    ASSERT_EQ(m_receiver.received.size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(first.received[i].lParam, m_receiver.received[i].lParam);
        EXPECT_EQ(second.received[2 * i].lParam, m_receiver.received[i].lParam);
    }
    EXPECT_EQ(second.titles, (std::vector<std::wstring>{L"标题", L"标题"}));
}

TEST_F(BrowserViewTest, TitleAndExternalObjectRequestsAreNotified) {
    FakeBrowser& engine = Open();
    engine.RaiseTitleChange(L"");
    engine.RaiseExternalRequested();
    ASSERT_EQ(m_receiver.Codes(),
              (std::vector<UINT>{WEBNOTIFY_TITLECHANGE, WEBNOTIFY_GETEXTERNAL}));
    EXPECT_EQ(m_receiver.titles, (std::vector<std::wstring>{L""}));
    EXPECT_NE(m_receiver.received[1].wParam, 0U);  // the out-slot
    EXPECT_EQ(m_receiver.received[1].lParam, reinterpret_cast<LPARAM>(&m_view));
}

TEST_F(BrowserViewTest, FailedNavigateKeepsTheAddressAndThePreviousTracking) {
    FakeBrowser& engine = Open();
    engine.refuseNavigation = true;
    EXPECT_FALSE(m_view.Navigate(kB));
    EXPECT_EQ(m_view.GetURL(), kB);
    EXPECT_EQ(engine.navigations, (std::vector<std::wstring>{kB}));
    engine.RaiseNavigateComplete(kB, Frame(1));
    EXPECT_TRUE(m_receiver.received.empty());  // no navigation pending

    CBrowserView unopened;
    EXPECT_FALSE(unopened.Navigate(kA));
    EXPECT_EQ(unopened.GetURL(), kA);
    unopened.Refresh();
    unopened.FocusDocument();
}

TEST_F(BrowserViewTest, RefreshAndFocusReachTheEngine) {
    FakeBrowser& engine = Open();
    m_view.Refresh();
    m_view.FocusDocument();
    SendMessageW(m_view.m_hWnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(engine.refreshes, 1);
    EXPECT_EQ(engine.focusRequests, 2);
}

struct PreTranslateCase {
    UINT message;
    int target;  // 0 the view, 1 a window inside it, 2 its parent
    bool offered;
};

TEST_F(BrowserViewTest, PreTranslateOffersKeyboardAndMouseMessagesInsideTheView) {
    FakeBrowser& engine = Open();
    HWND inner = CreateWindowExW(0, L"owner", L"", WS_CHILD, 0, 0, 5, 5, m_view.m_hWnd, nullptr,
                                 nullptr, nullptr);
    HWND innermost =
        CreateWindowExW(0, L"owner", L"", WS_CHILD, 0, 0, 5, 5, inner, nullptr, nullptr, nullptr);
    const HWND targets[] = {m_view.m_hWnd, innermost, m_parent};
    const PreTranslateCase cases[] = {
        {WM_KEYDOWN, 2, false},         {WM_KEYDOWN, 0, true},     {WM_CHAR, 1, true},
        {WM_KEYLAST, 0, true},          {WM_MOUSEMOVE, 0, true},   {WM_MOUSEHWHEEL, 1, true},
        {WM_MOUSEHWHEEL + 1, 0, false}, {WM_SYSCOMMAND, 0, false}, {WM_PAINT, 0, false},
    };
    for (bool consume : {false, true}) {
        engine.consumeMessages = consume;
        for (const PreTranslateCase& c : cases) {
            engine.offeredMessages.clear();
            MSG msg{targets[c.target], c.message, 0, 0, 0, POINT{0, 0}};
            EXPECT_EQ(m_view.PreTranslateMessage(&msg), c.offered && consume ? 1 : 0)
                << std::hex << c.message << " " << c.target;
            EXPECT_EQ(engine.offeredMessages.size(), c.offered ? 1U : 0U)
                << std::hex << c.message << " " << c.target;
        }
    }
}

TEST_F(BrowserViewTest, AReceiverMayCloseTheWindowDuringANotification) {
    FakeBrowser& engine = Open();
    m_receiver.closeOn = WEBNOTIFY_DOCUMENTCOMPLETE;
    m_view.Navigate(kA);
    engine.RaiseNavigateComplete(kA, Frame(1));
    engine.RaiseDocumentComplete(kA, Frame(1));  // the engine goes while it reports
    EXPECT_EQ(plat::fake::BrowserIn(m_view.m_hWnd), nullptr);
    EXPECT_FALSE(m_view.Navigate(kB));
    EXPECT_EQ(m_view.GetURL(), kB);
}

}  // namespace
