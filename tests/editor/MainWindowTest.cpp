// The main window's life: what a fresh start shows, the settings it reads, opening maps (a file that cannot be
// read keeps the open map), faults reaching the log, and closing (the caches go before the device, the log ends
// with its banner).
#include "tests/editor/MainWindowScene.h"

#include <array>
#include <string>
#include <vector>

#include "Common/Dev_Render.h"
#include "classlib/ActnList.h"
#include "classlib/DeviceContext.h"
#include "classlib/Menus.h"
#include "classlib/ScrollBars.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/SysUtils.h"
#include "controls/pngextra.h"
#include "editor/uMapCallbacks.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSpnEdt.h"
#include "sddcontrols/unSDDStatus.h"

namespace mainwin_test {
namespace {

// A pixel of a windowed control's client area as it is on the screen.
COLORREF PixelOf(TWinControl& control, int x, int y)
{
    TWindowDC dc(control.Handle());
    return GetPixel(dc.Handle(), x, y);
}

TEST(MainWindow, AFreshStartShowsNoMapAndNoMode)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    const TMainViewState fresh;
    EXPECT_EQ(w.ZoomIndex, 6);
    EXPECT_EQ(w.ZoomPercent, 100);
    EXPECT_EQ(w.ZoomText, "");
    EXPECT_EQ(w.laZoomMode->Caption(), "100 %") << "the layout's caption until a zoom is applied";
    EXPECT_EQ((std::array{w.WorkMode, w.ObjectMode, w.PickerLibrary, w.SelectedImage, w.SelectedLibrary}),
              (std::array{0, 0, -1, -1, -1}));
    EXPECT_EQ((std::array{w.ShowTiles, w.ShowFrontObjects, w.ShowBackObjects, w.ShowBlockers, w.ShowLights,
                          w.ShowAnimation, w.ShowStepGrid, w.ShowTileGrid, w.ShowIndexNumbers}),
              (std::array{true, true, true, false, false, false, false, false, true}));
    EXPECT_EQ(w.OverlayColorsB, fresh.OverlayColorsB);
    EXPECT_EQ(w.stpSelectMode->Caption(), "-");
    EXPECT_EQ(w.stpSetWorkMode->Caption(), " - ");
    EXPECT_TRUE(w.btnDisableModes->Checked());
    EXPECT_FALSE(w.PNGButton4->Enabled()) << "nothing to save";
    EXPECT_EQ(w.laMapName->Caption(), " - ");
    EXPECT_FALSE(w.PNGButton1->Enabled()) << "the merchant page is inactive";
    EXPECT_EQ(w.laMerchantfile->Caption(), "...");
    EXPECT_EQ(MapWidth, 0);
    EXPECT_EQ(w.tmr1->Interval(), 500u);
    // The back buffer has the screen's size; the panel shows the part its parent leaves visible.
    EXPECT_EQ(w.plDrawEnvir->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(w.plDrawEnvir->Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(w.scbaHorizontal->SmallChange(), 2);
    EXPECT_EQ(w.scbaVertical->LargeChange(), 2);

    // Only opening and closing have handlers: the other actions show disabled, the map-set ones not at all.
    struct Row {
        const char* Action;
        bool Enabled, Visible;
    };
    for (const Row r : {Row{"actOpenProject", true, true}, Row{"actCloseMapEditor", true, true},
                        Row{"actCreateNewProject", false, true}, Row{"actUndo", false, true},
                        Row{"actOpenSplitImageLibView", false, true}, Row{"actOpenMapSet", false, false},
                        Row{"actSaveMapSetAs", false, false}}) {
        auto* action = dynamic_cast<TAction*>(w.FindComponent(r.Action));
        ASSERT_NE(action, nullptr) << r.Action;
        EXPECT_EQ(action->Enabled(), r.Enabled) << r.Action;
        EXPECT_EQ(action->Visible(), r.Visible) << r.Action;
    }
    auto* undo = dynamic_cast<TMenuItem*>(w.FindComponent("miUndo"));
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->Caption(), "&Undo");
    EXPECT_TRUE(GetMenuState(GetMenu(w.Handle()), UINT(undo->Command()), MF_BYCOMMAND) & MF_GRAYED);

    // The controls show around the drawing panel, which holds the cleared view.
    auto* toolBar = dynamic_cast<TWinControl*>(w.FindComponent("plToolBar"));
    ASSERT_NE(toolBar, nullptr);
    EXPECT_NE(PixelOf(*toolBar, toolBar->Width() - 20, 20), 0u);
    EXPECT_NE(PixelOf(*w.plRigth, 5, w.plRigth->Height() - 5), 0u);

    const std::string log = s.LogText();
    EXPECT_NE(log.find("Inite Image Cache Manager done.."), std::string::npos);
    EXPECT_EQ(log.find("Error Code"), std::string::npos) << "the device was created";
}

TEST(MainWindow, TheControlsHaveTheirLaidOutSizes)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    RECT client{};
    GetClientRect(w.Handle(), &client);
    EXPECT_EQ((std::array{client.right, client.bottom}), (std::array{1004L, 755L}));
    // Places in the client area, -1 where the window leaves one free. Between the tool bar and the status bar the
    // work area is 694 high: the picker keeps the height the inner splitter's position gave it (670 - 473 - 8),
    // the map view takes the rest.
    struct Row {
        const char* Name;
        int X, Y, Width, Height;
    };
    const Row rows[] = {
        {"plToolBar", 0, 0, 1004, 42},      {"plLeftBar", 0, 42, 42, 694},         {"stbMain", 0, 736, 1004, 19},
        {"SDDSplitter1", 42, 42, 962, 694}, {"plRigth", 758, 42, 246, 694},        {"plMapArea", 42, 42, 708, 497},
        {"plCorner", 734, 523, 16, 16},     {"pcTileView", 42, 547, 708, 189},     {"TileGrid", 42, -1, 708, -1},
        {"cbImageLibSet", -1, -1, 230, -1}, {"stpSelectMode", -1, -1, 23, 19},     {"stpSetWorkMode", -1, -1, 23, 19},
        {"spGridView", 759, -1, 244, -1},   {"spMonster", -1, -1, -1, 17},  // stored collapsed
    };
    for (const Row& r : rows) {
        auto* control = dynamic_cast<TControl*>(w.FindComponent(r.Name));
        ASSERT_NE(control, nullptr) << r.Name;
        const TRect at = RectInForm(w, *control);
        const auto laid = [](int expected, int actual) { return expected < 0 ? actual : expected; };
        const TRect expected =
            Bounds(laid(r.X, at.Left), laid(r.Y, at.Top), laid(r.Width, at.Width()), laid(r.Height, at.Height()));
        EXPECT_EQ(PlaceText(at), PlaceText(expected)) << r.Name;
    }
}

// A user's click on the background of an open option group moves no group: each group is laid out open at the
// height that a press on it keeps, its locked height.
TEST(MainWindow, AClickOnAnOptionGroupMovesNoGroup)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    const auto group = [&](const char* name) -> TWinControl& {
        auto* found = dynamic_cast<TWinControl*>(w.FindComponent(name));
        EXPECT_NE(found, nullptr) << name;
        return found ? *found : *w.plRigth;
    };
    const char* const groups[] = {"spGridView", "spObjectView", "spZoomJump", "spBlocker"};
    const auto places = [&] {
        std::vector<std::string> lines;
        for (const char* g : groups) lines.push_back(std::string(g) + " " + PlaceText(RectInForm(w, group(g))));
        return lines;
    };
    struct Row {
        const char* Group;
        int X, Y;  // a point of the group's background, in its client area
    };
    const Row rows[] = {
        {"spGridView", 200, 50},
        {"spObjectView", 200, 60},
        {"spZoomJump", 64, 51},  // between the zoom arrows and the X field
        {"spBlocker", 200, 60},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Group);
        TWinControl& clicked = group(r.Group);
        POINT at{r.X, r.Y};
        ClientToScreen(clicked.Handle(), &at);
        ASSERT_EQ(WindowFromPoint(at), clicked.Handle()) << "the point shows the group's own background";
        const std::vector<std::string> before = places();
        s.UserClickAt(clicked, r.X, r.Y);
        EXPECT_EQ(places(), before);
    }
}

