// The five layer passes on the real device: what each cell shows, where, over what, at 100 % and 50 %; the zoom
// of the first frame after a change; the step passes reaching the bottom of a tall view at low zoom; a library cut
// short while the view draws it.
#include "tests/editor/MapRenderScene.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/UnixFileCut.h"

namespace {

using namespace rendertest;
using MapLayers = TMapRenderScene;

constexpr uint32_t Black = 0;

// The fixture map's content: tiles in tile row 2, objects, blockers and lights below, clear of the statistics
// text at the top.
void FillMap(TVesk3Map& map)
{
    const int tiles[][4] = {{0, 2, 0, 0}, {1, 2, 0, 1}, {3, 2, 0, 0}, {4, 2, 0, 2}, {5, 2, 0, 5}, {11, 9, 0, 0}};
    for (const auto& t : tiles) {
        map.SetTileField(t[0], t[1], 1, t[2]);
        map.SetTileField(t[0], t[1], 2, t[3]);
    }
    map.SetLayerB(2, 7, 4, 1);  // 40 x 80 blue
    map.SetLayerA(2, 7, 4, 3);  // 20 x 10 yellow, in front of it
    map.SetLayerA(6, 8, 4, 2);  // semi white
    map.SetLayerA(8, 8, 4, 0);  // image 0 is an object
    map.SetLayerA(9, 8, 0, 0);  // erased: no object
    const std::pair<int, int> blockers[] = {{10, 0}, {11, 254}, {12, 2}, {13, 252}, {14, 3}, {15, 1}, {23, 0}};
    for (const auto& [x, flags] : blockers) {
        const int y = x == 23 ? 19 : 10;
        map.Cells[size_t(x) * map.Height + y].MoveFlags = uint8_t(flags);
    }
    const std::pair<int, int> lights[] = {{10, 0x39}, {11, 64}, {12, 0}, {13, 1}};
    for (const auto& [x, value] : lights) map.SetCellByte13(x, 12, uint8_t(value));
}

struct TProbe {
    const char* What;
    int X, Y;  // unscaled (100 %) view pixels
    uint32_t Colour;
};

const TProbe LayerProbes[] = {
    {"tile library 0 image 0", 48, 160, Rgb(Red565)},
    {"a half-transparent tile drawn opaque", 144, 150, Rgb(White565)},
    {"a new map's tile", 240, 160, Black},
    {"tile image 0 of library 0 (what the eraser leaves)", 336, 160, Rgb(Red565)},
    {"another tile", 432, 160, Rgb(Green565)},
    {"a tile image the library does not hold", 528, 160, Black},
    {"the map's last tile", 1080, 590, Rgb(Red565)},
    {"right of the map", 1200, 600, Black},
    {"back object over the tile row, on its cell's bottom edge", 120, 180, Rgb(Blue565)},
    {"back object", 120, 240, Rgb(Blue565)},
    {"front object before the back object", 106, 251, Rgb(Yellow565)},
    {"above the back object", 120, 170, Rgb(White565)},
    {"a half-transparent object blends", 312, 272, Blended(White565)},
    {"object image 0", 389, 283, Rgb(White565)},
    {"an erased object", 456, 272, Black},
    {"move flags 0", 504, 336, Rgb(Red565)},
    {"move flags 254", 552, 336, Rgb(Red565)},
    {"move flags 2", 600, 336, Rgb(Blue565)},
    {"move flags 252", 648, 336, Rgb(Blue565)},
    {"move flags 3", 696, 336, Black},
    {"move flags 1", 744, 336, Black},
    {"the map's last cell", 1128, 624, Rgb(Red565)},
    {"light 0x39", 504, 400, Blended(Yellow565)},
    {"light 64", 552, 400, Black},
    {"light 0", 600, 400, Black},
    {"light 1", 648, 400, Blended(Yellow565)},
};

TEST_F(MapLayers, EveryLayerAtFullAndHalfSize)
{
    FillMap(Map);
    State.ShowBlockers = State.ShowLights = true;
    const std::pair<int32_t, double> zooms[] = {{100, 1.0}, {50, 0.5}};
    for (const auto& [zoom, scale] : zooms) {
        State.ZoomPercent = zoom;
        Frame();
        for (const TProbe& p : LayerProbes) {
            const int x = int(p.X * scale), y = int(p.Y * scale);
            EXPECT_TRUE(Near(Pixel(x, y), p.Colour, 2))
                << zoom << " %, " << p.What << " at " << x << "," << y << ": " << std::hex << Pixel(x, y);
        }
    }
}

TEST_F(MapLayers, ScrolledAndSwitchedOff)
{
    FillMap(Map);
    State.ShowBlockers = true;
    State.TileOriginX = State.TileOriginY = 1;
    State.StepOriginX = State.StepOriginY = 2;
    Frame();
    EXPECT_EQ(Pixel(48, 100), Rgb(White565)) << "tile (1, 2) in view tile (0, 1)";
    EXPECT_EQ(Pixel(408, 272), Rgb(Red565)) << "blocker (10, 10) in view cell (8, 8)";
    State.ShowTiles = State.ShowBackObjects = State.ShowBlockers = false;
    Frame();
    EXPECT_EQ(Pixel(48, 100), Black);
    EXPECT_EQ(Pixel(408, 272), Black);
    EXPECT_EQ(Pixel(10, 187), Rgb(Yellow565)) << "the front objects still draw";
}

// Animated objects show the current frame of their animation: the front object for marker 99, the back object
// for 98.
TEST_F(MapLayers, AnimatedObjectsFollowTheirMarker)
{
    const struct {
        const char* What;
        bool Animate, Front;
        uint8_t Marker;
        uint32_t Colour;
    } rows[] = {
        {"front, 99", true, true, 99, Rgb(Green565)},  {"front, 98", true, true, 98, Rgb(Red565)},
        {"back, 98", true, false, 98, Rgb(Green565)},  {"back, 99", true, false, 99, Rgb(Red565)},
        {"front, 0", true, true, 0, Rgb(Red565)},      {"animation off", false, true, 99, Rgb(Red565)},
    };
    AnimationFrameOffsets[19 - 1] = 2;  // image 3 shows image 5
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        Map.SetLayerA(3, 6, row.Front ? 11 : 0, 3);
        Map.SetLayerB(3, 6, row.Front ? 0 : 11, 3);
        Map.Cells[size_t(3) * Map.Height + 6].AnimMarker = row.Marker;
        State.ShowAnimation = row.Animate;
        Frame();
        EXPECT_EQ(Pixel(150, 215), row.Colour);  // the 20 x 20 image at (144, 204)
    }
    AnimationFrameOffsets = {};
}

