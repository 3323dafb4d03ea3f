#include <gtest/gtest.h>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Timer.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/classlib/RuntimeTestSupport.h"

using namespace controls_test;
using runtimetest::PumpUntil;

namespace {

// A 200x100 form; `destroyed` is set when it is gone.
TForm* NewForm(bool& destroyed, TCloseAction action = caFree) {
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 200, 100);
  form->OnDestroy = [&destroyed](TObject*) { destroyed = true; };
  form->OnClose = [action](TObject*, TCloseAction& a) { a = action; };
  return form;
}

// A form is freed only after the close message, or ShowModal, has returned: the caller may still read it. A form
// closed with "free" stays on screen until then. ShowModal disables the other windows while it runs.
TEST(Form, CloseQueryAndCloseActionsDecideWhatHappens) {
  const struct {
    bool modal;
    bool canClose;
    TCloseAction action;
    bool visibleAfter;
    bool freed;
  } rows[] = {{false, false, caHide, true, false}, {false, true, caNone, true, false},
              {false, true, caHide, false, false}, {false, true, caFree, true, true},
              {true, true, caHide, false, false},  {true, true, caFree, false, true}};
  TForm other(nullptr);
  other.Show();
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.modal << " " << row.canClose << " " << row.action);
    bool destroyed = false;
    TForm* form = NewForm(destroyed, row.action);
    form->OnCloseQuery = [&](TObject* sender, bool& canClose) {
      EXPECT_EQ(sender, form);
      canClose = row.canClose;
    };
    if (row.modal) {
      bool otherEnabled = true;
      form->OnShow = [&](TObject*) {
        otherEnabled = IsWindowEnabled(other.Handle()) != 0;
        PostMessageA(form->Handle(), WM_CLOSE, 0, 0);  // from a message the modal loop dispatches
      };
      EXPECT_EQ(form->ShowModal(), mrCancel);
      EXPECT_FALSE(otherEnabled);
      EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    } else {
      form->Show();
      PumpMessages();
      SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    }
    ASSERT_FALSE(destroyed);
    EXPECT_EQ(IsWindowVisible(form->Handle()) != 0, row.visibleAfter);
    PumpMessages();
    EXPECT_EQ(destroyed, row.freed);
    if (!row.freed) delete form;
  }
}

// Centred forms sit in the middle of the test display (1280 x 1024) or of their owner; the client size is exact.
TEST(Form, PlacementAndFixedClientSize) {
  const struct {
    TFormBorderStyle border;
    TPosition position;
    int x, y;  // the left top corner, or the centre when centred
  } rows[] = {{bsNone, poScreenCenter, 640, 512},      {bsSingle, poScreenCenter, 640, 512},
              {bsToolWindow, poDesigned, 7, 9},       {bsDialog, poDesigned, 7, 9},
              {bsSizeable, poDesktopCenter, 640, 512}, {bsNone, poOwnerFormCenter, 300, 200}};
  TForm owner(nullptr);
  owner.SetBorderStyle(bsNone);
  owner.SetBounds(100, 50, 400, 300);
  owner.Show();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.border);
    auto* form = new TForm(&owner);
    form->SetBorderStyle(row.border);
    form->SetPosition(row.position);
    form->SetLeft(7);
    form->SetTop(9);
    form->SetClientWidth(213);
    form->SetClientHeight(127);
    form->Show();
    PumpMessages();
    RECT client{}, window{};
    GetClientRect(form->Handle(), &client);
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(client.right, 213);
    EXPECT_EQ(client.bottom, 127);
    EXPECT_EQ((GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0, row.border == bsToolWindow);
    EXPECT_EQ((GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CAPTION) == 0, row.border == bsNone);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), owner.Handle());
    EXPECT_NEAR(row.position == poDesigned ? window.left : (window.left + window.right) / 2, row.x, 1);
    EXPECT_NEAR(row.position == poDesigned ? window.top : (window.top + window.bottom) / 2, row.y, 1);
  }
}

