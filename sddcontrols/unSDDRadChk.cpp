// Sections: glyph button properties; glyph button painting; glyph button messages; check box; check glyphs;
// action link.
#include "sddcontrols/unSDDRadChk.h"

#include <vsstyle.h>

#include <algorithm>
#include <utility>

#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGdi.h"
#include "sddcontrols/unSDDGrafx.h"

namespace {

void FillWith(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(r);
}

void MapColor(TBitmap& bitmap, TColor from, TColor to) {
  const std::pair<TColor, TColor> one[] = {{from, to}};
  MapBitmapColors(bitmap, one);
}

void NewBitmap(TBitmap& bitmap, int width, int height) {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(width, height);
}

}  // namespace

// ---- glyph button properties ----------------------------------------------------------------------------------

TSDDCustomGlyphButton::TSDDCustomGlyphButton(TComponent* owner)
    : TSDDCustomButton(owner), customGlyphs_(std::make_unique<TBitmap>()), background_(std::make_unique<TBitmap>()) {
  controlStyle_.Include(csSetCaption);
  controlStyle_.Include(csReplicatable);
  customGlyphs_->OnChange = [this](TObject*) { CustomGlyphsChanged(); };
}

TSDDCustomGlyphButton::~TSDDCustomGlyphButton() {
  customGlyphs_->OnChange = nullptr;
  SetClientFrameController(*this, frameController_, nullptr);
}

void TSDDCustomGlyphButton::SetAlignment(TAlignment v) {
  if (StoreChanged(alignment_, v)) Invalidate();
}
void TSDDCustomGlyphButton::SetFrameColor(TColor v) {
  if (StoreChanged(frameColor_, v)) Invalidate();
}
void TSDDCustomGlyphButton::SetTransparentColor(TColor v) {
  if (StoreChanged(transparentColor_, v)) Invalidate();
}
void TSDDCustomGlyphButton::SetWinMaskColor(TColor v) {
  if (StoreChanged(winMaskColor_, v)) Invalidate();
}
void TSDDCustomGlyphButton::SetDisabledColor(TColor v) {
  if (StoreChanged(disabledColor_, v)) Invalidate();
}

void TSDDCustomGlyphButton::SetCustomGlyphs(const TBitmap& value) { customGlyphs_->Assign(&value); }

void TSDDCustomGlyphButton::SetUseCustomGlyphs(bool value) {
  if (!StoreChanged(useCustomGlyphs_, value)) return;
  UpdateGlyphSize();
  Invalidate();
}

void TSDDCustomGlyphButton::UpdateGlyphSize() {
  glyphWidth_ = useCustomGlyphs_ ? customGlyphs_->Width() / numGlyphs_ : 13;
  glyphHeight_ = useCustomGlyphs_ ? customGlyphs_->Height() : 13;
}

void TSDDCustomGlyphButton::CustomGlyphsChanged() {
  SetUseCustomGlyphs(!customGlyphs_->Empty());
  // A strip of another size while already in use: the cells follow it.
  UpdateGlyphSize();
  backgroundDirty_ = true;
  Invalidate();
}

void TSDDCustomGlyphButton::SetTransparent(bool value) {
  backgroundDirty_ = true;
  TSDDCustomButton::SetTransparent(value);
}

void TSDDCustomGlyphButton::SetFrameController(TSDDFrameController* value) {
  SetClientFrameController(*this, frameController_, value);
}

void TSDDCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
  TSDDCustomButton::Notification(component, operation);
  if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TSDDCustomGlyphButton::UpdateFromFrameController() {
  if (!frameController_ || !frameController_->FrameVisible()) return;
  frameColor_ = frameController_->FrameColor();
  disabledColor_ = frameController_->DisabledColor();
  Invalidate();
}

