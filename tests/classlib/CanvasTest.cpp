#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "classlib/Buttons.h"
#include "classlib/Graphics.h"
#include "tests/classlib/ControlsTestSupport.h"

using controls_test::GdiObjectCount;
using controls_test::SettledGdiObjectCount;
using controls_test::PixelAt;

namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// A 4 x 2 PNG: the left half opaque red, the right half fully transparent.
const std::vector<uint8_t> RedHalfPng = FromHex(
    "89504E470D0A1A0A0000000D49484452000000040000000208060000007FA87D630000001449444154789C63F8CFC0F01F84"
    "C1084AA1080000D9480BF52AD206300000000049454E44AE426082");

struct PixelCheck {
  int x, y;
  TColor color;
};

struct CanvasRow {
  const char* name;
  std::function<void(TCanvas&)> draw;
  std::vector<PixelCheck> pixels;
};

void Check(const CanvasRow& row);

TEST(Canvas, OperationsLandOnTheExpectedPixels) {
  const TColor white = clWhite;
  const CanvasRow rows[] = {
      {"fill rect, right and bottom edges excluded",
       [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.FillRect({2, 2, 6, 5});
       },
       {{2, 2, clRed}, {5, 4, clRed}, {6, 4, white}, {5, 5, white}, {1, 2, white}}},
      {"rectangle: pen outline, brush inside",
       [](TCanvas& c) {
         c.Pen().SetColor(clBlue);
         c.Brush().SetColor(clLime);
         c.Rectangle({1, 1, 8, 6});
       },
       {{1, 1, clBlue}, {7, 5, clBlue}, {4, 3, clLime}, {8, 6, white}}},
      {"line leaves its last pixel out",
       [](TCanvas& c) {
         c.Pen().SetColor(clBlack);
         c.MoveTo(0, 3);
         c.LineTo(5, 3);
       },
       {{0, 3, clBlack}, {4, 3, clBlack}, {5, 3, white}, {0, 2, white}}},
      {"wide pen",
       [](TCanvas& c) {
         c.Pen().SetColor(clBlack);
         c.Pen().SetWidth(3);
         c.MoveTo(2, 5);
         c.LineTo(12, 5);
       },
       {{6, 4, clBlack}, {6, 5, clBlack}, {6, 6, clBlack}, {6, 8, white}}},
      {"clear pen draws no outline",
       [](TCanvas& c) {
         c.Pen().SetStyle(psClear);
         c.Brush().SetColor(clRed);
         c.Rectangle({0, 0, 6, 6});
       },
       {{2, 2, clRed}, {6, 6, white}}},
      {"polygon is filled",
       [](TCanvas& c) {
         const TPoint pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
         c.Pen().SetColor(clRed);
         c.Brush().SetColor(clYellow);
         c.Polygon(pts);
       },
       {{0, 0, clRed}, {5, 5, clYellow}, {12, 12, white}}},
      {"pixels",
       [](TCanvas& c) {
         c.SetPixel(3, 4, clFuchsia);
         c.SetPixel(0, 0, clBtnFace);
       },
       {{3, 4, clFuchsia}, {0, 0, ColorToRGB(clBtnFace)}, {4, 4, white}}},
      {"frame rect is one pixel of the brush",
       [](TCanvas& c) {
         c.Brush().SetColor(clNavy);
         c.FrameRect({2, 2, 9, 9});
       },
       {{2, 2, clNavy}, {8, 8, clNavy}, {5, 5, white}}},
      {"clipped text leaves the outside alone and fills the box",
       [](TCanvas& c) {
         c.Brush().SetColor(clYellow);
         c.Font().SetColor(clBlack);
         c.Font().SetHeight(-20);
         c.TextRect({0, 0, 6, 6}, 0, 0, "WWWW");
       },
       {{5, 5, clYellow}, {6, 6, white}, {15, 5, white}}},
      {"png drawn with its alpha",
       [](TCanvas& c) {
         TPngGraphic png;
         ASSERT_TRUE(png.LoadFromBytes(RedHalfPng));
         c.Draw(4, 4, &png);
       },
       {{4, 4, clRed}, {5, 5, clRed}, {6, 4, white}, {7, 5, white}}},
      {"png stretched",
       [](TCanvas& c) {
         TPngGraphic png;
         ASSERT_TRUE(png.LoadFromBytes(RedHalfPng));
         c.StretchDraw({0, 0, 8, 4}, &png);
       },
       {{0, 0, clRed}, {3, 3, clRed}, {4, 0, white}, {7, 3, white}}},
  };
  for (const CanvasRow& row : rows) Check(row);
}

