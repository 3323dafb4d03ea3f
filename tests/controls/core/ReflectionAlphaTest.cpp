#include <gtest/gtest.h>

#include "controls/core/ReflectionAlpha.h"

namespace {

TEST(ReflectionAlpha, RowsFadeOut) {
  // A reflection 22 rows high with the default reduction of 100.
  const int rows22[] = {155, 143, 132, 120, 109, 97, 85, 74, 62, 51, 39, 28, 16, 4, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int y = 0; y < 22; ++y) EXPECT_EQ(ReflectionRowAlpha(22, y, 100), rows22[y]) << y;
  const struct {
    int height, y, reduction, alpha;
  } rows[] = {
      {22, 0, 0, 255},  {22, 0, 255, 0},  {22, 0, 1000, 0}, {22, 21, -300, 255}, {1, 0, 100, 155},
      {22, 22, 0, 0},   {22, -1, 0, 0},   {0, 0, 0, 0},     {-3, 0, 0, 0},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ReflectionRowAlpha(row.height, row.y, row.reduction), row.alpha)
        << row.height << " " << row.y << " " << row.reduction;
  EXPECT_EQ(ReflectionPixelAlpha(155, 255), 155);
  EXPECT_EQ(ReflectionPixelAlpha(155, 128), 78);  // 77.8
  EXPECT_EQ(ReflectionPixelAlpha(255, 0), 0);
  EXPECT_EQ(ReflectionPixelAlpha(1, 255), 1);
  EXPECT_EQ(ReflectionPixelAlpha(2, 51), 0);      // 0.4
  EXPECT_EQ(ReflectionPixelAlpha(510, 255), 255);  // clamped
}

}  // namespace
