#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "sddcontrols/core/unSDDGradient.h"

using namespace sddgradient;

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

// The rows (or columns) each band of a strip plan covers, as [low, high) ranges in painting order.
std::vector<std::pair<int, int>> StripRanges(const TGradientPlan& plan, bool rows) {
  std::vector<std::pair<int, int>> ranges;
  for (const TGradientBand& b : plan.Bands)
    ranges.emplace_back(rows ? b.Rects.at(0).Top : b.Rects.at(0).Left, rows ? b.Rects.at(0).Bottom : b.Rects.at(0).Right);
  return ranges;
}

TEST(SDDGradient, BandLengthsFollowTheColourCount) {
  struct Row {
    int colors;
    bool box;
    int steps;
  };
  const Row rows[] = {{0, false, 1}, {1, false, 1}, {2, false, 2}, {8, false, 8}, {9, false, 29},
                      {255, false, 2}, {9, true, 29}, {32, false, 8}, {32, true, 9}};
  for (const Row& r : rows) EXPECT_EQ(MinimumBandSteps(r.colors, r.box), r.steps) << r.colors << " " << r.box;

  // A 200-row walk from black to white changes colour at every step (1.275 a step): the bands run their minimum length.
  for (int colors : {1, 8, 9}) {
    const TGradientPlan plan = PlanGradient(gdHorizontalEnd, 4, 200, kBlack, kWhite, colors);
    const auto ranges = StripRanges(plan, true);
    ASSERT_FALSE(ranges.empty());
    for (size_t i = 0; i + 1 < ranges.size(); ++i)
      EXPECT_EQ(ranges[i].second - ranges[i].first, MinimumBandSteps(colors, false)) << colors << " band " << i;
  }
}

TEST(SDDGradient, StripWalksStartAtTheNamedEdge) {
  struct Row {
    const char* name;
    TGradientDirection direction;
    bool rows;
    int walkStart;     // the line the first band begins on
    uint32_t first;    // and its colour
    int secondStart;   // centre shapes: the first line of the second pass
    uint32_t second;
  };
  const Row rows[] = {
      {"horizontal end: bottom row", gdHorizontalEnd, true, 29, kBlue, -1, 0},
      {"vertical end: right column", gdVerticalEnd, false, 39, kBlue, -1, 0},
      {"horizontal centre: middle row, then past the bottom", gdHorizontalCenter, true, 16, kBlue, 30, kRed},
      {"vertical centre: middle column, then past the right", gdVerticalCenter, false, 21, kBlue, 40, kRed},
  };
  for (const Row& r : rows) {
    const TGradientPlan plan = PlanGradient(r.direction, 40, 30, kRed, kBlue, 1);
    EXPECT_EQ(plan.Copy, r.rows ? TGradientCopy::StripAcross : TGradientCopy::StripDown) << r.name;
    const auto ranges = StripRanges(plan, r.rows);
    ASSERT_FALSE(ranges.empty()) << r.name;
    EXPECT_EQ(ranges.front().second - 1, r.walkStart) << r.name;
    EXPECT_EQ(plan.Bands.front().Rgb, r.first) << r.name;
    const TRect strip = plan.Bands.front().Rects.at(0);
    EXPECT_EQ(r.rows ? strip.Width() : strip.Height(), 8) << r.name;
    if (r.secondStart < 0) {
      EXPECT_EQ(ranges.back().first, 0) << r.name;  // the walk ends at the far edge
      // ... within one step of the start colour.
      EXPECT_LE(std::abs(int(plan.Bands.back().Rgb & 0xFF) - 0xFF), 255 / (r.walkStart + 1) + 1) << r.name;
      continue;
    }
    auto it = std::find_if(ranges.begin(), ranges.end(), [&](auto p) { return p.second - 1 == r.secondStart; });
    ASSERT_NE(it, ranges.end()) << r.name;
    EXPECT_EQ(plan.Bands[size_t(it - ranges.begin())].Rgb, r.second) << r.name;
  }
}

