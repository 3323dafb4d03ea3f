// The layout reader's tables for the class library's own classes: class names, properties with their setters,
// events, sub-objects, and the names of enumeration values, colours, cursors and character sets.
//
// Sections: graphics and controls; forms; standard controls; panels and images; entry point.
#include "classlib/LayoutClasses.h"

#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/StdLayoutClasses.h"
#include "classlib/core/LayoutReader.h"

namespace {

// ---- graphics and controls -----------------------------------------------------------------------------------

void RegisterControls() {
  RegisterLayoutEnum<TAlign>({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
  RegisterLayoutEnum<TAnchorKind>({"akLeft", "akTop", "akRight", "akBottom"});
  RegisterLayoutEnum<TDragKind>({"dkDrag", "dkDock"});
  RegisterLayoutEnum<TDragMode>({"dmManual", "dmAutomatic"});
  RegisterLayoutEnum<TFontStyle>({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  RegisterLayoutEnum<TPenStyle>({"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                 "psInsideFrame"});
  RegisterLayoutEnum<TBrushStyle>({"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                   "bsBDiagonal", "bsCross", "bsDiagCross"});
  for (const TColorName& c : ColorNames()) RegisterLayoutConstant(c.Name, c.Value);
  static const std::pair<const char*, TCursor> cursors[] = {
      {"crDefault", crDefault}, {"crNone", crNone},         {"crArrow", crArrow},       {"crCross", crCross},
      {"crIBeam", crIBeam},     {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS},     {"crSizeNWSE", crSizeNWSE},
      {"crSizeWE", crSizeWE},   {"crUpArrow", crUpArrow},   {"crHourGlass", crHourGlass}, {"crNo", crNo},
      {"crHSplit", crHSplit},   {"crVSplit", crVSplit},     {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};
  for (const auto& [name, value] : cursors) RegisterLayoutConstant(name, value);
  static const std::pair<const char*, int> charsets[] = {
      {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET},
      {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}, {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
      {"OEM_CHARSET", OEM_CHARSET}};
  for (const auto& [name, value] : charsets) RegisterLayoutConstant(name, value);

  TLayoutRegistration<TFont>("TFont")
      .Property("Name", &TFont::SetName)
      .Property("Height", &TFont::SetHeight)
      .Property("Size", &TFont::SetSize)
      .Property("Style", &TFont::SetStyle)
      .Property("Color", &TFont::SetColor)
      .Property("Charset", &TFont::SetCharset)
      .Property("Orientation", &TFont::SetOrientation);
  // Pictures and graphics read their file's bytes: `Picture.Data = {89504E47...}`.
  auto graphicData = [](auto& graphic, const TLayoutValue& v, std::string& e) {
    if (v.Kind != TLayoutValueKind::Binary) {
      e = "expected binary data";
      return false;
    }
    if (graphic.LoadFromBytes(v.Bytes)) return true;
    e = "the picture data is no readable PNG or BMP image";
    return false;
  };
  TLayoutRegistration<TPicture>("TPicture").Define("Data", graphicData);
  TLayoutRegistration<TPngGraphic>("TPngGraphic").Define("Data", graphicData);
  TLayoutRegistration<TBitmap>("TBitmap").Define("Data", graphicData);

  TLayoutRegistration<TControl>("TControl")
      .Property("Left", &TControl::SetLeft)
      .Property("Top", &TControl::SetTop)
      .Property("Width", &TControl::SetWidth)
      .Property("Height", &TControl::SetHeight)
      .Property("ClientWidth", &TControl::SetClientWidth)
      .Property("ClientHeight", &TControl::SetClientHeight)
      .Property("Align", &TControl::SetAlign)
      .Property("Anchors", &TControl::SetAnchors)
      .Property("Visible", &TControl::SetVisible)
      .Property("Enabled", &TControl::SetEnabled)
      .Property("Color", &TControl::SetColor)
      .Property("ParentColor", &TControl::SetParentColor)
      .SubObject("Font", &TControl::Font)
      .Property("ParentFont", &TControl::SetParentFont)
      .Property("Caption", &TControl::SetCaption)
      .Property("Text", &TControl::SetText)
      .Property("Hint", &TControl::SetHint)
      .Property("ShowHint", &TControl::SetShowHint)
      .Property("ParentShowHint", &TControl::SetParentShowHint)
      .Property("Cursor", &TControl::SetCursor)
      .Property("DragKind", &TControl::SetDragKind)
      .Property("DragMode", &TControl::SetDragMode)
      .Define("Tag", [](TControl& c, const TLayoutValue& v, std::string& e) {
        int64_t tag = 0;
        if (!LayoutConvertInteger(v, INT32_MIN, INT32_MAX, tag, e)) return false;
        c.Tag = static_cast<intptr_t>(tag);
        return true;
      })
      .Event("OnClick", &TControl::OnClick)
      .Event("OnDblClick", &TControl::OnDblClick)
      .Event("OnMouseDown", &TControl::OnMouseDown)
      .Event("OnMouseUp", &TControl::OnMouseUp)
      .Event("OnMouseMove", &TControl::OnMouseMove)
      .Event("OnResize", &TControl::OnResize)
      .Event("OnStartDock", &TControl::OnStartDock)
      .Event("OnEndDock", &TControl::OnEndDock)
      .Ignore("ExplicitLeft")
      .Ignore("ExplicitTop")
      .Ignore("ExplicitWidth")
      .Ignore("ExplicitHeight")
      .Ignore("DesignSize")
      .Parenting([](TControl& child, TComponent& enclosing, std::string& error) {
        auto* parent = dynamic_cast<TWinControl*>(&enclosing);
        if (!parent || !parent->ControlStyle().Contains(csAcceptsControls)) {
          error = "'" + enclosing.Name() + "' cannot hold controls";
          return false;
        }
        child.SetParent(parent);
        return true;
      });
  TLayoutRegistration<TWinControl, TControl>("TWinControl")
      .Property("TabOrder", &TWinControl::SetTabOrder)
      .Property("TabStop", &TWinControl::SetTabStop)
      .Event("OnKeyDown", &TWinControl::OnKeyDown)
      .Event("OnKeyUp", &TWinControl::OnKeyUp)
      .Event("OnKeyPress", &TWinControl::OnKeyPress)
      .Event("OnEnter", &TWinControl::OnEnter)
      .Event("OnExit", &TWinControl::OnExit)
      .Property("DockSite", &TWinControl::SetDockSite)
      .Property("UseDockManager", &TWinControl::SetUseDockManager)
      .Event("OnDockOver", &TWinControl::OnDockOver)
      .Event("OnDockDrop", &TWinControl::OnDockDrop)
      .Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo)
      .Event("OnUnDock", &TWinControl::OnUnDock);
  TLayoutRegistration<TGraphicControl, TControl>("TGraphicControl");
  TLayoutRegistration<TCustomControl, TWinControl>("TCustomControl");
}

// ---- forms ---------------------------------------------------------------------------------------------------

void RegisterForms() {
  RegisterLayoutEnum<TFormBorderStyle>({"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                                        "bsSizeToolWin"});
  RegisterLayoutEnum<TPosition>({"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                 "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  TLayoutRegistration<TCustomForm, TCustomControl>("TCustomForm")
      .Property("BorderStyle", &TCustomForm::SetBorderStyle)
      .Property("Position", &TCustomForm::SetPosition)
      .Property("ActiveControl", &TCustomForm::SetActiveControl)
      .Event("OnCreate", &TCustomForm::OnCreate)
      .Event("OnDestroy", &TCustomForm::OnDestroy)
      .Event("OnShow", &TCustomForm::OnShow)
      .Event("OnHide", &TCustomForm::OnHide)
      .Event("OnClose", &TCustomForm::OnClose)
      .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
      .Event("OnPaint", &TCustomForm::OnPaint)
      .Event("OnMouseWheel", &TCustomForm::OnMouseWheel)
      .Ignore("OldCreateOrder")
      .Ignore("PixelsPerInch")
      .Ignore("TextHeight");
  TLayoutRegistration<TForm, TCustomForm>("TForm");
}

// ---- standard controls ---------------------------------------------------------------------------------------

void RegisterStdCtrls() {
  RegisterLayoutEnum<TAlignment>({"taLeftJustify", "taRightJustify", "taCenter"});
  RegisterLayoutEnum<TTextLayout>({"tlTop", "tlCenter", "tlBottom"});
  TLayoutRegistration<TCustomLabel, TGraphicControl>("TCustomLabel")
      .Property("Alignment", &TCustomLabel::SetAlignment)
      .Property("Layout", &TCustomLabel::SetLayout)
      .Property("AutoSize", &TCustomLabel::SetAutoSize)
      .Property("WordWrap", &TCustomLabel::SetWordWrap)
      .Property("Transparent", &TCustomLabel::SetTransparent)
      .Property("ShowAccelChar", &TCustomLabel::SetShowAccelChar)
      .Property("FocusControl", &TCustomLabel::SetFocusControl);
  TLayoutRegistration<TLabel, TCustomLabel>("TLabel");
}

// ---- panels and images ---------------------------------------------------------------------------------------

void RegisterExtCtrls() {
  RegisterLayoutEnum<TBevelCut>({"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  TLayoutRegistration<TCustomPanel, TCustomControl>("TCustomPanel")
      .Property("BevelInner", &TCustomPanel::SetBevelInner)
      .Property("BevelOuter", &TCustomPanel::SetBevelOuter)
      .Property("BevelWidth", &TCustomPanel::SetBevelWidth)
      .Property("BorderWidth", &TCustomPanel::SetBorderWidth)
      .Property("Alignment", &TCustomPanel::SetAlignment)
      .Property("FullRepaint", &TCustomPanel::SetFullRepaint)
      .Ignore("ParentBackground");
  TLayoutRegistration<TPanel, TCustomPanel>("TPanel");
  TLayoutRegistration<TImage, TGraphicControl>("TImage")
      .SubObject("Picture", &TImage::Picture)
      .Property("Stretch", &TImage::SetStretch)
      .Property("Center", &TImage::SetCenter)
      .Property("Proportional", &TImage::SetProportional)
      .Property("Transparent", &TImage::SetTransparent)
      .Property("AutoSize", &TImage::SetAutoSize);
}

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

void RegisterClasslibLayoutClasses() {
  static const bool registered = [] {
    RegisterControls();
    RegisterForms();
    RegisterStdCtrls();
    RegisterExtCtrls();
    RegisterStandardLayoutClasses();
    return true;
  }();
  (void)registered;
}