TColor TSDDCustomGlyphButton::AdjustColor(TColor color) {
  const TColor rgb = ColorToRGB(color) & 0xFFFFFF;
  for (TColor key : {transparentColor_, winMaskColor_, clGray})
    if (rgb == (ColorToRGB(key) & 0xFFFFFF)) return rgb == clWhite ? rgb - 1 : rgb + 1;
  return color;
}

void TSDDCustomGlyphButton::ExtractGlyph(int index, TBitmap& bitmap, int height, int width, TBitmap& source) {
  NewBitmap(bitmap, width, height);
  HDC from = source.Canvas().Handle();
  HDC to = bitmap.Canvas().Handle();
  if (from && to) BitBlt(to, 0, 0, width, height, from, index * width, 0, SRCCOPY);
}

TRect TSDDCustomGlyphButton::GlyphRect() const {
  const int x = alignment_ == taRightJustify ? 0 : Width() - glyphWidth_;
  int y = 2;
  if (AlignmentVertical() == avCenter) y = (Height() - glyphHeight_) / 2;
  if (AlignmentVertical() == avBottom) y = Height() - glyphHeight_ - 2;
  return Bounds(x, y, glyphWidth_, glyphHeight_);
}

void TSDDCustomGlyphButton::ActionChange(TObject* sender, bool checkDefaults) {
  TSDDCustomButton::ActionChange(sender, checkDefaults);
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (action && !(checkDefaults && GetChecked())) SetChecked(action->Checked());
}

TControlActionLink* TSDDCustomGlyphButton::CreateActionLink() { return new TSDDCheckedActionLink(this); }

// ---- glyph button painting ------------------------------------------------------------------------------------

TColor TSDDCustomGlyphButton::GlyphBackdrop() const {
  return Transparent() && VisualStylesEnabled() ? clBtnFace : transparentColor_;
}

void TSDDCustomGlyphButton::DrawGlyphOnCanvas(TCanvas& canvas) {
  const TRect at = GlyphRect();
  const int w = at.Width();
  const int h = at.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap glyph;
  NewBitmap(glyph, w, h);
  FillWith(glyph.Canvas(), {0, 0, w, h}, GlyphBackdrop());
  DrawGlyph(glyph);
  TBitmap composed;
  if (Transparent()) {
    NewBitmap(composed, w, h);
    BitBlt(composed.Canvas().Handle(), 0, 0, w, h, canvas.Handle(), at.Left, at.Top, SRCCOPY);
    DrawTransparentBitmap(composed.Canvas(), glyph, {0, 0, w, h}, {0, 0, w, h}, GlyphBackdrop());
  } else {
    composed.Assign(&glyph);
    MapColor(composed, transparentColor_, Color());
  }
  MapColor(composed, winMaskColor_, clWindow);
  MapColor(composed, clGreen, BlendColors(frameColor_, canvas.Pixel(0, 0), 128));
  BitBlt(canvas.Handle(), at.Left, at.Top, w, h, composed.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSDDCustomGlyphButton::Paint() {
  const int w = ClientWidth();
  const int h = ClientHeight();
  if (w <= 0 || h <= 0) return;
  TCanvas& target = Canvas();
  if (backgroundDirty_ || background_->Width() != w || background_->Height() != h) {
    NewBitmap(*background_, w, h);
    // Transparent: the control shows the parent's image, which the erasing drew.
    if (Transparent())
      BitBlt(background_->Canvas().Handle(), 0, 0, w, h, target.Handle(), 0, 0, SRCCOPY);
    else
      FillWith(background_->Canvas(), {0, 0, w, h}, Color());
    backgroundDirty_ = false;
  }
  TBitmap image;
  NewBitmap(image, w, h);
  TCanvas& c = image.Canvas();
  c.Font().Assign(&Font());
  c.Brush().SetColor(Color());
  BitBlt(c.Handle(), 0, 0, w, h, background_->Canvas().Handle(), 0, 0, SRCCOPY);
  DrawGlyphOnCanvas(c);
  TRect caption = ClientRect().Inflate(-1, -1);
  if (alignment_ == taRightJustify)
    caption.Left += glyphWidth_ + 4;
  else
    caption.Right -= glyphWidth_ + 4;
  DrawButtonText(c, caption, DT_WORDBREAK | DT_EXPANDTABS);
  if (Focused() && !Caption().empty()) {
    TRect measured{0, 0, 0, 0};
    c.DrawText(Caption(), measured, DT_CALCRECT | DT_SINGLELINE);
    TRect focus = caption.Inflate(1, 1);
    focus.Right = focus.Left + std::min(measured.Width() + 3, focus.Width());
    c.Font().SetColor(Font().Color());
    DrawDottedRect(c, focus);
  }
  BitBlt(target.Handle(), 0, 0, w, h, c.Handle(), 0, 0, SRCCOPY);
}

// ---- glyph button messages ------------------------------------------------------------------------------------

void TSDDCustomGlyphButton::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_RETURN && tabOnEnter_) {
    key = 0;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
    return;
  }
  TSDDCustomButton::KeyDown(key, shift);
}

