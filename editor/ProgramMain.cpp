// Program entry: the start-up screen with its library check, then (once it exists) the main window.
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