TEST(Canvas, FramesAndButtonFaces) {
  const TColor white = clWhite, dark = ColorToRGB(cl3DDkShadow), light = ColorToRGB(clBtnHighlight),
               shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
  TRect content;
  const CanvasRow rows[] = {
      {"3-D frame: top-left colour, the other two corners take the bottom-right colour",
       [](TCanvas& c) { EXPECT_EQ(Frame3D(c, {2, 2, 8, 8}, clRed, clBlue, 2), (TRect{4, 4, 6, 6})); },
       {{2, 2, clRed}, {7, 2, clBlue}, {2, 7, clBlue}, {7, 7, clBlue}, {3, 3, clRed}, {6, 6, clBlue},
        {4, 4, white}}},
      {"button face, up and rounded",
       [&](TCanvas& c) { content = DrawButtonFace(c, {0, 0, 10, 8}, 1, true, false, false); },
       {{0, 0, white}, {9, 7, white}, {1, 0, dark}, {0, 1, dark}, {9, 6, dark}, {1, 1, light}, {8, 6, shadow},
        {4, 4, face}}},
      {"button face, down and square",
       [&](TCanvas& c) { content = DrawButtonFace(c, {0, 0, 10, 8}, 1, false, true, false); },
       {{0, 0, dark}, {9, 7, dark}, {1, 1, shadow}, {8, 6, face}, {4, 4, face}}},
      {"button face, two-pixel bevel",
       [&](TCanvas& c) { content = DrawButtonFace(c, {0, 0, 10, 8}, 2, false, false, false); },
       {{2, 2, light}, {7, 5, shadow}, {4, 4, face}}},
  };
  const TRect contents[] = {{}, {2, 2, 8, 6}, {3, 3, 9, 7}, {3, 3, 7, 5}};
  for (size_t i = 0; i < std::size(rows); ++i) {
    Check(rows[i]);
    if (i > 0) {
      EXPECT_EQ(content, contents[i]) << rows[i].name;
    }
  }
}

// Draws the row on a white 16 x 16 bitmap and checks its pixels.
void Check(const CanvasRow& row) {
  SCOPED_TRACE(row.name);
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(16, 16);
  bmp.Canvas().Brush().SetColor(clWhite);
  bmp.Canvas().FillRect({0, 0, 16, 16});
  row.draw(bmp.Canvas());
  for (const PixelCheck& p : row.pixels)
    EXPECT_EQ(PixelAt(bmp, p.x, p.y), p.color) << "at " << p.x << "," << p.y;
}

TEST(Canvas, TextUsesFontColourAndBrushMode) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(60, 30);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect({0, 0, 60, 30});
  c.Font().SetHeight(-20);
  c.Font().SetColor(clRed);
  c.Brush().SetStyle(bsClear);
  SIZE extent = c.TextExtent("H");
  ASSERT_GT(extent.cx, 0);
  ASSERT_GT(extent.cy, 0);
  c.TextOut(0, 0, "H");
  int red = 0, other = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      TColor p = PixelAt(bmp, x, y);
      if (p == clRed) {
        ++red;
        EXPECT_LT(x, extent.cx);
        EXPECT_LT(y, extent.cy);
      } else if (p != clWhite) {
        ++other;  // smoothing may blend edges; a clear brush never paints a box
      }
    }
  EXPECT_GT(red, 5);
  EXPECT_EQ(c.PenPos().X, extent.cx);
}

TEST(Canvas, BitmapFormatsAndCopies) {
  struct Row {
    TPixelFormat format;
    int width;
    int bytesPerLine;
  };
  const Row rows[] = {{pf16bit, 3, 8}, {pf24bit, 3, 12}, {pf32bit, 3, 12}, {pf24bit, 4, 12}, {pf16bit, 2, 4}};
  for (const Row& row : rows) {
    TBitmap bmp;
    bmp.SetPixelFormat(row.format);
    bmp.SetSize(row.width, 2);
    EXPECT_EQ(bmp.BytesPerLine(), row.bytesPerLine);
    ASSERT_NE(bmp.ScanLine(1), nullptr);
    EXPECT_EQ(bmp.ScanLine(2), nullptr);
    bmp.Canvas().SetPixel(0, 0, clWhite);
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), clWhite);
  }

  TBitmap source;
  source.SetPixelFormat(pf32bit);
  source.SetSize(2, 2);
  source.Canvas().SetPixel(1, 1, clBlue);
  TBitmap copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.Width(), 2);
  EXPECT_EQ(PixelAt(copy, 1, 1), clBlue);

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(4, 4);
  target.Canvas().CopyRect({0, 0, 4, 4}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(PixelAt(target, 3, 3), clBlue);
  EXPECT_EQ(PixelAt(target, 0, 0), clBlack);
}

