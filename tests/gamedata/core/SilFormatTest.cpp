// SIL layout: the writer's 32-bit offset limit and lookups on good and damaged files. (The writer's bytes are
// compared with the layout in the Windows writer's test, the PNG bound in the caches' tests.)
#include "gamedata/core/SilFormat.h"

#include "tests/fixtures/core/SilFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace fixtures;

// An image whose header fields differ with the seed and whose PNG is any bytes.
SilImage Image(uint16_t w, uint16_t h, size_t pngBytes, uint8_t seed = 0)
{
    SilImage image = MakeSilImage(w, h, std::vector<uint8_t>(pngBytes, uint8_t(0x31 + seed)));
    image.Header.OffsetX = int16_t(-3 - seed);
    image.Header.Word11 = uint16_t(0xBEEF - seed);
    return image;
}

// Offsets are u32: a record that would start beyond the limit is refused and leaves both files as they were.
TEST(SilFormat, WriterRefusesOffsetsBeyondTheLimit)
{
    // After the header (26) and one record of 17 + 20 bytes, the second record starts at 63.
    for (const auto& [limit, added] : {std::pair{62u, false}, std::pair{63u, true}, std::pair{26u, false}}) {
        TSilWriter writer(limit);
        writer.Start(2);
        ASSERT_TRUE(writer.AddImage(Image(8, 8, 20).Header, Image(8, 8, 20).Png));
        const SilLibrary before{writer.Data(), writer.Index()};
        EXPECT_EQ(writer.AddImage(Image(8, 8, 5).Header, Image(8, 8, 5).Png), added) << limit;
        EXPECT_EQ(writer.Data() == before.Sil, !added) << limit;
        EXPECT_EQ(writer.Index() == before.Six, !added) << limit;
    }
}

// Entry 0 an image, entry 1 empty, entry 2 an image; count 4, so entry 3 lies beyond the index file. A failed
// lookup leaves the record alone; a found one is the fixture's record.
TEST(SilFormat, LookupOnGoodAndDamagedFiles)
{
    const std::vector<std::optional<SilImage>> entries = {Image(48, 32, 30, 1), std::nullopt, Image(3, 2, 9, 2)};
    const SilLibrary good = BuildSilLibrary(entries, 4);
    const auto at = [&](uint32_t i, size_t field) { return SilIndexEntry(good, i) + field; };
    const auto keep = [](SilLibrary&) {};
    const auto sides = [&](uint16_t w, uint16_t h) {
        return [=](SilLibrary& l) {
            PutLE16(l.Sil, at(0, 0), w);
            PutLE16(l.Sil, at(0, 2), h);
        };
    };
    const struct {
        const char* Name;
        std::function<void(SilLibrary&)> Damage;
        int64_t Index;
        TSilLookup Expected;
    } rows[] = {
        {"image", keep, 0, TSilLookup::Found},
        {"last image", keep, 2, TSilLookup::Found},
        {"empty entry", keep, 1, TSilLookup::NoImage},
        {"entry beyond the index file", keep, 3, TSilLookup::NoImage},
        {"index N", keep, 4, TSilLookup::Damaged},
        {"negative index", keep, -1, TSilLookup::Damaged},
        {"other signature", [](SilLibrary& l) { l.Sil[5] = 'X'; }, 2, TSilLookup::Found},
        {"index file cut inside entry 2", [](SilLibrary& l) { l.Six.resize(22 + 8 + 3); }, 2, TSilLookup::NoImage},
        {"PNG cut by one byte", [](SilLibrary& l) { l.Sil.pop_back(); }, 2, TSilLookup::Damaged},
        {"PNG length past the view", [&](SilLibrary& l) { PutLE32(l.Sil, at(0, 13), ~0u); }, 0, TSilLookup::Damaged},
        {"width above 4096", sides(4097, 32), 0, TSilLookup::Damaged},
        {"height above 4096", sides(48, 4097), 0, TSilLookup::Damaged},
        {"sides of 4096", sides(4096, 4096), 0, TSilLookup::Found},
    };
    for (const auto& row : rows) {
        SilLibrary lib = good;
        row.Damage(lib);
        TSilRecord record;
        record.PngLength = 0xDEAD;
        EXPECT_EQ(FindSilImage(lib.Sil, lib.Six, row.Index, record), row.Expected) << row.Name;
        if (row.Expected != TSilLookup::Found) {
            EXPECT_EQ(record.PngLength, 0xDEADu) << row.Name << ": record changed";
            continue;
        }
        const auto header = lib.Sil.begin() + ptrdiff_t(at(uint32_t(row.Index), 0));
        EXPECT_TRUE(std::equal(header, header + 17, record.Header.Raw)) << row.Name;
        EXPECT_EQ(std::vector<uint8_t>(record.Png.begin(), record.Png.end()), entries[size_t(row.Index)]->Png);
    }
}

}  // namespace
