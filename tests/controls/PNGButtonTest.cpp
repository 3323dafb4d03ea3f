#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "controls/pngextra.h"
#include "tests/controls/ControlsSceneSupport.h"

using namespace controls_scene;

namespace {

constexpr TColor kPanel = 0x1E140A;
constexpr TColor kNormal = 0x0000C8, kDown = 0x00C800, kOver = 0xC80000, kGroup = 0x00C8C8;

struct TButtonScene : TPanelScene {
  std::vector<std::string> log;

  TButtonScene() { panel->SetColor(kPanel); }

  // A 23 x 23 button with a 12 x 12 image of each kind (the mouse-over one only when `withOver`).
  std::unique_ptr<TPNGButton> Add(const std::string& name, int left, bool groupMode = false, bool withOver = true) {
    auto b = std::make_unique<TPNGButton>(form.get());
    b->SetName(name);
    b->SetParent(panel);
    b->SetBounds(left, 10, 23, 23);
    b->SetImageNormal(*SolidImage(12, 12, kNormal));
    b->SetImageDown(*SolidImage(12, 12, kDown));
    if (withOver) b->SetImageOver(*SolidImage(12, 12, kOver));
    b->SetImageGroupMode(*SolidImage(12, 12, kGroup));
    b->SetButtonGroupMode(groupMode);
    b->OnClick = [this, name](TObject*) { log.push_back("click " + name); };
    b->OnMouseEnter = [this, name](TObject*) { log.push_back("enter " + name); };
    b->OnMouseExit = [this, name](TObject*) { log.push_back("exit " + name); };
    return b;
  }

  // Runs a script on button b: "in" moves onto its centre, "out" far off it, "press" and "release" at its centre,
  // "drag" moves just below its last row with the button held, "drop" releases there, "right" is a right press,
  // "disable" and "enable" switch it.
  void Run(TPNGButton& b, const std::string& script) {
    const int x = b.Left() + 11, y = b.Top() + 11, below = b.Top() + b.Height();
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
      if (step == "in") Move(x, y);
      else if (step == "out") Move(200, 100);
      else if (step == "press") Press(x, y);
      else if (step == "release") Release(x, y);
      else if (step == "drag") Move(x, below, MK_LBUTTON);
      else if (step == "drop") Release(x, below);
      else if (step == "right") Mouse(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
      else if (step == "disable" || step == "enable") b.SetEnabled(step == "enable");
      else ADD_FAILURE() << "unknown step " << step;
    }
  }
  TColor Centre(TPNGButton& b) { return PaintedPixel(b.Left() + 11, b.Top() + 11); }
};

// `top` over `bottom` with alpha a, each channel within 2 of `actual`.
bool BlendsTo(TColor actual, TColor top, TColor bottom, int a) {
  for (int shift = 0; shift <= 16; shift += 8) {
    int c = (int((top >> shift) & 0xFF) * a + int((bottom >> shift) & 0xFF) * (255 - a) + 127) / 255;
    if (std::abs(c - int((actual >> shift) & 0xFF)) > 2) return false;
  }
  return true;
}

TEST(PNGButton, StatesFollowTheMouse) {
  using L = std::vector<std::string>;
  struct Row {
    const char* script;
    L log;
    uint8_t state;
    bool pressed, inside;
    TColor centre;
  };
  const Row rows[] = {
      {"in", {"enter B"}, TPNGButton::StateUp, false, true, kOver},
      {"in out", {"enter B", "exit B"}, TPNGButton::StateUp, false, false, kNormal},
      {"in press", {"enter B"}, TPNGButton::StateDown, true, true, kDown},
      {"in press release", {"enter B", "click B"}, TPNGButton::StateUp, false, true, kOver},
      // Released outside: no click, and the button is up again instead of stuck raised.
      {"in press drag drop", {"enter B", "exit B"}, TPNGButton::StateUp, false, false, kNormal},
      {"in press drag drop in press", {"enter B", "exit B", "enter B"}, TPNGButton::StateDown, true, true, kDown},
      {"in right", {"enter B"}, TPNGButton::StateUp, false, true, kOver},
      {"disable in press release", {}, TPNGButton::StateDisabled, false, false, 0},
      // A disabled button hears no leave; enabled again away from the mouse it is not hot.
      {"in disable out enable", {"enter B"}, TPNGButton::StateUp, false, false, kNormal},
  };
  TButtonScene s;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.script);
    s.Move(200, 100);
    s.log.clear();
    auto b = s.Add("B", 10);
    s.Run(*b, row.script);
    EXPECT_EQ(s.log, row.log);
    EXPECT_EQ(b->State(), row.state);
    EXPECT_EQ(b->Pressed(), row.pressed);
    EXPECT_EQ(b->MouseInside(), row.inside);
    const TColor centre = s.Centre(*b);
    if (row.state == TPNGButton::StateDisabled)
      EXPECT_TRUE(BlendsTo(centre, kNormal, ColorToRGB(clBtnFace), 255 / 3)) << std::hex << centre;
    else
      EXPECT_EQ(centre, row.centre);
  }
}

