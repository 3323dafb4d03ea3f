#include <gtest/gtest.h>

#include <functional>

#include "classlib/ComboBoxes.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace controls_test;

namespace {

// Logs the items the window reports deleted with their objects.
class TLoggingCombo : public TComboBox {
public:
  using TComboBox::TComboBox;
  using TComboBox::EditHandle;
  using TComboBox::ListHandle;
  std::vector<std::string>* Log = nullptr;

protected:
  void DeleteItem(void* data) override { Log->push_back("delete " + static_cast<TComponent*>(data)->Name()); }
};

// A drop-down list of three items ("Base", "Wood", "Sand"), the second with an object, "Wood" selected; every
// notification logged, and the form's wheel handler too.
struct ComboScene : StdScene {
  TLoggingCombo* combo = new TLoggingCombo(form.get());
  TComponent* wood = new TComponent(form.get());
  bool formTakesWheel = false;

  ComboScene() {
    wood->SetName("wood");
    combo->Log = &log;
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 150, 21);
    combo->SetStyle(csDropDownList);
    combo->Items().Add("Base");
    combo->Items().AddObject("Wood", wood);
    combo->Items().Add("Sand");
    combo->SetItemIndex(1);
    combo->OnClick = Logs("click");
    combo->OnSelect = Logs("select");
    combo->OnChange = Logs("change");
    combo->OnDropDown = Logs("dropdown");
    combo->OnCloseUp = Logs("closeup");
    form->OnMouseWheel = [this](TObject*, TShiftState, int, TPoint, bool& handled) {
      log.push_back("form wheel");
      handled = formTakesWheel;
    };
  }
  HWND Wnd() { return combo->Handle(); }
  void Wheel(int delta) { SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(20, 20)); }
};

using TLog = std::vector<std::string>;

