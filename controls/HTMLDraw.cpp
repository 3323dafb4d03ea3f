// Sections: GDI objects of one call; images; measuring; painting; entry point.
#include "controls/HTMLDraw.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "classlib/ImgList.h"
#include "classlib/core/SysUtils.h"
#include "controls/GdiScope.h"
#include "controls/PictureContainer.h"
#include "controls/core/HtmlLayout.h"

namespace {

// ---- GDI objects of one call ----------------------------------------------------------------------------------

// The fonts of one call, made once each.
class TFontCache {
public:
  explicit TFontCache(HDC dc) : dc_(dc) {}
  HFONT Get(const THtmlFont& font) {
    for (auto& [known, handle] : fonts_)
      if (known == font) return static_cast<HFONT>(handle.get());
    LOGFONTA lf{};
    lf.lfHeight = font.Height != 0 ? font.Height : -MulDiv(font.Size, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfStrikeOut = font.StrikeOut;
    lf.lfCharSet = font.Symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    lf.lfEscapement = lf.lfOrientation = font.Escapement;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    fonts_.emplace_back(font, TGdiObject(CreateFontIndirectA(&lf)));
    return static_cast<HFONT>(fonts_.back().second.get());
  }
  void Select(const THtmlFont& font) {
    if (HFONT handle = Get(font)) SelectObject(dc_, handle);
  }

private:
  HDC dc_;
  std::vector<std::pair<THtmlFont, TGdiObject>> fonts_;
};

// ---- images ---------------------------------------------------------------------------------------------------

// An icon of the system image list: the list and the icon's index, null when there is none.
struct TSystemIcon {
  HIMAGELIST List = nullptr;
  int Index = -1;
};

TSystemIcon FindSystemIcon(const THtmlImage& image) {
  const UINT size = image.Kind == THtmlImageKind::SmallSystemIcon ? SHGFI_SMALLICON : SHGFI_LARGEICON;
  SHFILEINFOA info{};
  TSystemIcon icon;
  if (image.Index >= 0) {  // an index into the list, which any folder's icon names
    icon.List = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                                                            SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | size));
    icon.Index = image.Index;
  } else {
    // A name that is neither a file nor a folder is looked up by its extension alone.
    const DWORD attributes = GetFileAttributesA(image.Source.c_str());
    const UINT lookup = attributes == INVALID_FILE_ATTRIBUTES ? SHGFI_USEFILEATTRIBUTES : 0;
    icon.List = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(image.Source.c_str(), FILE_ATTRIBUTE_NORMAL, &info,
                                                            sizeof(info), SHGFI_SYSICONINDEX | lookup | size));
    icon.Index = info.iIcon;
  }
  if (icon.List && (icon.Index < 0 || icon.Index >= ImageList_GetImageCount(icon.List))) icon = {};
  return icon;
}

// Finds the pictures of IMG sources, adding and loading the cache's pictures by address.
class TPictures {
public:
  TPictures(HDC dc, const THTMLDrawParams& params) : dc_(dc), params_(params) {}

  THTMLPicture* Picture(const THtmlImage& image) {
    if (image.Kind == THtmlImageKind::Named)
      return params_.PictureContainer ? params_.PictureContainer->FindPicture(image.Source) : nullptr;
    if (image.Kind != THtmlImageKind::Url || !params_.PictureCache) return nullptr;
    if (THTMLPicture* known = params_.PictureCache->FindPicture(image.Source)) return known;
    THTMLPicture& added = params_.PictureCache->AddPicture();
    try {
      added.LoadFromURL(image.Source);
    } catch (const Exception&) {
      // An unreadable address stays an empty picture: its ALT text shows.
    }
    return &added;
  }

  THtmlSize Size(const THtmlImage& image) {
    switch (image.Kind) {
      case THtmlImageKind::SmallSystemIcon:
      case THtmlImageKind::LargeSystemIcon: {
        const TSystemIcon icon = FindSystemIcon(image);
        int w = 0, h = 0;
        if (!icon.List || !ImageList_GetIconSize(icon.List, &w, &h)) return {};
        return {w, h};
      }
      case THtmlImageKind::ImageList: {
        const TCustomImageList* list = params_.Images;
        if (!list || image.Index < 0 || image.Index >= list->Count()) return {};
        // The list's images are drawn for a 96 dpi screen.
        return {MulDiv(list->Width(), GetDeviceCaps(dc_, LOGPIXELSX), 96),
                MulDiv(list->Height(), GetDeviceCaps(dc_, LOGPIXELSY), 96)};
      }
      default: {
        THTMLPicture* picture = Picture(image);
        if (!picture || picture->Empty()) return {};
        return {picture->Width(), picture->Height()};
      }
    }
  }

