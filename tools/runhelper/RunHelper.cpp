// What tools/run needs to drive the editor on a screen nobody watches, from outside the editor's process (any
// program of the same Wine session sees its windows and may post to them): wait for a top-level window, answer a
// dialog, close a window, click and press keys where a user would.
//   run_helper wait <class> <title> <milliseconds>    exit 0 once a visible window of that class and title exists,
//                                                     1 when the time has passed
//   run_helper press <class> <title> <button id>      posts the button's command to that window
//   run_helper close <class> <title>                  asks that window to close (WM_CLOSE)
//   run_helper settext <class> <title> <id> <text>    sets the text of the window's child with that control id
//   run_helper click <class> <title> <target> <x> <y> a left click at a point of the target's client area, posted
//                                                     to the window under it
//   run_helper key <class> <title> <target> <key>     a key press (virtual-key code) posted to the target
//   run_helper list <class> <title>                   prints the window's visible children: class, text, rectangle
// A target is "." for the top-level window itself or "<child class>:<n>" for its n-th visible descendant of that
// window class (from 0, in the order the system lists them). The class "*" matches any class. Each command but
// wait and list exits 0, or 1 when there is no such window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

BOOL CALLBACK Collect(HWND Window, LPARAM Param)
{
    if (IsWindowVisible(Window)) reinterpret_cast<std::vector<HWND>*>(Param)->push_back(Window);
    return TRUE;
}

std::vector<HWND> VisibleDescendants(HWND Top)
{
    std::vector<HWND> all;
    EnumChildWindows(Top, &Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string ClassOf(HWND Window)
{
    char name[256] = "";
    GetClassNameA(Window, name, sizeof name);
    return name;
}

// "." or "<class>:<n>" inside Top; null when there is none.
HWND Target(HWND Top, const std::string& Name)
{
    if (Name == ".") return Top;
    const size_t colon = Name.rfind(':');
    if (colon == std::string::npos) return nullptr;
    const std::string className = Name.substr(0, colon);
    int n = std::atoi(Name.c_str() + colon + 1);
    for (HWND w : VisibleDescendants(Top))
        if (ClassOf(w) == className && n-- == 0) return w;
    return nullptr;
}

// The deepest visible window under a point of Window's client area, and the point in that window's client area.
HWND ChildAt(HWND Window, POINT& Point)
{
    for (;;) {
        HWND child = ChildWindowFromPointEx(Window, Point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == Window) return Window;
        MapWindowPoints(Window, child, &Point, 1);
        Window = child;
    }
}

int Usage()
{
    std::fprintf(stderr, "usage: run_helper wait|press|close|settext|click|key|list <class> <title> ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) return Usage();
    const std::string command = argv[1];
    if (command == "wait" && argc == 5) {
        const ULONGLONG end = GetTickCount64() + std::strtoull(argv[4], nullptr, 10);
        for (;;) {
            if (FindTopLevel(argv[2], argv[3])) return 0;
            if (GetTickCount64() >= end) return 1;
            Sleep(50);
        }
    }
    const HWND top = FindTopLevel(argv[2], argv[3]);
    if (command == "list" && argc == 4) {
        if (!top) return 1;
        for (HWND w : VisibleDescendants(top)) {
            char text[128] = "";
            GetWindowTextA(w, text, sizeof text);
            RECT r{};
            GetWindowRect(w, &r);
            MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
            std::printf("%s \"%s\" %ld,%ld %ldx%ld\n", ClassOf(w).c_str(), text, r.left, r.top, r.right - r.left,
                        r.bottom - r.top);
        }
        return 0;
    }
    if (!top) return 1;
    if (command == "press" && argc == 5)
        return PostMessageA(top, WM_COMMAND, MAKEWPARAM(std::atoi(argv[4]), BN_CLICKED), 0) ? 0 : 1;
    if (command == "close" && argc == 4) return PostMessageA(top, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "settext" && argc == 6) {
        const HWND control = GetDlgItem(top, std::atoi(argv[4]));
        return control && SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? 0 : 1;
    }
    if (command == "click" && argc == 7) {
        HWND target = Target(top, argv[4]);
        if (!target) return 1;
        POINT p{std::atoi(argv[5]), std::atoi(argv[6])};
        target = ChildAt(target, p);
        const LPARAM at = MAKELPARAM(p.x, p.y);
        SetForegroundWindow(top);  // a user's click activates the window first
        const bool posted = PostMessageA(target, WM_MOUSEMOVE, 0, at) &&
                            PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
                            PostMessageA(target, WM_LBUTTONUP, 0, at);
        return posted ? 0 : 1;
    }
    if (command == "key" && argc == 6) {
        const HWND target = Target(top, argv[4]);
        if (!target) return 1;
        const WPARAM key = std::strtoul(argv[5], nullptr, 0);
        return PostMessageA(target, WM_KEYDOWN, key, 1) && PostMessageA(target, WM_KEYUP, key, 0xC0000001) ? 0 : 1;
    }
    return Usage();
}
