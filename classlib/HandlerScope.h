#pragma once
// Which components' message handlers are running on the GUI thread's stack. Every window procedure of the class
// library opens a scope for the component it serves (a control, a timer) while that component handles a message;
// nested message loops (message boxes, ProcessMessages) run inside such scopes. The controls use it to free a
// released form only once no handler of the form, of its controls or of the components they own is running any
// more. Scopes are opened by the GUI thread's window procedures only: there is no lock.
//
// A fault inside a window procedure (an access violation, say) may be dropped by the platform where it called the
// procedure: the program goes on above that point, and the scopes opened below it never close. So the open scopes
// are kept off the stack, each with the address of its scope object, and a scope whose object lies below the stack
// of whoever reads the list is a dead one and is dropped. The fault itself is noted when it is raised and reported
// through Application->HandleException, naming the window's class, as soon as the program is back above it.

#include <windows.h>

#include <utility>

#include "classlib/FaultBoundary.h"

class TComponent;

class THandlerScope {
public:
    // `Window` and `Msg` are what the handler serves, for the report of a fault inside it.
    THandlerScope(const TComponent* Component, HWND Window, UINT Msg);
    // Closes the scope (and the dead ones opened inside it), then runs the exit hook.
    ~THandlerScope();
    THandlerScope(const THandlerScope&) = delete;
    THandlerScope& operator=(const THandlerScope&) = delete;

    // Whether `Match` holds for the component of an open scope, innermost first. Scopes of destroyed components
    // (see Forget) are passed over.
    template <class TMatch>
    static bool AnyRunning(TMatch&& Match)
    {
        for (int i = Depth(); i-- > 0;)
            if (const TComponent* c = ComponentAt(i); c && Match(c)) return true;
        return false;
    }
    // The number of open scopes; 0 at the top level.
    static int Depth();
    // A component being destroyed: the scopes that name it stop naming it.
    static void Forget(const TComponent* Component);
    // For the class library's message loops, between two messages: drops the scopes a dropped fault left behind
    // and reports the fault.
    static void AtMessageLoop();

    // CallInsideFaultBoundary(Claim, Call) for a caller that answers the faults it claims itself (a reader whose
    // mapped file was cut short, say, which then has no image to give): a fault that its own boundary ended is no
    // fault of the window procedure it ran in and is not reported. A fault noted before the call is still
    // reported, and so is one the claim declines: it goes on up as if the boundary were not there.
    template <class TCall>
    static bool CallAnsweringFaults(const TFaultClaim& Claim, TCall&& Call)
    {
        const bool noted = FaultNoted();
        // False only when this boundary ended the call: a fault it declined never comes back here.
        if (CallInsideFaultBoundary(Claim, std::forward<TCall>(Call))) return true;
        if (!noted) ForgetFault();
        return false;
    }

    // Runs after every scope closed; `Outermost` when it was the last one open. One hook per process.
    using TExitHook = void (*)(bool Outermost);
    static void SetExitHook(TExitHook Hook);

private:
    // The component of open scope `Index` (0 = outermost), null when it was forgotten; valid right after Depth.
    static const TComponent* ComponentAt(int Index);
    // Whether a fault is noted and not yet reported.
    static bool FaultNoted();
    // Drops the fault noted, unreported.
    static void ForgetFault();
};
