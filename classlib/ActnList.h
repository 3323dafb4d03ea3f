// Actions: named commands with a caption, hint, enabled/visible/checked state and an OnExecute handler, kept in
// action lists (with categories and an image list), and the links through which menu items and controls follow
// an action's state and run it when clicked.
//
// Sections: links; actions; action lists; the link of a control.
//
// An action without an OnExecute handler shows disabled (DisableIfNoHandler): its Enabled() answers false, and the
// clients linked to it follow. A client property is linked while it still equals the action's: a client whose
// property was changed on its own keeps it when the action changes.
#pragma once

#include <string>
#include <vector>

#include "classlib/core/Objects.h"

class TBasicAction;
class TCustomAction;
class TCustomActionList;
class TCustomImageList;
class TControl;

// ---- links ----------------------------------------------------------------------------------------------------

class TBasicActionLink : public TObject {
public:
  explicit TBasicActionLink(TObject* client) : client_(client) {}
  ~TBasicActionLink() override;
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* value);
  TObject* Client() const { return client_; }
  // Runs the action; false without an action or when the action did not run (disabled, no handler).
  virtual bool Execute(TComponent* target = nullptr);
  // Fired after the action changed (its linked properties are already pushed into the client).
  TNotifyEvent OnChange;

protected:
  friend class TBasicAction;
  virtual void Change();

  TObject* client_;

private:
  TBasicAction* action_ = nullptr;
};

// The link of a client with the usual action properties. The base tests answer whether the action is a
// TCustomAction; links of concrete clients also compare the client's current value with the action's.
class TActionLink : public TBasicActionLink {
public:
  using TBasicActionLink::TBasicActionLink;

  virtual bool IsCaptionLinked() const;
  virtual bool IsCheckedLinked() const;
  virtual bool IsEnabledLinked() const;
  virtual bool IsGroupIndexLinked() const;
  virtual bool IsHintLinked() const;
  virtual bool IsImageIndexLinked() const;
  virtual bool IsVisibleLinked() const;
  virtual bool IsOnExecuteLinked() const;

  virtual void SetCaption(const std::string&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetGroupIndex(int) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetVisible(bool) {}

protected:
  TCustomAction* CustomAction() const;
};

// ---- actions --------------------------------------------------------------------------------------------------

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
  ~TBasicAction() override;

  // Bound by layouts directly; SetOnExecute also tells the clients (the action may become enabled).
  TNotifyEvent OnExecute;
  virtual void SetOnExecute(TNotifyEvent value);
  bool HandlesExecute() const { return OnExecute.Assigned(); }
  // Fires OnExecute; false when there is none.
  virtual bool Execute();

  int LinkCount() const { return static_cast<int>(links_.size()); }

protected:
  // Tells every link (and through it every client) that the action changed.
  virtual void Change();
  // The links whose property `isLinked` says they follow the action, taken before the property changes.
  std::vector<TActionLink*> LinksFollowing(bool (TActionLink::*isLinked)() const) const;

private:
  friend class TBasicActionLink;
  std::vector<TBasicActionLink*> links_;
};

class TContainedAction : public TBasicAction {
public:
  using TBasicAction::TBasicAction;
  ~TContainedAction() override;

  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* value);
  const std::string& Category() const { return category_; }
  void SetCategory(const std::string& value) { category_ = value; }
  // Place in the action list, -1 without one.
  int Index() const;

private:
  TCustomActionList* actionList_ = nullptr;
  std::string category_;
};

class TCustomAction : public TContainedAction {
public:
  using TContainedAction::TContainedAction;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  // False also when the action has no handler and DisableIfNoHandler is set.
  bool Enabled() const { return enabled_ && (HandlesExecute() || !disableIfNoHandler_); }
  void SetEnabled(bool value);
  bool DisableIfNoHandler() const { return disableIfNoHandler_; }
  void SetDisableIfNoHandler(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // Checking an action of a group (GroupIndex > 0) unchecks the others of its list in the same group.
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  // Executing toggles Checked first.
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool value) { autoCheck_ = value; }

  void SetOnExecute(TNotifyEvent value) override;
  // Runs only while enabled.
  bool Execute() override;

protected:
  void Loaded() override;

private:
  // Stores a changed value and pushes it into the clients that followed the old one; false when unchanged.
  template <class T, class Setter>
  bool Store(T& field, const T& value, bool (TActionLink::*isLinked)() const, Setter setter);
  void PushEnabled(const std::vector<TActionLink*>& linked, bool wasEnabled);

  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool disableIfNoHandler_ = true;
  bool visible_ = true;
  bool checked_ = false;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  bool autoCheck_ = false;
};

class TAction : public TCustomAction {
public:
  using TCustomAction::TCustomAction;
};

// ---- action lists ---------------------------------------------------------------------------------------------

// Holds actions (which its owner, usually the form, owns and frees) and the image list their ImageIndex refers to.
class TCustomActionList : public TComponent {
public:
  using TComponent::TComponent;
  ~TCustomActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TContainedAction* Actions(int index) const { return actions_.at(static_cast<size_t>(index)); }
  // The categories the actions name, each once, in the order of their first action.
  std::vector<std::string> Categories() const;

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TContainedAction;
  std::vector<TContainedAction*> actions_;
  TCustomImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
public:
  using TCustomActionList::TCustomActionList;
};

// ---- the link of a control ------------------------------------------------------------------------------------

// A control follows its action's Caption, Enabled, Hint and Visible, and a click runs the action.
class TControlActionLink : public TActionLink {
public:
  explicit TControlActionLink(TControl* client);

  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHintLinked() const override;
  bool IsVisibleLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetEnabled(bool value) override;
  void SetHint(const std::string& value) override;
  void SetVisible(bool value) override;

protected:
  TControl* control_;
};
