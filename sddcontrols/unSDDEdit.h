// The SDD edit: a single-line masked edit with the SDD frame painted in its non-client area, hot tracking of that
// frame, focus and disabled colours, Enter as Tab, a validation-error event, and a drop-down button in the
// non-client area that subclasses may show (TSDDEdit and TSDDMaskEdit keep it hidden).
//
// The button: while visible, the client area gives up a scroll bar's width at its right edge (one pixel less with
// visual styles), where the button is painted with the frame. A left press on it focuses the edit and clicks it:
// the button shows pressed while OnButtonClick and then OnButtonClickDone run. Alt+Down clicks it too.
#pragma once

#include <string>

#include "classlib/Edits.h"
#include "sddcontrols/unSDDFramedControl.h"

// A handler may put an error text into `ErrorMsg`: the edit then beeps and raises it.
using TSDDValidateErrorEvent = TEvent<TObject* /*Sender*/, std::string& /*ErrorMsg*/>;

class TSDDCustomEdit : public TSDDFramedControl<TCustomMaskEdit> {
  using Framed = TSDDFramedControl<TCustomMaskEdit>;

public:
  explicit TSDDCustomEdit(TComponent* owner);

  // Enter moves the focus on as Tab does; it never reaches OnKeyPress.
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

  TSDDValidateErrorEvent OnValidateError;

  void WndProc(TMessage& message) override;

protected:
  // -- the drop-down button --
  bool ButtonVisible() const { return buttonVisible_; }
  virtual void SetButtonVisible(bool value);
  bool FlatButton() const { return flatButton_; }
  virtual void SetFlatButton(bool value);
  TColor ButtonColor() const { return buttonColor_; }
  void SetButtonColor(TColor value);
  // 0 normal, 2 pressed.
  int ButtonState() const { return buttonState_; }
  virtual void SetButtonState(int state);
  // The button's rectangle in window coordinates.
  TRect ButtonRect();
  // The click: the button pressed while both events run.
  void ButtonClick();
  // Back to normal (unless a click is running) and the capture let go.
  void ReleaseButton();
  virtual void DrawButton(TCanvas& canvas, const TRect& r);
  TNotifyEvent OnButtonClick;
  TNotifyEvent OnButtonClickDone;

  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  // The handler's text, when it gives one, is the error; otherwise the masked edit's own.
  void ValidateError() override;
  void HotStateChanged() override;

  void WMNCCalcSize(TMessage& m) override;
  void WMNCPaint(TMessage& m) override;
  void WMNCHitTest(TMessage& m) override;

private:
  void WMSetCursor(TMessage& m);
  void WMButtonDown(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void NonClientChanged();

  bool tabOnEnter_ = false;
  bool buttonVisible_ = false;
  bool mouseOverButton_ = false;
  bool flatButton_ = false;
  TColor buttonColor_ = clBtnFace;
  bool pressing_ = false;
  int buttonState_ = 0;
  TCanvas frameCanvas_;
};

class TSDDEdit : public TSDDCustomEdit {
public:
  using TSDDCustomEdit::TSDDCustomEdit;
};

class TSDDMaskEdit : public TSDDCustomEdit {
public:
  using TSDDCustomEdit::TSDDCustomEdit;
};
