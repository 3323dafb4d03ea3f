// Sections: enumerations; components; separator; panels; status panes; buttons, check box and spin buttons;
// splitters and size panels; edits, combo boxes and grids; entry point.
#include "sddcontrols/unSDDLayoutClasses.h"

#include <iterator>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/LayoutClasses.h"
#include "classlib/core/LayoutReader.h"
#include "sddcontrols/unSDDBckgnd.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDCommonComponents.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDGrids.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSizePanel.h"
#include "sddcontrols/unSDDSplit.h"
#include "sddcontrols/unSDDStatus.h"
#include "sddcontrols/unSDDTabLayoutClasses.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDRadChk.h"
#include "sddcontrols/unSDDSpnEdt.h"

namespace {

// ---- enumerations ---------------------------------------------------------------------------------------------

template <class E, size_t N>
void RegisterNames(const char* const (&names)[N]) {
  RegisterLayoutEnum<E>(std::vector<std::string>(std::begin(names), std::end(names)));
}

void RegisterEnumerations() {
  RegisterNames<TGradientDirection>(kGradientDirectionNames);
  RegisterNames<TFrameStyleEx>(kFrameStyleNames);
  RegisterNames<TSide>(kSideNames);
  RegisterNames<TFramingPreference>(kFramingPreferenceNames);
  RegisterLayoutEnum<TAlignmentVertical>({"avTop", "avCenter", "avBottom"});
  RegisterLayoutEnum<TTextStyle>({"tsNormal", "tsRaised", "tsRecessed", "tsShadow"});
  RegisterLayoutEnum<TOrientation>({"orHorizontal", "orVertical"});
  RegisterLayoutEnum<TSDDGroupBarGradientPath>({"gpTopToBottom", "gpBottomToTop"});
  RegisterLayoutEnum<TSDDHotTrackColorType>({"htctComplement", "htctActual"});
  RegisterLayoutEnum<TSDDHighlightLocation>({"hlCenter", "hlUpperLeft", "hlLowerRight"});
  RegisterLayoutEnum<TSDDGridStyle>({"gsDots", "gsDottedLines", "gsSolidLines", "gsVS2K10Dots"});
  RegisterLayoutEnum<TSDDPathType>({"ptIniFile", "ptRegistry"});
  RegisterLayoutEnum<TSDDRegKey>({"hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers",
                                  "hkeyPerformanceData", "hkeyCurrentConfig", "hkeyDynData"});
  RegisterLayoutEnum<TSDDRegAccessItem>({"keyQueryValue", "keySetValue", "keyCreateSubKey", "keyEnumerateSubKeys",
                                         "keyNotify", "keyCreateLink", "keyRead", "keyWrite", "keyExecute",
                                         "keyAllAccess"});
}

// ---- components -----------------------------------------------------------------------------------------------

void RegisterComponents() {
  auto controller = TLayoutRegistration<TSDDFrameController>("TSDDFrameController");
  controller.Property("Color", &TSDDFrameController::SetColor)
      .Property("ParentColor", &TSDDFrameController::SetParentColor)
      .Property("FlatButtonColor", &TSDDFrameController::SetFlatButtonColor)
      .Property("FlatButtons", &TSDDFrameController::SetFlatButtons)
      .Property("DisabledColor", &TSDDFrameController::SetDisabledColor)
      .Property("FocusColor", &TSDDFrameController::SetFocusColor)
      .Property("FrameColor", &TSDDFrameController::SetFrameColor)
      .Property("FrameHotColor", &TSDDFrameController::SetFrameHotColor)
      .Property("FrameHotTrack", &TSDDFrameController::SetFrameHotTrack)
      .Property("FrameHotStyle", &TSDDFrameController::SetFrameHotStyle)
      .Property("FrameSides", &TSDDFrameController::SetFrameSides)
      .Property("FrameStyle", &TSDDFrameController::SetFrameStyle)
      .Property("FrameVisible", &TSDDFrameController::SetFrameVisible)
      .Property("FramingPreference", &TSDDFrameController::SetFramingPreference)
      .Property("RegIniFile", &TSDDFrameController::SetRegIniFile);
  DefineOldFrameProperties(controller);

  TLayoutRegistration<TSDDRegIniFile>("TSDDRegIniFile")
      .Property("Path", &TSDDRegIniFile::SetPath)
      .Property("PathType", &TSDDRegIniFile::SetPathType)
      .Property("RegKey", &TSDDRegIniFile::SetRegKey)
      .Property("RegAccess", &TSDDRegIniFile::SetRegAccess);
}

// ---- separator ------------------------------------------------------------------------------------------------

void RegisterSeparator() {
  TLayoutRegistration<TSDDSeparator, TGraphicControl>("TSDDSeparator")
      .Property("HighlightColor", &TSDDSeparator::SetHighlightColor)
      .Property("HighlightLocation", &TSDDSeparator::SetHighlightLocation)
      .Property("Orientation", &TSDDSeparator::SetOrientation)
      .Property("ShowGradient", &TSDDSeparator::SetShowGradient);
}

// ---- panels ---------------------------------------------------------------------------------------------------

// What the panel and the status bar both publish.
template <class T>
void RegisterPanelBorders(TLayoutRegistration<T, TCustomControl>& r) {
  r.Property("BorderColor", &T::SetBorderColor)
      .Property("BorderInner", &T::SetBorderInner)
      .Property("BorderOuter", &T::SetBorderOuter)
      .Property("BorderSides", &T::SetBorderSides)
      .Property("BorderWidth", &T::SetBorderWidth)
      .Property("BevelWidth", &T::SetBevelWidth)
      .Property("FlatColor", &T::SetFlatColor)
      .Property("FlatColorAdjustment", &T::SetFlatColorAdjustment)
      .Property("FullRepaint", &T::SetFullRepaint)
      .Property("ThemeAware", &T::SetThemeAware)
      .Event("OnMouseEnter", static_cast<TNotifyEvent T::*>(&T::OnMouseEnter))
      .Event("OnMouseLeave", static_cast<TNotifyEvent T::*>(&T::OnMouseLeave))
      .Ignore("ParentBackground");
}

void RegisterPanels() {
  auto panel = TLayoutRegistration<TSDDCustomPanel, TCustomControl>("TSDDCustomPanel");
  RegisterPanelBorders(panel);
  panel.Property("AlignmentVertical", &TSDDCustomPanel::SetAlignmentVertical)
      .Property("Alignment", &TSDDCustomPanel::SetAlignment)
      .Property("BorderHighlight", &TSDDCustomPanel::SetBorderHighlight)
      .Property("BorderShadow", &TSDDCustomPanel::SetBorderShadow)
      .Property("FrameController", &TSDDCustomPanel::SetFrameController)
      .Property("GradientColorStart", &TSDDCustomPanel::SetGradientColorStart)
      .Property("GradientColorStop", &TSDDCustomPanel::SetGradientColorStop)
      .Property("GradientDirection", &TSDDCustomPanel::SetGradientDirection)
      .Property("GridColor", &TSDDCustomPanel::SetGridColor)
      .Property("VS2K10GridColor", &TSDDCustomPanel::SetVS2K10GridColor)
      .Property("GridStyle", &TSDDCustomPanel::SetGridStyle)
      .Property("GridXSize", &TSDDCustomPanel::SetGridXSize)
      .Property("GridYSize", &TSDDCustomPanel::SetGridYSize)
      .Property("ShowDockClientCaptions", &TSDDCustomPanel::SetShowDockClientCaptions)
      .Property("ShowGrid", &TSDDCustomPanel::SetShowGrid)
      .Property("Transparent", &TSDDCustomPanel::SetTransparent)
      .Property("UseGradients", &TSDDCustomPanel::SetUseGradients)
      .Event("OnPaint", &TSDDCustomPanel::OnPaint)
      .Define("FrameSides", [](TSDDCustomPanel&, const TLayoutValue& v, std::string& e) {
        return TSDDOldPropReader::SkipSet(v, e);
      });
  TLayoutRegistration<TSDDPanel, TSDDCustomPanel>("TSDDPanel");

  auto bar = TLayoutRegistration<TSDDStatusBar, TCustomControl>("TSDDStatusBar");
  RegisterPanelBorders(bar);
  bar.Property("AutoScalePanes", &TSDDStatusBar::SetAutoScalePanes)
      .Property("AutoStyle", &TSDDStatusBar::SetAutoStyle)
      .Property("ShowSizeGrip", &TSDDStatusBar::SetShowSizeGrip)
      .Property("SimpleCaption", &TSDDStatusBar::SetSimpleCaption)
      .Property("SimpleFrameStyle", &TSDDStatusBar::SetSimpleFrameStyle)
      .Property("SimpleStatus", &TSDDStatusBar::SetSimpleStatus);
}

// ---- status panes ---------------------------------------------------------------------------------------------

void RegisterStatusPanes() {
  TLayoutRegistration<TSDDCustomStatusPane, TGraphicControl>("TSDDCustomStatusPane")
      .Property("Alignment", &TSDDCustomStatusPane::SetAlignment)
      .Property("AutoSize", &TSDDCustomStatusPane::SetAutoSize)
      .Property("AutoHint", &TSDDCustomStatusPane::SetAutoHint)
      .Property("DefaultWidth", &TSDDCustomStatusPane::SetDefaultWidth)
      .Property("BlinkColor", &TSDDCustomStatusPane::SetBlinkColor)
      .Property("Blinking", &TSDDCustomStatusPane::SetBlinking)
      .Property("BlinkIntervalOff", &TSDDCustomStatusPane::SetBlinkIntervalOff)
      .Property("BlinkIntervalOn", &TSDDCustomStatusPane::SetBlinkIntervalOn)
      .Property("BorderWidth", &TSDDCustomStatusPane::SetBorderWidth)
      .Property("Caption", &TSDDCustomStatusPane::SetCaption)
      .Property("CaptionOffset", &TSDDCustomStatusPane::SetCaptionOffset)
      .Property("ParentFillColor", &TSDDCustomStatusPane::SetParentFillColor)
      .Property("FillColor", &TSDDCustomStatusPane::SetFillColor)
      .Property("FlatColor", &TSDDCustomStatusPane::SetFlatColor)
      .Property("FlatColorAdjustment", &TSDDCustomStatusPane::SetFlatColorAdjustment)
      .Property("FrameStyle", &TSDDCustomStatusPane::SetFrameStyle)
      .Property("FrameController", &TSDDCustomStatusPane::SetFrameController)
      .Event("OnMouseEnter", &TSDDCustomStatusPane::OnMouseEnter)
      .Event("OnMouseLeave", &TSDDCustomStatusPane::OnMouseLeave);
  TLayoutRegistration<TSDDStatusPane, TSDDCustomStatusPane>("TSDDStatusPane");
}

// ---- buttons, check box and spin buttons ----------------------------------------------------------------------

// What the push button and the check box both publish; the old "Flat" or "FrameFlat" reads into HotTrack.
template <class T>
void RegisterButtonLooks(TLayoutRegistration<T, TCustomControl>& r, const char* oldHotTrack) {
  r.Property("AlignmentVertical", &T::SetAlignmentVertical)
      .Property("HotTrack", &T::SetHotTrack)
      .Property("HotTrackColor", &T::SetHotTrackColor)
      .Property("HotTrackColorType", &T::SetHotTrackColorType)
      .Property("HighlightColor", &T::SetHighlightColor)
      .Property("LightTextStyle", &T::SetLightTextStyle)
      .Property("TextStyle", &T::SetTextStyle)
      .Property("TextHighlightColor", &T::SetTextHighlightColor)
      .Property("TextShadowColor", &T::SetTextShadowColor)
      .Property("TextShadowDepth", &T::SetTextShadowDepth)
      .Property("ThemeAware", &T::SetThemeAware)
      .Event("OnMouseEnter", static_cast<TNotifyEvent T::*>(&T::OnMouseEnter))
      .Event("OnMouseLeave", static_cast<TNotifyEvent T::*>(&T::OnMouseLeave))
      .Define(oldHotTrack, [](T& button, const TLayoutValue& v, std::string& e) {
        bool flat = false;
        if (!LayoutConvert(v, flat, e)) return false;
        button.SetHotTrack(flat);
        return true;
      });
}

void RegisterButtons() {
  RegisterLayoutEnum<TSDDControlButtonStyle>({"cbsNone", "cbsLeft", "cbsUp", "cbsRight", "cbsDown", "cbsDropDown"});
  RegisterLayoutEnum<TCheckBoxState>({"cbUnchecked", "cbChecked", "cbGrayed"});
  RegisterLayoutEnum<TSpinDirection>({"sdUpDown", "sdLeftRight"});

  auto button = TLayoutRegistration<TSDDButton, TCustomControl>("TSDDButton");
  RegisterButtonLooks(button, "FrameFlat");
  button.Property("Alignment", &TSDDButton::SetAlignment)
      .Property("AllowAllUp", &TSDDButton::SetAllowAllUp)
      .Property("Cancel", &TSDDButton::SetCancel)
      .Property("Default", &TSDDButton::SetDefault)
      .Property("Down", &TSDDButton::SetDown)
      .Property("DropDownOnEnter", &TSDDButton::SetDropDownOnEnter)
      .Property("GroupIndex", &TSDDButton::SetGroupIndex)
      .Property("ModalResult", &TSDDButton::SetModalResult)
      .Property("ShowDownPattern", &TSDDButton::SetShowDownPattern)
      .Property("ShowFocusRect", &TSDDButton::SetShowFocusRect);

  TLayoutRegistration<TSDDControlButton, TGraphicControl>("TSDDControlButton")
      .Property("Flat", &TSDDControlButton::SetFlat)
      .SubObject("Glyph", &TSDDControlButton::Glyph)
      .Property("NumGlyphs", &TSDDControlButton::SetNumGlyphs)
      .Property("RepeatClicks", &TSDDControlButton::SetRepeatClicks)
      .Property("InitialDelay", &TSDDControlButton::SetInitialDelay)
      .Property("Delay", &TSDDControlButton::SetDelay)
      .Property("Style", &TSDDControlButton::SetStyle)
      .Event("OnMouseEnter", &TSDDControlButton::OnMouseEnter)
      .Event("OnMouseLeave", &TSDDControlButton::OnMouseLeave);

  auto box = TLayoutRegistration<TSDDCheckBox, TCustomControl>("TSDDCheckBox");
  RegisterButtonLooks(box, "Flat");
  box.Property("Alignment", &TSDDCheckBox::SetAlignment)
      .Property("AllowGrayed", &TSDDCheckBox::SetAllowGrayed)
      .Property("Checked", &TSDDCheckBox::SetChecked)
      .Property("State", &TSDDCheckBox::SetState)
      .Property("FrameColor", &TSDDCheckBox::SetFrameColor)
      .SubObject("CustomGlyphs", static_cast<TBitmap& (TSDDCheckBox::*)()>(&TSDDCheckBox::CustomGlyphs))
      .Property("UseCustomGlyphs", &TSDDCheckBox::SetUseCustomGlyphs)
      .Property("TransparentColor", &TSDDCheckBox::SetTransparentColor)
      .Property("WinMaskColor", &TSDDCheckBox::SetWinMaskColor)
      .Property("DisabledColor", &TSDDCheckBox::SetDisabledColor)
      .Property("TabOnEnter", &TSDDCheckBox::SetTabOnEnter)
      .Property("Transparent", &TSDDCheckBox::SetTransparent)
      .Property("FrameController", &TSDDCheckBox::SetFrameController);

  TLayoutRegistration<TSDDSpinButtons, TWinControl>("TSDDSpinButtons")
      .Property("Direction", &TSDDSpinButtons::SetDirection)
      .Property("Flat", &TSDDSpinButtons::SetFlat)
      .Property("FocusControl", &TSDDSpinButtons::SetFocusControl)
      .SubObject("GlyphUpRight", &TSDDSpinButtons::GlyphUpRight)
      .SubObject("GlyphDownLeft", &TSDDSpinButtons::GlyphDownLeft)
      .Property("NumGlyphsUpRight", &TSDDSpinButtons::SetNumGlyphsUpRight)
      .Property("NumGlyphsDownLeft", &TSDDSpinButtons::SetNumGlyphsDownLeft)
      .Property("Orientation", &TSDDSpinButtons::SetOrientation)
      .Event("OnUpRightClick", &TSDDSpinButtons::OnUpRightClick)
      .Event("OnDownLeftClick", &TSDDSpinButtons::OnDownLeftClick);
}

// ---- splitters and size panels --------------------------------------------------------------------------------

// "(708 0 716 500)": a list of integers.
bool ReadIntegers(const TLayoutValue& v, std::vector<int>& out, std::string& e) {
  if (v.Kind != TLayoutValueKind::List) {
    e = "expected a list of integers";
    return false;
  }
  std::vector<int> values;
  for (const TLayoutValue& item : v.Items) {
    int value = 0;
    if (!LayoutConvert(item, value, e)) return false;
    values.push_back(value);
  }
  out = std::move(values);
  return true;
}

// "(Panel1 Panel2)": a list of component names.
bool ReadNames(const TLayoutValue& v, std::vector<std::string>& out, std::string& e) {
  if (v.Kind != TLayoutValueKind::List) {
    e = "expected a list of names";
    return false;
  }
  std::vector<std::string> names;
  for (const TLayoutValue& item : v.Items) {
    if (item.Kind != TLayoutValueKind::Ident) {
      e = "expected a name in the list";
      return false;
    }
    names.push_back(item.Text);
  }
  out = std::move(names);
  return true;
}

// A Boolean or integer the class reads into a field of its own.
template <class T, class V>
auto ReadInto(void (T::*read)(V)) {
  return [read](T& object, const TLayoutValue& v, std::string& e) {
    std::remove_cvref_t<V> value{};
    if (!LayoutConvert(v, value, e)) return false;
    (object.*read)(value);
    return true;
  };
}

void RegisterSplitters() {
  RegisterLayoutEnum<TFixedPane>({"fpUpperLeft", "fpLowerRight"});
  RegisterLayoutEnum<TSelectedPane>({"spUpperLeft", "spLowerRight"});
  RegisterLayoutEnum<TSplitterStyle>({"ssStandard", "ssGroove", "ssBump", "ssGroupBar"});
  RegisterLayoutEnum<THotSpotDirection>({"hsdMin", "hsdMax", "hsdBoth"});
  RegisterLayoutEnum<THotSpotStyle>({"hssX1", "hssX2", "hssX3", "hssX4", "hssX5", "hssX6"});

  TLayoutRegistration<TSDDPaneData>("TSDDPaneData")
      .Property("BorderColor", &TSDDPaneData::SetBorderColor)
      .Property("BorderInner", &TSDDPaneData::SetBorderInner)
      .Property("BorderOuter", &TSDDPaneData::SetBorderOuter)
      .Property("BorderWidth", &TSDDPaneData::SetBorderWidth)
      .Property("Color", &TSDDPaneData::SetColor)
      .Property("FlatColor", &TSDDPaneData::SetFlatColor)
      .Property("FlatColorAdjustment", &TSDDPaneData::SetFlatColorAdjustment)
      .Property("DockSite", &TSDDPaneData::SetDockSite)
      .Property("ShowDockClientCaptions", &TSDDPaneData::SetShowDockClientCaptions)
      .Property("Visible", &TSDDPaneData::SetVisible);
  TLayoutRegistration<TSDDSplitterPane, TSDDCustomPanel>("TSDDSplitterPane");

  using B = TSDDSplitBarPanel;
  TLayoutRegistration<B, TSDDCustomPanel>("TSDDSplitBarPanel")
      .Property("LockBar", &B::SetLockBar)
      .Property("RealTimeDrag", &B::SetRealTimeDrag)
      .Property("HotSpotVisible", &B::SetHotSpotVisible)
      .Property("HotSpotHighlight", &B::SetHotSpotHighlight)
      .Property("HotSpotArrowColorPen", &B::SetHotSpotArrowColorPen)
      .Property("HotSpotArrowColorBrush", &B::SetHotSpotArrowColorBrush)
      .Property("HotSpotIgnoreMargins", &B::SetHotSpotIgnoreMargins)
      .Property("HotSpotStyle", &B::SetHotSpotStyle)
      .Property("HotSpotSizePercent", &B::SetHotSpotSizePercent)
      .Property("GradientColorBegin", &B::SetGradientColorBegin)
      .Property("GradientColorEnd", &B::SetGradientColorEnd)
      .Property("GradientDir", &B::SetGradientDir)
      .Property("GradientPath", &B::SetGradientPath)
      .Property("GradientColorAdjustment", &B::SetGradientColorAdjustment)
      .Event("OnHotSpotClick", &B::OnHotSpotClick);

  using S = TSDDSplitter;
  TLayoutRegistration<S, B>("TSDDSplitter")
      .Property("Orientation", &S::SetOrientation)
      .Property("Position", &S::SetPosition)
      .Property("MarginMin", &S::SetMarginMin)
      .Property("MarginMax", &S::SetMarginMax)
      .Property("UsePercent", &S::SetUsePercent)
      .Property("Percent", &S::SetPercent)
      .Property("PercentMin", &S::SetPercentMin)
      .Property("PercentMax", &S::SetPercentMax)
      .Property("FixedPane", &S::SetFixedPane)
      .Property("SelectedPane", &S::SetSelectedPane)
      .Property("SplitterStyle", &S::SetSplitterStyle)
      .Property("SplitterWidth", &S::SetSplitterWidth)
      .Property("HotSpotDirection", &S::SetHotSpotDirection)
      .Property("BorderWidth", &S::SetBorderWidth)
      .Property("ParentColor", &S::SetParentColor)
      .SubObject("UpperLeft", &S::UpperLeft)
      .SubObject("LowerRight", &S::LowerRight)
      .Event("OnChange", &S::OnChange)
      .Event("OnChanging", &S::OnChanging)
      .Event("OnULGetSiteInfo", &S::OnULGetSiteInfo)
      .Event("OnULDockOver", &S::OnULDockOver)
      .Event("OnULDockDrop", &S::OnULDockDrop)
      .Event("OnULUnDock", &S::OnULUnDock)
      .Event("OnLRGetSiteInfo", &S::OnLRGetSiteInfo)
      .Event("OnLRDockOver", &S::OnLRDockOver)
      .Event("OnLRDockDrop", &S::OnLRDockDrop)
      .Event("OnLRUnDock", &S::OnLRUnDock)
      .Define("BarSize", [](S& s, const TLayoutValue& v, std::string& e) {
        std::vector<int> bar;
        if (!ReadIntegers(v, bar, e)) return false;
        if (bar.size() != 4) {
          e = "expected four integers: left, top, right, bottom";
          return false;
        }
        s.ReadBarSize({bar[0], bar[1], bar[2], bar[3]});
        return true;
      })
      .Define("HotSpotClosed", ReadInto(&S::ReadHotSpotClosed))
      .Define("HotSpotClosedToMin", ReadInto(&S::ReadHotSpotClosedToMin))
      .Define("HotSpotClosedToMax", ReadInto(&S::ReadHotSpotClosedToMax))
      .Define("HotSpotPosition", ReadInto(&S::ReadHotSpotPosition))
      .Define("UpperLeftControls", [](S& s, const TLayoutValue& v, std::string& e) {
        std::vector<std::string> names;
        if (!ReadNames(v, names, e)) return false;
        s.ReadPaneControls(0, std::move(names));
        return true;
      })
      .Define("LowerRightControls", [](S& s, const TLayoutValue& v, std::string& e) {
        std::vector<std::string> names;
        if (!ReadNames(v, names, e)) return false;
        s.ReadPaneControls(1, std::move(names));
        return true;
      })
      .Define("PositionMin", [](S&, const TLayoutValue& v, std::string& e) {
        return TSDDOldPropReader::SkipInteger(v, e);
      })
      .Define("PositionMax", [](S&, const TLayoutValue& v, std::string& e) {
        return TSDDOldPropReader::SkipInteger(v, e);
      });

  using P = TSDDCustomSizePanel;
  TLayoutRegistration<P, B>("TSDDCustomSizePanel")
      .Property("Align", &P::SetAlign)
      .Property("Side", &P::SetSide)
      .Property("SizeBarWidth", &P::SetSizeBarWidth)
      .Property("SizeBarStyle", &P::SetSizeBarStyle)
      .Property("MarginMin", &P::SetMarginMin)
      .Property("MarginMax", &P::SetMarginMax)
      .Property("UseLockedHeight", &P::SetUseLockedHeight)
      .Property("LockedHeight", &P::SetLockedHeight)
      .Property("BarCaption", &P::SetBarCaption)
      .Property("BarCaptionColor", &P::SetBarCaptionColor)
      .Define("HotSpotClosed", ReadInto(&P::ReadHotSpotClosed))
      .Define("HotSpotPosition", ReadInto(&P::ReadHotSpotPosition));
  TLayoutRegistration<TSDDSizePanel, TSDDCustomSizePanel>("TSDDSizePanel");
}

// ---- edits, combo boxes and grids -----------------------------------------------------------------------------

// The frame and colour properties the edit, the combo box and the grid share (a frame controller pushes them by
// these names).
template <class T, class Base>
void RegisterFrameProperties(TLayoutRegistration<T, Base>& r) {
  r.Property("DisabledColor", &T::SetDisabledColor)
      .Property("FocusColor", &T::SetFocusColor)
      .Property("FrameColor", &T::SetFrameColor)
      .Property("FrameController", &T::SetFrameController)
      .Property("FrameHotColor", &T::SetFrameHotColor)
      .Property("FrameHotTrack", &T::SetFrameHotTrack)
      .Property("FrameHotStyle", &T::SetFrameHotStyle)
      .Property("FrameSides", &T::SetFrameSides)
      .Property("FrameStyle", &T::SetFrameStyle)
      .Property("FrameVisible", &T::SetFrameVisible)
      .Property("FramingPreference", &T::SetFramingPreference)
      .Event("OnMouseEnter", static_cast<TNotifyEvent T::*>(&T::OnMouseEnter))
      .Event("OnMouseLeave", static_cast<TNotifyEvent T::*>(&T::OnMouseLeave));
}

void RegisterEditsCombosGrids() {
  auto edit = TLayoutRegistration<TSDDCustomEdit, TCustomMaskEdit>("TSDDCustomEdit");
  RegisterFrameProperties(edit);
  DefineOldFrameProperties(edit);
  edit.Property("TabOnEnter", &TSDDCustomEdit::SetTabOnEnter)
      .Event("OnValidateError", &TSDDCustomEdit::OnValidateError);
  TLayoutRegistration<TSDDEdit, TSDDCustomEdit>("TSDDEdit");
  TLayoutRegistration<TSDDMaskEdit, TSDDCustomEdit>("TSDDMaskEdit");

  auto combo = TLayoutRegistration<TSDDCustomComboBox, TCustomComboBox>("TSDDCustomComboBox");
  RegisterFrameProperties(combo);
  DefineOldFrameProperties(combo);
  combo.Property("AutoComplete", &TSDDCustomComboBox::SetAutoComplete)
      .Property("AllowEdit", &TSDDCustomComboBox::SetAllowEdit)
      .Property("BeepOnInvalidKey", &TSDDCustomComboBox::SetBeepOnInvalidKey)
      .Property("FlatButtons", &TSDDCustomComboBox::SetFlatButtons)
      .Property("FlatButtonColor", &TSDDCustomComboBox::SetFlatButtonColor)
      .Property("KeepSearchCase", &TSDDCustomComboBox::SetKeepSearchCase)
      .Property("DropDownWidth", &TSDDCustomComboBox::SetDropDownWidth)
      .Property("TabOnEnter", &TSDDCustomComboBox::SetTabOnEnter)
      .Property("ReadOnly", &TSDDCustomComboBox::SetReadOnly)
      .Event("OnDeleteItem", &TSDDCustomComboBox::OnDeleteItem)
      .Event("OnMatch", &TSDDCustomComboBox::OnMatch)
      .Event("OnNotInList", &TSDDCustomComboBox::OnNotInList)
      .Event("OnSelEndCancel", &TSDDCustomComboBox::OnSelEndCancel)
      .Event("OnSelEndOk", &TSDDCustomComboBox::OnSelEndOk);
  TLayoutRegistration<TSDDComboBox, TSDDCustomComboBox>("TSDDComboBox");

  auto grid = TLayoutRegistration<TSDDStringGrid, TStringGrid>("TSDDStringGrid");
  RegisterFrameProperties(grid);
  grid.Property("LineColor", &TSDDStringGrid::SetLineColor)
      .Property("FixedLineColor", &TSDDStringGrid::SetFixedLineColor);
}

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

void RegisterSDDLayoutClasses() {
  static const bool registered = [] {
    RegisterClasslibLayoutClasses();
    RegisterEnumerations();
    RegisterComponents();
    RegisterSeparator();
    RegisterPanels();
    RegisterStatusPanes();
    RegisterButtons();
    RegisterSplitters();
    RegisterEditsCombosGrids();
    RegisterSDDTabLayoutClasses();
    return true;
  }();
  (void)registered;
}
