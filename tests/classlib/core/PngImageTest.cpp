// TPngImage: encode/decode round trips, foreign PNG layouts, damaged and oversized input.
#include "classlib/core/PngImage.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// A deterministic image with varied colours and alpha, so a channel or row mix-up cannot go unnoticed.
TPngImage Pattern(uint32_t w, uint32_t h)
{
    TPngImage img;
    EXPECT_TRUE(img.CreateBlank(w, h));
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            img.Row(y)[x] = TRgba{uint8_t(x * 7 + y), uint8_t(y * 13), uint8_t(x ^ y), uint8_t(255 - x - y)};
    return img;
}

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// Encodes raw samples with libpng's simplified writer: layouts TPngImage itself never writes.
std::vector<uint8_t> ForeignPng(uint32_t w, uint32_t h, uint32_t format, const void* samples,
                                const void* colormap = nullptr, uint32_t colormapEntries = 0)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = format;
    image.colormap_entries = colormapEntries;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_get_memory_size(image, size, 0, samples, 0, colormap));
    std::vector<uint8_t> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, samples, 0, colormap));
    out.resize(size);
    return out;
}

TEST(PngImage, CreateBlankFillsAndRejectsBadSides)
{
    TPngImage img;
    ASSERT_TRUE(img.CreateBlank(3, 2));
    for (TRgba p : img.Pixels()) EXPECT_EQ(p, (TRgba{0, 0, 0, 255}));

    for (auto [w, h] : {std::pair{0u, 5u}, {5u, 0u}, {65536u, 1u}}) {
        EXPECT_FALSE(img.CreateBlank(w, h)) << w << "x" << h;
        EXPECT_EQ(img.Width(), 3u);
        EXPECT_EQ(img.Height(), 2u);
    }
}

TEST(PngImage, CheckedPixelAccessIgnoresOutsideTheCanvas)
{
    TPngImage img;
    ASSERT_TRUE(img.CreateBlank(2, 2, TRgba{1, 2, 3, 4}));
    img.SetPixel(2, 0, TRgba{9, 9, 9, 9});
    img.SetPixel(0, 2, TRgba{9, 9, 9, 9});
    for (TRgba p : img.Pixels()) EXPECT_EQ(p, (TRgba{1, 2, 3, 4}));
    EXPECT_EQ(img.Pixel(5, 5), TRgba{});

    const uint8_t alpha[] = {0x7F, 0x10, 0x20};  // one value more than the row holds
    img.SetAlphaRow(1, alpha);
    img.SetAlphaRow(7, alpha);
    EXPECT_EQ(img.Pixel(0, 1), (TRgba{1, 2, 3, 0x7F}));
    EXPECT_EQ(img.Pixel(1, 1), (TRgba{1, 2, 3, 0x10}));
    EXPECT_EQ(img.Pixel(0, 0), (TRgba{1, 2, 3, 4}));
}

struct RoundTripCase {
    uint32_t w, h;
    int level;
};

class PngRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(PngRoundTrip, DecodesToTheSamePixelsAsAnRgba8File)
{
    const auto [w, h, level] = GetParam();
    const TPngImage src = Pattern(w, h);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(src.SaveToMemory(bytes, level)) << src.LastError();

