// The SDD panel and the status bar built on it.
//
// TSDDCustomPanel draws its border in one of the twelve frame styles (outer frame, border band, inner frame), a
// plain, gradient or transparent background, an optional grid and a word-wrapped caption; it remembers which
// children were enabled while it is disabled. TSDDStatusBar sits at the bottom of a form, holds status panes,
// draws a size grip that sizes the form, and has a one-text simple mode.
//
// Docking: a panel that is a dock site with UseDockManager (on by default) gets a TSDDPanelDockManager
// (unSDDDockManager.h), which draws the docked clients' captions while ShowDockClientCaptions is on.
//
// Sections: panel; status bar.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/Themes.h"
#include "sddcontrols/core/unSDDCommonTypes.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDCommonComponents.h"

enum TSDDGridStyle { gsDots, gsDottedLines, gsSolidLines, gsVS2K10Dots };

// Four one-pixel lines in `color` whose corners stay open: the flat frame of the simple status and the panes.
void DrawOpenFlatFrame(TCanvas& canvas, const TRect& r, TColor color);

// ---- panel ----------------------------------------------------------------------------------------------------

class TSDDCustomPanel : public TCustomPanel, public ISDDFrameControllerClient {
public:
  explicit TSDDCustomPanel(TComponent* owner);
  ~TSDDCustomPanel() override;

  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  virtual void SetAlignmentVertical(TAlignmentVertical value);
  TColor BorderColor() const { return borderColor_; }
  virtual void SetBorderColor(TColor value);
  TFrameStyleEx BorderInner() const { return borderInner_; }
  virtual void SetBorderInner(TFrameStyleEx value);
  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  virtual void SetBorderOuter(TFrameStyleEx value);
  TSides BorderSides() const { return borderSides_; }
  virtual void SetBorderSides(TSides value);
  TColor BorderHighlight() const { return borderHighlight_; }
  virtual void SetBorderHighlight(TColor value);
  TColor BorderShadow() const { return borderShadow_; }
  virtual void SetBorderShadow(TColor value);
  TColor FlatColor() const { return flatColor_; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  virtual void SetFlatColorAdjustment(int value);
  TSDDFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TSDDFrameController* value);
  TColor GradientColorStart() const { return gradientColorStart_; }
  virtual void SetGradientColorStart(TColor value);
  TColor GradientColorStop() const { return gradientColorStop_; }
  virtual void SetGradientColorStop(TColor value);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  virtual void SetGradientDirection(TGradientDirection value);
  TColor GridColor() const { return gridColor_; }
  virtual void SetGridColor(TColor value);
  TColor VS2K10GridColor() const { return vs2k10GridColor_; }
  virtual void SetVS2K10GridColor(TColor value);
  TSDDGridStyle GridStyle() const { return gridStyle_; }
  virtual void SetGridStyle(TSDDGridStyle value);
  uint16_t GridXSize() const { return gridXSize_; }
  virtual void SetGridXSize(uint16_t value);
  uint16_t GridYSize() const { return gridYSize_; }
  virtual void SetGridYSize(uint16_t value);
  bool ShowGrid() const { return showGrid_; }
  virtual void SetShowGrid(bool value);
  bool Transparent() const { return transparent_; }
  // Also makes the panel opaque (or not) and repaints the children, which show through it.
  virtual void SetTransparent(bool value);
  bool ThemeAware() const { return themeAware_; }
  virtual void SetThemeAware(bool value);
  bool UseGradients() const { return useGradients_; }
  virtual void SetUseGradients(bool value);
  bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
  void SetShowDockClientCaptions(bool value);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnPaint;

  // The mouse position in client coordinates.
  virtual TPoint GetCursorPosition();
  // r inside the borders: less BorderWidth when `withBorderWidth`, then less the outer and inner styles' widths
  // on the sides in BorderSides.
  virtual TRect AdjustBorderRect(const TRect& r, bool withBorderWidth);
  virtual TRect GetPaintRect();
  // Takes the controller's look when its frame is visible.
  void UpdateFromFrameController() override;

  void SetBounds(int left, int top, int width, int height) override;
  // A dock site's area for its docked clients lies inside the borders too.
  void AdjustClientRect(TRect& rect) const override;
  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void CreateWnd() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DrawCaption(TRect r);
  virtual void DrawGrid(const TRect& r);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  std::unique_ptr<TDockTree> CreateDockManager() override;

