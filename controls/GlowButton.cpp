// Sections: appearance; life and properties; image lists, menu and action; colour presets; the look of a paint;
// painting; fades; mouse; drop-down; keyboard and focus; down and groups; the action link.
#include "controls/GlowButton.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include <windowsx.h>

#include "controls/GdiScope.h"
#include "controls/core/ControlVersion.h"

namespace {

constexpr int kDropDownZone = 13;     // a press beyond Width - 13 opens the drop-down part
constexpr int kDropDownHotZone = 12;  // the pointer lights it beyond Width - 12
constexpr unsigned kFadeInterval = 30;
constexpr int kFadeStep = 20;
constexpr int kFadeHot = 0, kFadeDown = 1, kFadeIdle = 2;
constexpr int kStateNormal = 0, kStateDisabled = 1, kStateDown = 2, kStateChecked = 4;

// Whether `key` is the accelerator ("&x") of `caption`.
bool IsAccelerator(char key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<unsigned char>(key));
  }
  return false;
}

}  // namespace

// ---- appearance -----------------------------------------------------------------------------------------------

TGlowButtonAppearance::TGlowButtonAppearance()
    : BorderColor(clSilver),
      BorderColorHot(clBlue),
      BorderColorDown(clNavy),
      BorderColorChecked(clBlue),
      BorderColorDisabled(clGray),
      Color(clWhite),
      ColorTo(clWhite),
      ColorHot(0xF5F0E1),
      ColorHotTo(0xF9D2B2),
      ColorDown(DarkenColorRGB(0xF5F0E1, -10, -10, 0)),
      ColorDownTo(DarkenColorRGB(0xF9D2B2, -10, -10, 0)),
      ColorChecked(ColorDown),
      ColorCheckedTo(ColorDownTo),
      ColorDisabled(DarkenColorRGB(clWhite, -5, -5, -5)),
      ColorDisabledTo(ColorDisabled),
      ColorMirror(clSilver),
      ColorMirrorTo(clWhite),
      ColorMirrorHot(0xF5C8AD),
      ColorMirrorHotTo(0xFFF8F4),
      ColorMirrorDown(DarkenColorRGB(0xF5C8AD, -10, -10, 0)),
      ColorMirrorDownTo(DarkenColorRGB(0xFFF8F4, -10, -10, 0)),
      ColorMirrorChecked(ColorMirrorDown),
      ColorMirrorCheckedTo(ColorMirrorDownTo),
      ColorMirrorDisabled(DarkenColorRGB(clSilver, -5, -5, -5)),
      ColorMirrorDisabledTo(ColorDisabled) {}

void TGlowButtonAppearance::SetSystemFont(bool value) {
  if (StoreChanged(systemFont_, value)) OnChange(this);
}

void TGlowButtonAppearance::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TGlowButtonAppearance*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  const bool systemFont = other->systemFont_;
  const TNotifyEvent onChange = OnChange;
  const bool keep = systemFont_;
  *this = *other;  // every colour and gradient
  OnChange = onChange;
  systemFont_ = keep;
  SetSystemFont(systemFont);
}

// ---- life and properties --------------------------------------------------------------------------------------

TCustomGlowButton::TCustomGlowButton(TComponent* owner)
    : TCustomControl(owner),
      appearance_(std::make_unique<TGlowButtonAppearance>()),
      picture_(std::make_unique<TGDIPPicture>()),
      hotPicture_(std::make_unique<TGDIPPicture>()),
      disabledPicture_(std::make_unique<TGDIPPicture>()),
      notes_(std::make_unique<TStringList>()),
      notesFont_(std::make_unique<TFont>()),
      officeHint_(std::make_unique<TGlowHintInfo>()) {
  controlStyle_.Exclude(csDoubleClicks);  // a double click is one more press and click
  appearance_->OnChange = [this](TObject*) { Invalidate(); };
  picture_->OnChange = [this](TObject*) { SizeChanged(); };
  disabledPicture_->OnChange = [this](TObject*) {
    SizeChanged();
    Invalidate();
  };
  imagesLink_.OnChange = [this](TObject*) { Invalidate(); };
  hotImagesLink_.OnChange = [this](TObject*) { Invalidate(); };
  disabledImagesLink_.OnChange = [this](TObject*) { Invalidate(); };
  PopupDropDownMenu = [](TPopupMenu& menu, int x, int y) { menu.Popup(x, y); };
  notesFont_->SetName("Tahoma");
  notesFont_->SetSize(8);
  SetBounds(Left(), Top(), 100, 41);
}

