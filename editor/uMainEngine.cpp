// The main window's spine. Sections: program-wide state; construction and layout; life cycle; opening, creating
// and closing maps.
#include "editor/uMainEngine.h"

#include <utility>

#include "Common/Dev_Gui.h"
#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_SystemReport.h"
#include "classlib/ActnList.h"
#include "classlib/Dialogs.h"
#include "classlib/Menus.h"
#include "classlib/ScrollBars.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timer.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"
#include "controls/AdditionalLayoutClasses.h"
#include "controls/pngextra.h"
#include "editor/core/uDeviceResultText.h"
#include "editor/dev_Create_New_Map.h"
#include "editor/uImageLibraryCheck.h"
#include "editor/uLayoutLookup.h"
#include "editor/uMapCallbacks.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDGrids.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDRadChk.h"
#include "sddcontrols/unSDDSpnEdt.h"
#include "sddcontrols/unSDDSplit.h"
#include "sddcontrols/unSDDStatus.h"

// ---- program-wide state ------------------------------------------------------------------------------------------

int32_t MapWidth = 0;
int32_t MapHeight = 0;
TfrmSorvantaMain* frmSorvantaMain = nullptr;

namespace {

constexpr float SecondsPerFrame = 0.0333f;

}  // namespace

// ---- construction and layout -------------------------------------------------------------------------------------

void TfrmSorvantaMain::Register()
{
    static const bool done = [] {
        RegisterSDDLayoutClasses();
        RegisterAdditionalLayoutClasses();
        using F = TfrmSorvantaMain;
        TLayoutRegistration<F, TForm>("TfrmSorvantaMain")
            .Handler("FormCreate", &F::FormCreate)
            .Handler("FormShow", &F::FormShow)
            .Handler("FormClose", &F::FormClose)
            .Handler("FormResize", &F::FormResize)
            .Handler("FormMouseWheel", &F::FormMouseWheel)
            .Handler("tmr1Timer", &F::tmr1Timer)
            .Handler("actOpenProjectExecute", &F::actOpenProjectExecute)
            .Handler("actCloseMapEditorExecute", &F::actCloseMapEditorExecute)
            .Handler("btn_Create_New_ProjectClick", &F::btn_Create_New_ProjectClick)
            .Handler("plDrawEnvirMouseMove", &F::plDrawEnvirMouseMove)
            .Handler("plDrawEnvirMouseLeave", &F::plDrawEnvirMouseLeave)
            .Handler("plDrawEnvirMouseDown", &F::plDrawEnvirMouseDown)
            .Handler("plDrawEnvirMouseUp", &F::plDrawEnvirMouseUp)
            .Handler("plDrawEnvirClick", &F::plDrawEnvirClick)
            .Handler("scbaHorizontalChange", &F::scbaHorizontalChange)
            .Handler("scbaVerticalChange", &F::scbaVerticalChange)
            .Handler("sbtnZoomDownLeftClick", &F::sbtnZoomDownLeftClick)
            .Handler("sbtnZoomUpRightClick", &F::sbtnZoomUpRightClick)
            .Handler("btnResetZoomClick", &F::btnResetZoomClick)
            .Handler("SDDButton1Click", &F::SDDButton1Click)
            .Handler("btnEditModeClick", &F::btnEditModeClick)
            .Handler("btnSelectModeClick", &F::btnSelectModeClick)
            .Handler("btnDeleteModeClick", &F::btnDeleteModeClick)
            .Handler("btnDisableModesClick", &F::btnDisableModesClick)
            .Handler("btnTileObjectModeClick", &F::btnTileObjectModeClick)
            .Handler("btnFrontObjectModeClick", &F::btnFrontObjectModeClick)
            .Handler("btnBackObjectModeClick", &F::btnBackObjectModeClick)
            .Handler("btnBarrireObjectModeClick", &F::btnBarrireObjectModeClick)
            .Handler("btnLightObjectModeClick", &F::btnLightObjectModeClick)
            .Handler("cbBlockerTypeChange", &F::cbBlockerTypeChange)
            .Handler("SDDButton3Click", &F::SDDButton3Click)
            .Handler("SDDButton4Click", &F::SDDButton4Click)
            .Handler("PNGButton4Click", &F::PNGButton4Click)
            .Handler("cbImageLibSetChange", &F::cbImageLibSetChange)
            .Handler("TileGridDrawCell", &F::TileGridDrawCell)
            .Handler("TileGridMouseDown", &F::TileGridMouseDown)
            .Handler("TileGridSelectCell", &F::TileGridSelectCell)
            .Handler("cbShowIndexNrClick", &F::cbShowIndexNrClick)
            .Handler("cbGridViewClick", &F::cbGridViewClick)
            .Handler("chkTileLinesClick", &F::chkTileLinesClick)
            .Handler("chkStepLinesClick", &F::chkStepLinesClick)
            .Handler("chkShowTilesClick", &F::chkShowTilesClick)
            .Handler("chkShowFrontObjectClick", &F::chkShowFrontObjectClick)
            .Handler("chkShowBackObjectClick", &F::chkShowBackObjectClick)
            .Handler("chkShowBarrierClick", &F::chkShowBarrierClick)
            .Handler("chkShowLightClick", &F::chkShowLightClick)
            .Handler("chkShowAnimationClick", &F::chkShowAnimationClick)
            .Handler("SDDButton2Click", &F::SDDButton2Click)
            .Handler("PNGButton1Click", &F::PNGButton1Click)
            .Handler("PNGButton5Click", &F::PNGButton5Click)
            .Handler("plBackgroundResize", &F::plBackgroundResize);
        return true;
    }();
    (void)done;
}

