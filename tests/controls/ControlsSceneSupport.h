// The scene the tests of the additional controls share: a borderless form with a white panel, the real cursor
// moved with every posted mouse message (the platform reports mouse leave from where the cursor truly is), and
// the panel painted into a bitmap to read pixels.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "tests/classlib/ControlsTestSupport.h"

namespace controls_scene {

using controls_test::PixelAt;
using controls_test::PumpMessages;

struct TPanelScene {
  controls_test::TParkedCursor parked;  // first in, last out
  std::unique_ptr<TForm> form;
  TPanel* panel = nullptr;

  explicit TPanelScene(int width = 240, int height = 120) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 40, width, height);
    panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(0, 0, width, height);
    panel->SetColor(clWhite);
    form->Show();
    PumpMessages();
  }

  // Posts a mouse message at a point of the panel, with the cursor there, and lets it be handled.
  void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    TPoint screen = panel->ClientToScreen({x, y});
    SetCursorPos(screen.X, screen.Y);
    PostMessageA(panel->Handle(), msg, keys, MAKELPARAM(x, y));
    PumpMessages();
  }
  void Press(int x, int y) { Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  void Release(int x, int y) { Mouse(WM_LBUTTONUP, x, y); }
  void Move(int x, int y, WPARAM keys = 0) { Mouse(WM_MOUSEMOVE, x, y, keys); }

  // The panel with its children painted into a 32-bit bitmap through WM_PAINT.
  TBitmap& Paint() {
    image.SetPixelFormat(pf32bit);
    image.SetSize(panel->Width(), panel->Height());
    SendMessageA(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()), 0);
    return image;
  }
  TColor PaintedPixel(int x, int y) { return PixelAt(Paint(), x, y); }

  TBitmap image;
};

// A PNG graphic of one colour.
inline std::unique_ptr<TPngGraphic> SolidImage(int width, int height, TColor color, uint8_t alpha = 255) {
  TPngImage image;
  image.CreateBlank(width, height,
                    {uint8_t(color & 0xFF), uint8_t((color >> 8) & 0xFF), uint8_t((color >> 16) & 0xFF), alpha});
  auto graphic = std::make_unique<TPngGraphic>();
  graphic->SetImage(image);
  return graphic;
}

// Sets the list's image size and adds one opaque image of each colour.
inline void FillList(TCustomImageList& list, int width, int height, std::initializer_list<TColor> colors) {
  list.SetWidth(width);
  list.SetHeight(height);
  for (TColor color : colors) list.Add(*SolidImage(width, height, color));
}

}  // namespace controls_scene
