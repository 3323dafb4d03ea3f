#include "editor/uD3DLine.h"

#include <cmath>
#include <new>

namespace {

constexpr DWORD LineVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

}  // namespace

TD3DLine::TD3DLine(IDirect3DDevice9* OnDevice)
{
    if (OnDevice) OnDevice->AddRef();
    Device = ComPtr<IDirect3DDevice9>::Attach(OnDevice);
}

HRESULT TD3DLine::SetWidth(float NewWidth)
{
    if (!(NewWidth > 0.0f)) return D3DERR_INVALIDCALL;
    Width = NewWidth;
    return S_OK;
}

HRESULT TD3DLine::SetAntialias(BOOL On)
{
    Antialias = On;
    return S_OK;
}

HRESULT TD3DLine::SetGLLines(BOOL On)
{
    GLLines = On;
    return S_OK;
}

HRESULT TD3DLine::Begin()
{
    if (Drawing || !Device) return D3DERR_INVALIDCALL;
    IDirect3DDevice9* d = Device.Get();
    d->SetVertexShader(nullptr);
    d->SetPixelShader(nullptr);
    d->SetFVF(LineVertexFormat);
    d->SetTexture(0, nullptr);
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    d->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    d->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    d->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    d->SetRenderState(D3DRS_LIGHTING, FALSE);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    d->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    d->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    d->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
    d->SetRenderState(D3DRS_ANTIALIASEDLINEENABLE, FALSE);
    Drawing = true;
    return S_OK;
}

HRESULT TD3DLine::Draw(const TLineVertex* Vertices, uint32_t Count, D3DCOLOR Colour)
{
    if (!Drawing) return D3DERR_INVALIDCALL;
    if (Vertices == nullptr || Count < 2) return S_OK;
    Scratch.clear();
    if (Width <= 1.0f) {
        for (uint32_t i = 0; i < Count; ++i) Scratch.push_back({Vertices[i].X, Vertices[i].Y, 0.0f, 1.0f, Colour});
        return Device->DrawPrimitiveUP(D3DPT_LINESTRIP, Count - 1, Scratch.data(), sizeof(TVertex));
    }
    // Two triangles per segment: the segment pushed half the width to either side along its normal.
    const float half = Width / 2.0f;
    for (uint32_t i = 0; i + 1 < Count; ++i) {
        const TLineVertex& a = Vertices[i];
        const TLineVertex& b = Vertices[i + 1];
        const float dx = b.X - a.X, dy = b.Y - a.Y;
        const float length = std::sqrt(dx * dx + dy * dy);
        if (length == 0.0f) continue;
        const float nx = -dy / length * half, ny = dx / length * half;
        const TVertex a0{a.X + nx, a.Y + ny, 0.0f, 1.0f, Colour}, a1{a.X - nx, a.Y - ny, 0.0f, 1.0f, Colour};
        const TVertex b0{b.X + nx, b.Y + ny, 0.0f, 1.0f, Colour}, b1{b.X - nx, b.Y - ny, 0.0f, 1.0f, Colour};
        Scratch.insert(Scratch.end(), {a0, a1, b0, b0, a1, b1});
    }
    if (Scratch.empty()) return S_OK;
    return Device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(Scratch.size() / 3), Scratch.data(),
                                   sizeof(TVertex));
}

HRESULT TD3DLine::End()
{
    if (!Drawing) return D3DERR_INVALIDCALL;
    Drawing = false;
    return S_OK;
}

HRESULT TD3DLine::OnLostDevice()
{
    Drawing = false;
    return S_OK;
}

HRESULT TD3DLine::OnResetDevice()
{
    return S_OK;
}

HRESULT CreateD3DLine(IDirect3DDevice9* Device, std::unique_ptr<TD3DLine>& Line)
{
    Line.reset();
    if (Device == nullptr) return E_INVALIDARG;
    Line.reset(new (std::nothrow) TD3DLine(Device));
    return Line ? S_OK : E_OUTOFMEMORY;
}
