// The splitter: a panel divided into two panes, upper/left and lower/right, by a bar the user drags.
//
// The bar's place is kept in pixels (Position, from the client rect's left or top edge) and as a percentage
// (Percent, rounded half to even); either pane can keep its size when the splitter is resized; margins keep the bar
// from the edges. A hot spot in the middle of the bar collapses the splitter to one side with a click and restores
// it with another; CollapseSplitter, CollapseByHotSpotDirection and RestoreSplitter do the same from code. The bar
// is drawn plain, as a groove or bump, or as a gradient group bar; dragging moves it live or shows a pattern line
// until the mouse is released (Escape cancels).
//
// Layouts hold the panes' children as children of the splitter; Loaded moves them into their panes by the names
// listed under "UpperLeftControls" and "LowerRightControls".
//
// Docking: a pane may be a dock site (UpperLeft.DockSite); its site-info, dock-over, dock-drop and undock events
// fire the splitter's OnUL... (upper/left pane) or OnLR... (lower/right pane) events with the same arguments.
//
// Sections: pane; pane data; splitter.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sddcontrols/core/unSDDSplitGeometry.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSplitBar.h"

class TSDDSplitter;

// ---- pane -----------------------------------------------------------------------------------------------------

// One of the splitter's two panes. Over its empty areas it lets the mouse through to the splitter (unless it is a
// dock site); it repaints when it gains or loses the focus, and the splitter arranges the panes again whenever
// one is shown or hidden.
class TSDDSplitterPane : public TSDDCustomPanel {
public:
  explicit TSDDSplitterPane(TComponent* owner);
  TSDDSplitter* Splitter() const { return splitter_; }
  void WndProc(TMessage& message) override;
  // The children arrived from the layout: their tab order is taken from it again.
  void ChildrenLoaded() { Loaded(); }

private:
  friend class TSDDSplitter;
  TSDDSplitter* splitter_ = nullptr;
};

// ---- pane data ------------------------------------------------------------------------------------------------

// A pane's look as the splitter publishes it (UpperLeft.Color = ... in layouts): reads the pane, writes through its
// setters.
class TSDDPaneData : public TPersistent {
public:
  explicit TSDDPaneData(TSDDSplitterPane& pane) : pane_(pane) {}

  TColor BorderColor() const { return pane_.BorderColor(); }
  void SetBorderColor(TColor v) { pane_.SetBorderColor(v); }
  TFrameStyleEx BorderInner() const { return pane_.BorderInner(); }
  void SetBorderInner(TFrameStyleEx v) { pane_.SetBorderInner(v); }
  TFrameStyleEx BorderOuter() const { return pane_.BorderOuter(); }
  void SetBorderOuter(TFrameStyleEx v) { pane_.SetBorderOuter(v); }
  int BorderWidth() const { return pane_.BorderWidth(); }
  void SetBorderWidth(int v) { pane_.SetBorderWidth(v); }
  TColor Color() const { return pane_.Color(); }
  void SetColor(TColor v) { pane_.SetColor(v); }
  TColor FlatColor() const { return pane_.FlatColor(); }
  void SetFlatColor(TColor v) { pane_.SetFlatColor(v); }
  int FlatColorAdjustment() const { return pane_.FlatColorAdjustment(); }
  void SetFlatColorAdjustment(int v) { pane_.SetFlatColorAdjustment(v); }
  bool DockSite() const { return pane_.DockSite(); }
  void SetDockSite(bool v) { pane_.SetDockSite(v); }
  bool ShowDockClientCaptions() const { return pane_.ShowDockClientCaptions(); }
  void SetShowDockClientCaptions(bool v) { pane_.SetShowDockClientCaptions(v); }
  bool Visible() const { return pane_.Visible(); }
  void SetVisible(bool v) { pane_.SetVisible(v); }

private:
  TSDDSplitterPane& pane_;
};

// ---- splitter -------------------------------------------------------------------------------------------------

class TSDDSplitter : public TSDDSplitBarPanel {
public:
  explicit TSDDSplitter(TComponent* owner);
  ~TSDDSplitter() override;

