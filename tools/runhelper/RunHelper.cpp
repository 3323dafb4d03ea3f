// What tools/run needs to drive the editor on a screen nobody watches: waits for a top-level window and answers a
// message box, from outside the editor's process (any program of the same Wine session sees its windows).
//   run_helper wait <class> <title> <milliseconds>   exit 0 once a visible window of that class and title exists,
//                                                    1 when the time has passed
//   run_helper press <class> <title> <button id>     posts the button's command to that window: exit 0, or 1 when
//                                                    there is no such window
//   run_helper close <class> <title>                 asks that window to close (WM_CLOSE)
//   run_helper click <class> <title> <x> <y>         a left click at a point of that window's client area, posted
//                                                    to the window under it (its child controls included)
//   run_helper key <class> <title> <x> <y> <key>     a key press (virtual-key code) posted to the window under the
//                                                    point
//   run_helper settext <class> <title> <id> <text>   sets the text of the child window with that control id
// The class "*" matches any class. Each command but wait exits 0, or 1 when there is no such window.
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

// The deepest visible window of Top under a point of Top's client area, and the point in that window's client area.
HWND ChildAt(HWND Top, POINT& Point)
{
    HWND window = Top;
    for (;;) {
        HWND child = ChildWindowFromPointEx(window, Point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == window) return window;
        MapWindowPoints(window, child, &Point, 1);
        window = child;
    }
}

int Usage()
{
    std::fprintf(stderr, "usage: run_helper wait|press|close|click|key|settext <class> <title> ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) return Usage();
    const std::string command = argv[1];
    if (command == "close") {
        const HWND window = FindTopLevel(argv[2], argv[3]);
        return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if ((command == "click" && argc == 6) || (command == "key" && argc == 7)) {
        const HWND top = FindTopLevel(argv[2], argv[3]);
        if (!top) return 1;
        POINT p{std::atoi(argv[4]), std::atoi(argv[5])};
        const HWND target = ChildAt(top, p);
        if (command == "key") {
            const WPARAM key = static_cast<WPARAM>(std::atoi(argv[6]));
            return PostMessageA(target, WM_KEYDOWN, key, 1) && PostMessageA(target, WM_KEYUP, key, 0xC0000001) ? 0 : 1;
        }
        const LPARAM at = MAKELPARAM(p.x, p.y);
        const bool posted = PostMessageA(target, WM_MOUSEMOVE, 0, at) &&
                            PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
                            PostMessageA(target, WM_LBUTTONUP, 0, at);
        return posted ? 0 : 1;
    }
    if (command == "settext" && argc == 6) {
        const HWND top = FindTopLevel(argv[2], argv[3]);
        const HWND control = top ? GetDlgItem(top, std::atoi(argv[4])) : nullptr;
        return control && SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? 0 : 1;
    }
    if (argc != 5) return Usage();
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
