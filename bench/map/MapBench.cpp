// Load and save of a 1000 x 1000 map (14.8 MB), each against its floor on the same file in the same folder: the
// load against a plain read of the file's bytes into memory, the save against a durable copy (copy to a temporary
// file, flush it to the disk, put it in the target's place), which is what a save that survives a crash must do
// at least.
// Usage: map_bench [folder] [--rounds N] (default folder: "map-bench" in the current one).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

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

// The file's bytes read into memory, as the least a load must do.
std::vector<char> PlainRead(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes(static_cast<size_t>(std::filesystem::file_size(path)));
    if (!file.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot read " + path);
    return bytes;
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

// Puts `from` in the place of `to` in one step, as the save does.
void Replace(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw std::runtime_error("cannot replace the copy");
#else
    std::filesystem::rename(from, to);
#endif
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

int Run(const std::filesystem::path& folder, int rounds)
{
    std::filesystem::create_directories(folder);
    const std::string source = (folder / "source.map").string();
    const std::string copy = (folder / "copy.map").string();
    const std::string staged = (folder / "copy.map.staged").string();
    const std::string saved = (folder / "saved.map").string();

    TVesk3Map map;
    if (!map.NewMap("source.map", 1000, 1000, 2))
        return 1;
    FillVaried(map);
    map.SaveToFile(source);
    const double megabytes = static_cast<double>(std::filesystem::file_size(source)) / 1e6;
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MB", megabytes);

    const bench::TResult load = bench::Compare(
        {std::string("map load, 1000 x 1000 (") + size + ")", "plain read of the file", {1.1, {}}},
        [&] {
            TVesk3Map loaded;
            if (!loaded.LoadFromFile(source))
                throw std::runtime_error("load failed");
            bench::KeepAlive(loaded.Cells.data());
        },
        [&] {
            const std::vector<char> bytes = PlainRead(source);
            bench::KeepAlive(bytes.data());
        },
        rounds);
    const bench::TResult save = bench::Compare(
        {std::string("map save, 1000 x 1000 (") + size + ")", "copy, flush and replace of the file", {1.1, {}}},
        [&] { map.SaveToFile(saved); },
        [&] {
            PlainCopy(source, staged);
            FlushToDisk(staged);
            Replace(staged, copy);
        },
        rounds);

    bench::Note("load throughput (median)", megabytes / load.PathMedian, "MB/s");
    bench::Note("save throughput (median)", megabytes / save.PathMedian, "MB/s");
    bench::PrintHeader();
    bench::PrintRow(load);
    bench::PrintRow(save);
    std::filesystem::remove_all(folder);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const bool named = argc > 1 && std::string(argv[1]) != "--rounds";
        return Run(named ? std::filesystem::path(argv[1]) : std::filesystem::current_path() / "map-bench",
                   bench::Rounds(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "map_bench: %s\n", e.what());
        return 1;
    }
}
