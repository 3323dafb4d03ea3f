// Sections: the open scopes; faults; THandlerScope.
#include "classlib/HandlerScope.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "classlib/Application.h"
#include "classlib/FaultBoundary.h"
#include "classlib/core/SysUtils.h"

// ---- the open scopes ------------------------------------------------------------------------------------------

namespace {

struct TOpenScope {
    const THandlerScope* Scope; // its identity and its place on the stack
    const TComponent* Component;
    HWND Window;
    UINT Msg;
};

// Outermost first. Never freed: a window procedure may run while the program's statics are being destroyed.
std::vector<TOpenScope>& OpenScopes()
{
    static auto* list = new std::vector<TOpenScope>();
    return *list;
}

THandlerScope::TExitHook exitHook = nullptr;
DWORD scopesThread = 0; // the GUI thread, which alone opens scopes

uintptr_t Address(const void* p)
{
    return reinterpret_cast<uintptr_t>(p);
}

// A point of the stack below the frame of whoever calls this, and so below every scope object still alive: the
// stack grows downwards, and a live scope object sits in the frame of the caller or of one of its callers.
[[gnu::noinline]] uintptr_t StackMark()
{
    volatile char here = 0;
    return Address(const_cast<char*>(&here));
}

// Scopes whose objects lie below `mark` belong to calls a dropped fault ended.
void DropScopesBelow(uintptr_t mark)
{
    std::erase_if(OpenScopes(), [mark](const TOpenScope& s) { return Address(s.Scope) < mark; });
}

// ---- faults ---------------------------------------------------------------------------------------------------

// The first fault raised inside an open scope and not yet reported. Written by the exception handler, which must
// not allocate: the fault may have struck inside the heap.
struct TFault {
    bool Pending;
    DWORD Code;
    const void* Address;
    UINT Msg;
    char WindowClass[64];
};
TFault fault{};

// Notes a fault raised in the GUI thread while a scope is open, against the innermost scope still alive at the
// fault. It lets the fault go on: what handles it is the platform's and the program's business.
LONG CALLBACK NoteFault(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (fault.Pending || !ProcessorFaultName(code) || GetCurrentThreadId() != scopesThread)
        return EXCEPTION_CONTINUE_SEARCH;
#ifdef _WIN64
    const uintptr_t sp = info->ContextRecord->Rsp;
#else
    const uintptr_t sp = info->ContextRecord->Esp;
#endif
    const std::vector<TOpenScope>& open = OpenScopes();
    for (size_t i = open.size(); i-- > 0;) {
        if (Address(open[i].Scope) < sp) continue;
        fault.Code = code;
        fault.Address = info->ExceptionRecord->ExceptionAddress;
        fault.Msg = open[i].Msg;
        if (!GetClassNameA(open[i].Window, fault.WindowClass, sizeof fault.WindowClass))
            std::snprintf(fault.WindowClass, sizeof fault.WindowClass, "%s", "(gone)");
        fault.Pending = true;
        break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Hands a noted fault to the application as an exception naming the window's class.
void ReportFault()
{
    if (!fault.Pending) return;
    const TFault f = fault;
    fault.Pending = false;
    char text[256];
    std::snprintf(text, sizeof text, "%s (%08lX) at address %p in the window procedure of a \"%s\" window, message 0x%04X",
                  ProcessorFaultName(f.Code), static_cast<unsigned long>(f.Code), f.Address, f.WindowClass, f.Msg);
    try {
        throw Exception(text);
    } catch (...) {
        if (Application) Application->HandleException(nullptr);
    }
}

} // namespace

// ---- THandlerScope --------------------------------------------------------------------------------------------

THandlerScope::THandlerScope(const TComponent* Component, HWND Window, UINT Msg)
{
    static const bool faultsNoted = AddVectoredExceptionHandler(1, &NoteFault) != nullptr;
    (void)faultsNoted;
    if (!scopesThread) scopesThread = GetCurrentThreadId();
    DropScopesBelow(StackMark());
    // A scope that was left at this very place of the stack cannot be open any more.
    std::erase_if(OpenScopes(), [this](const TOpenScope& s) { return s.Scope == this; });
    ReportFault();
    OpenScopes().push_back({this, Component, Window, Msg});
}

THandlerScope::~THandlerScope()
{
    std::vector<TOpenScope>& open = OpenScopes();
    for (size_t i = open.size(); i-- > 0;)
        if (open[i].Scope == this) {
            // Scopes opened after this one and still listed are dead ones.
            open.resize(i);
            break;
        }
    ReportFault();
    try {
        if (exitHook) exitHook(Depth() == 0);
    } catch (...) {
        // Out of memory while posting or tidying up: the next scope to close tries again.
    }
}

int THandlerScope::Depth()
{
    DropScopesBelow(StackMark());
    return static_cast<int>(OpenScopes().size());
}

const TComponent* THandlerScope::ComponentAt(int Index)
{
    const std::vector<TOpenScope>& open = OpenScopes();
    return Index >= 0 && static_cast<size_t>(Index) < open.size() ? open[static_cast<size_t>(Index)].Component
                                                                  : nullptr;
}

void THandlerScope::Forget(const TComponent* Component)
{
    if (!Component) return;
    for (TOpenScope& s : OpenScopes())
        if (s.Component == Component) s.Component = nullptr;
}

void THandlerScope::AtMessageLoop()
{
    DropScopesBelow(StackMark());
    ReportFault();
}

bool THandlerScope::FaultNoted()
{
    return fault.Pending;
}

void THandlerScope::ForgetFault()
{
    fault.Pending = false;
}

void THandlerScope::SetExitHook(TExitHook Hook)
{
    exitHook = Hook;
}
