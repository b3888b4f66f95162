// The bitmap check box: its states, keys and pictures.
#include "controls/bit_check_box.h"
#include "controls/control_classes.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form_definitions.h"
#include "toolkit/paint/render.h"
#include "toolkit/toolkit_fixture.h"

#include <gmock/gmock.h>
#include <memory>
#include <set>
#include <vector>

namespace kvc::controls {
namespace {

using ::testing::ElementsAre;

class TfrmBitBoxHost : public TForm {
    KVC_CLASS(TfrmBitBoxHost, TForm)
public:
    TBitCheckBox* cbxDaily = nullptr;
    std::vector<TCheckBoxState> clicks;
    void BoxClick(TObject*) { clicks.push_back(cbxDaily->GetState()); }
};

KVC_REGISTER_CLASS(TfrmBitBoxHost) {
    KVC_FIELD(cbxDaily);
    KVC_METHOD(BoxClick);
}

// A picture of images side by side, each filled with its colour above a
// bottom row of olive, the transparent colour.
std::unique_ptr<TBitmap> Striped(std::initializer_list<TColor> colours, int height) {
    auto picture = std::make_unique<TBitmap>(int(colours.size()) * height, height);
    for (int x = 0; x < picture->GetWidth(); ++x) {
        picture->SetPixel(x, height - 1, TBitmap::Opaque(clOlive));
    }
    int x = 0;
    for (TColor colour : colours) {
        for (int y = 0; y < height - 1; ++y) {
            for (int i = 0; i < height; ++i) {
                picture->SetPixel(x + i, y, TBitmap::Opaque(colour));
            }
        }
        x += height;
    }
    return picture;
}

class BitCheckBoxTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmBitBoxHost>();
        form->SetBounds(0, 0, 300, 200);
        edit = Create<TEdit>(form);
        edit->SetParent(form);
        box = Create<TBitCheckBox>(form);
        box->SetParent(form);
        box->SetBounds(10, 40, 97, 17);
        box->SetCaption("&Daily");
        form->cbxDaily = box;
        box->OnClick = TNotifyEvent::Bind<&TfrmBitBoxHost::BoxClick>(form);
        form->Show();
        edit->SetFocus();
    }
    // The colour of a point of the box, in its own coordinates.
    TColor At(int x, int y) {
        std::unique_ptr<TBitmap> picture = RenderToBitmap(*form);
        TPoint origin = ClientOrigin(*form);
        return TColor(picture->Pixel(origin.X + box->GetLeft() + x, origin.Y + box->GetTop() + y) &
                      0xFFFFFF);
    }

    TfrmBitBoxHost* form = nullptr;
    TEdit* edit = nullptr;
    TBitCheckBox* box = nullptr;
};

TEST_F(BitCheckBoxTest, ANewBoxHasItsDefaultsAndPictures) {
    auto fresh = MakeUnique<TBitCheckBox>();
    EXPECT_EQ(fresh->GetWidth(), 97);
    EXPECT_EQ(fresh->GetHeight(), 17);
    EXPECT_TRUE(fresh->GetTabStop());
    EXPECT_EQ(fresh->GetState(), cbUnchecked);
    EXPECT_EQ(fresh->GetAlignment(), taRightJustify);
    EXPECT_FALSE(fresh->GetAllowGrayed());
    EXPECT_TRUE(fresh->GetCtl3D());
    std::set<std::vector<std::uint8_t>> distinct;
    for (TCheckBoxState state : {cbUnchecked, cbChecked, cbGrayed}) {
        const TBitmap& picture = *fresh->Glyph(state);
        EXPECT_EQ(picture.GetWidth(), 19) << state;
        EXPECT_EQ(picture.GetHeight(), 14) << state;
        EXPECT_EQ(fresh->NumGlyphs(state), 1) << state;
        std::set<std::uint32_t> colours;
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 19; ++x) {
                colours.insert(picture.Pixel(x, y));
            }
        }
        EXPECT_LE(colours.size(), 16u) << state;
        distinct.insert(picture.SaveToPngBytes());
    }
    EXPECT_EQ(distinct.size(), 3u) << "each state has a picture of its own";
}

struct CycleCase {
    bool allowGrayed;
    std::vector<TCheckBoxState> states;
};

class ClickCycles : public BitCheckBoxTest, public ::testing::WithParamInterface<CycleCase> {};

// Each click moves on, raises OnClick after the move, and takes the focus.
TEST_P(ClickCycles, ThreeClicks) {
    box->SetAllowGrayed(GetParam().allowGrayed);
    for (int i = 0; i < 3; ++i) {
        robot.Click(*box);
    }
    EXPECT_EQ(form->clicks, GetParam().states);
    EXPECT_TRUE(box->Focused());
}

