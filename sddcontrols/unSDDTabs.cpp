// Sections: helpers; set-up; layout properties; look properties; behaviour properties; tabs and selection;
// layout; geometry; buttons and scrolling; hooks; loading and alignment; keyboard; mouse, hot tracking and hints;
// dragging; messages.
#include "sddcontrols/unSDDTabs.h"

#include <algorithm>

#include "classlib/DeviceContext.h"
#include "classlib/Forms.h"
#include "classlib/Hints.h"
#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGdi.h"

// ---- helpers --------------------------------------------------------------------------------------------------

namespace {

constexpr UINT_PTR kHotTimerId = 1;
constexpr UINT kHotTimerInterval = 60;

// Sets a flag for a scope, also when the work in it throws.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
  bool old_;
};

// The caption's screen extent: lines split at CR LF, each measured without its accelerator marker.
sddtabs::TExtent CaptionExtent(HDC dc, const std::string& caption, bool vertical) {
  sddtabs::TExtent text;
  for (const std::string& line : sddtabs::SplitCaption(caption)) {
    const std::string plain = sddtabs::SplitAccelerator(line).Plain();
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, plain.data(), static_cast<int>(plain.size()), &s);
    if (vertical) {
      text.CX += s.cy;
      text.CY = std::max(text.CY, static_cast<int>(s.cx));
    } else {
      text.CX = std::max(text.CX, static_cast<int>(s.cx));
      text.CY += s.cy;
    }
  }
  return text;
}

}  // namespace

// ---- set-up ---------------------------------------------------------------------------------------------------

TSDDCustomTabControl::TSDDCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      tabColors_(std::make_unique<TSDDTabColors>(this)),
      textColors_(std::make_unique<TSDDTextColors>(this)),
      tabs_(std::make_unique<TSDDTabDataList>()) {
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 300, 100);
  SetTabStop(true);
  tabFont_.Assign(&Font());
  bitmap_.SetPixelFormat(pf32bit);
  imageLink_.OnChange = TNotifyEvent::Bind(this, &TSDDCustomTabControl::ImagesChanged);
}

TSDDCustomTabControl::~TSDDCustomTabControl() {
  if (hotTimer_ && HandleAllocated()) KillTimer(Handle(), kHotTimerId);
  // The scroller and the close button hold a reference to this control: they go while it is whole.
  DestroyComponents();
  scroller_ = nullptr;
  closeButton_ = nullptr;
}

// ---- layout properties ----------------------------------------------------------------------------------------

void TSDDCustomTabControl::LayoutSetting(bool changed) {
  if (changed) SetLayoutDirty(true);
}

void TSDDCustomTabControl::SetAlignTabs(bool v) {
  if (StoreChanged(alignTabs_, v) && multiLine_) SetLayoutDirty(true);
}
void TSDDCustomTabControl::SetBoldCurrentTab(bool v) { LayoutSetting(StoreChanged(boldCurrentTab_, v)); }
void TSDDCustomTabControl::SetCutCornerSize(int v) {
  if (v >= 0 && StoreChanged(cutCornerSize_, v) && tabStyle_ == tsCutCorner) SetLayoutDirty(true);
}
void TSDDCustomTabControl::SetImageAlignment(TSDDHorizontalAlignment v) {
  LayoutSetting(StoreChanged(imageAlignment_, v));
}
void TSDDCustomTabControl::SetImageAlignmentVertical(TSDDVerticalAlignment v) {
  LayoutSetting(StoreChanged(imageAlignmentVertical_, v));
}
void TSDDCustomTabControl::SetImageMargin(int v) { LayoutSetting(v >= 0 && StoreChanged(imageMargin_, v)); }
void TSDDCustomTabControl::SetImagePosition(TSDDImagePosition v) { LayoutSetting(StoreChanged(imagePosition_, v)); }
void TSDDCustomTabControl::SetMargin(int v) { LayoutSetting(v >= 0 && StoreChanged(margin_, v)); }
void TSDDCustomTabControl::SetMultiLine(bool v) { LayoutSetting(StoreChanged(multiLine_, v)); }
void TSDDCustomTabControl::SetRowIndent(int v) { LayoutSetting(v >= 0 && StoreChanged(rowIndent_, v)); }
void TSDDCustomTabControl::SetRowOverlap(int v) { LayoutSetting(v >= 0 && StoreChanged(rowOverlap_, v)); }
void TSDDCustomTabControl::SetShowCardArea(bool v) { LayoutSetting(StoreChanged(showCardArea_, v)); }
void TSDDCustomTabControl::SetShowCardFrame(bool v) { LayoutSetting(StoreChanged(showCardFrame_, v)); }
void TSDDCustomTabControl::SetTabHeight(int v) { LayoutSetting(v >= 0 && StoreChanged(tabHeight_, v)); }
void TSDDCustomTabControl::SetTabWidth(int v) { LayoutSetting(v >= 0 && StoreChanged(tabWidth_, v)); }
void TSDDCustomTabControl::SetTabSequence(TSDDTabSequence v) { LayoutSetting(StoreChanged(tabSequence_, v)); }
void TSDDCustomTabControl::SetTabStyle(TSDDTabStyle v) { LayoutSetting(StoreChanged(tabStyle_, v)); }
void TSDDCustomTabControl::SetTextAlignment(TSDDHorizontalAlignment v) {
  LayoutSetting(StoreChanged(textAlignment_, v));
}
void TSDDCustomTabControl::SetTextAlignmentVertical(TSDDVerticalAlignment v) {
  LayoutSetting(StoreChanged(textAlignmentVertical_, v));
}

