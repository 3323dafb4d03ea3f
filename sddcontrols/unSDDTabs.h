// The SDD tab control: an owner-drawn strip of shaped tabs in one or more rows, each row standing on a card; the
// front card (row 0) is the page area in which the children are aligned.
//
// The tabs are TSDDTabData records the descendants fill (the page control builds them from its pages) and
// announce with LayoutChanged. Changing a property that moves tabs marks the layout dirty; the layout runs at the
// start of the next paint (or of UpdateLayout) and keeps its geometry in a platform-free strip
// (core/unSDDTabLayout.h). Everything is painted into an off-screen bitmap (unSDDTabPaint.cpp); hit tests use the
// tabs' exact shapes as regions, kept in a region cache.
//
// Selection: TabIndex asks CanChange (visible, enabled, OnChanging) unless the change comes from the control
// itself. Keyboard (Home, End, arrows), mouse presses and accelerators select tabs; a single row too long for the
// control scrolls with the scroller; MultiLine brings the selected row to the front. Hot tracking and tab hints
// follow the mouse with a 60 ms timer; with AllowTabDragging a dragged tab is dropped onto another (MoveTab).
//
// Sections: events; tab control (properties, tabs and selection, geometry, hooks, messages).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "sddcontrols/core/unSDDTabDrawing.h"
#include "sddcontrols/core/unSDDTabLayout.h"
#include "sddcontrols/unSDDTabSupport.h"

// ---- events ---------------------------------------------------------------------------------------------------

using TSDDTabChangingEvent = TEvent<TObject* /*Sender*/, int /*NewIndex*/, bool& /*AllowChange*/>;
using TSDDTabCloseEvent = TEvent<TObject* /*Sender*/, bool& /*AllowClose*/>;
using TSDDGetTextColorEvent =
    TEvent<TObject* /*Sender*/, int /*ATabIndex*/, TSDDTextStyle /*AStyle*/, TColor& /*AColor*/, bool& /*Handled*/>;
using TSDDPaintBackgroundEvent = TEvent<TObject* /*Sender*/, TCanvas& /*ACanvas*/, const TRect& /*ARect*/,
                                        bool& /*Handled*/>;
using TSDDPaintCardBackgroundEvent = TEvent<TObject* /*Sender*/, TCanvas& /*ACanvas*/, int /*ARow*/,
                                            const TRect& /*ARect*/, bool& /*Handled*/>;
using TSDDPaintTabBackgroundEvent = TEvent<TObject* /*Sender*/, TCanvas& /*ACanvas*/, int /*ATabIndex*/,
                                           const TRect& /*ARect*/, bool& /*Handled*/>;

// ---- tab control ----------------------------------------------------------------------------------------------

class TSDDCustomTabControl : public TCustomControl {
public:
  explicit TSDDCustomTabControl(TComponent* owner);
  ~TSDDCustomTabControl() override;

