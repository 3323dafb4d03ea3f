#include "sddcontrols/unSDDFramedControl.h"

#include "sddcontrols/unSDDCommon.h"

void DrawFlatButtonFace(TCanvas& canvas, const TRect& r, TColor buttonColor, bool pressed) {
  TRect inside;
  if (buttonColor == clBtnFace) {
    const TColor light = pressed ? clBtnShadow : clBtnHighlight;
    const TColor dark = pressed ? clBtnHighlight : clBtnShadow;
    inside = DrawFrameLines(canvas, r, light, AllSides, dark);
  } else {
    inside = DrawColorFrameEx(canvas, r, buttonColor, pressed ? fsStatus : fsPopup);
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(buttonColor);
  canvas.FillRect(inside);
  DrawDropDownArrow(canvas, r, fpCustomFraming, true, pressed);
}
