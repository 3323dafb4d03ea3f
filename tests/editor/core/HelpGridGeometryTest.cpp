// The help grids: the grid of each zoom and the lines its two strips draw.
#include "editor/core/uHelpGridGeometry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The x of every vertical segment of a strip (vertices i and i + 1 with the same x and different y), and the y of
// every horizontal one.
std::set<float> VerticalLines(const std::vector<TLineVertex>& Strip)
{
    std::set<float> xs;
    for (size_t i = 0; i + 1 < Strip.size(); ++i)
        if (Strip[i].X == Strip[i + 1].X && Strip[i].Y != Strip[i + 1].Y) xs.insert(Strip[i].X);
    return xs;
}
std::set<float> HorizontalLines(const std::vector<TLineVertex>& Strip)
{
    std::set<float> ys;
    for (size_t i = 0; i + 1 < Strip.size(); ++i)
        if (Strip[i].Y == Strip[i + 1].Y && Strip[i].X != Strip[i + 1].X) ys.insert(Strip[i].Y);
    return ys;
}

std::set<float> Multiples(int Step, int Last)
{
    std::set<float> out{0};
    for (int v = Step; v <= Last; v += Step) out.insert(static_cast<float>(v));
    return out;
}

TEST(HelpGridGeometry, EachZoomHasItsGrids)
{
    const struct {
        int32_t Zoom;
        int32_t TileW, TileH, StepW, StepH;
    } rows[] = {
        {3, 3, 2, 3, 2},      {6, 6, 4, 6, 4},     {12, 12, 8, 6, 4},    {25, 24, 16, 12, 8},  {50, 48, 32, 24, 16},
        {75, 72, 48, 36, 24}, {100, 96, 64, 48, 32}, {125, 120, 80, 60, 40}, {150, 144, 96, 72, 48},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Zoom);
        ASSERT_NE(TileGridCell(row.Zoom), nullptr);
        ASSERT_NE(StepGridCell(row.Zoom), nullptr);
        EXPECT_EQ(std::pair(TileGridCell(row.Zoom)->Width, TileGridCell(row.Zoom)->Height),
                  std::pair(row.TileW, row.TileH));
        EXPECT_EQ(std::pair(StepGridCell(row.Zoom)->Width, StepGridCell(row.Zoom)->Height),
                  std::pair(row.StepW, row.StepH));
    }
    EXPECT_EQ(TileGridCell(99), nullptr);
    EXPECT_EQ(StepGridCell(0), nullptr);
}

TEST(HelpGridGeometry, StripsDrawEveryLineOfTheView)
{
    const struct {
        const char* What;
        TGridCell Cell;
        int32_t Width, Height;
        size_t VerticalCount, HorizontalCount;
    } rows[] = {
        {"48 x 32 over 1000 x 700: 20 vertical, 21 horizontal lines", {48, 32, 501}, 1000, 700, 100, 105},
        {"narrower and lower than one cell: no strips", {96, 64, 501}, 95, 63, 0, 0},
        {"3 x 2 over 3000 x 2000: beyond the starting list", {3, 2, 3401}, 3000, 2000, 5000, 5000},
        {"empty view", {6, 4, 2401}, 0, 0, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        std::vector<TLineVertex> vertical{{1, 1}}, horizontal{{1, 1}};
        BuildGridStrips(row.Cell, row.Width, row.Height, vertical, horizontal);
        ASSERT_EQ(vertical.size(), row.VerticalCount);
        ASSERT_EQ(horizontal.size(), row.HorizontalCount);
        const int columns = row.Width / row.Cell.Width, lines = row.Height / row.Cell.Height;
        if (columns > 0) {
            EXPECT_EQ(VerticalLines(vertical), Multiples(row.Cell.Width, columns * row.Cell.Width));
            EXPECT_EQ(HorizontalLines(vertical), (std::set<float>{0, float(row.Height)}));
            EXPECT_EQ(vertical.front(), (TLineVertex{0, 0}));
        }
        if (lines > 0) {
            EXPECT_EQ(HorizontalLines(horizontal), Multiples(row.Cell.Height, lines * row.Cell.Height));
            EXPECT_EQ(VerticalLines(horizontal), (std::set<float>{0, float(row.Width)}));
        }
    }
}

}  // namespace
