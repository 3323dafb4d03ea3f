// Top-level windows: TCustomForm and TForm. A form is built from its layout (a text resource read when the form
// is created), is shown modeless or modal, places itself on the screen or over its owner, routes dialog keys
// (Tab, arrows, Enter, Escape) and tracks which of its controls has the focus.
#pragma once

#include <string>
#include <string_view>

#include "classlib/Controls.h"

struct TLayoutReadError;
class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border of ordinary controls uses the first two values.
using TBorderStyle = TFormBorderStyle;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

using TCloseEvent = TEvent<TObject* /*Sender*/, TCloseAction& /*Action*/>;
using TCloseQueryEvent = TEvent<TObject* /*Sender*/, bool& /*CanClose*/>;

class TCustomForm : public TCustomControl {
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Reads the layout resource `resourceName` (RCDATA) into the form, then fires OnCreate. A layout that cannot
  // be read is a defect of the program: throws EReadError with the error naming the resource and line.
  void LoadLayout(const std::string& resourceName);
  // The same from a text; errors are values here. `file` names the text in errors.
  bool LoadLayoutText(std::string_view text, const std::string& file, TLayoutReadError& error);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  void SetClientWidth(int value) override;
  void SetClientHeight(int value) override;
  TRect ClientRect() const override;
  // The menu bar; its commands reach their items through the form. The client area keeps its size.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* value);

  // The control that has (or gets, when the form is activated) the focus; null for the form itself.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control) { FocusControl(control); }
  // Gives `control` the focus now when the form can, otherwise when it is activated.
  void FocusControl(TWinControl* control);

  void Show();
  void Close();
  // Shows the form with the other windows of the thread disabled and returns when ModalResult is set (Close sets
  // mrCancel). Its own message loop runs meanwhile.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  // Frees the form once the message now being handled has returned and no handler of the form or of a control on
  // it is running (a handler that runs a nested message loop holds the form until it returns).
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnPaint;
  TMouseWheelEvent OnMouseWheel;

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  // A form made again (RecreateWnd) shows again when it is visible.
  void CreateWnd() override;
  void Paint() override;
  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& action);
  virtual void DoShow();
  virtual void DoHide();

  void Notification(TComponent* component, TOperation operation) override;
  void WMClose(TMessage& m);
  void WMCommand(TMessage& m);
  void WMDestroy(TMessage& m);
  void WMActivate(TMessage& m);
  void WMMouseWheel(TMessage& m);
  void CMVisibleChanged(TMessage& m);
  void CMDialogKey(TMessage& m);

private:
  friend class TWinControl;
  // Called from the window procedures and the control tree.
  void SetFocusedControl(TWinControl* control);
  void ControlRemoving(TControl* control);
  // Width and height the borders and caption add to the client area, for the current styles.
  SIZE FrameSize() const;
  void PlaceOnScreen();
  // The visible forms a top-level form owns are raised over it again, in the order they had.
  void KeepOwnedFormsAbove();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TPosition position_ = poDesigned;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool placed_ = false;
  int clientWidth_ = -1, clientHeight_ = -1;  // as set; kept when the border style changes
};

// ---- deferred release (for the controls' handler scopes) --------------------------------------------------------
// A released form waits while a handler of it, of a control on it or of a component they own runs. The controls
// call ResumeHeldReleases each time a handler returns, and ForgetReleaseOf for every windowed control destroyed.
void ResumeHeldReleases();
void ForgetReleaseOf(const TWinControl* control);

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
};

// A wheel message (its WParam and LParam) that reached a control: the control's form hears of it first through
// OnMouseWheel, as the wheel anywhere on a form scrolls what the form decides. True when the handler marked it
// handled, so the control leaves it alone.
bool FormHandlesMouseWheel(TControl* control, WPARAM wParam, LPARAM lParam);
