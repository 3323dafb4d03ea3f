#include <gtest/gtest.h>

#include <vector>

#include "sddcontrols/core/unSDDGeometry.h"

namespace {

TEST(SDDGeometry, BorderRectTakesEachStyleWidthFromItsSides) {
  struct Row {
    const char* name;
    bool withBorderWidth;
    int borderWidth;
    TSides sides;
    TFrameStyleEx outer, inner;
    TRect expected;
  };
  const TRect r{0, 0, 100, 50};
  const Row rows[] = {
      {"none", true, 0, AllSides, fsNone, fsNone, {0, 0, 100, 50}},
      {"flat 1", true, 0, AllSides, fsFlat, fsNone, {1, 1, 99, 49}},
      {"raised and lowered 2 each", true, 0, AllSides, fsRaised, fsLowered, {4, 4, 96, 46}},
      {"status takes the bevel width", true, 0, AllSides, fsStatus, fsNone, {3, 3, 97, 47}},
      {"rounded 2", true, 0, AllSides, fsFlatRounded, fsNone, {2, 2, 98, 48}},
      {"border width all round", true, 5, {sdLeft}, fsGroove, fsNone, {7, 5, 95, 45}},
      {"border width left out", false, 5, {sdTop, sdBottom}, fsFlatBold, fsPopup, {0, 5, 100, 45}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(AdjustBorderRect(r, row.withBorderWidth, row.borderWidth, row.sides, row.outer, row.inner, 3),
              row.expected)
        << row.name;
}

TEST(SDDGeometry, CaptionPlacementAndGrid) {
  EXPECT_EQ(CaptionTop(avTop, 10, 50, 20), 10);
  EXPECT_EQ(CaptionTop(avCenter, 10, 50, 20), 20);
  EXPECT_EQ(CaptionTop(avBottom, 10, 50, 20), 29);
  // Taller than its area: centred above the top, still drawn.
  EXPECT_EQ(CaptionTop(avCenter, 0, 10, 40), -15);
  EXPECT_EQ(GridLines(2, 20, 8), (std::vector<int>{9, 17}));
  EXPECT_EQ(GridLines(2, 7, 8), std::vector<int>{});
  EXPECT_EQ(GridLines(2, 20, 0), std::vector<int>{});
  EXPECT_EQ(CenterRect({0, 0, 11, 11}, 4, 5), (TRect{3, 3, 7, 8}));
  EXPECT_EQ(CenterRect({0, 0, 2, 2}, 5, 5), (TRect{-1, -1, 4, 4}));  // halves toward zero
  EXPECT_EQ(PaneFrameInset(fsFlatRounded), 0);
  EXPECT_EQ(PaneFrameInset(fsPopup), 1);
  EXPECT_EQ(PaneFrameInset(fsFlatBold), 2);
}

TEST(SDDGeometry, StatusBarClientRectAndPaneScaling) {
  const TRect panel{0, 0, 200, 19};
  EXPECT_EQ(StatusBarClientRect(panel, false, false), (TRect{-1, 1, 201, 20}));
  EXPECT_EQ(StatusBarClientRect(panel, false, true), (TRect{-1, 2, 201, 20}));
  EXPECT_EQ(StatusBarClientRect(panel, true, false), panel);
  EXPECT_EQ(StatusBarClientRect(panel, true, true), (TRect{1, 1, 199, 19}));

  EXPECT_EQ(ScalePaneWidths({100, 300}, 400, 500), (std::vector<int>{125, 375}));
  EXPECT_EQ(ScalePaneWidths({100, 300}, 400, 300), (std::vector<int>{75, 225}));
  EXPECT_EQ(ScalePaneWidths({10, 10}, 40, 42), (std::vector<int>{10, 10}));  // half a pixel rounds to even
  EXPECT_EQ(ScalePaneWidths({50}, 0, 300), std::vector<int>{50});          // no width recorded yet
  EXPECT_EQ(ScalePaneWidths({50}, -4, 300), std::vector<int>{50});
}

TEST(SDDGeometry, ArrowPolygonsSitOnTheCentre) {
  const TRect r{0, 0, 16, 20};  // centre (8, 10), one up for the even height: (8, 9)
  EXPECT_EQ(DropDownArrowPolygon(r, false, false), (std::vector<TPoint>{{8, 11}, {5, 7}, {12, 7}}));
  EXPECT_EQ(DropDownArrowPolygon(r, false, true), (std::vector<TPoint>{{9, 12}, {6, 8}, {13, 8}}));
  EXPECT_EQ(DropDownArrowPolygon(r, true, false).front(), (TPoint{8, 13}));
  EXPECT_EQ(ArrowPolygon(r, false, false, 0), (std::vector<TPoint>{{8, 6}, {12, 11}, {4, 11}}));
  EXPECT_EQ(ArrowPolygon(r, false, false, 3), (std::vector<TPoint>{{10, 9}, {6, 13}, {6, 5}}));
  EXPECT_EQ(ArrowPolygon(r, true, false, 2).front(), (TPoint{7, 9}));
  EXPECT_EQ(ArrowPolygon(r, true, true, 1).front(), (TPoint{9, 12}));
  EXPECT_TRUE(ArrowPolygon(r, false, false, 4).empty());
  EXPECT_EQ(GripSquares(100, 19)[0], (TPoint{96, 7}));
  EXPECT_EQ(GripSquares(100, 19)[5], (TPoint{88, 15}));
}

}  // namespace