TEST(MainWindow, TheSettingsChooseTheLibrariesAndVerticalSync)
{
    struct Row {
        const char* Settings;
        int32_t LibraryKind;
        bool NoVSync;
    };
    const Row rows[] = {
        {"[UseImageLib]\r\nUsingLib=SIL\r\n", ImageLibKindSIL, false},
        {"[UseImageLib]\r\nUsingLib=sil\r\n", ImageLibKindWIL, false},  // compared with its case
        {"[UseImageLib]\r\nUsingLib=WIL\r\n[DirectX]\r\nNoVSync=1\r\n", ImageLibKindWIL, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Settings);
        TMainScene s(r.Settings);
        EXPECT_EQ(ImageLibKind, r.LibraryKind);
        EXPECT_EQ(NoVSync, r.NoVSync);
    }
    ImageLibKind = ImageLibKindWIL;
}

TEST(MainWindow, OpeningAMapShowsItsInformationAndStartsTheViewAgain)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.ClickAt(*w.sbtnZoom, 8, 20);  // a zoom of its own (in), which opening resets
    ASSERT_NE(w.ZoomIndex, 6);
    s.Open(s.client.MapPath());
    ASSERT_EQ(s.dialogs.Requests.size(), 1u);
    EXPECT_EQ(s.dialogs.Requests[0].InitialDir, s.client.Folder() + "Map\\");
    ASSERT_NE(w.Map, nullptr);
    EXPECT_EQ((std::array{MapWidth, MapHeight}), (std::array{FixtureMapWidth, FixtureMapHeight}));
    EXPECT_EQ(w.laMapName->Caption(), FixtureMapName);
    EXPECT_EQ(w.laMapWInfo->Caption(), "40");
    EXPECT_EQ(w.laMapHInfo->Caption(), "30");
    EXPECT_EQ(w.laMapType->Caption(), "Forest (2)");
    EXPECT_TRUE(w.PNGButton4->Enabled());
    EXPECT_EQ(w.ZoomIndex, 6);
    EXPECT_EQ(w.laZoomMode->Caption(), "100%");
    EXPECT_EQ(w.scbaHorizontal->Position(), 0);
    EXPECT_TRUE(s.capture.Boxes.empty());
}

