// Sections: helpers; handlers on the stack; TControl; TWinControl (window, children and
// alignment, painting, mouse, keyboard and focus, messages); TGraphicControl and TCustomControl; TControlCanvas.
#include "classlib/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Application.h"
#include "classlib/DockTree.h"
#include "classlib/DragDock.h"
#include "classlib/Forms.h"
#include "classlib/HandlerScope.h"
#include "classlib/Hints.h"
#include "classlib/Themes.h"
#include "classlib/core/SysUtils.h"

// ---- helpers --------------------------------------------------------------------------------------------------

namespace {

TControl* captureControl = nullptr;
TPoint lastMousePos;
// Set when a key went to the form as a dialog key: the character TranslateMessage makes of it must not arrive.
bool swallowNextChar = false;

// Points a control at its canvas's DC for one paint and always lets go of it, also when Paint throws.
class TCanvasDcScope {
public:
  TCanvasDcScope(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas_.FreeHandle();
    canvas_.SetHandle(dc);
  }
  ~TCanvasDcScope() { canvas_.SetHandle(nullptr); }

private:
  TControlCanvas& canvas_;
};

TPoint PointOf(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

// ---- handlers on the stack ----------------------------------------------------------------------------------
//
// Every message a control's window procedure handles opens a handler scope naming the control; timers open theirs.
// When a handler returns, the releases of forms it held back go ahead (Forms.cpp); when the outermost returns, the
// control canvases let go of their DCs. A control being destroyed leaves the scopes and the releases, so neither a
// scope nor a release message naming it is ever followed.

void AfterHandler(bool outermost) {
  ResumeHeldReleases();
  if (outermost) TControlCanvas::FreeDeviceContexts();
}
[[maybe_unused]] const bool afterHandlerHooked = (THandlerScope::SetExitHook(&AfterHandler), true);

void ForgetDispatchesOf(const TWinControl* control) {
  THandlerScope::Forget(control);
  ForgetReleaseOf(control);
}

}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
  struct TCursorId {
    TCursor Cursor;
    LPCSTR Id;
  };
  static const TCursorId ids[] = {{crArrow, IDC_ARROW},     {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},
                                  {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE},
                                  {crSizeWE, IDC_SIZEWE},   {crUpArrow, IDC_UPARROW},   {crHourGlass, IDC_WAIT},
                                  {crNo, IDC_NO},           {crHSplit, IDC_SIZEWE},     {crVSplit, IDC_SIZENS},
                                  {crHandPoint, IDC_HAND},  {crSizeAll, IDC_SIZEALL}};
  for (const TCursorId& c : ids)
    if (c.Cursor == cursor) return LoadCursorA(nullptr, c.Id);
  return nullptr;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TCustomForm* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TControl* GetCaptureControl() { return captureControl; }

TPoint LastMousePos() { return lastMousePos; }

std::string WindowText(HWND wnd) {
  int length = GetWindowTextLengthA(wnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = GetWindowTextA(wnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

bool IsAccel(unsigned key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<int>(key & 0xFF));
  }
  return false;
}


// ---- TControl -------------------------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this](TObject*) {
    parentFont_ = false;
    Perform(CM_FONTCHANGED);
  };
}

// A windowed control has left everything in ~TWinControl already; a windowless one leaves here.
TControl::~TControl() {
  font_.OnChange = nullptr;
  LeaveEverything();
}

void TControl::LeaveEverything() {
  HintControlDestroyed(this);
  if (captureControl == this) SetMouseCapture(false);
  ForgetInDockDrag(this);
  if (TWinControl* site = hostDockSite_) {
    hostDockSite_ = nullptr;
    site->ForgetDockClient(this);
    if (!site->HasState(csDestroying)) site->DoRemoveDockClient(this);
  }
  if (parent_) parent_->RemoveControl(this);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_ && parentColor_) Perform(CM_PARENTCOLORCHANGED);
  if (parent_ && parentFont_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EArgumentException("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool resized = width != width_ || height != height_;
  if (!IsWindowed()) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!IsWindowed()) Invalidate();
  BoundsChanged();
  if (parent_ && align_ != alNone && !parent_->aligning_) parent_->Realign();
  if (resized && !IsWindowed()) Resize();
}

