#pragma once
// The map view's renderer: the device-dependent drawing objects and the composition of one frame from the layer
// passes, the mode cursors, the screenshot, the help grids and the select-mode info overlay.
//
// Seam with the main window (TfrmSorvantaMain, unit uMainEngine):
//   1. The window owns a TMapRenderContext (its view state, the open map, the image-cache manager, the log, the
//      view sizes, the map label's text, the executable's folder) and keeps its fields current: Map when a map is
//      opened or created, the sizes when the view is laid out, MapLabel when laMapName changes. The renderer only
//      reads them, once per frame.
//   2. It creates one TMapRenderer on that context and sets MapRenderer (uMapCallbacks.h) to it before the device
//      is created, and sets MapRenderer back to null before the renderer goes.
//   3. It calls SetRenderCallbacks() (the five device and frame callbacks) and passes IsDeviceAcceptable and
//      ModifyDeviceSettings to DXUTCreateDevice.
// The renderer fills the context's device objects itself (DeviceCreated .. DeviceDestroyed).
//
// Sections of the implementation: uMapRender.cpp (device objects, RenderMap), uMapLayers.cpp (the five layer
// passes), uMapCursors.cpp (mode cursors), uHelpGrid.cpp (help grids), uScreenshot.cpp, uSelectInfo.cpp.
#include "classlib/ComPtr.h"
#include "editor/core/uHelpGridGeometry.h"
#include "editor/core/uMainState.h"
#include "editor/core/uMapGeometry.h"
#include "editor/core/uSelectInfoLayout.h"
#include "editor/uD3DLine.h"
#include "gamedata/ImageHeaderD3D.h"

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TImageCacheManager;
class TMapSpriteBatch;
class TLogEngine;
class TVesk3Map;

// What the renderer draws from; filled and owned by the main window (see the seam above).
struct TMapRenderContext {
    explicit TMapRenderContext(TMainViewState& ViewState) : State(ViewState) {}

    TMainViewState& State;
    TVesk3Map* Map = nullptr;                    // the open map; null draws no layer and no cursor
    TImageCacheManager* CacheManager = nullptr;  // null (DirectX missing) draws no image
    TLogEngine* Log = nullptr;                   // null writes no line
    int32_t BackgroundWidth = 0, BackgroundHeight = 0;  // plBackground: the layers' view
    int32_t GridWidth = 0, GridHeight = 0;  // width of scbaHorizontal, height of scbaVertical: the grids' view
    std::string MapLabel;                   // laMapName's text ("0.map"), part of the screenshot names
    std::string ExeFolder;                  // with its trailing backslash: where screenshots go

    // Device objects, created by TMapRenderer::DeviceCreated, released by DeviceDestroyed; always handled in this
    // order.
    ComPtr<ID3DXSprite> TileSprite;    // tile layer
    ComPtr<ID3DXSprite> FrontSprite;   // front-object layer (layer A)
    ComPtr<ID3DXSprite> BackSprite;    // back-object layer (layer B)
    ComPtr<ID3DXSprite> MarkerSprite;  // blocker and light markers
    ComPtr<ID3DXSprite> CursorSprite;  // mode cursors
    std::unique_ptr<TD3DLine> GridLine;  // help grids and overlay brackets
};

// Element kinds of DrawCellObject.
constexpr int32_t CellKindFront = 0;
constexpr int32_t CellKindBack = 1;
constexpr int32_t CellKindBlocker = 2;
constexpr int32_t CellKindLight = 4;

// The current frame offset of each animation. Nothing advances them yet, so an animated object shows its stored
// image.
extern TAnimationFrameOffsets AnimationFrameOffsets;

// The zoom transform: x and y scaled by the zoom table's scale of Zoom percent, z by 0.1. False, Matrix unchanged,
// for a zoom outside the table.
bool ZoomScalingMatrix(int32_t Zoom, D3DXMATRIX& Matrix);

class TMapRenderer {
public:
    explicit TMapRenderer(TMapRenderContext& Context);
    TMapRenderer(const TMapRenderer&) = delete;
    TMapRenderer& operator=(const TMapRenderer&) = delete;

    TMapRenderContext& Context() const { return Ctx; }

    // ---- device objects (uMapRender.cpp)
    // The five sprites and the line, each made anew; E_FAIL at the first that cannot be made. The image caches make
    // their textures on Device from now on.
    HRESULT DeviceCreated(IDirect3DDevice9* Device);
    // The objects hear of the reset; every cached image is decoded anew when next asked for. The result of the
    // last object's reset (S_OK when none ran); E_FAIL when something throws.
    HRESULT DeviceReset(IDirect3DDevice9* Device);
    // The objects hear of the loss and the caches let go of their textures.
    HRESULT DeviceLost();
    // All six objects released; the image caches let go of the device and their textures.
    HRESULT DeviceDestroyed();

