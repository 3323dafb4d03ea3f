// Sections: rectangles and borders; captions and grids; status bar; arrows.
#include "sddcontrols/core/unSDDGeometry.h"

#include <cmath>

// ---- rectangles and borders -----------------------------------------------------------------------------------

TRect CenterRect(const TRect& r, int width, int height) {
  const int left = (r.Left + r.Right - width) / 2;
  const int top = (r.Top + r.Bottom - height) / 2;
  return {left, top, left + width, top + height};
}

int BorderStyleWidth(TFrameStyleEx style, int bevelWidth) {
  switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 2;
  }
}

TRect AdjustBorderRect(TRect r, bool withBorderWidth, int borderWidth, TSides sides, TFrameStyleEx outer,
                       TFrameStyleEx inner, int bevelWidth) {
  if (withBorderWidth) r = {r.Left + borderWidth, r.Top + borderWidth, r.Right - borderWidth, r.Bottom - borderWidth};
  for (TFrameStyleEx style : {outer, inner}) {
    const int w = BorderStyleWidth(style, bevelWidth);
    if (sides.Contains(sdLeft)) r.Left += w;
    if (sides.Contains(sdTop)) r.Top += w;
    if (sides.Contains(sdRight)) r.Right -= w;
    if (sides.Contains(sdBottom)) r.Bottom -= w;
  }
  return r;
}

int PaneFrameInset(TFrameStyleEx style) {
  switch (style) {
    case fsNone:
    case fsFlatRounded: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
  }
}

// ---- captions and grids ---------------------------------------------------------------------------------------

int CaptionTop(TAlignmentVertical alignment, int top, int bottom, int height) {
  switch (alignment) {
    case avCenter: return (top + bottom - height) / 2;
    case avBottom: return bottom - height - 1;
    default: return top;
  }
}

std::vector<int> GridLines(int first, int extent, int size) {
  std::vector<int> lines;
  if (size <= 0) return lines;
  for (int i = 1; i <= extent / size; ++i) lines.push_back(first - 1 + size * i);
  return lines;
}

// ---- status bar -----------------------------------------------------------------------------------------------

TRect StatusBarClientRect(TRect r, bool useThemes, bool simpleStatus) {
  if (!useThemes) {
    r.Bottom += 1;
    r.Top = simpleStatus ? 2 : 1;
    r.Left -= 1;
    r.Right += 1;
  } else if (simpleStatus) {
    r.Left += 1;
    r.Top += 1;
    r.Right -= 1;
  }
  return r;
}

std::array<TPoint, 6> GripSquares(int r, int b) {
  return {{{r - 4, b - 12}, {r - 4, b - 8}, {r - 4, b - 4}, {r - 8, b - 8}, {r - 8, b - 4}, {r - 12, b - 4}}};
}

std::vector<int> ScalePaneWidths(const std::vector<int>& widths, int lastWidth, int newWidth) {
  std::vector<int> result = widths;
  if (lastWidth <= 0) return result;
  const int delta = newWidth - lastWidth;
  for (int& w : result) {
    const float ratio = static_cast<float>(w) / static_cast<float>(lastWidth);
    w += static_cast<int>(std::nearbyint(delta * static_cast<double>(ratio)));
  }
  return result;
}

// ---- arrows ---------------------------------------------------------------------------------------------------

namespace {

TPoint ArrowCentre(const TRect& r) {
  TPoint c{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  if (r.Height() % 2 == 0) c.Y -= 1;
  return c;
}

}  // namespace

std::vector<TPoint> DropDownArrowPolygon(const TRect& r, bool themed, bool pressed) {
  TPoint c = ArrowCentre(r);
  c.Y += themed ? 4 : 2;
  if (pressed) {
    c.X += 1;
    c.Y += 1;
  }
  const int x = c.X, y = c.Y;
  if (!themed) return {{x, y}, {x - 3, y - 4}, {x + 4, y - 4}};
  return {{x, y}, {x - 4, y - 5}, {x - 3, y - 7}, {x, y - 3}, {x + 3, y - 7}, {x + 5, y - 5}};
}

std::vector<TPoint> ArrowPolygon(const TRect& r, bool themed, bool pressed, int direction) {
  TPoint c = ArrowCentre(r);
  static const TPoint customShift[] = {{0, 2}, {0, 2}, {-2, 0}, {-2, 0}};
  static const TPoint themedShift[] = {{0, 4}, {0, 2}, {-1, 0}, {-3, 0}};
  if (direction < 0 || direction > 3) return {};
  const TPoint shift = themed ? themedShift[direction] : customShift[direction];
  c.X += shift.X;
  c.Y += shift.Y;
  if (pressed) {
    c.X += 1;
    c.Y += 1;
  }
  const int x = c.X, y = c.Y;
  if (!themed) {
    switch (direction) {
      case 0: return {{x, y - 5}, {x + 4, y}, {x - 4, y}};
      case 1: return {{x, y + 1}, {x - 3, y - 3}, {x + 4, y - 3}};
      case 2: return {{x, y}, {x + 4, y - 4}, {x + 4, y + 4}};
      default: return {{x + 4, y}, {x, y + 4}, {x, y - 4}};
    }
  }
  switch (direction) {
    case 0: return {{x, y - 5}, {x + 4, y}, {x + 1, y}, {x, y - 2}, {x - 1, y}, {x - 4, y}};
    case 1: return {{x, y}, {x - 3, y - 4}, {x, y - 4}, {x, y - 3}, {x + 1, y - 4}, {x + 4, y - 4}};
    case 2: return {{x, y}, {x + 4, y - 4}, {x + 4, y - 1}, {x + 3, y}, {x + 4, y + 1}, {x + 4, y + 4}};
    default: return {{x + 4, y}, {x, y + 4}, {x, y + 1}, {x + 1, y}, {x, y - 1}, {x, y - 4}};
  }
}