TEST(MainWindow, AMapFileThatCannotBeReadLeavesTheOpenMapAndItsView)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    TVesk3Map* const open = w.Map.get();
    w.maJumpX->SetText("20");
    w.maJumpY->SetText("16");
    s.Click(*w.SDDButton1);
    s.ClickAt(*w.sbtnZoom, 8, 20);  // the lower half: zoom in
    ASSERT_EQ((std::array{w.scbaHorizontal->Position(), w.scbaVertical->Position(), w.ZoomIndex}),
              (std::array{12, 8, 7}));

    const std::string broken = s.client.MapPath("Broken.map");
    ASSERT_TRUE(fixtures::WriteBytesToFile(broken, fixtures::MapFileBuilder(40, 30).CutShort(10)));
    for (const std::string& answer : {broken, std::string()}) {  // a file that cannot be read; a cancelled dialog
        SCOPED_TRACE(answer);
        s.capture.Boxes.clear();
        s.Open(answer);
        EXPECT_EQ(w.Map.get(), open);
        EXPECT_EQ(w.laMapName->Caption(), FixtureMapName);
        EXPECT_EQ((std::array{w.scbaHorizontal->Position(), w.scbaVertical->Position(), w.ZoomIndex}),
                  (std::array{12, 8, 7}));
        EXPECT_EQ(MapWidth, FixtureMapWidth);
    }
    s.capture.Boxes.clear();
    s.Open(broken);
    ASSERT_EQ(s.capture.Boxes.size(), 1u);
    EXPECT_EQ(s.capture.Boxes[0].Text, "Could not read map file: " + broken);
    EXPECT_EQ(s.capture.Boxes[0].Flags & MB_TYPEMASK, UINT(MB_OK));
}

