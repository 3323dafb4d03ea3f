#include "classlib/Application.h"

#include "classlib/DateTimeText.h"
#include "classlib/HandlerScope.h"
#include "classlib/MessageWindow.h"
#include "classlib/Thread.h"
#include "classlib/core/SysUtils.h"

#include <cstdio>

namespace {

// Posted to the hidden window when a worker thread has queued a synchronised call.
constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x100;

TApplication& Instance()
{
    static TApplication application(nullptr);
    return application;
}

} // namespace

TApplication* Application = &Instance();

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), mainThreadId_(GetCurrentThreadId()), window_(std::make_unique<TMessageWindow>(&HandleMessage, this))
{
    Title = ChangeFileExt(ExtractFileName(ExeName()), "");
    FormatSettings = LocaleFormatSettings(LOCALE_USER_DEFAULT);
}

TApplication::~TApplication() = default;

bool TApplication::HandleMessage(void*, TMessage& Message)
{
    if (Message.Msg != WM_SYNCHRONIZE) return false;
    CheckSynchronize();
    return true;
}

// ---- life and loop ---------------------------------------------------------------------------------------------

void TApplication::Run()
{
    if (ShowMainForm && mainFormHandle_ && IsWindow(mainFormHandle_) && !IsWindowVisible(mainFormHandle_))
        ShowWindow(mainFormHandle_, SW_SHOW);
    MSG msg;
    while (!terminated_) {
        THandlerScope::AtMessageLoop();
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) { // WM_QUIT, or a queue that cannot be read
            terminated_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TApplication::ProcessMessages()
{
    THandlerScope::AtMessageLoop();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        THandlerScope::AtMessageLoop();
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    if (GetCurrentThreadId() == mainThreadId_)
        PostQuitMessage(0);
    else
        PostThreadMessageA(mainThreadId_, WM_QUIT, 0, 0);
}

void TApplication::WakeMainThread()
{
    PostMessageA(window_->Handle(), WM_SYNCHRONIZE, 0, 0);
}

// ---- main form -------------------------------------------------------------------------------------------------

void TApplication::SetMainForm(TComponent* Form, HWND Handle)
{
    if (mainForm_ == Form) {
        mainFormHandle_ = Handle;
        return;
    }
    if (mainForm_) mainForm_->RemoveFreeNotification(this);
    mainForm_ = Form;
    mainFormHandle_ = Form ? Handle : nullptr;
    if (mainForm_) mainForm_->FreeNotification(this);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == mainForm_) {
        mainForm_ = nullptr;
        mainFormHandle_ = nullptr;
    }
}

// ---- exceptions ------------------------------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) noexcept
{
    const std::exception_ptr current = std::current_exception();
    if (!current) return;
    // A reporter that fails in turn is dropped: this runs where no exception may unwind further.
    try {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            if (OnException) OnException(Sender, e); else ShowException(e);
        } catch (...) {
            const Exception unknown("Unknown exception");
            if (OnException) OnException(Sender, unknown); else ShowException(unknown);
        }
    } catch (...) {
    }
}

void TApplication::ShowException(const std::exception& E)
{
    const std::string text = E.what();
    if (MessageBox(text, Title, MB_OK | MB_ICONSTOP) != 0) return;
    OutputDebugStringA((text + "\n").c_str());
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

// ---- message boxes ---------------------------------------------------------------------------------------------

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags, HWND Owner)
{
    if (OnMessageBox) return OnMessageBox(Text, Caption, Flags);
    return ::MessageBoxA(Owner ? Owner : GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}

void ShowMessage(const std::string& Text)
{
    Application->MessageBox(Text, Application->Title, MB_OK);
}

// ---- paths -----------------------------------------------------------------------------------------------------

std::string TApplication::ExeName() const
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2); // cut to fit: try again with room to spare
    }
}

std::string TApplication::ExeFolder() const
{
    return ExtractFilePath(ExeName());
}
