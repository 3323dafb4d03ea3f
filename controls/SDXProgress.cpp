// Sections: life and properties; notifications; geometry and the back buffer; painting.
#include "controls/SDXProgress.h"

#include <algorithm>

#include "classlib/Hints.h"

// ---- life and properties --------------------------------------------------------------------------------------

TSDXProgress::TSDXProgress(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_.Include(csOpaque);
  buffer_.SetPixelFormat(pf32bit);
  SetBounds(Left(), Top(), 150, 15);
}

TSDXProgress::~TSDXProgress() = default;

void TSDXProgress::SetBorderStyle(TBorderStyle value) {
  if (StoreChanged(borderStyle_, value)) Changed();
}

void TSDXProgress::SetStartColor(TColor value) {
  if (!StoreChanged(startColor_, value)) return;
  startRgb_ = ColorToRGB(value);
  Changed();
}

void TSDXProgress::SetEndColor(TColor value) {
  if (!StoreChanged(endColor_, value)) return;
  endRgb_ = ColorToRGB(value);
  Changed();
}

void TSDXProgress::SetGradientBlocks(bool value) {
  if (StoreChanged(gradientBlocks_, value) && !solid_) Changed();
}

void TSDXProgress::SetSolid(bool value) {
  if (!StoreChanged(solid_, value)) return;
  dirty_ = true;
  RecalcGeometry();
  Redraw();
}

void TSDXProgress::SetMaximum(int64_t value) {
  const int old = Percent();
  maximum_ = std::max(value, minimum_);
  position_ = std::min(position_, maximum_);
  RangeChanged(old);
}

void TSDXProgress::SetMinimum(int64_t value) {
  const int old = Percent();
  minimum_ = std::min(value, maximum_);
  position_ = std::max(position_, minimum_);
  RangeChanged(old);
}

void TSDXProgress::SetPosition(int64_t value) {
  const int old = Percent();
  position_ = std::clamp(value, minimum_, maximum_);
  RangeChanged(old);
}

void TSDXProgress::SetTextOption(TTextOption value) {
  if (StoreChanged(textOption_, value)) Changed();
}

void TSDXProgress::SetTextCentered(bool value) {
  if (StoreChanged(textCentered_, value) && textOption_ != toNoText) Changed();
}

std::string TSDXProgress::DisplayText() const {
  switch (textOption_) {
    case toCaption: return Caption();
    case toFormat: return FormatProgressCaption(Caption(), Percent());
    case toPercent: return FormatProgressCaption("%d%%", Percent());
    case toNoText: break;
  }
  return {};
}

// ---- notifications --------------------------------------------------------------------------------------------

void TSDXProgress::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_COLORCHANGED: return CMColorChanged(m);
    case CM_FONTCHANGED: return CMFontChanged(m);
    case CM_TEXTCHANGED: return CMTextChanged(m);
    case CM_PARENTCOLORCHANGED: return CMParentColorChanged(m);
    case CM_MOUSEENTER: return CMMouseEnter(m);
    case CM_MOUSELEAVE: return CMMouseLeave(m);
    default: return TGraphicControl::WndProc(m);
  }
}

void TSDXProgress::CMColorChanged(TMessage&) { Changed(); }

// The buffer takes the control's font when it draws the text.
void TSDXProgress::CMFontChanged(TMessage&) {
  if (textOption_ != toNoText) Changed();
}

void TSDXProgress::CMTextChanged(TMessage&) {
  if (textOption_ == toCaption || textOption_ == toFormat) Changed();
}

void TSDXProgress::CMParentColorChanged(TMessage& m) {
  TGraphicControl::WndProc(m);
  OnParentColorChange(this);
}

void TSDXProgress::CMMouseEnter(TMessage&) {
  savedHintColor_ = HintSettings().HintColor;
  if (!HasState(csDesigning)) HintSettings().HintColor = hintColor_;
  OnMouseEnter(this);
}

void TSDXProgress::CMMouseLeave(TMessage&) {
  HintSettings().HintColor = savedHintColor_;
  OnMouseLeave(this);
}

void TSDXProgress::Loaded() {
  TGraphicControl::Loaded();
  RecalcGeometry();
  Redraw();
}

// ---- geometry and the back buffer -----------------------------------------------------------------------------

void TSDXProgress::Changed() {
  dirty_ = true;
  Redraw();
}

void TSDXProgress::RangeChanged(int oldPercent) {
  if ((textOption_ == toFormat || textOption_ == toPercent) && Percent() != oldPercent) dirty_ = true;
  RecalcGeometry();
  Redraw();
}

