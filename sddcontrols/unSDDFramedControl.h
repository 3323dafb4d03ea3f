// What the SDD edit, combo box and string grid share: the SDD frame's properties, the focus and disabled colours
// with the colour the control shows otherwise ("normal"), the hot state (focused, mouse inside) that hot tracking
// draws with, mouse enter/leave events, the frame controller link, and the flat drop-down button face of the edit
// and the combo box.
//
// Colours: Color is what the control shows. The control itself switches it to DisabledColor while disabled and to
// FocusColor while it has the focus; a colour set from outside (the program, the parent, a frame controller) is
// the normal colour, and FocusColor follows it when the two were the same. Setting Color while focused keeps the
// focus colour on show until the focus leaves.
//
// Sections: flat button face; the framed control template.
#pragma once

#include <windows.h>

#include "classlib/Controls.h"
#include "classlib/Themes.h"
#include "sddcontrols/core/unSDDCommonTypes.h"
#include "sddcontrols/unSDDCommonComponents.h"

// ---- flat button face -----------------------------------------------------------------------------------------

// The flat drop-down button of the edit and the combo box while focused or hovered: a one-pixel ring (highlight
// and shadow for clBtnFace, reversed when pressed; other colours the popup frame, the status frame when pressed),
// the inside filled with `buttonColor` and the library's own drop-down arrow.
void DrawFlatButtonFace(TCanvas& canvas, const TRect& r, TColor buttonColor, bool pressed);

// ---- the framed control template --------------------------------------------------------------------------------

template <class Base>
class TSDDFramedControl : public Base {
public:
  explicit TSDDFramedControl(TComponent* owner) : Base(owner) {}
  ~TSDDFramedControl() override { SetClientFrameController(*this, frameController_, nullptr); }

  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor value) {
    if (StoreChanged(disabledColor_, value) && !this->Enabled()) UpdateColors();
  }
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor value) {
    if (StoreChanged(focusColor_, value) && HasFocusState()) UpdateColors();
  }
  // The colour shown while neither focused nor disabled.
  TColor NormalColor() const { return normalColor_; }
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor value) {
    if (StoreChanged(frameColor_, value)) RedrawFrame();
  }
  TColor FrameHotColor() const { return frameHotColor_; }
  virtual void SetFrameHotColor(TColor value) {
    if (StoreChanged(frameHotColor_, value)) RedrawFrame();
  }
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  virtual void SetFrameHotStyle(TFrameStyle value) {
    if (StoreChanged(frameHotStyle_, value)) RedrawFrame();
  }
  TSides FrameSides() const { return frameSides_; }
  virtual void SetFrameSides(TSides value) {
    if (StoreChanged(frameSides_, value)) RedrawFrame();
  }
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle value) {
    if (StoreChanged(frameStyle_, value)) RedrawFrame();
  }
  // Turning hot tracking on shows the frame, on all four sides unless a layout is being read (it keeps the sides
  // it stores).
  bool FrameHotTrack() const { return frameHotTrack_; }
  virtual void SetFrameHotTrack(bool value) {
    if (!StoreChanged(frameHotTrack_, value)) return;
    if (value) {
      SetFrameVisible(true);
      if (!this->HasState(csLoading)) frameSides_ = AllSides;
    }
    RedrawFrame();
    this->Invalidate();
  }
  bool FrameVisible() const { return frameVisible_; }
  virtual void SetFrameVisible(bool value) {
    if (StoreChanged(frameVisible_, value)) FrameVisibleChanged();
  }
  TFramingPreference FramingPreference() const { return framingPreference_; }
  virtual void SetFramingPreference(TFramingPreference value) {
    if (StoreChanged(framingPreference_, value) && value == fpCustomFraming) RedrawFrame();
  }
  TSDDFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TSDDFrameController* value) {
    SetClientFrameController(*this, frameController_, value);
  }
  // Theme elements replace the library's frame: the themed look is preferred and visual styles are on.
  virtual bool UseThemes() const { return framingPreference_ == fpXPThemes && VisualStylesEnabled(); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case CM_COLORCHANGED: return CMColorChanged(m);
      case CM_ENABLEDCHANGED:
        Base::WndProc(m);
        return UpdateColors();
      case CM_MOUSEENTER:
        Base::WndProc(m);
        if (m.LParam == reinterpret_cast<LPARAM>(this)) MouseEntered();
        return;
      case CM_MOUSELEAVE:
        Base::WndProc(m);
        if (m.LParam == reinterpret_cast<LPARAM>(this)) MouseLeft();
        return;
      default: return Base::WndProc(m);
    }
  }

