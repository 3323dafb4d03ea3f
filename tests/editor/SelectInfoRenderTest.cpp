// The select-mode info overlay on the real device: its boxes' brackets and text rows, and when it draws none.
#include "tests/editor/MapRenderScene.h"

namespace {

using namespace rendertest;

constexpr uint32_t Black = 0;
constexpr uint32_t Rgb8(uint32_t R, uint32_t G, uint32_t B)
{
    return R << 16 | G << 8 | B;
}

class SelectInfo : public TMapRenderScene {
protected:
    void SetUp() override
    {
        TMapRenderScene::SetUp();
        State.ShowTiles = State.ShowBackObjects = State.ShowFrontObjects = false;  // the overlay alone
        State.WorkMode = WorkModeSelect;
        State.ObjectLayerKind = LayerKindFront;
        SelectStepCell(5, 10);
        SelectTileCell(2, 5);
    }
    void SelectStepCell(int X, int Y)
    {
        State.StepCellX = State.ViewStepCellX = X;
        State.StepCellY = State.ViewStepCellY = Y;
    }
    void SelectTileCell(int X, int Y)
    {
        State.TileCellX = State.ViewTileCellX = X;
        State.TileCellY = State.ViewTileCellY = Y;
    }
    // Whether a row of text in Colour stands in the 15-pixel band from (X, Y), with its near-black shadow one
    // pixel down and right.
    bool TextRow(int X, int Y, uint32_t Colour) const
    {
        const auto shadow = [](uint32_t p) { return p != 0 && p <= 0x030303 && (p & 0xFF) == (p >> 16); };
        return Count(X, Y, X + 90, Y + 15, [Colour](uint32_t p) { return Tinted(p, Colour); }) > 15 &&
               Count(X, Y, X + 92, Y + 17, shadow) > 5;
    }
};

// A back object alone in the front-object mode: one box, bottom-aligned. Its image, 40 x 80, has its top-left
// corner at (240, 272).
TEST_F(SelectInfo, BackObjectBox)
{
    Map.SetLayerB(5, 10, 4, 1);
    Frame();
    const struct {
        const char* What;
        int X, Y;
        uint32_t Colour;
    } probes[] = {
        {"inner top-left, 2 wide: red", 250, 272, Rgb8(255, 0, 0)},
        {"inner top-left, the row above", 250, 271, Rgb8(255, 0, 0)},
        {"inner top-left, the row below", 250, 273, Black},
        {"inner top-right: first table's blue", 270, 272, Rgb8(0, 100, 255)},
        {"inner bottom-left", 250, 353, Rgb8(0, 100, 255)},
        {"inner bottom-right", 270, 353, Rgb8(255, 0, 0)},
        {"inner right arm", 281, 290, Rgb8(0, 100, 255)},
        {"outer top-left, 1 wide", 245, 268, Rgb8(0, 100, 255)},
        {"outer top-left, the row above", 245, 267, Black},
        {"outer top-right", 275, 268, Rgb8(255, 10, 0)},
        {"outer bottom-left", 245, 356, Rgb8(255, 10, 0)},
        {"outer bottom-right", 275, 356, Rgb8(0, 100, 255)},
        {"the image is not drawn", 260, 300, Black},
    };
    for (const auto& p : probes) EXPECT_EQ(Pixel(p.X, p.Y), p.Colour) << p.What << ": " << std::hex << Pixel(p.X, p.Y);
    // Rows from the image's bottom (y = 272 + 80 - 8 - 15 r), labels at x = 240 + 40 + 8, values 100 further.
    EXPECT_TRUE(TextRow(288, 344, Rgb8(255, 255, 0))) << "row 0 label";
    EXPECT_TRUE(TextRow(388, 344, Rgb8(255, 255, 0))) << "row 0 value";
    EXPECT_TRUE(TextRow(288, 329, Rgb8(212, 229, 42))) << "row 1";
    EXPECT_TRUE(TextRow(288, 269, Rgb8(42, 126, 212))) << "row 5";
}

// With a front object on the cell the back object's rows stand 97 pixels higher, above the front box's six.
TEST_F(SelectInfo, BothObjectsStackTheirBoxes)
{
    Map.SetLayerB(5, 10, 4, 1);
    Map.SetLayerA(5, 10, 4, 3);  // 20 x 10 at (240, 342)
    Frame();
    EXPECT_TRUE(TextRow(288, 247, Rgb8(255, 255, 0))) << "back row 0";
    EXPECT_TRUE(TextRow(288, 172, Rgb8(42, 126, 212))) << "back row 5";
    EXPECT_FALSE(TextRow(288, 269, Rgb8(42, 126, 212))) << "not bottom-aligned any more";
    EXPECT_TRUE(TextRow(268, 344, Rgb8(255, 255, 0))) << "front row 0";
    EXPECT_TRUE(TextRow(268, 269, Rgb8(42, 255, 53))) << "front row 5";
    EXPECT_EQ(Pixel(250, 342), Rgb8(0, 255, 100)) << "front box: inner top-right in the second table's green";
}

TEST_F(SelectInfo, TileBoxAndNoBox)
{
    const uint32_t tileRow4 = Rgb8(245, 95, 43);
    const struct {
        const char* What;
        int32_t LayerKind, Zoom, TileLibrary, TileImage, TileX;
        bool Box;
    } rows[] = {
        {"tile", LayerKindTile, 100, 0, 2, 2, true},
        {"library 0 image 0: no box", LayerKindTile, 100, 0, 0, 2, false},
        {"image 0xFFFF: no box", LayerKindTile, 100, 0, 0xFFFF, 2, false},
        {"a library without a cache: no box", LayerKindTile, 100, 80, 2, 2, false},
        {"a cell outside the map: no box", LayerKindTile, 100, 0, 2, 40, false},
        {"not at 100 %", LayerKindTile, 50, 0, 2, 2, false},
        {"the back-object mode chosen last", LayerKindBack, 100, 0, 2, 2, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        Map.SetTileField(2, 5, 1, row.TileLibrary);
        Map.SetTileField(2, 5, 2, row.TileImage);
        State.ObjectLayerKind = row.LayerKind;
        State.ZoomPercent = row.Zoom;
        State.TileCellX = row.TileX;
        Frame();
        // The image, 96 x 64, at (192, 320): the inner top-left bracket, and the fifth (last) row at
        // y = 320 + 64 - 8 - 60.
        EXPECT_EQ(Pixel(200, 320) == Rgb8(255, 0, 0), row.Box);
        EXPECT_EQ(TextRow(296, 316, tileRow4), row.Box);
    }
}

}  // namespace
