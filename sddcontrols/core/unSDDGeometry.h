// Platform-free rectangle rules of the SDD controls: border widths by frame style, the panel's border rectangle,
// the status pane's text inset, caption placement, grid lines, the status bar's client rectangle, size grip and
// pane scaling, and the arrow glyphs' polygons.
#pragma once

#include <array>
#include <vector>

#include "sddcontrols/core/unSDDCommonTypes.h"

// ((Left + Right - w) div 2, (Top + Bottom - h) div 2) sized w x h, halves truncated toward zero.
TRect CenterRect(const TRect& r, int width, int height);

// Pixels a panel border of `style` takes from each side it is drawn on.
int BorderStyleWidth(TFrameStyleEx style, int bevelWidth);

// The panel's area inside its borders: less `borderWidth` all round when `withBorderWidth`, then less the outer
// and the inner style's widths on each side in `sides`.
TRect AdjustBorderRect(TRect r, bool withBorderWidth, int borderWidth, TSides sides, TFrameStyleEx outer,
                       TFrameStyleEx inner, int bevelWidth);

// What a status pane's frame of `style` takes from each side of its text area (besides its border width).
int PaneFrameInset(TFrameStyleEx style);

// The top of a caption h pixels high in [top, bottom): unchanged, centred or at the bottom (one pixel up). A
// caption taller than its area is centred too, above the area's top.
int CaptionTop(TAlignmentVertical alignment, int top, int bottom, int height);

// Grid lines of a panel: first + size - 1, first + 2 x size - 1 ... for every whole cell in `extent` (none for a
// size of 0).
std::vector<int> GridLines(int first, int extent, int size);

// The status bar's client rectangle from the panel's: without the program's themes switch it reaches one pixel
// past the bottom and the sides and starts at row 1 (row 2 in the simple mode); with the switch only the simple
// mode is one pixel in on the left, top and right.
TRect StatusBarClientRect(TRect panel, bool useThemes, bool simpleStatus);

// The classic size grip's six 2 x 2 squares for its right and bottom edges (exclusive): their top-left corners.
std::array<TPoint, 6> GripSquares(int right, int bottom);

// The panes' widths after the bar went from `lastWidth` to `newWidth` pixels: each grows by
// round(delta x width / lastWidth), the ratio in single precision. Unchanged while `lastWidth` is 0 or less.
std::vector<int> ScalePaneWidths(const std::vector<int>& widths, int lastWidth, int newWidth);

// The filled polygon of a drop-down arrow and of an arrow pointing up (0), down (1), left (2) or right (3) in r:
// a triangle for the library's own framing, a chevron for the themed one; `pressed` moves it one pixel down-right.
std::vector<TPoint> DropDownArrowPolygon(const TRect& r, bool themed, bool pressed);
std::vector<TPoint> ArrowPolygon(const TRect& r, bool themed, bool pressed, int direction);
