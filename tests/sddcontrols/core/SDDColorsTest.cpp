#include <gtest/gtest.h>

#include <cstdint>

#include "sddcontrols/core/unSDDColors.h"

using namespace sddcolor;

namespace {

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

TEST(SDDColors, HlsConversionsMeetTheirCheckValues) {
  EXPECT_EQ(HLSToColor(160, 240, 120), Rgb(4, 0, 255));  // hue read against 239: 240 would give pure blue
  EXPECT_EQ(HLSToColor(0, 0, 240), Rgb(255, 255, 255));
  EXPECT_EQ(HLSToColor(0, 240, 0), Rgb(0, 0, 0));
  EXPECT_EQ(HLSToColor(0, 240, 60), Rgb(128, 0, 0));  // 127.5 rounds to even
  struct Row {
    uint32_t rgb;
    THLS hls;
  };
  const Row rows[] = {{Rgb(255, 0, 0), {0, 240, 120}},     {Rgb(255, 255, 255), {0, 0, 240}},
                      {Rgb(0, 0, 0), {0, 0, 0}},           {Rgb(212, 212, 212), {0, 0, 200}},
                      {Rgb(255, 128, 0), {20, 240, 120}},  {Rgb(255, 122, 0), {19, 240, 120}},
                      {0xAB0000FF, {0, 240, 120}}};  // the byte above the colour is not part of it
  for (const Row& r : rows) EXPECT_EQ(ColorToHLS(r.rgb), r.hls) << std::hex << r.rgb;
  EXPECT_EQ(ColorToHLSValue(Rgb(255, 128, 0)), 20u | 240u << 8 | 120u << 16);
}

TEST(SDDColors, LightnessChangesClampAndSaturate) {
  struct Row {
    const char* name;
    uint32_t result, expected;
  };
  const Row rows[] = {
      {"lighter past 240 reaches full intensity", LighterColor(Rgb(212, 212, 212), 100), Rgb(255, 255, 255)},
      {"darker stops at black", DarkerColor(Rgb(255, 0, 0), 200), Rgb(0, 0, 0)},
      {"darker by 60", DarkerColor(Rgb(255, 0, 0), 60), Rgb(128, 0, 0)},
      {"zero amount keeps the colour", ChangeColorLightness(Rgb(1, 2, 3), 0), Rgb(1, 2, 3)},
      {"positive amount lightens", ChangeColorLightness(Rgb(255, 0, 0), 60), LighterColor(Rgb(255, 0, 0), 60)},
      {"negative amount darkens", ChangeColorLightness(Rgb(255, 0, 0), -60), Rgb(128, 0, 0)},
      {"amount above 255 is clamped", ChangeColorLightness(Rgb(0, 0, 128), 100000), Rgb(255, 255, 255)},
      {"amount below -255 is clamped", ChangeColorLightness(Rgb(255, 255, 255), -100000), Rgb(0, 0, 0)},
      {"complement turns the hue by 120", ComplementColor(Rgb(255, 0, 0), 120), Rgb(0, 252, 255)},
      {"blend halves", BlendColors(Rgb(255, 255, 255), Rgb(0, 0, 0), 128), Rgb(128, 128, 128)},
      {"blend all of the first", BlendColors(Rgb(10, 20, 30), Rgb(200, 100, 50), 255), Rgb(10, 20, 30)},
  };
  for (const Row& r : rows) EXPECT_EQ(r.result, r.expected) << r.name;
}

TEST(SDDColors, SimilarityHasStrictLimits) {
  EXPECT_FALSE(ColorsSimilar(Rgb(255, 0, 0), Rgb(255, 128, 0)));  // hues exactly 20 apart
  EXPECT_TRUE(ColorsSimilar(Rgb(255, 0, 0), Rgb(255, 122, 0)));
  EXPECT_FALSE(ColorsSimilar(Rgb(255, 0, 0), Rgb(128, 0, 0)));    // lightness 120 against 60
  EXPECT_TRUE(ColorsSimilar(Rgb(212, 212, 212), Rgb(255, 255, 255)));
}

}  // namespace
