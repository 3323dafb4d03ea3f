// Sections: colour walk and bands; strip shapes; diagonal shapes; box shapes; entry point.
#include "sddcontrols/core/unSDDGradient.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace sddgradient {

// ---- colour walk and bands ------------------------------------------------------------------------------------

TColorWalk::TColorWalk(uint32_t from, uint32_t to, int steps) {
  for (int i = 0; i < 3; ++i) {
    const int64_t start = static_cast<int64_t>((from >> (8 * i)) & 0xFF) << 16;
    const int64_t target = static_cast<int64_t>((to >> (8 * i)) & 0xFF) << 16;
    value_[i] = start;
    increment_[i] = steps > 0 ? (target - start) / steps : 0;
  }
}

uint32_t TColorWalk::Color() const {
  uint32_t rgb = 0;
  for (int i = 0; i < 3; ++i) rgb |= static_cast<uint32_t>(std::clamp<int64_t>(value_[i] >> 16, 0, 255)) << (8 * i);
  return rgb;
}

void TColorWalk::Step() {
  for (int i = 0; i < 3; ++i) value_[i] += increment_[i];
}

int MinimumBandSteps(int colors, bool boxShape) {
  int k = colors;
  if (k > 8) k = (boxShape ? 256 : 255) / k + 1;
  return std::max(k - 1, 0) + 1;
}

