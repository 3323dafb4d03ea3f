#pragma once
// Decoding one WIL image from the two library views into an RGBA canvas whose sides are powers of two.
//
// Sections: RGB565 widening; canvas; decoding.
#include "gamedata/core/WilFormat.h"

#include <bit>
#include <cstdint>
#include <vector>

static_assert(std::endian::native == std::endian::little, "RGBA pixels are stored as little-endian words");

// ---- RGB565 widening ---------------------------------------------------------------------------------------
// Channel widths 5, 6, 5 widened to 8 bits as c * 255 / max rounded to the nearest integer (the decoder widens
// eight pixels at a time with the same arithmetic).
struct TRgb8 {
    uint8_t R, G, B;
};
TRgb8 WidenRGB565(uint16_t colour);

// ---- canvas ------------------------------------------------------------------------------------------------
// Pixels as 32-bit words whose bytes in memory are R, G, B, A (the order a PNG RGBA row takes), row-major.
constexpr uint32_t RgbaOpaqueBlack = 0xFF000000u;
constexpr uint8_t WilSemiAlpha = 0x7F;

inline uint32_t PackRgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16 |
           static_cast<uint32_t>(a) << 24;
}

struct TRgbaCanvas {
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint32_t> Pixels;

    // Resizes to width x height, keeping the allocation when it is large enough. The pixels are left as they
    // are (pixels the vector gains are zero): the decoder writes every one of them.
    void Reset(uint32_t width, uint32_t height);
    uint32_t* Row(uint32_t y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
    const uint32_t* Row(uint32_t y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
    uint32_t At(uint32_t x, uint32_t y) const { return Row(y)[x]; }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(Pixels.data()); }
};

// ---- decoding ----------------------------------------------------------------------------------------------
// Decodes `height` rows starting at the cursor into the canvas rows 0..height-1 and writes every other pixel of
// the canvas (the row ends and the rows below) as opaque black, the background. Runs: 0xC0 transparent, 0xC1
// opaque, 0xC2 semi-transparent (alpha 0x7F); any other code ends the row without being consumed, so the next
// row's word count is read there. On false the canvas content is unspecified.
bool DecodeWilRows(TByteCursor& cursor, uint32_t height, TRgbaCanvas& canvas);

// Finds image `imageIndex` of the library: on Decoded, `header` holds its header and `rows` stands at its first
// row; otherwise both are untouched. Reads the two spans and nothing else: no allocation, no decoding. NoImage
// for an index entry 0 or an entry beyond the index file; Damaged for an index outside 0..N-1, an unknown
// version, a header past the view, a side above 4096 or rows that cannot fit in the bytes left.
TImageDecodeStatus FindWilImage(TByteSpan data, TByteSpan index, int64_t imageIndex, TWilImageHeader& header,
                                TByteCursor& rows);
// Sizes the canvas for an image of the header's sides: each side the next power of two.
void SizeWilCanvas(const TWilImageHeader& header, TRgbaCanvas& canvas);

// Decodes image `imageIndex` of the library: FindWilImage, SizeWilCanvas, DecodeWilRows. On Decoded, `header`
// and `canvas` hold the image; otherwise `header` is untouched and the canvas content is unspecified (it is the
// caller's scratch buffer). Damaged also for rows past the view or a run past the canvas row.
TImageDecodeStatus DecodeWilImage(TByteSpan data, TByteSpan index, int64_t imageIndex, TWilImageHeader& header,
                                  TRgbaCanvas& canvas);
