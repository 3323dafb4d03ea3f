// TGDIPPicture: a graphic that keeps an image file's bytes as they are (PNG, JPEG, GIF, BMP, icon... whatever
// GDI+ reads) and draws them through GDI+: a BMP file at its own size at the rectangle's corner, with its
// bottom-left pixel's colour transparent; any other format stretched into the rectangle. It holds GDI+ started
// while it lives.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/EncodedGraphic.h"
#include "controls/GDIPObjects.h"

class TGDIPPicture : public TEncodedGraphic {
public:
  TGDIPPicture();
  ~TGDIPPicture() override;

  // The size last measured (by Draw or GetImageSizes); 0 until then. Setting them does nothing.
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Nothing for an empty picture. Throws Exception "Could not allocate memory for image" when the image cannot be
  // given to GDI+.
  void Draw(TCanvas& canvas, const TRect& r) override;
  // The layout's and the streaming path: keeps bytes whose leading bytes name an image format, without OnChange;
  // false (and the picture unchanged) for any other bytes.
  bool LoadFromBytes(std::span<const uint8_t> data) override;

  // Empty first. Null clears the bytes, then OnChange, then OnClear; another TGDIPPicture's bytes are copied,
  // then OnChange; any other source is ignored.
  void Assign(const TPersistent* source) override;
  // LoadFromFile: the file's bytes, then OnClear, then OnChange. LoadFromStream: the bytes, then OnChange.
  // Measures the image into Width and Height; false (sizes unchanged) when it is empty or GDI+ cannot read it.
  bool GetImageSizes();

  TNotifyEvent OnClear;

private:
  void BytesRead(bool fromFile) override;

  TGdiplusSession gdiplus_;
  int width_ = 0;
  int height_ = 0;
};
