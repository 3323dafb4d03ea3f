// Keys posted to the focused window, with only the bare loop running, are handled inside the window procedures.
#include <gtest/gtest.h>

#include <functional>

#include "classlib/Forms.h"
#include "tests/classlib/ControlsTestSupport.h"

using namespace controls_test;

namespace {

using TLog = std::vector<std::string>;

// A focusable window that logs its characters and focus changes; it may want tabs or be the default control.
class TFocusBox : public TCustomControl {
public:
  TFocusBox(TForm* form, const std::string& name, TLog& log) : TCustomControl(form), log_(log) {
    SetName(name);
    SetParent(form);
    SetBounds(30 * form->ControlCount(), 0, 20, 20);
    SetTabStop(name != "off");
    OnEnter = [this](TObject*) { log_.push_back(Name() + " enter"); };
    OnExit = [this](TObject*) { log_.push_back(Name() + " exit"); };
    OnKeyPress = [this](TObject*, char& c) { log_.push_back(Name() + " char " + std::to_string(int(c))); };
    OnKeyUp = [this](TObject*, WORD& key, TShiftState) { log_.push_back(Name() + " up " + std::to_string(key)); };
  }
  bool WantsTab = false;
  bool IsDefault = false;

  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_GETDLGCODE:
        m.Result = WantsTab ? DLGC_WANTTAB : 0;
        return;
      case CM_DIALOGKEY:
        if (IsDefault) log_.push_back(Name() + (m.WParam == VK_RETURN ? " default" : " cancel"));
        m.Result = IsDefault;
        return;
      default: return TCustomControl::WndProc(m);
    }
  }

private:
  TLog& log_;
};

// Boxes one, two, three and off (no tab stop) in a row, one focused; the log shows where the focus went. A key-up
// reaches only the control that had the focus for its key-down.
TEST(ControlsFocus, TabArrowsEnterAndEscapeWorkInsideWindowProcedures) {
  enum TSetUp { Plain, TwoDisabled, OneWantsTab, ThreeIsDefault, OneMovesOnEnter };
  const struct {
    const char* name;
    TSetUp setUp;
    std::vector<WORD> keys;
    TLog expected;
  } rows[] = {
      {"tab wraps, skipping a disabled control and one without tab stop", TwoDisabled, {VK_TAB, VK_TAB},
       {"one exit", "three enter", "three exit", "one enter"}},
      {"arrows move among siblings, tab stop or not", Plain, {VK_LEFT}, {"one exit", "off enter"}},
      {"a control that wants tabs gets them", OneWantsTab, {VK_TAB}, {"one char 9", "one up 9"}},
      {"enter and escape go to the default control", ThreeIsDefault, {VK_RETURN, VK_ESCAPE},
       {"three default", "one up 13", "three cancel", "one up 27"}},
      {"unhandled enter arrives as a character", Plain, {VK_RETURN}, {"one char 13", "one up 13"}},
      {"the key-up of a key that moved the focus is not the next control's", OneMovesOnEnter, {VK_RETURN},
       {"one exit", "two enter", "one char 13"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TLog log;
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* one = new TFocusBox(&form, "one", log);
    auto* two = new TFocusBox(&form, "two", log);
    auto* three = new TFocusBox(&form, "three", log);
    new TFocusBox(&form, "off", log);
    form.Show();
    one->SetFocus();
    PumpMessages();
    log.clear();
    two->SetEnabled(row.setUp != TwoDisabled);
    one->WantsTab = row.setUp == OneWantsTab;
    three->IsDefault = row.setUp == ThreeIsDefault;
    if (row.setUp == OneMovesOnEnter)
      one->OnKeyDown = [two](TObject*, WORD& key, TShiftState) {
        if (key == VK_RETURN) two->SetFocus();
      };
    // The key-up comes after what the key-down's handling posted, as from the keyboard.
    for (WORD key : row.keys) {
      PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
      PumpMessages();
      PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
      PumpMessages();
    }
    EXPECT_EQ(log, row.expected);
  }
}

}  // namespace
