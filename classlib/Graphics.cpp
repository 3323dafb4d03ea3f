// Sections: colours; graphics objects; canvas and 3-D frames; bitmap; PNG graphic; picture.
#include "classlib/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "classlib/ScreenDC.h"
#include "classlib/core/SysUtils.h"

// ---- colours --------------------------------------------------------------------------------------------------

TColor ColorToRGB(TColor color) {
  if (color == clNone) return clBlack;
  if (color == clDefault) return clWhite;
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF)) & 0xFFFFFF;
  return color & 0xFFFFFF;
}

namespace {

const TColorName ColorNameTable[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue}, {"clCream", clCream}, {"clMedGray", clMedGray},
    {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
    {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk}, {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption}, {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
};

}  // namespace

std::span<const TColorName> ColorNames() { return ColorNameTable; }

bool IdentToColor(const std::string& ident, TColor& color) {
  for (const TColorName& c : ColorNameTable)
    if (SameText(ident, c.Name)) {
      color = c.Value;
      return true;
    }
  return false;
}

bool ColorToIdent(TColor color, std::string& ident) {
  for (const TColorName& c : ColorNameTable)
    if (c.Value == color) {
      ident = c.Name;
      return true;
    }
  return false;
}

// ---- graphics objects -----------------------------------------------------------------------------------------

void TGraphicsObject::Changed() { OnChange(this); }

void TGraphicsObject::Recreate() {
  OnReleaseHandle(this);
  Drop();
  Changed();
}

namespace {

void DeleteGdi(HGDIOBJ& h) {
  if (h) DeleteObject(h);
  h = nullptr;
}

}  // namespace

TPen::TPen() = default;
TPen::~TPen() { Drop(); }
void TPen::Drop() { DeleteGdi(reinterpret_cast<HGDIOBJ&>(handle_)); }
void TPen::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TPen*>(source)) Update(data_, other->data_);
  else TGraphicsObject::Assign(source);
}

HPEN TPen::Handle() {
  if (!handle_) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_ = CreatePen(styles[data_.Style], data_.Width, ColorToRGB(data_.Color));
  }
  return handle_;
}

TBrush::TBrush() = default;
TBrush::~TBrush() { Drop(); }
void TBrush::Drop() { DeleteGdi(reinterpret_cast<HGDIOBJ&>(handle_)); }

// Choosing a colour for a clear brush makes it solid, which is what every caller setting a colour means.
void TBrush::SetColor(TColor value) {
  TData next{value, data_.Style == bsClear && value != data_.Color ? bsSolid : data_.Style};
  Update(data_, next);
}
void TBrush::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TBrush*>(source)) Update(data_, other->data_);
  else TGraphicsObject::Assign(source);
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                  HS_DIAGCROSS};
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(data_.Color);
    lb.lbStyle = data_.Style == bsSolid ? BS_SOLID : data_.Style == bsClear ? BS_NULL : BS_HATCHED;
    lb.lbHatch = static_cast<ULONG_PTR>(hatches[data_.Style]);
    handle_ = CreateBrushIndirect(&lb);
  }
  return handle_;
}

TFont::TFont() = default;
TFont::~TFont() { Drop(); }
void TFont::Drop() { DeleteGdi(reinterpret_cast<HGDIOBJ&>(handle_)); }
void TFont::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TFont*>(source)) Update(data_, other->data_);
  else TGraphicsObject::Assign(source);
}

