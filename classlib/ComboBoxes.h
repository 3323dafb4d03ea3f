// The combo box over the platform's COMBOBOX, in five styles: an edit with a drop-down list (csDropDown), an edit
// over a list always shown (csSimple), a list only (csDropDownList), and the list drawn by the program with fixed
// or variable item heights (csOwnerDrawFixed, csOwnerDrawVariable).
//
// The items, each a text with an object, are kept by the control and copied into the window whenever it is made,
// so that making it again (a new Style) keeps the items, the selected item, the text and the list's width. The
// combo box's edit and list windows are subclassed: their messages pass through EditWndProc and ListWndProc, where
// subclasses search, complete and filter keys. The platform's notifications (CBN_*) come back to the control as
// Click, Select, Change, DropDown and CloseUp, in that order of meaning:
// - a user's choice of another item (mouse, arrow keys, wheel): OnClick, OnSelect, OnChange, once, and before
//   the list closes;
// - typing into the edit: OnChange;
// - opening and closing the list: OnDropDown, OnCloseUp.
// Setting ItemIndex or Text from the program fires nothing.
#pragma once

#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/core/StringList.h"

class TCustomComboBox;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
// The bits of the platform's owner-draw state, in its order.
enum TOwnerDrawStateFlag {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = TEvent<TWinControl* /*Control*/, int /*Index*/, TRect /*Rect*/, TOwnerDrawState>;
using TMeasureItemEvent = TEvent<TWinControl* /*Control*/, int /*Index*/, int& /*Height*/>;

// The items of a combo box: kept here, and in the window while it exists.
class TComboBoxStrings : public TStrings {
public:
  explicit TComboBoxStrings(TCustomComboBox& combo) : combo_(combo) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& s) override;
  void PutObject(int index, TObject* object) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;

private:
  friend class TCustomComboBox;
  struct TItem {
    std::string Text;
    TObject* Object = nullptr;
  };
  void CheckIndex(int index, bool allowEnd = false) const;
  // The combo box's window, or null while it has none.
  HWND Window() const;

  TCustomComboBox& combo_;
  std::vector<TItem> items_;
};

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* owner);
  // The window goes first, while the subclassed edit and list can still reach the whole control.
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  TStrings& Items() { return items_; }
  void SetItems(const TStrings& value) { items_.Assign(&value); }
  // The selected item, -1 for none; an index out of range selects none.
  int ItemIndex() const;
  void SetItemIndex(int value);
  // Height of the list's items: the platform's for the plain styles; the owner-draw styles take a set value.
  int ItemHeight() const;
  void SetItemHeight(int value);
  // Items the open list shows at once.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  bool DroppedDown() const;
  void SetDroppedDown(bool value);
  // Characters the edit takes at most; 0 for the platform's limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  // The list opens when a character is typed into a closed combo box.
  bool AutoDropDown() const { return autoDropDown_; }
  void SetAutoDropDown(bool value) { autoDropDown_ = value; }
  // The open list closes as soon as the selection changes.
  bool AutoCloseUp() const { return autoCloseUp_; }
  void SetAutoCloseUp(bool value) { autoCloseUp_ = value; }

  // The edit's selection (the edit styles).
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  // The list styles select the item with this text (none when there is none).
  void SetText(const std::string& value) override;

  // The owner-draw styles paint their items on this canvas inside DrawItem.
  TCanvas& Canvas() { return canvas_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void KeyPress(char& key) override;

  // The text changed: OnChange.
  virtual void Change();
  // A user chose an item: OnSelect, then Change.
  virtual void Select();
  virtual void DropDown();
  // The list closed.
  virtual void CloseUp();
  // Paints item `index` (-1: the empty edit field) into rect on Canvas(): OnDrawItem, or the text on the
  // highlight or the control's colour.
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // An item with an object left the window (not while the window is made again); `data` is the object.
  virtual void DeleteItem(void* data) { (void)data; }
  // The colours of the edit, the list and the closed field: the font's colour on Color.
  virtual HBRUSH CtlColor(HDC dc);
  // After the platform painted the control: subclasses draw over it (frames, flat buttons).
  virtual void PaintOver(TCanvas& canvas) { (void)canvas; }
  // The messages of the edit window (edit styles) and of the list window; the defaults handle the keys as the
  // control's own (OnKeyDown, OnKeyPress, dialog keys to the form) and pass the rest to the platform.
  virtual void EditWndProc(TMessage& m);
  virtual void ListWndProc(TMessage& m) { CallListDefault(m); }
  void CallEditDefault(TMessage& m);
  void CallListDefault(TMessage& m);
  HWND EditHandle() const { return editWnd_; }
  HWND ListHandle() const { return listWnd_; }

  // The platform's notifications are kept from the handlers while the window goes (made again, or destroyed with
  // the control) and while the control is destroyed with its owner: the handlers may belong to an owner whose own
  // parts are already gone.
  bool NotificationsMuted() const { return destroyingWnd_ || HasState(csDestroying); }

  // The platform's notifications, reflected by the parent.
  virtual void CNCommand(TMessage& m);
  virtual void WMMouseWheel(TMessage& m);
  void WMPaint(TMessage& m);
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);

private:
  friend class TComboBoxStrings;
  static LRESULT CALLBACK ChildWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Subclass(HWND child);
  void EditKeyDown(TMessage& m);
  void EditChar(TMessage& m);
  bool IsListStyle() const { return style_ >= csDropDownList; }
  // Reports a change of the selected item, once.
  void SelectionChanged();
  std::string ItemText(int index) const;
  // The selection changed without the user: the text follows the selected item (the list styles).
  void ItemsChanged();

  TComboBoxStyle style_ = csDropDown;
  TComboBoxStrings items_{*this};
  int itemIndex_ = -1;  // while there is no window
  int reportedIndex_ = -1;  // the selection the notifications last reported
  bool cancelled_ = false;  // the open list was left with Escape
  int itemHeight_ = 0;  // 0: the platform's
  int dropDownCount_ = 8;
  int maxLength_ = 0;
  bool autoDropDown_ = false;
  bool autoCloseUp_ = false;
  HWND editWnd_ = nullptr;
  HWND listWnd_ = nullptr;
  int savedSelStart_ = -1;  // kept while the window is made again
  int savedSelEnd_ = -1;
  int savedDroppedWidth_ = 0;
  bool destroyingWnd_ = false;
  bool swallowChar_ = false;  // the edit's key went to the form as a dialog key: its character must not arrive
  TCanvas canvas_;
};

class TComboBox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
};
