#include <gtest/gtest.h>
#include <vsstyle.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Themes.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "sddcontrols/unSDDRadChk.h"
#include "sddcontrols/unSDDSpnEdt.h"
#include "tests/sddcontrols/SDDButtonScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kBlue = 0xFF0000;

struct SpinScene : TButtonScene {
  TSDDSpinButtons* spin = Add<TSDDSpinButtons>(10, 10, 16, 24);
  SpinScene() {
    spin->SetColor(kBlue);
    spin->OnUpRightClick = Logs("up");
    spin->OnDownLeftClick = Logs("down");
  }
};

TEST(SDDSpinButtons, ButtonsSplitTheAreaWithAGapAtTheBottom) {
  const struct {
    TOrientation orientation;
    int width, height;
    TRect up, down;
    TPoint gap;
  } rows[] = {
      {orVertical, 16, 24, {0, 0, 16, 12}, {0, 12, 16, 23}, {8, 23}},
      {orVertical, 16, 25, {0, 0, 16, 12}, {0, 12, 16, 24}, {8, 24}},
      {orHorizontal, 32, 16, {16, 0, 32, 15}, {0, 0, 16, 15}, {20, 15}},
      {orHorizontal, 33, 16, {16, 0, 33, 15}, {0, 0, 16, 15}, {3, 15}},
  };
  for (const auto& row : rows) {
    SpinScene s;
    s.spin->SetOrientation(row.orientation);
    s.spin->SetBounds(10, 10, row.width, row.height);
    EXPECT_EQ(s.spin->UpRightButton().BoundsRect(), row.up) << row.width << "x" << row.height;
    EXPECT_EQ(s.spin->DownLeftButton().BoundsRect(), row.down) << row.width << "x" << row.height;
    TCanvasScene shot;
    EXPECT_EQ(Shot(*s.spin, shot).At(row.gap.X, row.gap.Y), kBlue);
  }
  // A new orientation halves or doubles the width.
  SpinScene s;
  s.spin->SetOrientation(orHorizontal);
  EXPECT_EQ(s.spin->Width(), 32);
  s.spin->SetOrientation(orVertical);
  EXPECT_EQ(s.spin->Width(), 16);
}

TEST(SDDSpinButtons, ArrowKeysClickAndKeepTheFocus) {
  const struct {
    WORD key;
    std::vector<std::string> log;
  } rows[] = {{VK_UP, {"up"}}, {VK_DOWN, {"down"}}, {VK_LEFT, {}}, {VK_RIGHT, {}}};
  for (const auto& row : rows) {
    SpinScene s;
    auto* spin = s.Add<TSDDSpinButtons>(40, 10, 16, 24);  // a neighbour the arrows would move the focus to
    spin->SetTabStop(true);
    s.spin->SetTabStop(true);
    s.spin->SetFocus();
    PumpMessages();
    Stroke(row.key);
    EXPECT_EQ(s.log, row.log) << row.key;
    EXPECT_EQ(GetFocus(), s.spin->Handle()) << row.key;
  }
}

TEST(SDDSpinButtons, PressesRepeatAndHandTheFocusOn) {
  const struct {
    int y, ticks;
    std::vector<std::string> log;
  } rows[] = {{5, 0, {"up"}}, {18, 0, {"down"}}, {5, 2, {"up", "up", "up"}}, {18, 1, {"down", "down"}}};
  for (const auto& row : rows) {
    SpinScene s;
    auto* target = s.Add<TSDDCheckBox>(40, 10, 95, 17);
    s.spin->SetFocusControl(target);
    Mouse(*s.spin, WM_LBUTTONDOWN, 8, row.y);
    EXPECT_EQ(GetFocus(), target->Handle());
    TSDDControlButton& held = row.y < 12 ? s.spin->UpRightButton() : s.spin->DownLeftButton();
    for (int i = 0; i < row.ticks; ++i) held.RepeatTick();
    Mouse(*s.spin, WM_LBUTTONUP, 8, row.y);
    EXPECT_EQ(s.log, row.log) << row.y << " " << row.ticks;
  }
}

