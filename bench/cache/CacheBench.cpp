// The image caches on the demo data set, under Wine with a real device: the lookups of one 1280 x 1024 view of the
// large demo map at 100 % (every pass of the renderer: tiles, back and front objects, blocker and light markers),
// served from cold caches (each image decoded into a texture on first use), from the WIL libraries and from the
// SIL libraries the conversion makes of them. The floor is the same pixels, decoded and converted to texels up
// front, uploaded as textures directly: what any cache must do to put these images on the device.
// Also, as notes: serving the view from warm caches, building all 75 caches, the process's memory.
// Usage: cache_bench [--rounds N]
#include "bench/support/Bench.h"
#include "classlib/core/IniFiles.h"
#include "editor/uImageLibraryCheck.h"
#include "gamedata/core/CacheTexels.h"
#include "gamedata/MappedFile.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/TestDevice.h"
#include "tools/demo/DemoData.h"

#include <windows.h>
#include <d3d9.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

namespace {

struct TLookup {
    int32_t Library, Index;
    friend auto operator<=>(const TLookup&, const TLookup&) = default;
};

// The highest view column and row every pass visits at 100 %: width div 96 + 30, height div 64 + 30.
constexpr int32_t ViewColumns = 1280 / 96 + 30;
constexpr int32_t ViewRows = 1024 / 64 + 30;

std::vector<TLookup> ViewLookups(const TVesk3Map& map)
{
    std::vector<TLookup> out;
    int32_t lib, image;
    for (int32_t y = 0; y <= ViewRows; ++y)
        for (int32_t x = 0; x <= ViewColumns; ++x) {
            map.GetTile(x, y, lib, image, TVesk3Map::SourceMap);
            if (lib >= 0 && image >= 0) out.push_back({lib, image});
        }
    for (int pass = 0; pass < 2; ++pass)
        for (int32_t y = 0; y <= ViewRows; ++y)
            for (int32_t x = 0; x <= ViewColumns; ++x) {
                if (pass == 0)
                    map.GetLayerB(x, y, lib, image, TVesk3Map::SourceMap);
                else
                    map.GetLayerA(x, y, lib, image, TVesk3Map::SourceMap);
                if (lib != 0 || image != 0) out.push_back({lib, image});
            }
    for (int32_t y = 0; y <= ViewRows; ++y)
        for (int32_t x = 0; x <= ViewColumns; ++x) {
            const int32_t move = map.GetCellByte(x, y, 1, TVesk3Map::SourceMap);
            if (move == 0 || move == 254) out.push_back({3, 58});
            if (move == 2 || move == 252) out.push_back({3, 59});
            const int32_t light = map.GetCellByte(x, y, 2, TVesk3Map::SourceMap);
            if (light != 0 && light != 64) out.push_back({3, 56});
        }
    return out;
}

size_t ServeView(TImageCacheManager& manager, const std::vector<TLookup>& lookups)
{
    size_t drawn = 0;
    for (const TLookup& l : lookups) drawn += manager.GetImage(l.Library, l.Index).Loaded();
    return drawn;
}

// ---- the floor: the view's images as ready texels, uploaded -----------------------------------------------------

struct TTexelImage {
    uint32_t Width = 0, Height = 0;
    std::vector<uint32_t> Texels;  // what the texture holds, row after row
};

// Each image the view draws, decoded once from its WIL library and turned into its texture's texels.
std::vector<TTexelImage> ViewTexels(const std::string& folder, const std::vector<TLookup>& lookups)
{
    std::vector<TTexelImage> out;
    const std::set<TLookup> images(lookups.begin(), lookups.end());
    TRgbaCanvas canvas;
    int32_t loaded = -1;
    std::vector<uint8_t> wil, wix;
    for (const TLookup& l : images) {
        if (l.Library < 0 || l.Library >= ImageLibraryCount) continue;
        if (l.Library != loaded) {
            const std::string base = folder + GetLibraryFileName(l.Library);
            wil = fixtures::ReadFileBytes(base);
            wix = fixtures::ReadFileBytes(PairLibraryFiles(base, ".wil", ".wix").IndexPath);
            loaded = l.Library;
        }
        TWilImageHeader header;
        if (DecodeWilImage(wil, wix, l.Index, header, canvas) != TImageDecodeStatus::Decoded || header.Width == 0 ||
            header.Height == 0)
            continue;
        TTexelImage image{canvas.Width, canvas.Height, std::vector<uint32_t>(canvas.Pixels.size())};
        WriteCacheTexels({canvas.Bytes(), canvas.Width, canvas.Height, size_t{4} * canvas.Width},
                         reinterpret_cast<uint8_t*>(image.Texels.data()), size_t{4} * canvas.Width, canvas.Width,
                         canvas.Height);
        RepeatImageEdges(reinterpret_cast<uint8_t*>(image.Texels.data()), size_t{4} * canvas.Width, header.Width,
                         header.Height, canvas.Width, canvas.Height);
        out.push_back(std::move(image));
    }
    return out;
}

// Managed textures of the texels, held until the caller lets them go (as a cache holds its entries).
void Upload(IDirect3DDevice9* device, const std::vector<TTexelImage>& images, std::vector<ComPtr<IDirect3DTexture9>>& out)
{
    for (const TTexelImage& image : images) {
        ComPtr<IDirect3DTexture9> texture;
        if (FAILED(device->CreateTexture(image.Width, image.Height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                         texture.Out(), nullptr)))
            continue;
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0))) {
            for (uint32_t y = 0; y < image.Height; ++y)
                std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                            image.Texels.data() + size_t(y) * image.Width, size_t{4} * image.Width);
            texture->UnlockRect(0);
        }
        out.push_back(std::move(texture));
    }
}

