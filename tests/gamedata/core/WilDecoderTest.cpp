// The platform-free WIL decoder and counts against libraries built by the fixture writer, in both layouts: the
// runs on their canvas, the row rules, damaged libraries (nothing large allocated for them), image counts; the
// widening of every word and every run layout against the plain reference decoding.
#include "gamedata/core/WilDecoder.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/gamedata/core/AllocationProbe.h"
#include "tests/gamedata/core/WilReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

using namespace fixtures;

namespace {

constexpr uint32_t Black = 0xFF000000u;
const uint16_t Versions[] = {17, 5000};

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

// An image whose row area is the given words.
WilImage Raw(uint16_t width, uint16_t height, std::vector<uint16_t> rows)
{
    return {.Width = width, .Height = height, .Pixels = {}, .RawRows = std::move(rows)};
}

// A change that makes the library one of the same version holding these images.
std::function<void(WilLibrary&)> Holding(std::vector<std::optional<WilImage>> images)
{
    return [images](WilLibrary& l) { l = BuildWilLibrary(l.Version, images); };
}

}  // namespace

// A 5 x 3 image using every run kind: row 0 mixes all three, row 1 is one opaque run, row 2 transparent.
TEST(WilDecode, RunsLandOnAnOpaqueBlackPowerOfTwoCanvasInBothLayouts)
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
    // Rows 0 and 1 of the image; everything else on the 8 x 4 canvas is opaque black.
    const uint32_t grey = PackRgba(8, 4, 8, 255);
    const uint32_t expected[2][5] = {
        {Black, PackRgba(255, 0, 0, 255), PackRgba(0, 255, 0, 255), PackRgba(255, 255, 255, 0x7F),
         PackRgba(0, 0, 255, 0x7F)},
        {grey, grey, grey, grey, grey},
    };
    const uint8_t raw[17] = {5, 0, 3, 0, 0xF4, 0xFF, 7, 0, 0xAB, 0x34, 0x12, 0xEF, 0xBE, 0, 0, 0, 0};
    for (uint16_t version : Versions) {
        const Decoded d = Decode(BuildWilLibrary(version, {std::nullopt, image}), 1);
        ASSERT_EQ(d.Status, TImageDecodeStatus::Decoded) << version;
        ASSERT_EQ(std::pair(d.Canvas.Width, d.Canvas.Height), std::pair(8u, 4u)) << version;
        for (uint32_t y = 0; y < 4; ++y)
            for (uint32_t x = 0; x < 8; ++x)
                EXPECT_EQ(d.Canvas.At(x, y), x < 5 && y < 2 ? expected[y][x] : Black) << x << "," << y;
        EXPECT_EQ(d.Canvas.Bytes()[4], 255) << "bytes in memory are R, G, B, A";
        EXPECT_TRUE(std::equal(std::begin(raw), std::end(raw), d.Header.Raw)) << version;
        EXPECT_EQ(std::tuple(d.Header.Width, d.Header.OffsetX, d.Header.Word11), std::tuple(5, -12, 0xBEEF));
    }
    const Decoded dot = Decode(BuildWilLibrary(17, {MakeWilImage(0, 0)}), 0);
    ASSERT_EQ(dot.Status, TImageDecodeStatus::Decoded);
    EXPECT_EQ(dot.Canvas.Pixels, std::vector<uint32_t>{Black}) << "a side of 0 gives a 1 x 1 canvas";
}

TEST(WilDecode, RowLayoutRules)
{
    // Each case writes the row area verbatim for a 4 x 3 image and names the expected first column of rows 0..2.
    constexpr uint16_t White = 0xFFFF;
    const uint32_t W = PackRgba(255, 255, 255, 255);
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
        {"a count shorter than the runs ends after the run that reaches it",
         {1, 0xC1, 1, White, 3, 0xC1, 1, White, 0},
         {W, W, Black}},
    };
    for (const Row& row : rows) {
        const Decoded d = Decode(BuildWilLibrary(17, {Raw(4, 3, row.Words)}), 0);
        ASSERT_EQ(d.Status, TImageDecodeStatus::Decoded) << row.Name;
        for (uint32_t y = 0; y < 3; ++y) EXPECT_EQ(d.Canvas.At(0, y), row.Column0[y]) << row.Name << " row " << y;
    }
}

