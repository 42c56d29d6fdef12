// The toolkit on the real GTK backend, under a private Xvfb display: what a person would see and
// where their clicks go.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/GlobalModule.h"
#include "platform/resources.h"
#include "support/Pump.h"
#include "support/TestDisplay.h"
#include "support/XvfbDisplay.h"
#include "ui/Bitmaps.h"
#include "ui/KXButton.h"
#include "ui/KXImage.h"
#include "ui/Placement.h"

CGlobalModule g_module;

namespace {

using testing_support::Pump;
using testing_support::Xdotool;

std::uint32_t ScreenPixel(int x, int y) {
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
    const guchar* p = gdk_pixbuf_read_pixels(shot);
    const std::uint32_t rgb = static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
    g_object_unref(shot);
    return rgb;
}

// A form that records what reached it.
class TestForm : public CKXForm {
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LBUTTONDOWN) {
            ++m_buttonDowns;
        }
        if (CKXForm::WindowProc(hWnd, message, wParam, lParam) == 0) {
            return 0;
        }
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    bool OnLButtonUp(WPARAM wParam, POINT* pt) override {
        if (CKXBaseControl* hit = HitTest(*pt); hit != nullptr) {
            hit->OnLButtonUp(wParam, pt);
            m_clicked.push_back(hit);
        }
        return true;
    }
    void Open(const RECT& screen, bool keyed) {
        SetRect(RECT{0, 0, screen.right - screen.left, screen.bottom - screen.top});
        Create(L"test", L"test", nullptr);
        if (keyed) {
            SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_LAYERED);
            SetLayeredWindowAttributes(m_hWnd, kColorKey, 0, LWA_COLORKEY);
        }
    }
    void Show(const RECT& screen) {
        SetWindowPos(m_hWnd, HWND_TOP, screen.left, screen.top, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
        UpdateWindow(m_hWnd);
    }

    int m_buttonDowns = 0;
    std::vector<CKXBaseControl*> m_clicked;
};

std::vector<CKXForm*> g_forms;

LRESULT RouteToForms(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (CKXForm* form : g_forms) {
        if (form->GetHwnd() == hWnd) {
            return form->WindowProc(hWnd, message, wParam, lParam);
        }
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

class GtkToolkit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_display = testing_support::OpenTestDisplay(L"test", RouteToForms, CS_DBLCLKS);
        g_module.m_szWindowClass[0] = L't';
        g_module.m_szWindowClass[1] = L'e';
        g_module.m_szWindowClass[2] = L's';
        g_module.m_szWindowClass[3] = L't';
    }
    static void TearDownTestSuite() { s_display.reset(); }
    // Forms and controls live in the fixture, so that the windows close before they go.
    void TearDown() override {
        for (CKXForm* form : g_forms) {
            form->Close();
        }
        g_forms.clear();
        Pump(50);
    }

    TestForm m_lower;
    TestForm m_upper;
    CKXImage m_upperBack;
    CKXButton m_button;

    static std::unique_ptr<testing_support::XvfbDisplay> s_display;
};

std::unique_ptr<testing_support::XvfbDisplay> GtkToolkit::s_display;

TEST_F(GtkToolkit, ButtonShowsAtItsPlaceAndFollowsTheMouse) {
    TestForm& form = m_upper;
    CKXImage& back = m_upperBack;
    CKXButton& button = m_button;
    g_forms.push_back(&form);
    const RECT screen{100, 100, 400, 300};
    form.Open(screen, false);
    back.LoadFromResource(nullptr, 136);
    back.SetRect(RECT{0, 0, 300, 200});
    form.AddControl(&back);
    button.LoadBitmaps(nullptr, 172, 176, 176);
    button.SetRect(RECT{50, 50, 156, 98});
    form.AddControl(&button);
    form.Show(screen);
    Xdotool("mousemove 10 10");
    Pump(300);

    // The button's pixels, not the key-coloured background, at its place.
    const int cx = 100 + 50 + 53;
    const int cy = 100 + 50 + 24;
    const std::uint32_t normal = ScreenPixel(cx, cy);
    EXPECT_NE(ScreenPixel(100 + 20, 100 + 20), normal);
    EXPECT_EQ(ScreenPixel(100 + 20, 100 + 20), 0xFF80FFu);  // the opaque background is the key
    std::vector<std::uint32_t> before;
    for (int x = 0; x < 106; x += 3) {
        before.push_back(ScreenPixel(150 + x, cy));
    }

    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(cx) + " " + std::to_string(cy)));
    Pump(300);
    EXPECT_EQ(button.m_nState, 1);
    std::vector<std::uint32_t> hovered;
    for (int x = 0; x < 106; x += 3) {
        hovered.push_back(ScreenPixel(150 + x, cy));
    }
    EXPECT_NE(hovered, before);

    ASSERT_TRUE(Xdotool("click 1"));
    Pump(300);
    ASSERT_EQ(form.m_clicked.size(), 1u);
    EXPECT_EQ(form.m_clicked[0], &button);
    EXPECT_EQ(button.m_nState, 3);

    ASSERT_TRUE(Xdotool("mousemove 600 600"));  // leaving the window resets the button
    Pump(400);
    EXPECT_EQ(button.m_nState, 0);
    std::vector<std::uint32_t> after;
    for (int x = 0; x < 106; x += 3) {
        after.push_back(ScreenPixel(150 + x, cy));
    }
    EXPECT_EQ(after, before);
}

