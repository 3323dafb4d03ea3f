#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "classlib/Themes.h"
#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "sddcontrols/unSDDSizePanel.h"
#include "sddcontrols/unSDDSplit.h"
#include "tests/sddcontrols/SDDSplitTestSupport.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

// A splitter of the main window's outer size, 8-pixel bar, on a shown form.
struct SplitScene : TFormScene {
  TClassicThemesScope classic;
  TSDDSplitter* split = new TSDDSplitter(form.get());
  int clicks = 0;
  explicit SplitScene(int w = 962, int h = 670) : TFormScene(bsNone, 990, 700) {
    split->SetParent(form.get());
    split->SetBounds(0, 0, w, h);
    split->SetSplitterWidth(8);
    split->OnHotSpotClick = [this](TObject*) { ++clicks; };
    PumpMessages();
  }
  void Mouse(UINT msg, TPoint p) { PostMouse(split->Handle(), msg, p); }
};

TEST(SDDSplitter, PositionAndPercentFollowTheFixedPaneOnResize) {
  struct Step {
    int extent, position, percent;
  };
  struct Row {
    const char* name;
    TOrientation orientation;
    TFixedPane fixed;
    int extent, position, percentSet;  // the position is set, or the percentage when it is -1
    int percent;
    std::vector<Step> steps;
  };
  // Sized to nothing (a minimised form) a splitter keeps its position, and sized again it goes on from there.
  const Row rows[] = {
      {"lower right fixed, side by side", orHorizontal, fpLowerRight, 962, 708, 0, 74,
       {{1062, 808, 76}, {962, 708, 74}, {0, 708, 74}, {962, 708, 74}}},
      {"lower right fixed, one above the other", orVertical, fpLowerRight, 670, 473, 0, 71,
       {{570, 373, 66}, {0, 373, 66}, {670, 473, 71}}},
      {"upper left grows back to the dragged size", orHorizontal, fpUpperLeft, 962, 708, 0, 74,
       {{600, 592, 99}, {962, 708, 74}}},
      {"the percentage is kept", orHorizontal, fpUpperLeft, 962, -1, 74, 74,
       {{1062, 783, 74}, {0, 783, 74}, {962, 709, 74}}},
      {"halves round to even", orHorizontal, fpUpperLeft, 204, 5, 0, 2, {{202, 5, 3}}},
  };
  for (const Row& r : rows) {
    SplitScene s;
    const auto resize = [&](int extent) {
      if (r.orientation == orHorizontal)
        s.split->SetWidth(extent);
      else
        s.split->SetHeight(extent);
    };
    s.split->SetOrientation(r.orientation);
    resize(r.extent);
    s.split->SetFixedPane(r.fixed);
    if (r.position >= 0)
      s.split->UpdatePosition(r.position);
    else
      s.split->SetPercent(r.percentSet);
    EXPECT_EQ(s.split->Percent(), r.percent) << r.name;
    for (const Step& step : r.steps) {
      resize(step.extent);
      EXPECT_EQ(s.split->Position(), step.position) << r.name << " at " << step.extent;
      EXPECT_EQ(s.split->Percent(), step.percent) << r.name << " at " << step.extent;
    }
  }
}

TEST(SDDSplitter, ClampHonoursMarginsBordersAndHiddenPanes) {
  struct Row {
    const char* name;
    int marginMin, marginMax;
    TFrameStyleEx outer;
    bool lowerRight;
    int set, expected;
  };
  // 200 wide, 8-pixel bar.
  const Row rows[] = {
      {"start margin", 50, 40, fsNone, true, 10, 50},
      {"end margin", 50, 40, fsNone, true, 500, 152},
      {"crossing margins: the end bound wins", 150, 100, fsNone, true, 120, 142},
      {"a raised border counts twice", 0, 0, fsRaised, true, 500, 184},
      {"one pane alone: no clamp", 50, 40, fsNone, false, 500, 500},
  };
  for (const Row& r : rows) {
    SplitScene s(200, 100);
    s.split->SetBorderOuter(r.outer);
    s.split->SetMarginMin(r.marginMin);
    s.split->SetMarginMax(r.marginMax);
    s.split->LowerRight().SetVisible(r.lowerRight);
    s.split->SetPosition(r.set);
    EXPECT_EQ(s.split->Position(), r.expected) << r.name;
    if (r.lowerRight) continue;
    EXPECT_EQ(s.split->UpperLeftPane().BoundsRect(), s.split->ClientRect()) << r.name;
    EXPECT_EQ(s.split->BarSize().Width(), 0) << r.name;
    EXPECT_EQ(s.split->LowerRightPane().Width(), 0) << r.name;
    // Shown again through the show-control request, the pane takes its share.
    s.split->Perform(CM_SHOWCONTROL, 0, reinterpret_cast<LPARAM>(&s.split->LowerRightPane()));
    EXPECT_TRUE(s.split->LowerRight().Visible());
    EXPECT_EQ(s.split->BarSize().Width(), 8) << r.name;
  }
}

