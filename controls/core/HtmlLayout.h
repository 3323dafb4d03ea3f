// Layout of the mini-HTML markup into a display list: lines of words, spaces, bullets and images with their
// rectangles, fonts and colours; background fills and stepped gradients; rules, error underlines and focus
// frames; the anchors with the rectangles of their words; the plain text. Text extents come from a measurer, so
// the same layout serves the painter (which draws the list) and the hit tests, and runs natively in the tests
// and the fuzzer.
//
// Sections: geometry and fonts; the display list; options and measurer; entry points.
//
// Lines: a word that does not fit in what is left of the line moves to the next one when the line holds
// something; a word wider than the whole line is cut where the measurer says it fits, at least one character a
// line, so any rectangle (even one pixel wide) ends the layout. Words sit on the line's bottom; a line is as high
// as its tallest word or image, plus a quarter of the tallest text when it holds subscript (below) or
// superscript (above); an empty line is as high as the current font. Blanks between words are drawn with the
// words' font; blanks at the start or end of a line are dropped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/Geometry.h"
#include "controls/core/HtmlMarkup.h"

// ---- geometry and fonts ---------------------------------------------------------------------------------------

// Rectangles and points are the class library's (classlib/core/Geometry.h); only sizes are the layout's own.
struct THtmlSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const THtmlSize&, const THtmlSize&) = default;
};

// A font as the markup changes it; the text colour is kept apart (it is no part of a GDI font).
struct THtmlFont {
  std::string Name = "Tahoma";
  int Size = 8;     // points
  int Height = 0;   // pixels as a canvas gives its font (negative: character height); 0 takes the height from Size
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool Symbol = false;  // the symbol character set (list bullets)
  int Escapement = 0;   // tenths of a degree, counter-clockwise
  friend bool operator==(const THtmlFont&, const THtmlFont&) = default;
};

// ---- the display list -----------------------------------------------------------------------------------------

enum class THtmlItemKind {
  Text,        // Text in Font and Color on Background; Shadow: drawn first in the shadow colour, offset
  Image,       // Image stretched into Rect
  Fill,        // Rect filled with Color
  Gradient,    // stepped gradient from Color to ColorTo (64 bands), Horizontal or vertical
  Rule,        // a one-pixel line along Rect's top in Color
  ErrorLine,   // a zig-zag in Color along Rect's bottom row, two pixels high, from Rect's even left
  FocusFrame,  // a dotted focus rectangle
};

struct THtmlItem {
  THtmlItemKind Kind = THtmlItemKind::Text;
  TRect Rect;
  std::string Text;
  THtmlFont Font;
  uint32_t Color = 0;
  uint32_t ColorTo = 0;
  uint32_t Background = kHtmlNoColor;
  bool Horizontal = true;
  bool Shadow = false;
  int Anchor = 0;  // the number of the anchor the item belongs to (from 1), 0 for none
  THtmlImage Image;
};

struct THtmlAnchor {
  int Number = 0;
  std::string Target;
  std::vector<TRect> Rects;  // of its words, spaces and images
  std::string Text;          // its plain text
};

struct THtmlLayout {
  std::vector<THtmlItem> Items;  // in painting order
  int Width = 0;                 // from the bounds' left to the rightmost word or image
  int Height = 0;                // from the bounds' top to the last line's bottom
  std::vector<THtmlAnchor> Anchors;
  std::string PlainText;  // the words as shown, a carriage return for each line break tag
  bool NoPrefix = false;  // "&" is no prefix for the drawing (the text holds " & ")
};

// ---- options and measurer -------------------------------------------------------------------------------------

struct THtmlOptions {
  TRect Bounds;
  THtmlFont Font;               // the default font, restored by "</FONT>"
  uint32_t FontColor = 0;       // the default text colour
  bool WordWrap = true;         // off: words never move to the next line (the painter ends them with an ellipsis)
  uint32_t AnchorColor = kHtmlNoColor;      // anchors' text colour
  uint32_t HoverColor = kHtmlNoColor;       // text and background of the anchor under the mouse; hover
  uint32_t HoverBackground = kHtmlNoColor;  // highlighting is on when either is set
  int HoverAnchor = 0;                      // number of the anchor under the mouse, 0 for none
  int FocusAnchor = 0;                      // number of the anchor with the keyboard focus, 0 for none
  bool BlinkPhaseOff = false;               // blinking text shows in BlinkColor while the phase is off
  uint32_t BlinkColor = kHtmlNoColor;
  double ImageZoom = 1.0;  // image list images are scaled by it
  int LineSpacing = 0;     // extra pixels between lines
};

class THtmlMeasurer {
public:
  virtual ~THtmlMeasurer() = default;
  // The extent of `text` in `font`; for an empty text, width 0 and the font's line height.
  virtual THtmlSize TextSize(const THtmlFont& font, std::string_view text) = 0;
  // How many of `text`'s first characters fit in `width` pixels (0 to the text's length).
  virtual int FitCount(const THtmlFont& font, std::string_view text, int width) = 0;
  // An image's size in pixels; 0 x 0 when it cannot be shown (not loaded, no such image, no image list).
  virtual THtmlSize ImageSize(const THtmlImage& image) = 0;
};

// ---- entry points ---------------------------------------------------------------------------------------------

// Lays out `html` (PrepareHtml is applied here) inside options.Bounds. Lines below the bounds are laid out too:
// Height tells how high the whole text is.
THtmlLayout LayoutHtml(std::string_view html, const THtmlOptions& options, THtmlMeasurer& measurer);

// The anchor whose word, space or image contains (x, y), with that rectangle; null when there is none.
const THtmlAnchor* HtmlAnchorAt(const THtmlLayout& layout, int x, int y, TRect* rect = nullptr);
