#include "controls/GDIPicture.h"

#include "controls/ImageStream.h"
#include "controls/core/PictureBytes.h"

namespace {

constexpr const char* kNoMemory = "Could not allocate memory for image";

}  // namespace

TGDIPPicture::TGDIPPicture() = default;
TGDIPPicture::~TGDIPPicture() = default;

void TGDIPPicture::Draw(TCanvas& canvas, const TRect& r) {
  const std::span<const uint8_t> bytes = Bytes();
  if (empty_ || bytes.empty()) return;
  // The format comes from the leading bytes: GDI+ reports icons as BMP too.
  if (PictureFormatOf(bytes) == TPictureFormat::Bmp) {
    TBitmap bitmap;
    if (bitmap.LoadFromBytes(bytes)) {
      const TColor transparent = bitmap.Canvas().Pixel(0, bitmap.Height() - 1);
      TransparentBlt(canvas.Handle(), r.Left, r.Top, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0,
                     bitmap.Width(), bitmap.Height(), transparent);
      return;
    }
  }
  // The stream is declared first: the graphics and the image that read it are released before it.
  const ComPtr<IStream> stream = CreateImageStream(bytes, kNoMemory);
  TGPGraphics graphics(canvas.Handle());
  TGPImage image(stream.Get());
  if (image.GetLastStatus() != Gdiplus::Ok) return;
  width_ = static_cast<int>(image.GetWidth());
  height_ = static_cast<int>(image.GetHeight());
  if (PictureFormatOf(bytes) == TPictureFormat::Bmp) graphics.DrawImage(&image, r.Left, r.Top, width_, height_);
  else graphics.DrawImage(&image, r.Left, r.Top, r.Width(), r.Height());
}

bool TGDIPPicture::LoadFromBytes(std::span<const uint8_t> data) {
  if (PictureFormatOf(data) == TPictureFormat::Unknown) return false;
  Store(data);
  return true;
}

void TGDIPPicture::Assign(const TPersistent* source) {
  if (source == this) return;
  empty_ = true;
  if (!source) {
    bytes_.clear();
    Changed();
    OnClear(this);
    return;
  }
  if (auto* other = dynamic_cast<const TGDIPPicture*>(source)) {
    Store(other->bytes_);
    Changed();
  }
}

void TGDIPPicture::BytesRead(bool fromFile) {
  if (fromFile) OnClear(this);
  Changed();
}

bool TGDIPPicture::GetImageSizes() {
  const std::span<const uint8_t> bytes = Bytes();
  if (empty_ || bytes.empty()) return false;
  const ComPtr<IStream> stream = CreateImageStream(bytes, kNoMemory);
  TGPImage image(stream.Get());
  if (image.GetLastStatus() != Gdiplus::Ok) return false;
  width_ = static_cast<int>(image.GetWidth());
  height_ = static_cast<int>(image.GetHeight());
  return true;
}