int TFont::ScreenPixelsPerInch() {
  static const int ppi = [] {
    const TScreenDC dc;
    const int v = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

int TFont::Size() const {
  int ppi = ScreenPixelsPerInch();
  return -static_cast<int>(std::lround(static_cast<double>(data_.Height) * 72.0 / ppi));
}
void TFont::SetSize(int value) {
  SetHeight(-static_cast<int>(std::lround(static_cast<double>(value) * ScreenPixelsPerInch() / 72.0)));
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = data_.Height;
    lf.lfEscapement = data_.Orientation;
    lf.lfOrientation = data_.Orientation;
    lf.lfWeight = data_.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = data_.Style.Contains(fsItalic);
    lf.lfUnderline = data_.Style.Contains(fsUnderline);
    lf.lfStrikeOut = data_.Style.Contains(fsStrikeOut);
    lf.lfCharSet = data_.Charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, data_.Name.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectA(&lf);
  }
  return handle_;
}

// ---- canvas ---------------------------------------------------------------------------------------------------

TCanvas::TCanvas() {
  // A changed object gets a new handle: the old one leaves the DC before it is deleted, the new one is selected
  // by the next call that needs it. A font's colour is no part of its handle but is set on the DC with it.
  pen_.OnReleaseHandle = [this](TObject*) { Unselect(PenValid); };
  brush_.OnReleaseHandle = [this](TObject*) { Unselect(BrushValid); };
  font_.OnReleaseHandle = [this](TObject*) { Unselect(FontValid); };
  brush_.OnChange = [this](TObject*) { Unselect(BrushValid); };
  font_.OnChange = [this](TObject*) { Unselect(FontValid); };
}

TCanvas::~TCanvas() { Deselect(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Deselect();
  dc_ = dc;
  valid_ = 0;
}

void TCanvas::Deselect() {
  Unselect(PenValid | BrushValid | FontValid);
  oldPen_ = oldBrush_ = oldFont_ = nullptr;
}

void TCanvas::Unselect(unsigned what) {
  if (dc_) {
    if ((what & PenValid) && oldPen_) SelectObject(dc_, oldPen_);
    if ((what & BrushValid) && oldBrush_) SelectObject(dc_, oldBrush_);
    if ((what & FontValid) && oldFont_) SelectObject(dc_, oldFont_);
  }
  valid_ &= ~what;
}

// Selects what the next call needs. An object whose handle was remade (Invalidate) is selected anew; the DC's
// original object is remembered only the first time so that Deselect restores the DC's own.
bool TCanvas::Require(unsigned what) {
  HDC dc = Handle();
  if (!dc) return false;
  auto select = [dc](HGDIOBJ obj, HGDIOBJ& old) {
    HGDIOBJ prev = SelectObject(dc, obj);
    if (!old) old = prev;
  };
  if ((what & PenValid) && !(valid_ & PenValid)) {
    select(pen_.Handle(), oldPen_);
    valid_ |= PenValid;
  }
  if ((what & BrushValid) && !(valid_ & BrushValid)) {
    select(brush_.Handle(), oldBrush_);
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
    valid_ |= BrushValid;
  }
  if ((what & FontValid) && !(valid_ & FontValid)) {
    select(font_.Handle(), oldFont_);
    SetTextColor(dc, ColorToRGB(font_.Color()));
    valid_ |= FontValid;
  }
  return true;
}

void TCanvas::MoveTo(int x, int y) {
  if (Require(0)) MoveToEx(dc_, x, y, nullptr);
  penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  if (Require(PenValid | BrushValid)) ::LineTo(dc_, x, y);
  penPos_ = {x, y};
}

namespace {
std::vector<POINT> ToPoints(std::span<const TPoint> points) {
  std::vector<POINT> pts(points.size());
  for (size_t i = 0; i < points.size(); ++i) pts[i] = POINT{points[i].X, points[i].Y};
  return pts;
}
}  // namespace

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty() || !Require(PenValid | BrushValid)) return;
  std::vector<POINT> pts = ToPoints(points);
  ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty() || !Require(PenValid | BrushValid)) return;
  std::vector<POINT> pts = ToPoints(points);
  ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
}

