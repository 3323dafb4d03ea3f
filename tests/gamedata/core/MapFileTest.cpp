// Loading and saving map files: byte-exact round trips, the shapes of odd sizes, damaged and hostile files, and
// saves that fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "classlib/core/SysUtils.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/core/AllocationProbe.h"
#include "tests/gamedata/core/MapTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using fixtures::MapFileBuilder;
using maptest::FirstDifference;
using maptest::Snapshot;
using testsupport::TempDir;

std::string WriteFixture(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = dir.file(name);
    EXPECT_TRUE(fixtures::WriteBytesToFile(path, bytes)) << path;
    return path;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// ---- Round trip: every byte of random maps, odd and even sizes -----------------------------------------------

struct MapSize {
    int Width, Height;
};

std::vector<MapSize> RoundTripSizes()
{
    std::vector<MapSize> sizes = {{1, 1},  {1, 2},    {2, 1},    {2, 2},   {3, 3},      {4, 4},
                                  {5, 5},  {7, 3},    {3, 7},    {1, 1000}, {1000, 1}, {1000, 1000}};
    // Random sizes up to 1000, one for each pairing of odd and even sides.
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> half(0, 499);
    for (int parity = 0; parity < 4; ++parity)
        sizes.push_back({2 * half(random) + 1 + (parity & 1), 2 * half(random) + 1 + (parity >> 1)});
    return sizes;
}

class Vesk3MapRoundTrip : public ::testing::TestWithParam<MapSize> {};

TEST_P(Vesk3MapRoundTrip, SaveReproducesEveryByteOfTheLoadedFile)
{
    const auto [w, h] = GetParam();
    MapFileBuilder file(static_cast<uint16_t>(w), static_cast<uint16_t>(h), static_cast<uint16_t>(w * 31 + h));
    file.SetText("text\x01\xFF kept as read").SetSpare(0x12, 0xEF).FillRandom(static_cast<uint32_t>(w * 1000 + h));
    TempDir dir;
    const std::string source = WriteFixture(dir, "source.map", file.Bytes());

    TVesk3Map map;
    ASSERT_TRUE(map.LoadFromFile(source));
    EXPECT_EQ(map.Width, w);
    EXPECT_EQ(map.Height, h);
    EXPECT_EQ(map.MaxTileX, w / 2 - 1);
    EXPECT_EQ(map.MaxTileY, h / 2 - 1);
    EXPECT_EQ(map.MapType, (w * 31 + h) & 0xFFFF);
    EXPECT_EQ(map.Tiles.size(), static_cast<size_t>(w) * h / 4);
    EXPECT_EQ(map.Cells.size(), static_cast<size_t>(w) * h);
    EXPECT_EQ(map.FilePath, source);
    EXPECT_EQ(map.MapName, "source.map");

    const std::string copy = dir.file("copy.map");
    map.SaveToFile(copy);
    EXPECT_EQ(FirstDifference(fixtures::ReadFileBytes(copy), file.Bytes()), "");
    EXPECT_EQ(map.FilePath, source);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Vesk3MapRoundTrip, ::testing::ValuesIn(RoundTripSizes()),
                         [](const auto& info) { return maptest::SizeName(info.param.Width, info.param.Height); });

// ---- Damaged, hostile and unusual files ----------------------------------------------------------------------

struct LoadRow {
    const char* Name;
    std::vector<uint8_t> Bytes;
    bool Loads;
};

std::vector<uint8_t> Truncated(std::vector<uint8_t> bytes, size_t length)
{
    bytes.resize(length);
    return bytes;
}

std::vector<LoadRow> LoadRows()
{
    const MapFileBuilder four(4, 4);
    const MapFileBuilder five = MapFileBuilder(5, 5).FillRandom(5);
    const MapFileBuilder wide = MapFileBuilder(1000, 3).FillRandom(9);
    return {
        {"TrailingBytes", five.WithTrailing(1000), true},
        {"LargeTrailingData", MapFileBuilder(2, 2).WithTrailing(4 << 20), true},
        {"ZeroSizeMap", fixtures::HostileMapFile(0, 0, 0), true},
        {"ZeroWidthTallMap", fixtures::HostileMapFile(0, 65535, 0), true},
        {"TallMapOfOneColumn", MapFileBuilder(1, 9).FillRandom(6).Bytes(), true},
        {"EmptyFile", {}, false},
        {"HeaderCutShort", Truncated(four.Bytes(), 27), false},
        {"CutInsideTileBlock", Truncated(four.Bytes(), 28 + 5), false},
        {"CutInsideCellBlockByOneByte", five.CutShort(1), false},
        {"CutInsideCellBlockOfWideMap", wide.CutShort(14 * 500 + 3), false},
        {"HugeHeaderOnly", fixtures::HostileMapFile(65535, 65535, 0), false},
        {"HugeHeaderWithBody", fixtures::HostileMapFile(65535, 65535, 100000), false},
        {"OneCellMissing", fixtures::HostileMapFile(3, 3, 3 * 2 + 14 * 8), false},
    };
}

class Vesk3MapLoad : public ::testing::TestWithParam<LoadRow> {};

TEST_P(Vesk3MapLoad, LoadsWhatTheHeaderAnnouncesOrLeavesAnEmptyMapWithoutPath)
{
    const LoadRow& row = GetParam();
    TempDir dir;
    const std::string previous = WriteFixture(dir, "previous.map", MapFileBuilder(6, 4).FillRandom(1).Bytes());
    const std::string path = WriteFixture(dir, "case.map", row.Bytes);
    TVesk3Map map;
    ASSERT_TRUE(map.LoadFromFile(previous));

    testsupport::ResetLargestAllocation();
    EXPECT_EQ(map.LoadFromFile(path), row.Loads);
    // Nothing is sized from the header before the file is known to hold what it announces.
    const uint64_t announced = row.Bytes.size() >= 28
                                   ? fixtures::MapFileSize(fixtures::ReadU16(row.Bytes, 22),
                                                           fixtures::ReadU16(row.Bytes, 24))
                                   : 0;
    const size_t allowance = std::max<size_t>(64 * 1024, std::min<uint64_t>(announced, row.Bytes.size()));
    EXPECT_LE(testsupport::LargestAllocation(), allowance);

    if (!row.Loads) {
        EXPECT_TRUE(Snapshot(map) == maptest::EmptyAfterFailedLoad("case.map"));
        return;
    }
    EXPECT_EQ(map.FilePath, path);
    EXPECT_EQ(map.Width, fixtures::ReadU16(row.Bytes, 22));
    EXPECT_EQ(map.Height, fixtures::ReadU16(row.Bytes, 24));
    EXPECT_EQ(map.MaxTileX, map.Width / 2 - 1);
    EXPECT_EQ(map.MaxTileY, map.Height / 2 - 1);
    // Saving writes the announced image and drops whatever followed it.
    const std::string copy = dir.file("copy.map");
    map.SaveToFile(copy);
    const std::vector<uint8_t> expected(row.Bytes.begin(), row.Bytes.begin() + static_cast<ptrdiff_t>(announced));
    EXPECT_EQ(FirstDifference(fixtures::ReadFileBytes(copy), expected), "");
}

INSTANTIATE_TEST_SUITE_P(Files, Vesk3MapLoad, ::testing::ValuesIn(LoadRows()),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Vesk3MapLoad, SaveAfterAFailedLoadAsksForANameAndLeavesTheDamagedFileAlone)
{
    TempDir dir;
    const std::vector<uint8_t> damaged = MapFileBuilder(5, 5).FillRandom(3).CutShort(20);
    const std::string path = WriteFixture(dir, "damaged.map", damaged);
    TVesk3Map map;
    ASSERT_FALSE(map.LoadFromFile(path));
    EXPECT_THROW(map.Save(), EFCreateError);
    EXPECT_EQ(fixtures::ReadFileBytes(path), damaged);
}

// ---- Paths without a file: nothing changes -------------------------------------------------------------------

class Vesk3MapMissing : public ::testing::TestWithParam<const char*> {};

TEST_P(Vesk3MapMissing, ReturnsFalseAndKeepsTheLoadedMap)
{
    TempDir dir;
    const std::string loaded = WriteFixture(dir, "loaded.map", MapFileBuilder(5, 3).FillRandom(2).Bytes());
    TVesk3Map map;
    ASSERT_TRUE(map.LoadFromFile(loaded));
    const maptest::MapState before = Snapshot(map);
    const std::string name = GetParam();
    EXPECT_FALSE(map.LoadFromFile(name.empty() ? dir.path().string() : dir.file(name)));
    EXPECT_TRUE(Snapshot(map) == before);
}

INSTANTIATE_TEST_SUITE_P(Paths, Vesk3MapMissing, ::testing::Values("absent.map", "no-folder/x.map", ""),
                         [](const auto& info) { return std::to_string(info.index); });

// ---- Saving --------------------------------------------------------------------------------------------------

TEST(Vesk3MapSave, NewFourByFourMapGivesTheBlankImage)
{
    TempDir dir;
    TVesk3Map map;
    ASSERT_TRUE(map.NewMap("new.map", 4, 4, 3));
    const std::string path = dir.file("new.map");
    map.SaveToFile(path);
    const std::vector<uint8_t> bytes = fixtures::ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 264u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20), std::vector<uint8_t>(20, ' '));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 20, bytes.begin() + 28),
              (std::vector<uint8_t>{3, 0, 4, 0, 4, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 28, bytes.begin() + 40), std::vector<uint8_t>(12, 0xFF));
    const std::vector<uint8_t> blankCell = {0x03, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
    for (size_t at = 40; at < bytes.size(); at += 14)
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + static_cast<ptrdiff_t>(at),
                                       bytes.begin() + static_cast<ptrdiff_t>(at + 14)),
                  blankCell)
            << "cell record at " << at;
    EXPECT_EQ(map.FilePath, "");
    EXPECT_THROW(map.Save(), EFCreateError);
}

