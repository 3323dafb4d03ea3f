// Writes the PNG decoder's seed corpus into the folder named on the command line: small RGBA files at the
// levels the system writes (0 and 4).
#include "classlib/core/PngImage.h"

#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    int n = 0;
    for (auto [w, h, level] : {std::tuple{1u, 1u, 0}, {8u, 4u, 4}, {3u, 17u, 0}}) {
        TPngImage image;
        image.CreateBlank(w, h);
        image.SetPixel(0, 0, TRgba{255, 255, 255, 0x7F});
        std::vector<uint8_t> bytes;
        if (!image.SaveToMemory(bytes, level)) return 1;
        std::ofstream out(folder / ("seed" + std::to_string(n++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) return 1;
    }
    return 0;
}
