// What the classic look puts where: the form's frame and caption, the
// controls' faces, disabled text, focus and invalidation.
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/paint/render.h"
#include "toolkit/testing/robot.h"
#include "toolkit/testing/sample_forms.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kvc {
namespace {

// A control class built on the toolkit outside it, and one derived from it.
class TOutsideEdit : public TEdit {
    KVC_CLASS(TOutsideEdit, TEdit)
};
class TDerivedOutsideEdit : public TOutsideEdit {
    KVC_CLASS(TDerivedOutsideEdit, TOutsideEdit)
};

} // namespace

KVC_REGISTER_CLASS(TOutsideEdit) {}
KVC_REGISTER_CLASS(TDerivedOutsideEdit) {}

namespace {

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeUnique<TfrmPaintSample>();
        form->Show();
    }
    void TearDown() override {
        form.reset();
        Application().ProcessMessages();
    }
    // The colour at a point of a control, in its own coordinates.
    TColor At(const TBitmap& b, const TControl& control, int x, int y) const {
        TPoint p = WindowPoint(control, x, y);
        return TColor(b.Pixel(p.X, p.Y) & 0xFFFFFF);
    }
    TPoint WindowPoint(const TControl& control, int x, int y) const {
        for (const TControl* c = &control; c->Parent() != nullptr; c = c->Parent()) {
            x += c->GetLeft();
            y += c->GetTop();
        }
        TPoint origin = ClientOrigin(*form);
        return {x + origin.X, y + origin.Y};
    }
    // Whether a pixel of the control's area (its coordinates) has the
    // colour, give or take the shades of anti-aliased text.
    bool Has(const TBitmap& b, const TControl& control, const TRect& r, TColor color) const {
        TColor want = ColorToRGB(color);
        auto near = [](int u, int v) { return std::abs(u - v) <= 0x30; };
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                TColor c = At(b, control, x, y);
                if (near(GetRValue(c), GetRValue(want)) && near(GetGValue(c), GetGValue(want)) &&
                    near(GetBValue(c), GetBValue(want))) {
                    return true;
                }
            }
        }
        return false;
    }

    // Whether the area holds text ink: a pixel much darker than the field.
    bool HasInk(const TBitmap& b, const TControl& control, const TRect& r) const {
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                TColor c = At(b, control, x, y);
                if (std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x90) {
                    return true;
                }
            }
        }
        return false;
    }

    TOwned<TfrmPaintSample> form;
    TRobot robot;
};

