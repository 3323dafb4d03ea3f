#include <gtest/gtest.h>
#include <vsstyle.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Themes.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDRadChk.h"
#include "tests/sddcontrols/SDDButtonScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kNavy = 0x800000, kMask = 0x00FF00;

struct BoxScene : TButtonScene {
  TSDDCheckBox* box = Add<TSDDCheckBox>(10, 10, 95, 17);
  TCanvasScene shot;
  BoxScene() {
    box->OnClick = Logs("click");
    box->SetColor(kBlue);
  }
  TCanvasScene& Paint() { return Shot(*box, shot); }
};

TEST(SDDCheckBox, ClicksCycleThroughTheStates) {
  const struct {
    bool allowGrayed;
    std::vector<TCheckBoxState> states;
  } rows[] = {{false, {cbChecked, cbUnchecked, cbChecked}}, {true, {cbGrayed, cbChecked, cbUnchecked}}};
  for (const auto& row : rows) {
    BoxScene s;
    s.box->SetAllowGrayed(row.allowGrayed);
    for (TCheckBoxState expected : row.states) {
      Press(*s.box, 5, 8);
      EXPECT_EQ(s.box->State(), expected) << row.allowGrayed;
    }
    EXPECT_EQ(s.log.size(), row.states.size());
  }
}

TEST(SDDCheckBox, SpaceEscapeEnterAndTheAccelerator) {
  const struct {
    const char* name;
    bool startOnNext;
    std::vector<std::pair<WORD, bool>> keys;  // key, down; 'G' is Alt+G
    TCheckBoxState state;
    bool endOnNext;
  } rows[] = {
      {"space", false, {{VK_SPACE, true}, {VK_SPACE, false}}, cbChecked, false},
      {"escape takes the press back", false,
       {{VK_SPACE, true}, {VK_ESCAPE, true}, {VK_ESCAPE, false}, {VK_SPACE, false}}, cbUnchecked, false},
      {"enter is a tab", false, {{VK_RETURN, true}, {VK_RETURN, false}}, cbUnchecked, true},
      {"the caption's accelerator focuses and toggles", true, {{'G', true}}, cbChecked, false},
  };
  for (const auto& row : rows) {
    BoxScene s;
    auto* next = s.Add<TSDDCheckBox>(10, 40, 95, 17);
    s.box->SetCaption("Use &Grid");
    s.box->SetTabOnEnter(true);
    (row.startOnNext ? next : s.box)->SetFocus();
    PumpMessages();
    for (const auto& [key, down] : row.keys)
      if (key == 'G')
        AltChar('g');
      else
        Key(key, down);
    EXPECT_EQ(s.box->State(), row.state) << row.name;
    EXPECT_EQ(GetFocus(), (row.endOnNext ? next : s.box)->Handle()) << row.name;
  }
}

// The library's own glyph (hot-track look without themes): frame red on a blue box.
struct ResourceScene : BoxScene {
  TClassicThemesScope classic;
  ResourceScene() {
    box->SetHotTrack(true);
    box->SetFrameColor(kRed);
  }
};

TEST(SDDCheckBox, GlyphSitsAtItsEdgeOfTheMainWindowBoxes) {
  const struct {
    int width;
    TAlignment alignment;
    int left;
  } rows[] = {{95, taRightJustify, 0}, {95, taLeftJustify, 82}, {123, taRightJustify, 0}, {123, taLeftJustify, 110}};
  for (const auto& row : rows) {
    ResourceScene s;
    s.box->SetWidth(row.width);
    s.box->SetHeight(17);
    s.box->SetAlignment(row.alignment);
    EXPECT_EQ(s.box->GlyphRect(), Bounds(row.left, 2, 13, 13));
    TCanvasScene& shot = s.Paint();
    const int x = row.left;
    for (TPoint frame : {TPoint{x, 8}, TPoint{x + 12, 8}, TPoint{x + 6, 2}, TPoint{x + 6, 14}})
      EXPECT_EQ(shot.At(frame.X, frame.Y), kRed) << row.width << " " << frame.X << "," << frame.Y;
    for (TPoint outside : {TPoint{x + 6, 1}, TPoint{x + 6, 15}, TPoint{x ? x - 1 : 13, 8}})
      EXPECT_EQ(shot.At(outside.X, outside.Y), kBlue) << row.width << " " << outside.X << "," << outside.Y;
    EXPECT_EQ(shot.At(x, 2), Rgb(BlendColors(kRed, kBlue, 128)));  // a rounded corner
  }
}

