// Drawing: colours, rectangles, the GDI object wrappers (pen, brush, font), the canvas over a device context, and
// the graphics a picture can hold (DIB-section bitmap, PNG image).
//
// Sections: geometry; colours; pen, brush, font; canvas; graphics (TGraphic, TBitmap, TPngGraphic); TPicture.
//
// Every GDI object is owned by exactly one wrapper and deleted by it; a canvas selects its objects into the DC only
// while it holds the DC and puts the DC's original objects back before it lets go, so the wrappers can always
// delete theirs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "classlib/core/Geometry.h"
#include "classlib/core/LayoutSets.h"
#include "classlib/core/Objects.h"
#include "classlib/core/PngImage.h"

// Stores `value` in `field` when it differs and says whether it did: a setter then repaints or lays out again,
// and an unchanged value does nothing.
template <class T>
bool StoreChanged(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// ---- geometry -------------------------------------------------------------------------------------------------

// TPoint and TRect (classlib/core/Geometry.h) to and from the platform's rectangle.
inline RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// ---- colours --------------------------------------------------------------------------------------------------

// 0x00BBGGRR for a plain colour; 0xFF0000nn for system colour nn (resolved by ColorToRGB at run time, because the
// theme decides it); clNone and clDefault are markers, not colours.
using TColor = uint32_t;

constexpr TColor SysColor(int index) { return 0xFF000000u | static_cast<uint32_t>(index); }
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
// The four extra named colours layouts use (the tile picker's sky-blue lines, the combo boxes' cream focus).
constexpr TColor clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR), clBackground = SysColor(COLOR_BACKGROUND),
                 clActiveCaption = SysColor(COLOR_ACTIVECAPTION),
                 clInactiveCaption = SysColor(COLOR_INACTIVECAPTION), clMenu = SysColor(COLOR_MENU),
                 clWindow = SysColor(COLOR_WINDOW), clWindowFrame = SysColor(COLOR_WINDOWFRAME),
                 clMenuText = SysColor(COLOR_MENUTEXT), clWindowText = SysColor(COLOR_WINDOWTEXT),
                 clCaptionText = SysColor(COLOR_CAPTIONTEXT), clActiveBorder = SysColor(COLOR_ACTIVEBORDER),
                 clInactiveBorder = SysColor(COLOR_INACTIVEBORDER), clAppWorkSpace = SysColor(COLOR_APPWORKSPACE),
                 clHighlight = SysColor(COLOR_HIGHLIGHT), clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT),
                 clBtnFace = SysColor(COLOR_BTNFACE), clBtnShadow = SysColor(COLOR_BTNSHADOW),
                 clGrayText = SysColor(COLOR_GRAYTEXT), clBtnText = SysColor(COLOR_BTNTEXT),
                 clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT),
                 clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = SysColor(COLOR_3DDKSHADOW),
                 cl3DLight = SysColor(COLOR_3DLIGHT), clInfoText = SysColor(COLOR_INFOTEXT),
                 clInfoBk = SysColor(COLOR_INFOBK), clHotLight = SysColor(COLOR_HOTLIGHT),
                 clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION),
                 clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION),
                 clMenuHighlight = SysColor(COLOR_MENUHILIGHT), clMenuBar = SysColor(COLOR_MENUBAR);

// The plain RGB value of a colour: system colours through GetSysColor; clNone gives black, clDefault white.
TColor ColorToRGB(TColor color);
// Colour names ("clBtnFace") to values and back, case-insensitive; false for an unknown name or value.
bool IdentToColor(const std::string& ident, TColor& color);
bool ColorToIdent(TColor color, std::string& ident);
struct TColorName {
  const char* Name;
  TColor Value;
};
// Every colour name with its value, for the layout reader.
std::span<const TColorName> ColorNames();

// ---- pen, brush, font -----------------------------------------------------------------------------------------

// A GDI object description whose handle is made on first use and remade after a change. OnChange fires after
// every change; the canvas and the controls listen to it.
class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;
  // Fired before the handle is deleted: a canvas that holds it selected puts its DC's own object back first
  // (GDI does not delete an object that is selected into a DC).
  TNotifyEvent OnReleaseHandle;

