// Sections: rounding and percentages; splitter geometry; hot spot drawing; size panel geometry.
#include "sddcontrols/core/unSDDSplitGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace sddsplit {

// ---- rounding and percentages ---------------------------------------------------------------------------------

int RoundRatio(int64_t numerator, int64_t denominator) {
  if (denominator == 0) return 0;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  int64_t quotient = numerator / denominator;
  int64_t remainder = numerator % denominator;
  if (remainder < 0) {
    quotient -= 1;
    remainder += denominator;
  }
  // remainder / denominator is the fraction in [0, 1): above a half rounds up, a half only to an even result.
  if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) quotient += 1;
  return static_cast<int>(std::clamp<int64_t>(quotient, INT_MIN, INT_MAX));
}

int PercentOfPosition(int position, int extent, int splitterWidth) {
  return RoundRatio(int64_t{position} * 100, PercentSpan(extent, splitterWidth));
}

int PositionOfPercent(int percent, int extent, int splitterWidth) {
  return RoundRatio(int64_t{percent} * PercentSpan(extent, splitterWidth), 100);
}

int MarginMinOfPercent(int percentMin, int extent, int splitterWidth) {
  return PositionOfPercent(percentMin, extent, splitterWidth);
}

int MarginMaxOfPercent(int percentMax, int extent, int splitterWidth) {
  return PercentSpan(extent, splitterWidth) - PositionOfPercent(percentMax, extent, splitterWidth);
}

int FitMargin(int value, int other, int room) {
  value = std::max(value, 0);
  if (int64_t{value} + other > room) value = room - other;
  return value;
}

// ---- splitter geometry ----------------------------------------------------------------------------------------

namespace {

int ClampStyleWidth(TFrameStyleEx style, int bevelWidth) {
  switch (style) {
    case fsFlat: return 1;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp: return 2;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 0;  // none, flat bold and flat rounded
  }
}

}  // namespace

int SplitterBorderSize(int borderWidth, TSides sides, TFrameStyleEx outer, TFrameStyleEx inner, int bevelWidth) {
  const int perSide = ClampStyleWidth(outer, bevelWidth) + ClampStyleWidth(inner, bevelWidth);
  int size = borderWidth;
  if (sides.Contains(sdLeft)) size += perSide;
  if (sides.Contains(sdTop)) size += perSide;
  return size;
}

int ClampPosition(int position, const TPositionLimits& l) {
  if (position < l.MarginMin) position = l.MarginMin;
  const int upper = l.Extent - l.MarginMax - l.SplitterWidth - 2 * l.BorderSize;
  if (upper < position) position = upper;
  return position;
}

namespace {

// Rectangles along the split axis (x for side-by-side panes): start and length along it; the other axis spans the
// whole client rect.
TRect AlongSplit(const TRect& client, TOrientation orientation, int start, int length) {
  if (orientation == orHorizontal)
    return {client.Left + start, client.Top, client.Left + start + length, client.Bottom};
  return {client.Left, client.Top + start, client.Right, client.Top + start + length};
}

}  // namespace

TPaneRects ArrangePanes(const TRect& client, TOrientation orientation, int position, int splitterWidth,
                        bool upperLeftVisible, bool lowerRightVisible) {
  const int extent = orientation == orHorizontal ? client.Width() : client.Height();
  const bool both = upperLeftVisible && lowerRightVisible;
  TPaneRects r;
  if (upperLeftVisible)
    r.UpperLeft = AlongSplit(client, orientation, 0, both ? position : extent);
  else
    r.UpperLeft = AlongSplit(client, orientation, 0, 0);
  r.Bar = AlongSplit(client, orientation, both ? position : 0, both ? splitterWidth : 0);
  if (both)
    r.LowerRight = AlongSplit(client, orientation, position + splitterWidth, extent - position - splitterWidth);
  else
    r.LowerRight = AlongSplit(client, orientation, 0, lowerRightVisible ? extent : 0);
  return r;
}

TRect HotSpotRect(const TRect& bar, TOrientation orientation, int sizePercent) {
  if (orientation == orHorizontal) {
    const int centre = bar.Top + bar.Height() / 2;
    const int half = RoundRatio(int64_t{sizePercent} * bar.Height(), 100) / 2;
    return {bar.Left, centre - half, bar.Right, centre + half};
  }
  const int centre = bar.Left + bar.Width() / 2;
  const int half = RoundRatio(int64_t{sizePercent} * bar.Width(), 100) / 2;
  return {centre - half, bar.Top, centre + half, bar.Bottom};
}

bool InFirstHalf(const TRect& s, TOrientation orientation, TPoint p) {
  if (orientation == orHorizontal) return p.Y < (s.Top + s.Bottom) / 2;
  return p.X < (s.Left + s.Right) / 2;
}

