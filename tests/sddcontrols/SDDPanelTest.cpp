#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Themes.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDStatus.h"
#include "tests/sddcontrols/SDDTestScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

struct PanelScene : TFormScene {
  TClassicThemesScope classic;
  TSDDPanel* panel = new TSDDPanel(form.get());
  TCanvasScene shot;
  PanelScene() {
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 60, 40);
    panel->SetColor(kBlue);
    PumpMessages();
  }
  TCanvasScene& Paint() {
    PaintInto(*panel, shot);
    return shot;
  }
};

TEST(SDDPanel, BordersKeepTheChildrenInsideThem) {
  struct Row {
    TFrameStyleEx outer, inner;
    TSides sides;
    int borderWidth, bevelWidth;
    TRect child;
    TColor edge;  // the pixel at (0, 20)
  };
  const Row rows[] = {
      {fsRaised, fsNone, AllSides, 0, 1, {2, 2, 58, 38}, cl3DLight},
      {fsFlat, fsLowered, AllSides, 0, 1, {3, 3, 57, 37}, kRed},
      {fsStatus, fsNone, AllSides, 0, 3, {3, 3, 57, 37}, kGreen},
      {fsFlatBold, fsFlat, {sdTop}, 2, 1, {2, 5, 58, 38}, kGreen},  // the band goes all round
      {fsNone, fsNone, AllSides, 4, 1, {4, 4, 56, 36}, kGreen},
  };
  for (const Row& r : rows) {
    PanelScene s;
    auto* child = new TSDDPanel(s.form.get());
    child->SetParent(s.panel);
    child->SetAlign(alClient);
    s.panel->SetFlatColor(kRed);
    s.panel->SetFlatColorAdjustment(0);
    s.panel->SetBorderShadow(kGreen);
    s.panel->SetBorderColor(kGreen);
    s.panel->SetBevelWidth(r.bevelWidth);
    s.panel->SetBorderWidth(r.borderWidth);
    s.panel->SetBorderSides(r.sides);
    s.panel->SetBorderOuter(r.outer);
    s.panel->SetBorderInner(r.inner);
    EXPECT_EQ(child->BoundsRect(), r.child) << r.outer << "/" << r.inner;
    EXPECT_EQ(s.Paint().At(0, 20), Rgb(r.edge)) << r.outer << "/" << r.inner;
  }
}

TEST(SDDPanel, GridsDrawOnTheirLines) {
  struct Row {
    TSDDGridStyle style;
    uint16_t xSize;
    int width;
    std::vector<TPoint> grid, vs, plain;
  };
  // A 60 x 40 panel without borders: lines at 7, 15, 23 ...
  const Row rows[] = {
      {gsDots, 8, 60, {{7, 7}, {15, 31}}, {}, {{7, 8}, {8, 7}}},
      {gsSolidLines, 8, 60, {{7, 0}, {7, 39}, {0, 7}, {59, 15}}, {}, {{8, 8}}},
      {gsDottedLines, 8, 60, {{7, 1}, {7, 3}, {1, 7}}, {}, {{7, 2}, {2, 7}}},
      {gsVS2K10Dots, 8, 60, {{7, 7}, {9, 9}}, {{7, 8}, {9, 10}}, {{8, 7}}},
      {gsDots, 0, 60, {}, {}, {{7, 7}, {0, 7}}},
      {gsDots, 8, 7, {}, {}, {{6, 7}}},  // narrower than one cell: no column
  };
  for (const Row& r : rows) {
    PanelScene s;
    s.panel->SetBorderOuter(fsNone);
    s.panel->SetWidth(r.width);
    s.panel->SetGridColor(kRed);
    s.panel->SetVS2K10GridColor(kGreen);
    s.panel->SetGridStyle(r.style);
    s.panel->SetGridXSize(r.xSize);
    s.panel->SetShowGrid(true);
    TCanvasScene& shot = s.Paint();
    for (TPoint p : r.grid) EXPECT_EQ(shot.At(p.X, p.Y), kRed) << r.style << " " << p.X << "," << p.Y;
    for (TPoint p : r.vs) EXPECT_EQ(shot.At(p.X, p.Y), kGreen) << r.style << " " << p.X << "," << p.Y;
    for (TPoint p : r.plain) EXPECT_EQ(shot.At(p.X, p.Y), kBlue) << r.style << " " << p.X << "," << p.Y;
  }
}

