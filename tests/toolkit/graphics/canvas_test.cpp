// Pixels that matter: fills, frames, the focus pattern, transparent and
// raster-operation copies, text inside its rectangle, PNG round trips.
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/font_engine.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : bitmap(20, 12), canvas(bitmap.Canvas()) {
        canvas.Brush.Color = clWhite;
        canvas.FillRect({0, 0, 20, 12});
    }
    TBitmap bitmap;
    TCanvas& canvas;
};

TEST(ColorTest, SystemColoursResolveThroughTheClassicScheme) {
    struct Case {
        TColor color;
        TColor rgb;
    };
    for (Case c : {Case{clBtnFace, RGBColor(0xD4, 0xD0, 0xC8)},
                   Case{clBtnShadow, RGBColor(0x80, 0x80, 0x80)}, Case{clBtnHighlight, clWhite},
                   Case{clWindow, clWhite}, Case{clWindowText, clBlack},
                   Case{clActiveCaption, RGBColor(0x0A, 0x24, 0x6A)},
                   Case{clHighlight, RGBColor(0x0A, 0x24, 0x6A)},
                   Case{clInactiveCaptionText, RGBColor(0xD4, 0xD0, 0xC8)}, Case{clRed, clRed},
                   Case{TColor(0x123456), TColor(0x123456)}}) {
        EXPECT_EQ(ColorToRGB(c.color), c.rgb) << std::hex << int(c.color);
    }
    EXPECT_EQ(GetRValue(clRed), 255);
    EXPECT_EQ(GetBValue(clRed), 0);
}

TEST_F(CanvasTest, FillRectCoversExactlyTheRectangleInTheBrushColour) {
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({2, 3, 6, 5});
    EXPECT_EQ(canvas.GetPixel(2, 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas.GetPixel(5, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas.GetPixel(6, 4), clWhite);
    EXPECT_EQ(canvas.GetPixel(5, 5), clWhite);
    EXPECT_EQ(canvas.GetPixel(1, 3), clWhite);
}

TEST_F(CanvasTest, OriginAndClipBoundWhatIsTouched) {
    canvas.SetOrigin({5, 5});
    canvas.IntersectClipRect({0, 0, 3, 3});
    canvas.Brush.Color = clRed;
    canvas.FillRect({-5, -5, 20, 20});
    canvas.SetOrigin({0, 0});
    canvas.ResetClip();
    EXPECT_EQ(canvas.GetPixel(5, 5), clRed);
    EXPECT_EQ(canvas.GetPixel(7, 7), clRed);
    EXPECT_EQ(canvas.GetPixel(8, 8), clWhite);
    EXPECT_EQ(canvas.GetPixel(4, 5), clWhite);
}

TEST_F(CanvasTest, RectangleFramesInThePenAndFillsInTheBrush) {
    canvas.Pen.Color = clBlack;
    canvas.Brush.Color = clYellow;
    canvas.Rectangle({1, 1, 6, 5});
    EXPECT_EQ(canvas.GetPixel(1, 1), clBlack);
    EXPECT_EQ(canvas.GetPixel(5, 4), clBlack);
    EXPECT_EQ(canvas.GetPixel(3, 2), clYellow);
    EXPECT_EQ(canvas.GetPixel(6, 5), clWhite);
}

TEST_F(CanvasTest, LineToLeavesTheLastPointOut) {
    canvas.Pen.Color = clBlue;
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 0);
    EXPECT_EQ(canvas.GetPixel(3, 0), clBlue);
    EXPECT_EQ(canvas.GetPixel(4, 0), clWhite);
    EXPECT_EQ(canvas.PenPos(), (TPoint{4, 0}));
}

TEST_F(CanvasTest, FocusRectInvertsEveryOtherPixelAndUndoesItself) {
    canvas.DrawFocusRect({0, 0, 6, 4});
    // Top row: 0, 2, 4 inverted (white to black), 1, 3, 5 left.
    EXPECT_EQ(canvas.GetPixel(0, 0), clBlack);
    EXPECT_EQ(canvas.GetPixel(1, 0), clWhite);
    EXPECT_EQ(canvas.GetPixel(2, 0), clBlack);
    // Left column continues the checkerboard.
    EXPECT_EQ(canvas.GetPixel(0, 1), clWhite);
    EXPECT_EQ(canvas.GetPixel(0, 2), clBlack);
    // The inside stays.
    EXPECT_EQ(canvas.GetPixel(2, 2), clWhite);
    canvas.DrawFocusRect({0, 0, 6, 4});
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(canvas.GetPixel(x, 0), clWhite);
    }
}

