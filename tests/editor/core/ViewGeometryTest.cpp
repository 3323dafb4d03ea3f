// The view's geometry: cells under a point at every zoom level, scroll maxima with their even rounding, even
// positions and the jump fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "editor/core/uViewGeometry.h"

namespace {

TEST(ViewGeometry, PointsBecomeTileAndStepCellsAtEveryZoomLevel)
{
    struct Row {
        int Index, X, Y, HorzPos, VertPos;
        TCursorCells Want;  // view tile, view step, tile, step
    };
    const Row rows[] = {
        {0, 10, 7, 0, 0, {3, 3, 10, 7, 3, 3, 10, 7}},  // the 1 x 1 step cell of 3 %
        {1, 13, 9, 2, 4, {2, 2, 4, 4, 3, 4, 6, 8}},
        {2, 25, 17, 0, 0, {2, 2, 4, 4, 2, 2, 4, 4}},
        {3, 49, 33, 10, 0, {2, 2, 4, 4, 7, 2, 14, 4}},
        {4, 47, 31, 0, 2, {0, 0, 1, 1, 0, 1, 1, 3}},
        {5, 72, 48, 0, 0, {1, 1, 2, 2, 1, 1, 2, 2}},
        {6, 95, 63, 0, 0, {0, 0, 1, 1, 0, 0, 1, 1}},
        {7, 130, 90, 4, 6, {1, 1, 2, 2, 3, 4, 6, 8}},
        {8, 144, 96, 8, 8, {1, 1, 2, 2, 5, 5, 10, 10}},
        // Left of and above the view: the cells before its first, not its first.
        {6, -21, -1, 0, 0, {-1, -1, -1, -1, -1, -1, -1, -1}},
        {6, -48, -33, 4, 6, {-1, -1, -1, -2, 1, 2, 3, 4}},
        {0, -1, -2, 2, 2, {-1, -1, -1, -2, 0, 0, 1, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Index);
        const TCursorCells c = CellsAtPoint(ZoomTable[r.Index], r.X, r.Y, r.HorzPos, r.VertPos);
        const int got[] = {c.ViewTileX, c.ViewTileY, c.ViewStepX, c.ViewStepY, c.TileX, c.TileY, c.StepX, c.StepY};
        const TCursorCells& w = r.Want;
        const int want[] = {w.ViewTileX, w.ViewTileY, w.ViewStepX, w.ViewStepY, w.TileX, w.TileY, w.StepX, w.StepY};
        EXPECT_TRUE(std::equal(std::begin(got), std::end(got), std::begin(want)));
    }
}

TEST(ViewGeometry, ScrollMaximaFollowTheLevelsFormulaAndAreEven)
{
    struct Row {
        int Index, MapCells, BarPixels;
        bool Across;
        int Want;
    };
    const Row rows[] = {
        {6, 200, 692, true, 186},  // |200 - 14|
        {6, 0, 692, true, 14},     // no map yet: not 0
        {6, 10, 692, true, 4},     // a map narrower than the view
        {6, 201, 692, true, 188},  // 187 rounded up
        {2, 50, 692, true, 2},     // |50 - 14| - 40 = -4, clamped
        {2, 100, 692, true, 46},   // |100 - 14| - 40
        {3, 100, 692, true, 66},   // |100 - 14| - 20
        {4, 100, 692, true, 76},   // |100 - 14 - 10|
        {4, 10, 692, true, 14},    // |10 - 14 - 10|
        {5, 101, 692, true, 82},   // |101 - 14 - 5|
        {0, 300, 692, true, 70},   // divisor 3: |300 - 230|
        {0, 240, 500, false, 10},  // divisor 2: |240 - 250|
        {1, 300, 692, true, 186},  // divisor 6: |300 - 115| = 185, rounded up
        {7, 300, 692, true, 292},  // divisor 72: |300 - 9| = 291, rounded up
        {8, 240, 500, false, 234}, // divisor 64: |240 - 7| = 233, rounded up
        {6, 240, 0, false, 238},   // a bar of no height shows 2 cells
        {6, 240, 500, false, 226}, // divisor 32: |240 - 15| = 225, rounded up
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Index << " " << r.MapCells << " " << r.BarPixels);
        EXPECT_EQ(ScrollMaximum(r.Index, r.MapCells, r.BarPixels, r.Across), r.Want);
    }
    EXPECT_EQ(ClampScrollMax(0), 2);
    EXPECT_EQ(ClampScrollMax(-7), 2);
    EXPECT_EQ(ClampScrollMax(1), 1);
}

TEST(ViewGeometry, PositionsGoEvenAndJumpsAskForTheirPositions)
{
    EXPECT_EQ(EvenScrollPosition(7), 8);
    EXPECT_EQ(EvenScrollPosition(8), 8);
    EXPECT_EQ(EvenScrollPosition(0), 0);

    struct Row {
        const char *X, *Y;
        bool Jumps;
        int H, V;
    };
    const Row rows[] = {
        {"10", "5", true, 2, -3},   // the scroll bar clamps -3 to 0
        {" 120 ", "40", true, 112, 32},
        {"1", "1", true, -7, -7},
        {"0", "5", false, 0, 0},
        {"5", "", false, 0, 0},
        {"x", "5", false, 0, 0},
        {"-4", "9", false, 0, 0},
    };
    for (const Row& r : rows) {
        int h = 0, v = 0;
        EXPECT_EQ(JumpPositions(r.X, r.Y, h, v), r.Jumps) << r.X << "," << r.Y;
        EXPECT_EQ(h, r.H);
        EXPECT_EQ(v, r.V);
    }
}

}  // namespace
