// The SDD spin buttons: two auto-repeating arrow buttons, stacked (orVertical) or side by side (orHorizontal),
// whose presses fire OnUpRightClick and OnDownLeftClick; the up and down arrow keys fire them too. A press hands
// the focus to FocusControl (or to the spin buttons themselves).
//
// Geometry: vertical, the up/right button takes the top half and the down/left button the rest less one pixel at
// the bottom; horizontal, the down/left button the left half and the up/right button the rest, both one pixel
// short of the bottom. The gap shows the spin buttons' colour.
#pragma once

#include "classlib/Controls.h"
#include "sddcontrols/unSDDButton.h"

enum TSpinDirection { sdUpDown, sdLeftRight };

class TSDDSpinButtons : public TWinControl {
public:
  explicit TSDDSpinButtons(TComponent* owner);

  TSpinDirection Direction() const { return direction_; }
  // Drops both custom glyphs, so that the arrows follow the direction.
  virtual void SetDirection(TSpinDirection value);
  TOrientation Orientation() const { return orientation_; }
  // Halves the width going vertical and doubles it going horizontal (not while a layout is read).
  virtual void SetOrientation(TOrientation value);
  bool Flat() const { return flat_; }
  virtual void SetFlat(bool value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);
  // A custom glyph for a button (null gives it back its arrow); a layout fills them through GlyphUpRight.Data.
  TBitmap& GlyphUpRight() { return upRight_->Glyph(); }
  virtual void SetGlyphUpRight(const TBitmap* value);
  TBitmap& GlyphDownLeft() { return downLeft_->Glyph(); }
  virtual void SetGlyphDownLeft(const TBitmap* value);
  int NumGlyphsUpRight() const { return upRight_->NumGlyphs(); }
  virtual void SetNumGlyphsUpRight(int value) { upRight_->SetNumGlyphs(value); }
  int NumGlyphsDownLeft() const { return downLeft_->NumGlyphs(); }
  virtual void SetNumGlyphsDownLeft(int value) { downLeft_->SetNumGlyphs(value); }
  bool CustomGlyphUpRight() const { return customUpRight_; }
  bool CustomGlyphDownLeft() const { return customDownLeft_; }

  TSDDControlButton& UpRightButton() { return *upRight_; }
  TSDDControlButton& DownLeftButton() { return *downLeft_; }

  TNotifyEvent OnUpRightClick;
  TNotifyEvent OnDownLeftClick;

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& message) override;

protected:
  virtual TSDDControlButton* CreateButton();
  virtual void BtnClick(TObject* sender);
  virtual void BtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  virtual void GlyphChanged(TObject* sender);
  // Places the buttons for a size of width x height; the size stays as it is.
  virtual void AdjustSize(int& width, int& height);
  virtual void DoUpRightClick();
  virtual void DoDownLeftClick();
  void KeyDown(WORD& key, TShiftState shift) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void WMSize(TMessage& m);
  void WMGetDlgCode(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  // The arrow styles of the direction for the buttons without a custom glyph.
  void UpdateArrows();

  TSpinDirection direction_ = sdUpDown;
  TOrientation orientation_ = orVertical;
  bool flat_ = false;
  TWinControl* focusControl_ = nullptr;
  TSDDControlButton* upRight_ = nullptr;
  TSDDControlButton* downLeft_ = nullptr;
  bool customUpRight_ = false;
  bool customDownLeft_ = false;
};
