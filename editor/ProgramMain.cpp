// Program entry: the start-up screen with its library check, then (once it exists) the main window.
#include "Common/Dev_LogEngineClass.h"
#include "classlib/Application.h"
#include "editor/uStartSplashScreen.h"

#include <windows.h>

#include <exception>
#include <memory>

namespace {

constexpr DWORD PauseAfterCheckMs = 2000;

// The start-up up to the main window; the screen and the log are freed on every way out.
void ProgramMain()
{
    // The one log of the program; the check's failures are its first lines.
    auto log =
        std::make_unique<TLogEngine>("Sorvanta Map Editor", "6.6.2.x", Application->ExeFolder() + "LogFile.log");
    auto splash = std::make_unique<TSplashScreen>(Application);
    splash->SetLog(log.get());
    splash->Show();
    splash->Update();
    Application->Initialize();
    splash->CheckImageLibraries();
    Sleep(PauseAfterCheckMs);
    Application->ShowMainFormOnTaskBar = true;
    splash->Hide();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        ProgramMain();
    } catch (const std::exception&) {
        Application->HandleException(nullptr);
        return 1;
    } catch (...) {
        return 1;
    }
    return 0;
}