TEST(Canvas, PictureTellsTheKindFromTheBytes) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  ASSERT_TRUE(picture.LoadFromBytes(RedHalfPng));
  EXPECT_NE(dynamic_cast<TPngGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(changes, 1);

  std::vector<uint8_t> damaged = RedHalfPng;
  damaged.resize(30);
  EXPECT_FALSE(picture.LoadFromBytes(damaged));
  EXPECT_FALSE(picture.LoadFromBytes(std::vector<uint8_t>{'G', 'I', 'F'}));
  EXPECT_EQ(picture.Width(), 4);  // a failed load keeps the old picture

  // A 2 x 1 24-bit BMP, bottom-up: blue then white.
  const std::vector<uint8_t> bmp = FromHex(
      "424D3E000000000000003600000028000000020000000100000001001800000000000800000000000000000000000000000000000000"
      "FF0000FFFFFF0000");
  ASSERT_TRUE(picture.LoadFromBytes(bmp));
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Bitmap().Canvas().Pixel(0, 0), clBlue);
  EXPECT_EQ(picture.Bitmap().Canvas().Pixel(1, 0), clWhite);
  std::vector<uint8_t> shortBmp = bmp;
  shortBmp.resize(bmp.size() - 6);
  EXPECT_FALSE(picture.LoadFromBytes(shortBmp));
}

TEST(Canvas, ColoursResolveAtRunTime) {
  const struct {
    TColor color;
    TColor rgb;
  } rows[] = {
      {clBtnFace, GetSysColor(COLOR_BTNFACE)},
      {clBtnShadow, GetSysColor(COLOR_BTNSHADOW)},
      {clWindowText, GetSysColor(COLOR_WINDOWTEXT)},
      {0x123456, 0x123456},
      {clNone, clBlack},
  };
  for (const auto& row : rows) EXPECT_EQ(ColorToRGB(row.color), row.rgb);
  TColor c = 0;
  EXPECT_TRUE(IdentToColor("CLBTNFACE", c));
  EXPECT_EQ(c, clBtnFace);
  EXPECT_FALSE(IdentToColor("clNoSuch", c));
}

// The leak tests below stand on this count: each kind of object the class library makes must move it by one.
TEST(Canvas, GdiObjectCountFollowsCreationAndDeletion) {
  using TMake = HGDIOBJ (*)();
  const std::pair<const char*, TMake> kinds[] = {
      {"pen", [] { return HGDIOBJ(CreatePen(PS_SOLID, 1, RGB(1, 2, 3))); }},
      {"brush", [] { return HGDIOBJ(CreateSolidBrush(RGB(4, 5, 6))); }},
      {"font", [] { return HGDIOBJ(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial")); }},
      {"region", [] { return HGDIOBJ(CreateRectRgn(0, 0, 2, 2)); }},
      {"bitmap", [] { return HGDIOBJ(CreateBitmap(4, 4, 1, 32, nullptr)); }},
      {"dc", [] { return HGDIOBJ(CreateCompatibleDC(nullptr)); }},
  };
  auto free = [](HGDIOBJ h) {
    if (GetObjectType(h) == OBJ_MEMDC) DeleteDC(static_cast<HDC>(h));
    else DeleteObject(h);
  };
  for (const auto& [name, make] : kinds) free(make());  // first uses may create process-wide objects
  constexpr DWORD kEach = 7;
  for (const auto& [name, make] : kinds) {
    SCOPED_TRACE(name);
    const DWORD before = GdiObjectCount();
    ASSERT_GT(before, 0u);
    std::vector<HGDIOBJ> made;
    for (DWORD i = 0; i < kEach; ++i) made.push_back(make());
    EXPECT_EQ(GdiObjectCount(), before + kEach);
    for (HGDIOBJ h : made) free(h);
    EXPECT_EQ(GdiObjectCount(), before);
  }
}

TEST(Canvas, EveryGdiObjectIsDeleted) {
  auto work = [] {
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(32, 32);
    TCanvas& c = bmp.Canvas();
    for (int i = 0; i < 5; ++i) {
      c.Pen().SetColor(clRed + i);
      c.Brush().SetColor(clBlue + i);
      c.Font().SetHeight(-10 - i);
      c.Rectangle({0, 0, 10, 10});
      c.TextOut(0, 0, "x");
    }
    TPngGraphic png;
    png.LoadFromBytes(RedHalfPng);
    c.Draw(0, 0, &png);
    bmp.SetSize(8, 8);  // remade while its canvas holds it
    c.FillRect({0, 0, 8, 8});
  };
  DWORD before = SettledGdiObjectCount(work);
  ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
  for (int i = 0; i < 3; ++i) work();
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
