// The image caches on the demo data set: the lookups of one 1280 x 1024 view of the large demo map at 100 %
// (every pass of the renderer: tiles, back and front objects, blocker and light markers), served from cold
// caches (each image decoded into a texture on first use) and from warm ones; the time to build all 75 caches;
// and the process's memory once they are built and once the view's textures exist.
#include "bench/support/Bench.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tools/demo/DemoData.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

struct TLookup {
    int32_t Library, Index;
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
    for (const TLookup& l : lookups) {
        const TImageHeaderD3D image = manager.GetImage(l.Library, l.Index);
        drawn += image.Loaded();
    }
    return drawn;
}

double Seconds(const std::function<void()>& body)
{
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

int main()
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
    std::string error;
    if (!MakeDemoData(dir.Path.string(), error)) {
        std::fprintf(stderr, "demo data: %s\n", error.c_str());
        return 1;
    }
    testsupport::TTestDevice device;
    if (!device.Get()) {
        std::fprintf(stderr, "no Direct3D device\n");
        return 1;
    }
    TVesk3Map map;
    if (!map.LoadFromFile((dir.Path / "Map" / "Demo_Large.map").string())) {
        std::fprintf(stderr, "cannot load the demo map\n");
        return 1;
    }
    const std::vector<TLookup> lookups = ViewLookups(map);
    bench::Report("view lookups (1280 x 1024, 100 %)", static_cast<double>(lookups.size()), "lookups");

    ImageLibKind = ImageLibKindWIL;
    const TImageCacheSettings settings{dir.Path.string() + "\\", {}};
    const PROCESS_MEMORY_COUNTERS before = Memory();

    constexpr int Rounds = 7;
    std::vector<double> build, cold, warm;
    size_t drawn = 0;
    PROCESS_MEMORY_COUNTERS built{}, served{};
    for (int round = 0; round < Rounds; ++round) {
        TImageCacheManager manager(nullptr, device.Get(), settings);
        build.push_back(Seconds([&] {
            for (int32_t n = 0; n < ImageLibraryCount; ++n) manager.BuildCache(n);
        }));
        if (round == 0) built = Memory();
        cold.push_back(Seconds([&] { drawn = ServeView(manager, lookups); }));
        if (round == 0) served = Memory();
        for (int i = 0; i < 3; ++i) warm.push_back(Seconds([&] { drawn = ServeView(manager, lookups); }));
    }
    auto report = [](const char* name, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        bench::ReportTiming(name, {v.front(), v[v.size() / 2]});
    };
    report("build all 75 caches", build);
    report("serve the view, cold caches", cold);
    report("serve the view, warm caches", warm);
    bench::Report("images drawn per view", static_cast<double>(drawn), "images");
    bench::Report("working set before the caches", MiB(before.WorkingSetSize), "MiB");
    bench::Report("working set, 75 caches built", MiB(built.WorkingSetSize), "MiB");
    bench::Report("peak working set, 75 caches built", MiB(built.PeakWorkingSetSize), "MiB");
    bench::Report("peak working set after a cold view", MiB(served.PeakWorkingSetSize), "MiB");
    return 0;
}
