#include "gamedata/ImageTexture.h"

#include "gamedata/core/WilFormat.h"

#include <d3d9.h>

namespace {

void Report(long* result, HRESULT hr)
{
    if (result) *result = hr;
}

// A managed A8R8G8B8 texture of one level whose texels `fill` writes (texels, pitch in bytes) while it is locked.
template <class TFill>
ComPtr<IDirect3DTexture9> CreateFilled(IDirect3DDevice9* device, uint32_t width, uint32_t height, long* result,
                                       TFill fill)
{
    ComPtr<IDirect3DTexture9> texture;
    HRESULT hr = device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.Out(), nullptr);
    if (SUCCEEDED(hr)) {
        D3DLOCKED_RECT locked{};
        hr = texture->LockRect(0, &locked, nullptr, 0);
        if (SUCCEEDED(hr)) {
            fill(static_cast<uint8_t*>(locked.pBits), static_cast<size_t>(locked.Pitch));
            texture->UnlockRect(0);
        }
    }
    if (FAILED(hr)) texture.Reset();
    Report(result, hr);
    return texture;
}

} // namespace

ComPtr<IDirect3DTexture9> CreateCacheTexture(IDirect3DDevice9* device, const TRgbaPixels& pixels, uint32_t imageWidth,
                                             uint32_t imageHeight, long* result)
{
    if (!device || !pixels.Bytes || pixels.Width == 0 || pixels.Height == 0) {
        Report(result, D3DERR_INVALIDCALL);
        return {};
    }
    const uint32_t width = NextPowerOfTwo(pixels.Width);
    const uint32_t height = NextPowerOfTwo(pixels.Height);
    return CreateFilled(device, width, height, result, [&](uint8_t* texels, size_t pitch) {
        WriteCacheTexels(pixels, texels, pitch, width, height);
        RepeatImageEdges(texels, pitch, imageWidth, imageHeight, width, height);
    });
}

ComPtr<IDirect3DTexture9> CreateEmptyCacheTexture(IDirect3DDevice9* device, long* result)
{
    if (!device) {
        Report(result, D3DERR_INVALIDCALL);
        return {};
    }
    return CreateFilled(device, 1, 1, result,
                        [](uint8_t* texels, size_t) { *reinterpret_cast<uint32_t*>(texels) = 0x00000000; });
}
