// RAII for the GDI work of one drawing call: the device context's state saved and restored (selected objects,
// colours, modes, clipping: the class library's `TSavedDC`), its clipping narrowed for a while, and GDI objects
// deleted. Declare the objects before the saved state, so that the context lets go of them before they are deleted.
#pragma once

#include <windows.h>

#include "classlib/DeviceContext.h"

#include <memory>
#include <type_traits>

struct TGdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TGdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, TGdiObjectDeleter>;

// The context's clipping narrowed to a rectangle for a while, then put back as it was. Unlike a saved state it
// leaves the selected objects alone, so a canvas drawing on the context stays in step with them.
class TClipScope {
public:
  TClipScope(HDC dc, const RECT& r) : dc_(dc), old_(CreateRectRgn(0, 0, 0, 0)) {
    if (GetClipRgn(dc_, static_cast<HRGN>(old_.get())) != 1) old_.reset();  // no clipping before
    IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
  }
  ~TClipScope() { SelectClipRgn(dc_, static_cast<HRGN>(old_.get())); }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

private:
  HDC dc_;
  TGdiObject old_;
};
