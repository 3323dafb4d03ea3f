#pragma once
// The seven callbacks through which the Direct3D framework draws the map view: two that take part in choosing the
// device and five that follow the device's life and draw each frame. They reach the main window's renderer
// through MapRenderer and keep the statistics font of their own, so a frame still shows the statistics text while
// no renderer exists.
//
// The main window (see uMapRender.h for the whole seam): creates its TMapRenderer and sets MapRenderer to it
// before creating the device (null again before the renderer goes), calls SetRenderCallbacks, and passes
// IsDeviceAcceptable and ModifyDeviceSettings to DXUTCreateDevice.
#include "Common/Dev_State.h"
#include "classlib/ComPtr.h"
#include "editor/core/uMainState.h"
#include "editor/uMapSpriteBatch.h"

#include <d3dx9.h>

class TMapRenderer;

// The main window's renderer; null until the window has made it.
extern TMapRenderer* MapRenderer;
// The frame statistics font (Arial, 15 pixels, bold), also the overlay's; null while no device exists.
extern ComPtr<ID3DXFont> StatsFont;
// The sprite the statistics and overlay texts are drawn with (TTextBatch); null while no device exists.
extern ComPtr<ID3DXSprite> TextSprite;
// Every frame starts cleared to this colour (transparent black).
extern TArgb ClearColor;
// Set until ModifyDeviceSettings first runs: only the first settings it sees may warn of the reference device.
extern bool ModifyDeviceSettingsFirstCall;

// Keeps a combination only when its adapter can blend textures of the back-buffer format after the pixel shader;
// a rejected one writes an information line.
bool IsDeviceAcceptable(const D3DCAPS9* Caps, D3DFORMAT AdapterFormat, D3DFORMAT BackBufferFormat, bool Windowed,
                        void* UserContext);
// Chooses the vertex processing from the device's capabilities; at the first call, switches away from the
// reference device with a warning line when the settings name it. Always true.
bool ModifyDeviceSettings(TDX9DeviceSettings* DeviceSettings, const D3DCAPS9* Caps, void* UserContext);

HRESULT OnDeviceCreated(IDirect3DDevice9* Device, const D3DSURFACE_DESC* BackBufferSurfaceDesc, void* UserContext);
HRESULT OnDeviceReset(IDirect3DDevice9* Device, const D3DSURFACE_DESC* BackBufferSurfaceDesc, void* UserContext);
void OnDeviceLost(void* UserContext);
void OnDeviceDestroyed(void* UserContext);
// Clears the target, draws the map (RenderMap) and the frame statistics inside one scene.
void OnFrameRender(IDirect3DDevice9* Device, double Time, float ElapsedTime, void* UserContext);

// TextSprite open for the texts of StatsFont, drawn texel for texel as the 100 % view's images are: a font that
// draws without a sprite of the caller's gets the platform sprite's own filter, which blurs its glyphs. Text is
// drawn when the batch goes. Get() is null (the font then draws alone) when there is no sprite or it cannot begin.
class TTextBatch : public TMapSpriteBatch {
public:
    TTextBatch() : TMapSpriteBatch(TextSprite.Get(), D3DXSPRITE_ALPHABLEND, false, 100) {}
};

// Hands the framework the five device and frame callbacks, each with a null context.
void SetRenderCallbacks();

// The behaviour flags for a device with DevCaps: hardware vertex processing on a pure device with hardware
// transform and lighting, pure-device and hardware-rasterisation bits; hardware vertex processing with hardware
// transform and lighting and rasterisation; software vertex processing otherwise.
DWORD VertexProcessingFlags(DWORD DevCaps);
