#include "classlib/StdCtrls.h"
#include "classlib/ScreenDC.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_.Include(csOpaque);
  controlStyle_.Exclude(csCaptureMouse);
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (StoreChanged(alignment_, value)) Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (StoreChanged(layout_, value)) Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (StoreChanged(autoSize_, value)) AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (!StoreChanged(wordWrap_, value)) return;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  if (value) controlStyle_.Exclude(csOpaque);
  else controlStyle_.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (!StoreChanged(showAccelChar_, value)) return;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = value;
  if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TCustomLabel::TextFlags() const {
  static const UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = DT_EXPANDTABS | horizontal[alignment_];
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || HasState(csLoading)) return;
  const TScreenDC dc;
  if (!dc) return;
  TRect r{0, 0, wordWrap_ ? Width() : 0, 0};
  {
    TCanvas canvas;  // gives the DC its own font back before the DC goes
    canvas.SetHandle(dc.Get());
    canvas.Font().Assign(&Font());
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    canvas.DrawText(text, r, TextFlags() | DT_CALCRECT);
  }
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.Width();
  else if (alignment_ == taCenter) left += (Width() - r.Width()) / 2;
  SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::Paint() {
  TCanvas& c = Canvas();
  TRect client = ClientRect();
  if (!transparent_) {
    c.Brush().SetColor(Color());
    c.Brush().SetStyle(bsSolid);
    c.FillRect(client);
  }
  c.Brush().SetStyle(bsClear);
  c.Font().Assign(&Font());
  TRect r = client;
  if (layout_ != tlTop) {
    TRect measured = client;
    c.DrawText(Caption(), measured, TextFlags() | DT_CALCRECT);
    int offset = client.Height() - measured.Height();
    r.Top += layout_ == tlCenter ? offset / 2 : offset;
  }
  if (!Enabled()) {
    c.Font().SetColor(clBtnHighlight);
    TRect shadow = r.Offset(1, 1);
    c.DrawText(Caption(), shadow, TextFlags());
    c.Font().SetColor(clBtnShadow);
  }
  c.DrawText(Caption(), r, TextFlags());
}

void TCustomLabel::CMDialogChar(TMessage& m) {
  if (!showAccelChar_ || !focusControl_ || !Enabled() || !focusControl_->CanFocus()) return;
  if (!IsAccel(static_cast<unsigned>(m.WParam), Caption())) return;
  focusControl_->SetFocus();
  m.Result = 1;
}

void TCustomLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR: return CMDialogChar(m);
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      return Invalidate();
    default: return TGraphicControl::WndProc(m);
  }
}
