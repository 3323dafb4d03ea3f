// Sections: items; window; properties; notifications; edit and list windows; messages.
#include "classlib/ComboBoxes.h"

#include <commctrl.h>
#include <windowsx.h>

#include "classlib/Application.h"
#include "classlib/DeviceContext.h"
#include "classlib/Forms.h"
#include "classlib/HandlerScope.h"

namespace {

constexpr const char* kOwnerProp = "ClasslibComboOwner";
constexpr const char* kProcProp = "ClasslibComboProc";

// Child windows of ours carry an identifier of their own: the platform names an owner-drawn control by it when it
// asks its parent for item heights.
int NextControlId() {
  static int next = 0x4000;
  if (++next > 0x7FFF) next = 0x4001;
  return next;
}

}  // namespace

// ---- items ----------------------------------------------------------------------------------------------------

void TComboBoxStrings::CheckIndex(int index, bool allowEnd) const {
  if (index < 0 || index > Count() || (index == Count() && !allowEnd)) IndexError(index);
}

HWND TComboBoxStrings::Window() const { return combo_.HandleAllocated() ? combo_.Handle() : nullptr; }

std::string TComboBoxStrings::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Text;
}

TObject* TComboBoxStrings::GetObject(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Object;
}

void TComboBoxStrings::Put(int index, const std::string& s) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].Text = s;
  if (HWND wnd = Window()) {
    int selected = static_cast<int>(SendMessageA(wnd, CB_GETCURSEL, 0, 0));
    // The object stays with the item: the platform must not report it deleted.
    SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index), 0);
    SendMessageA(wnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(wnd, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(items_[static_cast<size_t>(index)].Object));
    SendMessageA(wnd, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
  combo_.ItemsChanged();
  Changed();
}

void TComboBoxStrings::PutObject(int index, TObject* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].Object = object;
  if (HWND wnd = Window())
    SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

void TComboBoxStrings::InsertObject(int index, const std::string& s, TObject* object) {
  CheckIndex(index, true);
  Changing();
  items_.insert(items_.begin() + index, TItem{s, object});
  if (HWND wnd = Window()) {
    SendMessageA(wnd, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
  }
  Changed();
}

void TComboBoxStrings::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  if (HWND wnd = Window()) SendMessageA(wnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  combo_.ItemsChanged();
  Changed();
}

void TComboBoxStrings::Clear() {
  Changing();
  items_.clear();
  if (HWND wnd = Window()) SendMessageA(wnd, CB_RESETCONTENT, 0, 0);
  // A layout may name the selected item before it lists the items.
  if (!combo_.HasState(csLoading)) combo_.itemIndex_ = -1;
  combo_.ItemsChanged();
  Changed();
}

// ---- window ---------------------------------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  controlStyle_.Exclude(csCaptureMouse);
  controlStyle_.Exclude(csSetCaption);
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() { DestroyHandle(); }

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "COMBOBOX";
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS};
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | styles[style_];
  // The height given to the platform includes the open list's.
  if (style_ != csSimple) p.Height += (itemHeight_ > 0 ? itemHeight_ : 16) * dropDownCount_ + 2;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  HWND wnd = Handle();
  SetWindowLongPtrA(wnd, GWLP_ID, NextControlId());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(wnd, &info)) {
    if (info.hwndItem && info.hwndItem != wnd) Subclass(editWnd_ = info.hwndItem);
    if (info.hwndList) Subclass(listWnd_ = info.hwndList);
  }
  if (itemHeight_ > 0 && (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable)) {
    SendMessageA(wnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    SendMessageA(wnd, CB_SETITEMHEIGHT, 0, itemHeight_);
  }
  for (const TComboBoxStrings::TItem& item : items_.items_) {
    auto index = SendMessageA(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text.c_str()));
    SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.Object));
  }
  SendMessageA(wnd, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
  if (maxLength_ > 0) SendMessageA(wnd, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  SendMessageA(wnd, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  reportedIndex_ = itemIndex_;
  if (!IsListStyle() && Text() != ItemText(itemIndex_)) SetWindowTextA(wnd, Text().c_str());
  if (savedSelStart_ >= 0) SendMessageA(wnd, CB_SETEDITSEL, 0, MAKELPARAM(savedSelStart_, savedSelEnd_));
  if (savedDroppedWidth_ > 0) SendMessageA(wnd, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(savedDroppedWidth_), 0);
  savedSelStart_ = savedSelEnd_ = -1;
  savedDroppedWidth_ = 0;
}

void TCustomComboBox::DestroyWnd() {
  if (HandleAllocated()) {
    HWND wnd = Handle();
    itemIndex_ = static_cast<int>(SendMessageA(wnd, CB_GETCURSEL, 0, 0));
    DWORD start = 0, end = 0;
    SendMessageA(wnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    savedSelStart_ = static_cast<int>(start);
    savedSelEnd_ = static_cast<int>(end);
    RECT r{};
    GetWindowRect(wnd, &r);
    int dropped = static_cast<int>(SendMessageA(wnd, CB_GETDROPPEDWIDTH, 0, 0));
    if (dropped > r.right - r.left) savedDroppedWidth_ = dropped;
  }
  destroyingWnd_ = true;
  try {
    TWinControl::DestroyWnd();
  } catch (...) {
    destroyingWnd_ = false;
    throw;
  }
  destroyingWnd_ = false;
}

// ---- properties -----------------------------------------------------------------------------------------------

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (StoreChanged(style_, value)) RecreateWnd();
}

int TCustomComboBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value) {
  // A layout may name the item before it lists the items.
  if (HasState(csLoading)) {
    itemIndex_ = value;
    return;
  }
  if (value < 0 || value >= items_.Count()) value = -1;
  itemIndex_ = reportedIndex_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
  TextChangedByWindow(ItemText(value));
}

std::string TCustomComboBox::ItemText(int index) const {
  return index >= 0 && index < items_.Count() ? items_.Get(index) : std::string();
}

void TCustomComboBox::ItemsChanged() {
  reportedIndex_ = ItemIndex();
  if (IsListStyle()) TextChangedByWindow(ItemText(reportedIndex_));
}

void TCustomComboBox::SetText(const std::string& value) {
  if (IsListStyle() && !HasState(csLoading)) return SetItemIndex(items_.IndexOf(value));
  TWinControl::SetText(value);
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  if (IsListStyle() && itemIndex_ < 0) itemIndex_ = items_.IndexOf(Text());
  if (itemIndex_ >= 0 || IsListStyle()) SetItemIndex(itemIndex_);
}

int TCustomComboBox::ItemHeight() const {
  if (HandleAllocated())
    return static_cast<int>(SendMessageA(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETITEMHEIGHT, 0, 0));
  return itemHeight_ > 0 ? itemHeight_ : 16;
}

void TCustomComboBox::SetItemHeight(int value) {
  if (value < 1 || !StoreChanged(itemHeight_, value)) return;
  if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable) RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
  if (value < 1 || !StoreChanged(dropDownCount_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(value), 0);
}

bool TCustomComboBox::DroppedDown() const {
  return HandleAllocated() &&
         SendMessageA(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  if (HandleAllocated()) SendMessageA(Handle(), CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::SetMaxLength(int value) {
  if (value < 0 || !StoreChanged(maxLength_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

int TCustomComboBox::SelStart() const {
  DWORD start = 0;
  SendMessageA(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int value) { SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(value, value)); }

int TCustomComboBox::SelLength() const {
  DWORD start = 0, end = 0;
  SendMessageA(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelLength(int value) {
  int start = SelStart();
  SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + value));
}

// ---- notifications --------------------------------------------------------------------------------------------

void TCustomComboBox::Change() { OnChange(this); }

void TCustomComboBox::Select() {
  OnSelect(this);
  Change();
}

void TCustomComboBox::DropDown() { OnDropDown(this); }
void TCustomComboBox::CloseUp() { OnCloseUp(this); }

void TCustomComboBox::MeasureItem(int index, int& height) { OnMeasureItem(this, index, height); }

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) return OnDrawItem(this, index, rect, state);
  canvas_.FillRect(rect);
  if (index >= 0) canvas_.TextOut(rect.Left + 2, rect.Top, ItemText(index));
}

HBRUSH TCustomComboBox::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  return Brush().Handle();
}

void TCustomComboBox::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (autoDropDown_ && static_cast<unsigned char>(key) >= ' ' && !DroppedDown()) SetDroppedDown(true);
}

// The platform reports a choice made in the open list and the list's closing in either order, and may report a
// selection that did not change. The control reports each change of the selected item once, and before the
// closing: OnClick, OnSelect, OnChange, then OnCloseUp.
void TCustomComboBox::SelectionChanged() {
  int index = ItemIndex();
  if (index == reportedIndex_) return;
  reportedIndex_ = index;
  TextChangedByWindow(ItemText(index));
  Click();
  Select();
}

void TCustomComboBox::CNCommand(TMessage& m) {
  if (NotificationsMuted()) return;
  switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE:
      if (autoCloseUp_ && DroppedDown()) SetDroppedDown(false);
      return SelectionChanged();
    case CBN_EDITCHANGE: {
      // Typing leaves no item selected. The platform reports a change also for a key that changed nothing (a
      // character beyond MaxLength).
      reportedIndex_ = ItemIndex();
      std::string text = WindowText(Handle());
      if (text == Text()) return;
      TextChangedByWindow(text);
      return Change();
    }
    case CBN_DROPDOWN:
      cancelled_ = false;
      return DropDown();
    case CBN_SELENDCANCEL:
      cancelled_ = true;
      return;
    case CBN_CLOSEUP:
      // Escape keeps the item chosen before (the platform may leave the one the mouse pointed at).
      if (cancelled_ && ItemIndex() != reportedIndex_)
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(reportedIndex_), 0);
      SelectionChanged();
      return CloseUp();
    default: return;
  }
}

// ---- edit and list windows ------------------------------------------------------------------------------------

void TCustomComboBox::Subclass(HWND child) {
  SetPropA(child, kOwnerProp, reinterpret_cast<HANDLE>(this));
  auto original = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildWndProc));
  SetPropA(child, kProcProp, reinterpret_cast<HANDLE>(original));
}