  // -- properties: layout --
  bool AlignTabs() const { return alignTabs_; }
  virtual void SetAlignTabs(bool value);
  bool BoldCurrentTab() const { return boldCurrentTab_; }
  virtual void SetBoldCurrentTab(bool value);
  int CutCornerSize() const { return cutCornerSize_; }
  virtual void SetCutCornerSize(int value);
  TSDDHorizontalAlignment ImageAlignment() const { return imageAlignment_; }
  virtual void SetImageAlignment(TSDDHorizontalAlignment value);
  TSDDVerticalAlignment ImageAlignmentVertical() const { return imageAlignmentVertical_; }
  virtual void SetImageAlignmentVertical(TSDDVerticalAlignment value);
  int ImageMargin() const { return imageMargin_; }
  virtual void SetImageMargin(int value);
  TSDDImagePosition ImagePosition() const { return imagePosition_; }
  virtual void SetImagePosition(TSDDImagePosition value);
  TCustomImageList* Images() const { return images_; }
  virtual void SetImages(TCustomImageList* value);
  int Margin() const { return margin_; }
  virtual void SetMargin(int value);
  bool MultiLine() const { return multiLine_; }
  virtual void SetMultiLine(bool value);
  int RowIndent() const { return rowIndent_; }
  virtual void SetRowIndent(int value);
  int RowOverlap() const { return rowOverlap_; }
  virtual void SetRowOverlap(int value);
  bool ShowCardArea() const { return showCardArea_; }
  virtual void SetShowCardArea(bool value);
  bool ShowCardFrame() const { return showCardFrame_; }
  virtual void SetShowCardFrame(bool value);
  bool ShowCloseButton() const { return showCloseButton_; }
  virtual void SetShowCloseButton(bool value);
  // Off also switches ShowShadow off.
  bool ShowFullFrame() const { return showFullFrame_; }
  virtual void SetShowFullFrame(bool value);
  // On also switches ShowFullFrame on.
  bool ShowShadow() const { return showShadow_; }
  virtual void SetShowShadow(bool value);
  int TabHeight() const { return tabHeight_; }
  virtual void SetTabHeight(int value);
  int TabWidth() const { return tabWidth_; }
  virtual void SetTabWidth(int value);
  TSDDTabOrientation TabOrientation() const { return tabOrientation_; }
  virtual void SetTabOrientation(TSDDTabOrientation value);
  TSDDTabSequence TabSequence() const { return tabSequence_; }
  virtual void SetTabSequence(TSDDTabSequence value);
  TSDDTabStyle TabStyle() const { return tabStyle_; }
  virtual void SetTabStyle(TSDDTabStyle value);
  TSDDHorizontalAlignment TextAlignment() const { return textAlignment_; }
  virtual void SetTextAlignment(TSDDHorizontalAlignment value);
  TSDDVerticalAlignment TextAlignmentVertical() const { return textAlignmentVertical_; }
  virtual void SetTextAlignmentVertical(TSDDVerticalAlignment value);
  // Vertical text needs a TrueType font: any other becomes "Verdana" (not while a layout is read).
  TOrientation TextOrientation() const { return textOrientation_; }
  virtual void SetTextOrientation(TOrientation value);

