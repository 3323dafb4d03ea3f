// The separator: a thin line fading from its colour into a highlight colour, between groups of controls.
#pragma once

#include "classlib/Controls.h"
#include "sddcontrols/core/unSDDCommonTypes.h"

enum TSDDHighlightLocation { hlCenter, hlUpperLeft, hlLowerRight };

class TSDDSeparator : public TGraphicControl {
public:
  explicit TSDDSeparator(TComponent* owner);

  TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(TColor value);
  TSDDHighlightLocation HighlightLocation() const { return highlightLocation_; }
  virtual void SetHighlightLocation(TSDDHighlightLocation value);
  bool ShowGradient() const { return showGradient_; }
  virtual void SetShowGradient(bool value);
  TOrientation Orientation() const { return orientation_; }
  // Turning the separator also swaps its width and height (not while a layout is read).
  virtual void SetOrientation(TOrientation value);

  // The gradient the line is painted with, from the orientation and the highlight's place.
  TGradientDirection GradientDirection() const { return direction_; }
  TColor GradientStart() const { return start_; }
  TColor GradientEnd() const { return end_; }

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;

private:
  void UpdateGradient();

  TColor highlightColor_ = clHighlight;
  TSDDHighlightLocation highlightLocation_ = hlCenter;
  TOrientation orientation_ = orHorizontal;
  bool showGradient_ = true;
  TGradientDirection direction_ = gdVerticalCenter;
  TColor start_ = clBtnFace;
  TColor end_ = clHighlight;
};
