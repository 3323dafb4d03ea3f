#include "classlib/Application.h"
#include "classlib/MessageWindow.h"
#include "classlib/Screen.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"

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

class ApplicationLoop : public testing::Test {
protected:
    void TearDown() override { DrainQuit(); }
};

// ---- loop and termination --------------------------------------------------------------------------------------

TEST_F(ApplicationLoop, RunEndsOnEitherSignal)
{
    struct Case {
        const char* Name;
        // What a handler dispatched by Run does.
        std::function<void(TApplication&)> Handler;
    };
    const Case cases[] = {
        {"terminate", [](TApplication& app) { app.Terminate(); }},
        {"WM_QUIT alone", [](TApplication&) { PostQuitMessage(3); }},
        // The Direct3D framework's loop, entered from a handler, eats the WM_QUIT that Terminate posts: Run
        // still ends when the handler returns, on the flag.
        {"quit eaten by a nested loop",
         [](TApplication& app) {
             app.Terminate();
             MSG msg;
             while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TApplication app(nullptr);
        TActionWindow window;
        window.Action = [&] { c.Handler(app); };
        PostMessageA(window.Window.Handle(), WM_TEST, 0, 0);
        app.Run();
        EXPECT_TRUE(app.Terminated());
        DrainQuit();
    }
}

TEST_F(ApplicationLoop, ProcessMessagesDispatchesWhatWaitsAndPassesQuitOn)
{
    TApplication app(nullptr);
    int handled = 0;
    TActionWindow window;
    window.Action = [&] { ++handled; };
    for (int i = 0; i < 3; ++i) PostMessageA(window.Window.Handle(), WM_TEST, 0, 0);
    app.ProcessMessages();
    EXPECT_EQ(handled, 3);
    EXPECT_FALSE(app.Terminated());

    PostQuitMessage(7);
    app.ProcessMessages();
    EXPECT_TRUE(app.Terminated());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit must reach the outer loop";
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ApplicationLoop, RunShowsTheMainFormUnlessTold)
{
    for (const bool show : {true, false}) {
        SCOPED_TRACE(show);
        TApplication app(nullptr);
        TComponent form(nullptr);
        HWND h = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(h, nullptr);
        app.SetMainForm(&form, h);
        app.ShowMainForm = show;
        app.Terminate();
        app.Run();
        EXPECT_EQ(IsWindowVisible(h) != FALSE, show);
        DestroyWindow(h);
        DrainQuit();
    }
}

TEST(Application, ForgetsAMainFormThatDies)
{
    TApplication app(nullptr);
    auto* form = new TComponent(nullptr);
    app.SetMainForm(form, reinterpret_cast<HWND>(1));
    EXPECT_EQ(app.MainForm(), form);
    delete form;
    EXPECT_EQ(app.MainForm(), nullptr);
    EXPECT_EQ(app.MainFormHandle(), nullptr);
}

// ---- exceptions ------------------------------------------------------------------------------------------------

TEST(HandleException, CatchesWhatAWindowProcedureThrows)
{
    struct Case {
        const char* Name;
        std::function<void()> Throw;
        const char* Text;
    };
    const Case cases[] = {
        {"class library exception", [] { throw EConvertError("'x' is not a valid integer value"); },
         "'x' is not a valid integer value"},
        {"standard exception", [] { throw std::runtime_error("disk on fire"); }, "disk on fire"},
        {"anything else", [] { throw 42; }, "Unknown exception"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TReportCapture capture;
        TActionWindow window;
        window.Action = c.Throw;
        EXPECT_EQ(SendMessageA(window.Window.Handle(), WM_TEST, 0, 0), 0);
        ASSERT_EQ(capture.Reports.size(), 1u);
        EXPECT_EQ(capture.Reports[0].Text, c.Text);
        EXPECT_EQ(capture.Reports[0].Sender, nullptr);
        EXPECT_TRUE(capture.Boxes.empty());
    }
}

TEST(HandleException, WithoutHandlerShowsAStopBoxWithTheText)
{
    TReportCapture capture(false);
    TActionWindow window;
    window.Action = [] { throw Exception("Could not load image"); };
    PostMessageA(window.Window.Handle(), WM_TEST, 0, 0);
    PumpUntil([&] { return !capture.Boxes.empty(); }, 2000);
    ASSERT_EQ(capture.Boxes.size(), 1u);
    EXPECT_EQ(capture.Boxes[0].Text, "Could not load image");
    EXPECT_EQ(capture.Boxes[0].Caption, Application->Title);
    EXPECT_EQ(capture.Boxes[0].Flags, UINT(MB_OK | MB_ICONSTOP));
}

TEST(HandleException, OutsideACatchReportsNothing)
{
    TReportCapture capture;
    Application->HandleException(nullptr);
    EXPECT_TRUE(capture.Reports.empty());
    EXPECT_TRUE(capture.Boxes.empty());
}

TEST(HandleException, AFailingReporterIsSwallowed)
{
    TReportCapture capture;
    Application->OnException = [](TObject*, const std::exception&) { throw std::runtime_error("reporter"); };
    TActionWindow window;
    window.Action = [] { throw std::runtime_error("first"); };
    EXPECT_EQ(SendMessageA(window.Window.Handle(), WM_TEST, 0, 0), 0);
}

// ---- message boxes and program facts ---------------------------------------------------------------------------

TEST(MessageBoxes, GoThroughTheHookWithTheirCaptionsAndButtons)
{
    TReportCapture capture;
    capture.BoxAnswer = IDNO;
    EXPECT_EQ(Application->MessageBox("Will you convert?", "Sorvanta Map Editor", MB_YESNO | MB_ICONQUESTION),
              IDNO);
    capture.BoxAnswer = IDOK;
    ShowMessage("Convert Progress Done\r\n3 Images converted..");
    ASSERT_EQ(capture.Boxes.size(), 2u);
    EXPECT_EQ(capture.Boxes[0].Caption, "Sorvanta Map Editor");
    EXPECT_EQ(capture.Boxes[0].Flags, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(capture.Boxes[1].Text, "Convert Progress Done\r\n3 Images converted..");
    EXPECT_EQ(capture.Boxes[1].Caption, Application->Title);
    EXPECT_EQ(capture.Boxes[1].Flags, UINT(MB_OK));
}

TEST(ProgramFacts, ExecutableNameFolderAndTitle)
{
    const std::string exe = Application->ExeName();
    EXPECT_TRUE(SameText(ExtractFileExt(exe), ".exe")) << exe;
    EXPECT_EQ(Application->ExeFolder() + ExtractFileName(exe), exe);
    EXPECT_EQ(Application->ExeFolder().back(), '\\');
    EXPECT_TRUE(FileExists(exe));
    EXPECT_EQ(Application->Title, "classlib_runtime_tests");
}

TEST(ProgramFacts, ScreenIsTheDesktopSize)
{
    RECT desktop;
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    EXPECT_EQ(Screen->Width(), desktop.right - desktop.left);
    EXPECT_EQ(Screen->Height(), desktop.bottom - desktop.top);
}

} // namespace
