// Hints: the small window that shows a control's Hint when the mouse rests on it. The controls report where the
// mouse is from their window procedures; timers of the application show and hide the window, so no message loop
// of ours is needed.
#pragma once

#include <string>

#include "classlib/Controls.h"

// What CM_HINTSHOW hands a control (LParam points to it): the control may change the text, place or colour, or
// answer non-zero to show no hint.
struct THintInfo {
  TControl* HintControl = nullptr;
  std::string HintStr;
  TPoint HintPos;  // screen position of the window's top-left corner
  TColor Color = clInfoBk;
  unsigned HideTimeout = 0;  // milliseconds
};

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* owner);
  // Shows `text` with its top-left corner at the screen point, without taking the focus.
  void ActivateHint(TPoint at, const std::string& text);
  void ReleaseHint();
  // The size the text needs, with the window's margins.
  TRect CalcHintRect(const std::string& text);

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
};

struct THintSettings {
  bool ShowHint = true;       // hints of all controls on or off
  unsigned HintPause = 500;   // milliseconds of rest before a hint shows
  unsigned HintHidePause = 2500;
  TColor HintColor = clInfoBk;
};
THintSettings& HintSettings();

// Called by the controls' window procedures.
void HintMouseOver(TControl* control);   // the mouse is over `control` (windowless or not)
void HintMouseLeft(TControl* control);   // the mouse left `control`'s window
void HintCancel();                       // a click or key: the hint goes
void HintControlDestroyed(TControl* control);
// The hint window now showing (null when none), for tests and controls that draw near it.
THintWindow* ActiveHintWindow();
