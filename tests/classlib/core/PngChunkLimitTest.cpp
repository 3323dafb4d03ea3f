// A chunk header that claims more than the file holds, or a chunk other than image data beyond the chunk limit,
// refuses the file before libpng allocates for it. The 41-byte reproducer: signature, a valid IHDR, then a
// chunk header claiming 0x7FFFFFF0 bytes. In the sanitizer build the largest single allocation is watched.
#include "classlib/core/PngImage.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/allocator_interface.h>
#define PNG_TEST_WATCHES_ALLOCATIONS 1
#endif
#endif

namespace {

std::atomic<size_t> largestAllocation{0};

#ifdef PNG_TEST_WATCHES_ALLOCATIONS
void OnMalloc(const volatile void*, size_t size)
{
    size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
}
void OnFree(const volatile void*) {}
[[maybe_unused]] const int hooked = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree);
#endif

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    const uint8_t bytes[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    out.insert(out.end(), bytes, bytes + 4);
}

// A chunk with its CRC (zlib's) over name and data.
std::vector<uint8_t> Chunk(const char* name, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out;
    PutU32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), name, name + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0, reinterpret_cast<const Bytef*>(name), 4), data.data(), uInt(data.size()));
    PutU32(out, static_cast<uint32_t>(crc));
    return out;
}

std::vector<uint8_t> Reproducer(const char* name)
{
    std::vector<uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const std::vector<uint8_t> ihdr = Chunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0});
    file.insert(file.end(), ihdr.begin(), ihdr.end());
    PutU32(file, 0x7FFFFFF0);
    file.insert(file.end(), name, name + 4);
    return file;
}

// A valid 2 x 2 image with a text chunk of `textBytes` bytes after its IHDR.
std::vector<uint8_t> WithText(size_t textBytes)
{
    TPngImage image;
    EXPECT_TRUE(image.CreateBlank(2, 2, TRgba{10, 20, 30, 255}));
    std::vector<uint8_t> file;
    EXPECT_TRUE(image.SaveToMemory(file, 4));
    // Keyword, its NUL, then the text.
    std::string text("Comment", 8);
    text.append(textBytes - text.size(), 'x');
    const std::vector<uint8_t> chunk = Chunk("tEXt", std::vector<uint8_t>(text.begin(), text.end()));
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());
    return file;
}

TEST(PngChunkLimit, OverLongChunksRefuseTheFileWithoutTheirAllocation)
{
    struct Row {
        std::string Name;
        std::vector<uint8_t> File;
        bool Loads;
    };
    std::vector<Row> rows;
    for (const char* name : {"tEXt", "zTXt", "iTXt", "sPLT", "pCAL", "sCAL", "eXIf", "iCCP", "abCd"})
        rows.push_back({std::string(name) + " claiming 2 GiB", Reproducer(name), false});
    rows.push_back({"text chunk one byte over the limit", WithText(TPngLimits{}.MaxChunkBytes + 1), false});
    rows.push_back({"text chunk at the limit", WithText(TPngLimits{}.MaxChunkBytes), true});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TPngImage image;
        ASSERT_TRUE(image.CreateBlank(1, 1, TRgba{1, 2, 3, 4}));
        largestAllocation = 0;
        EXPECT_EQ(image.LoadFromMemory(row.File), row.Loads) << image.LastError();
        EXPECT_LT(largestAllocation.load(), TPngLimits{}.MaxChunkBytes + (1u << 16));
        if (row.Loads) {
            EXPECT_EQ(image.Pixel(1, 1), (TRgba{10, 20, 30, 255}));
        } else {
            EXPECT_EQ(image.Width(), 1u);
            EXPECT_EQ(image.Pixel(0, 0), (TRgba{1, 2, 3, 4}));
        }
    }
    EXPECT_EQ(Reproducer("tEXt").size(), 41u);
}

}  // namespace
