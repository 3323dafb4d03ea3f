// What the docking tests share: mouse messages posted at screen points (to the window holding the capture while a
// drag runs, which is where the platform sends them), a whole drag from a press to a release, and screen pixels.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "classlib/Controls.h"
#include "classlib/DeviceContext.h"
#include "tests/classlib/ControlsTestSupport.h"

namespace dock_test {

using controls_test::PumpMessages;

inline void PostAt(HWND wnd, UINT msg, TPoint screen, WPARAM keys) {
  POINT p{screen.X, screen.Y};
  ScreenToClient(wnd, &p);
  PostMessageA(wnd, msg, keys, MAKELPARAM(p.x, p.y));
  PumpMessages();
}

// A left press on `control` at its client point `p`.
inline void PressOn(TWinControl& control, TPoint p) {
  PostAt(control.Handle(), WM_LBUTTONDOWN, control.ClientToScreen(p), MK_LBUTTON);
}

// Moves with the button held through `path`; false when no window holds the capture (no drag runs).
inline bool MoveThrough(std::initializer_list<TPoint> path) {
  for (TPoint p : path) {
    HWND capture = GetCapture();
    if (!capture) return false;
    PostAt(capture, WM_MOUSEMOVE, p, MK_LBUTTON);
  }
  return true;
}

inline void ReleaseAt(TPoint screen) {
  if (HWND capture = GetCapture()) PostAt(capture, WM_LBUTTONUP, screen, 0);
}

// A press on `control` at `from`, moves through `path` (screen points) and a release at the last of them.
inline void DragFrom(TWinControl& control, TPoint from, std::initializer_list<TPoint> path) {
  PressOn(control, from);
  MoveThrough(path);
  ReleaseAt(*(path.end() - 1));
}

inline TColor ScreenPixel(TPoint p) {
  TWindowDC screen(nullptr);
  return GetPixel(screen.Handle(), p.X, p.Y) & 0xFFFFFF;
}

// The centre of a control on the screen.
inline TPoint ScreenCentre(TControl& control) {
  return control.ClientToScreen({control.Width() / 2, control.Height() / 2});
}

}  // namespace dock_test
