// How the SDD tab control paints: background, cards and tabs back to front into the off-screen bitmap, which is
// then copied to the window in one step. Outlines and frames are recorded as line commands (core/unSDDTabDrawing.h)
// and replayed here; shadow lines darken the parent's image behind the control.
//
// Sections: saved device contexts and tab fonts; paint; cards; tabs; tab content; line replay.
#include <algorithm>

#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGdi.h"
#include "sddcontrols/unSDDGrafx.h"
#include "sddcontrols/unSDDTabs.h"

// ---- saved device contexts and tab fonts ----------------------------------------------------------------------

namespace {

// The canvas lets go of its pen, brush and font (the DC gets its own back): a DC state saved or restored now
// holds none of the canvas's objects, which the canvas may delete and remake meanwhile.
HDC DetachObjects(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  canvas.SetHandle(nullptr);
  canvas.SetHandle(dc);
  return dc;
}

// A state of the bitmap's DC saved for one piece of drawing (a tab's clipping, a caption's font). Restore()
// reports a failure; leaving the scope otherwise (an exception on its way) restores quietly.
class TSavedDC {
public:
  explicit TSavedDC(TCanvas& canvas) : canvas_(canvas), dc_(DetachObjects(canvas)) {
    level_ = dc_ ? SaveDC(dc_) : 0;
    if (!level_) throw Exception("Error saving device context");
  }
  ~TSavedDC() {
    if (!level_) return;
    DetachObjects(canvas_);
    RestoreDC(dc_, level_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

  HDC Handle() const { return dc_; }
  void Restore() {
    const int level = level_;
    level_ = 0;
    DetachObjects(canvas_);
    if (!RestoreDC(dc_, level)) throw Exception("Error restoring device context");
  }

private:
  TCanvas& canvas_;
  HDC dc_;
  int level_ = 0;
};

// The tab font built for drawing: turned for vertical text (90 degrees, 270 along the right edge), bold or not,
// with the font's other styles, selected into the bitmap's DC for the life of the scope.
class TTabFont {
public:
  TTabFont(TCanvas& canvas, TFont& font, int escapement, bool bold)
      : normal_(Create(font, escapement, bold, false)),
        underlined_(Create(font, escapement, bold, true)),
        saved_(canvas) {
    if (normal_) SelectObject(saved_.Handle(), normal_.Get());
  }
  HDC Handle() const { return saved_.Handle(); }
  // The accelerator's character is drawn underlined.
  void Underline(bool on) {
    HFONT f = on ? underlined_.Get() : normal_.Get();
    if (f) SelectObject(saved_.Handle(), f);
  }
  void Release() { saved_.Restore(); }

private:
  // The font keeps its own style; `bold` and `underline` only add to it, so a bold font stays bold for every tab,
  // as the layout measured it. `escapement` is in tenths of a degree.
  static HFONT Create(TFont& font, int escapement, bool bold, bool underline) {
    TFontStyles style = font.Style();
    if (bold) style.Include(fsBold);
    if (underline) style.Include(fsUnderline);
    TFont styled;
    styled.Assign(&font);
    styled.SetStyle(style);
    return CreateRotatedFont(styled, escapement / 10);
  }

  // Deleted after the DC state that selected them is restored.
  TGdiObject<HFONT> normal_;
  TGdiObject<HFONT> underlined_;
  TSavedDC saved_;
};

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &s);
  return s;
}

bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

// ---- paint ----------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::Paint() {
  UpdateLayout();
  const int w = ClientWidth(), h = ClientHeight();
  if (w <= 0 || h <= 0) return;
  if (bitmap_.Width() != w || bitmap_.Height() != h) bitmap_.SetSize(w, h);
  TCanvas& c = bitmap_.Canvas();
  const TRect all{0, 0, w, h};
  bool handled = false;
  PaintBackground(c, all, handled);
  if (!handled) {
    if (transparent_) {
      DrawParentImage(*this, DetachObjects(c), false);
    } else {
      c.Brush().SetStyle(bsSolid);
      c.Brush().SetColor(backgroundColor_);
      c.FillRect(all);
    }
  }
  PlaceButtons();
  DrawCardsAndTabs(c);
  Canvas().CopyRect(all, c, all);
  hotFlag_ = false;
}

