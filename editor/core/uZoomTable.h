#pragma once
// The nine zoom levels of the map view: the percent and its label, the tile cell (2 x 2 step cells) and the step
// cell in view pixels, the renderer's scale, and the divisors and adjustments the scroll-bar maxima are computed
// with. The divisors are the table's own, not the cell sizes (3 x 2 at 3 %, 72 x 48 at 125 %).
#include <array>
#include <cstdint>

// How a level's scroll maximum is adjusted by its constant: not at all, subtracted after the absolute value is
// taken, or subtracted before it.
enum class TScrollAdjust { None, AfterAbs, BeforeAbs };

struct TZoomLevel {
    int32_t Percent;
    const char* Text;  // the zoom label: the true fraction with a decimal comma
    int32_t TileWidth, TileHeight;
    int32_t StepWidth, StepHeight;
    float Scale;  // x and y of the renderer's scaling transform (z is 0.1)
    int32_t DivisorAcross, DivisorDown;
    TScrollAdjust Adjust;
    int32_t AdjustBy;
};

constexpr int32_t ZoomLevelCount = 9;

inline constexpr std::array<TZoomLevel, ZoomLevelCount> ZoomTable = {{
    {3, "3,12%", 3, 2, 1, 1, 0.03125f, 3, 2, TScrollAdjust::None, 0},
    {6, "6,25%", 6, 4, 3, 2, 0.0625f, 6, 4, TScrollAdjust::None, 0},
    {12, "12,5%", 12, 8, 6, 4, 0.125f, 48, 32, TScrollAdjust::AfterAbs, 40},
    {25, "25%", 24, 16, 12, 8, 0.25f, 48, 32, TScrollAdjust::AfterAbs, 20},
    {50, "50%", 48, 32, 24, 16, 0.5f, 48, 32, TScrollAdjust::BeforeAbs, 10},
    {75, "75%", 72, 48, 36, 24, 0.75f, 48, 32, TScrollAdjust::BeforeAbs, 5},
    {100, "100%", 96, 64, 48, 32, 1.0f, 48, 32, TScrollAdjust::None, 0},
    {125, "125%", 120, 80, 60, 40, 1.25f, 72, 48, TScrollAdjust::None, 0},
    {150, "150%", 144, 96, 72, 48, 1.5f, 96, 64, TScrollAdjust::None, 0},
}};

// The level of a zoom percent (3, 6, 12, 25, 50, 75, 100, 125 or 150), or null for any other value.
constexpr const TZoomLevel* ZoomLevelOfPercent(int32_t Percent)
{
    for (const TZoomLevel& level : ZoomTable)
        if (level.Percent == Percent) return &level;
    return nullptr;
}