TCustomGlowButton::~TCustomGlowButton() = default;

std::string TCustomGlowButton::Version() const { return ControlVersionText(0x01080001); }

#define GLOW_REPAINTING_SETTER(Name, Type, field) \
  void TCustomGlowButton::Set##Name(Type value) {  \
    if (StoreChanged(field, value)) Invalidate();   \
  }
GLOW_REPAINTING_SETTER(AntiAlias, TAntiAlias, antiAlias_)
GLOW_REPAINTING_SETTER(BorderStyle, TBorderStyle, borderStyle_)
GLOW_REPAINTING_SETTER(Position, TButtonPosition, position_)
GLOW_REPAINTING_SETTER(Rounded, bool, rounded_)
GLOW_REPAINTING_SETTER(ShowDisabled, bool, showDisabled_)
GLOW_REPAINTING_SETTER(Spacing, int, spacing_)
GLOW_REPAINTING_SETTER(Trimming, StringTrimming, trimming_)
GLOW_REPAINTING_SETTER(WordWrap, bool, wordWrap_)
GLOW_REPAINTING_SETTER(Layout, TButtonLayout, layout_)
GLOW_REPAINTING_SETTER(DropDownDirection, TDropDownDirection, dropDownDirection_)
#undef GLOW_REPAINTING_SETTER

void TCustomGlowButton::SetShowCaption(bool value) {
  showCaption_ = value;
  SizeChanged();
  Invalidate();
}

void TCustomGlowButton::SetMarginHorz(int value) {
  if (StoreChanged(marginHorz_, value)) SizeChanged();
}

void TCustomGlowButton::SetMarginVert(int value) {
  if (StoreChanged(marginVert_, value)) SizeChanged();
}

void TCustomGlowButton::SetAutoSize(bool value) {
  autoSize_ = value;
  SizeChanged();
}

void TCustomGlowButton::SetImageIndex(int value) {
  imageIndex_ = value;
  SizeChanged();
}

void TCustomGlowButton::SetNotes(const TStrings& value) {
  notes_->Assign(&value);
  Invalidate();
}

void TCustomGlowButton::SetNotesFont(const TFont& value) {
  notesFont_->Assign(&value);
  Invalidate();
}

void TCustomGlowButton::SetDropDownButton(bool value) {
  dropDownButton_ = value;
  SizeChanged();
  Invalidate();
}

void TCustomGlowButton::SetDropDownPosition(TDropDownPosition value) {
  dropDownPosition_ = value;
  if (dropDownButton_) SizeChanged();
  Invalidate();
}

void TCustomGlowButton::SizeChanged() {
  if (!autoSize_) return Invalidate();
  measure_ = true;
  if (HandleAllocated()) Repaint();
  else Invalidate();
}

void TCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState value) {
  maxSizeState_ = value;
  if (sizeState_ > value) ChangeSizeState(value);
}

void TCustomGlowButton::SetMinButtonSizeState(TButtonSizeState value) {
  minSizeState_ = value;
  if (value > sizeState_) ChangeSizeState(value);
}

void TCustomGlowButton::ChangeSizeState(TButtonSizeState state) {
  if (state == sizeState_) return;
  if (sizeState_ == bsLarge) {
    largeLayout_ = layout_;
    largeDropDownPosition_ = dropDownPosition_;
  }
  sizeState_ = state;
  if (autoSize_) {
    layout_ = state == bsLarge ? largeLayout_ : blGlyphLeft;
    dropDownPosition_ = state == bsLarge ? largeDropDownPosition_ : dpRight;
  }
  measure_ = sizeStateChanged_ = true;
  Invalidate();
  if (Parent()) Parent()->Realign();
}

void TCustomGlowButton::Loaded() {
  TCustomControl::Loaded();
  if (hasLoadingDown_ && loadingDown_ != down_) ApplyDown(loadingDown_);
  hasLoadingDown_ = false;
  isVista_ = IsVistaOrLater();
}

void TCustomGlowButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

// ---- image lists, menu and action -----------------------------------------------------------------------------

void TCustomGlowButton::SetImageList(TCustomImageList*& field, TChangeLink& link, TCustomImageList* value) {
  if (value == field) return;
  TCustomImageList* old = field;
  if (old) old->UnRegisterChanges(&link);
  field = value;
  if (value) {
    value->RegisterChanges(&link);
    value->FreeNotification(this);
  }
  ForgetIfUnreferenced(old);
}