void TControl::SetClientWidth(int value) { SetWidth(value + (width_ - ClientWidth())); }
void TControl::SetClientHeight(int value) { SetHeight(value + (height_ - ClientHeight())); }

TPoint TControl::ClientOrigin() const {
  if (IsWindowed()) {
    auto* self = static_cast<const TWinControl*>(this);
    if (self->handle_) {
      POINT p{0, 0};
      ::ClientToScreen(self->handle_, &p);
      return {p.x, p.y};
    }
  }
  if (!parent_) return {left_, top_};
  TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  if (parent_) parent_->Realign();
}

void TControl::SetAnchors(TAnchors value) { anchors_ = value; }

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  if (!value) Invalidate();  // the area it covered must be repainted by the parent
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value);
  if (value) Invalidate();
  if (parent_ && align_ != alNone) parent_->Realign();
  NotifyHostDockSite(CM_VISIBLECHANGED);
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (parent_) return parent_->Showing();
  if (IsWindowed()) {
    HWND h = static_cast<const TWinControl*>(this)->handle_;
    return h && IsWindowVisible(h);
  }
  return false;
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
  if (value == color_) {
    parentColor_ = false;
    return;
  }
  color_ = value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (value && parent_ && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value && parent_ && !HasState(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetShowHint(bool value) {
  if (value == showHint_ && !parentShowHint_) return;
  showHint_ = value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (value == parentShowHint_) return;
  parentShowHint_ = value;
  if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  Perform(CM_TEXTCHANGED);
  NotifyHostDockSite(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor value) { cursor_ = value; }

void TControl::Invalidate() {
  if (parent_ && visible_ && parent_->HandleAllocated())
    parent_->InvalidateRect(BoundsRect(), !controlStyle_.Contains(csOpaque));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (IsWindowed() && static_cast<TWinControl*>(this)->handle_)
    SetWindowPos(static_cast<TWinControl*>(this)->handle_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  if (IsWindowed() && static_cast<TWinControl*>(this)->handle_)
    SetWindowPos(static_cast<TWinControl*>(this)->handle_, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

bool TControl::MouseCapture() const { return captureControl == this; }

void TControl::SetMouseCapture(bool value) {
  if (value == MouseCapture()) return;
  if (value) {
    HWND wnd = nullptr;
    if (IsWindowed())
      wnd = static_cast<TWinControl*>(this)->Handle();
    else if (parent_)
      wnd = parent_->Handle();
    if (!wnd) return;
    captureControl = this;
    SetCapture(wnd);
  } else {
    captureControl = nullptr;
    ReleaseCapture();
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }
void TControl::Click() {
  if (!OnClick && actionLink_ && actionLink_->Execute(this)) return;
  OnClick(this);
}
void TControl::DblClick() { OnDblClick(this); }
void TControl::Resize() { OnResize(this); }

void TControl::FontChanged() { Invalidate(); }

void TControl::TextChangedByWindow(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  Perform(CM_TEXTCHANGED);
  NotifyHostDockSite(CM_TEXTCHANGED);
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: return OnMouseButtonMessage(m, mbLeft, true, false);
    case WM_LBUTTONDBLCLK: return OnMouseButtonMessage(m, mbLeft, true, true);
    case WM_LBUTTONUP: return OnMouseButtonMessage(m, mbLeft, false, false);
    case WM_RBUTTONDOWN: return OnMouseButtonMessage(m, mbRight, true, false);
    case WM_RBUTTONDBLCLK: return OnMouseButtonMessage(m, mbRight, true, true);
    case WM_RBUTTONUP: return OnMouseButtonMessage(m, mbRight, false, false);
    case WM_MBUTTONDOWN: return OnMouseButtonMessage(m, mbMiddle, true, false);
    case WM_MBUTTONDBLCLK: return OnMouseButtonMessage(m, mbMiddle, true, true);
    case WM_MBUTTONUP: return OnMouseButtonMessage(m, mbMiddle, false, false);
    case WM_MOUSEMOVE: return OnMouseMoveMessage(m);
    case CM_PARENTCOLORCHANGED: return OnParentColorChanged(m);
    case CM_PARENTFONTCHANGED: return OnParentFontChanged(m);
    case CM_PARENTSHOWHINTCHANGED: return OnParentShowHintChanged(m);
    case CM_HITTEST: return OnHitTest(m);
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED: return Invalidate();
    case CM_FONTCHANGED: return FontChanged();
    default: return DefaultHandler(m);
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::OnMouseButtonMessage(TMessage& m, TMouseButton button, bool down, bool dbl) {
  TPoint p = PointOf(m.LParam);
  TShiftState shift = MouseShiftState(m.WParam);
  // A left press on a control dragged automatically begins the drag and is nothing else.
  if (down && !dbl && button == mbLeft && dragMode_ == dmAutomatic && dragKind_ == dkDock) {
    BeginDrag(false);
    return;
  }
  if (down) {
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (button == mbLeft && controlStyle_.Contains(csClickEvents)) clicked_ = true;
    if (dbl) {
      shift.Include(ssDouble);
      if (controlStyle_.Contains(csDoubleClicks)) DblClick();
    }
    MouseDown(button, shift, p.X, p.Y);
  } else {
    // The capture lasts while any button is held.
    bool anyHeld = (m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
    if (controlStyle_.Contains(csCaptureMouse) && MouseCapture() && !anyHeld) SetMouseCapture(false);
    if (button == mbLeft && clicked_) {
      clicked_ = false;
      if (ClientRect().Contains(p)) Click();
    }
    MouseUp(button, shift, p.X, p.Y);
  }
  DefaultHandler(m);
}

void TControl::OnMouseMoveMessage(TMessage& m) {
  TPoint p = PointOf(m.LParam);
  MouseMove(MouseShiftState(m.WParam), p.X, p.Y);
  DefaultHandler(m);
}

void TControl::OnParentColorChanged(TMessage&) {
  if (parentColor_ && parent_) {
    SetColor(parent_->Color());
    parentColor_ = true;
  }
}

void TControl::OnParentFontChanged(TMessage&) {
  if (parentFont_ && parent_) {
    font_.Assign(&parent_->Font());
    parentFont_ = true;
  }
}

void TControl::OnParentShowHintChanged(TMessage&) {
  if (parentShowHint_ && parent_) {
    SetShowHint(parent_->ShowHint());
    parentShowHint_ = true;
  }
}

// ---- TWinControl: window --------------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  // Out of the parent's lists and the form's records while still a windowed control: ~TControl comes too late
  // to be told apart from a windowless one.
  LeaveEverything();
  // Its dock manager goes before the window; docked clients outlive the site undocked.
  dockManager_.reset();
  for (TControl* c : dockClients_) c->hostDockSite_ = nullptr;
  dockClients_.clear();
  HintMouseLeft(this);
  ForgetDispatchesOf(this);
  mouseControl_ = nullptr;
  DestroyHandle();
  // Children this control does not own outlive it only as orphans; their owner frees them later.
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  tabList_.clear();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  if (!wnd) return nullptr;
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
  if (proc != &StaticWndProc) return nullptr;
  return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (parent_) parent_->HandleNeeded();
  if (!handle_) CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = Text();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = parent_ ? parent_->handle_ : nullptr;
  p.ClassCursor = LoadCursorA(nullptr, IDC_ARROW);
  p.WinClassName = "Classlib" + ClassName();
}

namespace {

// Each window class is registered once; a subclassed standard control keeps its original procedure here.
std::map<std::string, WNDPROC>& RegisteredClasses() {
  static std::map<std::string, WNDPROC> classes;
  return classes;
}

}  // namespace

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (!p.WndParent && (p.Style & WS_CHILD))
    throw Exception("Control '" + Name() + "' has no parent window");
  HINSTANCE inst = GetModuleHandleA(nullptr);
  auto& classes = RegisteredClasses();
  auto it = classes.find(p.WinClassName);
  if (it == classes.end()) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC original = DefWindowProcA;
    if (!p.SysClassName.empty()) {
      if (!GetClassInfoExA(nullptr, p.SysClassName.c_str(), &wc))
        throw Exception("Unknown window class " + p.SysClassName);
      original = wc.lpfnWndProc;
      wc.cbSize = sizeof(wc);
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = p.ClassCursor;
      wc.hbrBackground = p.Background;
    }
    wc.lpfnWndProc = &StaticWndProc;
    wc.hInstance = inst;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw Exception("Cannot register window class " + p.WinClassName);
    it = classes.emplace(p.WinClassName, original).first;
  }
  defWndProc_ = it->second;
  HWND wnd = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, nullptr, inst, this);
  if (!wnd) {
    handle_ = nullptr;
    throw Exception("Cannot create the window of '" + Name() + "' (system error " +
                    IntToStr(static_cast<int>(GetLastError())) + ")");
  }
  handle_ = wnd;
  // The system may have adjusted the size (minimum sizes of captioned windows): the fields follow the window.
  RECT r{};
  GetWindowRect(wnd, &r);
  if (p.WndParent && (p.Style & WS_CHILD)) MapWindowPoints(nullptr, p.WndParent, reinterpret_cast<POINT*>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  if (!p.SysClassName.empty()) SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
}

void TWinControl::DestroyWnd() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  for (TWinControl* c : tabList_)
    if (!c->handle_) c->CreateHandle();
  // Window order follows the z-order of the list.
  for (TControl* c : controls_)
    if (c->IsWindowed() && static_cast<TWinControl*>(c)->handle_)
      SetWindowPos(static_cast<TWinControl*>(c)->handle_, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Realign();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  DestroyWnd();
  handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  CreateHandle();
}

TRect TWinControl::ClientRect() const {
  if (handle_) {
    RECT r{};
    GetClientRect(handle_, &r);
    return FromRECT(r);
  }
  return TControl::ClientRect();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  if (handle_) {
    UpdateWindowBounds();
  } else if (resized) {
    Realign();
    Resize();
  }
}

void TWinControl::UpdateWindowBounds() {
  if (!handle_) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  if (parent_ && parent_->handle_) MapWindowPoints(nullptr, parent_->handle_, reinterpret_cast<POINT*>(&r), 2);
  if (r.left != Left() || r.top != Top() || r.right - r.left != Width() || r.bottom - r.top != Height())
    SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::UpdateShowing() {
  if (Visible() && !handle_ && parent_ && parent_->handle_) CreateHandle();
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetText(const std::string& value) {
  if (value == Text()) return;
  if (handle_) SetWindowTextA(handle_, value.c_str());
  TControl::SetText(value);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (alignPending_) {
    alignPending_ = false;
    Realign();
  }
  // Tab orders read from a layout may name places not yet filled when they were read.
  std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
    return a->desiredTabOrder_ < b->desiredTabOrder_;
  });
}

// ---- TWinControl: children and alignment ----------------------------------------------------------------------

void TWinControl::InsertControl(TControl* c) {
  c->parent_ = this;
  controls_.push_back(c);
  if (c->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(c);
    tabList_.push_back(w);
    if (w->desiredTabOrder_ < 0) w->desiredTabOrder_ = static_cast<int>(tabList_.size()) - 1;
  }
  if (c->parentColor_) c->Perform(CM_PARENTCOLORCHANGED);
  if (c->parentFont_) c->Perform(CM_PARENTFONTCHANGED);
  if (c->parentShowHint_) c->Perform(CM_PARENTSHOWHINTCHANGED);
  if (c->IsWindowed() && handle_) static_cast<TWinControl*>(c)->CreateHandle();
  if (c->Align() != alNone) Realign();
  c->Invalidate();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), TRUE);
}

// `c` may be in its destructor: what kind of control it is comes from the lists, not from asking it.
void TWinControl::RemoveControl(TControl* c) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), FALSE);
  if (mouseControl_ == c) mouseControl_ = nullptr;
  if (captureControl == c) c->SetMouseCapture(false);
  if (TCustomForm* form = GetParentForm(this)) form->ControlRemoving(c);
  auto tab = std::find(tabList_.begin(), tabList_.end(), c);
  if (tab != tabList_.end()) {
    tabList_.erase(tab);
    // A window cannot outlive its parent window: it goes now and is made again under a new parent.
    static_cast<TWinControl*>(c)->DestroyHandle();
  } else if (c->visible_) {
    InvalidateRect(c->BoundsRect(), true);
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  c->parent_ = nullptr;
  if (c->Align() != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const { return IsWithin(control, this); }

bool IsWithin(const TControl* control, const TControl* ancestor) {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == ancestor) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() && !allowWinControls) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled) || !c->BoundsRect().Contains(p)) continue;
    TPoint local{p.X - c->Left(), p.Y - c->Top()};
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(local.X, local.Y)) != 0) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  // A handler may change the list; walk a copy.
  std::vector<TControl*> list = controls_;
  for (TControl* c : list) {
    c->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::EnableAlign() {
  if (alignLevel_ > 0 && --alignLevel_ == 0 && alignPending_) {
    alignPending_ = false;
    Realign();
  }
}

void TWinControl::Realign() {
  if (alignLevel_ > 0 || HasState(csLoading)) {
    alignPending_ = true;
    return;
  }
  DoAlign();
}

void TWinControl::DoAlign() {
  if (aligning_) return;
  aligning_ = true;
  TRect r = ClientRect();
  AdjustClientRect(r);
  try {
    AlignControls(nullptr, r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
  // Children anchored to the right or bottom edge follow the change of the client size.
  TRect client = ClientRect();
  if (lastClientWidth_ >= 0) {
    int dw = client.Width() - lastClientWidth_;
    int dh = client.Height() - lastClientHeight_;
    if (dw != 0 || dh != 0)
      for (TControl* c : controls_) {
        if (c->Align() != alNone) continue;
        TAnchors a = c->Anchors();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a.Contains(akRight)) (a.Contains(akLeft) ? w : l) += dw;
        if (a.Contains(akBottom)) (a.Contains(akTop) ? h : t) += dh;
        c->SetBounds(l, t, w, h);
      }
  }
  lastClientWidth_ = client.Width();
  lastClientHeight_ = client.Height();

  static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign align : order) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    // Nearest to its edge first, so that aligned controls keep their order along the edge.
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      int w = std::max(0, rect.Width()), h = std::max(0, rect.Height());
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, w, c->Height());
          rect.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), h);
          rect.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
          rect.Right -= c->Width();
          break;
        default:
          c->SetBounds(rect.Left, rect.Top, w, h);
          break;
      }
    }
  }
  if (dockManager_) dockManager_->ResetBounds();
}

