#include "tests/gamedata/ImageTestSupport.h"

#include "gamedata/core/WilDecoder.h"
#include "tests/fixtures/core/SilFixture.h"

namespace testsupport {

using namespace fixtures;

namespace {

SilImage SilOf(const WilImage& wil)
{
    std::vector<uint8_t> png;
    if (wil.RawRows) {
        png = MakeSilPng(1, 1, RgbaOpaqueBlack);
        PutLE16(png, 18, 0x8813);  // the IHDR width, big-endian: 5000
    } else if (wil.Width != 0 && wil.Height != 0) {
        std::vector<SilPixel> pixels;
        for (uint32_t y = 0; y < wil.Height; ++y)
            for (uint32_t x = 0; x < wil.Width; ++x) {
                const WilPixel p = wil.Pixels[y * wil.Width + x];
                const TRgb8 c = WidenRGB565(p.Colour);
                const uint8_t alpha = p.Kind == WilPixelKind::Opaque ? 0xFF : WilSemiAlpha;
                if (p.Kind != WilPixelKind::Transparent) pixels.push_back({x, y, PackRgba(c.R, c.G, c.B, alpha)});
            }
        png = MakeSilPng(NextPowerOfTwo(wil.Width), NextPowerOfTwo(wil.Height), RgbaOpaqueBlack, pixels);
    }
    SilImage sil = MakeSilImage(wil.Width, wil.Height, png);
    sil.Header = {wil.Width, wil.Height, wil.OffsetX, wil.OffsetY, wil.Byte8, wil.Word9, wil.Word11, 0};
    return sil;
}

}  // namespace

TTestImages TestImages()
{
    WilImage pixels = MakeWilImage(6, 2, Opaque(0x07E0));
    const WilPixel row0[6] = {Opaque(0xF800), Transparent(), Semi(0xFFFF), Opaque(0), Semi(0), Opaque(1)};
    std::copy(std::begin(row0), std::end(row0), pixels.Pixels.begin());
    pixels.OffsetX = 3;
    pixels.OffsetY = -2;
    pixels.Byte8 = 0x11;
    pixels.Word9 = 0x2233;
    pixels.Word11 = 0x4455;
    WilImage damaged = MakeWilImage(4, 2);
    damaged.RawRows = std::vector<uint16_t>{3, 0xC1, 9, 1, 0};
    return {pixels, std::nullopt, MakeWilImage(0, 3), damaged, std::nullopt};
}

bool WriteTestLibrary(const std::string& basePath, int32_t kind, const TTestImages& images)
{
    if (kind == ImageLibKindWIL) return WriteWilLibrary(BuildWilLibrary(17, images), basePath);
    std::vector<std::optional<SilImage>> entries;
    for (size_t i = 0; i < images.size(); ++i) {
        if (!images[i]) continue;
        entries.resize(i);
        entries.push_back(SilOf(*images[i]));
    }
    return WriteSilLibrary(BuildSilLibrary(entries, static_cast<uint16_t>(entries.size())), basePath);
}

int CountInFile(const std::string& path, const std::string& text)
{
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    const std::string all(bytes.begin(), bytes.end());
    int n = 0;
    for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++n;
    return n;
}

}  // namespace testsupport