void TCustomGlowButton::ForgetIfUnreferenced(TComponent* component) {
  if (!component || component == images_ || component == hotImages_ || component == disabledImages_ ||
      component == dropDownMenu_)
    return;
  RemoveFreeNotification(component);
}

void TCustomGlowButton::SetImages(TCustomImageList* value) {
  SetImageList(images_, imagesLink_, value);
  Invalidate();
}

void TCustomGlowButton::SetHotImages(TCustomImageList* value) { SetImageList(hotImages_, hotImagesLink_, value); }

void TCustomGlowButton::SetDisabledImages(TCustomImageList* value) {
  SetImageList(disabledImages_, disabledImagesLink_, value);
  Invalidate();
}

void TCustomGlowButton::SetDropDownMenu(TPopupMenu* value) {
  if (value == dropDownMenu_) return;
  TPopupMenu* old = dropDownMenu_;
  dropDownMenu_ = value;
  if (value) value->FreeNotification(this);
  ForgetIfUnreferenced(old);
}

// A freed list has already dropped its change link; the references go quietly, hot images included.
void TCustomGlowButton::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == hotImages_) hotImages_ = nullptr;
  if (component == disabledImages_) disabledImages_ = nullptr;
  if (component == dropDownMenu_) dropDownMenu_ = nullptr;
}

TControlActionLink* TCustomGlowButton::CreateActionLink() { return new TGlowButtonActionLink(this); }

void TCustomGlowButton::ActionChange(TObject* sender, bool checkDefaults) {
  TCustomControl::ActionChange(sender, checkDefaults);
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  if (checkDefaults || groupIndex_ == 0) SetGroupIndex(action->GroupIndex());
  SetImageIndex(action->ImageIndex());
}

TCustomImageList* TCustomGlowButton::ActionImages() const {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  if (!action || action->ImageIndex() < 0 || !action->ActionList()) return nullptr;
  return action->ActionList()->Images();
}

bool TCustomGlowButton::DownFollowsAction() const {
  auto* link = dynamic_cast<TGlowButtonActionLink*>(ActionLink());
  return link && link->IsCheckedLinked();
}

void TCustomGlowButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONUP: return WMLButtonUp(m);
    case WM_ERASEBKGND: m.Result = 1; return;  // the face covers the whole client area
    case CM_MOUSEENTER: return CMMouseEnter(m);
    case CM_MOUSELEAVE: return CMMouseLeave(m);
    case CM_DIALOGKEY: return CMDialogKey(m);
    case CM_DIALOGCHAR: return CMDialogChar(m);
    case CM_FOCUSCHANGED: return CMFocusChanged(m);
    case CM_BUTTONPRESSED: return CMButtonPressed(m);
    case CM_ENABLEDCHANGED:
      Invalidate();
      return TCustomControl::WndProc(m);
    case CM_TEXTCHANGED:
      SizeChanged();
      return TCustomControl::WndProc(m);
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    default: return TCustomControl::WndProc(m);
  }
}

// ---- colour presets -------------------------------------------------------------------------------------------

