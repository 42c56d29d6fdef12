#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/FormFixture.h"
#include "ui/KXButton.h"

namespace fake = plat::fake;

namespace {

// A control that records the mouse moves it receives, in one log shared by all of them.
class RecordingControl : public CKXBaseControl {
public:
    RecordingControl(std::vector<std::string>* log, std::string name)
        : m_log(log), m_name(std::move(name)) {}
    bool OnMouseMove(WPARAM, POINT*) override {
        m_log->push_back(m_name);
        return true;
    }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

class UnclosableForm : public CKXForm {
public:
    bool CanClose() override { return false; }
};

class Form : public FormFixture {
protected:
    LRESULT Send(UINT message, int x, int y) { return fake::SendMouse(m_form.GetHwnd(), message, x, y); }

    CKXForm m_form;
    UnclosableForm m_stubborn;
    std::vector<std::string> m_moves;
    RecordingControl m_a{&m_moves, "a"};
    RecordingControl m_b{&m_moves, "b"};
    RecordingControl m_c{&m_moves, "c"};
};

TEST_F(Form, HitTestCountsLeftAndTopEdgesInAndTheLaterControlOnTop) {
    Open(m_form, 300, 200);
    m_a.SetRect(RECT{10, 10, 50, 50});
    m_b.SetRect(RECT{40, 40, 80, 80});  // overlaps a at (40..50, 40..50)
    m_form.AddControl(&m_a);
    m_form.AddControl(&m_b);
    const struct {
        POINT pt;
        CKXBaseControl* hit;
    } cases[] = {
        {{10, 10}, &m_a}, {{49, 49}, &m_b}, {{45, 20}, &m_a}, {{50, 20}, nullptr},
        {{20, 50}, nullptr}, {{79, 79}, &m_b}, {{80, 60}, nullptr}, {{9, 10}, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_form.HitTest(c.pt), c.hit) << c.pt.x << "," << c.pt.y;
    }
    EXPECT_EQ(m_a.m_hWndOwner, m_form.GetHwnd());
}

TEST_F(Form, MouseMoveTellsTheOthersFirstAndTheHitControlLast) {
    Open(m_form, 300, 200);
    m_a.SetRect(RECT{0, 0, 100, 100});
    m_b.SetRect(RECT{50, 50, 150, 150});
    m_c.SetRect(RECT{200, 0, 250, 50});
    for (CKXBaseControl* control : {static_cast<CKXBaseControl*>(&m_a), static_cast<CKXBaseControl*>(&m_b),
                                    static_cast<CKXBaseControl*>(&m_c)}) {
        m_form.AddControl(control);
    }
    POINT overlap{60, 60};
    EXPECT_TRUE(m_form.OnMouseMove(0, &overlap));
    // c does not hold the point; a holds it under b and hears nothing; b is hit.
    EXPECT_EQ(m_moves, (std::vector<std::string>{"c", "b"}));

    m_moves.clear();
    POINT empty{280, 180};
    EXPECT_FALSE(m_form.OnMouseMove(0, &empty));
    EXPECT_EQ(m_moves, (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(Form, LeavingResetsButtonsAndTheNextMoveTracksAgain) {
    Open(m_form, 300, 200);
    fake::RegisterBitmap(172, 106, 48);
    fake::RegisterBitmap(176, 106, 48);
    CKXButton button;
    button.LoadBitmaps(nullptr, 172, 176, 176);
    button.SetRect(RECT{50, 50, 156, 98});
    m_form.AddControl(&button);
    ShowWindow(m_form.GetHwnd(), SW_SHOWNORMAL);

    EXPECT_EQ(Send(WM_MOUSEMOVE, 60, 60), 0);
    Send(WM_MOUSEMOVE, 70, 60);
    EXPECT_EQ(button.m_nState, 1);
    ASSERT_EQ(fake::CallsTo("TrackMouseEvent").size(), 1u);  // once until the mouse leaves
    EXPECT_EQ(fake::CallsTo("TrackMouseEvent")[0].hoverTime, 500u);
    EXPECT_EQ(fake::CallsTo("TrackMouseEvent")[0].flags, TME_HOVER | TME_LEAVE);

    ASSERT_TRUE(fake::LeaveWindow(m_form.GetHwnd()));
    EXPECT_EQ(button.m_nState, 0);
    EXPECT_FALSE(m_form.m_bTracking);
    Send(WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(fake::CallsTo("TrackMouseEvent").size(), 2u);
}

TEST_F(Form, WindowProcConventionsCloseAndCreateOnce) {
    UnclosableForm& stubborn = m_stubborn;
    Open(stubborn, 100, 100);
    HWND first = stubborn.GetHwnd();
    EXPECT_TRUE(stubborn.Create(kClassName, L"again", nullptr));
    EXPECT_EQ(stubborn.GetHwnd(), first);
    EXPECT_EQ(fake::AllWindows().size(), 1u);
    EXPECT_EQ(fake::WindowState(first)->text, L"Velkora");
    EXPECT_EQ(fake::WindowState(first)->style, WS_POPUP);

    EXPECT_EQ(stubborn.WindowProc(first, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(fake::WindowState(first)->destroyed);
    EXPECT_EQ(stubborn.WindowProc(first, WM_SIZE, 0, 0), 1);

    Open(m_form, 100, 100);
    EXPECT_EQ(m_form.WindowProc(m_form.GetHwnd(), WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(fake::WindowState(m_form.GetHwnd())->destroyed);
    EXPECT_NE(m_form.GetHwnd(), nullptr);  // the handle is kept
}

TEST_F(Form, MousePointsAreUnsignedHalvesOfLParam) {
    Open(m_form, 300, 200);
    m_a.SetRect(RECT{65530, 65530, 65536, 65536});
    m_form.AddControl(&m_a);
    // A point left of and above the window arrives as large unsigned coordinates.
    m_form.WindowProc(m_form.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(65534, 65535));
    EXPECT_EQ(m_moves, (std::vector<std::string>{"a"}));
}

}  // namespace
