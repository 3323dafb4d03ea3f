// The platform-free half of painting the SDD tab control: the line commands that outline tabs and frame cards
// (with the gap under the selected tab and the soft shadow), the content, image and text rectangles of a tab,
// captions split into lines and accelerators, where each line of a caption starts, the highlight bar, the focus
// rectangle and the drop mark of tab dragging.
//
// All coordinates are client coordinates; tab rectangles are those of the layout (right/bottom exclusive), card
// rectangles inclusive.
//
// Sections: line commands; tab content; captions; bars and marks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sddcontrols/core/unSDDCommonTypes.h"
#include "sddcontrols/core/unSDDTabLayout.h"

namespace sddtabs {

// ---- line commands --------------------------------------------------------------------------------------------

// A list of integers: a code, followed by two operands for codes 2 to 6.
enum TLineCode : int {
  lcPenColor = 0,    // pen colour := the current line colour
  lcNothing = 1,
  lcLineColor = 2,   // current line colour := the flat colour (operands unused)
  lcMoveTo = 3,      // x, y
  lcLineTo = 4,      // x, y
  lcShadow30 = 5,    // x, y: shadow line of strength 30 from the pen
  lcShadow15 = 6,    // x, y: strength 15
};
using TLineCommands = std::vector<int>;

// Starts a list: code 2 with its two unused operands.
void AddLineColor(TLineCommands& list, int kind, int tabOrRow);
// Whether the list holds shadow lines (their replay needs the parent's image).
bool HasShadow(const TLineCommands& list);

struct TCardFrame {
  TSDDTabOrientation Orientation = toTop;
  TSDDTabSequence Sequence = tsStandard;
  TSDDTabStyle Style = tsSingleSlant;
  TRect Card;  // inclusive corners
  bool ShowFullFrame = true;
  bool ShowShadow = true;
  bool Hot = false;  // a hot-tracking repaint: no shadow
  // The front card's gap under the selected tab: its polygon's first point + (1, 0) and its last point (the sixth
  // for tsKestraStyle).
  bool Gap = false;
  TPoint GapStart;
  TPoint GapEnd;
};
void RecordCardFrame(TLineCommands& list, const TCardFrame& frame);
// The outline of a tab from its polygon; false when the polygon has the wrong number of points for the style.
bool RecordTabOutline(TLineCommands& list, TSDDTabStyle style, TSDDTabOrientation orientation,
                      const std::vector<TPoint>& points);

// The pixels a shadow line covers from `from` to `to` along one axis (horizontal when the x values differ), both
// ends included.
std::vector<TPoint> ShadowLinePixels(TPoint from, TPoint to);

// ---- tab content ----------------------------------------------------------------------------------------------

// Where a tab's image and caption go inside its rectangle, by style.
TRect ContentRect(const TRect& tab, TSDDTabStyle style, TSDDTabOrientation orientation, bool verticalText,
                  int cutCornerSize);

struct TContentAreas {
  TRect Image;
  TRect Text;
  TPoint ImageAt;  // the image's top-left corner
};
// `image` is the image list's size (0 x 0 without an image); `margin` the ImageMargin (0 without an image index).
TContentAreas ContentAreas(const TRect& content, TExtent image, int margin, TSDDImagePosition position,
                           TSDDHorizontalAlignment alignment, TSDDVerticalAlignment alignmentVertical);

// ---- captions -------------------------------------------------------------------------------------------------

// The caption's lines, split at CR LF.
std::vector<std::string> SplitCaption(std::string_view caption);
// A line as it shows: the first '&' before another character marks it and is not shown; "&&" shows one '&'.
struct TAccelLine {
  std::string Before;
  std::string Marked;  // empty when nothing is marked
  std::string After;
  std::string Plain() const { return Before + Marked + After; }
};
TAccelLine SplitAccelerator(std::string_view line);

// Where each line of a caption starts (the text drawn from its top-left corner, turned with the text): `lines`
// are the lines' screen extents (vertical text: the line height across, its length along).
std::vector<TPoint> PlaceCaptionLines(const TRect& area, const std::vector<TExtent>& lines, bool verticalText,
                                      bool turnedRight, TSDDHorizontalAlignment alignment,
                                      TSDDVerticalAlignment alignmentVertical);

// ---- bars and marks -------------------------------------------------------------------------------------------

// The highlight or hot bar: the tab inflated by 1, cut to a strip along its outer edge (6 deep for toTop and
// toLeft, 4 for toBottom and toRight); the tab's shape clips it.
TRect BarRect(const TRect& tab, TSDDTabOrientation orientation);
// The focus rectangle: the text area widened by 1 at both ends along the row; the round styles pull its outer
// edge in.
TRect FocusRect(const TRect& textArea, TSDDTabStyle style, TSDDTabOrientation orientation);

// The drop mark of tab dragging: 8 deep across the row, 15 long along it, its outer side 2 (toRight: 3) pixels
// beyond the target tab's outer edge, centred on the tab's leading edge when the target comes before the dragged
// tab and on its trailing edge otherwise; slanted edges pull it in by half the row thickness, the other styles'
// trailing edge moves it out by 1.
TRect DropMarkRect(const TStrip& strip, int target, bool beforeDragged);

}  // namespace sddtabs
