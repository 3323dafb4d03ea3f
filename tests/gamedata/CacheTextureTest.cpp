// The cache textures made here from decoded pixels against the platform's loader, the oracle: the same pixels as
// a PNG file through D3DXCreateTextureFromFileInMemoryEx with the arguments the caches used to pass (default sizes,
// one level, managed, default filters, colour key 0xFF000000). Sizes and every texel within the image must be
// equal, and beyond it transparent: opaque colours, keyed black, half alpha, a side of 0's canvas, non-square and
// non-power-of-two images (which the loader stretches), and every image of the test library through both readers.
// What a canvas's margin holds is stated texel by texel.
#include "gamedata/ImageTexture.h"
#include "gamedata/uBase_SIL_File.h"
#include "gamedata/uBase_WIL_File.h"
#include "gamedata/uCache_Manager.h"

#include "classlib/core/PngImage.h"
#include "gamedata/core/WilDecoder.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/gamedata/TestDevice.h"
#include "tests/support/TempDir.h"

#include <d3dx9tex.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

namespace {

struct TTexels {
    UINT Width = 0, Height = 0;
    std::vector<uint32_t> Words;  // ARGB, row after row
    friend bool operator==(const TTexels&, const TTexels&) = default;
};

TTexels Describe(IDirect3DTexture9* texture)
{
    TTexels t;
    D3DSURFACE_DESC desc{};
    if (!texture || texture->GetLevelCount() != 1 || FAILED(texture->GetLevelDesc(0, &desc)) ||
        desc.Pool != D3DPOOL_MANAGED)
        return t;
    t.Width = desc.Width;
    t.Height = desc.Height;
    t.Words = testsupport::ReadTexels(texture);  // empty unless A8R8G8B8
    return t;
}

// The oracle: what the platform's loader makes of the PNG file.
TTexels LoaderTexels(IDirect3DDevice9* device, const std::vector<uint8_t>& png)
{
    ComPtr<IDirect3DTexture9> texture;
    const HRESULT hr = D3DXCreateTextureFromFileInMemoryEx(
        device, png.data(), static_cast<UINT>(png.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0xFF000000, nullptr, nullptr, texture.Out());
    return SUCCEEDED(hr) ? Describe(texture.Get()) : TTexels{};
}

// Where texels made here differ from the loader's (empty when nowhere): within an image of Width x Height at the
// top-left corner they must be equal, beyond it have alpha 0.
std::string Differences(const TTexels& made, const TTexels& loader, uint32_t width, uint32_t height)
{
    std::ostringstream out;
    if (std::pair(made.Width, made.Height) != std::pair(loader.Width, loader.Height) ||
        made.Words.size() != loader.Words.size()) {
        out << made.Width << " x " << made.Height << " for " << loader.Width << " x " << loader.Height;
        return out.str();
    }
    for (size_t i = 0; i < loader.Words.size(); ++i) {
        const size_t x = i % loader.Width, y = i / loader.Width;
        const bool inside = x < width && y < height;
        if (inside ? made.Words[i] == loader.Words[i] : made.Words[i] >> 24 == 0) continue;
        out << std::hex << "texel " << x << ", " << y << ": " << made.Words[i] << " for ";
        if (inside) out << loader.Words[i];
        else out << "alpha 0";
        return out.str();
    }
    return {};
}

// Pixels holding an image of Width x Height at their top-left corner, made here.
TTexels DirectTexels(IDirect3DDevice9* device, const TPngImage& pixels, uint32_t width, uint32_t height)
{
    const ComPtr<IDirect3DTexture9> texture = CreateCacheTexture(
        device, {reinterpret_cast<const uint8_t*>(pixels.Row(0)), pixels.Width(), pixels.Height(), 4u * pixels.Width()},
        width, height);
    return Describe(texture.Get());
}

// An image of the given size whose pixels `pixel` (x, y) gives as bytes R, G, B, A.
TPngImage Image(uint32_t width, uint32_t height, const std::function<TRgba(uint32_t, uint32_t)>& pixel)
{
    TPngImage image;
    image.CreateBlank(width, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) image.SetPixel(x, y, pixel(x, y));
    return image;
}

// Distinct colours everywhere, so that a texel taken from the wrong pixel shows.
TRgba Gradient(uint32_t x, uint32_t y)
{
    return {static_cast<uint8_t>(x * 7 + 1), static_cast<uint8_t>(y * 5 + 2), static_cast<uint8_t>(x * 3 + y * 11),
            255};
}

class CacheTexture : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(device.Get(), nullptr); }
    testsupport::TTestDevice device;
};

}  // namespace