// ---- TWinControl: painting ------------------------------------------------------------------------------------

void TWinControl::Invalidate() {
  if (handle_) ::InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::InvalidateRect(const TRect& r, bool erase) {
  if (!handle_) return;
  RECT rc = ToRECT(r);
  ::InvalidateRect(handle_, &rc, erase);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT r = ToRECT(c->BoundsRect());
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    POINT old{};
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), &old);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    try {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
}

void TWinControl::WMPaint(TMessage& m) {
  auto paint = [this](HDC dc) {
    // The control's own painting leaves out what opaque windowless children cover; they paint it themselves.
    int saved = SaveDC(dc);
    for (TControl* c : controls_)
      if (!c->IsWindowed() && c->Visible() && c->ControlStyle().Contains(csOpaque))
        ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    try {
      PaintWindow(dc);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
    PaintControls(dc);
    if (dockManager_) dockManager_->PaintSite(dc);
  };
  if (m.WParam) {
    paint(reinterpret_cast<HDC>(m.WParam));
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  try {
    paint(dc);
  } catch (...) {
    EndPaint(handle_, &ps);
    throw;
  }
  EndPaint(handle_, &ps);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (!controlStyle_.Contains(csOpaque)) {
    RECT r{};
    GetClientRect(handle_, &r);
    ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_.Handle());
  }
  m.Result = 1;
}

// ---- TWinControl: mouse ---------------------------------------------------------------------------------------

void TWinControl::SetMouseControl(TControl* c) {
  if (c == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = c;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (c) c->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(c));
}

// Mouse messages of the window: windowless children under the mouse (or holding the capture) get them in their
// own coordinates; the rest are the control's own.
void TWinControl::WMMouse(TMessage& m) {
  TPoint p = PointOf(m.LParam);
  lastMousePos = ClientToScreen(p);
  if (dockManager_ && dockManager_->MouseMessage(m)) return;
  if (m.Msg == WM_MOUSEMOVE) {
    if (!trackingMouse_) {
      TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
      if (TrackMouseEvent(&tme)) trackingMouse_ = true;
      Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    }
    SetMouseControl(ControlAtPos(p, false));
    HintMouseOver(mouseControl_ ? mouseControl_ : this);
  } else {
    HintCancel();
  }
  TControl* target = nullptr;
  if (captureControl && captureControl != this) {
    if (captureControl->parent_ == this && !captureControl->IsWindowed()) target = captureControl;
  } else if (!captureControl) {
    target = ControlAtPos(p, false);
  }
  if (target) {
    TMessage forwarded{m.Msg, m.WParam, MAKELPARAM(p.X - target->Left(), p.Y - target->Top()), 0};
    target->WindowProc(forwarded);
    m.Result = forwarded.Result;
    return;
  }
  TControl::WndProc(m);
}

void TWinControl::WMMouseLeave(TMessage& m) {
  trackingMouse_ = false;
  HintMouseLeft(this);
  SetMouseControl(nullptr);
  Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
    POINT sp{};
    GetCursorPos(&sp);
    TPoint p = ScreenToClient({sp.x, sp.y});
    TControl* c = captureControl && captureControl->parent_ == this ? captureControl : ControlAtPos(p, false);
    TCursor cursor = c ? c->Cursor() : Cursor();
    if (cursor == crDefault) cursor = Cursor();
    if (HCURSOR h = CursorHandle(cursor)) {
      ::SetCursor(h);
      m.Result = TRUE;
      return;
    }
    if (cursor == crNone) {
      ::SetCursor(nullptr);
      m.Result = TRUE;
      return;
    }
  }
  DefaultHandler(m);
}

