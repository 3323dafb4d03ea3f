#pragma once
// A boundary for processor faults (an access violation, say) raised by code the program calls but does not own, such
// as the platform's own dialogs. C++ cannot catch them (`catch (...)` lets them pass: they are structured
// exceptions), and on the paths where the platform calls our code directly, nothing of the platform catches them
// either: such a fault ends the process. Inside this boundary it ends only the call.
#include <windows.h>

#include <type_traits>

// The name of a processor fault ("Access violation"), or null for any other exception code (a C++ exception, a
// breakpoint, an exception raised on purpose with a code of its own).
const char* ProcessorFaultName(DWORD Code);

// Calls Call(Context) and returns true when it returned. A processor fault raised inside it, in this thread, that no
// handler below claims, ends the call: the frames between the fault and the boundary are left as the platform's own
// boundaries leave them (the destructors of our frames among them do not run), nothing of the call's work is
// undone, and the result is false. A stack overflow is not ended here (the stack left is too small to go on
// safely); C++ exceptions pass through.
bool CallInsideFaultBoundary(void (*Call)(void*), void* Context);

template <class TCall>
bool CallInsideFaultBoundary(TCall&& Call)
{
    using TCallee = std::remove_reference_t<TCall>;
    return CallInsideFaultBoundary([](void* c) { (*static_cast<TCallee*>(c))(); },
                                   const_cast<void*>(static_cast<const void*>(&Call)));
}
