// Single-line edits over the platform's EDIT control: TCustomEdit and TEdit, and the masked edit (TCustomMaskEdit,
// TMaskEdit) that keeps an EditMask but applies none (the program sets no mask).
//
// The window holds the text while it exists; the control's Text follows every change the window reports (typing,
// pasting, setting). Changing Alignment or BorderStyle makes the window again with the text and selection kept.
// Subclasses that draw their own frame or buttons hook the non-client handlers and the colour handler.
#pragma once

#include <string>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/SysUtils.h"

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* owner);

  // taLeftJustify, taCenter and taRightJustify give the text's place in the window.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Focus arriving from the keyboard selects the whole text.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  // bsSingle (a sunken edge) or bsNone.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // Characters the user may type at most; 0 for the platform's limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // The selection, in characters; the caret stands at its end.
  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  std::string SelText();
  // Replaces the selection as typing would.
  void SetSelText(const std::string& value);
  void SelectAll();

  // The text changed, by the user or by the program.
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DoEnter() override;
  virtual void Change();
  // The colours the window paints with: the font's colour on Color; returns the background brush.
  virtual HBRUSH CtlColor(HDC dc);
  // Non-client handlers: the defaults leave the border to the platform; a subclass narrows the client area, paints
  // a frame or a button there and answers hit tests for it.
  virtual void WMNCCalcSize(TMessage& m) { DefaultHandler(m); }
  virtual void WMNCPaint(TMessage& m) { DefaultHandler(m); }
  virtual void WMNCHitTest(TMessage& m) { DefaultHandler(m); }
  void CNCommand(TMessage& m);
  void CNCtlColor(TMessage& m);

private:
  void GetSelection(int& start, int& end);
  void SetSelection(int start, int end);

  TAlignment alignment_ = taLeftJustify;
  bool autoSelect_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  int maxLength_ = 0;
  bool readOnly_ = false;
  int savedSelStart_ = -1;  // the selection while the window is made again
  int savedSelEnd_ = -1;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
};

// The error a masked edit raises for input its mask refuses.
class EDBEditError : public Exception {
  using Exception::Exception;
};

class TCustomMaskEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;

  // Kept for layouts; the edit applies no mask, so every input is valid.
  const std::string& EditMask() const { return editMask_; }
  void SetEditMask(const std::string& value) { editMask_ = value; }
  bool IsMasked() const { return false; }

protected:
  // Checks the text against the mask: nothing to check without one.
  virtual void ValidateEdit() {}
  // Refuses the input: a beep and EDBEditError.
  virtual void ValidateError();

private:
  std::string editMask_;
};

class TMaskEdit : public TCustomMaskEdit {
public:
  using TCustomMaskEdit::TCustomMaskEdit;
};