TEST_F(CacheTexture, EqualsTheLoadersTexelsForEveryKindOfPixel)
{
    const TRgba black{0, 0, 0, 255};
    const TRgba halfBlack{0, 0, 0, 0x7F};
    const TRgba halfWhite{255, 255, 255, 0x7F};
    const TRgba clearRed{255, 0, 0, 0};
    const TRgba nearBlack{0, 0, 1, 255};
    const struct {
        const char* Name;
        TPngImage Pixels;
    } rows[] = {
        {"opaque colours", Image(8, 8, Gradient)},
        {"keyed black among colours",
         Image(8, 4, [&](uint32_t x, uint32_t y) { return (x + y) % 2 ? black : (x % 3 ? nearBlack : Gradient(x, y)); })},
        {"half alpha, black and white, and a clear colour",
         Image(4, 4, [&](uint32_t x, uint32_t y) { return x == 0 ? halfBlack : x == 1 ? halfWhite : y ? clearRed : black; })},
        {"the canvas of an image with a side of 0", Image(1, 4, [&](uint32_t, uint32_t) { return black; })},
        {"one texel", Image(1, 1, Gradient)},
        {"non-square, wide", Image(16, 2, Gradient)},
        {"non-square, tall", Image(2, 32, Gradient)},
        {"width not a power of two (stretched)", Image(5, 4, Gradient)},
        {"height not a power of two (stretched)", Image(4, 3, Gradient)},
        {"both sides stretched", Image(3, 7, Gradient)},
        {"a tile of 96 x 64", Image(96, 64, Gradient)},
        {"stretched with keyed and half-alpha pixels",
         Image(6, 5, [&](uint32_t x, uint32_t y) { return x == y ? black : x + 1 == y ? halfBlack : Gradient(x, y); })},
        {"a long odd row", Image(100, 1, Gradient)},
    };
    for (const auto& row : rows) {
        for (int level : {0, 4}) {
            std::vector<uint8_t> png;
            ASSERT_TRUE(row.Pixels.SaveToMemory(png, level)) << row.Name;
            const TTexels loader = LoaderTexels(device.Get(), png);
            ASSERT_FALSE(loader.Words.empty()) << row.Name << ": the loader made an A8R8G8B8 texture";
            const uint32_t width = row.Pixels.Width(), height = row.Pixels.Height();
            EXPECT_EQ(Differences(DirectTexels(device.Get(), row.Pixels, width, height), loader, width, height), "")
                << row.Name;
        }
    }
}

