#include "controls/AdditionalLayoutClasses.h"

#include "classlib/LayoutClasses.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/StringList.h"
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
      .Property("PictureContainer", &TReflectionLabel::SetPictureContainer)
      .Property("URLColor", &TReflectionLabel::SetURLColor)
      .Property("Reflection", &TReflectionLabel::SetReflection)
      .Property("ReflectionAxis", &TReflectionLabel::SetReflectionAxis)
      .Ignore("Version")
      .Event("OnMouseEnter", &TReflectionLabel::OnMouseEnter)
      .Event("OnMouseLeave", &TReflectionLabel::OnMouseLeave);
  TLayoutRegistration<TPictureContainer>("TPictureContainer");
}

}  // namespace

void RegisterAdditionalLayoutClasses() {
  static const bool registered = [] {
    RegisterClasslibLayoutClasses();
    RegisterPNGButton();
    RegisterSDXProgress();
    RegisterReflectionLabel();
    return true;
  }();
  (void)registered;
}
