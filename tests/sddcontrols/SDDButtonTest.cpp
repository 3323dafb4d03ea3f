#include <gtest/gtest.h>
#include <vsstyle.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Themes.h"
#include "classlib/Timer.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDRadChk.h"
#include "tests/sddcontrols/SDDButtonScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000;

struct Pixel {
  int x, y;
  TColor color;
};

// What a row does to a fresh 75 x 25 button before it is painted.
enum TLook : unsigned { Plain = 0, Default = 1, Pressed = 2, GroupDown = 4, Blue = 8, Flat = 16, Hot = 32, Off = 64 };

TSDDButton* LookedButton(TButtonScene& s, unsigned look, bool downPattern = true) {
  auto* b = s.Add<TSDDButton>(10, 10, 75, 25);
  b->SetShowFocusRect(false);
  b->SetShowDownPattern(downPattern);
  if (look & Blue) b->SetColor(kBlue);
  if (look & Flat) b->SetHotTrack(true);
  if (look & Default) b->SetDefault(true);
  if (look & GroupDown) b->SetGroupIndex(1);
  if (look & GroupDown) b->SetDown(true);
  if (look & Hot) Hover(*b);
  if (look & Pressed) Mouse(*b, WM_LBUTTONDOWN, 30, 10);
  if (look & Off) b->SetEnabled(false);
  return b;
}

TEST(SDDButton, ClassicFacesExact) {
  TClassicThemesScope classic;
  const TColor face = clBtnFace;
  const TColor hot = ComplementColor(clHighlight, 180);
  const struct {
    unsigned look;
    std::vector<Pixel> pixels;
  } rows[] = {
      {Plain, {{0, 0, clBtnHighlight}, {74, 0, cl3DDkShadow}, {74, 24, cl3DDkShadow}, {1, 1, cl3DLight},
               {73, 23, clBtnShadow}, {37, 12, face}}},
      {Default, {{0, 0, clWindowFrame}, {74, 24, clWindowFrame}, {1, 1, clBtnHighlight}, {73, 23, cl3DDkShadow},
                 {2, 2, cl3DLight}}},
      {Pressed, {{0, 0, clWindowFrame}, {1, 1, clBtnText}, {73, 23, clBtnText}, {2, 2, clBtnShadow}, {37, 12, face}}},
      {GroupDown, {{0, 0, clBtnShadow}, {74, 24, clBtnHighlight}, {1, 1, cl3DDkShadow}, {73, 23, cl3DLight},
                   {5, 5, clSilver}, {6, 5, face}, {71, 21, clSilver}}},  // the down pattern
      {Blue, {{0, 0, LighterColor(kBlue, 100)}, {74, 24, DarkerColor(kBlue, 100)}, {1, 1, LighterColor(kBlue, 40)},
              {73, 23, DarkerColor(kBlue, 50)}, {37, 12, kBlue}}},
      {Flat, {{0, 0, DarkerColor(face, 20)}, {74, 24, LighterColor(face, 20)}, {1, 1, cl3DDkShadow},
              {2, 2, LighterColor(face, 20)}, {2, 20, DarkerColor(face, 10)}, {2, 21, DarkerColor(face, 20)},
              {2, 22, DarkerColor(face, 30)}, {72, 10, DarkerColor(face, 20)}, {37, 12, face}}},
      {Flat | Hot, {{1, 1, cl3DDkShadow}, {2, 2, hot}, {3, 3, LighterColor(hot, 10)}, {72, 22, DarkerColor(hot, 30)},
                    {37, 12, face}}},
      {Flat | Pressed, {{1, 1, cl3DDkShadow}, {2, 2, DarkerColor(face, 10)}, {37, 12, DarkerColor(face, 10)}}},
      {Flat | Off, {{0, 0, LighterColor(clBtnShadow, 30)}, {74, 24, LighterColor(clBtnShadow, 30)}, {1, 1, face}}},
  };
  for (const auto& row : rows) {
    TButtonScene s;
    TCanvasScene shot;
    Shot(*LookedButton(s, row.look), shot);
    for (const Pixel& p : row.pixels)
      EXPECT_EQ(shot.At(p.x, p.y), Rgb(p.color)) << row.look << " at " << p.x << "," << p.y;
  }
}

