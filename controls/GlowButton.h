// TGlowButton: a windowed push button with an owner-drawn two-half gradient face (GlowButtonDraw.h), a colour set
// for each state, a short fade between states, an optional picture, an optional split drop-down part,
// check-button and radio-group behaviour, auto-repeat, and the keys and focus of a dialog's default and cancel
// buttons. TGlowButtonAppearance holds the colour sets.
//
// Sections: kinds; appearance; the button.
//
// Visual state: 0 normal, 1 disabled, 2 down, 4 checked. Fades run on a 30 ms timer made for the fade and freed
// when it ends: hot percent (pointer over the button) or down percent (pressed) moves 20 a tick. Mouse capture
// always ends with the left button's release.
//
// The glyph is a picture (DisabledPicture, HotPicture or Picture by state) or, without one, image ImageIndex of
// an image list: DisabledImages while disabled (drawn as it is), HotImages while hot, else Images (drawn greyed
// while disabled); an action with an image and an action list with images supplies Images. The button hears of
// every change of its lists and forgets a list, a drop-down menu or an action that is freed.
//
// An action linked to the button also drives Down (its Checked), GroupIndex and ImageIndex while the button's
// values still equal the action's; a grouped or check button whose Down follows its action leaves the toggling
// on release to the action.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/Timer.h"
#include "classlib/core/StringList.h"
#include "controls/GDIPicture.h"
#include "controls/GlowButtonDraw.h"
#include "controls/GlowHintInfo.h"

// ---- kinds ----------------------------------------------------------------------------------------------------

enum TFocusType { ftBorder, ftHot, ftHotBorder, ftNone };
enum TShortCutHintPos { shpLeft, shpTop, shpRight, shpBottom };
enum TGlowButtonStyle { bsButton, bsCheck };
enum TButtonSizeState { bsGlyph, bsLabel, bsLarge };
enum TGlowButtonState { gsNormal, gsHot, gsDown };

// Raised after the face is drawn: the canvas, the state (gsNormal, gsHot while the pointer is inside, gsDown)
// and the client rectangle.
using TGlowButtonDrawEvent = TEvent<TObject* /*Sender*/, TCanvas&, TGlowButtonState, TRect>;

// ---- appearance -----------------------------------------------------------------------------------------------

// The colour sets. Setting a colour repaints nothing by itself; SystemFont raises OnChange.
class TGlowButtonAppearance : public TPersistent {
public:
  TGlowButtonAppearance();

  TColor BorderColor, BorderColorHot, BorderColorDown, BorderColorChecked, BorderColorDisabled;
  TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo;
  TColor ColorDisabled, ColorDisabledTo;
  TColor ColorMirror, ColorMirrorTo, ColorMirrorHot, ColorMirrorHotTo, ColorMirrorDown, ColorMirrorDownTo;
  TColor ColorMirrorChecked, ColorMirrorCheckedTo, ColorMirrorDisabled, ColorMirrorDisabledTo;
  TGDIPGradient Gradient = ggVertical, GradientMirror = ggVertical;
  TGDIPGradient GradientHot = ggRadial, GradientMirrorHot = ggRadial;
  TGDIPGradient GradientDown = ggRadial, GradientMirrorDown = ggRadial;
  TGDIPGradient GradientChecked = ggRadial, GradientMirrorChecked = ggVertical;
  TGDIPGradient GradientDisabled = ggRadial, GradientMirrorDisabled = ggRadial;

  // The font's name follows the system's ("Segoe UI" or "Tahoma") unless the button's font is its own.
  bool SystemFont() const { return systemFont_; }
  void SetSystemFont(bool value);
  TNotifyEvent OnChange;

  // Every colour and gradient, and SystemFont through its setter.
  void Assign(const TPersistent* source) override;

private:
  bool systemFont_ = true;
};

// ---- the button -----------------------------------------------------------------------------------------------

class TCustomGlowButton : public TCustomControl {
public:
  explicit TCustomGlowButton(TComponent* owner);
  ~TCustomGlowButton() override;

