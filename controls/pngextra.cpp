// Sections: the PNG image object; TPNGButton life and properties; mouse; painting.
#include "controls/pngextra.h"

#include "classlib/Buttons.h"

// ---- the PNG image object -------------------------------------------------------------------------------------

// The flag is set before the image changes, because the change notification already reads it.
bool TPngImageObject::LoadFromBytes(std::span<const uint8_t> data) {
  const bool old = palette_;
  // The colour type is byte 25 of the file: signature (8), IHDR length and type (8), width, height, bit depth.
  palette_ = data.size() > 25 && data[25] == 3;
  if (TPngGraphic::LoadFromBytes(data)) return true;
  palette_ = old;
  return false;
}

void TPngImageObject::Assign(const TPersistent* source) {
  if (source == this) return;
  const bool old = palette_;
  auto* other = dynamic_cast<const TPngImageObject*>(source);
  palette_ = other && other->palette_;
  try {
    TPngGraphic::Assign(source);
  } catch (...) {
    palette_ = old;
    throw;
  }
}

// ---- TPNGButton life and properties ----------------------------------------------------------------------------

TPNGButton::TPNGButton(TComponent* owner)
    : TGraphicControl(owner),
      imageNormal_(std::make_unique<TPngImageObject>()),
      imageDown_(std::make_unique<TPngImageObject>()),
      imageOver_(std::make_unique<TPngImageObject>()),
      imageGroupMode_(std::make_unique<TPngImageObject>()),
      imageDisabled_(std::make_unique<TPngImageObject>()) {
  controlStyle_.Include(csCaptureMouse);
  imageNormal_->OnChange = [this](TObject*) {
    RebuildDisabledImage();
    Invalidate();
  };
  for (TPngImageObject* image : {imageDown_.get(), imageOver_.get(), imageGroupMode_.get()})
    image->OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(Left(), Top(), 23, 23);
}

TPNGButton::~TPNGButton() = default;

void TPNGButton::SetButtonStyle(TPNGButtonStyle value) {
  if (StoreChanged(buttonStyle_, value)) Invalidate();
}

void TPNGButton::SetButtonLayout(TPNGButtonLayout value) {
  if (StoreChanged(buttonLayout_, value)) Invalidate();
}

void TPNGButton::SetTextMargin(int value) {
  if (StoreChanged(textMargin_, value)) Invalidate();
}

void TPNGButton::SetButtonGroupMode(bool value) {
  if (StoreChanged(buttonGroupMode_, value)) Invalidate();
}

void TPNGButton::SetChecked(bool value) {
  if (StoreChanged(checked_, value)) Invalidate();
}

void TPNGButton::RebuildDisabledImage() {
  TPngImage faded = imageNormal_->Image();
  // A palette image has no alpha of its own to fade: it stays a plain copy.
  if (!imageNormal_->IsPalette())
    for (uint32_t y = 0; y < faded.Height(); ++y) {
      TRgba* row = faded.Row(y);
      for (uint32_t x = 0; x < faded.Width(); ++x) row[x].A = static_cast<uint8_t>(row[x].A / 3);
    }
  imageDisabled_->SetImage(faded);
}

// ---- mouse ----------------------------------------------------------------------------------------------------

void TPNGButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER: return CMMouseEnter(m);
    case CM_MOUSELEAVE: return CMMouseLeave(m);
    case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
    default: return TGraphicControl::WndProc(m);
  }
}

void TPNGButton::CMMouseEnter(TMessage&) {
  if (!Enabled()) return;
  OnMouseEnter(this);
  mouseInside_ = true;
  Invalidate();
}

void TPNGButton::CMMouseLeave(TMessage&) {
  if (!Enabled()) return;
  OnMouseExit(this);
  mouseInside_ = false;
  Invalidate();
}

void TPNGButton::CMEnabledChanged(TMessage&) {
  // A disabled button hears no leave: it forgets the mouse now, or it would come back hot. (The disabled image
  // already follows ImageNormal.)
  if (!Enabled()) {
    mouseInside_ = false;
    pressed_ = false;
  }
  state_ = Enabled() ? StateUp : StateDisabled;
  Invalidate();
}

void TPNGButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!(buttonGroupMode_ && checked_) && button == mbLeft) {
    if (buttonGroupMode_) {
      pressed_ = true;
      state_ = StateGroupDown;
    } else if (state_ == StateUp) {
      pressed_ = true;
      state_ = StateDown;
    }
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TPNGButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  pressed_ = false;
  // A press ends with its release wherever it happens; released outside, no click has put the button up.
  if (button == mbLeft && (state_ == StateDown || state_ == StateGroupDown)) state_ = StateUp;
  Invalidate();
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TPNGButton::MouseMove(TShiftState shift, int x, int y) {
  bool inside = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
  if (inside && !mouseInside_ && state_ != StateDown) {
    mouseInside_ = true;
    Invalidate();
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TPNGButton::Click() {
  if (!(buttonGroupMode_ && checked_) && state_ == StateDown) {
    state_ = StateUp;
    Invalidate();
  }
  TGraphicControl::Click();
}

// ---- painting -------------------------------------------------------------------------------------------------

TPngImageObject* TPNGButton::ImageToShow() {
  if (pressed_ && !imageDown_->Empty()) return imageDown_.get();
  if (mouseInside_ && !imageOver_->Empty() && Enabled()) return imageOver_.get();
  if (state_ == StateDisabled && !imageDisabled_->Empty()) return imageDisabled_.get();
  if (buttonGroupMode_ && !imageGroupMode_->Empty() && checked_ && Enabled()) return imageGroupMode_.get();
  return imageNormal_.get();
}

void TPNGButton::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  if (!mouseInside_ && pressed_) pressed_ = false;

  TPngImageObject* image = ImageToShow();
  const TRect r = ClientRect();
  const int w = r.Width(), h = r.Height();
  const int iw = image->Width();
  int ih = image->Height();
  int tw = 0, th = 0;
  if (!Caption().empty()) {
    SIZE extent = canvas.TextExtent(Caption());
    tw = extent.cx;
    th = extent.cy;
    ih += 4;  // the gap under the image
  }

  int ix = (w - iw) / 2, iy = (h - ih) / 2;
  int tx = (w - tw) / 2, ty = (h - th) / 2;
  switch (buttonLayout_) {
    case pbsImageAbove:
      iy = (h - ih - th) / 2;
      ty = iy + ih;
      break;
    case pbsImageBellow:
      ty = (h - ih - th) / 2;
      iy = ty + th;
      break;
    case pbsImageLeft:
      ix = 3;
      iy = h / 2 - ih / 2 + 1;
      tx = 3 + iw + textMargin_;
      break;
    case pbsImageRight:
      tx = (w - iw - tw) / 2;
      ix = tx + tw + 5;
      break;
  }

  switch (buttonStyle_) {
    case pbsFlat:
      if (state_ == StateDisabled) break;
      if (pressed_) Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
      else if (mouseInside_ || state_ == StateDown) Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
      break;
    case pbsDefault: DrawButtonFace(canvas, r, 1, true, pressed_, false); break;
    case pbsNoFrame: break;
  }

  canvas.Brush().SetStyle(bsClear);
  canvas.Draw(ix, iy, image);
  if (state_ == StateDisabled) canvas.Font().SetColor(clGrayText);
  canvas.TextRect(r, tx, ty, Caption());
}
