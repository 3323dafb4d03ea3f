// The map document against map files written by the fixture: byte-exact round trips that read every field at its
// own address, damaged, hostile and missing files (nothing sized from a header the file cannot hold), saves that
// fail, setters, new maps and their type names.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>

#include "classlib/core/SysUtils.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/core/AllocationProbe.h"
#include "tests/support/TempDir.h"

namespace {

using namespace fixtures;

template <class T>
std::string Raw(const T* data, size_t count)
{
    return {reinterpret_cast<const char*>(data), count * sizeof(T)};
}

// Everything a map holds, comparable: names, sizes, and header, tiles and cells as they lie in memory.
using MapState = std::tuple<std::string, std::string, int32_t, int32_t, int32_t, int32_t, int32_t, std::string>;

MapState Snapshot(const TVesk3Map& m)
{
    const std::string records = Raw(m.Tiles.data(), m.Tiles.size()) + Raw(m.Cells.data(), m.Cells.size());
    return {m.MapName, m.FilePath, m.Width, m.Height, m.MaxTileX, m.MaxTileY, m.MapType, Raw(&m.Header, 1) + records};
}

template <class Row>
class MapTest : public testing::TestWithParam<Row> {
protected:
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "map.map")
    {
        EXPECT_TRUE(WriteBytesToFile(dir.file(name), bytes));
        return dir.file(name);
    }
    void Load(const MapFileBuilder& file) { ASSERT_TRUE(map.LoadFromFile(Write(file.Bytes()))); }
    // Saves back to the loaded file and reads it.
    std::vector<uint8_t> SavedBack()
    {
        map.Save();
        return ReadFileBytes(map.FilePath);
    }

    testsupport::TempDir dir;
    TVesk3Map map;
};

// ---- Round trips ---------------------------------------------------------------------------------------------

struct MapSize {
    uint16_t Width, Height;
};

// Odd and even sides in every pairing, up to 1000 x 1000; the spare tile records of odd sizes included.
const MapSize RoundTripSizes[] = {{1, 1},    {1, 3},    {2, 2},    {6, 4},    {7, 5},      {33, 17},
                                  {1, 1000}, {1000, 1}, {99, 100}, {100, 99}, {1000, 1000}};

using MapRoundTrip = MapTest<MapSize>;

