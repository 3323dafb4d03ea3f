// What the tests of the standard controls share: a shown borderless form at the screen's corner, a log of
// events, the exceptions that reached the application (none may), and reading what the windows show.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/classlib/RuntimeTestSupport.h"

namespace controls_test {

struct StdScene {
  TParkedCursor parked;
  runtimetest::TReportCapture reports;
  std::vector<std::string> log;
  std::unique_ptr<TForm> form;

  StdScene() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 300);
    form->SetColor(clWhite);
    form->Show();
    PumpMessages();
  }
  ~StdScene() {
    form.reset();
    PumpMessages();
    EXPECT_TRUE(reports.Reports.empty()) << reports.Reports.front().Text;
  }
  // A logger for notify events: appends `what`.
  TNotifyEvent Logs(const std::string& what) {
    return [this, what](TObject*) { log.push_back(what); };
  }
};

// Characters as the keyboard's translation delivers them.
inline void TypeChars(HWND wnd, const std::string& text) {
  for (char c : text) SendMessageA(wnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline void PressKey(HWND wnd, WORD key) {
  SendMessageA(wnd, WM_KEYDOWN, key, 1);
  SendMessageA(wnd, WM_KEYUP, key, 0xC0000001);
}

// What the window's client area shows now, after it painted what was pending.
inline void CaptureClient(HWND wnd, TBitmap& image) {
  UpdateWindow(wnd);
  RECT r{};
  GetClientRect(wnd, &r);
  image.SetPixelFormat(pf32bit);
  image.SetSize(r.right, r.bottom);
  HDC dc = GetDC(wnd);
  BitBlt(image.Canvas().Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
}

// The leftmost and rightmost columns of row y that differ from `background`; {-1, -1} when none does.
inline std::pair<int, int> InkColumns(TBitmap& image, TColor background) {
  std::pair<int, int> ink{-1, -1};
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (PixelAt(image, x, y) != background) {
        if (ink.first < 0 || x < ink.first) ink.first = x;
        ink.second = std::max(ink.second, x);
      }
  return ink;
}

}  // namespace controls_test
