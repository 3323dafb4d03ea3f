// What the splitter and size panel tests share: components a layout made, mouse messages posted to a control and
// handled, the cursor a control shows over a point of its client area (by the real cursor), cursors compared by
// their images, and pixels read back from the screen and from a control's window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/DeviceContext.h"
#include "tests/sddcontrols/SDDTestScene.h"

namespace sdd_test {

// The component of that name and class a layout made, or null.
template <class T>
T* Made(TComponent& owner, const char* name) {
  return dynamic_cast<T*>(owner.FindComponent(name));
}

inline void PostMouse(HWND wnd, UINT msg, TPoint p) {
  const WPARAM buttons = msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE ? MK_LBUTTON : 0;
  PostMessageA(wnd, msg, buttons, MAKELPARAM(p.X, p.Y));
  PumpMessages();
}

// The cursor's mask and colour bits: equal images give equal bits, whatever the handle.
inline std::vector<uint8_t> CursorBits(HCURSOR cursor) {
  std::vector<uint8_t> bits;
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return bits;
  for (HBITMAP bitmap : {info.hbmMask, info.hbmColor}) {
    if (!bitmap) continue;
    BITMAP b{};
    GetObjectA(bitmap, sizeof(b), &b);
    const size_t at = bits.size();
    bits.resize(at + static_cast<size_t>(b.bmWidthBytes) * static_cast<size_t>(b.bmHeight));
    GetBitmapBits(bitmap, static_cast<LONG>(bits.size() - at), bits.data() + at);
    DeleteObject(bitmap);
  }
  bits.push_back(static_cast<uint8_t>(info.xHotspot));
  bits.push_back(static_cast<uint8_t>(info.yHotspot));
  return bits;
}

// A cursor resource of this program by name; the arrow for none.
inline std::vector<uint8_t> CursorBits(const char* resource) {
  if (!resource) return CursorBits(LoadCursorA(nullptr, IDC_ARROW));
  return CursorBits(LoadCursorA(GetModuleHandleA(nullptr), resource));
}

// Puts the real cursor over `p` and asks the control for its cursor there.
inline std::vector<uint8_t> CursorOver(TWinControl& control, TPoint p) {
  const TPoint screen = control.ClientToScreen(p);
  SetCursorPos(screen.X, screen.Y);
  ::SetCursor(nullptr);
  SendMessageA(control.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return CursorBits(GetCursor());
}

inline TColor ScreenPixel(TPoint p) {
  TWindowDC dc(nullptr);
  return GetPixel(dc.Handle(), p.X, p.Y);
}

inline TColor WindowPixel(TWinControl& control, TPoint p) {
  TWindowDC dc(control.Handle());
  return GetPixel(dc.Handle(), p.X, p.Y);
}

}  // namespace sdd_test
