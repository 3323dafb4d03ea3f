#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/ComboBoxes.h"
#include "classlib/Controls.h"
#include "classlib/Dialogs.h"
#include "classlib/Edits.h"
#include "classlib/Grids.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/ScrollBars.h"
#include "classlib/Themes.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/classlib/RuntimeTestSupport.h"

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

// The form the layout resource STDCTRLSTESTFORM describes: a main menu bound to actions, tool buttons, an edit, a
// combo box, scroll bars, the tile picker's grid, an image list and file dialogs.
class TfrmStdCtrlsTest : public TForm {
public:
  explicit TfrmStdCtrlsTest(TComponent* owner) : TForm(owner) {
    Register();
    LoadLayout("STDCTRLSTESTFORM");
  }
  std::vector<std::string> Calls;
  void actOpenProjectExecute(TObject*) { Calls.push_back("open"); }
  void miCloseClick(TObject*) { Calls.push_back("close"); }
  void cbImageLibSetChange(TObject*) { Calls.push_back("library"); }
  void TileGridDrawCell(TObject*, int, int, TRect, TGridDrawState) {}
  void TileGridSelectCell(TObject*, int, int, bool&) {}

  template <class T>
  T& Find(const char* name) {
    auto* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw Exception(std::string("no ") + name);
    return *c;
  }

  static void Register() {
    static bool done = (TLayoutRegistration<TfrmStdCtrlsTest, TForm>("TfrmStdCtrlsTest")
                            .Handler("actOpenProjectExecute", &TfrmStdCtrlsTest::actOpenProjectExecute)
                            .Handler("miCloseClick", &TfrmStdCtrlsTest::miCloseClick)
                            .Handler("cbImageLibSetChange", &TfrmStdCtrlsTest::cbImageLibSetChange)
                            .Handler("TileGridDrawCell", &TfrmStdCtrlsTest::TileGridDrawCell)
                            .Handler("TileGridSelectCell", &TfrmStdCtrlsTest::TileGridSelectCell),
                        true);
    (void)done;
  }
};

// What the platform's menu shows at a position.
struct TShownItem {
  std::string Text;
  bool Grayed = false;
  bool Separator = false;
  friend bool operator==(const TShownItem&, const TShownItem&) = default;
  friend void PrintTo(const TShownItem& item, std::ostream* os) {
    *os << '"' << item.Text << '"' << (item.Grayed ? " greyed" : "") << (item.Separator ? " line" : "");
  }
};

std::vector<TShownItem> Shown(HMENU menu) {
  std::vector<TShownItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[80] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    items.push_back({text, (info.fState & MFS_GRAYED) != 0, (info.fType & MFT_SEPARATOR) != 0});
  }
  return items;
}

TEST(Menus, ACommandReachesItsActionAndAHandlerLessActionIsGreyed) {
  TParkedCursor parked;
  runtimetest::TReportCapture reports;
  TfrmStdCtrlsTest form(nullptr);
  form.Show();
  PumpMessages();
  HMENU bar = GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Shown(bar), (std::vector<TShownItem>{{"&File"}, {"&Help"}}));
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(Shown(file), (std::vector<TShownItem>{{"&Open"}, {"&Save Project", true}, {"", false, true},
                                                  {"&Close Map Editor"}}));
  HMENU open = GetSubMenu(file, 0);
  EXPECT_EQ(Shown(open), (std::vector<TShownItem>{{"Open &Map File..."}}));
  EXPECT_TRUE(form.Find<TPanel>("btnOpen").Enabled());
  EXPECT_FALSE(form.Find<TPanel>("btnSave").Enabled());

  auto command = [&](HMENU menu, int position) {
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, position), 0), 0);
  };
  command(open, 0);
  command(file, 1);  // greyed: the platform would not send it, and the item does nothing when it arrives
  command(file, 3);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"open", "close"}));

  auto& save = form.Find<TAction>("actSaveProject");
  save.SetOnExecute([&](TObject*) { form.Calls.push_back("save"); });
  form.Find<TMenuItem>("miConvert").SetVisible(true);
  EXPECT_EQ(Shown(file)[1], (TShownItem{"&Save Project"}));
  EXPECT_EQ(Shown(file)[3], (TShownItem{"&Convert Tolvane Map..."}));
  EXPECT_TRUE(form.Find<TPanel>("btnSave").Enabled());
  command(file, 1);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"open", "close", "save"}));
  // A window made again gets the same menu back; a disabled item ignores a command that still arrives.
  form.SetBorderStyle(bsSingle);
  ASSERT_EQ(GetMenu(form.Handle()), bar);
  form.Find<TMenuItem>("miClose").SetEnabled(false);
  command(GetSubMenu(bar, 0), 4);
  EXPECT_EQ(form.Calls.size(), 3u);
  EXPECT_TRUE(reports.Reports.empty());
}

