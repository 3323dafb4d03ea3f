// The interim renderer: no drawing objects, no passes (see uMapRender.h).
#include "editor/uMapRender.h"

HRESULT TMapRenderer::DeviceCreated(IDirect3DDevice9*) { return S_OK; }

HRESULT TMapRenderer::DeviceReset(IDirect3DDevice9*) { return S_OK; }

HRESULT TMapRenderer::DeviceLost() { return S_OK; }

HRESULT TMapRenderer::DeviceDestroyed() { return S_OK; }

HRESULT TMapRenderer::RenderMap(IDirect3DDevice9*, double, float) { return S_OK; }
