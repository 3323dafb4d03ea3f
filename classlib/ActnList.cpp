// Sections: links; actions; action lists; the link of a control (and the control's side of it).
#include "classlib/ActnList.h"

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"

// ---- links ----------------------------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* value) {
  if (value == action_) return;
  if (action_) std::erase(action_->links_, this);
  action_ = value;
  if (action_) action_->links_.push_back(this);
}

bool TBasicActionLink::Execute(TComponent*) { return action_ && action_->Execute(); }

void TBasicActionLink::Change() { OnChange(action_); }

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

bool TActionLink::IsCaptionLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsOnExecuteLinked() const { return Action() != nullptr; }

// ---- actions --------------------------------------------------------------------------------------------------

TBasicAction::~TBasicAction() {
  // The clients outlive the action: their links are left without one.
  while (!links_.empty()) links_.back()->SetAction(nullptr);
}

void TBasicAction::SetOnExecute(TNotifyEvent value) {
  OnExecute = std::move(value);
  Change();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::Change() {
  // By index: a client may drop its link while it hears of the change.
  for (size_t i = 0; i < links_.size(); ++i) links_[i]->Change();
}

std::vector<TActionLink*> TBasicAction::LinksFollowing(bool (TActionLink::*isLinked)() const) const {
  std::vector<TActionLink*> result;
  for (TBasicActionLink* link : links_)
    if (auto* l = dynamic_cast<TActionLink*>(link); l && (l->*isLinked)()) result.push_back(l);
  return result;
}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* value) {
  if (value == actionList_) return;
  if (actionList_) std::erase(actionList_->actions_, this);
  actionList_ = value;
  if (actionList_) actionList_->actions_.push_back(this);
}

int TContainedAction::Index() const {
  if (!actionList_) return -1;
  auto& list = actionList_->actions_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

template <class T, class Setter>
bool TCustomAction::Store(T& field, const T& value, bool (TActionLink::*isLinked)() const, Setter setter) {
  if (field == value) return false;
  auto linked = LinksFollowing(isLinked);
  field = value;
  for (TActionLink* l : linked) (l->*setter)(value);
  return true;
}

void TCustomAction::SetCaption(const std::string& value) {
  if (Store(caption_, value, &TActionLink::IsCaptionLinked, &TActionLink::SetCaption)) Change();
}

void TCustomAction::SetHint(const std::string& value) {
  if (Store(hint_, value, &TActionLink::IsHintLinked, &TActionLink::SetHint)) Change();
}

void TCustomAction::PushEnabled(const std::vector<TActionLink*>& linked, bool wasEnabled) {
  if (Enabled() == wasEnabled) return;
  for (TActionLink* l : linked) l->SetEnabled(Enabled());
  Change();
}

void TCustomAction::SetEnabled(bool value) {
  if (value == enabled_) return;
  bool was = Enabled();
  auto linked = LinksFollowing(&TActionLink::IsEnabledLinked);
  enabled_ = value;
  PushEnabled(linked, was);
}

void TCustomAction::SetDisableIfNoHandler(bool value) {
  if (value == disableIfNoHandler_) return;
  bool was = Enabled();
  auto linked = LinksFollowing(&TActionLink::IsEnabledLinked);
  disableIfNoHandler_ = value;
  PushEnabled(linked, was);
}

void TCustomAction::SetOnExecute(TNotifyEvent value) {
  bool was = Enabled();
  auto linked = LinksFollowing(&TActionLink::IsEnabledLinked);
  OnExecute = std::move(value);
  PushEnabled(linked, was);
}

void TCustomAction::SetVisible(bool value) {
  if (Store(visible_, value, &TActionLink::IsVisibleLinked, &TActionLink::SetVisible)) Change();
}

void TCustomAction::SetChecked(bool value) {
  if (!Store(checked_, value, &TActionLink::IsCheckedLinked, &TActionLink::SetChecked)) return;
  if (value && groupIndex_ > 0 && ActionList()) {
    TCustomActionList* list = ActionList();
    for (int i = 0; i < list->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(list->Actions(i));
      if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
    }
  }
  Change();
}

void TCustomAction::SetGroupIndex(int value) {
  if (Store(groupIndex_, value, &TActionLink::IsGroupIndexLinked, &TActionLink::SetGroupIndex)) Change();
}

void TCustomAction::SetImageIndex(int value) {
  if (Store(imageIndex_, value, &TActionLink::IsImageIndexLinked, &TActionLink::SetImageIndex)) Change();
}

bool TCustomAction::Execute() {
  if (!Enabled()) return false;
  if (autoCheck_) SetChecked(!checked_);
  return TContainedAction::Execute();
}

// A layout binds OnExecute without the setter: the clients hear of the handler once the layout is read.
void TCustomAction::Loaded() {
  TContainedAction::Loaded();
  Change();
}

// ---- action lists ---------------------------------------------------------------------------------------------

TCustomActionList::~TCustomActionList() {
  while (!actions_.empty()) actions_.back()->SetActionList(nullptr);
  SetImages(nullptr);
}

std::vector<std::string> TCustomActionList::Categories() const {
  std::vector<std::string> result;
  for (const TContainedAction* a : actions_)
    if (std::find(result.begin(), result.end(), a->Category()) == result.end()) result.push_back(a->Category());
  return result;
}

void TCustomActionList::SetImages(TCustomImageList* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (images_) images_->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

// ---- the link of a control ------------------------------------------------------------------------------------

TControlActionLink::TControlActionLink(TControl* client) : TActionLink(client), control_(client) {}

bool TControlActionLink::IsCaptionLinked() const {
  return TActionLink::IsCaptionLinked() && control_->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
  return TActionLink::IsEnabledLinked() && control_->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHintLinked() const {
  return TActionLink::IsHintLinked() && control_->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
  return TActionLink::IsVisibleLinked() && control_->Visible() == CustomAction()->Visible();
}

void TControlActionLink::SetCaption(const std::string& value) { control_->SetCaption(value); }
void TControlActionLink::SetEnabled(bool value) { control_->SetEnabled(value); }
void TControlActionLink::SetHint(const std::string& value) { control_->SetHint(value); }
void TControlActionLink::SetVisible(bool value) { control_->SetVisible(value); }

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* value) {
  if (!value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_.reset(CreateActionLink());
  actionLink_->SetAction(value);
  ActionChange(value, HasState(csLoading));
}

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
  if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!checkDefaults || Hint().empty()) SetHint(action->Hint());
  if (!checkDefaults || Visible()) SetVisible(action->Visible());
}