// The getters of small maps read every tile and cell against the file's bytes; outside the grids (the tile grid
// ends before the cell grid: with an odd side the next tile would alias the next column's first) and from any
// other source they give the empty answer. Setters find their records through the same grid check.
TEST_P(MapRoundTrip, SaveReproducesEveryByteAndGettersReadTheirOwn)
{
    const auto [w, h] = GetParam();
    const MapFileBuilder file = MapFileBuilder(w, h, uint16_t(w * 31 + h)).FillRandom(w * 1000u + h);
    const std::vector<uint8_t>& bytes = file.Bytes();
    const std::string path = Write(bytes, "source.map");
    ASSERT_TRUE(map.LoadFromFile(path));
    EXPECT_EQ(map.MapType, uint16_t(w * 31 + h));
    EXPECT_EQ(map.MapName, "source.map");
    map.SaveToFile(dir.file("copy.map"));
    EXPECT_EQ(ReadFileBytes(dir.file("copy.map")), bytes);
    EXPECT_EQ(map.FilePath, path) << "SaveToFile does not take the new name";
    if (w * h > 1000) return;

    int32_t lib = 0, image = 0;
    for (int tx = -1; tx <= w / 2; ++tx)
        for (int ty = -1; ty <= h / 2; ++ty) {
            const bool inside = tx >= 0 && ty >= 0 && tx < w / 2 && ty < h / 2;
            const size_t at = inside ? file.TileOffset(tx, ty) : 0;
            map.GetTile(tx, ty, lib, image, TVesk3Map::SourceMap);
            ASSERT_EQ(std::pair(lib, image),
                      inside ? std::pair(int32_t(bytes[at]), int32_t(ReadU16(bytes, at + 1))) : std::pair(-1, -1))
                << tx << "," << ty;
        }
    for (int x = -1; x <= w; ++x)
        for (int y = -1; y <= h; ++y)
            for (int32_t source : {1, 0, 2, -1}) {
                const bool inside = source == 1 && x >= 0 && y >= 0 && x < w && y < h;
                const size_t at = inside ? file.CellOffset(x, y) : 0;
                const auto field = [&](size_t f) { return inside ? int32_t(bytes[at + f]) : 0; };
                const auto word = [&](size_t f) { return inside ? int32_t(ReadU16(bytes, at + f)) : 0; };
                SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y) + " from " + std::to_string(source));
                ASSERT_EQ(std::tuple(map.GetCellByte(x, y, 1, source), map.GetCellByte(x, y, 2, source),
                                     map.GetCellByte(x, y, 3, source)),
                          std::tuple(field(kCellMoveFlags), field(kCellLight), 0));
                uint8_t extra = 1, marker = 1;
                map.GetCellByte1(x, y, extra, marker, source);
                ASSERT_EQ(std::pair(int32_t(extra), int32_t(marker)), std::pair(0, field(kCellAnimMarker)));
                map.GetLayerA(x, y, lib, image, source);
                ASSERT_EQ(std::pair(lib, image), std::pair(field(kCellFrontLib), word(kCellFrontImage)));
                map.GetLayerB(x, y, lib, image, source);
                ASSERT_EQ(std::pair(lib, image), std::pair(field(kCellBackLib), word(kCellBackImage)));
            }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MapRoundTrip, testing::ValuesIn(RoundTripSizes), [](const auto& info) {
    return "W" + std::to_string(info.param.Width) + "xH" + std::to_string(info.param.Height);
});

// ---- Damaged, hostile and missing files (the fuzz target reads every other cut) ---------------------------------

struct LoadRow {
    const char* Name;
    std::vector<uint8_t> Bytes;
    bool Loads;
    const char* Missing = nullptr;  // the path, in the folder, of a file that does not exist: nothing changes
};

std::vector<LoadRow> LoadRows()
{
    return {
        {"TrailingBytes", MapFileBuilder(5, 5).FillRandom(5).WithTrailing(1000), true},
        {"LargeTrailingData", MapFileBuilder(2, 2).WithTrailing(4 << 20), true},
        {"ZeroSizeMap", HostileMapFile(0, 0, 0), true},
        {"ZeroWidthTallMap", HostileMapFile(0, 65535, 0), true},
        {"EmptyFile", {}, false},
        {"CutInsideCellBlockOfWideMap", MapFileBuilder(1000, 3).CutShort(14 * 500 + 3), false},
        {"CellBlockMissing", HostileMapFile(1000, 1000, 3 * 250000), false},
        {"HugeHeaderOnly", HostileMapFile(65535, 65535, 0), false},
        {"HugeHeaderWithBody", HostileMapFile(65535, 65535, 100000), false},
        {"AbsentFile", {}, false, "absent.map"},
        {"AbsentFolder", {}, false, "no-folder/x.map"},
        {"Folder", {}, false, ""},
    };
}

using MapLoad = MapTest<LoadRow>;

