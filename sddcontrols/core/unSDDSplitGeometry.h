// The platform-free arithmetic of the splitter and the size panel: percentages rounded half to even, margins and
// the position clamp, the panes' rectangles, the hot spot with its grip rows and arrows, and the size panel's bar,
// client and free rectangles, its size clamp and its hot-spot box.
//
// Positions and sizes are pixels; rectangles are in the control's client coordinates (right and bottom
// exclusive). "Extent" is the splitter's width for side-by-side panes (orHorizontal) and its height for panes one
// above the other (orVertical).
//
// Sections: enumerations; rounding and percentages; splitter geometry; hot spot drawing; size panel geometry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sddcontrols/core/unSDDCommonTypes.h"

// ---- enumerations ---------------------------------------------------------------------------------------------

// The pane that keeps its size when the splitter is resized.
enum TFixedPane { fpUpperLeft, fpLowerRight };
enum TSelectedPane { spUpperLeft, spLowerRight };
enum TSplitterStyle { ssStandard, ssGroove, ssBump, ssGroupBar };
// Where a click on the hot spot collapses the splitter: to the start, to the end, or to the half clicked.
enum THotSpotDirection { hsdMin, hsdMax, hsdBoth };
// The grip patterns drawn along the hot spot.
enum THotSpotStyle { hssX1, hssX2, hssX3, hssX4, hssX5, hssX6 };
// A size panel's alignment, numbered as the control library numbers its alignments (alNone .. alCustom).
enum TSizePanelAlign { spaNone, spaTop, spaBottom, spaLeft, spaRight, spaClient, spaCustom };

