// Sections: cursors; drag line; hot tracking; painters; bar panel.
#include "sddcontrols/unSDDSplitBar.h"

#include "classlib/DeviceContext.h"
#include "sddcontrols/unSDDCommon.h"

// ---- cursors --------------------------------------------------------------------------------------------------

namespace {

// Index into the holder's table: along x first, plain before hot spot.
int CursorIndex(bool movesAlongX, bool overHotSpot) { return (movesAlongX ? 0 : 2) + (overHotSpot ? 1 : 0); }

}  // namespace

TSDDSplitCursors::TSDDSplitCursors() {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  const char* const names[] = {kSplitCursorHorz, kSplitCursorHorzHotSpot, kSplitCursorVert,
                               kSplitCursorVertHotSpot};
  for (int i = 0; i < 4; ++i)
    cursors_[i] = static_cast<HCURSOR>(LoadImageA(module, names[i], IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

TSDDSplitCursors::~TSDDSplitCursors() {
  for (HCURSOR c : cursors_)
    if (c) DestroyCursor(c);
}

HCURSOR TSDDSplitCursors::Get(bool movesAlongX, bool overHotSpot) const {
  return cursors_[CursorIndex(movesAlongX, overHotSpot)];
}

// ---- drag line ------------------------------------------------------------------------------------------------

namespace {

// One bit a pixel, rows padded to 16 bits; set bits take the DC's background colour (white on the screen's DC).
HBITMAP CreatePatternBitmap() {
  WORD rows[8];
  for (int y = 0; y < 8; ++y) rows[y] = y % 2 == 0 ? 0xAA : 0x55;
  return CreateBitmap(8, 8, 1, 1, rows);
}

}  // namespace

TSDDDragLine::TSDDDragLine() : pattern_(CreatePatternBitmap()), brush_(CreatePatternBrush(pattern_.Get())) {}

void TSDDDragLine::Invert(const TRect& r) {
  TWindowDC screen(nullptr);
  if (!screen || !brush_) return;
  SetTextColor(screen.Handle(), RGB(0, 0, 0));
  SetBkColor(screen.Handle(), RGB(255, 255, 255));
  TDcSelection brush(screen.Handle(), brush_.Get());
  PatBlt(screen.Handle(), r.Left, r.Top, r.Width(), r.Height(), PATINVERT);
}

void TSDDDragLine::MoveTo(const TRect& screenRect) {
  Erase();
  Invert(screenRect);
  at_ = screenRect;
  shown_ = true;
}

void TSDDDragLine::Erase() {
  if (!shown_) return;
  Invert(at_);
  shown_ = false;
}

// ---- hot tracking ---------------------------------------------------------------------------------------------

TSDDHotTracker::TRepaint TSDDHotTracker::Seen(bool inside, bool everyMove) {
  if (inside) {
    const bool entered = outside_;
    outside_ = false;
    return entered || everyMove ? rpHot : rpNone;
  }
  if (outside_) return rpNone;
  outside_ = true;
  return rpPlain;
}

// ---- painters -------------------------------------------------------------------------------------------------

void PaintBarGrooves(TCanvas& canvas, const TRect& bar, bool barVertical, TSplitterStyle style) {
  if (style != ssGroove && style != ssBump) return;
  const TFrameStyleEx frame = style == ssGroove ? fsStatus : fsPopup;
  if (barVertical) {
    const int centre = bar.Left + bar.Width() / 2;
    DrawFrameEx(canvas, {centre - 3, bar.Top, centre, bar.Bottom}, frame);
    DrawFrameEx(canvas, {centre, bar.Top, centre + 3, bar.Bottom}, frame);
  } else {
    const int centre = bar.Top + bar.Height() / 2;
    DrawFrameEx(canvas, {bar.Left, centre - 3, bar.Right, centre}, frame);
    DrawFrameEx(canvas, {bar.Left, centre, bar.Right, centre + 3}, frame);
  }
}

void PaintHotSpotArrow(TCanvas& canvas, sddsplit::TArrow arrow, int x, int y, TColor pen, TColor brush) {
  const std::array<TPoint, 3> points = sddsplit::ArrowTriangle(arrow, x, y);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(pen);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(brush);
  canvas.Polygon(points);
}

void PaintGripRow(TCanvas& canvas, const std::vector<sddsplit::TGripPixel>& pixels) {
  static constexpr TColor inks[] = {0xDFDAD7, clBlack, 0xC0C0C0, 0x050505};
  for (const sddsplit::TGripPixel& p : pixels) canvas.SetPixel(p.X, p.Y, inks[static_cast<int>(p.Ink)]);
}

// ---- bar panel ------------------------------------------------------------------------------------------------

TSDDSplitBarPanel::TSDDSplitBarPanel(TComponent* owner, bool hotSpotIgnoreMargins)
    : TSDDCustomPanel(owner), hotSpotIgnoreMargins_(hotSpotIgnoreMargins) {}

void TSDDSplitBarPanel::SetHotSpotVisible(bool value) {
  if (!StoreChanged(hotSpotVisible_, value)) return;
  HotSpotVisibilityChanged();
  Invalidate();
}

void TSDDSplitBarPanel::SetHotSpotSizePercent(int v) {
  if (StoreChanged(hotSpotSizePercent_, v)) Changed();
}
void TSDDSplitBarPanel::SetHotSpotHighlight(TColor v) {
  if (StoreChanged(hotSpotHighlight_, v)) Changed();
}
void TSDDSplitBarPanel::SetHotSpotArrowColorPen(TColor v) {
  if (StoreChanged(hotSpotArrowColorPen_, v)) Changed();
}
void TSDDSplitBarPanel::SetHotSpotArrowColorBrush(TColor v) {
  if (StoreChanged(hotSpotArrowColorBrush_, v)) Changed();
}
void TSDDSplitBarPanel::SetHotSpotStyle(THotSpotStyle v) {
  if (StoreChanged(hotSpotStyle_, v)) Changed();
}
void TSDDSplitBarPanel::SetGradientColorBegin(TColor v) {
  if (StoreChanged(gradientColorBegin_, v)) Changed();
}
void TSDDSplitBarPanel::SetGradientColorEnd(TColor v) {
  if (StoreChanged(gradientColorEnd_, v)) Changed();
}
void TSDDSplitBarPanel::SetGradientDir(TGradientDirection v) {
  if (StoreChanged(gradientDir_, v)) Changed();
}
void TSDDSplitBarPanel::SetGradientPath(TSDDGroupBarGradientPath v) {
  if (StoreChanged(gradientPath_, v)) Changed();
}
void TSDDSplitBarPanel::SetGradientColorAdjustment(int v) {
  if (StoreChanged(gradientColorAdjustment_, v)) Changed();
}

void TSDDSplitBarPanel::DoHotSpotClick() { OnHotSpotClick(this); }

void TSDDSplitBarPanel::BeginDrag(bool onHotSpot) {
  if (!realTimeDrag_) SetFocus();
  SetMouseCapture(true);
  dragging_ = true;
  hotSpotPressed_ = onHotSpot;
}

void TSDDSplitBarPanel::EndDrag() {
  dragging_ = false;
  if (MouseCapture()) SetMouseCapture(false);
}

void TSDDSplitBarPanel::KeyDown(WORD& key, TShiftState shift) {
  TSDDCustomPanel::KeyDown(key, shift);
  if (key != VK_ESCAPE || !dragging_) return;
  EndDrag();
  dragLine_.Erase();
  DragCancelled();
  key = 0;
}

void TSDDSplitBarPanel::DoMouseLeave() {
  TSDDCustomPanel::DoMouseLeave();
  if (hotSpotVisible_ && hotTracker_.Left() == TSDDHotTracker::rpPlain) PaintHotSpot(false, {0, 0});
}

void TSDDSplitBarPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETCURSOR: return WMSetCursor(m);
    default: return TSDDCustomPanel::WndProc(m);
  }
}

void TSDDSplitBarPanel::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == Handle() && LOWORD(m.LParam) == HTCLIENT) {
    const TPoint p = GetCursorPosition();
    const bool onHotSpot = OnHotSpot(p);
    if (hotSpotVisible_) {
      const TSDDHotTracker::TRepaint repaint = hotTracker_.Seen(onHotSpot, HighlightFollowsMouse());
      if (repaint != TSDDHotTracker::rpNone) PaintHotSpot(repaint == TSDDHotTracker::rpHot, p);
    }
    if (!lockBar_ && OnBar(p)) {
      if (HCURSOR cursor = cursors_.Get(BarMovesAlongX(), onHotSpot)) {
        ::SetCursor(cursor);
        m.Result = TRUE;
        return;
      }
    }
  }
  TSDDCustomPanel::WndProc(m);
}
