// Sections: colours; frame painters; panel and control frames; arrows and outlines; fonts and display.
#include "sddcontrols/unSDDCommon.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <cstring>
#include <vector>

#include "classlib/DeviceContext.h"
#include "classlib/Themes.h"
#include "sddcontrols/core/unSDDColors.h"
#include "sddcontrols/core/unSDDGeometry.h"
#include "sddcontrols/unSDDGdi.h"

// ---- colours --------------------------------------------------------------------------------------------------

namespace {

uint32_t Rgb(TColor color) { return ColorToRGB(color) & 0xFFFFFF; }

}  // namespace

void ColorToHLS(TColor color, uint8_t& hue, uint8_t& saturation, uint8_t& lightness) {
  const sddcolor::THLS v = sddcolor::ColorToHLS(Rgb(color));
  hue = v.Hue;
  saturation = v.Saturation;
  lightness = v.Lightness;
}

uint32_t ColorToHLSValue(TColor color) { return sddcolor::ColorToHLSValue(Rgb(color)); }
TColor HLSToColor(uint8_t hue, uint8_t saturation, uint8_t lightness) {
  return sddcolor::HLSToColor(hue, saturation, lightness);
}
TColor DarkerColor(TColor color, uint8_t amount) { return sddcolor::DarkerColor(Rgb(color), amount); }
TColor LighterColor(TColor color, uint8_t amount) { return sddcolor::LighterColor(Rgb(color), amount); }
TColor ChangeColorLightness(TColor color, int amount) { return sddcolor::ChangeColorLightness(Rgb(color), amount); }
TColor ComplementColor(TColor color, uint8_t lightness) { return sddcolor::ComplementColor(Rgb(color), lightness); }
TColor BlendColors(TColor color1, TColor color2, uint8_t alpha) {
  return sddcolor::BlendColors(Rgb(color1), Rgb(color2), alpha);
}
bool ColorsSimilar(TColor color1, TColor color2) { return sddcolor::ColorsSimilar(Rgb(color1), Rgb(color2)); }

// ---- frame painters -------------------------------------------------------------------------------------------

namespace {

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

TRect Shrink(TRect r, TSides sides, int by) {
  if (sides.Contains(sdLeft)) r.Left += by;
  if (sides.Contains(sdTop)) r.Top += by;
  if (sides.Contains(sdRight)) r.Right -= by;
  if (sides.Contains(sdBottom)) r.Bottom -= by;
  return r;
}

struct TEdgeColors {
  TColor TopLeft;
  TColor BottomRight;
};

// The single-line frames in system colours, by style.
bool SystemFrameColors(TFrameStyleEx style, TEdgeColors& colors) {
  switch (style) {
    case fsFlat: colors = {cl3DDkShadow, cl3DDkShadow}; return true;
    case fsGroove: colors = {clBtnShadow, clBtnHighlight}; return true;
    case fsBump: colors = {clBtnHighlight, clBtnShadow}; return true;
    case fsStatus: colors = {clBtnShadow, clBtnHighlight}; return true;
    case fsPopup: colors = {clBtnHighlight, clBtnShadow}; return true;
    case fsFlatBold: colors = {clBtnShadow, clBtnShadow}; return true;
    default: return false;
  }
}

// Two rings, outer first.
TRect TwoRings(TCanvas& canvas, const TRect& r, TEdgeColors outer, TEdgeColors inner, TSides sides) {
  TRect in = DrawFrameLines(canvas, r, outer.TopLeft, sides, outer.BottomRight);
  return DrawFrameLines(canvas, in, inner.TopLeft, sides, inner.BottomRight);
}

// Two offset rings that look cut into (A dark, B light) or raised from the surface; single corner pixels first
// so that the rings meet cleanly where a side is left out.
TRect DrawEtchedFrame(TCanvas& canvas, const TRect& r, TColor a, TColor b, TSides sides) {
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
  const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
  if (right)
    canvas.SetPixel(r.Right - 1, r.Top, b);
  else if (top)
    canvas.SetPixel(r.Right - 1, r.Top, a);
  if (bottom)
    canvas.SetPixel(r.Left, r.Bottom - 1, b);
  else if (left)
    canvas.SetPixel(r.Left, r.Bottom - 1, a);
  if (top && !left) canvas.SetPixel(r.Left, r.Top + 1, b);
  if (left && !top) canvas.SetPixel(r.Left + 1, r.Top, b);
  if (bottom && !right) canvas.SetPixel(r.Right - 1, r.Bottom - 2, a);
  if (right && !bottom) canvas.SetPixel(r.Right - 2, r.Bottom - 1, a);
  const TRect inner{r.Left + 1, r.Top + 1, r.Right, r.Bottom};
  DrawFrameLines(canvas, inner, b, sides, b);
  DrawFrameLines(canvas, inner.Offset(-1, -1), a, sides, a);
  return Shrink(r, sides, 2);
}

}  // namespace

