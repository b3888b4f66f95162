// Glyph buttons take their pictures from the glyph library by number.
#include "controls/glyph_buttons.h"
#include "controls/select_panel.h"
#include "toolkit/application.h"
#include "toolkit/paint/render.h"
#include "toolkit/toolkit_fixture.h"

#include <gtest/gtest.h>
#include <memory>

namespace kvc::controls {
namespace {

class GlyphButtonTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TForm>();
        form->SetBounds(0, 0, 300, 200);
        button = Create<TGSpeedButton>(form);
        button->SetParent(form);
        button->SetFlat(true);
        button->SetBounds(10, 20, 23, 23);
        form->Show();
    }
    // The colour of a point of the button, in its own coordinates.
    TColor At(int x, int y) {
        std::unique_ptr<TBitmap> picture = RenderToBitmap(*form);
        TPoint origin = ClientOrigin(*form);
        return TColor(
            picture->Pixel(origin.X + button->GetLeft() + x, origin.Y + button->GetTop() + y) &
            0xFFFFFF);
    }
    bool NoDialog() const { return Application().DialogResponder().Log().empty(); }

    TForm* form = nullptr;
    TGSpeedButton* button = nullptr;
};

struct GlyphCase {
    int index;
    const char* caption; // empty: the picture replaced the number
    TNumGlyphs images;   // 0: no picture
};

class GlyphIndexes : public GlyphButtonTest, public ::testing::WithParamInterface<GlyphCase> {};

// From a button that has a picture, to each kind of number.
TEST_P(GlyphIndexes, ANumberGivesItsPictureOrShowsItself) {
    const GlyphCase c = GetParam();
    button->SetGlyphIndex(47);
    ASSERT_FALSE(button->GetGlyph()->Empty());
    button->SetGlyphIndex(c.index);
    EXPECT_EQ(button->GetGlyphIndex(), c.index);
    EXPECT_EQ(button->GetCaption(), c.caption);
    EXPECT_EQ(button->GetGlyph()->Empty(), c.images == 0);
    if (c.images > 0) {
        EXPECT_EQ(button->GetNumGlyphs(), c.images);
    }
    EXPECT_TRUE(NoDialog());
}

INSTANTIATE_TEST_SUITE_P(Numbers, GlyphIndexes,
                         ::testing::Values(GlyphCase{9, "", 1},    // date picker
                                           GlyphCase{4, "", 2},    // clear list: two images
                                           GlyphCase{81, "", 1},   // the highest
                                           GlyphCase{0, "0", 0},   // no picture
                                           GlyphCase{82, "82", 0}, // above the highest
                                           GlyphCase{5, "5", 0},   // a gap in the numbers
                                           GlyphCase{-3, "-3", 0}));

TEST_F(GlyphButtonTest, TheSameNumberAgainDoesNotReload) {
    button->SetGlyphIndex(9);
    button->SetGlyph(nullptr);
    button->SetCaption("kept");
    button->SetGlyphIndex(9);
    EXPECT_TRUE(button->GetGlyph()->Empty());
    EXPECT_EQ(button->GetCaption(), "kept");
}

// The calendar's marked day is blue and sits where the picture is centred on
// the flat button's face; the picture's ground lets the form show through.
TEST_F(GlyphButtonTest, ThePictureIsPaintedCentredOnTheFace) {
    button->SetGlyphIndex(9);
    constexpr int kGlyphAt = 3; // (23 - 2 border pixels - 16) / 2 + 1
    EXPECT_EQ(At(kGlyphAt + 7, kGlyphAt + 10), ColorToRGB(clBlue));
    EXPECT_EQ(At(kGlyphAt + 7, kGlyphAt + 6), ColorToRGB(clWhite));
    EXPECT_EQ(At(kGlyphAt, kGlyphAt + 15), ColorToRGB(form->GetColor()));
}

// The clear button's lid is black; disabled, the second image shows it gray.
TEST_F(GlyphButtonTest, ADisabledButtonShowsTheSecondImage) {
    button->SetGlyphIndex(4);
    constexpr int kGlyphAt = 3;
    EXPECT_EQ(At(kGlyphAt + 4, kGlyphAt + 2), ColorToRGB(clBlack));
    button->SetEnabled(false);
    EXPECT_EQ(At(kGlyphAt + 4, kGlyphAt + 2), ColorToRGB(clGray));
}

TEST_F(GlyphButtonTest, ANewF2ButtonShowsTheLookupPicture) {
    auto* f2 = Create<TF2Button>(form);
    EXPECT_TRUE(f2->GetFlat());
    EXPECT_EQ(f2->GetGlyphIndex(), 8);
    EXPECT_EQ(f2->GetCaption(), "");
    EXPECT_FALSE(f2->GetGlyph()->Empty());
}

TEST_F(GlyphButtonTest, ThePanelsButtonsCarryTheirPictures) {
    auto* panel = Create<TSelectPanel>(form);
    panel->SetParent(form);
    for (TGSpeedButton* b : {static_cast<TGSpeedButton*>(&panel->BeginButton()),
                             static_cast<TGSpeedButton*>(&panel->FinalButton()),
                             static_cast<TGSpeedButton*>(&panel->ListButton()),
                             &panel->DeleteButton(), &panel->ClearButton()}) {
        EXPECT_FALSE(b->GetGlyph()->Empty()) << b->GetGlyphIndex();
        EXPECT_EQ(b->GetCaption(), "") << b->GetGlyphIndex();
    }
    EXPECT_EQ(panel->ClearButton().GetNumGlyphs(), 2);

    // A new number reaches all three lookup buttons.
    panel->SetGlyphIndex(63);
    for (TF2Button* b : {&panel->BeginButton(), &panel->FinalButton(), &panel->ListButton()}) {
        EXPECT_EQ(b->GetGlyphIndex(), 63);
        EXPECT_EQ(b->GetGlyph()->GetData(), panel->BeginButton().GetGlyph()->GetData());
    }
    EXPECT_EQ(panel->GetGlyphIndex(), 63);
    EXPECT_TRUE(NoDialog());
}

} // namespace
} // namespace kvc::controls
