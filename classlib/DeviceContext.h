// A device context fetched for a window (or the screen) and released when the holder goes, also when the code
// drawing with it throws.
#pragma once

#include <windows.h>

class TWindowDC {
public:
  enum TArea { Client, Whole };
  // The client area's DC (GetDC), or the whole window's with its non-client parts (GetWindowDC); a null window
  // gives the screen's DC.
  explicit TWindowDC(HWND wnd, TArea area = Client)
      : wnd_(wnd), dc_(area == Whole ? GetWindowDC(wnd) : GetDC(wnd)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  HDC Handle() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

private:
  HWND wnd_;
  HDC dc_;
};