INSTANTIATE_TEST_SUITE_P(Grayed, ClickCycles,
                         ::testing::Values(CycleCase{true, {cbGrayed, cbChecked, cbUnchecked}},
                                           CycleCase{false, {cbChecked, cbUnchecked, cbChecked}}));

TEST_F(BitCheckBoxTest, WritingTheStateRaisesNoClick) {
    box->SetState(cbGrayed);
    box->SetChecked(true);
    EXPECT_EQ(box->GetState(), cbChecked);
    box->SetChecked(false);
    EXPECT_EQ(box->GetState(), cbUnchecked);
    EXPECT_TRUE(form->clicks.empty());
}

TEST_F(BitCheckBoxTest, SpaceClicksAndTheAcceleratorTogglesSilently) {
    robot.Focus(*box);
    robot.Press(VK_SPACE);
    EXPECT_THAT(form->clicks, ElementsAre(cbChecked));

    robot.Focus(*edit);
    robot.Press('D', {ssAlt});
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(box->GetState(), cbUnchecked);
    EXPECT_EQ(form->clicks.size(), 1u) << "the accelerator raises no OnClick";

    robot.Focus(*edit);
    robot.Press('X', {ssAlt});
    EXPECT_FALSE(box->Focused());
    EXPECT_EQ(box->GetState(), cbUnchecked);
}

TEST_F(BitCheckBoxTest, ImageCountsAreClampedAndFollowThePicturesShape) {
    for (auto [value, expected] : {std::pair{0, 1}, {1, 1}, {2, 2}, {3, 2}, {-4, 1}}) {
        box->SetGrayedNumGlyphs(value);
        EXPECT_EQ(box->GetGrayedNumGlyphs(), expected) << value;
    }
    box->SetCheckedGlyph(Striped({clRed, clBlue}, 14).get());
    EXPECT_EQ(box->GetCheckedNumGlyphs(), 2) << "28 x 14 holds two images";
    EXPECT_EQ(box->GetCheckedGlyph()->GetWidth(), 28) << "the picture is copied";
    box->SetCheckedGlyph(nullptr);
    EXPECT_EQ(box->GetCheckedGlyph()->GetWidth(), 19) << "null puts the default back";
}

// Where the default pictures put their marks: the box's top-left corner is
// at (3, 1), its check mark's left arm at (6, 7).
TEST_F(BitCheckBoxTest, TheDefaultPicturesShowTheState) {
    EXPECT_EQ(At(6, 7), ColorToRGB(clWhite));
    box->SetState(cbChecked);
    EXPECT_EQ(At(6, 7), ColorToRGB(clBlack));
    box->SetState(cbGrayed);
    EXPECT_EQ(At(6, 7), ColorToRGB(clGray));
    EXPECT_EQ(At(1, 1), ColorToRGB(box->GetColor())) << "the transparent ground is the box's";

    box->SetAlignment(taLeftJustify);
    box->SetState(cbChecked);
    EXPECT_EQ(At(97 - 19 + 6, 7), ColorToRGB(clBlack)) << "the picture at the right edge";
}

struct DisabledCase {
    int images;
    TColor enabled;
    TColor disabled;
};

class DisabledImages : public BitCheckBoxTest,
                       public ::testing::WithParamInterface<DisabledCase> {};

TEST_P(DisabledImages, ADisabledBoxShowsTheSecondImageWhenThereIsOne) {
    const DisabledCase c = GetParam();
    box->SetCheckedGlyph(Striped({clRed, clBlue}, 14).get());
    box->SetCheckedNumGlyphs(c.images);
    box->SetChecked(true);
    const int imageWidth = 28 / c.images;
    EXPECT_EQ(At(imageWidth / 2 - 2, 8), ColorToRGB(c.enabled));
    box->SetEnabled(false);
    EXPECT_EQ(At(imageWidth / 2 - 2, 8), ColorToRGB(c.disabled));
}

INSTANTIATE_TEST_SUITE_P(Images, DisabledImages,
                         ::testing::Values(DisabledCase{2, clRed, clBlue},
                                           DisabledCase{1, clRed, clRed}));

struct RepaintCase {
    const char* change;
    void (*apply)(TBitCheckBox& box, TEdit& other);
};

class Repaints : public BitCheckBoxTest, public ::testing::WithParamInterface<RepaintCase> {};

