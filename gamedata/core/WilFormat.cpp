#include "gamedata/core/WilFormat.h"

size_t ImageHeaderSize(uint16_t version)
{
    switch (version) {
    case WilVersion17: return 17;
    case WilVersion5000: return 21;
    default: return 0;
    }
}

size_t IndexHeaderSize(uint16_t version)
{
    switch (version) {
    case WilVersion17: return 24;
    case WilVersion5000: return 28;
    default: return 0;
    }
}

TWilDataHeader ReadWilDataHeader(TByteSpan data)
{
    TWilDataHeader header;
    if (data.size() < WilDataHeaderSize) return header;
    TByteCursor cursor(data, 22);
    cursor.ReadU16(header.Version);
    cursor.ReadU16(header.Count);
    return header;
}

uint32_t ReadWilIndexEntry(TByteSpan index, uint16_t version, uint32_t i)
{
    const size_t start = IndexHeaderSize(version);
    if (start == 0) return 0;
    TByteCursor cursor(index);
    uint32_t offset = 0;
    if (!cursor.Skip(start) || !cursor.Skip(size_t{4} * i) || !cursor.ReadU32(offset)) return 0;
    return offset;
}

uint32_t CountWilImages(TByteSpan data, TByteSpan index)
{
    const TWilDataHeader header = ReadWilDataHeader(data);
    uint32_t images = 0;
    for (uint32_t i = 0; i < header.Count; ++i)
        if (ReadWilIndexEntry(index, header.Version, i) != 0) ++images;
    return images;
}

int32_t WilPickerCount(TByteSpan data, TByteSpan index)
{
    const TWilDataHeader header = ReadWilDataHeader(data);
    for (uint32_t i = header.Count; i > 0; --i)
        if (ReadWilIndexEntry(index, header.Version, i - 1) != 0) return static_cast<int32_t>(i);
    return 0;
}

uint32_t NextPowerOfTwo(uint32_t side)
{
    uint32_t power = 1;
    while (power < side && power < (1u << 31)) power <<= 1;
    return power;
}