TEST(Layout, EveryStandardControlIsReadAndFreedWithItsGdiObjectsAndThemeHandles) {
  TParkedCursor parked;
  runtimetest::TReportCapture reports;
  const int themeHandles = ThemeHandleCounts().Open;
  {
    TfrmStdCtrlsTest form(nullptr);
    form.Show();
    PumpMessages();
    auto& edit = form.Find<TMaskEdit>("maJumpX");
    EXPECT_EQ(GetWindowLongA(edit.Handle(), GWL_STYLE) & ES_RIGHT, ES_RIGHT);
    EXPECT_EQ(SendMessageA(edit.Handle(), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_EQ(edit.Text(), "12");
    auto& combo = form.Find<TComboBox>("cbImageLibSet");
    EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo.Text(), " 1 - Data-Tiles30c");
    auto& vertical = form.Find<TScrollBar>("scbaVertical");
    EXPECT_EQ(GetWindowLongA(vertical.Handle(), GWL_STYLE) & SBS_VERT, SBS_VERT);
    EXPECT_EQ(vertical.Height(), 120);
    EXPECT_EQ(form.Find<TScrollBar>("scbaHorizontal").SmallChange(), 2);
    auto& grid = form.Find<TStringGrid>("TileGrid");
    EXPECT_EQ(grid.ColCount(), 7);
    EXPECT_EQ(grid.CellRect(2, 0), (TRect{146, 0, 242, 64}));
    EXPECT_FALSE(grid.DefaultDrawing());
    EXPECT_EQ(form.Find<TOpenDialog>("odOpenMapSet").DefaultExt(), "map");
    EXPECT_EQ(form.Find<TActionList>("alMain").Images()->Count(), 2);
    EXPECT_EQ(form.Menu(), &form.Find<TMainMenu>("mnuMain"));
  }
  // One life of the form: shown, painted again and again (with every frame and the image list's images), its combo
  // box made anew; while it lives, painting leaves the count where it was.
  auto life = [] {
    TfrmStdCtrlsTest form(nullptr);
    form.Show();
    PumpMessages();
    auto paint = [&form] {
      RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
      TBitmap target;
      target.SetSize(8, 8);
      for (bool enabled : {true, false}) form.Find<TImageList>("ilTools").Draw(target.Canvas(), 0, 0, 1, enabled);
    };
    paint();
    paint();
    const DWORD during = GdiObjectCount();
    for (int i = 0; i < 3; ++i) paint();
    EXPECT_EQ(GdiObjectCount(), during);
    form.Find<TComboBox>("cbImageLibSet").SetStyle(csDropDown);
  };
  const DWORD before = SettledGdiObjectCount(life);
  ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
  for (int i = 0; i < 3; ++i) life();
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_EQ(ThemeHandleCounts().Open, themeHandles);
  EXPECT_TRUE(reports.Reports.empty());
}

TEST(Dialogs, AreAnsweredThroughTheHookWithWhatThePlatformWouldBeAsked) {
  TfrmStdCtrlsTest form(nullptr);
  auto& open = form.Find<TOpenDialog>("odOpenMapSet");
  auto& save = form.Find<TSaveDialog>("seSaveVesk3Map");
  open.SetInitialDir("C:\\game\\Map\\");
  struct TAsked {
    std::string Filter, InitialDir, DefaultExt, FileName;
    DWORD Flags = 0;
    bool Save = false;
  } asked;
  std::string answer;
  TFileDialogHook previous = SetFileDialogHook([&](OPENFILENAMEA& r, bool isSave) {
    const char* end = r.lpstrFilter;
    while (*end || end[1]) ++end;
    asked = {std::string(r.lpstrFilter, end + 2), r.lpstrInitialDir ? r.lpstrInitialDir : "",
             r.lpstrDefExt ? r.lpstrDefExt : "", r.lpstrFile, r.Flags, isSave};
    if (answer.empty()) return false;
    answer.copy(r.lpstrFile, r.nMaxFile - 1);
    r.lpstrFile[std::min<size_t>(answer.size(), r.nMaxFile - 1)] = '\0';
    return true;
  });
  answer = "C:\\game\\Map\\demo.map";
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), answer);
  EXPECT_EQ(asked.Filter, std::string("Map File (*.map)\0*.map\0\0", 24));
  EXPECT_EQ(asked.InitialDir, "C:\\game\\Map\\");
  EXPECT_EQ(asked.DefaultExt, "map");
  const DWORD wanted = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING;
  EXPECT_EQ(asked.Flags & wanted, wanted);
  EXPECT_FALSE(asked.Save);

  answer.clear();
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName(), "C:\\game\\Map\\demo.map");
  EXPECT_EQ(asked.FileName, "C:\\game\\Map\\demo.map");

  answer = std::string(MAX_PATH * 8, 'x');  // longer than the dialog's buffer: cut, never overrun
  EXPECT_TRUE(save.Execute());
  EXPECT_TRUE(asked.Save);
  EXPECT_EQ(asked.Filter, std::string("Map file (*.map)\0*.map\0\0", 24));
  EXPECT_EQ(asked.Flags & OFN_FILEMUSTEXIST, 0u);
  EXPECT_EQ(save.FileName().size(), MAX_PATH * 4 - 1u);
  SetFileDialogHook(previous);
}