// Every image of a library as the caches serve it, from the WIL reader and from the SIL reader, equals the
// loader's texels of the PNG image the conversion makes of it (the SIL record's own PNG, its canvas) within the
// image; the canvas's margin is transparent.
TEST_F(CacheTexture, ReadersServeTheLoadersTexels)
{
    testsupport::TTestImages images = testsupport::TestImages();
    uint32_t state = 99;
    for (const auto& [w, h] : {std::pair(96, 64), std::pair(5, 3), std::pair(1, 1), std::pair(33, 17)}) {
        fixtures::WilImage image = fixtures::MakeWilImage(uint16_t(w), uint16_t(h));
        for (fixtures::WilPixel& p : image.Pixels) {
            state = state * 1103515245u + 12345u;
            const uint16_t colour = static_cast<uint16_t>(state >> 8);
            const uint32_t kind = state >> 29;
            p = kind == 0 ? fixtures::Transparent() : kind == 1 ? fixtures::Semi(colour)
                : kind == 2 ? fixtures::Opaque(0) : fixtures::Opaque(colour);
        }
        images.push_back(image);
    }
    testsupport::TempDir dir;
    const std::string base = dir.file("lib");
    ASSERT_TRUE(testsupport::WriteTestLibrary(base, ImageLibKindWIL, images));
    ASSERT_TRUE(testsupport::WriteTestLibrary(base, ImageLibKindSIL, images));
    TWILFile wil;
    TSILFile sil;
    ASSERT_TRUE(wil.Open(base + ".wil"));
    ASSERT_TRUE(sil.Open(base + ".sil"));
    wil.SetDevice(device.Get());
    sil.SetDevice(device.Get());
    const std::vector<uint8_t> silBytes = fixtures::ReadFileBytes(base + ".sil");
    const std::vector<uint8_t> sixBytes = fixtures::ReadFileBytes(base + ".six");
    int compared = 0;
    for (int32_t i = 0; i < wil.GetCount(); ++i) {
        TImageHeaderD3D fromWil, fromSil;
        if (wil.DecodeFrame32Draw(i, fromWil) != TImageDecodeStatus::Decoded || fromWil.Width == 0 ||
            fromWil.Height == 0)
            continue;
        ASSERT_EQ(sil.DecodeFrame32D3D(i, fromSil), TImageDecodeStatus::Decoded) << i;
        TSilRecord record;
        ASSERT_EQ(LookupSilImage(silBytes, sixBytes, i, record), TImageDecodeStatus::Decoded) << i;
        const TTexels loader = LoaderTexels(device.Get(), {record.Png.begin(), record.Png.end()});
        ASSERT_FALSE(loader.Words.empty()) << i;
        const uint32_t width = record.Header.Width, height = record.Header.Height;
        EXPECT_EQ(Differences(Describe(fromWil.Texture.Get()), loader, width, height), "") << "WIL image " << i;
        EXPECT_EQ(Differences(Describe(fromSil.Texture.Get()), loader, width, height), "") << "SIL image " << i;
        ++compared;
    }
    EXPECT_EQ(compared, 5) << "images with both sides";
}

// A canvas's margin holds the colours of the image's last column and row with alpha 0; a keyed edge stays
// 0x00000000. The canvas is opaque black beyond the image, as the readers make it.
TEST_F(CacheTexture, TheCanvasMarginHoldsTheEdgesColoursTransparent)
{
    const TRgba black{0, 0, 0, 255}, red{255, 0, 0, 255}, halfWhite{255, 255, 255, 0x7F}, blue{0, 0, 255, 255};
    const struct {
        const char* Name;
        TPngImage Canvas;
        uint32_t Width, Height;  // of the image
        std::vector<uint32_t> Texels;
    } rows[] = {
        {"3 x 1 in 4 x 2, its last pixel keyed",
         Image(4, 2, [&](uint32_t x, uint32_t y) { return y ? black : x == 0 ? red : x == 1 ? halfWhite : black; }),
         3, 1,
         {0xFFFF0000, 0x7FFFFFFF, 0x00000000, 0x00000000,
          0x00FF0000, 0x00FFFFFF, 0x00000000, 0x00000000}},
        {"1 x 1 in 2 x 2", Image(2, 2, [&](uint32_t x, uint32_t y) { return x || y ? black : blue; }), 1, 1,
         {0xFF0000FF, 0x000000FF,
          0x000000FF, 0x000000FF}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DirectTexels(device.Get(), row.Canvas, row.Width, row.Height).Words, row.Texels) << row.Name;
}
