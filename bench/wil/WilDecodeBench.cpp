// Decode throughput of the WIL reader: every image of a library of 1,000 96 x 64 tiles into its RGBA canvas,
// against a plain copy of the same number of RGBA bytes.
#include "bench/support/Bench.h"
#include "gamedata/core/WilDecoder.h"
#include "tests/fixtures/core/WilFixture.h"

#include <cstring>

using namespace fixtures;

namespace {

constexpr int TileCount = 1000;

// Tiles as the game draws them: mostly opaque texture with short transparent and semi-transparent stretches, so
// the rows hold a realistic mix of run lengths.
WilImage MakeTile(int seed)
{
    WilImage tile = MakeWilImage(96, 64);
    uint32_t state = 2463534242u + static_cast<uint32_t>(seed) * 7919u;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const uint16_t colour = static_cast<uint16_t>(state);
            const int band = (x / 12 + y / 8 + seed) % 9;
            tile.At(x, y) = band == 0 ? Transparent() : band == 1 ? Semi(colour) : Opaque(colour);
        }
    return tile;
}

}  // namespace

int main()
{
    std::vector<std::optional<WilImage>> images;
    for (int i = 0; i < TileCount; ++i) images.push_back(MakeTile(i));
    const WilLibrary lib = BuildWilLibrary(17, images);

    TRgbaCanvas canvas;
    size_t bytesOut = 0;
    const bench::Timing decode = bench::Measure([&] {
        bytesOut = 0;
        for (int i = 0; i < TileCount; ++i) {
            TWilImageHeader header;
            if (DecodeWilImage(lib.Wil, lib.Wix, i, header, canvas) == TImageDecodeStatus::Decoded)
                bytesOut += canvas.Pixels.size() * 4;
            bench::KeepAlive(canvas.Pixels.data());
        }
    });

    // The floor: writing the same RGBA bytes with memcpy from a source of the same size.
    std::vector<uint8_t> source(bytesOut / TileCount, 0x5A), target(source.size());
    const bench::Timing copy = bench::Measure([&] {
        for (int i = 0; i < TileCount; ++i) {
            source[0] = static_cast<uint8_t>(i);
            std::memcpy(target.data(), source.data(), source.size());
            bench::KeepAlive(target.data());
        }
    });

    const double mb = static_cast<double>(bytesOut) / 1e6;
    bench::Report("wil decode 1000 tiles 96x64 (library " + std::to_string(lib.Wil.size() / 1024) + " KiB)",
                  TileCount / decode.medianSeconds, "images/s");
    bench::Report("wil decode RGBA out", mb / decode.medianSeconds, "MB/s");
    bench::Report("memcpy of the same RGBA bytes", mb / copy.medianSeconds, "MB/s");
    bench::ReportRatio("decode / copy", decode, copy);
    return 0;
}