TEST_F(RenderTest, TheWindowHasItsSizeFrameAndCaptionBar) {
    auto b = RenderToBitmap(*form);
    ASSERT_EQ(b->GetWidth(), form->GetWidth());
    ASSERT_EQ(b->GetHeight(), form->GetHeight());
    TPoint origin = ClientOrigin(*form);
    // Outer edge light, then highlight; the caption bar starts in the
    // active caption colour; the client area is the form's colour.
    EXPECT_EQ(TColor(b->Pixel(0, 10) & 0xFFFFFF), ColorToRGB(cl3DLight));
    EXPECT_EQ(TColor(b->Pixel(1, 10) & 0xFFFFFF), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(TColor(b->Pixel(form->GetWidth() - 1, 10) & 0xFFFFFF), ColorToRGB(cl3DDkShadow));
    ASSERT_TRUE(form->IsActive());
    EXPECT_EQ(TColor(b->Pixel(origin.X, origin.X + 1) & 0xFFFFFF), ColorToRGB(clActiveCaption));
    // Caption text in the caption-text colour somewhere in the bar.
    bool captionText = false;
    for (int x = origin.X; x < 150; ++x) {
        for (int y = origin.X; y < origin.Y - 1; ++y) {
            TColor c = TColor(b->Pixel(x, y) & 0xFFFFFF);
            captionText = captionText || (GetRValue(c) > 0xE0 && GetBValue(c) > 0xE0);
        }
    }
    EXPECT_TRUE(captionText);
    EXPECT_EQ(TColor(b->Pixel(origin.X + 200, origin.Y + 45) & 0xFFFFFF), ColorToRGB(clBtnFace));
}

TEST_F(RenderTest, AnEditIsASunkenWhiteFieldWithItsText) {
    auto b = RenderToBitmap(*form);
    TEdit& edit = *form->edDate;
    EXPECT_EQ(At(*b, edit, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*b, edit, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(*b, edit, edit.GetWidth() - 1, edit.GetHeight() - 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(*b, edit, edit.GetWidth() - 4, 4), clWhite);
    EXPECT_TRUE(HasInk(*b, edit, {2, 2, 60, 19}));
    EXPECT_FALSE(HasInk(*b, edit, {80, 2, 117, 19}));
    // The focused edit shows its selected text on the highlight.
    ASSERT_TRUE(form->edWorkOrder->Focused());
    EXPECT_TRUE(Has(*b, *form->edWorkOrder, {3, 3, 10, 10}, clHighlight));
    EXPECT_FALSE(Has(*b, edit, {3, 3, 10, 10}, clHighlight));
}

TEST_F(RenderTest, AButtonIsRaisedAndADisabledOneEmbossed) {
    robot.Focus(*form->edWorkOrder);
    auto b = RenderToBitmap(*form);
    TButton& cancel = *form->btnCancel;
    EXPECT_EQ(At(*b, cancel, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(*b, cancel, 1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(*b, cancel, cancel.GetWidth() - 1, cancel.GetHeight() - 1),
              ColorToRGB(cl3DDkShadow));
    EXPECT_TRUE(Has(*b, cancel, {4, 4, 71, 21}, clBlack));
    // The default button has the black frame.
    EXPECT_EQ(At(*b, *form->btnOk, 0, 0), clBlack);
    // Disabled: highlight and shadow text, no black.
    TButton& help = *form->btnHelp;
    EXPECT_FALSE(Has(*b, help, {4, 4, 71, 21}, clBlack));
    EXPECT_TRUE(Has(*b, help, {4, 4, 71, 21}, clBtnShadow));
    EXPECT_TRUE(Has(*b, help, {4, 4, 71, 21}, clWhite));
}

TEST_F(RenderTest, TheFocusedButtonShowsTheDottedFocusRectangle) {
    robot.Focus(*form->btnCancel);
    auto b = RenderToBitmap(*form);
    TButton& cancel = *form->btnCancel;
    // Inside the edges (3 pixels) the focus rectangle starts with an
    // inverted (black) pixel and alternates.
    TColor inverted = TColor(~std::uint32_t(ColorToRGB(clBtnFace)) & 0xFFFFFF);
    EXPECT_EQ(At(*b, cancel, 4, 4), inverted);
    EXPECT_EQ(At(*b, cancel, 5, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*b, cancel, 6, 4), inverted);
    EXPECT_EQ(At(*b, cancel, 4, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*b, cancel, 4, 6), inverted);
    EXPECT_EQ(At(*b, cancel, 0, 0), clBlack); // the focused button is the default one
}

TEST_F(RenderTest, OnlyTheActivePageIsPaintedAndItsTabIsRaised) {
    auto b = RenderToBitmap(*form);
    // The active page shows its label; the other page's area is not painted separately.
    EXPECT_TRUE(Has(*b, *form->lblDate, {0, 0, 60, 13}, clBlack));
    form->pgOptions->SetActivePage(form->tsOther);
    auto after = RenderToBitmap(*form);
    EXPECT_FALSE(Has(*after, *form->tsOther, {12, 16, 72, 29}, clBlack));
}

TEST(InvalidateTest, ChangesAskTheTopLevelControlForARepaintOfTheirArea) {
    auto form = MakeUnique<TfrmPaintSample>();
    form->TakeUpdateRect();
    EXPECT_FALSE(form->NeedsRepaint());
    form->btnOk->SetCaption("好");
    ASSERT_TRUE(form->NeedsRepaint());
    TRect r = form->TakeUpdateRect();
    TPoint origin = ClientOrigin(*form);
    EXPECT_EQ(r, (TRect{origin.X + 168, origin.Y + 232, origin.X + 243, origin.Y + 257}));
    EXPECT_FALSE(form->NeedsRepaint());
    form->edDate->SetEnabled(false);
    EXPECT_TRUE(form->NeedsRepaint());
}

TEST_F(RenderTest, RepaintingOnlyTheUpdateAreaGivesTheSamePicture) {
    auto b = RenderToBitmap(*form);
    form->TakeUpdateRect();
    form->lblNote->SetCaption("另一段说明");
    form->btnOk->SetEnabled(false);
    TRect update = form->TakeUpdateRect();
    RenderInto(*form, *b, &update);
    auto whole = RenderToBitmap(*form);
    for (int y = 0; y < b->GetHeight(); ++y) {
        for (int x = 0; x < b->GetWidth(); ++x) {
            ASSERT_EQ(b->Pixel(x, y) & 0xFFFFFF, whole->Pixel(x, y) & 0xFFFFFF) << x << "," << y;
        }
    }
}

void PaintRed(TControl& control, TCanvas& canvas) {
    canvas.Brush.Color = clRed;
    canvas.FillRect({0, 0, control.GetWidth(), control.GetHeight()});
}

TEST(PainterRegistryTest, ARegisteredPainterServesItsClassAndItsDescendantsOnly) {
    TEdit plain;
    TOutsideEdit outside;
    TDerivedOutsideEdit derived;
    TControlPainter toolkitEdit = FindPainter(plain);
    ASSERT_NE(toolkitEdit, nullptr);
    EXPECT_EQ(FindPainter(outside), toolkitEdit); // inherited until it has its own

    RegisterPainter(TOutsideEdit::StaticClassInfo(), PaintRed);
    EXPECT_EQ(FindPainter(outside), &PaintRed);
    EXPECT_EQ(FindPainter(derived), &PaintRed);
    EXPECT_EQ(FindPainter(plain), toolkitEdit);
}

TEST_F(RenderTest, SaveToPngWritesThePicture) {
    std::string path = ::testing::TempDir() + "render_test.png";
    SaveToPng(*form, path);
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.GetWidth(), form->GetWidth());
    EXPECT_EQ(back.GetHeight(), form->GetHeight());
    std::remove(path.c_str());
}

} // namespace
} // namespace kvc
