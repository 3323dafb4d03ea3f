#include "classlib/Thread.h"

#include "classlib/MessageWindow.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace runtimetest;

namespace {

// A thread that runs a given body; the body gets the thread so it can synchronise and poll Terminated.
class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> body, std::atomic<bool>* freed = nullptr)
        : body_(std::move(body)), freed_(freed)
    {
    }
    ~TLambdaThread() override
    {
        // Execute uses body_: stop before it dies.
        if (Started() && GetCurrentThreadId() != ThreadID()) {
            Terminate();
            WaitFor();
        }
        if (freed_) *freed_ = true;
    }
    using TThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(TLambdaThread&)> body_;
    std::atomic<bool>* freed_;
};

// ---- synchronised calls ----------------------------------------------------------------------------------------

TEST(Synchronize, SeveralThreadsUnderABareMessageLoop)
{
    constexpr int kThreads = 4, kCalls = 50;
    const DWORD gui = GetCurrentThreadId();
    int counter = 0; // touched only in the GUI thread: no lock
    std::atomic<int> foreign{0};
    std::vector<std::unique_ptr<TLambdaThread>> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.push_back(std::make_unique<TLambdaThread>([&](TLambdaThread& self) {
            for (int i = 0; i < kCalls; ++i)
                EXPECT_TRUE(self.Synchronize([&] {
                    if (GetCurrentThreadId() != gui) ++foreign;
                    ++counter;
                }));
        }));
        threads.back()->Start();
    }
    // A thread that is no TThread may synchronise too.
    std::thread plain([&] {
        for (int i = 0; i < kCalls; ++i) TThread::Synchronize(nullptr, [&] { ++counter; });
    });
    const bool done = PumpUntil([&] {
        for (auto& t : threads)
            if (!t->Finished()) return false;
        return counter == (kThreads + 1) * kCalls;
    });
    plain.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(counter, (kThreads + 1) * kCalls);
    EXPECT_EQ(foreign, 0);
}

TEST(Synchronize, InTheGuiThreadRunsAtOnce)
{
    int ran = 0;
    EXPECT_TRUE(TThread::Synchronize(nullptr, [&] { ++ran; }));
    EXPECT_EQ(ran, 1);
}

TEST(Synchronize, RethrowsInTheCallingThread)
{
    std::string caught;
    TLambdaThread thread([&](TLambdaThread& self) {
        try {
            self.Synchronize([] { throw EListError("List index out of bounds (9)"); });
        } catch (const Exception& e) {
            caught = e.Message;
        }
    });
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(caught, "List index out of bounds (9)");
}

TEST(Synchronize, TerminateReleasesAThreadBlockedInACall)
{
    TWinHandle queued(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::atomic<int> result{-1};
    bool ran = false;
    TLambdaThread thread([&](TLambdaThread& self) {
        SetEvent(queued.Get());
        result = self.Synchronize([&] { ran = true; }) ? 1 : 0;
    });
    thread.Start();
    // The GUI thread dispatches nothing: the thread stays blocked in its call until released.
    ASSERT_EQ(WaitForSingleObject(queued.Get(), 5000), WAIT_OBJECT_0);
    Sleep(50);
    EXPECT_FALSE(thread.Finished());
    thread.Terminate();
    thread.WaitFor();
    EXPECT_EQ(result, 0);
    PumpFor(20); // the wake-up message still arrives and finds nothing to run
    EXPECT_FALSE(ran);
}

TEST(Synchronize, WaitForServesTheCallsOfTheThreadItWaitsFor)
{
    bool ran = false;
    TLambdaThread thread([&](TLambdaThread& self) {
        self.Synchronize([&] { ran = true; });
        self.ReturnValue = 17;
    });
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 17);
    EXPECT_TRUE(ran);
}

TEST(Synchronize, AfterTerminateNothingRuns)
{
    int ran = 0;
    std::atomic<bool> result{true};
    TLambdaThread thread([&](TLambdaThread& self) {
        while (!self.Terminated()) Sleep(1);
        result = self.Synchronize([&] { ++ran; });
    });
    thread.Start();
    thread.Terminate();
    thread.WaitFor();
    EXPECT_FALSE(result);
    EXPECT_EQ(ran, 0);
}