LRESULT CALLBACK TCustomComboBox::ChildWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* combo = reinterpret_cast<TCustomComboBox*>(GetPropA(wnd, kOwnerProp));
  auto original = reinterpret_cast<WNDPROC>(GetPropA(wnd, kProcProp));
  if (msg == WM_NCDESTROY || !combo) {
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(wnd, kOwnerProp);
      RemovePropA(wnd, kProcProp);
      if (combo && combo->editWnd_ == wnd) combo->editWnd_ = nullptr;
      if (combo && combo->listWnd_ == wnd) combo->listWnd_ = nullptr;
    }
    return original ? CallWindowProcA(original, wnd, msg, wParam, lParam) : DefWindowProcA(wnd, msg, wParam, lParam);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    THandlerScope scope(combo, wnd, msg);
    if (wnd == combo->editWnd_) combo->EditWndProc(m);
    else combo->ListWndProc(m);
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
    m.Result = 0;
  }
  return m.Result;
}

void TCustomComboBox::CallEditDefault(TMessage& m) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(editWnd_, kProcProp));
  m.Result = CallWindowProcA(original, editWnd_, m.Msg, m.WParam, m.LParam);
}

void TCustomComboBox::CallListDefault(TMessage& m) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(listWnd_, kProcProp));
  m.Result = CallWindowProcA(original, listWnd_, m.Msg, m.WParam, m.LParam);
}