void TSDDCustomGlyphButton::BackgroundChanged(TMessage& m, bool invalidate) {
  TSDDCustomButton::WndProc(m);
  backgroundDirty_ = true;
  if (invalidate) Invalidate();
}

void TSDDCustomGlyphButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
    case WM_SIZE: return BackgroundChanged(m, false);
    case CM_ENABLEDCHANGED:
    case CM_PARENTCOLORCHANGED: return BackgroundChanged(m, true);
    default: return TSDDCustomButton::WndProc(m);
  }
}

// ---- check box ------------------------------------------------------------------------------------------------

TSDDCustomCheckBox::TSDDCustomCheckBox(TComponent* owner) : TSDDCustomGlyphButton(owner) {
  SetAlignmentVertical(avTop);
  numGlyphs_ = 9;
}

void TSDDCustomCheckBox::SetState(TCheckBoxState value) {
  if (!StoreChanged(state_, value)) return;
  Invalidate();
  Click();
}

void TSDDCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: return SetState(allowGrayed_ ? cbGrayed : cbChecked);
    case cbChecked: return SetState(cbUnchecked);
    case cbGrayed: return SetState(cbChecked);
  }
}

void TSDDCustomCheckBox::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_SPACE) {
    keyPressed_ = true;
    SetPressed(true);
  } else if (key == VK_ESCAPE && keyPressed_) {
    // Escape takes back the press of Space; it closes no dialog meanwhile.
    keyPressed_ = false;
    SetPressed(false);
    key = 0;
  }
  TSDDCustomGlyphButton::KeyDown(key, shift);
}

void TSDDCustomCheckBox::KeyUp(WORD& key, TShiftState shift) {
  if (key == VK_SPACE) {
    SetPressed(false);
    if (keyPressed_) {
      keyPressed_ = false;
      Toggle();
    }
  }
  TSDDCustomGlyphButton::KeyUp(key, shift);
}

void TSDDCustomCheckBox::CMDialogChar(TMessage& m) {
  if (!IsAccel(static_cast<unsigned>(m.WParam), Caption()) || !CanFocus()) return TSDDCustomGlyphButton::WndProc(m);
  SetFocus();
  if (Focused()) Toggle();
  m.Result = 1;
}

void TSDDCustomCheckBox::CMExit(TMessage& m) {
  TSDDCustomGlyphButton::WndProc(m);
  keyPressed_ = false;
  SetPressed(false);
}

void TSDDCustomCheckBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR: return CMDialogChar(m);
    case CM_EXIT: return CMExit(m);
    default: return TSDDCustomGlyphButton::WndProc(m);
  }
}

// ---- check glyphs ---------------------------------------------------------------------------------------------

