// The SDD combo box with the create-map dialog's terrain items: searching, completing, the wheel and the
// notifications, with the search timer's ticks delivered by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "classlib/Themes.h"
#include "classlib/Timer.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace controls_test;

namespace {

using TLog = std::vector<std::string>;

// Logs its beeps for invalid keys.
class TTestCombo : public TSDDComboBox {
public:
  using TSDDComboBox::TSDDComboBox;
  using TSDDComboBox::EditHandle;
  using TSDDComboBox::ListHandle;
  TLog* Log = nullptr;

protected:
  void InvalidKey() override { Log->push_back("beep"); }
};

struct ComboScene : StdScene {
  TTestCombo* combo = new TTestCombo(form.get());
  explicit ComboScene(TComboBoxStyle style = csDropDownList) {
    combo->Log = &log;
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 150, 21);
    combo->SetStyle(style);
    for (const char* item : {"Base", "Wood", "Sand", "Snow", "Forest"}) combo->Items().Add(item);
    combo->SetItemIndex(0);
    combo->OnClick = Logs("click");
    combo->OnSelect = Logs("select");
    combo->OnChange = Logs("change");
    combo->OnMatch = Logs("match");
    combo->OnSelEndOk = Logs("selendok");
    combo->OnCloseUp = Logs("closeup");
    combo->OnNotInList = Logs("notinlist");
    combo->OnDeleteItem = [this](TObject*, void* item) {
      log.push_back("delete " + std::to_string(*static_cast<int*>(item)));
    };
    combo->Handle();
  }
  HWND Wnd() { return combo->Handle(); }
  void Tick() { combo->SearchTimer().OnTimer()(nullptr); }
  void Wheel(int delta) { SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(20, 20)); }
};

const TLog kChosen{"click", "select", "change"};

TEST(SDDComboBox, SearchesWhatIsTypedUntilTheTimerClearsIt) {
  struct Row {
    const char* name;
    std::function<void(ComboScene&)> act;
    int index;
    const char* search;
    TLog log;
  };
  const Row rows[] = {
      {"two characters in time", [](ComboScene& s) { TypeChars(s.Wnd(), "sn"); }, 3, "sn", {"click", "select",
       "change", "click", "select", "change"}},
      {"the tick between them: n alone starts no item", [](ComboScene& s) {
         TypeChars(s.Wnd(), "s");
         EXPECT_TRUE(s.combo->SearchTimer().Enabled());
         s.Tick();
         TypeChars(s.Wnd(), "n");
       }, 2, "n", {"click", "select", "change", "beep"}},
      {"a character no item starts with", [](ComboScene& s) { TypeChars(s.Wnd(), "x"); }, 0, "x", {"beep"}},
      {"backspace takes the last character back, then the first item", [](ComboScene& s) {
         TypeChars(s.Wnd(), "sn\b");
         EXPECT_EQ(s.combo->ItemIndex(), 2);
         s.log.clear();
         TypeChars(s.Wnd(), "\b");
       }, 0, "", kChosen},
      {"an arrow key clears the search", [](ComboScene& s) {
         TypeChars(s.Wnd(), "w");
         PressKey(s.Wnd(), VK_UP);
         s.log.clear();
         TypeChars(s.Wnd(), "s");
       }, 2, "s", kChosen},
      {"escape in a closed combo box selects the first item", [](ComboScene& s) {
         TypeChars(s.Wnd(), "f");
         s.log.clear();
         PressKey(s.Wnd(), VK_ESCAPE);
         TypeChars(s.Wnd(), "\x1b");
       }, 0, "", kChosen},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComboScene s;
    s.log.clear();
    row.act(s);
    EXPECT_EQ(s.combo->ItemIndex(), row.index);
    EXPECT_EQ(s.combo->SearchText(), row.search);
    EXPECT_EQ(s.log, row.log);
  }
}