TEST(BitmapTest, TransparentColourDefaultsToTheBottomLeftPixel) {
    TBitmap b(4, 3);
    b.Canvas().SetPixel(0, 2, clFuchsia);
    EXPECT_EQ(b.GetTransparentColor(), clFuchsia);
    b.SetTransparentColor(clLime);
    EXPECT_EQ(b.GetTransparentColor(), clLime);
    EXPECT_EQ(b.GetTransparentMode(), tmFixed);
}

TEST(BitmapTest, PixelFormatsNormaliseThePixels) {
    TBitmap b(2, 1);
    b.SetPixel(0, 0, 0x7F123456);
    b.SetPixel(1, 0, 0x00808080);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.Pixel(0, 0), 0x123456u);
    b.SetPixelFormat(pf1bit);
    b.SetPixel(0, 0, 0);
    EXPECT_EQ(b.Pixel(0, 0), 0u);
    EXPECT_EQ(b.Pixel(1, 0), 0xFFFFFFu);
}

TEST_F(CanvasTest, TransparentDrawLeavesTheBackground) {
    TBitmap glyph(3, 3);
    glyph.Canvas().Brush.Color = clOlive;
    glyph.Canvas().FillRect({0, 0, 3, 3});
    glyph.Canvas().SetPixel(1, 1, clRed);
    glyph.SetTransparent(true);
    canvas.Brush.Color = clBlue;
    canvas.FillRect({0, 0, 20, 12});
    canvas.Draw(4, 4, glyph);
    EXPECT_EQ(canvas.GetPixel(5, 5), clRed);
    EXPECT_EQ(canvas.GetPixel(4, 4), clBlue);
    EXPECT_EQ(canvas.GetPixel(6, 6), clBlue);
}

TEST_F(CanvasTest, BrushCopyReplacesTheTransparentColourByTheBrush) {
    TBitmap glyph(2, 1);
    glyph.Canvas().SetPixel(0, 0, clFuchsia);
    glyph.Canvas().SetPixel(1, 0, clNavy);
    canvas.Brush.Color = clBtnFace;
    canvas.BrushCopy({0, 0, 2, 1}, glyph, {0, 0, 2, 1}, clFuchsia);
    EXPECT_EQ(canvas.GetPixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas.GetPixel(1, 0), clNavy);
}

TEST(RasterOpTest, TernaryOperationsCombinePatternSourceAndDestination) {
    struct Case {
        TCopyMode rop;
        std::uint32_t p, s, d, result;
    };
    for (Case c :
         {Case{cmSrcCopy, 0x111111, 0x00FF00, 0x0000FF, 0x00FF00},
          Case{cmSrcAnd, 0, 0x00FFFF, 0xFF00FF, 0x0000FF},
          Case{cmSrcPaint, 0, 0x00FF00, 0x0000FF, 0x00FFFF},
          Case{cmSrcInvert, 0, 0xFFFFFF, 0x00FF00, 0xFF00FF},
          Case{cmNotSrcCopy, 0, 0x00FF00, 0, 0xFF00FF},
          Case{cmPatCopy, 0x123456, 0, 0xFFFFFF, 0x123456},
          Case{cmBlackness, 0x123456, 0x123456, 0x123456, 0}, Case{cmWhiteness, 0, 0, 0, 0xFFFFFF},
          Case{cmDstInvert, 0, 0, 0x00FF00, 0xFF00FF},
          Case{cmMaskPaintBrush, 0xABCDEF, 0x000000, 0x123456, 0xABCDEF},
          Case{cmMaskPaintBrush, 0xABCDEF, 0xFFFFFF, 0x123456, 0x123456},
          Case{cmMaskPaintBrushWhite, 0xABCDEF, 0xFFFFFF, 0x123456, 0xABCDEF}}) {
        EXPECT_EQ(ApplyRop3(c.rop, c.p, c.s, c.d), c.result) << std::hex << c.rop;
    }
}

// The step of the disabled glyph: a mask of black (paint) and the
// transparent colour, made monochrome, stamps the brush offset by one pixel
// in highlight and then in place in shadow.
TEST(RasterOpTest, MaskStampsTheBrushWhereTheMaskIsBlack) {
    TBitmap mask(4, 4);
    mask.Canvas().Brush.Color = clFuchsia;
    mask.Canvas().FillRect({0, 0, 4, 4});
    mask.Canvas().SetPixel(1, 1, clBlack);
    mask.Canvas().SetPixel(2, 1, clBlack);
    mask.SetMonochrome(true);
    EXPECT_EQ(mask.Canvas().GetPixel(0, 0), clWhite);

    TBitmap disabled(4, 4);
    TCanvas& d = disabled.Canvas();
    d.Brush.Color = clBtnFace;
    d.FillRect({0, 0, 4, 4});
    d.CopyMode = cmMaskPaintBrush;
    d.Brush.Color = clBtnHighlight;
    d.CopyRect({1, 1, 5, 5}, mask.Canvas(), {0, 0, 4, 4});
    d.Brush.Color = clBtnShadow;
    d.CopyRect({0, 0, 4, 4}, mask.Canvas(), {0, 0, 4, 4});

    EXPECT_EQ(d.GetPixel(1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(d.GetPixel(2, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(d.GetPixel(3, 2), ColorToRGB(clBtnHighlight)); // only the offset copy
    EXPECT_EQ(d.GetPixel(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(d.GetPixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(d.GetPixel(3, 3), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, StretchDrawScalesByNearestPixel) {
    TBitmap two(2, 1);
    two.Canvas().SetPixel(0, 0, clRed);
    two.Canvas().SetPixel(1, 0, clBlue);
    canvas.StretchDraw({0, 0, 4, 2}, two);
    EXPECT_EQ(canvas.GetPixel(1, 1), clRed);
    EXPECT_EQ(canvas.GetPixel(2, 0), clBlue);
    EXPECT_EQ(canvas.GetPixel(4, 0), clWhite);
}

TEST(PngTest, PicturesSurviveARoundTrip) {
    TBitmap b(3, 2);
    b.Canvas().SetPixel(0, 0, clRed);
    b.Canvas().SetPixel(2, 1, TColor(0x123456));
    TBitmap back;
    back.LoadFromPngBytes(b.SaveToPngBytes());
    ASSERT_EQ(back.GetWidth(), 3);
    ASSERT_EQ(back.GetHeight(), 2);
    EXPECT_EQ(back.Canvas().GetPixel(0, 0), clRed);
    EXPECT_EQ(back.Canvas().GetPixel(2, 1), TColor(0x123456));
    EXPECT_EQ(back.Canvas().GetPixel(1, 0), clWhite);
}

TEST(PngTest, BadInputRaises) {
    TBitmap b;
    EXPECT_THROW(b.LoadFromPngBytes({1, 2, 3, 4}), EInvalidGraphic);
    EXPECT_THROW(b.LoadFromFile("/nonexistent/picture.png"), EInOutError);
    EXPECT_THROW(b.SaveToPngBytes(), EInvalidGraphic);
}

class TextTest : public ::testing::Test {
protected:
    TextTest() : bitmap(120, 40), canvas(bitmap.Canvas()) {
        canvas.Brush.Color = clWhite;
        canvas.FillRect({0, 0, 120, 40});
        canvas.Font.SetName("宋体");
        canvas.Font.SetHeight(-13);
        canvas.Font.SetColor(clRed);
    }
    // The bounding box of pixels that are not white, and whether every one
    // of them is a shade between white and the font colour (red).
    TRect Ink(bool& onlyRed) const {
        TRect r{1000, 1000, -1, -1};
        onlyRed = true;
        for (int y = 0; y < bitmap.GetHeight(); ++y) {
            for (int x = 0; x < bitmap.GetWidth(); ++x) {
                TColor c = TColor(bitmap.Pixel(x, y) & 0xFFFFFF);
                if (c == clWhite) {
                    continue;
                }
                onlyRed = onlyRed && GetRValue(c) == 255 && GetGValue(c) == GetBValue(c);
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                     std::max(r.Bottom, y + 1)};
            }
        }
        return r;
    }
    TBitmap bitmap;
    TCanvas& canvas;
};

TEST_F(TextTest, ChineseNamesMapToASongFaceAndOthersToASansFace) {
    EXPECT_EQ(FamilyCandidates("宋体").front(), "AR PL UMing CN");
    EXPECT_EQ(FamilyCandidates("SimSun").front(), "AR PL UMing CN");
    EXPECT_EQ(FamilyCandidates("MingLiU").front(), "AR PL UMing TW");
    EXPECT_EQ(FamilyCandidates("Tahoma").front(), "DejaVu Sans");
    EXPECT_EQ(FamilyCandidates("MS Sans Serif").front(), "DejaVu Sans");
    EXPECT_EQ(FontEngine().Resolve(canvas.Font).Family(), "AR PL UMing CN");
}

TEST_F(TextTest, TextIsDrawnInsideItsRectangleInTheFontColour) {
    TRect r{10, 5, 110, 35};
    canvas.Brush.Style = bsClear;
    canvas.DrawText("条件 OK", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    bool onlyRed = false;
    TRect ink = Ink(onlyRed);
    EXPECT_TRUE(onlyRed);
    EXPECT_GE(ink.Left, r.Left);
    EXPECT_LE(ink.Right, r.Right);
    EXPECT_GE(ink.Top, r.Top);
    EXPECT_LE(ink.Bottom, r.Bottom);
    // Centred: about as much room left and right.
    EXPECT_LE(std::abs((ink.Left - r.Left) - (r.Right - ink.Right)), 3);
    EXPECT_GT(ink.Width(), 30);
}

TEST_F(TextTest, TextIsClippedToItsRectangle) {
    TRect r{10, 5, 30, 20};
    canvas.Brush.Style = bsClear;
    canvas.DrawText("很长很长的一段文字", r, DT_SINGLELINE);
    bool onlyRed = false;
    TRect ink = Ink(onlyRed);
    EXPECT_LE(ink.Right, 30);
    EXPECT_GE(ink.Left, 10);
}

TEST_F(TextTest, MetricsFollowTheHeightAndTheAccelerator) {
    int width = canvas.TextWidth("条件");
    EXPECT_EQ(canvas.TextWidth("条件条件"), 2 * width);
    EXPECT_GE(canvas.TextHeight("条"), 13);
    TRect calc{0, 0, 1000, 0};
    canvas.DrawText("&Yes", calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), canvas.TextWidth("Yes"));
    TRect noPrefix{0, 0, 1000, 0};
    canvas.DrawText("&Yes", noPrefix, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(noPrefix.Width(), canvas.TextWidth("&Yes"));
    canvas.Font.SetSize(12); // 16 pixels
    EXPECT_EQ(canvas.Font.GetHeight(), -16);
    EXPECT_GT(canvas.TextWidth("条件"), width);
}

TEST_F(TextTest, WordBreakMakesLinesThatFitTheWidth) {
    canvas.Font.SetName("Tahoma");
    TRect calc{0, 0, 60, 0};
    int one = canvas.TextHeight("x");
    int height = canvas.DrawText("alpha beta gamma delta", calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(height, 2 * one);
    EXPECT_LE(calc.Width(), 60);
}

TEST_F(TextTest, AMissingCharacterComesFromAFallbackFace) {
    canvas.Font.SetName("Tahoma"); // the sans face has no Chinese characters
    TResolvedFont& font = FontEngine().Resolve(canvas.Font);
    EXPECT_EQ(font.Family(), "DejaVu Sans");
    const TGlyph& glyph = font.Glyph(U'缺');
    EXPECT_GT(glyph.advance, 0);
    EXPECT_GT(glyph.width * glyph.height, 0);
}

TEST_F(TextTest, UnderlineAndAcceleratorDrawARule) {
    canvas.Brush.Style = bsClear;
    TRect plain{0, 0, 120, 20};
    canvas.DrawText("Yes", plain, DT_SINGLELINE | DT_NOPREFIX);
    bool onlyRed = false;
    int plainBottom = Ink(onlyRed).Bottom;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect({0, 0, 120, 40});
    canvas.Brush.Style = bsClear;
    TRect accel{0, 0, 120, 20};
    canvas.DrawText("&Yes", accel, DT_SINGLELINE);
    EXPECT_GT(Ink(onlyRed).Bottom, plainBottom);
}

} // namespace
} // namespace kvc
