#include "sddcontrols/core/unSDDColors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sddcolor {

namespace {

// Rounds to the nearest integer, halves to even.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

uint8_t Channel(double v) {
  v = std::clamp(v, 0.0, 1.0);
  return static_cast<uint8_t>(RoundEven(v * 255));
}

uint32_t Rgb(double r, double g, double b) {
  return Channel(r) | (uint32_t{Channel(g)} << 8) | (uint32_t{Channel(b)} << 16);
}

}  // namespace

THLS ColorToHLS(uint32_t rgb) {
  const double r = (rgb & 0xFF) / 255.0;
  const double g = ((rgb >> 8) & 0xFF) / 255.0;
  const double b = ((rgb >> 16) & 0xFF) / 255.0;
  const double mx = std::max({r, g, b});
  const double mn = std::min({r, g, b});
  const double l = (mx + mn) / 2;
  double h = 0;
  double s = 0;
  if (mx != mn) {
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx)
      h = (g - b) / d;
    else if (g == mx)
      h = 2 + (b - r) / d;
    else
      h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  return {static_cast<uint8_t>(RoundEven(240 * h)), static_cast<uint8_t>(RoundEven(240 * s)),
          static_cast<uint8_t>(RoundEven(240 * l))};
}

uint32_t ColorToHLSValue(uint32_t rgb) {
  const THLS v = ColorToHLS(rgb);
  return v.Hue | (uint32_t{v.Saturation} << 8) | (uint32_t{v.Lightness} << 16);
}

uint32_t HLSToColor(uint8_t hue, uint8_t saturation, uint8_t lightness) {
  const double h = hue / 239.0;
  const double s = saturation / 240.0;
  const double l = lightness / 240.0;
  const double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
  if (m2 <= 0) return 0;
  const double m1 = 2 * l - m2;
  const double f = 6 * h;
  const int sextant = static_cast<int>(f);
  const double amount = m2 * ((m2 - m1) / m2) * (f - sextant);
  const double rising = m1 + amount;
  const double falling = m2 - amount;
  switch (sextant) {
    case 1: return Rgb(falling, m2, m1);
    case 2: return Rgb(m1, m2, rising);
    case 3: return Rgb(m1, falling, m2);
    case 4: return Rgb(rising, m1, m2);
    case 5: return Rgb(m2, m1, falling);
    default: return Rgb(m2, rising, m1);
  }
}

uint32_t DarkerColor(uint32_t rgb, uint8_t amount) {
  const THLS v = ColorToHLS(rgb);
  return HLSToColor(v.Hue, v.Saturation, static_cast<uint8_t>(std::max(v.Lightness - amount, 0)));
}

uint32_t LighterColor(uint32_t rgb, uint8_t amount) {
  const THLS v = ColorToHLS(rgb);
  return HLSToColor(v.Hue, v.Saturation, static_cast<uint8_t>(std::min(v.Lightness + amount, 255)));
}

uint32_t ChangeColorLightness(uint32_t rgb, int amount) {
  amount = std::clamp(amount, -255, 255);
  if (amount > 0) return LighterColor(rgb, static_cast<uint8_t>(amount));
  if (amount < 0) return DarkerColor(rgb, static_cast<uint8_t>(-amount));
  return rgb & 0xFFFFFF;
}

uint32_t ComplementColor(uint32_t rgb, uint8_t lightness) {
  const THLS v = ColorToHLS(rgb);
  const int hue = v.Hue < 120 ? v.Hue + 120 : v.Hue - 120;
  return HLSToColor(static_cast<uint8_t>(hue), 240, lightness);
}

uint32_t BlendColors(uint32_t rgb1, uint32_t rgb2, uint8_t alpha) {
  const double a = alpha / 255.0;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double c1 = (rgb1 >> shift) & 0xFF;
    const double c2 = (rgb2 >> shift) & 0xFF;
    result |= static_cast<uint32_t>(RoundEven(c1 * a + c2 * (1 - a))) << shift;
  }
  return result;
}

bool ColorsSimilar(uint32_t rgb1, uint32_t rgb2) {
  const THLS a = ColorToHLS(rgb1);
  const THLS b = ColorToHLS(rgb2);
  return std::abs(a.Hue - b.Hue) < 20 && std::abs(a.Lightness - b.Lightness) < 60;
}

}  // namespace sddcolor
