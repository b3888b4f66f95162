// Image lists holding pictures: transparent drawing from a mask or a key
// colour, the disabled look, copies out, and the checks on sizes.
#include "toolkit/graphics/canvas.h"
#include "toolkit/image_list.h"

#include <gtest/gtest.h>
#include <memory>

namespace kvc {
namespace {

// 4 x 2 pictures: a red pixel, a black one, a light grey one and the key
// colour (fuchsia) on the first row; the second row all red.
std::unique_ptr<TBitmap> Picture(int images = 1) {
    auto picture = std::make_unique<TBitmap>(4 * images, 2);
    for (int i = 0; i < images; ++i) {
        picture->SetPixel(4 * i + 0, 0, TBitmap::Opaque(clRed));
        picture->SetPixel(4 * i + 1, 0, TBitmap::Opaque(clBlack));
        picture->SetPixel(4 * i + 2, 0, TBitmap::Opaque(clSilver));
        picture->SetPixel(4 * i + 3, 0, TBitmap::Opaque(clFuchsia));
        for (int x = 0; x < 4; ++x) {
            picture->SetPixel(4 * i + x, 1, TBitmap::Opaque(i == 0 ? clRed : clBlue));
        }
    }
    return picture;
}

class ImageListTest : public ::testing::Test {
protected:
    ImageListTest() : target(10, 6), canvas(target.Canvas()) {
        images.SetWidth(4);
        images.SetHeight(2);
        canvas.Brush.Color = clLime;
        canvas.FillRect({0, 0, 10, 6});
    }
    TColor At(int x, int y) const { return TColor(target.Pixel(x, y) & 0xFFFFFF); }

    TImageList images;
    TBitmap target;
    TCanvas& canvas;
};

TEST_F(ImageListTest, AMaskedImageLeavesItsKeyColourOut) {
    ASSERT_EQ(images.AddMasked(*Picture(), clFuchsia), 0);
    images.Draw(canvas, 2, 1, 0);
    EXPECT_EQ(At(2, 1), clRed);
    EXPECT_EQ(At(3, 1), clBlack);
    EXPECT_EQ(At(4, 1), clSilver);
    EXPECT_EQ(At(5, 1), clLime); // the key colour stays out
    EXPECT_EQ(At(5, 2), clRed);
    EXPECT_EQ(At(6, 1), clLime); // nothing beyond the image
    EXPECT_EQ(At(1, 1), clLime);
}

TEST_F(ImageListTest, ClDefaultTakesTheBitmapsTransparentColour) {
    auto picture = Picture();
    picture->SetTransparentColor(clSilver);
    images.AddMasked(*picture, clDefault);
    images.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(At(2, 0), clLime);
    EXPECT_EQ(At(3, 0), clFuchsia);
}

TEST_F(ImageListTest, AMaskBitmapsWhitePixelsAreTransparent) {
    TBitmap mask(4, 2);
    mask.Canvas().Brush.Color = clBlack;
    mask.Canvas().FillRect({0, 0, 4, 2});
    mask.SetPixel(0, 0, TBitmap::Opaque(clWhite));
    images.Add(*Picture(), &mask);
    images.Add(*Picture(), nullptr);
    images.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(At(0, 0), clLime);
    EXPECT_EQ(At(3, 0), clFuchsia); // opaque in the mask, whatever its colour
    images.Draw(canvas, 0, 0, 1);
    EXPECT_EQ(At(0, 0), clRed); // no mask: opaque everywhere
}

TEST_F(ImageListTest, AWideBitmapAddsOneImageForEachWidth) {
    images.AddMasked(*Picture(), clFuchsia);
    EXPECT_EQ(images.AddMasked(*Picture(2), clFuchsia), 1);
    ASSERT_EQ(images.Count(), 3);
    images.Draw(canvas, 0, 0, 2);
    EXPECT_EQ(At(0, 1), clBlue);
    images.Delete(1);
    ASSERT_EQ(images.Count(), 2);
    images.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(At(0, 1), clRed);
    images.Clear();
    EXPECT_EQ(images.Count(), 0);
    EXPECT_THROW(images.Draw(canvas, 0, 0, 0), EInvalidOperation);
}

TEST_F(ImageListTest, BitmapsThatAreNotWholeImagesAreRefused) {
    struct Case {
        int width;
        int height;
    };
    for (Case c : {Case{3, 2}, Case{6, 2}, Case{4, 3}, Case{0, 0}}) {
        TBitmap picture(c.width, c.height);
        EXPECT_THROW(images.Add(picture, nullptr), EInvalidOperation) << c.width << "x" << c.height;
    }
    TBitmap smallMask(2, 2);
    EXPECT_THROW(images.Add(*Picture(), &smallMask), EInvalidOperation);
    EXPECT_EQ(images.Count(), 0);
}

TEST_F(ImageListTest, ADisabledImageIsTheEmbossedShapeOfItsDarkPixels) {
    images.AddMasked(*Picture(), clFuchsia);
    images.Draw(canvas, 2, 1, 0, false);
    // Dark pixels (red, black) in the shadow colour where they are.
    EXPECT_EQ(At(2, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(3, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(2, 2), ColorToRGB(clBtnShadow));
    // Their highlight one pixel right and down shows where no shadow covers it.
    EXPECT_EQ(At(4, 2), ColorToRGB(clBtnShadow)); // red row, shadowed
    EXPECT_EQ(At(6, 3), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(4, 1), clLime); // the light pixel leaves no shape
    EXPECT_EQ(At(5, 1), clLime); // nor does a transparent one
    EXPECT_EQ(At(1, 1), clLime);
    // The canvas's brush and copy mode come back as they were.
    EXPECT_EQ(canvas.Brush.Color, clLime);
    EXPECT_EQ(canvas.CopyMode, cmSrcCopy);
}

TEST_F(ImageListTest, BkColorFillsTheTransparentPixels) {
    images.AddMasked(*Picture(), clFuchsia);
    images.SetBkColor(clYellow);
    images.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(At(3, 0), clYellow);
    TBitmap copy;
    images.GetBitmap(0, copy);
    EXPECT_EQ(copy.GetWidth(), 4);
    EXPECT_EQ(copy.GetHeight(), 2);
    EXPECT_EQ(TColor(copy.Pixel(0, 0) & 0xFFFFFF), clRed);
    EXPECT_EQ(TColor(copy.Pixel(3, 0) & 0xFFFFFF), clYellow);
    images.SetBkColor(clNone);
    images.GetBitmap(0, copy);
    EXPECT_EQ(TColor(copy.Pixel(3, 0) & 0xFFFFFF), clWhite);
}

TEST_F(ImageListTest, ImagesOfPlainPixelsDrawAsBitmapsDo) {
    TCustomImageList::TImagePixels pixels(8, clNavy);
    pixels[1] = clFuchsia;
    images.AddMasked(pixels, clFuchsia);
    images.Add(pixels);
    EXPECT_TRUE(images.Mask(0)[1]);
    EXPECT_FALSE(images.Mask(1)[1]);
    images.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(At(0, 0), clNavy);
    EXPECT_EQ(At(1, 0), clLime);
    images.Draw(canvas, 0, 0, 1);
    EXPECT_EQ(At(1, 0), clFuchsia);
    // An unmasked list draws every pixel.
    images.SetMasked(false);
    canvas.FillRect({0, 0, 10, 6});
    images.Draw(canvas, 0, 0, 0);
    EXPECT_EQ(At(1, 0), clFuchsia);
}

} // namespace
} // namespace kvc
