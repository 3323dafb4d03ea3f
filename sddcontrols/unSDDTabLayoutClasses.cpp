// Sections: enumerations; colour sets; tab control; page control and tab sheet; entry point.
#include "sddcontrols/unSDDTabLayoutClasses.h"

#include <string>
#include <typeindex>

#include "classlib/core/LayoutReader.h"
#include "sddcontrols/unSDDPageControl.h"

namespace {

// ---- enumerations ---------------------------------------------------------------------------------------------

void RegisterEnumerations() {
  RegisterLayoutEnum<TSDDTabOrientation>({"toTop", "toLeft", "toBottom", "toRight"});
  RegisterLayoutEnum<TSDDTabSequence>({"tsStandard", "tsReverse"});
  RegisterLayoutEnum<TSDDTabStyle>({"tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners",
                                    "tsKestraStyle"});
  RegisterLayoutEnum<TSDDHorizontalAlignment>({"haLeft", "haCenter", "haRight"});
  RegisterLayoutEnum<TSDDVerticalAlignment>({"vaTop", "vaCenter", "vaBottom"});
  RegisterLayoutEnum<TSDDImagePosition>({"ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack", "ipStretch"});
  RegisterLayoutEnum<TSDDHotTrackStyle>({"htsTab", "htsText"});
}

// ---- colour sets ----------------------------------------------------------------------------------------------

void RegisterColourSets() {
  TLayoutRegistration<TSDDTabColors>("TSDDTabColors")
      .Property("HighlightBar", &TSDDTabColors::SetHighlightBar)
      .Property("Shadow", &TSDDTabColors::SetShadow)
      .Property("Unselected", &TSDDTabColors::SetUnselected);
  TLayoutRegistration<TSDDTextColors>("TSDDTextColors")
      .Property("DisabledHighlight", &TSDDTextColors::SetDisabledHighlight)
      .Property("DisabledShadow", &TSDDTextColors::SetDisabledShadow)
      .Property("Selected", &TSDDTextColors::SetSelected)
      .Property("Unselected", &TSDDTextColors::SetUnselected);
}

// ---- tab control ----------------------------------------------------------------------------------------------

void RegisterTabControl() {
  using T = TSDDCustomTabControl;
  TLayoutRegistration<T, TCustomControl>("TSDDCustomTabControl")
      .Property("AlignTabs", &T::SetAlignTabs)
      .Property("AllowTabDragging", &T::SetAllowTabDragging)
      .Property("BackgroundColor", &T::SetBackgroundColor)
      .Property("BoldCurrentTab", &T::SetBoldCurrentTab)
      .Property("CutCornerSize", &T::SetCutCornerSize)
      .Property("FlatColor", &T::SetFlatColor)
      .Property("FlatColorAdjustment", &T::SetFlatColorAdjustment)
      .Property("HotTrack", &T::SetHotTrack)
      .Property("HotTrackColor", &T::SetHotTrackColor)
      .Property("HotTrackColorType", &T::SetHotTrackColorType)
      .Property("HotTrackStyle", &T::SetHotTrackStyle)
      .Property("ImageAlignment", &T::SetImageAlignment)
      .Property("ImageAlignmentVertical", &T::SetImageAlignmentVertical)
      .Property("ImageMargin", &T::SetImageMargin)
      .Property("ImagePosition", &T::SetImagePosition)
      .Property("Images", &T::SetImages)
      .Property("Margin", &T::SetMargin)
      .Property("MultiLine", &T::SetMultiLine)
      .Property("ParentBackgroundColor", &T::SetParentBackgroundColor)
      .Property("RowIndent", &T::SetRowIndent)
      .Property("RowOverlap", &T::SetRowOverlap)
      .Property("ShowCardFrame", &T::SetShowCardFrame)
      .Property("ShowCloseButton", &T::SetShowCloseButton)
      .Property("ShowFocusRect", &T::SetShowFocusRect)
      .Property("ShowFullFrame", &T::SetShowFullFrame)
      .Property("ShowShadow", &T::SetShowShadow)
      .SubObject("TabColors", &T::TabColors)
      .Property("TabHeight", &T::SetTabHeight)
      .Property("TabHints", &T::SetTabHints)
      .Property("TabIndex", &T::SetTabIndex)
      .Property("TabOrientation", &T::SetTabOrientation)
      .Property("TabSequence", &T::SetTabSequence)
      .Property("TabStyle", &T::SetTabStyle)
      .Property("TabWidth", &T::SetTabWidth)
      .SubObject("TextColors", &T::TextColors)
      .Property("TextAlignment", &T::SetTextAlignment)
      .Property("TextAlignmentVertical", &T::SetTextAlignmentVertical)
      .Property("TextOrientation", &T::SetTextOrientation)
      .Property("Transparent", &T::SetTransparent)
      .Property("UseColoredTabs", &T::SetUseColoredTabs)
      .Property("UseGradients", &T::SetUseGradients)
      .Event("OnChange", &T::OnChange)
      .Event("OnChanging", &T::OnChanging)
      .Event("OnClose", &T::OnClose)
      .Event("OnGetTextColor", &T::OnGetTextColor)
      .Event("OnPaintBackground", &T::OnPaintBackground)
      .Event("OnPaintCardBackground", &T::OnPaintCardBackground)
      .Event("OnPaintTabBackground", &T::OnPaintTabBackground)
      .Event("OnTabClick", &T::OnTabClick)
      // The row thickness the window was designed with: the page area is right before the first layout.
      .Define("FixedDimension", [](T& control, const TLayoutValue& v, std::string& e) {
        int value = 0;
        if (!LayoutConvert(v, value, e)) return false;
        control.ReadFixedDimension(value);
        return true;
      });
}

// ---- page control and tab sheet -------------------------------------------------------------------------------

void RegisterPageControl() {
  using P = TSDDPageControl;
  TLayoutRegistration<P, TSDDCustomTabControl>("TSDDPageControl")
      .Property("ActivePage", &P::SetActivePage)
      .Property("ActivePageDefault", &P::SetActivePageDefault)
      .Property("DblClickUndocks", &P::SetDblClickUndocks)
      .Property("SaveResources", &P::SetSaveResources);

  using S = TSDDTabSheet;
  TLayoutRegistration<S, TCustomControl>("TSDDTabSheet")
      .Property("Color", &S::SetColor)
      .Property("DisabledIndex", &S::SetDisabledIndex)
      .Property("ImageIndex", &S::SetImageIndex)
      .Property("TabEnabled", &S::SetTabEnabled)
      .Property("TabVisible", &S::SetTabVisible)
      .Property("Visible", &S::SetVisible)
      .Event("OnPaintBackground", &S::OnPaintBackground)
      // Inside a page control a sheet joins its pages; anywhere else it is placed like any control.
      .Parenting([](S& sheet, TComponent& enclosing, std::string& error) {
        if (auto* pages = dynamic_cast<P*>(&enclosing)) {
          sheet.SetPageControl(pages);
          return true;
        }
        const TLayoutClass* control = FindLayoutClass(std::type_index(typeid(TControl)));
        return control && control->SetParent(sheet, enclosing, error);
      });
}

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

void RegisterSDDTabLayoutClasses() {
  static const bool registered = [] {
    RegisterEnumerations();
    RegisterColourSets();
    RegisterTabControl();
    RegisterPageControl();
    return true;
  }();
  (void)registered;
}
