#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Themes.h"
#include "tests/classlib/ControlsTestSupport.h"

using namespace controls_test;

namespace {

// Two 8 x 8 images side by side on fuchsia (the transparent colour): a red square at (2,2)-(6,6), a blue one
// filling the whole second image.
void PaintTwoImages(TBitmap& strip) {
  strip.SetSize(16, 8);
  TCanvas& c = strip.Canvas();
  c.Brush().SetColor(clFuchsia);
  c.FillRect({0, 0, 16, 8});
  c.Brush().SetColor(clRed);
  c.FillRect({2, 2, 6, 6});
  c.Brush().SetColor(clBlue);
  c.FillRect({8, 0, 16, 8});
}

TEST(ImageList, DrawsEnabledWithTransparencyAndGreyedAsAnEmbossedShape) {
  TImageList list(nullptr);
  list.SetWidth(8);
  list.SetHeight(8);
  TBitmap strip;
  PaintTwoImages(strip);
  ASSERT_EQ(list.Add(strip, clFuchsia), 0);
  ASSERT_EQ(list.Count(), 2);
  const TColor shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  struct Row {
    const char* name;
    int index;
    bool enabled;
    std::vector<std::pair<TPoint, TColor>> pixels;  // the image is drawn at (10, 10) on teal
  };
  const TColor back = clTeal;
  const Row rows[] = {
      {"enabled", 0, true, {{{12, 12}, clRed}, {{15, 15}, clRed}, {{11, 11}, back}, {{16, 16}, back}}},
      {"second image", 1, true, {{{10, 10}, clBlue}, {{17, 17}, clBlue}, {{18, 18}, back}}},
      {"greyed", 0, false,
       {{{12, 12}, shadow}, {{15, 15}, shadow}, {{16, 16}, light}, {{16, 13}, light}, {{13, 16}, light},
        {{12, 16}, back}, {{11, 11}, back}, {{17, 17}, back}}},
      {"index out of range", 2, true, {{{12, 12}, back}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(32, 32);
    target.Canvas().Brush().SetColor(back);
    target.Canvas().FillRect({0, 0, 32, 32});
    list.Draw(target.Canvas(), 10, 10, row.index, row.enabled);
    for (const auto& [p, color] : row.pixels) EXPECT_EQ(PixelAt(target, p.X, p.Y), color) << p.X << "," << p.Y;
  }
}

TEST(ImageList, ChangeLinksHearOfChangesUntilEitherSideDies) {
  auto list = std::make_unique<TImageList>(nullptr);
  int heard = 0;
  TChangeLink kept;
  kept.OnChange = [&](TObject*) { ++heard; };
  list->RegisterChanges(&kept);
  {
    TChangeLink gone;
    gone.OnChange = [&](TObject*) { heard += 100; };
    list->RegisterChanges(&gone);
  }
  TBitmap strip;
  PaintTwoImages(strip);
  list->Add(strip);
  list->SetWidth(4);  // empties the list
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(heard, 2);
  list.reset();
  EXPECT_EQ(kept.Sender(), nullptr);
}

// The test program runs with the version 6 common controls (its manifest), as the editor does.
TEST(Themes, VisualStylesFollowTheSwitchesAndHandlesAreRenewedAndClosed) {
  ASSERT_TRUE(VisualStylesEnabled()) << "the test program's manifest asks for the version 6 common controls";
  TForm form(nullptr);
  HWND wnd = form.Handle();
  const TThemeHandleCounts before = ThemeHandleCounts();
  auto opened = [&] { return ThemeHandleCounts().Opened - before.Opened; };
  {
    TThemeHandle edit(L"Edit");
    ASSERT_NE(edit.Get(wnd), nullptr);
    edit.Get(wnd);
    EXPECT_EQ(opened(), 1);
    SendMessageA(wnd, WM_THEMECHANGED, 0, 0);
    EXPECT_NE(edit.Get(wnd), nullptr);
    EXPECT_EQ(opened(), 2);
    EXPECT_EQ(ThemeHandleCounts().Open, before.Open + 1);
    {
      TClassicThemesScope classic;
      EXPECT_FALSE(ThemesEnabled());
      EXPECT_FALSE(VisualStylesEnabled());
      EXPECT_EQ(edit.Get(wnd), nullptr);
      EXPECT_EQ(ThemeHandleCounts().Open, before.Open);
    }
    SetUseThemes(false);
    EXPECT_FALSE(VisualStylesEnabled());
    SetUseThemes(true);
    EXPECT_NE(edit.Get(wnd), nullptr);
  }
  EXPECT_EQ(ThemeHandleCounts().Open, before.Open);
}

}  // namespace