void TSDDCustomTabControl::SetTabOrientation(TSDDTabOrientation v) {
  if (StoreChanged(tabOrientation_, v) && !Loading()) SetLayoutDirty(true);
}

void TSDDCustomTabControl::SetShowFullFrame(bool v) {
  if (!StoreChanged(showFullFrame_, v)) return;
  if (!v) showShadow_ = false;
  SetLayoutDirty(true);
}

void TSDDCustomTabControl::SetShowShadow(bool v) {
  if (!StoreChanged(showShadow_, v)) return;
  if (v) showFullFrame_ = true;
  SetLayoutDirty(true);
}

void TSDDCustomTabControl::SetShowCloseButton(bool v) {
  if (!StoreChanged(showCloseButton_, v)) return;
  if (v) NeedCloseButton();
  if (closeButton_) closeButton_->SetVisible(v);
  SetLayoutDirty(true);
  HotChanged();
}

void TSDDCustomTabControl::SetTextOrientation(TOrientation v) {
  if (!StoreChanged(textOrientation_, v)) return;
  if (!Loading() && v == orVertical && !IsTrueTypeFont(Font())) Font().SetName("Verdana");
  SetLayoutDirty(true);
}

void TSDDCustomTabControl::SetImages(TCustomImageList* v) {
  if (v == images_) return;
  if (images_) {
    images_->UnRegisterChanges(&imageLink_);
    images_->RemoveFreeNotification(this);
  }
  images_ = v;
  if (images_) {
    images_->RegisterChanges(&imageLink_);
    images_->FreeNotification(this);
  }
  SetLayoutDirty(true);
}

void TSDDCustomTabControl::ImagesChanged(TObject*) { HotChanged(); }

// ---- look properties ------------------------------------------------------------------------------------------

void TSDDCustomTabControl::SetBackgroundColor(TColor v) {
  if (!StoreChanged(backgroundColor_, v)) return;
  parentBackgroundColor_ = false;
  HotChanged();
}

void TSDDCustomTabControl::SetParentBackgroundColor(bool v) {
  if (StoreChanged(parentBackgroundColor_, v) && v && Parent()) Perform(CM_PARENTCOLORCHANGED);
}

void TSDDCustomTabControl::SetFlatColor(TColor v) {
  if (!StoreChanged(flatColor_, v)) return;
  FrameColorsChanged();
  HotChanged();
}

void TSDDCustomTabControl::SetFlatColorAdjustment(int v) {
  if (!StoreChanged(flatColorAdjustment_, v)) return;
  FrameColorsChanged();
  HotChanged();
}

TColor TSDDCustomTabControl::LineColor() const { return ChangeColorLightness(flatColor_, flatColorAdjustment_); }