namespace {

// Walks `steps` steps from `from` to `to` and hands each band, as the step range [first, last) with its colour,
// to `band`.
void WalkBands(uint32_t from, uint32_t to, int steps, int minimum,
               const std::function<void(int first, int last, uint32_t rgb)>& band) {
  TColorWalk walk(from, to, steps);
  int step = 0;
  while (step < steps) {
    const int first = step;
    const uint32_t rgb = walk.Color();
    do {
      walk.Step();
      ++step;
    } while (step < steps && (step - first < minimum || walk.Color() == rgb));
    band(first, step, rgb);
  }
}

TGradientBand RectBand(uint32_t rgb, TRect r) { return {rgb, {r}, {}}; }

// ---- strip shapes ---------------------------------------------------------------------------------------------

constexpr int kStrip = 8;

// One pass over rows (or columns) from `from` down to `to` (from >= to), the walk running over those lines.
void StripPass(TGradientPlan& plan, bool rows, int from, int to, uint32_t first, uint32_t last, int minimum) {
  const int steps = from - to + 1;
  if (steps <= 0) return;
  WalkBands(first, last, steps, minimum, [&](int a, int b, uint32_t rgb) {
    // Steps a .. b - 1 are the lines from - (b - 1) .. from - a.
    const int low = from - (b - 1);
    const int high = from - a + 1;
    plan.Bands.push_back(RectBand(rgb, rows ? TRect{0, low, kStrip, high} : TRect{low, 0, high, kStrip}));
  });
}

void PlanStrip(TGradientPlan& plan, bool rows, bool center, int extent, uint32_t startRgb, uint32_t endRgb,
               int minimum) {
  plan.Copy = rows ? TGradientCopy::StripAcross : TGradientCopy::StripDown;
  if (!center) {
    StripPass(plan, rows, extent - 1, 0, endRgb, startRgb, minimum);
    return;
  }
  StripPass(plan, rows, extent / 2 + 1, 0, endRgb, startRgb, minimum);
  StripPass(plan, rows, extent, extent / 2 + 2, startRgb, endRgb, minimum);
}

// ---- diagonal shapes ------------------------------------------------------------------------------------------

// The cut line of step s sweeping from the bottom-left corner to the top-right one: in the first half from a
// point on the left edge to one on the bottom edge, in the second from the top edge to the right edge.
struct TCut {
  TPoint UpperLeft;   // on the left or top edge
  TPoint LowerRight;  // on the bottom or right edge
  bool SecondHalf = false;
};

// Down is Up with the colours swapped, drawn flipped: flipping the painted pixels (rather than the polygons)
// keeps the platform's fill rule from moving the band edges, so the end colour lands on the corner pixel itself.
void PlanDiagonal(TGradientPlan& plan, bool down, int w, int h, uint32_t startRgb, uint32_t endRgb, int minimum) {
  if (down) plan.Copy = TGradientCopy::FlipAcross;
  if (startRgb == endRgb) {
    plan.Bands.push_back(RectBand(startRgb, {0, 0, w, h}));
    return;
  }
  const int steps = static_cast<int>(std::sqrt(double(w) * w + double(h) * h)) + 1;
  const int half = steps / 2;
  const int64_t dx = (int64_t{w} << 16) / half;
  const int64_t dy = (int64_t{h} << 16) / half;
  const auto cut = [&](int s) -> TCut {
    if (s >= steps) return {{w, 0}, {w, 0}, true};  // the last cut is the far corner itself
    if (s <= half) {
      const int y = static_cast<int>(((int64_t{h} << 16) - s * dy) >> 16);
      const int x = static_cast<int>((s * dx) >> 16);
      return {{0, y}, {x, h}, false};
    }
    const int64_t t = s - half;
    return {{static_cast<int>((t * dx) >> 16), 0}, {w, static_cast<int>(((int64_t{h} << 16) - t * dy) >> 16)}, true};
  };
  const uint32_t first = down ? endRgb : startRgb;
  const uint32_t last = down ? startRgb : endRgb;
  WalkBands(first, last, steps, minimum, [&](int a, int b, uint32_t rgb) {
    const TCut from = cut(a);
    const TCut to = cut(b);
    std::vector<TPoint> points{from.UpperLeft, from.LowerRight};
    if (!from.SecondHalf && to.SecondHalf) points.push_back({w, h});
    points.push_back(to.LowerRight);
    points.push_back(to.UpperLeft);
    if (!from.SecondHalf && to.SecondHalf) points.push_back({0, 0});
    plan.Bands.push_back({rgb, {}, std::move(points)});
  });
}

// ---- box shapes -----------------------------------------------------------------------------------------------

void PlanBox(TGradientPlan& plan, TGradientDirection direction, int w, int h, uint32_t startRgb, uint32_t endRgb,
             int minimum) {
  plan.Copy = TGradientCopy::Mirror;
  const int qw = (w - 1) >> 1;
  const int qh = (h - 1) >> 1;
  plan.QuarterWidth = qw + 1;
  plan.QuarterHeight = qh + 1;
  if (startRgb == endRgb) {
    plan.Bands.push_back(RectBand(startRgb, {0, 0, qw + 1, qh + 1}));
    return;
  }
  int hw = qw;
  int hh = qh;
  if (direction == gdHorizontalBox || direction == gdBigSquareBox) hw -= w / 4;
  if (direction == gdVerticalBox || direction == gdBigSquareBox) hh -= h / 4;
  const int steps = std::max(hw, hh) + 1;
  const int64_t dx = (int64_t{hw} << 16) / steps;
  const int64_t dy = (int64_t{hh} << 16) / steps;
  const auto corner = [&](int s) -> TPoint {
    if (s >= steps) return {0, 0};
    return {static_cast<int>(((int64_t{hw} << 16) - s * dx) >> 16),
            static_cast<int>(((int64_t{hh} << 16) - s * dy) >> 16)};
  };
  // From the centre (the end colour) out to the edges; each band is the L between two corner points, out to the
  // quarter's inner edges.
  WalkBands(endRgb, startRgb, steps, minimum, [&](int a, int b, uint32_t rgb) {
    const TPoint inner = corner(a);
    const TPoint outer = corner(b);
    TGradientBand band{rgb, {}, {}};
    if (a == 0) {
      band.Rects.push_back({outer.X, outer.Y, qw + 1, qh + 1});
    } else {
      band.Rects.push_back({outer.X, outer.Y, qw + 1, inner.Y});
      band.Rects.push_back({outer.X, inner.Y, inner.X, qh + 1});
    }
    plan.Bands.push_back(std::move(band));
  });
}

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

TGradientPlan PlanGradient(TGradientDirection direction, int width, int height, uint32_t startRgb, uint32_t endRgb,
                           int colors) {
  TGradientPlan plan;
  if (width <= 0 || height <= 0) return plan;
  startRgb &= 0xFFFFFF;
  endRgb &= 0xFFFFFF;
  const bool box = direction == gdHorizontalBox || direction == gdVerticalBox || direction == gdSquareBox ||
                   direction == gdBigSquareBox;
  const int minimum = MinimumBandSteps(colors, box);
  switch (direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
      PlanDiagonal(plan, direction == gdDiagonalDown, width, height, startRgb, endRgb, minimum);
      break;
    case gdHorizontalEnd:
    case gdHorizontalCenter:
      PlanStrip(plan, true, direction == gdHorizontalCenter, height, startRgb, endRgb, minimum);
      break;
    case gdVerticalEnd:
    case gdVerticalCenter:
      PlanStrip(plan, false, direction == gdVerticalCenter, width, startRgb, endRgb, minimum);
      break;
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox:
      PlanBox(plan, direction, width, height, startRgb, endRgb, minimum);
      break;
  }
  return plan;
}

}  // namespace sddgradient
