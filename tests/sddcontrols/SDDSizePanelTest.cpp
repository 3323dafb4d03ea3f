#include <gtest/gtest.h>

#include <vector>

#include "classlib/Themes.h"
#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDSizePanel.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/sddcontrols/SDDSplitTestSupport.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kYellow = 0x00FFFF;

// Three titled sections stacked at the top of a 244-pixel-wide side panel, set up as the main window's are.
struct SectionScene : TFormScene {
  TClassicThemesScope classic;
  std::vector<TSDDSizePanel*> sections;
  int clicks = 0;
  SectionScene() : TFormScene(bsNone, 244, 500) {
    for (int i = 0; i < 3; ++i) {
      auto* p = new TSDDSizePanel(form.get());
      p->SetParent(form.get());
      p->SetAlign(alTop);
      p->SetBounds(0, 200 * i, 244, 120);
      p->SetColor(kMarker);
      p->SetSizeBarStyle(ssGroupBar);
      p->SetSizeBarWidth(16);
      p->SetUseGradients(true);
      p->SetHotSpotVisible(true);
      p->SetLockBar(true);
      p->SetRealTimeDrag(true);
      p->SetUseLockedHeight(true);
      p->SetLockedHeight(120);
      p->OnHotSpotClick = [this](TObject*) { ++clicks; };
      sections.push_back(p);
    }
    PumpMessages();
  }
  void Click(TSDDSizePanel* p, TPoint at) {
    PostMouse(p->Handle(), WM_LBUTTONDOWN, at);
    PostMouse(p->Handle(), WM_LBUTTONUP, at);
  }
};

TEST(SDDSizePanel, SectionsCollapseToTheirBarAndReopen) {
  struct Row {
    TPoint click;
    bool collapses;
  };
  // The box answers the mouse over x 191..234 and y 4..11.
  const Row rows[] = {{{200, 8}, true},  {{191, 4}, true},   {{234, 11}, true},
                      {{235, 8}, false}, {{190, 8}, false},  {{200, 12}, false}};
  for (const Row& r : rows) {
    SectionScene s;
    TSDDSizePanel* first = s.sections[0];
    auto* content = new TSDDPanel(s.form.get());
    content->SetParent(first);
    content->SetAlign(alClient);
    EXPECT_EQ(content->BoundsRect(), (TRect{0, 17, 244, 120}));  // below the bar and its caption
    s.Click(first, r.click);
    const int height = r.collapses ? 17 : 120;
    EXPECT_EQ(first->Height(), height) << r.click.X << "," << r.click.Y;
    EXPECT_EQ(first->HotSpotClosed(), r.collapses);
    EXPECT_EQ(s.sections[1]->Top(), height);
    EXPECT_EQ(s.sections[2]->Top(), height + 120);
    EXPECT_EQ(s.clicks, r.collapses ? 1 : 0);
    if (!r.collapses) continue;
    EXPECT_EQ(first->HotSpotPosition(), 120);
    EXPECT_EQ(content->Height(), 0);
    s.Click(first, r.click);
    EXPECT_EQ(first->Height(), 120);
    EXPECT_EQ(s.sections[1]->Top(), 120);
  }
}

TEST(SDDSizePanel, LockedHeightIsWhatPressesAndCollapsingKeep) {
  SectionScene s;
  TSDDSizePanel* first = s.sections[0];
  first->SetHeight(150);
  PostMouse(first->Handle(), WM_LBUTTONDOWN, {20, 60});  // anywhere: back to the locked height
  PostMouse(first->Handle(), WM_LBUTTONUP, {20, 60});
  EXPECT_EQ(first->Height(), 120);
  s.Click(first, {200, 8});
  EXPECT_EQ(first->HotSpotPosition(), 120);
  // Hiding the hot spot opens the state without resizing; the box then does nothing.
  first->SetHotSpotVisible(false);
  EXPECT_FALSE(first->HotSpotClosed());
  s.Click(first, {200, 8});
  EXPECT_EQ(first->Height(), 17);
  EXPECT_EQ(s.clicks, 1);
}

