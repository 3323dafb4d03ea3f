// The base of the graphics that keep an image file's bytes as they are and decode them only to draw: the bytes,
// the Empty flag, and reading them from files and streams and writing them back unchanged.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "classlib/Graphics.h"
#include "classlib/core/Streams.h"

class TEncodedGraphic : public TGraphic {
public:
  bool Empty() const override { return empty_; }
  std::span<const uint8_t> Bytes() const { return bytes_; }

  // The file's bytes, then BytesRead(true). Throws EFOpenError or EReadError.
  void LoadFromFile(const std::string& fileName);
  // A given stream's bytes from its position on, then BytesRead(false).
  void LoadFromStream(TStream* stream);
  // The stored bytes as they are.
  void SaveToStream(TStream* stream) const;

protected:
  // Keeps a copy of `bytes`; the graphic is no longer empty.
  void Store(std::span<const uint8_t> bytes);
  // After a file's or a stream's bytes were stored: the graphic decodes them if it must and tells its listeners.
  virtual void BytesRead(bool fromFile) = 0;

  std::vector<uint8_t> bytes_;
  bool empty_ = true;
};