void TSDDCustomTabControl::FrameColorsChanged() {
  if (scroller_) scroller_->SetFrameColor(LineColor());
  if (closeButton_) closeButton_->SetFrameColor(LineColor());
}

void TSDDCustomTabControl::SetHotTrack(bool v) {
  if (StoreChanged(hotTrack_, v) && !v && !tabHints_) EndHotTracking();
}

void TSDDCustomTabControl::SetHotTrackColor(TColor v) {
  if (StoreChanged(hotTrackColor_, v)) HotChanged();
}
void TSDDCustomTabControl::SetHotTrackColorType(TSDDHotTrackColorType v) {
  if (StoreChanged(hotTrackColorType_, v)) HotChanged();
}
void TSDDCustomTabControl::SetHotTrackStyle(TSDDHotTrackStyle v) {
  if (StoreChanged(hotTrackStyle_, v)) HotChanged();
}
void TSDDCustomTabControl::SetShowFocusRect(bool v) {
  if (StoreChanged(showFocusRect_, v)) HotChanged();
}
void TSDDCustomTabControl::SetTransparent(bool v) {
  if (StoreChanged(transparent_, v)) HotChanged();
}
void TSDDCustomTabControl::SetUseColoredTabs(bool v) {
  if (StoreChanged(useColoredTabs_, v)) HotChanged();
}
void TSDDCustomTabControl::SetUseGradients(bool v) {
  if (StoreChanged(useGradients_, v)) HotChanged();
}

// ---- behaviour properties -------------------------------------------------------------------------------------

void TSDDCustomTabControl::SetTabHints(bool v) {
  if (StoreChanged(tabHints_, v) && !v && !hotTrack_) EndHotTracking();
}

void TSDDCustomTabControl::SetRegionCacheCapacity(int v) {
  if (v < -1 || v == 0 || v == regionCacheCapacity_) return;
  regionCacheCapacity_ = v;
  regionCache_.SetCapacity(v);
}

// ---- tabs and selection ---------------------------------------------------------------------------------------

bool TSDDCustomTabControl::CanChange(int index) {
  if (index < 0 || index >= tabs_->Count()) return false;
  const TSDDTabData& tab = tabs_->Items(index);
  if (!tab.Visible || !tab.Enabled) return false;
  bool allow = true;
  DoChanging(index, allow);
  return allow;
}

void TSDDCustomTabControl::SelectTabBySelf(int index) {
  TFlagScope self(selfChange_);
  SetTabIndex(index);
}

void TSDDCustomTabControl::RenumberSelection(int index) {
  if (index < 0 || index >= tabs_->Count()) index = -1;
  if (!StoreChanged(tabIndex_, index)) return;
  strip_.Selected = index;
  HotChanged();
}

void TSDDCustomTabControl::SetTabIndex(int value) {
  if (Loading()) {
    tabIndex_ = value;
    return;
  }
  struct TCloseButtonRepaint {
    TSDDCustomTabControl& c;
    ~TCloseButtonRepaint() {
      if (c.closeButton_) c.closeButton_->Invalidate();
    }
  } closeRepaint{*this};
  if (value < 0 || value >= tabs_->Count()) {
    if (tabIndex_ == -1) return;
    tabIndex_ = -1;
    strip_.Selected = -1;
    HotChanged();
    return;
  }
  if (value == tabIndex_) return;
  if (!selfChange_ && !CanChange(value)) return;
  tabIndex_ = value;
  strip_.Selected = value;
  if (value < static_cast<int>(strip_.Tabs.size())) {
    if (strip_.ScrollerNeeded)
      strip_.FirstShownTab = sddtabs::ScrollIntoView(strip_, value);
    else
      sddtabs::RotateRows(strip_);
    StoreGeometry();
  }
  HotChanged();
  if (scroller_) scroller_->Invalidate();
  Change();
}

int TSDDCustomTabControl::TabAtPos(int x, int y) {
  UpdateLayout();
  const int count = std::min(tabs_->Count(), static_cast<int>(strip_.Tabs.size()));
  return sddtabs::TabAtPos(count, tabIndex_ < count ? tabIndex_ : -1, strip_.FirstShownTab, [&](int i) {
    if (!IsTabShown(i) || !sddtabs::PtInNormalizedRect(TabRect(i), {x, y})) return false;
    HRGN region = TabRegion(i);
    return region && PtInRegion(region, x, y);
  });
}

