// The cache textures' texels from decoded pixels (platform-free, also under the sanitizers): the key and the
// channel order of single pixels, whole images of every small width copied or stretched into rows with padding,
// which stays untouched, and an image's edges repeated into the texture's unused part. That the texels within the
// image equal the platform loader's is shown under Wine.
#include "gamedata/core/CacheTexels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

TEST(CacheTexels, KeyAndChannelOrder)
{
    const struct {
        uint8_t R, G, B, A;
        uint32_t Texel;
    } rows[] = {
        {0, 0, 0, 255, 0x00000000},       // opaque black: keyed
        {0, 0, 0, 0x7F, 0x7F000000},      // half-alpha black: kept
        {0, 0, 1, 255, 0xFF000001},       // nearly black: kept
        {0x12, 0x34, 0x56, 0x78, 0x78123456},
        {255, 0, 0, 0, 0x00FF0000},       // a clear colour keeps its colour
    };
    for (const auto& row : rows) {
        const uint8_t bytes[4] = {row.R, row.G, row.B, row.A};
        uint32_t word;
        std::memcpy(&word, bytes, 4);
        EXPECT_EQ(CacheTexel(word), row.Texel) << std::hex << row.Texel;
    }
}

// Texture widths 1 to 16 (and 4 padding texels per row), heights 3 and 4; pixels 3 rows high and as wide as the
// texture (rows copied whole) or narrower (stretched: texel x from pixel x * w / W).
TEST(CacheTexels, CopiesAndStretchesRowsWithinTheirPitch)
{
    constexpr uint32_t Padding = 0xDEADBEEF;
    constexpr uint32_t Height = 3;
    for (uint32_t side = 1; side <= 16; ++side)
        for (uint32_t width = side / 2 + 1; width <= side; ++width)
            for (const uint32_t textureHeight : {3u, 4u}) {
                std::vector<uint8_t> pixels(size_t{4} * width * Height);
                for (size_t i = 0; i < pixels.size(); ++i)
                    pixels[i] = static_cast<uint8_t>(i * 37 + (i % 4 == 3) * 200);
                pixels[0] = pixels[1] = pixels[2] = 0, pixels[3] = 255;  // one opaque black pixel
                const size_t rowWords = side + 4;
                std::vector<uint32_t> texels(rowWords * textureHeight, Padding);
                WriteCacheTexels({pixels.data(), width, Height, size_t{4} * width},
                                 reinterpret_cast<uint8_t*>(texels.data()), 4 * rowWords, side, textureHeight);
                for (uint32_t y = 0; y < textureHeight; ++y)
                    for (uint32_t x = 0; x < rowWords; ++x) {
                        const uint32_t got = texels[y * rowWords + x];
                        if (x >= side) {
                            ASSERT_EQ(got, Padding) << "padding at " << x << ", " << y;
                            continue;
                        }
                        const size_t source = size_t{y * Height / textureHeight} * width + x * width / side;
                        uint32_t pixel;
                        std::memcpy(&pixel, &pixels[4 * source], 4);
                        ASSERT_EQ(got, CacheTexel(pixel)) << width << " -> " << side << " at " << x << ", " << y;
                    }
            }
}

// Every texel (x, y) of the texture becomes the image's texel (min(x, w - 1), min(y, h - 1)); an image with a side
// of 0 changes nothing, a side at least the texture's changes nothing along it, and the rows' padding stays.
TEST(CacheTexels, RepeatImageEdgesIntoTheUnusedPart)
{
    constexpr uint32_t Padding = 0xDEADBEEF;
    const struct {
        uint32_t ImageWidth, ImageHeight, TextureWidth, TextureHeight;
    } rows[] = {
        {3, 2, 4, 4}, {1, 1, 4, 2}, {5, 3, 8, 4}, {4, 4, 4, 4}, {4, 1, 4, 4},
        {2, 4, 4, 4}, {6, 1, 4, 2}, {1, 9, 2, 4}, {0, 3, 4, 4}, {3, 0, 4, 4},
    };
    for (const auto& row : rows) {
        const size_t rowWords = row.TextureWidth + 2;
        std::vector<uint32_t> texels(rowWords * row.TextureHeight, Padding);
        for (uint32_t y = 0; y < row.TextureHeight; ++y)
            for (uint32_t x = 0; x < row.TextureWidth; ++x) texels[y * rowWords + x] = y << 8 | x;
        const std::vector<uint32_t> before = texels;
        RepeatImageEdges(reinterpret_cast<uint8_t*>(texels.data()), 4 * rowWords, row.ImageWidth, row.ImageHeight,
                         row.TextureWidth, row.TextureHeight);
        const bool none = row.ImageWidth == 0 || row.ImageHeight == 0;
        for (uint32_t y = 0; y < row.TextureHeight; ++y)
            for (uint32_t x = 0; x < rowWords; ++x) {
                const uint32_t want = none || x >= row.TextureWidth
                                          ? before[y * rowWords + x]
                                          : std::min(y, row.ImageHeight - 1) << 8 | std::min(x, row.ImageWidth - 1);
                ASSERT_EQ(texels[y * rowWords + x], want) << row.ImageWidth << " x " << row.ImageHeight << " in "
                                                           << row.TextureWidth << " x " << row.TextureHeight
                                                           << " at " << x << ", " << y;
            }
    }
}
