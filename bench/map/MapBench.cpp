// Load and save of a 1000 x 1000 map (14 MB) measured against a plain copy of the same file in the same folder,
// the physical floor of both. Usage: map_bench [folder] (default: a folder "map-bench" in the current one).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "bench/support/Bench.h"
#include "gamedata/core/uVesk3MapEngine.h"

namespace {

// The platform's own file copy, replacing the target.
void PlainCopy(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error(std::string("CopyFile failed: ").append(std::to_string(GetLastError())));
#else
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
#endif
}

// Forces a file's data to the disk, as a save that survives a crash must.
void FlushToDisk(const std::string& path)
{
#ifdef _WIN32
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool ok = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
#else
    const int file = open(path.c_str(), O_WRONLY);
    const bool ok = file >= 0 && fsync(file) == 0;
    if (file >= 0)
        close(file);
#endif
    if (!ok)
        throw std::runtime_error("cannot flush the copy");
}

// Every field of every record set to varied values, as an edited map would have them.
void FillVaried(TVesk3Map& map)
{
    std::mt19937 random(1000);
    for (int32_t tx = 0; tx <= map.MaxTileX; ++tx)
        for (int32_t ty = 0; ty <= map.MaxTileY; ++ty) {
            map.SetTileField(tx, ty, 1, static_cast<int32_t>(random() % 75));
            map.SetTileField(tx, ty, 2, static_cast<int32_t>(random() % 5000));
        }
    for (int32_t x = 0; x < map.Width; ++x)
        for (int32_t y = 0; y < map.Height; ++y) {
            const uint32_t r = random();
            map.SetLayerA(x, y, static_cast<uint8_t>(r % 75), static_cast<uint16_t>(r >> 16));
            map.SetLayerB(x, y, static_cast<uint8_t>((r >> 8) % 75), static_cast<uint16_t>(r));
            map.SetCellMoveFlags(x, y, static_cast<uint8_t>(r % 3));
            map.SetCellByte13(x, y, (r & 0x100) ? 0x39 : 0);
        }
}

int Run(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const std::string source = (folder / "source.map").string();
    const std::string copy = (folder / "copy.map").string();
    const std::string saved = (folder / "saved.map").string();

    TVesk3Map map;
    if (!map.NewMap("source.map", 1000, 1000, 2))
        return 1;
    FillVaried(map);
    map.SaveToFile(source);
    const auto size = std::filesystem::file_size(source);
    bench::Report("map file size", static_cast<double>(size) / 1e6, "MB");

    const bench::Timing copyTime = bench::Measure([&] { PlainCopy(source, copy); });
    // A save replaces the file only after its bytes are on the disk; this is the floor for that.
    const bench::Timing durableCopyTime = bench::Measure([&] {
        PlainCopy(source, copy);
        FlushToDisk(copy);
    });
    const bench::Timing loadTime = bench::Measure([&] {
        TVesk3Map loaded;
        if (!loaded.LoadFromFile(source))
            throw std::runtime_error("load failed");
        bench::KeepAlive(loaded.Cells.data());
    });
    const bench::Timing saveTime = bench::Measure([&] { map.SaveToFile(saved); });

    bench::ReportTiming("copy 1000x1000 map file (floor)", copyTime);
    bench::ReportTiming("copy and flush to disk (durable floor)", durableCopyTime);
    bench::ReportTiming("LoadFromFile 1000x1000", loadTime);
    bench::ReportTiming("SaveToFile 1000x1000", saveTime);
    bench::ReportRatio("load / copy", loadTime, copyTime);
    bench::ReportRatio("save / copy", saveTime, copyTime);
    bench::ReportRatio("save / durable copy", saveTime, durableCopyTime);
    bench::Report("load throughput", static_cast<double>(size) / loadTime.medianSeconds / 1e6, "MB/s");
    bench::Report("save throughput", static_cast<double>(size) / saveTime.medianSeconds / 1e6, "MB/s");

    std::filesystem::remove_all(folder);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::current_path() / "map-bench");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "map_bench: %s\n", e.what());
        return 1;
    }
}
