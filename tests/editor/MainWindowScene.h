#pragma once
// The real main window on a client folder of its own, for the main window's tests: three image libraries (tiles,
// objects, small tiles), a map under "Map\", a settings file that keeps the WIL libraries, and a log. The window
// is shown and its one-shot timer stopped, so the tests pump its messages themselves instead of entering the
// framework's main loop; message boxes and reported faults are captured, never shown.
//
// Input is posted to the windows under the controls, as a user's would arrive, and handled by pumping.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Dialogs.h"
#include "classlib/Timer.h"
#include "controls/pngextra.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDGrids.h"
#include "editor/uMainEngine.h"
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/uCache_Manager.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/support/TempDir.h"

namespace mainwin_test {

// The fixture map under "Map\": 40 x 30 cells of random records.
inline constexpr const char* FixtureMapName = "Fixture.map";
inline constexpr int FixtureMapWidth = 40;
inline constexpr int FixtureMapHeight = 30;

// Images of the fixture libraries: 0 (tiles), 4 (objects), 3 (small tiles), 74 (the last library, objects).
inline constexpr int TileLibrary = 0, TileImages = 17;
inline constexpr int ObjectLibrary = 4, ObjectImages = 3;
inline constexpr int SmallTileLibrary = 3, SmallTileImages = 5;
inline constexpr int LastLibrary = 74, LastLibraryImages = 2;

inline void PumpFor(DWORD ms) { runtimetest::PumpFor(ms); }

// A whole file as text; empty when it cannot be read.
inline std::string ReadText(const std::string& path)
{
    const std::vector<uint8_t> bytes = fixtures::ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Answers the file dialogs in place of the platform, in order: a path chooses it, an empty text cancels. Records
// what each dialog was asked with.
class TDialogAnswers {
public:
    struct TRequest {
        std::string InitialDir;
        bool Save;
    };
    TDialogAnswers()
    {
        previous_ = SetFileDialogHook([this](OPENFILENAMEA& r, bool save) {
            Requests.push_back({r.lpstrInitialDir ? r.lpstrInitialDir : "", save});
            if (Answers.empty() || Answers.front().empty()) {
                if (!Answers.empty()) Answers.erase(Answers.begin());
                return false;
            }
            const std::string answer = Answers.front();
            Answers.erase(Answers.begin());
            lstrcpynA(r.lpstrFile, answer.c_str(), int(r.nMaxFile));
            return true;
        });
    }
    ~TDialogAnswers() { SetFileDialogHook(previous_); }
    TDialogAnswers(const TDialogAnswers&) = delete;
    TDialogAnswers& operator=(const TDialogAnswers&) = delete;

    std::vector<std::string> Answers;
    std::vector<TRequest> Requests;

private:
    TFileDialogHook previous_;
};

// Where a control lies in the window's client area as the screen shows it: a windowed control by its window, a
// windowless one by its bounds in its parent's window.
inline TRect RectInForm(TfrmSorvantaMain& w, TControl& control)
{
    RECT r{};
    if (control.IsWindowed()) {
        GetWindowRect(static_cast<TWinControl&>(control).Handle(), &r);
    } else {
        const TPoint at = control.Parent()->ClientToScreen({control.Left(), control.Top()});
        r = {at.X, at.Y, at.X + control.Width(), at.Y + control.Height()};
    }
    MapWindowPoints(nullptr, w.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

// A place as text ("758,42 246x694"), so that a failure shows it.
inline std::string PlaceText(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width()) + "x" +
           std::to_string(r.Height());
}

// Every child window of the main window with its place in the client area and whether it shows, one line each
// ("plRigth 758,42 246x694"): the layout as a user sees it. A splitter's pane is named after its splitter.
inline std::vector<std::string> ChildWindowPlaces(TfrmSorvantaMain& w)
{
    struct TWalk {
        TfrmSorvantaMain& Form;
        std::vector<std::string> Lines;
    } walk{w, {}};
    EnumChildWindows(
        w.Handle(),
        [](HWND wnd, LPARAM data) -> BOOL {
            auto& walk = *reinterpret_cast<TWalk*>(data);
            TWinControl* c = TWinControl::FromHandle(wnd);
            if (!c) return TRUE;
            const std::string name = !c->Name().empty() ? c->Name()
                                     : c->Parent()   ? c->Parent()->Name() + " pane"
                                                     : "?";
            walk.Lines.push_back(name + " " + PlaceText(RectInForm(walk.Form, *c)) +
                                 (IsWindowVisible(wnd) ? "" : " hidden"));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.Lines;
}

// A client folder with its libraries, map and settings.
class TClientFolder {
public:
    TClientFolder()
    {
        std::filesystem::create_directories(dir.path() / "Map");
        const auto library = [](int count, uint16_t w, uint16_t h) {
            std::vector<std::optional<fixtures::WilImage>> images;
            for (int i = 0; i < count; ++i)
                images.push_back(fixtures::MakeWilImage(w, h, fixtures::Opaque(uint16_t(0x1000 * (i + 1) + 0x1F))));
            return fixtures::BuildWilLibrary(17, images);
        };
        WriteLibrary(TileLibrary, library(TileImages, 96, 64));
        WriteLibrary(ObjectLibrary, library(ObjectImages, 48, 100));
        WriteLibrary(SmallTileLibrary, library(SmallTileImages, 48, 32));
        WriteLibrary(LastLibrary, library(LastLibraryImages, 48, 100));
        fixtures::MapFileBuilder map(FixtureMapWidth, FixtureMapHeight, 2);
        map.FillRandom(7);
        EXPECT_TRUE(fixtures::WriteBytesToFile(MapPath(), map.Bytes()));
        std::FILE* ini = std::fopen(File("SorvantaMapEditor6.ini").c_str(), "wb");
        std::fputs("[UseImageLib]\r\nUsingLib=WIL\r\n[DirectX]\r\nNoVSync=1\r\n", ini);
        std::fclose(ini);
    }

    std::string Folder() const { return dir.path().string() + "\\"; }
    std::string File(const std::string& name) const { return dir.file(name); }
    std::string MapPath(const char* name = FixtureMapName) const { return (dir.path() / "Map" / name).string(); }
    void WriteLibrary(int number, const fixtures::WilLibrary& lib)
    {
        const std::filesystem::path base = std::filesystem::path(dir.path() / GetLibraryFileName(number))
                                               .replace_extension();
        std::filesystem::create_directories(base.parent_path());
        EXPECT_TRUE(fixtures::WriteWilLibrary(lib, base.string()));
    }

    testsupport::TempDir dir;
};

// The main window over a client folder, shown; closed and freed at the end.
class TMainScene {
public:
    // Settings: the settings file's text; an empty text leaves the scene's own.
    explicit TMainScene(const std::string& Settings = "")
    {
        if (!Settings.empty()) {
            std::FILE* ini = std::fopen(client.File("SorvantaMapEditor6.ini").c_str(), "wb");
            std::fputs(Settings.c_str(), ini);
            std::fclose(ini);
        }
        RestPointer();
        log = std::make_unique<TLogEngine>("Sorvanta Map Editor", "6.6.2.x", client.File("LogFile.log"));
        window = std::make_unique<TfrmSorvantaMain>(nullptr, client.Folder(), log.get());
        window->AdoptLog(std::move(log));
        window->SetBounds(0, 0, window->Width(), window->Height());
        window->Show();
        window->tmr1->SetEnabled(false);  // the tests pump the messages themselves
        PumpUntilCachesBuilt();
    }
    ~TMainScene()
    {
        Close();
        for (const runtimetest::TReport& r : capture.Reports) ADD_FAILURE() << "reported: " << r.Text;
    }

    TfrmSorvantaMain& W() { return *window; }

    // Opens a map through the open action, the dialog answered with Path.
    void Open(const std::string& Path)
    {
        dialogs.Answers.push_back(Path);
        Click(*window->PNGButton3);
    }
    std::string LogText() const { return ReadText(client.File("LogFile.log")); }

    void PumpUntilCachesBuilt()
    {
        runtimetest::PumpUntil([this] { return !window->CacheManager || !window->CacheManager->LoaderRunning(); },
                               20000);
        PumpFor(50);
    }
    void Close()
    {
        if (!window) return;
        window->Close();
        window.reset();
        runtimetest::DrainQuit();
    }

    // ---- posted input ----
    // The window of a control (its own, or for a windowless one its parent's) and the point in it.
    static HWND WindowAt(TControl& control, int& x, int& y)
    {
        TControl* c = &control;
        while (!c->IsWindowed()) {
            x += c->Left();
            y += c->Top();
            c = c->Parent();
        }
        return static_cast<TWinControl*>(c)->Handle();
    }
    void Post(TControl& control, UINT message, WPARAM keys, int x, int y)
    {
        const HWND wnd = WindowAt(control, x, y);
        PostMessageA(wnd, message, keys, MAKELPARAM(x, y));
    }
    // Moves the mouse there and clicks (press and release), then handles it all. A click on a window that is not
    // the active one activates it first, as the platform does for a user's click.
    void ClickAt(TControl& control, int x, int y)
    {
        int wx = x, wy = y;
        Activate(WindowAt(control, wx, wy));
        Post(control, WM_MOUSEMOVE, 0, x, y);
        Post(control, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Post(control, WM_LBUTTONUP, 0, x, y);
        PumpFor(30);
    }
    void Click(TControl& control) { ClickAt(control, control.Width() / 2, control.Height() / 2); }
    // A click as a user makes it: the real pointer moved to that point of a window's client area, the button
    // pressed and released through the platform's input queue, so that whatever window lies there gets it with
    // everything a click brings. The pointer then goes back to its resting place.
    void UserClickAt(TWinControl& control, int x, int y)
    {
        Activate(control.Handle());
        POINT at{x, y};
        ClientToScreen(control.Handle(), &at);
        SetCursorPos(at.x, at.y);
        INPUT press[2]{};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        EXPECT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
        PumpFor(50);
        RestPointer();
        PumpFor(20);
    }
    // The real pointer rests in the screen's corner, outside the window: only the tests' own mouse input counts.
    static void RestPointer() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }
    // The top-level window of `wnd` made the active one, as the platform does for a user's click on it.
    static void Activate(HWND wnd)
    {
        const HWND top = GetAncestor(wnd, GA_ROOT);
        if (GetActiveWindow() == top) return;
        SetForegroundWindow(top);
        PumpFor(20);
    }
    void MoveTo(TControl& control, int x, int y, WPARAM keys = 0)
    {
        Post(control, WM_MOUSEMOVE, keys, x, y);
        PumpFor(20);
    }
    void Key(TWinControl& control, WORD key)
    {
        PostMessageA(control.Handle(), WM_KEYDOWN, key, 1);
        PostMessageA(control.Handle(), WM_KEYUP, key, 0xC0000001);
        PumpFor(30);
    }
    // A choice in a drop-down list made with the arrow keys, as a user makes it.
    void ChooseItem(TSDDComboBox& combo, int item)
    {
        combo.SetFocus();
        PumpFor(20);
        for (int guard = 0; guard < 100 && combo.ItemIndex() != item; ++guard)
            Key(combo, combo.ItemIndex() < item ? VK_DOWN : VK_UP);
    }
    void ChooseLibrary(int library) { ChooseItem(*window->cbImageLibSet, library); }
    // A click in the middle of a cell of the tile picker.
    void PickCell(int col, int row)
    {
        const TRect r = window->TileGrid->CellRect(col, row);
        ClickAt(*window->TileGrid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }

    runtimetest::TReportCapture capture;
    TDialogAnswers dialogs;
    TClientFolder client;
    std::unique_ptr<TLogEngine> log;
    std::unique_ptr<TfrmSorvantaMain> window;
};

}  // namespace mainwin_test
