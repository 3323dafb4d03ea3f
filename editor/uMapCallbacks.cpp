// Sections: program-wide state; choosing the device; the device's life; one frame.
#include "editor/uMapCallbacks.h"

#include "Common/Dev_Gui.h"
#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_misc.h"
#include "editor/uMapRender.h"

// ---- program-wide state ------------------------------------------------------------------------------------

TMapRenderer* MapRenderer = nullptr;
ComPtr<ID3DXFont> StatsFont;
ComPtr<ID3DXSprite> TextSprite;
TArgb ClearColor = 0x00000000;
bool ModifyDeviceSettingsFirstCall = true;

namespace {

TLogEngine* RendererLog()
{
    return MapRenderer ? MapRenderer->Context().Log : nullptr;
}

void LogInfo(const char* Text)
{
    if (TLogEngine* log = RendererLog()) log->LogInfo(Text);
}

}  // namespace

// ---- choosing the device -----------------------------------------------------------------------------------

bool IsDeviceAcceptable(const D3DCAPS9* Caps, D3DFORMAT AdapterFormat, D3DFORMAT BackBufferFormat, bool, void*)
{
    const ComPtr<IDirect3D9> d3d = DXUTGetD3DObject();
    if (!d3d || !Caps) return false;
    if (FAILED(d3d->CheckDeviceFormat(Caps->AdapterOrdinal, Caps->DeviceType, AdapterFormat,
                                      D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE, BackBufferFormat))) {
        LogInfo("Post pixel blending operations are not supported on your System !!!");
        return false;
    }
    return true;
}

DWORD VertexProcessingFlags(DWORD DevCaps)
{
    if (!(DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) || !(DevCaps & D3DDEVCAPS_HWRASTERIZATION))
        return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (DevCaps & D3DDEVCAPS_PUREDEVICE) return D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
    return D3DCREATE_HARDWARE_VERTEXPROCESSING;
}

bool ModifyDeviceSettings(TDX9DeviceSettings* DeviceSettings, const D3DCAPS9* Caps, void*)
{
    if (!DeviceSettings) return true;
    if (Caps) DeviceSettings->BehaviorFlags = VertexProcessingFlags(Caps->DevCaps);
    if (ModifyDeviceSettingsFirstCall) {
        ModifyDeviceSettingsFirstCall = false;
        if (DeviceSettings->DeviceType == D3DDEVTYPE_REF) {
            LogInfo("Switching to the Direct3D reference rasterizer, a software device ,that implements the entire "
                    "Direct3D feature set, but runs very slowly.");
            DXUTToggleREF();
        }
    }
    return true;
}

// ---- the device's life -------------------------------------------------------------------------------------

HRESULT OnDeviceCreated(IDirect3DDevice9* Device, const D3DSURFACE_DESC*, void*)
{
    const HRESULT font = D3DXCreateFontW(Device, 15, 0, FW_BOLD, 1, FALSE, DEFAULT_CHARSET, 0, 0, 0, L"Arial",
                                         StatsFont.Out());
    if (CheckHResult(font)) return font;
    const HRESULT sprite = D3DXCreateSprite(Device, TextSprite.Out());
    if (CheckHResult(sprite)) return sprite;
    if (MapRenderer) {
        const HRESULT created = MapRenderer->DeviceCreated(Device);
        if (CheckHResult(created)) return created;
    }
    return S_OK;
}

HRESULT OnDeviceReset(IDirect3DDevice9* Device, const D3DSURFACE_DESC*, void*)
{
    if (MapRenderer) {
        const HRESULT reset = MapRenderer->DeviceReset(Device);
        if (CheckHResult(reset)) return reset;
    }
    if (StatsFont) {
        const HRESULT reset = StatsFont->OnResetDevice();
        if (CheckHResult(reset)) return reset;
    }
    if (TextSprite) {
        const HRESULT reset = TextSprite->OnResetDevice();
        if (CheckHResult(reset)) return reset;
    }
    return S_OK;
}

void OnDeviceLost(void*)
{
    if (MapRenderer) MapRenderer->DeviceLost();
    if (StatsFont) StatsFont->OnLostDevice();
    if (TextSprite) TextSprite->OnLostDevice();
}

void OnDeviceDestroyed(void*)
{
    if (MapRenderer) MapRenderer->DeviceDestroyed();
    StatsFont.Reset();
    TextSprite.Reset();
}

// ---- one frame ---------------------------------------------------------------------------------------------

void OnFrameRender(IDirect3DDevice9* Device, double Time, float ElapsedTime, void*)
{
    IgnoreHResult(Device->Clear(0, nullptr, D3DCLEAR_TARGET, ClearColor, 1.0f, 0));
    if (FAILED(Device->BeginScene())) return;
    if (MapRenderer) IgnoreHResult(MapRenderer->RenderMap(Device, Time, ElapsedTime));
    if (StatsFont) {
        const wchar_t* stats = DXUTGetFrameStats(true);
        const TTextBatch batch;
        RECT shadow{4, 4, 0, 0}, text{5, 5, 0, 0};
        StatsFont->DrawTextW(batch.Get(), stats, -1, &shadow, DT_NOCLIP, D3DCOLOR_ARGB(255, 5, 5, 5));
        StatsFont->DrawTextW(batch.Get(), stats, -1, &text, DT_NOCLIP, D3DCOLOR_ARGB(255, 255, 255, 255));
    }
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
