// TReflectionLabel: a label that draws mini-HTML text (HTMLDraw.h) and, below it, a vertically mirrored copy
// that fades out downwards. The reflection is a GDI+ bitmap built from the painted text whenever the text, the
// font, the size or the fade changed; anchors in the text show the hand cursor and open on a click.
//
// Sections: properties; the reflection; painting; mouse.
//
// Anchors: a target that begins with a scheme and "://" (a web address) or with "mailto:" is handed to the
// shell's "open" verb; any other target goes to OnAnchorClick. "IDX:" images come from Images: a change of the
// list rebuilds the reflection, and a list that is freed is forgotten.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/StringList.h"
#include "controls/GDIPObjects.h"
#include "controls/HTMLDraw.h"
#include "controls/PictureContainer.h"

using TAnchorClick = TEvent<TObject* /*Sender*/, const std::string& /*Target*/>;

class TReflectionLabel : public TCustomLabel {
public:
  explicit TReflectionLabel(TComponent* owner);
  ~TReflectionLabel() override;

  // ---- properties ----
  TStringList& HTMLText() { return *html_; }
  void SetHTMLText(const TStrings& value) { html_->Assign(&value); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  TPictureContainer* PictureContainer() const { return pictureContainer_; }
  void SetPictureContainer(TPictureContainer* value);
  TColor URLColor() const { return urlColor_; }
  void SetURLColor(TColor value);
  // How much the fade's first row lacks of full opacity (0..255).
  int Reflection() const { return reflection_; }
  void SetReflection(int value);
  // Pixels from the text's bottom to the reflection's top (negative: overlapping the text).
  int ReflectionAxis() const { return reflectionAxis_; }
  void SetReflectionAxis(int value);
  // "1.0.0.2"; setting it does nothing.
  std::string Version() const;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  // A click on an anchor whose target is not for the shell.
  TAnchorClick OnAnchorClick;
  // Opens a shell target; the shell's "open" verb unless replaced (tests record the targets instead).
  std::function<void(const std::string& target)> ShellOpen;

  // ---- what the label shows, for its owner and the tests ----
  // The text's size as last drawn.
  int TextWidth() const { return textWidth_; }
  int TextHeight() const { return textHeight_; }
  // The faded, mirrored text, or null while none is built.
  TGPBitmap* ReflectionBitmap() const { return reflectionBitmap_.get(); }
  // The target of the anchor under the mouse, empty when none.
  const std::string& HotAnchor() const { return anchorTarget_; }

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void Resize() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void Changed();
  TRect TextRect() const;
  THTMLDrawParams DrawParams() const;
  void BuildReflection();
  // The anchor at a point of the client area.
  THTMLDrawResult HitTest(int x, int y);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);

  TGdiplusSession gdiplus_;
  std::unique_ptr<TStringList> html_;
  TCustomImageList* images_ = nullptr;
  TChangeLink imagesLink_;
  TPictureContainer* pictureContainer_ = nullptr;
  std::unique_ptr<THTMLPictureCache> pictureCache_;
  TColor urlColor_ = clBlue;
  int reflection_ = 100;
  int reflectionAxis_ = -7;
  int borderWidth_ = 1;
  TColor shadowColor_ = clGray;
  int shadowOffset_ = 2;

  std::unique_ptr<TGPBitmap> reflectionBitmap_;
  bool dirty_ = true;
  int textWidth_ = 0;
  int textHeight_ = 0;
  int reflectionX_ = 0;
  std::string anchorTarget_;
  int anchorNumber_ = 0;
};
