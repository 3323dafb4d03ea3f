// Sections: pane; splitter set-up; position; bar and hot-spot properties; collapsing; geometry; loading and
// resizing; painting; mouse; messages.
#include "sddcontrols/unSDDSplit.h"

#include <climits>

#include "classlib/Forms.h"
#include "sddcontrols/core/unSDDGeometry.h"
#include "sddcontrols/unSDDGrafx.h"

namespace {

// Splitters inside their Loaded, program-wide: while any is, no splitter aligns its direct children.
int splittersLoading = 0;

// Alignment off for a scope, also when placing the panes throws.
class TAlignOff {
public:
  explicit TAlignOff(TWinControl& control) : control_(control) { control_.DisableAlign(); }
  ~TAlignOff() { control_.EnableAlign(); }
  TAlignOff(const TAlignOff&) = delete;
  TAlignOff& operator=(const TAlignOff&) = delete;

private:
  TWinControl& control_;
};

class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
};

}  // namespace

// ---- pane -----------------------------------------------------------------------------------------------------

TSDDSplitterPane::TSDDSplitterPane(TComponent* owner) : TSDDCustomPanel(owner) {
  SetBorderOuter(fsNone);
  SetTabStop(false);
}

void TSDDSplitterPane::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST:
      if (DockSite()) return TSDDCustomPanel::WndProc(m);
      m.Result = HTTRANSPARENT;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      return TSDDCustomPanel::WndProc(m);
    case CM_VISIBLECHANGED:
      TSDDCustomPanel::WndProc(m);
      if (splitter_) splitter_->PaneVisibilityChanged();
      return;
    default: return TSDDCustomPanel::WndProc(m);
  }
}

// ---- splitter set-up ------------------------------------------------------------------------------------------

TSDDSplitter::TSDDSplitter(TComponent* owner) : TSDDSplitBarPanel(owner, true) {
  // Layouts place the panes' children in the splitter first (Loaded moves them), so it takes controls.
  controlStyle_ = {csCaptureMouse, csOpaque, csAcceptsControls};
  for (int i = 0; i < 2; ++i) {
    panes_[i] = new TSDDSplitterPane(this);
    panes_[i]->splitter_ = this;
    panes_[i]->SetParent(this);
    paneData_[i] = std::make_unique<TSDDPaneData>(*panes_[i]);
  }
  RoutePaneDockEvents(*panes_[0], OnULGetSiteInfo, OnULDockOver, OnULDockDrop, OnULUnDock);
  RoutePaneDockEvents(*panes_[1], OnLRGetSiteInfo, OnLRDockOver, OnLRDockDrop, OnLRUnDock);
  TSDDSplitBarPanel::SetBorderOuter(fsNone);
  SetBounds(Left(), Top(), 200, 100);
  positionExtent_ = Extent();
}

TSDDSplitter::~TSDDSplitter() {
  // The panes outlive the splitter's own members for a moment (their owner frees them later): they forget it.
  for (TSDDSplitterPane* pane : panes_) {
    pane->splitter_ = nullptr;
    pane->OnGetSiteInfo = nullptr;
    pane->OnDockOver = nullptr;
    pane->OnDockDrop = nullptr;
    pane->OnUnDock = nullptr;
  }
}

// The splitter's events are read when a pane's event fires, so that handlers set later are the ones called.
void TSDDSplitter::RoutePaneDockEvents(TSDDSplitterPane& pane, TGetSiteInfoEvent& siteInfo, TDockOverEvent& over,
                                       TDockDropEvent& drop, TUnDockEvent& undock) {
  pane.OnGetSiteInfo = [&siteInfo](TObject* s, TControl* c, TRect& r, TPoint p, bool& can) {
    siteInfo(s, c, r, p, can);
  };
  pane.OnDockOver = [&over](TObject* s, TDragDockObject* d, int x, int y, TDragState st, bool& a) {
    over(s, d, x, y, st, a);
  };
  pane.OnDockDrop = [&drop](TObject* s, TDragDockObject* d, int x, int y) { drop(s, d, x, y); };
  pane.OnUnDock = [&undock](TObject* s, TControl* c, TWinControl* t, bool& a) { undock(s, c, t, a); };
}

