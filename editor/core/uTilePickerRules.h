#pragma once
// The tile picker's rules: the items of its combo box (the libraries' display names, uLibraryNames.h), the grid kind of each library and the grid's cells for it, which cell is which image, and
// the selection frame.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/core/uLibraryNames.h"

// The 75 items of the picker's combo box: the display names, item 7 with two trailing blanks.
std::vector<std::string> LibraryComboItems();
// The library an item of the combo box stands for: the item index, 0 for none (-1).
constexpr int32_t LibraryIndexFromItem(int32_t ItemIndex) { return ItemIndex == -1 ? 0 : ItemIndex; }

// How the picker lays out a library's images.
constexpr int32_t PickerKindTiles = 0;       // 96 x 62 cells, as many columns as fit
constexpr int32_t PickerKindObjects = 1;     // 48 x 640 cells in one row
constexpr int32_t PickerKindSmallTiles = 2;  // 48 x 32 cells in one row
// The kind of a library (-1 and indexes above 74 are tiles).
int32_t PickerGridKindOf(int32_t Library);

// The grid's cells for a kind, the grid's client width and the library's image count.
struct TPickerGridShape {
    int32_t ColWidth = 0, RowHeight = 0;
    int32_t Cols = 1, Rows = 1;
};
// Tiles: columns = width div 95, rows = images div columns + 2; objects and small tiles: one row of one column
// per image. Always at least one column and one row.
TPickerGridShape PickerGridShape(int32_t Kind, int32_t GridWidth, int32_t ImageCount);
// Rows of the grid while no library is chosen.
constexpr int32_t PickerRowsWithoutLibrary = 40;

// The image a cell shows (row-major over Cols columns), or -1 when the cell lies at or past the library's images.
int32_t PickerImageAt(int32_t Cols, int32_t Col, int32_t Row, int32_t ImageCount);

// The red frame round the last clicked cell: a click frames the clicked cell, a click on the framed cell takes the
// frame away again.
struct TPickerFrame {
    bool Shown = false;
    int32_t Col = 0, Row = 0;

    void Click(int32_t ClickedCol, int32_t ClickedRow);
    bool Frames(int32_t C, int32_t R) const { return Shown && C == Col && R == Row; }
};
