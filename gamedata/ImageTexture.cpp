#include "gamedata/ImageTexture.h"

#include <d3d9.h>
#include <d3dx9tex.h>

#include <climits>

namespace {

constexpr D3DCOLOR kOpaqueBlackKey = 0xFF000000;

void Report(long* result, HRESULT hr)
{
    if (result) *result = hr;
}

} // namespace

ComPtr<IDirect3DTexture9> CreateCacheTexture(IDirect3DDevice9* device, std::span<const uint8_t> png, long* result)
{
    ComPtr<IDirect3DTexture9> texture;
    if (!device || png.empty() || png.size() > UINT_MAX) {
        Report(result, D3DERR_INVALIDCALL);
        return texture;
    }
    const HRESULT hr = D3DXCreateTextureFromFileInMemoryEx(
        device, png.data(), static_cast<UINT>(png.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, kOpaqueBlackKey, nullptr, nullptr, texture.Out());
    if (FAILED(hr)) texture.Reset();
    Report(result, hr);
    return texture;
}

ComPtr<IDirect3DTexture9> CreateEmptyCacheTexture(IDirect3DDevice9* device, long* result)
{
    ComPtr<IDirect3DTexture9> texture;
    if (!device) {
        Report(result, D3DERR_INVALIDCALL);
        return texture;
    }
    HRESULT hr = device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.Out(), nullptr);
    if (SUCCEEDED(hr)) {
        D3DLOCKED_RECT locked{};
        hr = texture->LockRect(0, &locked, nullptr, 0);
        if (SUCCEEDED(hr)) {
            *static_cast<DWORD*>(locked.pBits) = 0x00000000;
            texture->UnlockRect(0);
        }
    }
    if (FAILED(hr)) texture.Reset();
    Report(result, hr);
    return texture;
}
