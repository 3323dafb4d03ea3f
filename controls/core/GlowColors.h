// Colour arithmetic of the glow button on plain RGB values (0x00BBGGRR; system colours are resolved by the
// caller). Percentages scale each channel exactly: the products are formed in 64 bits and rounded half to even,
// so no percentage, however large, overflows or drifts.
#pragma once

#include <cstdint>

// Each channel c becomes round(min(percent + 100, 100) / 100 x c) when c is not 0, and max(percent, 0) (at most
// 255) when it is 0: a negative percent darkens by that much; 0 or more leaves lit channels and lifts dark ones.
uint32_t DarkenRgb(uint32_t rgb, int64_t percent);
// The same rule with a percent of its own for red, green and blue.
uint32_t DarkenRgbChannels(uint32_t rgb, int64_t red, int64_t green, int64_t blue);
// `a` at 100 percent or more, `b` below 1, otherwise each channel round(p/100 x a + (1 - p/100) x b).
uint32_t MixRgb(uint32_t a, uint32_t b, int64_t percent);
