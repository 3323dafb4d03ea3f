#include "gamedata/core/WilDecoder.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Sections: RGB565 widening; canvas; writing pixels; decoding.

namespace {

constexpr uint8_t RunTransparent = 0xC0;
constexpr uint8_t RunOpaque = 0xC1;
constexpr uint8_t RunSemi = 0xC2;

// ---- RGB565 widening ---------------------------------------------------------------------------------------
// c * 255 / 31 and c * 255 / 63 rounded to the nearest integer are, for every 5-bit and 6-bit c, exactly
// (c * 527 + 23) >> 6 and (c * 259 + 33) >> 6: integer arithmetic that fits 16-bit lanes (at most 16360). The
// 6-bit rule is also ((c << 5 | 4) * 8289) >> 16, which takes green where it stands in the word (bits 5 to 10)
// and needs no shifts: the vector widening uses that form.
constexpr uint32_t Mul5 = 527, Add5 = 23, Mul6 = 259, Add6 = 33, Shift = 6;
constexpr uint32_t GreenBias = 4, GreenMulHigh = 8289;

inline uint32_t WidenRgb(uint16_t c)
{
    const uint32_t r = ((c >> 11) * Mul5 + Add5) >> Shift;
    const uint32_t g = (((c >> 5) & 0x3Fu) * Mul6 + Add6) >> Shift;
    const uint32_t b = ((c & 0x1Fu) * Mul5 + Add5) >> Shift;
    return r | g << 8 | b << 16;
}

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

TRgb8 WidenRGB565(uint16_t colour)
{
    const uint32_t rgb = WidenRgb(colour);
    return {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb >> 16)};
}

// ---- canvas ------------------------------------------------------------------------------------------------

void TRgbaCanvas::Reset(uint32_t width, uint32_t height)
{
    Width = width;
    Height = height;
    Pixels.resize(static_cast<size_t>(width) * height);
}

// ---- writing pixels ----------------------------------------------------------------------------------------
// The decoder writes the canvas strictly in order, row after row, left to right. So a store may run past the end
// of what it was asked to write: the pixels it spoils are written again by the next run, the row's background or
// the rows that follow. Only the canvas's end is a hard limit (`end`); there the last pixels go one by one.

namespace {

class TPixelWriter {
public:
    explicit TPixelWriter(uint32_t* end) : End(end) {}

    // `count` pixels of opaque black from dst on.
    void Background(uint32_t* dst, size_t count) const
    {
        uint32_t* const stop = dst + count;
#if defined(__SSE2__)
        const __m128i black = _mm_set1_epi32(static_cast<int>(RgbaOpaqueBlack));
        const size_t groups = std::min((count + 3) / 4, static_cast<size_t>(End - dst) / 4);
        for (size_t i = 0; i < groups; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i), black);
        dst += 4 * groups;
#endif
        for (; dst < stop; ++dst) *dst = RgbaOpaqueBlack;
    }

    // `count` RGB565 words at src widened to RGBA with the alpha byte `alpha`, from dst on. `readable` is how many
    // bytes from src on may be read (at least 2 * count): a group of eight reads 16 bytes whatever it uses.
    void Colours(uint32_t* dst, const uint8_t* src, size_t count, size_t readable, uint8_t alpha) const
    {
        uint32_t* const stop = dst + count;
        const uint32_t alphaBits = static_cast<uint32_t>(alpha) << 24;
#if defined(__SSE2__)
        const TWidenConstants k(alpha);
        const size_t groups = std::min({(count + 7) / 8, static_cast<size_t>(End - dst) / 8, readable / 16});
        for (size_t i = 0; i < groups; ++i) Widen8(dst + 8 * i, src + 16 * i, k);
        dst += 8 * groups;
        src += 16 * groups;
#endif
        for (; dst < stop; ++dst, src += 2) *dst = WidenRgb(LoadU16(src)) | alphaBits;
    }

private:
#if defined(__SSE2__)
    // The widening's constants in registers. A compiler that sees a constant multiplier turns the multiply into
    // four shifts and adds, which costs more than the one multiply: the constants are hidden from it.
    struct TWidenConstants {
        explicit TWidenConstants(uint8_t alpha)
            : Mul5(_mm_set1_epi16(static_cast<short>(::Mul5))), Add5(_mm_set1_epi16(static_cast<short>(::Add5))),
              GreenMask(_mm_set1_epi16(0x07E0)), GreenBias(_mm_set1_epi16(static_cast<short>(::GreenBias))),
              GreenMul(_mm_set1_epi16(static_cast<short>(GreenMulHigh))), BlueMask(_mm_set1_epi16(0x1F)),
              AlphaHigh(_mm_set1_epi16(static_cast<short>(alpha << 8)))
        {
            asm("" : "+x"(Mul5), "+x"(GreenMul));
        }
        __m128i Mul5, Add5, GreenMask, GreenBias, GreenMul, BlueMask, AlphaHigh;
    };