  void Draw(TCanvas& canvas, const THtmlImage& image, const TRect& r) {
    if (image.Kind == THtmlImageKind::ImageList) return DrawListImage(canvas, image.Index, r);
    if (image.Kind == THtmlImageKind::SmallSystemIcon || image.Kind == THtmlImageKind::LargeSystemIcon) {
      const TSystemIcon icon = FindSystemIcon(image);
      if (icon.List)
        ImageList_DrawEx(icon.List, icon.Index, canvas.Handle(), r.Left, r.Top, r.Width(), r.Height(), CLR_NONE,
                         CLR_NONE, ILD_TRANSPARENT);
      return;
    }
    THTMLPicture* picture = Picture(image);
    if (!picture) return;
    const bool stretch = picture->Stretch();
    picture->SetStretch(true);  // the markup's WIDTH and HEIGHT decide the size
    picture->Draw(canvas, r);
    picture->SetStretch(stretch);
  }

private:
  // At the list's own size the list draws itself. At any other (a zoom, a screen not at 96 dpi, WIDTH and HEIGHT)
  // the image is drawn into a bitmap of the list's size that starts as the canvas under it, so that the image's
  // transparent parts keep what was there, and the bitmap is stretched onto the canvas.
  void DrawListImage(TCanvas& canvas, int index, const TRect& r) {
    TCustomImageList* list = params_.Images;
    if (!list) return;
    const int w = list->Width(), h = list->Height();
    if (r.Width() == w && r.Height() == h) return list->Draw(canvas, r.Left, r.Top, index);
    TBitmap cell;
    cell.SetPixelFormat(pf32bit);
    cell.SetSize(w, h);
    HDC cellDC = cell.Canvas().Handle();
    if (!cellDC) return;
    SetStretchBltMode(cellDC, COLORONCOLOR);
    StretchBlt(cellDC, 0, 0, w, h, dc_, r.Left, r.Top, r.Width(), r.Height(), SRCCOPY);
    list->Draw(cell.Canvas(), 0, 0, index);
    const uint8_t* bits = cell.ScanLine(0);  // top-down rows, 4 bytes a pixel, no padding
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc_, COLORONCOLOR);  // the call's saved state restores the caller's mode
    StretchDIBits(dc_, r.Left, r.Top, r.Width(), r.Height(), 0, 0, w, h, bits, &info, DIB_RGB_COLORS, SRCCOPY);
  }

  HDC dc_;
  const THTMLDrawParams& params_;
};

// ---- measuring ------------------------------------------------------------------------------------------------

class TGdiMeasurer : public THtmlMeasurer {
public:
  TGdiMeasurer(HDC dc, TFontCache& fonts, TPictures& pictures, UINT flags)
      : dc_(dc), fonts_(fonts), pictures_(pictures), flags_(flags) {}

  THtmlSize TextSize(const THtmlFont& font, std::string_view text) override {
    fonts_.Select(font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    const int height = metrics.tmHeight + metrics.tmExternalLeading;
    if (text.empty()) return {0, height};
    RECT r{0, 0, 0, 0};
    DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, flags_ | DT_CALCRECT);
    return {r.right - r.left, std::max(static_cast<int>(r.bottom - r.top), height)};
  }

  int FitCount(const THtmlFont& font, std::string_view text, int width) override {
    fonts_.Select(font);
    INT fitted = 0;
    SIZE size{};
    if (!GetTextExtentExPointA(dc_, text.data(), static_cast<int>(text.size()), std::max(width, 0), &fitted, nullptr,
                               &size))
      return 0;
    return fitted;
  }

  THtmlSize ImageSize(const THtmlImage& image) override { return pictures_.Size(image); }

private:
  HDC dc_;
  TFontCache& fonts_;
  TPictures& pictures_;
  UINT flags_;
};

// ---- painting -------------------------------------------------------------------------------------------------

