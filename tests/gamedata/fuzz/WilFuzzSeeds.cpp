// Writes the WIL decoder's seed corpus into the folder named on the command line: small libraries of both
// versions with every run kind, empty entries and the unknown-code row rule.
#include "tests/fixtures/core/WilFixture.h"
#include "tests/gamedata/fuzz/WilFuzzInput.h"

#include <filesystem>
#include <fstream>
#include <string>

using namespace fixtures;

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    WilImage mixed = MakeWilImage(6, 4, Opaque(0x07E0));
    mixed.At(0, 0) = Transparent();
    mixed.At(5, 3) = Semi(0xFFFF);
    WilImage unknownCode = MakeWilImage(3, 3);
    unknownCode.RawRows = std::vector<uint16_t>{4, 0xC0, 1, 0x0003, 0xC1, 1, 0xF800, 0, 0};
    const std::vector<std::optional<WilImage>> images = {mixed, std::nullopt, MakeWilImage(1, 1, Semi(0x0821)),
                                                         unknownCode};
    int n = 0;
    for (uint16_t version : {uint16_t{17}, uint16_t{5000}}) {
        const WilLibrary lib = BuildWilLibrary(version, images);
        const std::vector<uint8_t> seed = JoinWilFuzzInput(lib.Wix, lib.Wil);
        std::ofstream out(folder / ("seed" + std::to_string(n++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
        if (!out) return 1;
    }
    return 0;
}
