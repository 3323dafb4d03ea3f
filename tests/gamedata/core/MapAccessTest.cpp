// Reading and changing single tiles and cells: the addressing of every field against an independent description
// of the file, the grids' edges, the source selector, new maps and the map type names.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "gamedata/core/uVesk3MapEngine.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/core/MapTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using fixtures::MapFileBuilder;
using maptest::FirstDifference;
using maptest::Snapshot;
using testsupport::TempDir;

void Load(TVesk3Map& map, const TempDir& dir, const MapFileBuilder& file)
{
    const std::string path = dir.file("map.map");
    ASSERT_TRUE(fixtures::WriteBytesToFile(path, file.Bytes()));
    ASSERT_TRUE(map.LoadFromFile(path));
}

std::vector<uint8_t> Saved(TVesk3Map& map, const TempDir& dir)
{
    const std::string path = dir.file("saved.map");
    map.SaveToFile(path);
    return fixtures::ReadFileBytes(path);
}

// ---- Every getter against the file's bytes -------------------------------------------------------------------

class Vesk3MapGetters : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(Vesk3MapGetters, EveryTileAndCellReadsItsOwnBytes)
{
    const auto [w, h] = GetParam();
    const MapFileBuilder file = MapFileBuilder(static_cast<uint16_t>(w), static_cast<uint16_t>(h)).FillRandom(11);
    const std::vector<uint8_t>& bytes = file.Bytes();
    TempDir dir;
    TVesk3Map map;
    Load(map, dir, file);

    for (int tx = 0; tx <= map.MaxTileX; ++tx)
        for (int ty = 0; ty <= map.MaxTileY; ++ty) {
            const size_t at = file.TileOffset(tx, ty);
            int32_t lib = 0, image = 0;
            map.GetTile(tx, ty, lib, image, 1);
            ASSERT_EQ(lib, bytes[at]) << tx << "," << ty;
            ASSERT_EQ(image, fixtures::ReadU16(bytes, at + 1)) << tx << "," << ty;
        }
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const size_t at = file.CellOffset(x, y);
            int32_t lib = 0, image = 0;
            uint8_t extra = 1, marker = 0;
            ASSERT_EQ(map.GetCellByte(x, y, 1, 1), bytes[at + fixtures::kCellMoveFlags]) << x << "," << y;
            ASSERT_EQ(map.GetCellByte(x, y, 2, 1), bytes[at + fixtures::kCellLight]) << x << "," << y;
            ASSERT_EQ(map.GetCellByte(x, y, 3, 1), 0);
            map.GetCellByte1(x, y, extra, marker, 1);
            ASSERT_EQ(extra, 0);
            ASSERT_EQ(marker, bytes[at + fixtures::kCellAnimMarker]);
            map.GetLayerA(x, y, lib, image, 1);
            ASSERT_EQ(lib, bytes[at + fixtures::kCellFrontLib]);
            ASSERT_EQ(image, fixtures::ReadU16(bytes, at + fixtures::kCellFrontImage));
            map.GetLayerB(x, y, lib, image, 1);
            ASSERT_EQ(lib, bytes[at + fixtures::kCellBackLib]);
            ASSERT_EQ(image, fixtures::ReadU16(bytes, at + fixtures::kCellBackImage));
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, Vesk3MapGetters,
                         ::testing::Values(std::pair{7, 5}, std::pair{6, 4}, std::pair{5, 8}, std::pair{1, 3},
                                           std::pair{33, 17}),
                         [](const auto& info) { return maptest::SizeName(info.param.first, info.param.second); });

// ---- Every setter changes exactly its own bytes --------------------------------------------------------------

// A 7 x 5 map: odd sides, so the tile block has spare records and the tile column height (2) differs from the
// cell column height (5).
constexpr int kW = 7, kH = 5;

struct SetterRow {
    const char* Name;
    std::function<void(TVesk3Map&)> Edit;
    std::function<void(MapFileBuilder&)> Expect; // the same change described on the file
};

void ForEachCell(MapFileBuilder& file, const std::function<void(int, int)>& body)
{
    for (int x = 0; x < file.width(); ++x)
        for (int y = 0; y < file.height(); ++y)
            body(x, y);
}

