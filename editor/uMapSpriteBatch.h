#pragma once
// One sprite batch of the map view: Begin with the pass's flags, the texture filter and the zoom transform set
// before the first draw, draws at unscaled positions, and Flush and End when the batch goes, also when a draw throws.
#include "editor/core/uMapGeometry.h"

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

// Sampler 0's filter for images drawn at Zoom percent. The sprite's Begin sets a filter of its own (anisotropic
// where the device offers it), which smooths even an unscaled image over its neighbouring texels and, on a shrunk
// view, averages the whole footprint of every pixel at many times the cost. So: point sampling at 100 %, where each
// pixel is one texel; bilinear at the other zooms; no mip filter (every texture has one level). Bilinear reads up
// to one texel beyond a drawn rectangle: the sprite's Begin addresses with clamping on both axes, so the left and
// top edges read their own texels, and the cache textures repeat an image's right and bottom edges beyond it.
void SetZoomTextureFilter(IDirect3DDevice9* Device, int32_t Zoom);

class TMapSpriteBatch {
public:
    // Opaque batches draw with blending and alpha test off (the platform's sprite turns both on at Begin
    // whatever the flags). Nothing is drawn when the sprite is missing, Begin fails or Zoom is outside the table.
    TMapSpriteBatch(ID3DXSprite* Sprite, DWORD Flags, bool Opaque, int32_t Zoom);
    ~TMapSpriteBatch();
    TMapSpriteBatch(const TMapSpriteBatch&) = delete;
    TMapSpriteBatch& operator=(const TMapSpriteBatch&) = delete;

    bool Open() const { return Began; }
    // The open sprite, for text a font draws into the batch; null when the batch is not open.
    ID3DXSprite* Get() const { return Began ? Sprite : nullptr; }
    // The texture's Placement.Source rectangle at the placement's position (z 0, no centre), modulated by Colour.
    void Draw(IDirect3DTexture9* Texture, const TPlacement& Placement, D3DCOLOR Colour);

private:
    ID3DXSprite* Sprite;
    bool Began = false;
};
