// What tools/run needs to drive the editor on a screen nobody watches: waits for a top-level window and answers a
// message box, from outside the editor's process (any program of the same Wine session sees its windows).
//   run_helper wait <class> <title> <milliseconds>   exit 0 once a visible window of that class and title exists,
//                                                    1 when the time has passed
//   run_helper press <class> <title> <button id>     posts the button's command to that window: exit 0, or 1 when
//                                                    there is no such window
// The class "*" matches any class.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct TWanted {
    const char* ClassName;
    const char* Title;
    HWND Found = nullptr;
};

BOOL CALLBACK Match(HWND Window, LPARAM Param)
{
    auto* wanted = reinterpret_cast<TWanted*>(Param);
    char className[256] = "";
    char title[512] = "";
    GetClassNameA(Window, className, sizeof className);
    GetWindowTextA(Window, title, sizeof title);
    const bool classMatches =
        std::strcmp(wanted->ClassName, "*") == 0 || std::strcmp(wanted->ClassName, className) == 0;
    if (!IsWindowVisible(Window) || !classMatches || std::strcmp(wanted->Title, title) != 0) return TRUE;
    wanted->Found = Window;
    return FALSE;
}

HWND FindTopLevel(const char* ClassName, const char* Title)
{
    TWanted wanted{ClassName, Title};
    EnumWindows(&Match, reinterpret_cast<LPARAM>(&wanted));
    return wanted.Found;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: run_helper wait|press <class> <title> <milliseconds|button id>\n");
        return 2;
    }
    const std::string command = argv[1];
    const long number = std::strtol(argv[4], nullptr, 10);
    if (command == "wait") {
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(number);
        for (;;) {
            if (FindTopLevel(argv[2], argv[3])) return 0;
            if (GetTickCount64() >= end) return 1;
            Sleep(50);
        }
    }
    if (command == "press") {
        const HWND window = FindTopLevel(argv[2], argv[3]);
        if (!window) return 1;
        return PostMessageA(window, WM_COMMAND, MAKEWPARAM(number, BN_CLICKED), 0) ? 0 : 1;
    }
    std::fprintf(stderr, "run_helper: unknown command %s\n", argv[1]);
    return 2;
}
