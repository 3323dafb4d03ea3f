// The SDD edit on a shown form: its frame as the window DC shows it, the colours it switches to, Enter as Tab under
// the bare loop, and the drop-down button subclasses may show. Also the layout names of the edit, combo box and
// grid.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Themes.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDGrids.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "tests/classlib/StdCtrlsTestScene.h"
#include "tests/sddcontrols/SDDTestScene.h"

using namespace controls_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kYellow = 0x00FFFF, kLime = 0x00FF00;

// The edit with its drop-down button shown and its protected parts reachable.
class TButtonEdit : public TSDDEdit {
public:
  using TSDDEdit::TSDDEdit;
  using TSDDEdit::ButtonRect;
  using TSDDEdit::ButtonState;
  using TSDDEdit::OnButtonClick;
  using TSDDEdit::OnButtonClickDone;
  using TSDDEdit::SetButtonVisible;
  using TSDDEdit::SetFlatButton;
  using TSDDEdit::ValidateError;
};

struct EditScene : StdScene {
  TButtonEdit* edit = new TButtonEdit(form.get());
  TSDDEdit* next = new TSDDEdit(form.get());
  EditScene() {
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 120, 24);
    next->SetParent(form.get());
    next->SetBounds(10, 50, 120, 24);
  }
  HWND Wnd() { return edit->Handle(); }
  TColor WindowPixel(int x, int y) { return sdd_test::WindowPixel(Wnd(), x, y); }
};

TEST(SDDEdit, PaintsItsFrameInTheNonClientAreaAsItsLookAsks) {
  struct Row {
    const char* name;
    std::function<void(TSDDEdit&)> look;
    TColor left0, left1, top0;  // pixels (0, 12), (1, 12) and (60, 0)
  };
  const Row rows[] = {
      {"flat", [](TSDDEdit&) {}, kRed, kYellow, kRed},
      {"bold", [](TSDDEdit& e) { e.SetFrameStyle(fsFlatBold); }, kRed, kRed, kRed},
      {"top side only: the rest is wiped in the edit's colour", [](TSDDEdit& e) { e.SetFrameSides({sdTop}); },
       kYellow, kYellow, kRed},
      {"hot while focused", [](TSDDEdit& e) {
         e.SetFrameHotTrack(true);
         e.SetFocus();
       }, kBlue, kBlue, kBlue},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditScene s;
    TSDDEdit& e = *s.edit;
    e.SetColor(kYellow);
    e.SetFocusColor(kYellow);
    e.SetFrameColor(kRed);
    e.SetFrameHotColor(kBlue);
    e.SetFramingPreference(fpCustomFraming);
    e.SetFrameVisible(true);
    row.look(e);
    EXPECT_EQ(s.WindowPixel(0, 12), row.left0);
    EXPECT_EQ(s.WindowPixel(1, 12), row.left1);
    EXPECT_EQ(s.WindowPixel(60, 0), row.top0);
  }
  // No SDD frame when it is hidden or when the theme draws the edge.
  for (bool themed : {false, true}) {
    EditScene s;
    s.edit->SetFrameColor(kRed);
    s.edit->SetFrameVisible(themed);
    EXPECT_NE(s.WindowPixel(0, 12), kRed);
  }
}

TEST(SDDEdit, ShowsFocusAndDisabledColoursAndKeepsTheColourLastSet) {
  EditScene s;
  TSDDEdit& e = *s.edit;
  e.SetFocusColor(kLime);
  e.SetDisabledColor(kBlue);
  e.SetColor(kYellow);
  auto shown = [&] {
    TBitmap image;
    CaptureClient(s.Wnd(), image);
    EXPECT_EQ(PixelAt(image, image.Width() - 2, 1), e.Color());
    return e.Color();
  };
  EXPECT_EQ(shown(), kYellow);
  e.SetFocus();
  EXPECT_EQ(shown(), kLime);
  e.SetColor(kRed);  // while focused: the focus colour stays on show
  EXPECT_EQ(shown(), kLime);
  s.next->SetFocus();
  EXPECT_EQ(shown(), kRed);
  e.SetEnabled(false);
  EXPECT_EQ(shown(), kBlue);
  e.SetEnabled(true);
  EXPECT_EQ(shown(), kRed);
}