// ---- TWinControl: keyboard and focus --------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(WORD& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

namespace {

bool IsDialogKey(WORD key) {
  switch (key) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_RETURN: case VK_ESCAPE: case VK_EXECUTE: case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

bool WantsKey(LRESULT code, WORD key) {
  if (code & DLGC_WANTALLKEYS) return true;
  switch (key) {
    case VK_TAB: return (code & DLGC_WANTTAB) != 0;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: return (code & DLGC_WANTARROWS) != 0;
    default: return (code & DLGC_WANTMESSAGE) != 0;
  }
}

}  // namespace

void TWinControl::WMKeyDown(TMessage& m) {
  // Escape belongs to a dock drag while one runs, wherever the focus is.
  if (m.WParam == VK_ESCAPE && CancelDockDrag()) return;
  swallowNextChar = false;
  HintCancel();
  WORD key = static_cast<WORD>(m.WParam);
  KeyWentDown(key);
  KeyDown(key, KeyboardShiftState());
  if (key == 0) return;
  if (m.Msg == WM_KEYDOWN && IsDialogKey(key) && !WantsKey(Perform(WM_GETDLGCODE), key)) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) {
      swallowNextChar = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE;
      return;
    }
  }
  m.WParam = key;
  DefaultHandler(m);
}

bool TWinControl::KeyCameUp(WORD key) {
  const bool mine = keysDown_.test(key & 0xFF);
  keysDown_.reset(key & 0xFF);
  return mine;
}

