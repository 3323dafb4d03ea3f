// TWILFile into managed textures on a real Direct3D 9 device, read back texel by texel.
#include "gamedata/uBase_WIL_File.h"

#include "tests/fixtures/core/WilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace fixtures;
using testsupport::ReadTexels;
using testsupport::TTexels;

namespace {

class WilTextureTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.Get(), nullptr) << "no Direct3D device";
        WilImage image = MakeWilImage(48, 32, Opaque(0xF800));
        image.At(0, 0) = Transparent();
        image.At(1, 0) = Semi(0xFFFF);
        image.At(2, 0) = Opaque(0x0000);
        image.At(3, 0) = Semi(0x0000);
        image.OffsetX = 5;
        image.OffsetY = -6;
        const WilLibrary lib = BuildWilLibrary(5000, {image, std::nullopt, MakeWilImage(0, 7), MakeWilImage(3, 3)});
        const std::string base = dir.file("tex");
        ASSERT_TRUE(WriteWilLibrary(lib, base));
        ASSERT_TRUE(file.Open(base + ".wix"));
        file.SetDevice(device.Get());
    }

    testsupport::TempDir dir;
    testsupport::TTestDevice device;
    TWILFile file;
};

}  // namespace

TEST_F(WilTextureTest, KeyedTexelsAreClearAndHalfAlphaIsKept)
{
    TImageHeaderD3D entry;
    entry.Stamp = 1234;
    ASSERT_EQ(file.DecodeFrame32Draw(0, entry), TImageDecodeStatus::Decoded);
    ASSERT_TRUE(entry.Loaded());
    EXPECT_EQ(entry.Width, 48);
    EXPECT_EQ(entry.Height, 32);
    EXPECT_EQ(entry.OffsetX, 5);
    EXPECT_EQ(entry.OffsetY, -6);
    EXPECT_EQ(entry.Stamp, 1234u) << "fields other than size and offsets are left alone";

    const TTexels t = ReadTexels(entry.Texture.Get());
    ASSERT_EQ(t.Format, D3DFMT_A8R8G8B8);
    ASSERT_EQ(t.Width, 64u);
    ASSERT_EQ(t.Height, 32u);
    struct Row {
        const char* Name;
        UINT X, Y;
        uint32_t Argb;
    };
    const Row rows[] = {
        {"transparent run", 0, 0, 0x00000000}, {"semi-transparent white", 1, 0, 0x7FFFFFFF},
        {"opaque RGB565 0 is keyed", 2, 0, 0x00000000}, {"semi-transparent black keeps its alpha", 3, 0, 0x7F000000},
        {"opaque red", 4, 0, 0xFFFF0000}, {"last image column", 47, 31, 0xFFFF0000},
        {"right margin", 48, 0, 0x00000000}, {"right margin, last texel", 63, 31, 0x00000000},
    };
    for (const Row& row : rows) EXPECT_EQ(t.At(row.X, row.Y), row.Argb) << row.Name;
}

TEST_F(WilTextureTest, OutcomesForTheEntry)
{
    TImageHeaderD3D entry;
    ASSERT_EQ(file.DecodeFrame32Draw(3, entry), TImageDecodeStatus::Decoded);
    IDirect3DTexture9* const kept = entry.Texture.Get();
    ASSERT_EQ(ReadTexels(kept).Width, 4u);

    // No image and damage leave the entry as it was, texture included.
    for (int32_t index : {1, 4, -1}) {
        EXPECT_NE(file.DecodeFrame32Draw(index, entry), TImageDecodeStatus::Decoded) << index;
        EXPECT_EQ(entry.Texture.Get(), kept) << index;
        EXPECT_EQ(entry.Width, 3) << index;
    }

    // A side of 0 gives a 1 x 1 transparent texture in place of the old one.
    ASSERT_EQ(file.DecodeFrame32Draw(2, entry), TImageDecodeStatus::Decoded);
    EXPECT_EQ(entry.Width, 0);
    EXPECT_EQ(entry.Height, 7);
    ASSERT_TRUE(entry.Loaded());
    const TTexels t = ReadTexels(entry.Texture.Get());
    ASSERT_EQ(t.Width, 1u);
    ASSERT_EQ(t.Height, 1u);
    EXPECT_EQ(t.At(0, 0), 0x00000000u);
}
