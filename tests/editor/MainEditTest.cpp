// Editing in the real window with posted input: every mode's clicks and drags on the fixture map, saved and
// compared byte for byte with what the map document itself writes for the same edits; the mode buttons, their
// looks and status panes; the blocker commands; a save that fails keeps the file and says why.
#include "tests/editor/MainWindowScene.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>

#include "classlib/DeviceContext.h"
#include "classlib/ScrollBars.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDRadChk.h"
#include "sddcontrols/unSDDStatus.h"
#include "tests/classlib/FileDialogDriver.h"

namespace mainwin_test {
namespace {

std::array<std::string, 2> Panes(TfrmSorvantaMain& w)
{
    return {w.stpSetWorkMode->Caption(), w.stpSelectMode->Caption()};
}

// The checked states of the three work-mode buttons and the six object-mode buttons.
std::string Checks(TfrmSorvantaMain& w)
{
    std::string s;
    for (TPNGButton* b : {w.btnEditMode, w.btnSelectMode, w.btnDeleteMode}) s += b->Checked() ? '1' : '0';
    s += ' ';
    for (TPNGButton* b : {w.btnDisableModes, w.btnTileObjectMode, w.btnFrontObjectMode, w.btnBackObjectMode,
                          w.btnBarrireObjectMode, w.btnLightObjectMode})
        s += b->Checked() ? '1' : '0';
    return s;
}

TEST(MainEdit, EveryModeEditsTheMapAsTheDocumentDoesAndSavesIt)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    TVesk3Map want;  // the same edits, made on the document itself
    ASSERT_TRUE(want.LoadFromFile(s.client.MapPath()));

    // Tiles at 100 %: a tile is 96 x 64 panel pixels, a cell 48 x 32.
    s.ChooseLibrary(TileLibrary);
    EXPECT_EQ(Panes(w), (std::array<std::string, 2>{" - ", "T"}));
    s.PickCell(2, 0);
    EXPECT_EQ(Panes(w)[0], "E");
    s.ClickAt(*w.plDrawEnvir, 100, 70);
    want.SetTileField(1, 1, 2, 2);
    want.SetTileField(1, 1, 1, TileLibrary);
    // A drag paints every tile it passes.
    s.Post(*w.plDrawEnvir, WM_LBUTTONDOWN, MK_LBUTTON, 200, 140);
    for (int x : {240, 300, 390}) s.MoveTo(*w.plDrawEnvir, x, 140, MK_LBUTTON);
    s.Post(*w.plDrawEnvir, WM_LBUTTONUP, 0, 390, 140);
    PumpFor(30);
    for (int tx : {2, 3, 4}) {
        want.SetTileField(tx, 2, 2, 2);
        want.SetTileField(tx, 2, 1, TileLibrary);
    }
    s.MoveTo(*w.plDrawEnvir, 420, 140);  // the button is up: no more painting
    s.Click(*w.btnDeleteMode);
    EXPECT_EQ(Panes(w)[0], "D");
    s.ClickAt(*w.plDrawEnvir, 300, 140);
    want.SetTileField(3, 2, 2, 0);
    want.SetTileField(3, 2, 1, 0);

    // Objects.
    s.ChooseLibrary(ObjectLibrary);
    s.Click(*w.btnFrontObjectMode);
    EXPECT_EQ(Panes(w)[1], "F");
    s.PickCell(1, 0);
    s.ClickAt(*w.plDrawEnvir, 60, 40);
    want.SetLayerA(1, 1, ObjectLibrary, 1);
    s.Click(*w.btnBackObjectMode);
    EXPECT_EQ(Panes(w)[1], "B");
    s.ClickAt(*w.plDrawEnvir, 110, 40);
    want.SetLayerB(2, 1, ObjectLibrary, 1);
    s.Click(*w.btnDeleteMode);
    s.ClickAt(*w.plDrawEnvir, 160, 40);
    want.SetLayerB(3, 1, 0, 0);

