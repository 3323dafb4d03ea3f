#pragma once
// Where the map view's layers and cursors put their images, as pure functions of the zoom, the view's size, the
// origins and the map's cells: how many view cells a pass visits, which cells lie inside the map, what a cell
// shows (object admission, marker images, animation frames) and the unscaled pixel rectangle of each element.
//
// Unscaled geometry is in 100 % pixels from the view's top-left corner; the renderer's zoom transform scales
// positions and sizes alike (ZoomTable's Scale, z 0.1).
#include "gamedata/core/SDXFunctions.h"

#include <array>
#include <cstdint>

// ---- visible range -----------------------------------------------------------------------------------------

// The highest view column and row a pass visits (both included); -1 and -1 visit nothing.
struct TCellCount {
    int32_t Columns = -1;
    int32_t Rows = -1;
};

// Tiles of a view Width x Height pixels at Zoom percent: the tile cell of the zoom plus a margin that lets tall
// objects standing below the view reach into it. Nothing for a zoom outside the zoom table.
TCellCount GetVisibleCellCount(int32_t Zoom, int32_t Width, int32_t Height);
// Step cells of the same view with the same margin: a step cell is half a tile each way, so the step passes reach
// the view's far edges at every zoom.
TCellCount GetVisibleStepCount(int32_t Zoom, int32_t Width, int32_t Height);

// The last view index a pass needs along one axis: Count clipped to the cells that exist from Origin on (Limit
// cells in the map along that axis). -1 when the map has none left.
inline int32_t ClipToMap(int32_t Count, int32_t Origin, int32_t Limit)
{
    const int32_t last = Limit - 1 - Origin;
    return Count < last ? Count : last;
}

// ---- cells inside the map ----------------------------------------------------------------------------------

inline bool StepCellInMap(int32_t X, int32_t Y, int32_t MapWidth, int32_t MapHeight)
{
    return X >= 0 && Y >= 0 && X < MapWidth && Y < MapHeight;
}
// Tiles are 2 x 2 cells: the tile grid is (W div 2) x (H div 2).
inline bool TileCellInMap(int32_t X, int32_t Y, int32_t MapWidth, int32_t MapHeight)
{
    return X >= 0 && Y >= 0 && X < MapWidth / 2 && Y < MapHeight / 2;
}

// ---- what a cell shows -------------------------------------------------------------------------------------

// Libraries 0 to 74 have image caches.
constexpr int32_t CachedLibraryCount = 75;
constexpr int32_t NoImageWord = 0xFFFF;

// A tile is drawn for libraries 0 to 74 (0 is what the eraser leaves) and any image.
inline bool IsDrawnTile(int32_t Library, int32_t Image)
{
    return Image >= 0 && Library >= 0 && Library < CachedLibraryCount;
}
// An object is drawn for libraries 1 to 74 and images below 0xFFFF: library 0 and 255 and image 0xFFFF are no
// object (erased or new).
inline bool IsDrawnObject(int32_t Library, int32_t Image)
{
    return Image >= 0 && Image < NoImageWord && Library > 0 && Library < CachedLibraryCount;
}

// The blocker and light markers and cursors, all from library 3.
constexpr int32_t MarkerLibrary = 3;
constexpr int32_t LightImage = 56;
constexpr int32_t CantMoveImage = 58;
constexpr int32_t CantMoveAndFlyImage = 59;

// The marker of a cell's move flags (0 and 254 "Can't Move", 2 and 252 "Can't Move and Fly"), -1 for none.
int32_t BlockerMarkerImage(int32_t MoveFlags);
// The marker of a cell's light byte: a light for every value but 0 and 64; -1 for none.
int32_t LightMarkerImage(int32_t LightByte);
// The blocker cursor of a blocker type (1 "Can't Move", 2 "Can't Move and Fly"); -1 for "Delete Blocker" and any
// other value.
int32_t BlockerCursorImage(int32_t BlockerType);

// The animation marker byte of a cell: which of its objects is animated.
constexpr int32_t AnimatedFrontMarker = 99;
constexpr int32_t AnimatedBackMarker = 98;

// The current frame offset of each animation, by animation number - 1 (GetAnimationId's numbers 1 .. 34).
using TAnimationFrameOffsets = std::array<uint8_t, MaxAnimationId>;

// The image to draw for an animated object: Image plus the current frame offset of its animation; Image itself
// when it is no animation frame.
int32_t AnimatedImage(int32_t Library, int32_t Image, const TAnimationFrameOffsets& Offsets);

// ---- where an element goes (unscaled) ----------------------------------------------------------------------

struct TSourceRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TSourceRect&, const TSourceRect&) = default;
};

// The top-left corner of an image and the part of its texture that is drawn.
struct TPlacement {
    float X = 0, Y = 0;
    TSourceRect Source;
    friend bool operator==(const TPlacement&, const TPlacement&) = default;
};

constexpr int32_t TilePixelWidth = 96, TilePixelHeight = 64;
constexpr int32_t StepPixelWidth = 48, StepPixelHeight = 32;

// A background tile at view tile (X, Y): (96 X, 64 Y), 96 x 64 texels.
TPlacement TilePlacement(int32_t X, int32_t Y);
// An object at view step cell (X, Y) stands on the cell's bottom edge with its left edge on the cell's:
// (48 X, 32 Y + 32 - Height), its whole image.
TPlacement ObjectPlacement(int32_t X, int32_t Y, int32_t Width, int32_t Height);
// A blocker or light marker covers its step cell: (48 X, 32 Y), 48 x 32 texels.
TPlacement MarkerPlacement(int32_t X, int32_t Y);
