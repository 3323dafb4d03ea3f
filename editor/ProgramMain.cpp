// Program entry: the start-up, the main window and the application's run (ProgramStart.h).
#include "classlib/Application.h"
#include "editor/ProgramStart.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        return ProgramMain(Application->ExeFolder());
    } catch (...) {
        // Only the executable's folder can fail here, before there is a log to write to.
        Application->HandleException(nullptr);
        return 1;
    }
}
