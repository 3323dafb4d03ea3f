#include "editor/uMapViewRenderer.h"

bool TMapViewRenderer::IsDeviceAcceptable(const D3DCAPS9&, D3DFORMAT, D3DFORMAT) { return true; }

bool TMapViewRenderer::ModifyDeviceSettings(TDX9DeviceSettings&, const D3DCAPS9&) { return true; }

HRESULT TMapViewRenderer::DeviceCreated(IDirect3DDevice9*) { return S_OK; }

HRESULT TMapViewRenderer::DeviceReset(IDirect3DDevice9*, TImageCacheManager*) { return S_OK; }

void TMapViewRenderer::DeviceLost(TImageCacheManager*) {}

void TMapViewRenderer::DeviceDestroyed() {}

void TMapViewRenderer::FrameRender(IDirect3DDevice9* Device, TMapViewFrame* Frame)
{
    const D3DCOLOR clear = Frame ? Frame->ClearColor : 0;
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, clear, 1.0f, 0);
    if (FAILED(Device->BeginScene())) return;
    Device->EndScene();
}

std::unique_ptr<TMapViewRenderer> CreateMapViewRenderer(TLogEngine*) { return std::make_unique<TMapViewRenderer>(); }
