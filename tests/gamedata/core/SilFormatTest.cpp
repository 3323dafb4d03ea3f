// SIL layout: header bytes, the writer against an independently built library, lookups on good and damaged
// files, and the 32-bit offset limit.
#include "gamedata/core/SilFormat.h"

#include "tests/fixtures/core/SilFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using fixtures::SilImage;
using fixtures::SilLibrary;

// Every header field differs with the seed; the record's own PngLength is a value the writer must not store.
SilImage Image(uint16_t w, uint16_t h, size_t pngBytes, uint8_t seed = 0)
{
    SilImage image;
    image.Header = {.Width = w, .Height = h, .OffsetX = int16_t(-3 - seed), .OffsetY = int16_t(7 + seed),
                    .Byte8 = uint8_t(0xA0 + seed), .Word9 = uint16_t(0x1234 + seed),
                    .Word11 = uint16_t(0xBEEF - seed), .PngLength = 0x55555555};
    for (size_t i = 0; i < pngBytes; ++i) image.Png.push_back(uint8_t(i * 31 + seed));
    return image;
}

void Add(TSilWriter& writer, const SilImage& image) { ASSERT_TRUE(writer.AddImage(image.Header, image.Png)); }

TEST(SilFormat, HeaderBytes)
{
    const auto data = MakeSilDataHeader(0x0203);
    const uint8_t expected[26] = {1,   'I', 'L', 'I', 'B', ' ', 'v', '1', '.', '1', '-', 'S', 'O',
                                  'R', 'V', 'A', 'N', 'T', 'A', 0,   0,   0,   0x58, 0x1B, 0x03, 0x02};
    EXPECT_EQ(std::memcmp(data.data(), expected, sizeof expected), 0);

    const auto index = MakeSilIndexHeader(0x0203);
    for (size_t i = 0; i < 20; ++i) EXPECT_EQ(index[i], 0) << i;
    EXPECT_EQ(index[20], 0x03);
    EXPECT_EQ(index[21], 0x02);
}

// The writer's bytes equal a library built by hand from the layout, for several mixes of images and empty
// entries, including a count smaller than the number of entries.
TEST(SilFormat, WriterMatchesTheLayout)
{
    struct Case {
        const char* name;
        std::vector<std::optional<SilImage>> entries;
        uint16_t count;
    };
    const Case cases[] = {
        {"no entries", {}, 1},
        {"image, empty, image", {Image(48, 32, 40, 1), std::nullopt, Image(1, 1, 3, 2)}, 3},
        {"image then empties", {Image(96, 64, 10, 3), std::nullopt, std::nullopt}, 1},
        {"empties first", {std::nullopt, std::nullopt, Image(2, 5, 0, 4)}, 3},
    };
    for (const Case& c : cases) {
        TSilWriter writer;
        writer.Start(7);
        for (const auto& entry : c.entries) {
            if (entry)
                Add(writer, *entry);
            else
                writer.AddEmptyEntry();
        }
        writer.SetCount(c.count);
        const SilLibrary expected = fixtures::BuildSilLibrary(c.entries, c.count);
        EXPECT_EQ(writer.Data(), expected.Sil) << c.name;
        EXPECT_EQ(writer.Index(), expected.Six) << c.name;
        EXPECT_EQ(writer.Entries(), c.entries.size()) << c.name;
    }
}

TEST(SilFormat, ThreeEntriesWithTheMiddleOneEmpty)
{
    TSilWriter writer;
    writer.Start(3);
    Add(writer, Image(4, 4, 12));
    writer.AddEmptyEntry();
    Add(writer, Image(4, 4, 12));
    ASSERT_EQ(writer.Index().size(), 22u + 12u);
    const std::vector<uint8_t> six = writer.Index();
    EXPECT_EQ(fixtures::ReadU32(six, 22), 26u);  // the first record directly follows the data header
    EXPECT_EQ(fixtures::ReadU32(six, 26), 0u);
    EXPECT_EQ(fixtures::ReadU32(six, 30), 26u + 17u + 12u);
}

// Offsets are u32: a record that would start beyond the limit is refused and leaves both files as they were.
TEST(SilFormat, WriterRefusesOffsetsBeyondTheLimit)
{
    struct Case {
        uint64_t limit;
        bool secondAdded;
    };
    // After the header (26) and one record of 17 + 20 bytes, the second record starts at 63.
    const Case cases[] = {{62, false}, {63, true}, {64, true}, {26, false}};
    for (const Case& c : cases) {
        TSilWriter writer(c.limit);
        writer.Start(2);
        Add(writer, Image(8, 8, 20));
        const auto data = writer.Data();
        const auto index = writer.Index();
        const SilImage second = Image(8, 8, 5);
        EXPECT_EQ(writer.AddImage(second.Header, second.Png), c.secondAdded) << c.limit;
        if (!c.secondAdded) {
            EXPECT_EQ(writer.Data(), data);
            EXPECT_EQ(writer.Index(), index);
        } else {
            EXPECT_EQ(fixtures::ReadU32(writer.Index(), 26), 63u);
        }
    }
}