TEST(SDDSplitter, NestedSplittersArrangeTheirPanes) {
  SplitScene s;
  s.split->SetBorderOuter(fsRaised);  // the client rect starts 2 pixels in
  s.split->UpdatePosition(708);
  auto* inner = new TSDDSplitter(s.form.get());
  inner->SetParent(&s.split->UpperLeftPane());
  inner->SetAlign(alClient);
  inner->SetOrientation(orVertical);
  inner->SetSplitterWidth(8);
  inner->SetFixedPane(fpLowerRight);
  inner->UpdatePosition(473);
  EXPECT_EQ(s.split->UpperLeftPane().BoundsRect(), (TRect{2, 2, 710, 668}));
  EXPECT_EQ(s.split->BarSize(), (TRect{710, 2, 718, 668}));
  EXPECT_EQ(s.split->LowerRightPane().BoundsRect(), (TRect{718, 2, 960, 668}));
  EXPECT_EQ(inner->LowerRightPane().BoundsRect(), (TRect{0, 481, 708, 666}));
  s.split->UpdatePosition(500);
  EXPECT_EQ(inner->LowerRightPane().BoundsRect(), (TRect{0, 481, 500, 666}));
  s.split->SetHeight(570);  // the inner lower pane keeps its height
  EXPECT_EQ(inner->LowerRightPane().BoundsRect(), (TRect{0, 381, 500, 566}));
  // The mouse over a pane's empty area goes to the splitter, unless the pane is a dock site.
  const auto hitTest = [&](TSDDSplitterPane& pane) {
    const TPoint p = pane.ClientToScreen({5, 5});
    return SendMessageA(pane.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
  };
  EXPECT_EQ(hitTest(s.split->LowerRightPane()), HTTRANSPARENT);
  s.split->LowerRight().SetDockSite(true);
  EXPECT_EQ(hitTest(s.split->LowerRightPane()), HTCLIENT);
}

TEST(SDDSplitter, CollapseAndRestoreFromCode) {
  struct Row {
    THotSpotDirection direction;
    bool ignoreMargins;
    int collapsed;
    bool toMin;
  };
  // 962 wide, margins of 100, from 708.
  const Row rows[] = {{hsdMin, true, 0, true},     {hsdMax, true, 954, false}, {hsdBoth, true, 954, false},
                      {hsdMin, false, 100, true},  {hsdBoth, false, 854, false}};
  for (const Row& r : rows) {
    SplitScene s;
    s.split->SetMarginMin(100);
    s.split->SetMarginMax(100);
    s.split->SetHotSpotIgnoreMargins(r.ignoreMargins);
    s.split->SetHotSpotDirection(r.direction);
    s.split->UpdatePosition(708);
    s.split->CollapseByHotSpotDirection();
    EXPECT_EQ(s.split->Position(), r.collapsed) << r.direction << r.ignoreMargins;
    EXPECT_TRUE(s.split->HotSpotClosed());
    EXPECT_EQ(s.split->HotSpotClosedToMin(), r.toMin);
    EXPECT_EQ(s.split->HotSpotClosedToMax(), !r.toMin);
    s.split->CollapseSplitter(!r.toMin);  // already collapsed: nothing
    EXPECT_EQ(s.split->Position(), r.collapsed);
    EXPECT_EQ(s.split->HotSpotPosition(), 708);
    s.split->RestoreSplitter();
    s.split->RestoreSplitter();
    EXPECT_EQ(s.split->Position(), 708) << r.direction << r.ignoreMargins;
    EXPECT_FALSE(s.split->HotSpotClosed() || s.split->HotSpotClosedToMin() || s.split->HotSpotClosedToMax());
  }
}

TEST(SDDSplitter, HotSpotTogglesOnAPressAndReleaseInsideIt) {
  struct Row {
    const char* name;
    bool lockBar;
    TPoint press, move, release;
    bool closed;
    int position;
  };
  // The hot spot of a bar at 708: 18 % of 670, from y = 275 to 395, split at 335.
  const Row rows[] = {
      {"lower half: to the end", true, {712, 350}, {712, 350}, {712, 350}, true, 954},
      {"upper half: to the start", true, {712, 300}, {712, 300}, {712, 300}, true, 0},
      {"released outside", true, {712, 350}, {712, 350}, {712, 450}, false, 708},
      {"a locked bar ignores moves after a hot-spot press", true, {712, 350}, {900, 350}, {900, 350}, false, 708},
      {"a locked bar ignores presses beside the hot spot", true, {712, 100}, {800, 100}, {800, 100}, false, 708},
      {"an open bar drags from the hot spot", false, {712, 350}, {762, 350}, {762, 350}, false, 758},
  };
  for (const Row& r : rows) {
    SplitScene s;
    s.split->SetRealTimeDrag(true);
    s.split->SetHotSpotVisible(true);
    s.split->SetHotSpotDirection(hsdBoth);
    s.split->SetHotSpotSizePercent(18);
    s.split->SetLockBar(r.lockBar);
    s.split->UpdatePosition(708);
    ASSERT_EQ(s.split->HotSpotRect(), (TRect{708, 275, 716, 395}));
    s.Mouse(WM_LBUTTONDOWN, r.press);
    s.Mouse(WM_MOUSEMOVE, r.move);
    s.Mouse(WM_LBUTTONUP, r.release);
    EXPECT_EQ(s.split->HotSpotClosed(), r.closed) << r.name;
    EXPECT_EQ(s.split->Position(), r.position) << r.name;
    EXPECT_EQ(s.clicks, r.closed ? 1 : 0) << r.name;
    if (!r.closed) continue;
    const TPoint again{s.split->HotSpotRect().Left + 2, s.split->HotSpotRect().Top + 5};
    s.Mouse(WM_LBUTTONDOWN, again);
    s.Mouse(WM_LBUTTONUP, again);
    EXPECT_FALSE(s.split->HotSpotClosed()) << r.name;
    EXPECT_EQ(s.split->Position(), 708) << r.name;
  }
}

TEST(SDDSplitter, DragsLiveOrByThePatternLineAndEscapeCancels) {
  struct Row {
    const char* name;
    bool realTime, escape;
    int duringDrag, afterRelease;
  };
  const Row rows[] = {
      {"live", true, false, 758, 758},
      {"pattern line", false, false, 708, 758},
      {"pattern line, Escape", false, true, 708, 708},
      {"live, Escape keeps what was dragged", true, true, 758, 758},
  };
  for (const Row& r : rows) {
    SplitScene s;
    s.split->SetRealTimeDrag(r.realTime);
    s.split->UpdatePosition(708);
    PumpMessages();
    const TPoint probe = s.split->ClientToScreen({760, 100});  // under the line at 758, inverted
    const TColor before = ScreenPixel(probe);
    s.Mouse(WM_LBUTTONDOWN, {710, 100});
    s.Mouse(WM_MOUSEMOVE, {735, 100});
    s.Mouse(WM_MOUSEMOVE, {760, 100});
    EXPECT_EQ(s.split->Position(), r.duringDrag) << r.name;
    EXPECT_EQ(ScreenPixel(probe) != before, !r.realTime) << r.name;
    if (r.escape) PostMessageA(s.split->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    if (r.escape) EXPECT_EQ(ScreenPixel(probe), before) << r.name;
    s.Mouse(WM_LBUTTONUP, {760, 100});
    EXPECT_EQ(s.split->Position(), r.afterRelease) << r.name;
    EXPECT_EQ(GetCapture(), nullptr) << r.name;
    // The dragged size is what a later resize grows back to.
    s.split->SetWidth(600);
    s.split->SetWidth(962);
    EXPECT_EQ(s.split->Position(), r.afterRelease) << r.name;
  }
}

TEST(SDDSplitter, PaintsItsBarAndHotSpot) {
  struct Row {
    const char* name;
    TSplitterStyle style;
    THotSpotDirection direction;
    std::vector<std::pair<TPoint, TColor>> pixels;
  };
  const TColor shadow = Rgb(clBtnShadow), light = Rgb(clBtnHighlight), menuBar = Rgb(clMenuBar);
  const TColor base = kHotSpotBaseColor, dot = 0xDFDAD7;
  // 200 x 100, bar at 60 (60..67), hot spot 40 % (y 30..69), centre x 64.
  const Row rows[] = {
      {"group bar gradient", ssGroupBar, hsdMin, {{{62, 99}, kBlue}, {{67, 99}, kBlue}}},
      {"groove", ssGroove, hsdMin, {{{61, 10}, shadow}, {{63, 10}, light}, {{64, 10}, shadow}, {{66, 10}, light}}},
      {"bump", ssBump, hsdMin, {{{61, 10}, light}, {{63, 10}, shadow}}},
      {"hot spot: frame, fill, arrows, grip", ssStandard, hsdMin,
       {{{60, 40}, shadow}, {{67, 40}, base}, {{61, 40}, menuBar}, {{62, 40}, base}, {{64, 39}, kGreen},
        {{63, 39}, kGreen}, {{66, 39}, base}, {{64, 48}, dot}, {{66, 49}, dot}}},
      {"hot spot split in two", ssStandard, hsdBoth,
       {{{64, 50}, menuBar}, {{63, 49}, 0xAFAFAF}, {{64, 61}, kGreen}, {{63, 61}, kGreen}, {{64, 48}, base}}},
  };
  for (const Row& r : rows) {
    SplitScene s(200, 100);
    s.split->SetColor(kMarker);
    s.split->UpdatePosition(60);
    s.split->SetUseGradients(true);
    s.split->SetGradientDir(gdHorizontalEnd);  // the colour runs down the bar
    s.split->SetGradientColorBegin(kRed);
    s.split->SetGradientColorEnd(kBlue);
    s.split->SetSplitterStyle(r.style);
    s.split->SetHotSpotArrowColorPen(kGreen);
    s.split->SetHotSpotArrowColorBrush(kGreen);
    s.split->SetHotSpotDirection(r.direction);
    s.split->SetHotSpotVisible(r.style == ssStandard);
    TCanvasScene shot;
    PaintInto(*s.split, shot);
    for (const auto& [p, color] : r.pixels) EXPECT_EQ(shot.At(p.X, p.Y), color) << r.name << " " << p.X << "," << p.Y;
    if (r.style == ssGroupBar) EXPECT_GT(shot.At(62, 0) & 0xFF, 0xE0u);  // from red at the top
  }
}

TEST(SDDSplitter, HighlightsItsHotSpotAndShowsItsCursors) {
  struct Row {
    TOrientation orientation;
    bool lockBar;
    const char* barCursor;
    const char* hotSpotCursor;
  };
  const Row rows[] = {{orHorizontal, false, "SDDSPLIT_HORZ", "SDDSPLIT_HORZHOTSPOT"},
                      {orVertical, false, "SDDSPLIT_VERT", "SDDSPLIT_VERTHOTSPOT"},
                      {orHorizontal, true, nullptr, nullptr}};
  for (const Row& r : rows) {
    SplitScene s(300, 300);
    s.split->SetOrientation(r.orientation);
    s.split->UpdatePosition(100);
    s.split->SetHotSpotVisible(true);
    s.split->SetHotSpotHighlight(kRed);
    s.split->SetLockBar(r.lockBar);
    PumpMessages();
    const TRect hot = s.split->HotSpotRect();
    const TPoint centre{(hot.Left + hot.Right) / 2, (hot.Top + hot.Bottom) / 2};
    const TPoint fill{hot.Left + 3, hot.Top + 3};
    const TPoint barOnly = r.orientation == orHorizontal ? TPoint{centre.X, 5} : TPoint{5, centre.Y};
    EXPECT_EQ(CursorOver(*s.split, centre), CursorBits(r.hotSpotCursor)) << r.orientation << r.lockBar;
    EXPECT_EQ(WindowPixel(*s.split, fill), kRed) << r.orientation << r.lockBar;
    EXPECT_EQ(CursorOver(*s.split, barOnly), CursorBits(r.barCursor)) << r.orientation << r.lockBar;
    EXPECT_EQ(WindowPixel(*s.split, fill), kHotSpotBaseColor) << r.orientation << r.lockBar;
  }
}

TEST(SDDSplitter, LayoutPutsTheChildrenIntoTheirPanesAndKeepsCollapsedStates) {
  RegisterSDDLayoutClasses();
  TFormScene scene(bsNone, 990, 700);
  const std::string text = R"(object F: TForm
  object Outer: TSDDSplitter
    Width = 962
    Height = 670
    Align = alClient
    FixedPane = fpLowerRight
    Position = 708
    Percent = 74
    SplitterWidth = 8
    HotSpotDirection = hsdBoth
    HotSpotSizePercent = 18
    UpperLeft.Color = 255
    LowerRight.BorderWidth = 3
    BarSize = (708 0 716 670)
    HotSpotClosed = True
    HotSpotClosedToMax = True
    HotSpotPosition = 500
    PositionMin = 10
    PositionMax = 900
    UpperLeftControls = (Inner)
    LowerRightControls = (Side Outer)
    object Inner: TSDDSplitter
      Width = 708
      Height = 670
      Align = alClient
      Orientation = orVertical
      Position = 473
      UpperLeftControls = (View)
      LowerRightControls = (Nowhere)
      object View: TPanel
        Align = alClient
      end
    end
    object Side: TPanel
      Align = alClient
      object Grid: TSDDSizePanel
        Align = alTop
        Height = 17
        SizeBarWidth = 16
        HotSpotVisible = True
        BarCaption = ' Grid View Mode'
        HotSpotClosed = True
        HotSpotPosition = 100
      end
    end
  end
end
)";
  TLayoutReadError error;
  ASSERT_TRUE(scene.form->LoadLayoutText(text, "test", error)) << error.Text();
  auto* outer = Made<TSDDSplitter>(*scene.form, "Outer");
  auto* inner = Made<TSDDSplitter>(*scene.form, "Inner");
  auto* view = Made<TControl>(*scene.form, "View");
  auto* side = Made<TControl>(*scene.form, "Side");
  ASSERT_TRUE(outer && inner && view && side);
  EXPECT_EQ(inner->Parent(), &outer->UpperLeftPane());
  EXPECT_EQ(side->Parent(), &outer->LowerRightPane());
  EXPECT_EQ(outer->Parent(), scene.form.get());  // its own name in a list moves nothing
  EXPECT_EQ(view->Parent(), &inner->UpperLeftPane());
  // Aligned to the 990 x 700 form while it loaded, the splitter then kept its lower-right pane 254 wide.
  EXPECT_EQ(outer->Position(), 736);
  EXPECT_EQ(outer->Percent(), 75);
  EXPECT_EQ(side->BoundsRect(), (TRect{3, 3, 243, 697}));
  EXPECT_EQ(outer->UpperLeftPane().Color(), TColor(255));
  EXPECT_TRUE(outer->HotSpotClosed() && outer->HotSpotClosedToMax() && !outer->HotSpotClosedToMin());
  EXPECT_EQ(outer->HotSpotRect(), (TRect{736, 287, 744, 413}));
  // A section stored collapsed opens to its stored size from its hot-spot box.
  auto* grid = Made<TSDDSizePanel>(*scene.form, "Grid");
  ASSERT_TRUE(grid && grid->HotSpotClosed());
  EXPECT_EQ(grid->BarCaption(), " Grid View Mode");
  PostMouse(grid->Handle(), WM_LBUTTONDOWN, {200, 8});
  PostMouse(grid->Handle(), WM_LBUTTONUP, {200, 8});
  EXPECT_EQ(grid->Height(), 100);
  outer->RestoreSplitter();  // to where the lower-right pane keeps its size
  EXPECT_EQ(outer->Position(), 736);
  EXPECT_EQ(outer->PaneControls(1), (std::vector<std::string>{"Side", "Outer"}));
  EXPECT_THROW(outer->SetUpperLeft(&outer->LowerRight()), EConvertError);

  struct Bad {
    std::string property;
    int line;
  };
  for (const Bad& bad : {Bad{"BarSize = (1 2 3)", 3}, Bad{"UpperLeftControls = ('A')", 3},
                         Bad{"HotSpotPosition = True", 3}}) {
    TLayoutReadError wrong;
    EXPECT_FALSE(scene.form->LoadLayoutText("object F: TForm\n object S: TSDDSplitter\n  " + bad.property +
                                                "\n end\nend\n",
                                            "wrong", wrong))
        << bad.property;
    EXPECT_EQ(wrong.Line, bad.line) << bad.property;
  }
}

}  // namespace
