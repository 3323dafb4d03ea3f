#pragma once
// A hidden message-only window owned by an object of the class library: the receiver of timer ticks and of calls
// posted into the GUI thread. Its procedure runs the owner's handler inside a try/catch and hands any exception to
// Application->HandleException, so no exception ever leaves it.
//
// A window belongs to the thread that creates it and must be destroyed by that thread. The handler may destroy
// the window (and its owner) while it runs: the procedure touches neither after the handler returns. While the
// handler runs, the holder component (e.g. a timer) counts as running a handler (see THandlerScope).
#include "classlib/Messages.h"

class TComponent;

class TMessageWindow {
public:
    // Returns true when it handled the message (its result in Message.Result); false passes the message on to
    // the default window procedure.
    using THandler = bool (*)(void* Context, TMessage& Message);

    // Throws Exception when the window cannot be created.
    TMessageWindow(THandler Handler, void* Context, const TComponent* Holder = nullptr);
    ~TMessageWindow();
    TMessageWindow(const TMessageWindow&) = delete;
    TMessageWindow& operator=(const TMessageWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    THandler handler_;
    void* context_;
    const TComponent* holder_;
    HWND handle_ = nullptr;
};
