// Sections: custom button; push button properties; push button keys, clicks and groups; push button painting;
// control button; control button painting; themed parts.
#include "sddcontrols/unSDDButton.h"

#include <vsstyle.h>

#include <algorithm>

#include "classlib/Timer.h"
#include "sddcontrols/core/unSDDGeometry.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGdi.h"
#include "sddcontrols/unSDDGrafx.h"

namespace {

void FillWith(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(r);
}

// A standard push button answers the dialog code of one.
bool IsPushButtonWindow(TWinControl* control) {
  if (!control || !control->HandleAllocated()) return false;
  const LRESULT code = SendMessageA(control->Handle(), WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// The theme's state numbers run normal, hot, pressed, disabled from 1 for every part used here.
int ThemeState(TSDDPartState state) { return static_cast<int>(state) + 1; }

}  // namespace

// ---- custom button --------------------------------------------------------------------------------------------

TSDDCustomButton::TSDDCustomButton(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = {csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable};
  SetBounds(Left(), Top(), 115, 17);
  SetTabStop(true);
}

void TSDDCustomButton::SetAlignmentVertical(TAlignmentVertical v) {
  if (StoreChanged(alignmentVertical_, v)) Invalidate();
}
void TSDDCustomButton::SetHotTrack(bool v) {
  if (StoreChanged(hotTrack_, v)) Invalidate();
}
void TSDDCustomButton::SetHotTrackColor(TColor v) {
  if (StoreChanged(hotTrackColor_, v)) Invalidate();
}
void TSDDCustomButton::SetHotTrackColorType(TSDDHotTrackColorType v) {
  if (StoreChanged(hotTrackColorType_, v)) Invalidate();
}
void TSDDCustomButton::SetHighlightColor(TColor v) {
  if (StoreChanged(highlightColor_, v)) Invalidate();
}
void TSDDCustomButton::SetLightTextStyle(bool v) {
  if (StoreChanged(lightTextStyle_, v)) Invalidate();
}
void TSDDCustomButton::SetTextStyle(TTextStyle v) {
  if (StoreChanged(textStyle_, v)) Invalidate();
}
void TSDDCustomButton::SetTextHighlightColor(TColor v) {
  if (StoreChanged(textHighlightColor_, v)) Invalidate();
}
void TSDDCustomButton::SetTextShadowColor(TColor v) {
  if (StoreChanged(textShadowColor_, v)) Invalidate();
}
void TSDDCustomButton::SetTextShadowDepth(int v) {
  if (StoreChanged(textShadowDepth_, v)) Invalidate();
}
void TSDDCustomButton::SetThemeAware(bool v) {
  if (StoreChanged(themeAware_, v)) Invalidate();
}
void TSDDCustomButton::SetTransparent(bool v) {
  if (StoreChanged(transparent_, v)) Invalidate();
}

void TSDDCustomButton::SetPressed(bool value) {
  if (StoreChanged(pressed_, value)) Invalidate();
}

bool TSDDCustomButton::Themed() const { return themeAware_ && VisualStylesEnabled(); }

bool TSDDCustomButton::InClient(int x, int y) const { return ClientRect().Contains({x, y}); }

void TSDDCustomButton::DrawButtonText(TCanvas& c, TRect r, UINT flags) {
  const std::string& text = Caption();
  c.Brush().SetStyle(bsClear);
  c.Font().Assign(&Font());
  TRect measured = r;
  const int h = c.DrawText(text, measured, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
  if (alignmentVertical_ != avTop) r.Top = CaptionTop(alignmentVertical_, r.Top, r.Bottom, h);
  if (alignmentVertical_ == avCenter) r.Bottom = r.Top + h;
  const auto copy = [&](int dx, int dy, TColor color) {
    TRect at = r.Offset(dx, dy);
    c.Font().SetColor(color);
    c.DrawText(text, at, flags);
  };
  if (!Enabled()) {
    copy(1, 1, clBtnHighlight);
    copy(0, 0, clBtnShadow);
  } else {
    const bool right = (flags & DT_RIGHT) != 0;
    const int depth = textShadowDepth_;
    switch (textStyle_) {
      case tsRaised:
        if (!lightTextStyle_) copy(1, 1, textShadowColor_);
        copy(-1, -1, textHighlightColor_);
        break;
      case tsRecessed:
        copy(1, 1, textHighlightColor_);
        if (!lightTextStyle_) copy(-1, -1, textShadowColor_);
        break;
      case tsShadow: copy(right ? 0 : depth, depth, textShadowColor_); break;
      case tsNormal: break;
    }
    copy(right ? -depth : 0, 0, Font().Color());
  }
  c.Brush().SetStyle(bsSolid);
}

void TSDDCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    SetFocus();
    // Pressed only when it really took the focus (a form that refuses it keeps its focus elsewhere).
    if (Focused()) {
      mouseDown_ = true;
      pressed_ = true;
      Invalidate();
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TSDDCustomButton::MouseMove(TShiftState shift, int x, int y) {
  if (mouseDown_) SetPressed(InClient(x, y));
  TCustomControl::MouseMove(shift, x, y);
}

void TSDDCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && mouseDown_) {
    mouseDown_ = false;
    pressed_ = false;
    if (InClient(x, y)) DoClick();
    Invalidate();
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TSDDCustomButton::DoMouseEnter() { OnMouseEnter(this); }
void TSDDCustomButton::DoMouseLeave() { OnMouseLeave(this); }

void TSDDCustomButton::HoverChanged() {
  if (hotTrack_ || Themed()) InvalidateRect(GetButtonRect(), false);
}

void TSDDCustomButton::CMMouseEnter(TMessage& m) {
  TCustomControl::WndProc(m);
  if (m.LParam != reinterpret_cast<LPARAM>(this) || HasState(csDesigning)) return;
  mouseInside_ = true;
  DoMouseEnter();
  HoverChanged();
}

void TSDDCustomButton::CMMouseLeave(TMessage& m) {
  TCustomControl::WndProc(m);
  if (m.LParam != reinterpret_cast<LPARAM>(this)) return;
  mouseInside_ = false;
  DoMouseLeave();
  HoverChanged();
}

void TSDDCustomButton::CMEnabledChanged(TMessage& m) {
  // A disabled button keeps no focus: the form takes it back.
  if (!Enabled() && Parent())
    if (TCustomForm* form = GetParentForm(this); form && (form->ActiveControl() == this || Focused()))
      form->FocusControl(form);
  TCustomControl::WndProc(m);
}

void TSDDCustomButton::WMFocus(TMessage& m) {
  TCustomControl::WndProc(m);
  Invalidate();
}

void TSDDCustomButton::WMEraseBkgnd(TMessage& m) {
  if (!transparent_) return TCustomControl::WndProc(m);
  DrawParentImage(*this, reinterpret_cast<HDC>(m.WParam), false);
  m.Result = 1;
}

void TSDDCustomButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER: return CMMouseEnter(m);
    case CM_MOUSELEAVE: return CMMouseLeave(m);
    case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return WMFocus(m);
    default: return TCustomControl::WndProc(m);
  }
}

// ---- push button properties -----------------------------------------------------------------------------------

TSDDButton::TSDDButton(TComponent* owner) : TSDDCustomButton(owner) {
  SetBounds(Left(), Top(), 75, 25);
  SetColor(clBtnFace);
}

void TSDDButton::SetAlignment(TAlignment v) {
  if (StoreChanged(alignment_, v)) Invalidate();
}
void TSDDButton::SetShowDownPattern(bool v) {
  if (StoreChanged(showDownPattern_, v)) Invalidate();
}
void TSDDButton::SetShowFocusRect(bool v) {
  if (StoreChanged(showFocusRect_, v)) Invalidate();
}

void TSDDButton::SetHotTrack(bool value) {
  TSDDCustomButton::SetHotTrack(value);
  SetTransparent(value);
}

void TSDDButton::SetDefault(bool value) {
  if (!StoreChanged(default_, value)) return;
  if (!HandleAllocated()) return;
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TSDDButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  Invalidate();
  NotifyGroup();
}

void TSDDButton::SetGroupIndex(int value) {
  if (!StoreChanged(groupIndex_, value)) return;
  Invalidate();
  NotifyGroup();
}

void TSDDButton::SetAllowAllUp(bool value) {
  if (!StoreChanged(allowAllUp_, value)) return;
  Invalidate();
  NotifyGroup();
}

void TSDDButton::CreateWnd() {
  TSDDCustomButton::CreateWnd();
  activeDefault_ = default_;
}

// ---- push button keys, clicks and groups ----------------------------------------------------------------------

void TSDDButton::NotifyGroup() {
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_SDDBUTTONGROUP, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

void TSDDButton::CMButtonGroup(TMessage& m) {
  auto* sender = reinterpret_cast<TSDDButton*>(m.LParam);
  if (static_cast<int>(m.WParam) != groupIndex_ || !sender || sender == this) return;
  if (sender->down_ && down_) {
    down_ = false;
    Invalidate();
  }
  allowAllUp_ = sender->allowAllUp_;
}

void TSDDButton::DoClick() {
  if (groupIndex_ != 0)
    SetDown(!down_);
  else
    Invalidate();
  clicking_ = true;
  try {
    Click();
  } catch (...) {
    clicking_ = false;
    throw;
  }
  clicking_ = false;
}

void TSDDButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TSDDCustomButton::Click();
}

void TSDDButton::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_SPACE && !shift.Contains(ssAlt)) {
    spacePressed_ = true;
    pressed_ = true;
    Invalidate();
  }
  TSDDCustomButton::KeyDown(key, shift);
}

