// What the classic look puts where for the boxes, buttons, views and grids:
// the pixels that tell a state apart, not whole pictures.
#include "toolkit/application.h"
#include "toolkit/dialogs.h"
#include "toolkit/graphics/painted_controls.h"
#include "toolkit/paint/glyph_picture.h"
#include "toolkit/paint/render.h"
#include "toolkit/testing/sample_forms.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace kvc {
namespace {

class ControlsPaintTest : public testing::PaintedControlsTest {
protected:
    // Whether the area holds text ink, anti-aliased: a pixel much darker
    // (or, on the highlight, much lighter) than the field.
    bool HasInk(const TControl& control, const TRect& r, bool light = false) const {
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                TColor c = At(control, x, y);
                int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
                int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
                if (light ? low > 0xA0 : high < 0x90) {
                    return true;
                }
            }
        }
        return false;
    }
    // The height of a row of a list or tree in the control's font.
    int RowHeight(const TControl& control) {
        TBitmap scratch(1, 1);
        scratch.Canvas().Font.Assign(*control.GetFont());
        return scratch.Canvas().TextHeight("Wg") + 4;
    }
};

TEST_F(ControlsPaintTest, ACheckBoxShowsItsMarkInsideTheBoxOnlyWhenChecked) {
    struct Case {
        TCheckBoxState state;
        bool enabled;
        TColor field;
        TColor mark; // clNone: no mark
    };
    const Case cases[] = {
        {cbUnchecked, true, clWindow, clNone},
        {cbChecked, true, clWindow, clWindowText},
        {cbGrayed, true, clBtnFace, clBtnShadow},
        {cbChecked, false, clBtnFace, clBtnShadow},
    };
    TCheckBox& box = *form->cbClosed;
    box.SetAllowGrayed(true);
    int top = (box.GetHeight() - 13) / 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.state) * 2 + int(c.enabled));
        box.SetState(c.state);
        box.SetEnabled(c.enabled);
        Render();
        // Sunken edge, then the field inside it.
        EXPECT_EQ(At(box, 0, top), ColorToRGB(clBtnShadow));
        EXPECT_EQ(At(box, 12, top + 12), ColorToRGB(clBtnHighlight));
        EXPECT_EQ(At(box, 2, top + 2), ColorToRGB(c.field));
        TRect field{2, top + 2, 11, top + 11};
        if (c.mark == clNone) {
            EXPECT_FALSE(Has(box, field, clWindowText));
        } else {
            EXPECT_TRUE(Has(box, field, c.mark));
            // The mark's elbow, low in the middle of the field.
            EXPECT_EQ(At(box, 5, top + 8), ColorToRGB(c.mark));
        }
        // Nothing of the mark outside the box.
        EXPECT_FALSE(Has(box, {13, top, 17, top + 13}, c.mark == clNone ? clWindowText : c.mark));
    }
}

TEST_F(ControlsPaintTest, ACheckBoxWithLeftAlignmentHasItsBoxAtTheRightEdge) {
    TCheckBox& box = *form->cbClosed;
    box.SetAlignment(taLeftJustify);
    box.SetChecked(true);
    Render();
    int top = (box.GetHeight() - 13) / 2;
    int left = box.GetWidth() - 13;
    EXPECT_EQ(At(box, left, top), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(box, left + 5, top + 8), ColorToRGB(clWindowText));
    EXPECT_FALSE(Has(box, {0, top, 13, top + 13}, clWindow));
}

