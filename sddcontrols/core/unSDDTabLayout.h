// The platform-free arithmetic of the SDD tab control: tab sizes, rows and their placing, the row space the tabs
// are kept in and its conversion to client coordinates, cards and the page area, the tab shapes as polygons,
// scrolling a single row, the scroller's and the close button's places, and the searches that keyboard, mouse and
// selection make over the tabs.
//
// Row space: x runs along the row, y from the outer edge of the tab area (0) towards the page. Rectangles are
// right/bottom exclusive; a tab's stored rectangle is in row space without its row's indent.
//
// Sections: enumerations; rectangle helpers; sizes; the strip; arranging; row space and shapes; cards and page
// area; scrolling and buttons; searches.
#pragma once

#include <functional>
#include <vector>

#include "sddcontrols/core/unSDDCommonTypes.h"

// ---- enumerations ---------------------------------------------------------------------------------------------

enum TSDDTabOrientation { toTop, toLeft, toBottom, toRight };
enum TSDDTabSequence { tsStandard, tsReverse };
enum TSDDTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsKestraStyle };
enum TSDDHorizontalAlignment { haLeft, haCenter, haRight };
enum TSDDVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TSDDImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TSDDHotTrackStyle { htsTab, htsText };
// Which colour a caption is drawn in (offered to the control's OnGetTextColor).
enum TSDDTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };

namespace sddtabs {

// ---- rectangle helpers ----------------------------------------------------------------------------------------

bool IsRectAllZero(const TRect& r);
// Left/Top become the smaller and Right/Bottom the larger of each pair.
void NormalizeRect(TRect& r);
// Left <= X < Right and Top <= Y < Bottom on a normalised copy.
bool PtInNormalizedRect(TRect r, TPoint p);

// ---- sizes ----------------------------------------------------------------------------------------------------

struct TExtent {
  int CX = 0;
  int CY = 0;
  friend bool operator==(const TExtent&, const TExtent&) = default;
};

// Tabs along the top or bottom edge (rows run horizontally).
constexpr bool RowsHorizontal(TSDDTabOrientation o) { return o == toTop || o == toBottom; }
constexpr bool RoundStyle(TSDDTabStyle s) { return s == tsRoundCorners || s == tsKestraStyle; }

// How far a tab of thickness `d` reaches under its neighbour: d div 2 (single slant), d (double slant), -1 else.
int Overlap(TSDDTabStyle style, int d);

// A tab's content from its image and caption sizes (screen extents; 0 x 0 without an image): beside, above or
// behind the caption by `position`, ImageMargin counted even without an image; then raised to `minimum` on each
// axis whose tab size is natural (TabWidth / TabHeight 0).
TExtent ContentSize(TExtent image, TExtent text, TSDDImagePosition position, int imageMargin, TExtent minimum,
                    int tabWidth, int tabHeight);

struct TTabShape {
  TSDDTabOrientation Orientation = toTop;
  TSDDTabStyle Style = tsSingleSlant;
  bool VerticalText = false;
  int CutCornerSize = 6;
  int TabHeight = 0;
};
// The tab around a content of `content` (before TabWidth/TabHeight replace anything).
TExtent TabSizeFromContent(const TTabShape& shape, TExtent content);

// ---- the strip ------------------------------------------------------------------------------------------------

struct TStripSettings {
  TSDDTabOrientation Orientation = toTop;
  TSDDTabSequence Sequence = tsStandard;
  TSDDTabStyle Style = tsSingleSlant;
  bool VerticalText = false;
  int CutCornerSize = 6;
  int TabWidth = 0;
  int TabHeight = 0;
  int Margin = 0;
  int RowIndent = 5;
  int RowOverlap = 5;
  bool MultiLine = false;
  bool AlignTabs = false;
  bool ShowCardArea = true;
  bool ShowCardFrame = true;
  bool ShowFullFrame = true;
  bool ShowShadow = true;
  bool ShowCloseButton = false;
  // The scroller's button size before it is fitted to the row: the height of "A" in the tab font plus 4 (plus 2
  // for vertical text).
  int ButtonBase = 0;
  // The control's size (its client size once it has a window).
  int Width = 0;
  int Height = 0;
};

struct TStripTab {
  bool Visible = true;
  TExtent Content;  // input: ContentSize of the tab
  TRect Rect;       // output: row space, without the row's indent
  int Row = 0;      // output: 0 = next to the page
};

struct TStrip {
  TStripSettings Settings;
  std::vector<TStripTab> Tabs;
  int FixedDimension = 0;  // thickness of one row
  int RowCount = 1;
  int FirstShownTab = -1;
  int Selected = -1;
  bool ScrollerNeeded = false;
};

// The strip's fixed shares: the tab area's thickness, its length along the rows, its rectangle (client
// coordinates, inclusive right/bottom as the frames use them).
int TabAreaDepth(const TStrip& s);
int TabAreaLength(const TStripSettings& st);
TRect TabArea(const TStrip& s);
// The scroller's button size for the row thickness, and the close button's size (0 while it does not show).
int ButtonSize(const TStrip& s);
int CloseButtonSize(const TStrip& s);
// The visual order runs against the index order (the scroller's arrows swap their sense).
bool ScrollReversed(const TStripSettings& st);
// The arrow keys step against the index order.
bool KeysReversed(const TStripSettings& st);

// ---- arranging ------------------------------------------------------------------------------------------------

// Sizes the rows, counts them (several only with MultiLine), places every visible tab and justifies the rows
// (AlignTabs). Sets FixedDimension, RowCount and each visible tab's Rect and Row; hidden tabs get an empty rect.
void ArrangeTabs(TStrip& s);
// Puts the selected tab's row next to the page, keeping the rows' cyclic order (MultiLine without a scroller; no
// selection changes nothing).
void RotateRows(TStrip& s);

// ---- row space and shapes -------------------------------------------------------------------------------------

// The scroll origin O: the first shown tab's Left less the margin (tsReverse: the margin plus its Right); the
// margin counts 2 more for the round styles.
int ScrollOrigin(const TStrip& s, int firstShown);
TPoint RowToClient(const TStrip& s, TPoint p, int origin);
TRect RowRectToClient(const TStrip& s, const TRect& r, int origin);
// The stored rect moved along its row by its indent; a selected tsRoundCorners tab grows 2 at both ends and
// outwards.
TRect IndentedTabRect(const TStrip& s, int index);
// The tab in client coordinates (normalised).
TRect TabClientRect(const TStrip& s, int index);
// The tab's outline in client coordinates: 5, 4, 5, 6 and 7 points for the five styles.
std::vector<TPoint> TabPolygon(const TStrip& s, int index);

// ---- cards and page area --------------------------------------------------------------------------------------

// The card behind `row` in client coordinates, inclusive right/bottom; (0, 0, 0, 0) when inverted.
TRect RowCardRect(const TStrip& s, int row);
// Where the children go (exclusive right/bottom).
TRect PageArea(const TStrip& s);

// ---- scrolling and buttons ------------------------------------------------------------------------------------

// One row whose tabs reach past the room the margins (and a showing close button) leave.
bool NeedsScroller(const TStrip& s);
// Visible and, while the scroller is needed, wholly inside the strip left for tabs, seen from `firstShown`.
bool IsTabShown(const TStrip& s, int index, int firstShown);
bool IsTabShown(const TStrip& s, int index);
int FirstVisibleTab(const TStrip& s);
int LastVisibleTab(const TStrip& s);
// Keeps the old first shown tab when it still shows, else the next shown one after it, else the one before it,
// else the first visible tab; without a scroller the first visible tab.
int FixFirstShownTab(const TStrip& s, int old);
// Back: a tab before the first shown one exists and the first visible tab does not show. Forward: the last
// visible tab does not show completely.
bool CanScrollBack(const TStrip& s);
bool CanScrollForward(const TStrip& s);
// One step; false (and nothing changed) when it cannot go.
bool ScrollForward(TStrip& s);
bool ScrollBack(TStrip& s);
// FirstShownTab after `index` became the selection: advanced until the tab shows completely, or `index` itself
// when it lies before the first shown tab.
int ScrollIntoView(const TStrip& s, int index);

struct TButtonPlaces {
  TRect Scroller;  // off the control when it is not needed
  TRect Close;     // empty while the close button does not show
  bool ScrollerVertical = false;
};
TButtonPlaces PlaceButtons(const TStrip& s);

// ---- searches -------------------------------------------------------------------------------------------------

// The tab under a point: the selected tab first (it lies on top), then the others from `firstShown` on, wrapping
// once; -1 without tabs or first shown tab. `hit(i)` tests one tab.
int TabAtPos(int count, int selected, int firstShown, const std::function<bool(int)>& hit);

enum class TTabKey { Home, End, Next, Previous };
// The tab a key selects: the first acceptable one in the key's direction (wrapping for Next and Previous),
// stopping at `current`; `current` when none.
int KeyTarget(int count, int current, TTabKey key, bool reversed, const std::function<bool(int)>& accept);

// The selection kept after a layout: the current tab while it is selectable, else the first acceptable one
// upwards from it, else downwards; -1 when none.
int ValidSelection(int count, int current, const std::function<bool(int)>& selectable,
                   const std::function<bool(int)>& accept);

}  // namespace sddtabs