void TCustomGlowButton::SetComponentStyle(int style) {
  TGlowButtonAppearance& a = *appearance_;
  auto warm = [&a] {
    a.ColorHot = 15465983;
    a.ColorHotTo = 11332863;
    a.ColorMirrorHot = 5888767;
    a.ColorMirrorHotTo = 10807807;
    a.BorderColorHot = 10079963;
    a.ColorDown = 7778289;
    a.ColorDownTo = 4296947;
    a.ColorMirrorDown = 946929;
    a.ColorMirrorDownTo = 5021693;
    a.BorderColorDown = 4548219;
    a.ColorChecked = 11918331;
    a.ColorCheckedTo = 7915518;
    a.ColorMirrorChecked = 10480637;
    a.ColorMirrorCheckedTo = 5682430;
    a.GradientHot = a.GradientMirrorHot = a.GradientDown = a.GradientMirrorDown = ggVertical;
    a.GradientChecked = a.GradientMirrorChecked = ggVertical;
  };
  struct TNormal {
    TColor Color, ColorTo, ColorMirror, ColorMirrorTo, BorderColor;
  };
  static const TNormal normals[] = {
      {15653832, 16178633, 15586496, 16245200, 14727579}, {15586496, 15128792, 15586496, 13152947, 9598070},
      {13627626, 13627626, 13627626, 9224369, 9224369},    {16777215, 13226453, 16777215, 13226453, 0},
      {15653832, 16178633, 15586496, 16245200, 14727579}, {14671574, 15000283, 14144974, 15197664, 12631218},
      {16777215, 12179676, 12179676, 12179676, 12179676}, {16777215, 14675440, 14675440, 14675440, 10070188},
      {0, 0, 0, 0, 0},                                     {15987697, 16119283, 15657703, 16316406, 13421257},
  };
  if (style < 0 || style > 9 || style == 8) return Invalidate();
  if (style == 6) {
    a.ColorHot = a.ColorHotTo = a.ColorMirrorHot = a.ColorMirrorHotTo = 15717318;
    a.ColorDown = a.ColorDownTo = a.ColorMirrorDown = a.ColorMirrorDownTo = 11899524;
    a.BorderColorHot = a.BorderColorDown = clHighlight;
    a.ColorChecked = a.ColorCheckedTo = a.ColorMirrorChecked = a.ColorMirrorCheckedTo = 12179676;
    a.BorderColorChecked = 0;
    a.GradientHot = a.GradientMirrorHot = a.GradientDown = a.GradientMirrorDown = ggVertical;
    a.GradientChecked = a.GradientMirrorChecked = ggVertical;
  } else {
    warm();
    if (style == 4 || style == 5 || style == 9) a.BorderColorChecked = 4548219;
  }
  const TNormal& n = normals[style];
  a.Color = n.Color;
  a.ColorTo = n.ColorTo;
  a.ColorMirror = n.ColorMirror;
  a.ColorMirrorTo = n.ColorMirrorTo;
  a.BorderColor = n.BorderColor;
  a.Gradient = a.GradientMirror = ggVertical;
  Invalidate();
}

// ---- the look of a paint --------------------------------------------------------------------------------------

