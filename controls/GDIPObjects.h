// A thin object layer over the platform's flat GDI+ interface: one class per GDI+ object kind, each owning one
// native object, the colour helpers, and the start-up and shutdown of GDI+ for the process.
//
// Sections: start-up; colours; the wrappers (graphics, pen, brushes, string format, font family, font, path,
// image, bitmap).
//
// The last-status rule: a wrapper keeps the status of the flat call that created it; every later operation
// returns its own call's status and keeps it as the last status only when it failed, so GetLastStatus tells the
// most recent failure until the object dies. Nothing here throws: a failed call leaves the object without a native
// handle (drawing with it then shows nothing), and while GDI+ is not running no flat call is made at all and the
// status is GdiplusNotInitialized.
//
// Wrappers passed as arguments may be null (the flat call receives a null handle). Texts are 8-bit strings in
// the Windows code page, converted to UTF-16 for GDI+. Use the wrappers only in the GUI thread.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include <cstdint>
#include <string>

#include "classlib/Graphics.h"

using TGPStatus = Gdiplus::Status;
using ARGB = Gdiplus::ARGB;
using TGPRectF = Gdiplus::RectF;

// ---- start-up -------------------------------------------------------------------------------------------------

// GDI+ for the whole process, counted: the first start starts it (with its own background thread), the last stop
// shuts it down. A failed start-up is counted too, so each start still takes one stop; the next first start tries
// again. Returns the start-up's status.
TGPStatus StartGdiplus();
void StopGdiplus();
// Whether GDI+ started and has not been shut down.
bool GdiplusRunning();
// The status of the current start-up; GdiplusNotInitialized while nothing holds GDI+ started.
TGPStatus GdiplusStartupStatus();
// The GDI+ version the next start-up asks for (1 unless changed); tests ask for one the platform refuses.
void SetGdiplusStartupVersion(UINT32 version);

// Holds GDI+ started for its own life time.
class TGdiplusSession {
public:
  TGdiplusSession() { StartGdiplus(); }
  ~TGdiplusSession() { StopGdiplus(); }
  TGdiplusSession(const TGdiplusSession&) = delete;
  TGdiplusSession& operator=(const TGdiplusSession&) = delete;
};

// ---- colours --------------------------------------------------------------------------------------------------

// System colours resolved first; alpha 255, red and blue trade places: 0xFFRRGGBB.
ARGB ColorToARGB(TColor color);
constexpr ARGB MakeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<ARGB>(a) << 24 | static_cast<ARGB>(r) << 16 | static_cast<ARGB>(g) << 8 | b;
}
constexpr uint8_t GetAlpha(ARGB c) { return static_cast<uint8_t>(c >> 24); }
constexpr uint8_t GetRed(ARGB c) { return static_cast<uint8_t>(c >> 16); }
constexpr uint8_t GetGreen(ARGB c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t GetBlue(ARGB c) { return static_cast<uint8_t>(c); }

// ---- the wrappers ---------------------------------------------------------------------------------------------

class TGdiplusBase {
public:
  virtual ~TGdiplusBase() = default;
  TGdiplusBase(const TGdiplusBase&) = delete;
  TGdiplusBase& operator=(const TGdiplusBase&) = delete;

  TGPStatus GetLastStatus() const { return lastStatus_; }

protected:
  TGdiplusBase() = default;
  // The creating call: its status is kept whatever it is.
  template <class TCall>
  void Create(TCall&& call) {
    lastStatus_ = GdiplusRunning() ? call() : Gdiplus::GdiplusNotInitialized;
  }
  // A later operation: its status, kept only when it failed.
  template <class TCall>
  TGPStatus Step(TCall&& call) {
    return Keep(GdiplusRunning() ? call() : Gdiplus::GdiplusNotInitialized);
  }
  // A status found without a call (a refused argument) counts as an operation's.
  TGPStatus Keep(TGPStatus status) {
    if (status != Gdiplus::Ok) lastStatus_ = status;
    return status;
  }
  // Whether a native object may be deleted: it exists and GDI+ still runs (a shutdown already freed it).
  template <class T>
  static bool Deletable(T* native) {
    return native && GdiplusRunning();
  }

private:
  TGPStatus lastStatus_ = Gdiplus::Ok;
};

class TGPPen;
class TGPBrush;
class TGPFont;
class TGPStringFormat;
class TGPGraphicsPath;
class TGPImage;

class TGPGraphics : public TGdiplusBase {
public:
  explicit TGPGraphics(HDC dc);
  ~TGPGraphics() override;

  TGPStatus SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
  TGPStatus SetSmoothingMode(Gdiplus::SmoothingMode mode);
  TGPStatus DrawPath(const TGPPen* pen, const TGPGraphicsPath* path);
  TGPStatus FillRectangle(const TGPBrush* brush, float x, float y, float width, float height);
  TGPStatus FillRectangle(const TGPBrush* brush, const TGPRectF& rect);
  TGPStatus DrawRectangle(const TGPPen* pen, float x, float y, float width, float height);
  TGPStatus DrawImage(const TGPImage* image, int x, int y, int width, int height);
  // `length` -1: the whole text.
  TGPStatus DrawString(const std::string& text, int length, const TGPFont* font, const TGPRectF& layout,
                       const TGPStringFormat* format, const TGPBrush* brush);
  TGPStatus MeasureString(const std::string& text, int length, const TGPFont* font, const TGPRectF& layout,
                          const TGPStringFormat* format, TGPRectF& bounds, int* charactersFitted = nullptr,
                          int* linesFilled = nullptr);

  Gdiplus::GpGraphics* Native() const { return native_; }

private:
  Gdiplus::GpGraphics* native_ = nullptr;
};

class TGPPen : public TGdiplusBase {
public:
  // Width in world units.
  TGPPen(ARGB color, float width = 1.0f);
  ~TGPPen() override;
  TGPStatus SetDashStyle(Gdiplus::DashStyle style);
  Gdiplus::GpPen* Native() const { return native_; }

private:
  Gdiplus::GpPen* native_ = nullptr;
};

// The brushes share one native kind; the derived classes create it.
class TGPBrush : public TGdiplusBase {
public:
  ~TGPBrush() override;
  Gdiplus::GpBrush* Native() const { return native_; }

protected:
  TGPBrush() = default;
  Gdiplus::GpBrush* native_ = nullptr;
};

class TGPSolidBrush : public TGPBrush {
public:
  explicit TGPSolidBrush(ARGB color);
};

class TGPLinearGradientBrush : public TGPBrush {
public:
  // Wrap mode tile.
  TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, Gdiplus::LinearGradientMode mode);
};

