// Sections: properties; the reflection; painting; mouse.
#include "controls/ReflectionLabel.h"

#include <windows.h>
#include <shellapi.h>

#include "controls/core/ControlVersion.h"
#include "controls/core/HtmlMarkup.h"
#include "controls/core/ReflectionAlpha.h"

// ---- properties -----------------------------------------------------------------------------------------------

TReflectionLabel::TReflectionLabel(TComponent* owner)
    : TCustomLabel(owner),
      html_(std::make_unique<TStringList>()),
      pictureCache_(std::make_unique<THTMLPictureCache>()) {
  html_->OnChange = [this](TObject*) { Changed(); };
  imagesLink_.OnChange = [this](TObject*) { Changed(); };
  ShellOpen = [](const std::string& target) {
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  };
  SetAutoSize(false);
  SetTransparent(true);
  Font().SetSize(12);
  Font().SetStyle({fsBold});
  SetParentFont(false);
  SetCaption("");
  SetBounds(Left(), Top(), 185, 40);
}

TReflectionLabel::~TReflectionLabel() {
  if (pictureContainer_) pictureContainer_->RemoveFreeNotification(this);
}

void TReflectionLabel::Changed() {
  dirty_ = true;
  Invalidate();
}

void TReflectionLabel::SetImages(TCustomImageList* value) {
  if (value != images_) {
    if (images_) {
      images_->UnRegisterChanges(&imagesLink_);
      RemoveFreeNotification(images_);
    }
    images_ = value;
    if (value) {
      value->RegisterChanges(&imagesLink_);
      value->FreeNotification(this);
    }
  }
  Changed();
}

void TReflectionLabel::SetPictureContainer(TPictureContainer* value) {
  if (value == pictureContainer_) return;
  if (pictureContainer_) pictureContainer_->RemoveFreeNotification(this);
  pictureContainer_ = value;
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TReflectionLabel::SetURLColor(TColor value) {
  if (StoreChanged(urlColor_, value)) Invalidate();
}

void TReflectionLabel::SetReflection(int value) {
  if (StoreChanged(reflection_, value)) Changed();
}

void TReflectionLabel::SetReflectionAxis(int value) {
  if (StoreChanged(reflectionAxis_, value)) Invalidate();
}

std::string TReflectionLabel::Version() const { return ControlVersionText(0x01000002); }

void TReflectionLabel::Notification(TComponent* component, TOperation operation) {
  TCustomLabel::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == pictureContainer_) pictureContainer_ = nullptr;
  if (component == images_) {  // a freed list has already dropped its change link
    images_ = nullptr;
    Changed();
  }
}

void TReflectionLabel::Loaded() {
  TCustomLabel::Loaded();
  SetCaption("");
  Changed();
}

void TReflectionLabel::Resize() {
  TCustomLabel::Resize();
  if (!HasState(csLoading)) Changed();
}

void TReflectionLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED: return Changed();
    case CM_TEXTCHANGED: return Invalidate();  // the caption is never shown
    case CM_MOUSEENTER: return CMMouseEnter(m);
    case CM_MOUSELEAVE: return CMMouseLeave(m);
    default: return TCustomLabel::WndProc(m);
  }
}

// ---- the reflection -------------------------------------------------------------------------------------------

// The text just painted (with what lies under it) is copied, mirrored top to bottom, and faded row by row: the
// first row at 255 less Reflection, every later row less by about 255 / height.
void TReflectionLabel::BuildReflection() {
  dirty_ = false;
  const int w = textWidth_, h = textHeight_;
  reflectionX_ = Alignment() == taCenter ? (Width() - w) / 2 : 0;
  TBitmap copy;
  copy.SetPixelFormat(pf32bit);
  copy.SetSize(w, h);
  copy.Canvas().CopyRect({0, 0, w, h}, Canvas(), {0, 0, w, h});
  auto bitmap = std::make_unique<TGPBitmap>(w, h, PixelFormat32bppARGB);
  for (int y = 0; y < h; ++y) {
    const int rowAlpha = ReflectionRowAlpha(h, y, reflection_);
    if (rowAlpha == 0) continue;  // the rest stays transparent
    const uint8_t* source = copy.ScanLine(h - 1 - y);  // painted pixels are opaque
    const uint8_t alpha = ReflectionPixelAlpha(rowAlpha, 255);
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = source + 4 * x;
      bitmap->SetPixel(x, y, MakeColor(alpha, p[2], p[1], p[0]));
    }
  }
  reflectionBitmap_ = std::move(bitmap);
}