// Lookups on one library and its damaged variants. The library: entry 0 an image, entry 1 empty, entry 2 an image;
// count 4, so entry 3 lies beyond the index file.
TEST(SilFormat, LookupOnGoodAndDamagedFiles)
{
    const std::vector<std::optional<SilImage>> entries = {Image(48, 32, 30, 1), std::nullopt, Image(3, 2, 9, 2)};
    const SilLibrary good = fixtures::BuildSilLibrary(entries, 4);
    const uint32_t lastRecord = fixtures::SilIndexEntry(good, 2);

    struct Case {
        const char* name;
        void (*damage)(SilLibrary&, uint32_t lastRecord);
        int64_t index;
        TSilLookup expected;
    };
    const Case cases[] = {
        {"image", nullptr, 0, TSilLookup::Found},
        {"last image", nullptr, 2, TSilLookup::Found},
        {"empty entry", nullptr, 1, TSilLookup::NoImage},
        {"entry beyond the index file", nullptr, 3, TSilLookup::NoImage},
        {"index N", nullptr, 4, TSilLookup::Damaged},
        {"negative index", nullptr, -1, TSilLookup::Damaged},
        {"other signature", [](SilLibrary& l, uint32_t) { std::memcpy(&l.Sil[1], "SOMETHING ELSE....", 18); }, 2,
         TSilLookup::Found},
        {"index file cut inside entry 2", [](SilLibrary& l, uint32_t) { l.Six.resize(22 + 8 + 3); }, 2,
         TSilLookup::NoImage},
        {"offset past the data file", [](SilLibrary& l, uint32_t) { fixtures::SetSilIndexEntry(l, 0, 0xFFFFFFF0); },
         0, TSilLookup::Damaged},
        {"record header cut", [](SilLibrary& l, uint32_t at) { l.Sil.resize(at + 16); }, 2, TSilLookup::Damaged},
        {"PNG cut by one byte", [](SilLibrary& l, uint32_t) { l.Sil.pop_back(); }, 2, TSilLookup::Damaged},
        {"PNG length past the view", [](SilLibrary& l, uint32_t) { fixtures::SetSilPngLength(l, 0, 0xFFFFFFFF); }, 0,
         TSilLookup::Damaged},
        {"width above 4096", [](SilLibrary& l, uint32_t) { fixtures::SetSilImageSize(l, 0, 4097, 1); }, 0,
         TSilLookup::Damaged},
        {"height above 4096", [](SilLibrary& l, uint32_t) { fixtures::SetSilImageSize(l, 0, 1, 4097); }, 0,
         TSilLookup::Damaged},
        {"sides of 4096", [](SilLibrary& l, uint32_t) { fixtures::SetSilImageSize(l, 0, 4096, 4096); }, 0,
         TSilLookup::Found},
        {"data header cut", [](SilLibrary& l, uint32_t) { l.Sil.resize(25); }, 0, TSilLookup::Damaged},
    };
    for (const Case& c : cases) {
        SilLibrary lib = good;
        if (c.damage) c.damage(lib, lastRecord);
        TSilRecord record;
        record.PngLength = 0xDEAD;
        EXPECT_EQ(FindSilImage(lib.Sil, lib.Six, c.index, record), c.expected) << c.name;
        if (c.expected != TSilLookup::Found) {
            EXPECT_EQ(record.PngLength, 0xDEADu) << c.name << ": record changed";
            continue;
        }
        // The fixture's header is the packed record: its fields are compared as copies, never bound by reference.
        const SilImage& want = *entries[static_cast<size_t>(c.index)];
        EXPECT_EQ(int(record.Header.OffsetX), int(want.Header.OffsetX)) << c.name;
        EXPECT_EQ(int(record.Header.OffsetY), int(want.Header.OffsetY)) << c.name;
        EXPECT_EQ(int(record.Header.Byte8), int(want.Header.Byte8)) << c.name;
        EXPECT_EQ(int(record.Header.Word9), int(want.Header.Word9)) << c.name;
        EXPECT_EQ(int(record.Header.Word11), int(want.Header.Word11)) << c.name;
        EXPECT_EQ(std::vector<uint8_t>(record.Png.begin(), record.Png.end()), want.Png) << c.name;
    }
}

// The bound checked before a record's PNG reaches a decoder: only the header's sides count, not its CRC.
TEST(SilFormat, PngBoundsComeFromTheHeader)
{
    auto withSides = [](uint32_t w, uint32_t h) {
        std::vector<uint8_t> png = fixtures::MakeSilPng(1, 1, 0xFF000000);
        for (int i = 0; i < 4; ++i) {
            png[16 + i] = uint8_t(w >> (24 - 8 * i));
            png[20 + i] = uint8_t(h >> (24 - 8 * i));
        }
        return png;
    };
    std::vector<uint8_t> notIhdr = withSides(1, 1);
    notIhdr[12] = 'X';
    std::vector<uint8_t> cut = withSides(1, 1);
    cut.resize(23);
    struct Case {
        const char* name;
        std::vector<uint8_t> png;
        bool within;
    };
    const Case cases[] = {
        {"1 x 1", withSides(1, 1), true},
        {"4096 x 4096", withSides(4096, 4096), true},
        {"4097 wide", withSides(4097, 1), false},
        {"4097 high", withSides(1, 4097), false},
        {"zero wide", withSides(0, 5), false},
        {"huge", withSides(0x7FFFFFFF, 0x7FFFFFFF), false},
        {"first chunk not IHDR", notIhdr, false},
        {"cut inside IHDR", cut, false},
        {"no signature", std::vector<uint8_t>(40, 0), false},
    };
    for (const Case& c : cases) EXPECT_EQ(SilPngWithinBounds(c.png), c.within) << c.name;
}

} // namespace
