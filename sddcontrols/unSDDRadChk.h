// The SDD glyph button and check box.
//
// TSDDCustomGlyphButton draws a small glyph beside its caption, composed over a cached background so that the
// control can be transparent. A glyph comes from one of four sources, in this order: a strip of custom glyphs,
// the visual-styles theme, the library's bitmap resources with their key colours mapped (the hot-track look), or
// the system's frame controls. Glyph pixels in three key colours are replaced when the glyph is composed:
// TransparentColor shows the background, WinMaskColor the window colour, and 0x008000 a blend of FrameColor with
// the background. TSDDCustomCheckBox makes it a two- or three-state check box (Space, its accelerator and clicks
// toggle it) and TSDDCheckedActionLink ties its Checked to an action's.
//
// The resources are the 13 x 13 bitmaps "SDDCOMMON_CHECKBOX_UNCHECKED", "SDDCOMMON_CHECKBOX_CHECKED" and
// "SDDCOMMON_CHECKBOX_GRAYED" of unSDDRadChk.rc, drawn in five key colours: white the box face, 0x808080 the frame,
// red the inner shade, fuchsia the outer shade and blue the mark.
//
// Sections: glyph button; check box; action link.
#pragma once

#include <memory>

#include "classlib/ActnList.h"
#include "classlib/StdCtrls.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDCommonComponents.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// ---- glyph button ---------------------------------------------------------------------------------------------

class TSDDCustomGlyphButton : public TSDDCustomButton, public ISDDFrameControllerClient {
public:
  explicit TSDDCustomGlyphButton(TComponent* owner);
  ~TSDDCustomGlyphButton() override;

  // taRightJustify: the glyph at the left edge and the caption right of it; otherwise the glyph at the right edge.
  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value);
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor value);
  // A strip of NumberOfGlyphs() images; not empty, it is used (UseCustomGlyphs follows it).
  TBitmap& CustomGlyphs() { return *customGlyphs_; }
  virtual void SetCustomGlyphs(const TBitmap& value);
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  virtual void SetUseCustomGlyphs(bool value);
  TColor TransparentColor() const { return transparentColor_; }
  virtual void SetTransparentColor(TColor value);
  TColor WinMaskColor() const { return winMaskColor_; }
  virtual void SetWinMaskColor(TColor value);
  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  TSDDFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TSDDFrameController* value);
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}
  bool Checked() const { return GetChecked(); }

  int NumberOfGlyphs() const { return numGlyphs_; }
  int GlyphWidth() const { return glyphWidth_; }
  int GlyphHeight() const { return glyphHeight_; }
  // Where the glyph sits in the client area.
  TRect GlyphRect() const;

  // Takes the controller's frame and disabled colours while its frame is visible.
  void UpdateFromFrameController() override;
  // A colour equal to one of the key colours (TransparentColor, WinMaskColor, 0x808080) moved one step off, so
  // that it survives their replacement; other colours unchanged.
  virtual TColor AdjustColor(TColor color);
  // Sizes `bitmap` to width x height and copies image `index` of `source` into it.
  virtual void ExtractGlyph(int index, TBitmap& bitmap, int height, int width, TBitmap& source);

  void SetTransparent(bool value) override;
  void WndProc(TMessage& message) override;

protected:
  // Fills `bitmap` (the glyph's size) with the glyph of the present state.
  virtual void DrawGlyph(TBitmap&) {}
  // Composes the glyph over what `canvas` shows at the glyph rectangle.
  virtual void DrawGlyphOnCanvas(TCanvas& canvas);
  void Paint() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void Notification(TComponent* component, TOperation operation) override;
  // Takes the action's Checked too, unless the action is linked while a layout is read and the box is checked.
  void ActionChange(TObject* sender, bool checkDefaults) override;
  TControlActionLink* CreateActionLink() override;
  // The backdrop a glyph source draws on: left out when transparent, the control's colour otherwise.
  TColor GlyphBackdrop() const;

  int numGlyphs_ = 2;

private:
  void CustomGlyphsChanged();
  void UpdateGlyphSize();
  // The cached background is made again at the next paint.
  void BackgroundChanged(TMessage& m, bool invalidate);

  TAlignment alignment_ = taRightJustify;
  TColor frameColor_ = clBtnShadow;
  std::unique_ptr<TBitmap> customGlyphs_;
  bool useCustomGlyphs_ = false;
  TColor transparentColor_ = 0x008080;
  TColor winMaskColor_ = 0x00FF00;
  TColor disabledColor_ = clBtnFace;
  int glyphWidth_ = 13;
  int glyphHeight_ = 13;
  bool tabOnEnter_ = false;
  TSDDFrameController* frameController_ = nullptr;
  std::unique_ptr<TBitmap> background_;
  bool backgroundDirty_ = true;
};

// ---- check box ------------------------------------------------------------------------------------------------

class TSDDCustomCheckBox : public TSDDCustomGlyphButton {
public:
  explicit TSDDCustomCheckBox(TComponent* owner);

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  TCheckBoxState State() const { return state_; }
  // A new state repaints and clicks (OnClick).
  virtual void SetState(TCheckBoxState value);
  bool GetChecked() const override { return state_ == cbChecked; }
  void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
  // Unchecked to grayed (with AllowGrayed) or checked, checked to unchecked, grayed to checked.
  void Toggle();

  void WndProc(TMessage& message) override;

protected:
  void DoClick() override { Toggle(); }
  void DrawGlyph(TBitmap& bitmap) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;

private:
  void CMDialogChar(TMessage& m);
  void CMExit(TMessage& m);
  bool DrawThemedGlyph(TBitmap& bitmap);
  bool DrawResourceGlyph(TBitmap& bitmap);
  void DrawFrameControlGlyph(TBitmap& bitmap);

  bool allowGrayed_ = false;
  TCheckBoxState state_ = cbUnchecked;
  bool keyPressed_ = false;
  TThemeHandle theme_{L"Button"};
};

class TSDDCheckBox : public TSDDCustomCheckBox {
public:
  using TSDDCustomCheckBox::TSDDCustomCheckBox;
};

// ---- action link ----------------------------------------------------------------------------------------------

// Links the check box's Checked as well: it follows the action's while the two are equal.
class TSDDCheckedActionLink : public TControlActionLink {
public:
  explicit TSDDCheckedActionLink(TSDDCustomGlyphButton* client);
  bool IsCheckedLinked() const override;
  void SetChecked(bool value) override;

private:
  TSDDCustomGlyphButton* button_;
};
