#include "classlib/Thread.h"

#include "classlib/MessageWindow.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

using namespace runtimetest;

namespace {

// A thread that runs a given body; the body gets the thread so it can synchronise and poll Terminated.
class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> body) : body_(std::move(body)) {}
    ~TLambdaThread() override
    {
        // Execute uses body_: stop before it dies.
        if (Started() && GetCurrentThreadId() != ThreadID()) {
            Terminate();
            WaitFor();
        }
    }
    using TThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(TLambdaThread&)> body_;
};

TEST(Synchronize, CallsFromSeveralThreadsRunInTheGuiThreadUnderABareLoop)
{
    constexpr int kThreads = 4, kCalls = 50;
    const DWORD gui = GetCurrentThreadId();
    int counter = 0;  // touched only in the GUI thread: no lock
    std::atomic<int> foreign{0};
    std::vector<std::unique_ptr<TLambdaThread>> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.push_back(std::make_unique<TLambdaThread>([&](TLambdaThread& self) {
            for (int i = 0; i < kCalls; ++i)
                EXPECT_TRUE(self.Synchronize([&] {
                    foreign += GetCurrentThreadId() != gui;
                    ++counter;
                }));
        }));
        threads.back()->Start();
    }
    EXPECT_TRUE(PumpUntil([&] { return counter == kThreads * kCalls; }));
    EXPECT_EQ(foreign, 0);
    EXPECT_TRUE(TThread::Synchronize(nullptr, [&] { ++counter; }));  // in the GUI thread: at once
    EXPECT_EQ(counter, kThreads * kCalls + 1);
}

// Terminate releases a thread blocked in a call without running the call; after Terminate no call runs.
TEST(Synchronize, TerminateReleasesABlockedCall)
{
    for (const bool blocked : {true, false}) {
        SCOPED_TRACE(blocked ? "blocked in the call" : "calling after Terminate");
        TWinHandle calling(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        std::atomic<int> result{-1};
        bool ran = false;
        TLambdaThread thread([&](TLambdaThread& self) {
            while (!blocked && !self.Terminated()) Sleep(1);
            SetEvent(calling.Get());
            result = self.Synchronize([&] { ran = true; });
        });
        thread.Start();
        ASSERT_EQ(WaitForSingleObject(calling.Get(), blocked ? 5000 : 0), blocked ? WAIT_OBJECT_0 : WAIT_TIMEOUT);
        Sleep(50);  // the GUI thread dispatches nothing: a blocked call stays blocked until released
        EXPECT_FALSE(thread.Finished());
        thread.Terminate();
        thread.WaitFor();
        EXPECT_EQ(result, 0);
        PumpFor(20);  // a wake-up message still arrives and finds nothing to run
        EXPECT_FALSE(ran);
    }
}

// WaitFor in the GUI thread serves the thread's calls and the messages it sends; the end, and an exception that
// escapes Execute, are reported in the GUI thread.
TEST(Thread, WaitForServesTheThreadAndItsEndIsReportedInTheGuiThread)
{
    TMessageWindow window(
        [](void*, TMessage& m) {
            m.Result = 5;
            return m.Msg == WM_APP + 7;
        },
        nullptr);
    const struct {
        const char* name;
        std::function<void(TLambdaThread&)> body;
        int returned;
        const char* report;  // the exception reported, or ""
    } rows[] = {
        {"clean end", [](TLambdaThread& self) { self.ReturnValue = 3; }, 3, ""},
        {"synchronised call", [](TLambdaThread& self) { self.Synchronize([&] { self.ReturnValue = 17; }); }, 17, ""},
        {"message sent to the GUI thread",
         [&](TLambdaThread& self) { self.ReturnValue = int(SendMessageA(window.Handle(), WM_APP + 7, 0, 0)); }, 5, ""},
        {"exception in a synchronised call, rethrown in the thread",
         [](TLambdaThread& self) {
             try {
                 self.Synchronize([] { throw EListError("List index out of bounds (9)"); });
             } catch (const EListError&) {
                 self.ReturnValue = 9;
             }
         },
         9, ""},
        {"exception escapes Execute", [](TLambdaThread&) { throw EReadError("Stream read error"); }, 0,
         "Stream read error"},
        {"foreign exception", [](TLambdaThread&) { throw 1; }, 0, "Unknown exception"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TReportCapture capture;
        std::vector<DWORD> terminatedIn;
        TLambdaThread thread(r.body);
        thread.OnTerminate = [&](TObject* sender) {
            terminatedIn.push_back(sender == &thread ? GetCurrentThreadId() : 0);
        };
        thread.Start();
        EXPECT_EQ(thread.WaitFor(), r.returned);
        EXPECT_EQ(terminatedIn, std::vector<DWORD>{GetCurrentThreadId()});
        ASSERT_EQ(capture.Reports.size(), *r.report ? 1u : 0u);
        for (const TReport& report : capture.Reports) {
            EXPECT_EQ(report.Text, r.report);
            EXPECT_EQ(report.Sender, &thread);
            EXPECT_EQ(report.ThreadId, GetCurrentThreadId());
        }
    }
}

} // namespace