TEST(SDDButton, TextStylesLayOffsetCopiesOfTheCaptionUnderIt) {
  TClassicThemesScope classic;
  constexpr TColor kInk = 0x000000, kFace = 0xFFFFFF, kShadow = kRed, kLight = kBlue;
  struct Copy {
    int dx, dy;
    TColor color;
  };
  struct Row {
    const char* name;
    TTextStyle style;
    bool light;
    std::vector<Copy> under;  // drawn in this order, the caption in the font colour last
  };
  const Row rows[] = {
      {"raised", tsRaised, false, {{1, 1, kShadow}, {-1, -1, kLight}}},
      {"raised, light", tsRaised, true, {{-1, -1, kLight}}},
      {"recessed", tsRecessed, false, {{1, 1, kLight}, {-1, -1, kShadow}}},
      {"recessed, light", tsRecessed, true, {{1, 1, kLight}}},
      {"shadow three deep", tsShadow, false, {{3, 3, kShadow}}},
  };
  const auto paint = [](TButtonScene& s, TTextStyle style, bool light, TCanvasScene& shot) {
    auto* b = s.Add<TSDDButton>(10, 10, 120, 40);
    b->SetShowFocusRect(false);
    b->SetColor(kFace);
    b->Font().SetSize(18);
    b->Font().SetStyle({fsBold});
    b->Font().SetColor(kInk);
    b->SetCaption("HIH");
    b->SetTextShadowColor(kShadow);
    b->SetTextHighlightColor(kLight);
    b->SetTextShadowDepth(3);
    b->SetTextStyle(style);
    b->SetLightTextStyle(light);
    Shot(*b, shot);
  };
  TButtonScene plainScene;
  TCanvasScene plain;
  paint(plainScene, tsNormal, false, plain);
  // The plain caption tells where a copy covers a pixel fully (ink), not at all (face) or partly (a smoothed
  // edge, whose blend depends on what lies under it).
  enum TCover { None, Full, Part };
  const auto cover = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= plain.image.Width() || y >= plain.image.Height()) return None;
    const TColor c = plain.At(x, y);
    return c == kInk ? Full : c == kFace ? None : Part;
  };
  ASSERT_GT(plain.Count(kInk), 100);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TButtonScene s;
    TCanvasScene shot;
    paint(s, row.style, row.light, shot);
    std::vector<Copy> layers = row.under;
    layers.push_back({0, 0, kInk});
    // Inside the face (the frame is 4 pixels), a pixel shows the last copy that covers it fully, when no later one
    // covers it partly.
    int wrong = 0;
    std::vector<int> shown(layers.size());
    for (int y = 4; y < 36; ++y)
      for (int x = 4; x < 116; ++x) {
        TColor expected = kFace;
        bool known = true;
        for (const Copy& layer : layers) {
          const TCover c = cover(x - layer.dx, y - layer.dy);
          if (c == Full) expected = layer.color, known = true;
          if (c == Part) known = false;
        }
        if (!known) continue;
        const TColor got = shot.At(x, y);
        if (got != expected && ++wrong <= 5) ADD_FAILURE() << x << "," << y << ": " << got << " not " << expected;
        for (size_t i = 0; i < layers.size(); ++i) shown[i] += got == expected && expected == layers[i].color;
      }
    EXPECT_EQ(wrong, 0);
    for (int n : shown) EXPECT_GT(n, 10);
  }
}

TEST(SDDButton, ThemedFacesByElementAndState) {
  if (!VisualStylesEnabled()) GTEST_SKIP() << "no visual styles";
  const struct {
    unsigned look;
    int state;
  } rows[] = {{Plain, PBS_NORMAL}, {Hot, PBS_HOT}, {GroupDown, PBS_PRESSED}, {Off, PBS_DISABLED},
              {Default, PBS_DEFAULTED}};
  for (const auto& row : rows) {
    TButtonScene s;
    TCanvasScene shot, expected(75, 25);
    Shot(*LookedButton(s, row.look, false), shot);
    ThemePart(expected, L"Button", BP_PUSHBUTTON, row.state, {0, 0, 75, 25}, clWhite);
    EXPECT_EQ(Differences(shot, expected, {0, 0, 75, 25}), 0) << row.look;
  }
}