void TSDDButton::KeyUp(WORD& key, TShiftState shift) {
  if (key == VK_SPACE) {
    pressed_ = false;
    if (spacePressed_) {
      spacePressed_ = false;
      DoClick();
    }
    Invalidate();
  }
  TSDDCustomButton::KeyUp(key, shift);
}

void TSDDButton::CMDialogKey(TMessage& m) {
  const bool enter = m.WParam == VK_RETURN && activeDefault_;
  const bool escape = m.WParam == VK_ESCAPE && cancel_;
  if ((enter || escape) && KeyboardShiftState().Empty() && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TSDDCustomButton::WndProc(m);
}

void TSDDButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<unsigned>(m.WParam), Caption()) && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TSDDCustomButton::WndProc(m);
}

void TSDDButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
  const bool pushButton = focused && (dynamic_cast<TSDDButton*>(focused) || IsPushButtonWindow(focused));
  if (StoreChanged(activeDefault_, pushButton ? focused == this : default_)) Invalidate();
  TSDDCustomButton::WndProc(m);
}

void TSDDButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: return CMDialogKey(m);
    case CM_DIALOGCHAR: return CMDialogChar(m);
    case CM_FOCUSCHANGED: return CMFocusChanged(m);
    case CM_SDDBUTTONGROUP: return CMButtonGroup(m);
    default: return TSDDCustomButton::WndProc(m);
  }
}

