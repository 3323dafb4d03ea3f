// Writes the starting corpus of the map-file fuzz target into the folder given as the only argument: small valid
// maps of odd and even sizes, and the damaged shapes the reader must refuse.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/fixtures/core/MapFixture.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    using fixtures::MapFileBuilder;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> seeds = {
        {"new-4x4", MapFileBuilder(4, 4).Bytes()},
        {"random-5x5", MapFileBuilder(5, 5, 3).FillRandom(1).Bytes()},
        {"random-1x1", MapFileBuilder(1, 1).FillRandom(2).Bytes()},
        {"random-2x9", MapFileBuilder(2, 9, 4).FillRandom(3).Bytes()},
        {"empty-0x0", MapFileBuilder(0, 0).Bytes()},
        {"trailing-3x2", MapFileBuilder(3, 2).FillRandom(4).WithTrailing(17)},
        {"cut-4x4", MapFileBuilder(4, 4).FillRandom(5).CutShort(9)},
        {"hostile-huge", fixtures::HostileMapFile(65535, 65535, 64)},
    };
    for (const auto& [name, bytes] : seeds)
        if (!fixtures::WriteBytesToFile((folder / (name + ".map")).string(), bytes)) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
    return 0;
}
