// Tests that need the keyboard focus or the foreground window: they run alone, because test programs running at
// the same time take the foreground from each other.
#include <gtest/gtest.h>

#include "classlib/Hints.h"
#include "tests/classlib/ControlsTestScene.h"
#include "tests/classlib/RuntimeTestSupport.h"

using namespace controls_test;

namespace {

// A focusable window that logs its keys and focus changes.
class TFocusBox : public TCustomControl {
public:
  TFocusBox(TComponent* owner, TWinControl* parent, const std::string& name, int x, TLog& log)
      : TCustomControl(owner), log_(log) {
    SetName(name);
    SetParent(parent);
    SetBounds(x, 0, 20, 20);
    SetTabStop(true);
    OnEnter = [this](TObject*) { log_.push_back(Name() + " enter"); };
    OnExit = [this](TObject*) { log_.push_back(Name() + " exit"); };
    OnKeyPress = [this](TObject*, char& c) { log_.push_back(Name() + " char " + std::to_string(int(c))); };
  }
  LRESULT DialogCode = 0;
  bool IsDefault = false;

  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_GETDLGCODE: m.Result = DialogCode; return;
      case CM_DIALOGKEY:
        if (IsDefault && (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE)) {
          log_.push_back(Name() + (m.WParam == VK_RETURN ? " default" : " cancel"));
          m.Result = 1;
        }
        return;
      default: return TCustomControl::WndProc(m);
    }
  }

private:
  TLog& log_;
};

struct KeyScene {
  TLog log;
  std::unique_ptr<TForm> form;
  TFocusBox *one, *two, *three, *off;
  KeyScene() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
    one = new TFocusBox(form.get(), form.get(), "one", 0, log);
    two = new TFocusBox(form.get(), form.get(), "two", 30, log);
    three = new TFocusBox(form.get(), form.get(), "three", 60, log);
    off = new TFocusBox(form.get(), form.get(), "off", 90, log);
    off->SetTabStop(false);
    form->Show();
    PumpMessages();
    one->SetFocus();
    PumpMessages();
    log.clear();
  }
  ~KeyScene() { SetShift(false); }

  // Posts the key to the focused window; only the bare loop runs.
  void Key(WORD key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
  }
  static void SetShift(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }
  std::string Focused() const {
    TWinControl* c = TWinControl::FromHandle(GetFocus());
    return c ? c->Name() : "?";
  }
};

TEST(ControlsFocus, TabAndArrowsMoveTheFocusInsideWindowProcedures) {
  struct Row {
    const char* name;
    std::function<void(KeyScene&)> act;
    const char* focused;
    TLog expected;
  };
  const Row rows[] = {
      {"tab", [](KeyScene& k) { k.Key(VK_TAB); }, "two", {"one exit", "two enter"}},
      {"tab order is followed", [](KeyScene& k) {
         k.three->SetTabOrder(1);
         k.Key(VK_TAB);
       }, "three", {"one exit", "three enter"}},
      {"tab wraps and skips controls without tab stop or disabled", [](KeyScene& k) {
         k.two->SetEnabled(false);
         k.Key(VK_TAB);
         k.Key(VK_TAB);
       }, "one", {"one exit", "three enter", "three exit", "one enter"}},
      {"shift+tab goes back", [](KeyScene& k) {
         KeyScene::SetShift(true);
         k.Key(VK_TAB);
         KeyScene::SetShift(false);
       }, "three", {"one exit", "three enter"}},
      {"arrows move among siblings, tab stop or not", [](KeyScene& k) {
         k.Key(VK_LEFT);
       }, "off", {"one exit", "off enter"}},
      {"a control that wants tabs keeps them, and gets the character", [](KeyScene& k) {
         k.one->DialogCode = DLGC_WANTTAB;
         k.Key(VK_TAB);
       }, "one", {"one char 9"}},
      {"enter goes to the default control without a character", [](KeyScene& k) {
         k.three->IsDefault = true;
         k.Key(VK_RETURN);
         k.Key(VK_ESCAPE);
       }, "one", {"three default", "three cancel"}},
      {"unhandled enter arrives as a character", [](KeyScene& k) { k.Key(VK_RETURN); }, "one", {"one char 13"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KeyScene k;
    ASSERT_EQ(k.Focused(), "one");
    row.act(k);
    EXPECT_EQ(k.Focused(), row.focused);
    EXPECT_EQ(k.log, row.expected);
  }
}

// The bare loop until `done`, for at most a second: a hint that does not show within it never will.
bool PumpUntil(const std::function<bool()>& done) { return runtimetest::PumpUntil(done, 1000); }

TEST(ControlsFocus, HintsShowAfterAPauseAndGoOnClickOrTimeout) {
  HintSettings().HintPause = 30;
  HintSettings().HintHidePause = 150;
  struct Row {
    const char* name;
    std::function<void(SwatchScene&)> setUp;
    bool shows;
  };
  const Row rows[] = {
      {"a control with a hint", [](SwatchScene&) {}, true},
      {"ShowHint off", [](SwatchScene& s) { s.b->SetShowHint(false); }, false},
      {"the control refuses through CM_HINTSHOW", [](SwatchScene& s) { s.b->RefuseHint = true; }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SwatchScene s;
    s.b->SetHint("blue square");
    s.b->SetShowHint(true);
    row.setUp(s);
    // The platform reports mouse leave from where the real cursor is: keep it where the posted moves say it is,
    // whatever an earlier test left it at.
    const auto moveTo = [&s](int x, int y) {
      POINT p{x, y};
      ClientToScreen(s.panel->Handle(), &p);
      SetCursorPos(p.x, p.y);
      s.Mouse(WM_MOUSEMOVE, x, y);
    };
    moveTo(60, 60);
    bool shown = PumpUntil([] { return ActiveHintWindow() != nullptr; });
    EXPECT_EQ(shown, row.shows);
    if (!shown) continue;
    THintWindow* hint = ActiveHintWindow();
    EXPECT_EQ(hint->Caption(), "blue square");
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    EXPECT_NE(GetForegroundWindow(), hint->Handle());
    s.Mouse(WM_LBUTTONDOWN, 60, 60, MK_LBUTTON);
    s.Mouse(WM_LBUTTONUP, 60, 60);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    // Moving onto A and back shows it again, until the hide pause ends it.
    moveTo(15, 15);
    moveTo(60, 60);
    EXPECT_TRUE(PumpUntil([] { return ActiveHintWindow() != nullptr; }));
    EXPECT_TRUE(PumpUntil([] { return ActiveHintWindow() == nullptr; }));
  }
}

}  // namespace