    // Blockers: the mode draws "Can't Move", the combo chooses "Can't Move and Fly", erasing frees the cell.
    s.Click(*w.btnBarrireObjectMode);
    EXPECT_EQ(Panes(w), (std::array<std::string, 2>{"E", "BR"}));
    EXPECT_TRUE(w.ShowBlockers && w.chkShowBarrier->Checked());
    s.ClickAt(*w.plDrawEnvir, 10, 10);
    want.SetCellMoveFlags(0, 0, 1);
    s.ChooseItem(*w.cbBlockerType, BlockerCantMoveAndFly);
    s.ClickAt(*w.plDrawEnvir, 10, 45);
    want.SetCellMoveFlags(0, 1, 2);
    s.Click(*w.btnDeleteMode);
    s.ClickAt(*w.plDrawEnvir, 10, 80);
    want.SetCellMoveFlags(0, 2, 0);

    // Lights.
    s.Click(*w.btnLightObjectMode);
    EXPECT_EQ(Panes(w), (std::array<std::string, 2>{"E", "L"}));
    EXPECT_TRUE(w.ShowLights && w.chkShowLight->Checked());
    s.ClickAt(*w.plDrawEnvir, 200, 200);
    want.SetCellByte13(4, 6, 0x39);
    s.Click(*w.btnDeleteMode);
    s.ClickAt(*w.plDrawEnvir, 250, 200);
    want.SetCellByte13(5, 6, 0);

    // Select mode changes nothing.
    s.Click(*w.btnSelectMode);
    s.ClickAt(*w.plDrawEnvir, 400, 300);

    s.Click(*w.PNGButton4);
    EXPECT_TRUE(s.dialogs.Requests.size() == 1) << "a map from a file is saved without a dialog";
    const std::string expected = s.client.File("Expected.map");
    want.SaveToFile(expected);
    EXPECT_EQ(fixtures::ReadFileBytes(s.client.MapPath()), fixtures::ReadFileBytes(expected));
    EXPECT_TRUE(s.capture.Boxes.empty()) << "no message confirms a save";
}

// A press in the view dragged out of it in one motion and released there edits nothing: the panel hears of the
// moves outside the view (the held button captures the mouse) before it is told the mouse left. Neither a point
// left of or above the view nor one over the panel's hidden part (under the scroll bar, the side panel) is a cell
// of the view, whatever the scroll positions.
TEST(MainEdit, ADragOutOfTheViewEditsNoCell)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    const std::vector<uint8_t> before = fixtures::ReadFileBytes(s.client.MapPath());
    s.ChooseLibrary(ObjectLibrary);
    s.Click(*w.btnFrontObjectMode);
    s.PickCell(1, 0);
    ASSERT_EQ((std::array{w.WorkMode, w.ObjectMode}), (std::array{WorkModeDraw, ObjectModeFront}));
    const int right = w.plBackground->Width(), bottom = w.plBackground->Height();
    struct Row {
        const char* Way;
        int Scroll;  // both scroll positions
        int X, Y;    // where the drag goes and ends
    };
    const Row rows[] = {
        {"onto the left bar", 0, -21, 558},
        {"onto the left bar, scrolled", 4, -21, 300},
        {"onto the tool bar, scrolled", 4, 300, -5},
        {"onto the vertical scroll bar", 0, right + 4, 240},
        {"onto the side panel", 0, right + 150, 240},
        {"onto the tile picker", 0, 300, bottom + 40},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Way);
        ASSERT_TRUE(fixtures::WriteBytesToFile(s.client.MapPath(), before));
        s.Open(s.client.MapPath());
        w.maJumpX->SetText(std::to_string(r.Scroll + 8));
        w.maJumpY->SetText(std::to_string(r.Scroll + 8));
        s.Click(*w.SDDButton1);
        ASSERT_EQ((std::array{w.scbaHorizontal->Position(), w.scbaVertical->Position()}),
                  (std::array{r.Scroll, r.Scroll}));
        s.MoveTo(*w.plDrawEnvir, 10, 240);
        s.Post(*w.plDrawEnvir, WM_LBUTTONDOWN, MK_LBUTTON, 10, 240);
        s.MoveTo(*w.plDrawEnvir, r.X, r.Y, MK_LBUTTON);
        EXPECT_FALSE(w.LeftButtonHeld) << "leaving the view ends the drag";
        s.Post(*w.plDrawEnvir, WM_LBUTTONUP, 0, r.X, r.Y);
        PumpFor(30);
        s.Click(*w.PNGButton4);
        const std::vector<uint8_t> after = fixtures::ReadFileBytes(s.client.MapPath());
        EXPECT_EQ(std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first - before.begin(),
                  std::ssize(before))
            << "the first byte the saved map changed";
    }
    // Told late that the mouse left, the view still takes a click where the pointer rests.
    PostMessageA(w.plDrawEnvir->Handle(), WM_MOUSELEAVE, 0, 0);
    s.Post(*w.plDrawEnvir, WM_LBUTTONDOWN, MK_LBUTTON, 10, 240);
    s.Post(*w.plDrawEnvir, WM_LBUTTONUP, 0, 10, 240);
    PumpFor(30);
    int32_t library = 0, image = 0;
    w.Map->GetLayerA(0, 7, library, image, TVesk3Map::SourceMap);
    EXPECT_EQ((std::array{library, image}), (std::array{ObjectLibrary, 1}));
}