    // One frame's map passes, inside the caller's scene. A pass that fails is left out; anything thrown outside a
    // pass skips the rest of the frame and gives E_FAIL.
    HRESULT RenderMap(IDirect3DDevice9* Device, double Time, float ElapsedTime);

    // ---- layers (uMapLayers.cpp); nothing without a map. Zoom and Colour are read at each draw.
    void DrawTileLayer(int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, const TArgb& Colour);
    void DrawBackObjects(bool Animate, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom,
                         const TArgb& Colour);
    void DrawFrontObjects(bool Animate, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom,
                          const TArgb& Colour);
    void DrawBlockers(int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, const TArgb& Colour);
    void DrawLights(int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, const TArgb& Colour);

    // ---- mode cursors (uMapCursors.cpp); X and Y are the view cell under the mouse. Nothing without a map or
    // over a cell outside it.
    void DrawTileCursor(const int32_t& Zoom, int32_t Library, int32_t X, int32_t Y, int32_t Image,
                        const TArgb& Colour);
    void DrawObjectCursor(const int32_t& Zoom, int32_t Library, int32_t X, int32_t Y, int32_t Image,
                          const TArgb& Colour);
    void DrawBlockerCursor(const int32_t& Zoom, int32_t X, int32_t Y, const TArgb& Colour);
    void DrawLightCursor(const int32_t& Zoom, int32_t X, int32_t Y, const TArgb& Colour);

    // ---- help grids (uHelpGrid.cpp): the grid of the zoom, or nothing for a zoom outside the table; always true.
    bool DrawTileHelpGrid(int32_t Zoom, int32_t ViewWidth, int32_t ViewHeight, float LineWidth, TArgb Colour);
    bool DrawStepHelpGrid(int32_t Zoom, int32_t ViewWidth, int32_t ViewHeight, float LineWidth, TArgb Colour);
    void DrawGrid(const TGridCell& Cell, int32_t ViewWidth, int32_t ViewHeight, float LineWidth, TArgb Colour);

    // ---- screenshot (uScreenshot.cpp): clears the request, saves Capture of render target 0 as the next
    // "Map_....png" in the executable's folder and advances the counter. With no map open nothing is saved and a
    // warning is logged.
    void TakeScreenshot(IDirect3DDevice9* Device, const RECT& Capture);

    // ---- select-mode overlay (uSelectInfo.cpp): the info box of Kind (0 tile, 1 back object, 2 front object) at
    // 100 %; nothing for an empty element or a cell outside the map.
    void DrawSelectInfo(int32_t Zoom, int32_t StepX, int32_t StepY, int32_t TileX, int32_t TileY, int32_t ViewX,
                        int32_t ViewY, float InnerWidth, float OuterWidth, int32_t Kind, bool RaiseCheck,
                        const TOverlayColors& Colours);

private:
    // One tile at view tile (X, Y) into the tile layer's batch.
    void DrawTileCell(TMapSpriteBatch& Batch, int32_t X, int32_t Y, const TArgb& Colour);
    // One element (CellKind...) at view step cell (X, Y) into its layer's batch.
    void DrawCellObject(TMapSpriteBatch& Batch, int32_t X, int32_t Y, const TArgb& Colour, int32_t Kind,
                        bool Animate);
    // The back- or front-object pass (CellKindBack, CellKindFront).
    void DrawObjectLayer(int32_t Kind, bool Animate, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom,
                         const TArgb& Colour);
    // The step-cell passes: every view cell inside the map, column by column, into one batch of Sprite.
    template <class CellFn>
    void DrawStepPass(ID3DXSprite* Sprite, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, CellFn Cell);
    // One cursor image at view cell (X, Y): a tile cursor opaque at its tile's place, the others blended and
    // standing on their step cell. Nothing over a cell outside the map.
    void DrawCursor(bool TileCursor, const int32_t& Zoom, int32_t Library, int32_t Image, int32_t X, int32_t Y,
                    const TArgb& Colour);
    // Fetches (Library, Image) into CurrentImage; true when it holds a texture to draw.
    bool FetchImage(int32_t Library, int32_t Image);
    // Draws one set of brackets with the line at Width.
    void DrawBrackets(const TBracketSet& Set, float Width, const TOverlayColors& Colours);

    TMapRenderContext& Ctx;
    TImageHeaderD3D CurrentImage;  // the entry last fetched: keeps its texture alive until the next fetch
    std::vector<TLineVertex> GridVertical, GridHorizontal;  // reused by every grid
};
