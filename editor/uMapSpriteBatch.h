#pragma once
// One sprite batch of the map view: Begin with the pass's flags, the zoom transform set before the first draw,
// draws at unscaled positions, and Flush and End when the batch goes, also when a draw throws.
#include "editor/core/uMapGeometry.h"

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

class TMapSpriteBatch {
public:
    // Opaque batches draw with blending and alpha test off (the platform's sprite turns both on at Begin
    // whatever the flags). Nothing is drawn when the sprite is missing, Begin fails or Zoom is outside the table.
    TMapSpriteBatch(ID3DXSprite* Sprite, DWORD Flags, bool Opaque, int32_t Zoom);
    ~TMapSpriteBatch();
    TMapSpriteBatch(const TMapSpriteBatch&) = delete;
    TMapSpriteBatch& operator=(const TMapSpriteBatch&) = delete;

    bool Open() const { return Began; }
    // The texture's Placement.Source rectangle at the placement's position (z 0, no centre), modulated by Colour.
    void Draw(IDirect3DTexture9* Texture, const TPlacement& Placement, D3DCOLOR Colour);

private:
    ID3DXSprite* Sprite;
    bool Began = false;
};