TEST(MainEdit, ModeButtonsShowTheirModeOnTheButtonsAndPanes)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    // The top edge of the button's image: the checked look's frame, or the bar behind an unchecked one.
    const auto edge = [&](TPNGButton* b) {
        PumpFor(20);
        TWindowDC dc(b->Parent()->Handle());
        return GetPixel(dc.Handle(), b->Left() + 18, b->Top() + 6);
    };
    const COLORREF unchecked = edge(w.btnEditMode);
    struct Row {
        TPNGButton* TfrmSorvantaMain::*Button;
        int32_t Work, Object;
        const char* Checks;
        std::array<std::string, 2> Panes;
    };
    const Row rows[] = {
        {&TfrmSorvantaMain::btnEditMode, WorkModeDraw, ObjectModeTile, "100 100000", {"E", "-"}},
        // Clicking the checked button turns its mode off, and the button shows it.
        {&TfrmSorvantaMain::btnEditMode, WorkModeNone, ObjectModeTile, "000 100000", {"-", "-"}},
        {&TfrmSorvantaMain::btnSelectMode, WorkModeSelect, ObjectModeSelect, "010 100000", {"S", "-"}},
        {&TfrmSorvantaMain::btnSelectMode, WorkModeNone, ObjectModeSelect, "000 100000", {"-", "-"}},
        {&TfrmSorvantaMain::btnFrontObjectMode, WorkModeNone, ObjectModeFront, "000 001000", {"-", "F"}},
        {&TfrmSorvantaMain::btnDeleteMode, WorkModeErase, ObjectModeFront, "001 001000", {"D", "F"}},
        {&TfrmSorvantaMain::btnDeleteMode, WorkModeNone, ObjectModeFront, "000 001000", {"-", "F"}},
        {&TfrmSorvantaMain::btnLightObjectMode, WorkModeDraw, ObjectModeLight, "100 000001", {"E", "L"}},
        {&TfrmSorvantaMain::btnTileObjectMode, WorkModeDraw, ObjectModeTile, "100 010000", {"E", "T"}},
        {&TfrmSorvantaMain::btnBarrireObjectMode, WorkModeDraw, ObjectModeBlocker, "100 000010", {"E", "BR"}},
        {&TfrmSorvantaMain::btnBackObjectMode, WorkModeDraw, ObjectModeBack, "100 000100", {"E", "B"}},
        {&TfrmSorvantaMain::btnDisableModes, WorkModeNone, ObjectModeNone, "000 100000", {"-", "-"}},
    };
    for (const Row& r : rows) {
        TPNGButton* button = w.*r.Button;
        SCOPED_TRACE(button->Name() + " " + r.Checks);
        s.Click(*button);
        EXPECT_EQ((std::array{w.WorkMode, w.ObjectMode}), (std::array{r.Work, r.Object}));
        EXPECT_EQ(Checks(w), r.Checks);
        EXPECT_EQ(Panes(w), r.Panes);
        EXPECT_EQ(edge(button) == unchecked, !button->Checked()) << "what the button looks like";
    }
    EXPECT_EQ(w.BlockerType, BlockerCantMove);
    EXPECT_EQ(w.cbBlockerType->ItemIndex(), 1);
    EXPECT_EQ(w.ObjectLayerKind, LayerKindBack);
}