void TSDDCustomTabControl::LayoutChanged() { SetLayoutDirty(true); }

void TSDDCustomTabControl::SetLayoutDirty(bool value) {
  layoutDirty_ = value;
  if (value) Invalidate();
}

void TSDDCustomTabControl::UpdateLayout() {
  if (layoutDirty_) DoLayout();
}

// ---- layout ---------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::SyncStrip() {
  sddtabs::TStripSettings& st = strip_.Settings;
  st.Orientation = tabOrientation_;
  st.Sequence = tabSequence_;
  st.Style = tabStyle_;
  st.VerticalText = textOrientation_ == orVertical;
  st.CutCornerSize = cutCornerSize_;
  st.TabWidth = tabWidth_;
  st.TabHeight = tabHeight_;
  st.Margin = margin_;
  st.RowIndent = rowIndent_;
  st.RowOverlap = rowOverlap_;
  st.MultiLine = multiLine_;
  st.AlignTabs = alignTabs_;
  st.ShowCardArea = showCardArea_;
  st.ShowCardFrame = showCardFrame_;
  st.ShowFullFrame = showFullFrame_;
  st.ShowShadow = showShadow_;
  st.ShowCloseButton = showCloseButton_;
  st.Width = ClientWidth();
  st.Height = ClientHeight();
  // Before the first layout only the number of tabs counts (no tabs: the card is the whole control).
  if (strip_.Tabs.size() != static_cast<size_t>(tabs_->Count()))
    strip_.Tabs.assign(static_cast<size_t>(tabs_->Count()), {});
}

sddtabs::TExtent TSDDCustomTabControl::MeasureContent(const TSDDTabData& tab, HDC dc) {
  const bool vertical = textOrientation_ == orVertical;
  const sddtabs::TExtent text = CaptionExtent(dc, tab.Caption, vertical);
  const sddtabs::TExtent image =
      images_ && tab.ImageIndex != -1 ? sddtabs::TExtent{images_->Width(), images_->Height()} : sddtabs::TExtent{};
  // The least content: the sample "A" ("AAA" for the round styles) across, the font's height along the other way.
  const std::string sample = sddtabs::RoundStyle(tabStyle_) ? "AAA" : "A";
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc, sample.data(), static_cast<int>(sample.size()), &s);
  const int height = std::abs(Font().Height());
  const sddtabs::TExtent minimum = vertical ? sddtabs::TExtent{height, static_cast<int>(s.cx)}
                                            : sddtabs::TExtent{static_cast<int>(s.cx), height};
  return sddtabs::ContentSize(image, text, imagePosition_, imageMargin_, minimum, tabWidth_, tabHeight_);
}

void TSDDCustomTabControl::DoLayout() {
  layoutDirty_ = false;
  SyncStrip();
  {
    TFont font;
    font.Assign(&tabFont_);
    TWindowDC screen(nullptr);
    TDcSelection plain(screen.Handle(), font.Handle());
    SIZE a{0, 0};
    GetTextExtentPoint32A(screen.Handle(), "A", 1, &a);
    strip_.Settings.ButtonBase = a.cy + (textOrientation_ == orVertical ? 2 : 4);
    // Every tab is measured bold while the current one is drawn bold, so that a selection moves no tab.
    if (boldCurrentTab_) font.SetStyle(TFontStyles(font.Style()).Include(fsBold));
    TDcSelection measured(screen.Handle(), font.Handle());
    strip_.Tabs.assign(static_cast<size_t>(tabs_->Count()), {});
    for (int i = 0; i < tabs_->Count(); ++i) {
      sddtabs::TStripTab& t = strip_.Tabs[static_cast<size_t>(i)];
      t.Visible = tabs_->Items(i).Visible;
      if (t.Visible) t.Content = MeasureContent(tabs_->Items(i), screen.Handle());
    }
  }
  sddtabs::ArrangeTabs(strip_);
  regionCache_.Clear();
  strip_.ScrollerNeeded = sddtabs::NeedsScroller(strip_);
  if (strip_.ScrollerNeeded) NeedScroller();
  strip_.FirstShownTab = sddtabs::FixFirstShownTab(strip_, strip_.FirstShownTab);
  strip_.Selected = tabIndex_;
  StoreGeometry();
  const int valid = sddtabs::ValidSelection(
      tabs_->Count(), tabIndex_,
      [this](int i) { return tabs_->Items(i).Visible && tabs_->Items(i).Enabled; },
      [this](int i) { return CanChange(i); });
  if (valid != tabIndex_) SelectTabBySelf(valid);
  strip_.Selected = tabIndex_;
  sddtabs::RotateRows(strip_);
  StoreGeometry();
  if (PageRect() != lastPageArea_) Realign();
}