TEST_F(ControlsPaintTest, ARadioButtonShowsItsDotOnlyWhenChecked) {
    Render();
    TRadioButton& on = *form->rbByOrder;
    TRadioButton& off = *form->rbByItem;
    ASSERT_TRUE(on.GetChecked());
    ASSERT_FALSE(off.GetChecked());
    int top = (on.GetHeight() - 12) / 2;
    for (int d = 4; d < 8; ++d) {
        EXPECT_EQ(At(on, 5, top + d), ColorToRGB(clWindowText));
        EXPECT_EQ(At(on, d, top + 6), ColorToRGB(clWindowText));
        EXPECT_EQ(At(off, 5, top + d), ColorToRGB(clWindow));
    }
    // The dot's corners are cut; the ring is shadow above and light below.
    EXPECT_EQ(At(on, 4, top + 4), ColorToRGB(clWindow));
    EXPECT_EQ(At(on, 6, top + 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(on, 6, top + 11), ColorToRGB(clBtnHighlight));
    // The corners of the 12 x 12 square are the background.
    EXPECT_EQ(At(on, 0, top), ColorToRGB(on.GetColor()));
}

TEST_F(ControlsPaintTest, AGridsFixedCellsAreRaisedAndTheSelectedRowHighlighted) {
    TStringGrid& grid = *form->sgStock;
    Render();
    // Cells lie inside the grid's two-pixel sunken border.
    TRect fixed = OffsetRect(grid.CellRect(0, 1), 2, 2);
    int line = grid.GetGridLineWidth();
    EXPECT_EQ(At(grid, fixed.Left, fixed.Top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(grid, fixed.Right + line - 1, fixed.Bottom + line - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(grid, fixed.Left + 1, fixed.Top + 1), ColorToRGB(grid.GetFixedColor()));
    // The title row is fixed too.
    TRect title = OffsetRect(grid.CellRect(2, 0), 2, 2);
    EXPECT_EQ(At(grid, title.Left, title.Top), ColorToRGB(clBtnHighlight));
    // Row select: every scrolling cell of the current row is on the highlight,
    // the other rows on the window colour, with grid lines between cells.
    ASSERT_EQ(grid.GetRow(), 2);
    for (int col = 1; col < 4; ++col) {
        SCOPED_TRACE(col);
        TRect current = OffsetRect(grid.CellRect(col, 2), 2, 2);
        TRect other = OffsetRect(grid.CellRect(col, 1), 2, 2);
        EXPECT_EQ(At(grid, current.Right - 2, current.Top + 1), ColorToRGB(clHighlight));
        EXPECT_EQ(At(grid, other.Right - 2, other.Top + 1), ColorToRGB(clWindow));
        EXPECT_EQ(At(grid, other.Right, other.Top + 1), ColorToRGB(clBtnFace));
    }
}

TEST_F(ControlsPaintTest, TheSelectedListRowIsOnTheHighlightColour) {
    TListView& list = *form->lvOrders;
    Render();
    int row = RowHeight(list);
    // Below the sunken edge and the header: rows of one row height each.
    int header = 2 + row + 2;
    auto rowTop = [&](int index) { return header + index * row; };
    ASSERT_TRUE(list.Items()[1]->GetSelected());
    int x = 200; // inside the second column, past its text
    EXPECT_EQ(At(list, x, rowTop(1) + 1), ColorToRGB(clHighlight));
    EXPECT_EQ(At(list, x, rowTop(1) + row - 2), ColorToRGB(clHighlight));
    EXPECT_EQ(At(list, x, rowTop(0) + 1), ColorToRGB(clWindow));
    EXPECT_EQ(At(list, x, rowTop(2) + 1), ColorToRGB(clWindow));
    // The selected row's text is in the highlight-text colour.
    EXPECT_TRUE(HasInk(list, {4, rowTop(1), 90, rowTop(1) + row}, true));
    // The header is a raised cell.
    EXPECT_EQ(At(list, 2, 2), ColorToRGB(clBtnHighlight));

    list.Items()[1]->SetSelected(false);
    list.Items()[2]->SetSelected(true);
    Render();
    EXPECT_EQ(At(list, x, rowTop(1) + 1), ColorToRGB(clWindow));
    EXPECT_EQ(At(list, x, rowTop(2) + 1), ColorToRGB(clHighlight));
}

TEST_F(ControlsPaintTest, TheSelectedTreeNodeIsHighlightedAndLinesAreDotted) {
    TTreeView& tree = *form->tvItems;
    Render();
    int row = RowHeight(tree);
    // Second row: the selected first child of the expanded first node.
    int top = 3 + row;
    EXPECT_TRUE(Has(tree, {2, top, tree.GetWidth() - 2, top + row}, clHighlight));
    EXPECT_FALSE(Has(tree, {2, 3, tree.GetWidth() - 2, 3 + row}, clHighlight));
    EXPECT_TRUE(Has(tree, {2, 3, 40, 3 + 3 * row}, clBtnShadow));
}

TEST_F(ControlsPaintTest, BitButtonsDrawTheirGlyphAndTheDisabledImage) {
    Render();
    TBitBtn& run = *form->btnRun;
    TBitBtn& stop = *form->btnStop;
    TRect face{3, 3, run.GetWidth() - 3, run.GetHeight() - 3};
    // The first image is green; the disabled button shows its second, grey image.
    EXPECT_TRUE(Has(run, face, clGreen));
    EXPECT_FALSE(Has(run, face, clOlive)); // the transparent colour stays out
    EXPECT_FALSE(Has(stop, face, clGreen));
    EXPECT_TRUE(Has(stop, face, clGray));

    // With one image the disabled glyph is embossed: highlight and shadow only.
    stop.SetNumGlyphs(1);
    Render();
    EXPECT_FALSE(Has(stop, face, clGreen));
    EXPECT_TRUE(Has(stop, face, clBtnHighlight));
}

TEST_F(ControlsPaintTest, ADownToolButtonIsSunkenAndAComboShowsItsChoice) {
    Render();
    TToolButton& down = *form->tbnPrint;
    TToolButton& up = *form->tbnNew;
    ASSERT_TRUE(down.GetDown());
    EXPECT_EQ(At(down, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(up, 0, 0), ColorToRGB(cl3DLight));
    TComboBox& combo = *form->cmbWarehouse;
    EXPECT_TRUE(HasInk(combo, {3, 3, 40, combo.GetHeight() - 3}));
    // The drop button is a raised face at the right, with its arrow.
    EXPECT_EQ(At(combo, combo.GetWidth() - 6, 4), ColorToRGB(clBtnFace));
    EXPECT_TRUE(Has(combo, {combo.GetWidth() - 14, 6, combo.GetWidth() - 6, combo.GetHeight() - 6},
                    clBtnText));
}

TEST_F(ControlsPaintTest, ButtonsListsAndTreesShowTheImagesOfTheirImageLists) {
    Render();
    // The bar's buttons: the page beside the caption, on the button face.
    TToolButton& add = *form->tbnNew;
    EXPECT_TRUE(Has(add, {3, 3, 22, add.GetHeight() - 3}, clBlack));
    // The disabled button's red cross is drawn embossed, without its colour.
    TToolButton& remove = *form->tbnDelete;
    TRect face{3, 3, 22, remove.GetHeight() - 3};
    EXPECT_FALSE(Has(remove, face, clRed));
    EXPECT_TRUE(Has(remove, face, clBtnShadow));
    EXPECT_TRUE(Has(remove, face, clBtnHighlight));
    // Its own disabled image when the bar has disabled images.
    TImageList disabled;
    for (int i = 0; i < 5; ++i) {
        disabled.AddMasked(TCustomImageList::TImagePixels(256, clMaroon), clFuchsia);
    }
    form->tbMain->SetDisabledImages(&disabled);
    Render();
    EXPECT_TRUE(Has(remove, face, clMaroon));
    form->tbMain->SetDisabledImages(nullptr);

    // The list's rows start with their page, the tree's nodes with a folder
    // or a part; the transparent colour never shows.
    TListView& list = *form->lvOrders;
    int row = RowHeight(list);
    int firstRow = 2 + row + 2;
    EXPECT_TRUE(Has(list, {2, firstRow, 22, firstRow + row}, clBlack));
    TTreeView& tree = *form->tvItems;
    EXPECT_TRUE(Has(tree, {2, 3, 60, 3 + row}, clYellow));
    EXPECT_FALSE(Has(tree, {2, 3, 60, 3 + row}, clFuchsia));
    EXPECT_TRUE(Has(tree, {2, 3 + row, 80, 3 + 2 * row}, clNavy));
    EXPECT_FALSE(Has(list, {2, firstRow, 22, firstRow + 3 * row}, clFuchsia));

    // Without the list the rows have no picture.
    list.SetSmallImages(nullptr);
    Render();
    EXPECT_FALSE(Has(list, {2, firstRow, 4, firstRow + row}, clBlack));
}

TEST(MessageDialogPaint, TheDialogShowsTheIconOfItsType) {
    auto dialog = CreateMessageDialog("出错了", mtError, TMsgDlgButtons{mbOK});
    auto b = RenderToBitmap(*dialog);
    TPoint origin = ClientOrigin(*dialog);
    auto at = [&](int x, int y) {
        return TColor(b->Pixel(origin.X + 8 + x, origin.Y + 8 + y) & 0xFFFFFF);
    };
    EXPECT_EQ(at(16, 4), clRed);
    EXPECT_EQ(at(16, 16), clWhite); // the cross
    auto warning = CreateMessageDialog("注意", mtWarning, TMsgDlgButtons{mbOK});
    b = RenderToBitmap(*warning);
    origin = ClientOrigin(*warning);
    EXPECT_EQ(at(8, 24), clYellow);
}

TEST(EditRepaint, TextSetByCodeAsksForARepaint) {
    auto form = MakeUnique<TfrmPaintSample>();
    form->Show();
    form->TakeUpdateRect();
    ASSERT_FALSE(form->NeedsRepaint());
    form->edDate->SetText("2024/06/01");
    EXPECT_TRUE(form->NeedsRepaint());
    TRect area = form->TakeUpdateRect();
    TPoint p = ClientOrigin(*form);
    for (const TControl* c = form->edDate; c != form.get(); c = c->Parent()) {
        p.X += c->GetLeft();
        p.Y += c->GetTop();
    }
    EXPECT_TRUE(PtInRect(area, {p.X + 1, p.Y + 1}));
    EXPECT_TRUE(PtInRect(area, {p.X + form->edDate->GetWidth() - 1, p.Y + 1}));
    form.reset();
    Application().ProcessMessages();
}

// A bitmap file of 24 bits a pixel, bottom row first, rows padded to four bytes.
std::vector<std::uint8_t> BitmapFile(int width, int height, const std::vector<TColor>& topDown) {
    std::vector<std::uint8_t> bytes;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(std::uint8_t(v >> (8 * i)));
        }
    };
    auto u16 = [&](std::uint16_t v) {
        bytes.push_back(std::uint8_t(v));
        bytes.push_back(std::uint8_t(v >> 8));
    };
    int stride = (width * 3 + 3) / 4 * 4;
    bytes = {'B', 'M'};
    u32(std::uint32_t(54 + stride * height));
    u32(0);
    u32(54);
    u32(40);
    u32(std::uint32_t(width));
    u32(std::uint32_t(height));
    u16(1);
    u16(24);
    for (int i = 0; i < 6; ++i) {
        u32(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            TColor c = topDown[std::size_t(y * width + x)];
            bytes.push_back(std::uint8_t(GetBValue(c)));
            bytes.push_back(std::uint8_t(GetGValue(c)));
            bytes.push_back(std::uint8_t(GetRValue(c)));
        }
        bytes.resize(bytes.size() + std::size_t(stride - width * 3), 0);
    }
    return bytes;
}

TEST(GlyphPicture, DecodesBitmapFilesWithOrWithoutTheLengthPrefix) {
    std::vector<TColor> colors{clRed, clLime, clBlue, clOlive, clWhite, clBlack};
    auto file = BitmapFile(3, 2, colors);
    auto prefixed = file;
    std::uint32_t size = std::uint32_t(file.size());
    prefixed.insert(prefixed.begin(), {std::uint8_t(size), std::uint8_t(size >> 8), 0, 0});
    for (const auto& bytes : {file, prefixed}) {
        auto picture = DecodeGlyph(bytes);
        ASSERT_EQ(picture->GetWidth(), 3);
        ASSERT_EQ(picture->GetHeight(), 2);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(TColor(picture->Pixel(i % 3, i / 3) & 0xFFFFFF), colors[std::size_t(i)]);
        }
        // The transparent colour is the bottom-left pixel.
        EXPECT_EQ(picture->GetTransparentColor(), clOlive);
    }
}

TEST(GlyphPicture, RefusesBytesThatAreNoPictureOrAreCutShort) {
    auto file = BitmapFile(4, 4, std::vector<TColor>(16, clRed));
    auto cut = file;
    cut.resize(file.size() - 5);
    auto badDepth = file;
    badDepth[28] = 7;
    const std::vector<std::uint8_t> cases[] = {{}, {'X', 'Y', 'Z'}, {'B', 'M', 0}, cut, badDepth};
    for (const auto& bytes : cases) {
        EXPECT_THROW(DecodeGlyph(bytes), EInvalidGraphic);
    }
}

TEST(GlyphPicture, DrawsTheImageOfTheStateAndEmbossesADisabledSingleImage) {
    // Two 2 x 2 images side by side on an olive background (bottom-left).
    std::vector<TColor> colors{clBlack, clRed, clGreen, clBlue, clOlive, clOlive, clOlive, clOlive};
    auto picture = DecodeGlyph(BitmapFile(4, 2, colors));
    TBitmap target(6, 6);
    TCanvas& canvas = target.Canvas();
    auto pixel = [&](int x, int y) { return TColor(target.Pixel(x, y) & 0xFFFFFF); };
    DrawGlyph(canvas, *picture, 2, TGlyphState::disabled, 1, 1);
    EXPECT_EQ(pixel(1, 1), clGreen);
    EXPECT_EQ(pixel(2, 1), clBlue);
    EXPECT_EQ(pixel(1, 2), clWhite); // transparent: left as it was

    TBitmap single(6, 6);
    DrawGlyph(single.Canvas(), *picture, 1, TGlyphState::disabled, 1, 1);
    // The dark pixel (black, top-left) in the shadow colour, its highlight
    // one pixel right and down (where the light red pixel left nothing).
    EXPECT_EQ(TColor(single.Pixel(1, 1) & 0xFFFFFF), ColorToRGB(clBtnShadow));
    EXPECT_EQ(TColor(single.Pixel(2, 2) & 0xFFFFFF), ColorToRGB(clBtnHighlight));
}

} // namespace
} // namespace kvc
