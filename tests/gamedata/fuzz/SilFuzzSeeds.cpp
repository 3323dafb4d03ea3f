// Writes the SIL lookup's seed corpus into the folder named on the command line: libraries with images, empty
// entries, a count beyond the index file, and a record whose PNG is cut short.
#include "tests/fixtures/core/SilFixture.h"
#include "tests/gamedata/fuzz/WilFuzzInput.h"

#include <filesystem>
#include <string>

using namespace fixtures;

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    SilImage tile = MakeSilImage(8, 4, MakeSilPng(8, 4, 0xFF000000, {{1, 1, 0x7FFFFFFF}, {7, 3, 0xFF0821FF}}));
    tile.Header.OffsetX = -2;
    tile.Header.OffsetY = 3;
    const SilImage dot = MakeSilImage(1, 1, MakeSilPng(1, 1, 0xFFFFFFFF));

    std::vector<SilLibrary> libraries = {
        BuildSilLibrary({tile, std::nullopt, dot}, 3),
        BuildSilLibrary({std::nullopt, dot}, 5),
        BuildSilLibrary({dot}, 1, "OTHER"),
    };
    SilLibrary cut = BuildSilLibrary({tile}, 1);
    cut.Sil.resize(cut.Sil.size() - 20);
    libraries.push_back(cut);

    int n = 0;
    for (const SilLibrary& lib : libraries)
        if (!WriteBytesToFile((folder / ("seed" + std::to_string(n++))).string(), JoinWilFuzzInput(lib.Six, lib.Sil)))
            return 1;
    return 0;
}
