// Sections: start-up; colours; image format identifiers; graphics; pen and brushes; text; path; images.
#include "controls/GDIPObjects.h"

#include <vector>

namespace gp = Gdiplus;
using namespace Gdiplus::DllExports;

// ---- start-up -------------------------------------------------------------------------------------------------

namespace {

struct TStartup {
  int Holders = 0;
  ULONG_PTR Token = 0;
  TGPStatus Status = gp::GdiplusNotInitialized;
  UINT32 Version = 1;
};

TStartup& Startup() {
  static TStartup startup;
  return startup;
}

}  // namespace

TGPStatus StartGdiplus() {
  TStartup& s = Startup();
  if (s.Holders++ == 0) {
    // GDI+ keeps its own background thread: with it suppressed the program would have to run the notification
    // hook and unhook itself.
    gp::GdiplusStartupInput input;
    input.GdiplusVersion = s.Version;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    s.Status = gp::GdiplusStartup(&s.Token, &input, nullptr);
  }
  return s.Status;
}

void StopGdiplus() {
  TStartup& s = Startup();
  if (s.Holders == 0 || --s.Holders > 0) return;
  if (s.Status == gp::Ok) gp::GdiplusShutdown(s.Token);
  s.Status = gp::GdiplusNotInitialized;
  s.Token = 0;
}

bool GdiplusRunning() { return Startup().Status == gp::Ok; }

TGPStatus GdiplusStartupStatus() { return Startup().Status; }

void SetGdiplusStartupVersion(UINT32 version) { Startup().Version = version; }

// ---- colours --------------------------------------------------------------------------------------------------