void TSDDCustomTabControl::StoreGeometry() {
  const int count = std::min(tabs_->Count(), static_cast<int>(strip_.Tabs.size()));
  for (int i = 0; i < count; ++i) {
    const sddtabs::TStripTab& t = strip_.Tabs[static_cast<size_t>(i)];
    tabs_->Items(i).Rect = t.Rect;
    tabs_->Items(i).Row = t.Row;
  }
}

// ---- geometry -------------------------------------------------------------------------------------------------

TRect TSDDCustomTabControl::TabRect(int index) const {
  if (index < 0 || index >= static_cast<int>(strip_.Tabs.size())) return {};
  return sddtabs::TabClientRect(strip_, index);
}

std::vector<TPoint> TSDDCustomTabControl::TabPolygon(int index) const {
  if (index < 0 || index >= static_cast<int>(strip_.Tabs.size())) return {};
  return sddtabs::TabPolygon(strip_, index);
}

TRect TSDDCustomTabControl::TabAreaRect() const { return sddtabs::TabArea(strip_); }
TRect TSDDCustomTabControl::CardRect(int row) const { return sddtabs::RowCardRect(strip_, row); }
TRect TSDDCustomTabControl::PageRect() const { return sddtabs::PageArea(strip_); }
bool TSDDCustomTabControl::IsTabShown(int index) const { return sddtabs::IsTabShown(strip_, index); }
bool TSDDCustomTabControl::CanScrollBack() const { return sddtabs::CanScrollBack(strip_); }
bool TSDDCustomTabControl::CanScrollForward() const { return sddtabs::CanScrollForward(strip_); }
bool TSDDCustomTabControl::ScrollReversed() const { return sddtabs::ScrollReversed(strip_.Settings); }

HRGN TSDDCustomTabControl::TabRegion(int index) {
  const TRect rect = TabRect(index);
  if (HRGN cached = regionCache_.Find(rect)) return cached;
  std::vector<POINT> points;
  for (const TPoint& p : TabPolygon(index)) {
    if (points.size() == 20) break;
    points.push_back({p.X, p.Y});
  }
  if (points.size() < 3) return nullptr;
  HRGN region = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
  if (!region) throw Exception("Error creating region");
  if (!regionCache_.Add(rect, region)) {
    DeleteObject(region);
    return regionCache_.Find(rect);
  }
  return region;
}

// ---- buttons and scrolling ------------------------------------------------------------------------------------

void TSDDCustomTabControl::NeedScroller() {
  if (scroller_) return;
  scroller_ = new TSDDTabScroller(this, *this);
  scroller_->SetControlStyle(TControlStyle(scroller_->ControlStyle()).Include(csNoDesignVisible));
  scroller_->SetFrameColor(LineColor());
  scroller_->OnUpRightClick = TNotifyEvent::Bind(this, &TSDDCustomTabControl::ScrollerUpRight);
  scroller_->OnDownLeftClick = TNotifyEvent::Bind(this, &TSDDCustomTabControl::ScrollerDownLeft);
  scroller_->SetBounds(-100, -100, 10, 10);
  scroller_->SetParent(this);
}

void TSDDCustomTabControl::NeedCloseButton() {
  if (closeButton_) return;
  closeButton_ = new TSDDTabCloseButton(this, *this);
  closeButton_->SetControlStyle(TControlStyle(closeButton_->ControlStyle()).Include(csNoDesignVisible));
  closeButton_->SetFrameColor(LineColor());
  closeButton_->OnClose = TNotifyEvent::Bind(this, &TSDDCustomTabControl::CloseButtonClose);
  closeButton_->SetVisible(false);
  closeButton_->SetParent(this);
}