class TGPPathGradientBrush : public TGPBrush {
public:
  explicit TGPPathGradientBrush(const TGPGraphicsPath* path);
  TGPStatus SetCenterColor(ARGB color);
  // The number of points of the brush's path (0 when it cannot be asked).
  int GetPointCount();
  // Refuses (InvalidParameter, no call) absent colours, a brush without points and more colours than points;
  // otherwise `count` receives how many colours GDI+ took.
  TGPStatus SetSurroundColors(const ARGB* colors, int& count);
  TGPStatus SetCenterPoint(TPoint point);

private:
  Gdiplus::GpPathGradient* Gradient() const { return static_cast<Gdiplus::GpPathGradient*>(native_); }
};

class TGPStringFormat : public TGdiplusBase {
public:
  explicit TGPStringFormat(int formatFlags = 0, LANGID language = LANG_NEUTRAL);
  ~TGPStringFormat() override;
  TGPStatus SetAlignment(Gdiplus::StringAlignment align);
  TGPStatus SetLineAlignment(Gdiplus::StringAlignment align);
  TGPStatus SetTrimming(Gdiplus::StringTrimming trimming);
  TGPStatus SetHotkeyPrefix(Gdiplus::HotkeyPrefix prefix);
  Gdiplus::GpStringFormat* Native() const { return native_; }

private:
  Gdiplus::GpStringFormat* native_ = nullptr;
};

class TGPFontFamily : public TGdiplusBase {
public:
  // From the installed fonts.
  explicit TGPFontFamily(const std::string& name);
  ~TGPFontFamily() override;
  Gdiplus::GpFontFamily* Native() const { return native_; }

private:
  Gdiplus::GpFontFamily* native_ = nullptr;
};

class TGPFont : public TGdiplusBase {
public:
  // `style`: the bits FontStyleBold, FontStyleItalic, FontStyleUnderline, FontStyleStrikeout.
  TGPFont(const TGPFontFamily* family, float size, int style = Gdiplus::FontStyleRegular,
          Gdiplus::Unit unit = Gdiplus::UnitPoint);
  ~TGPFont() override;
  Gdiplus::GpFont* Native() const { return native_; }

private:
  Gdiplus::GpFont* native_ = nullptr;
};

class TGPGraphicsPath : public TGdiplusBase {
public:
  explicit TGPGraphicsPath(Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
  ~TGPGraphicsPath() override;
  TGPStatus CloseFigure();
  TGPStatus AddLine(float x1, float y1, float x2, float y2);
  TGPStatus AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  TGPStatus AddEllipse(float x, float y, float width, float height);
  Gdiplus::GpPath* Native() const { return native_; }

private:
  Gdiplus::GpPath* native_ = nullptr;
};

// The image formats GetRawFormat reports (the numbers of TPictureFormat).
class TGPImage : public TGdiplusBase {
public:
  // Decodes the stream from its current position; with `useEmbeddedColorManagement` the file's colour profile
  // applies.
  explicit TGPImage(IStream* stream, bool useEmbeddedColorManagement = false);
  ~TGPImage() override;
  // 0 unknown, 1 memory bitmap, 2 BMP, 3 EMF, 4 WMF, 5 JPEG, 6 PNG, 7 GIF, 8 TIFF, 9 EXIF, 10 icon.
  int GetRawFormat();
  UINT GetWidth();
  UINT GetHeight();
  TGPStatus RotateFlip(Gdiplus::RotateFlipType type);
  Gdiplus::GpImage* Native() const { return native_; }

protected:
  TGPImage() = default;
  Gdiplus::GpImage* native_ = nullptr;
};

class TGPBitmap : public TGPImage {
public:
  explicit TGPBitmap(IStream* stream, bool useEmbeddedColorManagement = false);
  // A bitmap of its own memory, all pixels transparent black.
  TGPBitmap(int width, int height, Gdiplus::PixelFormat format = PixelFormat32bppARGB);
  // 0 when the pixel cannot be read.
  ARGB GetPixel(int x, int y);
  TGPStatus SetPixel(int x, int y, ARGB color);

private:
  Gdiplus::GpBitmap* Bitmap() const { return static_cast<Gdiplus::GpBitmap*>(native_); }
};
