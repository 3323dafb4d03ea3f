// Sections: life and layout; deferred release; window and placement; showing, closing, modal; focus and dialog
// keys; messages.
#include "classlib/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "classlib/Application.h"
#include "classlib/HandlerScope.h"
#include "classlib/LayoutClasses.h"
#include "classlib/Menus.h"
#include "classlib/MessageWindow.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"

// ---- life and layout ------------------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  visible_ = false;
  SetColor(clBtnFace);
  controlStyle_.Include(csAcceptsControls);
  RegisterClasslibLayoutClasses();
}

TCustomForm::~TCustomForm() {
  // Marked before anything goes: what the form and its components are told while the windows go must not reach
  // handlers whose objects are already gone.
  Destroying();
  try {
    OnDestroy(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  // The window goes while the form's own handlers still exist.
  DestroyHandle();
}

bool TCustomForm::LoadLayoutText(std::string_view text, const std::string& file, TLayoutReadError& error) {
  return ReadLayout(*this, text, file, error);
}

void TCustomForm::LoadLayout(const std::string& resourceName) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL data = res ? LoadResource(module, res) : nullptr;
  const char* text = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!text) throw EReadError("Layout resource " + resourceName + " not found");
  TLayoutReadError error;
  if (!LoadLayoutText(std::string_view(text, SizeofResource(module, res)), resourceName, error))
    throw EReadError("Error reading layout " + error.Text());
  OnCreate(this);
}

// ---- deferred release -----------------------------------------------------------------------------------------
//
// A released form (Release, or the close action "free") is freed from the message loop through a hidden window of
// its own, so that neither a window the form loses or recreates meanwhile nor the code that called Release is in
// the way. It is freed only when no handler of it, of a control inside it or of a component they own is left on
// the stack: a handler that asked for the release and then ran a nested message loop (a message box,
// ProcessMessages) is still on the stack when the release message arrives. Such a release waits in `heldReleases`
// and is posted again when the last of those handlers returns. A control being destroyed leaves both lists, so a
// message naming it is never followed.

namespace {

std::vector<TWinControl*> postedReleases;  // a release message names each
std::vector<TWinControl*> heldReleases;    // handlers hold each back

// True when freeing `form` frees `component`: it is the form, a control inside it, or owned by one of them (a timer
// of the form, a dialog the form owns).
bool BelongsTo(const TWinControl* form, const TComponent* component) {
  for (const TComponent* c = component; c; c = c->Owner()) {
    const auto* control = dynamic_cast<const TControl*>(c);
    if (c == form || (control && form->ContainsControl(control))) return true;
  }
  return false;
}

bool HandlerOnStack(const TWinControl* form) {
  return THandlerScope::AnyRunning([form](const TComponent* c) { return BelongsTo(form, c); });
}

bool OnReleaseMessage(void*, TMessage& m) {
  if (m.Msg != CM_RELEASE) return false;
  auto* form = reinterpret_cast<TWinControl*>(m.LParam);
  if (std::erase(postedReleases, form) == 0) return true;  // freed meanwhile
  if (!HandlerOnStack(form)) delete form;
  else if (std::find(heldReleases.begin(), heldReleases.end(), form) == heldReleases.end())
    heldReleases.push_back(form);
  return true;
}

// Frees `form` (allocated with new) from the message loop once no handler holds it back; whether or not the form
// has a window by then.
void ReleaseFromMessageLoop(TWinControl* form) {
  static TMessageWindow window(&OnReleaseMessage, nullptr);
  if (std::find(postedReleases.begin(), postedReleases.end(), form) != postedReleases.end()) return;
  postedReleases.push_back(form);
  if (!PostMessageA(window.Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(form))) postedReleases.pop_back();
}

}  // namespace

void ResumeHeldReleases() {
  std::erase_if(heldReleases, [](TWinControl* form) {
    if (HandlerOnStack(form)) return false;
    ReleaseFromMessageLoop(form);
    return true;
  });
}

void ForgetReleaseOf(const TWinControl* control) {
  std::erase(postedReleases, control);
  std::erase(heldReleases, control);
}

// ---- window and placement -------------------------------------------------------------------------------------

namespace {

void StylesFor(TFormBorderStyle border, DWORD& style, DWORD& exStyle) {
  style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  exStyle = 0;
  switch (border) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case bsSizeable: style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
      style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      style |= WS_CAPTION | WS_SYSMENU;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
}

HWND OwnerWindow(TComponent* owner) {
  auto* form = dynamic_cast<TCustomForm*>(owner);
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

}  // namespace

void TCustomForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  PlaceOnScreen();
  StylesFor(borderStyle_, p.Style, p.ExStyle);
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = OwnerWindow(Owner());
}

