#include <gtest/gtest.h>

#include <vector>

#include "classlib/Graphics.h"
#include "tests/classlib/ControlsTestSupport.h"

using controls_test::GdiObjectCount;
using controls_test::SettledGdiObjectCount;

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

TEST(Canvas, PicturesTellTheirKindFromTheBytes) {
  TPicture picture;
  ASSERT_TRUE(picture.LoadFromBytes(RedHalfPng));
  EXPECT_NE(dynamic_cast<TPngGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_FALSE(picture.LoadFromBytes(std::vector<uint8_t>(RedHalfPng.begin(), RedHalfPng.begin() + 30)));
  EXPECT_FALSE(picture.LoadFromBytes(std::vector<uint8_t>{'G', 'I', 'F'}));
  EXPECT_EQ(picture.Width(), 4);  // a failed load keeps the old picture

  // A 2 x 1 24-bit BMP, bottom-up: blue then white.
  const std::vector<uint8_t> bmp = FromHex(
      "424D3E000000000000003600000028000000020000000100000001001800000000000800000000000000000000000000000000000000"
      "FF0000FFFFFF0000");
  ASSERT_TRUE(picture.LoadFromBytes(bmp));
  EXPECT_EQ(picture.Bitmap().Canvas().Pixel(0, 0), clBlue);
  EXPECT_EQ(picture.Bitmap().Canvas().Pixel(1, 0), clWhite);
  EXPECT_FALSE(picture.LoadFromBytes(std::vector<uint8_t>(bmp.begin(), bmp.end() - 6)));
}

// The leak test below stands on this count: each kind of object the class library makes moves it by one.
TEST(Canvas, GdiObjectCountFollowsCreationAndDeletion) {
  using TMake = HGDIOBJ (*)();
  const TMake kinds[] = {
      [] { return HGDIOBJ(CreatePen(PS_SOLID, 1, RGB(1, 2, 3))); },
      [] { return HGDIOBJ(CreateSolidBrush(RGB(4, 5, 6))); },
      [] { return HGDIOBJ(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial")); },
      [] { return HGDIOBJ(CreateRectRgn(0, 0, 2, 2)); },
      [] { return HGDIOBJ(CreateBitmap(4, 4, 1, 32, nullptr)); },
      [] { return HGDIOBJ(CreateCompatibleDC(nullptr)); },
  };
  auto free = [](HGDIOBJ h) {
    if (GetObjectType(h) == OBJ_MEMDC) DeleteDC(static_cast<HDC>(h));
    else DeleteObject(h);
  };
  for (TMake make : kinds) free(make());  // first uses may create process-wide objects
  for (size_t kind = 0; kind < std::size(kinds); ++kind) {
    const DWORD before = GdiObjectCount();
    ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
    std::vector<HGDIOBJ> made;
    for (int i = 0; i < 7; ++i) made.push_back(kinds[kind]());
    EXPECT_EQ(GdiObjectCount(), before + 7) << "kind " << kind;
    for (HGDIOBJ h : made) free(h);
    EXPECT_EQ(GdiObjectCount(), before) << "kind " << kind;
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
  const DWORD before = SettledGdiObjectCount(work);
  for (int i = 0; i < 3; ++i) work();
  EXPECT_EQ(GdiObjectCount(), before);

  // A selected object cannot be deleted (Wine defers it, Windows refuses): a font the canvas replaces is
  // deselected first, and so gone at once.
  TBitmap bmp;
  bmp.SetSize(8, 8);
  bmp.Canvas().TextOut(0, 0, "x");
  const HGDIOBJ font = GetCurrentObject(bmp.Canvas().Handle(), OBJ_FONT);
  bmp.Canvas().Font().SetHeight(-30);
  EXPECT_EQ(GetObjectType(font), 0u);
}

}  // namespace
