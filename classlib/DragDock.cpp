// Sections: the running drag (frame, capture window, start, moves, end); floating host; TControl's docking;
// TWinControl as a dock site.
#include "classlib/DragDock.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "classlib/Application.h"
#include "classlib/DeviceContext.h"
#include "classlib/DockTree.h"
#include "classlib/HandlerScope.h"
#include "classlib/core/SysUtils.h"

// ---- the running drag -----------------------------------------------------------------------------------------

namespace {

constexpr int kDefaultThreshold = 5;  // pixels the mouse moves before a drag shows
constexpr int kFrameWidth = 3;
const char kDragWindowClass[] = "ClasslibDockDrag";

// Inverts a frame `kFrameWidth` wide along the inside of `r` on the screen through a half-tone pattern: drawn
// twice at the same place it is gone.
void InvertFrame(const TRect& r) {
  struct TDeleteObject {
    void operator()(void* object) const { DeleteObject(object); }
  };
  static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  const std::unique_ptr<void, TDeleteObject> bits(CreateBitmap(8, 8, 1, 1, pattern));
  const std::unique_ptr<void, TDeleteObject> brush(
      bits ? CreatePatternBrush(static_cast<HBITMAP>(bits.get())) : nullptr);
  TWindowDC screen(nullptr);
  if (screen && brush) {
    HGDIOBJ old = SelectObject(screen.Handle(), brush.get());
    const int w = r.Width(), h = r.Height(), f = std::min({kFrameWidth, w / 2, h / 2});
    PatBlt(screen.Handle(), r.Left, r.Top, w, f, PATINVERT);
    PatBlt(screen.Handle(), r.Left, r.Bottom - f, w, f, PATINVERT);
    PatBlt(screen.Handle(), r.Left, r.Top + f, f, h - 2 * f, PATINVERT);
    PatBlt(screen.Handle(), r.Right - f, r.Top + f, f, h - 2 * f, PATINVERT);
    SelectObject(screen.Handle(), old);
  }
}

// A control's rectangle on the screen.
TRect ScreenBounds(const TControl& control) {
  if (control.IsWindowed() && static_cast<const TWinControl&>(control).HandleAllocated()) {
    RECT r{};
    GetWindowRect(const_cast<TWinControl&>(static_cast<const TWinControl&>(control)).Handle(), &r);
    return FromRECT(r);
  }
  const TPoint at = control.Parent() ? control.Parent()->ClientToScreen({control.Left(), control.Top()})
                                     : TPoint{control.Left(), control.Top()};
  return Bounds(at.X, at.Y, control.Width(), control.Height());
}

// The size a control floats at: its undocked size while it is docked in a site, else its own.
SIZE FloatSize(const TControl& control) {
  if (control.HostDockSite() && !control.Floating() && control.UndockWidth() > 0)
    return {control.UndockWidth(), control.UndockHeight()};
  return {control.Width(), control.Height()};
}

LRESULT CALLBACK DragWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

// One drag at a time. The controls it names are forgotten when they are destroyed (ForgetInDockDrag).
struct TDockDrag {
  TDragDockObject object;
  TControl* control;
  TPoint start;
  int threshold;
  TPoint grab;  // the mouse's offset from the control's top-left corner (within its floating size)
  SIZE floatSize{};
  bool started = false;
  bool ending = false;
  TRect frame;
  bool frameShown = false;
  HWND window = nullptr;

  TDockDrag(TControl& c, TPoint from, int threshold)
      : object(&c), control(&c), start(from), threshold(threshold < 0 ? kDefaultThreshold : threshold) {
    object.dragPos_ = from;
  }

  void ShowFrame(const TRect& r) {
    if (frameShown && r == frame) return;
    HideFrame();
    frame = r;
    frameShown = true;
    InvertFrame(frame);
  }
  void HideFrame() {
    if (frameShown) InvertFrame(frame);
    frameShown = false;
  }

  // The dock site under the screen point that takes the control: the innermost of the windows there, not the
  // control or inside it, that is a showing dock site, may dock it and catches the point.
  TWinControl* SiteAt(TPoint p) {
    for (HWND h = WindowFromPoint({p.X, p.Y}); h; h = GetAncestor(h, GA_PARENT)) {
      TWinControl* site = TWinControl::FromHandle(h);
      if (!site || !site->DockSite() || !site->Showing() || IsWithin(site, control)) continue;
      TRect influence;
      bool canDock = true;
      site->GetSiteInfo(control, influence, p, canDock);
      if (!control) return nullptr;
      if (canDock && influence.Contains(p)) return site;
    }
    return nullptr;
  }