void TSDDCustomTabControl::PlaceButtons() {
  const sddtabs::TButtonPlaces places = sddtabs::PlaceButtons(strip_);
  if (closeButton_) {
    const bool shows = showCloseButton_ && places.Close.Right > places.Close.Left;
    if (shows) closeButton_->SetBoundsRect(places.Close);
    closeButton_->SetVisible(shows);
  }
  if (scroller_) {
    scroller_->SetOrientation(places.ScrollerVertical ? orVertical : orHorizontal);
    scroller_->SetBoundsRect(places.Scroller);
  }
}

void TSDDCustomTabControl::ScrollBy(bool forward) {
  if (!(forward ? sddtabs::ScrollForward(strip_) : sddtabs::ScrollBack(strip_))) return;
  StoreGeometry();
  HotChanged();
  if (scroller_) scroller_->Invalidate();
}

void TSDDCustomTabControl::ScrollerUpRight(TObject*) { ScrollBy(!ScrollReversed()); }
void TSDDCustomTabControl::ScrollerDownLeft(TObject*) { ScrollBy(ScrollReversed()); }

void TSDDCustomTabControl::CloseButtonClose(TObject*) {
  if (tabIndex_ == -1) return;
  bool allow = false;
  OnClose(this, allow);
  if (allow) CloseTab();
}

// ---- hooks ----------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::DoChanging(int newIndex, bool& allowChange) { OnChanging(this, newIndex, allowChange); }

void TSDDCustomTabControl::DoGetTextColor(int tabIndex, TSDDTextStyle style, TColor& color, bool& handled) {
  OnGetTextColor(this, tabIndex, style, color, handled);
}

void TSDDCustomTabControl::TabClick() { OnTabClick(this); }
void TSDDCustomTabControl::Change() { OnChange(this); }

void TSDDCustomTabControl::HotChanged() {
  hotFlag_ = false;
  Invalidate();
}

void TSDDCustomTabControl::PaintBackground(TCanvas& canvas, const TRect& rect, bool& handled) {
  OnPaintBackground(this, canvas, rect, handled);
}

void TSDDCustomTabControl::PaintCardBackground(TCanvas& canvas, int row, const TRect& rect, bool& handled) {
  OnPaintCardBackground(this, canvas, row, rect, handled);
}

void TSDDCustomTabControl::PaintTabBackground(TCanvas& canvas, int tabIndex, const TRect& rect, bool& handled) {
  OnPaintTabBackground(this, canvas, tabIndex, rect, handled);
}

// ---- loading and alignment ------------------------------------------------------------------------------------

void TSDDCustomTabControl::Loaded() {
  TCustomControl::Loaded();
  SetLayoutDirty(true);
  if (textOrientation_ == orVertical && !IsTrueTypeFont(Font())) Font().SetName("Verdana");
  // The streamed selection survives loading: it is applied as if it were set now.
  const int streamed = tabIndex_;
  tabIndex_ = -1;
  SetTabIndex(streamed);
}

void TSDDCustomTabControl::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  if (parentBackgroundColor_ && Parent()) Perform(CM_PARENTCOLORCHANGED);
}

void TSDDCustomTabControl::Resize() {
  TCustomControl::Resize();
  LayoutChanged();
}

void TSDDCustomTabControl::AlignControls(TControl* control, TRect& rect) {
  SyncStrip();
  PlaceButtons();
  rect = PageRect();
  lastPageArea_ = rect;
  TCustomControl::AlignControls(control, rect);
}

void TSDDCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) {
    images_ = nullptr;
    SetLayoutDirty(true);
  }
  if (component == scroller_) scroller_ = nullptr;
  if (component == closeButton_) closeButton_ = nullptr;
}

