// Sections: rectangle helpers; sizes; the strip; arranging; row space and shapes; cards and page area; scrolling and
// buttons; searches.
#include "sddcontrols/core/unSDDTabLayout.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace sddtabs {

// ---- rectangle helpers ----------------------------------------------------------------------------------------

bool IsRectAllZero(const TRect& r) { return r.Left == 0 && r.Top == 0 && r.Right == 0 && r.Bottom == 0; }

void NormalizeRect(TRect& r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
}

bool PtInNormalizedRect(TRect r, TPoint p) {
  NormalizeRect(r);
  return r.Left <= p.X && p.X < r.Right && r.Top <= p.Y && p.Y < r.Bottom;
}

// ---- sizes ----------------------------------------------------------------------------------------------------

int Overlap(TSDDTabStyle style, int d) {
  switch (style) {
    case tsSingleSlant: return d / 2;
    case tsDoubleSlant: return d;
    default: return -1;
  }
}

TExtent ContentSize(TExtent image, TExtent text, TSDDImagePosition position, int imageMargin, TExtent minimum,
                    int tabWidth, int tabHeight) {
  TExtent c;
  switch (position) {
    case ipLeft:
    case ipRight: c = {imageMargin + image.CX + text.CX, std::max(image.CY, text.CY)}; break;
    case ipTop:
    case ipBottom: c = {std::max(image.CX, text.CX), imageMargin + image.CY + text.CY}; break;
    case ipBack: c = {std::max(image.CX, text.CX), std::max(image.CY, text.CY)}; break;
    default: c = text; break;
  }
  if (tabWidth == 0) c.CX = std::max(c.CX, minimum.CX);
  if (tabHeight == 0) c.CY = std::max(c.CY, minimum.CY);
  return c;
}

TExtent TabSizeFromContent(const TTabShape& shape, TExtent content) {
  const int w = content.CX + 2, h = content.CY + 2, k = shape.CutCornerSize;
  const bool rows = RowsHorizontal(shape.Orientation);
  switch (shape.Style) {
    case tsSingleSlant:
      if (rows) return {2 * Overlap(tsSingleSlant, h + 4) + w + 4 + shape.TabHeight / 2, h + 4};
      return {w + 4, 2 * Overlap(tsSingleSlant, w + 4) + h + 4 + shape.TabHeight / 2};
    case tsDoubleSlant:
      if (rows) return {2 * Overlap(tsDoubleSlant, h) + w + 4 + shape.TabHeight, h + 4};
      return {w + 4, 2 * Overlap(tsDoubleSlant, w) + h + 4 + shape.TabHeight};
    case tsCutCorner:
      if (!shape.VerticalText) return rows ? TExtent{2 * k + w + 6, h + 5} : TExtent{w + k + 5, h + 8};
      return rows ? TExtent{w + 8, h + k + 5} : TExtent{w + 5, 2 * k + h + 6};
    default: return shape.VerticalText ? TExtent{w + 4, h + 14} : TExtent{w + 14, h + 4};
  }
}

// ---- the strip ------------------------------------------------------------------------------------------------

int TabAreaDepth(const TStrip& s) {
  const TStripSettings& st = s.Settings;
  const bool round = RoundStyle(st.Style);
  if (st.ShowCardArea)
    return s.FixedDimension + (s.RowCount - 1) * (s.FixedDimension - st.RowOverlap) + (round ? 3 : 0);
  const int whole = RowsHorizontal(st.Orientation) ? st.Height - 1 : st.Width - 1;
  return whole - (round && (st.Orientation == toBottom || st.Orientation == toRight) ? 1 : 0);
}

int TabAreaLength(const TStripSettings& st) {
  if (!RowsHorizontal(st.Orientation)) return st.Height - 1;
  return st.Width - 1 - (st.Orientation == toTop && st.ShowShadow ? 2 : 0);
}

TRect TabArea(const TStrip& s) {
  const TStripSettings& st = s.Settings;
  const int w = st.Width - 1, h = st.Height - 1, d = TabAreaDepth(s);
  TRect a;
  a.Left = st.Orientation == toRight ? w - d : 0;
  a.Top = st.Orientation == toBottom ? h - d : 0;
  a.Right = st.Orientation == toLeft ? d : w - (st.Orientation == toTop && st.ShowShadow ? 2 : 0);
  a.Bottom = st.Orientation == toTop ? d : h;
  return a;
}

