#include "classlib/Thread.h"

#include "classlib/Application.h"
#include "classlib/core/SysUtils.h"

#include <process.h>

#include <deque>
#include <mutex>

// One synchronised call. It lives on the stack of the thread that waits for it; the queue only points at it.
struct TSyncRequest {
    const TThreadMethod* Method;
    TThread* Thread;        // released early when this thread is terminated; null: never released
    TWinHandle Done;        // set once the call ran or was released
    bool Ran = false;
    std::exception_ptr Error;
};

namespace {

// ---- the queue of synchronised calls ---------------------------------------------------------------------------

struct TSyncQueue {
    std::mutex Lock;
    std::deque<TSyncRequest*> Calls;
    // Set while calls wait: the GUI thread's WaitFor waits on it beside the thread handle.
    TWinHandle Pending{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

TSyncQueue& Queue()
{
    static TSyncQueue queue;
    return queue;
}

bool InGuiThread()
{
    return GetCurrentThreadId() == Application->MainThreadID();
}

} // namespace

bool CheckSynchronize()
{
    if (!InGuiThread()) return false;
    TSyncQueue& q = Queue();
    bool ranAny = false;
    for (;;) {
        TSyncRequest* call;
        {
            std::lock_guard<std::mutex> lock(q.Lock);
            if (q.Calls.empty()) {
                ResetEvent(q.Pending.Get());
                return ranAny;
            }
            call = q.Calls.front();
            q.Calls.pop_front();
            // Running now: Terminate no longer releases it.
            if (call->Thread) call->Thread->pending_ = nullptr;
        }
        try {
            (*call->Method)();
            call->Ran = true;
        } catch (...) {
            call->Error = std::current_exception();
        }
        SetEvent(call->Done.Get()); // the waiting thread owns `call` again from here on
        ranAny = true;
    }
}

// ---- the thread object -----------------------------------------------------------------------------------------

TThread::TThread() = default;

TThread::~TThread()
{
    if (handle_ && GetCurrentThreadId() != threadId_) {
        Terminate();
        WaitFor();
    }
}

bool TThread::Start()
{
    if (handle_) return false;
    // Created suspended so that the handle and id are stored before the thread can run, end and free itself.
    unsigned id = 0;
    const uintptr_t h = _beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id);
    if (h == 0) throw Exception("Thread creation error: " + IntToStr(int(GetLastError())));
    handle_.Reset(reinterpret_cast<HANDLE>(h));
    threadId_ = id;
    ResumeThread(handle_.Get());
    return true;
}

void TThread::Terminate()
{
    TSyncQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.Lock);
    terminated_ = true;
    if (TSyncRequest* call = pending_) {
        pending_ = nullptr;
        std::erase(q.Calls, call);
        SetEvent(call->Done.Get());
    }
}

int TThread::WaitFor()
{
    if (!handle_ || GetCurrentThreadId() == threadId_) return ReturnValue;
    if (InGuiThread()) {
        const HANDLE handles[2] = {handle_.Get(), Queue().Pending.Get()};
        for (;;) {
            const DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r == WAIT_OBJECT_0) break;
            if (r == WAIT_OBJECT_0 + 1) {
                CheckSynchronize();
            } else if (r == WAIT_OBJECT_0 + 2) {
                MSG msg; // delivers messages sent from other threads, which might otherwise wait for us
                PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            } else {
                WaitForSingleObject(handle_.Get(), INFINITE);
                break;
            }
        }
    } else {
        WaitForSingleObject(handle_.Get(), INFINITE);
    }
    return ReturnValue;
}

bool TThread::Synchronize(TThread* Thread, const TThreadMethod& Method)
{
    if (InGuiThread()) {
        Method();
        return true;
    }
    TSyncRequest call{&Method, Thread, TWinHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr)), false, nullptr};
    if (!call.Done) throw Exception("Cannot create an event (system error " + IntToStr(int(GetLastError())) + ")");
    TSyncQueue& q = Queue();
    {
        std::lock_guard<std::mutex> lock(q.Lock);
        if (Thread) {
            if (Thread->terminated_) return false;
            Thread->pending_ = &call;
        }
        q.Calls.push_back(&call);
        SetEvent(q.Pending.Get());
    }
    Application->WakeMainThread();
    WaitForSingleObject(call.Done.Get(), INFINITE);
    if (call.Error) std::rethrow_exception(call.Error);
    return call.Ran;
}

// ---- the thread's own side -------------------------------------------------------------------------------------

unsigned __stdcall TThread::ThreadProc(void* self)
{
    auto* thread = static_cast<TThread*>(self);
    try {
        thread->Execute();
    } catch (...) {
        thread->fatal_ = std::current_exception();
    }
    thread->finished_ = true;
    thread->DoTerminate();
    const unsigned result = static_cast<unsigned>(thread->ReturnValue);
    if (thread->FreeOnTerminate) delete thread;
    return result;
}

void TThread::DoTerminate()
{
    if (!fatal_ && !OnTerminate) return;
    // Reported in the GUI thread, not released by Terminate: the owner hears of the end and of the failure even
    // when it asked the thread to stop.
    const TThreadMethod report = [this] {
        if (fatal_) {
            try {
                std::rethrow_exception(fatal_);
            } catch (...) {
                Application->HandleException(this);
            }
        }
        if (OnTerminate) {
            try {
                OnTerminate(this);
            } catch (...) {
                Application->HandleException(this);
            }
        }
    };
    try {
        Synchronize(nullptr, report);
    } catch (...) {
        // No event for the call: the end goes unreported rather than escaping the thread.
    }
}
