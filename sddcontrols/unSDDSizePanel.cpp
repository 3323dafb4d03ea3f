// Sections: set-up and properties; geometry; collapsing; painting; mouse; messages.
#include "sddcontrols/unSDDSizePanel.h"

#include <algorithm>
#include <vector>

#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDDockManager.h"
#include "sddcontrols/unSDDGrafx.h"

static_assert(static_cast<int>(alNone) == spaNone && static_cast<int>(alTop) == spaTop &&
              static_cast<int>(alBottom) == spaBottom && static_cast<int>(alLeft) == spaLeft &&
              static_cast<int>(alRight) == spaRight && static_cast<int>(alClient) == spaClient &&
              static_cast<int>(alCustom) == spaCustom,
              "the size panel's geometry numbers alignments as the control library does");

using sddsplit::TSizeEdge;

// ---- set-up and properties ------------------------------------------------------------------------------------

TSDDCustomSizePanel::TSDDCustomSizePanel(TComponent* owner) : TSDDSplitBarPanel(owner, false) {
  TControl::SetAlign(alLeft);
  lockedHeight_ = Height();
  SetBorderOuter(fsNone);
}

void TSDDCustomSizePanel::SetSide(TSide value) {
  if (!StoreChanged(side_, value)) return;
  // An unaligned panel's bar moves with its side, and the client rect with it.
  Realign();
  Invalidate();
}

void TSDDCustomSizePanel::SetAlign(TAlign value) {
  if (value == Align()) return;
  TControl::SetAlign(value);
  Realign();
  Invalidate();
}

void TSDDCustomSizePanel::SetSizeBarWidth(int value) {
  if (!StoreChanged(sizeBarWidth_, value)) return;
  Realign();
  Invalidate();
}

void TSDDCustomSizePanel::SetSizeBarStyle(TSplitterStyle value) {
  if (!StoreChanged(sizeBarStyle_, value)) return;
  if (value != ssStandard && sizeBarWidth_ < 6) SetSizeBarWidth(6);
  Invalidate();
}

void TSDDCustomSizePanel::SetMarginMin(int value) {
  value = std::max(value, 0);
  if (value == marginMin_) return;
  marginMin_ = sddsplit::FitMargin(value, marginMax_, GetMaxSize());
}

void TSDDCustomSizePanel::SetMarginMax(int value) {
  value = std::max(value, 0);
  if (value == marginMax_) return;
  marginMax_ = sddsplit::FitMargin(value, marginMin_, GetMaxSize());
}

void TSDDCustomSizePanel::HotSpotVisibilityChanged() {
  if (!HotSpotVisible()) hotSpotClosed_ = false;
  if (HotSpotVisible() && sizeBarWidth_ < 7) SetSizeBarWidth(7);
}

std::unique_ptr<TDockTree> TSDDCustomSizePanel::CreateDockManager() {
  return std::make_unique<TSDDSizePanelDockManager>(*this);
}

void TSDDCustomSizePanel::SetBarCaption(const std::string& v) {
  if (StoreChanged(barCaption_, v)) Changed();
}
void TSDDCustomSizePanel::SetBarCaptionColor(TColor v) {
  if (StoreChanged(barCaptionColor_, v)) Changed();
}

// ---- geometry -------------------------------------------------------------------------------------------------

TSizePanelAlign TSDDCustomSizePanel::PanelAlign() const { return static_cast<TSizePanelAlign>(Align()); }
TSizeEdge TSDDCustomSizePanel::Edge() const { return sddsplit::SizeEdge(PanelAlign(), side_); }
bool TSDDCustomSizePanel::IsBarHorizontal() const { return sddsplit::IsBarHorizontal(PanelAlign(), side_); }
int TSDDCustomSizePanel::OpenHeight() const { return useLockedHeight_ ? lockedHeight_ : Height(); }

TRect TSDDCustomSizePanel::GetSizeBarRect() const {
  return sddsplit::SizeBarRect(PanelAlign(), side_, Width(), Height(), sizeBarWidth_, DockSite());
}