TEST(SDDSizePanel, DragsItsOwnEdgeAndEscapeCancels) {
  struct Row {
    const char* name;
    TAlign align;
    bool realTime, escape;
    TPoint press, move;
    int size;
  };
  // 100 wide (left) or high (bottom) with a 4-pixel bar, dragged 30 pixels outward.
  const Row rows[] = {
      {"left, live: one more than the size dragged to", alLeft, true, false, {98, 50}, {128, 50}, 131},
      {"left, pattern line", alLeft, false, false, {98, 50}, {128, 50}, 130},
      {"left, Escape", alLeft, false, true, {98, 50}, {128, 50}, 100},
      {"bottom, live", alBottom, true, false, {50, 2}, {50, -28}, 129},
      {"bottom, pattern line", alBottom, false, false, {50, 2}, {50, -28}, 130},
  };
  for (const Row& r : rows) {
    TClassicThemesScope classic;
    TFormScene scene(bsNone, 400, 300);
    auto* p = new TSDDSizePanel(scene.form.get());
    p->SetParent(scene.form.get());
    p->SetAlign(r.align);
    p->SetBounds(0, 200, 100, 100);
    p->SetRealTimeDrag(r.realTime);
    PumpMessages();
    PostMouse(p->Handle(), WM_LBUTTONDOWN, r.press);
    PostMouse(p->Handle(), WM_MOUSEMOVE, r.move);
    if (r.escape) PostMessageA(p->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMouse(p->Handle(), WM_LBUTTONUP, r.move);
    EXPECT_EQ(r.align == alLeft ? p->Width() : p->Height(), r.size) << r.name;
    EXPECT_EQ(GetCapture(), nullptr) << r.name;
  }
}

TEST(SDDSizePanel, SizeChangesRepaintThePanelAndReportEveryChangeOnceLoaded) {
  struct Row {
    const char* name;
    bool fullRepaint;
    const char* caption;
    bool loading, move;
    int resizes;
  };
  // Whatever the size panel invalidates first, the panel's own rule repaints all of a panel without a caption, so
  // a user always sees the new border; a move alone is reported as a resize too, but not while a layout is read.
  const Row rows[] = {
      {"border strips, no caption", false, "", false, false, 2},
      {"caption", false, "x", false, false, 2},
      {"full repaint", true, "", false, false, 2},
      {"moved only", false, "", false, true, 1},
      {"moved while loading", false, "", true, true, 0},
  };
  for (const Row& r : rows) {
    TFormScene scene(bsNone, 400, 300);
    auto* p = new TSDDSizePanel(scene.form.get());
    p->SetParent(scene.form.get());
    p->SetAlign(alNone);
    p->SetBounds(10, 10, 100, 80);
    p->SetBorderWidth(4);
    p->SetUseLockedHeight(true);
    p->SetLockedHeight(80);
    p->SetFullRepaint(r.fullRepaint);
    p->SetCaption(r.caption);
    PumpMessages();
    UpdateWindow(p->Handle());
    int resizes = 0;
    p->OnResize = [&](TObject*) { ++resizes; };
    if (r.loading) p->BeginLoading();
    if (r.move)
      p->SetBounds(30, 20, 100, 80);
    else
      p->SetWidth(120);
    EXPECT_EQ(resizes, r.resizes) << r.name;
    RECT u{};
    GetUpdateRect(p->Handle(), &u, FALSE);
    EXPECT_EQ((TRect{u.left, u.top, u.right, u.bottom}), (TRect{0, 0, p->Width(), 80})) << r.name;
  }
}

TEST(SDDSizePanel, PaintsItsGroupBarCaptionAndBox) {
  SectionScene s;
  TSDDSizePanel* first = s.sections[0];
  first->SetGradientDir(gdHorizontalEnd);  // bands across: the colour runs down the bar
  first->SetGradientColorBegin(kRed);
  first->SetGradientColorEnd(kBlue);
  first->SetHotSpotArrowColorPen(kYellow);
  first->SetHotSpotArrowColorBrush(kYellow);
  first->SetBarCaption("WWW");
  first->SetBarCaptionColor(kGreen);
  TCanvasScene shot;
  PaintInto(*first, shot);
  EXPECT_GT(shot.At(100, 0) & 0xFF, 0xE0u);  // from red at the top to blue on the bar's last row
  EXPECT_EQ(shot.At(100, 15), kBlue);
  EXPECT_EQ(shot.At(100, 16), kMarker);  // below the bar: the panel's colour
  // The drawn box (191, 4)-(234, 12): frame, fill, inner frame, up arrows, block grip.
  const std::pair<TPoint, TColor> box[] = {
      {{191, 8}, Rgb(clBtnShadow)}, {{233, 8}, Rgb(clBtnShadow)}, {{192, 8}, Rgb(clMenuBar)},
      {{195, 8}, kHotSpotBaseColor}, {{199, 8}, kYellow},        {{226, 8}, kYellow},
      {{197, 9}, kYellow},           {{197, 7}, kHotSpotBaseColor},
      {{217, 8}, 0xDFDAD7},          {{215, 8}, clBlack},         {{216, 9}, 0xC0C0C0}};
  for (const auto& [p, color] : box) EXPECT_EQ(shot.At(p.X, p.Y), color) << p.X << "," << p.Y;
  // The caption is bold: it lays more green on the gradient (which has none) than the plain face lays on black.
  TCanvasScene plain(244, 16);
  plain.Canvas().Brush().SetColor(clBlack);
  plain.Canvas().FillRect({0, 0, 244, 16});
  plain.Canvas().Font().Assign(&first->Font());
  plain.Canvas().Font().SetColor(kGreen);
  plain.Canvas().Brush().SetStyle(bsClear);
  plain.Canvas().TextOut(4, 1, "WWW");
  const auto green = [](TCanvasScene& scene) {
    int sum = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 150; ++x) sum += (scene.At(x, y) >> 8) & 0xFF;
    return sum;
  };
  EXPECT_GT(green(shot), green(plain));
  EXPECT_GT(green(plain), 10 * 255);
  // Collapsed, the arrows point down: their wide edge moves above the middle.
  s.Click(first, {200, 8});
  PaintInto(*first, shot);
  EXPECT_EQ(shot.At(197, 7), kYellow);
  EXPECT_EQ(shot.At(197, 9), kHotSpotBaseColor);
}

