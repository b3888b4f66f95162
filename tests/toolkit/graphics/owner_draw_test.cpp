// Owner-drawn list boxes and combo boxes: OnDrawItem gets each item's
// rectangle and state with the control's Canvas prepared (brush and font
// in the selection colours for the chosen item), OnMeasureItem gives the
// variable style its heights, and without a handler the items' texts are
// drawn as in the standard style.
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/combo_box.h"
#include "toolkit/form_definitions.h"
#include "toolkit/list_box.h"
#include "toolkit/paint/render.h"
#include "toolkit/testing/robot.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kvc {
namespace {

class TfrmOwnerDraw : public TForm {
    KVC_CLASS(TfrmOwnerDraw, TForm)
public:
    TListBox* lbColors = nullptr;
    TListBox* lbHeights = nullptr;
    TComboBox* cmbColors = nullptr;

    struct TDrawn {
        std::string control;
        int index;
        TRect rect;
        TOwnerDrawState state;
        TColor brush;
        TColor font;
    };
    std::vector<TDrawn> drawn;

    // Each item a swatch of the colour its text names, from the prepared
    // brush's colour for the rest of the row.
    void ColorsDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        TCanvas* canvas = control == lbColors    ? lbColors->Canvas()
                          : control == cmbColors ? cmbColors->Canvas()
                                                 : lbHeights->Canvas();
        ASSERT_NE(canvas, nullptr);
        drawn.push_back(
            {control->GetName(), index, rect, state, canvas->Brush.Color, canvas->Font.GetColor()});
        canvas->FillRect(rect);
        static constexpr TColor kSwatches[] = {clRed, clLime, clBlue, clYellow};
        TBrush prepared = canvas->Brush;
        canvas->Brush.Color = kSwatches[index % 4];
        canvas->FillRect({rect.Left + 1, rect.Top + 1, rect.Left + 9, rect.Bottom - 1});
        canvas->Brush = prepared;
    }
    void HeightsMeasureItem(TWinControl*, int index, int& height) { height = 10 + 10 * index; }
    int clicks = 0;
    void lbColorsClick(TObject*) { ++clicks; }
};

} // namespace

KVC_REGISTER_CLASS(TfrmOwnerDraw) {
    KVC_FIELD(lbColors);
    KVC_FIELD(lbHeights);
    KVC_FIELD(cmbColors);
    KVC_METHOD(ColorsDrawItem);
    KVC_METHOD(HeightsMeasureItem);
    KVC_METHOD(lbColorsClick);
}

namespace {

constexpr const char* kOwnerDrawForm = R"(object frmOwnerDraw: TfrmOwnerDraw
  Width = 400
  Height = 300
  Font.Height = -12
  Font.Name = 'Tahoma'
  object lbColors: TListBox
    Left = 8
    Top = 8
    Width = 120
    Height = 100
    ItemHeight = 18
    Items.Strings = (
      'red'
      'lime'
      'blue'
      'yellow')
    Style = lbOwnerDrawFixed
    TabOrder = 0
    OnClick = lbColorsClick
    OnDrawItem = ColorsDrawItem
  end
  object lbHeights: TListBox
    Left = 140
    Top = 8
    Width = 120
    Height = 100
    Items.Strings = (
      'a'
      'b'
      'c'
      'd'
      'e')
    Style = lbOwnerDrawVariable
    TabOrder = 1
    OnDrawItem = ColorsDrawItem
    OnMeasureItem = HeightsMeasureItem
  end
  object cmbColors: TComboBox
    Left = 8
    Top = 120
    Width = 120
    Height = 22
    Style = csOwnerDrawFixed
    Items.Strings = (
      'red'
      'lime')
    ItemIndex = 1
    TabOrder = 2
    OnDrawItem = ColorsDrawItem
  end
end
)";

class OwnerDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFormDefinition("TfrmOwnerDraw", "frmOwnerDraw.dfm", kOwnerDrawForm);
        form = MakeUnique<TfrmOwnerDraw>();
        form->Show();
    }
    void TearDown() override {
        form.reset();
        UnregisterFormDefinition("TfrmOwnerDraw");
        Application().ProcessMessages();
    }
    void Render() {
        form->drawn.clear();
        picture = RenderToBitmap(*form);
    }
    TColor At(const TControl& control, int x, int y) const {
        TPoint origin = ClientOrigin(*form);
        return TColor(
            picture->Pixel(control.GetLeft() + x + origin.X, control.GetTop() + y + origin.Y) &
            0xFFFFFF);
    }
    std::vector<TfrmOwnerDraw::TDrawn> DrawnOf(const std::string& name) const {
        std::vector<TfrmOwnerDraw::TDrawn> out;
        for (const auto& d : form->drawn) {
            if (d.control == name) {
                out.push_back(d);
            }
        }
        return out;
    }

    TOwned<TfrmOwnerDraw> form;
    std::unique_ptr<TBitmap> picture;
    TRobot robot;
};