void TCanvas::Rectangle(const TRect& r) {
  if (Require(PenValid | BrushValid)) ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::RoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  if (Require(PenValid | BrushValid))
    ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(const TRect& r) {
  if (Require(PenValid | BrushValid)) ::Ellipse(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::FillRect(const TRect& r) {
  if (!Require(BrushValid)) return;
  RECT rc = ToRECT(r);
  ::FillRect(dc_, &rc, brush_.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
  if (!Require(BrushValid)) return;
  RECT rc = ToRECT(r);
  ::FrameRect(dc_, &rc, brush_.Handle());
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (!Require(BrushValid)) return;
  RECT rc = ToRECT(r);
  ::DrawFocusRect(dc_, &rc);
}

TColor TCanvas::Pixel(int x, int y) {
  if (!Require(0)) return clNone;
  COLORREF c = GetPixel(dc_, x, y);
  return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (Require(0)) ::SetPixelV(dc_, x, y, ColorToRGB(color));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!Require(FontValid | BrushValid)) return;
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  penPos_ = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  if (!Require(FontValid | BrushValid)) return;
  RECT rc = ToRECT(r);
  UINT opts = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOutA(dc_, x, y, opts, &rc, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT flags) {
  if (!Require(FontValid | BrushValid)) return 0;
  RECT rc = ToRECT(r);
  int h = ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rc, flags);
  if (flags & DT_CALCRECT) r = FromRECT(rc);
  return h;
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SIZE s{0, 0};
  if (Require(FontValid)) GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
  return s;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (graphic && !graphic->Empty()) graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (graphic && !graphic->Empty()) graphic->Draw(*this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  HDC src = source.Handle();
  if (!src || !Require(BrushValid)) return;
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), src, sourceRect.Left, sourceRect.Top,
             sourceRect.Width(), sourceRect.Height(), SRCCOPY);
}

TRect TCanvas::ClipRect() {
  RECT rc{};
  if (Require(0)) GetClipBox(dc_, &rc);
  return FromRECT(rc);
}

TRect Frame3D(TCanvas& c, TRect r, TColor topLeft, TColor bottomRight, int width) {
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  for (int i = 0; i < width && !r.IsEmpty(); ++i) {
    c.Pen().SetColor(topLeft);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.Pen().SetColor(bottomRight);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left - 1, r.Bottom - 1);
    r = r.Inflate(-1, -1);
  }
  return r;
}

// ---- graphics -------------------------------------------------------------------------------------------------

void TGraphic::Changed() { OnChange(this); }

// ---- bitmap ---------------------------------------------------------------------------------------------------

// The bitmap's own canvas: a memory DC made on first use, holding the bitmap while it lives.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}
  ~TBitmapCanvas() override { Release(); }

  // Lets go of the DC before the bitmap is remade or freed.
  void Release() {
    if (!memDc_) return;
    SetHandle(nullptr);
    SelectObject(memDc_, oldBitmap_);
    DeleteDC(memDc_);
    memDc_ = nullptr;
  }

protected:
  void CreateHandle() override {
    if (!owner_.handle_) return;
    memDc_ = CreateCompatibleDC(nullptr);
    if (!memDc_) return;
    oldBitmap_ = SelectObject(memDc_, owner_.handle_);
    SetHandle(memDc_);
  }

private:
  TBitmap& owner_;
  HDC memDc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  FreeImage();
}

void TBitmap::FreeImage() {
  if (canvas_) canvas_->Release();
  DeleteGdi(reinterpret_cast<HGDIOBJ&>(handle_));
  bits_ = nullptr;
  width_ = height_ = stride_ = 0;
}

bool TBitmap::Recreate(int width, int height, TPixelFormat format) {
  FreeImage();
  format_ = format;
  if (width <= 0 || height <= 0) return true;
  struct {
    BITMAPINFOHEADER h;
    DWORD masks[3];
  } info{};
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  info.h.biWidth = width;
  info.h.biHeight = -height;  // top-down: ScanLine(0) is the top row
  info.h.biPlanes = 1;
  info.h.biBitCount = format == pf16bit ? 16 : format == pf24bit ? 24 : 32;
  info.h.biCompression = BI_RGB;
  if (format == pf16bit) {
    info.h.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
  }
  void* bits = nullptr;
  HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!h) return false;
  handle_ = h;
  bits_ = static_cast<uint8_t*>(bits);
  width_ = width;
  height_ = height;
  stride_ = ((width * info.h.biBitCount + 31) / 32) * 4;
  return true;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_ && (handle_ || width <= 0 || height <= 0)) return;
  Recreate(width, height, format_);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == format_) return;
  Recreate(width_, height_, value);
  Changed();
}

uint8_t* TBitmap::ScanLine(int y) {
  if (!bits_ || y < 0 || y >= height_) return nullptr;
  GdiFlush();  // pending GDI drawing must land before the caller touches the bits
  return bits_ + static_cast<size_t>(y) * stride_;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return *canvas_;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
  HDC dest = canvas.Handle();
  if (!dest || !handle_) return;
  HDC src = Canvas().Handle();
  if (!src) return;
  if (r.Width() == width_ && r.Height() == height_) {
    BitBlt(dest, r.Left, r.Top, width_, height_, src, 0, 0, SRCCOPY);
  } else {
    int old = SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dest, old);
  }
}

