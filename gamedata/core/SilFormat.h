#pragma once
// Layout of the SIL image libraries: a ".sil" data file (26-byte header, then per image a 17-byte record header
// followed by a complete PNG file) and a ".six" index file (22-byte header, then one u32 data-file offset per
// entry, 0 = no image). Reading takes byte spans through the bounds-checked cursor; writing builds both files in
// memory. Nothing here touches a file.
//
// Sections: constants; headers; reading; writing.
#include "classlib/core/PngImage.h"
#include "gamedata/core/ImageRecord.h"

#include <array>
#include <cstdint>
#include <vector>

// ---- constants ---------------------------------------------------------------------------------------------
constexpr size_t SilDataHeaderSize = 26;
constexpr size_t SilIndexHeaderSize = 22;
constexpr size_t SilRecordHeaderSize = 17;
constexpr size_t SilRecordInfoSize = 13;  // width, height, x, y, byte 8, words 9 and 11: all but the PNG length
constexpr uint16_t SilVersion = 7000;
constexpr char SilSignature[] = "ILIB v1.1-SORVANTA";  // 18 characters, NUL-padded to 21 bytes after the mark byte

// ---- headers -----------------------------------------------------------------------------------------------
// Mark byte 1, the signature, version 7000, the count.
std::array<uint8_t, SilDataHeaderSize> MakeSilDataHeader(uint16_t count);
// 20 zero bytes, the count.
std::array<uint8_t, SilIndexHeaderSize> MakeSilIndexHeader(uint16_t count);

// ---- reading -----------------------------------------------------------------------------------------------
// N from the data-file header; 0 when the span is shorter than the header. Signature and version are not checked.
uint16_t ReadSilCount(TByteSpan data);
// Entry i of the index file (at 22 + 4i); 0 (no image) when it lies beyond the file.
uint32_t ReadSilIndexEntry(TByteSpan index, uint32_t i);

// An image record found in the data file: its header fields and its PNG bytes (a view into the data span).
struct TSilRecord {
    TWilImageHeader Header;
    uint32_t PngLength = 0;
    TByteSpan Png;
};

enum class TSilLookup {
    Found,
    NoImage,  // index entry 0, or an entry beyond the index file
    Damaged,  // index outside 0..N-1, record header or PNG past the data file, a side above 4096
};

// Finds image `i`. On Found, `record` holds it; otherwise `record` is untouched.
TSilLookup FindSilImage(TByteSpan data, TByteSpan index, int64_t i, TSilRecord& record);

// True when the bytes start like a PNG file whose canvas sides are 1 to 4096: the bound checked before the
// PNG is handed to a decoder that would allocate whatever the header asks for.
bool SilPngWithinBounds(TByteSpan png);

// The reader's lookup of image `i`: FindSilImage, then the canvas bound for an image with both sides non-zero (a
// side of 0 has no picture to decode). Decoded: `record` holds the image; Damaged after a found record whose PNG
// is out of bounds: `record` holds it too; otherwise `record` is untouched.
TImageDecodeStatus LookupSilImage(TByteSpan data, TByteSpan index, int64_t i, TSilRecord& record);

// True when the pair holds what a finished write leaves: a data-file header with a count N of at least 1, N
// entries after the index file's header, and the record of the last non-empty one among them (the data file's
// last record) inside the data file. A pair cut short, emptied, or left with its headers alone by a write that
// never finished fails. Reads the headers, the index entries and one record header, not the images.
bool SilPairComplete(TByteSpan data, TByteSpan index);

// ---- writing -----------------------------------------------------------------------------------------------
// Both files of a library being written. The data offsets in the index are u32: an image whose record would start
// beyond `maxOffset` (4 GiB - 1 in use; smaller in tests) is refused and nothing is appended.
class TSilWriter {
public:
    explicit TSilWriter(uint64_t maxOffset = UINT32_MAX) : maxOffset_(maxOffset) {}

    // Fresh files holding only their headers, both with `count`.
    void Start(uint16_t count);
    // Appends entry = the data file's size, then the record: the record's first 13 bytes (width, height, x, y,
    // byte 8, words 9 and 11), the PNG length, the PNG bytes. False, nothing appended, when the offset or the
    // length does not fit in 32 bits or memory runs out.
    bool AddImage(const TSILImageRecord& record, TByteSpan png);
    // Appends an index entry 0.
    void AddEmptyEntry();
    // Writes `count` into both headers.
    void SetCount(uint16_t count);

    const std::vector<uint8_t>& Data() const { return data_; }
    const std::vector<uint8_t>& Index() const { return index_; }
    size_t Entries() const { return index_.size() < SilIndexHeaderSize ? 0 : (index_.size() - SilIndexHeaderSize) / 4; }

private:
    uint64_t maxOffset_;
    std::vector<uint8_t> data_;
    std::vector<uint8_t> index_;
};
