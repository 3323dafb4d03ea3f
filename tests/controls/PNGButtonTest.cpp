#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "controls/pngextra.h"
#include "tests/classlib/ControlsTestSupport.h"

namespace {

constexpr TColor kPanel = 0x1E140A, kNormal = 0x0000C8, kDown = 0x00C800, kOver = 0xC80000, kGroup = 0x00C8C8;
constexpr TColor kFaded = 0x140D4A;  // the normal image at alpha 85 (a third) over the panel, each term rounded

// A borderless form filled by a panel, the buttons' parent.
struct TButtonScene {
  controls_test::TParkedCursor parked;  // first in, last out
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TPanel* panel = new TPanel(form.get());
  std::string log;  // what the buttons heard

  TButtonScene() {
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 40, 240, 120);
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetAlign(alClient);
    panel->SetColor(kPanel);
    form->Show();
    controls_test::PumpMessages();
  }

  // A 23 x 23 button at (left, 10) with a 12 x 12 image of each kind, each of one colour.
  std::unique_ptr<TPNGButton> Add(int left, TPNGButtonStyle style, bool groupMode = false) {
    auto b = std::make_unique<TPNGButton>(form.get());
    b->SetParent(panel);
    b->SetBounds(left, 10, 23, 23);
    b->SetButtonStyle(style);
    b->SetButtonGroupMode(groupMode);
    const std::pair<void (TPNGButton::*)(const TPngGraphic&), TColor> images[] = {
        {&TPNGButton::SetImageNormal, kNormal}, {&TPNGButton::SetImageDown, kDown},
        {&TPNGButton::SetImageOver, kOver}, {&TPNGButton::SetImageGroupMode, kGroup}};
    for (auto [set, c] : images) {
      TPngImage png;
      png.CreateBlank(12, 12, {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 255});
      TPngGraphic graphic;
      graphic.SetImage(png);
      ((*b).*set)(graphic);
    }
    b->OnClick = [this](TObject*) { log += "click "; };
    b->OnMouseEnter = [this](TObject*) { log += "enter "; };
    b->OnMouseExit = [this](TObject*) { log += "exit "; };
    return b;
  }

  // Runs a script on button b: "in" moves onto its centre, "out" far off it, "press" and "release" at its centre,
  // "drag" moves to the row just below it (y = its height) with the button held, "drop" releases there, "right" is
  // a right press, "disable" and "enable" switch it, "group" puts it in group mode, "wide" makes it 30 wide (its
  // image still under the centre point). Each message is posted with the real cursor moved there.
  void Run(TPNGButton& b, const std::string& script) {
    const int x = b.Left() + 11, y = b.Top() + 11, below = b.Top() + b.Height();
    auto post = [&](UINT msg, int px, int py, WPARAM keys) {
      TPoint screen = panel->ClientToScreen({px, py});
      SetCursorPos(screen.X, screen.Y);
      PostMessageA(panel->Handle(), msg, keys, MAKELPARAM(px, py));
      controls_test::PumpMessages();
    };
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
      if (step == "in") post(WM_MOUSEMOVE, x, y, 0);
      else if (step == "out") post(WM_MOUSEMOVE, 200, 100, 0);
      else if (step == "press") post(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      else if (step == "release") post(WM_LBUTTONUP, x, y, 0);
      else if (step == "drag") post(WM_MOUSEMOVE, x, below, MK_LBUTTON);
      else if (step == "drop") post(WM_LBUTTONUP, x, below, 0);
      else if (step == "right") post(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
      else if (step == "group") b.SetButtonGroupMode(true);
      else if (step == "wide") b.SetWidth(30);
      else b.SetEnabled(step == "enable");
    }
  }

  // A pixel of the panel painted through WM_PAINT into a bitmap, in button coordinates.
  TColor At(TPNGButton& b, int x, int y) {
    TBitmap image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(240, 120);
    SendMessageA(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()), 0);
    return controls_test::PixelAt(image, b.Left() + x, b.Top() + y);
  }
};

