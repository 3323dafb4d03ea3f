// The SDD string grid: its line colours and flat cells as painted, and its frame as the window DC shows it.
#include <gtest/gtest.h>

#include <vssym32.h>

#include <functional>
#include <memory>

#include "classlib/Themes.h"
#include "sddcontrols/unSDDGrids.h"
#include "tests/classlib/StdCtrlsTestScene.h"
#include "tests/sddcontrols/SDDTestScene.h"

using namespace controls_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kTeal = 0x808000, kLime = 0x00FF00, kNavy = 0x800000;

// Three columns of 40 and three rows of 30, one of each fixed: with lines one pixel wide, the line between the
// second and third column is x = 81 and the line below the fixed row y = 30.
struct GridScene : StdScene {
  TSDDStringGrid* grid = new TSDDStringGrid(form.get());
  explicit GridScene(TBorderStyle border = bsNone) {
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 200, 150);
    grid->SetBorderStyle(border);
    grid->SetScrollBars(ssNone);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(30);
    grid->SetColor(kTeal);
    grid->SetFixedColor(kLime);
    grid->SetFixedLineColor(kNavy);
  }
  HWND Wnd() { return grid->Handle(); }
};

TEST(SDDStringGrid, PaintsItsLineColoursAndFlatCells) {
  struct Row {
    const char* name;
    int lineWidth;
    TColor lineColor;
    TColor betweenCells, belowFixed;  // (81, 45) and (20, 30)
  };
  const Row rows[] = {{"lines of their own colours", 1, kRed, kRed, kNavy},
                      {"a line colour equal to the cells' is drawn darker", 1, kTeal, clNone, kNavy},
                      {"no lines", 0, kRed, kTeal, kLime}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GridScene s;
    s.grid->SetGridLineWidth(row.lineWidth);
    s.grid->SetLineColor(row.lineColor);
    s.grid->SetSelection({1, 1, 2, 1});
    TBitmap image;
    CaptureClient(s.Wnd(), image);
    const TColor between = PixelAt(image, 81, 45);
    if (row.betweenCells != clNone) {
      EXPECT_EQ(between, row.betweenCells);
    } else {
      EXPECT_NE(between, kTeal);
      for (int shift : {0, 8, 16}) EXPECT_LE((between >> shift) & 0xFF, (kTeal >> shift) & 0xFF);
    }
    EXPECT_EQ(PixelAt(image, 20, 30), row.belowFixed);
    EXPECT_EQ(PixelAt(image, 0, 0), kLime);  // no raised edge on fixed cells
    EXPECT_EQ(PixelAt(image, 60, 45), kTeal);  // selected, not highlighted
    if (row.lineWidth == 0) {
      int red = 0;
      for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) red += PixelAt(image, x, y) == kRed;
      EXPECT_EQ(red, 0);
    }
  }
}

TEST(SDDStringGrid, DrawsItsFrameOnlyWithABorderAndHotWhileTheMouseIsIn) {
  struct Row {
    const char* name;
    bool classic;
    TBorderStyle border;
    std::function<void(TSDDStringGrid&)> act;
    TColor left0, left1, right1;  // pixels (0, 50), (1, 50) and (198, 50) of the window
  };
  COLORREF themed = 0;
  {
    HTHEME theme = OpenThemeData(nullptr, L"Edit");
    ASSERT_TRUE(theme && SUCCEEDED(GetThemeColor(theme, EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, &themed)));
    CloseThemeData(theme);
  }
  const auto mouse = [](UINT msg) {
    return [msg](TSDDStringGrid& g) { g.Perform(msg, 0, reinterpret_cast<LPARAM>(&g)); };
  };
  const Row rows[] = {
      {"flat", true, bsSingle, [](TSDDStringGrid&) {}, kRed, kLime, kTeal},
      {"hot with the mouse in, at once", true, bsSingle, [&](TSDDStringGrid& g) {
         EXPECT_EQ(sdd_test::WindowPixel(g.Handle(), 0, 50), kRed);
         mouse(CM_MOUSEENTER)(g);
         EXPECT_EQ(sdd_test::WindowPixel(g.Handle(), 0, 50, false), kBlue);
       }, kBlue, kBlue, kBlue},
      {"cold again when it left", true, bsSingle,
       [&](TSDDStringGrid& g) {
         mouse(CM_MOUSEENTER)(g);
         mouse(CM_MOUSELEAVE)(g);
       }, kRed, kLime, kTeal},
      {"themed: the theme's border colour", false, bsSingle, [](TSDDStringGrid& g) {
         g.SetFramingPreference(fpXPThemes);
       }, themed, kLime, kTeal},
      {"no border, no frame: the tile picker's flat bevel shows", true, bsNone, [](TSDDStringGrid& g) {
         g.SetBevelKind(bkFlat);
         g.SetBevelInner(bvSpace);
       }, ColorToRGB(clBtnShadow), kTeal, kTeal},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::unique_ptr<TClassicThemesScope> scope(row.classic ? new TClassicThemesScope : nullptr);
    GridScene s(row.border);
    s.grid->SetGridLineWidth(0);
    s.grid->SetDefaultColWidth(100);
    s.grid->SetFrameColor(kRed);
    s.grid->SetFrameHotColor(kBlue);
    s.grid->SetFramingPreference(fpCustomFraming);
    s.grid->SetFrameHotTrack(true);
    row.act(*s.grid);
    EXPECT_EQ(sdd_test::WindowPixel(s.Wnd(), 0, 50), row.left0);
    EXPECT_EQ(sdd_test::WindowPixel(s.Wnd(), 1, 50), row.left1);
    EXPECT_EQ(sdd_test::WindowPixel(s.Wnd(), 198, 50), row.right1);
  }
}

}  // namespace