void TCustomForm::CreateWnd() {
  TCustomControl::CreateWnd();
  if (menu_) ::SetMenu(handle_, menu_->Handle());
  if (Visible()) ShowWindow(handle_, SW_SHOW);
}

void TCustomForm::SetMenu(TMainMenu* value) {
  if (value == menu_) return;
  if (menu_) {
    menu_->form_ = nullptr;
    menu_->RemoveFreeNotification(this);
  }
  if (value && value->form_) value->form_->SetMenu(nullptr);
  menu_ = value;
  if (menu_) {
    menu_->form_ = this;
    menu_->FreeNotification(this);
  }
  if (handle_) ::SetMenu(handle_, menu_ ? menu_->Handle() : nullptr);
  if (clientWidth_ >= 0) SetWidth(clientWidth_ + FrameSize().cx);
  if (clientHeight_ >= 0) SetHeight(clientHeight_ + FrameSize().cy);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == menu_) {
    if (handle_) ::SetMenu(handle_, nullptr);
    menu_ = nullptr;
  }
}

SIZE TCustomForm::FrameSize() const {
  if (handle_) {
    RECT w{}, c{};
    GetWindowRect(handle_, &w);
    GetClientRect(handle_, &c);
    return {(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
  }
  DWORD style, exStyle;
  StylesFor(borderStyle_, style, exStyle);
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, style, menu_ != nullptr, exStyle);
  return {r.right - r.left - 100, r.bottom - r.top - 100};
}

TRect TCustomForm::ClientRect() const {
  if (handle_) return TWinControl::ClientRect();
  SIZE f = FrameSize();
  return {0, 0, std::max(0, Width() - static_cast<int>(f.cx)), std::max(0, Height() - static_cast<int>(f.cy))};
}

void TCustomForm::SetClientWidth(int value) {
  clientWidth_ = value;
  SetWidth(value + FrameSize().cx);
}

void TCustomForm::SetClientHeight(int value) {
  clientHeight_ = value;
  SetHeight(value + FrameSize().cy);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  // The client size is what a layout fixes; the outer size follows the new frame.
  if (clientWidth_ >= 0) SetWidth(clientWidth_ + FrameSize().cx);
  if (clientHeight_ >= 0) SetHeight(clientHeight_ + FrameSize().cy);
  RecreateWnd();
}

// Centred placements are worked out once, before the window first appears.
void TCustomForm::PlaceOnScreen() {
  if (placed_) return;
  placed_ = true;
  TRect area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      auto* owner = dynamic_cast<TCustomForm*>(Owner());
      if (position_ == poMainFormCenter && Application)
        owner = dynamic_cast<TCustomForm*>(Application->MainForm());
      if (owner && owner != this) area = owner->BoundsRect();
      break;
    }
    default:
      return;
  }
  TControl::SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
                      Height());
}

void TCustomForm::Paint() { OnPaint(this); }

// ---- showing, closing, modal ----------------------------------------------------------------------------------

void TCustomForm::Show() {
  SetVisible(true);
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::DoShow() { OnShow(this); }
void TCustomForm::DoHide() { OnHide(this); }

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  switch (action) {
    case caNone: return;
    case caHide: Hide(); break;
    case caMinimize: if (handle_) ShowWindow(handle_, SW_MINIMIZE); break;
    case caFree: Release(); break;
  }
  if (Application && Application->MainForm() == this) Application->Terminate();
}

void TCustomForm::Release() { ReleaseFromMessageLoop(this); }

