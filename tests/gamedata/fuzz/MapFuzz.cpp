// Fuzz target of the map-file reader: each input is loaded the way the editor loads it, from a file by its path.
// A load must succeed exactly when the file holds what its header announces, must then hold the file's records
// byte for byte, and every getter must stay inside the records at the grids' edges and beyond.
//
// The file lives in memory (an anonymous memory file reached through its /proc path), so no run leaves a file
// behind and no run waits for a disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gamedata/core/uVesk3MapEngine.h"

namespace {

struct TMemoryFile {
    int Fd = memfd_create("vesk3map-fuzz", 0);
    std::string Path = "/proc/self/fd/" + std::to_string(Fd);
};

// Replaces the memory file's content; false when it cannot be written.
bool Store(const TMemoryFile& file, const uint8_t* data, size_t size)
{
    if (file.Fd < 0 || ftruncate(file.Fd, 0) != 0) return false;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(file.Fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void ProbeEdges(const TVesk3Map& map)
{
    int32_t lib = 0, image = 0;
    uint8_t extra = 0, marker = 0;
    for (int32_t dx : {-1, 0, 1})
        for (int32_t dy : {-1, 0, 1}) {
            const int32_t x = (dx < 0 ? 0 : map.Width - 1) + dx, y = (dy < 0 ? 0 : map.Height - 1) + dy;
            map.GetLayerA(x, y, lib, image, 1);
            map.GetLayerB(x, y, lib, image, 1);
            map.GetCellByte1(x, y, extra, marker, 1);
            (void)map.GetCellByte(x, y, 1, 1);
            map.GetTile((dx < 0 ? 0 : map.MaxTileX) + dx, (dy < 0 ? 0 : map.MaxTileY) + dy, lib, image, 1);
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const TMemoryFile file;
    if (!Store(file, data, size)) std::abort();

    TVesk3Map map;
    const bool loaded = map.LoadFromFile(file.Path);
    const bool whole = size >= sizeof(TVesk3MapHeader) &&
                       Vesk3MapFileSize(data[22] | data[23] << 8, data[24] | data[25] << 8) <= size;
    Check(loaded == whole);
    Check(map.Cells.size() == static_cast<size_t>(map.Width) * static_cast<size_t>(map.Height));
    Check(map.Tiles.size() == Vesk3TileCount(static_cast<uint32_t>(map.Width), static_cast<uint32_t>(map.Height)));
    if (loaded) {
        const size_t tileBytes = map.Tiles.size() * sizeof(TVesk3TileRec);
        const size_t cellBytes = map.Cells.size() * sizeof(TVesk3CellRec);
        Check(std::memcmp(&map.Header, data, sizeof(TVesk3MapHeader)) == 0);
        Check(tileBytes == 0 || std::memcmp(map.Tiles.data(), data + sizeof(TVesk3MapHeader), tileBytes) == 0);
        Check(cellBytes == 0 ||
              std::memcmp(map.Cells.data(), data + sizeof(TVesk3MapHeader) + tileBytes, cellBytes) == 0);
    } else {
        Check(map.FilePath.empty() && map.Width == 0 && map.Height == 0 && map.MaxTileX == -1);
    }
    ProbeEdges(map);
    return 0;
}