TEST(SDDPanel, BackgroundAndCaption) {
  PanelScene s;
  s.panel->SetBorderOuter(fsNone);
  s.panel->SetUseGradients(true);
  s.panel->SetGradientColorStart(kRed);
  s.panel->SetGradientColorStop(kGreen);
  EXPECT_EQ(s.Paint().At(30, 39), kGreen);  // the end colour at the bottom
  s.panel->SetUseGradients(false);
  s.panel->Font().SetColor(kRed);
  s.panel->SetCaption("Wrapped caption text over lines");
  EXPECT_GT(s.Paint().Count(kRed), 20);
  EXPECT_EQ(s.shot.Count(Rgb(clBtnHighlight)), 0);
  s.panel->SetEnabled(false);  // engraved: highlight below right, shadow on top
  EXPECT_EQ(s.Paint().Count(kRed), 0);
  EXPECT_GT(s.shot.Count(Rgb(clBtnHighlight)), 20);
  EXPECT_GT(s.shot.Count(Rgb(clBtnShadow)), 20);
  // A caption taller than the panel is still drawn, centred over it.
  s.panel->SetEnabled(true);
  s.panel->SetHeight(6);
  EXPECT_GT(s.Paint().Count(kRed), 0);
  // Transparent: the parent's colour shows through the erased background.
  s.form->SetColor(kGreen);
  s.panel->SetTransparent(true);
  TCanvasScene erased(60, 6);
  s.panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas().Handle()));
  EXPECT_EQ(erased.At(30, 3), kGreen);
}

TEST(SDDPanel, EnabledMemoryRestoresOnlyWhatWasEnabled) {
  PanelScene s;
  auto* on = new TSDDPanel(s.form.get());
  auto* off = new TSDDPanel(s.form.get());
  auto* leaving = new TSDDPanel(s.form.get());
  for (TControl* c : {static_cast<TControl*>(on), static_cast<TControl*>(off), static_cast<TControl*>(leaving)})
    c->SetParent(s.panel);
  off->SetEnabled(false);
  leaving->SetEnabled(false);
  s.panel->SetEnabled(false);
  EXPECT_FALSE(on->Enabled());
  auto* added = new TSDDPanel(s.form.get());
  added->SetParent(s.panel);
  // One that leaves takes its entry along: back again it counts as new.
  leaving->SetParent(s.form.get());
  leaving->SetParent(s.panel);
  s.panel->SetEnabled(true);
  EXPECT_TRUE(on->Enabled());
  EXPECT_FALSE(off->Enabled());
  EXPECT_TRUE(added->Enabled());
  EXPECT_TRUE(leaving->Enabled());
}

TEST(SDDPanel, BottomEdgeStaysAndResizesRepaintOnlyTheUncoveredStrip) {
  PanelScene s;
  s.form->DisableAlign();
  s.panel->SetAlign(alBottom);
  s.panel->SetBounds(10, 100, 60, 40);
  s.panel->SetHeight(25);
  EXPECT_EQ(s.panel->BoundsRect(), (TRect{10, 115, 70, 140}));
  s.panel->SetAlign(alNone);
  s.form->EnableAlign();
  struct Row {
    bool fullRepaint;
    RECT update;
  };
  // Raised outer border: the inner rect ends at 58; 20 pixels more on the right.
  for (Row r : {Row{false, {57, 0, 80, 25}}, Row{true, {0, 0, 80, 25}}}) {
    s.panel->SetCaption("x");
    s.panel->SetFullRepaint(r.fullRepaint);
    s.panel->SetBounds(10, 10, 60, 25);
    UpdateWindow(s.panel->Handle());
    s.panel->SetWidth(80);
    RECT u{};
    GetUpdateRect(s.panel->Handle(), &u, FALSE);
    EXPECT_EQ(u.left, r.update.left);
    EXPECT_EQ(u.right, r.update.right);
    EXPECT_EQ(u.bottom, r.update.bottom);
  }
}

struct BarScene : TFormScene {
  TSDDStatusBar* bar = new TSDDStatusBar(form.get());
  TCanvasScene shot;
  std::vector<WPARAM> sysCommands;
  explicit BarScene(TFormBorderStyle style = bsSizeable) : TFormScene(style) {
    bar->SetParent(form.get());
    bar->SetColor(kBlue);
    // The size command would start the platform's sizing loop; the test only records it.
    form->WindowProc = [this](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_SIZE) return sysCommands.push_back(m.WParam);
      form->WndProc(m);
    };
    PumpMessages();
  }
  TCanvasScene& Paint() {
    PaintInto(*bar, shot);
    return shot;
  }
  void Click(int x, int y) { SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
};

