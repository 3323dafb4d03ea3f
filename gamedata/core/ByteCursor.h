#pragma once
// Bounds-checked little-endian reading of a byte span, shared by every decoder of the game's files (maps, WIL and
// SIL libraries). A read that does not fit in the bytes left returns false and changes neither the cursor nor
// its output, so a decoder can parse into locals and commit only when every read succeeded.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

using TByteSpan = std::span<const uint8_t>;

class TByteCursor {
public:
    // A start beyond the end places the cursor at the end: only empty reads succeed there.
    explicit TByteCursor(TByteSpan bytes, size_t position = 0)
        : Bytes(bytes), Pos(position < bytes.size() ? position : bytes.size())
    {
    }

    size_t Position() const { return Pos; }
    size_t Remaining() const { return Bytes.size() - Pos; }
    bool Has(size_t count) const { return count <= Remaining(); }

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
    // Copies the next `count` bytes into `out` as they are (a fixed text or a packed record).
    bool ReadBytes(void* out, size_t count)
    {
        if (!Has(count)) return false;
        if (count != 0) std::memcpy(out, Bytes.data() + Pos, count);
        Pos += count;
        return true;
    }
    // A view of the next `count` bytes, consumed.
    bool Take(size_t count, TByteSpan& out)
    {
        if (!Has(count)) return false;
        out = Bytes.subspan(Pos, count);
        Pos += count;
        return true;
    }

private:
    TByteSpan Bytes;
    size_t Pos;  // never beyond Bytes.size()
};
