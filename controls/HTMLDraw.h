// HTMLDrawEx: measures and draws the mini-HTML markup (controls/core/HtmlMarkup.h, HtmlLayout.h) on a canvas with
// GDI: the layout is measured with the canvas's fonts, then painted item by item inside the rectangle, and the
// anchor under the mouse is hit-tested. The canvas's font is the default font. Every GDI object the call makes
// is deleted before it returns, and the device context leaves in the state it came in, whatever the markup
// (unclosed tags included).
//
// Images by source: "IDX:n" image n of Images, sized as the list's images on a 96 dpi screen and scaled by
// ImageZoom; "SSYS:"/"LSYS:" the system image list's small or large icons; an address (with "://") a picture of
// the picture cache, added and loaded from the address when the cache lacks it; any other name a picture of the
// picture container. An image that cannot be shown (no list, no such index, a picture not loaded) shows its ALT
// text.
#pragma once

#include <string>

#include "classlib/Graphics.h"

class TCustomImageList;  // the class library's image list
class THTMLPictureCache;
class TPictureContainer;

struct THTMLDrawParams {
  TCustomImageList* Images = nullptr;  // for "IDX:" images
  THTMLPictureCache* PictureCache = nullptr;
  TPictureContainer* PictureContainer = nullptr;
  bool MeasureOnly = false;   // lay out and hit-test only
  bool CheckHotspot = false;  // hit-test Mouse against the anchors
  TPoint Mouse{-1, -1};
  int HoverAnchor = 0;  // number of the anchor under the mouse (from 1), 0 for none
  int FocusAnchor = 0;  // number of the anchor with the keyboard focus, 0 for none
  TColor AnchorColor = clNone;
  TColor HoverColor = clNone;
  TColor HoverBackground = clNone;
  TColor ShadowColor = clGray;
  int ShadowOffset = 2;
  bool BlinkPhaseOff = false;
  TColor BlinkColor = clNone;
  double ImageZoom = 1.0;
  int LineSpacing = 0;
  bool WordWrap = true;  // off: one line a line break tag, words ending in an ellipsis at the right edge
};

struct THTMLDrawResult {
  int Width = 0;   // the text's extent from the rectangle's top-left corner
  int Height = 0;
  bool OverAnchor = false;  // with CheckHotspot: the mouse is over an anchor, described below
  std::string AnchorTarget;
  int AnchorNumber = 0;
  TRect AnchorRect;
  std::string PlainText;
  std::string FocusAnchorText;  // the plain text of the focused anchor
};

THTMLDrawResult HTMLDrawEx(TCanvas& canvas, const std::string& html, const TRect& r, const THTMLDrawParams& params);