// The first frame after a zoom change is drawn at the new zoom throughout: a lone tile at 50 % covers 48 x 32.
TEST_F(MapLayers, TheFirstFrameAfterAZoomChangeUsesTheNewZoom)
{
    Map.SetTileField(0, 2, 1, 0);
    Map.SetTileField(0, 2, 2, 0);
    Frame();
    ASSERT_EQ(Pixel(80, 180), Rgb(Red565));
    State.ZoomPercent = 50;
    Frame();
    EXPECT_EQ(Pixel(24, 80), Rgb(Red565));
    EXPECT_EQ(Pixel(80, 180), Black) << "no tile left at the former zoom";
}

// At 6 % a step row is 2 pixels high: a 1024-pixel view shows 512 of them, all of which the passes reach.
TEST_F(MapLayers, StepPassesReachTheBottomOfATallViewAtLowZoom)
{
    TVesk3Map tall;
    ASSERT_TRUE(tall.NewMap("Tall.map", 8, 600, 0));
    tall.SetCellMoveFlags(0, 500, 1);
    tall.SetCellByte13(1, 505, 0x39);
    OpenMap(&tall);
    State.ShowBlockers = State.ShowLights = true;
    State.ZoomPercent = 6;
    Frame();
    EXPECT_TRUE(Near(Pixel(1, 1000), Rgb(Red565), 2)) << std::hex << Pixel(1, 1000);
    EXPECT_NE(Pixel(4, 1011), Black) << "the light at row 505";
}

// Another program cuts the tile library to nothing while the view draws from it (Linux allows it). The frame that
// asks for an image not decoded yet meets the fault: it draws that tile as nothing, the tile decoded before stays,
// the log has one line for the library however many frames follow, and the view goes on. Once the file is whole
// again and the caches reload (as after a device reset), the image shows. In both kinds of library.
TEST_F(MapLayers, ALibraryCutShortWhileDrawnShowsItsImagesMissingUntilMappedAgain)
{
    for (const int32_t kind : {ImageLibKindWIL, ImageLibKindSIL}) {
        SCOPED_TRACE(kind == ImageLibKindWIL ? "WIL" : "SIL");
        // The scene's library 0 (image 0 red, 2 green), written as a SIL library too.
        const std::filesystem::path path = LibraryFilePath(Folder(), 0, kind);
        const testsupport::TTestImages images = {fixtures::MakeWilImage(96, 64, fixtures::Opaque(Red565)),
                                                 std::nullopt,
                                                 fixtures::MakeWilImage(96, 64, fixtures::Opaque(Green565))};
        if (kind == ImageLibKindSIL) {
            ASSERT_TRUE(testsupport::WriteTestLibrary((path.parent_path() / path.stem()).string(), kind, images));
        }
        ImageLibKind = kind;
        ASSERT_TRUE(Cache->BuildCache(0));
        Tile(0, 2, 0, 0);
        Tile(1, 2, 0, 0);
        Frame();
        ASSERT_TRUE(Near(Pixel(48, 160), Rgb(Red565), 2));

        const std::vector<uint8_t> whole = fixtures::ReadFileBytes(path.string());
        ASSERT_TRUE(testsupport::CutFileShortFromUnix(path.string(), 0));
        Tile(1, 2, 0, 2);
        const std::string line = "Image cache of library 0: cannot read " + path.string() + " any more";
        for (int frame = 0; frame < 3; ++frame) {
            Frame();
            EXPECT_TRUE(Near(Pixel(48, 160), Rgb(Red565), 2)) << "decoded before the cut, frame " << frame;
            EXPECT_EQ(Pixel(144, 160), Black) << "frame " << frame;
            EXPECT_EQ(testsupport::CountInFile(LogPath(), line), 1) << "frame " << frame;
        }

        ASSERT_TRUE(testsupport::WriteOverFile(path.string(), whole));
        Cache->ReloadAll();
        Frame();
        EXPECT_TRUE(Near(Pixel(144, 160), Rgb(Green565), 2)) << std::hex << Pixel(144, 160);
        EXPECT_TRUE(Near(Pixel(48, 160), Rgb(Red565), 2)) << std::hex << Pixel(48, 160);
        EXPECT_EQ(testsupport::CountInFile(LogPath(), line), 1);
    }
}

}  // namespace