namespace sddsplit {

// ---- rounding and percentages ---------------------------------------------------------------------------------

// numerator / denominator to the nearest integer, halves to the even neighbour; 0 for a zero denominator. Exact
// for every pair of 32-bit operands scaled by 100.
int RoundRatio(int64_t numerator, int64_t denominator);

// The span a percentage is taken over: the extent less half the bar.
constexpr int PercentSpan(int extent, int splitterWidth) { return extent - splitterWidth / 2; }
// Round(position / span x 100).
int PercentOfPosition(int position, int extent, int splitterWidth);
// Round(percent / 100 x span).
int PositionOfPercent(int percent, int extent, int splitterWidth);
// The margins that keep the bar within [percentMin, percentMax] of the span.
int MarginMinOfPercent(int percentMin, int extent, int splitterWidth);
int MarginMaxOfPercent(int percentMax, int extent, int splitterWidth);
// The margin being set, a negative one as 0, reduced to `room` - `other` when the two together exceed `room`.
int FitMargin(int value, int other, int room);

// ---- splitter geometry ----------------------------------------------------------------------------------------

// The border the position clamp and the drag line allow for: BorderWidth plus, for each of the left and top sides
// in `sides`, the outer and inner styles' widths, where the flat bold and flat rounded styles count nothing.
int SplitterBorderSize(int borderWidth, TSides sides, TFrameStyleEx outer, TFrameStyleEx inner, int bevelWidth);

struct TPositionLimits {
  int Extent = 0;
  int MarginMin = 0;
  int MarginMax = 0;
  int SplitterWidth = 0;
  int BorderSize = 0;
};
// Raised to MarginMin, then lowered to Extent - MarginMax - SplitterWidth - 2 x BorderSize: when the two bounds
// cross, the upper one wins.
int ClampPosition(int position, const TPositionLimits& limits);

struct TPaneRects {
  TRect UpperLeft;
  TRect Bar;
  TRect LowerRight;
};
// The panes and the bar inside `client`. A pane shown alone fills the client rect; a hidden pane and, unless both
// panes show, the bar have no extent along the split.
TPaneRects ArrangePanes(const TRect& client, TOrientation orientation, int position, int splitterWidth,
                        bool upperLeftVisible, bool lowerRightVisible);

// The hot spot: sizePercent of the bar's length, centred on the bar, across its whole width. Halves are taken
// toward zero.
TRect HotSpotRect(const TRect& bar, TOrientation orientation, int sizePercent);
// The point lies in the half of the hot spot toward the start (above the middle of a vertical bar, left of the
// middle of a horizontal one).
bool InFirstHalf(const TRect& hotSpot, TOrientation orientation, TPoint p);

// ---- hot spot drawing -----------------------------------------------------------------------------------------

enum class TArrow { Left, Right, Up, Down };
// A filled triangle five pixels wide and three deep around (x, y), pointing `arrow`.
std::array<TPoint, 3> ArrowTriangle(TArrow arrow, int x, int y);

struct TArrowPair {
  TArrow First;   // at the start of the hot spot
  TArrow Second;  // at its end
  friend bool operator==(const TArrowPair&, const TArrowPair&) = default;
};
// The splitter's two arrows: toward where a click moves the bar (left/right along a vertical bar, up/down along a
// horizontal one).
TArrowPair SplitterArrows(TOrientation orientation, THotSpotDirection direction, bool closed, bool closedToMin);

// Grip colours: the dot colour $DFDAD7, black, silver $C0C0C0 and the near-black $050505.
enum class TGripInk { Dot, Black, Silver, Dark };
struct TGripPixel {
  int X = 0;
  int Y = 0;
  TGripInk Ink = TGripInk::Dot;
  friend bool operator==(const TGripPixel&, const TGripPixel&) = default;
};
// The origins of the grip rows along a hot spot `length` long that starts at `start`, three pixels apart: rows 1..n
// along a vertical bar (orHorizontal), rows 0..n along a horizontal one, n = (length - 32) div 3. With
// `skipNearMiddle` a row whose centre (origin + 15) lies less than 4 pixels from `middle` is left out.
std::vector<int> GripRowOrigins(TOrientation orientation, int start, int length, bool skipNearMiddle, int middle);
// The pixels of one grip row in painting order (later ones cover earlier ones): `origin` runs along the bar,
// `middle` is the hot spot's centre line across it.
std::vector<TGripPixel> GripRow(THotSpotStyle style, TOrientation orientation, int origin, int middle);

// ---- size panel geometry --------------------------------------------------------------------------------------

// Which edge role a size panel plays: its alignment's edge, or for alNone/alCustom its Side; None for alClient.
enum class TSizeEdge { None, Left, Top, Right, Bottom };
TSizeEdge SizeEdge(TSizePanelAlign align, TSide side);
// The bar runs across the panel (it is dragged up and down).
bool IsBarHorizontal(TSizePanelAlign align, TSide side);
// The side of the panel its bar lies on; false for alClient, which has no bar.
bool BarSide(TSizePanelAlign align, TSide side, TSide& barSide);
// The bar, `sizeBarWidth` (one more on a dock site) deep along its side of a width x height panel; empty for
// alClient.
TRect SizeBarRect(TSizePanelAlign align, TSide side, int width, int height, int sizeBarWidth, bool dockSite);
// r less `amount` on the bar's side (the client rect: bar width + 1; the paint rect: the bar width).
TRect CutBarSide(TRect r, TSizePanelAlign align, TSide side, int amount);

// A control beside the panel in the same parent (the panel itself among them).
struct TSiblingBox {
  TSizePanelAlign Align = spaNone;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
};
// The parent's client rect less every visible control along its edge; an unaligned one counts as if aligned to
// `side`, a client-aligned one counts nothing.
TRect ParentFreeRect(TRect parentClient, const std::vector<TSiblingBox>& siblings, TSide side);

struct TSizeLimits {
  TSizePanelAlign Align = spaLeft;
  TSide Side = sdLeft;
  TRect Free;  // the parent's free rect
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int MarginMin = 0;
  int MarginMax = 0;
  int SizeBarWidth = 4;
  bool UseLockedHeight = false;
  int LockedHeight = 0;
};
// The largest size the free rect leaves the panel; 0 for alClient.
int MaxSize(const TSizeLimits& limits);
// A dragged or reopened size kept between the panel's least size and what the free rect allows (the upper bound
// wins). A top-aligned panel with a locked height takes that height when the limit is passed.
int ClampSize(int size, const TSizeLimits& limits);

// The size panel's hot-spot box: the hot spot itself on bars narrower than 8; from 8 up a small box at the far
// end of the bar. The box for mouse tests reaches further right than the drawn one.
TRect HotSpotBox(const TRect& bar, const TRect& hotSpot, int sizeBarWidth, bool forMouse);
// The size panel's arrows point where a click moves its bar.
TArrow SizePanelArrow(bool barHorizontal, TSizeEdge edge, bool closed);

}  // namespace sddsplit
