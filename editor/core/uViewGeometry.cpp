#include "editor/core/uViewGeometry.h"

#include <cstdlib>

#include "classlib/core/SysUtils.h"

namespace {

constexpr int32_t JumpMargin = 8;  // cells shown before the jump's target

// The cell a pixel lies in, rounding down: a pixel before the view's edge lies in the cell before the first.
int32_t CellOf(int32_t Pixel, int32_t CellSize)
{
    const int32_t cell = Pixel / CellSize;
    return Pixel % CellSize < 0 ? cell - 1 : cell;
}

}  // namespace

TCursorCells CellsAtPoint(const TZoomLevel& Level, int32_t X, int32_t Y, int32_t HorzPosition, int32_t VertPosition)
{
    TCursorCells c;
    c.ViewTileX = CellOf(X, Level.TileWidth);
    c.ViewTileY = CellOf(Y, Level.TileHeight);
    c.ViewStepX = CellOf(X, Level.StepWidth);
    c.ViewStepY = CellOf(Y, Level.StepHeight);
    c.TileX = c.ViewTileX + HorzPosition / 2;
    c.TileY = c.ViewTileY + VertPosition / 2;
    c.StepX = c.ViewStepX + HorzPosition;
    c.StepY = c.ViewStepY + VertPosition;
    return c;
}

int32_t ClampScrollMax(int32_t Value) { return Value > 0 ? Value : 2; }

int32_t ScrollMaximum(int32_t Index, int32_t MapCells, int32_t BarPixels, bool Across)
{
    if (Index < 0 || Index >= ZoomLevelCount) return 2;
    const TZoomLevel& level = ZoomTable[static_cast<size_t>(Index)];
    const int32_t cellsShown = ClampScrollMax(BarPixels / (Across ? level.DivisorAcross : level.DivisorDown));
    int32_t reach = 0;
    switch (level.Adjust) {
    case TScrollAdjust::None: reach = ClampScrollMax(std::abs(MapCells - cellsShown)); break;
    case TScrollAdjust::AfterAbs: reach = ClampScrollMax(std::abs(MapCells - cellsShown) - level.AdjustBy); break;
    case TScrollAdjust::BeforeAbs: reach = ClampScrollMax(std::abs(MapCells - cellsShown - level.AdjustBy)); break;
    }
    return EvenScrollPosition(reach);
}

int32_t JumpFieldValue(const std::string& Text) { return StrToIntDef(Trim(Text), 0); }

bool JumpPositions(const std::string& XText, const std::string& YText, int32_t& HorzPosition, int32_t& VertPosition)
{
    const int32_t x = JumpFieldValue(XText);
    const int32_t y = JumpFieldValue(YText);
    if (x < 1 || y < 1) return false;
    HorzPosition = x - JumpMargin;
    VertPosition = y - JumpMargin;
    return true;
}
