// The layout reader's tables for the standard controls and components: image lists, actions, edits, combo boxes,
// scroll bars, grids, menus and file dialogs. Called by RegisterClasslibLayoutClasses.
//
// Sections: image lists and actions; entry point.
#include "classlib/StdLayoutClasses.h"

#include "classlib/ActnList.h"
#include "classlib/Controls.h"
#include "classlib/ImgList.h"
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

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

void RegisterStandardLayoutClasses() {
  RegisterImageListsAndActions();
}
