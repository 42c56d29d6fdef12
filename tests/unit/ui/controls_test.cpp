#include <gtest/gtest.h>

#include "ui/FormFixture.h"
#include "ui/KXButton.h"
#include "ui/KXImage.h"
#include "ui/KXLabel.h"

namespace fake = plat::fake;

namespace {

class Controls : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        fake::SetCharWidth(10);
        Open(m_form, 600, 200);
        ShowWindow(m_form.GetHwnd(), SW_SHOWNORMAL);
    }
    // The texts drawn on the form since the last call.
    std::vector<fake::DrawOp> Drawn(const std::string& kind) {
        std::vector<fake::DrawOp> ops;
        for (const fake::DrawOp& op : fake::DrawOps(m_form.GetHwnd())) {
            if (op.kind == kind) {
                ops.push_back(op);
            }
        }
        fake::ClearDrawOps();
        return ops;
    }
    void Paint() { ASSERT_TRUE(fake::Paint(m_form.GetHwnd())); }

    CKXForm m_form;
};

TEST_F(Controls, LabelWidthAndShortening) {
    const struct {
        const char* name;
        std::wstring text;
        bool autoWidth;
        int maxWidth;
        LONG right;  // of a box starting at 100 (fixed boxes end at 200)
        std::wstring shown;
    } cases[] = {
        {"automatic, no maximum, never shortened", std::wstring(40, L'x'), true, 0, 500,
         std::wstring(40, L'x')},
        {"automatic, capped", L"abcdefghijklmno", true, 100, 200, L"abcdef..."},
        {"automatic, under the cap", L"abcdefgh", true, 100, 180, L"abcdefgh"},
        {"fixed box fits", L"abcdefghij", false, 0, 200, L"abcdefghij"},
        {"fixed box too small", L"abcdefghijk", false, 0, 200, L"abcdef..."},
        {"empty text", L"", true, 0, 100, L""},
    };
    for (const auto& c : cases) {
        CKXLabel label;
        label.SetRect(RECT{100, 10, 200, 40});
        label.SetAutoWidth(c.autoWidth, c.maxWidth);
        label.SetText(c.text, false);
        m_form.m_children.assign(1, &label);
        label.SetOwner(m_form.GetHwnd());
        fake::ClearDrawOps();
        Paint();
        EXPECT_EQ(label.GetRect().right, c.right) << c.name;
        std::vector<fake::DrawOp> texts = Drawn("DrawText");
        ASSERT_EQ(texts.size(), 1u) << c.name;
        EXPECT_EQ(texts[0].text, c.shown) << c.name;
        m_form.m_children.clear();
    }
}

TEST_F(Controls, ABoxTooNarrowEvenForTheDotsShowsTheDots) {
    CKXLabel label;
    label.SetAutoWidth(false, 0);
    label.SetRect(RECT{0, 0, 20, 20});
    label.SetText(L"abcdef", false);
    m_form.AddControl(&label);
    Paint();
    EXPECT_EQ(Drawn("DrawText").at(0).text, L"...");
}

TEST_F(Controls, LabelLookIsVerticallyCentredInItsOwnFont) {
    CKXLabel label;
    m_form.AddControl(&label);
    label.SetRect(RECT{498, 428, 818, 454});
    label.SetTextColor(0x00FFFF, false);
    label.SetUnderline(true, false);
    label.SetFontHeight(26, true);
    label.SetText(L"abc", true);
    std::vector<fake::DrawOp> texts = Drawn("DrawText");
    ASSERT_FALSE(texts.empty());
    const fake::DrawOp& last = texts.back();
    ASSERT_TRUE(last.font.has_value());
    EXPECT_EQ(last.font->face, L"微软雅黑");
    EXPECT_EQ(last.font->height, 26);
    EXPECT_TRUE(last.font->underline);
    EXPECT_EQ(last.textColor, 0x00FFFFu);
    EXPECT_EQ(last.bkMode, TRANSPARENT);
    EXPECT_EQ(last.dest.top, 428);  // the box is exactly the font's height
    EXPECT_EQ(last.dest.bottom, 454);
}

TEST_F(Controls, SettersThatChangeNothingDoNotRepaint) {
    CKXLabel label;
    m_form.AddControl(&label);
    label.SetRect(RECT{0, 0, 100, 20});
    fake::ClearCalls();
    label.SetTextColor(0xFFFFFF, true);  // the current colour
    label.SetBold(false, true);          // the current weight
    EXPECT_TRUE(fake::CallsTo("RedrawWindow").empty());
    EXPECT_FALSE(label.m_bFontDirty);
    label.SetBold(true, true);
    EXPECT_EQ(fake::CallsTo("RedrawWindow").size(), 1u);
    EXPECT_EQ(label.m_nWeight, FW_BOLD);
}