TEST(MainEdit, PickingAfterDisablingTheModesDrawsNothingAtTheFirstClick)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    const std::vector<uint8_t> before = fixtures::ReadFileBytes(s.client.MapPath());
    s.ChooseLibrary(TileLibrary);
    s.Click(*w.btnDisableModes);
    s.PickCell(1, 0);
    EXPECT_EQ((std::array{w.WorkMode, w.ObjectMode, w.SelectedImage}), (std::array{WorkModeDraw, 0, 1}));
    s.ClickAt(*w.plDrawEnvir, 100, 70);
    EXPECT_EQ(w.WorkMode, WorkModeNone);
    EXPECT_EQ(Panes(w)[0], "E") << "the pane is not told";
    s.Click(*w.PNGButton4);
    EXPECT_EQ(fixtures::ReadFileBytes(s.client.MapPath()), before);
}

TEST(MainEdit, TheBlockerCommandsChangeTheWholeMap)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Click(*w.SDDButton4);  // no map: nothing happens
    EXPECT_FALSE(w.chkShowBarrier->Checked());
    s.Open(s.client.MapPath());
    const auto flags = [&] {
        std::string f;
        for (const TVesk3CellRec& c : w.Map->Cells) f += char('0' + c.MoveFlags % 10);
        return f;
    };
    const std::string random = flags();
    s.Click(*w.SDDButton4);  // "Delete Blocker" chosen: no cell changes
    EXPECT_EQ(flags(), random);
    EXPECT_TRUE(w.ShowBlockers && w.chkShowBarrier->Checked());
    w.chkShowBarrier->SetChecked(false);
    s.ChooseItem(*w.cbBlockerType, BlockerCantMoveAndFly);
    s.Click(*w.SDDButton4);
    EXPECT_EQ(flags(), std::string(random.size(), '2'));
    EXPECT_TRUE(w.ShowBlockers);
    s.Click(*w.SDDButton3);
    EXPECT_EQ(flags(), std::string(random.size(), '3'));
}

