#pragma once
// The map view's geometry: which tile and step cell lie under a point of the drawing panel, how far the two
// scroll bars reach for a zoom level and a map size, how scroll positions stay even, and what the jump fields ask
// for. Scroll positions count step cells; the tile origin is half the position, so an even position keeps a
// tile's left (top) step column at the view's edge.
#include <cstdint>
#include <string>

#include "editor/core/uZoomTable.h"

// The cells under a point, counted from the view's corner and, with the scroll positions added, in the map. They
// are not clamped to the map: past its last column or row they run on.
struct TCursorCells {
    int32_t ViewTileX = 0, ViewTileY = 0;
    int32_t ViewStepX = 0, ViewStepY = 0;
    int32_t TileX = 0, TileY = 0;
    int32_t StepX = 0, StepY = 0;
};

// X, Y in panel pixels; the positions are the scroll bars'. A point left of or above the view's corner lies in a
// cell before the view's first (a negative view cell), never in the first.
TCursorCells CellsAtPoint(const TZoomLevel& Level, int32_t X, int32_t Y, int32_t HorzPosition,
                          int32_t VertPosition);

// Value when it is greater than 0, else 2.
int32_t ClampScrollMax(int32_t Value);

// The reach of one scroll bar at zoom level Index (0 to 8): MapCells is the map's width (Across) or height,
// BarPixels the scroll bar's length. The level's own formula, then rounded up to the next even number, so that
// the last position the bar offers keeps tiles and objects aligned.
int32_t ScrollMaximum(int32_t Index, int32_t MapCells, int32_t BarPixels, bool Across);

// The position a scroll bar is moved to when it lands on Position: odd positions go one further.
constexpr int32_t EvenScrollPosition(int32_t Position) { return Position % 2 != 0 ? Position + 1 : Position; }

// A jump field's text, trimmed, as a number; 0 when it is none.
int32_t JumpFieldValue(const std::string& Text);

// The scroll positions a jump to cell (X, Y) asks for: both fields at least 1, each position 8 cells before the
// cell, so that the cell shows a little inside the view (the bars clamp below 0). False when the jump does nothing.
bool JumpPositions(const std::string& XText, const std::string& YText, int32_t& HorzPosition, int32_t& VertPosition);