// Every row on a library of a good 4 x 2 image and an empty entry, damaged as the row says (the fuzz target reads
// every other damage there is). A failed decode keeps the caller's header, and no row may allocate a canvas
// larger than the image it really holds.
TEST(WilDecode, EmptyAndDamagedLibraries)
{
    const auto ok = TImageDecodeStatus::Decoded;
    const auto none = TImageDecodeStatus::NoImage;
    const auto bad = TImageDecodeStatus::Damaged;
    const auto keep = [](WilLibrary&) {};
    const auto sides = [](uint16_t w, uint16_t h) {
        return [w, h](WilLibrary& l) {
            PutLE16(l.Wil, ReadU32(l.Wix, WilIndexAt(l, 0)), w);
            PutLE16(l.Wil, ReadU32(l.Wix, WilIndexAt(l, 0)) + 2, h);
        };
    };
    struct Row {
        const char* Name;
        std::function<void(WilLibrary&)> Damage;
        int64_t Index;
        TImageDecodeStatus Expected;
    };
    const Row rows[] = {
        {"good image", keep, 0, ok},
        {"entry 0 means no image", keep, 1, none},
        {"index N", keep, 2, bad},
        {"entry beyond the index file counts as empty", [](WilLibrary& l) { PutLE16(l.Wil, kWilCountAt, 9); }, 5, none},
        {"index file cut inside entry 1", [](WilLibrary& l) { l.Wix.resize(WilIndexAt(l, 1) + 2); }, 1, none},
        {"unknown version", [](WilLibrary& l) { PutLE16(l.Wil, kWilVersionAt, 16); }, 0, bad},
        {"offset past the end", [](WilLibrary& l) { PutLE32(l.Wix, WilIndexAt(l, 0), 0xFFFFFFF0u); }, 0, bad},
        {"rows cut short", [](WilLibrary& l) { l.Wil.pop_back(); }, 0, bad},
        {"width above 4096", sides(4097, 2), 0, bad},
        // All 4097 rows are there (a word count 0 each): only the height limit refuses it.
        {"height above 4096 with its rows", Holding({Raw(4096, 4097, std::vector<uint16_t>(4097, 0))}), 0, bad},
        {"4096 x 4096 but rows the bytes left cannot hold", sides(4096, 4096), 0, bad},
        {"sides of 4096 with their rows", Holding({Raw(4096, 4096, std::vector<uint16_t>(4096, 0))}), 0, ok},
        {"run past the canvas row", Holding({Raw(4, 2, {7, 0xC1, 5, 1, 2, 3, 4, 5, 0})}), 0, bad},
        {"zero-width image", Holding({MakeWilImage(0, 3)}), 0, ok},
        {"zero-height image", Holding({MakeWilImage(7, 0)}), 0, ok},
    };
    for (uint16_t version : Versions) {
        for (const Row& row : rows) {
            WilLibrary lib = BuildWilLibrary(version, {MakeWilImage(4, 2, Opaque(0x1234)), std::nullopt});
            row.Damage(lib);
            TWilImageHeader header;
            header.Width = 777;
            TRgbaCanvas canvas;
            testsupport::ResetLargestAllocation();
            const TImageDecodeStatus status = DecodeWilImage(lib.Wil, lib.Wix, row.Index, header, canvas);
            EXPECT_EQ(status, row.Expected) << row.Name << " (version " << version << ")";
            if (status != ok) {
                EXPECT_EQ(header.Width, 777) << row.Name << ": a failed decode keeps the header";
            }
            const size_t largest = row.Expected == ok ? size_t{4} * canvas.Pixels.size() : 0;
            EXPECT_LE(testsupport::LargestAllocation(), std::max<size_t>(largest, 1 << 20)) << row.Name;
        }
    }
}

