#include "gamedata/core/ImageRecord.h"

#include <algorithm>

bool ReadImageHeader(TByteCursor& cursor, TWilImageHeader& header)
{
    TByteSpan raw;
    if (!cursor.Take(ImageHeaderBytes, raw)) return false;
    TByteCursor fields(raw);
    TWilImageHeader h;
    std::copy(raw.begin(), raw.end(), h.Raw);
    fields.ReadU16(h.Width);
    fields.ReadU16(h.Height);
    fields.ReadI16(h.OffsetX);
    fields.ReadI16(h.OffsetY);
    fields.ReadU8(h.Byte8);
    fields.ReadU16(h.Word9);
    fields.ReadU16(h.Word11);
    header = h;
    return true;
}
