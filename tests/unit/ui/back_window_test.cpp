#include <gtest/gtest.h>

#include "app/AppMessages.h"
#include "app/GlobalModule.h"
#include "ui/FormFixture.h"
#include "ui/Placement.h"
#include "ui/PngResource.h"

namespace fake = plat::fake;

namespace {

TEST(Premultiply, ColourTimesAlphaRounded) {
    plat::ImageBgra image{4, 1, {
        10, 20, 30, 0,        // transparent becomes black transparent
        10, 20, 30, 255,      // opaque keeps its colour
        128, 128, 128, 128,   // mid-grey at half alpha
        255, 255, 255, 1,
    }};
    PremultiplyBgra(image);
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{0, 0, 0, 0, 10, 20, 30, 255, 64, 64, 64, 128,
                                                       1, 1, 1, 1}));
}

class Placement : public FormFixture {
protected:
    void TearDown() override {
        g_module.m_nTopMost = 0;
        FormFixture::TearDown();
    }
    fake::Call LastPosition() { return fake::CallsTo("SetWindowPos").back(); }

    CKXForm m_form;
};

TEST_F(Placement, CentredOnTheWorkAreaWithoutItsOrigin) {
    Open(m_form, 1024, 700);
    const struct {
        RECT work;
        int x, y;
    } cases[] = {
        {{0, 0, 1920, 1040}, 448, 170},
        {{100, 0, 1920, 1080}, 448, 190},  // task bar on the left: its width is not added
        {{0, 0, 1000, 600}, -12, -50},     // a screen smaller than the window
    };
    for (const auto& c : cases) {
        fake::SetWorkArea(c.work);
        ShowFormCentered(m_form, false);
        EXPECT_EQ(LastPosition().x, c.x);
        EXPECT_EQ(LastPosition().y, c.y);
        EXPECT_EQ(LastPosition().flags, 0x49u);
    }
    ShowFormCentered(m_form, true);
    EXPECT_EQ(LastPosition().flags, 0x4Bu);
    EXPECT_EQ(fake::CallsTo("ShowWindow").back().command, SW_SHOWNORMAL);
    const DWORD exStyle = fake::WindowState(m_form.GetHwnd())->exStyle;
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_APPWINDOW);
}

TEST_F(Placement, TopMostOnlyForTheValueOne) {
    Open(m_form, 1024, 700);
    for (int topMost : {0, 1, 2}) {
        g_module.m_nTopMost = topMost;
        PlaceHidden(m_form);
        EXPECT_EQ(LastPosition().insertAfter, topMost == 1 ? HWND_TOPMOST : HWND_TOP);
        EXPECT_EQ(LastPosition().x, -2000);
        EXPECT_EQ(LastPosition().y, -2000);
        EXPECT_EQ(LastPosition().flags, 0x41u);
        EXPECT_NE(fake::WindowState(m_form.GetHwnd())->exStyle & WS_EX_TOOLWINDOW, 0u);
        ShowFormCentered(m_form, false);
        EXPECT_EQ(LastPosition().insertAfter, topMost == 1 ? HWND_TOPMOST : HWND_TOP);
        EXPECT_EQ((fake::WindowState(m_form.GetHwnd())->exStyle & WS_EX_TOPMOST) != 0, topMost == 1);
        SetWindowLongW(m_form.GetHwnd(), GWL_EXSTYLE, 0);
    }
}

// A stand-in for the login window, recording what the background window sends it.
class LoginStandIn : public CKXForm {
public:
    LRESULT WindowProc(HWND, UINT message, WPARAM, LPARAM) override {
        m_received.push_back(message);
        return message == WM_CONFIRM_EXIT ? 0 : 1;
    }
    std::vector<UINT> m_received;
};