// A released form is freed only once no handler of it, of its controls or of what it owns (a timer, an owned form)
// is running: a handler that closes it and then runs a nested loop keeps it until the handler returns. The release
// does not depend on the form's window: one destroyed or recreated after Close still ends in the form being freed.
TEST(Form, ReleaseWaitsForTheHandlersOfTheFormAndWhatItOwns) {
  enum THandlerOf { TheForm, AControl, AnotherForm, ItsTimer, AnOwnedForm };
  enum TAfterClose { Nothing, DestroyTheWindow, RecreateTheWindow };
  const struct {
    const char* name;
    THandlerOf handlerOf;
    TAfterClose after;
    bool freedInTheHandler;
  } rows[] = {{"resize of the form", TheForm, Nothing, false},
              {"resize of a control of the form", AControl, Nothing, false},
              {"resize of another form", AnotherForm, Nothing, true},
              {"timer", ItsTimer, Nothing, false},
              {"timer, window destroyed", ItsTimer, DestroyTheWindow, false},
              {"owned form", AnOwnedForm, Nothing, false},
              {"resize, window destroyed", TheForm, DestroyTheWindow, false},
              {"resize, window recreated", TheForm, RecreateTheWindow, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    bool destroyed = false;
    TForm* form = NewForm(destroyed);
    TForm other(nullptr);
    form->Show();
    PumpMessages();
    int handled = 0;
    bool destroyedInTheHandler = false;
    const TNotifyEvent handler = [&, form](TObject*) {
      if (handled++) return;  // again, and ignored, for a tick or a size the nested loops bring
      form->Close();
      Application->ProcessMessages();
      if (row.after == DestroyTheWindow) DestroyWindow(form->Handle());
      if (row.after == RecreateTheWindow) form->SetBorderStyle(bsSingle);
      Application->ProcessMessages();
      destroyedInTheHandler = destroyed;
    };
    TControl* target = form;
    if (row.handlerOf == AControl) {
      target = new TPanel(form);
      static_cast<TPanel*>(target)->SetParent(form);
    } else if (row.handlerOf == AnotherForm) {
      target = &other;
      other.Show();
    } else if (row.handlerOf == AnOwnedForm) {
      target = new TForm(form);
      static_cast<TForm*>(target)->Show();
    }
    if (row.handlerOf == ItsTimer) {
      auto* timer = new TTimer(form);
      timer->SetInterval(1);
      timer->SetOnTimer(handler);
    } else {
      target->OnResize = handler;
      target->SetWidth(target->Width() + 10);  // the resize arrives through the window procedure
    }
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_GT(handled, 0);
    EXPECT_EQ(destroyedInTheHandler, row.freedInTheHandler);
    if (!destroyed) delete form;  // its handlers know this row's locals only
  }
}

// Forms that all live in the same memory, so that a new one takes the place of one deleted before.
alignas(TForm) unsigned char formSlot[sizeof(TForm)];
struct TSlotForm : TForm {
  using TForm::TForm;
  static void* operator new(size_t) { return formSlot; }
  static void operator delete(void*) {}
};
static_assert(sizeof(TSlotForm) == sizeof(formSlot));

// A released form the program deletes before the release comes is forgotten by the release, which then frees
// nothing: not even the new form that took the deleted one's place in memory.
TEST(Form, AReleasedFormDeletedMeanwhileIsForgotten) {
  TForm* first = new TSlotForm(nullptr);
  first->Release();
  delete first;
  bool secondFreed = false;
  TForm* second = new TSlotForm(nullptr);
  ASSERT_EQ(static_cast<void*>(second), static_cast<void*>(formSlot));
  second->OnDestroy = [&secondFreed](TObject*) { secondFreed = true; };
  PumpMessages();
  EXPECT_FALSE(secondFreed);
  if (!secondFreed) delete second;
}

// A form's own modal loop holds its release back, also when ShowModal was called from no handler of the form.
TEST(Form, AReleaseDuringTheModalLoopWaitsForTheLoop) {
  bool destroyed = false;
  TForm* dialog = NewForm(destroyed, caHide);  // only the release frees it
  bool destroyedDuringTheLoop = false;
  int ticks = 0;
  TTimer timer(nullptr);  // owned by nobody: its handler holds nothing back
  timer.SetInterval(1);
  timer.SetOnTimer([&](TObject*) {
    ++ticks;
    if (ticks == 1) dialog->Release();
    if (ticks != 10) return;
    destroyedDuringTheLoop = destroyed;
    if (!destroyed) dialog->SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  timer.SetEnabled(false);
  EXPECT_FALSE(destroyedDuringTheLoop);
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
}

TEST(Form, ANewBorderStyleRecreatesTheWindowsAndKeepsTheTree) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 100);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(alClient);
  form.Show();
  HWND before = form.Handle();
  form.SetBorderStyle(bsToolWindow);
  HWND after = form.Handle();
  EXPECT_FALSE(IsWindow(before));
  EXPECT_TRUE(IsWindowVisible(after));
  EXPECT_EQ(GetParent(panel->Handle()), after);
  EXPECT_EQ(TWinControl::FromHandle(panel->Handle()), panel);
  EXPECT_EQ(panel->BoundsRect(), form.ClientRect());
}

}  // namespace
