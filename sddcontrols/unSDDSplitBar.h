// What the splitter and the size panel share: their four cursors (cursor resources of the program, see
// resources/SDDSplitCursors.rc), the pattern line that shows where a dragged bar will land, the hot-spot
// highlight tracking, the painters of the bar grooves and of the hot spot's arrows and grip, and their common base:
// a panel with a draggable bar and a hot spot on it.
//
// Sections: cursors; drag line; hot tracking; painters; bar panel.
#pragma once

#include <windows.h>

#include <vector>

#include "classlib/Graphics.h"
#include "sddcontrols/core/unSDDSplitGeometry.h"
#include "sddcontrols/unSDDGdi.h"
#include "sddcontrols/unSDDPanel.h"

// ---- cursors --------------------------------------------------------------------------------------------------

// The names of the cursor resources; "HORZ" cursors show movement along x (a vertical bar), "VERT" along y.
inline constexpr const char* kSplitCursorHorz = "SDDSPLIT_HORZ";
inline constexpr const char* kSplitCursorHorzHotSpot = "SDDSPLIT_HORZHOTSPOT";
inline constexpr const char* kSplitCursorVert = "SDDSPLIT_VERT";
inline constexpr const char* kSplitCursorVertHotSpot = "SDDSPLIT_VERTHOTSPOT";

// The four cursors, each the control's own copy loaded from the executable's resources and destroyed with the
// holder. A missing resource leaves its cursor null: the control then keeps the ordinary cursor.
class TSDDSplitCursors {
public:
  TSDDSplitCursors();
  ~TSDDSplitCursors();
  TSDDSplitCursors(const TSDDSplitCursors&) = delete;
  TSDDSplitCursors& operator=(const TSDDSplitCursors&) = delete;

  HCURSOR Get(bool movesAlongX, bool overHotSpot) const;

private:
  HCURSOR cursors_[4] = {};
};

// ---- drag line ------------------------------------------------------------------------------------------------

// A block inverted on the screen through an 8 x 8 pattern (white with black where x + y is odd), so that inverting
// the same block again restores the screen. It remembers where it is shown, so moving or erasing it never leaves a
// stray block.
class TSDDDragLine {
public:
  TSDDDragLine();
  // Shows the block at `screenRect`, erasing it first where it was.
  void MoveTo(const TRect& screenRect);
  void Erase();
  bool Shown() const { return shown_; }

private:
  void Invert(const TRect& r);
  TGdiObject<HBITMAP> pattern_;
  TGdiObject<HBRUSH> brush_;
  TRect at_;
  bool shown_ = false;
};

// ---- hot tracking ---------------------------------------------------------------------------------------------

// Whether the mouse was last seen inside the hot spot. Each sighting says whether the hot spot must be painted
// again: highlighted on entering (and on every move inside when `everyMove`), plain on leaving.
class TSDDHotTracker {
public:
  enum TRepaint { rpNone, rpHot, rpPlain };
  TRepaint Seen(bool inside, bool everyMove);
  TRepaint Left() { return Seen(false, false); }

private:
  bool outside_ = true;
};

// ---- painters -------------------------------------------------------------------------------------------------

constexpr TColor kHotSpotBaseColor = 0xC0B6AF;
constexpr TColor kHotSpotDividerColor = 0xAFAFAF;

// Two 3-pixel frames side by side across the middle of a bar: sunk for ssGroove, raised for ssBump; other styles
// draw nothing. `barVertical`: the bar runs up and down (the frames sit left and right of its centre line).
void PaintBarGrooves(TCanvas& canvas, const TRect& bar, bool barVertical, TSplitterStyle style);
void PaintHotSpotArrow(TCanvas& canvas, sddsplit::TArrow arrow, int x, int y, TColor pen, TColor brush);
void PaintGripRow(TCanvas& canvas, const std::vector<sddsplit::TGripPixel>& pixels);

// ---- bar panel ------------------------------------------------------------------------------------------------

