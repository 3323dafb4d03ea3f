// Sections: hint window; hint controller.
#include "classlib/Hints.h"
#include "classlib/ScreenDC.h"

#include <memory>

#include "classlib/Timer.h"

// ---- hint window ----------------------------------------------------------------------------------------------

namespace {
constexpr int HintMargin = 3;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  Hide();
  controlStyle_.Include(csOpaque);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  // Never activated and never in the task bar: the window under the mouse keeps the focus.
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.WndParent = nullptr;
  p.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(const std::string& text) {
  const TScreenDC dc;
  TRect r{0, 0, 300, 0};
  if (dc) {
    TCanvas canvas;  // gives the DC its own font back before the DC goes
    canvas.SetHandle(dc.Get());
    canvas.Font().Assign(&Font());
    canvas.DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  return {0, 0, r.Width() + 2 * HintMargin + 2, r.Height() + 2 * HintMargin};
}

void THintWindow::ActivateHint(TPoint at, const std::string& text) {
  SetCaption(text);
  TRect size = CalcHintRect(text);
  SetBounds(at.X, at.Y, size.Width(), size.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, at.X, at.Y, size.Width(), size.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHint() {
  if (HandleAllocated() && IsWindowVisible(Handle()))
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void THintWindow::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  c.Brush().SetColor(Color());
  c.FillRect(r);
  c.Brush().SetStyle(bsClear);
  c.Font().Assign(&Font());
  TRect text = r.Inflate(-HintMargin, -HintMargin);
  c.DrawText(Caption(), text, DT_WORDBREAK | DT_NOPREFIX);
}

// ---- hint controller ------------------------------------------------------------------------------------------

namespace {

// The control under the mouse, the two timers and the window, made on first need and owned here.
struct THintController : TComponent {
  THintController() : TComponent(nullptr) {}
  ~THintController() override {
    DestroyComponents();
    ShowTimer = HideTimer = nullptr;
    Window = nullptr;
  }

  TControl* Current = nullptr;
  TTimer* ShowTimer = nullptr;
  TTimer* HideTimer = nullptr;
  THintWindow* Window = nullptr;
  bool Showing = false;

  void EnsureObjects() {
    if (ShowTimer) return;
    ShowTimer = new TTimer(this);
    ShowTimer->SetEnabled(false);
    ShowTimer->SetOnTimer([this](TObject*) { ShowNow(); });
    HideTimer = new TTimer(this);
    HideTimer->SetEnabled(false);
    HideTimer->SetOnTimer([this](TObject*) { Cancel(); });
    Window = new THintWindow(this);
  }

  static bool Eligible(TControl* c) {
    return c && HintSettings().ShowHint && c->ShowHint() && !c->Hint().empty() && c->Enabled();
  }

  void Over(TControl* c) {
    if (c == Current) return;
    Cancel();
    Current = c;
    if (!Eligible(c)) return;
    EnsureObjects();
    if (!ShowTimer) return;
    ShowTimer->SetInterval(HintSettings().HintPause);
    ShowTimer->SetEnabled(true);
  }

  void ShowNow() {
    ShowTimer->SetEnabled(false);
    if (!Eligible(Current) || !Current->Showing()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    THintInfo info;
    info.HintControl = Current;
    info.HintStr = Current->Hint();
    info.HintPos = {cursor.x, cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
    info.Color = HintSettings().HintColor;
    info.HideTimeout = HintSettings().HintHidePause;
    if (Current->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return;
    Window->SetColor(info.Color);
    Window->ActivateHint(info.HintPos, info.HintStr);
    Showing = true;
    if (info.HideTimeout > 0) {
      HideTimer->SetInterval(info.HideTimeout);
      HideTimer->SetEnabled(true);
    }
  }

  void Cancel() {
    Current = nullptr;
    if (ShowTimer) ShowTimer->SetEnabled(false);
    if (HideTimer) HideTimer->SetEnabled(false);
    if (Showing && Window) Window->ReleaseHint();
    Showing = false;
  }
};

THintController& Controller() {
  static THintController controller;
  return controller;
}

}  // namespace

THintSettings& HintSettings() {
  static THintSettings settings;
  return settings;
}

void HintMouseOver(TControl* control) { Controller().Over(control); }

void HintMouseLeft(TControl* control) {
  THintController& c = Controller();
  if (c.Current && (c.Current == control || (control->IsWindowed() &&
                                              static_cast<TWinControl*>(control)->ContainsControl(c.Current))))
    c.Cancel();
}

void HintCancel() {
  THintController& c = Controller();
  TControl* current = c.Current;
  c.Cancel();
  // The mouse is still over the control: no new hint until it moves onto another one.
  c.Current = current;
}

void HintControlDestroyed(TControl* control) {
  THintController& c = Controller();
  if (c.Current == control) c.Cancel();
  if (control == c.Window) {
    c.Window = nullptr;
    c.Showing = false;
  }
}

THintWindow* ActiveHintWindow() {
  THintController& c = Controller();
  return c.Showing ? c.Window : nullptr;
}
