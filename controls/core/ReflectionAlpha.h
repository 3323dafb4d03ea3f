// The reflection label's fade: the alpha of each row of the mirrored text and of each pixel in it. Exact
// integer arithmetic, rounded half to even.
#pragma once

#include <cstdint>

// The alpha of row y (0 at the top) of a reflection `height` rows high: round(255 / height x (height - y)) less
// `reduction`, within 0..255. 0 for rows outside the reflection.
int ReflectionRowAlpha(int height, int y, int reduction);
// A pixel of alpha `alpha` in a row of alpha `rowAlpha`: round(rowAlpha / 255 x alpha).
uint8_t ReflectionPixelAlpha(int rowAlpha, uint8_t alpha);
