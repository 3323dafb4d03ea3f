// Sections: panel; image.
#include "classlib/ExtCtrls.h"

#include <algorithm>


// ---- panel ----------------------------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_.Include(csAcceptsControls);
  controlStyle_.Include(csOpaque);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (!StoreChanged(bevelInner_, value)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (!StoreChanged(bevelOuter_, value)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  if (!StoreChanged(bevelWidth_, value)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  if (!StoreChanged(borderWidth_, value)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (StoreChanged(alignment_, value)) Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  rect = rect.Inflate(-inset, -inset);
}

TRect TCustomPanel::PaintBevels(const TRect& bounds) {
  TCanvas& c = Canvas();
  TRect r = bounds;
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    if (cut == bvSpace) {
      r = r.Inflate(-bevelWidth_, -bevelWidth_);
      return;
    }
    bool raised = cut == bvRaised;
    r = Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
  };
  bevel(bevelOuter_);
  if (borderWidth_ > 0) {
    c.Brush().SetColor(Color());
    TRect inner = r.Inflate(-borderWidth_, -borderWidth_);
    c.FillRect({r.Left, r.Top, r.Right, inner.Top});
    c.FillRect({r.Left, inner.Bottom, r.Right, r.Bottom});
    c.FillRect({r.Left, inner.Top, inner.Left, inner.Bottom});
    c.FillRect({inner.Right, inner.Top, r.Right, inner.Bottom});
    r = inner;
  }
  bevel(bevelInner_);
  return r;
}

void TCustomPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = PaintBevels(ClientRect());
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(r);
  if (Caption().empty()) return;
  static const UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  c.Brush().SetStyle(bsClear);
  c.Font().Assign(&Font());
  c.DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | horizontal[alignment_]);
}

// ---- image ----------------------------------------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  controlStyle_.Exclude(csCaptureMouse);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::PictureChanged() {
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  // A picture with transparent parts (PNG) shows the parent through them.
  bool opaque = !transparent_ && !dynamic_cast<TPngGraphic*>(picture_->Graphic()) && picture_->Graphic() &&
                DestRect() == ClientRect();
  if (opaque) controlStyle_.Include(csOpaque);
  else controlStyle_.Exclude(csOpaque);
  Invalidate();
}

void TImage::SetStretch(bool value) {
  if (StoreChanged(stretch_, value)) PictureChanged();
}
void TImage::SetCenter(bool value) {
  if (StoreChanged(center_, value)) PictureChanged();
}
void TImage::SetProportional(bool value) {
  if (StoreChanged(proportional_, value)) PictureChanged();
}
void TImage::SetTransparent(bool value) {
  if (StoreChanged(transparent_, value)) PictureChanged();
}
void TImage::SetAutoSize(bool value) {
  if (StoreChanged(autoSize_, value)) PictureChanged();
}

TRect TImage::DestRect() const {
  int w = picture_->Width(), h = picture_->Height();
  int cw = Width(), ch = Height();
  if (w <= 0 || h <= 0) return {0, 0, 0, 0};
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_) {
      // Largest size with the picture's proportions that fits.
      if (static_cast<int64_t>(cw) * h > static_cast<int64_t>(ch) * w) {
        w = static_cast<int>(static_cast<int64_t>(w) * ch / h);
        h = ch;
      } else {
        h = static_cast<int>(static_cast<int64_t>(h) * cw / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  int x = center_ ? (cw - w) / 2 : 0;
  int y = center_ ? (ch - h) / 2 : 0;
  return {x, y, x + w, y + h};
}

void TImage::Paint() {
  if (TGraphic* g = picture_->Graphic()) Canvas().StretchDraw(DestRect(), g);
}
