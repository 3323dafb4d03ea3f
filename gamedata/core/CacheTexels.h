#pragma once
// The texels of an image-cache texture, made from decoded pixels: the A8R8G8B8 words the texture holds, with the
// caches' colour key applied (every opaque black pixel becomes the transparent texel 0x00000000; any other alpha,
// 0x7F black included, is kept) and, for a side that is not a power of two, the stretch the platform's texture
// loader makes with its default filter: nearest texel, texel x taken from pixel x * Width / TextureWidth (rows
// likewise). Then the colours of the image's edges are repeated, transparent, into the texture's unused part
// (RepeatImageEdges).
#include <cstddef>
#include <cstdint>

// Decoded pixels: four bytes each, R, G, B, A in memory (a WIL canvas, a PNG image's rows), Width x Height, rows
// Pitch bytes apart.
struct TRgbaPixels {
    const uint8_t* Bytes = nullptr;
    uint32_t Width = 0;
    uint32_t Height = 0;
    size_t Pitch = 0;
};

constexpr uint32_t CacheColourKey = 0xFF000000u;  // as an A8R8G8B8 word: opaque black

// The texel of one pixel, given as the little-endian word of its four bytes.
inline uint32_t CacheTexel(uint32_t rgba)
{
    const uint32_t argb = (rgba & 0xFF00FF00u) | (rgba & 0xFFu) << 16 | (rgba >> 16 & 0xFFu);
    return argb == CacheColourKey ? 0u : argb;
}

// Writes the texels of a TextureWidth x TextureHeight texture into rows `pitch` bytes apart, from pixels whose
// sides are at most the texture's. Equal sides are copied texel for texel.
void WriteCacheTexels(const TRgbaPixels& pixels, uint8_t* texels, size_t pitch, uint32_t textureWidth,
                      uint32_t textureHeight);

// Repeats the colour of the last column of an image of ImageWidth x ImageHeight texels at the texture's top-left
// corner into the columns right of it, and then that of its last row (so widened) into the rows below it, each
// with alpha 0: a keyed edge (0x00000000) stays 0. The map draws tiles and markers with fixed rectangles that may
// reach past a smaller image; there the texture shows transparent, as a keyed margin would. A bilinear filter reads
// up to one texel beyond the image's drawn rectangle (0, 0, ImageWidth, ImageHeight); it then mixes the edge's own
// colour, so an image drawn without blending (the tiles) shows no darker seam. The left and top edges need none:
// the sprites address with clamping. A side of 0 or at least the texture's leaves that side's texels as they are.
void RepeatImageEdges(uint8_t* texels, size_t pitch, uint32_t imageWidth, uint32_t imageHeight,
                      uint32_t textureWidth, uint32_t textureHeight);
