#pragma once
// TfrmSorvantaMain: the map editor's main window. It owns the settings file, the image caches, the one open map,
// the map view's renderer and (once the start-up hands it over) the program's log; it sets up the Direct3D
// framework on its drawing panel with the renderer's callbacks (uMapCallbacks.h) and, 500 ms after it is shown,
// enters the framework's main loop, inside which every handler below runs.
//
// The window is the shared view state (TMainViewState) the map renderer reads. Its handlers live in one unit per
// job: life cycle, opening and closing (uMainEngine.cpp); view geometry, zoom and scrolling (uMainView.cpp);
// modes, edits and saving (uMainEdit.cpp); tile picker, side panels and the full-view switch (uMainPicker.cpp).
//
// Layout: the text resource "MAINWINDOW" (layouts/MainWindow.lay).
#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "editor/core/uMainState.h"
#include "editor/core/uTilePickerRules.h"
#include "editor/uMapRender.h"

class TAction;
class TActionList;
class TImageCacheManager;
class TIniFile;
class TLabel;
class TLogEngine;
class TMainMenu;
class TOpenDialog;
class TPNGButton;
class TSaveDialog;
class TScrollBar;
class TSDDButton;
class TSDDCheckBox;
class TSDDComboBox;
class TSDDMaskEdit;
class TSDDPanel;
class TSDDSpinButtons;
class TSDDSplitter;
class TSDDStatusBar;
class TSDDStatusPane;
class TSDDStringGrid;
class TTimer;
class TVesk3Map;

// Columns and rows of the open map (0 until one is opened or created); the scroll maxima use them.
extern int32_t MapWidth;
extern int32_t MapHeight;

class TfrmSorvantaMain : public TForm, public TMainViewState {
public:
    // ClientFolder: where "Data\", "Map\", the settings and screenshots are (with its trailing delimiter). Log:
    // the program's log (not owned until AdoptLog), used from the first line of FormCreate. Throws EReadError
    // for a damaged layout.
    TfrmSorvantaMain(TComponent* AOwner, const std::string& ClientFolder, TLogEngine* Log);
    ~TfrmSorvantaMain() override;

    // The window frees the log when it closes (its shutdown banner is then the log's last line).
    void AdoptLog(std::unique_ptr<TLogEngine> Log);
    // The log while the window has one (null after it closed).
    TLogEngine* Log() const { return LogEngine; }

    // ---- what the other units of the editor use ----
    // Makes Index the zoom level and computes both scroll maxima; other indexes set only the label.
    void ApplyZoomLevel(int32_t Index);
    // Mode 1: the cells under panel point (X, Y); mode 0: the mouse left the panel.
    void UpdateCursorCells(uint8_t Mode, int32_t X, int32_t Y);
    // The create-map dialog's work: the open map (or a new one) becomes an empty map of the size and type; the
    // labels, the picked image, the object mode and the zoom start again. False when the map could not be made.
    bool ApplyNewMap(const std::string& Name, int32_t Width, int32_t Height, int32_t MapType);
    std::unique_ptr<TIniFile> IniFile;
    std::unique_ptr<TVesk3Map> Map;
    std::unique_ptr<TImageCacheManager> CacheManager;

