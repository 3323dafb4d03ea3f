// Gradient fills, a transparent stretched blit and the parent's image behind a transparent control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "sddcontrols/core/unSDDCommonTypes.h"

// Paints r in `direction` from `startColor` to `endColor` through an off-screen bitmap of r's size, drawn at r's
// top-left corner. `colors` sets the bands' minimum length (1: a new band at every colour change; above 8 its
// meaning turns to a count of bands). A rectangle without area paints nothing.
void GradientFill(TCanvas& canvas, const TRect& r, TGradientDirection direction, TColor startColor, TColor endColor,
                  uint8_t colors);

// Draws `sourceRect` of `source` stretched into `destRect`, leaving out the pixels of `transparentColor`.
void DrawTransparentBitmap(TCanvas& canvas, TBitmap& source, const TRect& destRect, const TRect& sourceRect,
                           TColor transparentColor);

// Paints into `dc` what the control's parent shows under the control (its background and its painting), and,
// with `invalidateParent`, has a parent that is no custom control or form repaint itself.
void DrawParentImage(TControl& control, HDC dc, bool invalidateParent);