// ---- keyboard -------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (tabs_->Count() == 0) return;
  sddtabs::TTabKey tabKey;
  switch (key) {
    case VK_HOME: tabKey = sddtabs::TTabKey::Home; break;
    case VK_END: tabKey = sddtabs::TTabKey::End; break;
    case VK_RIGHT:
    case VK_DOWN: tabKey = sddtabs::TTabKey::Next; break;
    case VK_LEFT:
    case VK_UP: tabKey = sddtabs::TTabKey::Previous; break;
    default: return;
  }
  sddtabs::TStripSettings order;
  order.Orientation = tabOrientation_;
  order.Sequence = tabSequence_;
  const int target = sddtabs::KeyTarget(tabs_->Count(), tabIndex_, tabKey, sddtabs::KeysReversed(order),
                                        [this](int i) { return CanChange(i); });
  if (target == tabIndex_) return;
  SelectTabBySelf(target);
  TabClick();
}

// ---- mouse, hot tracking and hints ----------------------------------------------------------------------------

void TSDDCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  const int tab = TabAtPos(x, y);
  if (tab < 0 || !tabs_->Items(tab).Enabled) return;
  if (TabStop() && tab == tabIndex_) {
    SetFocus();
    if (!Focused()) return;
  }
  SetTabIndex(tab);
  if (tabIndex_ == tab) TabClick();
}

void TSDDCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (dragging_) return DragOver(x, y);
  if (allowTabDragging_ && shift.Contains(ssLeft) && MouseCapture() && tabIndex_ >= 0 && TabAtPos(x, y) >= 0) {
    dragging_ = true;
    dropTarget_ = -1;
    return DragOver(x, y);
  }
  if (!hotTrack_ && !tabHints_) return;
  const int tab = TabAtPos(x, y);
  if (tab < 0)
    EndHotTracking();
  else if (tab != hotTab_)
    SetHotTab(tab);
}

void TSDDCustomTabControl::SetHotTab(int index) {
  hotTab_ = index;
  if (hotTrack_) {
    hotFlag_ = true;
    InvalidateTabArea();
  }
  if (tabHints_) ShowTabHint(index);
  StartHotTracking();
}

// The tab area's right and bottom edges are pixels of it.
void TSDDCustomTabControl::InvalidateTabArea() {
  const TRect a = TabAreaRect();
  InvalidateRect({a.Left, a.Top, a.Right + 1, a.Bottom + 1}, false);
}

void TSDDCustomTabControl::StartHotTracking() {
  if (hotTimer_ || !HandleAllocated()) return;
  hotTimer_ = SetTimer(Handle(), kHotTimerId, kHotTimerInterval, nullptr);
}

void TSDDCustomTabControl::EndHotTracking() {
  if (hotTimer_) {
    if (HandleAllocated()) KillTimer(Handle(), kHotTimerId);
    hotTimer_ = 0;
  }
  if (hotTab_ >= 0) {
    hotTab_ = -1;
    if (hotTrack_) {
      hotFlag_ = true;
      InvalidateTabArea();
    }
  }
  RestoreHint();
}

void TSDDCustomTabControl::HotTimerTick() {
  POINT p{};
  GetCursorPos(&p);
  const TPoint at = ScreenToClient({p.x, p.y});
  if (TabAtPos(at.X, at.Y) < 0) EndHotTracking();
}

void TSDDCustomTabControl::ShowTabHint(int index) {
  HintCancel();
  const std::string& hint = tabs_->Items(index).Hint;
  if (hint.empty()) return RestoreHint();
  if (!tabHintShown_) savedHint_ = Hint();
  tabHintShown_ = true;
  SetHint(hint);
}

void TSDDCustomTabControl::RestoreHint() {
  if (!tabHintShown_) return;
  tabHintShown_ = false;
  SetHint(savedHint_);
}

// ---- dragging -------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::DragOver(int x, int y) {
  const int target = TabAtPos(x, y);
  if (target == dropTarget_) return;
  if (dropTarget_ >= 0 && dropTarget_ != tabIndex_) DrawDropMark(dropMark_, true);
  dropTarget_ = target;
  if (target < 0 || target == tabIndex_) return;
  dropMark_ = sddtabs::DropMarkRect(strip_, target, target < tabIndex_);
  DrawDropMark(dropMark_, false);
}

void TSDDCustomTabControl::EndDrag(bool drop) {
  const int target = dropTarget_;
  if (target >= 0 && target != tabIndex_) DrawDropMark(dropMark_, true);
  dragging_ = false;
  dropTarget_ = -1;
  if (drop && target >= 0 && target != tabIndex_) MoveTab(target);
}


