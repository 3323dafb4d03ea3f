// Sections: properties; blinking and messages; size and text geometry; painting.
#include "sddcontrols/unSDDStatus.h"

#include <vsstyle.h>

#include "classlib/DeviceContext.h"
#include "sddcontrols/core/unSDDGeometry.h"
#include "sddcontrols/unSDDCommon.h"
#include "sddcontrols/unSDDGdi.h"
#include "sddcontrols/unSDDPanel.h"

// ---- properties -----------------------------------------------------------------------------------------------

TSDDCustomStatusPane::TSDDCustomStatusPane(TComponent* owner)
    : TGraphicControl(owner), savedFontColor_(Font().Color()), textColor_(Font().Color()), fillColor_(Color()) {
  controlStyle_.Include(csNoDesignVisible);
  SetBounds(0, 0, 100, 20);
  SetParentColor(true);
  TSDDBlinkingControlsList::Acquire().Add(this);
}

TSDDCustomStatusPane::~TSDDCustomStatusPane() {
  SetClientFrameController(*this, frameController_, nullptr);
  if (TSDDBlinkingControlsList* list = TSDDBlinkingControlsList::Instance()) list->Remove(this);
  TSDDBlinkingControlsList::Release();
}

void TSDDCustomStatusPane::SetAlignment(TAlignment v) {
  if (StoreChanged(alignment_, v)) Invalidate();
}

void TSDDCustomStatusPane::SetAutoSize(bool v) {
  if (!StoreChanged(autoSize_, v)) return;
  AdjustAutoSize();
  Invalidate();
}

void TSDDCustomStatusPane::SetDefaultWidth(int v) {
  if (!StoreChanged(defaultWidth_, v)) return;
  AdjustAutoSize();
  Invalidate();
}

void TSDDCustomStatusPane::SetBlinking(bool v) {
  if (!StoreChanged(blinking_, v)) return;
  if (!v) {
    blinkOff_ = true;
    textColor_ = savedFontColor_;
  }
  Repaint();
}

void TSDDCustomStatusPane::SetBlinkColor(TColor v) {
  if (StoreChanged(blinkColor_, v)) Invalidate();
}

uint16_t TSDDCustomStatusPane::BlinkIntervalOff() const { return TSDDBlinkingControlsList::Acquire().IntervalA(); }
void TSDDCustomStatusPane::SetBlinkIntervalOff(uint16_t v) { TSDDBlinkingControlsList::Acquire().SetIntervalA(v); }
uint16_t TSDDCustomStatusPane::BlinkIntervalOn() const { return TSDDBlinkingControlsList::Acquire().IntervalB(); }
void TSDDCustomStatusPane::SetBlinkIntervalOn(uint16_t v) { TSDDBlinkingControlsList::Acquire().SetIntervalB(v); }

void TSDDCustomStatusPane::SetBorderWidth(int v) {
  if (StoreChanged(borderWidth_, v)) Invalidate();
}

void TSDDCustomStatusPane::SetCaption(const std::string& v) {
  if (StoreChanged(caption_, v)) Perform(CM_TEXTCHANGED);
}

void TSDDCustomStatusPane::SetCaptionOffset(int v) {
  if (!StoreChanged(captionOffset_, v)) return;
  AdjustAutoSize();
  Invalidate();
}

void TSDDCustomStatusPane::SetFillColor(TColor v) {
  parentFillColor_ = false;
  if (StoreChanged(fillColor_, v)) Invalidate();
}

void TSDDCustomStatusPane::SetParentFillColor(bool v) {
  if (!StoreChanged(parentFillColor_, v)) return;
  if (Parent() && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED);
  Invalidate();
}

void TSDDCustomStatusPane::SetFlatColor(TColor v) {
  if (StoreChanged(flatColor_, v)) Invalidate();
}
void TSDDCustomStatusPane::SetFlatColorAdjustment(int v) {
  if (StoreChanged(flatColorAdjustment_, v)) Invalidate();
}
void TSDDCustomStatusPane::SetFrameStyle(TFrameStyle v) {
  if (StoreChanged(frameStyle_, v)) Invalidate();
}

void TSDDCustomStatusPane::SetFrameController(TSDDFrameController* value) {
  SetClientFrameController(*this, frameController_, value);
}

void TSDDCustomStatusPane::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TSDDCustomStatusPane::UpdateFromFrameController() {
  if (!frameController_ || !frameController_->FrameVisible()) return;
  frameStyle_ = frameController_->FrameStyle();
  flatColor_ = frameController_->FrameColor();
  flatColorAdjustment_ = 0;
  fillColor_ = frameController_->Color();
  SetParentColor(frameController_->ParentColor());
  Invalidate();
}

void TSDDCustomStatusPane::Loaded() {
  TGraphicControl::Loaded();
  savedFontColor_ = Font().Color();
  textColor_ = savedFontColor_;
  AdjustAutoSize();
}

// ---- blinking and messages ------------------------------------------------------------------------------------

void TSDDCustomStatusPane::SetBlinkState(bool on) {
  textColor_ = on ? blinkColor_ : savedFontColor_;
  blinkOff_ = !on;
  Invalidate();
}

void TSDDCustomStatusPane::DoMouseEnter() { OnMouseEnter(this); }
void TSDDCustomStatusPane::DoMouseLeave() { OnMouseLeave(this); }