int ButtonSize(const TStrip& s) {
  const TStripSettings& st = s.Settings;
  const bool fixedThickness = RowsHorizontal(st.Orientation) ? st.TabHeight >= 1 && !st.VerticalText
                                                              : st.TabWidth >= 1 && st.VerticalText;
  const int fitted = s.FixedDimension - 2;
  return fixedThickness ? std::max(st.ButtonBase, fitted) : std::min(st.ButtonBase, fitted);
}

int CloseButtonSize(const TStrip& s) {
  return s.Settings.ShowCloseButton && !s.Tabs.empty() ? ButtonSize(s) : 0;
}

bool ScrollReversed(const TStripSettings& st) {
  return st.Sequence == tsReverse ? st.Orientation != toRight : st.Orientation == toRight;
}

bool KeysReversed(const TStripSettings& st) {
  return st.Sequence == tsReverse ? st.Orientation != toLeft : st.Orientation == toLeft;
}

// ---- arranging ------------------------------------------------------------------------------------------------

namespace {

int ClampTabLength(int length, int limit, TSDDTabStyle style) {
  return std::min(length, RoundStyle(style) ? limit - 4 : limit);
}

// How many rows the lengths take: rows are filled from the margin on; when a row count guess does not hold,
// the guess grows and each row loses another indent.
int CountRows(const std::vector<int>& lengths, int areaLength, int margin, int rowIndent, int overlap) {
  const size_t n = lengths.size();
  int pos = margin, space = areaLength - 2 * margin, rows = 1, guess = 1;
  size_t i = 0;
  // Each pass ends with at most two rows per tab, so a guess past that never restarts.
  const int lastGuess = 2 * static_cast<int>(n) + 2;
  while (i < n) {
    const int length = lengths[i];
    if (pos + length < space) {
      ++i;
      pos = pos + length - overlap + 1;
    } else if (rows < guess) {
      ++rows;
      if (pos == margin) ++i;
      pos = margin;
    } else if (pos < margin || (pos == margin && i + 1 == n) || guess >= lastGuess) {
      ++i;
      pos = margin;
    } else {
      ++guess;
      space -= rowIndent;
      rows = 1;
      i = 0;
      pos = margin;
    }
  }
  return rows;
}

int RowTop(const TStrip& s, int row) {
  return TabAreaDepth(s) - s.FixedDimension + row * (s.Settings.RowOverlap - s.FixedDimension);
}

// Widens the tabs of each row so that the row fills its length.
void JustifyRows(TStrip& s, int areaLength) {
  const TStripSettings& st = s.Settings;
  const bool reverse = st.Sequence == tsReverse;
  const int room = areaLength - 2 * st.Margin - (s.RowCount - 1) * st.RowIndent + (RoundStyle(st.Style) ? 4 : 0);
  std::vector<size_t> visible;
  for (size_t i = 0; i < s.Tabs.size(); ++i)
    if (s.Tabs[i].Visible) visible.push_back(i);
  for (size_t begin = 0; begin < visible.size();) {
    size_t end = begin + 1;
    while (end < visible.size() && s.Tabs[visible[end]].Row == s.Tabs[visible[begin]].Row) ++end;
    const TRect& first = s.Tabs[visible[begin]].Rect;
    const TRect& last = s.Tabs[visible[end - 1]].Rect;
    const int free = room - (reverse ? first.Right - last.Left : last.Right - first.Left);
    if (free >= 1) {
      const int n = static_cast<int>(end - begin);
      int acc = 0;
      for (int k = 0; k < n; ++k) {
        TRect& r = s.Tabs[visible[begin + static_cast<size_t>(k)]].Rect;
        const int add = free / n + (k < free % n ? 1 : 0);
        if (reverse) {
          r.Right -= acc;
          r.Left -= acc + add;
        } else {
          r.Left += acc;
          r.Right += acc + add;
        }
        acc += add;
      }
    }
    begin = end;
  }
}

}  // namespace