TEST(SDDCheckBox, TransparentBoxShowsTheFormAroundItsGlyph) {
  ResourceScene s;
  constexpr TColor kForm = 0x3080C0;
  s.form->SetColor(kForm);
  s.box->SetTransparent(true);
  s.box->SetCaption("x");
  TCanvasScene& shot = s.Paint();
  EXPECT_EQ(shot.At(6, 1), kForm);
  EXPECT_EQ(shot.At(80, 14), kForm);
  EXPECT_EQ(shot.At(0, 8), kRed);
  EXPECT_EQ(shot.At(0, 2), Rgb(BlendColors(kRed, kForm, 128)));
}

TEST(SDDCheckBox, ResourceGlyphTakesTheColoursOfItsState) {
  const TColor window = Rgb(clWindow);
  const TColor down = Rgb(DarkerColor(clWindow, 20));
  const TColor hot = 0x00A000;
  const struct {
    const char* name;
    std::function<void(TSDDCheckBox&)> setUp;
    TColor face, inner, outer, mark;
  } rows[] = {
      {"normal", [](TSDDCheckBox&) {}, window, window, window, kNavy},
      {"mark like the mask colour", [](TSDDCheckBox& b) { b.SetHighlightColor(kMask); }, window, window, window,
       0x00FF01},
      {"disabled", [](TSDDCheckBox& b) { b.SetEnabled(false); }, 0x405060, 0x405060, 0x405060, Rgb(clBtnShadow)},
      {"pressed", [](TSDDCheckBox& b) { Mouse(b, WM_LBUTTONDOWN, 5, 8); }, down, down, down, kNavy},
      {"hot, actual colour",
       [](TSDDCheckBox& b) {
         b.SetHotTrackColorType(htctActual);
         Hover(b);
       },
       window, DarkerColor(hot, 30), LighterColor(hot, 30), kNavy},
      {"hot, complement", [](TSDDCheckBox& b) { Hover(b); }, window,
       DarkerColor(ComplementColor(hot, 180), 30), ComplementColor(hot, 180), kNavy},
  };
  for (const auto& row : rows) {
    ResourceScene s;
    s.box->SetChecked(true);
    s.box->SetHighlightColor(kNavy);
    s.box->SetHotTrackColor(hot);
    s.box->SetDisabledColor(0x405060);
    row.setUp(*s.box);
    TCanvasScene& shot = s.Paint();
    // Glyph pixels: face (4, 4), inner shade (2, 6), outer shade (1, 6), mark (9, 4); the glyph starts at row 2.
    EXPECT_EQ(shot.At(4, 6), row.face) << row.name;
    EXPECT_EQ(shot.At(2, 8), row.inner) << row.name;
    EXPECT_EQ(shot.At(1, 8), row.outer) << row.name;
    EXPECT_EQ(shot.At(9, 6), row.mark) << row.name;
  }
}