TRect TSDDCustomSizePanel::HotSpotRect() const {
  // A bar across the panel centres its hot spot along x, as a splitter with panes one above the other does.
  const TOrientation along = IsBarHorizontal() ? orVertical : orHorizontal;
  return sddsplit::HotSpotRect(GetSizeBarRect(), along, HotSpotSizePercent());
}

TRect TSDDCustomSizePanel::HotSpotBox(bool forMouse) const {
  return sddsplit::HotSpotBox(GetSizeBarRect(), HotSpotRect(), sizeBarWidth_, forMouse);
}

TRect TSDDCustomSizePanel::ClientRect() const {
  return sddsplit::CutBarSide(TSDDSplitBarPanel::ClientRect(), PanelAlign(), side_, sizeBarWidth_ + 1);
}

TRect TSDDCustomSizePanel::GetPaintRect() {
  return sddsplit::CutBarSide({0, 0, Width(), Height()}, PanelAlign(), side_, sizeBarWidth_);
}

TRect TSDDCustomSizePanel::AdjustBorderRect(const TRect& r, bool withBorderWidth) {
  if (hotSpotClosed_) return r;
  return TSDDSplitBarPanel::AdjustBorderRect(r, withBorderWidth);
}

TRect TSDDCustomSizePanel::GetParentFreeRect() const {
  TWinControl* parent = Parent();
  if (!parent) throw Exception("No parent specified");
  std::vector<sddsplit::TSiblingBox> siblings;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* c = parent->Controls(i);
    siblings.push_back({static_cast<TSizePanelAlign>(c->Align()), c->Width(), c->Height(), c->Visible()});
  }
  return sddsplit::ParentFreeRect(parent->ClientRect(), siblings, side_);
}

namespace {

sddsplit::TSizeLimits Limits(const TSDDCustomSizePanel& panel, TSizePanelAlign align, const TRect& free,
                             int marginMin, int marginMax) {
  sddsplit::TSizeLimits l;
  l.Align = align;
  l.Side = panel.Side();
  l.Free = free;
  l.Left = panel.Left();
  l.Top = panel.Top();
  l.Width = panel.Width();
  l.Height = panel.Height();
  l.MarginMin = marginMin;
  l.MarginMax = marginMax;
  l.SizeBarWidth = panel.SizeBarWidth();
  l.UseLockedHeight = panel.UseLockedHeight();
  l.LockedHeight = panel.LockedHeight();
  return l;
}

}  // namespace

int TSDDCustomSizePanel::GetMaxSize() const {
  return sddsplit::MaxSize(Limits(*this, PanelAlign(), GetParentFreeRect(), marginMin_, marginMax_));
}

void TSDDCustomSizePanel::ClampSize(int& size) const {
  size = sddsplit::ClampSize(size, Limits(*this, PanelAlign(), GetParentFreeRect(), marginMin_, marginMax_));
}

// ---- collapsing -----------------------------------------------------------------------------------------------

void TSDDCustomSizePanel::ToggleCollapsed() {
  const bool horizontal = IsBarHorizontal();
  hotSpotClosed_ = !hotSpotClosed_;
  if (hotSpotClosed_) {
    const int collapsed = sizeBarWidth_ + (HotSpotIgnoreMargins() ? 0 : marginMin_) + 1;
    hotSpotPosition_ = horizontal ? OpenHeight() : Width();
    if (horizontal)
      SetHeight(collapsed);
    else
      SetWidth(collapsed);
    return;
  }
  int size = hotSpotPosition_;
  const TSizeEdge edge = Edge();
  if (edge == TSizeEdge::Top || edge == TSizeEdge::Left) ClampSize(size);
  if (horizontal)
    SetHeight(size);
  else
    SetWidth(size);
}

void TSDDCustomSizePanel::EnsureLockedHeight() {
  if (!useLockedHeight_ || Height() == lockedHeight_ || Height() <= sizeBarWidth_ + 1) return;
  SetHeight(lockedHeight_);
  Realign();
}