void TBitmap::Assign(const TPersistent* source) {
  if (auto* b = dynamic_cast<const TBitmap*>(source)) {
    if (b == this) return;
    if (Recreate(b->width_, b->height_, b->format_) && bits_)
      std::memcpy(bits_, b->bits_, static_cast<size_t>(stride_) * height_);
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

bool TBitmap::LoadFromBytes(std::span<const uint8_t> data) {
  auto u16 = [&](size_t at) { return static_cast<uint32_t>(data[at] | (data[at + 1] << 8)); };
  auto u32 = [&](size_t at) { return u16(at) | (u16(at + 2) << 16); };
  if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return false;
  uint32_t offset = u32(10);
  uint32_t headerSize = u32(14);
  int32_t width = static_cast<int32_t>(u32(18));
  int32_t height = static_cast<int32_t>(u32(22));
  uint32_t bpp = u16(28);
  uint32_t compression = u32(30);
  if (headerSize < 40 || width <= 0 || width > 32768 || height == 0 || height < -32768 || height > 32768)
    return false;
  if (!(bpp == 24 || bpp == 32 || bpp == 16) || !(compression == BI_RGB || (bpp == 16 && compression == BI_BITFIELDS)))
    return false;
  bool bottomUp = height > 0;
  int h = bottomUp ? height : -height;
  size_t srcStride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
  if (offset > data.size() || (data.size() - offset) / srcStride < static_cast<size_t>(h)) return false;
  if (bpp == 16 && compression == BI_RGB) return false;  // 555 data would need converting; not used
  TBitmap loaded;
  if (!loaded.Recreate(width, h, bpp == 16 ? pf16bit : bpp == 24 ? pf24bit : pf32bit) || !loaded.bits_) return false;
  for (int y = 0; y < h; ++y) {
    const uint8_t* src = data.data() + offset + srcStride * static_cast<size_t>(bottomUp ? h - 1 - y : y);
    std::memcpy(loaded.bits_ + static_cast<size_t>(loaded.stride_) * y, src, srcStride);
  }
  Assign(&loaded);
  return true;
}

// ---- PNG graphic ----------------------------------------------------------------------------------------------

TPngGraphic::TPngGraphic() = default;
TPngGraphic::~TPngGraphic() { DeleteGdi(reinterpret_cast<HGDIOBJ&>(cache_)); }

bool TPngGraphic::LoadFromBytes(std::span<const uint8_t> data) {
  TPngImage loaded;
  if (!loaded.LoadFromMemory(data)) return false;
  SetImage(loaded);
  return true;
}

void TPngGraphic::SetImage(const TPngImage& image) {
  image_ = image;
  DeleteGdi(reinterpret_cast<HGDIOBJ&>(cache_));
  Changed();
}

void TPngGraphic::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TPngGraphic*>(source)) {
    if (p != this) SetImage(p->image_);
    return;
  }
  TGraphic::Assign(source);
}

// AlphaBlend wants premultiplied BGRA.
HBITMAP TPngGraphic::Premultiplied() {
  if (cache_ || image_.Empty()) return cache_;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = Width();
  info.bmiHeader.biHeight = -Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  cache_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!cache_) return nullptr;
  auto* out = static_cast<uint8_t*>(bits);
  for (uint32_t y = 0; y < image_.Height(); ++y) {
    const TRgba* row = image_.Row(y);
    for (uint32_t x = 0; x < image_.Width(); ++x, out += 4) {
      unsigned a = row[x].A;
      out[0] = static_cast<uint8_t>((row[x].B * a + 127) / 255);
      out[1] = static_cast<uint8_t>((row[x].G * a + 127) / 255);
      out[2] = static_cast<uint8_t>((row[x].R * a + 127) / 255);
      out[3] = static_cast<uint8_t>(a);
    }
  }
  return cache_;
}

void TPngGraphic::Draw(TCanvas& canvas, const TRect& r) {
  HDC dest = canvas.Handle();
  HBITMAP bmp = Premultiplied();
  if (!dest || !bmp) return;
  HDC src = CreateCompatibleDC(dest);
  if (!src) return;
  HGDIOBJ old = SelectObject(src, bmp);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dest, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, Width(), Height(), blend);
  SelectObject(src, old);
  DeleteDC(src);
}

// ---- picture --------------------------------------------------------------------------------------------------

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) { OnChange(this); };
  OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (!graphic) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<const TPngGraphic*>(graphic))
    copy = std::make_unique<TPngGraphic>();
  else
    copy = std::make_unique<TBitmap>();
  copy->Assign(graphic);
  Take(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*graphic_);
}

bool TPicture::LoadFromBytes(std::span<const uint8_t> data) {
  static const uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::unique_ptr<TGraphic> g;
  if (data.size() >= 8 && std::equal(pngSignature, pngSignature + 8, data.begin()))
    g = std::make_unique<TPngGraphic>();
  else if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
    g = std::make_unique<TBitmap>();
  else
    return data.empty() ? (Take(nullptr), true) : false;
  if (!g->LoadFromBytes(data)) return false;
  Take(std::move(g));
  return true;
}

void TPicture::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TPicture*>(source)) {
    if (p != this) SetGraphic(p->graphic_.get());
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(source);
}
