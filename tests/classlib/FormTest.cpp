#include <gtest/gtest.h>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Timer.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/classlib/RuntimeTestSupport.h"

using namespace controls_test;
using runtimetest::PumpUntil;

namespace {

TEST(Form, CloseActionsDecideWhatHappens) {
  struct Row {
    TCloseAction action;
    bool visibleAfter;
    bool freed;
  };
  // A freed form stays on screen until it is freed.
  const Row rows[] = {{caNone, true, false}, {caHide, false, false}, {caFree, true, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.action);
    bool destroyed = false;
    auto* form = new TForm(nullptr);
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [&](TObject* sender, TCloseAction& action) {
      action = row.action;
      // The form is still whole while its handler runs.
      EXPECT_EQ(sender, form);
    };
    form->Show();
    PumpMessages();
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(destroyed);  // freeing waits until the message has been handled
    if (!destroyed) {
      EXPECT_EQ(IsWindowVisible(form->Handle()) != 0, row.visibleAfter);
    }
    PumpMessages();
    EXPECT_EQ(destroyed, row.freed);
    if (!row.freed) delete form;
  }
}

TEST(Form, CloseQueryCanRefuse) {
  TForm form(nullptr);
  bool allow = false;
  int closes = 0;
  form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  form.Show();
  form.Close();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(closes, 0);
  allow = true;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(closes, 1);
}

TEST(Form, PlacementAndFixedClientSize) {
  struct Row {
    TFormBorderStyle border;
    TPosition position;
  };
  const Row rows[] = {{bsNone, poScreenCenter}, {bsSingle, poScreenCenter}, {bsToolWindow, poDesigned},
                      {bsDialog, poDesigned}, {bsSizeable, poDesktopCenter}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.border);
    TForm form(nullptr);
    form.SetBorderStyle(row.border);
    form.SetPosition(row.position);
    form.SetLeft(7);
    form.SetTop(9);
    form.SetClientWidth(213);
    form.SetClientHeight(127);
    form.Show();
    PumpMessages();
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 213);
    EXPECT_EQ(client.bottom, 127);
    LONG_PTR exStyle = GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE);
    EXPECT_EQ((exStyle & WS_EX_TOOLWINDOW) != 0, row.border == bsToolWindow);
    EXPECT_EQ((GetWindowLongPtrA(form.Handle(), GWL_STYLE) & WS_CAPTION) == 0, row.border == bsNone);
    if (row.position == poDesigned) {
      EXPECT_EQ(form.Left(), 7);
      EXPECT_EQ(form.Top(), 9);
    } else {
      EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - form.Width()) / 2);
      EXPECT_EQ(form.Top(), (GetSystemMetrics(SM_CYSCREEN) - form.Height()) / 2);
    }
  }
}

TEST(Form, OwnerCentredAndOwned) {
  TForm owner(nullptr);
  owner.SetBorderStyle(bsNone);
  owner.SetBounds(100, 50, 400, 300);
  owner.Show();
  auto* dialog = new TForm(&owner);
  dialog->SetBorderStyle(bsNone);
  dialog->SetPosition(poOwnerFormCenter);
  dialog->SetBounds(0, 0, 100, 60);
  dialog->Show();
  EXPECT_EQ(dialog->Left(), 100 + 150);
  EXPECT_EQ(dialog->Top(), 50 + 120);
  EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), owner.Handle());
}

