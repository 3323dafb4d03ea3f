// The platform-free WIL layout, decoder and picker count against libraries built by the fixture writer.
#include "gamedata/core/WilDecoder.h"
#include "tests/fixtures/core/WilFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <vector>

using namespace fixtures;

namespace {

constexpr uint32_t Black = 0xFF000000u;

uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return PackRgba(r, g, b, a); }

struct Decoded {
    TImageDecodeStatus Status;
    TWilImageHeader Header;
    TRgbaCanvas Canvas;
};

Decoded Decode(const WilLibrary& lib, int64_t index)
{
    Decoded d{};
    d.Status = DecodeWilImage(lib.Wil, lib.Wix, index, d.Header, d.Canvas);
    return d;
}

// A 5 x 3 image using every run kind: row 0 mixes all three, row 1 is one opaque run, row 2 transparent.
WilImage MixedImage()
{
    WilImage image = MakeWilImage(5, 3);
    image.OffsetX = -12;
    image.OffsetY = 7;
    image.Byte8 = 0xAB;
    image.Word9 = 0x1234;
    image.Word11 = 0xBEEF;
    image.At(1, 0) = Opaque(0xF800);
    image.At(2, 0) = Opaque(0x07E0);
    image.At(3, 0) = Semi(0xFFFF);
    image.At(4, 0) = Semi(0x001F);
    for (int x = 0; x < 5; ++x) image.At(x, 1) = Opaque(0x0821);
    return image;
}

}  // namespace

// ---- colour widening ----

struct WideningRow {
    uint16_t Colour;
    uint8_t R, G, B;
};

void PrintTo(const WideningRow& row, std::ostream* os)
{
    *os << "0x" << std::hex << row.Colour << std::dec << " -> " << int{row.R} << "," << int{row.G} << ","
        << int{row.B};
}

class WilWidening : public testing::TestWithParam<WideningRow> {};

TEST_P(WilWidening, WidensEachChannelToEightBits)
{
    const WideningRow row = GetParam();
    const TRgb8 c = WidenRGB565(row.Colour);
    EXPECT_EQ(c.R, row.R);
    EXPECT_EQ(c.G, row.G);
    EXPECT_EQ(c.B, row.B);
}

INSTANTIATE_TEST_SUITE_P(Table, WilWidening,
                         testing::Values(WideningRow{0x0000, 0, 0, 0}, WideningRow{0xFFFF, 255, 255, 255},
                                         WideningRow{0x0821, 8, 4, 8}, WideningRow{0xF800, 255, 0, 0},
                                         WideningRow{0x07E0, 0, 255, 0}, WideningRow{0x001F, 0, 0, 255},
                                         WideningRow{0x8410, 132, 130, 132}, WideningRow{0x39E7, 58, 61, 58}));

TEST(WilWidening, EveryChannelValueMatchesTheScaledRounding)
{
    // The library's definition: Trunc(c x 8.225806 + 0.5) for 5 bits, Trunc(c x 4.047619 + 0.5) for 6 bits.
    for (uint16_t c = 0; c < 32; ++c) {
        const auto expected = static_cast<uint8_t>(std::trunc(c * 8.225806 + 0.5));
        EXPECT_EQ(WidenRGB565(static_cast<uint16_t>(c << 11)).R, expected) << c;
        EXPECT_EQ(WidenRGB565(c).B, expected) << c;
    }
    for (uint16_t c = 0; c < 64; ++c)
        EXPECT_EQ(WidenRGB565(static_cast<uint16_t>(c << 5)).G, static_cast<uint8_t>(std::trunc(c * 4.047619 + 0.5)))
            << c;
}

// ---- sizes ----

