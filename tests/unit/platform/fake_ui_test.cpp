// The fake backend's own promises, where a slip would let form tests pass against behaviour
// that no real backend has.
#include "platform/fake/fake_ui.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fake = plat::fake;

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool windowExists;
};

std::vector<Received>& Log() {
    static std::vector<Received> log;
    return log;
}

RECT& LastPaintArea() {
    static RECT area;
    return area;
}

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().push_back({hwnd, message, wParam, lParam, IsWindow(hwnd) != 0});
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        LastPaintArea() = paint.rcPaint;
        EndPaint(hwnd, &paint);
    }
    return 0;
}

std::vector<UINT> MessagesReceived() {
    std::vector<UINT> messages;
    for (const Received& received : Log()) {
        messages.push_back(received.message);
    }
    return messages;
}

class FakeUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        Log().clear();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = L"TestForm";
        ASSERT_NE(RegisterClassExW(&windowClass), 0);
    }

    static HWND Create(DWORD style = WS_POPUP, DWORD exStyle = 0) {
        HWND hwnd = CreateWindowExW(exStyle, L"TestForm", L"", style, 10, 20, 300, 200, nullptr,
                                    nullptr, nullptr, nullptr);
        EXPECT_NE(hwnd, nullptr);
        return hwnd;
    }
};

TEST_F(FakeUiTest, WindowsAreToldOfTheirCreationAndDestructionWhileTheyExist) {
    HWND hwnd = Create();
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].message, WM_CREATE);
    EXPECT_EQ(Log()[0].hwnd, hwnd);
    EXPECT_TRUE(Log()[0].windowExists);
    EXPECT_FALSE(IsWindowVisible(hwnd));

    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(Log().back().message, WM_DESTROY);
    EXPECT_TRUE(Log().back().windowExists);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(DestroyWindow(hwnd));

    EXPECT_NE(Create(), hwnd) << "handles are never reused";
}

TEST_F(FakeUiTest, WmMoveArrivesBeforeTheCallReturnsAndOnlyWhenThePositionChanged) {
    struct Case {
        const char* name;
        int x;
        int y;
        UINT flags;
        bool moves;
    };
    const Case cases[] = {
        {"new position", 30, 40, SWP_NOSIZE, true},
        {"off the screen", -2000, -2000, SWP_NOSIZE | SWP_SHOWWINDOW, true},
        {"same position", 10, 20, SWP_NOSIZE, false},
        {"no move asked", 30, 40, SWP_NOMOVE | SWP_NOSIZE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = Create();
        Log().clear();
        SetWindowPos(hwnd, HWND_TOP, c.x, c.y, 0, 0, c.flags);
        std::vector<UINT> expected;
        if (c.moves) {
            expected.push_back(WM_MOVE);
        }
        EXPECT_EQ(MessagesReceived(), expected);
        if (c.moves) {
            EXPECT_EQ(Log()[0].lParam, MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)));
        }
        RECT rect;
        GetWindowRect(hwnd, &rect);
        EXPECT_EQ(rect.right - rect.left, 300) << "SWP_NOSIZE keeps the size";
        EXPECT_TRUE(fake::PendingMessages().empty());
    }
}

TEST_F(FakeUiTest, UpdateNowPaintsVisibleWindowsBeforeReturning) {
    HWND hwnd = Create(WS_POPUP | WS_VISIBLE);
    fake::PumpMessages();
    Log().clear();
    const RECT area{5, 6, 50, 60};

    RedrawWindow(hwnd, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(MessagesReceived(), std::vector<UINT>{WM_PAINT});
    EXPECT_EQ(LastPaintArea().left, 5);
    EXPECT_EQ(LastPaintArea().bottom, 60);

    RedrawWindow(hwnd, &area, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(Log().size(), 1u) << "nothing was invalid any more";
}

TEST_F(FakeUiTest, HiddenWindowsArePaintedOnlyOnceShownAndUpdated) {
    HWND hwnd = Create();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(fake::PumpMessages(), 0);
    EXPECT_FALSE(fake::Paint(hwnd));
    Log().clear();

    ShowWindow(hwnd, SW_SHOWNORMAL);
    EXPECT_TRUE(Log().empty());
    UpdateWindow(hwnd);
    EXPECT_EQ(MessagesReceived(), std::vector<UINT>{WM_PAINT});
    EXPECT_EQ(LastPaintArea().right, 300);
}

TEST_F(FakeUiTest, GetMessageNeverWaitsAndQuitComesAfterEveryPostedMessage) {
    HWND hwnd = Create();
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, 0u);

    std::thread worker([hwnd] { PostMessageW(hwnd, WM_USER + 1, 7, 0); });
    worker.join();
    PostQuitMessage(3);
    PostMessageW(hwnd, WM_USER + 2, 0, 0);

    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(msg.wParam, 7u);
    DispatchMessageW(&msg);
    EXPECT_EQ(Log().back().message, WM_USER + 1);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 2);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, 0u) << "the quit is returned once";
}

TEST_F(FakeUiTest, MessagesForDestroyedWindowsAreDropped) {
    HWND hwnd = Create();
    PostMessageW(hwnd, WM_USER, 0, 0);
    DestroyWindow(hwnd);
    Log().clear();
    EXPECT_EQ(fake::PumpMessages(), 1);
    EXPECT_TRUE(Log().empty());
}

TEST_F(FakeUiTest, MouseLeaveComesOnlyWhenTrackedAndOnce) {
    HWND hwnd = Create();
    EXPECT_FALSE(fake::LeaveWindow(hwnd));
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd, 500};
    TrackMouseEvent(&track);
    EXPECT_TRUE(fake::LeaveWindow(hwnd));
    EXPECT_EQ(Log().back().message, WM_MOUSELEAVE);
    EXPECT_FALSE(fake::LeaveWindow(hwnd));
    EXPECT_FALSE(fake::RestMouse(hwnd, 1, 1)) << "leaving ends hover tracking too";
}

