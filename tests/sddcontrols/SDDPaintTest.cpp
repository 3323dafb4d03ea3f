#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "classlib/Themes.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGrafx.h"
#include "tests/sddcontrols/SDDTestScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000;

// Channels within `tolerance` of each other.
bool Near(TColor a, TColor b, int tolerance) {
  for (int s = 0; s <= 16; s += 8)
    if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tolerance) return false;
  return true;
}

TEST(SDDGradientFill, WalksStartWhereEachShapeSaysAndBoxesMirror) {
  struct Row {
    TGradientDirection direction;
    TPoint walkStart;  // painted in the walk's first colour exactly
    TColor first;
    TPoint farEnd;      // the far end, within two steps of the other colour
    TColor other;
  };
  // 40 x 30 at (5, 5) on a 50 x 40 canvas.
  const Row rows[] = {
      {gdDiagonalUp, {5, 34}, kRed, {44, 5}, kBlue},      {gdDiagonalDown, {44, 34}, kBlue, {5, 5}, kRed},
      {gdHorizontalEnd, {20, 34}, kBlue, {20, 5}, kRed},  {gdHorizontalCenter, {30, 21}, kBlue, {30, 34}, kRed},
      {gdVerticalEnd, {44, 20}, kBlue, {5, 20}, kRed},    {gdVerticalCenter, {26, 9}, kBlue, {44, 9}, kRed},
      {gdSquareBox, {24, 19}, kBlue, {5, 5}, kRed},       {gdHorizontalBox, {15, 19}, kBlue, {44, 34}, kRed},
      {gdVerticalBox, {24, 13}, kBlue, {44, 5}, kRed},    {gdBigSquareBox, {15, 13}, kBlue, {5, 34}, kRed},
  };
  for (const Row& r : rows) {
    TCanvasScene s(50, 40);
    GradientFill(s.Canvas(), {5, 5, 45, 35}, r.direction, kRed, kBlue, 1);
    EXPECT_EQ(s.At(r.walkStart.X, r.walkStart.Y), r.first) << r.direction;
    const TColor farColor = s.At(r.farEnd.X, r.farEnd.Y);
    EXPECT_TRUE(Near(farColor, r.other, 64)) << r.direction << std::hex << " " << farColor;
    EXPECT_EQ(s.Count(kMarker), 50 * 40 - 40 * 30) << r.direction << ": the area is filled, nothing outside";
    const bool box = r.direction == gdHorizontalBox || r.direction == gdVerticalBox ||
                     r.direction == gdSquareBox || r.direction == gdBigSquareBox;
    if (!box) continue;
    for (int y = 5; y < 35; ++y)
      for (int x = 5; x < 45; ++x) {
        ASSERT_EQ(s.At(x, y), s.At(49 - x, y)) << r.direction << " mirrored across at " << x << "," << y;
        ASSERT_EQ(s.At(x, y), s.At(x, 39 - y)) << r.direction << " mirrored down at " << x << "," << y;
      }
  }
}

TEST(SDDGradientFill, AnAreaWithoutWidthOrHeightPaintsNothing) {
  TCanvasScene s(20, 20);
  const DWORD before = controls_test::GdiObjectCount();
  for (TRect r : {TRect{5, 5, 5, 15}, TRect{5, 5, 15, 5}})
    for (int d = 0; d < 10; ++d) GradientFill(s.Canvas(), r, TGradientDirection(d), kRed, kBlue, 1);
  EXPECT_EQ(s.Count(kMarker), 400);
  EXPECT_EQ(controls_test::GdiObjectCount(), before);
}

