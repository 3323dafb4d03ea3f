// The renderer's geometry: visible ranges, marker images and animation frames (where images go, the pixel tests
// see).
#include "editor/core/uMapGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(MapGeometry, VisibleRangesCoverTheViewAtEveryZoom)
{
    const struct {
        int32_t Zoom, Width, Height;
        TCellCount Tiles, Steps;
    } rows[] = {
        {3, 1280, 1024, {426 + 440, 512 + 440}, {853 + 440, 1024 + 440}},
        {6, 1280, 1024, {213 + 180, 256 + 180}, {426 + 180, 512 + 180}},
        {12, 1280, 1024, {106 + 150, 128 + 150}, {213 + 150, 256 + 150}},
        {25, 1280, 1024, {53 + 100, 64 + 100}, {106 + 100, 128 + 100}},
        {50, 1000, 700, {20 + 40, 21 + 40}, {41 + 40, 43 + 40}},
        {75, 1000, 700, {13 + 40, 14 + 40}, {27 + 40, 29 + 40}},
        {100, 1280, 1024, {13 + 30, 16 + 30}, {26 + 30, 32 + 30}},
        {125, 1000, 700, {8 + 20, 8 + 20}, {16 + 20, 17 + 20}},
        {150, 1000, 700, {6 + 20, 7 + 20}, {13 + 20, 14 + 20}},
        {100, 0, 0, {30, 30}, {30, 30}},
        {99, 1280, 1024, {-1, -1}, {-1, -1}},  // no such zoom: nothing
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Zoom);
        const TCellCount tiles = GetVisibleCellCount(row.Zoom, row.Width, row.Height);
        const TCellCount steps = GetVisibleStepCount(row.Zoom, row.Width, row.Height);
        EXPECT_EQ(std::pair(tiles.Columns, tiles.Rows), std::pair(row.Tiles.Columns, row.Tiles.Rows));
        EXPECT_EQ(std::pair(steps.Columns, steps.Rows), std::pair(row.Steps.Columns, row.Steps.Rows));
    }
    // The step passes reach the bottom of a full-screen view at 3 % (one pixel per step row there).
    EXPECT_GE(GetVisibleStepCount(3, 1280, 1024).Rows, 1024);
    EXPECT_GE(GetVisibleStepCount(6, 1280, 1024).Rows * 2, 1024);
}

TEST(MapGeometry, PassesStopAtTheMapsLastCell)
{
    EXPECT_EQ(ClipToMap(43, 0, 10), 9);    // a map smaller than the view: its last column included
    EXPECT_EQ(ClipToMap(43, 8, 10), 1);
    EXPECT_EQ(ClipToMap(43, 10, 10), -1);  // scrolled past it: nothing
    EXPECT_EQ(ClipToMap(5, 0, 300), 5);
    EXPECT_TRUE(TileCellInMap(2, 1, 6, 6));
    EXPECT_FALSE(TileCellInMap(2, 1, 5, 6));  // W div 2 tile columns: an odd W has no half tile
    EXPECT_FALSE(StepCellInMap(-1, 0, 5, 5));
    EXPECT_FALSE(StepCellInMap(0, 5, 5, 5));
}

TEST(MapGeometry, MarkerImages)
{
    const std::pair<int32_t, int32_t> blockers[] = {{0, 58}, {254, 58}, {2, 59}, {252, 59}, {3, -1}, {1, -1}, {255, -1}};
    for (const auto& [flags, image] : blockers) EXPECT_EQ(BlockerMarkerImage(flags), image) << flags;
    const std::pair<int32_t, int32_t> lights[] = {{0, -1}, {64, -1}, {0x39, 56}, {1, 56}, {255, 56}};
    for (const auto& [value, image] : lights) EXPECT_EQ(LightMarkerImage(value), image) << value;
    const std::pair<int32_t, int32_t> cursors[] = {{0, -1}, {1, 58}, {2, 59}, {3, -1}};
    for (const auto& [type, image] : cursors) EXPECT_EQ(BlockerCursorImage(type), image) << type;
}

TEST(MapGeometry, AnimatedObjectsAddTheirAnimationsFrameOffset)
{
    TAnimationFrameOffsets offsets{};
    offsets[19 - 1] = 4;  // animation 19: library 11, images 3 to 10
    offsets[14 - 1] = 2;  // animation 14: library 26, images 2 to 169
    EXPECT_EQ(AnimatedImage(11, 3, offsets), 7);
    EXPECT_EQ(AnimatedImage(26, 169, offsets), 171);
    EXPECT_EQ(AnimatedImage(11, 11, offsets), 11);  // no animation frame
    EXPECT_EQ(AnimatedImage(11, 12, offsets), 12);  // animation 2, offset 0
    EXPECT_EQ(AnimatedImage(12, 5, offsets), 5);
}

}  // namespace