void TWinControl::WMKeyUp(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  if (!KeyCameUp(key)) return DefaultHandler(m);
  KeyUp(key, KeyboardShiftState());
  if (key == 0) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
  if (swallowNextChar) {
    swallowNextChar = false;
    return;
  }
  char c = static_cast<char>(m.WParam);
  KeyPress(c);
  if (c == 0) return;
  // A control that takes no characters offers them to the form as accelerators.
  if (!(Perform(WM_GETDLGCODE) & DLGC_WANTCHARS)) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, static_cast<unsigned char>(c), m.LParam) != 0) return;
  }
  m.WParam = static_cast<unsigned char>(c);
  DefaultHandler(m);
}

void TWinControl::WMSysChar(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  DefaultHandler(m);
}

void TWinControl::WMSetFocus(TMessage& m) {
  ForgetKeysDown();
  ChildWindowFocused();
  DefaultHandler(m);
}

void TWinControl::ChildWindowFocused() {
  if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& m) {
  ForgetKeysDown();
  DefaultHandler(m);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) form->FocusControl(this);
  else if (CanFocus()) ::SetFocus(Handle());
}

void TWinControl::SetTabStop(bool value) { tabStop_ = value; }

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  auto& list = parent_->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  desiredTabOrder_ = value;
  if (!parent_) return;
  auto& list = parent_->tabList_;
  list.erase(std::find(list.begin(), list.end(), this));
  size_t at = std::min(static_cast<size_t>(std::max(value, 0)), list.size());
  list.insert(list.begin() + static_cast<ptrdiff_t>(at), this);
}

