#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sddcontrols/core/unSDDTabLayout.h"

using namespace sddtabs;

namespace {

// A strip of tabs of the given contents on a control of w x h, the main window's side-panel settings otherwise.
TStrip MakeStrip(std::vector<TExtent> contents, int w = 240, int h = 100) {
  TStrip s;
  s.Settings.Width = w;
  s.Settings.Height = h;
  s.Settings.Margin = 2;
  s.Settings.RowIndent = 10;
  s.Settings.RowOverlap = 10;
  s.Settings.ShowShadow = false;
  s.Settings.ButtonBase = 17;
  for (TExtent c : contents) s.Tabs.push_back({true, c, {}, 0});
  return s;
}

// Six tabs 64 long in two rows of a 200 x 100 control.
TStrip MultiLineStrip() {
  TStrip s = MakeStrip(std::vector<TExtent>(6, {40, 13}), 200, 100);
  s.Settings.Margin = 0;
  s.Settings.RowIndent = 5;
  s.Settings.RowOverlap = 5;
  s.Settings.MultiLine = true;
  return s;
}

void Layout(TStrip& s, int selected = 0) {
  ArrangeTabs(s);
  s.ScrollerNeeded = NeedsScroller(s);
  s.FirstShownTab = FixFirstShownTab(s, s.FirstShownTab);
  s.Selected = selected;
  RotateRows(s);
}

TEST(SDDTabLayout, TabSizesFollowStyleOrientationAndTextDirection) {
  struct Row {
    TSDDTabStyle style;
    TSDDTabOrientation orientation;
    bool vertical;
    int tabHeight;
    TExtent size;
  };
  // Content 40 x 13: W = 42, H = 15.
  const Row rows[] = {
      {tsSingleSlant, toTop, false, 0, {64, 19}},   {tsSingleSlant, toTop, false, 6, {67, 19}},
      {tsSingleSlant, toLeft, false, 0, {46, 65}},  {tsDoubleSlant, toBottom, false, 0, {76, 19}},
      {tsCutCorner, toTop, false, 0, {60, 20}},     {tsCutCorner, toLeft, false, 0, {53, 23}},
      {tsCutCorner, toTop, true, 0, {50, 26}},      {tsCutCorner, toRight, true, 0, {47, 33}},
      {tsRoundCorners, toTop, false, 0, {56, 19}},  {tsKestraStyle, toLeft, true, 0, {46, 29}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TabSizeFromContent({r.orientation, r.style, r.vertical, 6, r.tabHeight}, {40, 13}), r.size)
        << r.style << " " << r.orientation << " " << r.vertical;
  EXPECT_EQ(Overlap(tsSingleSlant, 19), 9);
  EXPECT_EQ(Overlap(tsDoubleSlant, 19), 19);
  EXPECT_EQ(Overlap(tsCutCorner, 19), -1);

  struct ContentRow {
    TExtent image, text;
    TSDDImagePosition position;
    int tabWidth;
    TExtent content;
  };
  const ContentRow contents[] = {
      {{16, 16}, {40, 13}, ipLeft, 0, {58, 16}},  {{16, 16}, {40, 13}, ipTop, 0, {40, 31}},
      {{16, 16}, {40, 13}, ipBack, 0, {40, 16}},  {{16, 16}, {40, 13}, ipStretch, 0, {40, 13}},
      {{}, {40, 13}, ipRight, 0, {42, 13}},        {{}, {3, 5}, ipStretch, 0, {7, 11}},
      {{}, {3, 5}, ipStretch, 50, {3, 11}},
  };
  for (const ContentRow& c : contents)
    EXPECT_EQ(ContentSize(c.image, c.text, c.position, 2, {7, 11}, c.tabWidth, 0), c.content) << c.position;
}

TEST(SDDTabLayout, TheSidePanelRowIsPlacedExactly) {
  // "Option" and " Merchant " in bold Tahoma 8: content 40 x 13 and 62 x 13, ImageMargin 2 counted.
  TStrip s = MakeStrip({{40, 13}, {62, 13}});
  Layout(s);
  EXPECT_EQ(s.FixedDimension, 19);
  EXPECT_EQ(s.RowCount, 1);
  EXPECT_FALSE(s.ScrollerNeeded);
  EXPECT_EQ(TabClientRect(s, 0), (TRect{2, 0, 66, 19}));
  EXPECT_EQ(TabClientRect(s, 1), (TRect{58, 0, 144, 19}));
  EXPECT_EQ(TabArea(s), (TRect{0, 0, 239, 19}));
  EXPECT_EQ(RowCardRect(s, 0), (TRect{0, 19, 239, 99}));
  EXPECT_EQ(PageArea(s), (TRect{1, 20, 239, 99}));
  EXPECT_EQ(TabPolygon(s, 0), (std::vector<TPoint>{{2, 19}, {2, 2}, {4, 0}, {47, 0}, {66, 19}}));
  const TButtonPlaces buttons = PlaceButtons(s);
  EXPECT_LT(buttons.Scroller.Right, 0);  // not needed: off the control
}

TEST(SDDTabLayout, EveryOrientationAndStyleStandsOnItsCardWithTheOverlapRule) {
  for (TSDDTabOrientation o : {toTop, toLeft, toBottom, toRight})
    for (TSDDTabStyle style : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsKestraStyle})
      for (TSDDTabSequence sequence : {tsStandard, tsReverse}) {
        TStrip s = MakeStrip({{30, 13}, {50, 13}, {20, 13}}, 300, 300);
        s.Settings.Orientation = o;
        s.Settings.Style = style;
        s.Settings.Sequence = sequence;
        Layout(s, -1);
        TStrip standard = s;
        standard.Settings.Sequence = tsStandard;
        Layout(standard, -1);
        const TRect area = TabArea(s);
        const int d = TabAreaDepth(s), overlap = Overlap(style, s.FixedDimension);
        for (int i = 0; i < 3; ++i) {
          const TRect r = TabClientRect(s, i);
          // The page-side edge lies on the front card's line.
          const int pageSide = o == toTop ? r.Bottom : o == toBottom ? r.Top : o == toLeft ? r.Right : r.Left;
          EXPECT_EQ(pageSide, o == toTop || o == toLeft ? d : 299 - d) << o << style << sequence << " tab " << i;
          // tsReverse mirrors tsStandard along the row.
          const TRect m = TabClientRect(standard, i);
          if (sequence == tsStandard)
            EXPECT_EQ(r, m);
          else if (RowsHorizontal(o))
            EXPECT_EQ(r.Left, area.Left + area.Right - m.Right) << o << style << " tab " << i;
          else
            EXPECT_EQ(r.Top, area.Top + area.Bottom - m.Bottom) << o << style << " tab " << i;
          if (i == 0) continue;
          // Neighbours reach Overlap(thickness) - 1 pixels under each other.
          const TRect& a = s.Tabs[static_cast<size_t>(i - 1)].Rect;
          const TRect& b = s.Tabs[static_cast<size_t>(i)].Rect;
          EXPECT_EQ(sequence == tsReverse ? b.Right - a.Left : a.Right - b.Left, overlap - 1) << o << style << i;
        }
      }
}

TEST(SDDTabLayout, MultiLineRowsIndentCycleAndJustify) {
  TStrip s = MultiLineStrip();
  Layout(s, 4);
  ASSERT_EQ(s.RowCount, 2);
  // The selected tab's row came to the front; the rows keep their cyclic order.
  const int rows[] = {1, 1, 1, 0, 0, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.Tabs[static_cast<size_t>(i)].Row, rows[i]) << i;
  EXPECT_EQ(TabClientRect(s, 3), (TRect{0, 14, 64, 33}));
  EXPECT_EQ(TabClientRect(s, 0), (TRect{5, 0, 69, 19}));  // one row out: indented
  EXPECT_EQ(RowCardRect(s, 1), (TRect{5, 19, 199, 85}));
  Layout(s, 0);
  EXPECT_EQ(s.Tabs[0].Row, 0);
  EXPECT_EQ(s.Tabs[3].Row, 1);
  TStrip three = s;
  three.Tabs.resize(9, three.Tabs[0]);
  Layout(three, 7);
  ASSERT_EQ(three.RowCount, 3);
  const int cycled[] = {1, 1, 1, 2, 2, 2, 0, 0, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(three.Tabs[static_cast<size_t>(i)].Row, cycled[i]) << i;

  // Justified, each row fills its length less the indents.
  s.Settings.AlignTabs = true;
  Layout(s, 0);
  EXPECT_EQ(s.Tabs[0].Rect.Left, 0);
  EXPECT_EQ(s.Tabs[2].Rect.Right, 194);
  EXPECT_EQ(s.Tabs[5].Rect.Right, 194);
  EXPECT_EQ(s.Tabs[1].Rect, (TRect{62, 14, 132, 33}));
  s.Settings.MultiLine = false;  // AlignTabs without MultiLine changes nothing
  Layout(s, 0);
  EXPECT_EQ(s.Tabs[1].Rect, (TRect{56, 0, 120, 19}));

  // A tab longer than the row takes a row of its own, clamped to it.
  TStrip wide = MakeStrip({{400, 13}, {40, 13}}, 200, 100);
  wide.Settings.MultiLine = true;
  wide.Settings.Style = tsRoundCorners;
  Layout(wide, 1);
  EXPECT_EQ(wide.RowCount, 2);
  EXPECT_EQ(wide.Tabs[0].Rect.Right - wide.Tabs[0].Rect.Left, 199 - 4 - 10 - 4);
}

TEST(SDDTabLayout, ASingleRowScrollsUntilItsLastTabShows) {
  TStrip s = MakeStrip(std::vector<TExtent>(8, {40, 13}), 200, 100);
  s.Settings.Margin = 0;
  Layout(s);
  ASSERT_TRUE(s.ScrollerNeeded);
  EXPECT_EQ(ButtonSize(s), 17);
  EXPECT_TRUE(IsTabShown(s, 1));
  EXPECT_FALSE(IsTabShown(s, 2));
  EXPECT_FALSE(CanScrollBack(s));
  int steps = 0;
  while (ScrollForward(s)) ++steps;
  EXPECT_EQ(steps, 6);
  EXPECT_EQ(s.FirstShownTab, 6);
  EXPECT_TRUE(IsTabShown(s, 7));
  EXPECT_TRUE(CanScrollBack(s));
  EXPECT_TRUE(ScrollBack(s));
  EXPECT_EQ(s.FirstShownTab, 5);
  EXPECT_EQ(ScrollIntoView(s, 2), 2);
  s.FirstShownTab = 0;
  EXPECT_EQ(ScrollIntoView(s, 7), 6);
  const TButtonPlaces p = PlaceButtons(s);
  EXPECT_EQ(p.Scroller, (TRect{167, 0, 200, 17}));  // 2s - 1 long at the far end, 2 above the card
  s.Settings.ShowCloseButton = true;
  EXPECT_EQ(PlaceButtons(s).Close, (TRect{183, 0, 200, 17}));
}

TEST(SDDTabLayout, ATabThatWouldEndExactlyAtTheRowsEndStartsTheNextRow) {
  // Tabs 30, 106, 30 and 114 long on a strip 152 long (margins 2): at two rows, one indent shorter, the last tab
  // would end exactly at the row's end, 138; so two rows do not hold, nor three, and each tab takes a row. Counted
  // otherwise, the rows would be placed one indent too long and the first two tabs would share the front row.
  TStrip s = MakeStrip({{6, 13}, {82, 13}, {6, 13}, {90, 13}}, 153, 100);
  s.Settings.MultiLine = true;
  Layout(s, 0);
  ASSERT_EQ(s.RowCount, 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s.Tabs[static_cast<size_t>(i)].Row, i) << i;
    EXPECT_EQ(s.Tabs[static_cast<size_t>(i)].Rect.Left, 2) << i;
  }
}

TEST(SDDTabLayout, AScrolledRowShowsALastTabThatEndsExactlyAtTheStripsEnd) {
  // Four tabs 64 long, 56 apart, on a control 155 wide: the strip between the margins and the scroller is 120 long,
  // so from the third tab on the last one ends exactly at the strip's end, and the scrolling stops there.
  for (TSDDTabSequence sequence : {tsStandard, tsReverse}) {
    TStrip s = MakeStrip(std::vector<TExtent>(4, {40, 13}), 155, 100);
    s.Settings.Margin = 0;
    s.Settings.Sequence = sequence;
    Layout(s);
    ASSERT_TRUE(s.ScrollerNeeded) << sequence;
    while (ScrollForward(s)) {
    }
    EXPECT_EQ(s.FirstShownTab, 2) << sequence;
    EXPECT_TRUE(IsTabShown(s, 2)) << sequence;
    EXPECT_TRUE(IsTabShown(s, 3)) << sequence;
    EXPECT_FALSE(CanScrollForward(s)) << sequence;
    // Selecting the last tab from the start scrolls no further than that either.
    s.FirstShownTab = 0;
    EXPECT_EQ(ScrollIntoView(s, 3), 2) << sequence;
  }
}

TEST(SDDTabLayout, CardsAndPageAreaFollowTheFrameSettings) {
  TStrip s = MultiLineStrip();
  Layout(s);
  EXPECT_EQ(RowCardRect(s, 0), (TRect{0, 33, 194, 99}));
  EXPECT_EQ(RowCardRect(s, 1), (TRect{5, 19, 199, 85}));
  struct Row {
    bool cardFrame, fullFrame, shadow, cardArea;
    TRect page;
  };
  const Row rows[] = {{true, true, false, true, {1, 34, 194, 99}},  {true, true, true, true, {1, 34, 192, 97}},
                      {false, true, false, true, {0, 33, 195, 100}}, {true, false, false, true, {0, 34, 195, 100}},
                      {true, true, false, false, {-2, -2, -1, -1}}};
  for (const Row& r : rows) {
    TStrip page = s;
    page.Settings.ShowCardFrame = r.cardFrame;
    page.Settings.ShowFullFrame = r.fullFrame;
    page.Settings.ShowShadow = r.shadow;
    page.Settings.ShowCardArea = r.cardArea;
    EXPECT_EQ(PageArea(page), r.page) << r.cardFrame << r.fullFrame << r.shadow << r.cardArea;
  }
  s.Settings.Sequence = tsReverse;
  EXPECT_EQ(RowCardRect(s, 0), (TRect{5, 33, 199, 99}));
  // No tabs: the card is the whole control.
  TStrip empty = MakeStrip({}, 200, 100);
  Layout(empty, -1);
  EXPECT_EQ(empty.FixedDimension, 0);
  EXPECT_EQ(RowCardRect(empty, 0), (TRect{0, 0, 199, 99}));
}

TEST(SDDTabLayout, SearchesHonourOrderWrapAndRefusals) {
  // Hit order: the selected tab first, then from the first shown tab on, wrapping once.
  const auto hits = [](std::vector<int> hit) {
    return [hit](int i) { return std::find(hit.begin(), hit.end(), i) != hit.end(); };
  };
  EXPECT_EQ(TabAtPos(0, -1, 0, hits({0})), -1);
  EXPECT_EQ(TabAtPos(3, 0, -1, hits({0})), -1);
  EXPECT_EQ(TabAtPos(3, 1, 0, hits({0, 1})), 1);
  EXPECT_EQ(TabAtPos(3, -1, 2, hits({0, 1})), 0);
  EXPECT_EQ(TabAtPos(3, 1, 0, hits({})), -1);

  struct Row {
    int current;
    TTabKey key;
    bool reversed;
    int target;
  };
  const auto notTwo = [](int i) { return i != 2; };
  const Row rows[] = {
      {1, TTabKey::Next, false, 3},     {3, TTabKey::Next, false, 0},     {0, TTabKey::Previous, false, 3},
      {3, TTabKey::Home, false, 0},     {1, TTabKey::End, false, 3},      {1, TTabKey::Next, true, 0},
      {3, TTabKey::Home, true, 3},      {-1, TTabKey::Next, false, 0},    {0, TTabKey::Home, false, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(KeyTarget(4, r.current, r.key, r.reversed, notTwo), r.target)
        << r.current << " " << static_cast<int>(r.key) << " " << r.reversed;
  EXPECT_EQ(KeyTarget(4, 1, TTabKey::Next, false, [](int) { return false; }), 1);

  const auto selectable = [](int i) { return i != 1 && i != 3; };
  EXPECT_EQ(ValidSelection(4, 2, selectable, selectable), 2);
  EXPECT_EQ(ValidSelection(4, 1, selectable, selectable), 2);
  EXPECT_EQ(ValidSelection(4, 3, selectable, selectable), 2);
  EXPECT_EQ(ValidSelection(4, 9, selectable, selectable), 2);
  EXPECT_EQ(ValidSelection(4, -1, selectable, selectable), -1);
  EXPECT_EQ(ValidSelection(4, 1, selectable, [](int) { return false; }), -1);
  // The keys run against the index order for toLeft standard and the other sides reversed.
  TStripSettings st;
  st.Orientation = toLeft;
  EXPECT_TRUE(KeysReversed(st));
  EXPECT_FALSE(ScrollReversed(st));
  st.Orientation = toRight;
  EXPECT_TRUE(ScrollReversed(st));
}

TEST(SDDTabLayout, RectangleHelpers) {
  EXPECT_TRUE(IsRectAllZero({}));
  EXPECT_FALSE(IsRectAllZero({0, 0, 0, 1}));
  TRect r{10, 8, 2, 4};
  NormalizeRect(r);
  EXPECT_EQ(r, (TRect{2, 4, 10, 8}));
  EXPECT_TRUE(PtInNormalizedRect({10, 8, 2, 4}, {2, 4}));
  EXPECT_FALSE(PtInNormalizedRect({10, 8, 2, 4}, {10, 5}));
}

}  // namespace