// A dialog box whose procedure faults at the first of two messages, as the platform's save dialog faults on some
// names: its modal loop calls the procedure with no boundary of the platform's own. Enter comes as the command of
// the default button, sent by the loop; a posted message is dispatched by it. The second message ends the box.
struct TFaultingBox {
  UINT FaultOn;
  int Seen = 0;
  volatile int* volatile Nowhere = nullptr;

  static INT_PTR CALLBACK Proc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(box, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TFaultingBox*>(GetWindowLongPtrA(box, DWLP_USER));
    const bool command = self && self->FaultOn == WM_COMMAND;
    if (msg == WM_INITDIALOG)
      for (int i = 0; i < 2; ++i) PostMessageA(box, command ? WM_KEYDOWN : self->FaultOn, command ? VK_RETURN : 0, 0);
    if (!self || msg != self->FaultOn || (command && LOWORD(wParam) != IDOK)) return msg == WM_INITDIALOG;
    if (self->Seen++ == 0) return *self->Nowhere;
    return EndDialog(box, IDOK);
  }
};

TEST(Dialogs, AFaultInADialogBoxEndsOnlyItsMessageAndTheBoxStays) {
  for (const auto& [message, unicode] : {std::pair{UINT(WM_COMMAND), false}, std::pair{UINT(WM_APP), true}}) {
    SCOPED_TRACE(message);
    runtimetest::TReportCapture capture;
    TFaultingBox box{message};
    TFileDialogHook previous = SetFileDialogHook([&](OPENFILENAMEA& r, bool) {
      alignas(4) WORD empty[16] = {};  // a box template: no controls, menu, class or title
      auto* t = reinterpret_cast<DLGTEMPLATE*>(empty);
      t->style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
      lstrcpynA(r.lpstrFile, "C:\\x.map", int(r.nMaxFile));
      const LPARAM p = reinterpret_cast<LPARAM>(&box);
      return (unicode ? DialogBoxIndirectParamW(nullptr, t, nullptr, &TFaultingBox::Proc, p)
                      : DialogBoxIndirectParamA(nullptr, t, nullptr, &TFaultingBox::Proc, p)) == IDOK;
    });
    TSaveDialog save(nullptr);
    EXPECT_TRUE(save.Execute());
    SetFileDialogHook(previous);
    EXPECT_EQ(box.Seen, 2) << "the box went on after the fault";
    EXPECT_EQ(save.FileName(), "C:\\x.map");
    char where[64];
    std::snprintf(where, sizeof where, "of a \"#32770\" window, message 0x%04X", message);
    ASSERT_EQ(capture.Reports.size(), 1u);
    EXPECT_THAT(capture.Reports[0].Text, testing::StartsWith("Access violation (C0000005) at address "));
    EXPECT_THAT(capture.Reports[0].Text, testing::EndsWith(where));
  }
}

// The guard puts its procedure around a Unicode box through the Unicode call: the box stays a Unicode window, and
// a text outside the ANSI code page, given to it and asked back, comes back as it went in.
TEST(Dialogs, AGuardedUnicodeBoxAnswersATextOutsideTheAnsiCodePageUnchanged) {
  struct TProbe {
    std::wstring Given = L"\u5730\u56F3 \u041A\u0430\u0440\u0442\u0430", Answered;
    bool Unicode = false;
  } probe;
  BOOL lost = FALSE;
  WideCharToMultiByte(CP_ACP, 0, probe.Given.c_str(), -1, nullptr, 0, nullptr, &lost);
  ASSERT_TRUE(lost) << "the ANSI code page holds the text";
  TFileDialogHook previous = SetFileDialogHook([&](OPENFILENAMEA&, bool) {
    alignas(4) WORD empty[16] = {};  // a box template: no controls, menu, class or title
    reinterpret_cast<DLGTEMPLATE*>(empty)->style = WS_POPUP | WS_CAPTION;
    DialogBoxIndirectParamW(
        nullptr, reinterpret_cast<DLGTEMPLATE*>(empty), nullptr,
        [](HWND box, UINT msg, WPARAM, LPARAM lParam) -> INT_PTR {
          if (msg != WM_INITDIALOG) return FALSE;
          auto& p = *reinterpret_cast<TProbe*>(lParam);
          p.Unicode = IsWindowUnicode(box);
          SetWindowTextW(box, p.Given.c_str());
          wchar_t answered[64] = L"";
          GetWindowTextW(box, answered, 64);
          p.Answered = answered;
          EndDialog(box, IDCANCEL);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&probe));
    return false;
  });
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
  SetFileDialogHook(previous);
  EXPECT_TRUE(probe.Unicode);
  EXPECT_EQ(probe.Answered, probe.Given);
}

}  // namespace
