#include "editor/dev_Create_New_Map.h"

#include "classlib/Application.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"
#include "controls/AdditionalLayoutClasses.h"
#include "controls/GlowButton.h"
#include "editor/core/uNewMapRules.h"
#include "editor/uLayoutLookup.h"
#include "editor/uMainEngine.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDLayoutClasses.h"

namespace {

constexpr WORD EnterKey = 13;

}  // namespace

void TfrmMapCreate_MAP::Register()
{
    static const bool done = [] {
        RegisterSDDLayoutClasses();
        RegisterAdditionalLayoutClasses();
        using F = TfrmMapCreate_MAP;
        TLayoutRegistration<F, TForm>("TfrmMapCreate_MAP")
            .Handler("FormCreate", &F::FormCreate)
            .Handler("FormClose", &F::FormClose)
            .Handler("maMapNameKeyUp", &F::maMapNameKeyUp)
            .Handler("maMap_XKeyUp", &F::maMap_XKeyUp)
            .Handler("maMap_YKeyUp", &F::maMap_YKeyUp)
            .Handler("maMap_XKeyPress", &F::maMap_XKeyPress)
            .Handler("btnCreateClick", &F::btnCreateClick)
            .Handler("btnCancelClick", &F::btnCancelClick);
        return true;
    }();
    (void)done;
}

TfrmMapCreate_MAP::TfrmMapCreate_MAP(TfrmSorvantaMain* Owner) : TForm(Owner), Main(*Owner)
{
    Register();
    LoadLayout("CREATENEWMAP");
    Show();
}

void TfrmMapCreate_MAP::FormCreate(TObject*)
{
    FindLayoutControl(*this, maMapName, "maMapName");
    FindLayoutControl(*this, maMap_X, "maMap_X");
    FindLayoutControl(*this, maMap_Y, "maMap_Y");
    FindLayoutControl(*this, cbMapTypeInfo, "cbMapTypeInfo");
    FindLayoutControl(*this, btnCreate, "btnCreate");
    FindLayoutControl(*this, btnCancel, "btnCancel");
    maMap_X->SetText("");
    maMap_Y->SetText("");
    maMapName->SetText("");
    cbMapTypeInfo->SetItemIndex(0);
}

void TfrmMapCreate_MAP::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmMapCreate_MAP::maMapNameKeyUp(TObject*, WORD& Key, TShiftState)
{
    if (Key == EnterKey) maMap_X->SetFocus();
}

void TfrmMapCreate_MAP::maMap_XKeyUp(TObject*, WORD& Key, TShiftState)
{
    if (Key == EnterKey) maMap_Y->SetFocus();
}

void TfrmMapCreate_MAP::maMap_YKeyUp(TObject*, WORD& Key, TShiftState)
{
    if (Key == EnterKey) btnCreate->SetFocus();
}

void TfrmMapCreate_MAP::maMap_XKeyPress(TObject*, char& Key)
{
    if (!IsSizeFieldKey(Key)) Key = 0;
}

void TfrmMapCreate_MAP::btnCancelClick(TObject*) { Close(); }

void TfrmMapCreate_MAP::btnCreateClick(TObject*)
{
    const TNewMapCheck check = CheckNewMapSize(maMap_X->Text(), maMap_Y->Text());
    if (check.Field != TNewMapField::None) {
        ShowMessage(check.Message);
        (check.Field == TNewMapField::SizeX ? maMap_X : maMap_Y)->SetFocus();
        return;
    }
    if (cbMapTypeInfo->ItemIndex() == -1) cbMapTypeInfo->SetItemIndex(0);
    // The item index is the map's type as it is: the map's own type names differ from this list.
    const std::string name = Trim(maMapName->Text()) + ".map";
    if (!Main.ApplyNewMap(name, check.Width, check.Height, cbMapTypeInfo->ItemIndex())) {
        ShowMessage("Could not create the map " + name);
        return;
    }
    Close();
}
