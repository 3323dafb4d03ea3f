#include "classlib/FaultBoundary.h"

const char* ProcessorFaultName(DWORD Code)
{
    switch (Code) {
    case EXCEPTION_ACCESS_VIOLATION: return "Access violation";
    case EXCEPTION_IN_PAGE_ERROR: return "In-page error";
    case EXCEPTION_ILLEGAL_INSTRUCTION: return "Illegal instruction";
    case EXCEPTION_PRIV_INSTRUCTION: return "Privileged instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "Division by zero";
    case EXCEPTION_INT_OVERFLOW: return "Integer overflow";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return "Array bounds exceeded";
    case EXCEPTION_DATATYPE_MISALIGNMENT: return "Datatype misalignment";
    case EXCEPTION_STACK_OVERFLOW: return "Stack overflow";
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: return "Floating-point division by zero";
    case EXCEPTION_FLT_INVALID_OPERATION: return "Invalid floating-point operation";
    default: return nullptr;
    }
}

const void* FaultDataAddress(const EXCEPTION_RECORD& Record)
{
    const DWORD code = Record.ExceptionCode;
    if ((code != EXCEPTION_ACCESS_VIOLATION && code != EXCEPTION_IN_PAGE_ERROR) || Record.NumberParameters < 2)
        return nullptr;
    return reinterpret_cast<const void*>(Record.ExceptionInformation[1]);
}

#if defined(__x86_64__)

// The boundary is a frame of its own with an exception handler in the platform's table-based scheme, which C++
// code built by this compiler cannot declare: FaultBoundaryCall, in assembly, keeps Claim (null: every fault the
// boundary may end) in its frame, calls Call(Context) and returns 1; when its handler claims a fault, the platform
// unwinds to FaultBoundaryResume with 0 in the result register.
extern "C" {
int ClasslibFaultBoundaryCall(void (*Call)(void*), void* Context, const TFaultClaim* Claim);
extern const char ClasslibFaultBoundaryResume[];
EXCEPTION_DISPOSITION ClasslibFaultBoundaryHandler(EXCEPTION_RECORD* Record, void* Frame, CONTEXT* Context,
                                                   DISPATCHER_CONTEXT* Dispatch);
}

// Where the assembly keeps the claim ("32(%rsp)"), from the frame's address as the handler receives it (the stack
// pointer after the prologue): just above the 32 bytes the callee may use as its home area.
constexpr int ClaimSlot = 32;

asm(R"(
    .text
    .p2align 4
    .globl ClasslibFaultBoundaryCall
    .def ClasslibFaultBoundaryCall; .scl 2; .type 32; .endef
    .seh_proc ClasslibFaultBoundaryCall
ClasslibFaultBoundaryCall:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler ClasslibFaultBoundaryHandler, @except
    movq %r8, 32(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    movl $1, %eax
    .globl ClasslibFaultBoundaryResume
ClasslibFaultBoundaryResume:
    nop
    addq $40, %rsp
    retq
    .seh_endproc
)");

// Runs in the search for a handler, after every frame below the boundary declined the exception.
EXCEPTION_DISPOSITION ClasslibFaultBoundaryHandler(EXCEPTION_RECORD* Record, void* Frame, CONTEXT*,
                                                   DISPATCHER_CONTEXT* Dispatch)
{
    const DWORD code = Record->ExceptionCode;
    if ((Record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) || !ProcessorFaultName(code) ||
        code == EXCEPTION_STACK_OVERFLOW)
        return ExceptionContinueSearch;
    const TFaultClaim* claim = *reinterpret_cast<const TFaultClaim* const*>(static_cast<char*>(Frame) + ClaimSlot);
    if (claim && !claim->Claims(*Record, claim->Context)) return ExceptionContinueSearch;
    RtlUnwindEx(Frame, const_cast<char*>(ClasslibFaultBoundaryResume), Record, nullptr, Dispatch->ContextRecord,
                Dispatch->HistoryTable);
    return ExceptionContinueSearch;  // not reached: the unwind resumes in the boundary
}

bool CallInsideFaultBoundary(void (*Call)(void*), void* Context)
{
    return ClasslibFaultBoundaryCall(Call, Context, nullptr) != 0;
}

bool CallInsideFaultBoundary(const TFaultClaim& Claim, void (*Call)(void*), void* Context)
{
    return ClasslibFaultBoundaryCall(Call, Context, &Claim) != 0;
}

#else

bool CallInsideFaultBoundary(void (*Call)(void*), void* Context)
{
    Call(Context);
    return true;
}

bool CallInsideFaultBoundary(const TFaultClaim&, void (*Call)(void*), void* Context)
{
    return CallInsideFaultBoundary(Call, Context);
}

#endif