protected:
  // Shows the disabled, focus or normal colour (not while a layout is read).
  virtual void UpdateColors() {
    if (this->HasState(csLoading)) return;
    const TColor shown = !this->Enabled() ? disabledColor_ : HasFocusState() ? focusColor_ : normalColor_;
    colorUpdating_ = true;
    try {
      this->SetColor(shown);
    } catch (...) {
      colorUpdating_ = false;
      throw;
    }
    colorUpdating_ = false;
  }
  // Stores one half of the hot state, redraws what it changes and shows the colour it asks for.
  virtual void SetHotState(bool isMouse, bool value) {
    (isMouse ? mouseInState_ : focusedState_) = value;
    HotStateChanged();
    UpdateColors();
  }
  // What a change of the hot state redraws: the frame, when it is hot-tracked.
  virtual void HotStateChanged() {
    if (frameHotTrack_) RedrawFrame();
  }
  // Redraws the frame after a change of its look: by default the client area and the non-client frame at once.
  virtual void RedrawFrame() {
    if (this->HandleAllocated())
      RedrawWindow(this->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  }
  virtual void FrameVisibleChanged() { this->RecreateWnd(); }
  // The shown colour changed: the frame's rings are drawn in it.
  virtual void ColorChanged() {
    if (frameVisible_ && !UseThemes()) RedrawFrame();
  }
  // Whether the control counts as focused for its colours and hot state.
  virtual bool HasFocusState() { return focusedState_; }
  bool FocusedState() const { return focusedState_; }
  bool MouseInState() const { return mouseInState_; }
  // The frame is drawn hot: hot tracking and the control focused or under the mouse.
  bool FrameHot() { return frameHotTrack_ && (HasFocusState() || mouseInState_); }

  virtual void DoMouseEnter() { OnMouseEnter(this); }
  virtual void DoMouseLeave() { OnMouseLeave(this); }
  virtual void MouseEntered() {
    if (this->HasState(csDesigning)) return;
    SetHotState(true, true);
    DoMouseEnter();
  }
  virtual void MouseLeft() {
    SetHotState(true, false);
    DoMouseLeave();
  }

  void DoEnter() override {
    SetHotState(false, true);
    Base::DoEnter();
  }
  void DoExit() override {
    Base::DoExit();
    SetHotState(false, false);
  }
  void Loaded() override {
    Base::Loaded();
    UpdateColors();
    SetHotState(false, false);
  }
  void Notification(TComponent* component, TOperation operation) override {
    Base::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
  }

private:
  void CMColorChanged(TMessage& m) {
    const bool fromOutside = !colorUpdating_;
    if (fromOutside) {
      const TColor old = normalColor_;
      normalColor_ = this->Color();
      if (focusColor_ == old) focusColor_ = normalColor_;
    }
    Base::WndProc(m);
    ColorChanged();
    if (fromOutside && (HasFocusState() || !this->Enabled())) UpdateColors();
  }

  bool colorUpdating_ = false;
  TColor disabledColor_ = clBtnFace;
  TColor focusColor_ = clWindow;
  TColor normalColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TSDDFrameController* frameController_ = nullptr;
  TColor frameHotColor_ = clBtnShadow;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TSides frameSides_ = AllSides;
  TFrameStyle frameStyle_ = fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = fpXPThemes;
  bool focusedState_ = false;
  bool mouseInState_ = false;
};
