// Panels and the image control.
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A container with a bevelled border and a centred caption. Aligned children stay inside the border.
class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // With FullRepaint off a resize repaints only the uncovered edges (controls that lay their caption out
  // themselves use it).
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool value) { fullRepaint_ = value; }

  void AdjustClientRect(TRect& rect) const override;

protected:
  void Paint() override;
  // Draws the two bevels and the border gap; returns the rectangle inside them.
  TRect PaintBevels(const TRect& r);

private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
  bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
public:
  using TCustomPanel::TCustomPanel;
};

// Shows a picture: at its natural size from the top-left corner, centred, or stretched (optionally keeping its
// proportions); PNG pictures are drawn with their alpha over the parent's background.
class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture& Picture() { return *picture_; }
  void SetPicture(const TPicture& value) { picture_->Assign(&value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // Where the picture lands in the client area.
  TRect DestRect() const;

protected:
  void Paint() override;

private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};