TEST(MainEdit, ASaveThatFailsKeepsTheFileAndSaysWhy)
{
    namespace fs = std::filesystem;
    struct Row {
        const char* Name;
        std::function<std::function<void()>(const std::string&)> Refuse;  // gives back what lifts the refusal
    };
    const Row rows[] = {
        {"held by another program",
         [](const std::string& path) -> std::function<void()> {
             const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             EXPECT_NE(held, INVALID_HANDLE_VALUE);
             return [held] { CloseHandle(held); };
         }},
        {"read-only",
         [](const std::string& path) -> std::function<void()> {
             fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
             return [path] {
                 EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
                 fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
             };
         }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TMainScene s;
        TfrmSorvantaMain& w = s.W();
        s.Open(s.client.MapPath());
        const std::vector<uint8_t> before = fixtures::ReadFileBytes(s.client.MapPath());
        s.ChooseLibrary(TileLibrary);
        s.PickCell(3, 0);
        s.ClickAt(*w.plDrawEnvir, 10, 10);
        const std::function<void()> lift = r.Refuse(s.client.MapPath());
        s.Click(*w.PNGButton4);
        lift();
        ASSERT_EQ(s.capture.Boxes.size(), 1u);
        EXPECT_FALSE(s.capture.Boxes[0].Text.empty());
        EXPECT_EQ(s.capture.Boxes[0].Flags & MB_TYPEMASK, UINT(MB_OK));
        EXPECT_TRUE(s.capture.Reports.empty()) << "nothing crossed the window procedure";
        EXPECT_EQ(fixtures::ReadFileBytes(s.client.MapPath()), before);
        EXPECT_NE(s.LogText().find("Saving the map failed: " + s.capture.Boxes[0].Text), std::string::npos);
        // Once the file is free, the save goes through.
        s.Click(*w.PNGButton4);
        EXPECT_NE(fixtures::ReadFileBytes(s.client.MapPath()), before);
    }
}

// The file dialogs' modal loop runs the window's handlers while they are up: a window closed meanwhile (by another
// program, or by the system shutting down) saves and opens nothing, and a map created meanwhile is not saved under
// the name asked for the one before it.
TEST(MainEdit, WhatHappensWhileAFileDialogIsUpIsSeenWhenItReturns)
{
    struct Row {
        const char* Name;
        TPNGButton* TfrmSorvantaMain::*Button;
        std::function<void(TMainScene&)> Meanwhile;
    };
    const Row rows[] = {
        {"closed while saving", &TfrmSorvantaMain::PNGButton4,
         [](TMainScene& s) { PostMessageA(s.W().Handle(), WM_CLOSE, 0, 0); }},
        {"another map created while saving", &TfrmSorvantaMain::PNGButton4,
         [](TMainScene& s) { s.W().ApplyNewMap("other.map", 6, 6, 0); }},
        {"closed while opening", &TfrmSorvantaMain::PNGButton3,
         [](TMainScene& s) { PostMessageA(s.W().Handle(), WM_CLOSE, 0, 0); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TMainScene s;
        TfrmSorvantaMain& w = s.W();
        ASSERT_TRUE(w.ApplyNewMap("new.map", 8, 8, 0));
        const bool saving = r.Button == &TfrmSorvantaMain::PNGButton4;
        const std::string chosen = saving ? s.client.MapPath("Saved.map") : s.client.MapPath();
        TFileDialogHook answers = SetFileDialogHook([&](OPENFILENAMEA& request, bool) {
            r.Meanwhile(s);
            PumpFor(50);  // as the dialog's own loop would
            lstrcpynA(request.lpstrFile, chosen.c_str(), int(request.nMaxFile));
            return true;
        });
        s.Click(*(w.*r.Button));
        SetFileDialogHook(answers);
        if (saving) EXPECT_FALSE(std::filesystem::exists(chosen));
        else EXPECT_EQ(w.Map, nullptr);
    }
}

// The platform's own file dialogs: a name too long for a path, confirmed there, is refused over the dialog; the name
// given after it saves the created map, or opens the map, as ever.
TEST(MainEdit, AfterANameTooLongTheRealFileDialogsSaveAndOpen)
{
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "open");
        TMainScene s;
        TfrmSorvantaMain& w = s.W();
        ASSERT_TRUE(w.ApplyNewMap("new.map", 8, 6, 0));
        const std::string proper = save ? s.client.MapPath("Saved.map") : s.client.MapPath();
        TFileDialogHook answers = SetFileDialogHook(nullptr);
        TMessageBoxEvent boxes = std::move(Application->OnMessageBox);  // the boxes show, for the driver to close
        Application->OnMessageBox = nullptr;
        dialogtest::TFileDialogDriver driver({{"300", std::string(300, 'y'), true}, {"proper", proper, false}});
        s.Click(save ? *w.PNGButton4 : *w.PNGButton3);
        SetFileDialogHook(answers);
        Application->OnMessageBox = std::move(boxes);
        EXPECT_EQ(driver.Finish(), (std::vector<std::string>{
                                       "300: box \"The file name is too long.\", the dialog keeps the name",
                                       "proper: the dialog ends"}));
        TVesk3Map written;
        EXPECT_TRUE(written.LoadFromFile(proper));
        const std::array size = save ? std::array{8, 6} : std::array{FixtureMapWidth, FixtureMapHeight};
        EXPECT_EQ((std::array{written.Width, written.Height}), size);
        ASSERT_NE(w.Map, nullptr);
        EXPECT_EQ((std::array{w.Map->Width, w.Map->Height}), size);
    }
}

}  // namespace
}  // namespace mainwin_test
