// The editor as a user starts it: the executable in a client folder, the start-up screen, the main window, the
// framework's main loop running; closing the window ends the process with exit code 0 and a log that ends with the
// shutdown banner.
#include "tests/editor/MainWindowScene.h"

#include <filesystem>
#include <string>

namespace mainwin_test {
namespace {

struct TFoundWindow {
    DWORD Process;
    HWND Window = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND Window, LPARAM Param)
{
    auto* found = reinterpret_cast<TFoundWindow*>(Param);
    DWORD process = 0;
    GetWindowThreadProcessId(Window, &process);
    char title[128] = "";
    GetWindowTextA(Window, title, sizeof title);
    if (process != found->Process || !IsWindowVisible(Window) || std::string(title) != "  Sorvanta Map Editor V6.6.2")
        return TRUE;
    found->Window = Window;
    return FALSE;
}

// The editor's executable as this program sees it (the build gives its path on the build machine).
std::string EditorExecutable()
{
    std::string path = "Z:" EDITOR_EXECUTABLE;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

TEST(ProgramRun, ClosingTheMainWindowWithTheLoopRunningEndsTheProgramCleanly)
{
    TClientFolder client;
    const std::string exe = client.File("SorvantaMapEditor6.exe");
    ASSERT_TRUE(CopyFileA(EditorExecutable().c_str(), exe.c_str(), FALSE)) << EditorExecutable();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               client.Folder().c_str(), &startup, &process));
    TFoundWindow found{process.dwProcessId};
    for (int i = 0; i < 300 && !found.Window; ++i) {
        Sleep(100);
        EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&found));
    }
    ASSERT_NE(found.Window, nullptr) << "the main window appeared";
    Sleep(1500);  // 500 ms after it showed, the window entered the framework's main loop
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), DWORD(WAIT_TIMEOUT)) << "the editor runs until closed";
    PostMessageA(found.Window, WM_CLOSE, 0, 0);
    const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    DWORD exitCode = 1234;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(waited, DWORD(WAIT_OBJECT_0)) << "the editor ended";
    EXPECT_EQ(exitCode, 0u);

    const std::string log = ReadText(client.File("LogFile.log"));
    const std::string banner = "* Shutdown log...";
    ASSERT_GT(log.size(), 300u);
    EXPECT_NE(log.find(banner, log.size() - 300), std::string::npos) << log.substr(log.size() - 300);
    EXPECT_NE(log.find("Inite Image Cache Manager done.."), std::string::npos);
    EXPECT_EQ(log.find("Unhandled"), std::string::npos);
    EXPECT_EQ(log.find("Start-up stopped"), std::string::npos);
}

}  // namespace
}  // namespace mainwin_test