// Back to front: the rows behind with their cards, the selected tab, then the front card over its lower edge.
void TSDDCustomTabControl::DrawCardsAndTabs(TCanvas& c) {
  const int count = std::min(tabs_->Count(), static_cast<int>(strip_.Tabs.size()));
  if (count == 0) return;
  int firstFront = -1;
  for (int i = 0; i < count && firstFront < 0; ++i)
    if (strip_.Tabs[static_cast<size_t>(i)].Visible && strip_.Tabs[static_cast<size_t>(i)].Row == 0) firstFront = i;
  const int start = firstFront <= 0 ? count - 1 : firstFront - 1;
  const int first = strip_.FirstShownTab;
  int row = strip_.RowCount - 1;
  for (int k = 0, i = start; k < count; ++k, i = i == 0 ? count - 1 : i - 1) {
    if (i == tabIndex_ || i < first || !IsTabShown(i)) continue;
    const int tabRow = strip_.Tabs[static_cast<size_t>(i)].Row;
    if (row > tabRow && row > 0) {
      DrawCard(c, row);
      row = tabRow;
    }
    DrawTab(c, i);
  }
  if (row - 1 == 0) DrawCard(c, 1);
  if (tabIndex_ >= 0 && tabIndex_ < count && tabIndex_ >= first && IsTabShown(tabIndex_)) DrawTab(c, tabIndex_);
  DrawCard(c, 0);
}

// ---- cards ----------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::DrawCard(TCanvas& c, int row) {
  const TRect card = CardRect(row);
  if (sddtabs::IsRectAllZero(card)) return;
  TRect fill = card;
  if (showCardArea_) {
    ++fill.Right;
    ++fill.Bottom;
  }
  bool handled = false;
  PaintCardBackground(c, row, fill, handled);
  if (!handled) {
    const bool selected = tabIndex_ >= 0 && tabIndex_ < tabs_->Count();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(useColoredTabs_ && selected ? tabs_->Items(tabIndex_).Color : Color());
    c.FillRect(fill);
  }
  if (!showCardFrame_) return;
  sddtabs::TLineCommands list;
  sddtabs::AddLineColor(list, 1, row);
  sddtabs::TCardFrame frame;
  frame.Orientation = tabOrientation_;
  frame.Sequence = tabSequence_;
  frame.Style = tabStyle_;
  frame.Card = card;
  frame.ShowFullFrame = showFullFrame_;
  frame.ShowShadow = showShadow_;
  frame.Hot = hotFlag_;
  if (row == 0 && tabIndex_ >= 0 && tabIndex_ < static_cast<int>(strip_.Tabs.size()) && IsTabShown(tabIndex_)) {
    const std::vector<TPoint> points = sddtabs::TabPolygon(strip_, tabIndex_);
    frame.Gap = true;
    frame.GapStart = {points.front().X + 1, points.front().Y};
    frame.GapEnd = tabStyle_ == tsKestraStyle ? points[5] : points.back();
  }
  sddtabs::RecordCardFrame(list, frame);
  Replay(c, list);
}

// ---- tabs -----------------------------------------------------------------------------------------------------

void TSDDCustomTabControl::DrawTab(TCanvas& c, int index) {
  const TRect r = TabRect(index);
  if (!Intersects(r, c.ClipRect())) return;
  if (HRGN region = TabRegion(index)) {
    TSavedDC saved(c);
    SelectClipRgn(saved.Handle(), region);
    FillTab(c, index, r);
    PaintTabContent(c, index, r);
    saved.Restore();
  }
  sddtabs::TLineCommands list;
  sddtabs::AddLineColor(list, 0, index);
  if (!sddtabs::RecordTabOutline(list, tabStyle_, tabOrientation_, sddtabs::TabPolygon(strip_, index)))
    throw Exception("Incorrect number of points in tab shape");
  Replay(c, list);
}

