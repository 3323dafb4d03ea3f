// TPNGButton: a windowless button drawn from PNG images with per-pixel alpha (normal, pressed, mouse-over,
// checked-in-group and a disabled image derived from the normal one), with an optional caption in one of four
// layouts and three frame styles. TPngImageObject is the PNG image the button owns and the layout fills.
//
// States: up (0), down (1, a plain button pressed until its click or release), disabled (2), down in group mode
// (3). A group-mode button never checks itself: its owner sets Checked in OnClick; while Checked, presses change
// nothing and clicks still reach the owner.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "classlib/Controls.h"

// A PNG graphic that remembers whether the file it was read from is a palette image (colour type 3).
class TPngImageObject : public TPngGraphic {
public:
  bool LoadFromBytes(std::span<const uint8_t> data) override;
  void Assign(const TPersistent* source) override;
  bool IsPalette() const { return palette_; }

private:
  bool palette_ = false;
};

enum TPNGButtonStyle { pbsDefault, pbsFlat, pbsNoFrame };
enum TPNGButtonLayout { pbsImageAbove, pbsImageBellow, pbsImageLeft, pbsImageRight };

class TPNGButton : public TGraphicControl {
public:
  enum : uint8_t { StateUp = 0, StateDown = 1, StateDisabled = 2, StateGroupDown = 3 };

  explicit TPNGButton(TComponent* owner);
  ~TPNGButton() override;

  TPNGButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TPNGButtonStyle value);
  TPNGButtonLayout ButtonLayout() const { return buttonLayout_; }
  void SetButtonLayout(TPNGButtonLayout value);
  int TextMargin() const { return textMargin_; }
  void SetTextMargin(int value);
  bool ButtonGroupMode() const { return buttonGroupMode_; }
  void SetButtonGroupMode(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);

  // The images the button owns; the setters copy the given image.
  TPngImageObject& ImageNormal() { return *imageNormal_; }
  TPngImageObject& ImageDown() { return *imageDown_; }
  TPngImageObject& ImageOver() { return *imageOver_; }
  TPngImageObject& ImageGroupMode() { return *imageGroupMode_; }
  void SetImageNormal(const TPngGraphic& value) { imageNormal_->Assign(&value); }
  void SetImageDown(const TPngGraphic& value) { imageDown_->Assign(&value); }
  void SetImageOver(const TPngGraphic& value) { imageOver_->Assign(&value); }
  void SetImageGroupMode(const TPngGraphic& value) { imageGroupMode_->Assign(&value); }
  // Derived from ImageNormal whenever that changes: alpha divided by 3, a palette image copied as it is.
  const TPngImageObject& DisabledImage() const { return *imageDisabled_; }

  // What the button shows now, for its owner and the tests.
  uint8_t State() const { return state_; }
  bool Pressed() const { return pressed_; }
  bool MouseInside() const { return mouseInside_; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void Click() override;

private:
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void RebuildDisabledImage();
  TPngImageObject* ImageToShow();

  TPNGButtonStyle buttonStyle_ = pbsDefault;
  TPNGButtonLayout buttonLayout_ = pbsImageAbove;
  int textMargin_ = 5;
  bool buttonGroupMode_ = false;
  bool checked_ = false;
  bool mouseInside_ = false;
  bool pressed_ = false;
  uint8_t state_ = StateUp;
  std::unique_ptr<TPngImageObject> imageNormal_, imageDown_, imageOver_, imageGroupMode_, imageDisabled_;
};