void TWinControl::CollectTabList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->CollectTabList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) {
  std::vector<TWinControl*> list;
  CollectTabList(list);
  if (list.empty()) return nullptr;
  auto n = static_cast<ptrdiff_t>(list.size());
  ptrdiff_t start = std::find(list.begin(), list.end(), current) - list.begin();
  if (start == n) start = forward ? n - 1 : 0;
  for (ptrdiff_t i = 1; i <= n; ++i) {
    ptrdiff_t at = forward ? (start + i) % n : (start - i + n) % n;
    TWinControl* c = list[static_cast<size_t>(at)];
    if (c == current) continue;
    if ((!checkTabStop || c->TabStop()) && (!checkParent || c->parent_ == this) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(current, forward, checkTabStop, !checkTabStop)) c->SetFocus();
}

// ---- TWinControl: messages ------------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: return WMPaint(m);
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_SIZE: return WMSize(m);
    case WM_WINDOWPOSCHANGED: return WMWindowPosChanged(m);
    case WM_SETFOCUS: return WMSetFocus(m);
    case WM_KILLFOCUS: return WMKillFocus(m);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return WMKeyDown(m);
    case WM_KEYUP:
    case WM_SYSKEYUP: return WMKeyUp(m);
    case WM_CHAR: return WMChar(m);
    case WM_SYSCHAR: return WMSysChar(m);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return WMMouse(m);
    case WM_MOUSELEAVE: return WMMouseLeave(m);
    case WM_CAPTURECHANGED:
      if (captureControl && reinterpret_cast<HWND>(m.LParam) != handle_ &&
          (captureControl == this || captureControl->parent_ == this))
        captureControl = nullptr;
      return DefaultHandler(m);
    case WM_SETCURSOR: return WMSetCursor(m);
    case WM_NCDESTROY: return WMNCDestroy(m);
    case WM_THEMECHANGED:
      ThemeChanged();
      return DefaultHandler(m);
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM:
    case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: return WMReflect(m);
    case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
    case CM_COLORCHANGED: return CMColorChanged(m);
    case CM_FONTCHANGED: return CMFontChanged(m);
    case CM_VISIBLECHANGED: return CMVisibleChanged(m);
    case CM_FOCUSCHANGED: return CMFocusChanged(m);
    case CM_DIALOGKEY: return CMDialogKey(m);
    case CM_DIALOGCHAR: return CMDialogChar(m);
    case CM_SHOWHINTCHANGED: return CMShowHintChanged(m);
    case CM_ENTER: return DoEnter();
    case CM_EXIT: return DoExit();
    case CM_DOCKNOTIFICATION: return CMDockNotification(m);
    default: return TControl::WndProc(m);
  }
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_) m.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, m.Msg, m.WParam,
                                          m.LParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = nullptr;
  if (msg == WM_NCCREATE) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    if (control) control->handle_ = wnd;
  } else {
    control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  }
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    THandlerScope scope(control, wnd, msg);
    // The control may be freed by its own handler: only the local record is read afterwards.
    control->WindowProc(m);
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
    m.Result = 0;
  }
  return m.Result;
}