struct Measure {
    int fontHeight;  // 0: no font selected
    const wchar_t* text;
    int length;
    int charWidth;
    LONG width;
    LONG height;
};

void PrintTo(const Measure& m, std::ostream* out) {
    *out << "font" << m.fontHeight << "_length" << m.length << "_char" << m.charWidth << "_width"
         << m.width;
}

class TextMeasureTest : public ::testing::TestWithParam<Measure> {};

TEST_P(TextMeasureTest, CharactersTimesWidthByFontHeight) {
    const Measure& m = GetParam();
    fake::Reset();
    fake::SetCharWidth(m.charWidth);
    HDC dc = GetDC(nullptr);
    if (m.fontHeight != 0) {
        SelectObject(dc,
                     CreateFontW(m.fontHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Face"));
    }
    RECT rect{100, 50, 101, 51};
    EXPECT_EQ(DrawTextW(dc, m.text, m.length, &rect, DT_CALCRECT | DT_SINGLELINE), m.height);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right, 100 + m.width);
    EXPECT_EQ(rect.bottom, 50 + m.height);
    EXPECT_TRUE(fake::DrawOps(dc).empty()) << "measuring draws nothing";
}

INSTANTIATE_TEST_SUITE_P(Rule, TextMeasureTest,
                         ::testing::Values(Measure{0, L"abc", -1, 10, 30, 16},
                                           Measure{-12, L"abc", -1, 10, 30, 12},
                                           Measure{20, L"攻略", -1, 10, 20, 20},
                                           Measure{20, L"abcdef", 2, 7, 14, 20},
                                           Measure{20, L"", -1, 10, 0, 20}));

TEST(FakePaintTest, RestoreDcBringsBackFontColourAndBackgroundMode) {
    fake::Reset();
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 1, 0, 0, 0, 0, 0, FF_SWISS, L"Face");
    SetTextColor(dc, RGB(1, 2, 3));
    const int outer = SaveDC(dc);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SaveDC(dc);
    SetTextColor(dc, RGB(9, 9, 9));
    SetBkMode(dc, OPAQUE);
    RECT rect{0, 0, 10, 10};

    ASSERT_TRUE(RestoreDC(dc, -1));
    DrawTextW(dc, L"inner", -1, &rect, DT_LEFT);
    ASSERT_TRUE(RestoreDC(dc, outer));
    DrawTextW(dc, L"outer", -1, &rect, DT_LEFT);
    EXPECT_FALSE(RestoreDC(dc, -1)) << "no saved state is left";

    const std::vector<fake::DrawOp> ops = fake::DrawOps(dc);
    ASSERT_EQ(ops.size(), 2u);
    ASSERT_TRUE(ops[0].font.has_value());
    EXPECT_EQ(ops[0].font->face, L"Face");
    EXPECT_EQ(ops[0].font->height, -14);
    EXPECT_TRUE(ops[0].font->underline);
    EXPECT_EQ(ops[0].textColor, RGB(1, 2, 3));
    EXPECT_EQ(ops[0].bkMode, TRANSPARENT);
    EXPECT_FALSE(ops[1].font.has_value());
    EXPECT_EQ(ops[1].textColor, RGB(1, 2, 3));
    EXPECT_EQ(ops[1].bkMode, OPAQUE);
}

// One pixel as B, G, R, A.
using Pixel = std::vector<std::uint8_t>;

struct BlendCase {
    const char* name;
    Pixel source;  // premultiplied
    Pixel dest;
    BYTE constantAlpha;
    Pixel expected;
};

void PrintTo(const BlendCase& c, std::ostream* out) {
    *out << c.name;
}

class AlphaBlendTest : public ::testing::TestWithParam<BlendCase> {};

HDC MemoryDcWith(const Pixel& pixel) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, plat::CreateBitmapFromBgra({1, 1, pixel}));
    return dc;
}

TEST_P(AlphaBlendTest, PremultipliedSourceOver) {
    const BlendCase& c = GetParam();
    fake::Reset();
    HDC source = MemoryDcWith(c.source);
    HDC dest = MemoryDcWith(c.dest);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, c.constantAlpha, AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(dest, 0, 0, 1, 1, source, 0, 0, 1, 1, blend));

    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = L"Layered";
    RegisterClassExW(&windowClass);
    HWND hwnd = CreateWindowExW(WS_EX_LAYERED, L"Layered", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    POINT origin{0, 0};
    SIZE size{1, 1};
    BLENDFUNCTION shown{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(
        UpdateLayeredWindow(hwnd, nullptr, &origin, &size, dest, &origin, 0, &shown, ULW_ALPHA));
    const std::optional<fake::LayeredUpdate> update = fake::LastLayeredUpdate(hwnd);
    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->pixels.pixels, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, AlphaBlendTest,
    ::testing::Values(
        BlendCase{"opaque", {10, 20, 30, 255}, {200, 200, 200, 255}, 255, {10, 20, 30, 255}},
        BlendCase{"transparent", {0, 0, 0, 0}, {200, 100, 50, 255}, 255, {200, 100, 50, 255}},
        BlendCase{"half_on_empty", {64, 64, 64, 128}, {0, 0, 0, 0}, 255, {64, 64, 64, 128}},
        BlendCase{
            "half_over_opaque", {64, 0, 0, 128}, {200, 200, 200, 255}, 255, {164, 100, 100, 255}},
        BlendCase{"constant_alpha", {200, 0, 0, 255}, {0, 0, 0, 0}, 128, {100, 0, 0, 128}}));

}  // namespace
