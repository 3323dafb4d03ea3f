// Sections: gradient fill; transparent bitmap; colour map; parent image.
#include "sddcontrols/unSDDGrafx.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "classlib/Forms.h"
#include "sddcontrols/core/unSDDGradient.h"
#include "sddcontrols/unSDDGdi.h"

// ---- gradient fill --------------------------------------------------------------------------------------------

namespace {

void PaintBand(HDC dc, const sddgradient::TGradientBand& band) {
  TGdiObject<HBRUSH> brush(CreateSolidBrush(band.Rgb));
  for (const TRect& r : band.Rects) {
    RECT rc = ToRECT(r);
    FillRect(dc, &rc, brush.Get());
  }
  if (band.Polygon.empty()) return;
  std::vector<POINT> points;
  for (const TPoint& p : band.Polygon) points.push_back({p.X, p.Y});
  TDcSelection pen(dc, GetStockObject(NULL_PEN));
  TDcSelection fill(dc, brush.Get());
  Polygon(dc, points.data(), static_cast<int>(points.size()));
}

// Copies the painted columns (or rows) 0 .. 7 over the rest by doubling blocks, the last one cut to fit.
void CopyStrip(HDC dc, int w, int h, bool across) {
  const int extent = across ? w : h;
  for (int done = 8; done < extent;) {
    const int n = std::min(done, extent - done);
    if (across)
      BitBlt(dc, done, 0, n, h, dc, 0, 0, SRCCOPY);
    else
      BitBlt(dc, 0, done, w, n, dc, 0, 0, SRCCOPY);
    done += n;
  }
}

// Mirrors the top-left quarter into the bottom-left one, then the left half into the right one.
void MirrorQuarter(HDC dc, int w, int h, int qw, int qh) {
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 0, h - 1, qw, -qh, dc, 0, 0, qw, qh, SRCCOPY);
  StretchBlt(dc, w - 1, 0, -qw, h, dc, 0, 0, qw, h, SRCCOPY);
}

}  // namespace

void GradientFill(TCanvas& canvas, const TRect& r, TGradientDirection direction, TColor startColor, TColor endColor,
                  uint8_t colors) {
  const int w = std::abs(r.Width());
  const int h = std::abs(r.Height());
  if (w == 0 || h == 0) return;
  const sddgradient::TGradientPlan plan =
      sddgradient::PlanGradient(direction, w, h, ColorToRGB(startColor), ColorToRGB(endColor), colors);
  TBitmap bitmap;
  bitmap.SetSize(w, h);
  HDC dc = bitmap.Canvas().Handle();
  if (!dc) return;
  for (const sddgradient::TGradientBand& band : plan.Bands) PaintBand(dc, band);
  switch (plan.Copy) {
    case sddgradient::TGradientCopy::StripAcross: CopyStrip(dc, w, h, true); break;
    case sddgradient::TGradientCopy::StripDown: CopyStrip(dc, w, h, false); break;
    case sddgradient::TGradientCopy::Mirror: MirrorQuarter(dc, w, h, plan.QuarterWidth, plan.QuarterHeight); break;
    case sddgradient::TGradientCopy::None:
    case sddgradient::TGradientCopy::FlipAcross: break;
  }
  const int left = std::min(r.Left, r.Right);
  const int top = std::min(r.Top, r.Bottom);
  if (plan.Copy != sddgradient::TGradientCopy::FlipAcross) {
    BitBlt(canvas.Handle(), left, top, w, h, dc, 0, 0, SRCCOPY);
    return;
  }
  SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
  StretchBlt(canvas.Handle(), left + w - 1, top, -w, h, dc, 0, 0, w, h, SRCCOPY);
}

// ---- transparent bitmap ---------------------------------------------------------------------------------------

void DrawTransparentBitmap(TCanvas& canvas, TBitmap& source, const TRect& destRect, const TRect& sourceRect,
                           TColor transparentColor) {
  const int w = destRect.Width();
  const int h = destRect.Height();
  HDC dest = canvas.Handle();
  HDC src = source.Canvas().Handle();
  if (w <= 0 || h <= 0 || !dest || !src) return;
  TMemoryDC colorDc(dest);
  TMemoryDC maskDc(dest);
  TGdiObject<HBITMAP> color(CreateCompatibleBitmap(dest, w, h));
  TGdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!colorDc || !maskDc || !color || !mask) return;
  TDcSelection colorSelection(colorDc.Get(), color.Get());
  TDcSelection maskSelection(maskDc.Get(), mask.Get());
  SetStretchBltMode(colorDc.Get(), COLORONCOLOR);
  StretchBlt(colorDc.Get(), 0, 0, w, h, src, sourceRect.Left, sourceRect.Top, sourceRect.Width(),
             sourceRect.Height(), SRCCOPY);
  // The mask is white where the colour is transparent.
  SetBkColor(colorDc.Get(), ColorToRGB(transparentColor));
  BitBlt(maskDc.Get(), 0, 0, w, h, colorDc.Get(), 0, 0, SRCCOPY);
  // Transparent pixels of the colour image turn black, so that OR leaves the destination there.
  SetBkColor(colorDc.Get(), RGB(0, 0, 0));
  SetTextColor(colorDc.Get(), RGB(255, 255, 255));
  BitBlt(colorDc.Get(), 0, 0, w, h, maskDc.Get(), 0, 0, SRCAND);
  const COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  BitBlt(dest, destRect.Left, destRect.Top, w, h, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dest, destRect.Left, destRect.Top, w, h, colorDc.Get(), 0, 0, SRCPAINT);
  SetBkColor(dest, oldBack);
  SetTextColor(dest, oldText);
}

// ---- colour map ---------------------------------------------------------------------------------------------

void MapBitmapColors(TBitmap& bitmap, std::span<const std::pair<TColor, TColor>> map) {
  if (bitmap.PixelFormat() != pf32bit) return;
  // 32-bit pixels are 0x00RRGGBB words, colours 0x00BBGGRR.
  const auto pixel = [](TColor c) {
    const TColor rgb = ColorToRGB(c);
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  };
  std::vector<std::pair<uint32_t, uint32_t>> pixels;
  for (const auto& [from, to] : map) pixels.emplace_back(pixel(from), pixel(to));
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint32_t rgb = row[x] & 0xFFFFFF;
      for (const auto& [from, to] : pixels)
        if (rgb == from) {
          row[x] = to;
          break;
        }
    }
  }
}

// ---- parent image ---------------------------------------------------------------------------------------------

void DrawParentImage(TControl& control, HDC dc, bool invalidateParent) {
  TWinControl* parent = control.Parent();
  if (!parent || !dc) return;
  const int saved = SaveDC(dc);
  POINT old{};
  OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), &old);
  IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
  try {
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  } catch (...) {
    RestoreDC(dc, saved);
    throw;
  }
  RestoreDC(dc, saved);
  if (invalidateParent && !dynamic_cast<TCustomControl*>(parent) && !control.HasState(csDesigning))
    parent->Invalidate();
}