  void MoveTo(TPoint p);
  void End(bool drop);
  void Forget(const TControl* gone);
};

namespace {

// Shared so that a handler that ends the drag while a step of it runs does not free the step's object.
std::shared_ptr<TDockDrag> running;

TPoint MessagePoint(HWND wnd, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(wnd, &p);
  return {p.x, p.y};
}

HWND CreateDragWindow() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DragWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kDragWindowClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) return nullptr;
  return CreateWindowExA(WS_EX_TOOLWINDOW, kDragWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// The hidden window that holds the capture: the drag's moves, its release and its cancelling keys.
LRESULT CALLBACK DragWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!running || running->window != wnd) return DefWindowProcA(wnd, msg, wParam, lParam);
  try {
    THandlerScope scope(nullptr, wnd, msg);
    switch (msg) {
      case WM_MOUSEMOVE: running->MoveTo(MessagePoint(wnd, lParam)); return 0;
      case WM_LBUTTONUP:
        running->MoveTo(MessagePoint(wnd, lParam));
        if (running) running->End(true);
        return 0;
      case WM_RBUTTONDOWN:
      case WM_CANCELMODE: running->End(false); return 0;
      case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) running->End(false);
        return 0;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != wnd) running->End(false);
        return 0;
      default: break;
    }
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

void TDockDrag::MoveTo(TPoint p) {
  // The release comes where the last move was: the sites are not asked twice.
  if (ending || !control || (frameShown && p == object.dragPos_)) return;
  const std::shared_ptr<TDockDrag> keep = running;
  const auto over = [this] { return running.get() != this || ending || !control; };
  object.dragPos_ = p;
  if (!started) {
    if (std::abs(p.X - start.X) < threshold && std::abs(p.Y - start.Y) < threshold) return;
    started = true;
  }
  TWinControl* site = SiteAt(p);
  if (over()) return;
  TWinControl* old = object.target_;
  if (old && old != site) {
    bool ignored = false;
    const TPoint q = old->ScreenToClient(p);
    old->DockOver(object, q.X, q.Y, dsDragLeave, ignored);
  }
  if (over()) return;
  object.target_ = site;
  object.accepted_ = false;
  object.DropOnControl = nullptr;
  object.DropAlign = alNone;
  if (site) {
    bool accept = true;
    const TPoint q = site->ScreenToClient(p);
    site->DockOver(object, q.X, q.Y, old == site ? dsDragMove : dsDragEnter, accept);
    if (over()) return;
    object.accepted_ = accept && object.target_ == site;
  }
  if (object.Floating()) {
    const int w = static_cast<int>(floatSize.cx), h = static_cast<int>(floatSize.cy);
    object.DockRect = Bounds(p.X - grab.X, p.Y - grab.Y, w, h);
  }
  ShowFrame(object.DockRect);
}

// Ends the drag, docking or floating the control when `drop`. No other drag begins before the sites and the
// control have heard of this one's end.
void TDockDrag::End(bool drop) {
  if (ending) return;
  ending = true;
  const std::shared_ptr<TDockDrag> keep = running;
  struct TOver {
    ~TOver() { running.reset(); }
  } over;
  HideFrame();
  const HWND captureWindow = window;
  window = nullptr;
  if (GetCapture() == captureWindow) ReleaseCapture();
  DestroyWindow(captureWindow);
  TObject* target = nullptr;
  if (drop && started && control) {
    if (TWinControl* site = object.DragTarget()) {
      if (control->Undock(site) && control && object.target_) {
        const TPoint q = site->ScreenToClient(object.dragPos_);
        site->DockDrop(object, q.X, q.Y);
        target = site;
      }
    } else if (control->ManualFloat(object.DockRect) && control) {
      target = control->HostDockSite();
    }
  }
  if (control) control->DoEndDock(target, object.dragPos_.X, object.dragPos_.Y);
}

void BeginDockDrag(TControl& control, TPoint start, bool immediate, int threshold) {
  if (running || dynamic_cast<TCustomForm*>(&control)) return;
  auto drag = std::make_shared<TDockDrag>(control, start, threshold);
  drag->window = CreateDragWindow();
  if (!drag->window) return;
  const TRect bounds = ScreenBounds(control);
  drag->floatSize = FloatSize(control);
  const int w = static_cast<int>(drag->floatSize.cx), h = static_cast<int>(drag->floatSize.cy);
  drag->grab = {std::clamp(start.X - bounds.Left, 0, std::max(w - 1, 0)),
                std::clamp(start.Y - bounds.Top, 0, std::max(h - 1, 0))};
  drag->object.DockRect = bounds;
  running = drag;
  SetCapture(drag->window);
  control.DoStartDock(drag->object);
  if (immediate && running == drag && !drag->ending) {
    drag->started = true;
    drag->MoveTo(start);
  }
}