TEST_F(OwnerDrawTest, EachItemIsDrawnInItsRectangleWithThePreparedCanvas) {
    TListBox& list = *form->lbColors;
    list.SetItemIndex(2);
    robot.Focus(list);
    Render();
    auto drawn = DrawnOf("lbColors");
    // 100 px less the frame hold five rows of 18: all four items.
    ASSERT_EQ(drawn.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const auto& d = drawn[std::size_t(i)];
        EXPECT_EQ(d.index, i);
        EXPECT_EQ(d.rect, (TRect{2, 2 + 18 * i, 118, 20 + 18 * i})) << i;
        bool selected = i == 2;
        EXPECT_EQ(d.state.Contains(odSelected), selected) << i;
        EXPECT_EQ(d.state.Contains(odFocused), selected) << i;
        EXPECT_EQ(d.brush, selected ? clHighlight : clWindow) << i;
        EXPECT_EQ(d.font, selected ? clHighlightText : clWindowText) << i;
    }
    EXPECT_EQ(list.Canvas(), nullptr); // only while painting
    // The handler's pixels: each swatch, the selected row's highlight.
    EXPECT_EQ(At(list, 5, 2 + 9), clRed);
    EXPECT_EQ(At(list, 5, 2 + 18 + 9), clLime);
    EXPECT_EQ(At(list, 5, 2 + 36 + 9), clBlue);
    EXPECT_EQ(At(list, 60, 2 + 36 + 9), ColorToRGB(clHighlight));
    EXPECT_EQ(At(list, 60, 2 + 18 + 9), ColorToRGB(clWindow));

    // A click on the last item chooses it and raises OnClick.
    robot.ClickAt(list, 60, 2 + 54 + 9);
    EXPECT_EQ(list.GetItemIndex(), 3);
    EXPECT_EQ(form->clicks, 1);
    Render();
    EXPECT_EQ(At(list, 60, 2 + 54 + 9), ColorToRGB(clHighlight));
}

TEST_F(OwnerDrawTest, TheVariableStyleTakesItsHeightsFromOnMeasureItem) {
    TListBox& list = *form->lbHeights;
    Render();
    auto drawn = DrawnOf("lbHeights");
    // Heights 10, 20, 30, 40: the fourth item starts at 62, past the
    // 98-pixel bottom only partly, and the fifth is not drawn.
    ASSERT_EQ(drawn.size(), 4u);
    int top = 2;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(drawn[std::size_t(i)].rect.Top, top) << i;
        EXPECT_EQ(drawn[std::size_t(i)].rect.Height(), 10 + 10 * i) << i;
        top += 10 + 10 * i;
    }
    EXPECT_EQ(list.ItemAtPos(50, 2 + 10 + 5), 1);
    EXPECT_EQ(list.ItemAtPos(50, 2 + 30 + 5), 2);
    // Items beyond the area give the list a scroll bar.
    EXPECT_TRUE(list.VertScrollBar()->Needed());
}

TEST_F(OwnerDrawTest, TheComboBoxDrawsItsChosenItemInTheEditPart) {
    TComboBox& combo = *form->cmbColors;
    Render();
    auto drawn = DrawnOf("cmbColors");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].index, 1);
    EXPECT_TRUE(drawn[0].state.Contains(odComboBoxEdit));
    EXPECT_FALSE(drawn[0].state.Contains(odSelected));
    EXPECT_EQ(At(combo, drawn[0].rect.Left + 4, drawn[0].rect.Top + 4), clLime);
    robot.Focus(combo);
    Render();
    drawn = DrawnOf("cmbColors");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_TRUE(drawn[0].state.Contains(odSelected));
    EXPECT_TRUE(drawn[0].state.Contains(odFocused));
    EXPECT_EQ(drawn[0].brush, clHighlight);
}

TEST_F(OwnerDrawTest, WithoutAHandlerTheItemsShowTheirText) {
    TListBox& list = *form->lbColors;
    list.OnDrawItem.Clear();
    list.SetItemIndex(0);
    Render();
    EXPECT_TRUE(DrawnOf("lbColors").empty());
    EXPECT_NE(At(list, 5, 2 + 18 + 9), clLime); // no swatch
    // The chosen row on the highlight, the others with dark text on white.
    EXPECT_EQ(At(list, 100, 2 + 9), ColorToRGB(clHighlight));
    bool ink = false;
    for (int x = 3; x < 40; ++x) {
        for (int y = 2 + 18; y < 2 + 36; ++y) {
            TColor c = At(list, x, y);
            ink = ink || (GetRValue(c) < 0x80 && GetGValue(c) < 0x80 && GetBValue(c) < 0x80);
        }
    }
    EXPECT_TRUE(ink);
}

TEST_F(OwnerDrawTest, KeysMoveTheChoiceAndRaiseOnClick) {
    TListBox& list = *form->lbColors;
    robot.Focus(list);
    robot.Press(VK_DOWN);
    EXPECT_EQ(list.GetItemIndex(), 0);
    robot.Press(VK_END);
    EXPECT_EQ(list.GetItemIndex(), 3);
    EXPECT_EQ(form->clicks, 2);
    robot.Press(VK_DOWN); // already the last: no move, no click
    EXPECT_EQ(list.GetItemIndex(), 3);
    EXPECT_EQ(form->clicks, 2);
    robot.Press(VK_HOME);
    EXPECT_EQ(list.GetItemIndex(), 0);
    // Set by code, the choice raises nothing.
    list.SetItemIndex(2);
    EXPECT_EQ(form->clicks, 3);
    EXPECT_THROW(list.SetItemHeight(0), EInvalidOperation);
}

} // namespace
} // namespace kvc