void TCustomComboBox::EditWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return EditKeyDown(m);
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (!KeyCameUp(key)) return CallEditDefault(m);
      KeyUp(key, KeyboardShiftState());
      if (key == 0) return;
      m.WParam = key;
      return CallEditDefault(m);
    }
    case WM_CHAR: return EditChar(m);
    case WM_SETFOCUS:
      ForgetKeysDown();
      ChildWindowFocused();
      return CallEditDefault(m);
    case WM_KILLFOCUS:
      ForgetKeysDown();
      return CallEditDefault(m);
    default: return CallEditDefault(m);
  }
}

// The edit's keys are the control's: OnKeyDown may change or drop them, and Tab, Enter and Escape go to the form
// as dialog keys while the list is closed.
void TCustomComboBox::EditKeyDown(TMessage& m) {
  swallowChar_ = false;
  WORD key = static_cast<WORD>(m.WParam);
  KeyWentDown(key);
  KeyDown(key, KeyboardShiftState());
  if (key == 0) return;
  if (m.Msg == WM_KEYDOWN && (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) && !DroppedDown()) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) {
      swallowChar_ = true;
      return;
    }
  }
  m.WParam = key;
  CallEditDefault(m);
}

void TCustomComboBox::EditChar(TMessage& m) {
  if (swallowChar_) {
    swallowChar_ = false;
    return;
  }
  char c = static_cast<char>(m.WParam);
  KeyPress(c);
  if (c == 0) return;
  m.WParam = static_cast<unsigned char>(c);
  CallEditDefault(m);
}