void TWinControl::WMSize(TMessage& m) {
  DefaultHandler(m);
  Realign();
  Resize();
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  // The window moved or was sized by the system (or by SetBounds): the fields follow without another move.
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  if (wp && !(wp->flags & SWP_NOMOVE)) {
    left_ = wp->x;
    top_ = wp->y;
  }
  if (wp && !(wp->flags & SWP_NOSIZE)) {
    width_ = wp->cx;
    height_ = wp->cy;
  }
  DefaultHandler(m);
}

void TWinControl::WMNCDestroy(TMessage& m) {
  DefaultHandler(m);
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  handle_ = nullptr;
  trackingMouse_ = false;
  mouseControl_ = nullptr;
}

// Notifications a child window sends its parent come back to the child as CN_* messages.
void TWinControl::WMReflect(TMessage& m) {
  HWND from = nullptr;
  switch (m.Msg) {
    case WM_NOTIFY: from = reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_DRAWITEM: {
      const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      if (di->CtlType != ODT_MENU) from = di->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      const auto* mi = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
      if (mi->CtlType != ODT_MENU) from = GetDlgItem(handle_, static_cast<int>(mi->CtlID));
      break;
    }
    case WM_DELETEITEM: from = reinterpret_cast<const DELETEITEMSTRUCT*>(m.LParam)->hwndItem; break;
    default: from = reinterpret_cast<HWND>(m.LParam); break;
  }
  TWinControl* child = from && from != handle_ ? FromHandle(from) : nullptr;
  if (child) {
    m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(m);
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (handle_) EnableWindow(handle_, Enabled());
  Invalidate();
}

void TWinControl::CMColorChanged(TMessage&) {
  brush_.SetColor(Color());
  Invalidate();
  TMessage n{CM_PARENTCOLORCHANGED, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(n);
}

void TWinControl::CMFontChanged(TMessage&) {
  if (handle_ && defWndProc_ != DefWindowProcA && defWndProc_)
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  Invalidate();
  TMessage n{CM_PARENTFONTCHANGED, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(n);
}

void TWinControl::CMShowHintChanged(TMessage&) {
  TMessage n{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(n);
}

void TWinControl::CMVisibleChanged(TMessage&) { UpdateShowing(); }

void TWinControl::CMFocusChanged(TMessage& m) { Broadcast(m); }
void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }
void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

// ---- TGraphicControl and TCustomControl -----------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(*this) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: return WMPaint(m);
    default: return TControl::WndProc(m);
  }
}

void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  TCanvasDcScope scope(canvas_, reinterpret_cast<HDC>(m.WParam));
  Paint();
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(*this) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasDcScope scope(canvas_, dc);
  Paint();
}

