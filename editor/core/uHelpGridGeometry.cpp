#include "editor/core/uHelpGridGeometry.h"

#include "editor/core/uZoomTable.h"

#include <algorithm>
#include <array>

namespace {

// The eleven grid cells with the vertex lists they start with.
constexpr TGridCell Grid144x96{144, 96, 501}, Grid120x80{120, 80, 501}, Grid96x64{96, 64, 501},
    Grid72x48{72, 48, 501}, Grid60x40{60, 40, 501}, Grid48x32{48, 32, 501}, Grid36x24{36, 24, 1001},
    Grid24x16{24, 16, 1001}, Grid12x8{12, 8, 1401}, Grid6x4{6, 4, 2401}, Grid3x2{3, 2, 3401};

// By zoom index (3, 6, 12, 25, 50, 75, 100, 125, 150 %).
constexpr std::array<const TGridCell*, ZoomLevelCount> TileGrids = {
    &Grid3x2, &Grid6x4, &Grid12x8, &Grid24x16, &Grid48x32, &Grid72x48, &Grid96x64, &Grid120x80, &Grid144x96};
constexpr std::array<const TGridCell*, ZoomLevelCount> StepGrids = {
    &Grid3x2, &Grid6x4, &Grid6x4, &Grid12x8, &Grid24x16, &Grid36x24, &Grid48x32, &Grid60x40, &Grid72x48};

const TGridCell* GridOfZoom(const std::array<const TGridCell*, ZoomLevelCount>& Grids, int32_t Zoom)
{
    const TZoomLevel* level = ZoomLevelOfPercent(Zoom);
    return level ? Grids[static_cast<size_t>(level - ZoomTable.data())] : nullptr;
}

// Five vertices per line, the list grown past Capacity when the view needs more. Vertical strips step along x and
// run Along pixels down; horizontal ones step along y and run Along pixels across.
void BuildStrip(int32_t Step, int32_t Lines, float Along, bool Vertical, int32_t Capacity,
                std::vector<TLineVertex>& Out)
{
    Out.clear();
    if (Lines <= 0) return;
    Out.reserve(std::max(static_cast<size_t>(Capacity), static_cast<size_t>(Lines) * 5));
    const auto put = [&](float a, float b) { Out.push_back(Vertical ? TLineVertex{a, b} : TLineVertex{b, a}); };
    for (int32_t k = 1; k <= Lines; ++k) {
        const float at = static_cast<float>(static_cast<int64_t>(k) * Step);
        const float next = static_cast<float>(static_cast<int64_t>(k + 1) * Step);
        put(0, 0);
        put(0, Along);
        put(at, Along);
        put(at, 0);
        put(next, 0);
    }
}

}  // namespace

const TGridCell* TileGridCell(int32_t Zoom)
{
    return GridOfZoom(TileGrids, Zoom);
}

const TGridCell* StepGridCell(int32_t Zoom)
{
    return GridOfZoom(StepGrids, Zoom);
}

void BuildGridStrips(const TGridCell& Cell, int32_t ViewWidth, int32_t ViewHeight, std::vector<TLineVertex>& Vertical,
                     std::vector<TLineVertex>& Horizontal)
{
    const int32_t columns = ViewWidth > 0 ? ViewWidth / Cell.Width : 0;
    const int32_t rows = ViewHeight > 0 ? ViewHeight / Cell.Height : 0;
    BuildStrip(Cell.Width, columns, static_cast<float>(ViewHeight), true, Cell.Capacity, Vertical);
    BuildStrip(Cell.Height, rows, static_cast<float>(ViewWidth), false, Cell.Capacity, Horizontal);
}