TEST(SDDGradient, EqualColoursAndEmptyAreasNeedNoWalk) {
  for (TGradientDirection d : {gdDiagonalUp, gdDiagonalDown}) {
    const TGradientPlan plan = PlanGradient(d, 30, 20, kRed, kRed, 1);
    ASSERT_EQ(plan.Bands.size(), 1u);
    EXPECT_EQ(plan.Bands[0].Rects.at(0), (TRect{0, 0, 30, 20}));
  }
  const TGradientPlan box = PlanGradient(gdSquareBox, 31, 20, kRed, kRed, 1);
  ASSERT_EQ(box.Bands.size(), 1u);
  EXPECT_EQ(box.Bands[0].Rects.at(0), (TRect{0, 0, 16, 10}));  // the quarter, mirrored afterwards
  EXPECT_EQ(box.Copy, TGradientCopy::Mirror);
  // The strips still walk, in one colour.
  const TGradientPlan strip = PlanGradient(gdVerticalEnd, 30, 20, kRed, kRed, 1);
  ASSERT_EQ(strip.Bands.size(), 1u);
  EXPECT_EQ(strip.Bands[0].Rects.at(0), (TRect{0, 0, 30, 8}));
  for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-3, 5}})
    EXPECT_TRUE(PlanGradient(gdBigSquareBox, w, h, kRed, kBlue, 1).Bands.empty());
  EXPECT_TRUE(PlanGradient(static_cast<TGradientDirection>(10), 10, 10, kRed, kBlue, 1).Bands.empty());
}

TEST(SDDGradient, DiagonalAndBoxBandsStartAtTheirCorner) {
  const TGradientPlan up = PlanGradient(gdDiagonalUp, 40, 30, kRed, kBlue, 1);
  ASSERT_FALSE(up.Bands.empty());
  EXPECT_EQ(up.Bands.front().Rgb, kRed);
  EXPECT_EQ(up.Bands.front().Polygon.front(), (TPoint{0, 30}));  // bottom-left
  const TGradientPlan down = PlanGradient(gdDiagonalDown, 40, 30, kRed, kBlue, 1);
  EXPECT_EQ(down.Bands.front().Rgb, kBlue);
  EXPECT_EQ(down.Bands.front().Polygon.front(), (TPoint{0, 30}));  // bottom-left, then flipped
  EXPECT_EQ(down.Copy, TGradientCopy::FlipAcross);
  EXPECT_EQ(up.Copy, TGradientCopy::None);

  struct Row {
    TGradientDirection direction;
    TRect centre;  // the first band: the end colour around the corner point
  };
  // 40 x 30: quarter 20 x 15 (inner edges 20, 15).
  const Row rows[] = {{gdSquareBox, {19, 14, 20, 15}},
                      {gdHorizontalBox, {9, 14, 20, 15}},
                      {gdVerticalBox, {19, 7, 20, 15}},
                      {gdBigSquareBox, {9, 7, 20, 15}}};
  for (const Row& r : rows) {
    const TGradientPlan plan = PlanGradient(r.direction, 40, 30, kRed, kBlue, 255);
    EXPECT_EQ(plan.QuarterWidth, 20);
    EXPECT_EQ(plan.QuarterHeight, 15);
    ASSERT_FALSE(plan.Bands.empty());
    EXPECT_EQ(plan.Bands.front().Rgb, kBlue);
    const TRect first = plan.Bands.front().Rects.at(0);
    EXPECT_LE(first.Left, r.centre.Left) << r.direction;
    EXPECT_LE(first.Top, r.centre.Top) << r.direction;
    EXPECT_EQ(first.Right, 20);
    EXPECT_EQ(first.Bottom, 15);
    EXPECT_EQ(plan.Bands.back().Rects.front().Left, 0);  // the last band reaches the outer edges
    EXPECT_EQ(plan.Bands.back().Rects.front().Top, 0);
  }
}

}  // namespace
