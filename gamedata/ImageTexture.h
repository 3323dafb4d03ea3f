#pragma once
// Creation of the image caches' textures. Both give a managed texture with one mip level, or an empty pointer
// when Direct3D refuses (its result code in *result when asked for).
#include "classlib/ComPtr.h"

#include <cstdint>
#include <span>

struct IDirect3DDevice9;
struct IDirect3DTexture9;

// From a complete PNG file in memory, sized by the image (D3DX rounds non-power-of-two sides up, stretching), with
// colour key 0xFF000000: every opaque black pixel becomes the texel 0x00000000. Other alpha values are kept.
ComPtr<IDirect3DTexture9> CreateCacheTexture(IDirect3DDevice9* device, std::span<const uint8_t> png,
                                             long* result = nullptr);

// A 1 x 1 texture holding one transparent texel (0x00000000), the stand-in for an image with a side of 0.
ComPtr<IDirect3DTexture9> CreateEmptyCacheTexture(IDirect3DDevice9* device, long* result = nullptr);
