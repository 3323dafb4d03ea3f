// TSDXProgress: a windowless, double-buffered horizontal progress bar with a 64-bit range. The filled part is one
// continuous bar or a row of blocks, each of one colour or a column-exact gradient from StartColor to EndColor
// across the filled width; a text (the caption, the caption with the percentage, or the percentage) may be drawn
// over it.
//
// All drawing goes to a back buffer that is rebuilt only when something visible changed (the dirty flag); a
// position change that moves neither the filled width nor the shown percentage draws nothing, and painting is one
// copy of the buffer.
#pragma once

#include <cstdint>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "controls/core/SDXProgressGeometry.h"

enum TTextOption { toCaption, toFormat, toNoText, toPercent };

class TSDXProgress : public TGraphicControl {
public:
  explicit TSDXProgress(TComponent* owner);
  ~TSDXProgress() override;

  // bsNone: a one-pixel frame in Color; any other value: a sunken three-pixel frame.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor value);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value);
  bool GradientBlocks() const { return gradientBlocks_; }
  void SetGradientBlocks(bool value);
  bool Solid() const { return solid_; }
  void SetSolid(bool value);
  int64_t Maximum() const { return maximum_; }
  void SetMaximum(int64_t value);
  int64_t Minimum() const { return minimum_; }
  void SetMinimum(int64_t value);
  int64_t Position() const { return position_; }
  void SetPosition(int64_t value);
  // Stored only.
  int Step() const { return step_; }
  void SetStep(int value) { step_ = value; }
  TTextOption TextOption() const { return textOption_; }
  void SetTextOption(TTextOption value);
  bool TextCentered() const { return textCentered_; }
  void SetTextCentered(bool value);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor value) { hintColor_ = value; }

  // (Position - Minimum) x 100 div (Maximum - Minimum); 0 for an empty range.
  int Percent() const { return ProgressPercent(position_, minimum_, maximum_); }
  // The filled width and block layout last computed.
  const TProgressGeometry& Geometry() const { return geometry_; }
  // The text drawn over the bar for the current options ("" for toNoText).
  std::string DisplayText() const;
  // How often the back buffer has been drawn, for the tests of the dirty rule.
  unsigned BufferDraws() const { return bufferDraws_; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnParentColorChange;

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;

private:
  void CMColorChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);

  // Marks the buffer dirty and redraws it.
  void Changed();
  // After a range or position change: redraw when the shown percentage or the filled width moved.
  void RangeChanged(int oldPercent);
  void RecalcGeometry();
  // Draws the buffer when it is dirty; `repaint` also invalidates the control.
  void Redraw(bool repaint = true);
  void DrawSolid(TCanvas& canvas, int height);
  void DrawBlocks(TCanvas& canvas, int height);
  void DrawColumns(TCanvas& canvas, int left, int count, int height, uint32_t color);
  void DrawBorder(TCanvas& canvas, const TRect& r);

  TBorderStyle borderStyle_ = bsNone;
  TColor startColor_ = clWhite;
  TColor endColor_ = clBlack;
  uint32_t startRgb_ = 0xFFFFFF;
  uint32_t endRgb_ = 0;
  bool gradientBlocks_ = true;
  bool solid_ = false;
  int64_t maximum_ = 100;
  int64_t minimum_ = 0;
  int64_t position_ = 0;
  int step_ = 1;
  TTextOption textOption_ = toNoText;
  bool textCentered_ = false;
  TColor hintColor_ = clInfoBk;
  TColor savedHintColor_ = clInfoBk;

  TBitmap buffer_;
  TProgressGeometry geometry_;
  bool dirty_ = true;
  unsigned bufferDraws_ = 0;
};