class Buttons : public Controls {
protected:
    void SetUp() override {
        Controls::SetUp();
        for (int id : {141, 160, 143, 162}) {
            fake::RegisterBitmap(id, 32, 28);
        }
        m_button.LoadBitmaps(nullptr, 141, 160, 160);
        m_button.m_hBmpAltNormal = LoadBitmapW(nullptr, MAKEINTRESOURCEW(143));
        m_button.m_hBmpAltHover = LoadBitmapW(nullptr, MAKEINTRESOURCEW(162));
        m_button.m_hBmpAltPressed = LoadBitmapW(nullptr, MAKEINTRESOURCEW(162));
        m_button.SetRect(RECT{100, 1, 132, 29});
        m_form.AddControl(&m_button);
        fake::ClearDrawOps();
    }
    int ShownId() {
        std::vector<fake::DrawOp> blits = Drawn("TransparentBlt");
        return blits.empty() ? 0 : blits.back().sourceId;
    }

    CKXButton m_button;
};

TEST_F(Buttons, StatesFollowTheMouseAndRepaintAtOnce) {
    EXPECT_EQ(m_button.GetClassName(), L"CKXButton");
    EXPECT_EQ(m_button.GetBitmapWidth(), 32);
    POINT inside{110, 10};
    POINT outside{300, 10};
    const struct {
        const char* event;
        int state;
        int shown;
    } steps[] = {{"move in", 1, 160}, {"down", 2, 160}, {"up", 3, 160}, {"move out", 0, 141}};
    for (const auto& step : steps) {
        const std::string event = step.event;
        if (event == "move in") {
            m_button.OnMouseMove(0, &inside);
        } else if (event == "down") {
            m_button.OnLButtonDown(0, &inside);
        } else if (event == "up") {
            m_button.OnLButtonUp(0, &inside);
        } else {
            m_button.OnMouseMove(0, &outside);
        }
        EXPECT_EQ(m_button.m_nState, step.state) << step.event;
        EXPECT_EQ(ShownId(), step.shown) << step.event;
    }
    m_button.SetState(4);
    const fake::DrawOp keyed = Drawn("TransparentBlt").back();
    EXPECT_EQ(keyed.key, 0xFF80FFu);
    EXPECT_EQ(keyed.dest.right, 132);
}

TEST_F(Buttons, SameStateDoesNotRepaintAndStateFourSwitchesTheSet) {
    POINT inside{110, 10};
    m_button.OnMouseMove(0, &inside);
    fake::ClearCalls();
    m_button.SetState(1);
    EXPECT_TRUE(fake::CallsTo("RedrawWindow").empty());

    m_button.m_bAltBitmaps = true;
    m_button.SetState(4);
    EXPECT_EQ(m_button.m_nState, 1);
    EXPECT_EQ(ShownId(), 162);  // the alternate hover bitmap
    m_button.SetState(4);
    EXPECT_EQ(fake::CallsTo("RedrawWindow").size(), 2u);  // 4 always repaints
}

TEST_F(Buttons, MissingBitmapsDrawNothingAndMeasureZero) {
    CKXButton missing;
    missing.LoadBitmaps(nullptr, 999, 998, 998);
    missing.SetRect(RECT{0, 0, 10, 10});
    m_form.AddControl(&missing);
    Paint();
    EXPECT_EQ(missing.GetBitmapWidth(), 0);
    EXPECT_EQ(missing.GetBitmapHeight(), 0);
    for (const fake::DrawOp& op : Drawn("TransparentBlt")) {
        EXPECT_NE(op.dest.right, 10);
    }
}

TEST_F(Controls, ImagesStretchKeyedOrOpaqueFromTheOrigin) {
    fake::RegisterBitmap(148, 65, 38);
    fake::RegisterBitmap(136, 29, 30);
    CKXImage strip;
    CKXImage back;
    ASSERT_TRUE(strip.LoadFromResource(nullptr, 148));
    strip.m_bTransparent = true;
    strip.SetRect(RECT{0, 0, 600, 38});
    ASSERT_TRUE(back.LoadFromResource(nullptr, 136));
    back.SetRect(RECT{0, 0, 600, 200});
    m_form.AddControl(&back);
    m_form.AddControl(&strip);
    Paint();
    std::vector<fake::DrawOp> ops = fake::DrawOps(m_form.GetHwnd());
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].kind, "StretchBlt");
    EXPECT_EQ(ops[0].sourceId, 136);
    EXPECT_EQ(ops[0].source.right, 29);
    EXPECT_EQ(ops[0].rop, SRCCOPY);
    EXPECT_EQ(ops[1].kind, "TransparentBlt");
    EXPECT_EQ(ops[1].sourceId, 148);
    EXPECT_EQ(ops[1].dest.right, 600);
    EXPECT_EQ(ops[1].dest.bottom, 38);
    EXPECT_FALSE(CKXImage().LoadFromResource(nullptr, 997));
}

}  // namespace