// A panel with a bar the user drags and a hot spot on the bar that a click toggles: the properties both controls
// publish alike, the bar's cursors and hot-spot highlight, and the end of a drag (released or cancelled by Escape).
class TSDDSplitBarPanel : public TSDDCustomPanel {
public:
  // The bar does not drag; only the hot spot takes clicks.
  bool LockBar() const { return lockBar_; }
  void SetLockBar(bool value) { lockBar_ = value; }
  // The bar moves with the mouse, rather than a pattern line until the button is released.
  bool RealTimeDrag() const { return realTimeDrag_; }
  void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }

  bool HotSpotVisible() const { return hotSpotVisible_; }
  void SetHotSpotVisible(bool value);
  TColor HotSpotHighlight() const { return hotSpotHighlight_; }
  void SetHotSpotHighlight(TColor value);
  TColor HotSpotArrowColorPen() const { return hotSpotArrowColorPen_; }
  void SetHotSpotArrowColorPen(TColor value);
  TColor HotSpotArrowColorBrush() const { return hotSpotArrowColorBrush_; }
  void SetHotSpotArrowColorBrush(TColor value);
  // A collapsed bar goes all the way to the edge, margins or not.
  bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
  void SetHotSpotIgnoreMargins(bool value) { hotSpotIgnoreMargins_ = value; }
  THotSpotStyle HotSpotStyle() const { return hotSpotStyle_; }
  void SetHotSpotStyle(THotSpotStyle value);
  // The hot spot's length in percent of the bar's.
  int HotSpotSizePercent() const { return hotSpotSizePercent_; }
  virtual void SetHotSpotSizePercent(int value);

  // The group bar's gradient.
  TColor GradientColorBegin() const { return gradientColorBegin_; }
  void SetGradientColorBegin(TColor value);
  TColor GradientColorEnd() const { return gradientColorEnd_; }
  void SetGradientColorEnd(TColor value);
  TGradientDirection GradientDir() const { return gradientDir_; }
  void SetGradientDir(TGradientDirection value);
  // Stored and repainted; no drawing reads them.
  TSDDGroupBarGradientPath GradientPath() const { return gradientPath_; }
  void SetGradientPath(TSDDGroupBarGradientPath value);
  int GradientColorAdjustment() const { return gradientColorAdjustment_; }
  void SetGradientColorAdjustment(int value);

  TNotifyEvent OnHotSpotClick;

  void WndProc(TMessage& message) override;

protected:
  TSDDSplitBarPanel(TComponent* owner, bool hotSpotIgnoreMargins);

  // What the shared cursor, highlight and drag handling asks of the control.
  virtual bool OnBar(TPoint p) const = 0;
  // On the hot spot while it is visible.
  virtual bool OnHotSpot(TPoint p) const = 0;
  virtual bool BarMovesAlongX() const = 0;
  // The hot spot highlights the half under the mouse, so every move inside repaints it.
  virtual bool HighlightFollowsMouse() const { return false; }
  virtual void PaintHotSpot(bool hot, TPoint mouse) = 0;
  virtual void HotSpotVisibilityChanged() = 0;
  // Escape ended a drag (the drag line is already erased).
  virtual void DragCancelled() {}
  virtual void DoHotSpotClick();

  // Starts a drag from a press (the pattern line shown by the caller); ends one, releasing the mouse.
  void BeginDrag(bool onHotSpot);
  void EndDrag();
  void KeyDown(WORD& key, TShiftState shift) override;
  void DoMouseLeave() override;
  void Changed() { Invalidate(); }

  bool dragging_ = false;
  bool hotSpotPressed_ = false;
  TSDDDragLine dragLine_;

private:
  void WMSetCursor(TMessage& m);

  bool lockBar_ = false;
  bool realTimeDrag_ = false;
  bool hotSpotVisible_ = false;
  TColor hotSpotHighlight_ = clWindow;
  TColor hotSpotArrowColorPen_ = clBlack;
  TColor hotSpotArrowColorBrush_ = clBlack;
  bool hotSpotIgnoreMargins_;
  THotSpotStyle hotSpotStyle_ = hssX1;
  int hotSpotSizePercent_ = 40;
  TColor gradientColorBegin_ = 15527141;
  TColor gradientColorEnd_ = 13616833;
  TGradientDirection gradientDir_ = gdHorizontalEnd;
  TSDDGroupBarGradientPath gradientPath_ = gpTopToBottom;
  int gradientColorAdjustment_ = 30;
  TSDDHotTracker hotTracker_;
  TSDDSplitCursors cursors_;
};
