#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "sddcontrols/core/unSDDSplitGeometry.h"

using namespace sddsplit;

namespace {

TEST(SDDSplitGeometry, PercentagesRoundHalvesToEven) {
  struct Row {
    int position, extent, splitterWidth, percent;
  };
  const Row rows[] = {
      {708, 962, 8, 74},  // the outer splitter of the main window
      {473, 670, 8, 71},  // the inner one
      {1, 204, 8, 0},     // 0.5 over a span of 200
      {3, 204, 8, 2},     // 1.5
      {5, 204, 8, 2},     // 2.5
      {7, 204, 8, 4},     // 3.5
      {-5, 204, 8, -2},   // -2.5
      {50, 4, 8, 0},      // no span: 0
      {INT_MAX, 10, 8, INT_MAX},
  };
  for (const Row& r : rows)
    EXPECT_EQ(PercentOfPosition(r.position, r.extent, r.splitterWidth), r.percent) << r.position << "/" << r.extent;
  // 25 % and 75 % of a span of 202: 50.5 and 151.5.
  EXPECT_EQ(PositionOfPercent(25, 206, 8), 50);
  EXPECT_EQ(PositionOfPercent(75, 206, 8), 152);
  EXPECT_EQ(MarginMinOfPercent(25, 206, 8), 50);
  EXPECT_EQ(MarginMaxOfPercent(75, 206, 8), 50);
}

TEST(SDDSplitGeometry, ClampKeepsTheBarBetweenItsMargins) {
  struct Row {
    const char* name;
    int position;
    TPositionLimits limits;
    int expected;
  };
  const Row rows[] = {
      {"inside", 300, {962, 20, 30, 8, 0}, 300},
      {"below the start margin", 5, {962, 20, 30, 8, 0}, 20},
      {"beyond the end", INT_MAX, {962, 20, 30, 8, 0}, 924},
      {"the border counts twice", INT_MAX, {962, 0, 0, 8, 3}, 948},
      {"crossing bounds: the upper wins", 50, {100, 80, 30, 8, 0}, 62},
  };
  for (const Row& r : rows) EXPECT_EQ(ClampPosition(r.position, r.limits), r.expected) << r.name;
  // The margin being set gives way when both would not fit.
  EXPECT_EQ(FitMargin(-4, 10, 100), 0);
  EXPECT_EQ(FitMargin(95, 10, 100), 90);
}

TEST(SDDSplitGeometry, BorderSizeCountsTheLeftAndTopFrames) {
  EXPECT_EQ(SplitterBorderSize(0, AllSides, fsRaised, fsNone, 1), 4);
  EXPECT_EQ(SplitterBorderSize(2, {sdRight, sdBottom}, fsRaised, fsLowered, 1), 2);
  EXPECT_EQ(SplitterBorderSize(1, {sdTop}, fsStatus, fsFlat, 3), 5);
  EXPECT_EQ(SplitterBorderSize(0, AllSides, fsFlatBold, fsFlatRounded, 1), 0);
}

TEST(SDDSplitGeometry, ArrowsPointWhereAClickMovesTheBar) {
  using A = TArrow;
  struct Row {
    TOrientation orientation;
    THotSpotDirection direction;
    bool closed, toMin;
    TArrowPair arrows;
  };
  const Row rows[] = {
      {orHorizontal, hsdMin, false, false, {A::Left, A::Left}},
      {orHorizontal, hsdMin, true, true, {A::Right, A::Right}},
      {orHorizontal, hsdMax, false, false, {A::Right, A::Right}},
      {orHorizontal, hsdBoth, false, false, {A::Left, A::Right}},
      {orHorizontal, hsdBoth, true, false, {A::Left, A::Left}},
      {orVertical, hsdBoth, true, true, {A::Down, A::Down}},
      {orVertical, hsdMax, true, false, {A::Up, A::Up}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(SplitterArrows(r.orientation, r.direction, r.closed, r.toMin), r.arrows)
        << r.orientation << r.direction << r.closed;
}

TEST(SDDSplitGeometry, GripRowsStepAlongTheHotSpot) {
  // 120 long: n = 29; a vertical bar starts at row 1, a horizontal one at row 0.
  EXPECT_EQ(GripRowOrigins(orHorizontal, 275, 120, false, 0).size(), 29u);
  EXPECT_EQ(GripRowOrigins(orVertical, 390, 120, false, 0).size(), 30u);
  EXPECT_TRUE(GripRowOrigins(orHorizontal, 0, 34, false, 0).empty());
  // Split in two: the three rows centred 3 pixels or nearer the middle (335) are left out.
  const std::vector<int> split = GripRowOrigins(orHorizontal, 275, 120, true, 335);
  EXPECT_EQ(split.size(), 26u);
  for (int origin : split) EXPECT_GE(std::abs(origin + 15 - 335), 4) << origin;

  const std::vector<TGripPixel> block = GripRow(hssX6, orHorizontal, 100, 10);
  ASSERT_EQ(block.size(), 29u);  // a 5 x 5 block and four accents painted over it
  EXPECT_EQ(block.front(), (TGripPixel{8, 113, TGripInk::Dot}));
  EXPECT_EQ(block[25], (TGripPixel{10, 115, TGripInk::Black}));
  EXPECT_EQ(block.back(), (TGripPixel{9, 114, TGripInk::Black}));
  const std::vector<TGripPixel> across = GripRow(hssX6, orVertical, 100, 10);
  EXPECT_EQ(across[26], (TGripPixel{116, 11, TGripInk::Silver}));
  EXPECT_EQ(GripRow(hssX2, orVertical, 100, 10),
            (std::vector<TGripPixel>{{115, 10, TGripInk::Dark}, {116, 11, TGripInk::Dot}}));
  EXPECT_EQ(GripRow(hssX5, orHorizontal, 0, 10).back(), (TGripPixel{12, 18, TGripInk::Dot}));
}

TEST(SDDSplitGeometry, SizeBarLiesOnTheEdgeFacingTheFreeArea) {
  struct Row {
    TSizePanelAlign align;
    TSide side;
    TRect bar, client;
  };
  const Row rows[] = {
      {spaTop, sdLeft, {0, 0, 100, 16}, {0, 17, 100, 50}},  // bar and client agree on the top
      {spaBottom, sdLeft, {0, 0, 100, 16}, {0, 17, 100, 50}},
      {spaLeft, sdTop, {84, 0, 100, 50}, {0, 0, 83, 50}},
      {spaRight, sdTop, {0, 0, 16, 50}, {17, 0, 100, 50}},
      {spaNone, sdTop, {0, 34, 100, 50}, {0, 0, 100, 33}},
      {spaCustom, sdBottom, {0, 0, 100, 16}, {0, 17, 100, 50}},
      {spaClient, sdLeft, {0, 0, 0, 0}, {0, 0, 100, 50}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SizeBarRect(r.align, r.side, 100, 50, 16, false), r.bar) << r.align << "/" << r.side;
    EXPECT_EQ(CutBarSide({0, 0, 100, 50}, r.align, r.side, 17), r.client) << r.align << "/" << r.side;
  }
  EXPECT_EQ(SizeBarRect(spaLeft, sdLeft, 100, 50, 16, true), (TRect{83, 0, 100, 50}));
  EXPECT_TRUE(IsBarHorizontal(spaNone, sdBottom));
  EXPECT_FALSE(IsBarHorizontal(spaRight, sdTop));
}

TEST(SDDSplitGeometry, FreeRectCountsVisibleEdgeControls) {
  const std::vector<TSiblingBox> siblings = {
      {spaTop, 300, 17, true},   {spaTop, 300, 120, true}, {spaBottom, 300, 30, true},
      {spaTop, 300, 500, false},  // hidden: takes nothing
      {spaLeft, 40, 400, true},  {spaClient, 260, 100, true},
      {spaNone, 25, 25, true},   // counted by the panel's side
  };
  EXPECT_EQ(ParentFreeRect({0, 0, 300, 400}, siblings, sdTop), (TRect{40, 162, 300, 370}));
  EXPECT_EQ(ParentFreeRect({0, 0, 300, 400}, siblings, sdRight), (TRect{40, 137, 275, 370}));
}

TEST(SDDSplitGeometry, SizesStayWithinWhatTheParentLeaves) {
  TSizeLimits top;
  top.Align = spaTop;
  top.Free = {0, 137, 300, 370};  // this panel (120 high at y = 17) already counted
  top.Top = 17;
  top.Height = 120;
  top.SizeBarWidth = 16;
  top.MarginMax = 10;
  TSizeLimits locked = top;
  locked.UseLockedHeight = true;
  locked.LockedHeight = 150;
  TSizeLimits unaligned = top;
  unaligned.Align = spaNone;
  unaligned.Side = sdTop;
  unaligned.UseLockedHeight = true;
  TSizeLimits bottom;  // 120 high at the parent's bottom
  bottom.Align = spaBottom;
  bottom.Free = {0, 137, 300, 250};
  bottom.Top = 250;
  bottom.Height = 120;
  bottom.SizeBarWidth = 16;
  bottom.MarginMin = 3;
  bottom.MarginMax = 10;
  struct Row {
    const char* name;
    const TSizeLimits& limits;
    int size, expected;
  };
  const Row rows[] = {
      {"inside", top, 200, 200},
      {"the bar and the pixel after it at least", top, 2, 17},
      {"up to the free bottom less the margin", top, 500, 343},
      {"a locked height instead of the limit", locked, 500, 150},
      {"an unaligned top panel takes the limit", unaligned, 500, 343},
      {"a bottom panel moves its top up to the free top", bottom, -500, -103},
      {"and down until bar and margin are left", bottom, 500, 100},
  };
  for (const Row& r : rows) EXPECT_EQ(ClampSize(r.size, r.limits), r.expected) << r.name;
  EXPECT_EQ(MaxSize(top), 353);
  EXPECT_EQ(MaxSize(bottom), 233);
}

TEST(SDDSplitGeometry, HotSpotBoxSitsAtTheFarEndOfAWideBar) {
  // A 244-pixel top bar 16 deep with 40 %: the hot spot is 98 long, the box 191..235 for the mouse, y 4..12.
  const TRect bar{0, 0, 244, 16};
  const TRect spot = HotSpotRect(bar, orVertical, 40);
  EXPECT_EQ(HotSpotBox(bar, spot, 16, true), (TRect{191, 4, 235, 12}));
  EXPECT_EQ(HotSpotBox(bar, spot, 16, false), (TRect{191, 4, 234, 12}));
  EXPECT_EQ(HotSpotBox(bar, spot, 7, true), spot);
  EXPECT_EQ(SizePanelArrow(true, TSizeEdge::Top, false), TArrow::Up);
  EXPECT_EQ(SizePanelArrow(true, TSizeEdge::Top, true), TArrow::Down);
  EXPECT_EQ(SizePanelArrow(false, TSizeEdge::Right, true), TArrow::Left);
}

}  // namespace
