// The SDD combo box: the class library's combo box with incremental search, auto-completion, an edit that may be
// held to item prefixes or made read-only, Enter as Tab, wheel stepping, a kept drop-down width, a flat drop-down
// button and the SDD frame painted over the client area with hot tracking, focus and disabled colours.
//
// Incremental search (keys that reach the combo window itself: the drop-down-list style): each character joins
// the search text and selects the first item that begins with it, case-insensitively; 1,500 ms after the last
// character the search timer clears the search text, as do the navigation keys and losing the focus. Backspace
// takes the last character back; Escape in a closed combo box selects the first item.
//
// Auto-completion (the edit of the drop-down style, AutoComplete on): a typed character that makes the text the
// start of an item completes the text with the rest of that item, selected so that typing goes on over it; with
// KeepSearchCase the typed characters keep their case. A character that starts no item is kept with AllowEdit and
// refused (a beep with BeepOnInvalidKey) without it.
//
// A choice made by searching, completing or the wheel is reported as a user's choice: OnClick, OnSelect, OnChange.
#pragma once

#include <memory>
#include <string>

#include "classlib/ComboBoxes.h"
#include "sddcontrols/unSDDFramedControl.h"

class TTimer;

using TSDDDeleteComboItemEvent = TEvent<TObject* /*Sender*/, void* /*Item*/>;

class TSDDCustomComboBox : public TSDDFramedControl<TCustomComboBox> {
  using Framed = TSDDFramedControl<TCustomComboBox>;

public:
  explicit TSDDCustomComboBox(TComponent* owner);
  ~TSDDCustomComboBox() override;

  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool value) { autoComplete_ = value; }
  // Off: the edit shows only texts that begin an item.
  bool AllowEdit() const { return allowEdit_; }
  void SetAllowEdit(bool value) { allowEdit_ = value; }
  bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
  void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
  bool FlatButtons() const { return flatButtons_; }
  virtual void SetFlatButtons(bool value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  virtual void SetFlatButtonColor(TColor value);
  bool KeepSearchCase() const { return keepSearchCase_; }
  void SetKeepSearchCase(bool value) { keepSearchCase_ = value; }
  // The open list's width in pixels; 0 leaves it to the platform. Kept when the window is made again.
  int DropDownWidth() const { return dropDownWidth_; }
  virtual void SetDropDownWidth(int value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  // Neither keys, the mouse nor the wheel change the selection or the text.
  bool ReadOnly() const { return readOnly_; }
  virtual void SetReadOnly(bool value);

  // The characters typed since the search was last cleared.
  const std::string& SearchText() const { return search_; }
  // Clears the search 1,500 ms after the last character.
  const TTimer& SearchTimer() const { return *searchTimer_; }
  // The first item that begins with `text` (case-insensitive); -1 for none or for an empty text.
  virtual int FindItem(const std::string& text);
  int IndexOf(const std::string& text) { return Items().IndexOf(text); }
  // Sets the text without completing it.
  virtual void SetTextNoComplete(const std::string& text);

  // An item with an object leaves the list; `Item` is the object.
  TSDDDeleteComboItemEvent OnDeleteItem;
  // A typed character completed the text with an item.
  TNotifyEvent OnMatch;
  // The focus left the drop-down style with a text that is no item.
  TNotifyEvent OnNotInList;
  TNotifyEvent OnSelEndCancel;
  TNotifyEvent OnSelEndOk;

  void WndProc(TMessage& message) override;

protected:
  void CreateWnd() override;
  // A beep, when BeepOnInvalidKey.
  virtual void InvalidKey();
  // Selects the first item beginning with `text` and reports the choice; `key` then goes to the key-press
  // handlers. Nothing found: InvalidKey.
  virtual void SearchAndSelect(const std::string& text, char key);
  // Completes the edit's text with the first item beginning with `text`, the rest selected; `key`, when not 0,
  // goes to the key-press handlers. False when no item begins with it.
  virtual bool FindAndComplete(const std::string& text, char key);
  void DeleteItem(void* data) override;
  void KeyPress(char& key) override;
  void Change() override;
  void CloseUp() override;
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
  void PaintOver(TCanvas& canvas) override;
  void EditWndProc(TMessage& m) override;
  void CNCommand(TMessage& m) override;
  void WMMouseWheel(TMessage& m) override;
  void DoExit() override;
  void HotStateChanged() override;
  void RedrawFrame() override { Invalidate(); }
  void FrameVisibleChanged() override { Invalidate(); }
  void ColorChanged() override {}
  void MouseEntered() override;
  void MouseLeft() override;

private:
  void SearchKeyDown(TMessage& m);
  void SearchChar(TMessage& m);
  void SearchBackspace(char key);
  void SearchTimerTick();
  void CompletionChar(TMessage& m);
  void CompletionBackspace();
  bool ReadOnlyDropsEditKey(const TMessage& m) const;
  // Reports a choice as the user's: OnClick, OnSelect, OnChange, without completing the text again.
  void NotifySelection();
  // Sets the edit's text as the control's own change (no completion) and reports it when `report`.
  void SetEditText(const std::string& text, bool report);
  void TrackEditMouse();
  bool CursorInside();
  TRect ButtonRect(int border);

  bool autoComplete_ = true;
  bool allowEdit_ = true;
  bool beepOnInvalidKey_ = true;
  bool flatButtons_ = false;
  TColor flatButtonColor_ = clBtnFace;
  bool keepSearchCase_ = false;
  std::string search_;
  int dropDownWidth_ = 0;
  bool typing_ = false;
  std::unique_ptr<TTimer> searchTimer_;
  bool tabOnEnter_ = false;
  bool selecting_ = false;
  bool escape_ = false;
  bool selEndOkPending_ = false;
  bool skipCompletion_ = false;
  bool readOnly_ = false;
  bool inSearchChar_ = false;  // a character of the combo window is on its way through the key-press handlers
  bool trackingEdit_ = false;
  bool itemFocusOutline_ = true;
};

class TSDDComboBox : public TSDDCustomComboBox {
public:
  using TSDDCustomComboBox::TSDDCustomComboBox;
};
