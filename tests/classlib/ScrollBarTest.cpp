#include <gtest/gtest.h>

#include <functional>

#include "classlib/ScrollBars.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace controls_test;

namespace {

// A horizontal bar 0..10 stepping by 2 (small) and 4 (large), logging its events; OnChange rounds an odd
// position up to the next even one, as the map view's bars do.
struct BarScene : StdScene {
  TScrollBar* bar = new TScrollBar(form.get());
  BarScene() {
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, 200, 17);
    bar->SetParams(0, 0, 10);
    bar->SetSmallChange(2);
    bar->SetLargeChange(4);
    bar->OnScroll = [this](TObject*, TScrollCode code, int& pos) {
      log.push_back("scroll " + std::to_string(code) + " to " + std::to_string(pos));
    };
    bar->OnChange = [this](TObject*) {
      log.push_back("change " + std::to_string(bar->Position()));
      if (bar->Position() % 2 != 0) bar->SetPosition(bar->Position() + 1);
    };
  }
  int PlatformPosition() { return GetScrollPos(bar->Handle(), SB_CTL); }
};

TEST(ScrollBar, MovesByUserAndProgramStayInTheRangeAndNotify) {
  struct Row {
    const char* name;
    std::function<void(BarScene&)> act;
    std::vector<std::string> expected;
    int position;
  };
  const Row rows[] = {
      {"arrow key: a small step", [](BarScene& s) { PressKey(s.bar->Handle(), VK_RIGHT); },
       {"scroll 1 to 2", "change 2"}, 2},
      {"page key: a large step", [](BarScene& s) { PressKey(s.bar->Handle(), VK_NEXT); },
       {"scroll 3 to 4", "change 4"}, 4},
      {"end key: the maximum", [](BarScene& s) { PressKey(s.bar->Handle(), VK_END); },
       {"scroll 7 to 10", "change 10"}, 10},
      {"a step past the end is clamped", [](BarScene& s) {
         s.bar->SetPosition(9);
         s.log.clear();
         PressKey(s.bar->Handle(), VK_NEXT);
       }, {"scroll 3 to 14"}, 10},
      {"OnScroll changes where the move lands", [](BarScene& s) {
         s.bar->OnScroll = [](TObject*, TScrollCode, int& pos) { pos = 6; };
         PressKey(s.bar->Handle(), VK_RIGHT);
       }, {"change 6"}, 6},
      {"odd position set by the program, rounded by the handler", [](BarScene& s) { s.bar->SetPosition(7); },
       {"change 7", "change 8"}, 8},
      {"at an odd maximum the rounding is clamped back", [](BarScene& s) {
         s.bar->SetMax(7);
         s.bar->SetPosition(7);
       }, {"change 7"}, 7},
      {"a maximum below the position moves it", [](BarScene& s) {
         s.bar->SetPosition(8);
         s.log.clear();
         s.bar->SetMax(4);
       }, {"change 4"}, 4},
      {"a range upside down is raised to its minimum", [](BarScene& s) { s.bar->SetParams(5, 6, 2); },
       {"change 6"}, 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BarScene s;
    row.act(s);
    EXPECT_EQ(s.log, row.expected);
    EXPECT_EQ(s.bar->Position(), row.position);
    EXPECT_EQ(s.PlatformPosition(), row.position);
  }
}

TEST(ScrollBar, ADraggedThumbReportsEachTrackedPositionAndEndsWhereReleased) {
  struct Row {
    const char* name;
    std::vector<int> tenths;  // of the thumb's travel, from the press
    std::vector<std::string> expected;
    int position;
  };
  // The press itself reports the thumb where it is; odd positions are rounded up by the scene's OnChange.
  const Row rows[] = {
      {"to the middle by way of 2", {2, 5},
       {"scroll 5 to 0", "scroll 5 to 2", "change 2", "scroll 5 to 5", "change 5", "change 6", "scroll 4 to 5",
        "change 5", "change 6", "scroll 8 to 6"},
       6},
      {"a little past the end: the maximum", {4, 11},
       {"scroll 5 to 0", "scroll 5 to 4", "change 4", "scroll 5 to 10", "change 10", "scroll 4 to 10",
        "scroll 8 to 10"},
       10},
      {"there and back: where it is released", {8, 3},
       {"scroll 5 to 0", "scroll 5 to 8", "change 8", "scroll 5 to 3", "change 3", "change 4", "scroll 4 to 3",
        "change 3", "change 4", "scroll 8 to 4"},
       4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BarScene s;
    const int travel = ScrollThumb(s.bar->Handle()).Travel;
    ASSERT_GT(travel, 20);
    std::vector<int> moves;
    for (int tenth : row.tenths) moves.push_back(travel * tenth / 10);
    DragScrollThumb(s.bar->Handle(), moves);
    EXPECT_EQ(s.log, row.expected);
    EXPECT_EQ(s.bar->Position(), row.position);
    EXPECT_EQ(s.PlatformPosition(), row.position);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST(ScrollBar, KindMakesAVerticalBarWithTheSameRange) {
  BarScene s;
  s.bar->SetPosition(4);
  s.bar->SetKind(sbVertical);
  EXPECT_EQ(GetWindowLongA(s.bar->Handle(), GWL_STYLE) & SBS_VERT, SBS_VERT);
  EXPECT_EQ(s.bar->Width(), 17);
  EXPECT_EQ(s.PlatformPosition(), 4);
  PressKey(s.bar->Handle(), VK_DOWN);
  EXPECT_EQ(s.bar->Position(), 6);
}

}  // namespace
