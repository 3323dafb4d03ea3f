// The cache textures' texels from decoded pixels (platform-free, also under the sanitizers): the key and the
// channel order of single pixels, whole images of every small width copied or stretched into rows with padding,
// which stays untouched, and the colours of an image's edges repeated, transparent, into the texture's unused
// part. That the texels within the image equal the platform loader's is shown under Wine.
#include "gamedata/core/CacheTexels.h"

#include <gtest/gtest.h>

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

// The unused part right of and below the image takes the colour of the image's last column, then of its (widened)
// last row, with alpha 0; texels within the image, a side as large as the texture's, an image with a side of 0
// and the rows' padding stay as they were. Canvas texels outside the image start as U.
TEST(CacheTexels, RepeatImageEdgesTransparentIntoTheUnusedPart)
{
    constexpr uint32_t U = 0xDDDDDDDD, Padding = 0xBEEFBEEF;
    const struct {
        const char* What;
        uint32_t ImageWidth, ImageHeight, TextureWidth, TextureHeight;
        std::vector<uint32_t> Before, After;  // row after row, without padding
    } rows[] = {
        {"3 x 1 in 4 x 2", 3, 1, 4, 2,
         {0xFF112233, 0x7F445566, 0xFF778899, U,
          U, U, U, U},
         {0xFF112233, 0x7F445566, 0xFF778899, 0x00778899,
          0x00112233, 0x00445566, 0x00778899, 0x00778899}},
        {"2 x 2 in 4 x 4, its right edge keyed, then half alpha", 2, 2, 4, 4,
         {0xFF0000FF, 0x00000000, U, U,
          0x80FF0000, 0x7F00FF00, U, U,
          U, U, U, U,
          U, U, U, U},
         {0xFF0000FF, 0x00000000, 0x00000000, 0x00000000,
          0x80FF0000, 0x7F00FF00, 0x0000FF00, 0x0000FF00,
          0x00FF0000, 0x0000FF00, 0x0000FF00, 0x0000FF00,
          0x00FF0000, 0x0000FF00, 0x0000FF00, 0x0000FF00}},
        {"wider than the texture", 3, 1, 2, 2,
         {0xFF112233, 0xFF445566,
          U, U},
         {0xFF112233, 0xFF445566,
          0x00112233, 0x00445566}},
        {"as large as the texture", 2, 1, 2, 1, {0xFF112233, 0xFF445566}, {0xFF112233, 0xFF445566}},
        {"a width of 0", 0, 1, 2, 1, {U, U}, {U, U}},
        {"a height of 0", 1, 0, 2, 1, {U, U}, {U, U}},
    };
    for (const auto& row : rows) {
        const size_t rowWords = row.TextureWidth + 1;
        std::vector<uint32_t> texels(rowWords * row.TextureHeight, Padding);
        for (size_t i = 0; i < row.Before.size(); ++i)
            texels[i / row.TextureWidth * rowWords + i % row.TextureWidth] = row.Before[i];
        RepeatImageEdges(reinterpret_cast<uint8_t*>(texels.data()), 4 * rowWords, row.ImageWidth, row.ImageHeight,
                         row.TextureWidth, row.TextureHeight);
        std::vector<uint32_t> after, padding;
        for (size_t i = 0; i < texels.size(); ++i)
            (i % rowWords < row.TextureWidth ? after : padding).push_back(texels[i]);
        EXPECT_EQ(after, row.After) << row.What;
        EXPECT_EQ(padding, std::vector<uint32_t>(row.TextureHeight, Padding)) << row.What;
    }
}
