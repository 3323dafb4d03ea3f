#pragma once
// The WIL image decoding as plainly as the format reads, pixel by pixel on a canvas filled with opaque black first,
// with the widening in floating point: the reference the fast decoder's output must equal byte for byte (its
// tests and its fuzz target compare the two).
#include "gamedata/core/WilDecoder.h"

#include <cmath>
#include <optional>

namespace testsupport {

// Trunc(c x 8.225806 + 0.5) for the 5-bit channels and Trunc(c x 4.047619 + 0.5) for the 6-bit one.
inline uint32_t ReferenceWiden(uint16_t c)
{
    const auto widen = [](uint32_t v, double factor) { return static_cast<uint32_t>(std::trunc(v * factor + 0.5)); };
    return widen(c >> 11, 8.225806) | widen((c >> 5) & 0x3F, 4.047619) << 8 | widen(c & 0x1F, 8.225806) << 16;
}

// Image `i` decoded onto its canvas; nothing for no image or any damage the fast decoder also refuses.
inline std::optional<TRgbaCanvas> ReferenceDecode(TByteSpan data, TByteSpan index, int64_t i)
{
    const TWilDataHeader lib = ReadWilDataHeader(data);
    if (i < 0 || i >= lib.Count || !IsKnownWilVersion(lib.Version)) return std::nullopt;
    const uint32_t offset = ReadWilIndexEntry(index, lib.Version, static_cast<uint32_t>(i));
    TByteCursor cursor(data);
    TWilImageHeader image;
    if (offset == 0 || !cursor.Skip(offset) || !ReadImageHeader(cursor, image) ||
        !cursor.Skip(ImageHeaderSize(lib.Version) - ImageHeaderBytes) || image.Width > ImageMaxSide ||
        image.Height > ImageMaxSide || !cursor.Has(size_t{2} * image.Height))
        return std::nullopt;
    TRgbaCanvas canvas;
    canvas.Width = NextPowerOfTwo(image.Width);
    canvas.Height = NextPowerOfTwo(image.Height);
    canvas.Pixels.assign(size_t{canvas.Width} * canvas.Height, RgbaOpaqueBlack);
    for (uint32_t y = 0; y < image.Height; ++y) {
        uint16_t words;
        if (!cursor.ReadU16(words)) return std::nullopt;
        uint32_t x = 0;
        for (uint32_t used = 0; used < words;) {
            TByteCursor peek = cursor;
            uint16_t code, count;
            if (!peek.ReadU16(code)) return std::nullopt;
            code &= 0xFF;
            if (code != 0xC0 && code != 0xC1 && code != 0xC2) break;
            if (!peek.ReadU16(count) || x + count > canvas.Width) return std::nullopt;
            used += 2;
            for (uint32_t n = 0; n < count; ++n, ++x) {
                if (code == 0xC0) continue;
                uint16_t colour;
                if (!peek.ReadU16(colour)) return std::nullopt;
                ++used;
                canvas.Row(y)[x] = ReferenceWiden(colour) | (code == 0xC1 ? 0xFFu : WilSemiAlpha) << 24;
            }
            cursor = peek;
        }
    }
    return canvas;
}

}  // namespace testsupport