// ---- push button painting -------------------------------------------------------------------------------------

TRect TSDDButton::GetCaptionRect() {
  TRect r = ClientRect().Inflate(-5, -5);
  if (!HotTrack() && !Themed() && GroupDownOrPressed()) r = r.Offset(1, 1);
  return r;
}

void TSDDButton::DrawCaption(TCanvas& canvas) {
  static const UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  DrawButtonText(canvas, GetCaptionRect(), horizontal[alignment_] | DT_EXPANDTABS | DT_WORDBREAK);
}

void TSDDButton::CreateDownPattern(TBitmap& bitmap) {
  const TColor face = ColorToRGB(Color()) & 0xFFFFFF;
  bitmap.SetSize(8, 8);
  TCanvas& c = bitmap.Canvas();
  FillWith(c, {0, 0, 8, 8}, face);
  for (int y = 0; y < 8; ++y)
    for (int x = y % 2; x < 8; x += 2) c.SetPixel(x, y, face == clSilver ? clGray : clSilver);
}

void TSDDButton::PaintThemed(TCanvas& c) {
  DrawParentImage(*this, c.Handle(), false);
  TSDDPartState state = spsNormal;
  if (!Enabled())
    state = spsDisabled;
  else if (GroupDownOrPressed())
    state = spsPressed;
  else if (mouseInside_)
    state = spsHot;
  const bool defaulted = state == spsNormal && groupIndex_ == 0 && (activeDefault_ || Focused());
  if (!theme_.DrawBackground(Handle(), c.Handle(), BP_PUSHBUTTON, defaulted ? PBS_DEFAULTED : ThemeState(state),
                             ClientRect()))
    PaintClassic(c);
}

