// Helpers shared by the Win32 tests of the controls: the bare message loop the Direct3D framework runs, GDI
// object counts, pixel reads, and a recorder for exceptions that reach the application.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Graphics.h"

namespace controls_test {

// The only loop that runs after start-up: Peek, Translate, Dispatch, until the queue is empty.
inline void PumpMessages() {
  MSG msg;
  for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The process's GDI object count; 0 where the platform cannot count them (Wine's GetGuiResources is a stub), in
// which case the tests that compare counts skip themselves rather than compare 0 with 0.
inline DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

// 0x00BBGGRR of a pixel of a 32-bit bitmap.
inline TColor PixelAt(TBitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.ScanLine(y) + x * 4;
  return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
}

// Collects what would reach the user: exceptions handed to the application and message boxes.
class TReportRecorder {
public:
  TReportRecorder() {
    Application->OnException = [this](TObject*, const std::exception& e) { Exceptions.push_back(e.what()); };
    Application->OnMessageBox = [this](const std::string& text, const std::string&, UINT) {
      Boxes.push_back(text);
      return IDOK;
    };
  }
  ~TReportRecorder() {
    Application->OnException = nullptr;
    Application->OnMessageBox = nullptr;
  }
  std::vector<std::string> Exceptions;
  std::vector<std::string> Boxes;
};

}  // namespace controls_test