TfrmSorvantaMain::TfrmSorvantaMain(TComponent* AOwner, const std::string& ClientFolder, TLogEngine* Log)
    : TForm(AOwner), Folder(ClientFolder), LogEngine(Log)
{
    frmSorvantaMain = this;
    RenderContext.Log = Log;
    RenderContext.ExeFolder = Folder;
    Renderer = std::make_unique<TMapRenderer>(RenderContext);
    MapRenderer = Renderer.get();
    // Faults the class library reports (in handlers, window procedures and timers) go to the log.
    PreviousOnException = Application->OnException;
    Application->OnException = [this](TObject* Sender, const std::exception& E) {
        if (LogEngine) LogEngine->LogError(std::string("Unhandled error: ") + E.what());
        if (PreviousOnException) PreviousOnException(Sender, E);
    };
    try {
        Register();
        LoadLayout("MAINWINDOW");
    } catch (...) {
        ShutDown();
        frmSorvantaMain = nullptr;
        throw;
    }
}

TfrmSorvantaMain::~TfrmSorvantaMain()
{
    try {
        ShutDown();
    } catch (...) {
        Application->HandleException(this);
    }
    if (frmSorvantaMain == this) frmSorvantaMain = nullptr;
}

void TfrmSorvantaMain::AdoptLog(std::unique_ptr<TLogEngine> Log)
{
    OwnedLog = std::move(Log);
    LogEngine = OwnedLog.get();
    RenderContext.Log = LogEngine;
}

void TfrmSorvantaMain::RestoreExceptionHandler()
{
    Application->OnException = std::move(PreviousOnException);
    PreviousOnException = nullptr;
}