void TSDDCustomCheckBox::DrawGlyph(TBitmap& bitmap) {
  if (UseCustomGlyphs()) {
    const int cell = Enabled() ? state_ + (pressed_ ? 3 : 0) : 6 + state_;
    return ExtractGlyph(cell, bitmap, GlyphHeight(), GlyphWidth(), CustomGlyphs());
  }
  if (VisualStylesEnabled() && DrawThemedGlyph(bitmap)) return;
  if (HotTrack() && DrawResourceGlyph(bitmap)) return;
  DrawFrameControlGlyph(bitmap);
}

bool TSDDCustomCheckBox::DrawThemedGlyph(TBitmap& bitmap) {
  static const int first[] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL};
  // Each state's four looks follow its normal one: hot, pressed, disabled.
  int look = 0;
  if (!Enabled())
    look = 3;
  else if (pressed_)
    look = 2;
  else if (mouseInside_)
    look = 1;
  return theme_.DrawBackground(Handle(), bitmap.Canvas().Handle(), BP_CHECKBOX, first[state_] + look,
                               {0, 0, bitmap.Width(), bitmap.Height()});
}

bool TSDDCustomCheckBox::DrawResourceGlyph(TBitmap& bitmap) {
  static const char* const names[] = {"SDDCOMMON_CHECKBOX_UNCHECKED", "SDDCOMMON_CHECKBOX_CHECKED",
                                      "SDDCOMMON_CHECKBOX_GRAYED"};
  TGdiObject<HBITMAP> loaded(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), names[state_], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  HDC to = bitmap.Canvas().Handle();
  if (!loaded || !to) return false;
  {
    TMemoryDC from(to);
    TDcSelection selection(from.Get(), loaded.Get());
    BitBlt(to, 0, 0, bitmap.Width(), bitmap.Height(), from.Get(), 0, 0, SRCCOPY);
  }
  TColor face = clWindow;
  TColor inner = clWindow;
  TColor outer = clWindow;
  TColor mark = AdjustColor(HighlightColor());
  if (!Enabled()) {
    face = inner = outer = DisabledColor();
    mark = clBtnShadow;
  } else if (pressed_) {
    face = inner = outer = IsHighColorDisplay() ? DarkerColor(clWindow, 20) : clWindow;
  } else if (mouseInside_ && IsHighColorDisplay()) {
    if (HotTrackColorType() == htctActual) {
      inner = DarkerColor(HotTrackColor(), 30);
      outer = LighterColor(HotTrackColor(), 30);
    } else {
      outer = ComplementColor(HotTrackColor(), 180);
      inner = DarkerColor(outer, 30);
    }
  }
  const std::pair<TColor, TColor> keys[] = {
      {clWhite, face}, {clGray, FrameColor()}, {clRed, inner}, {clFuchsia, outer}, {clBlue, mark}};
  MapBitmapColors(bitmap, keys);
  return true;
}

void TSDDCustomCheckBox::DrawFrameControlGlyph(TBitmap& bitmap) {
  UINT state = DFCS_BUTTONCHECK;
  if (state_ == cbChecked) state |= DFCS_CHECKED;
  if (state_ == cbGrayed) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (pressed_) state |= DFCS_PUSHED;
  if (!Enabled()) state |= DFCS_INACTIVE;
  RECT r{0, 0, bitmap.Width(), bitmap.Height()};
  DrawFrameControl(bitmap.Canvas().Handle(), &r, DFC_BUTTON, state);
}

// ---- action link ----------------------------------------------------------------------------------------------

TSDDCheckedActionLink::TSDDCheckedActionLink(TSDDCustomGlyphButton* client)
    : TControlActionLink(client), button_(client) {}

bool TSDDCheckedActionLink::IsCheckedLinked() const {
  return TControlActionLink::IsCheckedLinked() && button_->Checked() == CustomAction()->Checked();
}

void TSDDCheckedActionLink::SetChecked(bool value) { button_->SetChecked(value); }
