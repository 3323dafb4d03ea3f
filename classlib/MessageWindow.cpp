#include "classlib/MessageWindow.h"

#include "classlib/Application.h"
#include "classlib/HandlerScope.h"
#include "classlib/core/SysUtils.h"

namespace {

const char kClassName[] = "ClasslibMessageWindow";

bool RegisterWindowClass(WNDPROC proc)
{
    // Registration is once per process; a second attempt fails with "already exists", which is success here.
    static const bool registered = [proc] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

TMessageWindow::TMessageWindow(THandler Handler, void* Context, const TComponent* Holder)
    : handler_(Handler), context_(Context), holder_(Holder)
{
    if (RegisterWindowClass(&WindowProc))
        handle_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!handle_)
        throw Exception("Cannot create a hidden window (system error " + IntToStr(int(GetLastError())) + ")");
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TMessageWindow::~TMessageWindow()
{
    // Detach first: messages that arrive while the window is being destroyed must not reach a dead owner.
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
    THandlerScope::Forget(holder_);
}

LRESULT CALLBACK TMessageWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TMessageWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        TMessage message{msg, wParam, lParam, 0};
        THandlerScope scope(self->holder_, hwnd, msg);
        try {
            // `self` may be gone once the handler returns; only the local record is read afterwards.
            if (self->handler_(self->context_, message)) return message.Result;
        } catch (...) {
            if (Application) Application->HandleException(nullptr);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
