// Cache textures under Wine's Direct3D: the colour key, kept alpha, sizes, and the 1 x 1 transparent stand-in.
#include "gamedata/ImageTexture.h"

#include "tests/fixtures/core/SilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace {

using testsupport::ReadTexels;

// R | G << 8 | B << 16 | A << 24, the fixture's packing.
constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24;
}

class ImageTextureTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(device.Get(), nullptr) << "no Direct3D device"; }
    testsupport::TTestDevice device;
};

TEST_F(ImageTextureTest, OpaqueBlackIsKeyedAndOtherTexelsKeepTheirAlpha)
{
    struct Texel {
        uint32_t rgba;      // in the PNG
        uint32_t expected;  // A8R8G8B8 in the texture
    };
    const Texel texels[] = {
        {Rgba(0, 0, 0, 255), 0x00000000},        // opaque black: keyed
        {Rgba(255, 0, 0, 255), 0xFFFF0000},      // opaque red
        {Rgba(255, 255, 255, 0x7F), 0x7FFFFFFF}, // semi-transparent white: alpha kept
        {Rgba(0, 0, 0, 0x7F), 0x7F000000},       // semi-transparent black: not the key
        {Rgba(0, 0, 1, 255), 0xFF000001},        // nearly black: not the key
        {Rgba(8, 4, 8, 255), 0xFF080408},
        {Rgba(10, 20, 30, 0), 0x000A141E},       // transparent but coloured: untouched
        {Rgba(0, 0, 0, 255), 0x00000000},
    };
    std::vector<fixtures::SilPixel> pixels;
    for (uint32_t i = 0; i < std::size(texels); ++i) pixels.push_back({i % 4, i / 4, texels[i].rgba});
    const std::vector<uint8_t> png = fixtures::MakeSilPng(4, 2, 0, pixels);

    long hr = 1;
    const ComPtr<IDirect3DTexture9> texture = CreateCacheTexture(device.Get(), png, &hr);
    ASSERT_TRUE(texture) << std::hex << hr;
    EXPECT_EQ(hr, 0);
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);

    const testsupport::TTexels read = ReadTexels(texture.Get());
    ASSERT_EQ(read.Format, D3DFMT_A8R8G8B8);
    ASSERT_EQ(read.Width, 4u);
    ASSERT_EQ(read.Height, 2u);
    for (uint32_t i = 0; i < std::size(texels); ++i)
        EXPECT_EQ(read.At(i % 4, i / 4), texels[i].expected) << "texel " << i;
}

TEST_F(ImageTextureTest, RefusedInputGivesNoTexture)
{
    const std::vector<uint8_t> png = fixtures::MakeSilPng(2, 2, Rgba(1, 1, 1, 255));
    const std::vector<uint8_t> garbage(200, 0x42);
    struct Case {
        const char* name;
        IDirect3DDevice9* device;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"no device", nullptr, png},
        {"no bytes", device.Get(), {}},
        {"not an image", device.Get(), garbage},
    };
    for (const Case& c : cases) {
        long hr = 0;
        EXPECT_FALSE(CreateCacheTexture(c.device, c.bytes, &hr)) << c.name;
        EXPECT_LT(hr, 0) << c.name;
    }
}

TEST_F(ImageTextureTest, EmptyTextureIsOneTransparentTexel)
{
    long hr = 1;
    const ComPtr<IDirect3DTexture9> texture = CreateEmptyCacheTexture(device.Get(), &hr);
    ASSERT_TRUE(texture);
    EXPECT_EQ(hr, 0);
    const testsupport::TTexels read = ReadTexels(texture.Get());
    ASSERT_EQ(read.Width, 1u);
    ASSERT_EQ(read.Height, 1u);
    EXPECT_EQ(read.At(0, 0), 0x00000000u);
    EXPECT_EQ(texture->GetLevelCount(), 1u);

    EXPECT_FALSE(CreateEmptyCacheTexture(nullptr, &hr));
    EXPECT_LT(hr, 0);
}

} // namespace
