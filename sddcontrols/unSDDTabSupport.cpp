// Sections: tab data; colour sets; region cache; strip buttons; scroller; close button.
#include "sddcontrols/unSDDTabSupport.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>
#include <utility>

#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDTabs.h"

// ---- tab data -------------------------------------------------------------------------------------------------

void TSDDTabData::Assign(const TPersistent* source) {
  const auto* tab = dynamic_cast<const TSDDTabData*>(source);
  if (!tab) return TPersistent::Assign(source);
  Caption = tab->Caption;
  DisabledIndex = tab->DisabledIndex;
  ImageIndex = tab->ImageIndex;
  Color = tab->Color;
  Enabled = tab->Enabled;
  Visible = tab->Visible;
  Hint = tab->Hint;
}

TSDDTabDataList::~TSDDTabDataList() { Clear(); }

TSDDTabData& TSDDTabDataList::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return *items_[static_cast<size_t>(index)];
}

void TSDDTabDataList::SetItems(int index, TSDDTabData* item) {
  std::unique_ptr<TSDDTabData> taken(item);
  Items(index);  // checks the index
  items_[static_cast<size_t>(index)] = std::move(taken);
}

void TSDDTabDataList::Add(TSDDTabData* item) { items_.emplace_back(item); }

void TSDDTabDataList::Clear() { items_.clear(); }

void TSDDTabDataList::Assign(const TPersistent* source) {
  const auto* list = dynamic_cast<const TSDDTabDataList*>(source);
  if (!list) return TPersistent::Assign(source);
  if (list == this) return;
  Clear();
  for (const auto& item : list->items_) {
    auto copy = std::make_unique<TSDDTabData>();
    copy->Assign(item.get());
    items_.push_back(std::move(copy));
  }
}

// ---- colour sets ----------------------------------------------------------------------------------------------

void TSDDTabColorSet::Changed() {
  if (owner_) owner_->HotChanged();
}

void TSDDTabColors::Assign(const TPersistent* source) {
  const auto* colors = dynamic_cast<const TSDDTabColors*>(source);
  if (!colors) return TPersistent::Assign(source);
  bool changed = StoreChanged(highlightBar_, colors->highlightBar_);
  changed = StoreChanged(shadow_, colors->shadow_) || changed;
  changed = StoreChanged(unselected_, colors->unselected_) || changed;
  if (changed) Changed();
}

void TSDDTextColors::Assign(const TPersistent* source) {
  const auto* colors = dynamic_cast<const TSDDTextColors*>(source);
  if (!colors) return TPersistent::Assign(source);
  bool changed = StoreChanged(disabledHighlight_, colors->disabledHighlight_);
  changed = StoreChanged(disabledShadow_, colors->disabledShadow_) || changed;
  changed = StoreChanged(selected_, colors->selected_) || changed;
  changed = StoreChanged(unselected_, colors->unselected_) || changed;
  if (changed) Changed();
}

// ---- region cache ---------------------------------------------------------------------------------------------

void TSDDTabRegionCacheItem::SetRegion(HRGN region) {
  if (region == region_) return;
  if (region_) DeleteObject(region_);
  region_ = region;
}

HRGN TSDDTabRegionCache::Find(const TRect& rect) const {
  for (const auto& item : items_)
    if (item->Rect == rect) return item->Region();
  return nullptr;
}

bool TSDDTabRegionCache::Add(const TRect& rect, HRGN region) {
  auto held = std::find_if(items_.begin(), items_.end(), [&rect](const auto& item) { return item->Rect == rect; });
  if (held != items_.end()) {
    std::rotate(items_.begin(), held, held + 1);
    return false;
  }
  auto item = std::make_unique<TSDDTabRegionCacheItem>();
  item->Rect = rect;
  item->SetRegion(region);
  items_.insert(items_.begin(), std::move(item));
  Trim();
  return true;
}

void TSDDTabRegionCache::Clear() { items_.clear(); }

void TSDDTabRegionCache::SetCapacity(int value) {
  if (value < -1 || value == 0) throw Exception("Capacity must be -1 (to cache all regions) or > 0");
  capacity_ = value;
  Trim();
}

void TSDDTabRegionCache::Trim() {
  if (capacity_ == -1) return;
  while (static_cast<int>(items_.size()) > capacity_) items_.pop_back();
}

// ---- strip buttons --------------------------------------------------------------------------------------------

TSDDTabStripButton::TSDDTabStripButton(TComponent* owner, TSDDCustomTabControl& tabControl)
    : TCustomControl(owner), tabControl_(tabControl) {
  controlStyle_ = {csCaptureMouse, csOpaque};
}

void TSDDTabStripButton::SetFrameColor(TColor v) {
  if (StoreChanged(frameColor_, v)) Invalidate();
}

void TSDDTabStripButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  PressAt(x, y);
  pressed_ = true;
  mouseInside_ = true;
  Invalidate();
  SetMouseCapture(true);
}

void TSDDTabStripButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!pressed_) return;
  const bool inside = TrackingRect().Contains({x, y});
  if (inside == mouseInside_) return;
  mouseInside_ = inside;
  Invalidate();
}

void TSDDTabStripButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  SetMouseCapture(false);
  pressed_ = false;
  if (mouseInside_) {
    mouseInside_ = false;
    Released();
  }
  Invalidate();
}

void TSDDTabStripButton::DrawFrame(TCanvas& c, const TRect& r) {
  c.Brush().SetStyle(bsClear);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetColor(frameColor_);
  c.Rectangle(r);
  c.Brush().SetStyle(bsSolid);
}

// ---- scroller -------------------------------------------------------------------------------------------------

void TSDDTabScroller::SetOrientation(TOrientation v) {
  if (StoreChanged(orientation_, v)) Invalidate();
}

void TSDDTabScroller::PressAt(int x, int y) {
  part_ = orientation_ == orHorizontal ? (x >= Width() / 2 ? 1 : 0) : (y <= Height() / 2 ? 1 : 0);
}

TRect TSDDTabScroller::TrackingRect() const {
  const int w = Width(), h = Height();
  if (orientation_ == orHorizontal) return TRect{0, 0, w / 2, h}.Offset(part_ == 1 ? w / 2 : 0, 0);
  return TRect{0, 0, w, h / 2}.Offset(0, part_ == 1 ? 0 : h / 2);
}

void TSDDTabScroller::Released() {
  if (part_ == 0)
    DoDownLeftClick();
  else
    DoUpRightClick();
}

void TSDDTabScroller::DoDownLeftClick() { OnDownLeftClick(this); }
void TSDDTabScroller::DoUpRightClick() { OnUpRightClick(this); }

void TSDDTabScroller::PaintHalf(TCanvas& c, const TRect& r, bool upRight, bool enabled) {
  const bool pushed = Pushed() && part_ == (upRight ? 1 : 0);
  const bool vertical = orientation_ == orVertical;
  if (VisualStylesEnabled() && theme_.Get(Handle())) {
    const int part = vertical ? (upRight ? SPNP_UP : SPNP_DOWN) : (upRight ? SPNP_UPHORZ : SPNP_DOWNHORZ);
    // The four parts number their states alike: normal 1, pressed 3, disabled 4.
    const int state = !enabled ? UPS_DISABLED : pushed ? UPS_PRESSED : UPS_NORMAL;
    theme_.DrawBackground(Handle(), c.Handle(), part, state, r);
    return;
  }
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clBtnFace);
  c.FillRect(r);
  DrawArrow(c, r, fpCustomFraming, enabled, pushed, vertical ? (upRight ? 0 : 1) : (upRight ? 3 : 2));
  DrawFrame(c, r);
}

void TSDDTabScroller::Paint() {
  TCanvas& c = Canvas();
  const TRect r = ClientRect();
  const int w = r.Width(), h = r.Height();
  // The down/left half scrolls back unless the visual order runs against the tab order.
  const bool reversed = tabControl_.ScrollReversed();
  const bool downLeft = reversed ? tabControl_.CanScrollForward() : tabControl_.CanScrollBack();
  const bool upRight = reversed ? tabControl_.CanScrollBack() : tabControl_.CanScrollForward();
  const bool themed = VisualStylesEnabled() && theme_.Get(Handle());
  if (themed) {
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
  }
  // Classic halves are a pixel larger, so that they share a border.
  const int grow = themed ? 0 : 1;
  if (orientation_ == orVertical) {
    PaintHalf(c, {r.Left, r.Bottom - h / 2 - grow, r.Right, r.Bottom}, false, downLeft);
    PaintHalf(c, {r.Left, r.Top, r.Right, r.Top + h / 2 + grow}, true, upRight);
  } else {
    PaintHalf(c, {r.Left, r.Top, r.Left + w / 2 + grow, r.Bottom}, false, downLeft);
    PaintHalf(c, {r.Right - w / 2 - grow, r.Top, r.Right, r.Bottom}, true, upRight);
  }
}

// ---- close button ---------------------------------------------------------------------------------------------

void TSDDTabCloseButton::DoClose() { OnClose(this); }

void TSDDTabCloseButton::Paint() {
  TCanvas& c = Canvas();
  const TRect r = ClientRect();
  const bool inactive = tabControl_.TabIndex() == -1;
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clBtnFace);
  c.FillRect(r);
  if (VisualStylesEnabled() && theme_.Get(Handle())) {
    theme_.DrawBackground(Handle(), c.Handle(), WP_CLOSEBUTTON,
                          inactive ? CBS_DISABLED : Pushed() ? CBS_PUSHED : CBS_NORMAL, r);
    return;
  }
  RECT rc = ToRECT(r);
  DrawFrameControl(c.Handle(), &rc, DFC_CAPTION,
                   DFCS_CAPTIONCLOSE | DFCS_FLAT | (Pushed() ? DFCS_PUSHED : 0) | (inactive ? DFCS_INACTIVE : 0));
  DrawFrame(c, r);
}
