// Sections: colour helpers; gradient halves and the face; border and focus frame; text; glyph; drop-down part;
// entry point.
#include "controls/GlowButtonDraw.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "classlib/ImgList.h"
#include "controls/GDIPicture.h"
#include "controls/GdiScope.h"
#include "controls/ImageStream.h"
#include "controls/core/GlowColors.h"
#include "controls/core/PictureBytes.h"

namespace gp = Gdiplus;

// ---- colour helpers -------------------------------------------------------------------------------------------

TColor DarkenColor(TColor color, int percent) { return DarkenRgb(ColorToRGB(color), percent); }

TColor DarkenColorRGB(TColor color, int red, int green, int blue) {
  return DarkenRgbChannels(ColorToRGB(color), red, green, blue);
}

TColor MixColors(TColor a, TColor b, int percent) { return MixRgb(ColorToRGB(a), ColorToRGB(b), percent); }

namespace {

constexpr int kFacePart = 12;     // the drop-down part's share of the face
constexpr int kContentPart = 13;  // and of the content area, where its arrow sits
constexpr TColor kFocusColor = 14986633;

float F(int value) { return static_cast<float>(value); }

// ---- gradient halves and the face -----------------------------------------------------------------------------

// One half of the face: the upper half runs from `from` to `to` downwards, the lower (mirror) half from `to` at its
// top to `from` at its bottom; a radial half glows from the middle of its top (upper) or bottom (lower) edge.
void DrawGradient(TGPGraphics& g, const TRect& r, bool upper, TGDIPGradient kind, TColor from, TColor to) {
  const int w = r.Width(), h = r.Height();
  TGPSolidBrush solid(ColorToARGB(from));
  g.FillRectangle(&solid, F(r.Left), F(r.Top), F(w), F(h));
  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(F(r.Left), F(upper ? r.Top - h / 2 + 2 : r.Top), F(r.Right), F(r.Bottom));
  std::unique_ptr<TGPBrush> brush;
  if (kind == ggRadial) {
    auto radial = std::make_unique<TGPPathGradientBrush>(&ellipse);
    radial->SetCenterPoint({r.Left + w / 2, upper ? r.Top : r.Bottom});
    radial->SetCenterColor(ColorToARGB(to));
    ARGB surround = ColorToARGB(from);
    int count = 1;
    radial->SetSurroundColors(&surround, count);
    brush = std::move(radial);
  } else {
    const gp::LinearGradientMode mode = kind == ggVertical          ? gp::LinearGradientModeVertical
                                        : kind == ggDiagonalForward ? gp::LinearGradientModeForwardDiagonal
                                                                    : gp::LinearGradientModeBackwardDiagonal;
    const ARGB first = ColorToARGB(upper ? from : to), second = ColorToARGB(upper ? to : from);
    brush = std::make_unique<TGPLinearGradientBrush>(TGPRectF(F(r.Left), F(r.Top), F(w), F(h)), first, second, mode);
  }
  // The rectangle's Right and Bottom serve as the fill's width and height (the face's look depends on it; the
  // caller clips to the button).
  g.FillRectangle(brush.get(), F(r.Left), F(r.Top), F(r.Right), F(r.Bottom));
}

struct THalfColors {
  TGDIPGradient Kind;
  TColor From, To;
};

void DrawFace(TGPGraphics& g, const TGlowButtonDrawInfo& d) {
  const TRect c = d.ClientRect;
  const int hh = c.Height() / 2;
  const THalfColors body{d.Gradient, d.Color, d.ColorTo}, mirror{d.GradientMirror, d.ColorMirror, d.ColorMirrorTo};
  auto half = [&](const TRect& r, bool upper, const THalfColors& colors) {
    DrawGradient(g, r, upper, colors.Kind, colors.From, colors.To);
  };
  if (!(d.DropDownButton && d.Glow && d.DropDownSplit)) {
    half({c.Left, c.Top + hh - 1, c.Right, c.Bottom}, false, mirror);
    half({c.Left, c.Top, c.Right, c.Bottom - hh}, true, body);
    return;
  }
  auto darker = [](const THalfColors& colors) {
    return THalfColors{colors.Kind, DarkenColor(colors.From, -10), DarkenColor(colors.To, -10)};
  };
  // The part under the pointer keeps the plain colours; the other side darkens by 10.
  const bool partHot = d.DropDownState == 2;
  const THalfColors bodyUpper = partHot ? body : darker(body), bodyLower = partHot ? mirror : darker(mirror);
  const THalfColors partUpper = partHot ? darker(body) : THalfColors{ggRadial, d.Color, d.ColorTo};
  const THalfColors partLower = partHot ? darker(mirror) : mirror;
  if (d.DropDownPosition == dpRight) {
    const int split = c.Right - kFacePart;
    half({split, c.Top + hh - 1, c.Right, c.Bottom}, false, partLower);
    half({split, c.Top, c.Right, c.Bottom - hh}, true, partUpper);
    half({c.Left, c.Top + hh - 1, split, c.Bottom}, false, bodyLower);
    half({c.Left, c.Top, split, c.Bottom - hh}, true, bodyUpper);
  } else {
    const int split = c.Bottom - kFacePart, hb = (c.Height() - kFacePart) / 2;
    half({c.Left, c.Top + hb - 1, c.Right, split}, false, bodyLower);
    half({c.Left, c.Top, c.Right, split - hb}, true, bodyUpper);
    half({c.Left, split, c.Right, c.Bottom}, true, partUpper);  // last: the body's fills reach below their halves
  }
}

// ---- border and focus frame -----------------------------------------------------------------------------------

void Line(TGPGraphics& g, TColor color, int x1, int y1, int x2, int y2, gp::DashStyle dash = gp::DashStyleSolid) {
  TGPPen pen(ColorToARGB(color));
  pen.SetDashStyle(dash);
  TGPGraphicsPath path;
  path.AddLine(F(x1), F(y1), F(x2), F(y2));
  g.DrawPath(&pen, &path);
}

// A closed outline from (x1, y1) to (x2, y2) with its corners rounded by radius r (square for 0).
void AddOutline(TGPGraphicsPath& p, int x1, int y1, int x2, int y2, int r) {
  const int d = 2 * r;
  if (r > 0) p.AddArc(F(x1), F(y1), F(d), F(d), 180, 90);
  p.AddLine(F(x1 + r), F(y1), F(x2 - r), F(y1));
  if (r > 0) p.AddArc(F(x2 - d), F(y1), F(d), F(d), 270, 90);
  p.AddLine(F(x2), F(y1 + r), F(x2), F(y2 - r));
  if (r > 0) p.AddArc(F(x2 - d), F(y2 - d), F(d), F(d), 0, 90);
  p.AddLine(F(x2 - r), F(y2), F(x1 + r), F(y2));
  if (r > 0) p.AddArc(F(x1), F(y2 - d), F(d), F(d), 90, 90);
  p.AddLine(F(x1), F(y2 - r), F(x1), F(y1 + r));
  p.CloseFigure();
}

void DrawOutline(TGPGraphics& g, TColor color, int x1, int y1, int x2, int y2, int r,
                 gp::DashStyle dash = gp::DashStyleSolid) {
  TGPPen pen(ColorToARGB(color));
  pen.SetDashStyle(dash);
  TGPGraphicsPath path;
  AddOutline(path, x1, y1, x2, y2, r);
  g.DrawPath(&pen, &path);
}

// The open side of a grouped button: a line where the next button joins.
void DrawJoin(TGPGraphics& g, const TGlowButtonDrawInfo& d, int x, int top, int bottom) {
  if (d.MouseInside) Line(g, DarkenColor(d.BorderColor, -5), x, top, x, bottom);
  else Line(g, DarkenColor(clWhite, -10), x, top + 2, x, bottom - 3);
}

void DrawBorder(TGPGraphics& g, const TGlowButtonDrawInfo& d) {
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  const int x1 = d.ClientRect.Left, y1 = d.ClientRect.Top, x2 = d.ClientRect.Right - 1, y2 = d.ClientRect.Bottom - 1;
  const int r = d.Rounded ? 3 : 0, diameter = 2 * r;
  TGPPen pen(ColorToARGB(d.BorderColor));
  TGPGraphicsPath path;
  switch (d.Position) {
    case bpStandalone: AddOutline(path, x1, y1, x2, y2, r); break;
    case bpLeft:  // bottom edge from the right, the left corners, the top edge to the right
      path.AddLine(F(x2), F(y2), F(x1 + r), F(y2));
      if (r > 0) path.AddArc(F(x1), F(y2 - diameter), F(diameter), F(diameter), 90, 90);
      path.AddLine(F(x1), F(y2 - r), F(x1), F(y1 + r));
      if (r > 0) path.AddArc(F(x1), F(y1), F(diameter), F(diameter), 180, 90);
      path.AddLine(F(x1 + r), F(y1), F(x2), F(y1));
      break;
    case bpRight:  // top edge, the right corners, the bottom edge
      path.AddLine(F(x1), F(y1), F(x2 - r), F(y1));
      if (r > 0) path.AddArc(F(x2 - diameter), F(y1), F(diameter), F(diameter), 270, 90);
      path.AddLine(F(x2), F(y1 + r), F(x2), F(y2 - r));
      if (r > 0) path.AddArc(F(x2 - diameter), F(y2 - diameter), F(diameter), F(diameter), 0, 90);
      path.AddLine(F(x2 - r), F(y2), F(x1), F(y2));
      break;
    case bpMiddle:
      Line(g, d.BorderColor, x1, y1, x2, y1);
      Line(g, d.BorderColor, x1, y2, x2, y2);
      break;
  }
  if (d.Position != bpMiddle) g.DrawPath(&pen, &path);
  if (d.Position == bpLeft || d.Position == bpMiddle) Line(g, DarkenColor(d.BorderColor, -5), x2, y1, x2, y2);
  if (d.Position == bpRight || d.Position == bpMiddle) DrawJoin(g, d, x1, y1, y2);
}

void DrawFocusFrame(TGPGraphics& g, const TGlowButtonDrawInfo& d) {
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  const TRect& c = d.ClientRect;
  const int r = d.Rounded ? 3 : 0;
  DrawOutline(g, kFocusColor, c.Left + 1, c.Top + 1, c.Right - 2, c.Bottom - 2, r);
  DrawOutline(g, clGray, c.Left + 2, c.Top + 2, c.Right - 3, c.Bottom - 3, r, gp::DashStyleDot);
}

// ---- text -----------------------------------------------------------------------------------------------------

// The caption as shown: the typed marker "\n" (any case) breaks the line, or becomes a blank in the small size
// states.
std::string ShownCaption(const std::string& caption, bool small) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '\\' && i + 1 < caption.size() && (caption[i + 1] == 'n' || caption[i + 1] == 'N')) {
      out += small ? " " : "\n\r";
      ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

bool FontInstalled(HDC dc, const std::string& name) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExA(
      dc, &lf, [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// GDI+ draws the text when anti-aliasing is asked for and the font is an installed vector font.
bool UseGdiplusText(TCanvas& canvas, TFont& font, TAntiAlias antiAlias) {
  if (antiAlias == aaNone) return false;
  canvas.Font().Assign(&font);
  TEXTMETRICA metrics{};
  canvas.TextExtent("x");  // selects the font
  if (!GetTextMetricsA(canvas.Handle(), &metrics)) return false;
  const bool vector = (metrics.tmPitchAndFamily & TMPF_VECTOR) && !(metrics.tmPitchAndFamily & TMPF_DEVICE);
  return vector && FontInstalled(canvas.Handle(), font.Name());
}

int FontStyleBits(TFont& font) {
  int style = gp::FontStyleRegular;
  if (font.Style().Contains(fsBold)) style |= gp::FontStyleBold;
  if (font.Style().Contains(fsItalic)) style |= gp::FontStyleItalic;
  if (font.Style().Contains(fsUnderline)) style |= gp::FontStyleUnderline;
  return style;
}

// The caption's and the notes' texts, fonts and measures, drawn through GDI+ or GDI.
class TButtonText {
public:
  TButtonText(TCanvas& canvas, const TGlowButtonDrawInfo& d)
      : canvas_(canvas), d_(d), caption_(ShownCaption(d.Caption, d.GlyphSize.cx > 0)) {
    if (d.Notes)
      for (int i = 0; i < d.Notes->Count(); ++i) notes_ += (i ? "\r\n" : "") + d.Notes->Strings(i);
    gdiplus_ = d.Font && UseGdiplusText(canvas, *d.Font, d.AntiAlias);
  }
  bool Empty() const { return caption_.empty() && notes_.empty(); }

  // The caption's and notes' size within `width` pixels (4096 when measuring only).
  SIZE Measure(int width) {
    SIZE size{0, 0};
    if (!caption_.empty() && d_.Font) {
      if (gdiplus_) {
        TGPGraphics g(canvas_.Handle());
        TGPFontFamily family(d_.Font->Name());
        TGPFont font(&family, F(d_.Font->Size()), FontStyleBits(*d_.Font), gp::UnitPoint);
        const std::unique_ptr<TGPStringFormat> format = Format();
        TGPRectF bounds;
        g.MeasureString(caption_, -1, &font, TGPRectF(0, 0, F(width), 4096), format.get(), bounds);
        size = {static_cast<LONG>(std::ceil(bounds.Width)), static_cast<LONG>(std::ceil(bounds.Height))};
      } else {
        size = GdiExtent(*d_.Font, caption_, width);
      }
    }
    if (!notes_.empty() && d_.NotesFont) {
      const SIZE notes = GdiExtent(*d_.NotesFont, notes_, width);
      size.cx = std::max(size.cx, notes.cx);
      size.cy += notes.cy;
      notesTop_ = size.cy - notes.cy;
    }
    return size;
  }

  // The caption inside `r` (GDI+ part), aligned as the layout says.
  void DrawGdiplus(TGPGraphics& g, const TRect& r) {
    if (!gdiplus_ || caption_.empty()) return;
    g.SetTextRenderingHint(d_.AntiAlias == aaClearType ? gp::TextRenderingHintClearTypeGridFit
                                                       : gp::TextRenderingHintAntiAliasGridFit);
    TGPFontFamily family(d_.Font->Name());
    TGPFont font(&family, F(d_.Font->Size()), FontStyleBits(*d_.Font), gp::UnitPoint);
    const std::unique_ptr<TGPStringFormat> format = Format();
    TGPSolidBrush brush(ColorToARGB(d_.Enabled ? d_.Font->Color() : clGray));
    g.DrawString(caption_, -1, &font, TGPRectF(F(r.Left), F(r.Top), F(r.Width()), F(r.Height())), format.get(),
                 &brush);
  }

  // The caption (GDI part) and the notes under it.
  void DrawGdi(const TRect& r, int textTop) {
    canvas_.Brush().SetStyle(bsClear);
    if (!gdiplus_ && !caption_.empty() && d_.Font) {
      canvas_.Font().Assign(d_.Font);
      canvas_.Font().SetColor(d_.Enabled ? d_.Font->Color() : clGray);
      TRect box = r;
      canvas_.DrawText(caption_, box, GdiFlags());
    }
    if (!notes_.empty() && d_.NotesFont) {
      canvas_.Font().Assign(d_.NotesFont);
      TRect box{r.Left, textTop + notesTop_, r.Right, r.Bottom};
      canvas_.DrawText(notes_, box, DT_LEFT | DT_TOP);
    }
  }

private:
  SIZE GdiExtent(TFont& font, const std::string& text, int width) {
    canvas_.Font().Assign(&font);
    TRect box{0, 0, width, 0};
    canvas_.DrawText(text, box, d_.WordWrap ? DT_CALCRECT | DT_WORDBREAK : DT_CALCRECT | DT_SINGLELINE);
    return {box.Width(), box.Height()};
  }

  UINT GdiFlags() const {
    static const UINT byLayout[] = {DT_VCENTER, DT_CENTER | DT_VCENTER, DT_CENTER | DT_VCENTER,
                                    DT_CENTER | DT_VCENTER, DT_VCENTER, DT_RIGHT | DT_VCENTER,
                                    DT_CENTER, DT_CENTER | DT_BOTTOM};
    return byLayout[d_.Layout] | (d_.WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  }

  std::unique_ptr<TGPStringFormat> Format() const {
    auto format = std::make_unique<TGPStringFormat>(d_.WordWrap ? 0 : gp::StringFormatFlagsNoWrap);
    format->SetAlignment(d_.Layout == blGlyphLeftAdjusted    ? gp::StringAlignmentNear
                         : d_.Layout == blGlyphRightAdjusted ? gp::StringAlignmentFar
                                                             : gp::StringAlignmentCenter);
    format->SetLineAlignment(d_.Layout == blGlyphTopAdjusted      ? gp::StringAlignmentNear
                             : d_.Layout == blGlyphBottomAdjusted ? gp::StringAlignmentFar
                                                                  : gp::StringAlignmentCenter);
    format->SetHotkeyPrefix(gp::HotkeyPrefixShow);
    format->SetTrimming(d_.Trimming);
    return format;
  }

  TCanvas& canvas_;
  const TGlowButtonDrawInfo& d_;
  std::string caption_;
  std::string notes_;
  int notesTop_ = 0;
  bool gdiplus_ = false;
};

// ---- glyph ----------------------------------------------------------------------------------------------------

bool HasGlyphBitmap(const TGlowButtonDrawInfo& d) {
  return d.Glyph && !d.Glyph->Empty() && d.Glyph->Width() > 1 && d.Glyph->Height() > 1;
}

bool HasListImage(const TGlowButtonDrawInfo& d) { return d.Images && d.ImageIndex >= 0; }

// The small size states' override applies to a bitmap or a picture; an image list's image keeps the list's size.
SIZE GlyphSize(const TGlowButtonDrawInfo& d) {
  if (HasGlyphBitmap(d)) return d.GlyphSize.cx > 0 ? d.GlyphSize : SIZE{d.Glyph->Width(), d.Glyph->Height()};
  if (d.Picture && !d.Picture->Empty() && d.Picture->GetImageSizes())
    return d.GlyphSize.cx > 0 ? d.GlyphSize : SIZE{d.Picture->Width(), d.Picture->Height()};
  if (HasListImage(d)) return {d.Images->Width(), d.Images->Height()};
  return {0, 0};
}

void DrawGlyph(TCanvas& canvas, TGPGraphics* g, const TGlowButtonDrawInfo& d, const TRect& r) {
  if (HasGlyphBitmap(d)) {
    if (!g) canvas.StretchDraw(r, d.Glyph);
    return;
  }
  if (!d.Picture || d.Picture->Empty()) {
    if (!g && HasListImage(d)) d.Images->Draw(canvas, r.Left, r.Top, d.ImageIndex, d.ImageEnabled);
    return;
  }
  // A scaled picture other than a BMP goes through GDI+ (with the face); anything else draws itself after.
  const bool scaled = d.GlyphSize.cx > 0 && PictureFormatOf(d.Picture->Bytes()) != TPictureFormat::Bmp;
  if (scaled && g) {
    const ComPtr<IStream> stream = CreateImageStream(d.Picture->Bytes(), "Could not allocate memory for image");
    TGPImage image(stream.Get());
    g->DrawImage(&image, r.Left, r.Top, r.Width(), r.Height());
  } else if (!scaled && !g) {
    d.Picture->Draw(canvas, r);
  }
}

// ---- drop-down part -------------------------------------------------------------------------------------------

void DrawArrow(TCanvas& canvas, const TGlowButtonDrawInfo& d, const TRect& part) {
  const int x = part.Left + (part.Width() - 5) / 2, y = part.Top + (part.Height() - 3) / 2 + 1;
  const TColor ink = d.Enabled ? clBlack : clGray;
  // Along the arrow's axis (down: x; right: y) and across it.
  auto put = [&](int along, int across, TColor color) {
    if (d.DropDownDirection == ddDown) canvas.SetPixel(x + along, y + across, color);
    else canvas.SetPixel(x + across, y + along, color);
  };
  for (int i = 0; i < 5; ++i) put(i, 0, ink);
  for (int i = 1; i < 4; ++i) put(i, 1, ink);
  put(2, 2, ink);
  for (auto [along, across] : {std::pair{0, 1}, {4, 1}, {1, 2}, {3, 2}, {2, 3}}) put(along, across, clWhite);
}

// ---- entry point ----------------------------------------------------------------------------------------------

struct TPlacement {
  TRect Glyph;
  TRect Text;         // where the caption is drawn
  TRect LayoutText;   // the GDI+ layout rectangle
};

TPlacement Place(const TGlowButtonDrawInfo& d, const TRect& area, SIZE glyph, SIZE text) {
  TPlacement p;
  const int w = area.Width(), h = area.Height(), gw = glyph.cx, gh = glyph.cy, tw = text.cx, th = text.cy;
  auto centred = [](int space, int size) { return std::max((space - size) / 2, 0); };
  if (tw == 0 && th == 0) {
    p.Glyph = Bounds(area.Left + centred(w, gw), area.Top + centred(h, gh), gw, gh);
    return p;
  }
  const int s = d.Spacing;
  switch (d.Layout) {
    case blGlyphLeft:
    case blGlyphLeftAdjusted: {
      const int gx = d.Layout == blGlyphLeft ? area.Left + std::max((w - tw - gw) / 2, 2) : area.Left + 2;
      p.Glyph = Bounds(gx, area.Top + centred(h, gh), gw, gh);
      p.Text = {gx + gw, area.Top, area.Right, area.Bottom};
      p.LayoutText = {area.Left + 2 + gw, area.Top, area.Right, area.Bottom};
      break;
    }
    case blGlyphRight:
    case blGlyphRightAdjusted: {
      const int gx = d.Layout == blGlyphRight ? area.Left + std::max((w - tw - gw - s) / 2, 2) + tw + s
                                              : area.Right - 2 - gw;
      p.Glyph = Bounds(gx, area.Top + centred(h, gh), gw, gh);
      p.Text = p.LayoutText = {area.Left, area.Top, gx - (d.Layout == blGlyphRight ? s : 0), area.Bottom};
      break;
    }
    case blGlyphTop:
    case blGlyphTopAdjusted: {
      const int top = d.Layout == blGlyphTop ? area.Top + centred(h, gh + s + th) : area.Top + 2;
      p.Glyph = Bounds(area.Left + centred(w, gw), top, gw, gh);
      p.Text = {area.Left, top + gh + s, area.Right, area.Bottom};
      p.LayoutText = {area.Left, area.Top + gh, area.Right, area.Top + gh + std::max(h - 2 - gh, 0)};
      if (d.Layout == blGlyphTopAdjusted) p.LayoutText = p.Text;
      break;
    }
    case blGlyphBottom:
    case blGlyphBottomAdjusted: {
      const int bottom = d.Layout == blGlyphBottom ? area.Bottom - centred(h, gh + s + th) : area.Bottom - 2;
      p.Glyph = Bounds(area.Left + centred(w, gw), bottom - gh, gw, gh);
      p.Text = p.LayoutText = {area.Left, area.Top, area.Right, bottom - gh - s};
      break;
    }
  }
  return p;
}

}  // namespace

SIZE DrawGlowButton(TCanvas& canvas, const TGlowButtonDrawInfo& d) {
  HDC dc = canvas.Handle();
  if (!dc) return {0, 0};
  const TRect& c = d.ClientRect;
  TRect area = c;  // the content's area: the client rectangle less the drop-down part
  if (d.DropDownButton) (d.DropDownPosition == dpRight ? area.Right : area.Bottom) -= kContentPart;

  TButtonText text(canvas, d);
  SIZE glyph = GlyphSize(d);
  if (d.SpacingInGlyph && !text.Empty()) glyph.cx += d.Spacing;
  const SIZE extent = text.Measure(d.MeasureOnly ? 4096 : std::max(area.Width(), 1));
  const bool beside = d.Layout == blGlyphLeft || d.Layout == blGlyphRight || d.Layout == blGlyphLeftAdjusted ||
                      d.Layout == blGlyphRightAdjusted;
  const SIZE measured = beside ? SIZE{extent.cx + glyph.cx + d.Spacing, std::max(extent.cy, glyph.cy + d.Spacing)}
                               : SIZE{std::max(extent.cx, glyph.cx + d.Spacing), extent.cy + glyph.cy + d.Spacing};
  if (d.MeasureOnly) return measured;

  const TClipScope clip(dc, ToRECT(c));
  const TPlacement place = Place(d, area, glyph, extent);
  {
    // GDI+ first (face, frames, GDI+ text, scaled pictures); the canvas draws only once the graphics let go of the
    // context.
    TGPGraphics g(dc);
    if (!d.SkipFace) {
      DrawFace(g, d);
      if (d.Border) DrawBorder(g, d);
    }
    if (d.FocusFrame) DrawFocusFrame(g, d);
    text.DrawGdiplus(g, place.LayoutText);
    DrawGlyph(canvas, &g, d, place.Glyph);
    if (d.DropDownButton && d.Glow && d.DropDownSplit) {  // the separator where the face splits
      const int x = c.Right - kFacePart, y = c.Bottom - kFacePart;
      if (d.DropDownPosition == dpRight) Line(g, d.BorderColor, x, c.Top, x, c.Bottom - 1);
      else Line(g, d.BorderColor, c.Left, y, c.Right - 1, y);
    }
  }
  text.DrawGdi(place.Text, place.Text.Top);
  DrawGlyph(canvas, nullptr, d, place.Glyph);
  if (d.DropDownButton) {
    const TRect part = d.DropDownPosition == dpRight ? TRect{c.Right - kContentPart, c.Top, c.Right, c.Bottom}
                                                     : TRect{c.Left, c.Bottom - kContentPart, c.Right, c.Bottom};
    DrawArrow(canvas, d, part);
  }
  return measured;
}
