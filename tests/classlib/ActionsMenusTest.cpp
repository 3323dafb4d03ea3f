#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Controls.h"
#include "tests/classlib/ControlsTestSupport.h"

using namespace controls_test;

namespace {

// A windowless tool button: what the program binds to actions besides menu items.
class TToolButton : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  using TGraphicControl::Click;
};

// An action list with two actions of group 1 and a tool button bound to the first.
struct ActionScene {
  TComponent owner{nullptr};
  TActionList* list = new TActionList(&owner);
  TAction* open = new TAction(&owner);
  TAction* other = new TAction(&owner);
  TToolButton* button = new TToolButton(&owner);
  std::vector<std::string> log;

  ActionScene() {
    for (TAction* a : {open, other}) {
      a->SetActionList(list);
      a->SetGroupIndex(1);
    }
    open->SetCaption("Open");
    open->SetCategory("Map File");
    other->SetCategory("Tools");
    button->SetAction(open);
  }
  void Handle(TAction* action) {
    action->SetOnExecute([this, action](TObject*) { log.push_back("execute " + action->Caption()); });
  }
};

TEST(Actions, ControlsFollowTheirActionAndRunIt) {
  struct Row {
    const char* name;
    std::function<void(ActionScene&)> act;
    std::function<void(ActionScene&)> check;
  };
  const Row rows[] = {
      {"a handler-less action shows disabled, and enabled once it has a handler",
       [](ActionScene& s) {
         EXPECT_FALSE(s.open->Enabled());
         EXPECT_FALSE(s.button->Enabled());
         s.Handle(s.open);
       },
       [](ActionScene& s) { EXPECT_TRUE(s.button->Enabled()); }},
      {"a click runs the action; an OnClick of the control's own runs instead",
       [](ActionScene& s) {
         s.Handle(s.open);
         s.button->Click();
         s.button->OnClick = [&s](TObject*) { s.log.push_back("own click"); };
         s.button->Click();
       },
       [](ActionScene& s) { EXPECT_EQ(s.log, (std::vector<std::string>{"execute Open", "own click"})); }},
      {"the caption follows the action until the control sets its own",
       [](ActionScene& s) {
         s.open->SetCaption("Open Map");
         EXPECT_EQ(s.button->Caption(), "Open Map");
         s.button->SetCaption("Mine");
         s.open->SetCaption("Open Map File");
       },
       [](ActionScene& s) { EXPECT_EQ(s.button->Caption(), "Mine"); }},
      {"a disabled action does not run",
       [](ActionScene& s) {
         s.Handle(s.open);
         s.open->SetEnabled(false);
         s.button->Click();
       },
       [](ActionScene& s) {
         EXPECT_TRUE(s.log.empty());
         EXPECT_FALSE(s.button->Enabled());
       }},
      {"checking an action of a group unchecks the others; auto-check toggles on execute",
       [](ActionScene& s) {
         s.Handle(s.other);
         s.open->SetChecked(true);
         s.other->SetAutoCheck(true);
         s.other->Execute();
       },
       [](ActionScene& s) {
         EXPECT_TRUE(s.other->Checked());
         EXPECT_FALSE(s.open->Checked());
       }},
      {"an action that dies leaves its control working and unbound",
       [](ActionScene& s) { delete s.open; },
       [](ActionScene& s) {
         EXPECT_EQ(s.button->Action(), nullptr);
         s.button->Click();
         EXPECT_EQ(s.list->ActionCount(), 1);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ActionScene scene;
    row.act(scene);
    row.check(scene);
  }
  ActionScene scene;
  EXPECT_EQ(scene.list->Categories(), (std::vector<std::string>{"Map File", "Tools"}));
}

}  // namespace