    // ---- the layout's controls ----
    TMainMenu* mmMain = nullptr;
    TActionList* alMain = nullptr;
    TAction* actOpenProject = nullptr;
    TAction* actCloseMapEditor = nullptr;
    TPNGButton* btn_Create_New_Project = nullptr;
    TPNGButton* PNGButton3 = nullptr;  // open
    TPNGButton* PNGButton4 = nullptr;  // save
    TPNGButton* btnEditMode = nullptr;
    TPNGButton* btnSelectMode = nullptr;
    TPNGButton* btnDeleteMode = nullptr;
    TPNGButton* PNGButton5 = nullptr;  // full view
    TPNGButton* btnDisableModes = nullptr;
    TPNGButton* btnTileObjectMode = nullptr;
    TPNGButton* btnFrontObjectMode = nullptr;
    TPNGButton* btnBackObjectMode = nullptr;
    TPNGButton* btnBarrireObjectMode = nullptr;
    TPNGButton* btnLightObjectMode = nullptr;
    TPNGButton* PNGButton1 = nullptr;  // merchant file
    TSDDSplitter* SDDSplitter1 = nullptr;
    TSDDSplitter* SDDSplitter2 = nullptr;
    TSDDPanel* plBackground = nullptr;
    TSDDPanel* plDrawEnvir = nullptr;
    TSDDPanel* plRigth = nullptr;
    TScrollBar* scbaHorizontal = nullptr;
    TScrollBar* scbaVertical = nullptr;
    TSDDStatusBar* stbMain = nullptr;
    TSDDStatusPane* stpSelectMode = nullptr;
    TSDDStatusPane* stpSetWorkMode = nullptr;
    TTimer* tmr1 = nullptr;
    TOpenDialog* odOpenMapSet = nullptr;
    TSaveDialog* seSaveVesk3Map = nullptr;
    TOpenDialog* oeOpenMerchant = nullptr;
    // tile picker
    TSDDComboBox* cbImageLibSet = nullptr;
    TSDDCheckBox* cbShowIndexNr = nullptr;
    TSDDCheckBox* cbGridView = nullptr;
    TSDDStringGrid* TileGrid = nullptr;
    // options
    TSDDCheckBox* chkTileLines = nullptr;
    TSDDCheckBox* chkStepLines = nullptr;
    TSDDCheckBox* chkShowTiles = nullptr;
    TSDDCheckBox* chkShowFrontObject = nullptr;
    TSDDCheckBox* chkShowBackObject = nullptr;
    TSDDCheckBox* chkShowBarrier = nullptr;
    TSDDCheckBox* chkShowLight = nullptr;
    TSDDCheckBox* chkShowAnimation = nullptr;
    TSDDSpinButtons* sbtnZoom = nullptr;
    TSDDButton* btnResetZoom = nullptr;
    TLabel* laZoomMode = nullptr;
    TSDDMaskEdit* maJumpX = nullptr;
    TSDDMaskEdit* maJumpY = nullptr;
    TSDDButton* SDDButton1 = nullptr;  // jump
    TSDDComboBox* cbBlockerType = nullptr;
    TSDDButton* SDDButton2 = nullptr;  // screenshot
    TSDDButton* SDDButton3 = nullptr;  // delete all blockers
    TSDDButton* SDDButton4 = nullptr;  // fill the map
    TLabel* laMerchantfile = nullptr;
    // map info
    TLabel* laMapName = nullptr;
    TLabel* laMapWInfo = nullptr;
    TLabel* laMapHInfo = nullptr;
    TLabel* laMapType = nullptr;
    TLabel* laTileXInfo = nullptr;
    TLabel* laTileYInfo = nullptr;
    TLabel* laObjectXInfo = nullptr;
    TLabel* laObjectYInfo = nullptr;
    TLabel* laTileInfoImage = nullptr;
    TLabel* laTileInfoFile = nullptr;
    TLabel* laCellFInfoImage = nullptr;
    TLabel* laCellFInfoFile = nullptr;
    TLabel* laCellBInfoImage = nullptr;
    TLabel* laCellBInfoFile = nullptr;

    // The tile picker's selection frame.
    TPickerFrame PickerFrame;

private:
    static void Register();
    void FindControls();
    void RestoreExceptionHandler();
    // What closing the window frees, in its order; also run by the destructor when the window was not closed.
    void ShutDown();

    // ---- life cycle, opening and closing (uMainEngine.cpp) ----
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void tmr1Timer(TObject* Sender);
    void actOpenProjectExecute(TObject* Sender);
    void actCloseMapEditorExecute(TObject* Sender);
    void btn_Create_New_ProjectClick(TObject* Sender);
    // The labels and state every newly opened or created map starts with.
    void ShowMapInfo(const std::string& Name);
    void ReportError(const std::string& Message, const std::exception& E);
    // The map and the view's sizes as the renderer reads them.
    void plBackgroundResize(TObject* Sender);
    // A map was opened or created: the renderer, the map's size and the map's serial number follow.
    void MapChanged();
    // Whether the map with serial number `Serial` is still the open map of a window that was not closed. A file
    // dialog's modal loop runs every handler of the window while it is up, closing and creating maps included: a
    // handler checks again once the dialog returns.
    bool MapStillOpen(uint32_t Serial) const { return !ShutDownDone && Map && MapSerial == Serial; }

