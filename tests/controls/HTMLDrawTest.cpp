#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/HTMLDraw.h"
#include "controls/PictureContainer.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/controls/ControlsSceneSupport.h"
#include "tests/controls/PictureFixtures.h"

namespace {

using controls_test::GdiObjectCount;
using controls_test::PixelAt;
using controls_test::SettledGdiObjectCount;

// A 200 x 100 white bitmap whose canvas font (Tahoma, 11 pixels, black) is the markup's default font.
struct TPage {
  TBitmap image;
  TPage() {
    image.SetPixelFormat(pf32bit);
    image.SetSize(200, 100);
    Clear();
    TFont& font = Canvas().Font();
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetColor(clBlack);
  }
  TCanvas& Canvas() { return image.Canvas(); }
  void Clear() {
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect({0, 0, 200, 100});
  }
  THTMLDrawResult Draw(const std::string& html, TRect r = {0, 0, 200, 100}, const THTMLDrawParams& params = {}) {
    return HTMLDrawEx(Canvas(), html, r, params);
  }
  // The extent of a text in the canvas font with `style`, through the canvas's own text measuring.
  SIZE Extent(const std::string& text, TFontStyles style = {}) {
    Canvas().Font().SetStyle(style);
    const SIZE size = Canvas().TextExtent(text);
    Canvas().Font().SetStyle({});
    return size;
  }
  // A line's height as DrawText counts it: the font's height and its external leading.
  int LineHeight() {
    TEXTMETRICA metrics{};
    Extent("x");
    GetTextMetricsA(Canvas().Handle(), &metrics);
    return Extent("x").cy + metrics.tmExternalLeading;
  }
  int Count(TColor color) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) n += PixelAt(image, x, y) == color;
    return n;
  }
};

TEST(HTMLDraw, ExtentsAgainstMeasuredText) {
  TPage page;
  const int line = page.LineHeight();
  auto w = [&](const std::string& text, TFontStyles style = {}) { return int(page.Extent(text, style).cx); };
  const int blank = w(" ");
  const struct {
    const char* name;
    std::string html;
    int width;  // the rectangle's
    int extentWidth, extentHeight;
  } rows[] = {
      {"styles", "ab <B>cd</B> <U>ef</U>", 200, w("ab") + blank + w("cd", {fsBold}) + blank + w("ef"), line},
      {"entities", "a&lt;b&gt; &amp; c&nbsp;d", 200, w("a<b>") + blank + w("&") + blank + w("c d"), line},
      {"literal ampersand", "fish & chips", 200, w("fish") + blank + w("&") + blank + w("chips"), line},
      {"wrap", "aaa bbb", w("aaa bb"), w("aaa"), 2 * line},
      {"break and empty line", "a<BR><BR>b", 200, w("a"), 3 * line},
      {"cut in a one-pixel rectangle", "abc", 1, std::max({w("a"), w("b"), w("c")}), 3 * line},
      {"list item after its bullet", "<UL><LI>x</UL>", 200, 12 + w("x"), -1},
      {"image list index shows its alt text", "<IMG src=\"IDX:0\" alt=\"[0]\">", 200, w("[0]"), line},
      {"hidden text", "a<Z>hidden</Z>", 200, w("a"), line},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const THTMLDrawResult result = page.Draw(row.html, {0, 0, row.width, 100});
    EXPECT_EQ(result.Width, row.extentWidth);
    if (row.extentHeight >= 0) {
      EXPECT_EQ(result.Height, row.extentHeight);
    }
  }
}

TEST(HTMLDraw, AnchorsHitTestedAndPlainText) {
  TPage page;
  const int go = page.Extent("go").cx, blank = page.Extent(" ").cx, here = page.Extent("here").cx;
  const int line = page.LineHeight();
  THTMLDrawParams params;
  params.CheckHotspot = true;
  params.FocusAnchor = 1;
  const struct {
    TPoint mouse;
    bool over;
    TRect rect;
  } rows[] = {
      {{go + blank + 1, 2}, true, {go + blank, 0, go + blank + here, line}},
      {{go + blank + here - 1, line - 1}, true, {go + blank, 0, go + blank + here, line}},
      {{go + blank - 1, 2}, false, {}},
      {{go + blank + 1, line}, false, {}},
  };
  for (const auto& row : rows) {
    params.Mouse = row.mouse;
    const THTMLDrawResult result = page.Draw("go <A href=\"mailto:x@y\">here</A> now", {0, 0, 200, 100}, params);
    EXPECT_EQ(result.OverAnchor, row.over) << row.mouse.X << "," << row.mouse.Y;
    EXPECT_EQ(result.AnchorTarget, row.over ? "mailto:x@y" : "");
    EXPECT_EQ(result.AnchorNumber, row.over ? 1 : 0);
    EXPECT_EQ(result.AnchorRect, row.rect);
    EXPECT_EQ(result.PlainText, "go here now");
    EXPECT_EQ(result.FocusAnchorText, "here");
  }
}