int TSDDSplitter::Extent() const { return orientation_ == orHorizontal ? Width() : Height(); }

// ---- position -------------------------------------------------------------------------------------------------

void TSDDSplitter::SetPosition(int value) {
  if (!resizing_ && value == position_) return;
  ClampPosition(value);
  if (!DoChanging(value)) return;
  position_ = value;
  percent_ = sddsplit::PercentOfPosition(value, Extent(), splitterWidth_);
  ArrangePanes();
  UpdateFixedDistance();
  DoChange();
}

void TSDDSplitter::UpdatePosition(int value) {
  if (value == position_) return;
  SetPosition(value);
  SetDragDistance(position_);
}

void TSDDSplitter::ClampPosition(int& position) {
  if (!panes_[0]->Visible() || !panes_[1]->Visible()) return;
  const bool ignoreMargins = hotSpotClosed_ && HotSpotIgnoreMargins();
  sddsplit::TPositionLimits limits;
  limits.Extent = Extent();
  limits.MarginMin = ignoreMargins ? 0 : marginMin_;
  limits.MarginMax = ignoreMargins ? 0 : marginMax_;
  limits.SplitterWidth = splitterWidth_;
  limits.BorderSize = BorderSize();
  position = sddsplit::ClampPosition(position, limits);
}

bool TSDDSplitter::DoChanging(int position) {
  bool allow = true;
  OnChanging(this, position, allow);
  return allow;
}

void TSDDSplitter::DoChange() { OnChange(this); }

void TSDDSplitter::UpdateFixedDistance() {
  fixedDistance_ = fixedPane_ == fpUpperLeft ? position_ : Extent() - position_;
  positionExtent_ = Extent();
}

void TSDDSplitter::SetDragDistance(int position) {
  dragDistance_ = fixedPane_ == fpUpperLeft ? position : Extent() - position;
}

void TSDDSplitter::SetMarginMin(int value) {
  value = sddsplit::FitMargin(value, marginMax_, Extent());
  if (value != marginMin_) marginMin_ = value;
}

void TSDDSplitter::SetMarginMax(int value) {
  value = sddsplit::FitMargin(value, marginMin_, Extent());
  if (value != marginMax_) marginMax_ = value;
}

void TSDDSplitter::SetPercent(int value) {
  if (!StoreChanged(percent_, value)) return;
  if (HasState(csLoading)) return;
  usePercent_ = true;
  SetPosition(sddsplit::PositionOfPercent(value, Extent(), splitterWidth_));
}

void TSDDSplitter::SetUsePercent(bool value) {
  if (!StoreChanged(usePercent_, value)) return;
  if (value) {
    fixedPane_ = fpUpperLeft;
    SetPercentMin(percentMin_);
    SetPercentMax(percentMax_);
  }
  SetPosition(position_);
}

void TSDDSplitter::SetPercentMin(int value) {
  percentMin_ = std::max(value, 0);
  if (!HasState(csLoading) && usePercent_)
    SetMarginMin(sddsplit::MarginMinOfPercent(percentMin_, Extent(), splitterWidth_));
}

void TSDDSplitter::SetPercentMax(int value) {
  percentMax_ = std::min(value, 100);
  if (!HasState(csLoading) && usePercent_)
    SetMarginMax(sddsplit::MarginMaxOfPercent(percentMax_, Extent(), splitterWidth_));
}

void TSDDSplitter::SetFixedPane(TFixedPane value) {
  if (!StoreChanged(fixedPane_, value)) return;
  if (value == fpLowerRight) usePercent_ = false;
  SetDragDistance(position_);
  UpdateFixedDistance();
}

void TSDDSplitter::SetOrientation(TOrientation value) {
  if (!StoreChanged(orientation_, value)) return;
  if (usePercent_) {
    SetPosition(sddsplit::PositionOfPercent(percent_, Extent(), splitterWidth_));
    SetMarginMin(sddsplit::MarginMinOfPercent(percentMin_, Extent(), splitterWidth_));
    SetMarginMax(sddsplit::MarginMaxOfPercent(percentMax_, Extent(), splitterWidth_));
  }
  // Also when the position came out unchanged: the panes turn with the bar.
  ArrangePanes();
  Invalidate();
}