TEST(SDDButton, GroupsTalkThroughTheirParent) {
  TButtonScene s;
  std::vector<std::pair<WPARAM, LPARAM>> heard;
  auto* probe = s.Add<TLabel>(0, 150, 10, 10);
  probe->WindowProc = [&](TMessage& m) {
    if (m.Msg == 9249) heard.emplace_back(m.WParam, m.LParam);
    probe->WndProc(m);
  };
  std::vector<TSDDButton*> b;
  for (int group : {1, 1, 1, 2, 0}) {
    b.push_back(s.Add<TSDDButton>(80 * static_cast<int>(b.size()), 10, 75, 25));
    b.back()->SetGroupIndex(group);
  }
  heard.clear();
  const auto downs = [&] {
    std::string d;
    for (TSDDButton* x : b) d += x->Down() ? '1' : '0';
    return d;
  };
  const struct {
    std::function<void()> act;
    std::string downs;
  } steps[] = {
      {[&] { b[4]->SetDown(true); }, "00000"},  // no group, never down
      {[&] { b[3]->SetDown(true); }, "00010"},
      {[&] { Press(*b[0], 5, 5); }, "10010"},
      {[&] { Press(*b[1], 5, 5); }, "01010"},
      {[&] { Press(*b[1], 5, 5); }, "01010"},  // the down one stays down
      {[&] {
         b[2]->SetAllowAllUp(true);  // the group takes it
         Press(*b[1], 5, 5);
       },
       "00010"},
  };
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(downs(), step.downs);
  }
  ASSERT_GE(heard.size(), 3u);
  EXPECT_EQ(heard[0], (std::pair<WPARAM, LPARAM>{2, reinterpret_cast<LPARAM>(b[3])}));
  EXPECT_EQ(heard[1], (std::pair<WPARAM, LPARAM>{1, reinterpret_cast<LPARAM>(b[0])}));
  EXPECT_TRUE(b[0]->AllowAllUp());
}

TEST(SDDButton, PressFollowsTheMouseInsideExclusiveEdges) {
  const struct {
    int x, y;
    bool pressed;
  } rows[] = {{74, 24, true}, {75, 10, false}, {10, 25, false}, {-1, 10, false}, {0, 0, true}};
  for (const auto& row : rows) {
    TButtonScene s;
    auto* b = s.Add<TSDDButton>(10, 10, 75, 25);
    b->OnClick = s.Logs("click");
    Mouse(*b, WM_LBUTTONDOWN, 5, 5);
    Mouse(*b, WM_MOUSEMOVE, row.x, row.y);
    EXPECT_EQ(b->Pressed(), row.pressed) << row.x << "," << row.y;
    Mouse(*b, WM_LBUTTONUP, row.x, row.y);
    EXPECT_EQ(s.log.size(), row.pressed ? 1u : 0u) << row.x << "," << row.y;
  }
}

// A standard push button window: it answers the dialog code of one.
class TPushProbe : public TWinControl {
public:
  using TWinControl::TWinControl;

protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= BS_PUSHBUTTON;
  }
};

