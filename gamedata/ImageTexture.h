#pragma once
// Creation of the image caches' textures: managed, one mip level, A8R8G8B8, made and filled here from decoded
// pixels (no image file is handed to the platform's loader). Each returns the texture, or an empty pointer when
// Direct3D refuses (its result code in *result when asked for).
#include "classlib/ComPtr.h"
#include "gamedata/core/CacheTexels.h"

struct IDirect3DDevice9;
struct IDirect3DTexture9;

// The texture of decoded pixels holding an image of ImageWidth x ImageHeight at their top-left corner (a canvas):
// sides the next powers of two of the pixels' sides, texels as WriteCacheTexels makes them (opaque black keyed to
// 0x00000000, a side that is not a power of two stretched to the texture's) and the colours of the image's last
// column and row repeated with alpha 0 into the texels right of and below it (RepeatImageEdges). Within the image
// these are the texels the platform's loader gives for the same pixels as a PNG file with default sizes and
// filters and colour key 0xFF000000. Pixels with a side of 0 give no texture (D3DERR_INVALIDCALL).
ComPtr<IDirect3DTexture9> CreateCacheTexture(IDirect3DDevice9* device, const TRgbaPixels& pixels,
                                             uint32_t imageWidth, uint32_t imageHeight, long* result = nullptr);

// A 1 x 1 texture holding one transparent texel (0x00000000), the stand-in for an image with a side of 0.
ComPtr<IDirect3DTexture9> CreateEmptyCacheTexture(IDirect3DDevice9* device, long* result = nullptr);