namespace {
struct TDisabledWindows {
  HWND Keep;
  std::vector<HWND> List;
};
BOOL CALLBACK DisableWindow(HWND wnd, LPARAM param) {
  auto* d = reinterpret_cast<TDisabledWindows*>(param);
  if (wnd != d->Keep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    EnableWindow(wnd, FALSE);
    d->List.push_back(wnd);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  HWND own = Handle();
  TDisabledWindows disabled{own, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  modalResult_ = mrNone;
  TCloseAction action = caHide;
  auto restore = [&] {
    modal_ = false;
    for (HWND w : disabled.List)
      if (IsWindow(w)) EnableWindow(w, TRUE);
  };
  try {
    THandlerScope running(this, own, 0);  // the modal loop is a handler of the form: a release waits for it
    Show();
    for (;;) {
      if (modalResult_ != mrNone) {
        // A result asks to close: the close handlers may still refuse.
        action = caHide;
        if (CloseQuery()) DoClose(action);
        else action = caNone;
        if (action != caNone) break;
        modalResult_ = mrNone;
      }
      THandlerScope::AtMessageLoop();
      MSG msg;
      BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got == 0 || got == -1) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        modalResult_ = mrCancel;
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    restore();
    Hide();
    // Freed once the caller has the result and the handlers on the stack have returned.
    if (action == caFree) Release();
  } catch (...) {
    restore();
    throw;
  }
  return modalResult_;
}

// ---- focus and dialog keys ------------------------------------------------------------------------------------

void TCustomForm::FocusControl(TWinControl* control) {
  if (control && control != this && !ContainsControl(control)) return;
  // Remembered first: when another program has the foreground the system may refuse the focus now, and the
  // form's activation gives it later.
  activeControl_ = control == this ? nullptr : control;
  if (handle_ && IsWindowVisible(handle_) && control && control->CanFocus()) ::SetFocus(control->Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  KeepOwnedFormsAbove();
  activeControl_ = control == this ? nullptr : control;
  if (control == focusedControl_) return;
  TWinControl* old = focusedControl_;
  focusedControl_ = control;
  if (old) old->Perform(CM_EXIT);
  if (focusedControl_ == control && control) control->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

// Windows keeps the windows a window owns above it. Wine without a window manager does not: the focus arriving in
// a window raises it on the display above every other, and once the display reports what that uncovered, among
// the windows too, so the forms it owns fall behind it, unseen. Each of them is raised on the display after it,
// which the display reports the same way. A window moved to the place it has is not raised on the display: each
// goes over the windows that stay on top and back below them, the lowest first, so that they keep their order.
void TCustomForm::KeepOwnedFormsAbove() {
  if (!handle_ || (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD)) return;
  std::vector<HWND> owned;  // in z-order, the topmost first
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
    if (GetWindow(h, GW_OWNER) == handle_ && IsWindowVisible(h) && dynamic_cast<TCustomForm*>(FromHandle(h)))
      owned.push_back(h);
  constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  for (auto h = owned.rbegin(); h != owned.rend(); ++h) {
    SetWindowPos(*h, HWND_TOPMOST, 0, 0, 0, 0, keep);
    SetWindowPos(*h, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
  }
}

// `control` may be in its destructor: only its place in the tree counts.
void TCustomForm::ControlRemoving(TControl* control) {
  if (IsWithin(activeControl_, control)) activeControl_ = nullptr;
  if (IsWithin(focusedControl_, control)) focusedControl_ = nullptr;
}

// Tab and the arrows move the focus; everything else (Enter, Escape) is offered to the controls.
void TCustomForm::CMDialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (m.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
          m.Result = 1;
          return;
        }
        break;
      default:
        break;
    }
  }
  TCustomControl::WndProc(m);
}

// ---- messages -------------------------------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE: return WMClose(m);
    case WM_COMMAND: return WMCommand(m);
    case WM_DESTROY: return WMDestroy(m);
    case WM_ACTIVATE: return WMActivate(m);
    case WM_MOUSEWHEEL: return WMMouseWheel(m);
    case CM_VISIBLECHANGED: return CMVisibleChanged(m);
    case CM_DIALOGKEY: return CMDialogKey(m);
    default: return TCustomControl::WndProc(m);
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

// A menu command (no control sent it) goes to its item; controls' notifications are reflected as before.
void TCustomForm::WMCommand(TMessage& m) {
  if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam))) return;
  TCustomControl::WndProc(m);
}

// The platform destroys the menu of a window that goes: the menu bar is taken off first, to be attached again to
// a window made anew.
void TCustomForm::WMDestroy(TMessage& m) {
  if (menu_) ::SetMenu(handle_, nullptr);
  DefaultHandler(m);
}

// On activation the remembered control (or else the first one in tab order) takes the focus.
void TCustomForm::WMActivate(TMessage& m) {
  if (LOWORD(m.WParam) == WA_INACTIVE) return DefaultHandler(m);
  if (!activeControl_ || !activeControl_->CanFocus()) activeControl_ = FindNextControl(nullptr, true, true, false);
  if (activeControl_) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  DefaultHandler(m);
}

void TCustomForm::WMMouseWheel(TMessage& m) {
  if (!FormHandlesMouseWheel(this, m.WParam, m.LParam)) DefaultHandler(m);
}

bool FormHandlesMouseWheel(TControl* control, WPARAM wParam, LPARAM lParam) {
  TCustomForm* form = GetParentForm(control);
  if (!form) return false;
  bool handled = false;
  TShiftState shift = MouseShiftState(GET_KEYSTATE_WPARAM(wParam));
  TPoint pos{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  form->OnMouseWheel(form, shift, GET_WHEEL_DELTA_WPARAM(wParam), pos, handled);
  return handled;
}

void TCustomForm::CMVisibleChanged(TMessage&) {
  if (Visible()) {
    HandleNeeded();
    DoShow();
    if (handle_ && Visible()) ShowWindow(handle_, SW_SHOW);
  } else {
    DoHide();
    if (handle_) ShowWindow(handle_, SW_HIDE);
  }
}
