#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sddcontrols/core/unSDDTabDrawing.h"

using namespace sddtabs;

namespace {

TEST(SDDTabDrawing, TheFrontCardLeavesAGapUnderTheSelectedTab) {
  struct Row {
    const char* name;
    TSDDTabOrientation orientation;
    bool full, shadow, gap, hot;
    TLineCommands commands;  // after the leading line colour (2, 1, 0)
  };
  // The side panel's card under the tab (2, 0, 66, 19): gap from (3, 19) to (66, 19).
  const Row rows[] = {
      {"top, full frame", toTop, true, false, true, false,
       {0, 3, 0, 19, 4, 3, 19, 0, 3, 66, 19, 4, 239, 19, 4, 239, 99, 4, 0, 99, 4, 0, 19}},
      {"top, top line only", toTop, false, false, true, false, {0, 3, 0, 19, 4, 3, 19, 0, 3, 66, 19, 4, 240, 19}},
      {"plain, top line only", toTop, false, false, false, false, {0, 3, 0, 19, 4, 239, 19}},
      {"bottom, full frame", toBottom, true, false, true, false,
       {0, 3, 0, 19, 4, 239, 19, 4, 239, 99, 4, 65, 19, 0, 3, 2, 19, 4, 0, 99, 4, 0, 19}},
      {"shadow of a hot repaint left out", toTop, true, true, false, true,
       {0, 3, 0, 19, 4, 237, 19, 4, 237, 97, 4, 0, 97, 4, 0, 19}},
  };
  for (const Row& r : rows) {
    TLineCommands list;
    AddLineColor(list, 1, 0);
    TCardFrame f;
    f.Orientation = r.orientation;
    f.Card = {0, 19, 239, 99};
    f.ShowFullFrame = r.full;
    f.ShowShadow = r.shadow;
    f.Hot = r.hot;
    f.Gap = r.gap;
    f.GapStart = {3, 19};
    f.GapEnd = {66, 19};
    RecordCardFrame(list, f);
    TLineCommands expected{2, 1, 0};
    expected.insert(expected.end(), r.commands.begin(), r.commands.end());
    EXPECT_EQ(list, expected) << r.name;
    EXPECT_FALSE(HasShadow(list)) << r.name;
  }
  // The shadow: strength 30 just inside the right and bottom edges, 15 on them.
  TLineCommands shadow;
  TCardFrame f;
  f.Card = {0, 19, 239, 99};
  RecordCardFrame(shadow, f);
  EXPECT_TRUE(HasShadow(shadow));
  const TLineCommands tail{3, 238, 20, 5, 238, 98, 5, 0, 98, 3, 238, 19, 6, 239, 19, 6, 239, 99, 6, 0, 99, 6, 0, 98};
  EXPECT_EQ(TLineCommands(shadow.end() - static_cast<ptrdiff_t>(tail.size()), shadow.end()), tail);
  EXPECT_EQ(ShadowLinePixels({5, 1}, {3, 1}), (std::vector<TPoint>{{5, 1}, {4, 1}, {3, 1}}));
  EXPECT_EQ(ShadowLinePixels({2, 7}, {2, 7}), (std::vector<TPoint>{{2, 7}}));
}

TEST(SDDTabDrawing, OutlinesNeedTheirStylesPointCount) {
  const std::vector<TPoint> five{{2, 19}, {2, 2}, {4, 0}, {47, 0}, {66, 19}};
  TLineCommands list;
  ASSERT_TRUE(RecordTabOutline(list, tsSingleSlant, toTop, five));
  EXPECT_EQ(list, (TLineCommands{0, 3, 2, 19, 4, 2, 2, 4, 4, 0, 4, 47, 0, 4, 66, 19}));
  EXPECT_FALSE(RecordTabOutline(list, tsDoubleSlant, toTop, five));
  EXPECT_FALSE(RecordTabOutline(list, tsRoundCorners, toTop, five));
  // Round corners: three strokes, from the right edge; along the left edge the other way round.
  const std::vector<TPoint> six{{0, 9}, {0, 2}, {2, 0}, {8, 0}, {10, 2}, {10, 9}};
  list.clear();
  ASSERT_TRUE(RecordTabOutline(list, tsRoundCorners, toTop, six));
  EXPECT_EQ(list, (TLineCommands{0, 3, 10, 2, 4, 10, 9, 3, 10, 2, 4, 8, 0, 3, 8, 0, 4, 2, 0, 4, 0, 2, 4, 0, 9}));
  list.clear();
  ASSERT_TRUE(RecordTabOutline(list, tsRoundCorners, toLeft, six));
  EXPECT_EQ(list, (TLineCommands{0, 3, 0, 2, 4, 0, 9, 3, 0, 2, 4, 2, 0, 3, 2, 0, 4, 8, 0, 4, 10, 2, 4, 10, 9}));
  // Kestra tabs have an outline only along the top.
  std::vector<TPoint> seven = six;
  seven.push_back({10, 11});
  list.clear();
  ASSERT_TRUE(RecordTabOutline(list, tsKestraStyle, toBottom, seven));
  EXPECT_EQ(list, (TLineCommands{0}));
}

TEST(SDDTabDrawing, ContentTextAndBarsInsideTheTab) {
  // The side panel's first tab.
  const TRect tab{2, 0, 66, 19};
  EXPECT_EQ(ContentRect(tab, tsSingleSlant, toTop, false, 6), (TRect{7, 4, 47, 17}));
  EXPECT_EQ(ContentRect(tab, tsSingleSlant, toBottom, false, 6), (TRect{7, 3, 47, 16}));
  EXPECT_EQ(ContentRect(tab, tsCutCorner, toTop, false, 6), (TRect{12, 5, 56, 17}));
  EXPECT_EQ(ContentRect(tab, tsRoundCorners, toTop, false, 6), (TRect{7, 3, 61, 16}));
  const TContentAreas a = ContentAreas({7, 4, 47, 24}, {16, 16}, 2, ipLeft, haCenter, vaBottom);
  EXPECT_EQ(a.Text, (TRect{25, 4, 47, 24}));
  EXPECT_EQ(a.ImageAt, (TPoint{7, 8}));
  EXPECT_EQ(ContentAreas({7, 4, 47, 24}, {16, 16}, 2, ipRight, haRight, vaTop).ImageAt, (TPoint{31, 4}));
  EXPECT_EQ(BarRect(tab, toTop), (TRect{1, -1, 67, 5}));
  EXPECT_EQ(BarRect(tab, toBottom), (TRect{1, 16, 67, 20}));
  EXPECT_EQ(BarRect(tab, toRight), (TRect{63, -1, 67, 20}));
  EXPECT_EQ(FocusRect({7, 4, 47, 17}, tsSingleSlant, toTop), (TRect{6, 4, 48, 17}));
  EXPECT_EQ(FocusRect({7, 4, 47, 17}, tsRoundCorners, toLeft), (TRect{9, 3, 47, 18}));

  struct Row {
    TRect area;
    std::vector<TExtent> lines;
    bool vertical, right;
    TSDDHorizontalAlignment ha;
    TSDDVerticalAlignment va;
    std::vector<TPoint> at;
  };
  const Row rows[] = {
      {{7, 4, 47, 17}, {{30, 13}}, false, false, haCenter, vaCenter, {{12, 4}}},
      {{0, 0, 40, 40}, {{30, 13}, {10, 13}}, false, false, haRight, vaBottom, {{10, 14}, {30, 27}}},
      {{0, 0, 20, 50}, {{13, 30}}, true, false, haCenter, vaCenter, {{3, 40}}},
      {{0, 0, 20, 50}, {{13, 30}}, true, true, haCenter, vaCenter, {{17, 10}}},
      {{0, 0, 30, 50}, {{13, 30}, {13, 20}}, true, false, haLeft, vaTop, {{0, 30}, {13, 20}}},
      {{0, 0, 30, 50}, {{13, 30}}, true, true, haLeft, vaBottom, {{13, 20}}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(PlaceCaptionLines(r.area, r.lines, r.vertical, r.right, r.ha, r.va), r.at)
        << r.vertical << r.right << r.ha << r.va;
}

TEST(SDDTabDrawing, CaptionsSplitIntoLinesAndAccelerators) {
  EXPECT_EQ(SplitCaption("Map\r\nInfo"), (std::vector<std::string>{"Map", "Info"}));
  EXPECT_EQ(SplitCaption("Map\nInfo"), (std::vector<std::string>{"Map\nInfo"}));
  struct Row {
    const char* line;
    const char *before, *marked, *after;
  };
  const Row rows[] = {{"&Option", "", "O", "ption"},     {"A&&B", "A&B", "", ""},
                      {"&&&x", "&", "x", ""},            {"ab&", "ab&", "", ""},
                      {"M&e&rchant", "M", "e", "rchant"}, {" Merchant ", " Merchant ", "", ""}};
  for (const Row& r : rows) {
    const TAccelLine parts = SplitAccelerator(r.line);
    EXPECT_EQ(parts.Before, r.before) << r.line;
    EXPECT_EQ(parts.Marked, r.marked) << r.line;
    EXPECT_EQ(parts.After, r.after) << r.line;
  }
}

}  // namespace
