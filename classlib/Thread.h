#pragma once
// Worker threads and calls handed to the GUI thread.
//
// Sections: the thread object; synchronised calls.
//
// A synchronised call is queued and the GUI thread is woken by a message posted to the application's hidden
// window, so the call runs under any loop that dispatches messages (the application's own, a bare
// Peek/Translate/Dispatch loop, a modal box). The calling thread blocks until the call has run or was released.
// Nothing deadlocks when the GUI thread waits for a worker: WaitFor serves queued calls while it waits, and
// Terminate releases a call the thread is still waiting for, without running it.
#include "classlib/WinHandle.h"
#include "classlib/core/Objects.h"

#include <atomic>
#include <exception>
#include <functional>

using TThreadMethod = std::function<void()>;

struct TSyncRequest;

class TThread : public TObject {
public:
    // The thread does not run until Start: a C++ object cannot run a derived Execute before the derived
    // constructor has finished, so "created running" means constructed, then started.
    TThread();
    // Terminates and waits for a running thread (see WaitFor), unless called by the thread itself. A class whose
    // Execute uses members of its own must stop the thread in its own destructor, before those members die.
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts Execute on a new thread. Returns false when the thread was started before. Throws Exception when
    // the system cannot create a thread.
    bool Start();
    // Asks Execute to end (it polls Terminated) and releases a synchronised call the thread is waiting for.
    void Terminate();
    // Waits until Execute has ended and OnTerminate has run; returns ReturnValue. In the GUI thread it serves
    // synchronised calls and sent messages meanwhile. Returns at once for a thread never started, and when the
    // thread waits for itself. Never call it for a FreeOnTerminate thread, which may already be gone.
    int WaitFor();

    bool Terminated() const { return terminated_.load(); }
    bool Started() const { return static_cast<bool>(handle_); }
    // True once Execute has returned (or thrown).
    bool Finished() const { return finished_.load(); }
    unsigned ThreadID() const { return threadId_; }
    HANDLE Handle() const { return handle_.Get(); }
    // What escaped Execute, or null. It is also reported through Application->HandleException.
    std::exception_ptr FatalException() const { return fatal_; }

    // Deletes the object on its own thread after Execute and OnTerminate.
    bool FreeOnTerminate = false;
    // Runs in the GUI thread after Execute ends.
    TNotifyEvent OnTerminate;
    // The thread's exit code.
    int ReturnValue = 0;

    // Runs Method in the GUI thread and waits for it (directly when called there). Returns false, without
    // running it, when Thread is terminated before the call starts; an exception thrown by Method is rethrown
    // here. Thread may be null for a thread that is no TThread (such a call is never released early).
    static bool Synchronize(TThread* Thread, const TThreadMethod& Method);

protected:
    virtual void Execute() = 0;
    bool Synchronize(const TThreadMethod& Method) { return Synchronize(this, Method); }

private:
    static unsigned __stdcall ThreadProc(void* self);
    void DoTerminate();

    TWinHandle handle_;
    unsigned threadId_ = 0;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::exception_ptr fatal_;
    TSyncRequest* pending_ = nullptr; // the call this thread waits for; guarded by the queue's lock

    friend bool CheckSynchronize();
};

// Runs every queued synchronised call; true when it ran at least one. Only the GUI thread runs them: elsewhere
// it does nothing and returns false. The application's hidden window calls it; loops of our own may too.
bool CheckSynchronize();
