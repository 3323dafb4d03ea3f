#include "editor/core/uMapGeometry.h"

#include "editor/core/uZoomTable.h"

#include <cstddef>

namespace {

// The margin of view cells every pass visits beyond the view, by zoom index.
constexpr std::array<int32_t, ZoomLevelCount> VisibleMargin = {440, 180, 150, 100, 40, 40, 30, 20, 20};

TCellCount VisibleCount(int32_t Zoom, int64_t Width, int64_t Height, int64_t CellsPerTile)
{
    const TZoomLevel* level = ZoomLevelOfPercent(Zoom);
    if (!level) return {};
    const int32_t margin = VisibleMargin[static_cast<std::size_t>(level - ZoomTable.data())];
    const auto count = [&](int64_t pixels, int32_t tileSize) {
        const int64_t cells = pixels < 0 ? 0 : pixels * CellsPerTile / tileSize;
        return static_cast<int32_t>(cells + margin);
    };
    return {count(Width, level->TileWidth), count(Height, level->TileHeight)};
}

}  // namespace

TCellCount GetVisibleCellCount(int32_t Zoom, int32_t Width, int32_t Height)
{
    return VisibleCount(Zoom, Width, Height, 1);
}

TCellCount GetVisibleStepCount(int32_t Zoom, int32_t Width, int32_t Height)
{
    return VisibleCount(Zoom, Width, Height, 2);
}

int32_t BlockerMarkerImage(int32_t MoveFlags)
{
    switch (MoveFlags) {
    case 0:
    case 254:
        return CantMoveImage;
    case 2:
    case 252:
        return CantMoveAndFlyImage;
    default:
        return -1;
    }
}

int32_t LightMarkerImage(int32_t LightByte)
{
    return LightByte == 0 || LightByte == 64 ? -1 : LightImage;
}

int32_t BlockerCursorImage(int32_t BlockerType)
{
    switch (BlockerType) {
    case 1:
        return CantMoveImage;
    case 2:
        return CantMoveAndFlyImage;
    default:
        return -1;
    }
}

int32_t AnimatedImage(int32_t Library, int32_t Image, const TAnimationFrameOffsets& Offsets)
{
    const int32_t number = GetAnimationId(Library, Image);
    if (number < 1 || number > static_cast<int32_t>(Offsets.size())) return Image;
    return Image + Offsets[static_cast<std::size_t>(number - 1)];
}

TPlacement TilePlacement(int32_t X, int32_t Y)
{
    return {static_cast<float>(TilePixelWidth * X), static_cast<float>(TilePixelHeight * Y),
            {0, 0, TilePixelWidth, TilePixelHeight}};
}

TPlacement ObjectPlacement(int32_t X, int32_t Y, int32_t Width, int32_t Height)
{
    return {static_cast<float>(StepPixelWidth * X), static_cast<float>(StepPixelHeight * Y + StepPixelHeight - Height),
            {0, 0, Width, Height}};
}

TPlacement MarkerPlacement(int32_t X, int32_t Y)
{
    return {static_cast<float>(StepPixelWidth * X), static_cast<float>(StepPixelHeight * Y),
            {0, 0, StepPixelWidth, StepPixelHeight}};
}
