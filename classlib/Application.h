#pragma once
// The application object: message loop, termination, exception reporting, message boxes and the program's own
// paths. One program-wide instance, `Application`, created in the GUI thread before main runs.
//
// Sections: life and loop; main form; exceptions; message boxes; paths.
//
// No loop is ours to rely on: after start-up the Direct3D framework's own Peek/Translate/Dispatch loop takes over
// for good. So Terminate both sets the terminated flag (Run ends on it) and posts WM_QUIT (which ends any other
// loop), and the calls that worker threads hand to the GUI thread arrive through a message posted to the
// application's hidden window.
#include "classlib/Messages.h"
#include "classlib/core/Objects.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class TMessageWindow;

// Reports an exception; called inside the catch block that caught it. Sender may be null.
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
// Stands in for the system's message box: receives what the box would show and returns the button chosen
// (IDOK, IDYES, IDNO...). Tests install one so that no modal box ever appears.
using TMessageBoxEvent = std::function<int(const std::string& Text, const std::string& Caption, UINT Flags)>;

class TApplication : public TComponent {
public:
    // The thread that creates the application is its GUI thread.
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // ---- life and loop ----
    // Creates nothing more; kept for the start-up order of programs written against the class library.
    void Initialize() {}
    // Shows the main form (when ShowMainForm is set), then dispatches messages until the terminated flag is set
    // or WM_QUIT arrives, whichever comes first.
    void Run();
    // Dispatches every message waiting in the GUI thread's queue, then returns. A WM_QUIT sets the terminated
    // flag and is posted again, so that the loop around the caller ends too.
    void ProcessMessages();
    // Sets the terminated flag and posts WM_QUIT to the GUI thread.
    void Terminate();
    bool Terminated() const { return terminated_; }
    DWORD MainThreadID() const { return mainThreadId_; }
    // Wakes the GUI thread to run queued synchronised calls (posts to the hidden window).
    void WakeMainThread();

    // ---- main form ----
    // The form the program is about: shown by Run. The forms layer registers it with its window.
    TComponent* MainForm() const { return mainForm_; }
    HWND MainFormHandle() const { return mainFormHandle_; }
    void SetMainForm(TComponent* Form, HWND Handle);
    bool ShowMainForm = true;
    // The main form's own window carries the task-bar button (read by the forms layer).
    bool ShowMainFormOnTaskBar = false;

    // ---- exceptions ----
    // Reports the exception being handled (call it inside a catch block; outside one it does nothing): to
    // OnException when set, otherwise through ShowException. Never throws.
    void HandleException(TObject* Sender) noexcept;
    // A message box with the exception's text; when no box can be shown, the text goes to the debugger output
    // and the standard error stream.
    void ShowException(const std::exception& E);
    TExceptionEvent OnException;

    // ---- message boxes ----
    // The system's message box, owned by Owner (null: the active window), or OnMessageBox when set. Returns the
    // button.
    int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags, HWND Owner = nullptr);
    TMessageBoxEvent OnMessageBox;
    // Caption of the program's own boxes: the executable's name without folder and extension.
    std::string Title;

    // ---- paths ----
    // Full path of the running executable.
    std::string ExeName() const;
    // The executable's folder, with its trailing backslash.
    std::string ExeFolder() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    static bool HandleMessage(void* self, TMessage& Message);

    DWORD mainThreadId_;
    std::atomic<bool> terminated_{false};  // Terminate may come from any thread
    TComponent* mainForm_ = nullptr;
    HWND mainFormHandle_ = nullptr;
    std::unique_ptr<TMessageWindow> window_;
};

extern TApplication* Application;

// An OK box with the application's title as caption.
void ShowMessage(const std::string& Text);