TEST(PNGButton, GroupModeLeavesCheckingToTheOwner) {
  TButtonScene s;
  std::unique_ptr<TPNGButton> g[3] = {s.Add("G1", 10, true), s.Add("G2", 40, true), s.Add("G3", 70, true)};
  for (auto& b : g) {
    b->OnMouseEnter = b->OnMouseExit = nullptr;
    b->OnClick = [&s, &g](TObject* sender) {
      s.log.push_back("click " + static_cast<TComponent*>(sender)->Name());
      for (auto& other : g) other->SetChecked(other.get() == sender);
    };
  }
  struct Step {
    int button;
    const char* script;
    const char* checked;
    const char* lastLog;
    uint8_t state;
    TColor centre;  // of the stepped button
  };
  const Step steps[] = {
      {1, "in press release out", "-X-", "click G2", TPNGButton::StateUp, kGroup},
      // Pressing the checked button changes nothing of its own; its click still reaches the owner.
      {1, "in press", "-X-", "click G2", TPNGButton::StateUp, kOver},
      {1, "release out", "-X-", "click G2", TPNGButton::StateUp, kGroup},
      {0, "in press release out", "X--", "click G1", TPNGButton::StateUp, kGroup},
      {2, "in press", "X--", "click G1", TPNGButton::StateGroupDown, kDown},
      // Dragged just below its last row it is outside: not hot, and dropped there no click.
      {2, "drag", "X--", "click G1", TPNGButton::StateGroupDown, kNormal},
      {2, "drop", "X--", "click G1", TPNGButton::StateUp, kNormal},
  };
  for (const Step& step : steps) {
    TPNGButton& b = *g[step.button];
    SCOPED_TRACE(b.Name() + ": " + step.script);
    s.Run(b, step.script);
    std::string checked;
    for (auto& other : g) checked += other->Checked() ? "X" : "-";
    EXPECT_EQ(checked, step.checked);
    EXPECT_EQ(s.log.back(), step.lastLog);
    EXPECT_EQ(b.State(), step.state);
    EXPECT_EQ(s.Centre(b), step.centre);
  }
  EXPECT_EQ(s.log.size(), 3u);
  EXPECT_FALSE(g[2]->MouseInside());
}

