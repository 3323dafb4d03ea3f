#pragma once
// Layout of the game's WIL image libraries: a ".wil" data file (26-byte header, then per image a header and its
// run-length-coded rows) and a ".wix" index file (a header, then one u32 data-file offset per image, 0 = none).
// Everything here reads byte spans through a bounds-checked cursor; nothing touches a file.
//
// Sections: versions and sizes; data-file header; index entries; power-of-two canvas sizes.
#include "gamedata/core/ImageRecord.h"

#include <cstddef>
#include <cstdint>

// ---- versions and sizes ------------------------------------------------------------------------------------
constexpr uint16_t WilVersion17 = 17;
constexpr uint16_t WilVersion5000 = 5000;
constexpr size_t WilDataHeaderSize = 26;   // bytes of the data-file header kept by the reader
constexpr size_t WilIndexHeaderCopy = 22;  // bytes of the index-file header kept by the reader

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

// ---- index entries -----------------------------------------------------------------------------------------
// Offset of image `i`'s header in the data file; 0 (no image) for an entry that lies beyond the index file or a
// library of unknown version. The caller checks `i` against N.
uint32_t ReadWilIndexEntry(TByteSpan index, uint16_t version, uint32_t i);

// Entries 0 to N - 1 that name an image; 0 for a library of unknown version.
uint32_t CountWilImages(TByteSpan data, TByteSpan index);
// The number of images the tile picker offers: the highest non-empty entry among 0 to N - 1, + 1 (0 when none),
// the count the library's SIL conversion gets, so that images after a gap stay reachable.
int32_t WilPickerCount(TByteSpan data, TByteSpan index);

// ---- power-of-two canvas sizes -----------------------------------------------------------------------------
// The smallest power of two not below the side; a side of 0 counts as 1.
uint32_t NextPowerOfTwo(uint32_t side);
inline void NextPowerOfTwoSize(uint32_t& canvasWidth, uint32_t& canvasHeight, uint32_t width, uint32_t height)
{
    canvasWidth = NextPowerOfTwo(width);
    canvasHeight = NextPowerOfTwo(height);
}