TRect DrawFrameLines(TCanvas& canvas, const TRect& r, TColor topLeft, TSides sides, TColor bottomRight) {
  canvas.Pen().SetStyle(psSolid);
  if (topLeft != clNone) {
    canvas.Pen().SetColor(topLeft);
    if (sides.Contains(sdLeft)) Line(canvas, r.Left, r.Top, r.Left, r.Bottom);
    if (sides.Contains(sdTop)) Line(canvas, r.Left, r.Top, r.Right, r.Top);
  }
  if (bottomRight != clNone) {
    canvas.Pen().SetColor(bottomRight);
    if (sides.Contains(sdRight)) Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (sides.Contains(sdBottom)) Line(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  }
  return Shrink(r, sides, 1);
}

TRect DrawFrameRings(TCanvas& canvas, const TRect& r, TColor topLeft, TSides sides, int count, TColor bottomRight) {
  canvas.Pen().SetWidth(1);
  TRect in = r;
  for (int i = 0; i < count; ++i) in = DrawFrameLines(canvas, in, topLeft, sides, bottomRight);
  return in;
}

TRect DrawBevelFrame(TCanvas& canvas, const TRect& r, bool lowered, TSides sides) {
  if (lowered) return TwoRings(canvas, r, {clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}, sides);
  return TwoRings(canvas, r, {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, sides);
}

TRect DrawButtonFrame(TCanvas& canvas, const TRect& r, bool down, TSides sides) {
  if (down) return TwoRings(canvas, r, {clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}, sides);
  return TwoRings(canvas, r, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}, sides);
}

TRect DrawColorButtonFrame(TCanvas& canvas, const TRect& r, TColor baseColor, bool down, TSides sides) {
  const TColor d100 = DarkerColor(baseColor, 100), d50 = DarkerColor(baseColor, 50);
  if (down) return TwoRings(canvas, r, {d100, d100}, {d50, d50}, sides);
  return TwoRings(canvas, r, {LighterColor(baseColor, 100), d100}, {LighterColor(baseColor, 40), d50}, sides);
}

TRect DrawFrameEx(TCanvas& canvas, const TRect& r, TFrameStyleEx style, TSides sides) {
  TEdgeColors colors{};
  switch (style) {
    case fsFlat:
    case fsStatus:
    case fsPopup:
      SystemFrameColors(style, colors);
      return DrawFrameLines(canvas, r, colors.TopLeft, sides, colors.BottomRight);
    case fsFlatBold:
      SystemFrameColors(style, colors);
      return DrawFrameRings(canvas, r, colors.TopLeft, sides, 2, colors.BottomRight);
    case fsLowered:
    case fsRaised: return DrawBevelFrame(canvas, r, style == fsLowered, sides);
    case fsButtonDown:
    case fsButtonUp: return DrawButtonFrame(canvas, r, style == fsButtonDown, sides);
    case fsGroove:
    case fsBump:
      SystemFrameColors(style, colors);
      return DrawEtchedFrame(canvas, r, colors.TopLeft, colors.BottomRight, sides);
    default: return r;
  }
}

TRect DrawColorFrameEx(TCanvas& canvas, const TRect& r, TColor baseColor, TFrameStyleEx style, TSides sides) {
  const auto d = [baseColor](uint8_t n) { return DarkerColor(baseColor, n); };
  const auto l = [baseColor](uint8_t n) { return LighterColor(baseColor, n); };
  switch (style) {
    case fsNone: return r;
    case fsFlat: return DrawFrameLines(canvas, r, d(50), sides, d(50));
    case fsStatus: return DrawFrameLines(canvas, r, d(50), sides, l(100));
    case fsPopup: return DrawFrameLines(canvas, r, l(100), sides, d(50));
    case fsFlatBold: return DrawFrameRings(canvas, r, d(50), sides, 2, d(50));
    case fsLowered: return TwoRings(canvas, r, {d(50), l(100)}, {d(100), l(50)}, sides);
    case fsRaised: return TwoRings(canvas, r, {l(50), d(100)}, {l(100), d(50)}, sides);
    case fsButtonDown:
    case fsButtonUp: return DrawColorButtonFrame(canvas, r, baseColor, style == fsButtonDown, sides);
    case fsGroove: return DrawEtchedFrame(canvas, r, d(50), l(100), sides);
    default: return DrawEtchedFrame(canvas, r, l(100), d(50), sides);
  }
}

TRect DrawRoundedFlatFrame(TCanvas& canvas, const TRect& r, TColor color, TSides sides) {
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
  const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
  const int yFrom = r.Top + (top ? 2 : 0), yTo = r.Bottom - (bottom ? 2 : 0);
  const int xFrom = r.Left + (left ? 2 : 0), xTo = r.Right - (right ? 2 : 0);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(color);
  if (left) Line(canvas, r.Left, yFrom, r.Left, yTo);
  if (top) Line(canvas, xFrom, r.Top, xTo, r.Top);
  if (right) Line(canvas, r.Right - 1, yFrom, r.Right - 1, yTo);
  if (bottom) Line(canvas, xFrom, r.Bottom - 1, xTo, r.Bottom - 1);
  if (left && top) canvas.SetPixel(r.Left + 1, r.Top + 1, color);
  if (top && right) canvas.SetPixel(r.Right - 2, r.Top + 1, color);
  if (right && bottom) canvas.SetPixel(r.Right - 2, r.Bottom - 2, color);
  if (left && bottom) canvas.SetPixel(r.Left + 1, r.Bottom - 2, color);
  return Shrink(r, sides, 2);
}

// ---- panel and control frames ---------------------------------------------------------------------------------

void DrawControlFrame(TCanvas& canvas, int width, int height, bool skipErase, TSides sides, TColor frameColor,
                      TColor backColor, TFrameStyleEx style) {
  const TRect r{0, 0, width, height};
  if (!skipErase) DrawFrameRings(canvas, r, backColor, AllSides, 2, backColor);
  switch (style) {
    case fsFlat: DrawFrameLines(canvas, r, frameColor, sides, frameColor); break;
    case fsFlatBold: DrawFrameRings(canvas, r, frameColor, sides, 2, frameColor); break;
    default:
      if (backColor == clWindow)
        DrawFrameEx(canvas, r, style, sides);
      else
        DrawColorFrameEx(canvas, r, backColor, style, sides);
      break;
  }
}

namespace {

// One border frame of a panel; `inner` draws the rounded style's rings for the inner frame.
TRect PanelFrame(TCanvas& canvas, const TRect& r, TFrameStyleEx style, const TPanelBorder& b, TColor flat,
                 bool inner) {
  const TSides sides = b.Sides;
  switch (style) {
    case fsFlat: return DrawFrameLines(canvas, r, flat, sides, flat);
    case fsFlatBold: return DrawFrameRings(canvas, r, flat, sides, 2, flat);
    case fsFlatRounded: {
      if (inner) {
        TRect ring = DrawFrameLines(canvas, r, b.BorderColor, sides, b.BorderColor);
        if (!b.Transparent) DrawFrameLines(canvas, ring, b.Color, sides, b.Color);
      } else if (!b.Transparent) {
        TRect ring = DrawFrameLines(canvas, r, b.ParentColor, sides, b.ParentColor);
        const TColor fill = b.BorderWidth > 0 || b.Inner != fsNone ? b.BorderColor : b.Color;
        DrawFrameLines(canvas, ring, fill, sides, fill);
      } else if (b.BorderWidth > 0 || b.Inner != fsNone) {
        DrawFrameLines(canvas, Shrink(r, sides, 1), b.BorderColor, sides, b.BorderColor);
      }
      return DrawRoundedFlatFrame(canvas, r, flat, sides);
    }
    case fsStatus: return DrawFrameRings(canvas, r, b.BorderShadow, sides, b.BevelWidth, b.BorderHighlight);
    case fsPopup: return DrawFrameRings(canvas, r, b.BorderHighlight, sides, b.BevelWidth, b.BorderShadow);
    default: return DrawFrameEx(canvas, r, style, sides);
  }
}

}  // namespace

TRect DrawPanelBorder(TCanvas& canvas, const TRect& r, const TPanelBorder& b) {
  const TColor flat = ChangeColorLightness(b.FlatColor, b.FlatColorAdjustment);
  TRect in = PanelFrame(canvas, r, b.Outer, b, flat, false);
  if (b.BorderWidth > 0) in = DrawFrameRings(canvas, in, b.BorderColor, AllSides, b.BorderWidth, b.BorderColor);
  return PanelFrame(canvas, in, b.Inner, b, flat, true);
}

// ---- arrows and outlines --------------------------------------------------------------------------------------

TRect DrawDottedRect(TCanvas& canvas, const TRect& r) {
  const TColor color = canvas.Font().Color();
  for (int x = r.Left + 1; x < r.Right - 1; x += 2) {
    canvas.SetPixel(x, r.Top, color);
    canvas.SetPixel(x, r.Bottom - 1, color);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; y += 2) {
    canvas.SetPixel(r.Left, y, color);
    canvas.SetPixel(r.Right - 1, y, color);
  }
  return r.Inflate(-1, -1);
}

namespace {

// The arrow colour of the themed look: the centre of the theme's drop-down button, unless that is close to the
// window colour.
TColor ThemedArrowColor(bool pressed) {
  TThemeHandle theme(L"ComboBox");
  TBitmap button;
  button.SetSize(17, 21);
  HDC dc = button.Canvas().Handle();
  if (!dc || !theme.DrawBackground(nullptr, dc, CP_DROPDOWNBUTTON, pressed ? CBXS_PRESSED : CBXS_NORMAL,
                                   {0, 0, 16, 20}))
    return clBlack;
  const TColor sample = button.Canvas().Pixel(8, 10);
  return ColorsSimilar(sample, clWindow) ? cl3DDkShadow : sample;
}

void FillArrow(TCanvas& canvas, const std::vector<TPoint>& points, TColor color) {
  const TColor oldBrush = canvas.Brush().Color();
  const TPenStyle oldPen = canvas.Pen().Style();
  canvas.Pen().SetStyle(psClear);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.Polygon(points);
  canvas.Brush().SetColor(oldBrush);
  canvas.Pen().SetStyle(oldPen);
}

TColor ArrowColor(TFramingPreference framing, bool enabled, bool pressed) {
  if (!enabled) return clBtnShadow;
  return framing == fpCustomFraming ? clBlack : ThemedArrowColor(pressed);
}

}  // namespace

void DrawDropDownArrow(TCanvas& canvas, const TRect& r, TFramingPreference framing, bool enabled, bool pressed) {
  FillArrow(canvas, DropDownArrowPolygon(r, framing == fpXPThemes, pressed),
            ArrowColor(framing, enabled, pressed));
}

void DrawArrow(TCanvas& canvas, const TRect& r, TFramingPreference framing, bool enabled, bool pressed,
               int direction) {
  FillArrow(canvas, ArrowPolygon(r, framing == fpXPThemes, pressed && enabled, direction),
            ArrowColor(framing, enabled, pressed));
}

// ---- fonts and display ----------------------------------------------------------------------------------------

HFONT CreateRotatedFont(TFont& font, int angle) {
  LOGFONTA lf{};
  lf.lfHeight = font.Height();
  lf.lfWidth = 0;
  lf.lfEscapement = angle * 10;
  lf.lfOrientation = 0;
  lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style().Contains(fsItalic);
  lf.lfUnderline = font.Style().Contains(fsUnderline);
  lf.lfStrikeOut = font.Style().Contains(fsStrikeOut);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  strncpy(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

bool IsTrueTypeFont(TFont& font) {
  TWindowDC screen(nullptr);
  if (!screen) return false;
  TDcSelection selection(screen.Handle(), font.Handle());
  TEXTMETRICA metrics{};
  return GetTextMetricsA(screen.Handle(), &metrics) && (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

bool IsHighColorDisplay() {
  TWindowDC screen(nullptr);
  return screen && GetDeviceCaps(screen.Handle(), NUMCOLORS) == -1;
}