// ---- painting -------------------------------------------------------------------------------------------------

void TSDDCustomSizePanel::Paint() {
  TSDDSplitBarPanel::Paint();
  PaintSizeBar();
}

void TSDDCustomSizePanel::PaintSizeBar() {
  TCanvas& c = Canvas();
  TRect b = GetSizeBarRect();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect({-1, -1, b.Right + 1, b.Bottom + 1});
  const bool groupBar = UseGradients() && sizeBarStyle_ == ssGroupBar;
  if (groupBar) {
    switch (Edge()) {
      case TSizeEdge::Left: b.Left -= 1; break;
      case TSizeEdge::Right: b.Right += 1; break;
      case TSizeEdge::Bottom: b.Bottom += 1; break;
      default: break;
    }
  }
  c.FillRect({0, 0, Width() + 1, Height() + 1});
  PaintBarGrooves(c, b, !IsBarHorizontal(), sizeBarStyle_);
  if (groupBar) {
    c.Font().Assign(&Font());
    c.Font().SetStyle(c.Font().Style() + TFontStyles{fsBold});
    GradientFill(c, b, GradientDir(), GradientColorBegin(), GradientColorEnd(), 1);
    if (!barCaption_.empty()) {
      const TColor fontColor = c.Font().Color();
      c.Font().SetColor(barCaptionColor_);
      c.Brush().SetStyle(bsClear);
      const int x = b.Left + 4, y = b.Top + 1;
      const int right = c.TextWidth("W") * static_cast<int>(barCaption_.size());
      c.TextRect({x, y, right, b.Bottom}, x, y, barCaption_);
      c.Brush().SetStyle(bsSolid);
      c.Font().SetColor(fontColor);
    }
  }
  if (HotSpotVisible()) PaintHotSpot(false, {0, 0});
}

void TSDDCustomSizePanel::PaintHotSpot(bool hot, TPoint) {
  const TRect box = HotSpotBox(false);
  if (!HandleAllocated() || box.IsEmpty()) return;
  TCanvas& c = Canvas();
  const TRect in = DrawFrameLines(c, box, clBtnShadow, AllSides, clBtnShadow);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(hot ? HotSpotHighlight() : kHotSpotBaseColor);
  c.FillRect(in);
  DrawFrameLines(c, in, clMenuBar, {sdLeft, sdTop}, clNone);
  const int m = (box.Top + box.Bottom) / 2;
  const sddsplit::TArrow arrow = sddsplit::SizePanelArrow(IsBarHorizontal(), Edge(), hotSpotClosed_);
  PaintHotSpotArrow(c, arrow, box.Left + 8, m, HotSpotArrowColorPen(), HotSpotArrowColorBrush());
  PaintHotSpotArrow(c, arrow, box.Right - 8, m, HotSpotArrowColorPen(), HotSpotArrowColorBrush());
  for (int origin : sddsplit::GripRowOrigins(orVertical, box.Left, box.Width(), false, 0))
    PaintGripRow(c, sddsplit::GripRow(hssX6, orVertical, origin, m));
}

// ---- mouse ----------------------------------------------------------------------------------------------------

void TSDDCustomSizePanel::DrawDragLine(int size) {
  if (RealTimeDrag()) return;
  TPoint at;
  switch (Edge()) {
    case TSizeEdge::Left: at = {size - sizeBarWidth_, 0}; break;
    case TSizeEdge::Top: at = {0, size - sizeBarWidth_}; break;
    case TSizeEdge::Right: at = {size + 1, 0}; break;
    case TSizeEdge::Bottom: at = {0, size + 1}; break;
    default: return;
  }
  const TRect bar = GetSizeBarRect();
  const TPoint screen = ClientToScreen(at);
  dragLine_.MoveTo(Bounds(screen.X, screen.Y, bar.Width(), bar.Height()));
}

void TSDDCustomSizePanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSDDSplitBarPanel::MouseDown(button, shift, x, y);
  EnsureLockedHeight();
  const TPoint p{x, y};
  if (button == mbLeft && OnBar(p)) {
    const bool inBox = OnHotSpot(p);
    if (!LockBar() || inBox) {
      BeginDrag(inBox);
      pressWidth_ = Width();
      pressOpenHeight_ = OpenHeight();
      if (IsBarHorizontal()) {
        grabOffset_ = y - Height() / 2;
        startSize_ = Edge() == TSizeEdge::Top ? OpenHeight() : 0;
      } else {
        grabOffset_ = x - Width() / 2;
        startSize_ = Edge() == TSizeEdge::Left ? Width() : 0;
      }
      DrawDragLine(startSize_);
      lastSize_ = startSize_;
    }
  }
  EnsureLockedHeight();
}

void TSDDCustomSizePanel::MouseMove(TShiftState shift, int x, int y) {
  TSDDSplitBarPanel::MouseMove(shift, x, y);
  if ((hotSpotPressed_ && LockBar()) || !dragging_) return;
  const bool horizontal = IsBarHorizontal();
  int size = (horizontal ? y : x) + startSize_ - (horizontal ? pressOpenHeight_ : pressWidth_) / 2 - grabOffset_;
  ClampSize(size);
  if (size == lastSize_) return;
  const TSizeEdge edge = Edge();
  // Growing the panel (toward the free area) opens the collapsed state.
  const bool sizeGrows = edge == TSizeEdge::Left || edge == TSizeEdge::Top;
  if (sizeGrows ? size > lastSize_ : size < lastSize_) hotSpotClosed_ = false;
  hotSpotPressed_ = false;
  DrawDragLine(size);
  if (RealTimeDrag()) {
    switch (edge) {
      case TSizeEdge::Left: SetWidth(size + 1); break;
      case TSizeEdge::Top: SetHeight(size + 1); break;
      // These sizes count from the press, and the panel's own origin moves with the size.
      case TSizeEdge::Right: SetWidth(startSize_ - size - 1 + Width()); break;
      case TSizeEdge::Bottom: SetHeight(startSize_ - size - 1 + Height()); break;
      default: break;
    }
  }
  lastSize_ = size;
}

void TSDDCustomSizePanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TSDDSplitBarPanel::MouseUp(button, shift, x, y);
  if (!((button == mbLeft && dragging_) || hotSpotPressed_)) return;
  EndDrag();
  if (!RealTimeDrag()) {
    dragLine_.Erase();
    switch (Edge()) {
      case TSizeEdge::Left: SetWidth(lastSize_); break;
      case TSizeEdge::Top: SetHeight(lastSize_); break;
      case TSizeEdge::Right: SetWidth(startSize_ - lastSize_ + Width()); break;
      case TSizeEdge::Bottom: SetHeight(startSize_ - lastSize_ + OpenHeight()); break;
      default: break;
    }
  }
  if (!hotSpotPressed_) return;
  hotSpotPressed_ = false;
  if (!OnHotSpot({x, y})) return;
  ToggleCollapsed();
  DoHotSpotClick();
}

// ---- messages -------------------------------------------------------------------------------------------------

void TSDDCustomSizePanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED: return WMWindowPosChanged(m);
    default: return TSDDSplitBarPanel::WndProc(m);
  }
}

void TSDDCustomSizePanel::WMWindowPosChanged(TMessage& m) {
  const int border = BorderWidth();
  if (!FullRepaint() && Caption().empty() && border > 0) {
    // Without a caption to lay out anew only the border at the right and bottom edges moves.
    const int w = Width(), h = useLockedHeight_ ? lockedHeight_ : Height();
    InvalidateRect({w - border, 0, w, h}, true);
    InvalidateRect({0, h - border, w, h}, true);
  } else {
    Invalidate();
  }
  TSDDSplitBarPanel::WndProc(m);
  if (!HasState(csLoading)) Resize();
}
