#pragma once
// TfrmMapCreate_MAP: the create-map dialog. It asks for a name, a size of 4 to 1000 cells each way and a terrain
// type, and turns the main window's map into a new, empty map of them. Modeless and self-freeing: each click of
// the main window's "Create new Map file.." button opens one more, and a dialog frees itself when it closes.
// Enter moves from the name to the width, to the height, to "Create", one field per press.
//
// Layout: the text resource "CREATENEWMAP" (layouts/CreateNewMap.lay).
#include "classlib/Forms.h"

class TfrmSorvantaMain;
class TGlowButton;
class TSDDComboBox;
class TSDDMaskEdit;

class TfrmMapCreate_MAP : public TForm {
public:
    // Owner: the main window, whose map the dialog replaces; the dialog shows itself.
    explicit TfrmMapCreate_MAP(TfrmSorvantaMain* Owner);

    TSDDMaskEdit* maMapName = nullptr;
    TSDDMaskEdit* maMap_X = nullptr;
    TSDDMaskEdit* maMap_Y = nullptr;
    TSDDComboBox* cbMapTypeInfo = nullptr;
    TGlowButton* btnCreate = nullptr;
    TGlowButton* btnCancel = nullptr;

private:
    static void Register();

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void maMapNameKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void maMap_XKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void maMap_YKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void maMap_XKeyPress(TObject* Sender, char& Key);
    void btnCreateClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

    TfrmSorvantaMain& Main;
};
