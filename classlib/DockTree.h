// The dock tree: how a windowed dock site with UseDockManager lays out its docked clients.
//
// Each visible client gets a zone of the site's dock area (its client rect less what AdjustClientRect takes), the
// zones following one another along the site in the order the clients were inserted: side by side when the site is
// aligned to the top or bottom edge, one above the other otherwise. A zone holds a grabber band (down its left
// side for top- and bottom-aligned sites, across its top otherwise; GrabberSize wide) and the client in the rest.
// The band shows a grabber and a close button (PaintDockFrame; a subclass draws captions there instead). A press
// on a band drags its client out (a dock drag); a click on the close button hides the client.
//
// The site calls the tree: InsertControl when a control docks, RemoveControl when one leaves (also from the
// client's destructor: the tree asks a removed control nothing), ResetBounds when it aligns its children or a
// client is shown or hidden, PaintSite after painting itself, MouseMessage with its own mouse messages.
#pragma once

#include <utility>
#include <vector>

#include "classlib/Controls.h"

class TDockTree {
public:
  explicit TDockTree(TWinControl& site) : site_(site) {}
  virtual ~TDockTree() = default;
  TDockTree(const TDockTree&) = delete;
  TDockTree& operator=(const TDockTree&) = delete;

  TWinControl& DockSite() const { return site_; }
  int GrabberSize() const { return grabberSize_; }
  void SetGrabberSize(int value);
  // Grabber bands across the zones' tops; a site aligned to the top or bottom edge has them down the left.
  virtual bool GrabbersOnTop() const;

  int ClientCount() const { return static_cast<int>(clients_.size()); }
  TControl* Clients(int index) const { return clients_.at(static_cast<size_t>(index)); }
  // The zone of a visible client in the site's client coordinates; empty for any other control.
  TRect ZoneRect(const TControl* control) const;
  // The band of a zone (empty when the zone has none) and its close button.
  virtual TRect GrabberRect(const TRect& zone) const;
  virtual TRect CloseButtonRect(const TRect& zone) const;

  // Adds `control` (moving it when it is there already) before `dropControl` for alLeft and alTop, after it for
  // the other sides, at the end without one; then lays out.
  virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl);
  virtual void RemoveControl(TControl* control);
  // Places every visible client in its zone and repaints the site.
  virtual void ResetBounds();
  // Which client's zone (leaving `dragged` out) holds the point and which half of it: dropControl null when none.
  virtual void FindDropPlace(TPoint clientPos, const TControl* dragged, TControl*& dropControl,
                             TAlign& dropAlign) const;
  // source.DockRect (screen): the whole area for the first client, half the drop control's zone beside it, or
  // the place at the end.
  virtual void PositionDockRect(TDragDockObject& source) const;
  // The bands of every visible zone onto the site's DC.
  void PaintSite(HDC dc);
  // The site's own mouse messages (client coordinates): true when a press or release on a band was taken.
  bool MouseMessage(const TMessage& m);

protected:
  virtual TRect DockArea() const;
  // Draws a zone's band: two grabber lines and the close button.
  virtual void PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& zone);

private:
  using TZones = std::vector<std::pair<TControl*, TRect>>;
  // The visible clients but `left`, each in its zone of the dock area.
  TZones Layout(const TControl* left = nullptr) const;
  // A zone less its band.
  TRect ClientPart(const TRect& zone) const;

  TWinControl& site_;
  int grabberSize_ = 12;
  std::vector<TControl*> clients_;
  TControl* closePressed_ = nullptr;
};