protected:
  void Changed();
  // Deletes the GDI handle (remade on next use).
  virtual void Drop() = 0;
  // After the description changed: lets go of the stale handle and tells the listeners.
  void Recreate();
  // Stores a changed value, then Recreate.
  template <class T>
  void Update(T& field, const T& value) {
    if (StoreChanged(field, value)) Recreate();
  }
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
public:
  TPen();
  ~TPen() override;
  TColor Color() const { return data_.Color; }
  void SetColor(TColor value) { Update(data_.Color, value); }
  int Width() const { return data_.Width; }
  void SetWidth(int value) { Update(data_.Width, value); }
  TPenStyle Style() const { return data_.Style; }
  void SetStyle(TPenStyle value) { Update(data_.Style, value); }
  HPEN Handle();
  void Assign(const TPersistent* source) override;

private:
  struct TData {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    friend bool operator==(const TData&, const TData&) = default;
  };
  void Drop() override;
  TData data_;
  HPEN handle_ = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
  TBrush();
  ~TBrush() override;
  TColor Color() const { return data_.Color; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return data_.Style; }
  void SetStyle(TBrushStyle value) { Update(data_.Style, value); }
  HBRUSH Handle();
  void Assign(const TPersistent* source) override;

private:
  struct TData {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TData&, const TData&) = default;
  };
  void Drop() override;
  TData data_;
  HBRUSH handle_ = nullptr;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TGraphicsObject {
public:
  TFont();
  ~TFont() override;

  const std::string& Name() const { return data_.Name; }
  void SetName(const std::string& value) { Update(data_.Name, value); }
  // Height in pixels: negative for the character height, positive for the cell height (as in LOGFONT).
  int Height() const { return data_.Height; }
  void SetHeight(int value) { Update(data_.Height, value); }
  // Size in points at the screen's resolution; setting it sets a negative Height.
  int Size() const;
  void SetSize(int value);
  TFontStyles Style() const { return data_.Style; }
  void SetStyle(TFontStyles value) { Update(data_.Style, value); }
  TColor Color() const { return data_.Color; }
  // The colour is no part of the GDI font: the handle stays.
  void SetColor(TColor value) {
    if (StoreChanged(data_.Color, value)) Changed();
  }
  uint8_t Charset() const { return data_.Charset; }
  void SetCharset(uint8_t value) { Update(data_.Charset, value); }
  // Rotation of the base line in tenths of a degree, counter-clockwise.
  int Orientation() const { return data_.Orientation; }
  void SetOrientation(int value) { Update(data_.Orientation, value); }
  HFONT Handle();
  void Assign(const TPersistent* source) override;

  // Logical pixels per inch of the screen (96 when it cannot be asked).
  static int ScreenPixelsPerInch();

private:
  struct TData {
    std::string Name = "Tahoma";
    int Height = -11;
    TFontStyles Style;
    TColor Color = clWindowText;
    uint8_t Charset = DEFAULT_CHARSET;
    int Orientation = 0;
    friend bool operator==(const TData&, const TData&) = default;
  };
  void Drop() override;
  TData data_;
  HFONT handle_ = nullptr;
};

// ---- canvas ---------------------------------------------------------------------------------------------------

class TGraphic;

// Drawing on a device context the canvas does not own. Pen, brush and font are selected lazily before each call
// that uses them; SetHandle(nullptr) deselects them and restores the DC's own objects.
class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The DC, asking CreateHandle for one when none is set (null when none can be had).
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  void SetHandle(HDC dc);

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }

  TPoint PenPos() const { return penPos_; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);
  void Polygon(std::span<const TPoint> points);
  void Rectangle(const TRect& r);
  void RoundRect(const TRect& r, int cornerWidth, int cornerHeight);
  void Ellipse(const TRect& r);
  void FillRect(const TRect& r);    // with the brush, no outline
  void FrameRect(const TRect& r);   // one-pixel frame with the brush
  void DrawFocusRect(const TRect& r);

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // Text with the font; the background is filled with the brush unless the brush style is bsClear.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to r.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  // DrawText with the given DT_* flags; returns the text height (with DT_CALCRECT, r is widened to fit).
  int DrawText(const std::string& text, TRect& r, UINT flags);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

  // The clip box in logical coordinates.
  TRect ClipRect();