  // -- panes --
  TSDDSplitterPane& UpperLeftPane() const { return *panes_[0]; }
  TSDDSplitterPane& LowerRightPane() const { return *panes_[1]; }
  TSDDPaneData& UpperLeft() { return *paneData_[0]; }
  TSDDPaneData& LowerRight() { return *paneData_[1]; }
  // Pane data is not assignable as a whole: both throw the class library's assignment error.
  void SetUpperLeft(const TSDDPaneData* value) { UpperLeft().Assign(value); }
  void SetLowerRight(const TSDDPaneData* value) { LowerRight().Assign(value); }

  // -- position --
  TOrientation Orientation() const { return orientation_; }
  virtual void SetOrientation(TOrientation value);
  int Position() const { return position_; }
  // Clamped, offered to OnChanging (which may refuse), stored with its percentage; the panes follow and OnChange
  // fires. An unchanged value does nothing, except while the splitter is being resized.
  virtual void SetPosition(int value);
  // Sets Position and the drag distance when `value` differs from Position.
  virtual void UpdatePosition(int value);
  int MarginMin() const { return marginMin_; }
  virtual void SetMarginMin(int value);
  int MarginMax() const { return marginMax_; }
  virtual void SetMarginMax(int value);
  bool UsePercent() const { return usePercent_; }
  virtual void SetUsePercent(bool value);
  int Percent() const { return percent_; }
  virtual void SetPercent(int value);
  int PercentMin() const { return percentMin_; }
  virtual void SetPercentMin(int value);
  int PercentMax() const { return percentMax_; }
  virtual void SetPercentMax(int value);
  TFixedPane FixedPane() const { return fixedPane_; }
  virtual void SetFixedPane(TFixedPane value);
  TSelectedPane SelectedPane() const { return selectedPane_; }
  virtual void SetSelectedPane(TSelectedPane value) { selectedPane_ = value; }

  // -- bar and hot spot --
  TSplitterStyle SplitterStyle() const { return splitterStyle_; }
  virtual void SetSplitterStyle(TSplitterStyle value);
  int SplitterWidth() const { return splitterWidth_; }
  virtual void SetSplitterWidth(int value);
  THotSpotDirection HotSpotDirection() const { return hotSpotDirection_; }
  virtual void SetHotSpotDirection(THotSpotDirection value);
  void SetHotSpotSizePercent(int value) override;

  // -- collapsing --
  bool HotSpotClosed() const { return hotSpotClosed_; }
  bool HotSpotClosedToMin() const { return hotSpotClosedToMin_; }
  bool HotSpotClosedToMax() const { return hotSpotClosedToMax_; }
  // The position a restore returns to.
  int HotSpotPosition() const { return hotSpotPosition_; }
  // Moves the bar to the start (or the end) as far as the clamp allows and remembers where it was; nothing when
  // already collapsed.
  void CollapseSplitter(bool toMin);
  // Toward the start for hsdMin, toward the end for hsdMax and hsdBoth.
  void CollapseByHotSpotDirection();
  // Back to the remembered position; nothing when not collapsed.
  void RestoreSplitter();
  virtual void ResetHotSpotFlags();

  // -- geometry --
  const TRect& BarSize() const { return barSize_; }
  const TRect& HotSpotRect() const { return hotSpotRect_; }
  int DragDistance() const { return dragDistance_; }
  int FixedDistance() const { return fixedDistance_; }
  // The border the clamp and the drag line allow for (the left and top sides' frames and the border band).
  virtual int BorderSize();
  // Places the panes and the bar for Position (nothing while loading); nested splitters arrange theirs too.
  virtual void ArrangePanes();

  // -- panel properties the panes follow --
  void SetBorderInner(TFrameStyleEx value) override;
  void SetBorderOuter(TFrameStyleEx value) override;
  void SetBorderSides(TSides value) override;
  void SetBorderWidth(int value);
  void SetTransparent(bool value) override;
  void SetParentColor(bool value);

