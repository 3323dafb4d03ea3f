// Sections: geometry; clients; dock rectangles; painting; mouse.
#include "classlib/DockTree.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/DeviceContext.h"
#include "classlib/DragDock.h"

// ---- geometry -------------------------------------------------------------------------------------------------

void TDockTree::SetGrabberSize(int value) {
  if (!StoreChanged(grabberSize_, value)) return;
  ResetBounds();
}

bool TDockTree::GrabbersOnTop() const { return site_.Align() != alTop && site_.Align() != alBottom; }

TRect TDockTree::DockArea() const {
  TRect r = site_.ClientRect();
  site_.AdjustClientRect(r);
  return r;
}

TDockTree::TZones TDockTree::Layout(const TControl* left) const {
  TZones zones;
  for (TControl* c : clients_)
    if (c != left && c->Visible()) zones.emplace_back(c, TRect{});
  const int n = static_cast<int>(zones.size());
  if (n == 0) return zones;
  const TRect area = DockArea();
  // Side by side under left-hand grabbers, one above the other under top ones; the last takes what division
  // leaves.
  const bool across = !GrabbersOnTop();
  const int length = across ? area.Width() : area.Height();
  for (int i = 0; i < n; ++i) {
    const int from = length * i / n, to = length * (i + 1) / n;
    zones[static_cast<size_t>(i)].second = across ? TRect{area.Left + from, area.Top, area.Left + to, area.Bottom}
                                                  : TRect{area.Left, area.Top + from, area.Right, area.Top + to};
  }
  return zones;
}

TRect TDockTree::ZoneRect(const TControl* control) const {
  for (const auto& [c, zone] : Layout())
    if (c == control) return zone;
  return {};
}

TRect TDockTree::GrabberRect(const TRect& zone) const {
  if (GrabbersOnTop()) return {zone.Left, zone.Top, zone.Right, std::min(zone.Bottom, zone.Top + grabberSize_)};
  return {zone.Left, zone.Top, std::min(zone.Right, zone.Left + grabberSize_), zone.Bottom};
}

TRect TDockTree::CloseButtonRect(const TRect& zone) const {
  const int size = grabberSize_ - 2;
  if (GrabbersOnTop()) return {zone.Right - size - 1, zone.Top + 1, zone.Right - 1, zone.Top + 1 + size};
  return {zone.Left + 1, zone.Top + 1, zone.Left + 1 + size, zone.Top + 1 + size};
}

TRect TDockTree::ClientPart(const TRect& zone) const {
  const TRect band = GrabberRect(zone);
  TRect r = zone;
  if (band.IsEmpty()) return r;
  if (GrabbersOnTop())
    r.Top = band.Bottom;
  else
    r.Left = band.Right;
  return r;
}

// ---- clients --------------------------------------------------------------------------------------------------

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) {
  std::erase(clients_, control);
  auto at = std::find(clients_.begin(), clients_.end(), dropControl);
  if (at != clients_.end() && insertAt != alLeft && insertAt != alTop) ++at;
  clients_.insert(at, control);
  ResetBounds();
}

// `control` may be in its destructor: only its address is compared.
void TDockTree::RemoveControl(TControl* control) {
  std::erase(clients_, control);
  if (closePressed_ == control) closePressed_ = nullptr;
  ResetBounds();
}

void TDockTree::ResetBounds() {
  for (const auto& [c, zone] : Layout()) c->SetBoundsRect(ClientPart(zone));
  site_.Invalidate();
}

// ---- dock rectangles ------------------------------------------------------------------------------------------

void TDockTree::FindDropPlace(TPoint p, const TControl* dragged, TControl*& dropControl, TAlign& dropAlign) const {
  dropControl = nullptr;
  dropAlign = alNone;
  for (const auto& [c, zone] : Layout(dragged)) {
    if (!zone.Contains(p)) continue;
    dropControl = c;
    if (GrabbersOnTop())
      dropAlign = p.Y < zone.Top + zone.Height() / 2 ? alTop : alBottom;
    else
      dropAlign = p.X < zone.Left + zone.Width() / 2 ? alLeft : alRight;
    return;
  }
}

void TDockTree::PositionDockRect(TDragDockObject& source) const {
  TRect r = DockArea();
  const TZones zones = Layout(source.Control());
  const auto drop = std::find_if(zones.begin(), zones.end(),
                                 [&](const auto& z) { return z.first == source.DropOnControl; });
  if (drop != zones.end()) {
    r = drop->second;
    switch (source.DropAlign) {
      case alLeft: r.Right = r.Left + r.Width() / 2; break;
      case alRight: r.Left += r.Width() / 2; break;
      case alTop: r.Bottom = r.Top + r.Height() / 2; break;
      default: r.Top += r.Height() / 2; break;
    }
  } else if (!zones.empty()) {
    // The place after the last client, as the zones would be with it there.
    const int n = static_cast<int>(zones.size()) + 1;
    if (GrabbersOnTop())
      r.Top += r.Height() * (n - 1) / n;
    else
      r.Left += r.Width() * (n - 1) / n;
  }
  const TPoint origin = site_.ClientToScreen({0, 0});
  source.DockRect = r.Offset(origin.X, origin.Y);
}

// ---- painting -------------------------------------------------------------------------------------------------

void TDockTree::PaintSite(HDC dc) {
  const TSavedDC saved(dc);
  TCanvas canvas;
  TCanvasOnDc on(canvas, dc);
  for (const auto& [c, zone] : Layout()) PaintDockFrame(canvas, c, zone);
}

void TDockTree::PaintDockFrame(TCanvas& canvas, TControl*, const TRect& zone) {
  const TRect band = GrabberRect(zone);
  if (band.IsEmpty()) return;
  const TRect close = CloseButtonRect(zone);
  HDC dc = canvas.Handle();
  for (int i = 0; i < 2; ++i) {
    RECT line = GrabbersOnTop() ? RECT{band.Left + 2, band.Top + 3 + 4 * i, close.Left - 2, band.Top + 6 + 4 * i}
                                : RECT{band.Left + 3 + 4 * i, close.Bottom + 2, band.Left + 6 + 4 * i, band.Bottom - 2};
    DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
  }
  RECT button = ToRECT(close);
  DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

// ---- mouse ----------------------------------------------------------------------------------------------------

bool TDockTree::MouseMessage(const TMessage& m) {
  if (m.Msg != WM_LBUTTONDOWN && m.Msg != WM_LBUTTONUP) return false;
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* pressed = closePressed_;
  closePressed_ = nullptr;
  for (const auto& [c, zone] : Layout()) {
    if (!GrabberRect(zone).Contains(p)) continue;
    const bool onClose = CloseButtonRect(zone).Contains(p);
    if (m.Msg == WM_LBUTTONUP) {
      if (!onClose || pressed != c) return false;
      c->SetVisible(false);
      return true;
    }
    if (onClose) {
      closePressed_ = c;
      return true;
    }
    if (c->DragKind() != dkDock) return false;
    c->BeginDrag(false);
    return true;
  }
  return false;
}
