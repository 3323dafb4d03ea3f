#pragma once
// The map view's renderer, as far as the main window reaches it. This is the interim renderer of the main window's
// branch: it owns no drawing objects and draws no pass, so a frame shows the cleared view. The renderer proper
// (layer passes, cursors, help grids, screenshot, select-mode overlay) replaces this file and its .cpp whole.
//
// Seam with the main window (TfrmSorvantaMain, unit uMainEngine):
//   1. The window owns a TMapRenderContext and keeps its fields current: Map when a map is opened or created, the
//      sizes when the view is laid out, MapLabel when laMapName changes. The renderer only reads them, once per
//      frame.
//   2. It creates one TMapRenderer on that context and sets MapRenderer (uMapCallbacks.h) to it before the device
//      is created, and sets MapRenderer back to null before the renderer goes.
//   3. It calls SetRenderCallbacks() and passes IsDeviceAcceptable and ModifyDeviceSettings to DXUTCreateDevice.
#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <string>

#include "editor/core/uMainState.h"

class TImageCacheManager;
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
    std::string MapLabel;                   // laMapName's text, part of the screenshot names
    std::string ExeFolder;                  // with its trailing backslash: where screenshots go
};

class TMapRenderer {
public:
    explicit TMapRenderer(TMapRenderContext& Context) : Ctx(Context) {}
    TMapRenderer(const TMapRenderer&) = delete;
    TMapRenderer& operator=(const TMapRenderer&) = delete;

    TMapRenderContext& Context() const { return Ctx; }

    HRESULT DeviceCreated(IDirect3DDevice9* Device);
    HRESULT DeviceReset(IDirect3DDevice9* Device);
    HRESULT DeviceLost();
    HRESULT DeviceDestroyed();
    // One frame's map passes, inside the caller's scene.
    HRESULT RenderMap(IDirect3DDevice9* Device, double Time, float ElapsedTime);

private:
    TMapRenderContext& Ctx;
};