TEST(Vesk3MapSave, SaveToFileKeepsThePathOfTheLoadedFileAndSaveWritesBackToIt)
{
    TempDir dir;
    MapFileBuilder file = MapFileBuilder(6, 5).FillRandom(4);
    const std::string loaded = WriteFixture(dir, "loaded.map", file.Bytes());
    TVesk3Map map;
    ASSERT_TRUE(map.LoadFromFile(loaded));
    map.SaveToFile(dir.file("elsewhere.map"));
    EXPECT_EQ(map.FilePath, loaded);
    EXPECT_EQ(map.MapName, "loaded.map");

    map.SetCellByte13(5, 4, 0x39);
    map.Save();
    file.SetCellByte(5, 4, fixtures::kCellLight, 0x39);
    EXPECT_EQ(FirstDifference(fixtures::ReadFileBytes(loaded), file.Bytes()), "");
}

TEST(Vesk3MapSave, ReplacesALongerFileWhole)
{
    TempDir dir;
    const std::string path = WriteFixture(dir, "m.map", MapFileBuilder(40, 40).FillRandom(8).Bytes());
    TVesk3Map map;
    ASSERT_TRUE(map.NewMap("m.map", 4, 4, 0));
    map.SaveToFile(path);
    EXPECT_EQ(FirstDifference(fixtures::ReadFileBytes(path), MapFileBuilder(4, 4).Bytes()), "");
}

// A save that cannot complete reaches the caller, leaves the map and the folder as they were, and no temporary
// file behind.
class Vesk3MapSaveFailure : public ::testing::TestWithParam<const char*> {};

TEST_P(Vesk3MapSaveFailure, ThrowsAndChangesNothing)
{
    TempDir dir;
    const std::string loaded = WriteFixture(dir, "loaded.map", MapFileBuilder(7, 5).FillRandom(6).Bytes());
    std::filesystem::create_directory(dir.path() / "folder.map");
    TVesk3Map map;
    ASSERT_TRUE(map.LoadFromFile(loaded));
    const maptest::MapState before = Snapshot(map);
    const std::vector<std::string> entries = FolderEntries(dir.path());

    EXPECT_THROW(map.SaveToFile(dir.file(GetParam())), EStreamError);
    EXPECT_TRUE(Snapshot(map) == before);
    EXPECT_EQ(FolderEntries(dir.path()), entries);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder.map"));
}

INSTANTIATE_TEST_SUITE_P(Targets, Vesk3MapSaveFailure, ::testing::Values("no-folder/x.map", "folder.map"),
                         [](const auto& info) { return info.index == 0 ? "MissingFolder" : "TargetIsAFolder"; });

} // namespace