std::vector<SetterRow> SetterRows()
{
    const auto nothing = [](MapFileBuilder&) {};
    return {
        {"TileLibrary", [](TVesk3Map& m) { m.SetTileField(2, 1, 1, 0x1234); },
         [](MapFileBuilder& f) { f.SetTile(2, 1, 0x34, fixtures::ReadU16(f.Bytes(), f.TileOffset(2, 1) + 1)); }},
        {"TileImage", [](TVesk3Map& m) { m.SetTileField(1, 0, 2, 0x12345); },
         [](MapFileBuilder& f) { f.SetTile(1, 0, f.Bytes()[f.TileOffset(1, 0)], 0x2345); }},
        {"TileOtherField", [](TVesk3Map& m) { m.SetTileField(1, 1, 3, 7); }, nothing},
        {"EraseTile", [](TVesk3Map& m) { m.SetTileField(0, 1, 1, 0); m.SetTileField(0, 1, 2, 0); },
         [](MapFileBuilder& f) { f.SetTile(0, 1, 0, 0); }},
        {"LayerA", [](TVesk3Map& m) { m.SetLayerA(6, 4, 0x11, 0x2233); },
         [](MapFileBuilder& f) {
             f.SetCellByte(6, 4, fixtures::kCellFrontLib, 0x11).SetCellWord(6, 4, fixtures::kCellFrontImage, 0x2233);
         }},
        {"LayerB", [](TVesk3Map& m) { m.SetLayerB(3, 2, 0x44, 0x5566); },
         [](MapFileBuilder& f) {
             f.SetCellByte(3, 2, fixtures::kCellBackLib, 0x44).SetCellWord(3, 2, fixtures::kCellBackImage, 0x5566);
         }},
        {"FreeCell", [](TVesk3Map& m) { m.SetCellMoveFlags(0, 4, 0); },
         [](MapFileBuilder& f) { f.SetCellByte(0, 4, fixtures::kCellMoveFlags, 3); }},
        {"CantMove", [](TVesk3Map& m) { m.SetCellMoveFlags(1, 0, 1); },
         [](MapFileBuilder& f) { f.SetCellByte(1, 0, fixtures::kCellMoveFlags, 0); }},
        {"CantMoveAndFly", [](TVesk3Map& m) { m.SetCellMoveFlags(6, 0, 2); },
         [](MapFileBuilder& f) { f.SetCellByte(6, 0, fixtures::kCellMoveFlags, 2); }},
        {"MoveModeThree", [](TVesk3Map& m) { m.SetCellMoveFlags(2, 2, 3); }, nothing},
        {"MoveMode255", [](TVesk3Map& m) { m.SetCellMoveFlags(2, 2, 255); }, nothing},
        {"Light", [](TVesk3Map& m) { m.SetCellByte13(4, 3, 0x39); },
         [](MapFileBuilder& f) { f.SetCellByte(4, 3, fixtures::kCellLight, 0x39); }},
        {"ClearAllBlockers", [](TVesk3Map& m) { m.ClearAllBlockers(); },
         [](MapFileBuilder& f) {
             ForEachCell(f, [&](int x, int y) { f.SetCellByte(x, y, fixtures::kCellMoveFlags, 3); });
         }},
        {"FillAllFlags", [](TVesk3Map& m) { m.FillAllFlags(2); },
         [](MapFileBuilder& f) {
             ForEachCell(f, [&](int x, int y) { f.SetCellByte(x, y, fixtures::kCellMoveFlags, 2); });
         }},
        // Outside the grids nothing changes; with H = 5, tile row 2 would alias the next column's first tile and
        // cell row 5 the next column's first cell.
        {"TileRowPastGrid", [](TVesk3Map& m) { m.SetTileField(0, kH / 2, 1, 0); }, nothing},
        {"TileColumnPastGrid", [](TVesk3Map& m) { m.SetTileField(kW / 2, 0, 2, 0); }, nothing},
        {"NegativeTile", [](TVesk3Map& m) { m.SetTileField(-1, 0, 1, 0); m.SetTileField(0, -1, 1, 0); }, nothing},
        {"CellRowPastGrid",
         [](TVesk3Map& m) {
             m.SetLayerA(0, kH, 0, 0);
             m.SetLayerB(0, kH, 0, 0);
             m.SetCellMoveFlags(0, kH, 2);
             m.SetCellByte13(0, kH, 0x39);
         },
         nothing},
        {"CellColumnPastGrid", [](TVesk3Map& m) { m.SetLayerA(kW, 0, 0, 0); m.SetCellByte13(kW, 0, 1); }, nothing},
        {"NegativeCell", [](TVesk3Map& m) { m.SetLayerB(-1, 0, 0, 0); m.SetCellMoveFlags(0, -1, 1); }, nothing},
        {"ExtremeCoordinates",
         [](TVesk3Map& m) {
             m.SetLayerA(INT_MAX, INT_MAX, 0, 0);
             m.SetCellByte13(INT_MIN, 0, 1);
             m.SetTileField(INT_MAX, INT_MIN, 1, 0);
         },
         nothing},
    };
}