void TSDDCustomStatusPane::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_SDDISBLINKING:
      m.Result = blinking_ ? 1 : 0;
      return;
    case CM_SDDBLINK:
      if (blinking_) SetBlinkState(m.WParam != 0);
      return;
    case CM_FONTCHANGED:
      TGraphicControl::WndProc(m);
      if (HasState(csLoading)) return;
      savedFontColor_ = Font().Color();
      if (!blinking_) textColor_ = savedFontColor_;
      AdjustAutoSize();
      return;
    case CM_TEXTCHANGED:
      TGraphicControl::WndProc(m);
      AdjustAutoSize();
      return;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
      TGraphicControl::WndProc(m);
      if (parentFillColor_) fillColor_ = Color();
      Invalidate();
      return;
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(m);
      if (!HasState(csDesigning)) DoMouseEnter();
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(m);
      DoMouseLeave();
      return;
    case CM_HITTEST: return CMHitTest(m);
    default: return TGraphicControl::WndProc(m);
  }
}

bool TSDDCustomStatusPane::IsOverSizeGrip() {
  auto* bar = dynamic_cast<TSDDStatusBar*>(Parent());
  if (!bar || !bar->ShowSizeGrip()) return false;
  return ClientToScreen({Width(), 0}).X >= bar->ClientToScreen({bar->ClientRect().Right, 0}).X;
}

void TSDDCustomStatusPane::CMHitTest(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (!IsOverSizeGrip()) return;
  // The 12 pixels at the bar's right edge belong to the bar's size grip: the mouse goes through to the bar.
  auto* bar = static_cast<TSDDStatusBar*>(Parent());
  const int right = bar->ClientRect().Right - Left();
  const TRect text = GetTextRect();
  const TRect grip{right - 12, text.Top, right, text.Bottom};
  const TPoint p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
  if (grip.Contains(p)) m.Result = 0;
}

// ---- size and text geometry -----------------------------------------------------------------------------------

void TSDDCustomStatusPane::AdjustAutoSize() {
  if (!autoSize_ || HasState(csReading)) return;
  SetWidth(GetAutoWidth());
}

int TSDDCustomStatusPane::GetAutoWidth() {
  if (caption_.empty()) return defaultWidth_;
  TWindowDC screen(nullptr);
  if (!screen) return defaultWidth_;
  TDcSelection font(screen.Handle(), Font().Handle());
  RECT r = ToRECT(ClientRect());
  ::DrawTextA(screen.Handle(), caption_.c_str(), static_cast<int>(caption_.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  return r.right + 2 * borderWidth_ + captionOffset_ + 6;
}

TRect TSDDCustomStatusPane::GetTextRect() {
  const int inset = borderWidth_ + PaneFrameInset(frameStyle_);
  return ClientRect().Inflate(-inset, -inset);
}

// ---- painting -------------------------------------------------------------------------------------------------

bool TSDDCustomStatusPane::Themed() {
  auto* bar = dynamic_cast<TSDDStatusBar*>(Parent());
  return bar && bar->Themed();
}

void TSDDCustomStatusPane::Paint() {
  DrawFrame();
  DrawText(caption_);
}

void TSDDCustomStatusPane::DrawFrame() {
  TCanvas& c = Canvas();
  if (Themed()) {
    auto* bar = static_cast<TSDDStatusBar*>(Parent());
    if (bar->theme_.DrawBackground(bar->Handle(), c.Handle(), SP_PANE, 0, ClientRect())) return;
  }
  const TRect all{0, 0, Width(), Height()};
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(all);
  const TRect r = all.Inflate(-borderWidth_, -borderWidth_);
  if (frameStyle_ == fsFlat)
    DrawOpenFlatFrame(c, r, ChangeColorLightness(flatColor_, flatColorAdjustment_));
  else
    DrawFrameEx(c, r, frameStyle_);
}

void TSDDCustomStatusPane::DrawText(const std::string& text) {
  TCanvas& c = Canvas();
  c.Font().Assign(&Font());
  c.Font().SetColor(textColor_);
  const TRect r = GetTextRect();
  static const UINT align[] = {TA_LEFT, TA_RIGHT, TA_CENTER};
  HDC dc = c.Handle();
  const UINT oldAlign = SetTextAlign(dc, align[alignment_]);
  int x = r.Left + r.Width() / 2;
  if (alignment_ == taLeftJustify) x = r.Left + captionOffset_ + 1;
  if (alignment_ == taRightJustify) x = r.Right - captionOffset_ - 1;
  const int y = r.Top + (r.Height() - c.TextHeight("Pp")) / 2;
  auto* bar = dynamic_cast<TSDDStatusBar*>(Parent());
  if (Themed()) {
    // The bar's background under the pane, so that the text sits on the same look.
    TBitmap background;
    background.SetSize(bar->Width(), bar->Height());
    bar->theme_.DrawBackground(bar->Handle(), background.Canvas().Handle(), 0, 0, {0, 0, bar->Width(), bar->Height()});
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), background.Canvas().Handle(), Left() + r.Left, Top() + r.Top,
           SRCCOPY);
    c.Brush().SetStyle(bsClear);
  } else {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(fillColor_);
  }
  if (!Enabled()) {
    c.Font().SetColor(clBtnHighlight);
    c.TextRect(r, x + 1, y + 1, text);
    c.Font().SetColor(clBtnShadow);
    c.Brush().SetStyle(bsClear);
  }
  c.TextRect(r, x, y, text);
  SetTextAlign(dc, oldAlign);
  c.Brush().SetStyle(bsSolid);
}
