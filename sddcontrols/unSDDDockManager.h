// The SDD panels' dock managers: the class library's dock tree with a caption band for every docked client.
//
// TSDDPanelDockManager serves TSDDCustomPanel. Its bands are 14 pixels wide, down the left of each client on a
// panel aligned to the top or bottom edge, across its top otherwise. With the panel's ShowDockClientCaptions a band
// is filled with the caption colour and shows the client's caption in "Verdana" 8 (turned by 90 degrees, reading
// upwards, in a left band) and a close cross, the "r" of "Marlett": in the active colours (clActiveCaption,
// clCaptionText) for a windowless client or one the focus is in, in the inactive ones (clInactiveCaption,
// clInactiveCaptionText) otherwise; the turned caption is always clCaptionText. Without it the tree's own grabbers
// are drawn. While the manager lives it takes over the panel's window procedure and gives it back when it goes: a
// command or a mouse activation anywhere in the panel repaints it, so the captions follow the focus.
//
// TSDDSizePanelDockManager serves TSDDCustomSizePanel: bands only on a panel aligned to an edge (down the left for
// the top and bottom, across the top for the left and right), drawn only while the panel is open. The panel's dock
// area begins after its size bar, so the dock rectangles and bands of right- and bottom-aligned panels lie
// SizeBarWidth (and the pixel after the bar) further in than the panel's edge.
//
// Sections: panel dock manager; size panel dock manager.
#pragma once

#include <memory>

#include "classlib/DockTree.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSizePanel.h"

// ---- panel dock manager ---------------------------------------------------------------------------------------

class TSDDPanelDockManager : public TDockTree {
public:
  explicit TSDDPanelDockManager(TSDDCustomPanel& panel);
  ~TSDDPanelDockManager() override;

  TSDDCustomPanel& Panel() const { return panel_; }
  TFont& CaptionFont() { return captionFont_; }
  TFont& ButtonFont() { return buttonFont_; }
  TRect CloseButtonRect(const TRect& zone) const override;

protected:
  void PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& zone) override;

private:
  struct THook;
  struct THookProc;
  TSDDCustomPanel& panel_;
  TFont captionFont_;
  TFont buttonFont_;
  std::shared_ptr<THook> hook_;
};

// ---- size panel dock manager ----------------------------------------------------------------------------------

class TSDDSizePanelDockManager : public TSDDPanelDockManager {
public:
  explicit TSDDSizePanelDockManager(TSDDCustomSizePanel& panel);

  TSDDCustomSizePanel& SizePanel() const { return sizePanel_; }
  // None on a panel that is not aligned to an edge.
  TRect GrabberRect(const TRect& zone) const override;
  TRect CloseButtonRect(const TRect& zone) const override;

protected:
  void PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& zone) override;

private:
  TSDDCustomSizePanel& sizePanel_;
};