TEST(PNGButton, FrameStyles) {
  const TColor hl = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace),
               dk = ColorToRGB(cl3DDkShadow);
  struct Row {
    TPNGButtonStyle style;
    const char* script;
    std::vector<std::pair<TPoint, TColor>> pixels;  // in button coordinates
  };
  const Row rows[] = {
      {pbsFlat, "", {{{0, 0}, kPanel}, {{22, 22}, kPanel}, {{11, 11}, kNormal}}},
      // Hot without a mouse-over image: raised frame, normal image.
      {pbsFlat,
       "in",
       {{{0, 0}, hl}, {{22, 0}, sh}, {{0, 22}, sh}, {{22, 22}, sh}, {{1, 1}, kPanel}, {{11, 11}, kNormal}}},
      {pbsFlat, "in press", {{{0, 0}, sh}, {{22, 22}, hl}, {{1, 1}, kPanel}, {{11, 11}, kDown}}},
      {pbsFlat, "disable in", {{{0, 0}, kPanel}, {{22, 22}, kPanel}}},
      {pbsDefault, "", {{{0, 0}, kPanel}, {{1, 0}, dk}, {{22, 1}, dk}, {{1, 1}, hl}, {{21, 21}, sh}, {{3, 3}, face}}},
      {pbsDefault, "in press", {{{1, 0}, dk}, {{1, 1}, sh}, {{21, 21}, face}}},
      {pbsNoFrame, "in", {{{0, 0}, kPanel}, {{22, 22}, kPanel}, {{3, 3}, kPanel}}},
  };
  TButtonScene s;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.style) + " " + row.script);
    s.Move(200, 100);
    auto b = s.Add("B", 10, false, false);
    b->SetButtonStyle(row.style);
    s.Run(*b, row.script);
    TBitmap& painted = s.Paint();
    for (const auto& [p, color] : row.pixels)
      EXPECT_EQ(PixelAt(painted, 10 + p.X, 10 + p.Y), color) << p.X << "," << p.Y;
    s.Run(*b, "release");
  }
}

TEST(PNGButton, ImageAndCaptionLayouts) {
  TButtonScene s;
  auto b = s.Add("B", 10, false, false);
  b->SetBounds(10, 10, 44, 38);
  b->SetImageNormal(*SolidImage(16, 16, kNormal));
  b->SetButtonStyle(pbsNoFrame);
  b->Font().SetColor(clBlack);
  b->SetCaption("Go");
  TBitmap measure;
  measure.SetSize(8, 8);
  measure.Canvas().Font().Assign(&b->Font());
  const SIZE text = measure.Canvas().TextExtent("Go");
  const int tw = text.cx, th = text.cy;

  // Bounding boxes of the image's colour and of everything else drawn, in button coordinates.
  struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    void Add(int x, int y) {
      left = std::min(left, x), top = std::min(top, y), right = std::max(right, x + 1),
      bottom = std::max(bottom, y + 1);
    }
  };
  auto boxes = [&](Box& image, Box& caption, std::vector<TColor>& inks) {
    TBitmap& painted = s.Paint();
    for (int y = 0; y < 38; ++y)
      for (int x = 0; x < 44; ++x) {
        TColor c = PixelAt(painted, 10 + x, 10 + y);
        if (c == kNormal) image.Add(x, y);
        else if (c != kPanel) caption.Add(x, y), inks.push_back(c);
      }
  };
  struct Row {
    TPNGButtonLayout layout;
    int imageX, imageY, textX, textY;
  };
  const Row rows[] = {
      {pbsImageAbove, 14, (38 - 20 - th) / 2, (44 - tw) / 2, (38 - 20 - th) / 2 + 20},
      {pbsImageBellow, 14, (38 - 20 - th) / 2 + th, (44 - tw) / 2, (38 - 20 - th) / 2},
      {pbsImageLeft, 3, 38 / 2 - 20 / 2 + 1, 3 + 16 + 5, (38 - th) / 2},
      {pbsImageRight, (44 - 16 - tw) / 2 + tw + 5, (38 - 20) / 2, (44 - 16 - tw) / 2, (38 - th) / 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.layout);
    b->SetButtonLayout(row.layout);
    Box image, caption;
    std::vector<TColor> inks;
    boxes(image, caption, inks);
    EXPECT_EQ((TRect{image.left, image.top, image.right, image.bottom}), Bounds(row.imageX, row.imageY, 16, 16));
    ASSERT_GE(caption.right, 0) << "no caption drawn";
    EXPECT_TRUE(caption.left >= row.textX && caption.right <= row.textX + tw) << caption.left << ".." << caption.right;
    EXPECT_TRUE(caption.top >= row.textY && caption.bottom <= row.textY + th) << caption.top << ".." << caption.bottom;
    EXPECT_NE(std::find(inks.begin(), inks.end(), clBlack), inks.end());
  }

  // Disabled, the caption is drawn in the grey-text colour; the font itself keeps its colour.
  b->SetImageNormal(*SolidImage(16, 16, kNormal, 0));
  b->SetEnabled(false);
  Box image, caption;
  std::vector<TColor> inks;
  boxes(image, caption, inks);
  ASSERT_FALSE(inks.empty());
  EXPECT_EQ(std::find(inks.begin(), inks.end(), clBlack), inks.end());
  EXPECT_NE(std::find(inks.begin(), inks.end(), ColorToRGB(clGrayText)), inks.end());
  EXPECT_EQ(b->Font().Color(), clBlack);
}

