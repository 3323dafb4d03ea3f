#include "editor/ProgramStart.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Application.h"
#include "editor/uStartSplashScreen.h"

#include <windows.h>

#include <exception>
#include <memory>

namespace {

constexpr DWORD PauseAfterCheckMs = 2000;

// The start-up screen, its check and the pause; the screen is freed on every way out.
void ShowStartUpScreen(const std::string& ClientFolder, TLogEngine& Log)
{
    auto splash = std::make_unique<TSplashScreen>(Application);
    splash->SetLog(&Log);
    splash->Show();
    splash->Update();
    Application->Initialize();
    splash->CheckImageLibraries(ClientFolder);
    Sleep(PauseAfterCheckMs);
    Application->ShowMainFormOnTaskBar = true;
    splash->Hide();
}

}  // namespace

int ProgramMain(const std::string& ClientFolder)
{
    // The one log of the program; the check's failures are its first lines. Without it the application reports.
    std::unique_ptr<TLogEngine> log;
    try {
        log = std::make_unique<TLogEngine>("Sorvanta Map Editor", "6.6.2.x", ClientFolder + "LogFile.log");
    } catch (...) {
        Application->HandleException(nullptr);
        return 1;
    }
    try {
        ShowStartUpScreen(ClientFolder, *log);
        return 0;
    } catch (const std::exception& e) {
        log->LogError(std::string("Start-up stopped: ") + e.what());
    } catch (...) {
        log->LogError("Start-up stopped: unknown error");
    }
    return 1;
}
