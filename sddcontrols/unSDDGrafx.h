// Gradient fills, a transparent stretched blit and the parent's image behind a transparent control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <utility>

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

// Replaces, in one pass over a 32-bit bitmap, each pixel of a `from` colour by its `to` colour (the first pair
// that matches; colours are resolved to RGB). A replaced pixel is not matched again.
void MapBitmapColors(TBitmap& bitmap, std::span<const std::pair<TColor, TColor>> map);

// Paints into `dc` what the control's parent shows under the control (its background and its painting), and,
// with `invalidateParent`, has a parent that is no custom control or form repaint itself.
void DrawParentImage(TControl& control, HDC dc, bool invalidateParent);