// ---- messages -------------------------------------------------------------------------------------------------

void TCustomComboBox::WMMouseWheel(TMessage& m) {
  if (!FormHandlesMouseWheel(this, m.WParam, m.LParam)) DefaultHandler(m);
}

void TCustomComboBox::WMPaint(TMessage& m) {
  DefaultHandler(m);
  if (m.WParam) {
    TCanvasOnDc scope(canvas_, reinterpret_cast<HDC>(m.WParam));
    return PaintOver(canvas_);
  }
  TWindowDC dc(Handle());
  TCanvasOnDc scope(canvas_, dc.Handle());
  PaintOver(canvas_);
}

void TCustomComboBox::CNDrawItem(TMessage& m) {
  const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  TOwnerDrawState state = TOwnerDrawState::FromBits(di->itemState);
  TCanvasOnDc scope(canvas_, di->hDC);
  canvas_.Font().Assign(&Font());
  bool selected = state.Contains(odSelected);
  canvas_.Brush().SetColor(selected ? clHighlight : Color());
  if (selected) canvas_.Font().SetColor(clHighlightText);
  DrawItem(static_cast<int>(di->itemID), FromRECT(di->rcItem), state);
  m.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& m) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  int height = itemHeight_ > 0 ? itemHeight_ : static_cast<int>(mi->itemHeight);
  MeasureItem(static_cast<int>(mi->itemID), height);
  mi->itemHeight = static_cast<UINT>(height);
  m.Result = TRUE;
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: return WMPaint(m);
    case WM_MOUSEWHEEL: return WMMouseWheel(m);
    case WM_GETDLGCODE:
      DefaultHandler(m);
      // The open list takes every key (Enter and Escape close it).
      if (DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
      m.Result = reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(m.WParam)));
      return;
    case CN_COMMAND: return CNCommand(m);
    case CN_DRAWITEM: return CNDrawItem(m);
    case CN_MEASUREITEM: return CNMeasureItem(m);
    case CN_DELETEITEM: {
      // Owner-drawn lists report every item; only those with an object are the control's business.
      void* data = reinterpret_cast<void*>(reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->itemData);
      if (data && !NotificationsMuted()) DeleteItem(data);
      m.Result = TRUE;
      return;
    }
    default: return TWinControl::WndProc(m);
  }
}
