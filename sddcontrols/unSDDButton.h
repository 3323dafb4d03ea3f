// The SDD push buttons and the small arrow button.
//
// TSDDCustomButton is a focusable owner-drawn button base: pressed, hot and focus state, vertical caption
// alignment, raised, recessed or shadowed caption text, transparency and theme awareness; the check box family
// builds on it. TSDDButton is the push button: default and cancel keys (the "active default" look follows the
// focus), a modal result set before OnClick, groups of buttons of which one is down, and a classic, a flat
// hot-track and a themed face. TSDDControlButton is a windowless arrow, drop-down or glyph button that repeats its
// click while held (the spin buttons are two of them).
//
// Groups: a TSDDButton with a GroupIndex tells its siblings through its parent with the message
// CM_SDDBUTTONGROUP (WParam the group index, LParam the sender); a sibling of the group that is down as well goes
// up and takes the sender's AllowAllUp.
//
// Sections: custom button; push button; control button; themed parts.
#pragma once

#include <cstdint>
#include <memory>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/Themes.h"
#include "sddcontrols/core/unSDDCommonTypes.h"

class TTimer;

// The group broadcast of TSDDButton.
constexpr UINT CM_SDDBUTTONGROUP = 9249;

// ---- custom button --------------------------------------------------------------------------------------------

class TSDDCustomButton : public TCustomControl {
public:
  explicit TSDDCustomButton(TComponent* owner);

  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  virtual void SetAlignmentVertical(TAlignmentVertical value);
  bool HotTrack() const { return hotTrack_; }
  virtual void SetHotTrack(bool value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value);
  TSDDHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TSDDHotTrackColorType value);
  TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(TColor value);
  bool LightTextStyle() const { return lightTextStyle_; }
  virtual void SetLightTextStyle(bool value);
  TTextStyle TextStyle() const { return textStyle_; }
  virtual void SetTextStyle(TTextStyle value);
  TColor TextHighlightColor() const { return textHighlightColor_; }
  virtual void SetTextHighlightColor(TColor value);
  TColor TextShadowColor() const { return textShadowColor_; }
  virtual void SetTextShadowColor(TColor value);
  int TextShadowDepth() const { return textShadowDepth_; }
  virtual void SetTextShadowDepth(int value);
  bool ThemeAware() const { return themeAware_; }
  virtual void SetThemeAware(bool value);
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);

  bool Pressed() const { return pressed_; }
  bool MouseInside() const { return mouseInside_; }
  // Theme-aware with visual styles on: theme elements replace the library's own look.
  bool Themed() const;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void WndProc(TMessage& message) override;

protected:
  // What a press released inside does (also a released Space key in the push button); nothing here.
  virtual void DoClick() {}
  virtual void UpdateButton() { Repaint(); }
  virtual TRect GetButtonRect() { return ClientRect(); }
  // The caption in r on `canvas` with the DT_* `flags`, placed by AlignmentVertical and drawn by TextStyle
  // (engraved when disabled).
  virtual void DrawButtonText(TCanvas& canvas, TRect r, UINT flags);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // 0 <= x < width and 0 <= y < height of the client area.
  bool InClient(int x, int y) const;
  void SetPressed(bool value);

  bool mouseDown_ = false;
  bool mouseInside_ = false;
  bool pressed_ = false;

private:
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMFocus(TMessage& m);
  void HoverChanged();

  TAlignmentVertical alignmentVertical_ = avCenter;
  bool hotTrack_ = false;
  TColor hotTrackColor_ = clHighlight;
  TSDDHotTrackColorType hotTrackColorType_ = htctComplement;
  TColor highlightColor_ = clHighlight;
  bool lightTextStyle_ = false;
  TTextStyle textStyle_ = tsNormal;
  TColor textHighlightColor_ = clBtnHighlight;
  TColor textShadowColor_ = clBtnShadow;
  int textShadowDepth_ = 2;
  bool themeAware_ = true;
  bool transparent_ = false;
};

// ---- push button ----------------------------------------------------------------------------------------------

class TSDDButton : public TSDDCustomButton {
public:
  explicit TSDDButton(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value);
  bool Default() const { return default_; }
  // Tells the form's buttons which of them is now the active default.
  virtual void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  bool AllowAllUp() const { return allowAllUp_; }
  virtual void SetAllowAllUp(bool value);
  // Down only within a group (GroupIndex not 0); a down button goes up only with AllowAllUp.
  bool Down() const { return down_; }
  virtual void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  virtual void SetGroupIndex(int value);
  bool ShowDownPattern() const { return showDownPattern_; }
  virtual void SetShowDownPattern(bool value);
  bool ShowFocusRect() const { return showFocusRect_; }
  virtual void SetShowFocusRect(bool value);
  bool DropDownOnEnter() const { return dropDownOnEnter_; }
  void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
  // Enter clicks it: the focused push button, or the Default one while no push button has the focus.
  bool ActiveDefault() const { return activeDefault_; }

  // Also makes the button transparent (or not): the flat look shows the parent through its edges.
  void SetHotTrack(bool value) override;

