// make_demo_data <client folder>: writes the demo client folder (the image libraries under "Data\" and the demo
// maps under "Map\") for running the editor without the game's data.
#include "tools/demo/DemoData.h"

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_data <client folder>\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    if (!MakeDemoData(argv[1], error)) {
        std::fprintf(stderr, "make_demo_data: %s\n", error.c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("make_demo_data: 75 libraries and %zu maps written to %s in %.1f s\n",
                sizeof DemoMaps / sizeof DemoMaps[0], argv[1], seconds);
    return 0;
}