TGlowButtonDrawInfo TCustomGlowButton::Look() {
  const TGlowButtonAppearance& a = *appearance_;
  TGlowButtonDrawInfo d;
  d.ClientRect = ClientRect();
  if (!Enabled()) {
    state_ = kStateDisabled;
    pressed_ = false;
  } else if (state_ == kStateDisabled) {
    state_ = down_ && groupIndex_ != 0 ? kStateChecked : kStateNormal;
  }
  if (style_ == bsCheck && down_) state_ = kStateDown;

  struct TSet {
    TColor Color, ColorTo, Mirror, MirrorTo, Border;
    TGDIPGradient Gradient, GradientMirror;
  };
  const TSet normal{a.Color, a.ColorTo, a.ColorMirror, a.ColorMirrorTo, a.BorderColor, a.Gradient, a.GradientMirror};
  const TSet hot{a.ColorHot, a.ColorHotTo, a.ColorMirrorHot, a.ColorMirrorHotTo, a.BorderColorHot, a.GradientHot,
                 a.GradientMirrorHot};
  const TSet down{a.ColorDown, a.ColorDownTo, a.ColorMirrorDown, a.ColorMirrorDownTo, a.BorderColorDown,
                  a.GradientDown, a.GradientMirrorDown};
  const TSet checked{a.ColorChecked, a.ColorCheckedTo, a.ColorMirrorChecked, a.ColorMirrorCheckedTo,
                     a.BorderColorChecked, a.GradientChecked, a.GradientMirrorChecked};
  const TSet disabled{a.ColorDisabled, a.ColorDisabledTo, a.ColorMirrorDisabled, a.ColorMirrorDisabledTo,
                      a.BorderColorDisabled, a.GradientDisabled, a.GradientMirrorDisabled};
  TSet s = normal;
  // The four face colours (and with `border` the border) blended p percent from `from` towards `to`.
  auto mix = [&s](const TSet& to, const TSet& from, int p, bool border) {
    s.Color = MixColors(to.Color, from.Color, p);
    s.ColorTo = MixColors(to.ColorTo, from.ColorTo, p);
    s.Mirror = MixColors(to.Mirror, from.Mirror, p);
    s.MirrorTo = MixColors(to.MirrorTo, from.MirrorTo, p);
    if (border) s.Border = MixColors(to.Border, from.Border, p);
  };
  const bool isDisabled = state_ == kStateDisabled || !Enabled();
  bool glow = false;
  if (isDisabled && showDisabled_) {
    s = disabled;
  } else if (state_ == kStateDown && style_ == bsButton) {
    s = down;
    glow = true;
  } else if (state_ == kStateChecked || (state_ == kStateDown && style_ == bsCheck)) {
    s = checked;
    if (fadeTimer_ && (mouseInside_ || !(style_ == bsCheck || (groupIndex_ >= 1 && state_ != kStateDown))))
      mix(checked, down, downPercent_, false);
  } else if (hot_) {
    s = hot;
    glow = true;
  }
  if (fadeTimer_) {
    if (!pressed_ && !transparent_ && state_ != kStateChecked && !(style_ == bsCheck && state_ == kStateDown))
      mix(hot, normal, hotPercent_, true);
    else if (style_ == bsCheck && pressed_)
      mix(down, checked, downPercent_, false);
    else if (pressed_ && state_ != kStateChecked)
      mix(down, hot, downPercent_, true);
  }
  if (position_ != bpStandalone && pressed_) s.Border = a.BorderColor;
  if (isDisabled && showDisabled_) s = disabled;
  const bool focused = Focused();
  if (focused && (focusType_ == ftHot || focusType_ == ftHotBorder) && !pressed_) {
    s = hot;
    glow = true;
  }
  d.FocusFrame = focused && (focusType_ == ftBorder || focusType_ == ftHotBorder);

  d.Color = s.Color;
  d.ColorTo = s.ColorTo;
  d.ColorMirror = s.Mirror;
  d.ColorMirrorTo = s.MirrorTo;
  d.BorderColor = s.Border;
  d.Gradient = s.Gradient;
  d.GradientMirror = s.GradientMirror;
  d.Glow = glow;

  if (isDisabled && !disabledPicture_->Empty()) d.Picture = disabledPicture_.get();
  else if (hot_ && !hotPicture_->Empty()) d.Picture = hotPicture_.get();
  else d.Picture = picture_.get();
  TCustomImageList* images = ActionImages();
  if (!images) images = images_;
  d.Images = isDisabled && disabledImages_ ? disabledImages_ : hot_ && hotImages_ ? hotImages_ : images;
  d.ImageIndex = imageIndex_;
  d.ImageEnabled = !isDisabled || disabledImages_;

  d.Caption = showCaption_ ? Caption() : std::string();
  d.DropDownState = (!mouseInside_ && !pressed_) || !dropDownButton_ ? 0 : dropDownHot_ ? 2 : 1;
  drawFont_.Assign(&Font());
  if (!ParentFont() && appearance_->SystemFont()) drawFont_.SetName(isVista_ ? "Segoe UI" : "Tahoma");
  d.Font = &drawFont_;
  d.NotesFont = notesFont_.get();
  d.Notes = notes_.get();
  d.Trimming = trimming_;
  d.Spacing = spacing_;
  d.WordWrap = wordWrap_;
  d.Layout = layout_;
  d.AntiAlias = antiAlias_;
  d.Border = borderStyle_ == bsSingle;
  d.Rounded = rounded_;
  d.Position = position_;
  d.MouseInside = mouseInside_;
  d.Enabled = Enabled();
  d.DropDownButton = dropDownButton_;
  d.DropDownSplit = dropDownSplit_;
  d.DropDownPosition = dropDownPosition_;
  d.DropDownDirection = dropDownDirection_;
  d.SkipFace = transparent_ && !mouseInside_ && state_ != kStateDown && !hot_;
  if (autoSize_ && sizeState_ != bsLarge) {
    d.GlyphSize = {16, 16};
    if (images && imageIndex_ >= 0) d.Picture = nullptr;  // the list's image replaces the picture
    if (sizeState_ == bsGlyph) d.Caption.clear();
  }
  return d;
}

// ---- painting -------------------------------------------------------------------------------------------------

