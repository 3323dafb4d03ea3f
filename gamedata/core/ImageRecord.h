#pragma once
// What the WIL and the SIL image libraries share: the 17 leading bytes of an image's header (a SIL record keeps
// a WIL image's first 13 bytes and adds the PNG length), the largest side either accepts, the decoders' result
// and the copies the readers keep of their files' headers.
//
// Sections: limits; the image header; the SIL image record; decoding results; header copies.
#include "gamedata/core/ByteCursor.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// ---- limits ------------------------------------------------------------------------------------------------
constexpr size_t ImageHeaderBytes = 17;  // bytes of an image header kept by the readers
constexpr uint32_t ImageMaxSide = 4096;  // larger images are treated as damaged: no giant canvas

// ---- the image header --------------------------------------------------------------------------------------
// The first 17 bytes of an image header, raw and parsed (a version-5000 WIL header has 4 more, skipped; in a SIL
// record bytes 13 to 16 are the PNG length).
struct TWilImageHeader {
    uint8_t Raw[ImageHeaderBytes] = {};
    uint16_t Width = 0;
    uint16_t Height = 0;
    int16_t OffsetX = 0;
    int16_t OffsetY = 0;
    uint8_t Byte8 = 0;    // passed through unread, like the two words below
    uint16_t Word9 = 0;
    uint16_t Word11 = 0;
};

// Parses the 17 header bytes at the cursor; false (cursor and header unchanged) when they are not all there.
bool ReadImageHeader(TByteCursor& cursor, TWilImageHeader& header);

// ---- the SIL image record ----------------------------------------------------------------------------------
// The image record of the system's own SIL libraries: the WIL reader fills its first 13 bytes from an image's
// header when it writes the image as a PNG file for the conversion, and the SIL writer sets PngLength.
#pragma pack(push, 1)
struct TSILImageRecord {
    uint16_t Width;
    uint16_t Height;
    int16_t OffsetX;
    int16_t OffsetY;
    uint8_t Byte8;  // the three passed-through header fields at offsets 8, 9 and 11
    uint16_t Word9;
    uint16_t Word11;
    uint32_t PngLength;
};
#pragma pack(pop)
static_assert(sizeof(TSILImageRecord) == ImageHeaderBytes);

// ---- decoding results --------------------------------------------------------------------------------------
enum class TImageDecodeStatus {
    Decoded,
    NoImage,  // index entry 0, or an entry beyond the index file
    Damaged,  // any failed check of the library's bytes; each decoder lists its own
};

// ---- header copies -----------------------------------------------------------------------------------------
// Copies min(size, span) leading bytes into `out` and zeroes the rest: the readers' header copies.
inline void CopyHeaderBytes(TByteSpan from, uint8_t* out, size_t size)
{
    const size_t n = from.size() < size ? from.size() : size;
    if (n) std::memcpy(out, from.data(), n);
    std::memset(out + n, 0, size - n);
}
