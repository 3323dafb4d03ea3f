#pragma once
// The help grids over the map view: which grid cell each zoom draws for tiles and for step cells, and the two line
// strips that outline the cells. Coordinates are view pixels (no zoom transform); the grid starts at the view's
// top-left corner, always a tile corner because the scroll positions are even.
#include <cstdint>
#include <vector>

// A vertex of a line strip, in view pixels.
struct TLineVertex {
    float X = 0, Y = 0;
    friend bool operator==(const TLineVertex&, const TLineVertex&) = default;
};

// One grid: its cell in pixels and the vertex list it starts with (a larger view gets a larger list).
struct TGridCell {
    int32_t Width, Height;
    int32_t Capacity;
};

// The tile grid follows the tile cell of the zoom, the step grid its step cell, except at 3 % and 6 %, where the
// step grid draws the tile cell's size. Null for a zoom outside the zoom table.
const TGridCell* TileGridCell(int32_t Zoom);
const TGridCell* StepGridCell(int32_t Zoom);

// The strips of a grid of Cell over a view ViewWidth x ViewHeight, replacing the lists' contents.
// Vertical: n = ViewWidth div w groups (0,0) (0,VH) (kw,VH) (kw,0) ((k+1)w,0), k = 1..n: vertical lines at
// x = w .. n w over the full height, retracing the edges x = 0, y = 0 and y = VH. Horizontal likewise with
// m = ViewHeight div h: lines at y = h .. m h over the full width and the edge x = VW. A view smaller than one
// cell gets an empty strip. Every vertex is drawn: the lists are sized to what the view needs, never cut at the
// cell's capacity.
void BuildGridStrips(const TGridCell& Cell, int32_t ViewWidth, int32_t ViewHeight, std::vector<TLineVertex>& Vertical,
                     std::vector<TLineVertex>& Horizontal);