void TSDDButton::PaintClassic(TCanvas& c) {
  TRect r = ClientRect();
  if (groupIndex_ == 0 && (activeDefault_ || Focused() || pressed_ || clicking_))
    r = DrawFrameLines(c, r, clWindowFrame, AllSides, clWindowFrame);
  const bool lowered = GroupDownOrPressed();
  if (Color() == clBtnFace) {
    if (groupIndex_ != 0)
      r = DrawFrameEx(c, r, lowered ? fsLowered : fsButtonUp);
    else
      r = DrawButtonFrame(c, r, pressed_);
  } else if (groupIndex_ != 0) {
    r = lowered ? DrawColorFrameEx(c, r, Color(), fsLowered) : DrawColorButtonFrame(c, r, Color(), false);
  } else {
    r = DrawColorButtonFrame(c, r, Color(), pressed_);
  }
  if (!Transparent()) FillWith(c, r, Color());
}

namespace {

// An outer ring light at the top left and dark at the bottom right, and inside it one 10 lighter and darker.
TRect DrawTwoRings(TCanvas& c, const TRect& r, TColor light, TColor dark) {
  const TRect in = DrawFrameLines(c, r, light, AllSides, dark);
  return DrawFrameLines(c, in, LighterColor(light, 10), AllSides, DarkerColor(dark, 10));
}

// Graded lines from the face colour: lighter at the top, darker toward the bottom right.
void DrawGradedFace(TCanvas& c, const TRect& r, TColor color) {
  const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
  const auto line = [&](std::initializer_list<TPoint> points, TColor pen) {
    c.Pen().SetColor(pen);
    c.Polyline(std::span<const TPoint>(points.begin(), points.size()));
  };
  c.Pen().SetStyle(psSolid);
  line({{l, t}, {rt, t}}, LighterColor(color, 20));
  line({{l, t + 1}, {rt, t + 1}}, LighterColor(color, 15));
  line({{l, t + 2}, {rt, t + 2}}, LighterColor(color, 10));
  line({{l, b - 3}, {rt - 2, b - 3}, {rt - 2, t + 2}}, DarkerColor(color, 10));
  line({{l, b - 2}, {rt - 1, b - 2}, {rt - 1, t + 2}}, DarkerColor(color, 20));
  line({{l, b - 1}, {rt, b - 1}}, DarkerColor(color, 30));
  FillWith(c, {l, t + 3, rt - 2, b - 3}, color);
}

}  // namespace