void TfrmSorvantaMain::FindControls()
{
    TComponent& f = *this;
    FindLayoutControl(f, mmMain, "mmMain");
    FindLayoutControl(f, alMain, "alMain");
    FindLayoutControl(f, actOpenProject, "actOpenProject");
    FindLayoutControl(f, actCloseMapEditor, "actCloseMapEditor");
    FindLayoutControl(f, btn_Create_New_Project, "btn_Create_New_Project");
    FindLayoutControl(f, PNGButton3, "PNGButton3");
    FindLayoutControl(f, PNGButton4, "PNGButton4");
    FindLayoutControl(f, btnEditMode, "btnEditMode");
    FindLayoutControl(f, btnSelectMode, "btnSelectMode");
    FindLayoutControl(f, btnDeleteMode, "btnDeleteMode");
    FindLayoutControl(f, PNGButton5, "PNGButton5");
    FindLayoutControl(f, btnDisableModes, "btnDisableModes");
    FindLayoutControl(f, btnTileObjectMode, "btnTileObjectMode");
    FindLayoutControl(f, btnFrontObjectMode, "btnFrontObjectMode");
    FindLayoutControl(f, btnBackObjectMode, "btnBackObjectMode");
    FindLayoutControl(f, btnBarrireObjectMode, "btnBarrireObjectMode");
    FindLayoutControl(f, btnLightObjectMode, "btnLightObjectMode");
    FindLayoutControl(f, PNGButton1, "PNGButton1");
    FindLayoutControl(f, SDDSplitter1, "SDDSplitter1");
    FindLayoutControl(f, SDDSplitter2, "SDDSplitter2");
    FindLayoutControl(f, plBackground, "plBackground");
    FindLayoutControl(f, plDrawEnvir, "plDrawEnvir");
    FindLayoutControl(f, plRigth, "plRigth");
    FindLayoutControl(f, scbaHorizontal, "scbaHorizontal");
    FindLayoutControl(f, scbaVertical, "scbaVertical");
    FindLayoutControl(f, stbMain, "stbMain");
    FindLayoutControl(f, stpSelectMode, "stpSelectMode");
    FindLayoutControl(f, stpSetWorkMode, "stpSetWorkMode");
    FindLayoutControl(f, tmr1, "tmr1");
    FindLayoutControl(f, odOpenMapSet, "odOpenMapSet");
    FindLayoutControl(f, seSaveVesk3Map, "seSaveVesk3Map");
    FindLayoutControl(f, oeOpenMerchant, "oeOpenMerchant");
    FindLayoutControl(f, cbImageLibSet, "cbImageLibSet");
    FindLayoutControl(f, cbShowIndexNr, "cbShowIndexNr");
    FindLayoutControl(f, cbGridView, "cbGridView");
    FindLayoutControl(f, TileGrid, "TileGrid");
    FindLayoutControl(f, chkTileLines, "chkTileLines");
    FindLayoutControl(f, chkStepLines, "chkStepLines");
    FindLayoutControl(f, chkShowTiles, "chkShowTiles");
    FindLayoutControl(f, chkShowFrontObject, "chkShowFrontObject");
    FindLayoutControl(f, chkShowBackObject, "chkShowBackObject");
    FindLayoutControl(f, chkShowBarrier, "chkShowBarrier");
    FindLayoutControl(f, chkShowLight, "chkShowLight");
    FindLayoutControl(f, chkShowAnimation, "chkShowAnimation");
    FindLayoutControl(f, sbtnZoom, "sbtnZoom");
    FindLayoutControl(f, btnResetZoom, "btnResetZoom");
    FindLayoutControl(f, laZoomMode, "laZoomMode");
    FindLayoutControl(f, maJumpX, "maJumpX");
    FindLayoutControl(f, maJumpY, "maJumpY");
    FindLayoutControl(f, SDDButton1, "SDDButton1");
    FindLayoutControl(f, cbBlockerType, "cbBlockerType");
    FindLayoutControl(f, SDDButton2, "SDDButton2");
    FindLayoutControl(f, SDDButton3, "SDDButton3");
    FindLayoutControl(f, SDDButton4, "SDDButton4");
    FindLayoutControl(f, laMerchantfile, "laMerchantfile");
    FindLayoutControl(f, laMapName, "laMapName");
    FindLayoutControl(f, laMapWInfo, "laMapWInfo");
    FindLayoutControl(f, laMapHInfo, "laMapHInfo");
    FindLayoutControl(f, laMapType, "laMapType");
    FindLayoutControl(f, laTileXInfo, "laTileXInfo");
    FindLayoutControl(f, laTileYInfo, "laTileYInfo");
    FindLayoutControl(f, laObjectXInfo, "laObjectXInfo");
    FindLayoutControl(f, laObjectYInfo, "laObjectYInfo");
    FindLayoutControl(f, laTileInfoImage, "laTileInfoImage");
    FindLayoutControl(f, laTileInfoFile, "laTileInfoFile");
    FindLayoutControl(f, laCellFInfoImage, "laCellFInfoImage");
    FindLayoutControl(f, laCellFInfoFile, "laCellFInfoFile");
    FindLayoutControl(f, laCellBInfoImage, "laCellBInfoImage");
    FindLayoutControl(f, laCellBInfoFile, "laCellBInfoFile");
}

// ---- life cycle --------------------------------------------------------------------------------------------------

void TfrmSorvantaMain::FormCreate(TObject*)
{
    FindControls();
    plBackgroundResize(this);
    IniFile = std::make_unique<TIniFile>(Folder + SettingsFileName);
    ImageLibKind = IniFile->ReadString("UseImageLib", "UsingLib", "WIL") == "SIL" ? ImageLibKindSIL : ImageLibKindWIL;
    // The shared view state starts at its defaults (TMainViewState).
    SetRenderCallbacks();
    NoVSync = IniFile->ReadBool("DirectX", "NoVSync", false);
    // The back buffer has the screen's size; the panel shows what its parent leaves visible of it.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    plDrawEnvir->SetBounds(0, 0, screenWidth, screenHeight);
    ClearColor = 0x00000000;

    DXUTInit(false, false, false, true);
    DXUTSetWindow(Handle(), plDrawEnvir->Handle(), plDrawEnvir->Handle(), false);
    const HRESULT created = DXUTCreateDevice(0, true, screenWidth, screenHeight, IsDeviceAcceptable,
                                             ModifyDeviceSettings, nullptr);
    DXUTSetCursorSettings(true, true);
    DXUTSetConstantFrameTime(true, SecondsPerFrame);

    if (!LogSystemInformation(LogEngine)) return;  // no DirectX: no caches either
    if (const std::string text = DeviceResultLogText(created); !text.empty()) LogEngine->LogError(text);
    TImageCacheSettings settings;
    settings.Folder = Folder;
    CacheManager = std::make_unique<TImageCacheManager>(LogEngine, DXUTGetD3DDevice().Get(), std::move(settings));
    RenderContext.CacheManager = CacheManager.get();
    CacheManager->StartLoader();
    Application->ProcessMessages();
}