void Fill(HDC dc, const RECT& r, uint32_t color) {
  const TGdiObject brush(CreateSolidBrush(ColorToRGB(color)));
  FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

class TPainter {
public:
  TPainter(TCanvas& canvas, HDC dc, TFontCache& fonts, TPictures& pictures, const THTMLDrawParams& params,
           UINT flags, const TRect& bounds)
      : canvas_(canvas), dc_(dc), fonts_(fonts), pictures_(pictures), params_(params), flags_(flags),
        bounds_(bounds) {}

  void Paint(const THtmlItem& item) {
    const RECT r{item.Rect.Left, item.Rect.Top, item.Rect.Right, item.Rect.Bottom};
    switch (item.Kind) {
      case THtmlItemKind::Text: return Text(item, r);
      case THtmlItemKind::Image:
        return pictures_.Draw(canvas_, item.Image, FromRECT(r));
      case THtmlItemKind::Fill:
      case THtmlItemKind::Rule: return Fill(dc_, r, item.Color);
      case THtmlItemKind::Gradient: return Gradient(item, r);
      case THtmlItemKind::ErrorLine: return ErrorLine(item, r);
      case THtmlItemKind::FocusFrame: DrawFocusRect(dc_, &r); return;
    }
  }

private:
  void Text(const THtmlItem& item, RECT r) {
    if (!params_.WordWrap) r.right = std::min<LONG>(r.right, bounds_.Right);
    if (item.Background != kHtmlNoColor) Fill(dc_, r, item.Background);
    fonts_.Select(item.Font);
    auto draw = [&](RECT at, uint32_t color) {
      SetTextColor(dc_, ColorToRGB(color));
      const int length = static_cast<int>(item.Text.size());
      if (item.Font.Escapement != 0) TextOutA(dc_, at.left, at.top, item.Text.data(), length);
      else DrawTextA(dc_, item.Text.data(), length, &at, flags_);
    };
    if (item.Shadow) {
      RECT shadow = r;
      OffsetRect(&shadow, params_.ShadowOffset, params_.ShadowOffset);
      draw(shadow, params_.ShadowColor);
    }
    draw(r, item.Color);
  }

  void Gradient(const THtmlItem& item, const RECT& r) {
    const bool across = item.Horizontal;
    for (const THtmlBand& band : HtmlGradientBands(ColorToRGB(item.Color), ColorToRGB(item.ColorTo),
                                                   across ? r.left : r.top, across ? r.right : r.bottom,
                                                   kHtmlGradientSteps)) {
      const RECT b = across ? RECT{band.Start, r.top, band.End, r.bottom} : RECT{r.left, band.Start, r.right, band.End};
      Fill(dc_, b, band.Color);
    }
  }

  // Two-pixel steps between the rectangle's bottom row and two rows above it.
  void ErrorLine(const THtmlItem& item, const RECT& r) {
    std::vector<POINT> points;
    for (int x = r.left, i = 0; x <= r.right; x += 2, ++i)
      points.push_back({x, i % 2 == 0 ? r.bottom - 1 : r.bottom - 3});
    if (points.size() < 2) return;
    const TGdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(item.Color)));
    const HGDIOBJ old = SelectObject(dc_, pen.get());
    Polyline(dc_, points.data(), static_cast<int>(points.size()));
    SelectObject(dc_, old);
  }

  TCanvas& canvas_;
  HDC dc_;
  TFontCache& fonts_;
  TPictures& pictures_;
  const THTMLDrawParams& params_;
  UINT flags_;
  TRect bounds_;
};

THtmlFont FontOf(TFont& font) {
  THtmlFont f;
  f.Name = font.Name();
  f.Size = font.Size();
  f.Height = font.Height();
  f.Bold = font.Style().Contains(fsBold);
  f.Italic = font.Style().Contains(fsItalic);
  f.Underline = font.Style().Contains(fsUnderline);
  f.StrikeOut = font.Style().Contains(fsStrikeOut);
  f.Symbol = font.Charset() == SYMBOL_CHARSET;
  f.Escapement = font.Orientation();
  return f;
}

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

THTMLDrawResult HTMLDrawEx(TCanvas& canvas, const std::string& html, const TRect& r, const THTMLDrawParams& params) {
  THTMLDrawResult result;
  HDC dc = canvas.Handle();
  if (!dc) return result;
  THtmlOptions options;
  options.Bounds = r;
  options.Font = FontOf(canvas.Font());
  options.FontColor = canvas.Font().Color();
  options.WordWrap = params.WordWrap;
  options.AnchorColor = params.AnchorColor;
  options.HoverColor = params.HoverColor;
  options.HoverBackground = params.HoverBackground;
  options.HoverAnchor = params.HoverAnchor;
  options.FocusAnchor = params.FocusAnchor;
  options.BlinkPhaseOff = params.BlinkPhaseOff;
  options.BlinkColor = params.BlinkColor;
  options.ImageZoom = params.ImageZoom;
  options.LineSpacing = params.LineSpacing;

  // Declared before the saved state: the fonts are deleted only after the context let go of them.
  TFontCache fonts(dc);
  TPictures pictures(dc, params);
  const TSavedDC saved(dc);
  SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
  if (!params.WordWrap) flags |= DT_END_ELLIPSIS;
  // The layout tells whether "&" must stay literal; the measuring then has to agree with the drawing.
  const bool noPrefix = HtmlNeedsNoPrefix(PrepareHtml(html));
  if (noPrefix) flags |= DT_NOPREFIX;
  TGdiMeasurer measurer(dc, fonts, pictures, flags);
  const THtmlLayout layout = LayoutHtml(html, options, measurer);

  result.Width = layout.Width;
  result.Height = layout.Height;
  result.PlainText = layout.PlainText;
  if (params.FocusAnchor > 0 && params.FocusAnchor <= static_cast<int>(layout.Anchors.size()))
    result.FocusAnchorText = layout.Anchors[static_cast<size_t>(params.FocusAnchor - 1)].Text;
  if (params.CheckHotspot) {
    TRect rect;
    if (const THtmlAnchor* anchor = HtmlAnchorAt(layout, params.Mouse.X, params.Mouse.Y, &rect)) {
      result.OverAnchor = true;
      result.AnchorTarget = anchor->Target;
      result.AnchorNumber = anchor->Number;
      result.AnchorRect = rect;
    }
  }
  if (params.MeasureOnly) return result;

  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  TPainter painter(canvas, dc, fonts, pictures, params, flags, r);
  for (const THtmlItem& item : layout.Items) painter.Paint(item);
  return result;
}