TEST(SDDFrames, EachStyleReturnsItsInnerRectAndEdgeColours) {
  struct Row {
    TFrameStyleEx style;
    int inset;
    TColor outerTL, outerBR, innerTL, innerBR;  // clNone: not drawn there
  };
  const Row rows[] = {
      {fsNone, 0, clNone, clNone, clNone, clNone},
      {fsFlat, 1, cl3DDkShadow, cl3DDkShadow, clNone, clNone},
      {fsGroove, 2, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
      {fsBump, 2, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnHighlight},
      {fsLowered, 2, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
      {fsButtonDown, 2, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
      {fsRaised, 2, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
      {fsButtonUp, 2, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
      {fsStatus, 1, clBtnShadow, clBtnHighlight, clNone, clNone},
      {fsPopup, 1, clBtnHighlight, clBtnShadow, clNone, clNone},
      {fsFlatBold, 2, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
      {fsFlatRounded, 0, clNone, clNone, clNone, clNone},
  };
  const auto expect = [](TColor c) { return c == clNone ? kMarker : Rgb(c); };
  for (const Row& r : rows) {
    TCanvasScene s(14, 14);
    const TRect in = DrawFrameEx(s.Canvas(), {2, 2, 12, 12}, r.style);
    EXPECT_EQ(in, TRect({2, 2, 12, 12}).Inflate(-r.inset, -r.inset)) << r.style;
    EXPECT_EQ(s.At(2, 6), expect(r.outerTL)) << r.style << " left";
    EXPECT_EQ(s.At(6, 2), expect(r.outerTL)) << r.style << " top";
    EXPECT_EQ(s.At(11, 6), expect(r.outerBR)) << r.style << " right";
    EXPECT_EQ(s.At(6, 11), expect(r.outerBR)) << r.style << " bottom";
    EXPECT_EQ(s.At(2, 11), expect(r.outerBR)) << r.style << " bottom-left corner";
    EXPECT_EQ(s.At(3, 6), expect(r.innerTL)) << r.style << " inner left";
    EXPECT_EQ(s.At(10, 6), expect(r.innerBR)) << r.style << " inner right";
    EXPECT_EQ(s.At(6, 6), kMarker) << r.style;
  }
  // Sides left out are neither drawn nor taken from the result; a missing colour draws nothing but still counts.
  TCanvasScene s(14, 14);
  EXPECT_EQ(DrawFrameEx(s.Canvas(), {2, 2, 12, 12}, fsRaised, {}), (TRect{2, 2, 12, 12}));
  EXPECT_EQ(s.Count(kMarker), 14 * 14);
  EXPECT_EQ(DrawFrameLines(s.Canvas(), {2, 2, 12, 12}, clNone, {sdLeft, sdBottom}, kRed), (TRect{3, 2, 12, 11}));
  EXPECT_EQ(s.Count(kRed), 10);
  EXPECT_EQ(s.At(2, 11), kRed);
  // An etched frame on its top side alone closes its ends with single pixels.
  TCanvasScene g(14, 14);
  EXPECT_EQ(DrawFrameEx(g.Canvas(), {2, 2, 12, 12}, fsGroove, {sdTop}), (TRect{2, 4, 12, 12}));
  EXPECT_EQ(g.At(11, 2), Rgb(clBtnShadow));
  EXPECT_EQ(g.At(2, 3), Rgb(clBtnHighlight));
  TCanvasScene e(14, 14);
  DrawFrameEx(e.Canvas(), {2, 2, 12, 12}, fsGroove, {sdRight});
  EXPECT_EQ(e.At(10, 11), Rgb(clBtnShadow));
  EXPECT_EQ(e.At(11, 2), Rgb(clBtnHighlight));
  // Each edge runs its full length.
  TCanvasScene l(14, 14);
  DrawFrameLines(l.Canvas(), {2, 2, 12, 12}, kRed, {sdLeft}, kBlue);
  EXPECT_EQ(l.Count(kRed), 10);
}

TEST(SDDFrames, RoundedPanelAndDottedOutlines) {
  TCanvasScene s(14, 14);
  EXPECT_EQ(DrawRoundedFlatFrame(s.Canvas(), {2, 2, 12, 12}, kRed), (TRect{4, 4, 10, 10}));
  EXPECT_EQ(s.At(2, 2), kMarker);
  EXPECT_EQ(s.At(2, 3), kMarker);
  EXPECT_EQ(s.At(3, 3), kRed);
  EXPECT_EQ(s.At(2, 4), kRed);
  EXPECT_EQ(s.At(10, 10), kRed);
  EXPECT_EQ(s.At(11, 9), kRed);
  EXPECT_EQ(s.At(11, 10), kMarker);

  TCanvasScene p(14, 14);
  TPanelBorder b;
  b.Outer = fsFlatRounded;
  b.FlatColor = kRed;
  b.FlatColorAdjustment = 0;
  b.Color = kBlue;
  b.ParentColor = clWhite;
  b.BorderWidth = 1;
  b.BorderColor = clBlack;
  EXPECT_EQ(DrawPanelBorder(p.Canvas(), {0, 0, 14, 14}, b), (TRect{3, 3, 11, 11}));
  EXPECT_EQ(p.At(0, 0), Rgb(clWhite));
  EXPECT_EQ(p.At(1, 1), kRed);
  EXPECT_EQ(p.At(2, 1), Rgb(clBlack));  // the ring inside takes the border colour while a band follows
  EXPECT_EQ(p.At(2, 2), Rgb(clBlack));
  b.Outer = fsStatus;
  b.BevelWidth = 2;
  b.BorderShadow = kRed;
  b.BorderHighlight = kBlue;
  EXPECT_EQ(DrawPanelBorder(p.Canvas(), {0, 0, 14, 14}, b), (TRect{3, 3, 11, 11}));
  EXPECT_EQ(p.At(1, 5), kRed);
  EXPECT_EQ(p.At(12, 5), kBlue);

  TCanvasScene d(10, 10);
  d.Canvas().Font().SetColor(kRed);
  EXPECT_EQ(DrawDottedRect(d.Canvas(), {0, 0, 10, 10}), (TRect{1, 1, 9, 9}));
  EXPECT_EQ(d.At(1, 0), kRed);
  EXPECT_EQ(d.At(2, 0), kMarker);
  EXPECT_EQ(d.At(0, 0), kMarker);
  EXPECT_EQ(d.At(9, 3), kRed);
  EXPECT_EQ(d.Count(kRed), 16);
}

TEST(SDDPainters, ArrowsTransparentBlitsAndNothingLeaks) {
  {
    TClassicThemesScope classic;
    TCanvasScene s(16, 20);
    DrawArrow(s.Canvas(), {0, 0, 16, 20}, fpXPThemes, true, false, 0);  // no theme: the chevron in black
    EXPECT_EQ(s.At(8, 10), Rgb(clBlack));
    EXPECT_EQ(s.At(8, 12), kMarker);  // the chevron's notch
    TCanvasScene d(16, 20);
    DrawDropDownArrow(d.Canvas(), {0, 0, 16, 20}, fpCustomFraming, false, false);
    EXPECT_EQ(d.At(8, 9), Rgb(clBtnShadow));
    EXPECT_EQ(d.Canvas().Brush().Color(), kMarker);  // the brush colour is given back
  }
  if (VisualStylesEnabled()) {
    TCanvasScene s(16, 20);
    DrawDropDownArrow(s.Canvas(), {0, 0, 16, 20}, fpXPThemes, true, false);
    EXPECT_FALSE(ColorsSimilar(s.At(8, 10), clWindow)) << std::hex << s.At(8, 10);
  }

  TBitmap source;
  source.SetPixelFormat(pf32bit);
  source.SetSize(2, 2);
  source.Canvas().Brush().SetColor(kRed);
  source.Canvas().FillRect({0, 0, 2, 2});
  source.Canvas().SetPixel(1, 1, kBlue);
  TCanvasScene t(6, 6);
  DrawTransparentBitmap(t.Canvas(), source, {1, 1, 5, 5}, {0, 0, 2, 2}, kBlue);
  EXPECT_EQ(t.At(1, 1), kRed);
  EXPECT_EQ(t.At(2, 2), kRed);
  EXPECT_EQ(t.At(3, 3), kMarker);
  EXPECT_EQ(t.At(4, 4), kMarker);
  EXPECT_EQ(t.Count(kRed), 12);

  const auto work = [&] {
    TCanvasScene w(40, 30);
    for (int d = 0; d < 10; ++d) GradientFill(w.Canvas(), {0, 0, 40, 30}, TGradientDirection(d), kRed, kBlue, 1);
    DrawTransparentBitmap(w.Canvas(), source, {0, 0, 8, 8}, {0, 0, 2, 2}, kBlue);
    DrawArrow(w.Canvas(), {0, 0, 16, 20}, fpXPThemes, true, true, 1);
    DeleteObject(CreateRotatedFont(w.Canvas().Font(), 90));
    IsTrueTypeFont(w.Canvas().Font());
  };
  const DWORD settled = controls_test::SettledGdiObjectCount(work);
  work();
  EXPECT_EQ(controls_test::GdiObjectCount(), settled);
  EXPECT_EQ(ThemeHandleCounts().Open, 0);
}

}  // namespace
