#include "erp/libs/arresd5/arresd5.h"
#include "toolkit/graphics/bitmap.h"

#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace kvc {
namespace {

// A picture as a caller gets it: ask for the size, then load.
std::vector<std::uint8_t> Load(std::int32_t number, ArResBitmap& bitmap) {
    bitmap = {};
    if (LoadBmp(&bitmap, number) != ARRESD5_BUFFER_TOO_SMALL) {
        return {};
    }
    std::vector<std::uint8_t> png(static_cast<std::size_t>(bitmap.size));
    bitmap.data = png.data();
    bitmap.capacity = bitmap.size;
    EXPECT_EQ(LoadBmp(&bitmap, number), 1);
    return png;
}

TEST(ArResD5, HighestNumberIsTheLastPictureHeld) {
    EXPECT_EQ(GetMaxBmpID(), 81);
}

struct PictureCase {
    std::int32_t number;
    int images; // square images side by side
};

class ArResD5Picture : public ::testing::TestWithParam<PictureCase> {};

// Every picture the forms use decodes, has its images side by side at 16 x
// 16, keeps to 16 colours, and draws something on its transparent ground.
TEST_P(ArResD5Picture, IsASixteenColourButtonPicture) {
    const PictureCase c = GetParam();
    ArResBitmap bitmap;
    std::vector<std::uint8_t> png = Load(c.number, bitmap);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(bitmap.width, 16 * c.images);
    EXPECT_EQ(bitmap.height, 16);

    TBitmap picture;
    picture.LoadFromPngBytes(png);
    ASSERT_EQ(picture.GetWidth(), bitmap.width);
    ASSERT_EQ(picture.GetHeight(), bitmap.height);
    std::set<std::uint32_t> colours;
    const std::uint32_t ground = picture.Pixel(0, picture.GetHeight() - 1);
    for (int image = 0; image < c.images; ++image) {
        int drawn = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 16 * image; x < 16 * (image + 1); ++x) {
                colours.insert(picture.Pixel(x, y));
                drawn += picture.Pixel(x, y) != ground ? 1 : 0;
            }
        }
        EXPECT_GE(drawn, 6) << "image " << image;
    }
    EXPECT_LE(colours.size(), 16u);
}

INSTANTIATE_TEST_SUITE_P(FormPictures, ArResD5Picture,
                         ::testing::Values(PictureCase{4, 2}, PictureCase{8, 1}, PictureCase{9, 1},
                                           PictureCase{39, 1}, PictureCase{47, 1},
                                           PictureCase{63, 1}, PictureCase{81, 1}));

TEST(ArResD5, TheDisabledImageIsNotACopyOfTheNormalOne) {
    ArResBitmap bitmap;
    TBitmap picture;
    picture.LoadFromPngBytes(Load(4, bitmap));
    int differing = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            differing += picture.Pixel(x, y) != picture.Pixel(x + 16, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differing, 20);
}

// Numbers the library does not hold get a plain "no", and the sizes say so.
TEST(ArResD5, NumbersNotHeldLoadNothing) {
    for (std::int32_t number : {0, -1, 5, 80, 82, INT32_MIN, INT32_MAX}) {
        std::uint8_t buffer[4] = {7, 7, 7, 7};
        ArResBitmap bitmap{buffer, sizeof buffer, -5, -5, -5};
        EXPECT_EQ(LoadBmp(&bitmap, number), 0) << number;
        EXPECT_EQ(bitmap.size, 0) << number;
        EXPECT_EQ(bitmap.width, 0) << number;
        EXPECT_EQ(bitmap.height, 0) << number;
        EXPECT_EQ(buffer[0], 7) << number;
    }
}

TEST(ArResD5, BadArgumentsAreRefusedWithoutWriting) {
    EXPECT_EQ(LoadBmp(nullptr, 8), ARRESD5_BAD_ARGUMENT);
    std::uint8_t buffer[4] = {};
    struct Case {
        std::uint8_t* data;
        std::int32_t capacity;
    };
    for (Case c : {Case{buffer, -1}, Case{nullptr, 10}, Case{buffer, INT32_MIN}}) {
        ArResBitmap bitmap{c.data, c.capacity, -5, -5, -5};
        EXPECT_EQ(LoadBmp(&bitmap, 8), ARRESD5_BAD_ARGUMENT) << c.capacity;
        EXPECT_EQ(bitmap.size, -5);
    }
}

TEST(ArResD5, ABufferOneByteShortIsLeftUntouched) {
    ArResBitmap probe{};
    ASSERT_EQ(LoadBmp(&probe, 9), ARRESD5_BUFFER_TOO_SMALL);
    ASSERT_GT(probe.size, 8);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(probe.size) - 1, 0xAB);
    ArResBitmap bitmap{buffer.data(), probe.size - 1, 0, 0, 0};
    EXPECT_EQ(LoadBmp(&bitmap, 9), ARRESD5_BUFFER_TOO_SMALL);
    EXPECT_EQ(bitmap.size, probe.size);
    EXPECT_EQ(bitmap.width, 16);
    EXPECT_EQ(bitmap.height, 16);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.size(), 0xAB), buffer);
}

} // namespace
} // namespace kvc
