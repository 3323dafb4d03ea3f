#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>

#include "controls/core/SDXProgressGeometry.h"

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr TProgressGeometry kUntouched{1, 2, 3, true, 4};

// Position, minimum, maximum, client width and height, solid; the percentage and the geometry (kUntouched: nothing
// to compute). Every range, the whole 64-bit one included, without overflow (the sanitizers watch the native run).
TEST(ProgressGeometry, PercentFillAndBlocksForARangeAndAClientSize) {
  const std::tuple<int64_t, int64_t, int64_t, int, int, bool, int, TProgressGeometry> rows[] = {
      // 405 x 15: block width 10, inner width 403; 201 columns reached at 50 %, under half a 21st block.
      {50, 0, 100, 405, 15, false, 50, {200, 10, 20, false, 0}},
      {16, 0, 403, 405, 15, false, 3, {20, 10, 2, false, 0}},  // more than half a block is shown whole
      {15, 0, 403, 405, 15, false, 3, {10, 10, 1, false, 0}},  // exactly half is not
      {50, 0, 100, 405, 1, false, 50, {0, 0, 0, false, 0}},    // too low for blocks
      {0, kMin, kMax, 405, 15, true, 50, {201, 0, 0, false, 0}},
      {kMax, kMin, kMax, 405, 15, false, 100, {403, 10, 41, true, 3}},  // the last block cut to 3 columns
      {7, 5, 5, 405, 15, false, 0, kUntouched},
      {7, 0, 100, 1, 15, false, 7, kUntouched},
  };
  for (const auto& [position, minimum, maximum, width, height, solid, percent, expected] : rows) {
    SCOPED_TRACE(std::to_string(position) + " in " + std::to_string(minimum) + ".." + std::to_string(maximum));
    EXPECT_EQ(ProgressPercent(position, minimum, maximum), percent);
    TProgressGeometry g = kUntouched;
    EXPECT_EQ(ComputeProgressGeometry(position, minimum, maximum, width, height, solid, g), !(expected == kUntouched));
    EXPECT_EQ(g, expected);
  }
}

}  // namespace