double MiB(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

PROCESS_MEMORY_COUNTERS Memory()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

}  // namespace

int main(int argc, char** argv)
{
    // The demo client folder, written afresh and removed at the end.
    struct TFolder {
        std::filesystem::path Path = std::filesystem::temp_directory_path() / "cache_bench_demo";
        ~TFolder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(Path, ignored);
        }
    } dir;
    const std::string folder = dir.Path.string() + "\\";
    std::string error;
    if (!MakeDemoData(folder, error)) {
        std::fprintf(stderr, "demo data: %s\n", error.c_str());
        return 1;
    }
    TLibraryCheckView quiet;  // the first start, answered No: converts nothing, so the full conversion follows
    TImageLibraryCheck(folder, quiet, nullptr).Run();
    TIniFile(folder + SettingsFileName).WriteBool("ConvertImage", "Convert", true);
    if (!TImageLibraryCheck(folder, quiet, nullptr).Run()) {
        std::fprintf(stderr, "cannot convert the demo libraries\n");
        return 1;
    }
    testsupport::TTestDevice device;
    if (!device.Get()) {
        std::fprintf(stderr, "no Direct3D device\n");
        return 1;
    }
    TVesk3Map map;
    if (!map.LoadFromFile(folder + "Map\\Demo_Large.map")) {
        std::fprintf(stderr, "cannot load the demo map\n");
        return 1;
    }
    const std::vector<TLookup> lookups = ViewLookups(map);
    const std::vector<TTexelImage> texels = ViewTexels(folder, lookups);
    bench::Note("view lookups (1280 x 1024, 100 %)", static_cast<double>(lookups.size()), "lookups");
    bench::Note("images in the view", static_cast<double>(texels.size()), "images");

    const int rounds = bench::Rounds(argc, argv);
    const TImageCacheSettings settings{folder, {}};
    const PROCESS_MEMORY_COUNTERS before = Memory();
    PROCESS_MEMORY_COUNTERS built{}, served{};
    std::vector<double> build, warm;
    size_t drawn = 0;
    // One round of the path: fresh caches of the kind (their construction untimed), then the cold view.
    const auto coldView = [&](int32_t kind) {
        ImageLibKind = kind;
        TImageCacheManager manager(nullptr, device.Get(), settings);
        build.push_back(bench::Seconds([&] {
            for (int32_t n = 0; n < ImageLibraryCount; ++n) manager.BuildCache(n);
        }));
        if (built.cb == 0) built = Memory();
        const double seconds = bench::Seconds([&] { drawn = ServeView(manager, lookups); });
        if (served.cb == 0) served = Memory();
        warm.push_back(bench::Seconds([&] { drawn = ServeView(manager, lookups); }));
        return seconds;
    };
    const auto directUpload = [&] {
        std::vector<ComPtr<IDirect3DTexture9>> textures;
        return bench::Seconds([&] { Upload(device.Get(), texels, textures); });
    };
    const std::string floorName = "upload of the same pixels";
    const bench::TResult wil = bench::CompareTimed({"cold view fill, WIL libraries", floorName, {3, {}}},
                                                   [&] { return coldView(ImageLibKindWIL); }, directUpload, rounds);
    const bench::TResult sil = bench::CompareTimed({"cold view fill, SIL libraries", floorName, {3, {}}},
                                                   [&] { return coldView(ImageLibKindSIL); }, directUpload, rounds);
    ImageLibKind = ImageLibKindWIL;

    bench::Note("images drawn per view", static_cast<double>(drawn), "images");
    bench::Note("serve the view from warm caches (median)", bench::Median(warm) * 1e3, "ms");
    bench::Note("build all 75 caches (median)", bench::Median(build) * 1e3, "ms");
    bench::Note("working set before the caches", MiB(before.WorkingSetSize), "MiB");
    bench::Note("working set, 75 caches built", MiB(built.WorkingSetSize), "MiB");
    bench::Note("peak working set after a cold view", MiB(served.PeakWorkingSetSize), "MiB");
    bench::PrintHeader();
    bench::PrintRow(wil);
    bench::PrintRow(sil);
    return 0;
}
