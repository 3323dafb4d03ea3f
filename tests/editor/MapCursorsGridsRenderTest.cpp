// The mode cursors and the help grids on the real device.
#include "tests/editor/MapRenderScene.h"

namespace {

using namespace rendertest;
using MapCursors = TMapRenderScene;
using HelpGrids = TMapRenderScene;

constexpr uint32_t Black = 0;

TEST_F(MapCursors, EachModeShowsWhatAClickWouldPlace)
{
    const struct {
        const char* What;
        int32_t Mode, Library, Image, Blocker;
        int32_t ViewX, ViewY;  // the tile cell for mode 1, the step cell otherwise
        int32_t StepOrigin;    // both step origins; the tile origins are half of it
        bool MapOpen;
        int X, Y;
        uint32_t Colour;
    } rows[] = {
        {"tile, half-transparent, drawn opaque", 1, 0, 1, 0, 2, 3, 0, true, 240, 224, Rgb(White565)},
        {"tile, nothing picked", 1, 0, -1, 0, 2, 3, 0, true, 240, 224, Black},
        {"tile, image 0xFFFF", 1, 0, 0xFFFF, 0, 2, 3, 0, true, 240, 224, Black},
        {"tile, library -1", 1, -1, 0, 0, 2, 3, 0, true, 240, 224, Black},
        {"tile, past the map's last tile column", 1, 0, 0, 0, 12, 3, 0, true, 1192, 224, Black},
        {"tile, scrolled past the last tile column", 1, 0, 0, 0, 9, 3, 6, true, 900, 224, Black},
        {"tile, scrolled, inside", 1, 0, 0, 0, 8, 3, 6, true, 800, 224, Rgb(Red565)},
        {"front object on its cell's bottom edge", 2, 4, 1, 0, 3, 5, 0, true, 160, 115, Rgb(Blue565)},
        {"back object, blended", 3, 4, 2, 0, 3, 5, 0, true, 160, 176, Blended(White565)},
        {"object, nothing picked", 2, 4, -1, 0, 3, 5, 0, true, 160, 176, Black},
        {"object, scrolled past the map's last column", 2, 4, 2, 0, 15, 5, 10, true, 740, 176, Black},
        {"object, scrolled, inside", 2, 4, 2, 0, 13, 5, 10, true, 640, 176, Blended(White565)},
        {"blocker Can't Move", 4, 0, 0, 1, 3, 5, 0, true, 160, 176, Rgb(Red565)},
        {"blocker Can't Move and Fly", 4, 0, 0, 2, 3, 5, 0, true, 160, 176, Rgb(Blue565)},
        {"Delete Blocker", 4, 0, 0, 0, 3, 5, 0, true, 160, 176, Black},
        {"light", 6, 0, 0, 0, 3, 5, 0, true, 160, 176, Blended(Yellow565)},
        {"light below the map", 6, 0, 0, 0, 3, 20, 0, true, 160, 656, Black},
        {"select mode draws no cursor", 5, 4, 2, 1, 3, 5, 0, true, 160, 176, Black},
        {"no map", 6, 0, 0, 0, 3, 5, 0, false, 160, 176, Black},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        State.ObjectMode = row.Mode;
        State.SelectedLibrary = row.Library;
        State.SelectedImage = row.Image;
        State.BlockerType = row.Blocker;
        State.ViewTileCellX = State.ViewStepCellX = row.ViewX;
        State.ViewTileCellY = State.ViewStepCellY = row.ViewY;
        State.StepOriginX = State.StepOriginY = row.StepOrigin;
        State.TileOriginX = State.TileOriginY = row.StepOrigin / 2;
        OpenMap(row.MapOpen ? &Map : nullptr);
        Frame();
        EXPECT_TRUE(Near(Pixel(row.X, row.Y), row.Colour)) << std::hex << Pixel(row.X, row.Y);
    }
}

TEST_F(HelpGrids, LinesOfTheZoomsCellsInTheirColours)
{
    const uint32_t step = OverBlack(State.StepGridColor), tile = OverBlack(State.TileGridColor);
    const struct {
        const char* What;
        int32_t Zoom;
        bool Step, Tile;
        int32_t GridWidth;
        int X, Y;
        uint32_t Colour;
    } rows[] = {
        {"100 %: step column", 100, true, false, 1280, 48, 500, step},
        {"100 %: right of it", 100, true, false, 1280, 49, 500, Black},
        {"100 %: left of it", 100, true, false, 1280, 47, 500, Black},
        {"100 %: step row", 100, true, false, 1280, 500, 32, step},
        {"100 %: below it", 100, true, false, 1280, 500, 33, Black},
        {"100 %: the last step column", 100, true, false, 1280, 1248, 500, step},
        {"100 %: tile column", 100, false, true, 1280, 96, 500, tile},
        {"100 %: no tile column at a step column", 100, false, true, 1280, 48, 500, Black},
        {"100 %: tile row", 100, false, true, 1280, 500, 64, tile},
        {"25 %: tile column", 25, false, true, 1280, 24, 500, tile},
        {"25 %: step column", 25, true, false, 1280, 12, 500, step},
        {"3 %: step column", 3, true, false, 1280, 3, 501, step},
        {"3 %: step row", 3, true, false, 1280, 502, 502, step},
        {"3 %: between", 3, true, false, 1280, 502, 501, Black},
        {"1000 wide: the 20th column", 100, true, false, 1000, 960, 500, step},
        {"1000 wide: no 21st", 100, true, false, 1000, 1008, 500, Black},
        // The strips retrace the edges: this one is blended over itself until it shows the colour itself.
        {"1000 wide: the right edge down to the last row", 100, true, false, 1000, 1000, 100, 0x7F7F00},
        {"1000 wide: rows end there", 100, true, false, 1000, 1100, 32, Black},
        {"no grid", 100, false, false, 1280, 48, 500, Black},
    };
    OpenMap(nullptr);  // the grids draw without a map
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        State.ZoomPercent = row.Zoom;
        State.ShowStepGrid = row.Step;
        State.ShowTileGrid = row.Tile;
        Context.GridWidth = row.GridWidth;
        Frame();
        EXPECT_TRUE(Near(Pixel(row.X, row.Y), row.Colour)) << std::hex << Pixel(row.X, row.Y);
    }
}

}  // namespace
