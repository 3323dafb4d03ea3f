// Copying a PNG image's canvas onto a 16-bit RGB565 TBitmap.
#include "classlib/PngImageBitmap.h"

#include "classlib/Graphics.h"
#include "classlib/core/PngImage.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

uint16_t Pixel(TBitmap& bitmap, int x, int y) { return reinterpret_cast<const uint16_t*>(bitmap.ScanLine(y))[x]; }

TEST(PngImageBitmap, ColoursPackToRgb565AndAlphaIsDropped)
{
    struct Case {
        TRgba pixel;
        uint16_t expected;
    };
    // The 8-bit values a 565 word widens to come back to the same word.
    const Case cases[] = {
        {{8, 4, 8, 255}, 0x0821},    {{255, 255, 255, 255}, 0xFFFF}, {{255, 0, 0, 255}, 0xF800},
        {{0, 255, 0, 255}, 0x07E0},  {{0, 0, 255, 255}, 0x001F},     {{255, 255, 255, 0x7F}, 0xFFFF},
        {{0, 0, 0, 255}, 0x0000},    {{247, 251, 247, 0}, 0xF7DE},   {{7, 3, 7, 255}, 0x0000},
    };
    TPngImage image;
    ASSERT_TRUE(image.CreateBlank(static_cast<uint32_t>(std::size(cases)), 1));
    for (size_t i = 0; i < std::size(cases); ++i) image.Row(0)[i] = cases[i].pixel;

    TBitmap bitmap;
    ASSERT_TRUE(CopyPngToBitmap16(image, static_cast<int>(std::size(cases)), 1, bitmap));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Pixel(bitmap, static_cast<int>(i), 0), cases[i].expected) << "pixel " << i;
}

// The bitmap takes the requested size: the top-left part of a larger canvas, black beyond a smaller one.
TEST(PngImageBitmap, TakesTheTopLeftPartOfTheCanvas)
{
    TPngImage image;
    ASSERT_TRUE(image.CreateBlank(4, 4, TRgba{255, 255, 255, 255}));
    image.SetPixel(2, 1, TRgba{255, 0, 0, 255});

    struct Case {
        int w, h;
    };
    for (const Case c : {Case{3, 2}, Case{4, 4}, Case{5, 6}, Case{1, 1}}) {
        TBitmap bitmap;
        ASSERT_TRUE(CopyPngToBitmap16(image, c.w, c.h, bitmap));
        ASSERT_EQ(bitmap.Width(), c.w);
        ASSERT_EQ(bitmap.Height(), c.h);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const uint16_t expected = (x >= 4 || y >= 4) ? 0x0000 : (x == 2 && y == 1) ? 0xF800 : 0xFFFF;
                EXPECT_EQ(Pixel(bitmap, x, y), expected) << c.w << "x" << c.h << " at " << x << "," << y;
            }
    }
}

TEST(PngImageBitmap, IsATopDownBitfieldsDibSection)
{
    TPngImage image;
    ASSERT_TRUE(image.CreateBlank(3, 2));
    TBitmap bitmap;
    ASSERT_TRUE(CopyPngToBitmap16(image, 3, 2, bitmap));
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(bitmap.Handle(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 16);
    EXPECT_EQ(dib.dsBm.bmWidthBytes, 8);  // 3 pixels padded to 4 bytes
    EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(dib.dsBitfields[0], 0xF800u);
    EXPECT_EQ(dib.dsBitfields[1], 0x07E0u);
    EXPECT_EQ(dib.dsBitfields[2], 0x001Fu);
}

TEST(PngImageBitmap, ASideOfZeroGivesNoBitmapAndDropsTheOldOne)
{
    TPngImage image;
    ASSERT_TRUE(image.CreateBlank(2, 2));
    TBitmap bitmap;
    ASSERT_TRUE(CopyPngToBitmap16(image, 2, 2, bitmap));
    for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {-1, 3}}) {
        EXPECT_FALSE(CopyPngToBitmap16(image, w, h, bitmap)) << w << "x" << h;
        EXPECT_TRUE(bitmap.Empty());
    }
}

// A bitmap of the same size is made anew: nothing of the earlier copy shows where the new canvas does not reach.
TEST(PngImageBitmap, ACopyOfTheSameSizeStartsFromBlack)
{
    TPngImage white;
    ASSERT_TRUE(white.CreateBlank(3, 3, TRgba{255, 255, 255, 255}));
    TPngImage small;
    ASSERT_TRUE(small.CreateBlank(1, 1, TRgba{0, 0, 255, 255}));
    TBitmap bitmap;
    ASSERT_TRUE(CopyPngToBitmap16(white, 3, 3, bitmap));
    ASSERT_TRUE(CopyPngToBitmap16(small, 3, 3, bitmap));
    EXPECT_EQ(bitmap.PixelFormat(), pf16bit);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(bitmap, x, y), x == 0 && y == 0 ? 0x001F : 0x0000) << x << "," << y;
}

} // namespace
