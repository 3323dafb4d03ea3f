#pragma once
// The main window's state that the editor's handlers and the map renderer share: modes, zoom, the cells under the
// mouse and the view's origins, the layer and grid switches, the tile picker's choice and the renderer's colours.
// The main window is this state (it derives from it); the renderer and the platform-free rules read and write it
// through a reference. The initial values are those the window starts with; the open map, the caches and the
// controls stay with the window.
#include <array>
#include <cstdint>
#include <string>

// Work modes.
constexpr int32_t WorkModeNone = 0;
constexpr int32_t WorkModeErase = 4;
constexpr int32_t WorkModeSelect = 5;
constexpr int32_t WorkModeDraw = 8;

// Object modes.
constexpr int32_t ObjectModeNone = 0;
constexpr int32_t ObjectModeTile = 1;
constexpr int32_t ObjectModeFront = 2;
constexpr int32_t ObjectModeBack = 3;
constexpr int32_t ObjectModeBlocker = 4;
constexpr int32_t ObjectModeSelect = 5;
constexpr int32_t ObjectModeLight = 6;

// Layer kinds of the select-mode overlay: which boxes it draws.
constexpr int32_t LayerKindTile = 0;
constexpr int32_t LayerKindBack = 1;
constexpr int32_t LayerKindFront = 3;

// Blocker types: the item of the blocker combo box.
constexpr int32_t BlockerDelete = 0;
constexpr int32_t BlockerCantMove = 1;
constexpr int32_t BlockerCantMoveAndFly = 2;

// The zoom level the view starts at and returns to when a map is opened, created or the zoom is reset.
constexpr int32_t DefaultZoomIndex = 6;

// 32-bit ARGB colours the renderer draws with.
using TArgb = uint32_t;
using TOverlayColors = std::array<TArgb, 8>;

struct TMainViewState {
    int32_t WorkMode = WorkModeNone;
    int32_t ObjectMode = ObjectModeNone;
    int32_t ObjectLayerKind = LayerKindTile;
    int32_t BlockerType = BlockerDelete;
    bool LeftButtonHeld = false;  // the left button went down over the drawing panel (drag painting)

    int32_t ZoomIndex = DefaultZoomIndex;  // 0 to 8, into the zoom table
    int32_t ZoomPercent = 100;
    std::string ZoomText;  // empty until a zoom level is first applied

    // The cells under the mouse: absolute in the map (edits act on them) and counted from the view's corner.
    int32_t TileCellX = 0, TileCellY = 0;
    int32_t StepCellX = 0, StepCellY = 0;
    int32_t ViewTileCellX = 0, ViewTileCellY = 0;
    int32_t ViewStepCellX = 0, ViewStepCellY = 0;
    // The first tile and step cell shown (from the scroll positions, which count step cells).
    int32_t TileOriginX = 0, TileOriginY = 0;
    int32_t StepOriginX = 0, StepOriginY = 0;

    bool ShowStepGrid = false, ShowTileGrid = false;
    bool ShowTiles = true, ShowFrontObjects = true, ShowBackObjects = true;
    bool ShowBlockers = false, ShowLights = false, ShowAnimation = false;

    bool ScreenshotPending = false;  // the next frame saves a screenshot
    int32_t ScreenshotCounter = 0;   // shots taken since the start, part of their file names

    bool ShowIndexNumbers = true;  // the tile picker writes image numbers
    int32_t PickerLibrary = -1;    // the library the tile picker shows, -1 none
    int32_t PickerGridKind = 0;    // 0 tiles, 1 objects, 2 small tiles
    int32_t SelectedImage = -1;    // the image picked to draw with, -1 none
    int32_t SelectedLibrary = -1;
    std::string MerchantFileName;

    TArgb DrawColor = 0xFFFFFFFF;      // modulates every sprite draw of the layers and cursors
    TArgb TileGridColor = 0xFA007F7F;  // alpha 250, red 0, green 127, blue 127
    TArgb StepGridColor = 0xDC7F7F00;  // alpha 220, red 127, green 127, blue 0
    // Bracket colours of the select-mode overlay: the first table for back objects, the second for tiles and
    // front objects.
    TOverlayColors OverlayColorsA = {0xFF0064FF, 0xFFFF0000, 0xFFFF0000, 0xFF0064FF,
                                     0xFFFF0A00, 0xFF0064FF, 0xFF0064FF, 0xFFFF0A00};
    TOverlayColors OverlayColorsB = {0xFF00FF64, 0xFFFF0000, 0xFFFF0000, 0xFF00FF64,
                                     0xFFFF0A00, 0xFF00FF64, 0xFF00FF64, 0xFFFF0A00};
};