protected:
  // Called when a drawing call needs a DC and none is set; derived canvases get one here.
  virtual void CreateHandle() {}

private:
  enum : unsigned { PenValid = 1, BrushValid = 2, FontValid = 4 };
  bool Require(unsigned what);
  void Deselect();
  // Puts the DC's own object of one kind back (before the canvas's is deleted or replaced).
  void Unselect(unsigned what);

  HDC dc_ = nullptr;
  unsigned valid_ = 0;
  HGDIOBJ oldPen_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  TPoint penPos_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
};

// One 3-D ring `width` pixels wide inside r: the top and left edges in `topLeft`, the right and bottom edges in
// `bottomRight` (which also take the top-right and bottom-left corners). Returns the rectangle inside it.
TRect Frame3D(TCanvas& canvas, TRect r, TColor topLeft, TColor bottomRight, int width);

// ---- graphics -------------------------------------------------------------------------------------------------

class TGraphic : public TPersistent {
public:
  TNotifyEvent OnChange;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  // Draws the whole graphic stretched into r.
  virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
  // Reads the graphic from its file bytes; false (and the graphic unchanged) when they are not readable.
  virtual bool LoadFromBytes(std::span<const uint8_t> data) = 0;

protected:
  void Changed();
};

enum TPixelFormat { pf16bit, pf24bit, pf32bit };

// A top-down DIB section with direct pixel access and a canvas of its own (a memory DC that holds the bitmap
// while the canvas exists).
class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return handle_ == nullptr; }
  void Draw(TCanvas& canvas, const TRect& r) override;
  // Reads a BMP file ("BM" header, uncompressed 16, 24 or 32 bits).
  bool LoadFromBytes(std::span<const uint8_t> data) override;
  void Assign(const TPersistent* source) override;

  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat value);
  // Makes a new bitmap of the size (contents cleared to zero); 0 x 0 frees it.
  void SetSize(int width, int height);
  void SetWidth(int value) { SetSize(value, height_); }
  void SetHeight(int value) { SetSize(width_, value); }

  // Row y of the pixels: 16-bit RGB565, 24-bit BGR, 32-bit BGRA words; rows are padded to 4 bytes.
  uint8_t* ScanLine(int y);
  int BytesPerLine() const { return stride_; }
  HBITMAP Handle() const { return handle_; }
  TCanvas& Canvas();

private:
  class TBitmapCanvas;
  bool Recreate(int width, int height, TPixelFormat format);
  void FreeImage();

  HBITMAP handle_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  TPixelFormat format_ = pf24bit;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

// A PNG image drawn with its per-pixel alpha: the image is kept as decoded RGBA and turned into a premultiplied
// 32-bit bitmap on first draw.
class TPngGraphic : public TGraphic {
public:
  TPngGraphic();
  ~TPngGraphic() override;

  int Width() const override { return static_cast<int>(image_.Width()); }
  int Height() const override { return static_cast<int>(image_.Height()); }
  bool Empty() const override { return image_.Empty(); }
  void Draw(TCanvas& canvas, const TRect& r) override;
  bool LoadFromBytes(std::span<const uint8_t> data) override;
  void Assign(const TPersistent* source) override;

  const TPngImage& Image() const { return image_; }
  // Replaces the image (e.g. one made pixel by pixel) and tells the listeners.
  void SetImage(const TPngImage& image);

private:
  HBITMAP Premultiplied();
  TPngImage image_;
  HBITMAP cache_ = nullptr;
};

// ---- TPicture -------------------------------------------------------------------------------------------------

// Holds one graphic of any kind; a layout gives it as the file's bytes (`Picture.Data = {...}`), and the kind is
// told from the leading bytes (PNG signature, "BM").
class TPicture : public TPersistent {
public:
  TNotifyEvent OnChange;

  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes a copy of `graphic` (null empties the picture).
  void SetGraphic(const TGraphic* graphic);
  // The picture as a bitmap: replaces any other graphic with an empty bitmap.
  TBitmap& Bitmap();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  bool LoadFromBytes(std::span<const uint8_t> data);
  void Assign(const TPersistent* source) override;

private:
  void Take(std::unique_ptr<TGraphic> graphic);
  std::unique_ptr<TGraphic> graphic_;
};