TEST(SDDCheckBox, SystemAndThemedGlyphsAreThePlatformsOwn) {
  const struct {
    TCheckBoxState state;
    bool enabled;
    UINT frame;
    int theme;
  } rows[] = {
      {cbUnchecked, true, DFCS_BUTTONCHECK, CBS_UNCHECKEDNORMAL},
      {cbChecked, true, DFCS_BUTTONCHECK | DFCS_CHECKED, CBS_CHECKEDNORMAL},
      {cbGrayed, true, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_BUTTON3STATE, CBS_MIXEDNORMAL},
      {cbChecked, false, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, CBS_CHECKEDDISABLED},
  };
  for (bool themed : {false, true}) {
    if (themed && !VisualStylesEnabled()) continue;
    for (const auto& row : rows) {
      std::unique_ptr<TClassicThemesScope> classic(themed ? nullptr : new TClassicThemesScope);
      BoxScene s;
      s.box->SetState(row.state);
      s.box->SetEnabled(row.enabled);
      TCanvasScene expected(95, 17);
      if (themed) {
        ThemePart(expected, L"Button", BP_CHECKBOX, row.theme, {0, 2, 13, 15}, kBlue);
      } else {
        expected.Canvas().Brush().SetColor(kBlue);
        expected.Canvas().FillRect({0, 0, 95, 17});
        RECT r{0, 2, 13, 15};
        DrawFrameControl(expected.Canvas().Handle(), &r, DFC_BUTTON, row.frame);
      }
      EXPECT_EQ(Differences(s.Paint(), expected, {0, 0, 14, 17}), 0) << themed << " " << row.state << row.enabled;
    }
  }
}

TEST(SDDCheckBox, CustomStripCellsByStateAndBackToBuiltIn) {
  BoxScene s;
  TBitmap strip;
  strip.SetSize(117, 13);
  const TColor cells[] = {0x101010, 0x202020, 0x303030, 0x404040, 0x505050, 0x606060, 0x707070, 0x909090, 0xA0A0A0};
  for (int i = 0; i < 9; ++i) {
    strip.Canvas().Brush().SetColor(cells[i]);
    strip.Canvas().FillRect(Bounds(13 * i, 0, 13, 13));
  }
  s.box->SetCustomGlyphs(strip);
  EXPECT_TRUE(s.box->UseCustomGlyphs());
  EXPECT_EQ(s.box->GlyphWidth(), 13);
  const struct {
    TCheckBoxState state;
    bool pressed, enabled;
    int cell;
  } rows[] = {{cbUnchecked, false, true, 0}, {cbChecked, false, true, 1}, {cbGrayed, false, true, 2},
              {cbChecked, true, true, 4},    {cbGrayed, true, true, 5},   {cbUnchecked, false, false, 6},
              {cbGrayed, false, false, 8}};
  for (const auto& row : rows) {
    s.box->SetEnabled(row.enabled);
    s.box->SetState(row.state);
    if (row.pressed) Mouse(*s.box, WM_LBUTTONDOWN, 5, 8);
    EXPECT_EQ(s.Paint().At(6, 8), cells[row.cell]) << row.cell;
    if (row.pressed) Mouse(*s.box, WM_LBUTTONUP, 200, 8);
  }
  strip.SetSize(90, 10);  // ten-pixel cells
  s.box->SetCustomGlyphs(strip);
  EXPECT_EQ(s.box->GlyphWidth(), 10);
  s.box->CustomGlyphs().SetSize(0, 0);
  EXPECT_FALSE(s.box->UseCustomGlyphs());
  EXPECT_EQ(s.box->GlyphRect(), Bounds(0, 2, 13, 13));
}

TEST(SDDCheckBox, CheckedFollowsItsActionWhileLinked) {
  BoxScene s;
  TAction action(s.form.get());
  action.OnExecute = [](TObject*) {};
  action.SetChecked(true);
  s.box->SetAction(&action);
  EXPECT_TRUE(s.box->Checked());
  action.SetChecked(false);
  EXPECT_FALSE(s.box->Checked());
  action.SetChecked(true);
  s.box->SetState(cbGrayed);  // no longer equal: the link lets go
  action.SetChecked(false);
  EXPECT_EQ(s.box->State(), cbGrayed);
}

}  // namespace
