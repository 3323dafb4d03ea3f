#include "controls/core/GlowColors.h"

#include <algorithm>

namespace {

// numerator / 100 rounded to the nearest integer, ties to the even one; numerator >= 0.
int64_t RoundHundredths(int64_t numerator) {
  const int64_t whole = numerator / 100;
  const int64_t rest = numerator % 100;
  if (rest > 50 || (rest == 50 && (whole & 1) != 0)) return whole + 1;
  return whole;
}

uint32_t Channel(uint32_t rgb, int shift) { return (rgb >> shift) & 0xFF; }

uint32_t DarkenChannel(uint32_t c, int64_t percent) {
  if (c == 0) return static_cast<uint32_t>(std::clamp<int64_t>(percent, 0, 255));
  // Percent is clamped before it is added, so the sum cannot overflow.
  const int64_t factor = std::clamp<int64_t>(percent, -100, 0) + 100;
  return static_cast<uint32_t>(RoundHundredths(factor * c));
}

}  // namespace

uint32_t DarkenRgbChannels(uint32_t rgb, int64_t red, int64_t green, int64_t blue) {
  return DarkenChannel(Channel(rgb, 0), red) | DarkenChannel(Channel(rgb, 8), green) << 8 |
         DarkenChannel(Channel(rgb, 16), blue) << 16;
}

uint32_t DarkenRgb(uint32_t rgb, int64_t percent) { return DarkenRgbChannels(rgb, percent, percent, percent); }

uint32_t MixRgb(uint32_t a, uint32_t b, int64_t percent) {
  if (percent >= 100) return a & 0xFFFFFF;
  if (percent < 1) return b & 0xFFFFFF;
  uint32_t mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int64_t value = percent * Channel(a, shift) + (100 - percent) * Channel(b, shift);
    mixed |= static_cast<uint32_t>(RoundHundredths(value)) << shift;
  }
  return mixed;
}