TEST(SDDStatusBar, GripDrawsItsSquaresAndSizesTheForm) {
  TClassicThemesScope classic;
  BarScene s;
  const int w = s.bar->Width();
  ASSERT_EQ(s.bar->Height(), 19);
  TCanvasScene& shot = s.Paint();
  // Client rect bottom less one is 18: highlight squares to the right edge less one, shadow one further in.
  EXPECT_EQ(shot.At(w - 4, 7), Rgb(clBtnHighlight));
  EXPECT_EQ(shot.At(w - 6, 5), Rgb(clBtnShadow));
  EXPECT_EQ(shot.At(w - 12, 15), Rgb(clBtnHighlight));
  EXPECT_EQ(shot.At(w - 20, 10), kBlue);
  s.Click(w - 3, 10);
  s.Click(w - 30, 10);
  EXPECT_EQ(s.sysCommands, std::vector<WPARAM>{SC_SIZE + 8});

  // A pane at the right edge lets the grip's corner through, and only that.
  auto* pane = new TSDDStatusPane(s.form.get());
  pane->SetParent(s.bar);
  pane->SetAlign(alRight);
  s.Click(w - 3, 10);
  s.Click(w - 30, 10);
  EXPECT_EQ(s.sysCommands, (std::vector<WPARAM>{SC_SIZE + 8, SC_SIZE + 8}));

  // Without the themes switch the client area reaches past the edges: the grip moves one pixel right and down.
  SetUseThemes(false);
  EXPECT_EQ(s.bar->ClientRect(), (TRect{-1, 1, w + 1, 20}));
  pane->Hide();
  EXPECT_EQ(s.Paint().At(w - 3, 8), Rgb(clBtnHighlight));
  SetUseThemes(true);

  BarScene fixed(bsSingle);
  EXPECT_EQ(fixed.Paint().Count(Rgb(clBtnHighlight)), 0);
  fixed.Click(fixed.bar->Width() - 3, 10);
  EXPECT_TRUE(fixed.sysCommands.empty());
}

TEST(SDDStatusBar, SimpleModeStyleAndPaneScaling) {
  TClassicThemesScope classic;
  BarScene s;
  auto* a = new TSDDStatusPane(s.form.get());
  auto* b = new TSDDStatusPane(s.form.get());
  for (TSDDStatusPane* p : {a, b}) {
    p->SetParent(s.bar);
    p->SetAlign(alLeft);
  }
  s.bar->SetFlatColor(kRed);
  s.bar->SetFlatColorAdjustment(0);
  s.bar->SetSimpleStatus(true);
  EXPECT_FALSE(a->Visible());
  TCanvasScene& shot = s.Paint();  // simple frame over (1, 1, w - 1, 18), corners open
  EXPECT_EQ(shot.At(1, 1), kBlue);
  EXPECT_EQ(shot.At(1, 2), kRed);
  EXPECT_EQ(shot.At(2, 1), kRed);
  s.bar->SetSimpleStatus(false);
  EXPECT_TRUE(b->Visible());

  EXPECT_TRUE(s.bar->AutoStyle());
  s.bar->SetBorderOuter(fsRaised);
  EXPECT_FALSE(s.bar->AutoStyle());

  // A width of 0 recorded first leaves nothing to scale by.
  s.bar->SetAlign(alNone);
  s.bar->SetWidth(0);
  s.bar->SetAutoScalePanes(true);
  a->SetWidth(100);
  b->SetWidth(300);
  s.bar->SetWidth(400);
  EXPECT_EQ(a->Width(), 100);
  s.bar->SetWidth(500);
  EXPECT_EQ(a->Width(), 125);
  EXPECT_EQ(b->Width(), 375);
}

TEST(SDDStatusBar, ThemedLookComesFromTheTheme) {
  if (!VisualStylesEnabled()) GTEST_SKIP() << "no visual styles";
  const int openBefore = ThemeHandleCounts().Open;
  auto scene = std::make_unique<BarScene>();
  BarScene& s = *scene;
  auto* pane = new TSDDStatusPane(s.form.get());
  pane->SetParent(s.bar);
  pane->SetAlign(alLeft);
  TCanvasScene& shot = s.Paint();
  // The theme's own status background and gripper, drawn here for comparison.
  TCanvasScene expected(s.bar->Width(), s.bar->Height());
  HTHEME theme = OpenThemeData(s.bar->Handle(), L"Status");
  ASSERT_TRUE(theme);
  RECT all{0, 0, s.bar->Width(), s.bar->Height()};
  DrawThemeBackground(theme, expected.Canvas().Handle(), 0, 0, &all, nullptr);
  CloseThemeData(theme);
  EXPECT_EQ(shot.At(s.bar->Width() / 2, 9), expected.At(s.bar->Width() / 2, 9));
  EXPECT_NE(shot.Count(kBlue), s.bar->Width() * 19 - 10);  // not the classic plain fill
  scene.reset();
  EXPECT_EQ(ThemeHandleCounts().Open, openBefore);  // the bar's theme data closed with it
}

}  // namespace