// What the user sees after a script: the image at the button's centre and a pixel of its frame.
TEST(PNGButton, ImageAndFrameFollowTheMouse) {
  const TColor hl = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
  const std::tuple<TPNGButtonStyle, const char*, const char*, TColor, TPoint, TColor> rows[] = {
      {pbsFlat, "", "", kNormal, {0, 0}, kPanel},
      {pbsFlat, "in", "enter ", kOver, {0, 0}, hl},
      {pbsFlat, "in out", "enter exit ", kNormal, {22, 22}, kPanel},
      {pbsFlat, "in press", "enter ", kDown, {0, 0}, sh},
      {pbsFlat, "in press release", "enter click ", kOver, {22, 22}, sh},
      // Released outside: no click, and the button is up again instead of stuck raised; it can be pressed again.
      {pbsFlat, "in press drag drop", "enter exit ", kNormal, {0, 0}, kPanel},
      {pbsFlat, "in press drag drop in press", "enter exit enter ", kDown, {0, 0}, sh},
      // Below a wide button is outside it, however wide it is.
      {pbsFlat, "group wide in press drag drop", "enter exit ", kNormal, {0, 0}, kPanel},
      {pbsFlat, "in right", "enter ", kOver, {0, 0}, hl},
      {pbsFlat, "disable in press release", "", kFaded, {0, 0}, kPanel},
      // A disabled button hears no leave; enabled again away from the mouse it is not hot.
      {pbsFlat, "in disable out enable", "enter ", kNormal, {0, 0}, kPanel},
      {pbsDefault, "", "", kNormal, {1, 1}, hl},
      {pbsDefault, "in press", "enter ", kDown, {1, 1}, sh},
      {pbsNoFrame, "in", "enter ", kOver, {0, 0}, kPanel},
  };
  TButtonScene s;
  for (const auto& [style, script, log, centre, framePoint, frame] : rows) {
    SCOPED_TRACE(std::to_string(style) + " " + script);
    s.log.clear();
    auto b = s.Add(10, style);
    s.Run(*b, script);
    EXPECT_EQ(s.log, log);
    EXPECT_EQ(s.At(*b, 11, 11), centre);
    EXPECT_EQ(s.At(*b, framePoint.X, framePoint.Y), frame);
    s.Run(*b, "release out");
  }
}

// Three buttons in group mode whose owner checks the one clicked; the stepped button's centre after each step.
TEST(PNGButton, GroupModeLeavesCheckingToTheOwner) {
  TButtonScene s;
  std::unique_ptr<TPNGButton> g[3] = {s.Add(10, pbsFlat, true), s.Add(40, pbsFlat, true), s.Add(70, pbsFlat, true)};
  for (auto& b : g) {
    b->OnMouseEnter = b->OnMouseExit = nullptr;
    b->OnClick = [&s, &g](TObject* sender) {
      s.log += "click ";
      for (auto& other : g) other->SetChecked(other.get() == sender);
    };
  }
  const std::tuple<int, const char*, const char*, TColor> steps[] = {
      {1, "in press release out", "-X-", kGroup},
      // Pressing the checked button changes nothing of its own; its click still reaches the owner.
      {1, "in press", "-X-", kOver},
      {1, "release out", "-X-", kGroup},
      {0, "in press release out", "X--", kGroup},
      {2, "in press", "X--", kDown},
      // Dragged to the row just below its last it is outside: not hot, and dropped there no click.
      {2, "drag", "X--", kNormal},
      {2, "drop", "X--", kNormal},
  };
  for (const auto& [button, script, checked, centre] : steps) {
    SCOPED_TRACE(std::to_string(button) + ": " + script);
    s.Run(*g[button], script);
    std::string marks;
    for (auto& other : g) marks += other->Checked() ? "X" : "-";
    EXPECT_EQ(marks, checked);
    EXPECT_EQ(s.At(*g[button], 11, 11), centre);
  }
  EXPECT_EQ(s.log, "click click click ");
}

}  // namespace