TEST(SDDButton, DefaultCancelAcceleratorAndSpaceKeys) {
  enum TFocus { Box, Other, Push };
  const struct {
    TFocus focus;
    WORD key;
    bool ctrl;
    std::vector<std::string> log;
  } rows[] = {
      {Box, VK_RETURN, false, {"ok 1"}}, {Box, VK_ESCAPE, false, {"cancel"}},  {Box, VK_RETURN, true, {}},
      {Box, VK_ESCAPE, true, {}},        {Other, VK_RETURN, false, {"other"}}, {Other, VK_SPACE, false, {"other"}},
      {Push, VK_RETURN, false, {}},      {Box, 'J', false, {"other"}},
  };
  for (const auto& row : rows) {
    TButtonScene s;
    auto* box = s.Add<TSDDCheckBox>(0, 100, 20, 20);  // focusable, no push button
    auto* push = s.Add<TPushProbe>(30, 100, 20, 20);
    auto* ok = s.Add<TSDDButton>(0, 10, 75, 25);
    auto* cancel = s.Add<TSDDButton>(80, 10, 75, 25);
    auto* other = s.Add<TSDDButton>(160, 10, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->OnClick = [&](TObject*) { s.log.push_back("ok " + std::to_string(s.form->ModalResult())); };
    cancel->SetCancel(true);
    cancel->OnClick = s.Logs("cancel");
    other->SetCaption("&Jump");
    other->OnClick = s.Logs("other");
    TWinControl* focus[] = {box, other, push};
    focus[row.focus]->SetFocus();
    PumpMessages();
    EXPECT_EQ(ok->ActiveDefault(), row.focus == Box);
    if (row.key == 'J') {
      AltChar('j');
    } else if (row.ctrl) {
      TCtrlHeld ctrl;
      Stroke(row.key);
    } else {
      Stroke(row.key);
    }
    EXPECT_EQ(s.log, row.log) << row.focus << " " << row.key << " " << row.ctrl;
  }
}

TEST(SDDControlButton, RepeatsAfterTheDelaysAndOnceMoreOnReleaseInside) {
  const struct {
    int ticks, upX, upY;
    size_t clicks;
  } rows[] = {{0, 5, 5, 1}, {2, 5, 5, 3}, {2, 17, 5, 2}, {1, 5, 21, 1}, {1, 16, 20, 2}};
  for (const auto& row : rows) {
    TButtonScene s;
    auto* b = s.Add<TSDDControlButton>(10, 10, 17, 21);
    b->SetRepeatClicks(true);
    b->OnClick = s.Logs("click");
    Mouse(*s.form, WM_LBUTTONDOWN, 15, 15);
    ASSERT_TRUE(b->RepeatTimer());
    EXPECT_TRUE(b->RepeatTimer()->Enabled());
    EXPECT_EQ(b->RepeatTimer()->Interval(), 400u);
    for (int i = 0; i < row.ticks; ++i) b->RepeatTick();
    if (row.ticks > 0) EXPECT_EQ(b->RepeatTimer()->Interval(), 100u);
    Mouse(*s.form, WM_LBUTTONUP, 10 + row.upX, 10 + row.upY);
    b->RepeatTick();  // released: no more clicks
    EXPECT_EQ(s.log.size(), row.clicks) << row.ticks << " " << row.upX << "," << row.upY;
    EXPECT_FALSE(b->RepeatTimer()->Enabled());
  }
}

TEST(SDDControlButton, ARepeatedClickThatThrowsStopsTheTimerAndIsReported) {
  TButtonScene s;
  auto* b = s.Add<TSDDControlButton>(10, 10, 17, 21);
  b->SetRepeatClicks(true);
  b->SetInitialDelay(1);
  b->OnClick = [](TObject*) { throw std::runtime_error("repeat failed"); };
  Mouse(*s.form, WM_LBUTTONDOWN, 15, 15);
  ASSERT_TRUE(runtimetest::PumpUntil([&] { return !s.reports.Reports.empty(); }));
  EXPECT_EQ(s.reports.Reports.front().Text, "repeat failed");
  EXPECT_FALSE(b->RepeatTimer()->Enabled());
  s.reports.Reports.clear();
  b->OnClick = nullptr;
  Mouse(*s.form, WM_LBUTTONUP, 15, 15);
}

TEST(SDDControlButton, NumGlyphsComesFromStripsOfSquares) {
  const struct {
    int w, h, before, after;
  } rows[] = {{64, 16, 1, 4}, {80, 16, 2, 1}, {32, 16, 3, 2}, {20, 16, 3, 3}, {0, 0, 3, 3}};
  for (const auto& row : rows) {
    TSDDControlButton b(nullptr);
    b.SetNumGlyphs(row.before);
    TBitmap glyph;
    glyph.SetSize(row.w, row.h);
    b.SetGlyph(glyph);
    EXPECT_EQ(b.NumGlyphs(), row.after) << row.w << "x" << row.h;
  }
}

TEST(SDDControlButton, ClassicFacesAndTheDisabledGlyph) {
  TClassicThemesScope classic;
  const struct {
    bool flat, hot, pressed;
    TColor corner;
  } rows[] = {{false, false, false, clBtnHighlight}, {false, false, true, clBtnShadow}, {true, false, false, kBlue},
              {true, true, false, clBtnHighlight},   {true, false, true, clBtnShadow}};
  for (const auto& row : rows) {
    TButtonScene s;
    auto* b = s.Add<TSDDControlButton>(10, 10, 17, 21);
    b->SetStyle(cbsUp);
    b->SetColor(kBlue);
    b->SetFlat(row.flat);
    if (row.hot) Hover(*b);
    if (row.pressed) Mouse(*s.form, WM_LBUTTONDOWN, 15, 15);
    TCanvasScene shot;
    Shot(*s.form, shot);
    EXPECT_EQ(shot.At(10, 10), Rgb(row.corner)) << row.flat << row.hot << row.pressed;
    EXPECT_EQ(shot.At(18 + row.pressed, 20 + row.pressed), 0u);  // the arrow, one pixel on when pressed
  }
  // Two 8 x 8 images, red and blue: the second one shows while disabled; the bottom-left pixel is transparent.
  TButtonScene s;
  auto* b = s.Add<TSDDControlButton>(10, 10, 17, 21);
  TCanvasScene strip(16, 8);
  strip.Canvas().Brush().SetColor(kRed);
  strip.Canvas().FillRect({0, 0, 8, 7});
  strip.Canvas().Brush().SetColor(kBlue);
  strip.Canvas().FillRect({8, 0, 16, 7});
  b->SetGlyph(strip.image);
  for (bool enabled : {true, false}) {
    b->SetEnabled(enabled);
    TCanvasScene shot;
    Shot(*s.form, shot);
    EXPECT_EQ(shot.At(18, 20), enabled ? kRed : kBlue);  // the glyph sits at (14, 16) in the form
    EXPECT_EQ(shot.At(14, 23), Rgb(clBtnFace));
  }
}

}  // namespace
