#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "classlib/Hints.h"
#include "controls/SDXProgress.h"
#include "tests/classlib/ControlsTestSupport.h"

using controls_test::PixelAt;

namespace {

constexpr TColor kBack = 0x203040;
constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000;

// A 405 x 15 bar (block width 10, inner width 403) from red to blue on kBack.
struct TBar {
  TSDXProgress bar{nullptr};
  TBitmap image;

  TBar() {
    bar.SetBounds(0, 0, 405, 15);
    bar.SetColor(kBack);
    bar.SetStartColor(kRed);
    bar.SetEndColor(kBlue);
  }
  // The bar painted through WM_PAINT into a bitmap, as its parent paints it.
  TBitmap& Paint() {
    image.SetPixelFormat(pf32bit);
    image.SetSize(bar.Width(), bar.Height());
    bar.Perform(WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()));
    return image;
  }
};

TEST(SDXProgress, BarPixels) {
  const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow),
               highlight = ColorToRGB(clBtnHighlight), dark = ColorToRGB(cl3DDkShadow);
  struct Row {
    const char* name;
    std::function<void(TSDXProgress&)> setup;
    std::vector<std::pair<TPoint, TColor>> pixels;
  };
  const Row rows[] = {
      {"blocks, each column its own gradient colour",
       [](TSDXProgress& b) { b.SetPosition(50); },
       {{{1, 7}, kRed}, {{9, 7}, 0x0A00F5}, {{10, 7}, kBack}, {{11, 7}, 0x0D00F2}, {{199, 7}, 0xFC0003},
        {{5, 1}, 0x0500FA}, {{5, 13}, 0x0500FA}, {{200, 7}, kBack}, {{201, 7}, kBack}, {{403, 7}, kBack},
        {{0, 7}, kBack}, {{404, 7}, kBack}, {{5, 0}, kBack}, {{5, 14}, kBack}}},
      {"blocks of one colour each",
       [](TSDXProgress& b) {
         b.SetGradientBlocks(false);
         b.SetPosition(50);
       },
       {{{1, 7}, kRed}, {{9, 7}, kRed}, {{10, 7}, kBack}, {{11, 7}, 0x0D00F2}, {{19, 7}, 0x0D00F2},
        {{191, 7}, 0xF2000D}, {{199, 7}, 0xF2000D}, {{201, 7}, kBack}}},
      {"solid: one gradient over the exact fill",
       [](TSDXProgress& b) {
         b.SetSolid(true);
         b.SetPosition(50);
       },
       {{{1, 7}, kRed}, {{10, 7}, 0x0B00F4}, {{201, 7}, 0xFE0001}, {{202, 7}, kBack}}},
      {"full: the last block cut to three columns",
       [](TSDXProgress& b) { b.SetPosition(100); },
       {{{399, 7}, 0xFC0003}, {{400, 7}, kBack}, {{401, 7}, 0xFD0002}, {{403, 7}, 0xFE0001}, {{404, 7}, kBack}}},
      {"equal start and end colours",
       [](TSDXProgress& b) {
         b.SetStartColor(clLime);
         b.SetEndColor(clLime);
         b.SetPosition(50);
       },
       {{{1, 7}, clLime}, {{199, 7}, clLime}, {{10, 7}, kBack}, {{201, 7}, kBack}}},
      {"solid in one colour",
       [](TSDXProgress& b) {
         b.SetSolid(true);
         b.SetEndColor(kRed);
         b.SetPosition(50);
       },
       {{{1, 7}, kRed}, {{10, 7}, kRed}, {{201, 7}, kRed}, {{202, 7}, kBack}}},
      {"empty", [](TSDXProgress&) {}, {{{1, 7}, kBack}, {{200, 7}, kBack}}},
      {"sunken border",
       [](TSDXProgress& b) {
         b.SetBorderStyle(bsSingle);
         b.SetPosition(50);
       },
       {{{0, 7}, face}, {{1, 7}, shadow}, {{2, 7}, dark}, {{3, 7}, 0x0300FC}, {{404, 7}, face},
        {{403, 7}, highlight}, {{402, 7}, face}, {{7, 0}, face}, {{7, 1}, shadow}, {{7, 2}, dark},
        {{7, 14}, face}, {{7, 13}, highlight}, {{7, 12}, face}}},
      {"a colour change redraws",
       [](TSDXProgress& b) {
         b.SetPosition(100);
         b.SetColor(clYellow);
       },
       {{{400, 7}, clYellow}, {{0, 7}, clYellow}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TBar b;
    b.Paint();
    row.setup(b.bar);
    TBitmap& painted = b.Paint();
    for (const auto& [p, color] : row.pixels)
      EXPECT_EQ(PixelAt(painted, p.X, p.Y), color) << p.X << "," << p.Y;
  }
}

// Columns whose pixels differ between two paintings of the same bar.
struct TSpan {
  int left = -1, right = -1;
};
TSpan ChangedColumns(TBitmap& a, TBitmap& b) {
  TSpan s;
  for (int x = 0; x < a.Width(); ++x)
    for (int y = 0; y < a.Height(); ++y)
      if (PixelAt(a, x, y) != PixelAt(b, x, y)) {
        if (s.left < 0) s.left = x;
        s.right = x + 1;
      }
  return s;
}

TEST(SDXProgress, TextOverTheBar) {
  struct Row {
    const char* name;
    int64_t position;
    TTextOption option;
    bool centred;
    const char* caption;
    const char* text;
    int reference;  // the width the text is centred in
  };
  const Row rows[] = {
      {"percentage over the filled part", 50, toPercent, false, "", "50%", 200},
      {"percentage over the whole bar", 50, toPercent, true, "", "50%", 405},
      {"at x = 0 while the filled part is narrower", 1, toPercent, false, "", "1%", 0},
      {"caption as it is", 50, toCaption, true, "%s%n%x 100%", "%s%n%x 100%", 405},
      {"caption with the percentage", 50, toFormat, false, "%s done: %d%%", "%s done: 50%", 200},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TBar plain, text;
    for (TBar* b : {&plain, &text}) {
      b->bar.SetPosition(row.position);
      b->bar.SetCaption(row.caption);
      b->bar.SetTextCentered(row.centred);
    }
    text.bar.SetTextOption(row.option);
    EXPECT_EQ(text.bar.DisplayText(), row.text);
    EXPECT_EQ(plain.bar.DisplayText(), "");
    TBitmap measure;
    measure.SetSize(4, 4);
    measure.Canvas().Font().Assign(&text.bar.Font());
    const int width = measure.Canvas().TextWidth(row.text);
    const int left = std::max((row.reference - width) / 2, 0);
    TSpan changed = ChangedColumns(plain.Paint(), text.Paint());
    ASSERT_GE(changed.left, 0) << "no text drawn";
    EXPECT_GE(changed.left, left);
    EXPECT_LE(changed.right, left + width);
    EXPECT_LE(changed.left - left, 3);  // the first glyph's ink begins near its cell
  }
}

// The setters keep Minimum <= Position <= Maximum; an empty range keeps the last geometry (fill 240 at 60 %).
TEST(SDXProgress, RangeAndPositionStayOrderedWithoutOverflow) {
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min(), kMax = std::numeric_limits<int64_t>::max();
  struct Row {
    int64_t setMinimum, setMaximum, setPosition;  // applied in this order
    int64_t minimum, maximum, position;
    int percent, fill;
  };
  const Row rows[] = {
      {0, 100, 150, 0, 100, 100, 100, 403},
      {0, 100, -3, 0, 100, 0, 0, 0},
      {0, -5, 60, 0, 0, 0, 0, 240},
      {200, 100, 60, 100, 100, 100, 0, 240},
      {kMin, kMax, 0, kMin, kMax, 0, 50, 200},
      {kMin, kMax, kMax, kMin, kMax, kMax, 100, 403},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.setMinimum) + ".." + std::to_string(r.setMaximum) + " at " +
                 std::to_string(r.setPosition));
    TBar b;
    b.bar.SetPosition(60);
    b.bar.SetMinimum(r.setMinimum);
    b.bar.SetMaximum(r.setMaximum);
    b.bar.SetPosition(r.setPosition);
    EXPECT_EQ(b.bar.Minimum(), r.minimum);
    EXPECT_EQ(b.bar.Maximum(), r.maximum);
    EXPECT_EQ(b.bar.Position(), r.position);
    EXPECT_EQ(b.bar.Percent(), r.percent);
    EXPECT_EQ(b.bar.Geometry().Fill, r.fill);
  }
}

