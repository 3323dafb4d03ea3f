// The painting helpers every SDD control draws with: colour maths on the 0..240 hue-lightness-saturation scale,
// frame painters chosen by a frame style, arrow glyphs, a dotted outline, and fonts.
//
// Colours may be system colours; each routine resolves them at run time first. clNone as an edge colour leaves
// that edge out. The frame painters draw on the sides in `sides` only and return the rectangle inside what they
// drew, so that callers can chain an outer frame, a border band and an inner frame.
//
// Sections: colours; frame painters; panel and control frames; arrows and outlines; fonts and display.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classlib/Graphics.h"
#include "sddcontrols/core/unSDDCommonTypes.h"

// ---- colours --------------------------------------------------------------------------------------------------

void ColorToHLS(TColor color, uint8_t& hue, uint8_t& saturation, uint8_t& lightness);
uint32_t ColorToHLSValue(TColor color);
TColor HLSToColor(uint8_t hue, uint8_t saturation, uint8_t lightness);
TColor DarkerColor(TColor color, uint8_t amount);
TColor LighterColor(TColor color, uint8_t amount);
TColor ChangeColorLightness(TColor color, int amount);
TColor ComplementColor(TColor color, uint8_t lightness);
TColor BlendColors(TColor color1, TColor color2, uint8_t alpha);
bool ColorsSimilar(TColor color1, TColor color2);

// ---- frame painters -------------------------------------------------------------------------------------------

// One-pixel edges: left and top in `topLeft`, then right and bottom in `bottomRight` over the full edge lengths
// (so the top-right and bottom-left corners take the bottom-right colour).
TRect DrawFrameLines(TCanvas& canvas, const TRect& r, TColor topLeft, TSides sides, TColor bottomRight);
// `count` rings of DrawFrameLines, each inside the last.
TRect DrawFrameRings(TCanvas& canvas, const TRect& r, TColor topLeft, TSides sides, int count, TColor bottomRight);
TRect DrawBevelFrame(TCanvas& canvas, const TRect& r, bool lowered, TSides sides = AllSides);
TRect DrawButtonFrame(TCanvas& canvas, const TRect& r, bool down, TSides sides = AllSides);
TRect DrawColorButtonFrame(TCanvas& canvas, const TRect& r, TColor baseColor, bool down, TSides sides = AllSides);
// A frame of `style` in system colours.
TRect DrawFrameEx(TCanvas& canvas, const TRect& r, TFrameStyleEx style, TSides sides = AllSides);
// A frame of `style` in colours derived from `baseColor`.
TRect DrawColorFrameEx(TCanvas& canvas, const TRect& r, TColor baseColor, TFrameStyleEx style,
                       TSides sides = AllSides);
// Flat edges that stop short of each other, with one pixel inside each corner.
TRect DrawRoundedFlatFrame(TCanvas& canvas, const TRect& r, TColor color, TSides sides = AllSides);

// ---- panel and control frames ---------------------------------------------------------------------------------

// The frame of edits, combo boxes and grids over (0, 0, width, height); unless `skipErase` two rings of
// `backColor` first wipe an earlier frame.
void DrawControlFrame(TCanvas& canvas, int width, int height, bool skipErase, TSides sides, TColor frameColor,
                      TColor backColor, TFrameStyleEx style);

struct TPanelBorder {
  TFrameStyleEx Outer = fsRaised;
  TFrameStyleEx Inner = fsNone;
  TSides Sides = AllSides;
  int BorderWidth = 0;
  int BevelWidth = 1;
  TColor BorderColor = clBtnFace;
  TColor BorderHighlight = clBtnHighlight;
  TColor BorderShadow = clBtnShadow;
  TColor FlatColor = clBtnShadow;
  int FlatColorAdjustment = 30;
  TColor Color = clBtnFace;
  TColor ParentColor = clBtnFace;
  bool Transparent = false;
};
// A panel's outer frame, border band and inner frame; returns the rectangle inside them.
TRect DrawPanelBorder(TCanvas& canvas, const TRect& r, const TPanelBorder& border);

// ---- arrows and outlines --------------------------------------------------------------------------------------

// Every second pixel along each edge, from one pixel after each corner, in the canvas's font colour. Returns r
// inflated by -1.
TRect DrawDottedRect(TCanvas& canvas, const TRect& r);
void DrawDropDownArrow(TCanvas& canvas, const TRect& r, TFramingPreference framing, bool enabled, bool pressed);
// Direction 0 up, 1 down, 2 left, 3 right.
void DrawArrow(TCanvas& canvas, const TRect& r, TFramingPreference framing, bool enabled, bool pressed,
               int direction);

// ---- fonts and display ----------------------------------------------------------------------------------------

// A font like `font` whose base line is turned by `angle` degrees; the caller owns (and deletes) the handle.
HFONT CreateRotatedFont(TFont& font, int angle);
bool IsTrueTypeFont(TFont& font);
// More than 256 colours on the screen.
bool IsHighColorDisplay();