void TSDDButton::PaintFlat(TCanvas& c) {
  TRect r = ClientRect();
  const bool face = Color() == clBtnFace;
  if (!Enabled()) {
    const TColor ring = face ? LighterColor(clBtnShadow, 30) : DarkerColor(Color(), 80);
    FillWith(c, DrawFrameLines(c, r, ring, AllSides, ring), Color());
    return;
  }
  r = DrawFrameLines(c, r, DarkerColor(clBtnFace, 20), AllSides, LighterColor(clBtnFace, 20));
  const TColor edge = face ? cl3DDkShadow : DarkerColor(Color(), 150);
  r = DrawFrameLines(c, r, edge, AllSides, edge);
  if (GroupDownOrPressed()) {
    FillWith(c, r, DarkerColor(Color(), 10));
    return;
  }
  if (mouseInside_) {
    if (HotTrackColorType() == htctActual) {
      r = DrawTwoRings(c, r, LighterColor(HotTrackColor(), 30), DarkerColor(HotTrackColor(), 30));
    } else {
      const TColor complement = ComplementColor(HotTrackColor(), 180);
      r = DrawTwoRings(c, r, complement, DarkerColor(complement, 30));
    }
  } else if (groupIndex_ == 0 && (activeDefault_ || Focused())) {
    uint8_t hue = 0, saturation = 0, lightness = 0;
    ColorToHLS(HighlightColor(), hue, saturation, lightness);
    const TColor base = HLSToColor(hue, 220, 220);
    r = DrawTwoRings(c, r, LighterColor(base, 30), DarkerColor(base, 30));
  }
  DrawGradedFace(c, r, Color());
}

void TSDDButton::Paint() {
  TCanvas& c = Canvas();
  const bool themed = Themed();
  const int inset = HotTrack() || themed ? 3 : 4;
  TRect f = ClientRect().Inflate(-inset, -inset);
  if (GroupDownOrPressed()) f = f.Offset(1, 1);
  if (themed)
    PaintThemed(c);
  else if (!HotTrack())
    PaintClassic(c);
  else
    PaintFlat(c);
  if (groupIndex_ != 0 && down_ && showDownPattern_) {
    TBitmap pattern;
    CreateDownPattern(pattern);
    TGdiObject<HBRUSH> brush(CreatePatternBrush(pattern.Handle()));
    RECT rc = ToRECT(f);
    if (brush) ::FillRect(c.Handle(), &rc, brush.Get());
  }
  c.Font().Assign(&Font());
  c.Brush().SetColor(Color());
  DrawCaption(c);
  if (Focused() && showFocusRect_) DrawDottedRect(c, f);
}

// ---- control button -------------------------------------------------------------------------------------------

TSDDControlButton::TSDDControlButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  controlStyle_ = {csCaptureMouse};
  SetBounds(Left(), Top(), 17, 21);
  SetColor(clBtnFace);
  glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

TSDDControlButton::~TSDDControlButton() { glyph_->OnChange = nullptr; }

void TSDDControlButton::SetFlat(bool v) {
  if (StoreChanged(flat_, v)) Invalidate();
}
void TSDDControlButton::SetStyle(TSDDControlButtonStyle v) {
  if (StoreChanged(style_, v)) Invalidate();
}
void TSDDControlButton::SetNumGlyphs(int v) {
  if (StoreChanged(numGlyphs_, std::clamp(v, 1, 4))) Invalidate();
}

void TSDDControlButton::SetGlyph(const TBitmap& value) { glyph_->Assign(&value); }

void TSDDControlButton::GlyphChanged() {
  // A strip of square images tells their number; an empty glyph (no width or height) tells nothing.
  const int w = glyph_->Width();
  const int h = glyph_->Height();
  if (w > 0 && h > 0 && w % h == 0) SetNumGlyphs(w / h > 4 ? 1 : w / h);
  Invalidate();
  OnGlyphChange(this);
}

SIZE TSDDControlButton::GetGlyphSize() const { return {glyph_->Width() / numGlyphs_, glyph_->Height()}; }

bool TSDDControlButton::Themed() const { return VisualStylesEnabled(); }

bool TSDDControlButton::Idle() const { return flat_ && !pressed_ && !(hot_ && Enabled()) && !HasState(csDesigning); }

void TSDDControlButton::Click() { TGraphicControl::Click(); }

void TSDDControlButton::StopRepeat() {
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
}