TEST(SDDComboBox, CompletesTheEditWithAnItem) {
  struct Row {
    const char* name;
    bool keepCase, allowEdit;
    const char* typed;
    const char* text;
    int selStart, selLength;
    int beeps;
  };
  const Row rows[] = {
      {"completion", false, true, "sA", "Sand", 2, 2, 0},
      {"completion keeping the typed case", true, true, "sA", "sAnd", 2, 2, 0},
      {"a character beyond the items, kept", false, true, "sx", "Sx", 2, 0, 0},
      {"a character beyond the items, refused", false, false, "sx", "Sand", 1, 3, 1},
      {"backspace takes the completion and a character back", false, true, "sn\b", "Sand", 1, 3, 0},
      {"nothing to refuse but the first character", false, false, "q", "", 0, 0, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComboScene s(csDropDown);
    s.combo->SetText("");
    s.combo->SetKeepSearchCase(row.keepCase);
    s.combo->SetAllowEdit(row.allowEdit);
    s.log.clear();
    TypeChars(s.combo->EditHandle(), row.typed);
    EXPECT_EQ(s.combo->Text(), row.text);
    EXPECT_EQ(WindowText(s.combo->EditHandle()), row.text);
    EXPECT_EQ(s.combo->SelStart(), row.selStart);
    EXPECT_EQ(s.combo->SelLength(), row.selLength);
    EXPECT_EQ(std::count(s.log.begin(), s.log.end(), "beep"), row.beeps);
  }
  ComboScene s(csDropDown);
  s.combo->SetText("");
  s.log.clear();
  TypeChars(s.combo->EditHandle(), "w");
  EXPECT_EQ(s.log, (TLog{"click", "select", "change", "match"}));
}

TEST(SDDComboBox, MaxLengthDropsACharacterBeforeTheKeyHandlersSeeIt) {
  struct Row {
    const char* name;
    int maxLength;
    const char* start;
    bool selectAll;
    const char* typed;
    const char* text;
    const char* keysSeen;
  };
  const Row rows[] = {
      {"at the limit", 3, "", false, "qrst", "qrs", "qrs"},
      {"a completion longer than it is typed over", 3, "", false, "sxyz", "Sxy", "sxy"},
      {"a selection is typed over", 3, "abc", true, "d", "d", "d"},
      {"no limit", 0, "", false, "qrst", "qrst", "qrst"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComboScene s(csDropDown);
    s.combo->SetMaxLength(row.maxLength);
    s.combo->SetText(row.start);
    if (row.selectAll) s.combo->SetSelLength(3);
    std::string keys;
    s.combo->OnKeyPress = [&](TObject*, char& key) { keys += key; };
    TypeChars(s.combo->EditHandle(), row.typed);
    EXPECT_EQ(s.combo->Text(), row.text);
    EXPECT_EQ(keys, row.keysSeen);
  }
}

TEST(SDDComboBox, TheWheelStepsAndStopsQuietlyAtBothEnds) {
  struct Row {
    const char* name;
    int from, delta;
    bool readOnly, empty;
    int index;
    TLog log;
  };
  const Row rows[] = {{"down", 1, -WHEEL_DELTA, false, false, 2, kChosen},
                      {"up", 1, WHEEL_DELTA, false, false, 0, kChosen},
                      {"down at the last item", 4, -WHEEL_DELTA, false, false, 4, {}},
                      {"up at the first item", 0, WHEEL_DELTA, false, false, 0, {}},
                      {"read-only", 1, -WHEEL_DELTA, true, false, 1, {}},
                      {"no items", -1, -WHEEL_DELTA, false, true, -1, {}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComboScene s;
    if (row.empty) s.combo->Items().Clear();
    s.combo->SetItemIndex(row.from);
    s.combo->SetReadOnly(row.readOnly);
    s.log.clear();
    s.Wheel(row.delta);
    EXPECT_EQ(s.combo->ItemIndex(), row.index);
    EXPECT_EQ(s.log, row.log);
  }
}

TEST(SDDComboBox, ReportsDeletionsChoicesAndLeavingInOrderAndKeepsItsWidth) {
  ComboScene s;
  int objects[] = {7, 8};
  s.combo->Items().AddObject("Lava", reinterpret_cast<TObject*>(&objects[0]));
  s.combo->Items().AddObject("Ice", reinterpret_cast<TObject*>(&objects[1]));
  s.combo->SetDropDownWidth(300);
  EXPECT_EQ(SendMessageA(s.Wnd(), CB_GETDROPPEDWIDTH, 0, 0), 300);
  s.combo->SetStyle(csDropDown);
  EXPECT_EQ(SendMessageA(s.Wnd(), CB_GETDROPPEDWIDTH, 0, 0), 300);
  s.log.clear();
  s.combo->Items().Delete(6);
  s.combo->Items().Delete(5);
  EXPECT_EQ(s.log, (TLog{"delete 8", "delete 7"}));
  // A choice in the open list with the mouse.
  s.combo->SetStyle(csDropDownList);
  s.combo->SetDroppedDown(true);
  s.log.clear();
  RECT item{};
  SendMessageA(s.combo->ListHandle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, item.top + 3);
  SendMessageA(s.combo->ListHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(s.combo->ListHandle(), WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_EQ(s.log, (TLog{"click", "select", "change", "selendok", "closeup"}));
  // Leaving with a text that is no item.
  s.combo->SetStyle(csDropDown);
  s.combo->SetFocus();
  s.combo->SetTextNoComplete("Lava");
  s.log.clear();
  s.form->FocusControl(nullptr);
  SetFocus(s.form->Handle());
  EXPECT_EQ(s.log, (TLog{"notinlist"}));
}

// While the window goes, the platform reports the lost focus, the list closing and the items with objects leaving.
// A combo box being freed, or freed with the form whose methods its handlers usually are, reports none of it: the
// form's own parts are gone by the time its base destroys the windows.
TEST(SDDComboBox, ReportsNothingWhileItIsFreed) {
  enum TFreed { TheComboBox, TheForm, TheFormsOwner };
  const struct {
    const char* name;
    TFreed freed;
    bool dropped;
  } rows[] = {
      {"the combo box, focused", TheComboBox, false},
      {"the combo box, its list open", TheComboBox, true},
      {"the form, the combo box focused", TheForm, false},
      {"the form, the list open", TheForm, true},
      {"the form with its owner, the combo box focused", TheFormsOwner, false},
      {"the form with its owner, the list open", TheFormsOwner, true},
  };
  TParkedCursor parked;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TLog log;
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* form = new TForm(owner.get());
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 300, 200);
    auto* combo = new TSDDComboBox(form);
    combo->SetParent(form);
    combo->SetStyle(csDropDownList);
    int object = 7;
    combo->Items().AddObject("Lava", reinterpret_cast<TObject*>(&object));
    combo->Items().Add("Ice");
    const auto logs = [&log](const char* what) { return [&log, what](TObject*) { log.push_back(what); }; };
    combo->OnChange = logs("change");
    combo->OnCloseUp = logs("closeup");
    combo->OnSelEndOk = logs("selendok");
    combo->OnSelEndCancel = logs("selendcancel");
    combo->OnDeleteItem = [&log](TObject*, void*) { log.push_back("delete"); };
    form->Show();
    combo->SetFocus();
    PumpMessages();
    if (row.dropped) combo->SetDroppedDown(true);
    PumpMessages();
    log.clear();
    switch (row.freed) {
      case TheComboBox: delete combo; break;
      case TheForm: delete form; break;
      case TheFormsOwner: owner.reset(); break;
    }
    EXPECT_EQ(log, TLog{});
  }
}

TEST(SDDComboBox, PaintsItsFrameAndFlatButtonOverTheClientArea) {
  TClassicThemesScope classic;
  ComboScene s;
  s.combo->SetColor(0x00FFFF);
  s.combo->SetFlatButtons(true);
  s.combo->SetFramingPreference(fpCustomFraming);
  s.combo->SetFrameColor(0x0000FF);
  s.combo->SetFrameVisible(true);
  TBitmap image;
  InvalidateRect(s.Wnd(), nullptr, TRUE);
  CaptureClient(s.Wnd(), image);
  EXPECT_EQ(PixelAt(image, 0, 10), 0x0000FFu);
  EXPECT_EQ(PixelAt(image, 1, 10), 0x00FFFFu);
  // The flat button, neither focused nor hovered, is the control's colour round its arrow.
  const int button = image.Width() - 2 - GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(PixelAt(image, button + 2, 4), 0x00FFFFu);
}

}  // namespace