std::vector<uint8_t> Hex(const char* text) {
  std::vector<uint8_t> bytes;
  for (const char* p = text; p[0] && p[1]; p += 2) bytes.push_back(uint8_t(std::stoi(std::string(p, 2), nullptr, 16)));
  return bytes;
}

// 4 x 4, colour type 3: a red entry with alpha 90 (tRNS) and an opaque blue one, alternating.
const char* const kPalettePng =
    "89504E470D0A1A0A0000000D49484452000000040000000408030000009E2F6E4C00000006504C5445FF00000000FF6CA1FD8E000000"
    "0174524E535ACB58608C0000000F4944415478DA636060844206380B00006400095467DA140000000049454E44AE426082";

TEST(PNGButton, DisabledImageFadesAlphaExceptForPaletteImages) {
  struct Row {
    const char* name;
    std::function<void(TPNGButton&)> set;
    bool palette;
    uint8_t alpha00, alpha10;  // the disabled image's alpha at (0,0) and (1,0)
  };
  auto solid = [](uint8_t alpha) {
    return [alpha](TPNGButton& b) { b.SetImageNormal(*SolidImage(3, 2, kNormal, alpha)); };
  };
  const Row rows[] = {
      {"opaque", solid(255), false, 85, 85},
      {"translucent", solid(200), false, 66, 66},
      {"nearly transparent", solid(2), false, 0, 0},
      {"palette, read from its file",
       [](TPNGButton& b) { ASSERT_TRUE(b.ImageNormal().LoadFromBytes(Hex(kPalettePng))); }, true, 90, 255},
      {"palette, copied from another image object",
       [](TPNGButton& b) {
         TPngImageObject source;
         ASSERT_TRUE(source.LoadFromBytes(Hex(kPalettePng)));
         b.SetImageNormal(source);
       },
       true, 90, 255},
      {"unreadable bytes change nothing",
       [](TPNGButton& b) { EXPECT_FALSE(b.ImageNormal().LoadFromBytes(Hex("89504E47"))); }, false, 85, 85},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPNGButton b(nullptr);
    b.SetImageNormal(*SolidImage(2, 2, kDown, 255));  // replaced by the row's image
    row.set(b);
    EXPECT_EQ(b.ImageNormal().IsPalette(), row.palette);
    const TPngImage& normal = b.ImageNormal().Image();
    const TPngImage& disabled = b.DisabledImage().Image();
    ASSERT_EQ(disabled.Width(), normal.Width());
    EXPECT_EQ(disabled.Pixel(0, 0).A, row.alpha00);
    EXPECT_EQ(disabled.Pixel(1, 0).A, row.alpha10);
    EXPECT_EQ(disabled.Pixel(1, 0).B, normal.Pixel(1, 0).B);
  }
}

}  // namespace
