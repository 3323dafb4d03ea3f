// Menus over the platform's menus: items (nested, '&' accelerators, separators "-", hidden items left out, checked
// and greyed states, bound to actions), the main menu of a form and pop-up menus.
//
// Every item that has items of its own holds a platform menu made on demand and filled again whenever one of its
// items changes; the platform reports a chosen item by its command number, which the form (main menu) or the
// pop-up hands back to the item. An item bound to an action shows the action's caption, enabled, checked and
// visible state and runs the action when chosen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Graphics.h"

class TMenu;
class TMenuItem;
class TCustomForm;

class TMenuActionLink : public TActionLink {
public:
  explicit TMenuActionLink(TMenuItem* client);

  bool IsCaptionLinked() const override;
  bool IsCheckedLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHintLinked() const override;
  bool IsVisibleLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetChecked(bool value) override;
  void SetEnabled(bool value) override;
  void SetHint(const std::string& value) override;
  void SetVisible(bool value) override;

protected:
  TMenuItem* item_;
};

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "-" makes a separator; '&' marks the next character as the accelerator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // A hidden item is left out of the platform's menu.
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  // Checked shows as a dot instead of a tick.
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  bool IsLine() const { return caption_ == "-"; }

  TBasicAction* Action() const;
  void SetAction(TBasicAction* value);

  // -- the tree --
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  // Takes `item` from its former parent; the owner (usually the form) still frees it.
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // This item or one below it with the command number; null when none has it.
  TMenuItem* FindCommand(int command);

  // The number the platform reports when the item is chosen.
  int Command() const { return command_; }
  // The platform menu of the items below this one (made on first use).
  HMENU Handle();

  // Chosen: OnClick, or the action when there is no OnClick. A disabled item does nothing.
  virtual void Click();
  TNotifyEvent OnClick;

protected:
  // The action (sender) was linked: the item takes its properties (defaults checked while a layout is read).
  virtual void ActionChange(TObject* sender, bool checkDefaults);

private:
  friend class TMenu;
  // The platform menu that shows this item changed: it is filled again.
  void Changed();
  void Rebuild();

  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool radioItem_ = false;
  std::string hint_;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  HMENU handle_ = nullptr;
  int command_;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  std::unique_ptr<TMenuActionLink> actionLink_;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item: its items are the menu's entries.
  TMenuItem& Items() { return *items_; }
  HMENU Handle() { return items_->Handle(); }
  // Clicks the item with the command number; false when the menu has none.
  bool DispatchCommand(int command);

protected:
  friend class TMenuItem;
  // A menu bar (CreateMenu) rather than a pop-up.
  virtual bool IsBar() const { return false; }
  // The entries of the root changed.
  virtual void MenuChanged() {}

private:
  TMenuItem* items_;
};

// The menu bar of a form (TCustomForm::SetMenu attaches it).
class TMainMenu : public TMenu {
public:
  using TMenu::TMenu;
  ~TMainMenu() override;
  TCustomForm* Form() const { return form_; }

protected:
  bool IsBar() const override { return true; }
  void MenuChanged() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TCustomForm;
  TCustomForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
  using TMenu::TMenu;
  // Shows the menu at a screen point and clicks the item chosen, if any.
  void Popup(int x, int y);
  TNotifyEvent OnPopup;
};
