// Editing in the main window: clicks and drags on the drawing panel, the work-mode buttons of the tool bar and
// the object-mode buttons of the left bar with their status panes, the blocker type and the whole-map blocker
// commands, and saving. The click edits themselves are in core/uMapEdits.
//
// The mode buttons are PNG buttons in group mode: a click never changes their look; these handlers set Checked.
#include "classlib/Dialogs.h"
#include "classlib/core/SysUtils.h"
#include "controls/pngextra.h"
#include "editor/core/uMapEdits.h"
#include "editor/uMainEngine.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDGrids.h"
#include "sddcontrols/unSDDRadChk.h"
#include "sddcontrols/unSDDStatus.h"

// ---- the drawing panel -------------------------------------------------------------------------------------------

// The release of a press that left the view clicks the panel too, when it lands on the panel's hidden part: only
// a pointer over the view edits.
void TfrmSorvantaMain::plDrawEnvirClick(TObject*)
{
    if (Map && PointerInView) ApplyClickEdit(*Map, *this);
}

void TfrmSorvantaMain::plDrawEnvirMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    PointerInView = PointInView(X, Y);
    if (Button == mbLeft) LeftButtonHeld = true;
}

void TfrmSorvantaMain::plDrawEnvirMouseUp(TObject*, TMouseButton, TShiftState, int, int) { LeftButtonHeld = false; }

// ---- panes and buttons -------------------------------------------------------------------------------------------

void TfrmSorvantaMain::SetWorkPane(const char* Text) { stpSetWorkMode->SetCaption(Text); }

void TfrmSorvantaMain::SetObjectPane(const char* Text) { stpSelectMode->SetCaption(Text); }

void TfrmSorvantaMain::CheckWorkButton(TPNGButton* Checked)
{
    for (TPNGButton* b : {btnEditMode, btnSelectMode, btnDeleteMode}) b->SetChecked(b == Checked);
}

void TfrmSorvantaMain::SwitchToDraw()
{
    WorkMode = WorkModeDraw;
    CheckWorkButton(btnEditMode);
    SetWorkPane("E");
}

void TfrmSorvantaMain::ChooseObjectMode(int32_t Mode, const char* Pane, TPNGButton* Checked)
{
    ObjectMode = Mode;
    if (Mode == ObjectModeTile) ObjectLayerKind = LayerKindTile;
    if (Mode == ObjectModeFront) ObjectLayerKind = LayerKindFront;
    if (Mode == ObjectModeBack) ObjectLayerKind = LayerKindBack;
    SetObjectPane(Pane);
    for (TPNGButton* b : {btnDisableModes, btnTileObjectMode, btnFrontObjectMode, btnBackObjectMode,
                          btnBarrireObjectMode, btnLightObjectMode})
        b->SetChecked(b == Checked);
}

// ---- work modes --------------------------------------------------------------------------------------------------

bool TfrmSorvantaMain::TurnWorkModeOff(TPNGButton* Button)
{
    if (!Button->Checked()) return false;
    WorkMode = WorkModeNone;
    Button->SetChecked(false);
    SetWorkPane("-");
    return true;
}

void TfrmSorvantaMain::btnEditModeClick(TObject*)
{
    if (TurnWorkModeOff(btnEditMode)) return;
    SwitchToDraw();
    if (ObjectMode == ObjectModeNone) ObjectMode = ObjectModeTile;  // the left bar and its pane stay as they are
}

void TfrmSorvantaMain::btnSelectModeClick(TObject*)
{
    if (TurnWorkModeOff(btnSelectMode)) return;
    CheckWorkButton(btnSelectMode);
    WorkMode = WorkModeSelect;
    ObjectMode = ObjectModeSelect;
    SetWorkPane("S");
}

void TfrmSorvantaMain::btnDeleteModeClick(TObject*)
{
    if (TurnWorkModeOff(btnDeleteMode)) return;
    CheckWorkButton(btnDeleteMode);
    WorkMode = WorkModeErase;
    SetWorkPane("D");
}

// ---- object modes ------------------------------------------------------------------------------------------------

void TfrmSorvantaMain::btnDisableModesClick(TObject*)
{
    ObjectMode = ObjectModeNone;
    WorkMode = WorkModeNone;
    SelectedLibrary = -1;
    SelectedImage = -1;
    PickerFrame.Shown = false;
    TileGrid->Invalidate();
    CheckWorkButton(nullptr);
    SetWorkPane("-");
    ChooseObjectMode(ObjectModeNone, "-", btnDisableModes);
}

void TfrmSorvantaMain::btnTileObjectModeClick(TObject*) { ChooseObjectMode(ObjectModeTile, "T", btnTileObjectMode); }

void TfrmSorvantaMain::btnFrontObjectModeClick(TObject*)
{
    ChooseObjectMode(ObjectModeFront, "F", btnFrontObjectMode);
}

void TfrmSorvantaMain::btnBackObjectModeClick(TObject*) { ChooseObjectMode(ObjectModeBack, "B", btnBackObjectMode); }

void TfrmSorvantaMain::btnLightObjectModeClick(TObject*)
{
    SwitchToDraw();
    ChooseObjectMode(ObjectModeLight, "L", btnLightObjectMode);
    chkShowLight->SetChecked(true);
    ShowLights = chkShowLight->Checked();
}

void TfrmSorvantaMain::btnBarrireObjectModeClick(TObject*)
{
    SwitchToDraw();
    ChooseObjectMode(ObjectModeBlocker, "BR", btnBarrireObjectMode);
    ShowBlockerLayer();
    cbBlockerType->SetItemIndex(BlockerCantMove);
    BlockerType = BlockerCantMove;
}

// ---- blockers ----------------------------------------------------------------------------------------------------

void TfrmSorvantaMain::cbBlockerTypeChange(TObject*) { BlockerType = cbBlockerType->ItemIndex(); }

void TfrmSorvantaMain::ShowBlockerLayer()
{
    chkShowBarrier->SetChecked(true);
    ShowBlockers = chkShowBarrier->Checked();
}

void TfrmSorvantaMain::SDDButton3Click(TObject*)
{
    if (!Map) return;
    ShowBlockerLayer();
    Map->ClearAllBlockers();
}

void TfrmSorvantaMain::SDDButton4Click(TObject*)
{
    if (!Map) return;
    ShowBlockerLayer();
    FillAllBlockers(*Map, BlockerType);
}

// ---- saving ------------------------------------------------------------------------------------------------------
// A map from a file goes back to it; a created map (no file path) asks for a name at every save, and the save dialog
// asks before that name replaces an existing file (the layout's overwrite prompt). A failed save leaves the file as
// it was (the map document replaces it only once the new one is written) and says why.

void TfrmSorvantaMain::PNGButton4Click(TObject*)
{
    if (!Map) return;
    try {
        if (Trim(Map->FilePath).empty()) {
            const uint32_t asked = MapSerial;
            if (seSaveVesk3Map->Execute() && MapStillOpen(asked)) Map->SaveToFile(seSaveVesk3Map->FileName());
        } else {
            Map->Save();
        }
    } catch (const std::exception& e) {
        ReportError("Saving the map failed: ", e);
        ShowMessage(e.what());
    }
}