    // IHDR directly after the signature: size, 8 bits, colour type 6, not interlaced.
    ASSERT_GE(bytes.size(), 33u);
    EXPECT_EQ(std::memcmp(bytes.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(Be32(&bytes[16]), w);
    EXPECT_EQ(Be32(&bytes[20]), h);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 6);
    EXPECT_EQ(bytes[28], 0);

    TPngImage back;
    ASSERT_TRUE(back.LoadFromMemory(bytes)) << back.LastError();
    ASSERT_EQ(back.Width(), w);
    ASSERT_EQ(back.Height(), h);
    EXPECT_TRUE(std::equal(src.Pixels().begin(), src.Pixels().end(), back.Pixels().begin()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngRoundTrip,
                         testing::Values(RoundTripCase{1, 1, 0}, RoundTripCase{3, 5, 4}, RoundTripCase{64, 32, 0},
                                         RoundTripCase{96, 64, 4}, RoundTripCase{128, 128, 9},
                                         RoundTripCase{300, 2, -3}, RoundTripCase{2, 300, 42}));

TEST(PngImage, LevelZeroStoresAndHigherLevelsCompress)
{
    TPngImage flat;
    ASSERT_TRUE(flat.CreateBlank(256, 256));
    std::vector<uint8_t> stored, packed;
    ASSERT_TRUE(flat.SaveToMemory(stored, 0));
    ASSERT_TRUE(flat.SaveToMemory(packed, 4));
    EXPECT_GT(stored.size(), 256u * 256u * 4u);  // raw rows plus filter bytes and block headers
    EXPECT_LT(packed.size(), 4096u);
}

TEST(PngImage, SaveToFileWritesTheEncodedBytesAndReportsAMissingFolder)
{
    testsupport::TempDir dir;
    const TPngImage img = Pattern(20, 10);
    const std::string path = dir.file("x.tmp");
    {
        std::ofstream(path, std::ios::binary) << std::string(100000, 'z');  // an older, longer file is replaced
    }
    ASSERT_TRUE(img.SaveToFile(path, 4));
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> onDisk{std::istreambuf_iterator<char>(in), {}};
    std::vector<uint8_t> inMemory;
    ASSERT_TRUE(img.SaveToMemory(inMemory, 4));
    EXPECT_EQ(onDisk, inMemory);

    EXPECT_FALSE(img.SaveToFile(dir.file("no-such-folder/x.tmp"), 4));
    EXPECT_FALSE(img.LastError().empty());
}

// Other PNG layouts decode to RGBA 8-bit: grey widens to RGB, missing alpha becomes 255, 16-bit keeps the high
// byte, palette entries expand (with their transparency).
TEST(PngImage, ForeignLayoutsDecodeToRgba8)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        std::vector<TRgba> expected;
    };
    const uint8_t grey[] = {0, 128, 255};
    const uint8_t greyAlpha[] = {10, 20, 30, 40, 50, 60};
    const uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const uint16_t linear16[] = {0xFFFF, 0x0000, 0xFFFF, 0xFFFF};  // RGBA, linear: white opaque
    const uint8_t indexes[] = {1, 0, 1};
    const uint8_t palette[] = {255, 0, 0, 0, 0, 0, 255, 255};  // RGBA entries: transparent red, opaque blue
    const Case cases[] = {
        {"grey", ForeignPng(3, 1, PNG_FORMAT_GRAY, grey), {{0, 0, 0, 255}, {128, 128, 128, 255}, {255, 255, 255, 255}}},
        {"grey+alpha", ForeignPng(3, 1, PNG_FORMAT_GA, greyAlpha),
         {{10, 10, 10, 20}, {30, 30, 30, 40}, {50, 50, 50, 60}}},
        {"rgb", ForeignPng(3, 1, PNG_FORMAT_RGB, rgb), {{1, 2, 3, 255}, {4, 5, 6, 255}, {7, 8, 9, 255}}},
        {"rgba16", ForeignPng(1, 1, PNG_FORMAT_LINEAR_RGB_ALPHA, linear16), {{255, 0, 255, 255}}},
        {"palette", ForeignPng(3, 1, PNG_FORMAT_RGBA_COLORMAP, indexes, palette, 2),
         {{0, 0, 255, 255}, {255, 0, 0, 0}, {0, 0, 255, 255}}},
    };
    for (const Case& c : cases) {
        TPngImage img;
        ASSERT_TRUE(img.LoadFromMemory(c.file)) << c.name << ": " << img.LastError();
        ASSERT_EQ(img.Width() * img.Height(), c.expected.size()) << c.name;
        EXPECT_TRUE(std::equal(c.expected.begin(), c.expected.end(), img.Pixels().begin())) << c.name;
    }
}

// A load that fails for any reason leaves the image it replaces untouched.
TEST(PngImage, DamagedInputFailsWithoutChangingTheImage)
{
    std::vector<uint8_t> good;
    ASSERT_TRUE(Pattern(40, 30).SaveToMemory(good, 4));
    auto cut = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + n); };
    auto flipped = [&](size_t at) {
        auto v = good;
        v[at] ^= 0x5A;
        return v;
    };
    std::vector<uint8_t> zeroWidth = good;  // IHDR width 0, CRC left as it was
    std::memset(&zeroWidth[16], 0, 4);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"signature only", cut(8)},
        {"wrong signature", flipped(1)},
        {"cut inside IHDR", cut(20)},
        {"cut after IHDR", cut(33)},
        {"cut inside IDAT", cut(good.size() / 2)},
        {"cut before IEND", cut(good.size() - 12)},
        {"IHDR damaged", flipped(18)},
        {"IDAT damaged", flipped(good.size() / 2)},
        {"zero width", zeroWidth},
    };
    for (const Case& c : cases) {
        TPngImage img;
        ASSERT_TRUE(img.CreateBlank(2, 2, TRgba{7, 7, 7, 7}));
        EXPECT_FALSE(img.LoadFromMemory(c.bytes)) << c.name;
        EXPECT_FALSE(img.LastError().empty()) << c.name;
        EXPECT_EQ(img.Width(), 2u) << c.name;
        EXPECT_EQ(img.Pixel(1, 1), (TRgba{7, 7, 7, 7})) << c.name;
    }
}

TEST(PngImage, SidesBeyondTheLimitsAreRefused)
{
    struct Case {
        uint32_t w, h;
        TPngLimits limits;
        bool loads;
    };
    const Case cases[] = {
        {4096, 1, {}, true},
        {4097, 1, {}, false},
        {1, 4097, {}, false},
        {64, 64, {.MaxWidth = 64, .MaxHeight = 64}, true},
        {65, 64, {.MaxWidth = 64, .MaxHeight = 64}, false},
        {64, 65, {.MaxWidth = 64, .MaxHeight = 64}, false},
    };
    for (const Case& c : cases) {
        TPngImage src;
        ASSERT_TRUE(src.CreateBlank(c.w, c.h));
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(src.SaveToMemory(bytes, 1));
        TPngImage img;
        EXPECT_EQ(img.LoadFromMemory(bytes, c.limits), c.loads) << c.w << "x" << c.h;
        EXPECT_EQ(img.Width(), c.loads ? c.w : 0u);
    }
}

} // namespace
