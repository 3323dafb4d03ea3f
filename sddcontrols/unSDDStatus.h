// Status panes: the text fields of the status bar. Each draws a frame, a fill colour and one line of text, can
// size itself to the text, can blink the text colour at the program-wide rhythm, and lets the mouse through to
// the bar's size grip when it covers the grip.
#pragma once

#include <string>

#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "sddcontrols/core/unSDDCommonTypes.h"
#include "sddcontrols/unSDDCommonComponents.h"

class TSDDCustomStatusPane : public TGraphicControl, public ISDDFrameControllerClient {
public:
  explicit TSDDCustomStatusPane(TComponent* owner);
  ~TSDDCustomStatusPane() override;

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool value) { autoHint_ = value; }
  int DefaultWidth() const { return defaultWidth_; }
  virtual void SetDefaultWidth(int value);
  bool Blinking() const { return blinking_; }
  // Switched off, the text takes the font colour again at once.
  virtual void SetBlinking(bool value);
  TColor BlinkColor() const { return blinkColor_; }
  virtual void SetBlinkColor(TColor value);
  // The program-wide blink rhythm: changing it through one pane changes it for all.
  uint16_t BlinkIntervalOff() const;
  virtual void SetBlinkIntervalOff(uint16_t value);
  uint16_t BlinkIntervalOn() const;
  virtual void SetBlinkIntervalOn(uint16_t value);
  int BorderWidth() const { return borderWidth_; }
  virtual void SetBorderWidth(int value);
  // The pane's own text (not the control's).
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& value);
  int CaptionOffset() const { return captionOffset_; }
  virtual void SetCaptionOffset(int value);
  TColor FillColor() const { return fillColor_; }
  // Setting it stops following the pane's colour.
  virtual void SetFillColor(TColor value);
  bool ParentFillColor() const { return parentFillColor_; }
  virtual void SetParentFillColor(bool value);
  TColor FlatColor() const { return flatColor_; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  virtual void SetFlatColorAdjustment(int value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle value);
  TSDDFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TSDDFrameController* value);
  // The colour the text is drawn in now (the font's, or the blink colour while blinking shows it).
  TColor TextColor() const { return textColor_; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The width AutoSize gives: the caption's width plus both borders, the offset and 6; DefaultWidth without one.
  virtual int GetAutoWidth();
  // The client rectangle less the border width and the frame.
  virtual TRect GetTextRect();
  void UpdateFromFrameController() override;
  // On: the blink colour; off: the font colour.
  virtual void SetBlinkState(bool on);
  // The pane's right edge reaches the right edge of a status bar that shows a size grip.
  virtual bool IsOverSizeGrip();

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DrawFrame();
  virtual void DrawText(const std::string& text);
  virtual void AdjustAutoSize();
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

private:
  bool Themed();
  void CMHitTest(TMessage& m);

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = false;
  bool autoHint_ = false;
  int defaultWidth_ = 40;
  TColor blinkColor_ = clHighlight;
  bool blinking_ = false;
  bool blinkOff_ = true;
  TColor savedFontColor_;
  TColor textColor_;
  int borderWidth_ = 1;
  std::string caption_;
  int captionOffset_ = 2;
  bool parentFillColor_ = true;
  TColor fillColor_;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TFrameStyle frameStyle_ = fsFlat;
  TSDDFrameController* frameController_ = nullptr;
};

class TSDDStatusPane : public TSDDCustomStatusPane {
public:
  using TSDDCustomStatusPane::TSDDCustomStatusPane;
};