void TSDDCustomTabControl::DrawDropMark(const TRect& r, bool erase) {
  if (!HandleAllocated()) return;
  if (erase) {
    InvalidateRect(r, false);
    Update();
    return;
  }
  // Two arrowheads pointing into the row: black, and a smaller one in the shadow colour inside it.
  TWindowDC dc(Handle());
  TCanvas canvas;
  TCanvasOnDc on(canvas, dc.Handle());
  canvas.Pen().SetStyle(psClear);
  const int midX = (r.Left + r.Right) / 2, midY = (r.Top + r.Bottom) / 2;
  const auto arrow = [&](int inset, TColor color) {
    std::vector<TPoint> p;
    switch (tabOrientation_) {
      case toTop: p = {{r.Left + inset, r.Top}, {r.Right - inset, r.Top}, {midX, r.Bottom - inset}}; break;
      case toBottom: p = {{r.Left + inset, r.Bottom}, {r.Right - inset, r.Bottom}, {midX, r.Top + inset}}; break;
      case toLeft: p = {{r.Left, r.Top + inset}, {r.Left, r.Bottom - inset}, {r.Right - inset, midY}}; break;
      case toRight: p = {{r.Right, r.Top + inset}, {r.Right, r.Bottom - inset}, {r.Left + inset, midY}}; break;
    }
    canvas.Brush().SetColor(color);
    canvas.Polygon(p);
  };
  arrow(0, clBlack);
  arrow(3, clBtnShadow);
}

// ---- messages -------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      return TCustomControl::WndProc(m);
    case WM_TIMER:
      if (m.WParam == kHotTimerId) return HotTimerTick();
      return TCustomControl::WndProc(m);
    case WM_LBUTTONUP:
      // Dropped before the release of the capture ends the drag.
      if (dragging_) {
        DragOver(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        EndDrag(true);
      }
      return TCustomControl::WndProc(m);
    case WM_CAPTURECHANGED:
      TCustomControl::WndProc(m);
      if (dragging_ && GetCapture() != Handle()) EndDrag(false);
      return;
    case CM_HINTSHOW: {
      // Over the tab area but off the tabs a tab-hinting control shows no hint.
      POINT p{};
      GetCursorPos(&p);
      const TPoint at = ScreenToClient({p.x, p.y});
      if (tabHints_ && TabAreaRect().Contains(at) && TabAtPos(at.X, at.Y) < 0) m.Result = 1;
      return;
    }
    case CM_DIALOGCHAR: return CMDialogChar(m);
    case CM_COLORCHANGED: return CMColorChanged(m);
    case CM_PARENTCOLORCHANGED: return CMParentColorChanged(m);
    case CM_FONTCHANGED: return CMFontChanged(m);
    default: return TCustomControl::WndProc(m);
  }
}

void TSDDCustomTabControl::CMDialogChar(TMessage& m) {
  if (CanFocus())
    for (int i = 0; i < tabs_->Count(); ++i) {
      const TSDDTabData& tab = tabs_->Items(i);
      if (!tab.Enabled || !tab.Visible || !IsAccel(static_cast<unsigned>(m.WParam), tab.Caption)) continue;
      m.Result = 1;
      SetFocus();
      if (!Focused()) return;
      SetTabIndex(i);
      if (tabIndex_ == i) TabClick();
      return;
    }
  TCustomControl::WndProc(m);
}

void TSDDCustomTabControl::CMColorChanged(TMessage&) {
  brush_.SetColor(Color());
  if (!useColoredTabs_) return HotChanged();
  TMessage n{CM_PARENTCOLORCHANGED, 0, 0, 0};
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->WindowProc(n);
}

void TSDDCustomTabControl::CMParentColorChanged(TMessage& m) {
  TCustomControl::WndProc(m);
  if (!parentBackgroundColor_ || !Parent()) return;
  if (StoreChanged(backgroundColor_, Parent()->Color())) HotChanged();
}

void TSDDCustomTabControl::CMFontChanged(TMessage& m) {
  TCustomControl::WndProc(m);
  tabFont_.Assign(&Font());
  LayoutChanged();
}