  void WndProc(TMessage& message) override;

protected:
  // Toggles Down in a group (repaints otherwise), then clicks.
  void DoClick() override;
  // Sets the form's modal result to ModalResult, then OnClick (or the action).
  void Click() override;
  virtual TRect GetCaptionRect();
  virtual void DrawCaption(TCanvas& canvas);
  // An 8 x 8 pattern in Color with the pixels of equal x and y parity in silver (grey on silver).
  virtual void CreateDownPattern(TBitmap& bitmap);
  void Paint() override;
  void CreateWnd() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;

private:
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMFocusChanged(TMessage& m);
  void CMButtonGroup(TMessage& m);
  void NotifyGroup();
  bool GroupDownOrPressed() const { return (groupIndex_ != 0 && down_) || pressed_; }
  void PaintThemed(TCanvas& canvas);
  void PaintClassic(TCanvas& canvas);
  void PaintFlat(TCanvas& canvas);

  TAlignment alignment_ = taCenter;
  bool clicking_ = false;
  bool default_ = false;
  bool cancel_ = false;
  bool activeDefault_ = false;
  TModalResult modalResult_ = mrNone;
  bool spacePressed_ = false;
  bool allowAllUp_ = false;
  bool down_ = false;
  int groupIndex_ = 0;
  bool showDownPattern_ = true;
  bool showFocusRect_ = true;
  bool dropDownOnEnter_ = true;
  TThemeHandle theme_{L"Button"};
};

// ---- control button -------------------------------------------------------------------------------------------

enum TSDDControlButtonStyle { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

class TSDDControlButton : public TGraphicControl {
public:
  explicit TSDDControlButton(TComponent* owner);
  ~TSDDControlButton() override;

  bool Flat() const { return flat_; }
  virtual void SetFlat(bool value);
  // The glyph strip: image 1 enabled, image 2 (with NumGlyphs above 1) disabled.
  TBitmap& Glyph() { return *glyph_; }
  virtual void SetGlyph(const TBitmap& value);
  // 1 to 4; other values are brought into that range.
  int NumGlyphs() const { return numGlyphs_; }
  virtual void SetNumGlyphs(int value);
  bool RepeatClicks() const { return repeatClicks_; }
  void SetRepeatClicks(bool value) { repeatClicks_ = value; }
  // Milliseconds from the press to the first repeated click, and between the later ones.
  uint16_t InitialDelay() const { return initialDelay_; }
  void SetInitialDelay(uint16_t value) { initialDelay_ = value; }
  uint16_t Delay() const { return delay_; }
  void SetDelay(uint16_t value) { delay_ = value; }
  TSDDControlButtonStyle Style() const { return style_; }
  virtual void SetStyle(TSDDControlButtonStyle value);
  // The size of one image of the glyph strip.
  virtual SIZE GetGlyphSize() const;

  bool Pressed() const { return pressed_; }
  bool Hot() const { return hot_; }
  // The repeat timer, made on the first press with RepeatClicks; null before.
  const TTimer* RepeatTimer() const { return repeatTimer_.get(); }
  // The repeat timer's tick (tests deliver ticks through it). A click that throws stops the timer and the
  // exception goes on to the timer's caller, which reports it.
  void RepeatTick();

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  // After the glyph changed and NumGlyphs followed it.
  TNotifyEvent OnGlyphChange;

  void WndProc(TMessage& message) override;
  void Click() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // Each draws the face in r and leaves r as the area inside what it drew.
  virtual void DrawButtonFace(TRect& r);
  virtual void DrawArrowButton(TRect& r);
  virtual void DrawDropDownButton(TRect& r);
  virtual void DrawGlyph(const TRect& r);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

private:
  bool Themed() const;
  // Flat and neither pressed nor hot: only the colour shows.
  bool Idle() const;
  // The classic frames shared by the faces; fills r with the face colour.
  void DrawClassicFace(TRect& r);
  void GlyphChanged();
  void StopRepeat();

  bool pressed_ = false;
  bool mouseDown_ = false;
  bool hot_ = false;
  bool flat_ = false;
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  bool repeatClicks_ = false;
  std::unique_ptr<TTimer> repeatTimer_;
  uint16_t initialDelay_ = 400;
  uint16_t delay_ = 100;
  TSDDControlButtonStyle style_ = cbsNone;
  TThemeHandle spinTheme_{L"Spin"};
  TThemeHandle comboTheme_{L"ComboBox"};
  TThemeHandle scrollTheme_{L"ScrollBar"};
};

// ---- themed parts ---------------------------------------------------------------------------------------------

enum TSDDPartState { spsNormal, spsHot, spsPressed, spsDisabled };

// The theme's spin-button part for an arrow style (cbsUp, cbsDown; cbsRight and cbsLeft are the horizontal up
// and down parts) in r; false, with nothing drawn, without theme data.
bool DrawThemedSpinPart(TThemeHandle& theme, HWND wnd, HDC dc, TSDDControlButtonStyle arrow, TSDDPartState state,
                        const TRect& r);
