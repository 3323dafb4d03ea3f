// The glow button's drawing: the colour helpers, the two-half gradient face, the border shapes of a stand-alone
// or grouped button, the split drop-down part with its arrow, the focus frame, the caption (through GDI+ or GDI)
// and the glyph. The button chooses colours, flags and state and calls DrawGlowButton once a paint, first in
// measuring mode when it sizes itself. GDI+ must be running (the button holds it); every GDI+ object is made and
// freed inside the call.
//
// Sections: kinds; colour helpers; the drawing's inputs; entry point.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/Graphics.h"
#include "classlib/core/StringList.h"
#include "controls/GDIPObjects.h"

class TCustomImageList;  // the class library's image list
class TGDIPPicture;

// ---- kinds ----------------------------------------------------------------------------------------------------

enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };
enum TAntiAlias { aaNone, aaClearType, aaAntiAlias };
enum TButtonPosition { bpStandalone, bpLeft, bpMiddle, bpRight };
enum TButtonLayout {
  blGlyphLeft,
  blGlyphTop,
  blGlyphRight,
  blGlyphBottom,
  blGlyphLeftAdjusted,
  blGlyphRightAdjusted,
  blGlyphTopAdjusted,
  blGlyphBottomAdjusted,
};
enum TDropDownPosition { dpRight, dpBottom };
enum TDropDownDirection { ddDown, ddRight };
using StringTrimming = Gdiplus::StringTrimming;

// ---- colour helpers -------------------------------------------------------------------------------------------
// System colours are resolved first; the results are plain RGB colours.

// Each channel c: round(min(p + 100, 100) / 100 x c) when c is not 0, else max(p, 0).
TColor DarkenColor(TColor color, int percent);
TColor DarkenColorRGB(TColor color, int red, int green, int blue);
// `a` at 100 or more, `b` below 1, otherwise the channels blended p percent towards `a`.
TColor MixColors(TColor a, TColor b, int percent);

// ---- the drawing's inputs -------------------------------------------------------------------------------------

struct TGlowButtonDrawInfo {
  TRect ClientRect;

  // Content.
  std::string Caption;  // "\n" as typed (two characters, any case) breaks the line
  TFont* Font = nullptr;
  TFont* NotesFont = nullptr;
  const TStrings* Notes = nullptr;  // drawn under the caption, one line each
  StringTrimming Trimming = Gdiplus::StringTrimmingNone;
  int Spacing = 2;
  bool WordWrap = true;
  TButtonLayout Layout = blGlyphLeft;
  TAntiAlias AntiAlias = aaClearType;
  TBitmap* Glyph = nullptr;            // a bitmap glyph, used when larger than 1 x 1
  TGDIPPicture* Picture = nullptr;     // else a picture, when not empty
  TCustomImageList* Images = nullptr;  // else image ImageIndex (0 or more) of an image list, at the list's size,
  int ImageIndex = -1;                 // drawn greyed unless ImageEnabled
  bool ImageEnabled = true;
  SIZE GlyphSize{0, 0};          // the small size states' size of a bitmap or picture; {0, 0} for its own size
  bool SpacingInGlyph = false;   // Spacing counts to the glyph's width when there is text

  // Face.
  bool MeasureOnly = false;  // only the content's size is worked out; nothing is drawn
  bool SkipFace = false;     // a transparent, idle button: no face, no border
  bool Border = true;
  bool Rounded = true;
  TButtonPosition Position = bpStandalone;
  bool MouseInside = false;
  bool FocusFrame = false;
  bool Enabled = true;
  bool Glow = false;  // the hot, down or focused look

  // Drop-down part.
  bool DropDownButton = false;
  bool DropDownSplit = true;
  TDropDownPosition DropDownPosition = dpRight;
  TDropDownDirection DropDownDirection = ddDown;
  int DropDownState = 0;  // 0 idle, 1 the button is hot, 2 the drop-down part itself is hot

  // Colours as chosen for the state.
  TColor Color = clWhite;
  TColor ColorTo = clWhite;
  TColor ColorMirror = clSilver;
  TColor ColorMirrorTo = clWhite;
  TColor BorderColor = clSilver;
  TGDIPGradient Gradient = ggVertical;
  TGDIPGradient GradientMirror = ggVertical;
};

// ---- entry point ----------------------------------------------------------------------------------------------

// Draws the button (unless MeasureOnly) and returns the content's measured size: text and glyph side by side
// for the left and right layouts, above each other for the top and bottom ones, with Spacing between.
SIZE DrawGlowButton(TCanvas& canvas, const TGlowButtonDrawInfo& info);