void TSDXProgress::RecalcGeometry() {
  if (HasState(csLoading)) return;
  TProgressGeometry g;
  if (!ComputeProgressGeometry(position_, minimum_, maximum_, ClientWidth(), ClientHeight(), solid_, g)) return;
  if (StoreChanged(geometry_, g)) dirty_ = true;
}

void TSDXProgress::Redraw(bool repaint) {
  if (!dirty_ || HasState(csLoading)) return;
  dirty_ = false;
  const TRect r = ClientRect();
  if (r.IsEmpty()) return;
  if (buffer_.Width() != r.Width() || buffer_.Height() != r.Height()) buffer_.SetSize(r.Width(), r.Height());
  TCanvas& canvas = buffer_.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  if (geometry_.Fill > 0) {
    if (solid_) DrawSolid(canvas, r.Height());
    else DrawBlocks(canvas, r.Height());
  }
  if (r.Width() - 2 > geometry_.Fill) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect({geometry_.Fill + 1, 1, r.Width() - 1, r.Height() - 1});
  }

  const std::string text = DisplayText();
  if (!text.empty()) {
    canvas.Font().Assign(&Font());
    const SIZE extent = canvas.TextExtent(text);
    const int reference = textCentered_ ? r.Width() : geometry_.Fill;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(std::max((reference - static_cast<int>(extent.cx)) / 2, 0),
                   std::max((r.Height() - static_cast<int>(extent.cy)) / 2, 0), text);
    canvas.Brush().SetStyle(bsSolid);
  }
  DrawBorder(canvas, r);
  ++bufferDraws_;
  if (repaint) Invalidate();
}

void TSDXProgress::DrawColumns(TCanvas& canvas, int left, int count, int height, uint32_t color) {
  canvas.Brush().SetColor(color);
  canvas.FillRect({left, 1, left + count, height - 1});
}

void TSDXProgress::DrawSolid(TCanvas& canvas, int height) {
  const int fill = geometry_.Fill;
  if (startRgb_ == endRgb_) return DrawColumns(canvas, 1, fill, height, startRgb_);
  for (int x = 1; x <= fill; ++x)
    DrawColumns(canvas, x, 1, height, GradientColumnColor(startRgb_, endRgb_, x - 1, fill));
}

// Blocks start at column 1 and repeat every BlockWidth columns: BlockWidth - 1 coloured columns, then one
// separator column in Color. The colour of column x is the gradient's value x - 1 columns in; a block of one
// colour takes the value of its first column.
void TSDXProgress::DrawBlocks(TCanvas& canvas, int height) {
  const int bw = geometry_.BlockWidth;
  if (bw <= 0) return;
  const int fill = geometry_.Fill;
  const int full = geometry_.Blocks - (geometry_.PartialBlock ? 1 : 0);
  const bool oneColor = startRgb_ == endRgb_;
  auto paint = [&](int x, int width) {
    if (oneColor) return DrawColumns(canvas, x, width, height, startRgb_);
    if (!gradientBlocks_)
      return DrawColumns(canvas, x, width, height, GradientColumnColor(startRgb_, endRgb_, x - 1, fill));
    for (int c = x; c < x + width; ++c)
      DrawColumns(canvas, c, 1, height, GradientColumnColor(startRgb_, endRgb_, c - 1, fill));
  };
  for (int k = 0; k < full; ++k) paint(1 + k * bw, bw - 1);
  if (geometry_.PartialBlock) paint(1 + full * bw, geometry_.PartialWidth);
  const uint32_t separator = ColorToRGB(Color());
  for (int k = 1; k <= full; ++k) DrawColumns(canvas, k * bw, 1, height, separator);
}

void TSDXProgress::DrawBorder(TCanvas& canvas, const TRect& r) {
  if (borderStyle_ == bsNone) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FrameRect(r);
    return;
  }
  TRect inner = Frame3D(canvas, r, clBtnFace, clBtnFace, 1);
  inner = Frame3D(canvas, inner, clBtnShadow, clBtnHighlight, 1);
  Frame3D(canvas, inner, cl3DDkShadow, clBtnFace, 1);
}

// ---- painting -------------------------------------------------------------------------------------------------

void TSDXProgress::Paint() {
  const TRect r = ClientRect();
  if (buffer_.Width() != r.Width() || buffer_.Height() != r.Height()) {
    dirty_ = true;
    RecalcGeometry();
    Redraw(false);
  }
  if (r.Width() >= 3 && r.Height() >= 3) Canvas().Draw(0, 0, &buffer_);
}