// ---- bar and hot-spot properties ------------------------------------------------------------------------------

void TSDDSplitter::SetSplitterWidth(int value) {
  if (!StoreChanged(splitterWidth_, value)) return;
  if (orientation_ == orHorizontal)
    barSize_.Right = barSize_.Left + value;
  else
    barSize_.Bottom = barSize_.Top + value;
  ArrangePanes();
  Invalidate();
}

void TSDDSplitter::SetSplitterStyle(TSplitterStyle value) {
  if (!StoreChanged(splitterStyle_, value)) return;
  if (value != ssStandard && splitterWidth_ < 6) SetSplitterWidth(6);
  Invalidate();
}

void TSDDSplitter::HotSpotVisibilityChanged() {
  if (HotSpotVisible() && splitterWidth_ < 7) SetSplitterWidth(7);
}

void TSDDSplitter::SetHotSpotSizePercent(int value) {
  if (value == HotSpotSizePercent()) return;
  TSDDSplitBarPanel::SetHotSpotSizePercent(value);
  CalcHotSpotRect();
}

void TSDDSplitter::SetHotSpotDirection(THotSpotDirection v) {
  if (StoreChanged(hotSpotDirection_, v)) Changed();
}

void TSDDSplitter::SetBorderInner(TFrameStyleEx value) {
  TSDDSplitBarPanel::SetBorderInner(value);
  ArrangePanes();
}

void TSDDSplitter::SetBorderOuter(TFrameStyleEx value) {
  TSDDSplitBarPanel::SetBorderOuter(value);
  ArrangePanes();
}

void TSDDSplitter::SetBorderSides(TSides value) {
  TSDDSplitBarPanel::SetBorderSides(value);
  ArrangePanes();
}

void TSDDSplitter::SetBorderWidth(int value) {
  TSDDSplitBarPanel::SetBorderWidth(value);
  ArrangePanes();
}

void TSDDSplitter::SetTransparent(bool value) {
  TSDDSplitBarPanel::SetTransparent(value);
  for (TSDDSplitterPane* pane : panes_) pane->SetTransparent(value);
}

void TSDDSplitter::SetParentColor(bool value) {
  TSDDSplitBarPanel::SetParentColor(value);
  for (TSDDSplitterPane* pane : panes_) pane->SetParentColor(value);
}

// ---- collapsing -----------------------------------------------------------------------------------------------

void TSDDSplitter::CollapseSplitter(bool toMin) {
  if (hotSpotClosed_) return;
  // Closed first, so that the clamp already ignores the margins when HotSpotIgnoreMargins says so.
  hotSpotClosed_ = true;
  hotSpotPosition_ = position_;
  (toMin ? hotSpotClosedToMin_ : hotSpotClosedToMax_) = true;
  SetPosition(toMin ? 0 : INT_MAX);
}

void TSDDSplitter::CollapseByHotSpotDirection() { CollapseSplitter(hotSpotDirection_ == hsdMin); }

void TSDDSplitter::RestoreSplitter() {
  if (!hotSpotClosed_) return;
  ResetHotSpotFlags();
  SetPosition(hotSpotPosition_);
  SetDragDistance(position_);
}

void TSDDSplitter::ResetHotSpotFlags() {
  hotSpotClosed_ = false;
  hotSpotClosedToMin_ = false;
  hotSpotClosedToMax_ = false;
}

void TSDDSplitter::Toggle(TPoint releasedAt) {
  if (hotSpotClosed_) {
    RestoreSplitter();
  } else {
    const bool toMin = hotSpotDirection_ == hsdMin ||
                       (hotSpotDirection_ == hsdBoth &&
                        sddsplit::InFirstHalf(hotSpotRect_, orientation_, releasedAt));
    CollapseSplitter(toMin);
  }
  DoHotSpotClick();
}

// ---- geometry -------------------------------------------------------------------------------------------------

int TSDDSplitter::BorderSize() {
  return sddsplit::SplitterBorderSize(BorderWidth(), BorderSides(), BorderOuter(), BorderInner(), BevelWidth());
}

