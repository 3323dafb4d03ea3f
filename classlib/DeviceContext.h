// Device contexts held for one drawing: a window's (or the screen's) DC released when the holder goes, a canvas
// pointed at a DC and let go of it again, and a DC's state saved and restored, also when the code drawing with
// them throws.
#pragma once

#include <windows.h>

#include "classlib/Graphics.h"

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

class TCanvasOnDc {
public:
  TCanvasOnDc(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
  ~TCanvasOnDc() { canvas_.SetHandle(nullptr); }
  TCanvasOnDc(const TCanvasOnDc&) = delete;
  TCanvasOnDc& operator=(const TCanvasOnDc&) = delete;

private:
  TCanvas& canvas_;
};

class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC dc_;
  int saved_;
};
