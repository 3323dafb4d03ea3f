#include "sddcontrols/unSDDBckgnd.h"

#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGrafx.h"

TSDDSeparator::TSDDSeparator(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 200, 2);
  SetColor(clBtnFace);
  SetParentColor(true);
  UpdateGradient();
}

void TSDDSeparator::UpdateGradient() {
  const bool vertical = orientation_ == orVertical;
  if (highlightLocation_ == hlCenter) {
    direction_ = vertical ? gdHorizontalCenter : gdVerticalCenter;
  } else {
    direction_ = vertical ? gdHorizontalEnd : gdVerticalEnd;
  }
  const bool highlightFirst = highlightLocation_ == hlUpperLeft;
  start_ = highlightFirst ? highlightColor_ : Color();
  end_ = highlightFirst ? Color() : highlightColor_;
}

void TSDDSeparator::SetHighlightColor(TColor value) {
  if (!StoreChanged(highlightColor_, value)) return;
  UpdateGradient();
  Invalidate();
}

void TSDDSeparator::SetHighlightLocation(TSDDHighlightLocation value) {
  if (!StoreChanged(highlightLocation_, value)) return;
  UpdateGradient();
  Invalidate();
}

void TSDDSeparator::SetShowGradient(bool value) {
  if (StoreChanged(showGradient_, value)) Invalidate();
}

void TSDDSeparator::SetOrientation(TOrientation value) {
  if (!StoreChanged(orientation_, value)) return;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  UpdateGradient();
  Invalidate();
}

void TSDDSeparator::Loaded() {
  TGraphicControl::Loaded();
  UpdateGradient();
}

void TSDDSeparator::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_COLORCHANGED) {
    UpdateGradient();
    Invalidate();
  }
}

void TSDDSeparator::Paint() {
  TCanvas& c = Canvas();
  if (!showGradient_) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
    return;
  }
  if (!IsHighColorDisplay()) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(end_);
    c.FillRect(ClientRect());
    return;
  }
  // A side of 0 is painted as 1 (and the control keeps that size).
  if (Width() < 1 || Height() < 1) SetBounds(Left(), Top(), std::max(Width(), 1), std::max(Height(), 1));
  TBitmap image;
  image.SetSize(Width(), Height());
  GradientFill(image.Canvas(), {0, 0, Width(), Height()}, direction_, start_, end_, 1);
  BitBlt(c.Handle(), 0, 0, Width(), Height(), image.Canvas().Handle(), 0, 0, SRCCOPY);
}
