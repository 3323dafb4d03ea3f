// Sections: command numbers; the action link; items; menus.
#include "classlib/Menus.h"

#include <algorithm>
#include <set>

#include "classlib/Forms.h"

// ---- command numbers ------------------------------------------------------------------------------------------

namespace {

// The platform reports 16 bits of a command; numbers are handed out from 1 and taken back when an item dies.
std::set<int>& CommandsInUse() {
  static std::set<int> used;
  return used;
}

int NewCommand() {
  std::set<int>& used = CommandsInUse();
  int command = 1;
  for (int n : used) {
    if (n != command) break;
    ++command;
  }
  if (command > 0xFFFF) return 0;
  used.insert(command);
  return command;
}

}  // namespace

// ---- the action link ------------------------------------------------------------------------------------------

TMenuActionLink::TMenuActionLink(TMenuItem* client) : TActionLink(client), item_(client) {}

bool TMenuActionLink::IsCaptionLinked() const {
  return TActionLink::IsCaptionLinked() && item_->Caption() == CustomAction()->Caption();
}
bool TMenuActionLink::IsCheckedLinked() const {
  return TActionLink::IsCheckedLinked() && item_->Checked() == CustomAction()->Checked();
}
bool TMenuActionLink::IsEnabledLinked() const {
  return TActionLink::IsEnabledLinked() && item_->Enabled() == CustomAction()->Enabled();
}
bool TMenuActionLink::IsHintLinked() const {
  return TActionLink::IsHintLinked() && item_->Hint() == CustomAction()->Hint();
}
bool TMenuActionLink::IsVisibleLinked() const {
  return TActionLink::IsVisibleLinked() && item_->Visible() == CustomAction()->Visible();
}

void TMenuActionLink::SetCaption(const std::string& value) { item_->SetCaption(value); }
void TMenuActionLink::SetChecked(bool value) { item_->SetChecked(value); }
void TMenuActionLink::SetEnabled(bool value) { item_->SetEnabled(value); }
void TMenuActionLink::SetHint(const std::string& value) { item_->SetHint(value); }
void TMenuActionLink::SetVisible(bool value) { item_->SetVisible(value); }

// ---- items ----------------------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand()) {}

TMenuItem::~TMenuItem() {
  actionLink_.reset();
  if (parent_) parent_->Remove(this);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  items_.clear();
  if (handle_) {
    // Emptied first: destroying a platform menu destroys the menus of its entries, which their items own.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
  }
  CommandsInUse().erase(command_);
}

void TMenuItem::SetCaption(const std::string& value) {
  if (StoreChanged(caption_, value)) Changed();
}

void TMenuItem::SetEnabled(bool value) {
  if (StoreChanged(enabled_, value)) Changed();
}

void TMenuItem::SetVisible(bool value) {
  if (StoreChanged(visible_, value)) Changed();
}

void TMenuItem::SetChecked(bool value) {
  if (StoreChanged(checked_, value)) Changed();
}

void TMenuItem::SetRadioItem(bool value) {
  if (StoreChanged(radioItem_, value)) Changed();
}

TBasicAction* TMenuItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* value) {
  if (!value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = std::make_unique<TMenuActionLink>(this);
  actionLink_->SetAction(value);
  ActionChange(value, HasState(csLoading));
}

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  if (!checkDefaults || caption_.empty()) SetCaption(action->Caption());
  if (!checkDefaults || !checked_) SetChecked(action->Checked());
  if (!checkDefaults || enabled_) SetEnabled(action->Enabled());
  if (!checkDefaults || hint_.empty()) SetHint(action->Hint());
  if (!checkDefaults || visible_) SetVisible(action->Visible());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Rebuild();
  // The first item turns this one into a submenu of its parent.
  if (items_.size() == 1) Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Rebuild();
  if (items_.empty()) Changed();
}

TMenuItem* TMenuItem::FindCommand(int command) {
  if (command == command_) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindCommand(command)) return found;
  return nullptr;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = menu_ && menu_->IsBar() ? CreateMenu() : CreatePopupMenu();
    Rebuild();
  }
  return handle_;
}

void TMenuItem::Changed() {
  if (parent_) parent_->Rebuild();
}

void TMenuItem::Rebuild() {
  if (!handle_) {
    if (menu_) menu_->MenuChanged();
    return;
  }
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | (item->IsLine() ? 0 : MIIM_STRING);
    info.fType = item->IsLine() ? MFT_SEPARATOR : item->radioItem_ ? MFT_RADIOCHECK : MFT_STRING;
    info.fState = (item->enabled_ ? MFS_ENABLED : MFS_GRAYED) | (item->checked_ ? MFS_CHECKED : MFS_UNCHECKED);
    info.wID = static_cast<UINT>(item->command_);
    info.hSubMenu = item->items_.empty() ? nullptr : item->Handle();
    info.dwTypeData = const_cast<char*>(item->caption_.c_str());
    InsertMenuItemA(handle_, position++, TRUE, &info);
  }
  if (menu_) menu_->MenuChanged();
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (!OnClick && actionLink_ && actionLink_->Execute(this)) return;
  OnClick(this);
}

// ---- menus ----------------------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() { items_->menu_ = nullptr; }

bool TMenu::DispatchCommand(int command) {
  TMenuItem* item = items_->FindCommand(command);
  if (!item || item == items_) return false;
  item->Click();
  return true;
}

TMainMenu::~TMainMenu() {
  if (form_) form_->SetMenu(nullptr);
}

void TMainMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == form_) form_ = nullptr;
}

void TMainMenu::MenuChanged() {
  if (form_ && form_->HandleAllocated()) DrawMenuBar(form_->Handle());
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  HWND owner = GetActiveWindow();
  int command = TrackPopupMenuEx(Handle(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, owner, nullptr);
  if (command > 0) DispatchCommand(command);
}
