// Sections: construction and properties; glyphs; geometry; clicks, focus and keys.
#include "sddcontrols/unSDDSpnEdt.h"

// ---- construction and properties ------------------------------------------------------------------------------

TSDDSpinButtons::TSDDSpinButtons(TComponent* owner) : TWinControl(owner) {
  controlStyle_.Exclude(csAcceptsControls);
  controlStyle_.Exclude(csSetCaption);
  upRight_ = CreateButton();
  downLeft_ = CreateButton();
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 16, 25);
  SetGlyphUpRight(nullptr);
  SetGlyphDownLeft(nullptr);
}

TSDDControlButton* TSDDSpinButtons::CreateButton() {
  auto* button = new TSDDControlButton(this);
  button->SetParent(this);
  button->SetRepeatClicks(true);
  button->SetNumGlyphs(2);
  button->OnClick = [this](TObject* sender) { BtnClick(sender); };
  button->OnMouseDown = [this](TObject* sender, TMouseButton b, TShiftState shift, int x, int y) {
    BtnMouseDown(sender, b, shift, x, y);
  };
  button->OnGlyphChange = [this](TObject* sender) { GlyphChanged(sender); };
  return button;
}

void TSDDSpinButtons::SetDirection(TSpinDirection value) {
  if (!StoreChanged(direction_, value)) return;
  SetGlyphUpRight(nullptr);
  SetGlyphDownLeft(nullptr);
  Invalidate();
}

void TSDDSpinButtons::SetOrientation(TOrientation value) {
  if (!StoreChanged(orientation_, value)) return;
  if (!HasState(csLoading)) SetWidth(value == orVertical ? Width() / 2 : Width() * 2);
  Invalidate();
}

void TSDDSpinButtons::SetFlat(bool value) {
  if (!StoreChanged(flat_, value)) return;
  upRight_->SetFlat(value);
  downLeft_->SetFlat(value);
}

void TSDDSpinButtons::SetFocusControl(TWinControl* value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = value;
  if (value) value->FreeNotification(this);
}

void TSDDSpinButtons::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

// ---- glyphs ---------------------------------------------------------------------------------------------------

void TSDDSpinButtons::SetGlyphUpRight(const TBitmap* value) {
  if (value)
    upRight_->SetGlyph(*value);
  else
    upRight_->Glyph().SetSize(0, 0);
  GlyphChanged(upRight_);
}

void TSDDSpinButtons::SetGlyphDownLeft(const TBitmap* value) {
  if (value)
    downLeft_->SetGlyph(*value);
  else
    downLeft_->Glyph().SetSize(0, 0);
  GlyphChanged(downLeft_);
}

void TSDDSpinButtons::GlyphChanged(TObject* sender) {
  if (sender == upRight_) customUpRight_ = !upRight_->Glyph().Empty();
  if (sender == downLeft_) customDownLeft_ = !downLeft_->Glyph().Empty();
  UpdateArrows();
}

void TSDDSpinButtons::UpdateArrows() {
  const bool upDown = direction_ == sdUpDown;
  upRight_->SetStyle(customUpRight_ ? cbsNone : upDown ? cbsUp : cbsRight);
  downLeft_->SetStyle(customDownLeft_ ? cbsNone : upDown ? cbsDown : cbsLeft);
}

// ---- geometry -------------------------------------------------------------------------------------------------

void TSDDSpinButtons::AdjustSize(int& width, int& height) {
  if (!upRight_ || !downLeft_ || HasState(csLoading)) return;
  if (orientation_ == orVertical) {
    upRight_->SetBounds(0, 0, width, height / 2);
    downLeft_->SetBounds(0, height / 2, width, height - height / 2 - 1);
  } else {
    downLeft_->SetBounds(0, 0, width / 2, height - 1);
    upRight_->SetBounds(width / 2, 0, width - width / 2, height - 1);
  }
}

void TSDDSpinButtons::SetBounds(int left, int top, int width, int height) {
  AdjustSize(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TSDDSpinButtons::Loaded() {
  TWinControl::Loaded();
  int w = Width();
  int h = Height();
  AdjustSize(w, h);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

void TSDDSpinButtons::WMSize(TMessage& m) {
  TWinControl::WndProc(m);
  int w = Width();
  int h = Height();
  AdjustSize(w, h);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
  m.Result = 0;
}

// ---- clicks, focus and keys -----------------------------------------------------------------------------------

void TSDDSpinButtons::BtnClick(TObject* sender) {
  if (sender == upRight_)
    DoUpRightClick();
  else
    DoDownLeftClick();
}

void TSDDSpinButtons::DoUpRightClick() { OnUpRightClick(this); }
void TSDDSpinButtons::DoDownLeftClick() { OnDownLeftClick(this); }

void TSDDSpinButtons::BtnMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  if (button != mbLeft) return;
  if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus()) {
    if (!focusControl_->Focused()) focusControl_->SetFocus();
  } else if (TabStop() && CanFocus() && !Focused()) {
    SetFocus();
  }
}

// The arrow keys are the spin buttons' own, not the form's to move the focus with.
void TSDDSpinButtons::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS; }

void TSDDSpinButtons::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_UP) upRight_->Click();
  if (key == VK_DOWN) downLeft_->Click();
  TWinControl::KeyDown(key, shift);
}

void TSDDSpinButtons::CMColorChanged(TMessage& m) {
  TWinControl::WndProc(m);
  upRight_->SetColor(Color());
  downLeft_->SetColor(Color());
}

void TSDDSpinButtons::CMEnabledChanged(TMessage& m) {
  TWinControl::WndProc(m);
  upRight_->SetEnabled(Enabled());
  downLeft_->SetEnabled(Enabled());
}

void TSDDSpinButtons::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE: return WMGetDlgCode(m);
    case WM_SIZE: return WMSize(m);
    case CM_COLORCHANGED: return CMColorChanged(m);
    case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
    default: return TWinControl::WndProc(m);
  }
}