TRect TSDDSplitter::ClientRect() const {
  const TRect r = TSDDSplitBarPanel::ClientRect();
  if (DockSite()) return r;
  return ::AdjustBorderRect(r, true, BorderWidth(), BorderSides(), BorderOuter(), BorderInner(), BevelWidth());
}

void TSDDSplitter::CalcHotSpotRect() {
  hotSpotRect_ = sddsplit::HotSpotRect(barSize_, orientation_, HotSpotSizePercent());
}

void TSDDSplitter::ReadBarSize(const TRect& bar) {
  barSize_ = bar;
  CalcHotSpotRect();
}

void TSDDSplitter::ArrangePanes() {
  if (HasState(csLoading)) return;
  const sddsplit::TPaneRects r = sddsplit::ArrangePanes(ClientRect(), orientation_, position_, splitterWidth_,
                                                        panes_[0]->Visible(), panes_[1]->Visible());
  {
    TAlignOff alignOff(*this);
    panes_[0]->SetBoundsRect(r.UpperLeft);
    barSize_ = r.Bar;
    CalcHotSpotRect();
    panes_[1]->SetBoundsRect(r.LowerRight);
    for (TSDDSplitterPane* pane : panes_)
      for (int i = 0; i < pane->ControlCount(); ++i)
        if (auto* nested = dynamic_cast<TSDDSplitter*>(pane->Controls(i))) nested->ArrangePanes();
  }
  // The bar is painted with the next paint; a live drag paints the panes and the bar at once.
  InvalidateRect(barSize_, false);
  if (RealTimeDrag()) {
    panes_[0]->Update();
    panes_[1]->Update();
    Update();
  }
}

void TSDDSplitter::PaneVisibilityChanged() { ArrangePanes(); }

// ---- loading and resizing -------------------------------------------------------------------------------------

void TSDDSplitter::Loaded() {
  ++splittersLoading;
  struct TLoadingCount {
    ~TLoadingCount() { --splittersLoading; }
  } count;
  TSDDSplitBarPanel::Loaded();
  TCustomForm* form = GetParentForm(this);
  TWinControl* active = form ? form->ActiveControl() : nullptr;
  // The layout's position and fixed pane belong to the size the layout gave the splitter.
  dragDistance_ = fixedPane_ == fpUpperLeft ? position_ : positionExtent_ - position_;
  ArrangePanes();
  {
    TAlignOff alignOff(*this);
    for (int i = 0; i < 2; ++i) {
      for (const std::string& name : paneControls_[i]) {
        auto* control = Owner() ? dynamic_cast<TControl*>(Owner()->FindComponent(name)) : nullptr;
        // A name that reaches the splitter or a control holding it would make a pane its own ancestor.
        auto* holder = dynamic_cast<TWinControl*>(control);
        if (!control || (holder && holder->ContainsControl(panes_[i]))) continue;
        control->SetParent(panes_[i]);
      }
      panes_[i]->ChildrenLoaded();
    }
  }
  if (form && active && form->ActiveControl() != active) form->SetActiveControl(active);
  // Sized anew while it was loading (its parent aligned it): the resize rules apply once now.
  if (Extent() != positionExtent_) ApplyResizeRule();
}

void TSDDSplitter::Resize() {
  TSDDSplitBarPanel::Resize();
  if (HasState(csDestroying) || HasState(csLoading)) return;
  ApplyResizeRule();
}

void TSDDSplitter::ApplyResizeRule() {
  const int extent = Extent();
  // Sized to nothing (its form minimised): no pane has a size to keep there, and the remembered sizes are the
  // ones to come back to.
  if (extent <= 0) return;
  TFlagScope resizing(resizing_);
  if (fixedPane_ == fpUpperLeft && usePercent_) {
    SetMarginMin(sddsplit::MarginMinOfPercent(percentMin_, extent, splitterWidth_));
    SetMarginMax(sddsplit::MarginMaxOfPercent(percentMax_, extent, splitterWidth_));
    if (hotSpotClosed_)
      SetPosition(hotSpotClosedToMin_ ? 0 : sddsplit::PercentSpan(extent, splitterWidth_));
    else
      SetPosition(sddsplit::PositionOfPercent(percent_, extent, splitterWidth_));
  } else if (fixedPane_ == fpUpperLeft) {
    SetPosition(position_);
    // The pane grows back to the size the user gave it.
    if (dragDistance_ > position_ && !hotSpotClosed_) SetPosition(dragDistance_);
  } else {
    SetPosition(extent - fixedDistance_);
    if (dragDistance_ > position_ && !hotSpotClosed_) SetPosition(extent - dragDistance_);
    if (hotSpotClosed_) hotSpotPosition_ = extent - dragDistance_;
  }
}