// A key posted to the focused window and run by the bare loop as the keyboard delivers it: the key-up comes after
// what the key-down's handling posted.
void PressPosted(WORD key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PumpMessages();
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  PumpMessages();
}

// The create-map dialog's fields: Enter moves on as Tab and the form's key-up handlers move the focus on too;
// one press still moves it one step.
TEST(SDDEdit, OneEnterMovesTheFocusOneStep) {
  struct Row {
    const char* name;
    bool tabOnEnter, keyUpMoves;
    int steps;  // presses of Enter
    const char* focused;
  };
  const Row rows[] = {{"Enter as Tab with key-up handlers", true, true, 1, "x"},
                      {"twice", true, true, 2, "y"},
                      {"Enter as Tab alone", true, false, 1, "x"},
                      {"key-up handlers alone", false, true, 1, "x"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    StdScene s;
    std::vector<TSDDMaskEdit*> fields;
    for (const char* name : {"name", "x", "y", "create"}) {
      auto* f = new TSDDMaskEdit(s.form.get());
      f->SetName(name);
      f->SetParent(s.form.get());
      f->SetBounds(10, 10 + 30 * static_cast<int>(fields.size()), 100, 22);
      f->SetTabOnEnter(row.tabOnEnter);
      f->OnKeyPress = [&s](TObject*, char& key) { s.log.push_back("press " + std::to_string(key)); };
      fields.push_back(f);
    }
    for (size_t i = 0; i + 1 < fields.size() && row.keyUpMoves; ++i)
      fields[i]->OnKeyUp = [to = fields[i + 1]](TObject*, WORD& key, TShiftState) {
        if (key == VK_RETURN) to->SetFocus();
      };
    fields[0]->SetFocus();
    PumpMessages();
    for (int i = 0; i < row.steps; ++i) PressPosted(VK_RETURN);
    TWinControl* focused = TWinControl::FromHandle(GetFocus());
    ASSERT_TRUE(focused);
    EXPECT_EQ(focused->Name(), row.focused);
    if (row.tabOnEnter) {
      EXPECT_TRUE(s.log.empty());  // Enter never reaches OnKeyPress
    }
  }
}

TEST(SDDEdit, MaxLengthAndCentredTextAsTheWindowShowsThem) {
  EditScene s;
  TSDDEdit& e = *s.edit;
  e.SetMaxLength(3);
  TypeChars(s.Wnd(), "1234");
  EXPECT_EQ(e.Text(), "123");
  e.SetColor(kYellow);
  e.SetText("W");
  e.SetAlignment(taCenter);
  EXPECT_EQ(GetWindowLongA(s.Wnd(), GWL_STYLE) & (ES_CENTER | ES_RIGHT), ES_CENTER);
  TBitmap image;
  CaptureClient(s.Wnd(), image);
  auto [first, last] = InkColumns(image, kYellow);
  EXPECT_GT(first, image.Width() / 2 - 12);
  EXPECT_LT(last, image.Width() / 2 + 12);
}

TEST(SDDEdit, TheDropDownButtonTakesItsStripAndClicksPressed) {
  TClassicThemesScope classic;
  EditScene s;
  TButtonEdit& e = *s.edit;
  RECT before{};
  GetClientRect(s.Wnd(), &before);
  e.SetButtonVisible(true);
  e.SetFlatButton(true);
  e.SetColor(kYellow);
  RECT after{};
  GetClientRect(s.Wnd(), &after);
  EXPECT_EQ(before.right - after.right, GetSystemMetrics(SM_CXVSCROLL));
  // Unfocused and not hovered, the flat button is the edit's colour with an arrow.
  const TRect button = e.ButtonRect();
  EXPECT_EQ(s.WindowPixel(button.Left + 1, button.Top + 1), kYellow);
  std::vector<std::string> clicks;
  e.OnButtonClick = [&](TObject*) { clicks.push_back("click " + std::to_string(e.ButtonState())); };
  e.OnButtonClickDone = [&](TObject*) { clicks.push_back("done " + std::to_string(e.ButtonState())); };
  RECT window{};
  GetWindowRect(s.Wnd(), &window);
  const LPARAM screen = MAKELPARAM(window.left + button.Left + 3, window.top + button.Top + 3);
  EXPECT_EQ(SendMessageA(s.Wnd(), WM_NCHITTEST, 0, screen), HTCLIENT);
  SendMessageA(s.Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(after.right + 3, 3));
  EXPECT_TRUE(e.Focused());
  SendMessageA(s.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(after.right + 3, 3));
  EXPECT_EQ(clicks, (std::vector<std::string>{"click 2", "done 2"}));
  EXPECT_EQ(e.ButtonState(), 0);
  EXPECT_NE(GetCapture(), s.Wnd());
  // A press in the text is the edit's own.
  SendMessageA(s.Wnd(), WM_NCHITTEST, 0, MAKELPARAM(window.left + 10, window.top + 10));
  SendMessageA(s.Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(s.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks.size(), 2u);
}

TEST(SDDEdit, AValidationErrorCarriesTheHandlersTextOrTheStandardOne) {
  for (const std::string given : {"", "Too short"}) {
    EditScene s;
    s.edit->OnValidateError = [&](TObject*, std::string& message) { message = given; };
    EXPECT_THROW(
        try { s.edit->ValidateError(); } catch (const EDBEditError& e) {
          EXPECT_EQ(std::string(e.what()), given.empty() ? "Invalid input value" : given);
          throw;
        },
        EDBEditError);
  }
}

// The layout names, old frame properties read into today's, and a frame controller's look pushed by name.
TEST(SDDLayouts, EditComboAndGridReadTheirNamesAndTakeAControllersLook) {
  RegisterSDDLayoutClasses();
  StdScene s;
  const std::string text = R"(object F: TForm
  object Look: TSDDFrameController
    FocusColor = 255
    FrameVisible = True
  end
  object Jump: TSDDMaskEdit
    MaxLength = 3
    TabOnEnter = True
    FrameFlat = True
    FrameFlatStyle = fsFlat
  end
  object Terrain: TSDDComboBox
    Style = csDropDownList
    AllowEdit = False
    FlatButtons = True
    FlatButtonColor = 14012106
    FocusColor = clCream
    FrameFocusStyle = fsRaised
  end
  object Picker: TSDDStringGrid
    LineColor = clSkyBlue
    FrameHotStyle = fsFlat
    FrameController = Look
  end
end
)";
  TLayoutReadError error;
  ASSERT_TRUE(s.form->LoadLayoutText(text, "test", error)) << error.Text();
  auto* jump = dynamic_cast<TSDDMaskEdit*>(s.form->FindComponent("Jump"));
  auto* terrain = dynamic_cast<TSDDComboBox*>(s.form->FindComponent("Terrain"));
  auto* picker = dynamic_cast<TSDDStringGrid*>(s.form->FindComponent("Picker"));
  ASSERT_TRUE(jump && terrain && picker);
  EXPECT_TRUE(jump->FrameHotTrack() && jump->FrameVisible());
  EXPECT_EQ(jump->FrameStyle(), fsStatus);
  EXPECT_EQ(jump->FrameHotStyle(), fsLowered);
  EXPECT_EQ(terrain->FrameHotStyle(), fsRaised);
  EXPECT_EQ(terrain->FocusColor(), clCream);
  EXPECT_EQ(picker->LineColor(), clSkyBlue);
  EXPECT_EQ(terrain->FlatButtonColor(), 14012106);
  EXPECT_FALSE(terrain->AllowEdit());
  EXPECT_EQ(picker->FocusColor(), kRed);
  EXPECT_TRUE(picker->FrameVisible());
  EXPECT_EQ(picker->DefaultColWidth(), 60);
}

}  // namespace