TEST(HTMLDraw, ColoursReachThePixels) {
  const char* red[] = {"<FONT color=\"#FF0000\">Red</FONT>", "<FONT color=\"clred\">Red</FONT>",
                       "<FONT color=#ff0000>Red</FONT>"};
  std::vector<std::vector<TColor>> images;
  for (const char* html : red) {
    TPage page;
    page.Draw(html);
    EXPECT_GT(page.Count(clRed), 0) << html;  // red text, without any black
    EXPECT_EQ(page.Count(clBlack), 0) << html;
    std::vector<TColor> pixels;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) pixels.push_back(PixelAt(page.image, x, y));
    images.push_back(pixels);
  }
  EXPECT_EQ(images[0], images[1]);
  EXPECT_EQ(images[0], images[2]);

  TPage page;
  page.Draw("<FONT color=\"#GG0000\">invalid is black</FONT>");
  EXPECT_GT(page.Count(clBlack), 0);
  EXPECT_EQ(page.Count(clRed), 0);
  page.Clear();
  page.Draw("<P bgcolor=clLime>x</P><HR>", {10, 10, 60, 40});
  EXPECT_EQ(PixelAt(page.image, 59, 10), clLime);  // the paragraph's background, across the rectangle
  EXPECT_EQ(PixelAt(page.image, 60, 10), clWhite);  // and no further
  const int rule = 10 + page.LineHeight();
  EXPECT_EQ(PixelAt(page.image, 30, rule), clBlack);
  EXPECT_EQ(PixelAt(page.image, 30, rule + 1), clWhite);
  page.Clear();
  THTMLDrawParams measure;
  measure.MeasureOnly = true;
  EXPECT_GT(page.Draw("<BODY bgcolor=clred>text", {0, 0, 200, 100}, measure).Width, 0);
  EXPECT_EQ(page.Count(clWhite), 200 * 100);
}

TEST(HTMLDraw, PicturesFromTheContainer) {
  TPage page;
  TPictureContainer container(nullptr);
  TPictureItem& item = container.Items().Add();
  item.Name = "Blue";
  ASSERT_TRUE(item.Picture().LoadFromBytes(picture_fixture::Bmp(6, 5, clBlue, clBlue)));
  THTMLDrawParams params;
  params.PictureContainer = &container;
  const int a = page.Extent("a").cx;
  const THTMLDrawResult result = page.Draw("a<IMG src=\"blue\"><IMG src=\"blue\" width=12 height=20>", {0, 0, 200, 100},
                                           params);
  EXPECT_EQ(result.Width, a + 6 + 12);
  EXPECT_EQ(result.Height, 20);
  EXPECT_EQ(PixelAt(page.image, a + 1, 19), clBlue);  // on the line's bottom
  EXPECT_EQ(PixelAt(page.image, a + 1, 14), clWhite);
  EXPECT_EQ(PixelAt(page.image, a + 6 + 11, 0), clBlue);  // stretched to its given size
}

// An 8 x 6 list image: its left half transparent, its right half red.
TEST(HTMLDraw, ImageListImagesAtTheListSizeAndZoomed) {
  TPage page;
  ASSERT_EQ(GetDeviceCaps(page.Canvas().Handle(), LOGPIXELSX), 96) << "sizes below are for a 96 dpi screen";
  TImageList list(nullptr);
  controls_scene::FillList(list, 8, 6, {});
  TPngImage half;
  half.CreateBlank(8, 6, {255, 0, 0, 255});
  for (uint32_t y = 0; y < 6; ++y)
    for (uint32_t x = 0; x < 4; ++x) half.SetPixel(x, y, {0, 0, 0, 0});
  TPngGraphic graphic;
  graphic.SetImage(half);
  list.Add(graphic);
  const int a = page.Extent("a").cx, alt = page.Extent("[1]").cx, line = page.LineHeight();
  const struct {
    const char* name;
    std::string html;
    double zoom;
    int width, height;
    int redX, whiteX;  // on the bottom row: the image's first red column, its last transparent one
    int reds;
  } rows[] = {
      {"the list's size", "a<IMG src=\"IDX:0\">", 1.0, a + 8, std::max(line, 6), a + 4, a + 3, 4 * 6},
      {"zoomed twice", "a<IMG src=\"IDX:0\">", 2.0, a + 16, std::max(line, 12), a + 8, a + 7, 8 * 12},
      {"no such image: the alt text", "<IMG src=\"IDX:1\" alt=\"[1]\">", 1.0, alt, line, -1, -1, 0},
  };
  THTMLDrawParams params;
  params.Images = &list;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    page.Clear();
    params.ImageZoom = row.zoom;
    const THTMLDrawResult result = page.Draw(row.html, {0, 0, 200, 100}, params);
    EXPECT_EQ(result.Width, row.width);
    EXPECT_EQ(result.Height, row.height);
    EXPECT_EQ(page.Count(clRed), row.reds);
    if (row.redX < 0) continue;
    const int bottom = result.Height - 1;  // the image sits on the line's bottom
    EXPECT_EQ(PixelAt(page.image, row.redX, bottom), clRed);
    EXPECT_EQ(PixelAt(page.image, row.whiteX, bottom), clWhite);
  }
}

TEST(HTMLDraw, EveryGdiObjectIsDeletedAlsoWithUnclosedTags) {
  TPage page;
  const std::string html =
      "<BODY bgcolor=clred bgcolorto=clblue dir=v><FONT face=\"Arial\" size=5 bgcolor=\"#00FF00\" color=clnavy>"
      "<B><I><U><S><SH><E><R a=30><A href=\"http://x\">unclosed <SUB>tags <P align=center bgcolor=#00FF00 "
      "bgcolorto=#0000FF>every<HI>where <UL><LI>item<UL><LI>deeper";
  THTMLDrawParams params;
  params.FocusAnchor = 1;
  params.CheckHotspot = true;
  auto work = [&] { page.Draw(html, {0, 0, 200, 100}, params); };
  const DWORD before = SettledGdiObjectCount(work);
  ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
  for (int i = 0; i < 1000; ++i) work();
  EXPECT_EQ(GdiObjectCount(), before);
  // The canvas still draws with its own font afterwards.
  page.Clear();
  page.Canvas().TextOut(0, 0, "x");
  EXPECT_GT(page.Count(clBlack), 0);
}

}  // namespace
