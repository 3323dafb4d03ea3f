#pragma once
// The copy of a PNG image's canvas onto a 16-bit (RGB565) TBitmap. RGB565 keeps the game libraries' pixel format,
// so a colour that came from a 565 word comes back to the same word.
// No platform header: the bitmap class is declared by classlib/Graphics.h.
#include <cstdint>

class TBitmap;
class TPngImage;

// Packs an 8-bit colour into RGB565 (the top bits of each channel).
constexpr uint16_t PackRgb565(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// Makes `bitmap` a new top-down 16-bit width x height bitmap and copies the top-left part of the image's canvas
// onto it, colour only (the alpha is dropped); parts beyond the canvas are black. False, bitmap emptied, when a
// side is 0 or GDI refuses the bitmap.
bool CopyPngToBitmap16(const TPngImage& image, int width, int height, TBitmap& bitmap);
