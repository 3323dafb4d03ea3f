// The layout reader's tables for the standard controls and components: image lists, actions, edits, combo boxes,
// scroll bars, grids, menus, file dialogs and timers. Called by RegisterClasslibLayoutClasses.
//
// Sections: image lists and actions; edits, combo boxes and scroll bars; grids; menus and dialogs; timers; entry
// point.
#include "classlib/StdLayoutClasses.h"

#include "classlib/ActnList.h"
#include "classlib/ComboBoxes.h"
#include "classlib/Controls.h"
#include "classlib/Dialogs.h"
#include "classlib/Edits.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/ScrollBars.h"
#include "classlib/Timer.h"
#include "classlib/core/LayoutReader.h"

namespace {

// ---- image lists and actions ----------------------------------------------------------------------------------

void RegisterImageListsAndActions() {
  // `Bitmap = {...}`: a PNG (alpha kept) or BMP file holding the images side by side; in a BMP the colour of the
  // bottom-left pixel is transparent.
  TLayoutRegistration<TCustomImageList>("TCustomImageList")
      .Property("Width", &TCustomImageList::SetWidth)
      .Property("Height", &TCustomImageList::SetHeight)
      .Define("Bitmap", [](TCustomImageList& list, const TLayoutValue& v, std::string& e) {
        TPicture picture;
        if (v.Kind != TLayoutValueKind::Binary || !picture.LoadFromBytes(v.Bytes)) {
          e = "expected the bytes of a PNG or BMP image";
          return false;
        }
        TColor transparent = clNone;
        if (auto* bitmap = dynamic_cast<TBitmap*>(picture.Graphic()))
          transparent = bitmap->Canvas().Pixel(0, bitmap->Height() - 1);
        list.Add(*picture.Graphic(), transparent);
        return true;
      });
  TLayoutRegistration<TImageList, TCustomImageList>("TImageList");

  TLayoutRegistration<TBasicAction>("TBasicAction").Event("OnExecute", &TBasicAction::OnExecute);
  TLayoutRegistration<TContainedAction, TBasicAction>("TContainedAction")
      .Property("Category", &TContainedAction::SetCategory)
      .Parenting([](TContainedAction& action, TComponent& enclosing, std::string& error) {
        auto* list = dynamic_cast<TCustomActionList*>(&enclosing);
        if (!list) {
          error = "an action belongs inside an action list";
          return false;
        }
        action.SetActionList(list);
        return true;
      });
  TLayoutRegistration<TCustomAction, TContainedAction>("TCustomAction")
      .Property("Caption", &TCustomAction::SetCaption)
      .Property("Hint", &TCustomAction::SetHint)
      .Property("Enabled", &TCustomAction::SetEnabled)
      .Property("Visible", &TCustomAction::SetVisible)
      .Property("Checked", &TCustomAction::SetChecked)
      .Property("GroupIndex", &TCustomAction::SetGroupIndex)
      .Property("ImageIndex", &TCustomAction::SetImageIndex)
      .Property("AutoCheck", &TCustomAction::SetAutoCheck)
      .Property("DisableIfNoHandler", &TCustomAction::SetDisableIfNoHandler);
  TLayoutRegistration<TAction, TCustomAction>("TAction");
  TLayoutRegistration<TCustomActionList>("TCustomActionList").Property("Images", &TCustomActionList::SetImages);
  TLayoutRegistration<TActionList, TCustomActionList>("TActionList");
  TLayoutRegistration<TControl>("TControl").Property("Action", &TControl::SetAction);
}

// ---- edits, combo boxes and scroll bars -----------------------------------------------------------------------

void RegisterEditsAndLists() {
  TLayoutRegistration<TCustomEdit, TWinControl>("TCustomEdit")
      .Property("Alignment", &TCustomEdit::SetAlignment)
      .Property("AutoSelect", &TCustomEdit::SetAutoSelect)
      .Property("BorderStyle", &TCustomEdit::SetBorderStyle)
      .Property("MaxLength", &TCustomEdit::SetMaxLength)
      .Property("ReadOnly", &TCustomEdit::SetReadOnly)
      .Event("OnChange", &TCustomEdit::OnChange);
  TLayoutRegistration<TEdit, TCustomEdit>("TEdit");
  TLayoutRegistration<TCustomMaskEdit, TCustomEdit>("TCustomMaskEdit")
      .Property("EditMask", &TCustomMaskEdit::SetEditMask);
  TLayoutRegistration<TMaskEdit, TCustomMaskEdit>("TMaskEdit");

  RegisterLayoutEnum<TComboBoxStyle>({"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                                      "csOwnerDrawVariable"});
  TLayoutRegistration<TCustomComboBox, TWinControl>("TCustomComboBox")
      .Property("Style", &TCustomComboBox::SetStyle)
      .Define("Items.Strings", [](TCustomComboBox& combo, const TLayoutValue& v, std::string& e) {
        std::vector<std::string> lines;
        if (!LayoutConvert(v, lines, e)) return false;
        combo.Items().Clear();
        for (const std::string& line : lines) combo.Items().Add(line);
        return true;
      })
      .Property("ItemIndex", &TCustomComboBox::SetItemIndex)
      .Property("ItemHeight", &TCustomComboBox::SetItemHeight)
      .Property("DropDownCount", &TCustomComboBox::SetDropDownCount)
      .Property("MaxLength", &TCustomComboBox::SetMaxLength)
      .Property("AutoDropDown", &TCustomComboBox::SetAutoDropDown)
      .Property("AutoCloseUp", &TCustomComboBox::SetAutoCloseUp)
      .Event("OnChange", &TCustomComboBox::OnChange)
      .Event("OnSelect", &TCustomComboBox::OnSelect)
      .Event("OnDropDown", &TCustomComboBox::OnDropDown)
      .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
      .Event("OnDrawItem", &TCustomComboBox::OnDrawItem)
      .Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
  TLayoutRegistration<TComboBox, TCustomComboBox>("TComboBox");

  RegisterLayoutEnum<TScrollBarKind>({"sbHorizontal", "sbVertical"});
  TLayoutRegistration<TScrollBar, TWinControl>("TScrollBar")
      .Property("Kind", &TScrollBar::SetKind)
      .Property("Min", &TScrollBar::SetMin)
      .Property("Max", &TScrollBar::SetMax)
      .Property("Position", &TScrollBar::SetPosition)
      .Property("SmallChange", &TScrollBar::SetSmallChange)
      .Property("LargeChange", &TScrollBar::SetLargeChange)
      .Event("OnChange", &TScrollBar::OnChange)
      .Event("OnScroll", &TScrollBar::OnScroll);
}

// ---- grids ---------------------------------------------------------------------------------------------------

// `ColWidths = (64 80 64)`: the sizes of the first columns (rows), one number each.
template <void (TCustomGrid::*Set)(int, int)>
bool ReadSizes(TCustomGrid& grid, const TLayoutValue& v, std::string& error) {
  if (v.Kind != TLayoutValueKind::List) {
    error = "expected a list of sizes";
    return false;
  }
  for (size_t i = 0; i < v.Items.size(); ++i) {
    int size = 0;
    if (!LayoutConvert(v.Items[i], size, error)) return false;
    (grid.*Set)(static_cast<int>(i), size);
  }
  return true;
}

void RegisterGrids() {
  RegisterLayoutEnum<TGridOption>({"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                                   "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                                   "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
  RegisterLayoutEnum<TScrollStyle>({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  RegisterLayoutEnum<TBevelKind>({"bkNone", "bkTile", "bkSoft", "bkFlat"});
  // The platform draws every windowed control's edge in the one 3-D look: the old switch is read and dropped.
  TLayoutRegistration<TWinControl, TControl>("TWinControl").Ignore("Ctl3D").Ignore("ParentCtl3D");
  TLayoutRegistration<TCustomGrid, TCustomControl>("TCustomGrid")
      .Property("ColCount", &TCustomGrid::SetColCount)
      .Property("RowCount", &TCustomGrid::SetRowCount)
      .Property("FixedCols", &TCustomGrid::SetFixedCols)
      .Property("FixedRows", &TCustomGrid::SetFixedRows)
      .Property("DefaultColWidth", &TCustomGrid::SetDefaultColWidth)
      .Property("DefaultRowHeight", &TCustomGrid::SetDefaultRowHeight)
      .Define("ColWidths", &ReadSizes<&TCustomGrid::SetColWidths>)
      .Define("RowHeights", &ReadSizes<&TCustomGrid::SetRowHeights>)
      .Property("GridLineWidth", &TCustomGrid::SetGridLineWidth)
      .Property("Options", &TCustomGrid::SetOptions)
      .Property("DefaultDrawing", &TCustomGrid::SetDefaultDrawing)
      .Property("FixedColor", &TCustomGrid::SetFixedColor)
      .Property("BorderStyle", &TCustomGrid::SetBorderStyle)
      .Property("ScrollBars", &TCustomGrid::SetScrollBars)
      .Property("BevelKind", &TCustomGrid::SetBevelKind)
      .Property("BevelInner", &TCustomGrid::SetBevelInner)
      .Property("BevelOuter", &TCustomGrid::SetBevelOuter)
      .Property("BevelWidth", &TCustomGrid::SetBevelWidth)
      .Event("OnDrawCell", &TCustomGrid::OnDrawCell)
      .Event("OnSelectCell", &TCustomGrid::OnSelectCell);
  TLayoutRegistration<TDrawGrid, TCustomGrid>("TDrawGrid");
  TLayoutRegistration<TStringGrid, TDrawGrid>("TStringGrid");
}

// ---- menus and dialogs ---------------------------------------------------------------------------------------

void RegisterMenusAndDialogs() {
  TLayoutRegistration<TMenuItem>("TMenuItem")
      .Property("Caption", &TMenuItem::SetCaption)
      .Property("Enabled", &TMenuItem::SetEnabled)
      .Property("Visible", &TMenuItem::SetVisible)
      .Property("Checked", &TMenuItem::SetChecked)
      .Property("RadioItem", &TMenuItem::SetRadioItem)
      .Property("Hint", &TMenuItem::SetHint)
      .Property("Action", &TMenuItem::SetAction)
      .Event("OnClick", &TMenuItem::OnClick)
      .Parenting([](TMenuItem& item, TComponent& enclosing, std::string& error) {
        if (auto* menu = dynamic_cast<TMenu*>(&enclosing)) {
          menu->Items().Add(&item);
          return true;
        }
        if (auto* parent = dynamic_cast<TMenuItem*>(&enclosing)) {
          parent->Add(&item);
          return true;
        }
        error = "a menu item belongs inside a menu or another menu item";
        return false;
      });
  TLayoutRegistration<TMenu>("TMenu");
  TLayoutRegistration<TMainMenu, TMenu>("TMainMenu");
  TLayoutRegistration<TPopupMenu, TMenu>("TPopupMenu").Event("OnPopup", &TPopupMenu::OnPopup);
  TLayoutRegistration<TCustomForm, TCustomControl>("TCustomForm").Property("Menu", &TCustomForm::SetMenu);

  RegisterLayoutEnum<TOpenOption>({"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                                   "ofPathMustExist", "ofFileMustExist", "ofEnableSizing"});
  TLayoutRegistration<TOpenDialog>("TOpenDialog")
      .Property("InitialDir", &TOpenDialog::SetInitialDir)
      .Property("Filter", &TOpenDialog::SetFilter)
      .Property("FilterIndex", &TOpenDialog::SetFilterIndex)
      .Property("DefaultExt", &TOpenDialog::SetDefaultExt)
      .Property("FileName", &TOpenDialog::SetFileName)
      .Property("Title", &TOpenDialog::SetTitle)
      .Property("Options", &TOpenDialog::SetOptions);
  TLayoutRegistration<TSaveDialog, TOpenDialog>("TSaveDialog");
}

// ---- timers ---------------------------------------------------------------------------------------------------

void RegisterTimers() {
  TLayoutRegistration<TTimer>("TTimer")
      .Property("Enabled", &TTimer::SetEnabled)
      .Property("Interval", &TTimer::SetInterval);
  // OnTimer goes through the timer's setter, which starts or stops the system timer.
  TLayoutMember onTimer;
  onTimer.Set = [](TPersistent& timer, const TLayoutValue& v, TLayoutReadState& state, std::string& error) {
    TNotifyEvent event;
    if (!BindLayoutHandler(&event, typeid(TNotifyEvent), v, state, error)) return false;
    static_cast<TTimer&>(timer).SetOnTimer(event);
    return true;
  };
  RegisterLayoutClassEntry("TTimer", typeid(TTimer), typeid(void)).Members[LayoutKey("OnTimer")] = onTimer;
}

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

void RegisterStandardLayoutClasses() {
  RegisterImageListsAndActions();
  RegisterEditsAndLists();
  RegisterGrids();
  RegisterMenusAndDialogs();
  RegisterTimers();
}
