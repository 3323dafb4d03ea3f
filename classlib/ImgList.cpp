#include "classlib/ImgList.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  auto scale = [a](uint8_t c) { return static_cast<uint32_t>((c * a + 127) / 255); };
  return scale(b) | scale(g) << 8 | scale(r) << 16 | static_cast<uint32_t>(a) << 24;
}

// The graphic as straight RGBA rows: PNG images as decoded, other graphics drawn onto an opaque bitmap with the
// pixels of `transparent` cleared.
TPngImage ToRgba(TGraphic& image, TColor transparent) {
  TPngImage rgba;
  if (auto* png = dynamic_cast<TPngGraphic*>(&image)) return png->Image();
  if (image.Empty() || !rgba.CreateBlank(image.Width(), image.Height())) return rgba;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(image.Width(), image.Height());
  image.Draw(bitmap.Canvas(), {0, 0, image.Width(), image.Height()});
  TColor key = transparent == clNone ? clNone : ColorToRGB(transparent);
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* in = bitmap.ScanLine(y);
    TRgba* out = rgba.Row(static_cast<uint32_t>(y));
    for (int x = 0; x < image.Width(); ++x, in += 4) {
      TColor c = static_cast<TColor>(in[2] | in[1] << 8 | in[0] << 16);
      out[x] = {in[2], in[1], in[0], static_cast<uint8_t>(c == key ? 0 : 255)};
    }
  }
  return rgba;
}

}  // namespace

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : links_) link->sender_ = nullptr;
}

void TCustomImageList::SetWidth(int value) {
  if (value < 1 || value == width_) return;
  width_ = value;
  Clear();
}

void TCustomImageList::SetHeight(int value) {
  if (value < 1 || value == height_) return;
  height_ = value;
  Clear();
}

int TCustomImageList::Add(TGraphic& image, TColor transparent) {
  TPngImage rgba = ToRgba(image, transparent);
  if (rgba.Empty()) return -1;
  const int first = count_;
  const int cells = std::max(1, static_cast<int>(rgba.Width()) / width_);
  for (int cell = 0; cell < cells; ++cell) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        TRgba p = rgba.Pixel(static_cast<uint32_t>(cell * width_ + x), static_cast<uint32_t>(y));
        pixels_.push_back(Premultiply(p.R, p.G, p.B, p.A));
      }
    ++count_;
  }
  Change();
  return first;
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= count_) return;
  const auto size = static_cast<ptrdiff_t>(width_) * height_;
  pixels_.erase(pixels_.begin() + index * size, pixels_.begin() + (index + 1) * size);
  --count_;
  Change();
}

void TCustomImageList::Clear() {
  pixels_.clear();
  count_ = 0;
  Change();
}

void TCustomImageList::Blend(TCanvas& canvas, int x, int y, const uint32_t* pixels) {
  HDC dest = canvas.Handle();
  if (!dest) return;
  TBitmap cell;
  cell.SetPixelFormat(pf32bit);
  cell.SetSize(width_, height_);
  for (int row = 0; row < height_; ++row)
    std::memcpy(cell.ScanLine(row), pixels + static_cast<ptrdiff_t>(row) * width_, static_cast<size_t>(width_) * 4);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dest, x, y, width_, height_, cell.Canvas().Handle(), 0, 0, width_, height_, blend);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (index < 0 || index >= count_) return;
  const uint32_t* image = pixels_.data() + static_cast<ptrdiff_t>(index) * width_ * height_;
  if (enabled) return Blend(canvas, x, y, image);
  const size_t size = static_cast<size_t>(width_) * height_;
  std::vector<uint32_t> shape(size);
  auto paintShape = [&](TColor color) {
    TColor rgb = ColorToRGB(color);
    uint32_t opaque = Premultiply(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF, 255);
    for (size_t i = 0; i < size; ++i) shape[i] = (image[i] >> 24) >= 128 ? opaque : 0;
  };
  paintShape(clBtnHighlight);
  Blend(canvas, x + 1, y + 1, shape.data());
  paintShape(clBtnShadow);
  Blend(canvas, x, y, shape.data());
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ == this) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ != this) return;
  link->sender_ = nullptr;
  std::erase(links_, link);
}

void TCustomImageList::Change() {
  OnChange(this);
  // By index: a handler may free its own link (or another one) meanwhile.
  for (size_t i = 0; i < links_.size(); ++i) links_[i]->OnChange(this);
}
