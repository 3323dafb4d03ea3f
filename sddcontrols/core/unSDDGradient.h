// The platform-free half of the gradient fill: which solid bands (rectangles or polygons, one colour each) paint a
// W x H bitmap for a gradient shape, and how the painted part is then copied over the rest.
//
// The colours walk in 16.16 fixed point from the walk's first colour toward its last in N steps; a band runs from
// one step to the first colour change after its minimum length (from the colour count). The one-dimensional shapes
// paint an 8-pixel strip that is then copied across by doubling; the box shapes paint the top-left quarter that is
// then mirrored down and across.
#pragma once

#include <cstdint>
#include <vector>

#include "sddcontrols/core/unSDDCommonTypes.h"

namespace sddgradient {

// The walk itself: channel values start << 16 growing by ((end << 16) - (start << 16)) / steps each step,
// truncated toward zero. Colours are plain RGB.
class TColorWalk {
public:
  TColorWalk(uint32_t from, uint32_t to, int steps);
  uint32_t Color() const;
  void Step();

private:
  int64_t value_[3] = {};
  int64_t increment_[3] = {};
};

// Steps a band runs at least for a colour count: counts above 8 mean 255 div count + 1 (256 for the box shapes);
// the result is that less one, at least 0, plus one.
int MinimumBandSteps(int colors, bool boxShape);

struct TGradientBand {
  uint32_t Rgb = 0;
  std::vector<TRect> Rects;     // filled as rectangles
  std::vector<TPoint> Polygon;  // or filled as one polygon
};

enum class TGradientCopy {
  None,        // the bands cover the bitmap (or nothing is painted)
  StripAcross, // an 8-pixel-wide strip at the left edge is copied across the width
  StripDown,   // an 8-pixel-high strip at the top edge is copied down the height
  Mirror,      // the top-left quarter is flipped down, then the left half across
  FlipAcross,  // the whole painted bitmap is drawn flipped left to right
};

struct TGradientPlan {
  std::vector<TGradientBand> Bands;
  TGradientCopy Copy = TGradientCopy::None;
  int QuarterWidth = 0;  // the box shapes' painted quarter, columns 0 .. QuarterWidth - 1
  int QuarterHeight = 0;
};

// The plan for a width x height bitmap (both positive); colours are plain RGB. A direction outside the ten shapes
// gives no band.
TGradientPlan PlanGradient(TGradientDirection direction, int width, int height, uint32_t startRgb, uint32_t endRgb,
                           int colors);

}  // namespace sddgradient