// Images among entries 0 .. N - 1 that lie within the index file, and the picker's count: the highest of them + 1.
TEST(WilCount, ImagesAndPickerCount)
{
    const WilImage dot = MakeWilImage(1, 1, Opaque(1));
    struct Row {
        const char* Name;
        std::function<void(WilLibrary&)> Change;
        uint32_t Images;
        int32_t Picker;
    };
    const Row rows[] = {
        {"gaps inside", [](WilLibrary&) {}, 3, 5},
        {"N smaller than the index", [](WilLibrary& l) { PutLE16(l.Wil, kWilCountAt, 2); }, 1, 1},
        {"N beyond the index file", [](WilLibrary& l) { PutLE16(l.Wil, kWilCountAt, 60000); }, 3, 5},
        {"index file cut after entry 2", [](WilLibrary& l) { l.Wix.resize(WilIndexAt(l, 3)); }, 2, 3},
        {"unknown version", [](WilLibrary& l) { PutLE16(l.Wil, kWilVersionAt, 1); }, 0, 0},
        {"empty tail", Holding({std::nullopt, dot, std::nullopt}), 1, 2},
        {"no entries", Holding({}), 0, 0},
    };
    for (uint16_t version : Versions) {
        for (const Row& row : rows) {
            WilLibrary lib = BuildWilLibrary(version, {dot, std::nullopt, dot, std::nullopt, dot});
            row.Change(lib);
            EXPECT_EQ(CountWilImages(lib.Wil, lib.Wix), row.Images) << row.Name << " (version " << version << ")";
            EXPECT_EQ(WilPickerCount(lib.Wil, lib.Wix), row.Picker) << row.Name << " (version " << version << ")";
        }
    }
}

// The widening of every RGB565 word equals the format's floating-point rule.
TEST(WilDecode, WideningOfEveryWordFollowsTheFormula)
{
    for (uint32_t c = 0; c < 65536; ++c) {
        const TRgb8 rgb = WidenRGB565(static_cast<uint16_t>(c));
        ASSERT_EQ(PackRgba(rgb.R, rgb.G, rgb.B, 0), testsupport::ReferenceWiden(static_cast<uint16_t>(c))) << c;
    }
}

// Images of every small size, their pixels a random mix of the three kinds (so runs of every length start at
// every column, end at the row's and the canvas's end), decoded one after another through one scratch canvas
// that held a larger image before, and each alone in a library of its own onto a fresh canvas (so that its last
// run ends at the end of the bytes and, for a power-of-two image, of the canvas: the sanitizers see any access
// past either): every canvas equals the plain reference decoding byte for byte.
TEST(WilDecode, EqualsThePlainDecodingForEveryRunLayout)
{
    uint32_t state = 12345;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<std::optional<WilImage>> images;
    for (uint16_t width = 1; width <= 40; ++width)
        for (uint16_t height : {1, 2, 3, 4, 7}) {
            WilImage image = MakeWilImage(width, height);
            // Long stretches of one kind as well as single pixels: the run length follows the random draw.
            const uint32_t stretch = 1 + next() % 12;
            uint32_t kind = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const uint32_t r = next();
                    if (x % stretch == 0) kind = (r >> 20) % 3;
                    image.At(x, y) = kind == 0 ? Transparent() : kind == 1 ? Opaque(uint16_t(r)) : Semi(uint16_t(r));
                }
            images.push_back(image);
        }
    for (uint16_t version : Versions) {
        const WilLibrary lib = BuildWilLibrary(version, images);
        TRgbaCanvas canvas;
        TWilImageHeader big;
        ASSERT_EQ(DecodeWilImage(lib.Wil, lib.Wix, static_cast<int64_t>(images.size()) - 1, big, canvas),
                  TImageDecodeStatus::Decoded);
        std::fill(canvas.Pixels.begin(), canvas.Pixels.end(), 0x12345678u);  // what a stale canvas may hold
        for (size_t i = 0; i < images.size(); ++i) {
            TWilImageHeader header;
            ASSERT_EQ(DecodeWilImage(lib.Wil, lib.Wix, static_cast<int64_t>(i), header, canvas),
                      TImageDecodeStatus::Decoded);
            const std::optional<TRgbaCanvas> expected = testsupport::ReferenceDecode(lib.Wil, lib.Wix, int64_t(i));
            ASSERT_TRUE(expected);
            ASSERT_EQ(std::pair(canvas.Width, canvas.Height), std::pair(expected->Width, expected->Height)) << i;
            ASSERT_EQ(canvas.Pixels, expected->Pixels) << "image " << i << " (" << images[i]->Width << " x "
                                                       << images[i]->Height << ", version " << version << ")";
            const WilLibrary alone = BuildWilLibrary(version, {images[i]});
            TRgbaCanvas fresh;
            ASSERT_EQ(DecodeWilImage(alone.Wil, alone.Wix, 0, header, fresh), TImageDecodeStatus::Decoded);
            ASSERT_EQ(fresh.Pixels, expected->Pixels) << "image " << i << " alone";
        }
    }
}