void TSDDControlButton::RepeatTick() {
  if (repeatTimer_) repeatTimer_->SetInterval(delay_);
  if (!pressed_ || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    StopRepeat();
    throw;
  }
}

void TSDDControlButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    pressed_ = true;
    Invalidate();
    mouseDown_ = true;
  }
  if (repeatClicks_) {
    if (!repeatTimer_) {
      repeatTimer_ = std::make_unique<TTimer>(nullptr);
      repeatTimer_->SetEnabled(false);
      repeatTimer_->SetOnTimer([this](TObject*) { RepeatTick(); });
    }
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetInterval(initialDelay_);
    repeatTimer_->SetEnabled(true);
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSDDControlButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  StopRepeat();
  if (mouseDown_) {
    mouseDown_ = false;
    const bool inside = ClientRect().Contains({x, y});
    pressed_ = false;
    hot_ = false;
    Invalidate();
    if (inside) Click();
    // The hot look follows the mouse, which may have left while the button was held.
    if ((flat_ || Themed()) && Enabled()) {
      bool under = false;
      POINT sp{};
      TWinControl* parent = Parent();
      if (parent && parent->HandleAllocated() && GetCursorPos(&sp) && WindowFromPoint(sp) == parent->Handle())
        under = parent->ControlAtPos(parent->ScreenToClient({sp.x, sp.y}), false) == this;
      Perform(under ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
    }
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSDDControlButton::DoMouseEnter() {
  hot_ = true;
  OnMouseEnter(this);
  if (flat_ || Themed()) Invalidate();
}

void TSDDControlButton::DoMouseLeave() {
  hot_ = false;
  OnMouseLeave(this);
  if (flat_ || Themed()) Invalidate();
}

void TSDDControlButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(m);
      if (m.LParam == reinterpret_cast<LPARAM>(this) && !HasState(csDesigning)) DoMouseEnter();
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(m);
      if (m.LParam == reinterpret_cast<LPARAM>(this)) DoMouseLeave();
      return;
    default: return TGraphicControl::WndProc(m);
  }
}

// ---- control button painting ----------------------------------------------------------------------------------

namespace {

TSDDPartState PartState(bool pressed, bool hot, bool enabled) {
  if (pressed) return spsPressed;
  if (hot && enabled) return spsHot;
  return enabled ? spsNormal : spsDisabled;
}

HWND ParentWindow(const TControl& control) {
  TWinControl* parent = control.Parent();
  return parent && parent->HandleAllocated() ? parent->Handle() : nullptr;
}

// Draws a theme part at `at` and keeps only what falls into `visible`. It is drawn into a bitmap of its own first:
// drawn straight onto a clipped canvas, the platform may squeeze the whole part into the clip box.
bool DrawPartCut(TThemeHandle& theme, HWND wnd, TCanvas& canvas, int part, int state, const TRect& at,
                 const TRect& visible) {
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(at.Width(), at.Height());
  HDC dc = image.Canvas().Handle();
  if (!dc) return false;
  BitBlt(dc, 0, 0, at.Width(), at.Height(), canvas.Handle(), at.Left, at.Top, SRCCOPY);
  if (!theme.DrawBackground(wnd, dc, part, state, {0, 0, at.Width(), at.Height()})) return false;
  BitBlt(canvas.Handle(), visible.Left, visible.Top, visible.Width(), visible.Height(), dc, visible.Left - at.Left,
         visible.Top - at.Top, SRCCOPY);
  return true;
}

}  // namespace

void TSDDControlButton::DrawClassicFace(TRect& r) {
  TCanvas& c = Canvas();
  if (flat_) {
    if (!Idle()) r = DrawFrameEx(c, r, pressed_ ? fsStatus : fsPopup);
    FillWith(c, r, Color());
    return;
  }
  r = pressed_ ? DrawFrameLines(c, r, clBtnShadow, AllSides, clBtnShadow) : DrawFrameEx(c, r, fsButtonUp);
  FillWith(c, r, clBtnFace);
}

void TSDDControlButton::DrawArrowButton(TRect& r) {
  TCanvas& c = Canvas();
  const int direction = style_ == cbsUp ? 0 : style_ == cbsDown ? 1 : style_ == cbsLeft ? 2 : 3;
  if (Themed()) {
    if (Idle()) {
      FillWith(c, r, Color());
      DrawArrow(c, r, fpXPThemes, Enabled(), pressed_, direction);
      return;
    }
    if (DrawThemedSpinPart(spinTheme_, ParentWindow(*this), c.Handle(), style_, PartState(pressed_, hot_, Enabled()),
                           r)) {
      r = r.Inflate(-2, -2);
      return;
    }
  }
  DrawClassicFace(r);
  DrawArrow(c, r, fpCustomFraming, Enabled(), pressed_, direction);
}

void TSDDControlButton::DrawDropDownButton(TRect& r) {
  TCanvas& c = Canvas();
  if (Themed()) {
    if (Idle()) {
      FillWith(c, r, Color());
      DrawDropDownArrow(c, r, fpXPThemes, Enabled(), pressed_);
      return;
    }
    const int state = ThemeState(PartState(pressed_, hot_, Enabled()));
    if (DrawPartCut(comboTheme_, ParentWindow(*this), c, CP_DROPDOWNBUTTON, state, r.Inflate(1, 1), r)) return;
  }
  DrawClassicFace(r);
  DrawDropDownArrow(c, r, fpCustomFraming, Enabled(), pressed_);
}

void TSDDControlButton::DrawButtonFace(TRect& r) {
  TCanvas& c = Canvas();
  if (Themed()) {
    if (Idle()) {
      FillWith(c, r, Color());
      return;
    }
    // The thumb's own edge is cut off: it is drawn one pixel past the left side and two past the others.
    const int state = ThemeState(PartState(pressed_, hot_ && flat_, Enabled()));
    const TRect thumb{r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2};
    if (DrawPartCut(scrollTheme_, ParentWindow(*this), c, SBP_THUMBBTNHORZ, state, thumb, r)) {
      r = r.Inflate(-2, -2);
      return;
    }
  }
  DrawClassicFace(r);
}

void TSDDControlButton::DrawGlyph(const TRect& r) {
  const SIZE size = GetGlyphSize();
  const int image = numGlyphs_ > 1 && !Enabled() ? 1 : 0;
  const TColor transparent = glyph_->Canvas().Pixel(0, glyph_->Height() - 1);
  DrawTransparentBitmap(Canvas(), *glyph_, r, Bounds(image * size.cx, 0, size.cx, size.cy), transparent);
}

void TSDDControlButton::Paint() {
  TRect r = ClientRect();
  switch (style_) {
    case cbsLeft:
    case cbsUp:
    case cbsRight:
    case cbsDown: return DrawArrowButton(r);
    case cbsDropDown: return DrawDropDownButton(r);
    case cbsNone: break;
  }
  const TRect client = r;
  DrawButtonFace(r);
  if (glyph_->Empty()) return;
  const SIZE size = GetGlyphSize();
  TRect g = CenterRect(client.Inflate(-1, -1), size.cx, size.cy);
  if (pressed_) g = g.Offset(1, Themed() ? 0 : 1);
  DrawGlyph(g);
}

// ---- themed parts ---------------------------------------------------------------------------------------------

bool DrawThemedSpinPart(TThemeHandle& theme, HWND wnd, HDC dc, TSDDControlButtonStyle arrow, TSDDPartState state,
                        const TRect& r) {
  int part = 0;
  switch (arrow) {
    case cbsUp: part = SPNP_UP; break;
    case cbsDown: part = SPNP_DOWN; break;
    case cbsRight: part = SPNP_UPHORZ; break;
    case cbsLeft: part = SPNP_DOWNHORZ; break;
    default: return false;
  }
  return theme.DrawBackground(wnd, dc, part, ThemeState(state), r);
}
