// WIL decoding: every image of a library of 1,000 96 x 64 tiles onto its 128 x 64 RGBA canvas, against the least
// any decoder of these images must do: read each image's bytes from the library (in place, in library order, as
// the decoder does) and write its canvas's bytes (the image's bytes copied to the front, the rest filled).
// Usage: wil_decode_bench [--rounds N]
#include "bench/support/Bench.h"
#include "gamedata/core/WilDecoder.h"
#include "tests/fixtures/core/WilFixture.h"

#include <algorithm>
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

// Where each image's bytes (header and rows) lie in the data file: from its index entry to the next image's.
std::vector<TByteSpan> ImageBytes(const WilLibrary& lib)
{
    std::vector<uint32_t> offsets;
    for (uint32_t i = 0; i < TileCount; ++i) offsets.push_back(ReadWilIndexEntry(lib.Wix, lib.Version, i));
    std::vector<TByteSpan> spans;
    for (size_t i = 0; i < offsets.size(); ++i) {
        const size_t end = i + 1 < offsets.size() ? offsets[i + 1] : lib.Wil.size();
        spans.push_back(TByteSpan(lib.Wil).subspan(offsets[i], end - offsets[i]));
    }
    return spans;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::optional<WilImage>> images;
    for (int i = 0; i < TileCount; ++i) images.push_back(MakeTile(i));
    const WilLibrary lib = BuildWilLibrary(17, images);
    const std::vector<TByteSpan> imageBytes = ImageBytes(lib);

    TRgbaCanvas canvas;
    TWilImageHeader header;
    if (DecodeWilImage(lib.Wil, lib.Wix, 0, header, canvas) != TImageDecodeStatus::Decoded) return 1;
    const size_t canvasBytes = canvas.Pixels.size() * sizeof(uint32_t);
    std::vector<uint8_t> out(canvasBytes);

    const bench::TResult result = bench::Compare(
        {"WIL decode, 1000 tiles 96x64 (" + std::to_string(lib.Wil.size() >> 20) + " MiB)",
         "read the tiles' bytes, write their canvases", {2.5, {}}},
        [&] {
            for (int i = 0; i < TileCount; ++i) {
                DecodeWilImage(lib.Wil, lib.Wix, i, header, canvas);
                bench::KeepAlive(canvas.Pixels.data());
            }
        },
        [&] {
            for (const TByteSpan bytes : imageBytes) {
                const size_t n = std::min(bytes.size(), canvasBytes);
                std::memcpy(out.data(), bytes.data(), n);
                std::memset(out.data() + n, 0xFF, canvasBytes - n);
                bench::KeepAlive(out.data());
            }
        },
        bench::Rounds(argc, argv, 15));
    bench::Note("library bytes per tile", static_cast<double>(lib.Wil.size()) / TileCount, "bytes");
    bench::Note("canvas bytes per tile", static_cast<double>(canvasBytes), "bytes");
    bench::PrintHeader();
    bench::PrintRow(result);
    return 0;
}