// ---- painting -------------------------------------------------------------------------------------------------

TRect TReflectionLabel::TextRect() const { return ClientRect().Inflate(-borderWidth_, -borderWidth_); }

THTMLDrawParams TReflectionLabel::DrawParams() const {
  THTMLDrawParams params;
  params.Images = images_;
  params.PictureContainer = pictureContainer_;
  params.PictureCache = pictureCache_.get();
  params.AnchorColor = urlColor_;
  params.HoverAnchor = anchorNumber_;
  params.ShadowColor = shadowColor_;
  params.ShadowOffset = shadowOffset_;
  return params;
}

void TReflectionLabel::Paint() {
  TCanvas& c = Canvas();
  if (!Transparent()) {
    c.Brush().SetColor(Color());
    c.Brush().SetStyle(bsSolid);
    c.FillRect(ClientRect());
  }
  if (reflectionBitmap_ && !dirty_) {
    TGPGraphics graphics(c.Handle());
    graphics.DrawImage(reflectionBitmap_.get(), reflectionX_, textHeight_ + reflectionAxis_,
                       static_cast<int>(reflectionBitmap_->GetWidth()),
                       static_cast<int>(reflectionBitmap_->GetHeight()));
  }
  c.Font().Assign(&Font());
  const THTMLDrawResult drawn = HTMLDrawEx(c, html_->Text(), TextRect(), DrawParams());
  textWidth_ = drawn.Width;
  textHeight_ = drawn.Height;
  if (!dirty_ || HasState(csLoading)) return;
  if (textWidth_ < 1 || textHeight_ < 1) {  // nothing to mirror: no bitmap of no size
    reflectionBitmap_.reset();
    return;
  }
  BuildReflection();
  Paint();
}

// ---- mouse ----------------------------------------------------------------------------------------------------

THTMLDrawResult TReflectionLabel::HitTest(int x, int y) {
  THTMLDrawParams params = DrawParams();
  params.MeasureOnly = true;
  params.CheckHotspot = true;
  params.Mouse = {x, y};
  Canvas().Font().Assign(&Font());
  return HTMLDrawEx(Canvas(), html_->Text(), TextRect(), params);
}

void TReflectionLabel::MouseMove(TShiftState shift, int x, int y) {
  const THTMLDrawResult hit = HitTest(x, y);
  if (hit.AnchorNumber != anchorNumber_) {
    anchorNumber_ = hit.AnchorNumber;
    anchorTarget_ = hit.AnchorTarget;
    SetCursor(hit.OverAnchor ? crHandPoint : crDefault);
  }
  TCustomLabel::MouseMove(shift, x, y);
}

void TReflectionLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const THTMLDrawResult hit = HitTest(x, y);
  if (button == mbLeft && hit.OverAnchor) {
    if (IsShellAnchorTarget(hit.AnchorTarget)) ShellOpen(hit.AnchorTarget);
    else OnAnchorClick(this, hit.AnchorTarget);
  }
  TCustomLabel::MouseDown(button, shift, x, y);
}

void TReflectionLabel::CMMouseEnter(TMessage&) { OnMouseEnter(this); }

void TReflectionLabel::CMMouseLeave(TMessage&) {
  anchorNumber_ = 0;
  anchorTarget_.clear();
  SetCursor(crDefault);
  OnMouseLeave(this);
}
