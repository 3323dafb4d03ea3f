#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/GlowButtonDraw.h"
#include "controls/GDIPicture.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/controls/ControlsSceneSupport.h"
#include "tests/controls/PictureFixtures.h"

namespace {

using controls_test::PixelAt;

constexpr TColor kDialog = 0xC5BBB4;  // RGB(180, 187, 197), the create-map dialog's background
constexpr TColor kFocus = 14986633;

// A button of the create-map dialog: 90 x 24, style 7's normal colours, no border, caption "Create"; a list of
// one lime 10 x 8 image at hand.
struct TButtonScene {
  TGdiplusSession gdiplus;
  TFont font;
  TBitmap image;
  TGlowButtonDrawInfo info;
  TImageList list{nullptr};

  TButtonScene() {
    controls_scene::FillList(list, 10, 8, {clLime});
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetColor(clBlack);
    info.ClientRect = {0, 0, 90, 24};
    info.Caption = "Create";
    info.Font = &font;
    info.Border = false;
    info.Color = 16777215;
    info.ColorTo = info.ColorMirror = info.ColorMirrorTo = 14675440;
    info.BorderColor = 10070188;
  }
  // Style 7's hot colours (the warm block).
  void Hot() {
    info.Color = 15465983;
    info.ColorTo = 11332863;
    info.ColorMirror = 5888767;
    info.ColorMirrorTo = 10807807;
    info.BorderColor = 10079963;
    info.Glow = true;
  }
  // One colour a half: red above, blue below.
  void Solid() {
    info.Color = info.ColorTo = clRed;
    info.ColorMirror = info.ColorMirrorTo = clBlue;
  }
  TBitmap& Draw() {
    image.SetPixelFormat(pf32bit);
    image.SetSize(90, 24);
    image.Canvas().Brush().SetColor(kDialog);
    image.Canvas().FillRect({0, 0, 90, 24});
    DrawGlowButton(image.Canvas(), info);
    return image;
  }
  TColor At(int x, int y) { return PixelAt(image, x, y); }
  int Channel(int x, int y, int shift) { return (At(x, y) >> shift) & 0xFF; }
};

TEST(GlowButtonDraw, FacePixels) {
  const struct {
    const char* name;
    std::function<void(TButtonScene&)> setup;
    std::vector<std::pair<TPoint, TColor>> pixels;
  } rows[] = {
      {"style 7: the mirror half in its one colour, no border", [](TButtonScene&) {},
       {{{3, 12}, 14675440}, {{3, 23}, 14675440}, {{0, 0}, 0xFFFFFF}, {{89, 23}, 14675440}}},
      {"the upper half overlaps the mirror half by one row", [](TButtonScene& s) { s.Solid(); },
       {{{3, 0}, clRed}, {{3, 11}, clRed}, {{3, 12}, clBlue}, {{3, 23}, clBlue}, {{89, 23}, clBlue}}},
      {"a rounded border in the border colour",
       [](TButtonScene& s) {
         s.Solid();
         s.info.Border = true;
       },
       {{{45, 0}, 10070188}, {{45, 23}, 10070188}, {{0, 12}, 10070188}, {{89, 12}, 10070188}, {{1, 12}, clBlue},
        {{4, 1}, clRed}}},
      {"a square border reaches the corners",
       [](TButtonScene& s) {
         s.Solid();
         s.info.Border = true;
         s.info.Rounded = false;
       },
       {{{0, 0}, 10070188}, {{89, 23}, 10070188}}},
      {"the focus frame inside, dotted grey within it",
       [](TButtonScene& s) {
         s.Solid();
         s.info.FocusFrame = true;
       },
       {{{45, 1}, kFocus}, {{1, 12}, kFocus}, {{88, 12}, kFocus}, {{45, 22}, kFocus}, {{45, 0}, clRed}}},
      {"left of a group: the right edge a little darker",
       [](TButtonScene& s) {
         s.Solid();
         s.info.Border = true;
         s.info.Position = bpLeft;
       },
       {{{0, 12}, 10070188}, {{89, 12}, DarkenColor(10070188, -5)}, {{89, 0}, DarkenColor(10070188, -5)}}},
      {"right of a group, pointer outside: a light join line",
       [](TButtonScene& s) {
         s.Solid();
         s.info.Border = true;
         s.info.Position = bpRight;
       },
       {{{0, 2}, 0xE6E6E6}, {{0, 20}, 0xE6E6E6}, {{0, 1}, clRed}, {{0, 21}, clBlue}, {{89, 12}, 10070188}}},
      {"split drop-down, its part hot: the part darker by 10",
       [](TButtonScene& s) {
         s.Solid();
         s.info.DropDownButton = s.info.Glow = true;
         s.info.DropDownState = 2;
       },
       {{{40, 5}, clRed}, {{40, 18}, clBlue}, {{88, 5}, 0x0000E6}, {{88, 18}, 0xE60000}, {{78, 5}, 10070188}}},
      {"split drop-down, the button hot: the body darker by 10",
       [](TButtonScene& s) {
         s.Solid();
         s.info.DropDownButton = s.info.Glow = true;
         s.info.DropDownState = 1;
       },
       {{{40, 5}, 0x0000E6}, {{40, 18}, 0xE60000}, {{88, 5}, clRed}, {{88, 18}, clBlue}}},
      {"the drop-down arrow",
       [](TButtonScene& s) {
         s.Solid();
         s.info.DropDownButton = true;
       },
       {{{81, 11}, clBlack}, {{85, 11}, clBlack}, {{82, 12}, clBlack}, {{84, 12}, clBlack}, {{83, 13}, clBlack},
        {{81, 12}, clWhite}, {{85, 12}, clWhite}, {{82, 13}, clWhite}, {{84, 13}, clWhite}, {{83, 14}, clWhite},
        {{80, 11}, clRed}, {{86, 11}, clRed}, {{83, 15}, clBlue}}},
      {"an image list's image centred at the list's size, also in the small states",
       [](TButtonScene& s) {
         s.Solid();
         s.info.Images = &s.list;
         s.info.ImageIndex = 0;
         s.info.GlyphSize = {16, 16};
       },
       {{{40, 8}, clLime}, {{49, 15}, clLime}, {{39, 8}, clRed}, {{40, 7}, clRed}, {{50, 15}, clBlue}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TButtonScene scene;
    scene.info.Caption.clear();
    row.setup(scene);
    scene.Draw();
    for (const auto& [p, color] : row.pixels) EXPECT_EQ(scene.At(p.X, p.Y), color) << p.X << "," << p.Y;
  }
}

TEST(GlowButtonDraw, GradientsRunTheirWay) {
  TButtonScene scene;
  scene.info.Caption.clear();
  scene.Hot();
  scene.Draw();
  // Upper half, ColorHot (blue channel 0xEB) at its top towards ColorHotTo (0xAC) at its bottom; the mirror half
  // from ColorMirrorHotTo (0xA4) at its top to ColorMirrorHot (0x59) at its bottom.
  EXPECT_NEAR(scene.Channel(45, 0, 16), 0xEB, 4);
  EXPECT_NEAR(scene.Channel(45, 11, 16), 0xAC, 6);
  EXPECT_NEAR(scene.Channel(45, 12, 16), 0xA4, 8);
  EXPECT_NEAR(scene.Channel(45, 23, 16), 0x59, 8);
  for (int y = 13; y < 24; ++y) EXPECT_LT(scene.Channel(45, y, 16), scene.Channel(45, y - 1, 16)) << y;
  scene.info.Gradient = ggRadial;  // glows from the middle of the top edge
  scene.Draw();
  EXPECT_LT(std::abs(scene.Channel(45, 1, 16) - 0xAC), std::abs(scene.Channel(2, 1, 16) - 0xAC));
}

TEST(GlowButtonDraw, CaptionMeasuredAndDrawn) {
  TButtonScene scene;
  scene.Draw();
  TCanvas& canvas = scene.image.Canvas();
  canvas.Font().Assign(&scene.font);
  const SIZE create = canvas.TextExtent("Create"), two = canvas.TextExtent("Two Lines");
  scene.info.AntiAlias = aaNone;
  scene.info.MeasureOnly = true;
  TGDIPPicture picture;
  ASSERT_TRUE(picture.LoadFromBytes(picture_fixture::Png(20, 20, clRed)));
  const struct {
    const char* caption;
    TGDIPPicture* picture;
    TCustomImageList* images;
    SIZE glyph;  // the small size states' glyph size
    SIZE measured;
  } rows[] = {
      {"Create", nullptr, nullptr, {0, 0}, {create.cx + 2, create.cy}},
      {"Create", &picture, nullptr, {0, 0}, {create.cx + 20 + 2, std::max<LONG>(create.cy, 20 + 2)}},
      {"Two\\nLines", &picture, nullptr, {16, 16}, {two.cx + 16 + 2, std::max<LONG>(two.cy, 16 + 2)}},
      {"Create", nullptr, &scene.list, {16, 16}, {create.cx + 10 + 2, std::max<LONG>(create.cy, 8 + 2)}},
      {"", nullptr, nullptr, {0, 0}, {2, 2}},
  };
  scene.info.ImageIndex = 0;
  for (const auto& row : rows) {
    scene.info.Caption = row.caption;
    scene.info.Picture = row.picture;
    scene.info.Images = row.images;
    scene.info.GlyphSize = row.glyph;
    const SIZE measured = DrawGlowButton(canvas, scene.info);
    EXPECT_EQ(measured.cx, row.measured.cx) << row.caption;
    EXPECT_EQ(measured.cy, row.measured.cy) << row.caption;
  }
  scene.info.Picture = nullptr;
  scene.info.Caption = "Two\\NLines";  // without the small states' glyph size: two lines
  scene.info.GlyphSize = {0, 0};
  EXPECT_EQ(DrawGlowButton(canvas, scene.info).cy, 2 * create.cy);

  // Drawn, the caption darkens the middle of the face and nothing near the edges.
  scene.info.MeasureOnly = false;
  scene.info.Caption = "Create";
  for (TAntiAlias antiAlias : {aaNone, aaClearType}) {
    scene.info.AntiAlias = antiAlias;
    scene.Draw();
    int dark = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 90; ++x) dark += (scene.At(x, y) & 0xFF) < 0x80;
    EXPECT_GT(dark, 10) << antiAlias;
    EXPECT_EQ(scene.At(3, 15), 14675440u);
  }
}

}  // namespace
