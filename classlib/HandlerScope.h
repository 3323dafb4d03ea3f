#pragma once
// Which components' message handlers are running on the GUI thread's stack, innermost first. Every window
// procedure of the class library opens a scope for the component it serves (a control, a timer) while that
// component handles a message; nested message loops (message boxes, ProcessMessages) run inside such scopes.
// The controls use it to free a released form only once no handler of the form, of its controls or of the
// components they own is running any more. Scopes are opened by the GUI thread's window procedures only: there is
// no lock.

class TComponent;

struct THandlerFrame {
    const TComponent* Component; // null: none, or destroyed during its own handler
    THandlerFrame* Outer;
};

class THandlerScope {
public:
    explicit THandlerScope(const TComponent* Component);
    // Closes the frame, then runs the exit hook.
    ~THandlerScope();
    THandlerScope(const THandlerScope&) = delete;
    THandlerScope& operator=(const THandlerScope&) = delete;

    // The innermost open frame, or null when no handler runs.
    static const THandlerFrame* Innermost();
    // A component being destroyed: the frames that name it stop naming it.
    static void Forget(const TComponent* Component);

    // Runs after every scope closed; `Outermost` when it was the last one open. One hook per process.
    using TExitHook = void (*)(bool Outermost);
    static void SetExitHook(TExitHook Hook);

private:
    THandlerFrame frame_;
};