void TSDDCustomTabControl::FillTab(TCanvas& c, int index, const TRect& r) {
  bool handled = false;
  PaintTabBackground(c, index, r, handled);
  if (handled) return;
  const TSDDTabData& tab = tabs_->Items(index);
  TColor selected = Color(), unselected = tabColors_->Unselected(), end = tabColors_->Shadow();
  if (useColoredTabs_) {
    selected = unselected = tab.Color;
    end = (ColorToRGB(tab.Color) & 0xFFFFFF) == 0xFFFFFF ? clBtnFace : DarkerColor(tab.Color, 30);
  }
  c.Brush().SetStyle(bsSolid);
  if (index == tabIndex_ || !useGradients_ || !IsHighColorDisplay()) {
    c.Brush().SetColor(index == tabIndex_ ? selected : unselected);
    c.FillRect(r);
    return;
  }
  // The unselected colour lies along the outer edge, the gradient's end towards the page.
  switch (tabOrientation_) {
    case toTop: GradientFill(c, r, gdHorizontalEnd, unselected, end, 1); break;
    case toBottom: GradientFill(c, r, gdHorizontalEnd, end, unselected, 1); break;
    case toLeft: GradientFill(c, r, gdVerticalEnd, unselected, end, 1); break;
    case toRight: GradientFill(c, r, gdVerticalEnd, end, unselected, 1); break;
  }
}

// ---- tab content ----------------------------------------------------------------------------------------------

TColor TSDDCustomTabControl::TextColor(int index, TSDDTextStyle style, TColor fallback) {
  TColor color = fallback;
  bool handled = false;
  DoGetTextColor(index, style, color, handled);
  return handled ? color : fallback;
}

void TSDDCustomTabControl::DrawBar(TCanvas& c, const TRect& tab, TColor color) {
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(color);
  c.FillRect(sddtabs::BarRect(tab, tabOrientation_));
}

void TSDDCustomTabControl::PaintTabContent(TCanvas& c, int index, const TRect& r) {
  const TSDDTabData& tab = tabs_->Items(index);
  const bool selected = index == tabIndex_;
  const bool hasImage = images_ && tab.ImageIndex != -1;
  const TRect content =
      sddtabs::ContentRect(r, tabStyle_, tabOrientation_, textOrientation_ == orVertical, cutCornerSize_);
  const sddtabs::TContentAreas areas = sddtabs::ContentAreas(
      content, hasImage ? sddtabs::TExtent{images_->Width(), images_->Height()} : sddtabs::TExtent{},
      tab.ImageIndex != -1 ? imageMargin_ : 0, imagePosition_, imageAlignment_, imageAlignmentVertical_);
  if (hasImage) {
    if (tab.DisabledIndex == -1)
      images_->Draw(c, areas.ImageAt.X, areas.ImageAt.Y, tab.ImageIndex, tab.Enabled);
    else
      images_->Draw(c, areas.ImageAt.X, areas.ImageAt.Y, tab.Enabled ? tab.ImageIndex : tab.DisabledIndex);
  }
  const TRect text = areas.Text;
  TColor color;
  if (!tab.Enabled) {
    // Embossed: a light copy one pixel down and right under the shadow-coloured caption.
    DrawCaption(c, index, text, selected, TextColor(index, tsDisabledHighlight, textColors_->DisabledHighlight()),
                1, 1);
    color = TextColor(index, tsDisabledShadow, textColors_->DisabledShadow());
  } else if (hotTrack_ && index == hotTab_) {
    color = TextColor(index, tsHotTrack, hotTrackStyle_ == htsText ? hotTrackColor_ : textColors_->Selected());
    if (hotTrackStyle_ == htsTab)
      DrawBar(c, r, hotTrackColorType_ == htctActual ? hotTrackColor_ : ComplementColor(hotTrackColor_, 140));
  } else if (!selected) {
    color = TextColor(index, tsUnselected, textColors_->Unselected());
  } else {
    color = TextColor(index, tsSelected, textColors_->Selected());
    if (hotTrack_ && hotTrackStyle_ == htsTab) DrawBar(c, r, tabColors_->HighlightBar());
  }
  DrawCaption(c, index, text, selected, color, 0, 0);
  if (showFocusRect_ && selected && Focused()) {
    c.DrawFocusRect(sddtabs::FocusRect(areas.Text, tabStyle_, tabOrientation_));
  }
}