  // -- properties: look --
  TColor BackgroundColor() const { return backgroundColor_; }
  // Also clears ParentBackgroundColor.
  virtual void SetBackgroundColor(TColor value);
  bool ParentBackgroundColor() const { return parentBackgroundColor_; }
  virtual void SetParentBackgroundColor(bool value);
  TColor FlatColor() const { return flatColor_; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  virtual void SetFlatColorAdjustment(int value);
  // The colour of outlines and frames: ChangeColorLightness(FlatColor, FlatColorAdjustment).
  TColor LineColor() const;
  bool HotTrack() const { return hotTrack_; }
  virtual void SetHotTrack(bool value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  virtual void SetHotTrackColor(TColor value);
  TSDDHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  virtual void SetHotTrackColorType(TSDDHotTrackColorType value);
  TSDDHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  virtual void SetHotTrackStyle(TSDDHotTrackStyle value);
  bool ShowFocusRect() const { return showFocusRect_; }
  virtual void SetShowFocusRect(bool value);
  TSDDTabColors& TabColors() { return *tabColors_; }
  virtual void SetTabColors(const TSDDTabColors* value) { tabColors_->Assign(value); }
  TSDDTextColors& TextColors() { return *textColors_; }
  virtual void SetTextColors(const TSDDTextColors* value) { textColors_->Assign(value); }
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  bool UseColoredTabs() const { return useColoredTabs_; }
  virtual void SetUseColoredTabs(bool value);
  bool UseGradients() const { return useGradients_; }
  virtual void SetUseGradients(bool value);

  // -- properties: behaviour --
  bool AllowTabDragging() const { return allowTabDragging_; }
  void SetAllowTabDragging(bool value) { allowTabDragging_ = value; }
  bool TabHints() const { return tabHints_; }
  virtual void SetTabHints(bool value);
  int RegionCacheCapacity() const { return regionCacheCapacity_; }
  // -1 or at least 1; anything else is ignored.
  virtual void SetRegionCacheCapacity(int value);

  // -- tabs and selection --
  TSDDTabDataList& Tabs() { return *tabs_; }
  int TabIndex() const { return tabIndex_; }
  // See the unit's comment; while a layout is read the value is only stored.
  virtual void SetTabIndex(int value);
  // The tab under a client point (the selected one first), -1 for none.
  int TabAtPos(int x, int y);
  int HotTab() const { return hotTab_; }
  // After a descendant changed the tab list or anything the layout depends on.
  virtual void LayoutChanged();
  // Runs the layout now when it is dirty (painting does so too).
  void UpdateLayout();
  bool LayoutDirty() const { return layoutDirty_; }

  // -- geometry (as of the last layout) --
  int FixedDimension() const { return strip_.FixedDimension; }
  // The streamed row thickness, until the first layout recomputes it.
  void ReadFixedDimension(int value) { strip_.FixedDimension = value; }
  int RowCount() const { return strip_.RowCount; }
  int FirstShownTab() const { return strip_.FirstShownTab; }
  bool ScrollerNeeded() const { return strip_.ScrollerNeeded; }
  TRect TabRect(int index) const;
  std::vector<TPoint> TabPolygon(int index) const;
  TRect TabAreaRect() const;
  TRect CardRect(int row) const;
  TRect PageRect() const;
  bool IsTabShown(int index) const;
  // Whether the scroller's halves can scroll (back: towards the first tab).
  bool CanScrollBack() const;
  bool CanScrollForward() const;
  bool ScrollReversed() const;
  // The tab's region from the cache (made and cached when missing); null for a tab without a shape.
  HRGN TabRegion(int index);
  TSDDTabRegionCache& RegionCache() { return regionCache_; }
  TSDDTabScroller* Scroller() const { return scroller_; }
  TSDDTabCloseButton* CloseButton() const { return closeButton_; }

  // -- hooks a descendant overrides --
  // The close button was released: the page control closes its active page.
  virtual void CloseTab() {}
  // A dragged tab was dropped onto tab `newIndex`: the page control moves its active page there.
  virtual void MoveTab(int /*newIndex*/) {}
  // Clears the hot flag and repaints.
  virtual void HotChanged();

  TNotifyEvent OnChange;
  TSDDTabChangingEvent OnChanging;
  TSDDTabCloseEvent OnClose;
  TSDDGetTextColorEvent OnGetTextColor;
  TSDDPaintBackgroundEvent OnPaintBackground;
  TSDDPaintCardBackgroundEvent OnPaintCardBackground;
  TSDDPaintTabBackgroundEvent OnPaintTabBackground;
  TNotifyEvent OnTabClick;

  // ParentBackgroundColor: the new parent's colour becomes the background.
  void SetParent(TWinControl* parent) override;
  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void Resize() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;

  // Fires OnChanging (AllowChange starting true).
  virtual void DoChanging(int newIndex, bool& allowChange);
  virtual void DoGetTextColor(int tabIndex, TSDDTextStyle style, TColor& color, bool& handled);
  virtual void TabClick();
  virtual void PaintBackground(TCanvas& canvas, const TRect& rect, bool& handled);
  virtual void PaintCardBackground(TCanvas& canvas, int row, const TRect& rect, bool& handled);
  virtual void PaintTabBackground(TCanvas& canvas, int tabIndex, const TRect& rect, bool& handled);
  // Draws (or, with `erase`, removes) the drop mark at `rect` on the window.
  virtual void DrawDropMark(const TRect& rect, bool erase);
  virtual void SetLayoutDirty(bool value);
  // Fires OnChange.
  virtual void Change();
  // What the page control uses to hide and show every tab.
  virtual void HideAllTabs() {}
  virtual void ShowAllTabs() {}

  // The tab is visible and enabled, and OnChanging agrees.
  bool CanChange(int index);
  // A selection the control made itself: OnChanging was asked already (or is not to be asked).
  void SelectTabBySelf(int index);
  // The same tab under a new number after the tab list changed around it: stored (-1 outside the list) and
  // repainted; nobody is asked or told.
  void RenumberSelection(int index);
  bool Loading() const { return HasState(csLoading) || HasState(csReading); }

private:
  // -- layout --
  void DoLayout();
  void SyncStrip();
  sddtabs::TExtent MeasureContent(const TSDDTabData& tab, HDC dc);
  void StoreGeometry();
  void PlaceButtons();
  void NeedScroller();
  void NeedCloseButton();
  void ScrollerUpRight(TObject* sender);
  void ScrollerDownLeft(TObject* sender);
  void CloseButtonClose(TObject* sender);
  void ScrollBy(bool forward);
  void FrameColorsChanged();
  void LayoutSetting(bool changed);

  // -- painting (unSDDTabPaint.cpp) --
  void DrawCardsAndTabs(TCanvas& canvas);
  void DrawCard(TCanvas& canvas, int row);
  void DrawTab(TCanvas& canvas, int index);
  void FillTab(TCanvas& canvas, int index, const TRect& r);
  void PaintTabContent(TCanvas& canvas, int index, const TRect& r);
  void DrawCaption(TCanvas& canvas, int index, const TRect& textArea, bool selected, TColor color, int dx, int dy);
  void DrawBar(TCanvas& canvas, const TRect& tab, TColor color);
  TColor TextColor(int index, TSDDTextStyle style, TColor fallback);
  void Replay(TCanvas& canvas, const sddtabs::TLineCommands& list);

  // -- behaviour --
  void StartHotTracking();
  void EndHotTracking();
  void HotTimerTick();
  void SetHotTab(int index);
  void InvalidateTabArea();
  void ShowTabHint(int index);
  void RestoreHint();
  void DragOver(int x, int y);
  void EndDrag(bool drop);
  void ImagesChanged(TObject* sender);
  void CMDialogChar(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMFontChanged(TMessage& m);

  // properties
  bool alignTabs_ = false;
  bool boldCurrentTab_ = false;
  int cutCornerSize_ = 6;
  TSDDHorizontalAlignment imageAlignment_ = haCenter;
  TSDDVerticalAlignment imageAlignmentVertical_ = vaCenter;
  int imageMargin_ = 2;
  TSDDImagePosition imagePosition_ = ipLeft;
  TCustomImageList* images_ = nullptr;
  int margin_ = 0;
  bool multiLine_ = false;
  int rowIndent_ = 5;
  int rowOverlap_ = 5;
  bool showCardArea_ = true;
  bool showCardFrame_ = true;
  bool showCloseButton_ = false;
  bool showFullFrame_ = true;
  bool showShadow_ = true;
  int tabHeight_ = 0;
  int tabWidth_ = 0;
  TSDDTabOrientation tabOrientation_ = toTop;
  TSDDTabSequence tabSequence_ = tsStandard;
  TSDDTabStyle tabStyle_ = tsSingleSlant;
  TSDDHorizontalAlignment textAlignment_ = haCenter;
  TSDDVerticalAlignment textAlignmentVertical_ = vaCenter;
  TOrientation textOrientation_ = orHorizontal;
  TColor backgroundColor_ = clBtnFace;
  bool parentBackgroundColor_ = true;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 0;
  bool hotTrack_ = true;
  TColor hotTrackColor_ = clHighlight;
  TSDDHotTrackColorType hotTrackColorType_ = htctComplement;
  TSDDHotTrackStyle hotTrackStyle_ = htsTab;
  bool showFocusRect_ = true;
  std::unique_ptr<TSDDTabColors> tabColors_;
  std::unique_ptr<TSDDTextColors> textColors_;
  bool transparent_ = false;
  bool useColoredTabs_ = false;
  bool useGradients_ = true;
  bool allowTabDragging_ = false;
  bool tabHints_ = false;
  int regionCacheCapacity_ = 1;

  // state
  std::unique_ptr<TSDDTabDataList> tabs_;
  int tabIndex_ = -1;
  sddtabs::TStrip strip_;
  TSDDTabRegionCache regionCache_;
  TSDDTabScroller* scroller_ = nullptr;
  TSDDTabCloseButton* closeButton_ = nullptr;
  TChangeLink imageLink_;
  TFont tabFont_;
  TBitmap bitmap_;
  bool layoutDirty_ = true;
  bool selfChange_ = false;
  int hotTab_ = -1;
  bool hotFlag_ = false;  // the paint under way repaints only the tab area for hot tracking
  UINT_PTR hotTimer_ = 0;
  bool tabHintShown_ = false;
  std::string savedHint_;
  bool dragging_ = false;
  int dropTarget_ = -1;
  TRect dropMark_;
  TRect lastPageArea_{-1, -1, -1, -1};
};