class Vesk3MapSetters : public ::testing::TestWithParam<SetterRow> {};

TEST_P(Vesk3MapSetters, ChangeExactlyTheirOwnBytes)
{
    const SetterRow& row = GetParam();
    MapFileBuilder file = MapFileBuilder(kW, kH).FillRandom(12);
    TempDir dir;
    TVesk3Map map;
    Load(map, dir, file);
    row.Edit(map);
    row.Expect(file);
    EXPECT_EQ(FirstDifference(Saved(map, dir), file.Bytes()), "");
}

INSTANTIATE_TEST_SUITE_P(Edits, Vesk3MapSetters, ::testing::ValuesIn(SetterRows()),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---- Empty answers -------------------------------------------------------------------------------------------

struct EmptyRow {
    const char* Name;
    int32_t X, Y, Source;
    bool Fresh = false; // an object that neither loaded nor created a map
};

class Vesk3MapEmptyAnswer : public ::testing::TestWithParam<EmptyRow> {};

TEST_P(Vesk3MapEmptyAnswer, OutsideTheGridsOrFromAnotherSource)
{
    const EmptyRow row = GetParam();
    TempDir dir;
    TVesk3Map map;
    if (!row.Fresh)
        Load(map, dir, MapFileBuilder(kW, kH).FillRandom(13));

    int32_t lib = 5, image = 5;
    map.GetTile(row.X, row.Y, lib, image, row.Source);
    EXPECT_EQ(lib, -1);
    EXPECT_EQ(image, -1);
    map.GetLayerA(row.X, row.Y, lib, image, row.Source);
    EXPECT_EQ(lib, 0);
    EXPECT_EQ(image, 0);
    lib = image = 5;
    map.GetLayerB(row.X, row.Y, lib, image, row.Source);
    EXPECT_EQ(lib, 0);
    EXPECT_EQ(image, 0);
    uint8_t extra = 5, marker = 5;
    map.GetCellByte1(row.X, row.Y, extra, marker, row.Source);
    EXPECT_EQ(extra, 0);
    EXPECT_EQ(marker, 0);
    EXPECT_EQ(map.GetCellByte(row.X, row.Y, 1, row.Source), 0);
    EXPECT_EQ(map.GetCellByte(row.X, row.Y, 2, row.Source), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, Vesk3MapEmptyAnswer,
                         ::testing::Values(EmptyRow{"PastBothGrids", kW, kH, 1},
                                           EmptyRow{"NegativeColumn", -1, 0, 1}, EmptyRow{"NegativeRow", 0, -1, 1},
                                           EmptyRow{"ExtremeCoordinates", INT_MIN, INT_MAX, 1},
                                           EmptyRow{"SourceZero", 0, 0, 0}, EmptyRow{"SourceTwo", 1, 1, 2},
                                           EmptyRow{"SourceNegative", 0, 1, -1},
                                           EmptyRow{"FreshObject", 0, 0, 1, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The tile grid ends before the cell grid: (3, 0) and (0, 2) are cells of a 7 x 5 map but no tiles.
TEST(Vesk3MapEmptyAnswer, TileGridEndsAtMaxTile)
{
    TempDir dir;
    TVesk3Map map;
    Load(map, dir, MapFileBuilder(kW, kH).FillRandom(14));
    ASSERT_EQ(map.MaxTileX, 2);
    ASSERT_EQ(map.MaxTileY, 1);
    for (auto [tx, ty] : {std::pair{3, 0}, std::pair{0, 2}, std::pair{3, 2}}) {
        int32_t lib = 0, image = 0;
        map.GetTile(tx, ty, lib, image, 1);
        EXPECT_EQ(lib, -1) << tx << "," << ty;
        EXPECT_EQ(image, -1) << tx << "," << ty;
    }
}

TEST(Vesk3MapEmptyAnswer, FreshObjectIgnoresEdits)
{
    TVesk3Map map;
    const maptest::MapState before = Snapshot(map);
    map.SetTileField(0, 0, 1, 1);
    map.SetLayerA(0, 0, 1, 1);
    map.SetLayerB(0, 0, 1, 1);
    map.SetCellMoveFlags(0, 0, 1);
    map.SetCellByte13(0, 0, 1);
    map.ClearAllBlockers();
    map.FillAllFlags(2);
    EXPECT_TRUE(Snapshot(map) == before);
    EXPECT_TRUE(before == maptest::EmptyAfterFailedLoad(""));
}

// ---- New maps ------------------------------------------------------------------------------------------------

struct NewMapRow {
    int32_t Width, Height, MapType;
    bool Accepted;
};

class Vesk3MapNew : public ::testing::TestWithParam<NewMapRow> {};

TEST_P(Vesk3MapNew, StoresSizesAndTypeAsGivenOrRefusesThemUnchanged)
{
    const NewMapRow row = GetParam();
    TempDir dir;
    TVesk3Map map;
    Load(map, dir, MapFileBuilder(5, 3).FillRandom(15));
    const maptest::MapState before = Snapshot(map);

    ASSERT_EQ(map.NewMap("created.map", row.Width, row.Height, row.MapType), row.Accepted);
    if (!row.Accepted) {
        EXPECT_TRUE(Snapshot(map) == before);
        return;
    }
    EXPECT_EQ(map.MapName, "created.map");
    EXPECT_EQ(map.FilePath, "");
    EXPECT_EQ(map.Width, row.Width);
    EXPECT_EQ(map.Height, row.Height);
    EXPECT_EQ(map.MaxTileX, row.Width / 2 - 1);
    EXPECT_EQ(map.MaxTileY, row.Height / 2 - 1);
    EXPECT_EQ(map.MapType, row.MapType);
    const MapFileBuilder expected(static_cast<uint16_t>(row.Width), static_cast<uint16_t>(row.Height),
                                  static_cast<uint16_t>(row.MapType));
    EXPECT_EQ(FirstDifference(Saved(map, dir), expected.Bytes()), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, Vesk3MapNew,
                         ::testing::Values(NewMapRow{4, 4, 0, true}, NewMapRow{5, 5, 4, true},
                                           NewMapRow{1000, 1000, 1, true}, NewMapRow{0, 0, 0, true},
                                           NewMapRow{65535, 1, 65535, true}, NewMapRow{1, 65535, 7, true},
                                           NewMapRow{-1, 4, 0, false}, NewMapRow{4, -1, 0, false},
                                           NewMapRow{65536, 4, 0, false}, NewMapRow{4, 65536, 0, false},
                                           NewMapRow{INT_MIN, INT_MAX, 0, false}, NewMapRow{4, 4, -1, false},
                                           NewMapRow{4, 4, 65536, false}),
                         [](const auto& info) {
                             return maptest::SizeName(info.param.Width, info.param.Height) +
                                    maptest::NumberName("Type", info.param.MapType);
                         });

// ---- Map type names ------------------------------------------------------------------------------------------

class Vesk3MapTypeName : public ::testing::TestWithParam<std::pair<int32_t, const char*>> {};

TEST_P(Vesk3MapTypeName, NamesTheStoredType)
{
    TVesk3Map map;
    ASSERT_TRUE(map.NewMap("t.map", 4, 4, GetParam().first));
    EXPECT_EQ(map.GetMapTypeName(), GetParam().second);
}

// The create dialog's "Wood" (its second entry) is stored as 1 and named "Sand (1)": nothing remaps the type.
INSTANTIATE_TEST_SUITE_P(Types, Vesk3MapTypeName,
                         ::testing::Values(std::pair{0, "Data (0)"}, std::pair{1, "Sand (1)"},
                                           std::pair{2, "Forest (2)"}, std::pair{3, "Snow / Lava Map (3)"},
                                           std::pair{4, "Wood (4)"}, std::pair{5, " - "}, std::pair{7, " - "},
                                           std::pair{65535, " - "}),
                         [](const auto& info) { return maptest::NumberName("Type", info.param.first); });

} // namespace
