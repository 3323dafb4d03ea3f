// What the tests of the SDD buttons, check box and spin buttons share: a shown form with a log of events and no
// reported exception, controls erased and painted into a bitmap as the platform does it, mouse and key input
// through the windows' own messages, and theme parts drawn by the platform for comparison.
#pragma once

#include <uxtheme.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/sddcontrols/SDDTestScene.h"

namespace sdd_test {

struct TButtonScene : TFormScene {
  runtimetest::TReportCapture reports;
  std::vector<std::string> log;
  TButtonScene() : TFormScene(bsNone, 400, 200) {}
  ~TButtonScene() { EXPECT_TRUE(reports.Reports.empty()) << reports.Reports.front().Text; }
  TNotifyEvent Logs(const std::string& what) {
    return [this, what](TObject*) { log.push_back(what); };
  }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    auto* control = new T(form.get());
    control->SetParent(form.get());
    control->SetBounds(left, top, width, height);
    return control;
  }
};

// The control's background and face, as WM_ERASEBKGND and WM_PAINT draw them into one device context.
inline TCanvasScene& Shot(TWinControl& control, TCanvasScene& scene) {
  scene.image.SetSize(control.Width(), control.Height());
  const auto dc = reinterpret_cast<WPARAM>(scene.Canvas().Handle());
  SendMessageA(control.Handle(), WM_ERASEBKGND, dc, 0);
  SendMessageA(control.Handle(), WM_PAINT, dc, 0);
  return scene;
}

// A mouse message to `window` at a point of its client area, the left button held for a press or a move.
inline void Mouse(TWinControl& window, UINT msg, int x, int y) {
  SendMessageA(window.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

inline void Press(TWinControl& window, int x, int y) {
  Mouse(window, WM_LBUTTONDOWN, x, y);
  Mouse(window, WM_LBUTTONUP, x, y);
}

// The mouse entered the control, as its parent tells it.
inline void Hover(TControl& control) { control.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&control)); }

// A key as the keyboard queues it for the focused window; the loop translates and dispatches it.
inline void Key(WORD key, bool down = true) {
  PostMessageA(GetFocus(), down ? WM_KEYDOWN : WM_KEYUP, key, down ? 1 : 0xC0000001);
  PumpMessages();
}

inline void Stroke(WORD key) {
  Key(key, true);
  Key(key, false);
}

inline void AltChar(char c) {
  PostMessageA(GetFocus(), WM_SYSCHAR, c, 0x20000000);
  PumpMessages();
}

// Holds the Ctrl key down in the thread's keyboard state while it lives.
struct TCtrlHeld {
  TCtrlHeld() { Set(0x80); }
  ~TCtrlHeld() { Set(0); }
  static void Set(BYTE state) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
    SetKeyboardState(keys);
  }
};

// The platform's drawing of a theme part over `back`, at `at` in a bitmap the size of `scene`.
inline void ThemePart(TCanvasScene& scene, const wchar_t* classList, int part, int state, const TRect& at,
                      TColor back) {
  scene.Canvas().Brush().SetColor(back);
  scene.Canvas().FillRect({0, 0, scene.image.Width(), scene.image.Height()});
  HTHEME theme = OpenThemeData(nullptr, classList);
  RECT r = ToRECT(at);
  DrawThemeBackground(theme, scene.Canvas().Handle(), part, state, &r, nullptr);
  CloseThemeData(theme);
}

// Pixels of `r` in which a picture differs from another one, read (dx, dy) further on.
inline int Differences(TCanvasScene& a, TCanvasScene& b, const TRect& r, int dx = 0, int dy = 0) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += a.At(x, y) != b.At(x + dx, y + dy);
  return n;
}

}  // namespace sdd_test