TControl* DockDragControl() { return running && !running->ending ? running->control : nullptr; }

bool CancelDockDrag() {
  if (!running || running->ending) return false;
  running->End(false);
  return true;
}

void TDockDrag::Forget(const TControl* gone) {
  if (object.target_ == gone) {
    object.target_ = nullptr;
    object.accepted_ = false;
  }
  if (object.DropOnControl == gone) object.DropOnControl = nullptr;
  if (control != gone) return;
  control = nullptr;
  End(false);
}

void ForgetInDockDrag(const TControl* control) {
  if (running) running->Forget(control);
}

// ---- floating host --------------------------------------------------------------------------------------------

// Not a dock site itself: nothing else is docked into a floating control's window.
TFloatingDockHost::TFloatingDockHost(TComponent* owner) : TCustomForm(owner) { SetBorderStyle(bsSizeToolWin); }

void TFloatingDockHost::PlaceClientArea(const TRect& r) {
  SetClientWidth(r.Width());
  SetClientHeight(r.Height());
  HandleNeeded();
  RECT window{};
  GetWindowRect(Handle(), &window);
  const TPoint client = ClientToScreen({0, 0});
  SetBounds(r.Left - (client.X - window.left), r.Top - (client.Y - window.top), Width(), Height());
}

void TFloatingDockHost::DoAddDockClient(TControl* client, const TRect&) {
  client->SetParent(this);
  client->SetAlign(alClient);
  SetCaption(client->Caption());
}

// The client has gone: so does the window, once the handlers on the stack have returned.
void TFloatingDockHost::DoRemoveDockClient(TControl*) {
  if (DockClientCount() == 0) Release();
}

void TFloatingDockHost::CMDockNotification(TMessage& m) {
  if (m.LParam == CM_TEXTCHANGED) SetCaption(reinterpret_cast<TControl*>(m.WParam)->Caption());
  TCustomForm::CMDockNotification(m);
}

// A press on the caption drags the client instead of moving the window.
void TFloatingDockHost::WndProc(TMessage& m) {
  if (m.Msg == WM_NCLBUTTONDOWN && m.WParam == HTCAPTION && Client() && Client()->DragKind() == dkDock) {
    BeginDockDrag(*Client(), {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, false, -1);
    return;
  }
  TCustomForm::WndProc(m);
}

// ---- TControl's docking ---------------------------------------------------------------------------------------

void TControl::BeginDrag(bool immediate, int threshold) {
  if (dragKind_ == dkDock) BeginDockDrag(*this, LastMousePos(), immediate, threshold);
}

bool TControl::Dragging() const { return DockDragControl() == this; }

bool TControl::Floating() const { return dynamic_cast<TFloatingDockHost*>(hostDockSite_) != nullptr; }

void TControl::DoStartDock(TDragDockObject& source) { OnStartDock(this, source); }
void TControl::DoEndDock(TObject* target, int x, int y) { OnEndDock(this, target, x, y); }

bool TControl::ManualDock(TWinControl* site, TControl* dropControl, TAlign controlSide) {
  if (!site) {
    const TRect bounds = ScreenBounds(*this);
    const SIZE size = FloatSize(*this);
    return ManualFloat(Bounds(bounds.Left, bounds.Top, static_cast<int>(size.cx), static_cast<int>(size.cy)));
  }
  if (!site->DockSite() || IsWithin(site, this) || dynamic_cast<TCustomForm*>(this)) return false;
  if (!Undock(site)) return false;
  TDragDockObject source(this);
  source.target_ = site;
  source.accepted_ = true;
  source.DropOnControl = dropControl;
  source.DropAlign = controlSide;
  const TRect client = site->ClientRect();
  source.dragPos_ = site->ClientToScreen({(client.Left + client.Right) / 2, (client.Top + client.Bottom) / 2});
  site->PositionDockRect(source);
  const TPoint q = site->ScreenToClient(source.dragPos_);
  site->DockDrop(source, q.X, q.Y);
  return hostDockSite_ == site;
}

bool TControl::ManualFloat(const TRect& screenRect) {
  if (dynamic_cast<TCustomForm*>(this)) return false;
  if (auto* host = dynamic_cast<TFloatingDockHost*>(hostDockSite_)) {
    host->PlaceClientArea(screenRect);
    return true;
  }
  if (!Undock(nullptr)) return false;
  auto* host = new TFloatingDockHost(GetParentForm(this));
  host->PlaceClientArea(screenRect);
  Dock(host, {0, 0, screenRect.Width(), screenRect.Height()});
  host->Show();
  return true;
}

bool TControl::Undock(TWinControl* newTarget) {
  return !hostDockSite_ || hostDockSite_->DoUnDock(newTarget, this);
}

void TControl::Dock(TWinControl* site, const TRect& rect) {
  TWinControl* old = hostDockSite_;
  // The size the control had on its own is what it floats at later.
  if (site && !dynamic_cast<TFloatingDockHost*>(site) && (!old || Floating())) {
    undockWidth_ = width_;
    undockHeight_ = height_;
  }
  if (old) old->ForgetDockClient(this);
  hostDockSite_ = site;
  if (site) {
    site->dockClients_.push_back(this);
    site->DoAddDockClient(this, rect);
  }
  if (old) old->DoRemoveDockClient(this);
}

void TControl::NotifyHostDockSite(UINT change) {
  if (hostDockSite_) hostDockSite_->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), change);
}

// ---- TWinControl as a dock site -------------------------------------------------------------------------------

void TWinControl::SetDockSite(bool value) {
  if (StoreChanged(dockSite_, value)) UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool value) {
  if (StoreChanged(useDockManager_, value)) UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
  const bool wanted = dockSite_ && useDockManager_;
  if (wanted == (dockManager_ != nullptr)) return;
  if (wanted) {
    dockManager_ = CreateDockManager();
    for (TControl* c : std::vector<TControl*>(dockClients_)) dockManager_->InsertControl(c, alNone, nullptr);
  } else {
    dockManager_.reset();
  }
  Realign();
  Invalidate();
}

std::unique_ptr<TDockTree> TWinControl::CreateDockManager() { return std::make_unique<TDockTree>(*this); }

void TWinControl::ForgetDockClient(TControl* client) {
  std::erase(dockClients_, client);
  if (dockManager_) dockManager_->RemoveControl(client);
}

void TWinControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
  RECT r{};
  if (HandleAllocated()) GetWindowRect(handle_, &r);
  influenceRect = FromRECT(r).Inflate(10, 10);
  OnGetSiteInfo(this, client, influenceRect, mousePos, canDock);
}

void TWinControl::DockOver(TDragDockObject& source, int x, int y, TDragState state, bool& accept) {
  if (state != dsDragLeave) {
    if (dockManager_)
      dockManager_->FindDropPlace({x, y}, source.Control(), source.DropOnControl, source.DropAlign);
    PositionDockRect(source);
  }
  DoDockOver(source, x, y, state, accept);
}

void TWinControl::DoDockOver(TDragDockObject& source, int x, int y, TDragState state, bool& accept) {
  OnDockOver(this, &source, x, y, state, accept);
}

void TWinControl::PositionDockRect(TDragDockObject& source) {
  if (dockManager_) {
    dockManager_->PositionDockRect(source);
    return;
  }
  TRect r = ClientRect();
  AdjustClientRect(r);
  const TPoint origin = ClientToScreen({0, 0});
  source.DockRect = r.Offset(origin.X, origin.Y);
}

void TWinControl::DockDrop(TDragDockObject& source, int x, int y) {
  DisableAlign();
  try {
    DockClient(source, {x, y});
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  OnDockDrop(this, &source, x, y);
}

void TWinControl::DockClient(TDragDockObject& source, TPoint) {
  TControl* client = source.Control();
  const TPoint origin = ScreenToClient({source.DockRect.Left, source.DockRect.Top});
  client->Dock(this, Bounds(origin.X, origin.Y, source.DockRect.Width(), source.DockRect.Height()));
  if (dockManager_ && client->HostDockSite() == this)
    dockManager_->InsertControl(client, source.DropAlign, source.DropOnControl);
}

void TWinControl::DoAddDockClient(TControl* client, const TRect& rect) {
  client->SetAlign(alNone);
  client->SetParent(this);
  client->SetBoundsRect(rect);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client) {
  bool allow = true;
  OnUnDock(this, client, newTarget, allow);
  return allow;
}

void TWinControl::CMDockNotification(TMessage&) {
  if (dockManager_) dockManager_->ResetBounds();
}
