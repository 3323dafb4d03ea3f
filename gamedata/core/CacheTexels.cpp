#include "gamedata/core/CacheTexels.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

static_assert(std::endian::native == std::endian::little, "a pixel's bytes R, G, B, A load as one word");

namespace {

inline uint32_t LoadPixel(const uint8_t* p)
{
    uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// One row of equal width: four texels at a time (R and B swapped in each word, then the key), the rest one by one.
void CopyRow(const uint8_t* src, uint8_t* dst, uint32_t width)
{
    uint32_t x = 0;
#if defined(__SSE2__)
    const __m128i greenAlpha = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
    const __m128i redBlue = _mm_set1_epi32(0x00FF00FF);
    const __m128i key = _mm_set1_epi32(static_cast<int>(CacheColourKey));
    for (; x + 4 <= width; x += 4) {
        const __m128i rgba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * x));
        // Swapping the 16-bit halves of each word moves R to byte 2 and B to byte 0.
        __m128i rb = _mm_and_si128(rgba, redBlue);
        rb = _mm_shufflehi_epi16(_mm_shufflelo_epi16(rb, 0xB1), 0xB1);
        const __m128i argb = _mm_or_si128(_mm_and_si128(rgba, greenAlpha), rb);
        const __m128i keyed = _mm_cmpeq_epi32(argb, key);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * x), _mm_andnot_si128(keyed, argb));
    }
#endif
    for (; x < width; ++x) {
        const uint32_t texel = CacheTexel(LoadPixel(src + 4 * x));
        std::memcpy(dst + 4 * x, &texel, sizeof texel);
    }
}

}  // namespace

void WriteCacheTexels(const TRgbaPixels& pixels, uint8_t* texels, size_t pitch, uint32_t textureWidth,
                      uint32_t textureHeight)
{
    if (pixels.Width == 0 || pixels.Height == 0) return;
    // Rows and columns are mapped apart: a row of the source's width is copied whole whatever the heights.
    const bool sameWidth = pixels.Width == textureWidth;
    std::vector<uint32_t> sourceColumns;
    if (!sameWidth) {
        sourceColumns.resize(textureWidth);
        for (uint32_t x = 0; x < textureWidth; ++x)
            sourceColumns[x] = static_cast<uint32_t>(uint64_t{x} * pixels.Width / textureWidth);
    }
    for (uint32_t y = 0; y < textureHeight; ++y) {
        uint8_t* dst = texels + y * pitch;
        const uint32_t sourceRow = static_cast<uint32_t>(uint64_t{y} * pixels.Height / textureHeight);
        const uint8_t* src = pixels.Bytes + sourceRow * pixels.Pitch;
        if (sameWidth) {
            CopyRow(src, dst, textureWidth);
            continue;
        }
        for (uint32_t x = 0; x < textureWidth; ++x) {
            const uint32_t texel = CacheTexel(LoadPixel(src + 4 * size_t{sourceColumns[x]}));
            std::memcpy(dst + 4 * size_t{x}, &texel, sizeof texel);
        }
    }
}

void RepeatImageEdges(uint8_t* texels, size_t pitch, uint32_t imageWidth, uint32_t imageHeight,
                      uint32_t textureWidth, uint32_t textureHeight)
{
    if (imageWidth == 0 || imageHeight == 0) return;
    const auto clear = [](const uint8_t* texel) { return LoadPixel(texel) & 0x00FFFFFFu; };
    const uint32_t rows = std::min(imageHeight, textureHeight);
    if (imageWidth < textureWidth)
        for (uint32_t y = 0; y < rows; ++y) {
            uint8_t* row = texels + y * pitch;
            const uint32_t edge = clear(row + 4 * size_t{imageWidth - 1});
            for (uint32_t x = imageWidth; x < textureWidth; ++x) std::memcpy(row + 4 * size_t{x}, &edge, sizeof edge);
        }
    if (imageHeight >= textureHeight) return;
    // The first row below the image is its last row (so widened) made transparent; the rest are copies of it.
    uint8_t* below = texels + size_t{imageHeight} * pitch;
    for (uint32_t x = 0; x < textureWidth; ++x) {
        const uint32_t edge = clear(below - pitch + 4 * size_t{x});
        std::memcpy(below + 4 * size_t{x}, &edge, sizeof edge);
    }
    for (uint32_t y = imageHeight + 1; y < textureHeight; ++y)
        std::memcpy(texels + y * pitch, below, size_t{4} * textureWidth);
}