TEST(Form, ShowModalDisablesTheOthersAndReturnsTheResult) {
  TForm main(nullptr);
  main.Show();
  TForm dialog(nullptr);
  bool mainEnabledDuring = true;
  int shows = 0;
  dialog.OnShow = [&](TObject*) {
    ++shows;
    mainEnabledDuring = IsWindowEnabled(main.Handle()) != 0;
    // Set from a message the modal loop dispatches, as a button would.
    PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(shows, 1);
  EXPECT_FALSE(mainEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(dialog.Visible());

  dialog.OnShow = [&](TObject*) { dialog.SetModalResult(mrOk); };
  EXPECT_EQ(dialog.ShowModal(), mrOk);
}

TEST(Form, AModalFormClosedWithFreeIsFreedAfterItReturns) {
  struct Row {
    TCloseAction action;
    bool freed;
  };
  const Row rows[] = {{caHide, false}, {caFree, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.action);
    bool destroyed = false;
    auto* dialog = new TForm(nullptr);
    dialog->OnDestroy = [&](TObject*) { destroyed = true; };
    dialog->OnClose = [&](TObject*, TCloseAction& action) { action = row.action; };
    dialog->OnShow = [&](TObject*) { PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    ASSERT_FALSE(destroyed);  // the caller may still read the form
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    PumpMessages();
    EXPECT_EQ(destroyed, row.freed);
    if (!destroyed) delete dialog;
  }
}

// A 200x100 form that Close frees; `destroyed` is set when it is gone.
TForm* NewFormClosedWithFree(bool& destroyed) {
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 200, 100);
  form->OnDestroy = [&destroyed](TObject*) { destroyed = true; };
  form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  return form;
}

// A handler that closes its form and then runs a nested message loop keeps the form until it returns; forms it
// has no handler of are freed in that loop already.
TEST(Form, ReleaseWaitsForTheHandlersOfTheForm) {
  enum TWhere { OnTheForm, OnAControlOfTheForm, OnAnotherForm };
  struct Row {
    TWhere where;
    bool freedInTheLoop;
  };
  const Row rows[] = {{OnTheForm, false}, {OnAControlOfTheForm, false}, {OnAnotherForm, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.where);
    bool destroyed = false;
    TForm* form = NewFormClosedWithFree(destroyed);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 50, 50);
    TForm other(nullptr);
    other.SetBounds(0, 0, 200, 100);
    form->Show();
    other.Show();
    PumpMessages();

    TControl* target = row.where == OnTheForm ? static_cast<TControl*>(form)
                       : row.where == OnAControlOfTheForm ? static_cast<TControl*>(panel)
                                                           : static_cast<TControl*>(&other);
    int handled = 0;
    bool destroyedInTheLoop = false;
    target->OnResize = [&](TObject*) {
      if (handled++) return;
      form->Close();
      Application->ProcessMessages();
      Application->ProcessMessages();
      destroyedInTheLoop = destroyed;
    };
    target->SetWidth(target->Width() + 10);  // the resize arrives through the window procedure
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(destroyedInTheLoop, row.freedInTheLoop);
    PumpMessages();
    EXPECT_TRUE(destroyed);
  }
}

// A timer of the form and a form it owns hold its release back like the form's own handlers. The release does not
// depend on the form's window: one destroyed or recreated after Close still ends in the form being freed.
TEST(Form, ReleaseWaitsForWhatTheFormOwnsAndOutlivesItsWindow) {
  enum THandlerOf { ItsTimer, TheForm, AnOwnedForm };
  enum TAfterClose { Nothing, DestroyTheWindow, RecreateTheWindow };
  struct Row {
    const char* name;
    THandlerOf handlerOf;
    TAfterClose after;
  };
  const Row rows[] = {{"timer", ItsTimer, Nothing},
                      {"timer, window destroyed", ItsTimer, DestroyTheWindow},
                      {"owned form", AnOwnedForm, Nothing},
                      {"resize, window destroyed", TheForm, DestroyTheWindow},
                      {"resize, window recreated", TheForm, RecreateTheWindow}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bool destroyed = false;
    TForm* form = NewFormClosedWithFree(destroyed);
    form->Show();
    PumpMessages();
    int handled = 0;
    bool destroyedInTheHandler = false;
    const TNotifyEvent handler = [&, form](TObject*) {
      if (handled++) return;
      form->Close();
      Application->ProcessMessages();
      if (row.after == DestroyTheWindow) DestroyWindow(form->Handle());
      if (row.after == RecreateTheWindow) form->SetBorderStyle(form->BorderStyle() == bsNone ? bsSingle : bsNone);
      Application->ProcessMessages();
      destroyedInTheHandler = destroyed;
    };
    if (row.handlerOf == ItsTimer) {
      auto* timer = new TTimer(form);
      timer->SetInterval(1);
      timer->SetOnTimer(handler);
    } else {
      TForm* target = form;
      if (row.handlerOf == AnOwnedForm) {
        target = new TForm(form);
        target->SetBounds(300, 0, 100, 60);
        target->Show();
      }
      target->OnResize = handler;
      target->SetWidth(target->Width() + 10);
    }
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_GT(handled, 0);  // again, and ignored, for a tick or a size the nested loops bring
    EXPECT_FALSE(destroyedInTheHandler);
    if (!destroyed) delete form;  // its handlers know this row's locals only
  }
}

// A form's own modal loop holds its release back, also when ShowModal was called from no handler of the form.
TEST(Form, AReleaseDuringTheModalLoopWaitsForTheLoop) {
  bool destroyed = false;
  TForm* dialog = NewFormClosedWithFree(destroyed);
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
  EXPECT_NE(before, after);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_TRUE(IsWindowVisible(after));
  ASSERT_TRUE(panel->HandleAllocated());
  EXPECT_EQ(GetParent(panel->Handle()), after);
  EXPECT_EQ(TWinControl::FromHandle(panel->Handle()), panel);
  EXPECT_EQ(panel->BoundsRect(), form.ClientRect());
}

TEST(Form, ResizeAndWheelEvents) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  int resizes = 0;
  int wheel = 0;
  form.OnResize = [&](TObject*) { ++resizes; };
  form.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    wheel += delta;
    handled = true;
  };
  form.Show();
  PumpMessages();
  int before = resizes;
  form.SetBounds(form.Left(), form.Top(), form.Width() + 20, form.Height());
  EXPECT_GT(resizes, before);
  SendMessageA(form.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(5, 5));
  EXPECT_EQ(wheel, WHEEL_DELTA);
}

}  // namespace
