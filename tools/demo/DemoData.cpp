// Sections: drawing; libraries; maps; the whole folder. The library path table is the image caches' own.
#include "tools/demo/DemoData.h"

#include "gamedata/core/ImageLibraries.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "tests/fixtures/core/WilFixture.h"

#include <algorithm>
#include <exception>
#include <filesystem>

using fixtures::MakeWilImage;
using fixtures::Opaque;
using fixtures::Semi;
using fixtures::Transparent;
using fixtures::WilImage;

namespace {

// ---- drawing -----------------------------------------------------------------------------------------------------
// Colours never reach RGB565 0, which the textures would key out; only the runs meant to be clear are clear.

struct TColour {
    int R, G, B;
};

// Ground colour of each terrain set: Data, Wood, Sand, Snow, Forest.
constexpr TColour SetGround[5] = {{120, 128, 110}, {70, 120, 50}, {196, 170, 110}, {220, 228, 240}, {40, 90, 45}};

uint16_t Rgb565(int r, int g, int b)
{
    r = std::clamp(r, 8, 255);
    g = std::clamp(g, 8, 255);
    b = std::clamp(b, 8, 255);
    return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// A cheap, stable per-pixel noise in -range..range.
int Noise(uint32_t x, uint32_t y, uint32_t seed, int range)
{
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<int>(h % static_cast<uint32_t>(2 * range + 1)) - range;
}

// Inside the ellipse centred at (cx, cy) with radii rx, ry.
bool InEllipse(int x, int y, double cx, double cy, double rx, double ry)
{
    const double dx = (x + 0.5 - cx) / rx;
    const double dy = (y + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// A 96 x 64 ground tile: the set's colour, shifted by kind, textured, with a darker rim and a patch whose place
// tells the tiles of a library apart.
WilImage DrawTile(int set, int kind, int index)
{
    WilImage tile = MakeWilImage(96, 64);
    const TColour base = SetGround[set];
    const int shift = (kind % 3) * 18 - 18;
    const double px = 16 + (index * 23) % 64;
    const double py = 12 + (index * 17) % 40;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x) {
            int light = Noise(x, y, static_cast<uint32_t>(set * 97 + kind * 13 + index), 14) + shift;
            if (x == 0 || y == 0 || x == 95 || y == 63) light -= 30;
            if (InEllipse(x, y, px, py, 14, 9)) light += 36;
            tile.At(x, y) = Opaque(Rgb565(base.R + light, base.G + light, base.B + light / 2));
        }
    tile.OffsetX = 0;
    tile.OffsetY = 0;
    return tile;
}

// A 48 x 32 ground detail: an opaque stone on a clear cell.
WilImage DrawSmallTile(int set, int index)
{
    WilImage tile = MakeWilImage(48, 32);
    const TColour base = SetGround[set];
    const double rx = 8 + index % 12, ry = 5 + index % 9;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            if (InEllipse(x, y, 24, 16, rx, ry)) {
                const int light = Noise(x, y, static_cast<uint32_t>(set * 31 + index), 20) - 40;
                tile.At(x, y) = Opaque(Rgb565(base.R + light, base.G + light, base.B + light));
            }
    return tile;
}

// The markers of library 3: 56 a light (a half-transparent glow), 58 "Can't Move" (red) and 59 "Can't Move and
// Fly" (blue), each a half-transparent cell-sized diamond with an opaque rim.
WilImage DrawMarker(int image)
{
    WilImage marker = MakeWilImage(48, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x) {
            if (image == 56) {
                if (InEllipse(x, y, 24, 16, 14, 10)) marker.At(x, y) = Semi(Rgb565(255, 230, 90));
                if (InEllipse(x, y, 24, 16, 5, 4)) marker.At(x, y) = Opaque(Rgb565(255, 250, 200));
                continue;
            }
            const double d = std::abs(x + 0.5 - 24) / 24 + std::abs(y + 0.5 - 16) / 16;
            const uint16_t colour = image == 58 ? Rgb565(230, 30, 30) : Rgb565(40, 70, 230);
            if (d <= 0.9) marker.At(x, y) = Semi(colour);
            else if (d <= 1.0) marker.At(x, y) = Opaque(colour);
        }
    return marker;
}

// Object sizes in turn: narrow and wide, short and tall, so that canvases of several powers of two occur.
constexpr int ObjectSizes[][2] = {{48, 32}, {48, 64}, {48, 96}, {96, 128}, {32, 48}, {48, 160},
                                  {64, 80}, {96, 64}, {40, 40}, {48, 112}, {80, 200}, {24, 24}};

// An object standing on the bottom edge: a half-transparent shadow, an opaque body (trunk and crown for the
// odd images, a block with a roof for the even ones), the rest clear.
WilImage DrawObject(int set, int kind, int index)
{
    const int w = ObjectSizes[index % 12][0], h = ObjectSizes[index % 12][1];
    WilImage object = MakeWilImage(static_cast<uint16_t>(w), static_cast<uint16_t>(h));
    const TColour ground = SetGround[set];
    const TColour body = {90 + (kind * 37) % 140, 60 + (kind * 53 + index * 11) % 150, 40 + (index * 29) % 120};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int grain = Noise(x, y, static_cast<uint32_t>(kind * 101 + index + set), 12);
            if (InEllipse(x, y, w / 2.0, h - 4.0, w / 2.0, 4.5))
                object.At(x, y) = Semi(Rgb565(ground.R / 4, ground.G / 4, ground.B / 4));
            const bool tree = index % 2 == 1;
            const bool inBody =
                tree ? (std::abs(x - w / 2) <= std::max(2, w / 10) && y >= h / 2 && y < h - 3) ||
                           InEllipse(x, y, w / 2.0, h / 2.5, w / 2.2, h / 2.8)
                     : (x >= w / 8 && x < w - w / 8 && y >= h / 3 && y < h - 3) ||
                           (y < h / 3 && y >= h / 3 - (w / 2 - std::abs(x - w / 2)) / 2 && y >= 1);
            if (inBody) object.At(x, y) = Opaque(Rgb565(body.R + grain, body.G + grain, body.B + grain));
        }
    object.OffsetX = static_cast<int16_t>(-w / 2);
    object.OffsetY = static_cast<int16_t>(-h);
    return object;
}

// ---- libraries ---------------------------------------------------------------------------------------------------

std::vector<std::optional<WilImage>> DrawLibrary(int32_t number)
{
    const int set = number / 15, kind = number % 15;
    std::vector<std::optional<WilImage>> images;
    switch (DemoLibraryKind(number)) {
    case TDemoLibraryKind::Tiles:
        for (int i = 0; i < DemoTileImages; ++i) images.push_back(DrawTile(set, kind, i));
        images[DemoTileImages - 3].reset();  // an empty entry, as the game's libraries have
        break;
    case TDemoLibraryKind::SmallTiles:
        for (int i = 0; i < DemoSmallTileImages; ++i)
            images.push_back(i == 56 || i == 58 || i == 59 ? DrawMarker(i) : DrawSmallTile(set, i));
        images[57].reset();
        break;
    case TDemoLibraryKind::Objects:
        for (int i = 0; i < DemoObjectImages; ++i) images.push_back(DrawObject(set, kind, i));
        break;
    }
    return images;
}

std::filesystem::path ClientPath(const std::string& folder, const std::string& relative)
{
    std::string native = relative;
    std::replace(native.begin(), native.end(), '\\', '/');
    return std::filesystem::path(folder) / std::filesystem::path(native).make_preferred();
}

// ---- maps --------------------------------------------------------------------------------------------------------

// Tiles from the map's terrain set (mostly its "Tilesc", patches of "Tiles30c"), objects of the set's object
// libraries on some cells, blocked cells under the objects and a few lights.
void FillMap(TVesk3Map& map, const TDemoMap& demo)
{
    const int set = demo.MapType % 5;
    for (int tx = 0; tx < demo.Width / 2; ++tx)
        for (int ty = 0; ty < demo.Height / 2; ++ty) {
            const bool patch = (tx / 6 + ty / 5) % 4 == 0;
            map.SetTileField(tx, ty, 1, set * 15 + (patch ? 1 : 0));
            map.SetTileField(tx, ty, 2, (tx * 7 + ty * 3) % (DemoTileImages - 3));
        }
    for (int x = 0; x < demo.Width; ++x)
        for (int y = 0; y < demo.Height; ++y) {
            const int h = Noise(x, y, 7, 1000) + 1000;  // 0..2000
            if (h % 23 == 0) {
                map.SetLayerB(x, y, static_cast<uint8_t>(set * 15 + 4 + h % 9), static_cast<uint16_t>(h % 12));
                map.SetCellMoveFlags(x, y, 1);
            } else if (h % 31 == 0) {
                map.SetLayerA(x, y, static_cast<uint8_t>(set * 15 + 12 + h % 2), static_cast<uint16_t>(h % 12));
                map.SetCellMoveFlags(x, y, 2);
            } else if (h % 97 == 0) {
                map.SetCellByte13(x, y, 0x39);
            }
        }
}

}  // namespace

TDemoLibraryKind DemoLibraryKind(int32_t number)
{
    const int kind = number % 15;
    if (number == 3 || number == 33 || number == 48 || number == 63) return TDemoLibraryKind::SmallTiles;
    if (kind <= 2 || (kind == 14 && number < 59)) return TDemoLibraryKind::Tiles;
    return TDemoLibraryKind::Objects;
}

bool MakeDemoData(const std::string& folder, std::string& error)
{
    try {
        for (int32_t number = 0; number < ImageLibraryCount; ++number) {
            const std::filesystem::path wil = ClientPath(folder, GetLibraryFileName(number));
            std::filesystem::create_directories(wil.parent_path());
            const uint16_t version = number / 15 % 2 == 0 ? 17 : 5000;  // both layouts occur
            std::filesystem::path base = wil;
            base.replace_extension();
            if (!fixtures::WriteWilLibrary(fixtures::BuildWilLibrary(version, DrawLibrary(number)), base.string())) {
                error = "cannot write " + wil.string();
                return false;
            }
        }
        const std::filesystem::path maps = ClientPath(folder, "Map");
        std::filesystem::create_directories(maps);
        for (const TDemoMap& demo : DemoMaps) {
            TVesk3Map map;
            if (!map.NewMap(demo.FileName, demo.Width, demo.Height, demo.MapType)) {
                error = std::string("cannot create the map ") + demo.FileName;
                return false;
            }
            FillMap(map, demo);
            map.SaveToFile((maps / demo.FileName).string());
        }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}
