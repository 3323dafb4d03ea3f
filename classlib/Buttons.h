// The standard push-button face that owner-drawn buttons paint.
#pragma once

#include "classlib/Graphics.h"

// Paints the face of a push button into r and returns the rectangle left for its content:
// - a one-pixel frame in cl3DDkShadow, its four corner pixels left out when `rounded`;
// - up: `bevelWidth` raised rings (clBtnHighlight top-left, clBtnShadow bottom-right);
//   down: one clBtnShadow ring, and the content one pixel further right and down;
// - a focused face draws a dotted focus rectangle one pixel inside the bevels;
// - the rest is filled with clBtnFace.
TRect DrawButtonFace(TCanvas& canvas, const TRect& r, int bevelWidth, bool rounded, bool down, bool focused);