TEST(WilSizes, VersionTable)
{
    struct Row {
        uint16_t Version;
        size_t Image, Index;
    };
    for (const Row& row : {Row{17, 17, 24}, Row{5000, 21, 28}, Row{0, 0, 0}, Row{16, 0, 0}, Row{7000, 0, 0}}) {
        EXPECT_EQ(ImageHeaderSize(row.Version), row.Image) << row.Version;
        EXPECT_EQ(IndexHeaderSize(row.Version), row.Index) << row.Version;
    }
}

TEST(WilSizes, PowerOfTwoCanvasSides)
{
    const std::pair<uint32_t, uint32_t> rows[] = {{0, 1},  {1, 1},   {2, 2},     {3, 4},     {48, 64},
                                                  {64, 64}, {65, 128}, {96, 128}, {4095, 4096}, {4096, 4096}};
    for (auto [side, expected] : rows) EXPECT_EQ(NextPowerOfTwo(side), expected) << side;
}

// ---- decoding good libraries ----

TEST(WilDecode, MixedRunsGiveTheirPixelsOnAnOpaqueBlackCanvas)
{
    const Decoded d = Decode(BuildWilLibrary(17, {MixedImage()}), 0);
    ASSERT_EQ(d.Status, TImageDecodeStatus::Decoded);
    ASSERT_EQ(d.Canvas.Width, 8u);
    ASSERT_EQ(d.Canvas.Height, 4u);
    const uint32_t expected[4][8] = {
        {Black, Rgba(255, 0, 0, 255), Rgba(0, 255, 0, 255), Rgba(255, 255, 255, 0x7F), Rgba(0, 0, 255, 0x7F), Black,
         Black, Black},
        {Rgba(8, 4, 8, 255), Rgba(8, 4, 8, 255), Rgba(8, 4, 8, 255), Rgba(8, 4, 8, 255), Rgba(8, 4, 8, 255), Black,
         Black, Black},
        {Black, Black, Black, Black, Black, Black, Black, Black},
        {Black, Black, Black, Black, Black, Black, Black, Black},
    };
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 8; ++x) EXPECT_EQ(d.Canvas.At(x, y), expected[y][x]) << x << "," << y;
    // Bytes in memory are R, G, B, A.
    EXPECT_EQ(d.Canvas.Bytes()[4 * 1 + 0], 255);
    EXPECT_EQ(d.Canvas.Bytes()[4 * 1 + 3], 255);
}

TEST(WilDecode, HeaderFieldsArePassedThrough)
{
    const Decoded d = Decode(BuildWilLibrary(5000, {MixedImage()}), 0);
    ASSERT_EQ(d.Status, TImageDecodeStatus::Decoded);
    EXPECT_EQ(d.Header.Width, 5);
    EXPECT_EQ(d.Header.Height, 3);
    EXPECT_EQ(d.Header.OffsetX, -12);
    EXPECT_EQ(d.Header.OffsetY, 7);
    EXPECT_EQ(d.Header.Byte8, 0xAB);
    EXPECT_EQ(d.Header.Word9, 0x1234);
    EXPECT_EQ(d.Header.Word11, 0xBEEF);
    const uint8_t raw[17] = {5, 0, 3, 0, 0xF4, 0xFF, 7, 0, 0xAB, 0x34, 0x12, 0xEF, 0xBE, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(raw), std::end(raw), d.Header.Raw));
}

