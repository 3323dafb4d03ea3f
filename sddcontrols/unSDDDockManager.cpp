// Sections: window procedure hook; panel dock manager; size panel dock manager.
#include "sddcontrols/unSDDDockManager.h"

#include <functional>
#include <string>

#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGdi.h"

namespace {

constexpr int kGrabberSize = 14;

// Whether the focus is in `control`: its window or one inside it.
bool HasFocusIn(TControl* control) {
  auto& w = static_cast<TWinControl&>(*control);
  if (!w.HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus && (focus == w.Handle() || IsChild(w.Handle(), focus));
}

}  // namespace

// ---- window procedure hook ------------------------------------------------------------------------------------
//
// The panel's WindowProc is replaced by a THookProc that repaints the panel on WM_COMMAND and WM_MOUSEACTIVATE and
// hands every message on to the procedure it replaced. When the manager goes it puts that procedure back, unless
// another one has replaced the hook since: the hook then keeps forwarding, and repaints no more.

struct TSDDPanelDockManager::THook {
  TWinControl* site;
  std::function<void(TMessage&)> saved;
  bool active = true;
};

struct TSDDPanelDockManager::THookProc {
  std::shared_ptr<THook> hook;
  void operator()(TMessage& m) const {
    // A handler may replace the window procedure, and with it this object: only the local copy is used.
    const std::shared_ptr<THook> h = hook;
    if (h->active && (m.Msg == WM_COMMAND || m.Msg == WM_MOUSEACTIVATE)) h->site->Invalidate();
    h->saved(m);
  }
};

// ---- panel dock manager ---------------------------------------------------------------------------------------

TSDDPanelDockManager::TSDDPanelDockManager(TSDDCustomPanel& panel)
    : TDockTree(panel), panel_(panel), hook_(std::make_shared<THook>(THook{&panel, panel.WindowProc})) {
  captionFont_.SetName("Verdana");
  captionFont_.SetSize(8);
  buttonFont_.SetName("Marlett");
  buttonFont_.SetSize(8);
  SetGrabberSize(kGrabberSize);
  panel_.WindowProc = THookProc{hook_};
}

TSDDPanelDockManager::~TSDDPanelDockManager() {
  const auto* current = panel_.WindowProc.target<THookProc>();
  if (current && current->hook == hook_)
    panel_.WindowProc = hook_->saved;
  else
    hook_->active = false;
}

TRect TSDDPanelDockManager::CloseButtonRect(const TRect& r) const {
  if (GrabbersOnTop()) return {r.Right - 15, r.Top + 1, r.Right - 2, r.Top + 12};
  return {r.Left + 1, r.Top + 1, r.Left + 12, r.Top + 12};
}

void TSDDPanelDockManager::PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& zone) {
  if (!panel_.ShowDockClientCaptions()) return TDockTree::PaintDockFrame(canvas, control, zone);
  const TRect band = GrabberRect(zone);
  if (band.IsEmpty()) return;
  const bool active = !control->IsWindowed() || HasFocusIn(control);
  const TColor textColor = active ? clCaptionText : clInactiveCaptionText;
  canvas.Font().Assign(&captionFont_);
  canvas.Font().SetColor(textColor);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(active ? clActiveCaption : clInactiveCaption);
  if (GrabbersOnTop()) {
    canvas.TextRect(band, band.Left + 2, band.Top, control->Caption());
  } else {
    canvas.FillRect(band);
    // The caption reads upwards from the band's foot, its base line two pixels inside the band's right edge.
    HDC dc = canvas.Handle();
    TGdiObject<HFONT> turned(CreateRotatedFont(captionFont_, 90));
    TDcSelection selection(dc, turned.Get());
    const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(clCaptionText));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const RECT clip = ToRECT(band);
    const std::string& text = control->Caption();
    ExtTextOutA(dc, band.Right - 2, band.Bottom - 3, ETO_CLIPPED, &clip, text.data(), static_cast<UINT>(text.size()),
                nullptr);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    SetTextAlign(dc, oldAlign);
  }
  canvas.Font().SetName(buttonFont_.Name());
  canvas.Brush().SetStyle(bsClear);
  TRect glyph = CloseButtonRect(zone);
  canvas.DrawText("r", glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  canvas.Brush().SetStyle(bsSolid);
}

// ---- size panel dock manager ----------------------------------------------------------------------------------

TSDDSizePanelDockManager::TSDDSizePanelDockManager(TSDDCustomSizePanel& panel)
    : TSDDPanelDockManager(panel), sizePanel_(panel) {}

TRect TSDDSizePanelDockManager::GrabberRect(const TRect& zone) const {
  switch (sizePanel_.Align()) {
    case alTop: case alBottom: case alLeft: case alRight: return TSDDPanelDockManager::GrabberRect(zone);
    default: return {};
  }
}

TRect TSDDSizePanelDockManager::CloseButtonRect(const TRect& r) const {
  if (GrabbersOnTop()) return {r.Right - 15, r.Top + 1, r.Right - 1, r.Top + 12};
  return {r.Left + 1, r.Top + 1, r.Left + 13, r.Top + 13};
}

void TSDDSizePanelDockManager::PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& zone) {
  if (!sizePanel_.HotSpotClosed()) TSDDPanelDockManager::PaintDockFrame(canvas, control, zone);
}
