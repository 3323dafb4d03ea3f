#include "editor/ProgramStart.h"

#include "Common/Dev_Gui.h"
#include "Common/Dev_LogEngineClass.h"
#include "classlib/Application.h"
#include "editor/uMainEngine.h"
#include "editor/uStartSplashScreen.h"

#include <windows.h>

#include <exception>
#include <memory>

namespace {

constexpr DWORD PauseAfterCheckMs = 2000;

// The start-up screen, its check, the pause, and the main window, which takes the log over; the screen is freed on
// every way out.
std::unique_ptr<TfrmSorvantaMain> StartUp(const std::string& ClientFolder, std::unique_ptr<TLogEngine>& Log)
{
    auto splash = std::make_unique<TSplashScreen>(Application);
    splash->SetLog(Log.get());
    splash->Show();
    splash->Update();
    Application->Initialize();
    splash->CheckImageLibraries(ClientFolder);
    Sleep(PauseAfterCheckMs);
    Application->ShowMainFormOnTaskBar = true;
    auto main = std::make_unique<TfrmSorvantaMain>(nullptr, ClientFolder, Log.get());
    main->AdoptLog(std::move(Log));
    splash->Hide();
    return main;
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
    std::unique_ptr<TfrmSorvantaMain> main;
    // The log while it exists: the start-up's, then the main window's until it closes.
    const auto currentLog = [&]() -> TLogEngine* { return main ? main->Log() : log.get(); };
    try {
        main = StartUp(ClientFolder, log);
        Application->SetMainForm(main.get(), main->Handle());
        main->Show();
        // Ends when the main window closes; the framework's main loop, entered by the window, runs inside it.
        Application->Run();
        main.reset();
        return DXUTGetExitCode();
    } catch (const std::exception& e) {
        if (TLogEngine* l = currentLog()) l->LogError(std::string("Start-up stopped: ") + e.what());
    } catch (...) {
        if (TLogEngine* l = currentLog()) l->LogError("Start-up stopped: unknown error");
    }
    return 1;
}
