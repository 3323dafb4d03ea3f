#include "gamedata/core/WilDecoder.h"

#include <array>

namespace {

template <int Bits>
constexpr std::array<uint8_t, (1 << Bits)> MakeWidening()
{
    constexpr uint32_t max = (1u << Bits) - 1;
    std::array<uint8_t, (1 << Bits)> table{};
    for (uint32_t c = 0; c <= max; ++c) table[c] = static_cast<uint8_t>((c * 255 + max / 2) / max);
    return table;
}

constexpr auto Widen5 = MakeWidening<5>();
constexpr auto Widen6 = MakeWidening<6>();

constexpr uint8_t RunTransparent = 0xC0;
constexpr uint8_t RunOpaque = 0xC1;
constexpr uint8_t RunSemi = 0xC2;

// Every RGB565 word widened to R, G, B with alpha 0: one lookup per pixel (256 KiB, built on first use).
const uint32_t* Rgb565Table()
{
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(65536);
        for (uint32_t c = 0; c < 65536; ++c)
            t[c] = static_cast<uint32_t>(Widen5[c >> 11]) | static_cast<uint32_t>(Widen6[(c >> 5) & 0x3F]) << 8 |
                   static_cast<uint32_t>(Widen5[c & 0x1F]) << 16;
        return t;
    }();
    return table.data();
}

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

TRgb8 WidenRGB565(uint16_t colour)
{
    const uint32_t rgb = Rgb565Table()[colour];
    return {static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb >> 16)};
}

void TRgbaCanvas::Reset(uint32_t width, uint32_t height)
{
    Width = width;
    Height = height;
    Pixels.assign(static_cast<size_t>(width) * height, RgbaOpaqueBlack);
}

bool DecodeWilRows(TByteCursor& cursor, uint32_t height, TRgbaCanvas& canvas)
{
    if (height > canvas.Height) return false;
    const uint32_t rowWidth = canvas.Width;
    const uint32_t* widen = Rgb565Table();
    for (uint32_t y = 0; y < height; ++y) {
        uint16_t words;
        if (!cursor.ReadU16(words)) return false;
        uint32_t* row = canvas.Row(y);
        uint32_t x = 0;
        uint32_t used = 0;
        while (used < words) {
            TByteSpan run;
            // Peek at the code: an unknown one ends the row and is left for the next row's count.
            TByteCursor peek = cursor;
            uint16_t codeWord, count;
            if (!peek.ReadU16(codeWord)) return false;
            const uint8_t code = static_cast<uint8_t>(codeWord & 0xFF);
            if (code != RunTransparent && code != RunOpaque && code != RunSemi) break;
            if (!peek.ReadU16(count)) return false;
            if (count > rowWidth - x) return false;
            if (code == RunTransparent) {
                cursor = peek;
                used += 2;
            } else {
                if (!peek.Take(size_t{2} * count, run)) return false;
                cursor = peek;
                used += 2u + count;
                const uint32_t alpha = code == RunOpaque ? 0xFF000000u : static_cast<uint32_t>(WilSemiAlpha) << 24;
                const uint8_t* src = run.data();
                uint32_t* dst = row + x;
                for (uint32_t i = 0; i < count; ++i, src += 2) dst[i] = widen[LoadU16(src)] | alpha;
            }
            x += count;
        }
    }
    return true;
}

TImageDecodeStatus DecodeWilImage(TByteSpan data, TByteSpan index, int64_t imageIndex, TWilImageHeader& header,
                                  TRgbaCanvas& canvas)
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

    uint32_t canvasWidth, canvasHeight;
    NextPowerOfTwoSize(canvasWidth, canvasHeight, image.Width, image.Height);
    canvas.Reset(canvasWidth, canvasHeight);
    if (!DecodeWilRows(cursor, image.Height, canvas)) return TImageDecodeStatus::Damaged;
    header = image;
    return TImageDecodeStatus::Decoded;
}
