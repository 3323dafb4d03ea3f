#pragma once
// Layout of the game's WIL image libraries: a ".wil" data file (26-byte header, then per image a header and its
// run-length-coded rows) and a ".wix" index file (a header, then one u32 data-file offset per image, 0 = none).
// Everything here reads byte spans through a bounds-checked cursor; nothing touches a file.
//
// Sections: byte cursor; versions and sizes; data-file header; index entries; the 17-byte image record;
// power-of-two canvas sizes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

using TByteSpan = std::span<const uint8_t>;

// ---- byte cursor -------------------------------------------------------------------------------------------
// Little-endian reads that never pass the end of the span: a read that does not fit fails and leaves the cursor
// where it was.
class TWilCursor {
public:
    explicit TWilCursor(TByteSpan bytes, size_t position = 0) : Bytes(bytes), Pos(position) {}

    size_t Position() const { return Pos; }
    size_t Left() const { return Pos <= Bytes.size() ? Bytes.size() - Pos : 0; }
    bool Has(size_t count) const { return count <= Left(); }

    bool Skip(size_t count)
    {
        if (!Has(count)) return false;
        Pos += count;
        return true;
    }
    bool ReadU8(uint8_t& value)
    {
        if (!Has(1)) return false;
        value = Bytes[Pos++];
        return true;
    }
    bool ReadU16(uint16_t& value)
    {
        if (!Has(2)) return false;
        value = static_cast<uint16_t>(Bytes[Pos] | Bytes[Pos + 1] << 8);
        Pos += 2;
        return true;
    }
    bool ReadI16(int16_t& value)
    {
        uint16_t raw;
        if (!ReadU16(raw)) return false;
        value = static_cast<int16_t>(raw);
        return true;
    }
    bool ReadU32(uint32_t& value)
    {
        if (!Has(4)) return false;
        value = static_cast<uint32_t>(Bytes[Pos]) | static_cast<uint32_t>(Bytes[Pos + 1]) << 8 |
                static_cast<uint32_t>(Bytes[Pos + 2]) << 16 | static_cast<uint32_t>(Bytes[Pos + 3]) << 24;
        Pos += 4;
        return true;
    }
    // A view of the next `count` bytes, consumed; empty and nothing consumed when they are not all there.
    bool Take(size_t count, TByteSpan& out)
    {
        if (!Has(count)) return false;
        out = Bytes.subspan(Pos, count);
        Pos += count;
        return true;
    }

private:
    TByteSpan Bytes;
    size_t Pos;
};

// ---- versions and sizes ------------------------------------------------------------------------------------
constexpr uint16_t WilVersion17 = 17;
constexpr uint16_t WilVersion5000 = 5000;
constexpr size_t WilDataHeaderSize = 26;   // bytes of the data-file header kept by the reader
constexpr size_t WilIndexHeaderCopy = 22;  // bytes of the index-file header kept by the reader
constexpr size_t WilImageHeaderCopy = 17;  // bytes of an image header kept by the reader
constexpr uint32_t WilMaxSide = 4096;      // larger images are treated as damaged: no giant canvas

// Image-header bytes for the version: 17 for 17, 21 for 5000, else 0.
size_t ImageHeaderSize(uint16_t version);
// Index-file header bytes (start of the offset table): 24 for 17, 28 for 5000, else 0.
size_t IndexHeaderSize(uint16_t version);
inline bool IsKnownWilVersion(uint16_t version) { return ImageHeaderSize(version) != 0; }

// ---- data-file header --------------------------------------------------------------------------------------
struct TWilDataHeader {
    uint16_t Version = 0;
    uint16_t Count = 0;  // N, the number of index entries the library claims
};

// Version and count from the first 26 bytes; all zero when the span is shorter than that.
TWilDataHeader ReadWilDataHeader(TByteSpan data);

// Copies min(size, span) leading bytes into `out` and zeroes the rest: the reader's header copies.
inline void CopyHeaderBytes(TByteSpan from, uint8_t* out, size_t size)
{
    const size_t n = from.size() < size ? from.size() : size;
    if (n) std::memcpy(out, from.data(), n);
    std::memset(out + n, 0, size - n);
}

// ---- index entries -----------------------------------------------------------------------------------------
// Offset of image `i`'s header in the data file; 0 (no image) for an entry that lies beyond the index file or a
// library of unknown version. The caller checks `i` against N.
uint32_t ReadWilIndexEntry(TByteSpan index, uint16_t version, uint32_t i);

// Entries 0 to N - 1 that name an image; 0 for a library of unknown version.
uint32_t CountWilImages(TByteSpan data, TByteSpan index);

// ---- the 17-byte image record ------------------------------------------------------------------------------
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
static_assert(sizeof(TSILImageRecord) == 17);

// ---- power-of-two canvas sizes -----------------------------------------------------------------------------
// The smallest power of two not below the side; a side of 0 counts as 1.
uint32_t NextPowerOfTwo(uint32_t side);
inline void NextPowerOfTwoSize(uint32_t& canvasWidth, uint32_t& canvasHeight, uint32_t width, uint32_t height)
{
    canvasWidth = NextPowerOfTwo(width);
    canvasHeight = NextPowerOfTwo(height);
}
