#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "classlib/Forms.h"
#include "controls/AdditionalLayoutClasses.h"
#include "controls/SDXProgress.h"
#include "controls/pngextra.h"
#include "tests/classlib/ControlsTestSupport.h"

using controls_test::PixelAt;

namespace {

constexpr TColor kBack = 0x203040, kRed = 0x0000FF, kBlue = 0xFF0000;

// A 405 x 15 bar (block width 10, inner width 403) from red to blue on kBack at 50 %, with lime text, set up by
// `setup` and painted through WM_PAINT into a bitmap, as its parent paints it.
struct TBar {
  TSDXProgress bar{nullptr};
  TBitmap image;

  TBitmap& Paint(const std::function<void(TSDXProgress&)>& setup = {}) {
    bar.SetBounds(0, 0, 405, 15);
    bar.SetColor(kBack);
    bar.SetStartColor(kRed);
    bar.SetEndColor(kBlue);
    bar.SetPosition(50);
    bar.Font().SetColor(clLime);
    if (setup) setup(bar);
    image.SetPixelFormat(pf32bit);
    image.SetSize(bar.Width(), bar.Height());
    bar.Perform(WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()));
    return image;
  }
};

// Pixels of the middle row: column 1 is red, each column its own step towards blue at the filled width.
TEST(SDXProgress, BarPixels) {
  const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow), dark = ColorToRGB(cl3DDkShadow);
  using P = std::vector<std::pair<int, TColor>>;  // column, colour
  const std::tuple<const char*, std::function<void(TSDXProgress&)>, P> rows[] = {
      {"blocks with a gradient each", [](TSDXProgress&) {},
       P{{0, kBack}, {1, kRed}, {9, 0x0A00F5}, {10, kBack}, {11, 0x0D00F2}, {199, 0xFC0003}, {200, kBack}}},
      {"blocks of one colour each", [](TSDXProgress& b) { b.SetGradientBlocks(false); },
       P{{1, kRed}, {9, kRed}, {11, 0x0D00F2}, {19, 0x0D00F2}, {199, 0xF2000D}, {201, kBack}}},
      {"solid: one gradient over the exact fill", [](TSDXProgress& b) { b.SetSolid(true); },
       P{{1, kRed}, {10, 0x0B00F4}, {201, 0xFE0001}, {202, kBack}}},
      {"full: the last block cut to three columns", [](TSDXProgress& b) { b.SetPosition(100); },
       P{{399, 0xFC0003}, {400, kBack}, {401, 0xFD0002}, {403, 0xFE0001}, {404, kBack}}},
      {"sunken border", [](TSDXProgress& b) { b.SetBorderStyle(bsSingle); },
       P{{0, face}, {1, shadow}, {2, dark}, {3, 0x0300FC}, {404, face}, {403, ColorToRGB(clBtnHighlight)}}},
      {"a colour change redraws", [](TSDXProgress& b) { b.SetColor(clYellow); }, P{{0, clYellow}, {300, clYellow}}},
  };
  for (const auto& [name, setup, pixels] : rows) {
    TBar b;
    b.Paint();
    TBitmap& painted = b.Paint(setup);
    for (const auto& [x, color] : pixels)
      EXPECT_EQ(PixelAt(painted, x, 7), color) << name << " at " << x;
  }
}

// The text is the caption as given, or with only the percentage replaced; centred over the filled part (columns 1
// to 200) or over the whole bar, its lime ink lies within [left, right).
TEST(SDXProgress, TextOverTheBar) {
  const std::tuple<TTextOption, bool, const char*, const char*, int, int> rows[] = {
      {toPercent, false, "", "50%", 1, 201},
      {toPercent, true, "", "50%", 160, 245},
      {toCaption, true, "%s%n%x 100%", "%s%n%x 100%", 110, 295},
      {toFormat, false, "%s done: %d%%", "%s done: 50%", 1, 201},
  };
  for (const auto& [option, centred, caption, text, left, right] : rows) {
    TBar b;
    TBitmap& painted = b.Paint([&](TSDXProgress& p) {
      p.SetCaption(caption);
      p.SetTextCentered(centred);
      p.SetTextOption(option);
    });
    EXPECT_EQ(b.bar.DisplayText(), text);
    std::vector<int> ink;
    for (int x = 0; x < 405; ++x)
      for (int y = 0; y < 15; ++y)
        if (PixelAt(painted, x, y) == clLime) ink.push_back(x);
    EXPECT_TRUE(ink.size() > 10 && ink.front() >= left && ink.back() < right) << text;
  }
}

// Every property of the button and the bar from the layout resource ADDITIONALTESTFORM.
TEST(AdditionalLayout, ButtonAndBarReadWithEveryProperty) {
  RegisterAdditionalLayoutClasses();
  TForm form(nullptr);
  form.LoadLayout("ADDITIONALTESTFORM");
  auto* button = dynamic_cast<TPNGButton*>(form.FindComponent("btnMode"));
  auto* bar = dynamic_cast<TSDXProgress*>(form.FindComponent("pbTotal"));
  ASSERT_TRUE(button && bar);
  EXPECT_EQ(std::tuple(button->TextMargin(), button->ButtonLayout(), button->ButtonStyle(), button->ButtonGroupMode(),
                       button->Checked()),
            std::tuple(7, pbsImageLeft, pbsFlat, true, true));
  // A palette image (alpha 90 and 255 in its tRNS chunk) keeps its alpha in the disabled image.
  const TPngImage& disabled = button->DisabledImage().Image();
  EXPECT_EQ(std::tuple(disabled.Width(), disabled.Pixel(0, 0).A, disabled.Pixel(1, 0).A), std::tuple(4, 90, 255));
  EXPECT_EQ(std::tuple(bar->BorderStyle(), bar->StartColor(), bar->EndColor(), bar->GradientBlocks(), bar->Step(),
                       bar->TextOption(), bar->TextCentered(), bar->HintColor()),
            std::tuple(bsSingle, clRed, clBlue, false, 10, toFormat, true, clYellow));
  // The geometry waits for the whole layout: 201 of 403 columns make 20 blocks.
  EXPECT_EQ(std::tuple(bar->Minimum(), bar->Maximum(), bar->Position(), bar->Geometry().Fill, bar->DisplayText()),
            std::tuple(10, 10000000000, 5000000005, 200, "Total 50%"));
}

}  // namespace
