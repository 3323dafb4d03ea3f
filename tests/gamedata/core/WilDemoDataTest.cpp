// The demo client folder: every library of the path table decodes, the markers exist, the maps load and point at
// images that exist.
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/core/WilDecoder.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "tests/support/TempDir.h"
#include "tools/demo/DemoData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path Native(const std::filesystem::path& folder, std::string relative)
{
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return folder / std::filesystem::path(relative).make_preferred();
}

struct Library {
    std::vector<uint8_t> Wil, Wix;
};

// The folder is written once for the whole suite: generating it is the expensive part.
class WilDemoData : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new testsupport::TempDir;
        std::string error;
        made = MakeDemoData(dir->path().string(), error);
        makeError = error;
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(made) << makeError; }

    static Library Load(int32_t number)
    {
        std::filesystem::path wil = Native(dir->path(), GetLibraryFileName(number));
        std::filesystem::path wix = wil;
        wix.replace_extension(".wix");
        return {ReadFile(wil), ReadFile(wix)};
    }

    static inline testsupport::TempDir* dir = nullptr;
    static inline bool made = false;
    static inline std::string makeError;
};

}  // namespace

TEST(WilDemoPaths, LibraryKindsFollowThePicker)
{
    const std::pair<int32_t, TDemoLibraryKind> rows[] = {
        {0, TDemoLibraryKind::Tiles},       {2, TDemoLibraryKind::Tiles},      {14, TDemoLibraryKind::Tiles},
        {47, TDemoLibraryKind::Tiles},      {3, TDemoLibraryKind::SmallTiles}, {63, TDemoLibraryKind::SmallTiles},
        {18, TDemoLibraryKind::Objects},    {59, TDemoLibraryKind::Objects},   {74, TDemoLibraryKind::Objects},
    };
    for (auto [number, kind] : rows) EXPECT_EQ(DemoLibraryKind(number), kind) << number;
}

TEST_F(WilDemoData, EveryLibraryDecodesWithItsDrawnImages)
{
    TRgbaCanvas canvas;
    for (int32_t number = 0; number < 75; ++number) {
        const Library lib = Load(number);
        const TWilDataHeader header = ReadWilDataHeader(lib.Wil);
        ASSERT_TRUE(IsKnownWilVersion(header.Version)) << number;
        const int expected = DemoLibraryKind(number) == TDemoLibraryKind::Tiles        ? DemoTileImages
                             : DemoLibraryKind(number) == TDemoLibraryKind::SmallTiles ? DemoSmallTileImages
                                                                                        : DemoObjectImages;
        ASSERT_EQ(header.Count, expected) << number;
        bool clear = false, semi = false, opaque = false;
        uint32_t decoded = 0;
        for (int i = 0; i < header.Count; ++i) {
            TWilImageHeader image;
            const TImageDecodeStatus status = DecodeWilImage(lib.Wil, lib.Wix, i, image, canvas);
            ASSERT_NE(status, TImageDecodeStatus::Damaged) << number << "/" << i;
            if (status != TImageDecodeStatus::Decoded) continue;
            ++decoded;
            if (DemoLibraryKind(number) == TDemoLibraryKind::Tiles) {
                EXPECT_EQ(image.Width, 96) << number << "/" << i;
                EXPECT_EQ(image.Height, 64) << number << "/" << i;
            }
            for (uint32_t y = 0; y < image.Height; ++y)
                for (uint32_t x = 0; x < image.Width; ++x) {
                    const uint32_t p = canvas.At(x, y);
                    clear |= p == RgbaOpaqueBlack;
                    semi |= p >> 24 == WilSemiAlpha;
                    opaque |= p >> 24 == 0xFF && p != RgbaOpaqueBlack;
                }
        }
        EXPECT_EQ(decoded, CountWilImages(lib.Wil, lib.Wix)) << number;
        EXPECT_TRUE(opaque) << number;
        if (DemoLibraryKind(number) == TDemoLibraryKind::Objects) {
            EXPECT_TRUE(clear && semi) << number << ": objects have clear and half-transparent pixels";
        }
    }
}

TEST_F(WilDemoData, MarkerImagesOfLibraryThree)
{
    const Library lib = Load(3);
    TRgbaCanvas canvas;
    for (int i : {56, 58, 59}) {
        TWilImageHeader image;
        ASSERT_EQ(DecodeWilImage(lib.Wil, lib.Wix, i, image, canvas), TImageDecodeStatus::Decoded) << i;
        EXPECT_EQ(image.Width, 48) << i;
        EXPECT_EQ(image.Height, 32) << i;
        EXPECT_EQ(canvas.At(24, 16) >> 24 == WilSemiAlpha, i != 56) << i << ": the blockers are half-transparent";
    }
}

TEST_F(WilDemoData, MapsLoadAndUseExistingImages)
{
    for (const TDemoMap& demo : DemoMaps) {
        TVesk3Map map;
        ASSERT_TRUE(map.LoadFromFile((dir->path() / "Map" / demo.FileName).string())) << demo.FileName;
        EXPECT_EQ(map.Width, demo.Width) << demo.FileName;
        EXPECT_EQ(map.Height, demo.Height) << demo.FileName;
        std::vector<Library> libs(75);
        std::set<std::pair<int32_t, int32_t>> seen;
        TRgbaCanvas canvas;
        auto exists = [&](int32_t number, int32_t index) {
            if (number < 0 || number >= 75) return false;
            if (seen.count({number, index})) return true;
            if (libs[number].Wil.empty()) libs[number] = Load(number);
            TWilImageHeader image;
            const Library& lib = libs[number];
            if (DecodeWilImage(lib.Wil, lib.Wix, index, image, canvas) != TImageDecodeStatus::Decoded) return false;
            seen.insert({number, index});
            return true;
        };
        int objects = 0, blocked = 0, lights = 0;
        for (int tx = 0; tx <= map.MaxTileX; tx += 3)
            for (int ty = 0; ty <= map.MaxTileY; ty += 3) {
                int32_t lib, image;
                map.GetTile(tx, ty, lib, image, TVesk3Map::SourceMap);
                ASSERT_TRUE(exists(lib, image)) << demo.FileName << " tile " << tx << "," << ty;
            }
        for (int x = 0; x < map.Width; ++x)
            for (int y = 0; y < map.Height; ++y) {
                int32_t lib, image;
                map.GetLayerB(x, y, lib, image, TVesk3Map::SourceMap);
                if (lib != 0xFF) {
                    ++objects;
                    EXPECT_TRUE(exists(lib, image)) << demo.FileName << " cell " << x << "," << y;
                }
                blocked += map.GetCellByte(x, y, 1, TVesk3Map::SourceMap) != 3;
                lights += map.GetCellByte(x, y, 2, TVesk3Map::SourceMap) == 0x39;
            }
        EXPECT_GT(objects, 0) << demo.FileName;
        EXPECT_GT(blocked, 0) << demo.FileName;
        if (demo.Width * demo.Height > 1000) {
            EXPECT_GT(lights, 0) << demo.FileName;
        }
    }
}