void TSDDSplitter::AlignControls(TControl* control, TRect& rect) {
  if (HasState(csLoading) || splittersLoading > 0) return;
  TSDDSplitBarPanel::AlignControls(control, rect);
}

// ---- painting -------------------------------------------------------------------------------------------------

void TSDDSplitter::Paint() {
  TSDDSplitBarPanel::Paint();
  PaintSplitterBar();
}

void TSDDSplitter::PaintSplitterBar() {
  TCanvas& c = Canvas();
  switch (splitterStyle_) {
    case ssGroove:
    case ssBump: {
      c.Brush().SetStyle(bsSolid);
      c.Brush().SetColor(Color());
      c.FillRect({barSize_.Left, barSize_.Top, barSize_.Right + 1, barSize_.Bottom + 1});
      PaintBarGrooves(c, barSize_, orientation_ == orHorizontal, splitterStyle_);
      break;
    }
    case ssGroupBar:
      if (UseGradients()) GradientFill(c, barSize_, GradientDir(), GradientColorBegin(), GradientColorEnd(), 1);
      break;
    default: break;
  }
  if (HotSpotVisible()) PaintHotSpot(false, {0, 0});
}

void TSDDSplitter::PaintHotSpot(bool hot, TPoint mouse) {
  const TRect s = hotSpotRect_;
  // A bar without extent (one pane shown alone) has no hot spot to draw.
  if (!HandleAllocated() || s.IsEmpty()) return;
  TCanvas& c = Canvas();
  const bool horizontal = orientation_ == orHorizontal;
  const int mx = (s.Left + s.Right) / 2;
  const int my = (s.Top + s.Bottom) / 2;
  const TRect in = DrawFrameLines(c, s, clBtnShadow, AllSides, kHotSpotBaseColor);
  c.Brush().SetStyle(bsSolid);
  if (hotSpotDirection_ != hsdBoth) {
    c.Brush().SetColor(hot ? HotSpotHighlight() : kHotSpotBaseColor);
    c.FillRect(in);
  } else {
    c.Brush().SetColor(kHotSpotBaseColor);
    c.FillRect(in);
    if (hot) {
      // Open, only the half under the mouse lights up: the half a click collapses toward.
      TRect half = in;
      if (!hotSpotClosed_ && horizontal) (my <= mouse.Y ? half.Top : half.Bottom) = my;
      if (!hotSpotClosed_ && !horizontal) (mouse.X >= mx ? half.Left : half.Right) = mx;
      c.Brush().SetColor(HotSpotHighlight());
      c.FillRect(half);
    }
  }
  DrawFrameLines(c, in, clMenuBar, {sdLeft, sdTop}, clNone);
  const bool divided = hotSpotDirection_ == hsdBoth && !hotSpotClosed_;
  if (divided) {
    c.Pen().SetColor(clMenuBar);
    if (horizontal) {
      c.MoveTo(s.Left, my);
      c.LineTo(s.Right, my);
    } else {
      c.MoveTo(mx, s.Top);
      c.LineTo(mx, s.Bottom);
    }
    c.Pen().SetColor(kHotSpotDividerColor);
    if (horizontal) {
      c.MoveTo(s.Left + 1, my - 1);
      c.LineTo(s.Right - 1, my - 1);
    } else {
      c.MoveTo(mx - 1, s.Top + 1);
      c.LineTo(mx - 1, s.Bottom - 1);
    }
  }
  const sddsplit::TArrowPair arrows =
      sddsplit::SplitterArrows(orientation_, hotSpotDirection_, hotSpotClosed_, hotSpotClosedToMin_);
  const TPoint first = horizontal ? TPoint{mx, s.Top + 9} : TPoint{s.Left + 8, my};
  const TPoint second = horizontal ? TPoint{mx, s.Bottom - 9} : TPoint{s.Right - 8, my};
  PaintHotSpotArrow(c, arrows.First, first.X, first.Y, HotSpotArrowColorPen(), HotSpotArrowColorBrush());
  PaintHotSpotArrow(c, arrows.Second, second.X, second.Y, HotSpotArrowColorPen(), HotSpotArrowColorBrush());
  const int start = horizontal ? s.Top : s.Left;
  const int length = horizontal ? s.Height() : s.Width();
  for (int origin : sddsplit::GripRowOrigins(orientation_, start, length, divided, horizontal ? my : mx))
    PaintGripRow(c, sddsplit::GripRow(HotSpotStyle(), orientation_, origin, horizontal ? mx : my));
}