TEST(SDDSizePanel, ShowsItsCursorsOverTheBar) {
  SectionScene s;
  TSDDSizePanel* first = s.sections[0];
  first->SetLockBar(false);
  EXPECT_EQ(CursorOver(*first, {200, 8}), CursorBits("SDDSPLIT_VERTHOTSPOT"));
  EXPECT_EQ(CursorOver(*first, {20, 8}), CursorBits("SDDSPLIT_VERT"));
  EXPECT_EQ(CursorOver(*first, {20, 60}), CursorBits(static_cast<const char*>(nullptr)));
  first->SetAlign(alLeft);
  EXPECT_EQ(CursorOver(*first, {first->Width() - 2, 60}), CursorBits("SDDSPLIT_HORZ"));
}

TEST(SDDSizePanel, WithoutAParentClampingRaisesAndIsReportedAtTheBoundary) {
  TSDDSizePanel orphan(nullptr);
  int size = 50;
  EXPECT_THROW(orphan.ClampSize(size), Exception);
  try {
    orphan.SetMarginMin(5);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "No parent specified");
  }
  // Raised inside a message handler, it is reported and the program carries on.
  runtimetest::TReportCapture capture;
  TFormScene scene;
  auto* target = new TSDDSizePanel(scene.form.get());
  target->SetParent(scene.form.get());
  target->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { orphan.SetMarginMax(5); };
  PumpMessages();
  for (int i = 0; i < 2; ++i) {
    PostMouse(target->Handle(), WM_LBUTTONDOWN, {5, 5});
    PostMouse(target->Handle(), WM_LBUTTONUP, {5, 5});
  }
  ASSERT_EQ(capture.Reports.size(), 2u);
  EXPECT_EQ(capture.Reports[1].Text, "No parent specified");
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