// Notes whether the caches were gone when the device went, then lets the renderer hear of it as usual.
std::vector<std::string> seenAtDeviceEnd;
void WatchDeviceDestroyed(void* Context)
{
    seenAtDeviceEnd.push_back(frmSorvantaMain && frmSorvantaMain->CacheManager ? "device gone before the caches"
                                                                                : "device gone after the caches");
    OnDeviceDestroyed(Context);
}

TEST(MainWindow, ClosingLetsTheCachesGoBeforeTheDeviceAndEndsTheLog)
{
    seenAtDeviceEnd.clear();
    {
        TMainScene s;
        DXUTSetCallbackDeviceDestroyed(WatchDeviceDestroyed, nullptr);
        s.Open(s.client.MapPath());
        s.Click(*s.W().btnTileObjectMode);  // the settings file is written on close, the map is not saved
        const std::vector<uint8_t> before = fixtures::ReadFileBytes(s.client.MapPath());
        s.Close();
        EXPECT_EQ(seenAtDeviceEnd, std::vector<std::string>{"device gone after the caches"});
        EXPECT_EQ(frmSorvantaMain, nullptr);
        EXPECT_EQ(fixtures::ReadFileBytes(s.client.MapPath()), before);
        const std::string log = s.LogText();
        const std::string end = "* Shutdown log...";
        ASSERT_GT(log.size(), 200u);
        EXPECT_NE(log.find(end, log.size() - 200), std::string::npos) << log.substr(log.size() - 200);
        EXPECT_EQ(log.find("Unhandled"), std::string::npos);
    }
}

// Counts the frames the framework renders, then lets the window's callback draw them.
int framesRendered = 0;
void CountFrame(IDirect3DDevice9* Device, double Time, float Elapsed, void* Context)
{
    ++framesRendered;
    OnFrameRender(Device, Time, Elapsed, Context);
}

HWND windowToClose = nullptr;
void CALLBACK CloseFromTheLoop(HWND, UINT, UINT_PTR Id, DWORD)
{
    KillTimer(nullptr, Id);
    PostMessageA(windowToClose, WM_CLOSE, 0, 0);
    PostQuitMessage(0);  // what closing the program's main form does
}

TEST(MainWindow, TheTimerEntersTheMainLoopWhichRendersUntilTheWindowCloses)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    framesRendered = 0;
    DXUTSetCallbackFrameRender(CountFrame, nullptr);
    windowToClose = w.Handle();
    w.tmr1->SetEnabled(true);
    SetTimer(nullptr, 0, 1500, &CloseFromTheLoop);
    const ULONGLONG start = GetTickCount64();
    runtimetest::PumpUntil([&] { return !IsWindowVisible(w.Handle()); }, 10000);
    EXPECT_FALSE(w.tmr1->Enabled()) << "the timer fires once";
    EXPECT_GT(framesRendered, 10) << "frames were rendered while no message waited";
    EXPECT_GE(GetTickCount64() - start, 1400u) << "the loop ran until the window closed";
    EXPECT_EQ(frmSorvantaMain, &w) << "closing ran the close handler; the object goes with its owner";
    EXPECT_NE(s.LogText().find("* Shutdown log...", s.LogText().size() - 200), std::string::npos);
    s.Close();
}

TEST(MainWindow, TheMenusCloseItemClosesTheWindow)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    auto* item = dynamic_cast<TMenuItem*>(w.FindComponent("miCloseMapEditor"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption(), "&Close Map Editor");
    PostMessageA(w.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    PumpFor(100);
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(w.Log(), nullptr) << "closing let the log go";
}

TEST(MainWindow, FaultsTheLibraryReportsGoToTheLog)
{
    TMainScene s;
    try {
        throw Exception("a fault in a handler");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_NE(s.LogText().find(" - [ERROR] - Unhandled error: a fault in a handler"), std::string::npos);
    ASSERT_EQ(s.capture.Reports.size(), 1u) << "the handler before the window's still hears of it";
    s.Close();
    try {
        throw Exception("after the window");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(s.capture.Reports.size(), 2u) << "closing gave the handler back";
    s.capture.Reports.clear();
}

}  // namespace
}  // namespace mainwin_test