// The arrow buttons in each state, and a control button of each other style, against the platform's theme parts.
TEST(SDDSpinButtons, ThemedButtonsAreTheirThemeParts) {
  if (!VisualStylesEnabled()) GTEST_SKIP() << "no visual styles";
  const struct {
    const char* name;
    std::function<void(SpinScene&)> setUp;
    const wchar_t* theme;
    int part, state;
    TRect at;  // where the part lies, 10 pixels on; the button shows only its own area (0, 0, 16, 12)
  } rows[] = {
      {"normal", [](SpinScene&) {}, L"Spin", SPNP_UP, UPS_NORMAL, {10, 10, 26, 22}},
      {"hot", [](SpinScene& s) { Mouse(*s.spin, WM_MOUSEMOVE, 8, 5); }, L"Spin", SPNP_UP, UPS_HOT, {10, 10, 26, 22}},
      {"pressed", [](SpinScene& s) { Mouse(*s.spin, WM_LBUTTONDOWN, 8, 5); }, L"Spin", SPNP_UP, UPS_PRESSED,
       {10, 10, 26, 22}},
      {"disabled", [](SpinScene& s) { s.spin->SetEnabled(false); }, L"Spin", SPNP_UP, UPS_DISABLED,
       {10, 10, 26, 22}},
      {"right arrow", [](SpinScene& s) { s.spin->SetDirection(sdLeftRight); }, L"Spin", SPNP_UPHORZ, 1,
       {10, 10, 26, 22}},
      {"drop-down", [](SpinScene& s) { s.spin->UpRightButton().SetStyle(cbsDropDown); }, L"ComboBox",
       CP_DROPDOWNBUTTON, 1, {9, 9, 27, 23}},
      {"glyph face", [](SpinScene& s) { s.spin->UpRightButton().SetStyle(cbsNone); }, L"ScrollBar",
       SBP_THUMBBTNHORZ, 1, {9, 8, 28, 24}},
  };
  for (const auto& row : rows) {
    SpinScene s;
    row.setUp(s);
    // The platform's part is drawn away from the bitmap's edge: it draws parts that start left of it otherwise.
    TCanvasScene shot, expected(40, 40);
    Shot(*s.spin, shot);
    ThemePart(expected, row.theme, row.part, row.state, row.at, kBlue);
    EXPECT_EQ(Differences(shot, expected, {0, 0, 16, 12}, 10, 10), 0) << row.name;
  }
}

TEST(SDDButtonLayouts, ButtonsBoxesAndSpinsReadWithTheirOldProperties) {
  RegisterSDDLayoutClasses();
  TButtonScene scene;
  const std::string text = R"(object F: TForm
  object Jump: TSDDButton
    FrameFlat = True
    GroupIndex = 2
    Down = True
  end
  object Grid: TSDDCheckBox
    Checked = True
    State = cbChecked
    Flat = True
  end
  object Zoom: TSDDSpinButtons
    Color = 12958644
    Direction = sdLeftRight
    Orientation = orHorizontal
    Width = 32
    Height = 16
  end
end
)";
  TLayoutReadError error;
  ASSERT_TRUE(scene.form->LoadLayoutText(text, "test", error)) << error.Text();
  auto* jump = dynamic_cast<TSDDButton*>(scene.form->FindComponent("Jump"));
  auto* grid = dynamic_cast<TSDDCheckBox*>(scene.form->FindComponent("Grid"));
  auto* zoom = dynamic_cast<TSDDSpinButtons*>(scene.form->FindComponent("Zoom"));
  ASSERT_TRUE(jump && grid && zoom);
  EXPECT_TRUE(jump->HotTrack());
  EXPECT_TRUE(jump->Transparent());
  EXPECT_TRUE(jump->Down());
  EXPECT_TRUE(grid->HotTrack());
  EXPECT_TRUE(grid->Checked());
  EXPECT_EQ(zoom->Width(), 32);
  EXPECT_EQ(zoom->UpRightButton().Style(), cbsRight);
  EXPECT_EQ(zoom->DownLeftButton().Style(), cbsLeft);
  zoom->GlyphUpRight().SetSize(32, 16);  // as a layout fills it: a glyph face with two images
  EXPECT_EQ(zoom->UpRightButton().Style(), cbsNone);
  EXPECT_EQ(zoom->NumGlyphsUpRight(), 2);
  zoom->SetDirection(sdUpDown);  // drops the glyph
  EXPECT_TRUE(zoom->GlyphUpRight().Empty());
  EXPECT_EQ(zoom->UpRightButton().Style(), cbsUp);
  EXPECT_EQ(zoom->UpRightButton().Color(), TColor(12958644));
  EXPECT_EQ(zoom->DownLeftButton().BoundsRect(), (TRect{0, 0, 16, 15}));
}

}  // namespace
