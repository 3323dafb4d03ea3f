// Feeds arbitrary bytes to the picture byte readers: the format test and the GIF frame selection, for the frame
// the first byte picks, must answer within the bytes given, and the frame's copy must lie inside them: the whole
// input when it is passed on, else a part of the input's start (the header before the first frame) followed by a
// part of its end (the frame chosen and everything after it). Asked for its first frame, such a copy is itself,
// with the same frame rectangle.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/core/PictureBytes.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Whether `copy` is a prefix of `input` followed by a suffix of it.
bool PrefixThenSuffix(std::span<const uint8_t> copy, std::span<const uint8_t> input) {
  if (copy.size() > input.size()) return false;
  size_t prefix = 0;
  while (prefix < copy.size() && copy[prefix] == input[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < copy.size() - prefix && copy[copy.size() - 1 - suffix] == input[input.size() - 1 - suffix]) ++suffix;
  return prefix + suffix == copy.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  PictureFormatOf(bytes);
  const int count = GifFrameCount(bytes);
  const TGifFrame frame = SelectGifFrame(bytes, static_cast<int8_t>(data[0]));
  if (frame.Frame == 0) {
    Check(frame.Bytes.size() == bytes.size() && std::equal(bytes.begin(), bytes.end(), frame.Bytes.begin()));
    return 0;
  }
  Check(frame.Frame >= 1 && frame.Frame <= count);
  Check(PrefixThenSuffix(frame.Bytes, bytes));
  const TGifFrame again = SelectGifFrame(frame.Bytes, 1);
  Check(again.Frame == 1 && again.Bytes == frame.Bytes);
  Check(again.Left == frame.Left && again.Top == frame.Top && again.Width == frame.Width &&
        again.Height == frame.Height);
  return 0;
}
