#pragma once
// The image caches' two records: the texture entry every decoder fills and the renderer draws, and the 16-bit
// bitmap record of the tile picker.
#include "classlib/ComPtr.h"

#include <cstdint>
#include <memory>

class TBitmap;
class TPngImage;
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
// 11) and mean nothing here. The record owns the bitmap: a 16-bit (RGB565) TBitmap of Width x Height, none for a
// side of 0.
struct TImageBitmapRecord {
    // Out of line, where TBitmap is complete, so that holders need not include its header.
    TImageBitmapRecord();
    ~TImageBitmapRecord();
    TImageBitmapRecord(const TImageBitmapRecord&) = delete;
    TImageBitmapRecord& operator=(const TImageBitmapRecord&) = delete;

    uint16_t Width = 0;
    uint16_t Height = 0;
    uint16_t CanvasWidth = 0;
    uint16_t CanvasHeight = 0;
    int16_t OffsetX = 0;
    int16_t OffsetY = 0;
    uint16_t Info1 = 0;
    uint16_t Info2 = 0;
    std::unique_ptr<TBitmap> Bitmap;
};

// Gives Record a new bitmap of its Width x Height holding the image's top-left part (see CopyPngToBitmap16). False,
// no bitmap, when a side is 0 or the bitmap cannot be made.
bool CopyPngToRecordBitmap(const TPngImage& Image, TImageBitmapRecord& Record);