TEST(Synchronize, WaitForDeliversMessagesSentByTheThread)
{
    int received = 0;
    TMessageWindow window(
        [](void* count, TMessage& m) {
            if (m.Msg != WM_APP + 7) return false;
            ++*static_cast<int*>(count);
            m.Result = 5;
            return true;
        },
        &received);
    std::atomic<LRESULT> answer{0};
    TLambdaThread thread([&](TLambdaThread&) { answer = SendMessageA(window.Handle(), WM_APP + 7, 0, 0); });
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(received, 1);
    EXPECT_EQ(answer, 5);
}

// The image-cache loader's shape: one synchronised step, a short sleep, until a step terminates the thread.
TEST(Synchronize, AStepMayTerminateItsOwnThread)
{
    int steps = 0;
    TLambdaThread thread([&](TLambdaThread& self) {
        while (!self.Terminated()) {
            self.Synchronize([&] {
                if (++steps == 5) self.Terminate();
            });
            Sleep(1);
        }
    });
    thread.Start();
    EXPECT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_EQ(steps, 5);
}

// ---- thread life -----------------------------------------------------------------------------------------------

TEST(Thread, EndIsReportedInTheGuiThread)
{
    struct Case {
        const char* Name;
        std::function<void(TLambdaThread&)> Body;
        const char* Report; // expected exception text, or null
    };
    const Case cases[] = {
        {"clean end", [](TLambdaThread& self) { self.ReturnValue = 3; }, nullptr},
        {"exception escapes Execute", [](TLambdaThread&) { throw EReadError("Stream read error"); },
         "Stream read error"},
        {"foreign exception", [](TLambdaThread&) { throw 1; }, "Unknown exception"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TReportCapture capture;
        std::vector<DWORD> terminatedIn;
        TLambdaThread thread(c.Body);
        thread.OnTerminate = [&](TObject* sender) {
            EXPECT_EQ(sender, &thread);
            terminatedIn.push_back(GetCurrentThreadId());
        };
        thread.Start();
        thread.WaitFor();
        EXPECT_TRUE(thread.Finished());
        ASSERT_EQ(terminatedIn.size(), 1u);
        EXPECT_EQ(terminatedIn[0], GetCurrentThreadId());
        if (c.Report) {
            ASSERT_EQ(capture.Reports.size(), 1u);
            EXPECT_EQ(capture.Reports[0].Text, c.Report);
            EXPECT_EQ(capture.Reports[0].Sender, &thread);
            EXPECT_EQ(capture.Reports[0].ThreadId, GetCurrentThreadId());
            EXPECT_TRUE(thread.FatalException());
        } else {
            EXPECT_TRUE(capture.Reports.empty());
            EXPECT_FALSE(thread.FatalException());
        }
    }
}

TEST(Thread, FreeOnTerminateDeletesItself)
{
    std::atomic<bool> freed{false};
    bool terminated = false;
    auto* thread = new TLambdaThread([](TLambdaThread&) {}, &freed);
    thread->FreeOnTerminate = true;
    thread->OnTerminate = [&](TObject*) { terminated = true; };
    thread->Start();
    EXPECT_TRUE(PumpUntil([&] { return freed.load(); }));
    EXPECT_TRUE(terminated);
}

TEST(Thread, DeletingARunningThreadStopsIt)
{
    std::atomic<int> loops{0};
    auto thread = std::make_unique<TLambdaThread>([&](TLambdaThread& self) {
        while (!self.Terminated()) {
            ++loops;
            self.Synchronize([] {});
        }
    });
    thread->Start();
    PumpUntil([&] { return loops > 3; });
    thread.reset(); // must neither hang nor leave the thread running on freed memory
    const int after = loops;
    PumpFor(30);
    EXPECT_EQ(loops, after);
}

TEST(Thread, StartsOnceAndWaitsForNothingUnstarted)
{
    TLambdaThread idle([](TLambdaThread&) {});
    EXPECT_FALSE(idle.Started());
    EXPECT_EQ(idle.WaitFor(), 0);

    TLambdaThread once([](TLambdaThread& self) { self.ReturnValue = 9; });
    EXPECT_TRUE(once.Start());
    EXPECT_FALSE(once.Start());
    EXPECT_EQ(once.WaitFor(), 9);
    EXPECT_EQ(once.WaitFor(), 9);
}

} // namespace
