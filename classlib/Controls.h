// The control hierarchy: TControl (bounds, alignment, colour, font, text, mouse), TGraphicControl (windowless,
// painted and fed by its parent), TWinControl (a window: creation parameters, children, tab order, focus, keyboard
// and dialog keys, alignment of children), TCustomControl (a window with a canvas and Paint).
//
// Sections: types and events; TControl; TWinControl; TGraphicControl and TCustomControl; TControlCanvas; helpers.
//
// Messages: every control's WndProc is a switch handing each message to a named handler; what it does not handle
// goes to the base and finally to DefaultHandler. One static window procedure serves all our windows; it catches
// every exception and hands it to Application->HandleException. Perform sends a message straight to WindowProc,
// which a user of the control may replace (it starts as WndProc).
//
// No message loop of ours runs after start-up, so keyboard navigation, dialog keys and accelerators, mouse
// enter/leave and the windowless children's mouse input all happen inside the window procedures.
//
// Docking: a control with DragKind dkDock can be dragged (BeginDrag, or a press with DragMode dmAutomatic) onto a
// windowed control that is a DockSite, or floated in a tool window of its own; DragDock.h holds the drag and the
// floating host, DockTree.h the layout of a dock site's clients. A docked control's HostDockSite hears of its text
// and visibility changes (CM_DOCKNOTIFICATION).
#pragma once

#include <windows.h>

#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ControlMessages.h"
#include "classlib/Graphics.h"
#include "classlib/core/LayoutSets.h"
#include "classlib/core/Objects.h"

class TControl;
class TWinControl;
class TCustomForm;
class TBasicAction;
class TControlActionLink;
class TDragDockObject;
class TDockTree;

// ---- types and events -----------------------------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TControlStyleFlag {
  csAcceptsControls,   // may be a parent in a layout
  csCaptureMouse,      // takes the mouse capture while a button is held
  csClickEvents,       // a press and release inside is a click
  csFramed,
  csSetCaption,        // the caption follows the name until set
  csOpaque,            // paints every pixel of its client area (no background needed behind it)
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csParentBackground,  // its background is its parent's image
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// Cursor identifiers: 0 the window class's cursor, negative numbers the system cursors.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crNo = -12, crHSplit = -14, crVSplit = -15, crHandPoint = -21, crSizeAll = -22;
// The system cursor for a cursor identifier (null for crDefault and crNone).
HCURSOR CursorHandle(TCursor cursor);

using TMouseEvent = TEvent<TObject* /*Sender*/, TMouseButton, TShiftState, int /*X*/, int /*Y*/>;
using TMouseMoveEvent = TEvent<TObject* /*Sender*/, TShiftState, int /*X*/, int /*Y*/>;
using TKeyEvent = TEvent<TObject* /*Sender*/, WORD& /*Key*/, TShiftState>;
using TKeyPressEvent = TEvent<TObject* /*Sender*/, char& /*Key*/>;
using TMouseWheelEvent =
    TEvent<TObject* /*Sender*/, TShiftState, int /*WheelDelta*/, TPoint /*MousePos*/, bool& /*Handled*/>;

enum TDragKind { dkDrag, dkDock };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// Docking events. Points are in the Sender's client coordinates, rectangles on the screen.
using TStartDockEvent = TEvent<TObject* /*Sender*/, TDragDockObject& /*DragObject*/>;
// Target: the dock site (or floating host) the control went to; null when the drag was cancelled or not dropped.
using TEndDockEvent = TEvent<TObject* /*Sender*/, TObject* /*Target*/, int /*X*/, int /*Y*/>;
using TDockOverEvent =
    TEvent<TObject* /*Sender*/, TDragDockObject* /*Source*/, int /*X*/, int /*Y*/, TDragState, bool& /*Accept*/>;
using TDockDropEvent = TEvent<TObject* /*Sender*/, TDragDockObject* /*Source*/, int /*X*/, int /*Y*/>;
using TGetSiteInfoEvent = TEvent<TObject* /*Sender*/, TControl* /*DockClient*/, TRect& /*InfluenceRect*/,
                                 TPoint /*MousePos*/, bool& /*CanDock*/>;
using TUnDockEvent =
    TEvent<TObject* /*Sender*/, TControl* /*Client*/, TWinControl* /*NewTarget*/, bool& /*Allow*/>;

// The shift state of a mouse message's WParam, and of the keyboard right now.
TShiftState MouseShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

// ---- TControl -------------------------------------------------------------------------------------------------

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // -- parent and bounds --
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area in client coordinates.
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(int value);
  virtual void SetClientHeight(int value);
  TPoint ClientOrigin() const;  // screen position of the client area's top-left corner
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);

  // -- state --
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up to a form that is visible too.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  // -- appearance --
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  void SetFont(const TFont& value) { font_.Assign(&value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& value) { SetText(value); }
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }

  // -- action --
  // The action the control follows (caption, enabled, hint, visible) and runs when clicked without an OnClick
  // of its own; null for none.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* value);

  // -- painting --
  virtual void Invalidate();
  // Invalidates and paints at once.
  virtual void Repaint();
  // Paints what is invalid now.
  virtual void Update();

  // -- z-order --
  void BringToFront();
  void SendToBack();

  // -- messages --
  // Sends a message straight to WindowProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The entry of every message; starts as WndProc, replaceable (e.g. by a manager that watches the control).
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // -- mouse capture (windowless controls capture through their parent) --
  bool MouseCapture() const;
  void SetMouseCapture(bool value);

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;

  // Parent windowed controls (and forms) ask these while routing.
  virtual bool IsWindowed() const { return false; }

  // -- drag and dock --
  TDragKind DragKind() const { return dragKind_; }
  void SetDragKind(TDragKind value) { dragKind_ = value; }
  // dmAutomatic: a left press on the control begins dragging it (past the threshold).
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode value) { dragMode_ = value; }
  // Begins a dock drag of a dkDock control (nothing for dkDrag, or while another drag runs): at once, or once the
  // mouse has moved `threshold` pixels (-1: the library's 5) from where it was last pressed or moved.
  void BeginDrag(bool immediate, int threshold = -1);
  bool Dragging() const;
  // The dock site the control is docked in (a floating host while it floats), or null.
  TWinControl* HostDockSite() const { return hostDockSite_; }
  // Docked in a floating host window of its own.
  bool Floating() const;
  // The size the control had before it was first docked; it floats at that size.
  int UndockWidth() const { return undockWidth_; }
  int UndockHeight() const { return undockHeight_; }
  // Docks into `site` (a dock site) beside `dropControl` on its side `controlSide`; null floats the control where
  // it is. False when the site refuses or the old site does not let the control go.
  bool ManualDock(TWinControl* site, TControl* dropControl = nullptr, TAlign controlSide = alNone);
  // Floats the control in a tool window whose client area is `screenRect`; a floating control's window moves.
  bool ManualFloat(const TRect& screenRect);

  TStartDockEvent OnStartDock;
  TEndDockEvent OnEndDock;

protected:
  // Takes the parent's colour and font when they are inherited (reading a layout defers it to here).
  void Loaded() override;

  // Overridable steps of the mouse and state handling.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Click();
  virtual void DblClick();
  virtual void Resize();
  // Called by SetBounds after the bounds changed, before the parent realigns.
  virtual void BoundsChanged() {}
  // A dock drag of the control begins (fires OnStartDock), and ended (fires OnEndDock).
  virtual void DoStartDock(TDragDockObject& source);
  virtual void DoEndDock(TObject* target, int x, int y);

  // The handlers of TControl's WndProc.
  void OnMouseButtonMessage(TMessage& m, TMouseButton button, bool down, bool dbl);
  void OnMouseMoveMessage(TMessage& m);
  void OnParentColorChanged(TMessage& m);
  void OnParentFontChanged(TMessage& m);
  void OnParentShowHintChanged(TMessage& m);
  void OnHitTest(TMessage& m) { m.Result = HTCLIENT; }

  void FontChanged();
  // The window changed the text itself (a user typed): the field follows without writing the window again.
  void TextChangedByWindow(const std::string& value);

  // The action (sender) was just linked: the control takes its properties. While defaults are checked (linked
  // during the reading of a layout), what the layout already set stays. Later changes of the action reach the
  // control through its link's setters, for the properties still linked.
  virtual void ActionChange(TObject* sender, bool checkDefaults);
  // A new link to this control; controls with more action properties return a link of their own kind.
  virtual TControlActionLink* CreateActionLink();
  TControlActionLink* ActionLink() const { return actionLink_.get(); }

  TControlStyle controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};

private:
  friend class TWinControl;
  friend class TCustomForm;
  friend class TDragDockObject;
  friend struct TDockDrag;
  friend void BeginDockDrag(TControl& control, TPoint start, bool immediate, int threshold);
  // Leaves the parent and every record of the library that names the control (hint, mouse capture, a drag, its
  // dock site). Asks the control nothing virtual: its destructors call it.
  void LeaveEverything();
  // Into `site` (null: out of any) at `rect` (the site's client coordinates): leaves the old site's records, joins
  // the new one's, which places it (DoAddDockClient); then the old site hears that it left (DoRemoveDockClient).
  void Dock(TWinControl* site, const TRect& rect);
  // Asks the old site (DoUnDock) whether the control may go to `newTarget`.
  bool Undock(TWinControl* newTarget);
  // Tells the host dock site of a change (CM_TEXTCHANGED, CM_VISIBLECHANGED).
  void NotifyHostDockSite(UINT change);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = {akLeft, akTop};
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  bool clicked_ = false;  // a left press landed on the control and a release inside will click
  std::unique_ptr<TControlActionLink> actionLink_;
  TDragKind dragKind_ = dkDrag;
  TDragMode dragMode_ = dmManual;
  TWinControl* hostDockSite_ = nullptr;
  int undockWidth_ = 0, undockHeight_ = 0;
};

// ---- TWinControl ----------------------------------------------------------------------------------------------

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
  HCURSOR ClassCursor = nullptr;
  // Our window class name; with SysClassName set, a standard control of that class is subclassed under it.
  std::string WinClassName;
  std::string SysClassName;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // -- window --
  // The window, created on demand (with its parents).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys and creates the window again, keeping state (for changes that need new creation parameters).
  void RecreateWnd();
  bool IsWindowed() const override { return true; }

  // -- children, in z-order (first = bottom) --
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  bool ContainsControl(const TControl* control) const;
  // The visible child under a point of the client area (topmost first); windowless children only, unless
  // allowWinControls. A child answering CM_HITTEST with 0 is passed over.
  TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false);
  // Sends a message to every child until one sets a non-zero result.
  void Broadcast(TMessage& message);

  // -- alignment --
  void DisableAlign() { ++alignLevel_; }
  void EnableAlign();
  void Realign();
  // The rectangle left for aligned children (the client rect, less borders a control draws).
  virtual void AdjustClientRect(TRect& /*rect*/) const {}

  // -- focus and tab order --
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  int TabOrder() const;
  void SetTabOrder(int value);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // The next (or previous) focusable control among this one's descendants after `current`, wrapping around.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  // Background brush (Color); drawn by WM_ERASEBKGND.
  TBrush& Brush() { return brush_; }

  // -- dock site --
  // Controls may be docked here; with UseDockManager the site gets a dock manager (CreateDockManager) that lays
  // the clients out with grabbers. The manager is made and dropped as the two change.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool value);
  bool UseDockManager() const { return useDockManager_; }
  void SetUseDockManager(bool value);
  TDockTree* DockManager() const { return dockManager_.get(); }
  int DockClientCount() const { return static_cast<int>(dockClients_.size()); }
  TControl* DockClients(int index) const { return dockClients_.at(static_cast<size_t>(index)); }
  // A dock drag over the site (x, y in client coordinates): places the dock rectangle and asks OnDockOver.
  virtual void DockOver(TDragDockObject& source, int x, int y, TDragState state, bool& accept);
  // The dragged control was dropped here: it is docked (DockClient), then OnDockDrop fires.
  virtual void DockDrop(TDragDockObject& source, int x, int y);
  // Whether `client` may dock here and where the site catches it (default: the window inflated by 10 pixels);
  // asks OnGetSiteInfo last.
  virtual void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TDockOverEvent OnDockOver;
  TDockDropEvent OnDockDrop;
  TGetSiteInfoEvent OnGetSiteInfo;
  TUnDockEvent OnUnDock;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() const override;
  void Invalidate() override;
  void Update() override;
  void SetText(const std::string& value) override;

  // Repaints a part of the client area (erasing the background when `erase`).
  void InvalidateRect(const TRect& r, bool erase);
  // Paints the windowless children into `dc` in z-order, each clipped to its bounds with its origin moved to it.
  void PaintControls(HDC dc, TControl* first = nullptr);

  // The control that belongs to a window of ours (null for foreign windows).
  static TWinControl* FromHandle(HWND wnd);

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Creates the window and then the children's.
  void CreateHandle();
  void DestroyHandle();
  // Places the children with an Align and moves the anchored ones.
  virtual void AlignControls(TControl* control, TRect& rect);
  // Paints the control itself into `dc` (TCustomControl: Paint on the canvas).
  virtual void PaintWindow(HDC dc);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();
  void Loaded() override;

  // The handlers of TWinControl's WndProc.
  void WMPaint(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMSize(TMessage& m);
  void WMWindowPosChanged(TMessage& m);
  void WMSetFocus(TMessage& m);
  void WMKillFocus(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMKeyUp(TMessage& m);
  void WMChar(TMessage& m);
  void WMSysChar(TMessage& m);
  void WMMouse(TMessage& m);
  void WMMouseLeave(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMNCDestroy(TMessage& m);
  void WMReflect(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMVisibleChanged(TMessage& m);
  void CMFocusChanged(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMShowHintChanged(TMessage& m);

  // A window of the control's own inside it (the edit of a combo box) took the focus: the form counts it as the
  // control's.
  void ChildWindowFocused();

  // A key-up belongs to the control that received that key's key-down while it had the focus: one key press that
  // moves the focus on (Enter as Tab) is not seen again as a key-up by the control it reached. KeyWentDown notes a
  // key-down; KeyCameUp answers whether the key-up is this control's (and forgets the key); the focus arriving or
  // leaving forgets them all.
  void KeyWentDown(WORD key) { keysDown_.set(key & 0xFF); }
  bool KeyCameUp(WORD key);
  void ForgetKeysDown() { keysDown_.reset(); }

  // Keeps the window's position, size and visibility in step with the fields.
  void UpdateWindowBounds();
  void UpdateShowing();

  // -- dock site steps --
  // The site's dock manager (the library's dock tree unless overridden).
  virtual std::unique_ptr<TDockTree> CreateDockManager();
  // Fires OnDockOver (accept as given).
  void DoDockOver(TDragDockObject& source, int x, int y, TDragState state, bool& accept);
  // Puts source.DockRect where the control would land (the dock manager's place, else the client area).
  virtual void PositionDockRect(TDragDockObject& source);
  // Takes the dropped control in: docks it at the dock rectangle, and hands it to the dock manager.
  virtual void DockClient(TDragDockObject& source, TPoint clientPos);
  // The control joins the site (its parent becomes the site, at `rect`).
  virtual void DoAddDockClient(TControl* client, const TRect& rect);
  // The control has left the site, for a new one or because it is being destroyed: ask it nothing virtual.
  virtual void DoRemoveDockClient(TControl* /*client*/) {}
  // Whether `client` may leave for `newTarget` (null: it floats); asks OnUnDock.
  virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
  // CM_DOCKNOTIFICATION: a docked client's text or visibility changed (WParam the client, LParam the change).
  virtual void CMDockNotification(TMessage& m);

  TBrush brush_;

private:
  friend class TControl;
  friend class TCustomForm;
  // The records of a docked client go: out of the list and the dock manager.
  void ForgetDockClient(TControl* client);
  void UpdateDockManager();
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CollectTabList(std::vector<TWinControl*>& list);
  void SetMouseControl(TControl* control);
  void DoAlign();

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;  // all children, z-order
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  int desiredTabOrder_ = -1;  // as set (a layout may name a place not yet filled); -1 = insertion order
  int alignLevel_ = 0;
  bool alignPending_ = false;
  bool aligning_ = false;
  bool trackingMouse_ = false;
  TControl* mouseControl_ = nullptr;  // the windowless child under the mouse
  std::bitset<256> keysDown_;  // keys that went down on this control since it last gained or lost the focus
  int lastClientWidth_ = -1, lastClientHeight_ = -1;
  bool dockSite_ = false;
  bool useDockManager_ = false;
  std::unique_ptr<TDockTree> dockManager_;
  std::vector<TControl*> dockClients_;
};

// ---- TGraphicControl and TCustomControl -----------------------------------------------------------------------

// A control that draws on a device context it is handed; `Canvas()` is valid inside Paint and, outside it, draws
// on the parent's window clipped to the control.
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl& control) : control_(control) {}
  ~TControlCanvas() override { FreeHandle(); }
  // Lets go of a DC the canvas fetched itself.
  void FreeHandle();
  // Frees the DCs every control canvas fetched outside painting (at the end of each message).
  static void FreeDeviceContexts();

protected:
  void CreateHandle() override;

private:
  TControl& control_;
  HWND wnd_ = nullptr;
  HDC fetched_ = nullptr;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas& Canvas() { return canvas_; }
  void WndProc(TMessage& message) override;

protected:
  virtual void Paint() {}
  void WMPaint(TMessage& m);

private:
  TControlCanvas canvas_;
};

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas& Canvas() { return canvas_; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  TControlCanvas canvas_;
};

// ---- helpers --------------------------------------------------------------------------------------------------

// The form a control sits on (its topmost parent when that is a form), or null.
TCustomForm* GetParentForm(const TControl* control);
// Whether `control` is `ancestor` or lies inside it. Reads only the parent links: `ancestor` may be in its
// destructor.
bool IsWithin(const TControl* control, const TControl* ancestor);
// The text a window holds now.
std::string WindowText(HWND wnd);
// Whether the character `key` is the accelerator of `caption`: the character after its first single '&' ("&&" is
// an ampersand of the text), compared without case.
bool IsAccel(unsigned key, const std::string& caption);
// The control currently holding the mouse capture through this library (windowless ones included), or null.
TControl* GetCaptureControl();
// The screen point of the last mouse message one of the library's windows handled (where a drag starts from).
TPoint LastMousePos();
