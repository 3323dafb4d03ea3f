// Colour maths of the SDD library in the hue-lightness-saturation model, every component a byte on a 0..240
// scale. Colours here are plain RGB values 0x00BBGGRR (red in the low byte); the painting unit resolves system
// colours before it calls these.
#pragma once

#include <cstdint>

namespace sddcolor {

struct THLS {
  uint8_t Hue = 0;
  uint8_t Saturation = 0;
  uint8_t Lightness = 0;
  friend bool operator==(const THLS&, const THLS&) = default;
};

// The byte above the low 24 bits is ignored.
THLS ColorToHLS(uint32_t rgb);
// Hue | Saturation << 8 | Lightness << 16.
uint32_t ColorToHLSValue(uint32_t rgb);
// The hue is read against 239 (not 240); components above the scale saturate each channel at full intensity.
uint32_t HLSToColor(uint8_t hue, uint8_t saturation, uint8_t lightness);

uint32_t DarkerColor(uint32_t rgb, uint8_t amount);
// Lightness may rise to 255, past the scale's 240: the channels then clamp at full intensity.
uint32_t LighterColor(uint32_t rgb, uint8_t amount);
// Lighter for a positive amount, darker for a negative one; the amount is clamped to -255..255.
uint32_t ChangeColorLightness(uint32_t rgb, int amount);
// The hue turned by 120 with full saturation and the given lightness.
uint32_t ComplementColor(uint32_t rgb, uint8_t lightness);
// Each channel round(c1 x a + c2 x (1 - a)), a = alpha / 255.
uint32_t BlendColors(uint32_t rgb1, uint32_t rgb2, uint8_t alpha);
// Hues less than 20 and lightnesses less than 60 apart.
bool ColorsSimilar(uint32_t rgb1, uint32_t rgb2);

}  // namespace sddcolor
