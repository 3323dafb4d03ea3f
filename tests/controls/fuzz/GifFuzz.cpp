// Feeds arbitrary bytes to the picture byte readers: the format test and the GIF frame selection, for the frame
// the first byte picks, must answer within the bytes given.
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/core/PictureBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  PictureFormatOf(bytes);
  GifFrameCount(bytes);
  const TGifFrame frame = SelectGifFrame(bytes, static_cast<int8_t>(data[0]));
  if (frame.Bytes.size() > bytes.size()) __builtin_trap();  // never more than was given
  return 0;
}
