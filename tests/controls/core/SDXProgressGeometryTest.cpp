#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "controls/core/SDXProgressGeometry.h"

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

TEST(ProgressPercent, SpansTheWhole64BitRange) {
  struct Row {
    int64_t position, minimum, maximum;
    int percent;
  };
  const Row rows[] = {
      {0, 0, 100, 0},          {50, 0, 100, 50},         {100, 0, 100, 100},     {7, 0, 0, 0},
      {-5, -10, 10, 25},       {1, 0, 3, 33},            {2, 0, 3, 66},          {0, kMin, kMax, 50},
      {kMax, kMin, kMax, 100}, {kMin, kMin, kMax, 0},    {kMax - 1, 0, kMax, 99}, {150, 0, 100, 100},
      {-1, 0, 100, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ProgressPercent(r.position, r.minimum, r.maximum), r.percent)
        << r.position << " in " << r.minimum << ".." << r.maximum;
}

TEST(ProgressGeometry, BlocksAndFillForAClientSize) {
  struct Row {
    const char* name;
    int64_t position, minimum, maximum;
    int width, height;
    bool solid;
    TProgressGeometry expected;
  };
  const Row rows[] = {
      // 405 x 15: block width 10, inner width 403.
      {"half: 201 mod 10 is under half a block", 50, 0, 100, 405, 15, false, {200, 10, 20, false, 0}},
      {"full: a 41st block cut to 3 pixels", 100, 0, 100, 405, 15, false, {403, 10, 41, true, 3}},
      {"empty", 0, 0, 100, 405, 15, false, {0, 10, 0, false, 0}},
      {"more than half a block is shown whole", 16, 0, 403, 405, 15, false, {20, 10, 2, false, 0}},
      {"exactly half a block is not", 15, 0, 403, 405, 15, false, {10, 10, 1, false, 0}},
      {"a block under half is not", 1, 0, 100, 405, 15, false, {0, 10, 0, false, 0}},
      {"solid: the exact fill", 50, 0, 100, 405, 15, true, {201, 0, 0, false, 0}},
      {"too low for blocks", 50, 0, 100, 405, 1, false, {0, 0, 0, false, 0}},
      {"the full 64-bit range", 0, kMin, kMax, 405, 15, true, {201, 0, 0, false, 0}},
      {"the top of the full range", kMax, kMin, kMax, 405, 15, false, {403, 10, 41, true, 3}},
      {"negative range", -50, -100, 0, 102, 30, true, {50, 0, 0, false, 0}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TProgressGeometry g;
    ASSERT_TRUE(ComputeProgressGeometry(r.position, r.minimum, r.maximum, r.width, r.height, r.solid, g));
    EXPECT_EQ(g.Fill, r.expected.Fill);
    EXPECT_EQ(g.BlockWidth, r.expected.BlockWidth);
    EXPECT_EQ(g.Blocks, r.expected.Blocks);
    EXPECT_EQ(g.PartialBlock, r.expected.PartialBlock);
    EXPECT_EQ(g.PartialWidth, r.expected.PartialWidth);
  }
}

TEST(ProgressGeometry, NothingToComputeLeavesTheGeometryAsItWas) {
  const TProgressGeometry before{123, 4, 5, true, 2};
  struct Row {
    int64_t minimum, maximum;
    int width;
  };
  for (const Row& r : {Row{5, 5, 405}, Row{0, 100, 1}, Row{0, 100, 0}}) {
    TProgressGeometry g = before;
    EXPECT_FALSE(ComputeProgressGeometry(5, r.minimum, r.maximum, r.width, 15, false, g));
    EXPECT_EQ(g, before);
  }
}

TEST(GradientColumnColor, RunsFromStartTowardsEndRoundingExactly) {
  struct Row {
    uint32_t start, end;
    int offset, fill;
    uint32_t color;
  };
  const Row rows[] = {
      {0xFFFFFF, 0x000000, 0, 200, 0xFFFFFF},
      {0xFFFFFF, 0x000000, 100, 200, 0x808080},  // 127.5 rounds up
      {0x000000, 0xFFFFFF, 100, 200, 0x808080},
      {0x0000FF, 0xFF0000, 1, 3, 0x5500AA},      // red 170, blue 85
      {0x0000FF, 0xFF0000, 2, 3, 0xAA0055},
      {0x102030, 0x102030, 7, 9, 0x102030},
      {0x000000, 0x0000FF, 403, 403, 0x0000FF},  // the step never reaches the end colour inside the bar
      {0x000000, 0x0000FF, 1, 400, 0x000001},    // 0.6375
      {0x000000, 0x0000FF, 2, 1020, 0x000001},   // 0.5
      {0x000000, 0x0000FF, 1, 1020, 0x000000},   // 0.25
  };
  for (const Row& r : rows)
    EXPECT_EQ(GradientColumnColor(r.start, r.end, r.offset, r.fill), r.color)
        << std::hex << r.start << "->" << r.end << std::dec << " at " << r.offset << "/" << r.fill;
}

TEST(FormatProgressCaption, ReplacesOnlyThePercentageAndDoublePercent) {
  struct Row {
    const char* format;
    int percent;
    const char* text;
  };
  const Row rows[] = {
      {"%d%%", 50, "50%"},
      {"Converting %d%%", 7, "Converting 7%"},
      {"%s%n%x%p", 50, "%s%n%x%p"},
      {"100%", 3, "100%"},
      {"%", 3, "%"},
      {"%5d|%-d", 3, "%5d|%-d"},
      {"%d and %d", 42, "42 and 42"},
      {"%%d", 9, "%d"},
      {"", 9, ""},
      {"plain", 9, "plain"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatProgressCaption(r.format, r.percent), r.text) << r.format;
}

}  // namespace