TEST(WilDecode, Version17AndVersion5000GiveTheSamePixels)
{
    WilImage tile = MakeWilImage(96, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            tile.At(x, y) = (x + y) % 7 == 0 ? Transparent()
                            : (x * y) % 5 == 0 ? Semi(static_cast<uint16_t>(x * 683 + y))
                                               : Opaque(static_cast<uint16_t>(y * 1031 + x * 17));
    const std::vector<std::optional<WilImage>> images = {MixedImage(), std::nullopt, tile};
    const WilLibrary v17 = BuildWilLibrary(17, images);
    const WilLibrary v5000 = BuildWilLibrary(5000, images);
    for (int index : {0, 2}) {
        const Decoded a = Decode(v17, index);
        const Decoded b = Decode(v5000, index);
        ASSERT_EQ(a.Status, TImageDecodeStatus::Decoded) << index;
        ASSERT_EQ(b.Status, TImageDecodeStatus::Decoded) << index;
        EXPECT_TRUE(std::equal(std::begin(a.Header.Raw), std::end(a.Header.Raw), b.Header.Raw)) << index;
        EXPECT_EQ(a.Canvas.Width, b.Canvas.Width);
        EXPECT_EQ(a.Canvas.Pixels, b.Canvas.Pixels) << index;
    }
    EXPECT_EQ(Decode(v5000, 2).Canvas.Width, 128u);
    const TRgb8 c = WidenRGB565(1048);
    EXPECT_EQ(Decode(v5000, 2).Canvas.At(1, 1), PackRgba(c.R, c.G, c.B, 255));
}

TEST(WilDecode, CanvasMarginsStayOpaqueBlack)
{
    const Decoded wide = Decode(BuildWilLibrary(17, {MakeWilImage(48, 32, Opaque(0xFFFF))}), 0);
    ASSERT_EQ(wide.Status, TImageDecodeStatus::Decoded);
    EXPECT_EQ(wide.Canvas.Width, 64u);
    EXPECT_EQ(wide.Canvas.Height, 32u);
    for (uint32_t y = 0; y < 32; ++y) {
        EXPECT_EQ(wide.Canvas.At(47, y), Rgba(255, 255, 255, 255));
        for (uint32_t x = 48; x < 64; ++x) ASSERT_EQ(wide.Canvas.At(x, y), Black) << x << "," << y;
    }
    const Decoded dot = Decode(BuildWilLibrary(17, {MakeWilImage(1, 1, Semi(0x0821))}), 0);
    ASSERT_EQ(dot.Canvas.Pixels.size(), 1u);
    EXPECT_EQ(dot.Canvas.At(0, 0), Rgba(8, 4, 8, 0x7F));
}

TEST(WilDecode, RowLayoutRules)
{
    // Each case writes the row area verbatim for a 4 x 3 image and names the expected first column of rows 0..2.
    constexpr uint16_t White = 0xFFFF;
    const uint32_t W = Rgba(255, 255, 255, 255);
    struct Row {
        const char* Name;
        std::vector<uint16_t> Words;
        uint32_t Column0[3];
    };
    const Row rows[] = {
        {"word count 0 leaves the row as background", {0, 3, 0xC1, 1, White, 3, 0xC1, 1, White}, {Black, W, W}},
        // An unknown code ends row 0 unconsumed: 0x0004 is then row 1's count, whose runs follow.
        {"unknown code becomes the next row's count", {6, 0xC0, 1, 0x0004, 0xC1, 1, White, 0, 0}, {Black, W, Black}},
        {"the code's high byte is ignored", {3, 0x77C1, 1, White, 0, 0}, {W, Black, Black}},
        {"a count shorter than the runs ends after the run that reaches it", {1, 0xC1, 1, White, 3, 0xC1, 1, White, 0},
         {W, W, Black}},
    };
    for (const Row& row : rows) {
        WilImage image = MakeWilImage(4, 3);
        image.RawRows = row.Words;
        const Decoded d = Decode(BuildWilLibrary(17, {image}), 0);
        ASSERT_EQ(d.Status, TImageDecodeStatus::Decoded) << row.Name;
        for (uint32_t y = 0; y < 3; ++y) EXPECT_EQ(d.Canvas.At(0, y), row.Column0[y]) << row.Name << " row " << y;
    }
}

// ---- empty entries, damage and counts ----

struct StatusRow {
    const char* Name;
    std::function<void(WilLibrary&)> Damage;
    int64_t Index;
    TImageDecodeStatus Expected;
};

TEST(WilDecode, StatusOnEmptyAndDamagedLibraries)
{
    const auto ok = TImageDecodeStatus::Decoded;
    const auto none = TImageDecodeStatus::NoImage;
    const auto bad = TImageDecodeStatus::Damaged;
    auto keep = [](WilLibrary&) {};
    auto rawRows = [](std::vector<uint16_t> words) {
        return [words](WilLibrary& lib) {
            WilImage image = MakeWilImage(4, 2);
            image.RawRows = words;
            lib = BuildWilLibrary(lib.Version, {image, std::nullopt});
        };
    };
    const StatusRow rows[] = {
        {"good image", keep, 0, ok},
        {"entry 0 means no image", keep, 1, none},
        {"negative index", keep, -1, bad},
        {"index N", keep, 2, bad},
        {"entry beyond the index file counts as empty", [](WilLibrary& l) { SetWilCount(l, 9); }, 5, none},
        {"index file cut inside entry 1", [](WilLibrary& l) { CutWix(l, IndexHeaderSize(l.Version) + 6); }, 1, none},
        {"unknown version", [](WilLibrary& l) { SetWilVersion(l, 16); }, 0, bad},
        {"data file shorter than its header", [](WilLibrary& l) { CutWil(l, 25); }, 0, bad},
        {"offset past the end", [](WilLibrary& l) { SetWilIndexEntry(l, 0, 0xFFFFFFF0u); }, 0, bad},
        {"header cut short", [](WilLibrary& l) { CutWil(l, 26 + 10); }, 0, bad},
        {"rows cut short", [](WilLibrary& l) { CutWil(l, l.Wil.size() - 1); }, 0, bad},
        {"width above 4096", [](WilLibrary& l) { SetWilImageSize(l, 0, 4097, 2); }, 0, bad},
        {"height above 4096", [](WilLibrary& l) { SetWilImageSize(l, 0, 4, 4097); }, 0, bad},
        {"height the bytes left cannot hold", [](WilLibrary& l) { SetWilImageSize(l, 0, 4096, 4096); }, 0, bad},
        {"run past the canvas row", rawRows({3, 0xC1, 5, 1, 0}), 0, bad},
        {"transparent run past the canvas row", rawRows({2, 0xC0, 9, 0}), 0, bad},
        {"pixels past the end of the file", rawRows({0, 4, 0xC1, 4, 1}), 0, bad},
        {"run count past the end of the file", rawRows({0, 2, 0xC1}), 0, bad},
        {"zero-width image", [](WilLibrary& l) { l = BuildWilLibrary(l.Version, {MakeWilImage(0, 3)}); }, 0, ok},
        {"zero-height image", [](WilLibrary& l) { l = BuildWilLibrary(l.Version, {MakeWilImage(7, 0)}); }, 0, ok},
    };
    for (uint16_t version : {uint16_t{17}, uint16_t{5000}}) {
        for (const StatusRow& row : rows) {
            WilLibrary lib = BuildWilLibrary(version, {MakeWilImage(4, 2, Opaque(0x1234)), std::nullopt});
            row.Damage(lib);
            TWilImageHeader header;
            header.Width = 777;
            TRgbaCanvas canvas;
            const TImageDecodeStatus status = DecodeWilImage(lib.Wil, lib.Wix, row.Index, header, canvas);
            EXPECT_EQ(status, row.Expected) << row.Name << " (version " << version << ")";
            if (status != ok) {
                EXPECT_EQ(header.Width, 777) << row.Name << ": a failed decode keeps the header";
            }
        }
    }
}

TEST(WilDecode, ZeroSidesGiveAOnePixelCanvas)
{
    const Decoded d = Decode(BuildWilLibrary(17, {MakeWilImage(0, 0)}), 0);
    ASSERT_EQ(d.Status, TImageDecodeStatus::Decoded);
    EXPECT_EQ(d.Canvas.Width, 1u);
    EXPECT_EQ(d.Canvas.Height, 1u);
    EXPECT_EQ(d.Canvas.At(0, 0), Black);
}

TEST(WilCount, CountsNonEmptyEntriesWithinNAndTheIndexFile)
{
    const WilImage dot = MakeWilImage(1, 1, Opaque(1));
    struct Row {
        const char* Name;
        std::function<void(WilLibrary&)> Change;
        uint32_t Expected;
    };
    const Row rows[] = {
        {"as built", [](WilLibrary&) {}, 3},
        {"N smaller than the index", [](WilLibrary& l) { SetWilCount(l, 2); }, 1},
        {"N beyond the index file", [](WilLibrary& l) { SetWilCount(l, 40); }, 3},
        {"index file cut after entry 0", [](WilLibrary& l) { CutWix(l, l.Version == 17 ? 28 : 32); }, 1},
        {"unknown version", [](WilLibrary& l) { SetWilVersion(l, 1); }, 0},
        {"data header missing", [](WilLibrary& l) { CutWil(l, 20); }, 0},
    };
    for (uint16_t version : {uint16_t{17}, uint16_t{5000}}) {
        for (const Row& row : rows) {
            WilLibrary lib = BuildWilLibrary(version, {dot, std::nullopt, dot, std::nullopt, dot});
            row.Change(lib);
            EXPECT_EQ(CountWilImages(lib.Wil, lib.Wix), row.Expected) << row.Name << " (version " << version << ")";
        }
    }
}

// ---- picker count ----

TEST(WilPickerCount, HighestNonEmptyIndexPlusOne)
{
    using fixtures::MakeWilImage;
    const std::optional<fixtures::WilImage> img = MakeWilImage(2, 2, fixtures::Opaque(0x1234));
    const std::optional<fixtures::WilImage> none;
    const struct {
        const char* Name;
        uint16_t Version;
        std::vector<std::optional<fixtures::WilImage>> Images;
        int32_t Count;
    } rows[] = {
        {"empty library", 17, {}, 0},
        {"only empty entries", 17, {none, none, none}, 0},
        {"no gaps", 17, {img, img, img}, 3},
        {"gaps inside", 5000, {img, none, none, img, none, img}, 6},
        {"empty tail", 17, {none, img, none, none}, 2},
        {"only the first", 5000, {img, none, none}, 1},
    };
    for (const auto& row : rows) {
        const fixtures::WilLibrary lib = fixtures::BuildWilLibrary(row.Version, row.Images);
        EXPECT_EQ(WilPickerCount(lib.Wil, lib.Wix), row.Count) << row.Name;
    }
}

TEST(WilPickerCount, DamagedLibraries)
{
    const std::optional<fixtures::WilImage> img = fixtures::MakeWilImage(1, 1, fixtures::Opaque(1));
    fixtures::WilLibrary lib = fixtures::BuildWilLibrary(17, {img, img, img, img});

    fixtures::WilLibrary shortIndex = lib;  // entries beyond the index file count as empty
    fixtures::CutWix(shortIndex, shortIndex.Wix.size() - 4);
    EXPECT_EQ(WilPickerCount(shortIndex.Wil, shortIndex.Wix), 3);

    fixtures::WilLibrary claimsMore = lib;  // N beyond the index file
    fixtures::SetWilCount(claimsMore, 60000);
    EXPECT_EQ(WilPickerCount(claimsMore.Wil, claimsMore.Wix), 4);

    fixtures::WilLibrary unknown = lib;
    fixtures::SetWilVersion(unknown, 99);
    EXPECT_EQ(WilPickerCount(unknown.Wil, unknown.Wix), 0);

    EXPECT_EQ(WilPickerCount({}, {}), 0);
    fixtures::WilLibrary cutHeader = lib;
    fixtures::CutWil(cutHeader, 10);
    EXPECT_EQ(WilPickerCount(cutHeader.Wil, cutHeader.Wix), 0);
}
