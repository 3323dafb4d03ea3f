// Windowed controls freed while their form lives on, as pages, inline editors and rebuilt panels are: nothing of
// the form keeps them, whether the form is active or not when they go.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Edits.h"
#include "classlib/HandlerScope.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDGrids.h"
#include "sddcontrols/unSDDPanel.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace controls_test;

namespace {

template <class TChild>
TChild* Place(TForm* form, TWinControl* parent, int left, int top) {
  auto* c = new TChild(form);
  c->SetParent(parent);
  c->SetBounds(left, top, 120, 60);
  return c;
}

// What a row frees, and the control inside it that has the focus first (null: none takes it, `first` does).
struct TVictim {
  TWinControl* Root;
  TWinControl* Focus;
};

void PressTab() {
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
  PumpMessages();
  PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
  PumpMessages();
}

TEST(FreedControls, LeaveNeitherTabListNorActiveControlBehind) {
  const struct {
    const char* name;
    std::function<TVictim(TForm*)> build;
  } rows[] = {
      {"an SDD panel", [](TForm* f) { return TVictim{Place<TSDDPanel>(f, f, 10, 40), nullptr}; }},
      {"an SDD edit",
       [](TForm* f) {
         auto* e = Place<TSDDEdit>(f, f, 10, 40);
         return TVictim{e, e};
       }},
      {"a standard edit",
       [](TForm* f) {
         auto* e = Place<TEdit>(f, f, 10, 40);
         return TVictim{e, e};
       }},
      {"a grid with its inline editor open",
       [](TForm* f) {
         auto* g = Place<TSDDStringGrid>(f, f, 10, 40);
         TGridOptions options = g->Options();
         g->SetOptions(options.Include(goEditing));
         g->SetEditorMode(true);
         return TVictim{g, g->InplaceEditor()};
       }},
      {"a nested panel with children",
       [](TForm* f) {
         auto* outer = Place<TSDDPanel>(f, f, 10, 40);
         auto* inner = Place<TSDDPanel>(f, outer, 0, 0);
         auto* e = Place<TSDDEdit>(f, inner, 0, 0);
         Place<TEdit>(f, inner, 0, 30);
         return TVictim{outer, e};
       }},
  };
  for (const auto& row : rows)
    for (bool inactive : {false, true}) {
      SCOPED_TRACE(std::string(row.name) + (inactive ? ", freed while its form is inactive" : ""));
      StdScene s;
      TForm* form = s.form.get();
      TEdit* first = Place<TEdit>(form, form, 10, 5);
      const TVictim victim = row.build(form);
      PumpMessages();
      ASSERT_TRUE(!victim.Focus || victim.Focus->HandleAllocated());
      (victim.Focus ? victim.Focus : first)->SetFocus();
      PumpMessages();
      ASSERT_EQ(GetFocus(), (victim.Focus ? victim.Focus : first)->Handle());

      std::unique_ptr<TForm> other;
      if (inactive) {
        other = std::make_unique<TForm>(nullptr);
        other->SetBorderStyle(bsNone);
        other->SetBounds(500, 0, 100, 100);
        other->Show();
        PumpMessages();
        ASSERT_EQ(GetActiveWindow(), other->Handle());
      }
      delete victim.Root;
      PumpMessages();
      if (inactive) {
        other->Hide();
        SetActiveWindow(form->Handle());
        PumpMessages();
        EXPECT_EQ(GetFocus(), first->Handle());
      }
      EXPECT_TRUE(form->ActiveControl() == nullptr || form->ActiveControl() == first);

      // Two, as the first may take the freed control's memory and so hide it in the tab list.
      TEdit* later = Place<TEdit>(form, form, 10, 150);
      TEdit* last = Place<TEdit>(form, form, 10, 200);
      EXPECT_EQ(later->TabOrder(), 1);
      EXPECT_EQ(last->TabOrder(), 2);
      first->SetFocus();
      PumpMessages();
      for (TEdit* next : {later, last, first}) {
        PressTab();
        EXPECT_EQ(GetFocus(), next->Handle());
      }
      EXPECT_EQ(THandlerScope::Depth(), 0);
    }
}

}  // namespace
