// Sections: line commands; tab content; captions; bars and marks.
#include "sddcontrols/core/unSDDTabDrawing.h"

#include <algorithm>
#include <initializer_list>

namespace sddtabs {

// ---- line commands --------------------------------------------------------------------------------------------

namespace {

using TPts = std::initializer_list<TPoint>;

// One stroke: the pen colour, a move to the first point and lines through the others.
void Stroke(TLineCommands& list, TPts points, TLineCode lineCode = lcLineTo) {
  list.push_back(lcPenColor);
  bool first = true;
  for (const TPoint& p : points) {
    list.insert(list.end(), {first ? lcMoveTo : lineCode, p.X, p.Y});
    first = false;
  }
}

void MoveTo(TLineCommands& list, TPoint p) { list.insert(list.end(), {lcMoveTo, p.X, p.Y}); }
void LineTo(TLineCommands& list, TLineCode code, TPoint p) { list.insert(list.end(), {code, p.X, p.Y}); }

TPoint At(TPoint p, int dx, int dy) { return {p.X + dx, p.Y + dy}; }

struct TCorners {
  TPoint P0, P1, P2, P3;  // top-left, top-right, bottom-right, bottom-left
};

void RecordShadow(TLineCommands& list, const TCorners& c) {
  MoveTo(list, At(c.P1, -1, 1));
  LineTo(list, lcShadow30, At(c.P2, -1, -1));
  LineTo(list, lcShadow30, At(c.P3, 0, -1));
  MoveTo(list, At(c.P1, -1, 0));
  for (TPoint p : {c.P1, c.P2, c.P3, At(c.P3, 0, -1)}) LineTo(list, lcShadow15, p);
}

void RecordPlainFrame(TLineCommands& list, const TCardFrame& f, const TCorners& c) {
  if (f.Orientation == toTop && f.Sequence == tsStandard && f.ShowShadow) {
    Stroke(list, {c.P0, At(c.P1, -2, 0), At(c.P2, -2, -2), At(c.P3, 0, -2), c.P0});
    if (!f.Hot) RecordShadow(list, c);
  } else if (f.ShowFullFrame) {
    Stroke(list, {c.P0, c.P1, c.P2, c.P3, c.P0});
  } else {
    Stroke(list, {c.P0, c.P1});
  }
}

void RecordGapFrame(TLineCommands& list, const TCardFrame& f, const TCorners& c) {
  const TPoint g1 = f.GapStart, g2 = f.GapEnd;
  const bool full = f.ShowFullFrame;
  switch (f.Orientation) {
    case toTop:
      if (f.Sequence == tsStandard && f.ShowShadow) {
        Stroke(list, {c.P0, g1});
        if (full)
          Stroke(list, {g2, At(c.P1, -2, 0), At(c.P2, -2, -2), At(c.P3, 0, -2), At(c.P0, 0, -1)});
        else
          Stroke(list, {g2, At(c.P1, -2, 0)});
        if (!f.Hot) RecordShadow(list, c);
      } else if (full) {
        Stroke(list, {c.P0, g1});
        Stroke(list, {g2, c.P1, c.P2, c.P3, c.P0});
      } else {
        Stroke(list, {c.P0, g1});
        Stroke(list, {g2, At(c.P1, 1, 0)});
      }
      break;
    case toLeft:
      if (full) {
        Stroke(list, {c.P0, c.P1, c.P2, c.P3, g1});
        Stroke(list, {g2, c.P0});
      } else {
        Stroke(list, {At(c.P3, -1, 0), At(g1, -1, 0)});
        Stroke(list, {At(g2, -1, 0), At(c.P0, -1, 0)});
      }
      break;
    case toBottom:
      if (full) {
        Stroke(list, {c.P0, c.P1, c.P2, {g2.X - 1, g2.Y}});
        Stroke(list, {{g1.X - 1, g2.Y}, c.P3, c.P0});
      } else {
        Stroke(list, {At(c.P2, 0, 1), {g2.X - 1, g2.Y + 1}});
        Stroke(list, {{g1.X - 1, g2.Y + 1}, At(c.P3, 0, 1)});
      }
      break;
    case toRight:
      if (full) {
        Stroke(list, {c.P0, c.P1, g1});
        Stroke(list, {g2, c.P2, c.P3, c.P0});
      } else {
        Stroke(list, {At(c.P1, 1, 0), At(g1, 1, 0)});
        Stroke(list, {At(g2, 1, 0), At(c.P2, 1, 1)});
      }
      break;
  }
}

}  // namespace

void AddLineColor(TLineCommands& list, int kind, int tabOrRow) {
  list.insert(list.end(), {lcLineColor, kind, tabOrRow});
}

bool HasShadow(const TLineCommands& list) {
  for (size_t i = 0; i < list.size();) {
    const int code = list[i];
    if (code == lcShadow30 || code == lcShadow15) return true;
    i += code >= lcLineColor && code <= lcShadow15 ? 3 : 1;
  }
  return false;
}

void RecordCardFrame(TLineCommands& list, const TCardFrame& f) {
  const TRect& r = f.Card;
  const TCorners c{{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
  if (f.Gap)
    RecordGapFrame(list, f, c);
  else
    RecordPlainFrame(list, f, c);
}

bool RecordTabOutline(TLineCommands& list, TSDDTabStyle style, TSDDTabOrientation orientation,
                      const std::vector<TPoint>& q) {
  static constexpr size_t kPoints[] = {5, 4, 5, 6, 7};
  if (q.size() != kPoints[style]) return false;
  list.push_back(lcPenColor);
  const auto path = [&list, &q](std::initializer_list<size_t> indexes) {
    bool first = true;
    for (size_t i : indexes) {
      list.insert(list.end(), {first ? lcMoveTo : lcLineTo, q[i].X, q[i].Y});
      first = false;
    }
  };
  switch (style) {
    case tsSingleSlant:
    case tsCutCorner: path({0, 1, 2, 3, 4}); break;
    case tsDoubleSlant: path({0, 1, 2, 3}); break;
    case tsKestraStyle:
      // Outlined only along the top; its last point (under the card line) is not drawn.
      if (orientation != toTop) break;
      [[fallthrough]];
    case tsRoundCorners:
      if (orientation == toLeft) {
        path({1, 0});
        path({1, 2});
        path({2, 3, 4, 5});
      } else {
        path({4, 5});
        path({4, 3});
        path({3, 2, 1, 0});
      }
      break;
  }
  return true;
}

std::vector<TPoint> ShadowLinePixels(TPoint from, TPoint to) {
  std::vector<TPoint> pixels;
  if (from.X != to.X) {
    const int step = to.X > from.X ? 1 : -1;
    for (int x = from.X;; x += step) {
      pixels.push_back({x, from.Y});
      if (x == to.X) break;
    }
  } else {
    const int step = to.Y >= from.Y ? 1 : -1;
    for (int y = from.Y;; y += step) {
      pixels.push_back({from.X, y});
      if (y == to.Y) break;
    }
  }
  return pixels;
}

// ---- tab content ----------------------------------------------------------------------------------------------

TRect ContentRect(const TRect& tab, TSDDTabStyle style, TSDDTabOrientation o, bool verticalText, int k) {
  TRect c = tab;
  const int h = tab.Bottom - tab.Top, w = tab.Right - tab.Left;
  const bool rows = RowsHorizontal(o);
  // The last step of the style's rule for each orientation: toTop/toLeft move their outer side in, toBottom and
  // toRight move theirs in and shift one pixel towards the page.
  const auto outerSide = [&c, o](int top, int left) {
    switch (o) {
      case toTop: c.Top += top; break;
      case toBottom: c.Bottom -= top; c = c.Offset(0, 1); break;
      case toLeft: c.Left += left; break;
      case toRight: c.Right -= left; c = c.Offset(1, 0); break;
    }
  };
  switch (style) {
    case tsSingleSlant:
      c = c.Inflate(-1, -1);
      if (rows) {
        c.Right -= 2 * Overlap(tsSingleSlant, h) + 2;
        c = c.Offset(3, 0);
      } else if (o == toLeft) {
        c.Top += 2 * Overlap(tsSingleSlant, w) + 2;
        c = c.Offset(0, -2);
      } else {
        c.Bottom -= 2 * Overlap(tsSingleSlant, w) + 2;
        c = c.Offset(0, 2);
      }
      if (!rows) c = c.Offset(0, 1);
      outerSide(2, 2);
      break;
    case tsDoubleSlant:
      if (rows) {
        c = c.Inflate(1 - Overlap(tsDoubleSlant, h), -1).Offset(1, 0);
      } else {
        c = c.Inflate(-1, 1 - Overlap(tsDoubleSlant, w));
        c.Bottom += 2;
        c = c.Offset(0, 1);
      }
      outerSide(2, 2);
      break;
    case tsCutCorner:
      if (!verticalText) {
        c = rows ? c.Inflate(-(k + 3), -1) : c.Inflate(-1, -4);
        outerSide(3, k + 5);
      } else {
        c = rows ? c.Inflate(-4, -1) : c.Inflate(-1, -(k + 3));
        outerSide(k + 3, 5);
      }
      break;
    default:
      c = verticalText ? c.Inflate(-2, -4) : c.Inflate(-4, -2);
      break;
  }
  c = c.Inflate(-1, -1);
  return c;
}

TContentAreas ContentAreas(const TRect& c, TExtent image, int margin, TSDDImagePosition position,
                           TSDDHorizontalAlignment alignment, TSDDVerticalAlignment alignmentVertical) {
  TContentAreas a{c, c, {c.Left, c.Top}};
  switch (position) {
    case ipLeft:
      a.Image.Right = c.Left + image.CX;
      a.Text.Left += image.CX + margin;
      break;
    case ipTop:
      a.Image.Bottom = c.Top + image.CY;
      a.Text.Top += image.CY + margin;
      break;
    case ipRight:
      a.Image.Left = c.Right - image.CX;
      a.Text.Right -= image.CX + margin;
      break;
    case ipBottom:
      a.Image.Top = c.Bottom - image.CY;
      a.Text.Bottom -= image.CY + margin;
      break;
    default: break;
  }
  if (position == ipStretch) return a;
  const int freeX = a.Image.Right - a.Image.Left - image.CX, freeY = a.Image.Bottom - a.Image.Top - image.CY;
  a.ImageAt.X = a.Image.Left + (alignment == haCenter ? freeX / 2 : alignment == haRight ? freeX : 0);
  a.ImageAt.Y = a.Image.Top + (alignmentVertical == vaCenter ? freeY / 2 : alignmentVertical == vaBottom ? freeY : 0);
  return a;
}

// ---- captions -------------------------------------------------------------------------------------------------

std::vector<std::string> SplitCaption(std::string_view caption) {
  std::vector<std::string> lines;
  for (;;) {
    const size_t at = caption.find("\r\n");
    lines.emplace_back(caption.substr(0, at));
    if (at == std::string_view::npos) break;
    caption.remove_prefix(at + 2);
  }
  return lines;
}

TAccelLine SplitAccelerator(std::string_view line) {
  TAccelLine parts;
  std::string* into = &parts.Before;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '&' && i + 1 < line.size()) {
      ++i;
      if (line[i] != '&' && parts.Marked.empty() && into == &parts.Before) {
        parts.Marked = std::string(1, line[i]);
        into = &parts.After;
        continue;
      }
    }
    into->push_back(line[i]);
  }
  return parts;
}

std::vector<TPoint> PlaceCaptionLines(const TRect& area, const std::vector<TExtent>& lines, bool vertical,
                                      bool turnedRight, TSDDHorizontalAlignment ha, TSDDVerticalAlignment va) {
  const int areaW = area.Right - area.Left, areaH = area.Bottom - area.Top;
  const auto share = [](int free, bool half, bool all) { return half ? free / 2 : all ? free : 0; };
  std::vector<TPoint> at;
  if (!vertical) {
    int block = 0;
    for (const TExtent& l : lines) block += l.CY;
    int y = area.Top + share(areaH - block, va == vaCenter, va == vaBottom);
    for (const TExtent& l : lines) {
      at.push_back({area.Left + share(areaW - l.CX, ha == haCenter, ha == haRight), y});
      y += l.CY;
    }
    return at;
  }
  int block = 0;
  for (const TExtent& l : lines) block += l.CX;
  const int free = areaW - block;
  // 90-degree text runs upwards from its start and its glyphs stand to the right of it; 270-degree text runs
  // downwards with its glyphs to the left.
  int x = turnedRight ? area.Right - share(free, ha == haCenter, ha == haLeft)
                      : area.Left + share(free, ha == haCenter, ha == haRight);
  for (const TExtent& l : lines) {
    const int len = l.CY;
    int y = 0;
    if (turnedRight)
      y = va == vaTop ? area.Top : va == vaBottom ? area.Bottom - len : area.Top + (areaH - len) / 2;
    else
      y = va == vaBottom ? area.Bottom : va == vaTop ? area.Top + len : area.Top + (areaH - len) / 2 + len;
    at.push_back({x, y});
    x += turnedRight ? -l.CX : l.CX;
  }
  return at;
}

// ---- bars and marks -------------------------------------------------------------------------------------------

TRect BarRect(const TRect& tab, TSDDTabOrientation o) {
  TRect r{tab.Left - 1, tab.Top - 1, tab.Right + 1, tab.Bottom + 1};
  switch (o) {
    case toTop: r.Bottom = r.Top + 6; break;
    case toLeft: r.Right = r.Left + 6; break;
    case toBottom: r.Top = r.Bottom - 4; break;
    case toRight: r.Left = r.Right - 4; break;
  }
  return r;
}

TRect FocusRect(const TRect& text, TSDDTabStyle style, TSDDTabOrientation o) {
  TRect r = text;
  if (RowsHorizontal(o)) {
    --r.Left;
    ++r.Right;
  } else {
    --r.Top;
    ++r.Bottom;
  }
  if (RoundStyle(style)) {
    switch (o) {
      case toTop: r.Top += 1; break;
      case toBottom: r.Bottom -= 1; break;
      case toLeft: r.Left += 2; break;
      case toRight: r.Right -= 2; break;
    }
  }
  return r;
}

TRect DropMarkRect(const TStrip& s, int target, bool beforeDragged) {
  const TRect tab = IndentedTabRect(s, target);
  const TSDDTabStyle style = s.Settings.Style;
  const bool reverse = s.Settings.Sequence == tsReverse;
  // The sequence runs along row space for tsStandard and against it for tsReverse.
  const bool rightEdge = beforeDragged == reverse;
  int centre = rightEdge ? tab.Right : tab.Left;
  const bool slanted = style == tsDoubleSlant || (style == tsSingleSlant && rightEdge);
  if (slanted)
    centre += rightEdge ? -s.FixedDimension / 2 : s.FixedDimension / 2;
  else if (!beforeDragged)
    centre += rightEdge ? 1 : -1;
  const int outer = tab.Top - (s.Settings.Orientation == toRight ? 3 : 2);
  return RowRectToClient(s, TRect{centre - 7, outer, centre + 8, outer + 8}, ScrollOrigin(s, s.FirstShownTab));
}

}  // namespace sddtabs
