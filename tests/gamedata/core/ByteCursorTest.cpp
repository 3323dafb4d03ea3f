#include "gamedata/core/ByteCursor.h"
#include "gamedata/core/ImageRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <tuple>
#include <vector>

namespace {

const std::vector<uint8_t> Bytes = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0x80, 0x00};

TEST(ByteCursor, ReadsLittleEndianValues)
{
    TByteCursor cursor(Bytes);
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    int16_t i16 = 0;
    ASSERT_TRUE(cursor.ReadU8(u8));
    ASSERT_TRUE(cursor.ReadU16(u16));
    ASSERT_TRUE(cursor.ReadU8(u8));
    EXPECT_EQ(u16, 0x0302);
    EXPECT_EQ(u8, 0x04);
    ASSERT_TRUE(cursor.ReadI16(i16));
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(cursor.Remaining(), 2u);

    TByteCursor wide(Bytes, 4);
    ASSERT_TRUE(wide.ReadU32(u32));
    EXPECT_EQ(u32, 0x0080FFFEu);
    EXPECT_EQ(wide.Position(), Bytes.size());
}

// Each read, one byte short of what it needs: it fails, and neither the cursor nor the output moves.
TEST(ByteCursor, ShortReadsChangeNothing)
{
    // Read returns true when the read succeeded or, failing, still changed its output.
    struct Row {
        const char* Name;
        size_t Needs;
        std::function<bool(TByteCursor&)> Read;
    };
    const Row rows[] = {
        {"u8", 1, [](TByteCursor& c) { uint8_t v = 0x5A; return c.ReadU8(v) || v != 0x5A; }},
        {"u16", 2, [](TByteCursor& c) { uint16_t v = 0x5A5A; return c.ReadU16(v) || v != 0x5A5A; }},
        {"i16", 2, [](TByteCursor& c) { int16_t v = 7; return c.ReadI16(v) || v != 7; }},
        {"u32", 4, [](TByteCursor& c) { uint32_t v = 7; return c.ReadU32(v) || v != 7; }},
        {"bytes", 3, [](TByteCursor& c) { uint8_t v[3] = {9, 9, 9}; return c.ReadBytes(v, 3) || v[0] != 9; }},
        {"take", 3, [](TByteCursor& c) { TByteSpan v; return c.Take(3, v) || !v.empty(); }},
        {"skip", 3, [](TByteCursor& c) { return c.Skip(3); }},
    };
    for (const Row& row : rows) {
        // Positioned so that exactly Needs - 1 bytes are left.
        const size_t start = Bytes.size() - (row.Needs - 1);
        TByteCursor cursor(Bytes, start);
        EXPECT_FALSE(row.Read(cursor)) << row.Name;
        EXPECT_EQ(cursor.Position(), start) << row.Name;
        // With one byte more the same read succeeds.
        TByteCursor enough(Bytes, start - 1);
        EXPECT_TRUE(row.Read(enough)) << row.Name;
        EXPECT_EQ(enough.Remaining(), 0u) << row.Name;
    }
}

TEST(ByteCursor, HugeCountsNeitherWrapNorPass)
{
    TByteCursor cursor(Bytes, 2);
    TByteSpan view;
    EXPECT_FALSE(cursor.Skip(SIZE_MAX));
    EXPECT_FALSE(cursor.Take(SIZE_MAX - 1, view));
    EXPECT_FALSE(cursor.Has(SIZE_MAX));
    EXPECT_EQ(cursor.Position(), 2u);
}

TEST(ByteCursor, StartBeyondTheEndIsTheEnd)
{
    TByteCursor cursor(Bytes, Bytes.size() + 100);
    EXPECT_EQ(cursor.Position(), Bytes.size());
    EXPECT_EQ(cursor.Remaining(), 0u);
    TByteSpan view;
    EXPECT_TRUE(cursor.Take(0, view));
    EXPECT_TRUE(view.empty());
    uint8_t byte;
    EXPECT_FALSE(cursor.ReadU8(byte));

    TByteCursor empty(TByteSpan{});
    EXPECT_TRUE(empty.Skip(0));
    EXPECT_FALSE(empty.Skip(1));
}

TEST(ByteCursor, TakeViewsTheSameBytes)
{
    TByteCursor cursor(Bytes, 1);
    TByteSpan view;
    ASSERT_TRUE(cursor.Take(3, view));
    EXPECT_EQ(view.data(), Bytes.data() + 1);
    EXPECT_EQ(view.size(), 3u);
    EXPECT_EQ(cursor.Position(), 4u);
}

TEST(ImageRecord, ReadsTheSeventeenHeaderBytes)
{
    const std::vector<uint8_t> bytes = {0x20, 0x01, 0x10, 0x00, 0xFB, 0xFF, 0x05, 0x00, 0xAA,
                                        0x34, 0x12, 0x78, 0x56, 0x11, 0x22, 0x33, 0x44, 0xEE};
    TByteCursor cursor(bytes);
    TWilImageHeader header;
    ASSERT_TRUE(ReadImageHeader(cursor, header));
    EXPECT_EQ(cursor.Position(), ImageHeaderBytes);
    using Fields = std::tuple<uint16_t, uint16_t, int16_t, int16_t, uint8_t, uint16_t, uint16_t>;
    EXPECT_EQ(Fields(header.Width, header.Height, header.OffsetX, header.OffsetY, header.Byte8, header.Word9,
                     header.Word11),
              Fields(0x120, 0x10, -5, 5, 0xAA, 0x1234, 0x5678));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + ImageHeaderBytes, header.Raw));

    // One byte short: the header keeps what it held.
    TByteCursor shortCursor(TByteSpan(bytes).first(ImageHeaderBytes - 1));
    TWilImageHeader kept;
    kept.Width = 9;
    EXPECT_FALSE(ReadImageHeader(shortCursor, kept));
    EXPECT_EQ(kept.Width, 9);
    EXPECT_EQ(shortCursor.Position(), 0u);
}

TEST(ImageRecord, HeaderCopiesZeroWhatTheFileLacks)
{
    const std::vector<uint8_t> bytes = {1, 2, 3};
    uint8_t copy[5] = {9, 9, 9, 9, 9};
    CopyHeaderBytes(bytes, copy, sizeof copy);
    EXPECT_EQ(std::vector<uint8_t>(copy, copy + 5), (std::vector<uint8_t>{1, 2, 3, 0, 0}));
    CopyHeaderBytes(bytes, copy, 2);
    EXPECT_EQ(std::vector<uint8_t>(copy, copy + 5), (std::vector<uint8_t>{1, 2, 3, 0, 0}));
}

}  // namespace