ARGB ColorToARGB(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return MakeColor(255, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// ---- image format identifiers ---------------------------------------------------------------------------------

namespace {

// The raw-format identifiers GDI+ reports, with their numbers. Defined here once: the platform's import
// libraries lack some of them (EXIF, undefined).
constexpr GUID ImageFormatId(unsigned long first) {
  return GUID{first, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
const struct {
  GUID Id;
  int Number;
} kImageFormats[] = {
    {ImageFormatId(0xB96B3CAA), 1}, {ImageFormatId(0xB96B3CAB), 2}, {ImageFormatId(0xB96B3CAC), 3},
    {ImageFormatId(0xB96B3CAD), 4}, {ImageFormatId(0xB96B3CAE), 5}, {ImageFormatId(0xB96B3CAF), 6},
    {ImageFormatId(0xB96B3CB0), 7}, {ImageFormatId(0xB96B3CB1), 8}, {ImageFormatId(0xB96B3CB2), 9},
    {ImageFormatId(0xB96B3CB5), 10},
};

std::wstring Wide(const std::string& text, int length) {
  const int n = length < 0 ? static_cast<int>(text.size()) : std::min(length, static_cast<int>(text.size()));
  if (n == 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  const int written = MultiByteToWideChar(CP_ACP, 0, text.data(), n, wide.data(), n);
  wide.resize(static_cast<size_t>(std::max(written, 0)));
  return wide;
}

template <class TWrapper>
auto NativeOf(const TWrapper* wrapper) -> decltype(wrapper->Native()) {
  return wrapper ? wrapper->Native() : nullptr;
}

}  // namespace

// ---- graphics -------------------------------------------------------------------------------------------------

TGPGraphics::TGPGraphics(HDC dc) {
  Create([&] { return GdipCreateFromHDC(dc, &native_); });
}

TGPGraphics::~TGPGraphics() {
  if (Deletable(native_)) GdipDeleteGraphics(native_);
}

TGPStatus TGPGraphics::SetTextRenderingHint(gp::TextRenderingHint hint) {
  return Step([&] { return GdipSetTextRenderingHint(native_, hint); });
}

TGPStatus TGPGraphics::SetSmoothingMode(gp::SmoothingMode mode) {
  return Step([&] { return GdipSetSmoothingMode(native_, mode); });
}

TGPStatus TGPGraphics::DrawPath(const TGPPen* pen, const TGPGraphicsPath* path) {
  return Step([&] { return GdipDrawPath(native_, NativeOf(pen), NativeOf(path)); });
}

TGPStatus TGPGraphics::FillRectangle(const TGPBrush* brush, float x, float y, float width, float height) {
  return Step([&] { return GdipFillRectangle(native_, NativeOf(brush), x, y, width, height); });
}

TGPStatus TGPGraphics::FillRectangle(const TGPBrush* brush, const TGPRectF& rect) {
  return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

TGPStatus TGPGraphics::DrawRectangle(const TGPPen* pen, float x, float y, float width, float height) {
  return Step([&] { return GdipDrawRectangle(native_, NativeOf(pen), x, y, width, height); });
}

TGPStatus TGPGraphics::DrawImage(const TGPImage* image, int x, int y, int width, int height) {
  return Step([&] {
    return GdipDrawImageRect(native_, NativeOf(image), static_cast<float>(x), static_cast<float>(y),
                             static_cast<float>(width), static_cast<float>(height));
  });
}

TGPStatus TGPGraphics::DrawString(const std::string& text, int length, const TGPFont* font, const TGPRectF& layout,
                                  const TGPStringFormat* format, const TGPBrush* brush) {
  const std::wstring wide = Wide(text, length);
  return Step([&] {
    return GdipDrawString(native_, wide.c_str(), static_cast<int>(wide.size()), NativeOf(font), &layout,
                          NativeOf(format), NativeOf(brush));
  });
}

TGPStatus TGPGraphics::MeasureString(const std::string& text, int length, const TGPFont* font,
                                     const TGPRectF& layout, const TGPStringFormat* format, TGPRectF& bounds,
                                     int* charactersFitted, int* linesFilled) {
  const std::wstring wide = Wide(text, length);
  bounds = TGPRectF(0, 0, 0, 0);
  return Step([&] {
    return GdipMeasureString(native_, wide.c_str(), static_cast<int>(wide.size()), NativeOf(font), &layout,
                             NativeOf(format), &bounds, charactersFitted, linesFilled);
  });
}

// ---- pen and brushes ------------------------------------------------------------------------------------------

TGPPen::TGPPen(ARGB color, float width) {
  Create([&] { return GdipCreatePen1(color, width, gp::UnitWorld, &native_); });
}

TGPPen::~TGPPen() {
  if (Deletable(native_)) GdipDeletePen(native_);
}

TGPStatus TGPPen::SetDashStyle(gp::DashStyle style) {
  return Step([&] { return GdipSetPenDashStyle(native_, style); });
}

TGPBrush::~TGPBrush() {
  if (Deletable(native_)) GdipDeleteBrush(native_);
}

TGPSolidBrush::TGPSolidBrush(ARGB color) {
  Create([&] {
    gp::GpSolidFill* fill = nullptr;
    const TGPStatus status = GdipCreateSolidFill(color, &fill);
    native_ = fill;
    return status;
  });
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               gp::LinearGradientMode mode) {
  Create([&] {
    gp::GpLineGradient* gradient = nullptr;
    const TGPStatus status = GdipCreateLineBrushFromRect(&rect, color1, color2, mode, gp::WrapModeTile, &gradient);
    native_ = gradient;
    return status;
  });
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath* path) {
  Create([&] {
    gp::GpPathGradient* gradient = nullptr;
    const TGPStatus status = GdipCreatePathGradientFromPath(NativeOf(path), &gradient);
    native_ = gradient;
    return status;
  });
}

TGPStatus TGPPathGradientBrush::SetCenterColor(ARGB color) {
  return Step([&] { return GdipSetPathGradientCenterColor(Gradient(), color); });
}

int TGPPathGradientBrush::GetPointCount() {
  INT count = 0;
  Step([&] { return GdipGetPathGradientPointCount(Gradient(), &count); });
  return count;
}

TGPStatus TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count) {
  const int points = GetPointCount();
  if (!colors || points < 1 || count < 1 || count > points) return Keep(gp::InvalidParameter);
  INT taken = count;
  const TGPStatus status = Step([&] { return GdipSetPathGradientSurroundColorsWithCount(Gradient(), colors, &taken); });
  if (status == gp::Ok) count = taken;
  return status;
}

TGPStatus TGPPathGradientBrush::SetCenterPoint(TPoint point) {
  const gp::GpPoint p(point.X, point.Y);
  return Step([&] { return GdipSetPathGradientCenterPointI(Gradient(), &p); });
}

// ---- text -----------------------------------------------------------------------------------------------------

TGPStringFormat::TGPStringFormat(int formatFlags, LANGID language) {
  Create([&] { return GdipCreateStringFormat(formatFlags, language, &native_); });
}

TGPStringFormat::~TGPStringFormat() {
  if (Deletable(native_)) GdipDeleteStringFormat(native_);
}

TGPStatus TGPStringFormat::SetAlignment(gp::StringAlignment align) {
  return Step([&] { return GdipSetStringFormatAlign(native_, align); });
}

TGPStatus TGPStringFormat::SetLineAlignment(gp::StringAlignment align) {
  return Step([&] { return GdipSetStringFormatLineAlign(native_, align); });
}

TGPStatus TGPStringFormat::SetTrimming(gp::StringTrimming trimming) {
  return Step([&] { return GdipSetStringFormatTrimming(native_, trimming); });
}

TGPStatus TGPStringFormat::SetHotkeyPrefix(gp::HotkeyPrefix prefix) {
  return Step([&] { return GdipSetStringFormatHotkeyPrefix(native_, prefix); });
}

TGPFontFamily::TGPFontFamily(const std::string& name) {
  const std::wstring wide = Wide(name, -1);
  Create([&] { return GdipCreateFontFamilyFromName(wide.c_str(), nullptr, &native_); });
}

TGPFontFamily::~TGPFontFamily() {
  if (Deletable(native_)) GdipDeleteFontFamily(native_);
}

TGPFont::TGPFont(const TGPFontFamily* family, float size, int style, gp::Unit unit) {
  Create([&] { return GdipCreateFont(NativeOf(family), size, style, unit, &native_); });
}

TGPFont::~TGPFont() {
  if (Deletable(native_)) GdipDeleteFont(native_);
}

// ---- path -----------------------------------------------------------------------------------------------------

TGPGraphicsPath::TGPGraphicsPath(gp::FillMode mode) {
  Create([&] { return GdipCreatePath(mode, &native_); });
}

TGPGraphicsPath::~TGPGraphicsPath() {
  if (Deletable(native_)) GdipDeletePath(native_);
}

TGPStatus TGPGraphicsPath::CloseFigure() {
  return Step([&] { return GdipClosePathFigure(native_); });
}

TGPStatus TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return Step([&] { return GdipAddPathLine(native_, x1, y1, x2, y2); });
}

TGPStatus TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return Step([&] { return GdipAddPathArc(native_, x, y, width, height, startAngle, sweepAngle); });
}

TGPStatus TGPGraphicsPath::AddEllipse(float x, float y, float width, float height) {
  return Step([&] { return GdipAddPathEllipse(native_, x, y, width, height); });
}

// ---- images ---------------------------------------------------------------------------------------------------

TGPImage::TGPImage(IStream* stream, bool useEmbeddedColorManagement) {
  Create([&] {
    return useEmbeddedColorManagement ? GdipLoadImageFromStreamICM(stream, &native_)
                                      : GdipLoadImageFromStream(stream, &native_);
  });
}

TGPImage::~TGPImage() {
  if (Deletable(native_)) GdipDisposeImage(native_);
}

int TGPImage::GetRawFormat() {
  GUID id{};
  if (Step([&] { return GdipGetImageRawFormat(native_, &id); }) != gp::Ok) return 0;
  for (const auto& format : kImageFormats)
    if (IsEqualGUID(format.Id, id)) return format.Number;
  return 0;
}

UINT TGPImage::GetWidth() {
  UINT width = 0;
  Step([&] { return GdipGetImageWidth(native_, &width); });
  return width;
}

UINT TGPImage::GetHeight() {
  UINT height = 0;
  Step([&] { return GdipGetImageHeight(native_, &height); });
  return height;
}

TGPStatus TGPImage::RotateFlip(gp::RotateFlipType type) {
  return Step([&] { return GdipImageRotateFlip(native_, type); });
}

TGPBitmap::TGPBitmap(IStream* stream, bool useEmbeddedColorManagement) {
  Create([&] {
    gp::GpBitmap* bitmap = nullptr;
    const TGPStatus status = useEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(stream, &bitmap)
                                                        : GdipCreateBitmapFromStream(stream, &bitmap);
    native_ = bitmap;
    return status;
  });
}

TGPBitmap::TGPBitmap(int width, int height, gp::PixelFormat format) {
  Create([&] {
    gp::GpBitmap* bitmap = nullptr;
    const TGPStatus status = GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap);
    native_ = bitmap;
    return status;
  });
}

ARGB TGPBitmap::GetPixel(int x, int y) {
  ARGB color = 0;
  Step([&] { return GdipBitmapGetPixel(Bitmap(), x, y, &color); });
  return color;
}

TGPStatus TGPBitmap::SetPixel(int x, int y, ARGB color) {
  return Step([&] { return GdipBitmapSetPixel(Bitmap(), x, y, color); });
}
