#pragma once
// The select-mode info overlay's layout: what a box labels, where its image lies, its text rows (texts, positions
// and colours) and its two sets of corner brackets. View pixels at 100 % zoom; no platform types.
//
// Sections: box kinds; rows; brackets.
#include "editor/core/uHelpGridGeometry.h"
#include "editor/core/uMainState.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// ---- box kinds ---------------------------------------------------------------------------------------------

enum class TInfoBoxKind : int32_t { Tile = 0, BackObject = 1, FrontObject = 2 };

// An element's image is empty (no box) for image 0 and image 0xFFFF.
inline bool IsInfoElementEmpty(int32_t Image)
{
    return Image == 0 || Image == 0xFFFF;
}

// The top-left corner of the element's image at 100 %: a tile at (96 X, 64 Y), an object standing on its step
// cell's bottom edge, (48 X, 32 Y + 32 - Height). X and Y are the view cell.
struct TInfoOrigin {
    int32_t X = 0, Y = 0;
};
TInfoOrigin InfoBoxOrigin(TInfoBoxKind Kind, int32_t ViewX, int32_t ViewY, int32_t Height);

// ---- rows --------------------------------------------------------------------------------------------------

// What a box shows of its element.
struct TInfoElement {
    int32_t Library = 0, Image = 0;
    int32_t Width = 0, Height = 0;    // of the image
    int32_t OffsetX = 0, OffsetY = 0; // the image header's drawing offsets
    int32_t CellX = 0, CellY = 0;     // the absolute tile cell (tile box) or step cell (object boxes)
    std::string LibraryName;          // the library's display name
};

struct TInfoRow {
    std::string Label, Value;
    int32_t LabelX = 0, ValueX = 0, Y = 0;
    TArgb Colour = 0;
};

constexpr TArgb InfoShadowColour = 0xFF030303;

// Row Row's colour: yellow moving towards the kind's end colour in sixths, each channel rounded to the nearest
// integer with halves to even; alpha 255.
TArgb InfoRowColour(TInfoBoxKind Kind, int32_t Row);

// The rows bottom to top (row 0 first): five for a tile, six for an object. Row r's text stands at
// y = Y0 + H - b - 15 r with b = 8, or 105 for a raised box (a back object under a front object's box); labels at
// x = X0 + W + 8, values (" : ( value )") at x = X0 + W + 108.
std::vector<TInfoRow> InfoBoxRows(TInfoBoxKind Kind, const TInfoElement& Element, TInfoOrigin Origin, bool Raised);

// ---- brackets ----------------------------------------------------------------------------------------------

// One corner: a line strip of three or four vertices in one colour of the box's table.
struct TBracket {
    std::array<TLineVertex, 4> Points{};
    int32_t Count = 0;
    int32_t ColourIndex = 0;
};
using TBracketSet = std::array<TBracket, 4>;

// The inner brackets on the rectangle (X0, Y0) to (X0 + W + 1, Y0 + H + 1), arms of 20 pixels, colour indexes
// 1, 0, 3, 2 (top-left, top-right, bottom-left, bottom-right).
TBracketSet InnerBrackets(TInfoOrigin Origin, int32_t Width, int32_t Height);
// The outer brackets on (X0 - 4, Y0 - 4) to (X0 + W + 4, Y0 + H + 4), arms of 15 pixels, colour indexes
// 5, 4, 7, 6.
TBracketSet OuterBrackets(TInfoOrigin Origin, int32_t Width, int32_t Height);
