// The interim framework callbacks of the main window's branch: every device is accepted as the framework chose
// it, the device's life reaches the renderer, and a frame is cleared and handed to the renderer. The renderer
// proper replaces this file whole (the statistics font, the device checks and their log lines).
#include "editor/uMapCallbacks.h"

#include "Common/Dev_Gui.h"
#include "Common/Dev_misc.h"
#include "editor/uMapRender.h"

TMapRenderer* MapRenderer = nullptr;
ComPtr<ID3DXFont> StatsFont;
TArgb ClearColor = 0x00000000;
bool ModifyDeviceSettingsFirstCall = true;

bool IsDeviceAcceptable(const D3DCAPS9*, D3DFORMAT, D3DFORMAT, bool, void*) { return true; }

DWORD VertexProcessingFlags(DWORD) { return D3DCREATE_SOFTWARE_VERTEXPROCESSING; }

bool ModifyDeviceSettings(TDX9DeviceSettings*, const D3DCAPS9*, void*)
{
    ModifyDeviceSettingsFirstCall = false;
    return true;
}

HRESULT OnDeviceCreated(IDirect3DDevice9* Device, const D3DSURFACE_DESC*, void*)
{
    return MapRenderer ? MapRenderer->DeviceCreated(Device) : S_OK;
}

HRESULT OnDeviceReset(IDirect3DDevice9* Device, const D3DSURFACE_DESC*, void*)
{
    return MapRenderer ? MapRenderer->DeviceReset(Device) : S_OK;
}

void OnDeviceLost(void*)
{
    if (MapRenderer) MapRenderer->DeviceLost();
}

void OnDeviceDestroyed(void*)
{
    if (MapRenderer) MapRenderer->DeviceDestroyed();
}

void OnFrameRender(IDirect3DDevice9* Device, double Time, float ElapsedTime, void*)
{
    IgnoreHResult(Device->Clear(0, nullptr, D3DCLEAR_TARGET, ClearColor, 1.0f, 0));
    if (FAILED(Device->BeginScene())) return;
    if (MapRenderer) IgnoreHResult(MapRenderer->RenderMap(Device, Time, ElapsedTime));
    IgnoreHResult(Device->EndScene());
}

void SetRenderCallbacks()
{
    DXUTSetCallbackDeviceCreated(OnDeviceCreated, nullptr);
    DXUTSetCallbackDeviceReset(OnDeviceReset, nullptr);
    DXUTSetCallbackDeviceLost(OnDeviceLost, nullptr);
    DXUTSetCallbackDeviceDestroyed(OnDeviceDestroyed, nullptr);
    DXUTSetCallbackFrameRender(OnFrameRender, nullptr);
}
