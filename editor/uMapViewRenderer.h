#pragma once
// The map view's drawing as the main window sees it: the seven framework callbacks of the main-window unit hand
// their work to one TMapViewRenderer, which owns the device-dependent objects and composes each frame. The
// renderer reads the main window's shared state and what else a frame needs through TMapViewFrame; it writes back
// only the screenshot request and counter of that state.
//
// CreateMapViewRenderer makes the program's renderer. Until the map layers are drawn, it is the base class: it
// accepts every device, keeps the framework's settings, and a frame only clears the back buffer to the clear
// colour.
#include <windows.h>
#include <d3d9.h>

#include <memory>
#include <string>

#include "Common/Dev_State.h"
#include "editor/core/uMainState.h"

class TImageCacheManager;
class TLogEngine;
class TVesk3Map;

// What one frame of the map view reads from the main window.
struct TMapViewFrame {
    TMainViewState& State;
    const TVesk3Map* Map;         // null while no map is open
    TImageCacheManager* Caches;   // null when DirectX was missing at start-up
    int ViewWidth, ViewHeight;    // the map area the layers cover (the background panel)
    int GridWidth, GridHeight;    // the extent of the help grids (the scroll bars' lengths)
    std::string MapLabel;         // the map name label's text (screenshot file names)
    std::string Folder;           // the executable's folder, with its trailing delimiter (screenshots)
    TArgb ClearColor;
};

class TMapViewRenderer {
public:
    virtual ~TMapViewRenderer() = default;

    // Device choice (the framework's enumeration and device changes).
    virtual bool IsDeviceAcceptable(const D3DCAPS9& Caps, D3DFORMAT AdapterFormat, D3DFORMAT BackBufferFormat);
    virtual bool ModifyDeviceSettings(TDX9DeviceSettings& Settings, const D3DCAPS9& Caps);
    // The device's life; Caches may be null (no caches yet, or none at all).
    virtual HRESULT DeviceCreated(IDirect3DDevice9* Device);
    virtual HRESULT DeviceReset(IDirect3DDevice9* Device, TImageCacheManager* Caches);
    virtual void DeviceLost(TImageCacheManager* Caches);
    virtual void DeviceDestroyed();
    // One frame; Frame is null while the main window does not exist.
    virtual void FrameRender(IDirect3DDevice9* Device, TMapViewFrame* Frame);
};

// The program's renderer; Log (not owned, may be null) takes its lines.
std::unique_ptr<TMapViewRenderer> CreateMapViewRenderer(TLogEngine* Log);
