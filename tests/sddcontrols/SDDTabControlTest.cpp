#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Hints.h"
#include "classlib/ImgList.h"
#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDCommon.h"
#include "tests/sddcontrols/SDDTabTestScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000;

// A plain tab control whose tabs the test fills; it counts its repaint requests and can be loaded by hand.
class TTestTabs : public TSDDCustomTabControl {
public:
  using TSDDCustomTabControl::TSDDCustomTabControl;
  using TSDDCustomTabControl::Loaded;
  int hotChanges = 0;
  void HotChanged() override {
    ++hotChanges;
    TSDDCustomTabControl::HotChanged();
  }
  void AddTab(const std::string& caption) {
    auto* tab = new TSDDTabData;
    tab->Caption = caption;
    Tabs().Add(tab);
    LayoutChanged();
  }
};

TEST(SDDTabSupport, RegionCacheFreesWhatItTookAndOnlyThat) {
  struct Row {
    const char* name;
    int capacity;
    std::vector<int> adds;      // rectangles by number
    int laterCapacity;          // 0: unchanged
    std::vector<bool> taken;    // per add
    std::vector<bool> alive;    // per add, after everything
  };
  const Row rows[] = {
      {"capacity 1 keeps the latest", 1, {1, 2}, 0, {true, true}, {false, true}},
      {"a cached rectangle keeps its region; the new one stays the caller's", 2, {1, 1}, 0, {true, false},
       {true, true}},
      {"unlimited keeps all; 2 then frees the least recently used", -1, {1, 2, 3, 1}, 2,
       {true, true, true, false}, {true, false, true, true}},
  };
  for (const Row& r : rows) {
    TSDDTabRegionCache cache;
    cache.SetCapacity(r.capacity);
    std::vector<HRGN> regions;
    for (size_t i = 0; i < r.adds.size(); ++i) {
      regions.push_back(CreateRectRgn(0, 0, 5, 5));
      EXPECT_EQ(cache.Add({r.adds[i], 0, 10, 10}, regions.back()), r.taken[i]) << r.name << " add " << i;
    }
    if (r.laterCapacity) cache.SetCapacity(r.laterCapacity);
    for (size_t i = 0; i < regions.size(); ++i)
      EXPECT_EQ(GetObjectType(regions[i]) == OBJ_REGION, r.alive[i]) << r.name << " region " << i;
    EXPECT_EQ(cache.Find({r.adds[0], 0, 10, 10}) == regions[0], r.alive[0]) << r.name;
    for (size_t i = 0; i < regions.size(); ++i)
      if (!r.taken[i]) DeleteObject(regions[i]);
    cache.Clear();
    for (size_t i = 0; i < regions.size(); ++i) EXPECT_EQ(GetObjectType(regions[i]), 0u) << r.name << " " << i;
  }
  TSDDTabRegionCache cache;
  for (int bad : {0, -2}) {
    try {
      cache.SetCapacity(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Capacity must be -1 (to cache all regions) or > 0");
    }
    EXPECT_EQ(cache.Capacity(), 1);
  }
}

TEST(SDDTabSupport, ColourSetsRepaintTheirOwnerOnce) {
  TFormScene scene;
  auto* tabs = new TTestTabs(scene.form.get());
  TSDDTabColors colors(nullptr);
  colors.SetHighlightBar(clRed);
  colors.SetShadow(clBlue);
  colors.SetUnselected(clLime);
  TSDDTextColors text(nullptr);
  text.SetSelected(clRed);
  struct Row {
    const char* name;
    std::function<void()> change;
    int repaints;
  };
  const Row rows[] = {
      {"three colours assigned", [&] { tabs->TabColors().Assign(&colors); }, 1},
      {"the same again", [&] { tabs->TabColors().Assign(&colors); }, 0},
      {"one setter", [&] { tabs->TabColors().SetShadow(clYellow); }, 1},
      {"an unchanged setter", [&] { tabs->TextColors().SetSelected(clBtnText); }, 0},
      {"text colours assigned", [&] { tabs->TextColors().Assign(&text); }, 1},
  };
  for (const Row& r : rows) {
    tabs->hotChanges = 0;
    r.change();
    EXPECT_EQ(tabs->hotChanges, r.repaints) << r.name;
  }
  EXPECT_EQ(tabs->TabColors().HighlightBar(), clRed);
  // The background follows the parent's colour until it is set.
  tabs->SetParent(scene.form.get());
  EXPECT_EQ(tabs->BackgroundColor(), clWhite);
  scene.form->SetColor(clYellow);
  EXPECT_EQ(tabs->BackgroundColor(), clYellow);
  tabs->SetBackgroundColor(clRed);
  scene.form->SetColor(clWhite);
  EXPECT_EQ(tabs->BackgroundColor(), clRed);
  EXPECT_FALSE(tabs->ParentBackgroundColor());
}

TEST(SDDTabControl, AStreamedTabIndexSurvivesLoading) {
  TFormScene scene;
  auto* tabs = new TTestTabs(scene.form.get());
  tabs->SetParent(scene.form.get());
  int changes = 0;
  tabs->OnChange = [&](TObject*) { ++changes; };
  tabs->BeginLoading();
  tabs->SetTabIndex(2);
  for (const char* caption : {"A", "B", "C"}) tabs->AddTab(caption);
  tabs->EndReading();
  tabs->Loaded();
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_EQ(changes, 1);
  // An index past the tabs selects none.
  tabs->SetTabIndex(7);
  EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST(SDDTabControl, TheSidePanelsRowIsLaidOutExactly) {
  PagesScene s({"Option", " Merchant "});
  // Bold Tahoma 8: 13 pixels high, "Option" 39 and " Merchant " 61 wide; with the image margin and the slants the
  // tabs are 65 and 87 long and the row 19 thick.
  EXPECT_EQ(s.pc->FixedDimension(), 19);
  EXPECT_EQ(s.pc->RowCount(), 1);
  EXPECT_EQ(s.pc->TabRect(0), (TRect{2, 0, 67, 19}));
  EXPECT_EQ(s.pc->TabRect(1), (TRect{59, 0, 146, 19}));
  EXPECT_EQ(s.pc->PageRect(), (TRect{1, 20, 239, 99}));
  EXPECT_EQ(s.pages[0]->BoundsRect(), s.pc->PageRect());
  EXPECT_FALSE(s.pc->ScrollerNeeded());
  // Measured bold throughout: selecting the other tab moves nothing.
  s.pc->SetActivePage(s.pages[1]);
  s.Settle();
  EXPECT_EQ(s.pc->TabRect(0), (TRect{2, 0, 67, 19}));
}

// A selection made by code shows on the screen without anything else repainting the control: the highlight bar
// moves to the new tab.
TEST(SDDTabControl, ATabIndexSetByCodeShowsAtOnce) {
  PagesScene s({"Option", " Merchant "});
  const TPoint bar{s.pc->TabRect(1).Left + 20, 2};
  ASSERT_NE(WindowPixel(s.pc->Handle(), bar.X, bar.Y, false), Rgb(clHighlight));
  s.pc->SetTabIndex(1);
  PumpMessages();
  EXPECT_EQ(WindowPixel(s.pc->Handle(), bar.X, bar.Y, false), Rgb(clHighlight));
}

// Two rows: a tab of the back row, selected by code or by a click, comes to the front row with its row, and the
// screen shows its highlight bar there.
TEST(SDDTabControl, SelectingABackRowTabBringsItsRowNextToThePage) {
  struct Row {
    const char* name;
    void (*select)(PagesScene&, int tab);
  };
  const Row rows[] = {
      {"by TabIndex", [](PagesScene& s, int tab) { s.pc->SetTabIndex(tab); }},
      // On its outer part: the front row overlaps the rest.
      {"by a click",
       [](PagesScene& s, int tab) { ClickAt(*s.pc, {Centre(s.pc->TabRect(tab)).X, s.pc->TabRect(tab).Top + 4}); }},
  };
  for (const Row& r : rows) {
    PagesScene s({"Option", " Merchant ", "Map Info", " Screenshot Maker "});
    s.pc->SetMultiLine(true);
    s.Settle();
    ASSERT_EQ(s.pc->RowCount(), 2) << r.name;
    const int back = s.pc->Tabs().Count() - 1;
    ASSERT_EQ(s.pc->Tabs().Items(back).Row, 1) << r.name;
    const TRect front = s.pc->TabRect(0);
    r.select(s, back);
    PumpMessages();
    EXPECT_EQ(s.pc->TabIndex(), back) << r.name;
    EXPECT_EQ(s.pc->Tabs().Items(back).Row, 0) << r.name;
    EXPECT_EQ(s.pc->Tabs().Items(0).Row, 1) << r.name;
    const TRect now = s.pc->TabRect(back);
    EXPECT_EQ(now.Top, front.Top) << r.name;
    EXPECT_EQ(now.Bottom, front.Bottom) << r.name;
    EXPECT_EQ(WindowPixel(s.pc->Handle(), now.Left + 12, front.Top + 2), Rgb(clHighlight)) << r.name;
  }
}

TEST(SDDTabControl, TabAtPosFollowsTheSlantedShapes) {
  PagesScene s({"Option", " Merchant "});
  const TRect t0 = s.pc->TabRect(0);
  const int r0 = t0.Right;  // tab 0's slant runs from (r0 - 19, 0) down to (r0, 19)
  struct Row {
    const char* name;
    int selected;
    TPoint at;
    int tab;
  };
  const Row rows[] = {
      {"inside the first tab", 0, {10, 10}, 0},
      {"the cut top-left corner", 0, {t0.Left, 0}, -1},
      {"right of the slant, on the next tab", 0, {r0 - 6, 3}, 1},
      {"left of the slant, before the next tab", 0, {r0 - 17, 3}, 0},
      {"where both overlap the selected one wins", 0, {r0 - 4, 17}, 0},
      {"where both overlap the selected one wins, again", 1, {r0 - 4, 17}, 1},
      {"the card is no tab", 0, {100, 50}, -1},
      {"beyond the last tab", 0, {200, 10}, -1},
  };
  for (const Row& r : rows) {
    s.pc->SetActivePage(s.pages[static_cast<size_t>(r.selected)]);
    s.Settle();
    EXPECT_EQ(s.pc->TabAtPos(r.at.X, r.at.Y), r.tab) << r.name;
  }
}

TEST(SDDTabControl, KeysAndClicksSelectUnlessOnChangingRefuses) {
  struct Row {
    const char* name;
    std::vector<int> refused;
    std::function<void(PagesScene&)> act;
    int tab;
    std::vector<std::string> log;
  };
  const auto key = [](WORD k) { return [k](PagesScene& s) { controls_test::PressKey(s.pc->Handle(), k); }; };
  const auto click = [](int tab) {
    return [tab](PagesScene& s) { ClickAt(*s.pc, {s.pc->TabRect(tab).Left + 8, 8}); };
  };
  const Row rows[] = {
      {"right arrow", {}, key(VK_RIGHT), 1, {"changing 1", "change 1", "click 1"}},
      {"a refused tab is stepped over", {1}, key(VK_RIGHT), 2, {"changing 1", "changing 2", "change 2", "click 2"}},
      {"left arrow wraps", {}, key(VK_LEFT), 2, {"changing 2", "change 2", "click 2"}},
      {"end", {}, key(VK_END), 2, {"changing 2", "change 2", "click 2"}},
      {"everything refused", {1, 2}, key(VK_END), 0, {"changing 2", "changing 1"}},
      {"a click", {}, click(2), 2, {"changing 2", "change 2", "click 2"}},
      {"a refused click", {2}, click(2), 0, {"changing 2"}},
  };
  for (const Row& r : rows) {
    PagesScene s({"Option", " Merchant ", "Map Info"});
    s.pc->SetFocus();
    s.Logs();
    s.Refuses(r.refused);
    r.act(s);
    EXPECT_EQ(s.pc->TabIndex(), r.tab) << r.name;
    EXPECT_EQ(s.pc->ActivePage(), s.pages[static_cast<size_t>(r.tab)]) << r.name;
    EXPECT_EQ(s.log, r.log) << r.name;
    EXPECT_EQ(s.VisiblePages(), 1) << r.name;
  }
}

TEST(SDDTabControl, HotTrackingFollowsTheMouseAndItsTimerEndsIt) {
  PagesScene s({"Option", " Merchant "});
  s.pc->SetTabHints(true);
  s.pc->SetHint("the control");
  s.pages[1]->SetHint("the merchant's page");
  s.pc->LayoutChanged();
  s.Settle();
  const TPoint over1{s.pc->TabRect(1).Left + 30, 8};
  SetCursorPos(s.pc->ClientToScreen(over1).X, s.pc->ClientToScreen(over1).Y);
  PostMouseTo(s.pc->Handle(), WM_MOUSEMOVE, over1, 0);
  EXPECT_EQ(s.pc->HotTab(), 1);
  EXPECT_EQ(s.pc->Hint(), "the merchant's page");
  // The mouse leaves without a message to the control: the 60 ms timer notices.
  controls_test::TParkedCursor::Park();
  runtimetest::PumpUntil([&] { return s.pc->HotTab() == -1; }, 1000);
  EXPECT_EQ(s.pc->HotTab(), -1);
  EXPECT_EQ(s.pc->Hint(), "the control");
}

TEST(SDDTabControl, TheScrollerScrollsAOneRowStripAndAReleaseElsewhereDoesNothing) {
  PagesScene s({"One", "Two", "Three", "Four", "Five", "Six", "Seven"}, 160, 100);
  ASSERT_TRUE(s.pc->ScrollerNeeded());
  TSDDTabScroller* scroller = s.pc->Scroller();
  ASSERT_TRUE(scroller);
  EXPECT_EQ(scroller->BoundsRect().Right, 158);  // at the far end of the row, the margin from it
  EXPECT_EQ(scroller->BoundsRect().Bottom, s.pc->FixedDimension() - 2);  // two pixels above the card
  const TPoint left{4, 8}, right{scroller->Width() - 4, 8};
  ClickAt(*scroller, right);
  EXPECT_EQ(s.pc->FirstShownTab(), 1);
  PostMouseTo(scroller->Handle(), WM_LBUTTONDOWN, left, MK_LBUTTON);
  PostMouseTo(scroller->Handle(), WM_MOUSEMOVE, right, MK_LBUTTON);
  PostMouseTo(scroller->Handle(), WM_LBUTTONUP, right, 0);
  EXPECT_EQ(s.pc->FirstShownTab(), 1);
  ClickAt(*scroller, left);
  EXPECT_EQ(s.pc->FirstShownTab(), 0);
  // Selecting a tab beyond the strip scrolls it into view.
  s.pc->SetActivePage(s.pages[6]);
  EXPECT_TRUE(s.pc->IsTabShown(6));
  EXPECT_GT(s.pc->FirstShownTab(), 0);
}

TEST(SDDTabControl, PaintsTheSidePanelsLookByPixels) {
  struct Row {
    const char* name;
    bool transparent, bold;
    bool boldFont;  // the control's own font is bold
  };
  const TColor line = Rgb(ChangeColorLightness(clBtnShadow, 0)), page = kPageColor;
  const Row rows[] = {{"transparent, bold", true, true, false},
                      {"opaque, plain", false, false, false},
                      {"opaque, bold font", false, false, true}};
  int ink[3] = {};
  for (const Row& r : rows) {
    PagesScene s({"Option", " Merchant "});
    s.pc->SetTransparent(r.transparent);
    s.pc->SetBoldCurrentTab(r.bold);
    if (r.boldFont) s.pc->Font().SetStyle({fsBold});
    s.Settle();
    TCanvasScene shot;
    PaintInto(*s.pc, shot);
    const TRect t0 = s.pc->TabRect(0), t1 = s.pc->TabRect(1);
    const int card = s.pc->FixedDimension();
    // Card frame round the page, with a gap under the selected tab.
    EXPECT_EQ(shot.At(0, 60), line) << r.name;
    EXPECT_EQ(shot.At(239, 60), line) << r.name;
    EXPECT_EQ(shot.At(120, 99), line) << r.name;
    EXPECT_EQ(shot.At(200, card), line) << r.name;
    EXPECT_EQ(shot.At(t0.Left + 10, card), page) << r.name;
    EXPECT_EQ(shot.At(t0.Left + 10, 40), page) << r.name;
    // The highlight bar along the selected tab's top, under its outline.
    EXPECT_EQ(shot.At(t0.Left + 10, 0), line) << r.name;
    EXPECT_EQ(shot.At(t0.Left + 10, 1), Rgb(clHighlight)) << r.name;
    EXPECT_EQ(shot.At(t0.Left + 10, 3), Rgb(clHighlight)) << r.name;
    // The unselected tab darkens row by row from the page colour at its outer edge to the gradient's end.
    const int x = t1.Left + 7;
    for (int y = 1; y < 12; ++y) EXPECT_GE(shot.At(x, y) & 0xFF, shot.At(x, y + 1) & 0xFF) << r.name << y;
    EXPECT_LT(shot.At(x, 12) & 0xFF, shot.At(x, 1) & 0xFF) << r.name;
    EXPECT_LE(page & 0xFF, (shot.At(x, 1) & 0xFF) + 4) << r.name;
    EXPECT_EQ(shot.At(t1.Right - 25, card - 1), Rgb(DarkerColor(page, 30))) << r.name;
    // Behind the strip: the parent's white, or the background colour.
    EXPECT_EQ(shot.At(200, 5), r.transparent ? Rgb(clWhite) : kSideBackground) << r.name;
    // The current tab's caption: the pixels its letters cover.
    int& covered = ink[&r - rows];
    for (int cx = t0.Left + 3; cx < t0.Right - 20; ++cx)
      for (int cy = 5; cy < card - 2; ++cy) covered += shot.At(cx, cy) != page;
  }
  EXPECT_GT(ink[0], ink[1] * 5 / 4) << ink[0] << " " << ink[1];  // the current tab's caption is bold
  // A bold font stays bold without BoldCurrentTab, as wide as the layout measured it.
  EXPECT_GT(ink[2], ink[1] * 5 / 4) << ink[2] << " " << ink[1];
}

TEST(SDDTabControl, TabImagesComeFromTheImageList) {
  struct Row {
    const char* name;
    bool enabled;
    int disabledIndex;
    TColor ink;  // the colour the image shows in
  };
  const Row rows[] = {{"enabled", true, -1, kRed},
                      {"disabled: greyed", false, -1, Rgb(clBtnShadow)},
                      {"disabled with an image of its own", false, 1, kBlue}};
  for (const Row& r : rows) {
    PagesScene s({"Option", " Merchant "});
    const int plainLength = s.pc->TabRect(1).Width(), plainThickness = s.pc->FixedDimension();
    TImageList images(s.form.get());
    for (TColor color : {kRed, kBlue}) {
      TBitmap square;
      square.SetSize(16, 16);
      square.Canvas().Brush().SetColor(color);
      square.Canvas().FillRect({0, 0, 16, 16});
      images.Add(square);
    }
    s.pc->SetImages(&images);
    s.pages[1]->SetImageIndex(0);
    s.pages[1]->SetDisabledIndex(r.disabledIndex);
    s.pages[1]->SetTabEnabled(r.enabled);
    s.Settle();
    // Longer by the image (its margin was counted already) and by the slants of the thicker row.
    const int slants = 2 * (s.pc->FixedDimension() / 2 - plainThickness / 2);
    EXPECT_EQ(s.pc->TabRect(1).Width(), plainLength + 16 + slants) << r.name;
    EXPECT_EQ(s.pc->FixedDimension(), 16 + 2 + 4) << r.name;
    TCanvasScene shot;
    PaintInto(*s.pc, shot);
    const TRect t = s.pc->TabRect(1);
    int inked = 0;
    for (int y = t.Top; y < t.Bottom; ++y)
      for (int x = t.Left; x < t.Left + 30; ++x) inked += shot.At(x, y) == r.ink;
    EXPECT_GT(inked, 120) << r.name;
    s.pc->SetImages(nullptr);
  }
}

}  // namespace
