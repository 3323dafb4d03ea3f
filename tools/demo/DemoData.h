#pragma once
// The demo client folder: every game image library of the image caches' path table (GetLibraryFileName), drawn
// procedurally, and a few maps under "Map\", so that the editor runs without the game's own data.
#include <cstdint>
#include <string>

// What the picker draws a library as: 96 x 64 tiles, 48 x 32 small tiles, or objects of several sizes.
enum class TDemoLibraryKind { Tiles, SmallTiles, Objects };
TDemoLibraryKind DemoLibraryKind(int32_t number);

// Images written into every library of each kind.
constexpr int DemoTileImages = 20;
constexpr int DemoSmallTileImages = 64;  // library 3 needs 56 (light), 58 and 59 (blockers)
constexpr int DemoObjectImages = 12;

// The demo maps: file names under "Map\" and their sizes in cells.
struct TDemoMap {
    const char* FileName;
    int32_t Width;
    int32_t Height;
    int32_t MapType;
};
constexpr TDemoMap DemoMaps[] = {
    {"Demo_Small.map", 24, 20, 0},
    {"Demo_Large.map", 300, 240, 1},
    {"Demo_Odd.map", 37, 53, 3},
};

// Writes libraries 0 to 74 and the demo maps into `folder` (created when missing). False, with a reason in
// `error`, when a file cannot be written.
bool MakeDemoData(const std::string& folder, std::string& error);