// The parent's look behind the rectangles (client coordinates), painted into the canvas.
void TCustomGlowButton::PaintParentBackground(TCanvas& canvas, const std::vector<TRect>& rects) {
  TWinControl* parent = Parent();
  HDC dc = canvas.Handle();
  if (!parent || !dc || rects.empty()) return;
  POINT origin{};
  GetViewportOrgEx(dc, &origin);  // clipping regions are in device units
  const TGdiObject clip(CreateRectRgn(0, 0, 0, 0));
  for (const TRect& r : rects) {
    const TGdiObject part(CreateRectRgn(r.Left + origin.x, r.Top + origin.y, r.Right + origin.x, r.Bottom + origin.y));
    CombineRgn(static_cast<HRGN>(clip.get()), static_cast<HRGN>(clip.get()), static_cast<HRGN>(part.get()), RGN_OR);
  }
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, static_cast<HRGN>(clip.get()), RGN_AND);
  OffsetViewportOrgEx(dc, -Left(), -Top(), nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

void TCustomGlowButton::Measure() {
  TGlowButtonDrawInfo d = Look();
  d.MeasureOnly = true;
  const SIZE content = DrawGlowButton(Canvas(), d);
  int width = spacing_ * 3 + content.cx + 2 + marginHorz_ * 2;
  int height = spacing_ * 2 + content.cy + marginVert_ * 2;
  if (dropDownButton_) (dropDownPosition_ == dpRight ? width : height) += kDropDownZone;
  measure_ = sizeStateChanged_ = false;
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

void TCustomGlowButton::Paint() {
  TCanvas& c = Canvas();
  const TRect client = ClientRect();
  if (transparent_ && !mouseInside_) PaintParentBackground(c, {client});
  if (autoSize_ && (measure_ || sizeStateChanged_)) Measure();
  const TGlowButtonDrawInfo d = Look();
  DrawGlowButton(c, d);
  OnDrawButton(this, c, state_ == kStateDown ? gsDown : mouseInside_ ? gsHot : gsNormal, client);
  // The corners the rounded face leaves show the parent, unless the whole button does: three pixels a corner.
  if (!Parent() || !rounded_ || d.SkipFace || position_ == bpMiddle) return;
  const int right = client.Width() - 1, bottom = client.Height() - 1;
  std::vector<TRect> corners;
  auto corner = [&corners](int x, int y, int dx, int dy) {
    for (TPoint p : {TPoint{x, y}, TPoint{x + dx, y}, TPoint{x, y + dy}}) corners.push_back(Bounds(p.X, p.Y, 1, 1));
  };
  if (position_ != bpRight) {
    corner(0, 0, 1, 1);
    corner(0, bottom, 1, -1);
  }
  if (position_ != bpLeft) {
    corner(right, 0, -1, 1);
    corner(right, bottom, -1, -1);
  }
  PaintParentBackground(c, corners);
}

// ---- fades ----------------------------------------------------------------------------------------------------

void TCustomGlowButton::StartFade(int kind, int step) {
  if (!fadeTimer_) {
    fadeTimer_ = std::make_unique<TTimer>(nullptr);
    fadeTimer_->SetInterval(kFadeInterval);
    fadeTimer_->SetOnTimer([this](TObject*) { FadeTick(); });
  }
  if (kind != kFadeIdle) {
    fadeKind_ = kind;
    fadeStep_ = step;
  }
}

void TCustomGlowButton::FadeTick() {
  if (fadeKind_ == kFadeIdle) return;
  int& percent = fadeKind_ == kFadeHot ? hotPercent_ : downPercent_;
  percent += fadeStep_;
  if (fadeStep_ > 0 ? percent <= 100 : percent >= 0) return Invalidate();
  percent = fadeStep_ > 0 ? 100 : 0;
  if (fadeKind_ == kFadeDown && fadeStep_ < 0) {
    pressed_ = false;
    fadeDownOnReenter_ = false;
  }
  fadeKind_ = kFadeIdle;
  fadeTimer_.reset();  // inside its own tick, which the timer allows
}

// ---- mouse ----------------------------------------------------------------------------------------------------

void TCustomGlowButton::CMMouseEnter(TMessage&) {
  if (mouseInside_) return;
  OnMouseEnter(this);
  hot_ = true;
  if (fadeDownOnReenter_) pressed_ = true;
  const bool downFading = fadeTimer_ && fadeKind_ == kFadeDown;
  StartFade(pressed_ || downFading ? kFadeIdle : kFadeHot, kFadeStep);
  Invalidate();
  mouseInside_ = true;
}

void TCustomGlowButton::CMMouseLeave(TMessage&) {
  OnMouseLeave(this);
  mouseInside_ = hot_ = dropDownHot_ = false;
  Repaint();
  // Whether the button is still held is asked before the press is forgotten.
  const bool stillHeld = pressed_ && held_;
  pressed_ = false;
  if (stillHeld) fadeDownOnReenter_ = true;
  else hotPercent_ = 100;
  StartFade(kFadeHot, -kFadeStep);
}

bool TCustomGlowButton::InDropDownZone(int x, int y, int zone) const {
  return dropDownPosition_ == dpRight ? x > Width() - zone : y > Height() - zone;
}

void TCustomGlowButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (repeatClick_) {
      if (!repeatTimer_) {
        repeatTimer_ = std::make_unique<TTimer>(nullptr);
        repeatTimer_->SetOnTimer([this](TObject*) {
          repeatTimer_->SetInterval(static_cast<unsigned>(std::max(repeatPause_, 1)));
          if (pressed_ && MouseCapture()) Click();
        });
      }
      repeatTimer_->SetInterval(static_cast<unsigned>(std::max(initRepeatPause_, 1)));
      repeatTimer_->SetEnabled(true);
    }
    pressed_ = held_ = true;
    if (TabStop() && CanFocus()) SetFocus();
    StartFade(kFadeDown, kFadeStep);
    const bool opens = dropDownButton_ && ((InDropDownZone(x, y, kDropDownZone) && dropDownSplit_) ||
                                           (!dropDownSplit_ && style_ == bsButton && groupIndex_ < 1));
    if (opens) {
      DropDown(false);
    } else {
      // A check button changes Down once, when released inside; the press only shows it down.
      state_ = kStateDown;
      if (style_ == bsCheck) Repaint();
      else Invalidate();
      pressedOnFace_ = true;
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGlowButton::MouseMove(TShiftState shift, int x, int y) {
  const bool partHot = dropDownButton_ && InDropDownZone(x, y, kDropDownHotZone);
  if (StoreChanged(dropDownHot_, partHot)) Invalidate();
  if (pressedOnFace_) {
    const bool inside = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
    int state = down_ ? kStateChecked : kStateNormal;
    if (inside) state = down_ ? kStateChecked : kStateDown;
    if (style_ == bsCheck && down_) state = kStateDown;
    if (StoreChanged(state_, state)) Invalidate();
  }
  if (!pressed_ && !mouseInside_) CheckHover();
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomGlowButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGlowButton::WMLButtonUp(TMessage& m) {
  StartFade(kFadeDown, -kFadeStep);
  held_ = false;
  const bool repaint = style_ == bsCheck || groupIndex_ >= 1;
  if (pressedOnFace_) {
    pressedOnFace_ = false;
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    const bool inside = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
    if (groupIndex_ != 0) {
      if (DownFollowsAction()) {
        state_ = down_ ? kStateChecked : kStateNormal;  // the action, run by the click, puts the button down
      } else if (inside) {
        ApplyDown(!down_);
      } else if (down_) {
        state_ = kStateChecked;
        Repaint();
      } else {
        state_ = kStateNormal;
        Invalidate();
      }
    } else {
      state_ = kStateNormal;
      mouseInside_ = false;
      if (style_ == bsCheck && inside) {
        if (DownFollowsAction()) static_cast<TCustomAction*>(Action())->SetChecked(!down_);  // Down follows
        else ApplyDown(!down_);
      } else if (inside) {
        Invalidate();
      }
    }
    CheckHover();
  }
  // The base handler ends the capture and clicks for a release inside; the capture ends whatever happened.
  TCustomControl::WndProc(m);
  if (MouseCapture()) SetMouseCapture(false);
  if (repaint && HandleAllocated()) Repaint();
  Invalidate();
}

void TCustomGlowButton::CheckHover() {
  if (!HandleAllocated()) return;
  POINT p{};
  GetCursorPos(&p);
  const bool inside = WindowFromPoint(p) == Handle();
  if (inside != mouseInside_) Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

// ---- drop-down ------------------------------------------------------------------------------------------------

void TCustomGlowButton::DropDown(bool fromKeyboard) {
  if (fromKeyboard) {
    if (!dropDownMenu_) return;
    state_ = kStateDown;
    OnDropDown(this);
    Invalidate();
    ShowMenu();
    state_ = kStateNormal;
    Repaint();
    Invalidate();
    return;
  }
  OnDropDown(this);
  if (dropDownMenu_) {
    pressed_ = hot_ = false;
    Repaint();
    // The menu takes the mouse until it closes; the press's release never reaches the button.
    SetMouseCapture(false);
    ShowMenu();
    POINT cursor{};
    GetCursorPos(&cursor);
    if (!ClientRect().Contains(ScreenToClient({cursor.x, cursor.y}))) hot_ = dropDownHot_ = false;
    Repaint();
  }
  Invalidate();
}

void TCustomGlowButton::ShowMenu() {
  if (!dropDownMenu_ || !PopupDropDownMenu) return;
  const TPoint corner = ClientToScreen(dropDownDirection_ == ddDown ? TPoint{0, Height()} : TPoint{Width(), 0});
  menuShowing_ = true;
  PopupDropDownMenu(*dropDownMenu_, corner.X, corner.Y);
  menuShowing_ = false;
}

// ---- keyboard and focus ---------------------------------------------------------------------------------------

void TCustomGlowButton::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_RETURN || key == VK_SPACE) {
    pressed_ = true;
    state_ = kStateDown;
    Repaint();
  } else if (key == VK_F4) {
    DropDown(true);
  }
  TCustomControl::KeyDown(key, shift);
}

void TCustomGlowButton::KeyUp(WORD& key, TShiftState shift) {
  pressed_ = false;
  state_ = down_ && groupIndex_ != 0 ? kStateChecked : kStateNormal;
  Repaint();
  TCustomControl::KeyUp(key, shift);
}

void TCustomGlowButton::KeyPress(char& key) {
  if (key == '\r' || key == ' ') {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    OnClick(this);
  }
  TCustomControl::KeyPress(key);
}

void TCustomGlowButton::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TCustomGlowButton::DoExit() {
  pressed_ = false;
  state_ = down_ && groupIndex_ != 0 ? kStateChecked : kStateNormal;  // a down group button stays down
  Invalidate();
  TCustomControl::DoExit();
}

void TCustomGlowButton::CMDialogKey(TMessage& m) {
  const bool hit = (m.WParam == VK_RETURN && activeDefault_) || (m.WParam == VK_ESCAPE && cancel_);
  if (!hit || !KeyboardShiftState().Empty() || !CanFocus()) return TCustomControl::WndProc(m);
  if (style_ == bsCheck) ApplyDown(!down_);
  Click();
  m.Result = 1;
}

void TCustomGlowButton::CMDialogChar(TMessage& m) {
  if (!IsAccelerator(static_cast<char>(m.WParam), Caption()) || !CanFocus()) return TCustomControl::WndProc(m);
  if (dropDownMenu_) DropDown(true);
  else Click();
  m.Result = 1;
}

void TCustomGlowButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
  activeDefault_ = focused == this || (!dynamic_cast<TCustomGlowButton*>(focused) && default_);
  TCustomControl::WndProc(m);
}

// ---- down and groups ------------------------------------------------------------------------------------------

void TCustomGlowButton::SetDown(bool value) {
  if (HasState(csLoading)) {
    loadingDown_ = value;
    hasLoadingDown_ = true;
    return;
  }
  ApplyDown(value);
}

void TCustomGlowButton::ApplyDown(bool value) {
  if (style_ == bsCheck) {
    down_ = value;
    state_ = value ? kStateDown : kStateNormal;
    if (value && groupIndex_ != 0) BroadcastGroup();
    Repaint();
    return;
  }
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;  // one of a group stays down
  down_ = value;
  if (value) {
    if (state_ == kStateNormal) Invalidate();
    state_ = kStateChecked;
    BroadcastGroup();
  } else {
    state_ = kStateNormal;
    Repaint();
  }
}

void TCustomGlowButton::SetGroupIndex(int value) {
  groupIndex_ = value;
  BroadcastGroup();
}

void TCustomGlowButton::SetAllowAllUp(bool value) {
  allowAllUp_ = value;
  BroadcastGroup();
}

void TCustomGlowButton::BroadcastGroup() {
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

void TCustomGlowButton::CMButtonPressed(TMessage& m) {
  auto* sender = reinterpret_cast<TCustomGlowButton*>(m.LParam);
  if (sender == this || static_cast<int>(m.WParam) != groupIndex_ || groupIndex_ == 0) return;
  if (!dynamic_cast<TCustomGlowButton*>(reinterpret_cast<TControl*>(m.LParam))) return;
  if (sender->Down() && down_) {
    down_ = false;
    state_ = kStateNormal;
    Invalidate();
  }
  allowAllUp_ = sender->AllowAllUp();
}

// ---- the action link ------------------------------------------------------------------------------------------
// The action asks the tests before it changes; the setters then follow it.

bool TGlowButtonActionLink::IsCheckedLinked() const {
  return TControlActionLink::IsCheckedLinked() && CustomAction()->Checked() == button_->Down();
}

bool TGlowButtonActionLink::IsGroupIndexLinked() const {
  return TControlActionLink::IsGroupIndexLinked() && CustomAction()->GroupIndex() == button_->GroupIndex();
}

bool TGlowButtonActionLink::IsImageIndexLinked() const {
  return TControlActionLink::IsImageIndexLinked() && CustomAction()->ImageIndex() == button_->ImageIndex();
}

void TGlowButtonActionLink::SetChecked(bool value) { button_->SetDown(value); }
void TGlowButtonActionLink::SetGroupIndex(int value) { button_->SetGroupIndex(value); }
void TGlowButtonActionLink::SetImageIndex(int value) { button_->SetImageIndex(value); }