// ---- hot spot drawing -----------------------------------------------------------------------------------------

std::array<TPoint, 3> ArrowTriangle(TArrow arrow, int x, int y) {
  switch (arrow) {
    case TArrow::Left: return {{{x + 1, y - 2}, {x - 1, y}, {x + 1, y + 2}}};
    case TArrow::Right: return {{{x - 1, y - 2}, {x + 1, y}, {x - 1, y + 2}}};
    case TArrow::Up: return {{{x - 2, y + 1}, {x, y - 1}, {x + 2, y + 1}}};
    default: return {{{x - 2, y - 1}, {x, y + 1}, {x + 2, y - 1}}};
  }
}

TArrowPair SplitterArrows(TOrientation orientation, THotSpotDirection direction, bool closed, bool closedToMin) {
  const TArrow toStart = orientation == orHorizontal ? TArrow::Left : TArrow::Up;
  const TArrow toEnd = orientation == orHorizontal ? TArrow::Right : TArrow::Down;
  switch (direction) {
    case hsdMin: return closed ? TArrowPair{toEnd, toEnd} : TArrowPair{toStart, toStart};
    case hsdMax: return closed ? TArrowPair{toStart, toStart} : TArrowPair{toEnd, toEnd};
    default:
      if (!closed) return {toStart, toEnd};
      return closedToMin ? TArrowPair{toEnd, toEnd} : TArrowPair{toStart, toStart};
  }
}

std::vector<int> GripRowOrigins(TOrientation orientation, int start, int length, bool skipNearMiddle, int middle) {
  std::vector<int> origins;
  const int last = (length - 32) / 3;
  for (int i = orientation == orHorizontal ? 1 : 0; i <= last; ++i) {
    const int origin = start + 3 * i;
    if (skipNearMiddle && std::abs(origin + 15 - middle) < 4) continue;
    origins.push_back(origin);
  }
  return origins;
}

namespace {

using Pixels = std::vector<TGripPixel>;

// The hssX6 row: a 5 x 5 block in the dot colour with black and silver accents; `at` maps (along, across)
// offsets to pixels so that one table serves both bar directions.
template <class Map>
Pixels BlockRow(Map at) {
  Pixels p;
  for (int along = 13; along <= 17; ++along)
    for (int across = -2; across <= 2; ++across) p.push_back(at(along, across, TGripInk::Dot));
  p.push_back(at(15, 0, TGripInk::Black));
  p.push_back(at(16, 1, TGripInk::Silver));
  p.push_back(at(15, 1, TGripInk::Silver));
  p.push_back(at(14, -1, TGripInk::Black));
  return p;
}

}  // namespace

std::vector<TGripPixel> GripRow(THotSpotStyle style, TOrientation orientation, int origin, int middle) {
  const int m = middle, o = origin;
  if (orientation == orVertical) {
    if (style == hssX6) {
      return BlockRow([o, m](int along, int across, TGripInk ink) { return TGripPixel{o + along, m + across, ink}; });
    }
    return {{o + 15, m, TGripInk::Dark}, {o + 16, m + 1, TGripInk::Dot}};
  }
  const TGripInk dot = TGripInk::Dot;
  switch (style) {
    case hssX1: return {{m - 2, o + 14, dot}, {m, o + 15, dot}, {m + 2, o + 16, dot}};
    case hssX2: return {{m - 2, o + 16, dot}, {m, o + 15, dot}, {m + 2, o + 14, dot}};
    case hssX3:
      return {{m, o + 15, TGripInk::Black}, {m, o + 16, TGripInk::Black}, {m + 1, o + 16, TGripInk::Silver},
              {m + 1, o + 15, TGripInk::Silver}};
    case hssX4: return {{m - 2, o + 12, dot}, {m - 2, o + 18, dot}, {m, o + 15, dot}, {m + 2, o + 18, dot},
                        {m + 2, o + 12, dot}};
    case hssX5: return {{m - 2, o + 12, dot}, {m, o + 15, dot}, {m + 2, o + 18, dot}};
    default:
      return BlockRow([o, m](int along, int across, TGripInk ink) { return TGripPixel{m + across, o + along, ink}; });
  }
}

// ---- size panel geometry --------------------------------------------------------------------------------------

TSizeEdge SizeEdge(TSizePanelAlign align, TSide side) {
  switch (align) {
    case spaTop: return TSizeEdge::Top;
    case spaBottom: return TSizeEdge::Bottom;
    case spaLeft: return TSizeEdge::Left;
    case spaRight: return TSizeEdge::Right;
    case spaClient: return TSizeEdge::None;
    default: break;
  }
  switch (side) {
    case sdTop: return TSizeEdge::Top;
    case sdBottom: return TSizeEdge::Bottom;
    case sdRight: return TSizeEdge::Right;
    default: return TSizeEdge::Left;
  }
}

