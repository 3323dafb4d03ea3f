// The size panel: a panel docked to one side of its parent with a size bar along one edge. Dragging the bar
// resizes the panel itself; a hot-spot box on the bar collapses the panel to the bar alone and opens it again.
// A panel aligned to the top or bottom can lock its open height, and a gradient group bar can carry a bold caption,
// which makes the panel a collapsible titled section.
//
// The bar lies on the edge facing the parent's free area (the top for top- and bottom-aligned panels), and the
// client and paint rects give that edge up, so aligned children never overlap the bar or its caption. Clamping a
// size needs the parent: without one the panel raises "No parent specified".
//
// Docking: a size panel that is a dock site gets a TSDDSizePanelDockManager (caption bands by alignment, drawn
// only while the panel is open; unSDDDockManager.h).
//
// Sections: size panel; published size panel.
#pragma once

#include <string>

#include "sddcontrols/core/unSDDSplitGeometry.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSplitBar.h"

// ---- size panel -----------------------------------------------------------------------------------------------

class TSDDCustomSizePanel : public TSDDSplitBarPanel {
public:
  explicit TSDDCustomSizePanel(TComponent* owner);

  // For alNone and alCustom the side the panel is taken to sit on; other alignments ignore it.
  TSide Side() const { return side_; }
  virtual void SetSide(TSide value);
  // Realigns the children too: the client rect gives up the bar's edge, which the alignment decides.
  void SetAlign(TAlign value);
  int SizeBarWidth() const { return sizeBarWidth_; }
  virtual void SetSizeBarWidth(int value);
  TSplitterStyle SizeBarStyle() const { return sizeBarStyle_; }
  virtual void SetSizeBarStyle(TSplitterStyle value);
  int MarginMin() const { return marginMin_; }
  virtual void SetMarginMin(int value);
  int MarginMax() const { return marginMax_; }
  virtual void SetMarginMax(int value);
  // A top- or bottom-aligned panel opens (and is pressed back) to LockedHeight.
  bool UseLockedHeight() const { return useLockedHeight_; }
  void SetUseLockedHeight(bool value) { useLockedHeight_ = value; }
  int LockedHeight() const { return lockedHeight_; }
  void SetLockedHeight(int value) { lockedHeight_ = value; }
  // The group bar's bold caption.
  const std::string& BarCaption() const { return barCaption_; }
  void SetBarCaption(const std::string& value);
  TColor BarCaptionColor() const { return barCaptionColor_; }
  void SetBarCaptionColor(TColor value);

  // Collapsed to the bar; HotSpotPosition is the size it opens to. Hiding the hot spot opens the state, without
  // resizing.
  bool HotSpotClosed() const { return hotSpotClosed_; }
  int HotSpotPosition() const { return hotSpotPosition_; }
  void ResetHotSpot() { hotSpotClosed_ = false; }

  // -- geometry --
  bool IsBarHorizontal() const;
  TRect GetSizeBarRect() const;
  // The hot spot on the bar (centred, HotSpotSizePercent of its length) and the box a click must hit.
  TRect HotSpotRect() const;
  TRect HotSpotBox(bool forMouse) const;
  // The parent's client rect less its visible edge-aligned controls; raises "No parent specified" without one.
  TRect GetParentFreeRect() const;
  int GetMaxSize() const;
  // A dragged or reopened size within what the parent leaves; raises "No parent specified" without a parent.
  void ClampSize(int& size) const;
  // The panel's rect less the bar (and the pixel after it).
  TRect ClientRect() const override;
  TRect GetPaintRect() override;
  // Unchanged while collapsed: the bar is all there is.
  TRect AdjustBorderRect(const TRect& r, bool withBorderWidth) override;

  // Layout data (the define-property hook).
  void ReadHotSpotClosed(bool value) { hotSpotClosed_ = value; }
  void ReadHotSpotPosition(int value) { hotSpotPosition_ = value; }

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  bool OnBar(TPoint p) const override { return GetSizeBarRect().Contains(p); }
  bool OnHotSpot(TPoint p) const override { return HotSpotVisible() && HotSpotBox(true).Contains(p); }
  bool BarMovesAlongX() const override { return !IsBarHorizontal(); }
  void PaintHotSpot(bool hot, TPoint mouse) override;
  void HotSpotVisibilityChanged() override;
  std::unique_ptr<TDockTree> CreateDockManager() override;
  virtual void PaintSizeBar();
  virtual void DrawDragLine(int size);

private:
  sddsplit::TSizeEdge Edge() const;
  TSizePanelAlign PanelAlign() const;
  // The height the panel opens to: LockedHeight when locked, else Height.
  int OpenHeight() const;
  void ToggleCollapsed();
  void EnsureLockedHeight();
  // Repaints the border strips a size change moves, then the panel's own handling; every change, a move too,
  // is reported as a resize once the layout is read.
  void WMWindowPosChanged(TMessage& m);

  TSide side_ = sdLeft;
  int sizeBarWidth_ = 4;
  TSplitterStyle sizeBarStyle_ = ssStandard;
  int marginMin_ = 0;
  int marginMax_ = 0;
  bool useLockedHeight_ = false;
  int lockedHeight_ = 0;
  std::string barCaption_;
  TColor barCaptionColor_ = clBlack;

  bool hotSpotClosed_ = false;
  int hotSpotPosition_ = 100;
  int startSize_ = 0;
  int pressWidth_ = 0;
  int pressOpenHeight_ = 0;
  int grabOffset_ = 0;
  int lastSize_ = 0;
};

// ---- published size panel -------------------------------------------------------------------------------------

class TSDDSizePanel : public TSDDCustomSizePanel {
public:
  using TSDDCustomSizePanel::TSDDCustomSizePanel;
};
