#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Menus.h"
#include "controls/GlowButton.h"
#include "tests/controls/ControlsSceneSupport.h"

namespace {

// The menu's real pop-up is modal and needs the button's form to be the active window: a timer picks the first
// entry once the menu's window shows (or ends the menu after two seconds).
TEST(GlowButtonMenu, PopsUpAndRunsTheChosenItem) {
  controls_scene::TPanelScene scene;
  auto* menu = new TPopupMenu(scene.form.get());
  auto* item = new TMenuItem(scene.form.get());
  std::vector<std::string> chosen;
  item->SetCaption("Open");
  item->OnClick = [&chosen](TObject*) { chosen.push_back("Open"); };
  menu->Items().Add(item);
  auto* button = new TGlowButton(scene.form.get());
  button->SetParent(scene.panel);
  button->SetDropDownMenu(menu);
  SetForegroundWindow(scene.form->Handle());
  SetActiveWindow(scene.form->Handle());
  static int ticks;
  ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA("#32768", nullptr);
    if (window && IsWindowVisible(window)) {
      PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    } else if (++ticks > 40) {
      EndMenu();
    }
  });
  button->Perform(WM_KEYDOWN, VK_F4);
  KillTimer(nullptr, timer);
  EXPECT_EQ(chosen, std::vector<std::string>{"Open"});
}

}  // namespace
