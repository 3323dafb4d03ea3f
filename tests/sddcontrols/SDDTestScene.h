// What the Win32 tests of the SDD controls share: a canvas of a known colour to paint on, a shown form to hold
// controls, controls painted into a bitmap through WM_PAINT, and counts of the pixels of a colour.
#pragma once

#include <windows.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/classlib/ControlsTestSupport.h"

namespace sdd_test {

using controls_test::PixelAt;
using controls_test::PumpMessages;

// Plain RGB of a colour, system colours read from the platform now.
inline TColor Rgb(TColor c) { return ColorToRGB(c) & 0xFFFFFF; }

constexpr TColor kMarker = 0x123456;  // a colour no painter here produces

// A 32-bit bitmap filled with the marker colour.
struct TCanvasScene {
  TBitmap image;
  explicit TCanvasScene(int w = 16, int h = 16) {
    image.SetPixelFormat(pf32bit);
    image.SetSize(w, h);
    image.Canvas().Brush().SetColor(kMarker);
    image.Canvas().FillRect({0, 0, w, h});
  }
  TCanvas& Canvas() { return image.Canvas(); }
  TColor At(int x, int y) { return PixelAt(image, x, y); }
  int Count(TColor rgb) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) n += PixelAt(image, x, y) == rgb;
    return n;
  }
};

// A shown form of the given border style at the screen's corner.
struct TFormScene {
  controls_test::TParkedCursor parked;
  std::unique_ptr<TForm> form;
  explicit TFormScene(TFormBorderStyle style = bsNone, int w = 400, int h = 200) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetBounds(0, 0, w, h);
    form->SetColor(clWhite);
    form->Show();
    PumpMessages();
  }
};

// A windowed control and its windowless children as WM_PAINT paints them into a given DC.
inline void PaintInto(TWinControl& control, TCanvasScene& scene) {
  scene.image.SetSize(control.Width(), control.Height());
  SendMessageA(control.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(scene.Canvas().Handle()), 0);
}

// A pixel of the whole window, non-client area included; with `redraw`, after the window and its frame were drawn
// again.
inline TColor WindowPixel(HWND wnd, int x, int y, bool redraw = true) {
  if (redraw) RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetWindowDC(wnd);
  const TColor c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

}  // namespace sdd_test