TEST(ComboBox, NotificationsComeInOrderForEveryWayOfChoosing) {
  struct Row {
    const char* name;
    std::function<void(ComboScene&)> act;
    TLog expected;
    int index;
    const char* text;
  };
  const Row rows[] = {
      {"arrow key", [](ComboScene& s) { PressKey(s.Wnd(), VK_DOWN); },
       {"click", "select", "change"}, 2, "Sand"},
      {"mouse in the open list",
       [](ComboScene& s) {
         s.combo->SetDroppedDown(true);
         RECT item{};
         SendMessageA(s.combo->ListHandle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
         LPARAM at = MAKELPARAM(item.left + 5, item.top + 3);
         SendMessageA(s.combo->ListHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
         SendMessageA(s.combo->ListHandle(), WM_LBUTTONUP, 0, at);
         PumpMessages();
       },
       {"dropdown", "click", "select", "change", "closeup"}, 0, "Base"},
      {"wheel down: the form first, then the next item", [](ComboScene& s) { s.Wheel(-WHEEL_DELTA); },
       {"form wheel", "click", "select", "change"}, 2, "Sand"},
      {"wheel the form takes", [](ComboScene& s) {
         s.formTakesWheel = true;
         s.Wheel(WHEEL_DELTA);
       }, {"form wheel"}, 1, "Wood"},
      {"set by the program", [](ComboScene& s) { s.combo->SetText("Base"); }, {}, 0, "Base"},
      {"made again with another style",
       [](ComboScene& s) {
         SendMessageA(s.Wnd(), CB_SETDROPPEDWIDTH, 300, 0);
         s.combo->SetStyle(csDropDown);
         EXPECT_EQ(SendMessageA(s.Wnd(), CB_GETDROPPEDWIDTH, 0, 0), 300);
         EXPECT_EQ(SendMessageA(s.Wnd(), CB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(s.combo->Width(), 150);
         EXPECT_EQ(SendMessageA(s.Wnd(), CB_GETITEMDATA, 1, 0), reinterpret_cast<LRESULT>(s.wood));
       },
       {}, 1, "Wood"},
      {"an item with an object leaves the window", [](ComboScene& s) { s.combo->Items().Delete(1); },
       {"delete wood"}, -1, ""},
      {"an owner-drawn item without an object leaves the window", [](ComboScene& s) {
         s.combo->SetStyle(csOwnerDrawFixed);
         s.combo->Items().Delete(0);
       }, {}, 0, "Wood"},
      {"typing into the edit style",
       [](ComboScene& s) {
         s.combo->SetStyle(csDropDown);
         s.combo->SetSelLength(4);
         TypeChars(s.combo->EditHandle(), "x");
       },
       {"change"}, -1, "x"},
      {"MaxLength cuts what is typed",
       [](ComboScene& s) {
         s.combo->SetStyle(csDropDown);
         s.combo->SetMaxLength(3);
         s.combo->SetSelLength(4);
         TypeChars(s.combo->EditHandle(), "abcde");
       },
       {"change", "change", "change"}, -1, "abc"},
      {"MaxLength given before the window is made again",
       [](ComboScene& s) {
         s.combo->SetMaxLength(2);
         s.combo->SetStyle(csDropDown);
         s.combo->SetSelLength(4);
         TypeChars(s.combo->EditHandle(), "xyz");
       },
       {"change", "change"}, -1, "xy"},
      {"with AutoDropDown a character opens the list, then selects by its first letter", [](ComboScene& s) {
         s.combo->SetAutoDropDown(true);
         TypeChars(s.Wnd(), "s");
       }, {"dropdown", "click", "select", "change", "closeup"}, 2, "Sand"},
      {"the open list left with Escape", [](ComboScene& s) {
         s.combo->SetDroppedDown(true);
         SendMessageA(s.combo->ListHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
         PressKey(s.Wnd(), VK_ESCAPE);
         PumpMessages();
       }, {"dropdown", "closeup"}, 1, "Wood"},
      {"an index past the items chooses none, which the list's closing leaves as it is", [](ComboScene& s) {
         s.combo->SetItemIndex(3);
         s.combo->SetDroppedDown(true);
         PressKey(s.Wnd(), VK_ESCAPE);
         PumpMessages();
       }, {"dropdown", "closeup"}, -1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComboScene s;
    s.Wnd();
    s.log.clear();
    row.act(s);
    EXPECT_EQ(s.log, row.expected);
    EXPECT_EQ(s.combo->ItemIndex(), row.index);
    EXPECT_EQ(s.combo->Text(), row.text);
  }
}

TEST(ComboBox, TheOpenListHoldsDropDownCountItems) {
  struct Row {
    const char* name;
    int count;
    bool remade;
  };
  const Row rows[] = {{"the default", 8, false}, {"fewer, set on the window", 4, false},
                      {"more, set on the window", 12, false}, {"fewer, and the window made again", 5, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComboScene s;
    for (int i = 0; i < 20; ++i) s.combo->Items().Add("Item " + std::to_string(i));
    if (row.count != 8) s.combo->SetDropDownCount(row.count);
    if (row.remade) s.combo->SetStyle(csDropDown);
    s.combo->SetDroppedDown(true);
    PumpMessages();
    RECT list{};
    GetClientRect(s.combo->ListHandle(), &list);
    const int itemHeight = static_cast<int>(SendMessageA(s.Wnd(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(list.bottom / itemHeight, row.count) << list.bottom << " / " << itemHeight;
    s.combo->SetDroppedDown(false);
    PumpMessages();
  }
}

TEST(ComboBox, AnExceptionInAHandlerOfTheEditWindowIsReportedNotThrownThroughThePlatform) {
  ComboScene s;
  s.combo->SetStyle(csDropDown);
  s.combo->OnKeyPress = [](TObject*, char&) { throw Exception("refused"); };
  TypeChars(s.combo->EditHandle(), "a");
  ASSERT_EQ(s.reports.Reports.size(), 1u);
  EXPECT_EQ(s.reports.Reports[0].Text, "refused");
  EXPECT_EQ(s.combo->Text(), "Wood");
  s.reports.Reports.clear();
}

TEST(ComboBox, PaintsItsColoursAndOwnerDrawnItems) {
  ComboScene s;
  s.combo->SetStyle(csDropDown);
  s.combo->SetColor(clYellow);
  TBitmap edit;
  CaptureClient(s.combo->EditHandle(), edit);
  EXPECT_EQ(PixelAt(edit, edit.Width() - 2, 1), clYellow);
  s.combo->SetItemHeight(20);
  s.combo->SetStyle(csOwnerDrawFixed);
  std::vector<std::pair<int, bool>> drawn;
  s.combo->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState state) {
    drawn.push_back({index, state.Contains(odComboBoxEdit)});
    s.combo->Canvas().Brush().SetColor(clLime);
    s.combo->Canvas().FillRect(r);
  };
  InvalidateRect(s.Wnd(), nullptr, TRUE);
  TBitmap image;
  CaptureClient(s.Wnd(), image);
  EXPECT_EQ(SendMessageA(s.Wnd(), CB_GETITEMHEIGHT, 0, 0), 20);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), (std::pair<int, bool>{1, true}));
  EXPECT_EQ(PixelAt(image, 6, image.Height() / 2), clLime);
}

}  // namespace