  // Veto of a new position: (Sender, NewPos, AllowChange).
  TPositionChangingEvent OnChanging;
  TNotifyEvent OnChange;
  // The panes' dock events (the Sender is the pane).
  TGetSiteInfoEvent OnULGetSiteInfo, OnLRGetSiteInfo;
  TDockOverEvent OnULDockOver, OnLRDockOver;
  TDockDropEvent OnULDockDrop, OnLRDockDrop;
  TUnDockEvent OnULUnDock, OnLRUnDock;

  // The panel's client rect inside the borders (unless the splitter is a dock site).
  TRect ClientRect() const override;
  void WndProc(TMessage& message) override;

  // Layout data (the define-property hook): the bar, the collapse state and the panes' control names.
  void ReadBarSize(const TRect& bar);
  void ReadHotSpotClosed(bool value) { hotSpotClosed_ = value; }
  void ReadHotSpotClosedToMin(bool value) { hotSpotClosedToMin_ = value; }
  void ReadHotSpotClosedToMax(bool value) { hotSpotClosedToMax_ = value; }
  void ReadHotSpotPosition(int value) { hotSpotPosition_ = value; }
  void ReadPaneControls(int pane, std::vector<std::string> names) { paneControls_[pane] = std::move(names); }
  const std::vector<std::string>& PaneControls(int pane) const { return paneControls_[pane]; }

protected:
  void Paint() override;
  void Loaded() override;
  void Resize() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  bool OnBar(TPoint p) const override { return barSize_.Contains(p); }
  bool OnHotSpot(TPoint p) const override { return HotSpotVisible() && hotSpotRect_.Contains(p); }
  bool BarMovesAlongX() const override { return orientation_ == orHorizontal; }
  bool HighlightFollowsMouse() const override { return hotSpotDirection_ == hsdBoth; }
  void PaintHotSpot(bool hot, TPoint mouse) override;
  void HotSpotVisibilityChanged() override;
  void DragCancelled() override;

  virtual void UpdateFixedDistance();
  virtual void SetDragDistance(int position);
  virtual void CalcHotSpotRect();
  virtual void ClampPosition(int& position);
  virtual void DrawDragLine(int position);
  virtual void PaintSplitterBar();
  virtual bool DoChanging(int position);
  virtual void DoChange();

private:
  friend class TSDDSplitterPane;
  int Extent() const;
  void RoutePaneDockEvents(TSDDSplitterPane& pane, TGetSiteInfoEvent& siteInfo, TDockOverEvent& over,
                           TDockDropEvent& drop, TUnDockEvent& undock);
  void PaneVisibilityChanged();
  void ApplyResizeRule();
  void Toggle(TPoint releasedAt);
  void CMShowControl(TMessage& m);

  TSDDSplitterPane* panes_[2] = {};
  std::unique_ptr<TSDDPaneData> paneData_[2];
  std::vector<std::string> paneControls_[2];

  TOrientation orientation_ = orHorizontal;
  int position_ = 100;
  int marginMin_ = 0;
  int marginMax_ = 0;
  bool usePercent_ = false;
  int percent_ = 50;
  int percentMin_ = 0;
  int percentMax_ = 100;
  TFixedPane fixedPane_ = fpUpperLeft;
  TSelectedPane selectedPane_ = spUpperLeft;
  TSplitterStyle splitterStyle_ = ssStandard;
  int splitterWidth_ = 4;
  THotSpotDirection hotSpotDirection_ = hsdMin;

  bool hotSpotClosed_ = false;
  bool hotSpotClosedToMin_ = false;
  bool hotSpotClosedToMax_ = false;
  int hotSpotPosition_ = 100;

  TRect barSize_;
  TRect hotSpotRect_;
  int fixedDistance_ = 100;
  int dragDistance_ = 100;
  // The extent Position was last stored for: a layout's position belongs to the layout's size.
  int positionExtent_ = 0;
  int startPosition_ = 0;
  int lastDragPosition_ = 0;
  int grabOffset_ = 0;
  bool resizing_ = false;
};