TEST_P(MapLoad, LoadsWhatTheHeaderAnnouncesOrLeavesAnEmptyMapWithoutPath)
{
    const LoadRow& row = GetParam();
    Load(MapFileBuilder(6, 4).FillRandom(1));
    const MapState before = Snapshot(map);
    const std::string path = row.Missing ? dir.file(row.Missing) : Write(row.Bytes, "case.map");

    testsupport::ResetLargestAllocation();
    EXPECT_EQ(map.LoadFromFile(path), row.Loads);
    // Nothing is sized from the header beyond what the file holds and the header announces.
    const size_t announced = row.Bytes.size() < 28 ? 0 : MapFileSize(ReadU16(row.Bytes, 22), ReadU16(row.Bytes, 24));
    EXPECT_LE(testsupport::LargestAllocation(), std::max<size_t>(4096, std::min(announced, row.Bytes.size())));

    if (row.Missing) {
        EXPECT_TRUE(Snapshot(map) == before);
    } else if (!row.Loads) {
        EXPECT_TRUE(Snapshot(map) == (MapState{"case.map", "", 0, 0, -1, -1, 0, std::string(28, '\0')}));
        EXPECT_THROW(map.Save(), EFCreateError) << "a damaged file is never saved over";
        EXPECT_EQ(ReadFileBytes(path), row.Bytes);
    } else {
        // Saving writes the announced image back over the file and drops whatever followed it.
        EXPECT_EQ(SavedBack(), std::vector<uint8_t>(row.Bytes.begin(), row.Bytes.begin() + ptrdiff_t(announced)));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MapLoad, testing::ValuesIn(LoadRows()),
                         [](const auto& info) { return std::string(info.param.Name); });

// A save that cannot complete reaches the caller and leaves the map and the folder as they were: the target
// untouched, no temporary file beside it.
using MapSave = MapTest<int>;

TEST_F(MapSave, AFailedSaveThrowsAndChangesNothing)
{
    Load(MapFileBuilder(7, 5).FillRandom(6));
    std::filesystem::create_directory(dir.path() / "folder.map");
    const MapState before = Snapshot(map);
    for (const char* target : {"no-folder/x.map", "folder.map"}) {
        EXPECT_THROW(map.SaveToFile(dir.file(target)), EStreamError) << target;
        EXPECT_TRUE(Snapshot(map) == before) << target;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << target;
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder.map")) << target;
    }
}

// ---- Setters ---------------------------------------------------------------------------------------------------

// A 7 x 5 map: odd sides, so the tile block has spare records and the tile column height (2) differs from the
// cell column height (5).
constexpr int kW = 7, kH = 5;

// The bytes a setter changes: Size bytes of value at Field of cell (X, Y), of tile (X, Y) when Tile, of every
// cell when X is -1.
struct Change {
    int X, Y;
    size_t Field;
    uint32_t Value;
    size_t Size = 1;
    bool Tile = false;
};

struct SetterRow {
    const char* Name;
    std::function<void(TVesk3Map&)> Edit;
    std::vector<Change> Changes;
};

std::vector<SetterRow> SetterRows()
{
    return {
        {"TileLibrary", [](TVesk3Map& m) { m.SetTileField(2, 1, 1, 0x1234); }, {{2, 1, 0, 0x34, 1, true}}},
        {"TileImage", [](TVesk3Map& m) { m.SetTileField(1, 0, 2, 0x12345); }, {{1, 0, 1, 0x2345, 2, true}}},
        {"TileOtherField", [](TVesk3Map& m) { m.SetTileField(1, 1, 3, 7); }, {}},
        {"LayerA",
         [](TVesk3Map& m) { m.SetLayerA(6, 4, 0x11, 0x2233); },
         {{6, 4, kCellFrontLib, 0x11}, {6, 4, kCellFrontImage, 0x2233, 2}}},
        {"LayerB",
         [](TVesk3Map& m) { m.SetLayerB(3, 2, 0x44, 0x5566); },
         {{3, 2, kCellBackLib, 0x44}, {3, 2, kCellBackImage, 0x5566, 2}}},
        {"FreeCell", [](TVesk3Map& m) { m.SetCellMoveFlags(0, 4, 0); }, {{0, 4, kCellMoveFlags, 3}}},
        {"CantMove", [](TVesk3Map& m) { m.SetCellMoveFlags(1, 0, 1); }, {{1, 0, kCellMoveFlags, 0}}},
        {"CantMoveAndFly", [](TVesk3Map& m) { m.SetCellMoveFlags(6, 0, 2); }, {{6, 0, kCellMoveFlags, 2}}},
        {"Light", [](TVesk3Map& m) { m.SetCellByte13(4, 3, 0x39); }, {{4, 3, kCellLight, 0x39}}},
        {"ClearAllBlockers", [](TVesk3Map& m) { m.ClearAllBlockers(); }, {{-1, 0, kCellMoveFlags, 3}}},
        {"FillAllFlags", [](TVesk3Map& m) { m.FillAllFlags(2); }, {{-1, 0, kCellMoveFlags, 2}}},
    };
}

using MapSetters = MapTest<SetterRow>;

TEST_P(MapSetters, ChangeExactlyTheirOwnBytes)
{
    MapFileBuilder file = MapFileBuilder(kW, kH).FillRandom(12);
    Load(file);
    GetParam().Edit(map);
    for (const Change& c : GetParam().Changes)
        for (int x = c.X < 0 ? 0 : c.X; x <= (c.X < 0 ? kW - 1 : c.X); ++x)
            for (int y = c.X < 0 ? 0 : c.Y; y <= (c.X < 0 ? kH - 1 : c.Y); ++y)
                file.Put((c.Tile ? file.TileOffset(x, y) : file.CellOffset(x, y)) + c.Field, c.Value, c.Size);
    EXPECT_EQ(SavedBack(), file.Bytes());
}

INSTANTIATE_TEST_SUITE_P(Edits, MapSetters, testing::ValuesIn(SetterRows()),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---- New maps ------------------------------------------------------------------------------------------------

struct NewMapRow {
    int32_t Width, Height, MapType;
    const char* TypeName;  // null: refused
};

using MapNew = MapTest<NewMapRow>;

TEST_P(MapNew, StoresSizesAndTypeAsGivenOrRefusesThemUnchanged)
{
    const NewMapRow row = GetParam();
    Load(MapFileBuilder(5, 3).FillRandom(15));
    const MapState before = Snapshot(map);
    const std::string loaded = map.FilePath;
    ASSERT_EQ(map.NewMap("created.map", row.Width, row.Height, row.MapType), row.TypeName != nullptr);
    if (!row.TypeName) {
        EXPECT_TRUE(Snapshot(map) == before);
        return;
    }
    EXPECT_EQ(map.MapName, "created.map");
    EXPECT_EQ(map.GetMapTypeName(), row.TypeName);
    EXPECT_THROW(map.Save(), EFCreateError) << "a new map has no file yet";
    map.SaveToFile(loaded);  // replaces the loaded file whole, shorter or longer
    EXPECT_EQ(ReadFileBytes(loaded),
              MapFileBuilder(uint16_t(row.Width), uint16_t(row.Height), uint16_t(row.MapType)).Bytes());
}

// The create dialog's "Wood" (its second entry) is stored as 1 and named "Sand (1)": nothing remaps the type.
INSTANTIATE_TEST_SUITE_P(Rows, MapNew,
                         testing::Values(NewMapRow{4, 4, 0, "Data (0)"}, NewMapRow{5, 5, 1, "Sand (1)"},
                                         NewMapRow{0, 0, 2, "Forest (2)"},
                                         NewMapRow{300, 200, 3, "Snow / Lava Map (3)"},
                                         NewMapRow{1, 65535, 4, "Wood (4)"}, NewMapRow{65535, 1, 65535, " - "},
                                         NewMapRow{7, 3, 5, " - "}, NewMapRow{-1, 4, 0, nullptr},
                                         NewMapRow{4, -1, 0, nullptr}, NewMapRow{65536, 4, 0, nullptr},
                                         NewMapRow{4, 65536, 0, nullptr}, NewMapRow{INT_MIN, INT_MAX, 0, nullptr},
                                         NewMapRow{4, 4, -1, nullptr}, NewMapRow{4, 4, 65536, nullptr}),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace
