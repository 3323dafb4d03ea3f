// Dragging controls to dock them: the drag object, the floating host, and what the library's window procedures
// ask of a running drag.
//
// A dock drag (TControl::BeginDrag on a dkDock control, a press on a dmAutomatic one, a press on a dock grabber or
// on a floating host's caption) runs without a message loop of its own: a hidden window of the library takes the
// mouse capture and is handed the moves and the release by whatever loop runs; Escape reaches the drag through the
// library's key handling (TWinControl asks CancelDockDrag first) or through the hidden window. Until the mouse has
// moved the threshold from where it was pressed nothing shows. Then a frame inverted on the screen follows the
// mouse: the dock rectangle of the dock site under the cursor that takes the control (its GetSiteInfo says it may
// dock and the cursor lies in its influence rectangle; its DockOver accepts), else the control's undocked size
// where it would float. The release docks the control there (its old site letting it go: DoUnDock) or floats it
// in a TFloatingDockHost; Escape, a right press or a capture taken away cancel. OnStartDock fires when the drag
// begins, OnEndDock when it ends, with the site or host the control went to (null when it stayed).
//
// Sections: drag object; floating host; the running drag.
#pragma once

#include "classlib/Forms.h"

// ---- drag object ----------------------------------------------------------------------------------------------

class TDragDockObject : public TObject {
public:
  explicit TDragDockObject(TControl* control) : control_(control) {}

  TControl* Control() const { return control_; }
  // The dock site that takes the control if it is dropped now; null while a drop would float it.
  TWinControl* DragTarget() const { return accepted_ ? target_ : nullptr; }
  bool Floating() const { return DragTarget() == nullptr; }
  // The mouse on the screen.
  TPoint DragPos() const { return dragPos_; }

  // Where the control lands, on the screen; drawn as the drag frame.
  TRect DockRect;
  // The docked client the control lands beside (the dock manager's choice), and on which side of it.
  TControl* DropOnControl = nullptr;
  TAlign DropAlign = alNone;

private:
  friend class TControl;
  friend struct TDockDrag;
  TControl* control_;
  TWinControl* target_ = nullptr;  // the site under the mouse; it hears dsDragLeave when the mouse leaves it
  bool accepted_ = false;
  TPoint dragPos_;
};

// ---- floating host --------------------------------------------------------------------------------------------

// The tool window a floating control lives in: its one client fills it, its caption is the client's. Dragging the
// caption drags the client (it docks where it is dropped, or the window moves); the host frees itself once its
// client has left.
class TFloatingDockHost : public TCustomForm {
public:
  explicit TFloatingDockHost(TComponent* owner);
  TControl* Client() const { return DockClientCount() > 0 ? DockClients(0) : nullptr; }
  // Moves and sizes the window so that its client area covers `screenRect`.
  void PlaceClientArea(const TRect& screenRect);
  void WndProc(TMessage& message) override;

protected:
  void DoAddDockClient(TControl* client, const TRect& rect) override;
  void DoRemoveDockClient(TControl* client) override;
  void CMDockNotification(TMessage& m) override;
};

// ---- the running drag -----------------------------------------------------------------------------------------

// Begins a dock drag of `control` from the screen point `start` (see TControl::BeginDrag); nothing while another
// drag runs or for a form.
void BeginDockDrag(TControl& control, TPoint start, bool immediate, int threshold);
// The control being dragged, or null.
TControl* DockDragControl();
// Cancels a running drag (Escape); false when none runs.
bool CancelDockDrag();
// A control being destroyed: the drag forgets it (a dragged control's drag ends without asking it anything).
void ForgetInDockDrag(const TControl* control);
