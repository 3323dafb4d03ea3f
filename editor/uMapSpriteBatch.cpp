#include "editor/uMapSpriteBatch.h"

#include "editor/uMapRender.h"

void SetZoomTextureFilter(IDirect3DDevice9* Device, int32_t Zoom)
{
    const DWORD filter = Zoom == 100 ? D3DTEXF_POINT : D3DTEXF_LINEAR;
    Device->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
    Device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
    Device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
}

TMapSpriteBatch::TMapSpriteBatch(ID3DXSprite* BatchSprite, DWORD Flags, bool Opaque, int32_t Zoom)
    : Sprite(BatchSprite)
{
    D3DXMATRIX zoom;
    if (!Sprite || !ZoomScalingMatrix(Zoom, zoom) || FAILED(Sprite->Begin(Flags))) return;
    Began = true;
    ComPtr<IDirect3DDevice9> device;
    if (SUCCEEDED(Sprite->GetDevice(device.Out())) && device) {
        if (Opaque) {
            device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
            device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
        }
        SetZoomTextureFilter(device.Get(), Zoom);
    }
    Sprite->SetTransform(&zoom);
}

TMapSpriteBatch::~TMapSpriteBatch()
{
    if (!Began) return;
    Sprite->Flush();
    Sprite->End();
}

void TMapSpriteBatch::Draw(IDirect3DTexture9* Texture, const TPlacement& Placement, D3DCOLOR Colour)
{
    if (!Began) return;
    const RECT source{Placement.Source.Left, Placement.Source.Top, Placement.Source.Right, Placement.Source.Bottom};
    const D3DXVECTOR3 position(Placement.X, Placement.Y, 0.0f);
    Sprite->Draw(Texture, &source, nullptr, &position, Colour);
}