  // The border painting parameters of the panel's current properties.
  TPanelBorder BorderParameters();

private:
  void WMEraseBkgnd(TMessage& m);
  void WMWindowPosChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMControlListChange(TMessage& m);
  void Changed();
  void BorderChanged();

  TAlignmentVertical alignmentVertical_ = avCenter;
  TFrameStyleEx borderInner_ = fsNone;
  TFrameStyleEx borderOuter_ = fsRaised;
  TSides borderSides_ = AllSides;
  TColor borderColor_ = clBtnFace;
  TColor borderHighlight_ = clBtnHighlight;
  TColor borderShadow_ = clBtnShadow;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  bool useGradients_ = false;
  TColor gradientColorStart_ = clWhite;
  TColor gradientColorStop_ = clBtnFace;
  TGradientDirection gradientDirection_ = gdHorizontalEnd;
  TColor gridColor_ = clBtnShadow;
  TSDDGridStyle gridStyle_ = gsDots;
  uint16_t gridXSize_ = 8;
  uint16_t gridYSize_ = 8;
  TColor vs2k10GridColor_ = clBlack;  // a new panel holds black, though layouts take clBtnShadow as the default
  bool showGrid_ = false;
  bool transparent_ = false;
  bool showDockClientCaptions_ = true;
  bool themeAware_ = true;
  TSDDFrameController* frameController_ = nullptr;
  // The window's size as of its last move: a resize compares the new size with it.
  int windowWidth_ = 0;
  int windowHeight_ = 0;
  // Each child's enabled state from when the panel was disabled.
  std::vector<std::pair<TControl*, bool>> enabledMemory_;
};

class TSDDPanel : public TSDDCustomPanel {
public:
  using TSDDCustomPanel::TSDDCustomPanel;
};

// ---- status bar -----------------------------------------------------------------------------------------------

class TSDDStatusBar : public TSDDCustomPanel {
public:
  explicit TSDDStatusBar(TComponent* owner);
  ~TSDDStatusBar() override;

  bool AutoStyle() const { return autoStyle_; }
  void SetAutoStyle(bool value) { autoStyle_ = value; }
  bool SimpleStatus() const { return simpleStatus_; }
  // Hides (or shows again) every child.
  virtual void SetSimpleStatus(bool value);
  const std::string& SimpleCaption() const { return simpleCaption_; }
  virtual void SetSimpleCaption(const std::string& value);
  TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
  virtual void SetSimpleFrameStyle(TFrameStyle value);
  bool ShowSizeGrip() const { return showSizeGrip_; }
  virtual void SetShowSizeGrip(bool value);
  bool AutoScalePanes() const { return autoScalePanes_; }
  void SetAutoScalePanes(bool value) { autoScalePanes_ = value; }
  // Changing a border clears AutoStyle.
  void SetBorderInner(TFrameStyleEx value) override;
  void SetBorderOuter(TFrameStyleEx value) override;
  void SetBorderSides(TSides value) override;

  // The form can be sized from the grip: it is sizeable and not maximised.
  bool SizeGripActive();
  // (Width - 13, 0, Width, Height).
  TRect SizeGripRect() const;
  // Borders none, height 19, no border band; AutoStyle stays.
  virtual void ApplyAutoStyle();

  TRect ClientRect() const override;
  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void Resize() override;
  void CreateWnd() override;
  virtual void DrawSimpleFrame(const TRect& r);

private:
  friend class TSDDCustomStatusPane;
  bool Themed();
  void DrawSizeGrip(TCanvas& canvas);
  void WMPaint(TMessage& m);
  bool OverGrip(TPoint p);

  bool autoStyle_ = true;
  bool simpleStatus_ = false;
  std::string simpleCaption_;
  TFrameStyle simpleFrameStyle_ = fsFlat;
  bool showSizeGrip_ = true;
  bool autoScalePanes_ = false;
  bool sizeGripActive_ = false;
  bool firstResize_ = true;
  int lastWidth_ = 0;
  std::unique_ptr<TControlCanvas> gripCanvas_;
  TThemeHandle theme_{L"Status"};
};