// Every change of what the box shows asks for it to be painted again.
TEST_P(Repaints, AChangeAsksForARepaint) {
    form->TakeUpdateRect();
    ASSERT_FALSE(form->NeedsRepaint());
    GetParam().apply(*box, *edit);
    TPoint origin = ClientOrigin(*form);
    TPoint middle{origin.X + box->GetLeft() + 48, origin.Y + box->GetTop() + 8};
    EXPECT_TRUE(PtInRect(form->TakeUpdateRect(), middle)) << GetParam().change;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, Repaints,
    ::testing::Values(
        RepaintCase{"state", [](TBitCheckBox& b, TEdit&) { b.SetState(cbGrayed); }},
        RepaintCase{"enabled", [](TBitCheckBox& b, TEdit&) { b.SetEnabled(false); }},
        RepaintCase{"caption", [](TBitCheckBox& b, TEdit&) { b.SetCaption("Weekly"); }},
        RepaintCase{"font", [](TBitCheckBox& b, TEdit&) { b.GetFont()->SetSize(12); }},
        RepaintCase{"3-D look", [](TBitCheckBox& b, TEdit&) { b.SetCtl3D(false); }},
        RepaintCase{"colour", [](TBitCheckBox& b, TEdit&) { b.SetColor(clWindow); }},
        RepaintCase{"alignment", [](TBitCheckBox& b, TEdit&) { b.SetAlignment(taLeftJustify); }},
        RepaintCase{"picture", [](TBitCheckBox& b, TEdit&) { b.SetGrayedGlyph(nullptr); }},
        RepaintCase{"focus gained", [](TBitCheckBox& b, TEdit&) { b.SetFocus(); }},
        RepaintCase{"focus lost", [](TBitCheckBox& b, TEdit& other) {
                        b.SetFocus();
                        b.GetParentForm()->TakeUpdateRect();
                        other.SetFocus();
                    }}));

struct CaptionCase {
    TAlignment alignment;
    const char* caption;
    TRect expected; // for text 40 wide, "&" 5 wide, text 13 high, in a 97 x 17 box
};

class CaptionRects : public BitCheckBoxTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionRects, TheCaptionSitsBesideThePicture) {
    const CaptionCase c = GetParam();
    box->SetAlignment(c.alignment);
    box->SetCaption(c.caption);
    EXPECT_EQ(BitCheckBoxCaptionRect(*box, 40, 5, 13), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Alignments, CaptionRects,
                         ::testing::Values(CaptionCase{taRightJustify, "&Daily", {23, 0, 58, 16}},
                                           CaptionCase{taRightJustify, "Daily", {23, 0, 63, 16}},
                                           CaptionCase{taLeftJustify, "&Daily", {1, 0, 36, 16}}));

TEST_F(BitCheckBoxTest, TheCaptionIsClippedToTheBox) {
    box->SetCaption("Daily");
    EXPECT_EQ(BitCheckBoxCaptionRect(*box, 500, 5, 30), (TRect{23, 0, 97, 17}));
}

constexpr const char* kBoxForm = R"(object frmBitBoxLoad: TfrmBitBoxHost
  Left = 0
  Top = 0
  Width = 200
  Height = 100
  object cbxDaily: TBitCheckBox
    Left = 8
    Top = 8
    Width = 120
    Height = 17
    Alignment = taLeftJustify
    AllowGrayed = True
    Caption = '每日'
    State = cbGrayed
    GrayedNumGlyphs = 2
    Ctl3D = False
    TabOrder = 0
    OnClick = BoxClick
  end
end
)";

TEST(BitCheckBoxDefinition, ABoxLoadsFromAFormDefinition) {
    RegisterControlClasses();
    RegisterFormDefinition("TfrmBitBoxHost", "frmBitBoxLoad.dfm", kBoxForm);
    TfrmBitBoxHost* form = Create<TfrmBitBoxHost>(&Application());
    ASSERT_NE(form->cbxDaily, nullptr);
    TBitCheckBox& box = *form->cbxDaily;
    EXPECT_EQ(box.GetAlignment(), taLeftJustify);
    EXPECT_TRUE(box.GetAllowGrayed());
    EXPECT_EQ(box.GetCaption(), "每日");
    EXPECT_EQ(box.GetState(), cbGrayed);
    EXPECT_EQ(box.GetGrayedNumGlyphs(), 2);
    EXPECT_FALSE(box.GetCtl3D());
    EXPECT_TRUE(form->clicks.empty()) << "reading the state raises nothing";
    box.Click();
    EXPECT_THAT(form->clicks, ElementsAre(cbChecked));
    form->Free();
    UnregisterFormDefinition("TfrmBitBoxHost");
}

} // namespace
} // namespace kvc::controls