TEST_F(GtkToolkit, KeyColouredPixelsLetClicksThroughToTheWindowBeneath) {
    TestForm& beneath = m_lower;
    TestForm& keyed = m_upper;
    CKXImage& keyedBack = m_upperBack;
    CKXButton& button = m_button;
    g_forms.push_back(&beneath);
    g_forms.push_back(&keyed);
    const RECT screen{200, 200, 500, 400};
    beneath.Open(screen, false);
    beneath.Show(screen);
    keyed.Open(screen, true);
    keyedBack.LoadFromResource(nullptr, 136);
    keyedBack.SetRect(RECT{0, 0, 300, 200});
    keyed.AddControl(&keyedBack);
    button.LoadBitmaps(nullptr, 172, 176, 176);
    button.SetRect(RECT{10, 10, 116, 58});
    keyed.AddControl(&button);
    keyed.Show(screen);
    Pump(300);

    ASSERT_TRUE(Xdotool("mousemove 450 350 click 1"));  // over the key colour
    Pump(300);
    EXPECT_EQ(beneath.m_buttonDowns, 1);
    EXPECT_EQ(keyed.m_buttonDowns, 0);

    ASSERT_TRUE(Xdotool("mousemove 260 230 click 1"));  // over the button
    Pump(300);
    EXPECT_EQ(keyed.m_buttonDowns, 1);
    EXPECT_EQ(beneath.m_buttonDowns, 1);
}

TEST_F(GtkToolkit, BackgroundWindowShowsTheArtworkWithItsTransparentMargins) {
    g_forms.push_back(&g_module.m_formBack);
    g_module.m_formBack.SetRect(RECT{0, 0, 1024, 700});
    ASSERT_TRUE(g_module.m_formBack.OnCreate());
    ShowFormCentered(g_module.m_formBack, false);
    Pump(400);

    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(170), L"PNG");
    ASSERT_NE(resource, nullptr);
    plat::ImageBgra art = plat::DecodePng(LockResource(LoadResource(nullptr, resource)),
                                          SizeofResource(nullptr, resource));
    ASSERT_EQ(art.width, 1024);
    ASSERT_EQ(art.height, 700);
    // Centred on the 1280 x 1024 screen: (128, 162).
    const int left = (1280 - 1024) / 2;
    const int top = (1024 - 700) / 2;
    int opaqueChecked = 0;
    int clearChecked = 0;
    for (int y = 5; y < 700; y += 97) {
        for (int x = 3; x < 1024; x += 101) {
            const std::uint8_t* p = &art.pixels[(static_cast<std::size_t>(y) * 1024 + x) * 4];
            const std::uint32_t shown = ScreenPixel(left + x, top + y);
            if (p[3] == 255) {
                EXPECT_EQ(shown, static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0])
                    << x << "," << y;
                ++opaqueChecked;
            } else if (p[3] == 0) {
                EXPECT_EQ(shown, 0u) << x << "," << y;  // the empty screen shows through
                ++clearChecked;
            }
        }
    }
    EXPECT_GT(opaqueChecked, 0);
    EXPECT_GT(clearChecked, 0);
}

}  // namespace
