#pragma once
// Shared by the Win32 tests: a bare message loop like the Direct3D framework's, a window whose handler the
// platform calls, and a capture of what the application reports, so that no modal box ever appears.
#include "classlib/Application.h"
#include "classlib/MessageWindow.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace runtimetest {

// Peek/Translate/Dispatch until `done` holds (true) or `timeoutMs` has passed (false). WM_QUIT is left alone.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// Removes the WM_QUIT messages a test left in this thread's queue.
inline void DrainQuit()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// A hidden window whose handler runs Action when it is told that it moves (Move): a message the platform itself
// sends, through its dispatcher, which drops a fault inside a window procedure and goes on above it.
struct TMovedWindow {
    std::function<void()> Action;
    TMessageWindow Window{&Handle, this};

    static bool Handle(void* self, TMessage& m)
    {
        if (m.Msg != WM_WINDOWPOSCHANGING) return false;
        static_cast<TMovedWindow*>(self)->Action();
        return true;
    }
    void Move() { SetWindowPos(Window.Handle(), nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE); }
};

struct TReport {
    TObject* Sender;
    std::string Text;
    DWORD ThreadId;
};

struct TBox {
    std::string Text;
    std::string Caption;
    UINT Flags;
};

// Hooks the global application for its lifetime: exceptions and boxes are recorded, not shown.
class TReportCapture {
public:
    explicit TReportCapture(bool captureExceptions = true)
    {
        if (captureExceptions)
            Application->OnException = [this](TObject* sender, const std::exception& e) {
                Reports.push_back({sender, e.what(), GetCurrentThreadId()});
            };
        Application->OnMessageBox = [this](const std::string& text, const std::string& caption, UINT flags) {
            Boxes.push_back({text, caption, flags});
            return BoxAnswer;
        };
    }
    ~TReportCapture()
    {
        Application->OnException = nullptr;
        Application->OnMessageBox = nullptr;
    }
    TReportCapture(const TReportCapture&) = delete;
    TReportCapture& operator=(const TReportCapture&) = delete;

    std::vector<TReport> Reports;
    std::vector<TBox> Boxes;
    int BoxAnswer = IDOK;
};

} // namespace runtimetest