// ---- mouse ----------------------------------------------------------------------------------------------------

void TSDDSplitter::DrawDragLine(int position) {
  if (RealTimeDrag()) return;
  const int b = BorderSize();
  const TPoint at = ClientToScreen(orientation_ == orHorizontal ? TPoint{b + position, b} : TPoint{b, b + position});
  dragLine_.MoveTo(Bounds(at.X, at.Y, barSize_.Width(), barSize_.Height()));
}

void TSDDSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSDDSplitBarPanel::MouseDown(button, shift, x, y);
  const TPoint p{x, y};
  if (button != mbLeft || !barSize_.Contains(p)) return;
  const bool onHotSpot = OnHotSpot(p);
  if (LockBar() && !onHotSpot) return;
  BeginDrag(onHotSpot);
  grabOffset_ = orientation_ == orHorizontal ? x - Width() / 2 : y - Height() / 2;
  startPosition_ = position_;
  DrawDragLine(position_);
  lastDragPosition_ = position_;
}

void TSDDSplitter::MouseMove(TShiftState shift, int x, int y) {
  TSDDSplitBarPanel::MouseMove(shift, x, y);
  if ((hotSpotPressed_ && LockBar()) || !dragging_) return;
  int p = (orientation_ == orHorizontal ? x : y) + startPosition_ - Extent() / 2 - grabOffset_;
  ClampPosition(p);
  if (DoChanging(p) && p != lastDragPosition_) {
    // A drag that moves the bar opens the collapsed state without restoring.
    ResetHotSpotFlags();
    hotSpotPressed_ = false;
    DrawDragLine(p);
    if (RealTimeDrag()) {
      SetPosition(p);
      SetDragDistance(position_);
    }
  }
  lastDragPosition_ = p;
}

void TSDDSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TSDDSplitBarPanel::MouseUp(button, shift, x, y);
  if (!((button == mbLeft && dragging_) || hotSpotPressed_)) return;
  EndDrag();
  if (!RealTimeDrag()) {
    dragLine_.Erase();
    SetPosition(lastDragPosition_);
    SetDragDistance(lastDragPosition_);
  }
  if (!hotSpotPressed_) return;
  hotSpotPressed_ = false;
  if (hotSpotRect_.Contains({x, y})) Toggle({x, y});
}

void TSDDSplitter::DragCancelled() {
  // The bar stays where it was; a live drag keeps what it moved.
  if (!RealTimeDrag()) SetDragDistance(position_);
}

// ---- messages -------------------------------------------------------------------------------------------------

void TSDDSplitter::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SHOWWINDOW:
      if (!HasState(csDestroying))
        for (TSDDSplitterPane* pane : panes_) pane->Invalidate();
      return TSDDSplitBarPanel::WndProc(m);
    case CM_SHOWCONTROL: return CMShowControl(m);
    default: return TSDDSplitBarPanel::WndProc(m);
  }
}

void TSDDSplitter::CMShowControl(TMessage& m) {
  auto* pane = reinterpret_cast<TControl*>(m.LParam);
  if ((pane != panes_[0] && pane != panes_[1]) || pane->Visible() || HasState(csLoading)) return;
  TCustomForm* form = GetParentForm(this);
  if (form && form->ActiveControl() && static_cast<TWinControl*>(pane)->ContainsControl(form->ActiveControl()))
    form->SetActiveControl(this);
  pane->SetVisible(true);
  m.Result = 1;
}
