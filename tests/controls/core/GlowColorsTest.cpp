#include <gtest/gtest.h>

#include <cstdint>

#include "controls/core/GlowColors.h"

namespace {

TEST(GlowColors, DarkenAndMix) {
  const struct {
    uint32_t rgb;
    int64_t red, green, blue;
    uint32_t darkened;
  } darken[] = {
      {0xFFFFFF, -5, -5, -5, 0xF2F2F2},   {0xC0C0C0, -5, -5, -5, 0xB6B6B6},
      {0xF5F0E1, -10, -10, 0, 0xF5D8CA},  {0xF9D2B2, -10, -10, 0, 0xF9BDA0},
      {0xF5C8AD, -10, -10, 0, 0xF5B49C},  {0xFFF8F4, -10, -10, 0, 0xFFDFDC},
      {0x000000, 20, 300, -3, 0x00FF14},  {0x102030, 50, 50, 50, 0x102030},  // zero channels lifted, lit kept
      {0x808080, -100, -150, INT64_MIN, 0x000000},                            // never below black
      {0x808080, INT64_MAX, 0, 0, 0x808080},
  };
  for (const auto& row : darken)
    EXPECT_EQ(DarkenRgbChannels(row.rgb, row.red, row.green, row.blue), row.darkened) << std::hex << row.rgb;
  EXPECT_EQ(DarkenRgb(0xE4AD89, -10), 0xCD9C7Bu);

  const struct {
    uint32_t a, b;
    int64_t percent;
    uint32_t mixed;
  } mix[] = {
      {0xFFFFFF, 0x000000, 100, 0xFFFFFF}, {0xFFFFFF, 0x000000, 1000, 0xFFFFFF}, {0xFFFFFF, 0x000000, 0, 0x000000},
      {0xFFFFFF, 0x000000, -7, 0x000000},  {0xFFFFFF, 0x000000, 50, 0x808080},   {0x0000FF, 0xFF0000, 20, 0xCC0033},
      {0x000001, 0x000000, 50, 0x000000},  {0x000003, 0x000000, 50, 0x000002},   {0xC8C8C8, 0x646464, 40, 0x8C8C8C},
  };
  for (const auto& row : mix) EXPECT_EQ(MixRgb(row.a, row.b, row.percent), row.mixed) << row.percent;
}

}  // namespace
