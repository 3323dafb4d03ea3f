#include "controls/core/ReflectionAlpha.h"

#include <algorithm>

namespace {

// numerator / denominator (both positive) rounded to the nearest integer, ties to the even one.
int64_t RoundHalfEven(int64_t numerator, int64_t denominator) {
  const int64_t whole = numerator / denominator, twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && (whole & 1) != 0)) return whole + 1;
  return whole;
}

}  // namespace

int ReflectionRowAlpha(int height, int y, int reduction) {
  if (height < 1 || y < 0 || y >= height) return 0;
  const int64_t row = RoundHalfEven(int64_t{255} * (height - y), height);
  return static_cast<int>(std::clamp<int64_t>(row - reduction, 0, 255));
}

uint8_t ReflectionPixelAlpha(int rowAlpha, uint8_t alpha) {
  return static_cast<uint8_t>(RoundHalfEven(int64_t{std::clamp(rowAlpha, 0, 255)} * alpha, 255));
}
