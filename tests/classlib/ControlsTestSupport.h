// Helpers shared by the Win32 tests of the controls: the bare message loop the Direct3D framework runs, GDI
// object counts, the parked cursor, thumb drags on scroll bars and pixel reads.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
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

// The process's live GDI objects, stock objects included. GetGuiResources answers on Windows; Wine 8 stubs it to
// 0 but keeps a per-process handle table, published through the PEB (GdiSharedHandleTable, offset 0xF8 on x64),
// whose live entries have a non-zero type. Entries owned by another process (Windows lists the whole session)
// are left out; Wine leaves the owner 0. 0 means neither source is available.
inline DWORD GdiObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
#ifdef _WIN64
  struct THandleEntry {  // 24 bytes a handle
    uint64_t Object;
    uint16_t ProcessId, Count, Unique;
    uint8_t Type, Flags;
    uint64_t UserPointer;
  };
  static_assert(sizeof(THandleEntry) == 24);
  constexpr size_t kHandleSlots = 0x10000;
  const uint8_t* peb = nullptr;  // the PEB's address is at gs:0x60 on x64
  asm("movq %%gs:0x60, %0" : "=r"(peb));
  const auto* table = *reinterpret_cast<const THandleEntry* const*>(peb + 0xF8);
  if (!table) return 0;
  const uint16_t self = static_cast<uint16_t>(GetCurrentProcessId());
  DWORD live = 0;
  for (size_t i = 0; i < kHandleSlots; ++i)
    if (table[i].Type != 0 && (table[i].ProcessId == 0 || table[i].ProcessId == self)) ++live;
  return live;
#else
  return 0;
#endif
}

// Runs `work` until the GDI object count stops changing (at most a few times) and returns that count. The first
// runs may fill process-wide caches (stock fonts, the system's cache of window DCs), how far depending on timing;
// a leak keeps the count rising, so it still shows when the caller runs `work` again.
template <class TWork>
DWORD SettledGdiObjectCount(TWork&& work) {
  work();
  DWORD count = GdiObjectCount();
  for (int run = 0; run < 4; ++run) {
    work();
    const DWORD next = GdiObjectCount();
    if (next == count) break;
    count = next;
  }
  return count;
}

// Moves the real cursor away from where tests put their windows. The platform sends moves of its own when the
// cursor rests over a new window or a capture ends, and reports mouse leave from where the cursor truly is; a test
// parks it before its window appears and after it is done, so that only the messages a test sends count.
struct TParkedCursor {
  TParkedCursor() { Park(); }
  ~TParkedCursor() { Park(); }
  static void Park() { SetCursorPos(900, 700); }
};

// A scroll bar control's thumb along the bar in client pixels: where it starts, its length, and how far it can
// move between the arrows.
struct TThumbTrack {
  int Start = 0, Length = 0, Travel = 0;
};

inline TThumbTrack ScrollThumb(HWND bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(bar, OBJID_CLIENT, &info);
  const bool vertical = (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
  const RECT& r = info.rcScrollBar;
  const int span = vertical ? r.bottom - r.top : r.right - r.left;
  const int length = info.xyThumbBottom - info.xyThumbTop;
  return {info.xyThumbTop, length, span - 2 * info.dxyLineButton - length};
}

// Presses the thumb's middle, moves the mouse along the bar by each of `moves` (pixels from the press) and
// releases it at the last. The platform tracks the thumb in a loop of its own that reads the queue, so the whole
// gesture is queued before the press is handled.
inline void DragScrollThumb(HWND bar, const std::vector<int>& moves) {
  const bool vertical = (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
  RECT client{};
  GetClientRect(bar, &client);
  const TThumbTrack t = ScrollThumb(bar);
  const int along = t.Start + t.Length / 2, across = (vertical ? client.right : client.bottom) / 2;
  const auto at = [&](int offset) {
    return vertical ? MAKELPARAM(across, along + offset) : MAKELPARAM(along + offset, across);
  };
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at(0));
  for (int offset : moves) PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, at(offset));
  PostMessageA(bar, WM_LBUTTONUP, 0, at(moves.empty() ? 0 : moves.back()));
  PumpMessages();
}

// 0x00BBGGRR of a pixel of a 32-bit bitmap.
inline TColor PixelAt(TBitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.ScanLine(y) + x * 4;
  return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
}

}  // namespace controls_test