class BackWindow : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        std::copy_n(kClassName, std::wcslen(kClassName) + 1, g_module.m_szWindowClass);
        Open(m_login, 1024, 700);
        m_saved = g_module.m_formLogin.m_hWnd;
        g_module.m_formLogin.m_hWnd = m_login.GetHwnd();
        g_module.m_formBack.m_hWnd = nullptr;
        g_module.m_formBack.SetRect(RECT{0, 0, 1024, 700});
    }
    void TearDown() override {
        g_module.m_formLogin.m_hWnd = m_saved;
        FormFixture::TearDown();
        g_module.m_formBack.Close();
        g_module.m_formBack.m_hWnd = nullptr;
    }
    HWND Back() { return g_module.m_formBack.GetHwnd(); }

    LoginStandIn m_login;
    HWND m_saved = nullptr;
};

TEST_F(BackWindow, CreatedLayeredWithThePremultipliedArtwork) {
    plat::ImageBgra art{2, 1, {200, 100, 50, 128, 10, 20, 30, 255}};
    fake::RegisterPng(170, art);
    g_module.m_nTopMost = 1;
    ASSERT_TRUE(g_module.m_formBack.OnCreate());
    g_module.m_nTopMost = 0;
    Route(g_module.m_formBack);
    const fake::WindowInfo info = *fake::WindowState(Back());
    EXPECT_EQ(info.style, (WS_POPUP & 0x7F30FF7F) | 0x000A0000u);
    EXPECT_EQ(info.exStyle, WS_EX_LAYERED | WS_EX_TOPMOST);
    const std::optional<fake::LayeredUpdate> update = fake::LastLayeredUpdate(Back());
    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->flags, ULW_ALPHA);
    EXPECT_EQ(update->blend.AlphaFormat, AC_SRC_ALPHA);
    EXPECT_EQ(update->blend.SourceConstantAlpha, 255);
    ASSERT_TRUE(update->position.has_value());
    EXPECT_EQ(update->position->x, 0);
    EXPECT_EQ(update->pixels.width, 1024);
    const std::vector<std::uint8_t> firstPixels(update->pixels.pixels.begin(),
                                                update->pixels.pixels.begin() + 8);
    EXPECT_EQ(firstPixels, (std::vector<std::uint8_t>{100, 50, 25, 128, 10, 20, 30, 255}));
    EXPECT_EQ(fake::LiveGdiObjects(), 0u);  // every bitmap and context of the painting is gone
}

TEST_F(BackWindow, KeepsTheLoginWindowWithItAndAsksItBeforeQuitting) {
    ASSERT_TRUE(g_module.m_formBack.OnCreate());
    Route(g_module.m_formBack);
    fake::ClearCalls();
    SetWindowPos(Back(), nullptr, 300, 200, 0, 0, SWP_NOSIZE);  // WM_MOVE follows
    fake::Call follow = fake::CallsTo("SetWindowPos").back();
    EXPECT_EQ(follow.hwnd, m_login.GetHwnd());
    EXPECT_EQ(follow.x, 300);
    EXPECT_EQ(follow.y, 200);
    EXPECT_EQ(follow.flags, SWP_NOSIZE | SWP_NOACTIVATE);

    fake::ClearCalls();
    fake::SendMouse(Back(), WM_RBUTTONDOWN, 5, 5);
    ASSERT_EQ(fake::CallsTo("SetWindowPos").size(), 1u);
    EXPECT_EQ(fake::CallsTo("SetWindowPos")[0].flags, SWP_NOSIZE);
    EXPECT_EQ(fake::CallsTo("ReleaseCapture").size(), 1u);
    ASSERT_EQ(fake::CallsTo("DefWindowProcW").size(), 1u);
    EXPECT_EQ(fake::CallsTo("DefWindowProcW")[0].wParam, 0xF012u);

    EXPECT_EQ(SendMessageW(Back(), WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(m_login.m_received.back(), WM_CONFIRM_EXIT);
    EXPECT_FALSE(fake::WindowState(Back())->destroyed);

    DestroyWindow(Back());
    EXPECT_EQ(fake::PendingQuit(), 0);
}

}  // namespace