void TfrmSorvantaMain::FormShow(TObject*)
{
    Application->ProcessMessages();
    tmr1->SetEnabled(true);
}

void TfrmSorvantaMain::tmr1Timer(TObject*)
{
    tmr1->SetEnabled(false);
    Application->ProcessMessages();
    // Returns only when the application quits; every later handler runs inside it.
    DXUTMainLoop(nullptr);
}

void TfrmSorvantaMain::FormClose(TObject*, TCloseAction&) { ShutDown(); }

void TfrmSorvantaMain::ShutDown()
{
    if (ShutDownDone) return;
    ShutDownDone = true;
    // The caches let go of their textures while the device they were made on still exists.
    RenderContext.CacheManager = nullptr;
    CacheManager.reset();
    DXUTShutdownWithoutClose(0);
    if (MapRenderer == Renderer.get()) MapRenderer = nullptr;
    RenderContext.Map = nullptr;
    Map.reset();
    MapWidth = MapHeight = 0;
    if (IniFile) {
        try {
            IniFile->UpdateFile();
        } catch (const std::exception& e) {
            if (LogEngine) LogEngine->LogError(std::string("The settings could not be written: ") + e.what());
        }
        IniFile.reset();
    }
    RestoreExceptionHandler();
    // The log goes last: its shutdown banner closes the file.
    RenderContext.Log = nullptr;
    LogEngine = nullptr;
    OwnedLog.reset();
}

void TfrmSorvantaMain::plBackgroundResize(TObject*)
{
    if (!plBackground) return;  // the layout is still being read
    RenderContext.BackgroundWidth = plBackground->Width();
    RenderContext.BackgroundHeight = plBackground->Height();
    RenderContext.GridWidth = scbaHorizontal->Width();
    RenderContext.GridHeight = scbaVertical->Height();
}

void TfrmSorvantaMain::MapChanged()
{
    ++MapSerial;
    RenderContext.Map = Map.get();
    MapWidth = Map->Width;
    MapHeight = Map->Height;
}

// ---- opening, creating and closing maps --------------------------------------------------------------------------

void TfrmSorvantaMain::actCloseMapEditorExecute(TObject*) { Close(); }

void TfrmSorvantaMain::actOpenProjectExecute(TObject*)
{
    try {
        odOpenMapSet->SetInitialDir(Folder + "Map\\");
        if (!odOpenMapSet->Execute() || ShutDownDone) return;
        const std::string path = odOpenMapSet->FileName();
        // The file is read into a map of its own: a file that cannot be read leaves the open map as it was.
        auto loaded = std::make_unique<TVesk3Map>();
        if (!loaded->LoadFromFile(path)) {
            ShowMessage("Could not read map file: " + path);
            return;
        }
        Map = std::move(loaded);
        MapChanged();
        scbaHorizontal->SetPosition(0);
        scbaVertical->SetPosition(0);
        ShowMapInfo(ExtractFileName(path));
        ZoomPercent = 100;
        ApplyZoomLevel(DefaultZoomIndex);
    } catch (const std::exception& e) {
        ReportError("Opening a map failed: ", e);
    }
}

bool TfrmSorvantaMain::ApplyNewMap(const std::string& Name, int32_t Width, int32_t Height, int32_t MapType)
{
    scbaHorizontal->SetPosition(0);
    scbaVertical->SetPosition(0);
    if (!Map) Map = std::make_unique<TVesk3Map>();
    if (!Map->NewMap(Name, Width, Height, MapType)) return false;
    MapChanged();
    ShowMapInfo(Name);
    SelectedImage = -1;
    SelectedLibrary = -1;
    PickerGridKind = PickerKindTiles;
    ObjectMode = ObjectModeNone;  // the mode buttons and panes stay as they are
    ZoomPercent = 100;
    ApplyZoomLevel(DefaultZoomIndex);
    return true;
}

void TfrmSorvantaMain::ShowMapInfo(const std::string& Name)
{
    laMapName->SetCaption(Name);
    RenderContext.MapLabel = Name;
    laMapHInfo->SetCaption(IntToStr(MapHeight));
    laMapWInfo->SetCaption(IntToStr(MapWidth));
    laMapType->SetCaption(Map->GetMapTypeName());
    PNGButton4->SetEnabled(true);
}

void TfrmSorvantaMain::btn_Create_New_ProjectClick(TObject*)
{
    // Modeless: each click opens one more dialog, which frees itself when it closes.
    new TfrmMapCreate_MAP(this);
}

void TfrmSorvantaMain::ReportError(const std::string& Message, const std::exception& E)
{
    if (LogEngine) LogEngine->LogError(Message + E.what());
}
