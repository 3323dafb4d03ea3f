#include "editor/core/uTilePickerRules.h"

#include <algorithm>

namespace {

constexpr int32_t LibraryCount = 75;

// The combo box's item that carries two trailing blanks.
constexpr int32_t PaddedComboItem = 7;

// Libraries outside these ranges are drawn as tiles.
struct TKindRange {
    int32_t First, Last, Kind;
};
constexpr TKindRange KindRanges[] = {
    {3, 3, PickerKindSmallTiles},   {4, 13, PickerKindObjects},  {18, 28, PickerKindObjects},
    {33, 33, PickerKindSmallTiles}, {34, 43, PickerKindObjects}, {48, 48, PickerKindSmallTiles},
    {49, 59, PickerKindObjects},    {63, 63, PickerKindSmallTiles}, {64, 74, PickerKindObjects},
};

// A tile cell is 96 wide; the columns are counted with one pixel less each.
constexpr int32_t TileColumnPitch = 95;
constexpr int32_t TileExtraRows = 2;

}  // namespace

std::vector<std::string> LibraryComboItems()
{
    std::vector<std::string> items;
    items.reserve(LibraryCount);
    for (int32_t i = 0; i < LibraryCount; ++i) items.push_back(GetLibraryDisplayName(i));
    items[PaddedComboItem] += "  ";
    return items;
}

int32_t PickerGridKindOf(int32_t Library)
{
    for (const TKindRange& r : KindRanges)
        if (Library >= r.First && Library <= r.Last) return r.Kind;
    return PickerKindTiles;
}

TPickerGridShape PickerGridShape(int32_t Kind, int32_t GridWidth, int32_t ImageCount)
{
    TPickerGridShape s;
    switch (Kind) {
    case PickerKindObjects:
    case PickerKindSmallTiles:
        s.ColWidth = 48;
        s.RowHeight = Kind == PickerKindObjects ? 640 : 32;
        s.Cols = std::max(1, ImageCount);
        s.Rows = 1;
        break;
    default:
        s.ColWidth = 96;
        s.RowHeight = 62;
        s.Cols = std::max(1, GridWidth / TileColumnPitch);
        s.Rows = std::max(1, ImageCount / s.Cols + TileExtraRows);
        break;
    }
    return s;
}

int32_t PickerImageAt(int32_t Cols, int32_t Col, int32_t Row, int32_t ImageCount)
{
    if (Col < 0 || Row < 0 || Cols < 1 || Col >= Cols) return -1;
    const int64_t index = int64_t(Cols) * Row + Col;
    return index < ImageCount ? static_cast<int32_t>(index) : -1;
}

void TPickerFrame::Click(int32_t ClickedCol, int32_t ClickedRow)
{
    if (Frames(ClickedCol, ClickedRow)) {
        Shown = false;
        return;
    }
    Shown = true;
    Col = ClickedCol;
    Row = ClickedRow;
}