TEST(SDXProgress, TheBufferIsRedrawnOnlyForVisibleChanges) {
  TBar b;
  b.bar.SetMaximum(10000);
  b.Paint();
  struct Step {
    const char* name;
    std::function<void(TSDXProgress&)> act;
    unsigned extraDraws;
  };
  const Step steps[] = {
      {"the filled width moves", [](TSDXProgress& p) { p.SetPosition(5000); }, 1},
      {"the same blocks", [](TSDXProgress& p) { p.SetPosition(5001); }, 0},
      {"the same value", [](TSDXProgress& p) { p.SetPosition(5001); }, 0},
      {"text switched on", [](TSDXProgress& p) { p.SetTextOption(toPercent); }, 1},
      {"the same blocks and percentage", [](TSDXProgress& p) { p.SetPosition(5050); }, 0},
      {"the percentage moves", [](TSDXProgress& p) { p.SetPosition(5100); }, 1},
      {"a caption the percentage does not show", [](TSDXProgress& p) { p.SetCaption("x"); }, 0},
      {"blocks coloured alike", [](TSDXProgress& p) { p.SetGradientBlocks(false); }, 1},
      {"the same option", [](TSDXProgress& p) { p.SetTextOption(toPercent); }, 0},
      {"gradient blocks do not matter to a solid bar",
       [](TSDXProgress& p) {
         p.SetSolid(true);
         p.SetGradientBlocks(true);
       },
       1},
      {"painting copies the buffer", [&b](TSDXProgress&) { b.Paint(); }, 0},
      {"a resize is drawn at the next paint",
       [&b](TSDXProgress& p) {
         p.SetWidth(300);
         b.Paint();
       },
       1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    unsigned before = b.bar.BufferDraws();
    step.act(b.bar);
    EXPECT_EQ(b.bar.BufferDraws() - before, step.extraDraws);
  }
}

TEST(SDXProgress, MouseOverSwapsTheApplicationHintColour) {
  TBar b;
  std::vector<std::string> log;
  b.bar.SetHintColor(clYellow);
  b.bar.OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  b.bar.OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  HintSettings().HintColor = clInfoBk;
  b.bar.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&b.bar));
  EXPECT_EQ(HintSettings().HintColor, clYellow);
  b.bar.Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&b.bar));
  EXPECT_EQ(HintSettings().HintColor, clInfoBk);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

}  // namespace
