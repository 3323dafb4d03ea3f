#include "classlib/Application.h"
#include "classlib/HandlerScope.h"
#include "classlib/MessageWindow.h"
#include "classlib/Screen.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace runtimetest;

namespace {

constexpr UINT WM_TEST = WM_APP + 1;

// A hidden window whose handler runs `Action` for WM_TEST.
struct TActionWindow {
    std::function<void()> Action;
    TMessageWindow Window{&Handle, this};

    static bool Handle(void* self, TMessage& m)
    {
        if (m.Msg != WM_TEST) return false;
        static_cast<TActionWindow*>(self)->Action();
        m.Result = 1;
        return true;
    }
};

TEST(Application, RunEndsOnTheFlagOrOnWmQuit)
{
    const struct {
        const char* name;
        std::function<void(TApplication&)> handler;  // what a handler dispatched by Run does
    } rows[] = {
        {"terminate", [](TApplication& app) { app.Terminate(); }},
        {"WM_QUIT alone", [](TApplication&) { PostQuitMessage(3); }},
        // The Direct3D framework's loop, entered from a handler, eats the WM_QUIT that Terminate posts: Run still
        // ends when the handler returns, on the flag.
        {"quit eaten by a nested loop",
         [](TApplication& app) {
             app.Terminate();
             MSG msg;
             while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TApplication app(nullptr);
        TActionWindow window;
        window.Action = [&] { r.handler(app); };
        PostMessageA(window.Window.Handle(), WM_TEST, 0, 0);
        app.Run();
        EXPECT_TRUE(app.Terminated());
        DrainQuit();
    }

    TApplication app(nullptr);
    PostQuitMessage(7);
    app.ProcessMessages();
    EXPECT_TRUE(app.Terminated());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit must reach the outer loop";
    EXPECT_EQ(msg.wParam, 7u);

    auto* form = new TComponent(nullptr);
    app.SetMainForm(form, nullptr);
    delete form;
    EXPECT_EQ(app.MainForm(), nullptr);  // no dangling main form
}

// No exception leaves a window procedure: each is reported once, to the hook or else in a stop box.
TEST(Application, ExceptionsInAWindowProcedureAreReported)
{
    const struct {
        const char* name;
        std::function<void()> raise;
        bool hooked;
        const char* text;
    } rows[] = {
        {"class library exception", [] { throw EConvertError("not a number"); }, true, "not a number"},
        {"standard exception", [] { throw std::runtime_error("disk on fire"); }, true, "disk on fire"},
        {"anything else", [] { throw 42; }, true, "Unknown exception"},
        {"no hook: a stop box", [] { throw Exception("Could not load image"); }, false, "Could not load image"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TReportCapture capture(r.hooked);
        TActionWindow window;
        window.Action = r.raise;
        EXPECT_EQ(SendMessageA(window.Window.Handle(), WM_TEST, 0, 0), 0);
        std::vector<std::string> texts;
        for (const auto& report : capture.Reports) texts.push_back(report.Text);
        for (const auto& box : capture.Boxes) {
            texts.push_back(box.Text);
            EXPECT_EQ(box.Caption, Application->Title);
            EXPECT_EQ(box.Flags, UINT(MB_OK | MB_ICONSTOP));
        }
        EXPECT_EQ(texts, std::vector<std::string>{r.text});
    }

    TReportCapture capture;
    Application->OnException = [](TObject*, const std::exception&) { throw std::runtime_error("reporter"); };
    TActionWindow window;
    window.Action = [] { throw std::runtime_error("first"); };
    EXPECT_EQ(SendMessageA(window.Window.Handle(), WM_TEST, 0, 0), 0);  // a failing reporter is swallowed
}

// The platform drops a fault (an access violation, say) where it called a window procedure, and the program goes on
// above that point: the fault is reported naming the window's class, and no handler scope stays open behind it.
TEST(Application, AFaultDroppedByThePlatformIsReportedAndLeavesNoScopeOpen)
{
    for (bool fromHandler : {false, true}) {
        SCOPED_TRACE(fromHandler ? "from another handler" : "from the top level");
        TReportCapture capture;
        TMovedWindow faulty;
        faulty.Action = [] { RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr); };
        TActionWindow outer;
        int depthAfterFault = -1;
        outer.Action = [&] {
            faulty.Move();
            depthAfterFault = THandlerScope::Depth();
        };
        if (fromHandler) SendMessageA(outer.Window.Handle(), WM_TEST, 0, 0);
        else faulty.Move();
        Application->ProcessMessages();
        EXPECT_EQ(THandlerScope::Depth(), 0);
        if (fromHandler) EXPECT_EQ(depthAfterFault, 1);
        ASSERT_EQ(capture.Reports.size(), 1u);
        EXPECT_THAT(capture.Reports[0].Text, testing::StartsWith("Access violation (C0000005) at address "));
        EXPECT_THAT(capture.Reports[0].Text,
                    testing::EndsWith("in the window procedure of a \"ClasslibMessageWindow\" window, message 0x0046"));
    }
}

TEST(Application, ProgramFacts)
{
    const std::string exe = Application->ExeName();
    EXPECT_TRUE(SameText(ExtractFileName(exe), "classlib_runtime_tests.exe")) << exe;
    EXPECT_EQ(Application->ExeFolder() + ExtractFileName(exe), exe);
    EXPECT_TRUE(FileExists(exe));
    EXPECT_EQ(Application->Title, "classlib_runtime_tests");
    EXPECT_EQ(Screen->Width(), 1280);  // the test environment's display (Xvfb)
    EXPECT_EQ(Screen->Height(), 1024);
}

} // namespace
