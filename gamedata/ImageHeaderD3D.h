#pragma once
// The image caches' two records: the texture entry every decoder fills and the renderer draws, and the 16-bit
// bitmap record of the tile picker.
#include "classlib/ComPtr.h"
#include "classlib/PngImageBitmap.h"

#include <cstdint>

struct IDirect3DTexture9;

// An image-cache entry. Width and Height are the image's own size; the texture may be larger (its sides are
// powers of two). The entry is loaded while Texture is set. Stamp is the millisecond tick of the last use.
struct TImageHeaderD3D {
    uint16_t Width = 0;
    uint16_t Height = 0;
    int16_t OffsetX = 0;
    int16_t OffsetY = 0;
    uint16_t Reserved1 = 0;
    uint16_t Reserved2 = 0;
    uint32_t Stamp = 0;
    ComPtr<IDirect3DTexture9> Texture;

    bool Loaded() const { return static_cast<bool>(Texture); }
};

// A decoded image as a 16-bit bitmap. CanvasWidth/CanvasHeight are the power-of-two canvas the image was decoded
// on (0 when it came from a PNG record); Info1 and Info2 are passed through from the image's header (offsets 9 and
// 11) and mean nothing here. The record owns the bitmap.
struct TImageBitmapRecord {
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint16_t CanvasWidth = 0;
    uint16_t CanvasHeight = 0;
    int16_t OffsetX = 0;
    int16_t OffsetY = 0;
    uint16_t Info1 = 0;
    uint16_t Info2 = 0;
    TBitmap16 Bitmap;
};
