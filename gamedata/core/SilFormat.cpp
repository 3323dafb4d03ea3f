#include "gamedata/core/SilFormat.h"

#include <cstring>
#include <new>

namespace {

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Makes room for `extra` more bytes, growing geometrically so that a library of many images is not copied once
// per image.
void Reserve(std::vector<uint8_t>& v, size_t extra)
{
    const size_t needed = v.size() + extra;
    if (needed > v.capacity()) v.reserve(needed > 2 * v.capacity() ? needed : 2 * v.capacity());
}

} // namespace

std::array<uint8_t, SilDataHeaderSize> MakeSilDataHeader(uint16_t count)
{
    std::array<uint8_t, SilDataHeaderSize> header{};
    header[0] = 1;
    std::memcpy(&header[1], SilSignature, sizeof SilSignature - 1);
    PutU16(&header[22], SilVersion);
    PutU16(&header[24], count);
    return header;
}

std::array<uint8_t, SilIndexHeaderSize> MakeSilIndexHeader(uint16_t count)
{
    std::array<uint8_t, SilIndexHeaderSize> header{};
    PutU16(&header[20], count);
    return header;
}

uint16_t ReadSilCount(TByteSpan data)
{
    uint16_t count = 0;
    if (data.size() < SilDataHeaderSize) return 0;
    TByteCursor(data, 24).ReadU16(count);
    return count;
}

uint32_t ReadSilIndexEntry(TByteSpan index, uint32_t i)
{
    TByteCursor cursor(index);
    uint32_t offset = 0;
    if (!cursor.Skip(SilIndexHeaderSize) || !cursor.Skip(size_t{4} * i) || !cursor.ReadU32(offset)) return 0;
    return offset;
}

TSilLookup FindSilImage(TByteSpan data, TByteSpan index, int64_t i, TSilRecord& record)
{
    if (i < 0 || i >= ReadSilCount(data)) return TSilLookup::Damaged;
    const uint32_t offset = ReadSilIndexEntry(index, static_cast<uint32_t>(i));
    if (offset == 0) return TSilLookup::NoImage;

    TByteCursor cursor(data, offset);
    TSilRecord found;
    if (!ReadImageHeader(cursor, found.Header)) return TSilLookup::Damaged;
    if (found.Header.Width > ImageMaxSide || found.Header.Height > ImageMaxSide) return TSilLookup::Damaged;
    TByteCursor lengthField(TByteSpan(found.Header.Raw), SilRecordInfoSize);
    lengthField.ReadU32(found.PngLength);
    if (!cursor.Take(found.PngLength, found.Png)) return TSilLookup::Damaged;
    record = found;
    return TSilLookup::Found;
}

bool SilPngWithinBounds(TByteSpan png)
{
    uint32_t width = 0, height = 0;
    return TPngImage::ReadPngSize(png, width, height) && width >= 1 && height >= 1 && width <= ImageMaxSide &&
           height <= ImageMaxSide;
}

TImageDecodeStatus LookupSilImage(TByteSpan data, TByteSpan index, int64_t i, TSilRecord& record)
{
    switch (FindSilImage(data, index, i, record)) {
    case TSilLookup::NoImage: return TImageDecodeStatus::NoImage;
    case TSilLookup::Damaged: return TImageDecodeStatus::Damaged;
    case TSilLookup::Found: break;
    }
    const bool emptyImage = record.Header.Width == 0 || record.Header.Height == 0;
    return emptyImage || SilPngWithinBounds(record.Png) ? TImageDecodeStatus::Decoded : TImageDecodeStatus::Damaged;
}

bool SilPairComplete(TByteSpan data, TByteSpan index)
{
    const uint16_t count = ReadSilCount(data);
    if (count == 0 || index.size() < SilIndexHeaderSize + size_t{4} * count) return false;
    uint32_t last = count;
    while (last > 0 && ReadSilIndexEntry(index, last - 1) == 0) --last;
    TSilRecord record;
    return last == 0 || FindSilImage(data, index, last - 1, record) == TSilLookup::Found;
}

void TSilWriter::Start(uint16_t count)
{
    const auto data = MakeSilDataHeader(count);
    const auto index = MakeSilIndexHeader(count);
    data_.assign(data.begin(), data.end());
    index_.assign(index.begin(), index.end());
}

bool TSilWriter::AddImage(const TSILImageRecord& record, TByteSpan png)
{
    const uint64_t offset = data_.size();
    if (offset > maxOffset_ || offset > UINT32_MAX || png.size() > UINT32_MAX) return false;
    uint8_t entry[4];
    PutU32(entry, static_cast<uint32_t>(offset));
    uint8_t header[SilRecordHeaderSize];
    PutU16(&header[0], record.Width);
    PutU16(&header[2], record.Height);
    PutU16(&header[4], static_cast<uint16_t>(record.OffsetX));
    PutU16(&header[6], static_cast<uint16_t>(record.OffsetY));
    header[8] = record.Byte8;
    PutU16(&header[9], record.Word9);
    PutU16(&header[11], record.Word11);
    PutU32(&header[13], static_cast<uint32_t>(png.size()));
    try {
        Reserve(data_, sizeof header + png.size());
        Reserve(index_, sizeof entry);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Both buffers have room now: the appends below cannot fail half way.
    index_.insert(index_.end(), entry, entry + sizeof entry);
    data_.insert(data_.end(), header, header + sizeof header);
    data_.insert(data_.end(), png.begin(), png.end());
    return true;
}

void TSilWriter::AddEmptyEntry()
{
    const uint8_t zero[4] = {};
    index_.insert(index_.end(), zero, zero + sizeof zero);
}

void TSilWriter::SetCount(uint16_t count)
{
    if (data_.size() >= SilDataHeaderSize) PutU16(&data_[24], count);
    if (index_.size() >= SilIndexHeaderSize) PutU16(&index_[20], count);
}