bool IsBarHorizontal(TSizePanelAlign align, TSide side) {
  const TSizeEdge edge = SizeEdge(align, side);
  return edge == TSizeEdge::Top || edge == TSizeEdge::Bottom;
}

bool BarSide(TSizePanelAlign align, TSide side, TSide& barSide) {
  // A top-aligned panel keeps its bar (and its caption) on top, as a bottom-aligned one does.
  if (align == spaTop || align == spaBottom) {
    barSide = sdTop;
    return true;
  }
  switch (SizeEdge(align, side)) {
    case TSizeEdge::Left: barSide = sdRight; return true;
    case TSizeEdge::Right: barSide = sdLeft; return true;
    case TSizeEdge::Top: barSide = sdBottom; return true;
    case TSizeEdge::Bottom: barSide = sdTop; return true;
    default: return false;
  }
}

TRect SizeBarRect(TSizePanelAlign align, TSide side, int width, int height, int sizeBarWidth, bool dockSite) {
  TSide at = sdTop;
  if (!BarSide(align, side, at)) return {};
  const int depth = sizeBarWidth + (dockSite ? 1 : 0);
  switch (at) {
    case sdTop: return {0, 0, width, depth};
    case sdBottom: return {0, height - depth, width, height};
    case sdLeft: return {0, 0, depth, height};
    default: return {width - depth, 0, width, height};
  }
}

TRect CutBarSide(TRect r, TSizePanelAlign align, TSide side, int amount) {
  TSide at = sdTop;
  if (!BarSide(align, side, at)) return r;
  switch (at) {
    case sdTop: r.Top += amount; break;
    case sdBottom: r.Bottom -= amount; break;
    case sdLeft: r.Left += amount; break;
    default: r.Right -= amount; break;
  }
  return r;
}

TRect ParentFreeRect(TRect r, const std::vector<TSiblingBox>& siblings, TSide side) {
  for (const TSiblingBox& s : siblings) {
    if (!s.Visible || s.Align == spaClient) continue;
    switch (SizeEdge(s.Align, side)) {
      case TSizeEdge::Top: r.Top += s.Height; break;
      case TSizeEdge::Bottom: r.Bottom -= s.Height; break;
      case TSizeEdge::Left: r.Left += s.Width; break;
      case TSizeEdge::Right: r.Right -= s.Width; break;
      default: break;
    }
  }
  return r;
}

int MaxSize(const TSizeLimits& l) {
  switch (SizeEdge(l.Align, l.Side)) {
    case TSizeEdge::Top: return l.Free.Bottom - l.Top;
    case TSizeEdge::Left: return l.Free.Right - l.Left;
    case TSizeEdge::Bottom: return l.Free.Bottom + l.Height - l.Free.Top;
    case TSizeEdge::Right: return l.Free.Right + l.Width - l.Free.Left;
    default: return 0;
  }
}

int ClampSize(int s, const TSizeLimits& l) {
  const int least = l.MarginMin + l.SizeBarWidth + 1;
  switch (SizeEdge(l.Align, l.Side)) {
    case TSizeEdge::Top: {
      s = std::max(s, least);
      const int limit = l.Free.Bottom - l.MarginMax - l.Top;
      if (s > limit) s = l.Align == spaTop && l.UseLockedHeight ? l.LockedHeight : limit;
      return s;
    }
    case TSizeEdge::Left: return std::min(std::max(s, least), l.Free.Right - l.MarginMax - l.Left);
    case TSizeEdge::Bottom:
      return std::min(std::max(s, l.Free.Top + l.MarginMax - l.Top), l.Height - least);
    case TSizeEdge::Right:
      return std::min(std::max(s, l.Free.Left + l.MarginMax - l.Left), l.Width - least);
    default: return s;
  }
}

TRect HotSpotBox(const TRect& bar, const TRect& hotSpot, int sizeBarWidth, bool forMouse) {
  if (sizeBarWidth < 8) return hotSpot;
  const int w = std::abs(50 - hotSpot.Width());
  const int d = std::abs(sizeBarWidth - 7) / 2;
  const int left = bar.Right - w - 5;
  return {left, hotSpot.Top + d, forMouse ? bar.Right - 9 : left + w - 5, hotSpot.Bottom - d};
}

TArrow SizePanelArrow(bool barHorizontal, TSizeEdge edge, bool closed) {
  if (barHorizontal) {
    const bool up = (edge == TSizeEdge::Top && !closed) || (edge == TSizeEdge::Bottom && closed);
    return up ? TArrow::Up : TArrow::Down;
  }
  const bool left = (edge == TSizeEdge::Left && !closed) || (edge == TSizeEdge::Right && closed);
  return left ? TArrow::Left : TArrow::Right;
}

}  // namespace sddsplit
