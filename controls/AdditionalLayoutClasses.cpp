#include "controls/AdditionalLayoutClasses.h"

#include "classlib/LayoutClasses.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/StringList.h"
#include "controls/GlowButton.h"
#include "controls/ReflectionLabel.h"
#include "controls/SDXProgress.h"
#include "controls/pngextra.h"

namespace {

void RegisterPNGButton() {
  RegisterLayoutEnum<TPNGButtonStyle>({"pbsDefault", "pbsFlat", "pbsNoFrame"});
  RegisterLayoutEnum<TPNGButtonLayout>({"pbsImageAbove", "pbsImageBellow", "pbsImageLeft", "pbsImageRight"});
  // `ImageNormal.Data = {89504E47...}`: the PNG file's bytes, read through TPngGraphic's "Data".
  TLayoutRegistration<TPngImageObject, TPngGraphic>("TPngImageObject");
  TLayoutRegistration<TPNGButton, TGraphicControl>("TPNGButton")
      .Property("TextMargin", &TPNGButton::SetTextMargin)
      .Property("ButtonLayout", &TPNGButton::SetButtonLayout)
      .SubObject("ImageNormal", &TPNGButton::ImageNormal)
      .SubObject("ImageDown", &TPNGButton::ImageDown)
      .SubObject("ImageOver", &TPNGButton::ImageOver)
      .SubObject("ImageGroupMode", &TPNGButton::ImageGroupMode)
      .Property("Checked", &TPNGButton::SetChecked)
      .Property("ButtonGroupMode", &TPNGButton::SetButtonGroupMode)
      .Property("ButtonStyle", &TPNGButton::SetButtonStyle)
      .Event("OnMouseEnter", &TPNGButton::OnMouseEnter)
      .Event("OnMouseExit", &TPNGButton::OnMouseExit);
}

void RegisterSDXProgress() {
  RegisterLayoutEnum<TTextOption>({"toCaption", "toFormat", "toNoText", "toPercent"});
  TLayoutRegistration<TSDXProgress, TGraphicControl>("TSDXProgress")
      .Property("BorderStyle", &TSDXProgress::SetBorderStyle)
      .Property("StartColor", &TSDXProgress::SetStartColor)
      .Property("EndColor", &TSDXProgress::SetEndColor)
      .Property("GradientBlocks", &TSDXProgress::SetGradientBlocks)
      .Property("Solid", &TSDXProgress::SetSolid)
      .Property("Maximum", &TSDXProgress::SetMaximum)
      .Property("Minimum", &TSDXProgress::SetMinimum)
      .Property("Position", &TSDXProgress::SetPosition)
      .Property("Step", &TSDXProgress::SetStep)
      .Property("TextOption", &TSDXProgress::SetTextOption)
      .Property("TextCentered", &TSDXProgress::SetTextCentered)
      .Property("HintColor", &TSDXProgress::SetHintColor)
      .Event("OnMouseEnter", &TSDXProgress::OnMouseEnter)
      .Event("OnMouseLeave", &TSDXProgress::OnMouseLeave)
      .Event("OnParentColorChange", &TSDXProgress::OnParentColorChange);
}

void RegisterReflectionLabel() {
  // `HTMLText.Strings = ('...')`: the lines of the label's owned list.
  if (!FindLayoutClass(std::type_index(typeid(TStringList))))
    TLayoutRegistration<TStringList>("TStringList")
        .Define("Strings", [](TStringList& list, const TLayoutValue& v, std::string& e) {
          std::vector<std::string> lines;
          if (!LayoutConvert(v, lines, e)) return false;
          list.Clear();
          for (const std::string& line : lines) list.Add(line);
          return true;
        });
  TLayoutRegistration<TReflectionLabel, TCustomLabel>("TReflectionLabel")
      .SubObject("HTMLText", &TReflectionLabel::HTMLText)
      .Property("Images", &TReflectionLabel::SetImages)
      .Property("PictureContainer", &TReflectionLabel::SetPictureContainer)
      .Property("URLColor", &TReflectionLabel::SetURLColor)
      .Property("Reflection", &TReflectionLabel::SetReflection)
      .Property("ReflectionAxis", &TReflectionLabel::SetReflectionAxis)
      .Ignore("Version")
      .Event("OnMouseEnter", &TReflectionLabel::OnMouseEnter)
      .Event("OnMouseLeave", &TReflectionLabel::OnMouseLeave);
  TLayoutRegistration<TPictureContainer>("TPictureContainer");
}

// A colour or gradient of the appearance, read straight into its field.
template <class F>
auto AppearanceField(F TGlowButtonAppearance::*field) {
  return [field](TGlowButtonAppearance& a, const TLayoutValue& v, std::string& e) {
    return LayoutConvert(v, a.*field, e);
  };
}

void RegisterGlowButton() {
  RegisterLayoutEnum<TGDIPGradient>({"ggRadial", "ggVertical", "ggDiagonalForward", "ggDiagonalBackward"});
  RegisterLayoutEnum<TAntiAlias>({"aaNone", "aaClearType", "aaAntiAlias"});
  RegisterLayoutEnum<TFocusType>({"ftBorder", "ftHot", "ftHotBorder", "ftNone"});
  RegisterLayoutEnum<TButtonPosition>({"bpStandalone", "bpLeft", "bpMiddle", "bpRight"});
  RegisterLayoutEnum<TShortCutHintPos>({"shpLeft", "shpTop", "shpRight", "shpBottom"});
  RegisterLayoutEnum<StringTrimming>({"StringTrimmingNone", "StringTrimmingCharacter", "StringTrimmingWord",
                                      "StringTrimmingEllipsisCharacter", "StringTrimmingEllipsisWord",
                                      "StringTrimmingEllipsisPath"});
  RegisterLayoutEnum<TButtonLayout>({"blGlyphLeft", "blGlyphTop", "blGlyphRight", "blGlyphBottom",
                                     "blGlyphLeftAdjusted", "blGlyphRightAdjusted", "blGlyphTopAdjusted",
                                     "blGlyphBottomAdjusted"});
  RegisterLayoutEnum<TGlowButtonStyle>({"bsButton", "bsCheck"});
  RegisterLayoutEnum<TButtonSizeState>({"bsGlyph", "bsLabel", "bsLarge"});
  RegisterLayoutEnum<TDropDownPosition>({"dpRight", "dpBottom"});
  RegisterLayoutEnum<TDropDownDirection>({"ddDown", "ddRight"});
  // `Picture.Data = {89504E47...}`: the image file's bytes, PNG as the program's layouts store them.
  TLayoutRegistration<TGDIPPicture>("TGDIPPicture")
      .Define("Data", [](TGDIPPicture& picture, const TLayoutValue& v, std::string& e) {
        if (v.Kind == TLayoutValueKind::Binary && picture.LoadFromBytes(v.Bytes)) return true;
        e = "the picture data is no image";
        return false;
      });
  TLayoutRegistration<TGlowHintInfo>("TGlowHintInfo")
      .Property("Title", &TGlowHintInfo::SetTitle)
      .SubObject("Notes", &TGlowHintInfo::Notes)
      .SubObject("Picture", &TGlowHintInfo::Picture)
      .Property("ShowHelp", &TGlowHintInfo::SetShowHelp);
  using A = TGlowButtonAppearance;
  TLayoutRegistration<A> appearance("TGlowButtonAppearance");
  const std::pair<const char*, TColor A::*> colors[] = {
      {"BorderColor", &A::BorderColor},
      {"BorderColorHot", &A::BorderColorHot},
      {"BorderColorDown", &A::BorderColorDown},
      {"BorderColorChecked", &A::BorderColorChecked},
      {"BorderColorDisabled", &A::BorderColorDisabled},
      {"Color", &A::Color},
      {"ColorTo", &A::ColorTo},
      {"ColorHot", &A::ColorHot},
      {"ColorHotTo", &A::ColorHotTo},
      {"ColorDown", &A::ColorDown},
      {"ColorDownTo", &A::ColorDownTo},
      {"ColorChecked", &A::ColorChecked},
      {"ColorCheckedTo", &A::ColorCheckedTo},
      {"ColorDisabled", &A::ColorDisabled},
      {"ColorDisabledTo", &A::ColorDisabledTo},
      {"ColorMirror", &A::ColorMirror},
      {"ColorMirrorTo", &A::ColorMirrorTo},
      {"ColorMirrorHot", &A::ColorMirrorHot},
      {"ColorMirrorHotTo", &A::ColorMirrorHotTo},
      {"ColorMirrorDown", &A::ColorMirrorDown},
      {"ColorMirrorDownTo", &A::ColorMirrorDownTo},
      {"ColorMirrorChecked", &A::ColorMirrorChecked},
      {"ColorMirrorCheckedTo", &A::ColorMirrorCheckedTo},
      {"ColorMirrorDisabled", &A::ColorMirrorDisabled},
      {"ColorMirrorDisabledTo", &A::ColorMirrorDisabledTo},
  };
  for (const auto& [name, field] : colors) appearance.Define(name, AppearanceField(field));
  const std::pair<const char*, TGDIPGradient A::*> gradients[] = {
      {"Gradient", &A::Gradient},
      {"GradientMirror", &A::GradientMirror},
      {"GradientHot", &A::GradientHot},
      {"GradientMirrorHot", &A::GradientMirrorHot},
      {"GradientDown", &A::GradientDown},
      {"GradientMirrorDown", &A::GradientMirrorDown},
      {"GradientChecked", &A::GradientChecked},
      {"GradientMirrorChecked", &A::GradientMirrorChecked},
      {"GradientDisabled", &A::GradientDisabled},
      {"GradientMirrorDisabled", &A::GradientMirrorDisabled},
  };
  for (const auto& [name, field] : gradients) appearance.Define(name, AppearanceField(field));
  appearance.Property("SystemFont", &A::SetSystemFont);

  using B = TCustomGlowButton;
  TLayoutRegistration<B, TCustomControl>("TCustomGlowButton")
      .SubObject("Appearance", &B::Appearance)
      .Property("AntiAlias", &B::SetAntiAlias)
      .Property("AutoSize", &B::SetAutoSize)
      .Property("BorderStyle", &B::SetBorderStyle)
      .Property("Cancel", &B::SetCancel)
      .Property("Default", &B::SetDefault)
      .Property("FocusType", &B::SetFocusType)
      .Property("ImageIndex", &B::SetImageIndex)
      .Property("Images", &B::SetImages)
      .Property("HotImages", &B::SetHotImages)
      .Property("DisabledImages", &B::SetDisabledImages)
      .SubObject("Picture", &B::Picture)
      .SubObject("HotPicture", &B::HotPicture)
      .SubObject("DisabledPicture", &B::DisabledPicture)
      .Property("MarginVert", &B::SetMarginVert)
      .Property("MarginHorz", &B::SetMarginHorz)
      .Property("ModalResult", &B::SetModalResult)
      .SubObject("Notes", &B::Notes)
      .SubObject("NotesFont", &B::NotesFont)
      .SubObject("OfficeHint", &B::OfficeHint)
      .Property("Position", &B::SetPosition)
      .Property("InitRepeatPause", &B::SetInitRepeatPause)
      .Property("RepeatPause", &B::SetRepeatPause)
      .Property("RepeatClick", &B::SetRepeatClick)
      .Property("Rounded", &B::SetRounded)
      .Property("ShortCutHint", &B::SetShortCutHint)
      .Property("ShortCutHintPos", &B::SetShortCutHintPos)
      .Property("ShowCaption", &B::SetShowCaption)
      .Property("ShowDisabled", &B::SetShowDisabled)
      .Property("Spacing", &B::SetSpacing)
      .Property("Transparent", &B::SetTransparent)
      .Property("Trimming", &B::SetTrimming)
      .Ignore("Version")
      .Property("WordWrap", &B::SetWordWrap)
      .Property("AllowAllUp", &B::SetAllowAllUp)
      .Property("Down", &B::SetDown)
      .Property("GroupIndex", &B::SetGroupIndex)
      .Property("Layout", &B::SetLayout)
      .Property("Style", &B::SetStyle)
      .Property("MaxButtonSizeState", &B::SetMaxButtonSizeState)
      .Property("MinButtonSizeState", &B::SetMinButtonSizeState)
      .Property("DropDownButton", &B::SetDropDownButton)
      .Property("DropDownPosition", &B::SetDropDownPosition)
      .Property("DropDownDirection", &B::SetDropDownDirection)
      .Property("DropDownSplit", &B::SetDropDownSplit)
      .Property("DropDownMenu", &B::SetDropDownMenu)
      .Event("OnMouseEnter", &B::OnMouseEnter)
      .Event("OnMouseLeave", &B::OnMouseLeave)
      .Event("OnDropDown", &B::OnDropDown);
  TLayoutRegistration<TGlowButton, B>("TGlowButton");
}

}  // namespace

void RegisterAdditionalLayoutClasses() {
  static const bool registered = [] {
    RegisterClasslibLayoutClasses();
    RegisterPNGButton();
    RegisterSDXProgress();
    RegisterReflectionLabel();
    RegisterGlowButton();
    return true;
  }();
  (void)registered;
}