    // ---- view geometry, zoom and scrolling (uMainView.cpp) ----
    void plDrawEnvirMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void plDrawEnvirMouseLeave(TObject* Sender);
    void scbaHorizontalChange(TObject* Sender);
    void scbaVerticalChange(TObject* Sender);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    void sbtnZoomDownLeftClick(TObject* Sender);
    void sbtnZoomUpRightClick(TObject* Sender);
    void btnResetZoomClick(TObject* Sender);
    void SDDButton1Click(TObject* Sender);
    void ShowCellInfo();
    // (X, Y) in drawing-panel pixels lies in the part of the panel the view shows.
    bool PointInView(int X, int Y) const;

    // ---- modes, edits and saving (uMainEdit.cpp) ----
    void plDrawEnvirClick(TObject* Sender);
    void plDrawEnvirMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void plDrawEnvirMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void btnEditModeClick(TObject* Sender);
    void btnSelectModeClick(TObject* Sender);
    void btnDeleteModeClick(TObject* Sender);
    void btnDisableModesClick(TObject* Sender);
    void btnTileObjectModeClick(TObject* Sender);
    void btnFrontObjectModeClick(TObject* Sender);
    void btnBackObjectModeClick(TObject* Sender);
    void btnBarrireObjectModeClick(TObject* Sender);
    void btnLightObjectModeClick(TObject* Sender);
    void cbBlockerTypeChange(TObject* Sender);
    void SDDButton3Click(TObject* Sender);
    void SDDButton4Click(TObject* Sender);
    void PNGButton4Click(TObject* Sender);
    // Work mode draw with its button and pane.
    void SwitchToDraw();
    // Clicking a checked work-mode button turns its mode off, and the button shows unchecked; false when it was not
    // checked.
    bool TurnWorkModeOff(TPNGButton* Button);
    void CheckWorkButton(TPNGButton* Checked);
    // The object mode, its layer kind and pane, with Checked the one left-bar button checked.
    void ChooseObjectMode(int32_t Mode, const char* Pane, TPNGButton* Checked);
    void SetWorkPane(const char* Text);
    void SetObjectPane(const char* Text);
    void ShowBlockerLayer();

    // ---- tile picker, side panels and full view (uMainPicker.cpp) ----
    void cbImageLibSetChange(TObject* Sender);
    void FormResize(TObject* Sender);
    void TileGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void TileGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TileGridSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void cbShowIndexNrClick(TObject* Sender);
    void cbGridViewClick(TObject* Sender);
    void chkTileLinesClick(TObject* Sender);
    void chkStepLinesClick(TObject* Sender);
    void chkShowTilesClick(TObject* Sender);
    void chkShowFrontObjectClick(TObject* Sender);
    void chkShowBackObjectClick(TObject* Sender);
    void chkShowBarrierClick(TObject* Sender);
    void chkShowLightClick(TObject* Sender);
    void chkShowAnimationClick(TObject* Sender);
    void SDDButton2Click(TObject* Sender);
    void PNGButton1Click(TObject* Sender);
    void PNGButton5Click(TObject* Sender);
    int32_t SelectModeForLibrary(int32_t Library);
    int32_t PickerImageCount() const;

    std::string Folder;
    TLogEngine* LogEngine = nullptr;
    std::unique_ptr<TLogEngine> OwnedLog;
    TMapRenderContext RenderContext{*this};
    std::unique_ptr<TMapRenderer> Renderer;
    TExceptionEvent PreviousOnException;
    int32_t LastMouseX = 0, LastMouseY = 0;
    uint32_t MapSerial = 0;      // counts the maps opened and created
    bool PointerInView = false;  // the drawing panel last heard of the mouse over the view
    bool ShutDownDone = false;
};

// The main window while it exists (set from the start of its construction to the end of its destruction).
extern TfrmSorvantaMain* frmSorvantaMain;