void ArrangeTabs(TStrip& s) {
  const TStripSettings& st = s.Settings;
  const bool rows = RowsHorizontal(st.Orientation);
  const TTabShape shape{st.Orientation, st.Style, st.VerticalText, st.CutCornerSize, st.TabHeight};
  TExtent maxContent, maxTab;
  for (const TStripTab& t : s.Tabs) {
    if (!t.Visible) continue;
    maxContent = {std::max(maxContent.CX, t.Content.CX), std::max(maxContent.CY, t.Content.CY)};
    const TExtent size = TabSizeFromContent(shape, t.Content);
    maxTab = {std::max(maxTab.CX, size.CX), std::max(maxTab.CY, size.CY)};
  }
  if (st.TabWidth > 0) maxTab.CX = st.TabWidth;
  if (st.TabHeight > 0) maxTab.CY = st.TabHeight;
  s.FixedDimension = rows ? maxTab.CY : maxTab.CX;
  const int fd = s.FixedDimension;
  const int overlap = Overlap(st.Style, fd);

  // Every tab of a row is as thick as the thickest content.
  const auto tabLength = [&](const TStripTab& t) {
    TExtent c = t.Content;
    (rows ? c.CY : c.CX) = rows ? maxContent.CY : maxContent.CX;
    TExtent size = TabSizeFromContent(shape, c);
    if (st.TabWidth > 0) size.CX = st.TabWidth;
    if (st.TabHeight > 0) size.CY = st.TabHeight;
    return rows ? size.CX : size.CY;
  };
  const int areaLength = TabAreaLength(st);
  std::vector<int> lengths;
  for (const TStripTab& t : s.Tabs)
    if (t.Visible) lengths.push_back(tabLength(t));
  s.RowCount = st.MultiLine ? CountRows(lengths, areaLength, st.Margin, st.RowIndent, overlap) : 1;

  const int closeSize = CloseButtonSize(s);
  const int limit = st.MultiLine ? areaLength - 2 * st.Margin - (s.RowCount - 1) * st.RowIndent
                                 : areaLength - 2 * st.Margin - (closeSize > 0 ? closeSize + 2 : 0) -
                                       2 * ButtonSize(s) - 2;
  const bool reverse = st.Sequence == tsReverse;
  const int start = reverse ? -st.Margin : st.Margin;
  int pos = start, row = 0, usedRows = 0;
  size_t next = 0;
  for (TStripTab& t : s.Tabs) {
    if (!t.Visible) {
      t.Rect = {};
      t.Row = 0;
      continue;
    }
    const int length = ClampTabLength(lengths[next++], limit, st.Style);
    for (;;) {
      const bool fits = !st.MultiLine || (reverse ? pos - length > -limit : pos + length < limit);
      if (fits || pos == start) {
        const int y = RowTop(s, row);
        t.Rect = reverse ? TRect{pos - length, y, pos, y + fd} : TRect{pos, y, pos + length, y + fd};
        t.Row = row;
        usedRows = std::max(usedRows, row + 1);
        pos = reverse ? pos - length + overlap - 1 : pos + length - overlap + 1;
        if (!fits) {
          ++row;
          pos = start;
        }
        break;
      }
      ++row;
      pos = start;
    }
  }
  // The count and the placing agree; should they not, every placed row still counts.
  if (usedRows > s.RowCount) {
    s.RowCount = usedRows;
    for (TStripTab& t : s.Tabs)
      if (t.Visible) t.Rect = {t.Rect.Left, RowTop(s, t.Row), t.Rect.Right, RowTop(s, t.Row) + fd};
  }
  if (reverse) {
    const int shift = st.MultiLine ? st.Width : std::abs(pos);
    for (TStripTab& t : s.Tabs)
      if (t.Visible) {
        t.Rect.Left += shift;
        t.Rect.Right += shift;
      }
  }
  if (st.AlignTabs && st.MultiLine && (rows ? st.TabWidth == 0 : st.TabHeight == 0)) JustifyRows(s, areaLength);
}

void RotateRows(TStrip& s) {
  if (!s.Settings.MultiLine || s.ScrollerNeeded || s.Selected < 0 ||
      s.Selected >= static_cast<int>(s.Tabs.size()) || !s.Tabs[static_cast<size_t>(s.Selected)].Visible)
    return;
  const int n = s.RowCount, r = s.Tabs[static_cast<size_t>(s.Selected)].Row;
  if (n <= 1 || r == 0) return;
  for (TStripTab& t : s.Tabs) {
    if (!t.Visible) continue;
    t.Row = (t.Row + n - r) % n;
    t.Rect.Top = RowTop(s, t.Row);
    t.Rect.Bottom = t.Rect.Top + s.FixedDimension;
  }
}

// ---- row space and shapes -------------------------------------------------------------------------------------