    // Eight pixels: R, G, B widened in 16-bit lanes, then R | G << 8 and B | A << 8 interleaved into RGBA words.
    static void Widen8(uint32_t* dst, const uint8_t* src, const TWidenConstants& k)
    {
        const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        const __m128i r5 = _mm_srli_epi16(words, 11);
        const __m128i g6At5 = _mm_or_si128(_mm_and_si128(words, k.GreenMask), k.GreenBias);
        const __m128i b5 = _mm_and_si128(words, k.BlueMask);
        const __m128i r = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(r5, k.Mul5), k.Add5), Shift);
        const __m128i g = _mm_mulhi_epu16(g6At5, k.GreenMul);
        const __m128i b = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(b5, k.Mul5), k.Add5), Shift);
        const __m128i rg = _mm_or_si128(r, _mm_slli_epi16(g, 8));
        const __m128i ba = _mm_or_si128(b, k.AlphaHigh);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_unpacklo_epi16(rg, ba));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4), _mm_unpackhi_epi16(rg, ba));
    }
#endif

    uint32_t* End;
};

}  // namespace

// ---- decoding ----------------------------------------------------------------------------------------------

bool DecodeWilRows(TByteCursor& cursor, uint32_t height, TRgbaCanvas& canvas)
{
    if (height > canvas.Height) return false;
    const uint32_t rowWidth = canvas.Width;
    uint32_t* const pixels = canvas.Pixels.data();
    const TPixelWriter write(pixels + canvas.Pixels.size());
    // The rows are read through a pointer checked against the end of the cursor's bytes at every step: a cursor
    // copy per run cost as much as widening the run.
    TByteCursor after = cursor;
    TByteSpan rest;
    cursor.Take(cursor.Remaining(), rest);
    const uint8_t* p = rest.data();
    const uint8_t* const end = p + rest.size();
    for (uint32_t y = 0; y < height; ++y) {
        if (end - p < 2) return false;
        const uint32_t words = LoadU16(p);
        p += 2;
        uint32_t* row = canvas.Row(y);
        uint32_t x = 0;
        for (uint32_t used = 0; used < words;) {
            // An unknown code ends the row and is left for the next row's count.
            if (end - p < 2) return false;
            const uint8_t code = p[0];
            if (code != RunTransparent && code != RunOpaque && code != RunSemi) break;
            if (end - p < 4) return false;
            const uint32_t count = LoadU16(p + 2);
            if (count > rowWidth - x) return false;
            p += 4;
            if (code == RunTransparent) {
                write.Background(row + x, count);
                used += 2;
            } else {
                const size_t bytes = size_t{2} * count;
                if (static_cast<size_t>(end - p) < bytes) return false;
                write.Colours(row + x, p, count, static_cast<size_t>(end - p), code == RunOpaque ? 0xFF : WilSemiAlpha);
                p += bytes;
                used += 2u + count;
            }
            x += count;
        }
        write.Background(row + x, rowWidth - x);
    }
    write.Background(pixels + static_cast<size_t>(height) * rowWidth,
                     static_cast<size_t>(canvas.Height - height) * rowWidth);
    after.Skip(static_cast<size_t>(p - rest.data()));
    cursor = after;
    return true;
}

TImageDecodeStatus FindWilImage(TByteSpan data, TByteSpan index, int64_t imageIndex, TWilImageHeader& header,
                                TByteCursor& rows)
{
    const TWilDataHeader lib = ReadWilDataHeader(data);
    if (imageIndex < 0 || imageIndex >= lib.Count || !IsKnownWilVersion(lib.Version))
        return TImageDecodeStatus::Damaged;
    const uint32_t offset = ReadWilIndexEntry(index, lib.Version, static_cast<uint32_t>(imageIndex));
    if (offset == 0) return TImageDecodeStatus::NoImage;

    TByteCursor cursor(data);
    TWilImageHeader image;
    if (!cursor.Skip(offset) || !ReadImageHeader(cursor, image)) return TImageDecodeStatus::Damaged;
    if (!cursor.Skip(ImageHeaderSize(lib.Version) - ImageHeaderBytes)) return TImageDecodeStatus::Damaged;
    // Every row takes at least its 2-byte count: a height the bytes left cannot hold is damage, caught before
    // the canvas is allocated.
    if (image.Width > ImageMaxSide || image.Height > ImageMaxSide || !cursor.Has(size_t{2} * image.Height))
        return TImageDecodeStatus::Damaged;
    header = image;
    rows = cursor;
    return TImageDecodeStatus::Decoded;
}

void SizeWilCanvas(const TWilImageHeader& header, TRgbaCanvas& canvas)
{
    uint32_t canvasWidth, canvasHeight;
    NextPowerOfTwoSize(canvasWidth, canvasHeight, header.Width, header.Height);
    canvas.Reset(canvasWidth, canvasHeight);
}

TImageDecodeStatus DecodeWilImage(TByteSpan data, TByteSpan index, int64_t imageIndex, TWilImageHeader& header,
                                  TRgbaCanvas& canvas)
{
    TWilImageHeader image;
    TByteCursor rows(data);
    const TImageDecodeStatus found = FindWilImage(data, index, imageIndex, image, rows);
    if (found != TImageDecodeStatus::Decoded) return found;
    SizeWilCanvas(image, canvas);
    if (!DecodeWilRows(rows, image.Height, canvas)) return TImageDecodeStatus::Damaged;
    header = image;
    return TImageDecodeStatus::Decoded;
}
