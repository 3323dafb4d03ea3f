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

// Which of those faults a boundary ends. Claims is asked with the fault's record and Context once every handler
// below the boundary has declined it; a fault it does not claim goes on to whatever lies above the boundary, as if
// the boundary were not there. It runs while the fault is being dispatched, on the faulting thread's stack: it
// reads the record and plain values, and neither allocates nor throws.
struct TFaultClaim {
    bool (*Claims)(const EXCEPTION_RECORD& Record, const void* Context) noexcept;
    const void* Context;
};

// CallInsideFaultBoundary for the faults Claim claims. Each boundary asks its own claim: nested boundaries with
// claims of their own each answer for theirs.
bool CallInsideFaultBoundary(const TFaultClaim& Claim, void (*Call)(void*), void* Context);

// The data address an access violation or an in-page error (C0000006: a page of a mapped file that could not be
// read, such as one on a drive that went away) was raised for; null for any other exception.
const void* FaultDataAddress(const EXCEPTION_RECORD& Record);

// The typed call as the boundaries above take it: Invoke<TCallee>(Untyped(Call)) runs Call.
namespace faultboundary_detail {
template <class TCallee>
void Invoke(void* Call)
{
    (*static_cast<TCallee*>(Call))();
}
template <class TCall>
void* Untyped(TCall& Call)
{
    return const_cast<void*>(static_cast<const void*>(&Call));
}
}  // namespace faultboundary_detail

template <class TCall>
bool CallInsideFaultBoundary(TCall&& Call)
{
    using TCallee = std::remove_reference_t<TCall>;
    return CallInsideFaultBoundary(&faultboundary_detail::Invoke<TCallee>, faultboundary_detail::Untyped(Call));
}

template <class TCall>
bool CallInsideFaultBoundary(const TFaultClaim& Claim, TCall&& Call)
{
    using TCallee = std::remove_reference_t<TCall>;
    return CallInsideFaultBoundary(Claim, &faultboundary_detail::Invoke<TCallee>, faultboundary_detail::Untyped(Call));
}