// ---- TControlCanvas -------------------------------------------------------------------------------------------

namespace {
std::vector<TControlCanvas*>& CanvasesWithDc() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

void TControlCanvas::CreateHandle() {
  TControl* target = &control_;
  int dx = 0, dy = 0;
  if (!target->IsWindowed()) {
    dx = target->Left();
    dy = target->Top();
    target = target->Parent();
  }
  if (!target || !static_cast<TWinControl*>(target)->HandleAllocated()) return;
  wnd_ = static_cast<TWinControl*>(target)->Handle();
  fetched_ = GetDCEx(wnd_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!fetched_) return;
  if (!control_.IsWindowed()) {
    SetViewportOrgEx(fetched_, dx, dy, nullptr);
    IntersectClipRect(fetched_, 0, 0, control_.Width(), control_.Height());
  }
  SetHandle(fetched_);
  CanvasesWithDc().push_back(this);
}

void TControlCanvas::FreeHandle() {
  if (!fetched_) return;
  SetHandle(nullptr);
  ReleaseDC(wnd_, fetched_);
  fetched_ = nullptr;
  wnd_ = nullptr;
  auto& list = CanvasesWithDc();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts() {
  auto list = CanvasesWithDc();
  for (TControlCanvas* c : list) c->FreeHandle();
}