int ScrollOrigin(const TStrip& s, int firstShown) {
  if (firstShown < 0 || firstShown >= static_cast<int>(s.Tabs.size())) return 0;
  const TStripSettings& st = s.Settings;
  const int m = st.Margin + (RoundStyle(st.Style) ? 2 : 0);
  const TRect& r = s.Tabs[static_cast<size_t>(firstShown)].Rect;
  return st.Sequence == tsReverse ? m + r.Right : r.Left - m;
}

TPoint RowToClient(const TStrip& s, TPoint p, int o) {
  const TRect a = TabArea(s);
  const bool reverse = s.Settings.Sequence == tsReverse;
  switch (s.Settings.Orientation) {
    case toTop: return {reverse ? a.Right - (o - p.X) : p.X - o + a.Left, p.Y + a.Top};
    case toBottom: return {reverse ? a.Right - (o - p.X) : p.X - o + a.Left, a.Bottom - p.Y};
    case toLeft: return {p.Y + a.Left, reverse ? o - p.X + a.Top : a.Bottom - (p.X - o)};
    default: return {a.Right - p.Y, reverse ? a.Bottom - (o - p.X) : p.X - o + a.Top};
  }
}

TRect RowRectToClient(const TStrip& s, const TRect& r, int origin) {
  const TPoint a = RowToClient(s, TPoint{r.Left, r.Top}, origin);
  const TPoint b = RowToClient(s, TPoint{r.Right, r.Bottom}, origin);
  TRect c{a.X, a.Y, b.X, b.Y};
  NormalizeRect(c);
  return c;
}

TRect IndentedTabRect(const TStrip& s, int index) {
  const TStripTab& t = s.Tabs[static_cast<size_t>(index)];
  const TStripSettings& st = s.Settings;
  const int shift = t.Row * st.RowIndent * (st.Sequence == tsReverse ? -1 : 1);
  TRect r{t.Rect.Left + shift, t.Rect.Top, t.Rect.Right + shift, t.Rect.Bottom};
  if (st.Style == tsRoundCorners && index == s.Selected) {
    r.Left -= 2;
    r.Right += 2;
    r.Top -= 2;
  }
  return r;
}

TRect TabClientRect(const TStrip& s, int index) {
  return RowRectToClient(s, IndentedTabRect(s, index), ScrollOrigin(s, s.FirstShownTab));
}

std::vector<TPoint> TabPolygon(const TStrip& s, int index) {
  const TRect r = IndentedTabRect(s, index);
  const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom, k = s.Settings.CutCornerSize, h = b - t;
  std::vector<TPoint> points;
  switch (s.Settings.Style) {
    case tsSingleSlant: points = {{l, b}, {l, t + 2}, {l + 2, t}, {rt - h, t}, {rt, b}}; break;
    case tsDoubleSlant: points = {{l, b}, {l + h, t}, {rt - h, t}, {rt, b}}; break;
    case tsCutCorner: points = {{l, b}, {l, t}, {rt - k, t}, {rt, t + k}, {rt, b}}; break;
    case tsRoundCorners: points = {{l, b}, {l, t + 2}, {l + 2, t}, {rt - 2, t}, {rt, t + 2}, {rt, b}}; break;
    default: points = {{l, b}, {l, t + 2}, {l + 2, t}, {rt - 2, t}, {rt, t + 2}, {rt, b}, {rt, b + 2}}; break;
  }
  const int origin = ScrollOrigin(s, s.FirstShownTab);
  for (TPoint& p : points) p = RowToClient(s, p, origin);
  return points;
}

// ---- cards and page area --------------------------------------------------------------------------------------

TRect RowCardRect(const TStrip& s, int row) {
  const TStripSettings& st = s.Settings;
  TRect r{0, 0, st.Width - 1, st.Height - 1};
  if (s.Tabs.empty() && st.ShowCardArea) return r;
  const int d = TabAreaDepth(s), shift = (s.FixedDimension - st.RowOverlap) * row;
  const int nearSide = st.RowIndent * row, farSide = st.RowIndent * (s.RowCount - row - 1);
  const bool reverse = st.Sequence == tsReverse;
  switch (st.Orientation) {
    case toTop:
    case toBottom:
      if (st.Orientation == toTop) {
        r.Top += d - shift;
        r.Bottom -= shift;
      } else {
        r.Top += shift;
        r.Bottom += shift - d;
      }
      r.Left += reverse ? farSide : nearSide;
      r.Right -= reverse ? nearSide : farSide;
      break;
    case toLeft:
    case toRight:
      if (st.Orientation == toLeft) {
        r.Left += d - shift;
        r.Right -= shift;
        r.Top += reverse ? nearSide : farSide;
        r.Bottom -= reverse ? farSide : nearSide;
      } else {
        r.Left += shift;
        r.Right += shift - d;
        r.Top += reverse ? farSide : nearSide;
        r.Bottom -= reverse ? nearSide : farSide;
      }
      break;
  }
  if (r.Right < r.Left || r.Bottom < r.Top) return {};
  if (!st.ShowCardArea) {
    const bool top = st.Orientation == toTop, bottom = st.Orientation == toBottom;
    const bool left = st.Orientation == toLeft, right = st.Orientation == toRight;
    if (!left) r.Left -= 3;
    if (!top) r.Top -= 3;
    if (!right) r.Right += 3;
    if (!bottom) r.Bottom += 3;
  }
  return r;
}