  // -- look --
  TGlowButtonAppearance& Appearance() { return *appearance_; }
  void SetAppearance(const TGlowButtonAppearance& value) { appearance_->Assign(&value); }
  // One of the colour presets (styles 0 to 9; 8 changes nothing), then a repaint.
  void SetComponentStyle(int style);
  TAntiAlias AntiAlias() const { return antiAlias_; }
  void SetAntiAlias(TAntiAlias value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TButtonPosition Position() const { return position_; }
  void SetPosition(TButtonPosition value);
  bool Rounded() const { return rounded_; }
  void SetRounded(bool value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);
  bool ShowDisabled() const { return showDisabled_; }
  void SetShowDisabled(bool value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }
  StringTrimming Trimming() const { return trimming_; }
  void SetTrimming(StringTrimming value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  TFocusType FocusType() const { return focusType_; }
  void SetFocusType(TFocusType value) { focusType_ = value; }
  int MarginHorz() const { return marginHorz_; }
  void SetMarginHorz(int value);
  int MarginVert() const { return marginVert_; }
  void SetMarginVert(int value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TButtonSizeState MaxButtonSizeState() const { return maxSizeState_; }
  void SetMaxButtonSizeState(TButtonSizeState value);
  TButtonSizeState MinButtonSizeState() const { return minSizeState_; }
  void SetMinButtonSizeState(TButtonSizeState value);
  TButtonSizeState ButtonSizeState() const { return sizeState_; }

  // -- content --
  TGDIPPicture& Picture() { return *picture_; }
  TGDIPPicture& HotPicture() { return *hotPicture_; }
  TGDIPPicture& DisabledPicture() { return *disabledPicture_; }
  void SetPicture(const TGDIPPicture& value) { picture_->Assign(&value); }
  void SetHotPicture(const TGDIPPicture& value) { hotPicture_->Assign(&value); }
  void SetDisabledPicture(const TGDIPPicture& value) { disabledPicture_->Assign(&value); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* value);
  TCustomImageList* DisabledImages() const { return disabledImages_; }
  void SetDisabledImages(TCustomImageList* value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TStringList& Notes() { return *notes_; }
  void SetNotes(const TStrings& value);
  TFont& NotesFont() { return *notesFont_; }
  void SetNotesFont(const TFont& value);
  TGlowHintInfo& OfficeHint() { return *officeHint_; }
  void SetOfficeHint(const TGlowHintInfo& value) { officeHint_->Assign(&value); }
  const std::string& ShortCutHint() const { return shortCutHint_; }
  void SetShortCutHint(const std::string& value) { shortCutHint_ = value; }
  TShortCutHintPos ShortCutHintPos() const { return shortCutHintPos_; }
  void SetShortCutHintPos(TShortCutHintPos value) { shortCutHintPos_ = value; }
  // "1.8.0.1"; setting it does nothing.
  std::string Version() const;

  // -- behaviour --
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  bool RepeatClick() const { return repeatClick_; }
  void SetRepeatClick(bool value) { repeatClick_ = value; }
  int InitRepeatPause() const { return initRepeatPause_; }
  void SetInitRepeatPause(int value) { initRepeatPause_ = value; }
  int RepeatPause() const { return repeatPause_; }
  void SetRepeatPause(int value) { repeatPause_ = value; }
  TGlowButtonStyle Style() const { return style_; }
  void SetStyle(TGlowButtonStyle value) { style_ = value; }
  bool Down() const { return down_; }
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);

  // -- drop-down part --
  bool DropDownButton() const { return dropDownButton_; }
  void SetDropDownButton(bool value);
  TDropDownPosition DropDownPosition() const { return dropDownPosition_; }
  void SetDropDownPosition(TDropDownPosition value);
  TDropDownDirection DropDownDirection() const { return dropDownDirection_; }
  void SetDropDownDirection(TDropDownDirection value);
  bool DropDownSplit() const { return dropDownSplit_; }
  void SetDropDownSplit(bool value) { dropDownSplit_ = value; }
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* value);
  // Pops the drop-down menu up at a screen point: the menu's own modal Popup unless replaced (tests record the
  // point instead).
  std::function<void(TPopupMenu& menu, int x, int y)> PopupDropDownMenu;

  TGlowButtonDrawEvent OnDrawButton;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnDropDown;

  // -- what the button shows, for its owner and the tests --
  int VisualState() const { return state_; }
  int HotPercent() const { return hotPercent_; }
  int DownPercent() const { return downPercent_; }
  // The fade's timer while a fade runs (its OnTimer is one step), else null.
  TTimer* FadeTimer() const { return fadeTimer_.get(); }
  TTimer* RepeatTimer() const { return repeatTimer_.get(); }
  bool MouseInside() const { return mouseInside_; }
  bool Pressed() const { return pressed_; }
  bool DropDownHot() const { return dropDownHot_; }
  // True while the drop-down menu is up.
  bool MenuShowing() const { return menuShowing_; }
  // The colours and flags the next paint draws with.
  TGlowButtonDrawInfo Look();

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoEnter() override;
  void DoExit() override;
  void Notification(TComponent* component, TOperation operation) override;
  TControlActionLink* CreateActionLink() override;
  // Besides the control's properties, the action's GroupIndex (while linking from a layout, or when the button
  // has none) and always its ImageIndex.
  void ActionChange(TObject* sender, bool checkDefaults) override;

private:
  // Points `field` (with its change link) at another list, keeping the free notification while any reference
  // still names the old one.
  void SetImageList(TCustomImageList*& field, TChangeLink& link, TCustomImageList* value);
  void ForgetIfUnreferenced(TComponent* component);
  // The image list of an action that shows an image, null for none.
  TCustomImageList* ActionImages() const;
  // Whether Down follows the linked action's Checked.
  bool DownFollowsAction() const;
  // Fades.
  void StartFade(int kind, int step);
  void FadeTick();
  // Size recalculation: with AutoSize measured and repainted at once, otherwise repainted later.
  void SizeChanged();
  void ChangeSizeState(TButtonSizeState state);
  void Measure();
  // Message handlers.
  void WMLButtonUp(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMFocusChanged(TMessage& m);
  void CMButtonPressed(TMessage& m);
  // Down as the group and the style allow; `broadcast` tells the group.
  void ApplyDown(bool value);
  void BroadcastGroup();
  void DropDown(bool fromKeyboard);
  // Pops the drop-down menu up at the corner DropDownDirection names.
  void ShowMenu();
  bool InDropDownZone(int x, int y, int zone) const;
  // Re-checks whether the pointer is over the button after a release and sends enter or leave.
  void CheckHover();
  void PaintParentBackground(TCanvas& canvas, const std::vector<TRect>& rects);

  std::unique_ptr<TGlowButtonAppearance> appearance_;
  std::unique_ptr<TGDIPPicture> picture_, hotPicture_, disabledPicture_;
  std::unique_ptr<TStringList> notes_;
  std::unique_ptr<TFont> notesFont_;
  std::unique_ptr<TGlowHintInfo> officeHint_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  TCustomImageList* disabledImages_ = nullptr;
  TChangeLink imagesLink_, hotImagesLink_, disabledImagesLink_;
  TPopupMenu* dropDownMenu_ = nullptr;
  int imageIndex_ = -1;

  TAntiAlias antiAlias_ = aaClearType;
  TBorderStyle borderStyle_ = bsSingle;
  TButtonPosition position_ = bpStandalone;
  bool rounded_ = true;
  bool showCaption_ = true;
  bool showDisabled_ = true;
  int spacing_ = 2;
  bool transparent_ = false;
  StringTrimming trimming_ = Gdiplus::StringTrimmingNone;
  bool wordWrap_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  TFocusType focusType_ = ftBorder;
  int marginHorz_ = 2;
  int marginVert_ = 2;
  bool autoSize_ = false;
  TButtonSizeState maxSizeState_ = bsLarge;
  TButtonSizeState minSizeState_ = bsGlyph;
  TButtonSizeState sizeState_ = bsLarge;
  TButtonLayout largeLayout_ = blGlyphLeft;
  TDropDownPosition largeDropDownPosition_ = dpRight;
  std::string shortCutHint_;
  TShortCutHintPos shortCutHintPos_ = shpTop;
  bool cancel_ = false;
  bool default_ = false;
  bool activeDefault_ = false;
  TModalResult modalResult_ = mrNone;
  bool repeatClick_ = false;
  int initRepeatPause_ = 400;
  int repeatPause_ = 100;
  TGlowButtonStyle style_ = bsButton;
  bool down_ = false;
  bool loadingDown_ = false;
  bool hasLoadingDown_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool dropDownButton_ = false;
  TDropDownPosition dropDownPosition_ = dpRight;
  TDropDownDirection dropDownDirection_ = ddDown;
  bool dropDownSplit_ = true;

  TGdiplusSession gdiplus_;
  std::unique_ptr<TTimer> fadeTimer_;
  std::unique_ptr<TTimer> repeatTimer_;
  int hotPercent_ = 0;
  int downPercent_ = 0;
  int fadeStep_ = 20;
  int fadeKind_ = 2;  // 0 hot, 1 down, 2 idle
  int state_ = 0;
  bool hot_ = false;
  bool mouseInside_ = false;
  bool pressed_ = false;
  bool held_ = false;
  bool pressedOnFace_ = false;
  bool fadeDownOnReenter_ = false;
  bool dropDownHot_ = false;
  bool menuShowing_ = false;
  bool measure_ = false;
  bool sizeStateChanged_ = false;
  bool isVista_ = false;
  TFont drawFont_;  // the font a paint uses: the button's, with the system font's name when asked for
};

class TGlowButton : public TCustomGlowButton {
public:
  using TCustomGlowButton::TCustomGlowButton;
};

// The button follows its action's Checked (as Down), GroupIndex and ImageIndex while it still shows the action's
// value.
class TGlowButtonActionLink : public TControlActionLink {
public:
  explicit TGlowButtonActionLink(TCustomGlowButton* client) : TControlActionLink(client), button_(client) {}

  bool IsCheckedLinked() const override;
  bool IsGroupIndexLinked() const override;
  bool IsImageIndexLinked() const override;
  void SetChecked(bool value) override;
  void SetGroupIndex(int value) override;
  void SetImageIndex(int value) override;

private:
  TCustomGlowButton* button_;
};