void TSDDCustomTabControl::DrawCaption(TCanvas& c, int index, const TRect& area, bool selected, TColor color, int dx,
                                       int dy) {
  const bool vertical = textOrientation_ == orVertical;
  const bool turnedRight = vertical && tabOrientation_ == toRight;
  const int escapement = !vertical ? 0 : turnedRight ? 2700 : 900;
  TTabFont font(c, tabFont_, escapement, selected && boldCurrentTab_);
  HDC dc = font.Handle();
  std::vector<sddtabs::TAccelLine> lines;
  std::vector<sddtabs::TExtent> extents;
  for (const std::string& line : sddtabs::SplitCaption(tabs_->Items(index).Caption)) {
    lines.push_back(sddtabs::SplitAccelerator(line));
    const SIZE s = TextSize(dc, lines.back().Plain());
    extents.push_back(vertical ? sddtabs::TExtent{s.cy, s.cx} : sddtabs::TExtent{s.cx, s.cy});
  }
  const std::vector<TPoint> at = sddtabs::PlaceCaptionLines(area, extents, vertical, turnedRight, textAlignment_,
                                                             textAlignmentVertical_);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SetTextColor(dc, ColorToRGB(color));
  for (size_t i = 0; i < lines.size(); ++i) {
    int x = at[i].X + dx, y = at[i].Y + dy;
    // The pieces follow each other along the text's direction.
    const auto draw = [&](const std::string& piece, bool underlined) {
      if (piece.empty()) return;
      font.Underline(underlined);
      TextOutA(dc, x, y, piece.data(), static_cast<int>(piece.size()));
      const int advance = TextSize(dc, piece).cx;
      if (!vertical)
        x += advance;
      else
        y += turnedRight ? advance : -advance;
    };
    draw(lines[i].Before, false);
    draw(lines[i].Marked, true);
    draw(lines[i].After, false);
  }
  font.Release();
}

// ---- line replay ----------------------------------------------------------------------------------------------

void TSDDCustomTabControl::Replay(TCanvas& c, const sddtabs::TLineCommands& list) {
  TColor lineColor = LineColor();
  // Shadow lines darken what the parent shows behind the control.
  TBitmap parent;
  if (sddtabs::HasShadow(list)) {
    parent.SetPixelFormat(pf32bit);
    parent.SetSize(bitmap_.Width(), bitmap_.Height());
    parent.Canvas().Brush().SetColor(backgroundColor_);
    parent.Canvas().FillRect({0, 0, parent.Width(), parent.Height()});
    DrawParentImage(*this, DetachObjects(parent.Canvas()), false);
  }
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  for (size_t i = 0; i < list.size();) {
    const int code = list[i];
    if (code == sddtabs::lcPenColor || code == sddtabs::lcNothing) {
      if (code == sddtabs::lcPenColor) c.Pen().SetColor(lineColor);
      ++i;
      continue;
    }
    if (i + 2 >= list.size()) break;
    const int x = list[i + 1], y = list[i + 2];
    i += 3;
    switch (code) {
      case sddtabs::lcLineColor: lineColor = LineColor(); break;
      case sddtabs::lcMoveTo: c.MoveTo(x, y); break;
      case sddtabs::lcLineTo: c.LineTo(x, y); break;
      case sddtabs::lcShadow30:
      case sddtabs::lcShadow15: {
        const uint8_t strength = code == sddtabs::lcShadow30 ? 30 : 15;
        const TPoint from = c.PenPos();
        for (const TPoint& p : sddtabs::ShadowLinePixels(from, {x, y})) {
          if (p.X < 0 || p.Y < 0 || p.X >= parent.Width() || p.Y >= parent.Height()) continue;
          c.SetPixel(p.X, p.Y, BlendColors(clBlack, parent.Canvas().Pixel(p.X, p.Y), strength));
        }
        c.MoveTo(x, y);
        break;
      }
      default: break;
    }
  }
}