TRect PageArea(const TStrip& s) {
  const TStripSettings& st = s.Settings;
  if (!st.ShowCardArea) return {-2, -2, -1, -1};
  TRect r = RowCardRect(s, 0);
  if (!st.ShowCardFrame) {
    ++r.Right;
    ++r.Bottom;
  } else if (st.ShowFullFrame) {
    ++r.Left;
    ++r.Top;
    if (st.Orientation == toTop && st.Sequence == tsStandard && st.ShowShadow) {
      r.Right -= 2;
      r.Bottom -= 2;
    }
  } else {
    if (st.Orientation != toRight) ++r.Top;
    ++r.Right;
    ++r.Bottom;
  }
  return r;
}

// ---- scrolling and buttons ------------------------------------------------------------------------------------

int FirstVisibleTab(const TStrip& s) {
  for (size_t i = 0; i < s.Tabs.size(); ++i)
    if (s.Tabs[i].Visible) return static_cast<int>(i);
  return -1;
}

int LastVisibleTab(const TStrip& s) {
  for (size_t i = s.Tabs.size(); i-- > 0;)
    if (s.Tabs[i].Visible) return static_cast<int>(i);
  return -1;
}

bool NeedsScroller(const TStrip& s) {
  const TStripSettings& st = s.Settings;
  if (st.MultiLine) return false;
  const int edge = st.Sequence == tsReverse ? FirstVisibleTab(s) : LastVisibleTab(s);
  if (edge < 0) return false;
  return s.Tabs[static_cast<size_t>(edge)].Rect.Right > TabAreaLength(st) - 2 * st.Margin - CloseButtonSize(s);
}

bool IsTabShown(const TStrip& s, int index, int firstShown) {
  if (index < 0 || index >= static_cast<int>(s.Tabs.size())) return false;
  const TStripTab& t = s.Tabs[static_cast<size_t>(index)];
  if (!t.Visible) return false;
  if (!s.ScrollerNeeded) return true;
  const TStripSettings& st = s.Settings;
  const int strip = TabAreaLength(st) - 2 * ButtonSize(s) - 2 * st.Margin - CloseButtonSize(s);
  const int o = ScrollOrigin(s, firstShown);
  if (st.Sequence == tsReverse) return o >= t.Rect.Right && o - t.Rect.Left <= strip;
  return o <= t.Rect.Left && t.Rect.Right - o <= strip;
}

bool IsTabShown(const TStrip& s, int index) { return IsTabShown(s, index, s.FirstShownTab); }

int FixFirstShownTab(const TStrip& s, int old) {
  if (!s.ScrollerNeeded) return FirstVisibleTab(s);
  const int n = static_cast<int>(s.Tabs.size());
  old = std::clamp(old, 0, n - 1);
  int f = old;
  while (f < n && !IsTabShown(s, f, f)) ++f;
  if (f < n) return f;
  f = old - 1;
  while (f >= 0 && !IsTabShown(s, f, f)) --f;
  return f >= 0 ? f : FirstVisibleTab(s);
}

bool CanScrollBack(const TStrip& s) {
  return s.FirstShownTab >= 1 && !IsTabShown(s, FirstVisibleTab(s));
}

bool CanScrollForward(const TStrip& s) {
  const int last = LastVisibleTab(s);
  return last >= 0 && s.FirstShownTab < static_cast<int>(s.Tabs.size()) - 1 && !IsTabShown(s, last);
}

bool ScrollForward(TStrip& s) {
  if (!CanScrollForward(s)) return false;
  const int n = static_cast<int>(s.Tabs.size());
  int f = s.FirstShownTab + 1;
  while (f < n && !IsTabShown(s, f, f)) ++f;
  if (f >= n) return false;
  s.FirstShownTab = f;
  return true;
}

bool ScrollBack(TStrip& s) {
  if (!CanScrollBack(s)) return false;
  int f = s.FirstShownTab - 1;
  while (f >= 0 && !IsTabShown(s, f, f)) --f;
  if (f < 0) return false;
  s.FirstShownTab = f;
  return true;
}

int ScrollIntoView(const TStrip& s, int index) {
  int f = s.FirstShownTab;
  if (index < f) return index;
  while (f < index && !IsTabShown(s, index, f)) ++f;
  return f;
}

TButtonPlaces PlaceButtons(const TStrip& s) {
  const TStripSettings& st = s.Settings;
  const TRect a = TabArea(s);
  const int size = ButtonSize(s), close = CloseButtonSize(s), length = 2 * size - 1;
  const bool rows = RowsHorizontal(st.Orientation), reverse = st.Sequence == tsReverse;
  // Across the row: 2 pixels from the tab area's page-side edge.
  int across = 0;
  switch (st.Orientation) {
    case toTop: across = a.Bottom - size - 2; break;
    case toBottom: across = a.Top + 2; break;
    case toLeft: across = a.Right - size - 2; break;
    default: across = a.Left + 2; break;
  }
  // Along the row: at the far end, which is the right or bottom end (measured back from it) or the left or top
  // end (measured from it).
  const bool highEnd = rows ? !reverse : (st.Orientation == toLeft ? reverse : !reverse);
  const int low = rows ? a.Left : a.Top, high = rows ? a.Right : a.Bottom;
  const int endFix = st.Orientation == toTop && !reverse && st.ShowShadow ? -1 : 1;
  const auto place = [&](int offset, int extent) {
    return highEnd ? high - offset - extent + endFix : low + offset;
  };
  const int scrollerOffset = st.Margin + (close > 0 ? close + 2 : 0);
  TButtonPlaces p;
  p.ScrollerVertical = !rows;
  const int sw = rows ? length : size, sh = rows ? size : length;
  if (s.ScrollerNeeded) {
    const int along = place(scrollerOffset, length);
    p.Scroller = rows ? TRect{along, across, along + sw, across + sh} : TRect{across, along, across + sw, along + sh};
  } else {
    p.Scroller = {-sw - 1, -sh - 1, -1, -1};
  }
  if (close > 0) {
    const int along = place(st.Margin, close);
    p.Close = rows ? TRect{along, across, along + close, across + close}
                   : TRect{across, along, across + close, along + close};
  }
  return p;
}

// ---- searches -------------------------------------------------------------------------------------------------

int TabAtPos(int count, int selected, int firstShown, const std::function<bool(int)>& hit) {
  if (count <= 0 || firstShown < 0) return -1;
  if (selected >= 0 && selected < count && hit(selected)) return selected;
  for (int k = 0; k < count; ++k) {
    const int i = (firstShown + k) % count;
    if (i != selected && hit(i)) return i;
  }
  return -1;
}

int KeyTarget(int count, int current, TTabKey key, bool reversed, const std::function<bool(int)>& accept) {
  if (count <= 0) return current;
  if (key == TTabKey::Home || key == TTabKey::End) {
    const bool fromFirst = (key == TTabKey::Home) != reversed;
    for (int k = 0; k < count; ++k) {
      const int i = fromFirst ? k : count - 1 - k;
      if (i == current) break;
      if (accept(i)) return i;
    }
    return current;
  }
  const bool forward = (key == TTabKey::Next) != reversed;
  int i = current;
  for (int k = 0; k < count; ++k) {
    if (i < 0 || i >= count)
      i = forward ? 0 : count - 1;
    else
      i = forward ? (i + 1) % count : (i + count - 1) % count;
    if (i == current) break;
    if (accept(i)) return i;
  }
  return current;
}

int ValidSelection(int count, int current, const std::function<bool(int)>& selectable,
                   const std::function<bool(int)>& accept) {
  if (current < 0) return current;
  if (current < count && selectable(current)) return current;
  for (int i = current + 1; i < count; ++i)
    if (accept(i)) return i;
  for (int i = std::min(current, count) - 1; i >= 0; --i)
    if (accept(i)) return i;
  return -1;
}

}  // namespace sddtabs
