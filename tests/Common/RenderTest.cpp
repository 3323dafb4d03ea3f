// The device life cycle on the real device: creation on a panel, the callbacks' order and arguments, reset and
// recreation, forced loss and recovery, shutdown, the readback presentation and the statistics texts.
#include "tests/Common/FrameworkFixture.h"

#include "Common/core/D3DFormatInfo.h"

#include <chrono>
#include <functional>

namespace {

using testsupport::FollowsDeviceLifeCycle;
using testsupport::TFrameworkTest;
using S = TDX9State_STATE;
using TEvents = std::vector<std::string>;

std::wstring StaticStatsFor(const TDX9DeviceSettings& Settings, const wchar_t* Vsync)
{
    return std::wstring(L"Vsync ") + Vsync + L" (" + std::to_wstring(Settings.pp.BackBufferWidth) + L"x" +
           std::to_wstring(Settings.pp.BackBufferHeight) + L"), " +
           D3DFormatToString(Settings.pp.BackBufferFormat, false) + L" (" +
           D3DFormatToString(Settings.pp.AutoDepthStencilFormat, false) + L")";
}

using RenderTest = TFrameworkTest;

TEST_F(RenderTest, CreatesAWindowedDeviceOnThePanel)
{
    ASSERT_EQ(CreateDevice(640, 480), S_OK);
    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    ASSERT_TRUE(device);
    EXPECT_EQ(Log.Events, (TEvents{"created 640x480", "reset 640x480"}));
    EXPECT_FALSE(Log.WrongDevice);
    const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    EXPECT_NE(settings.pp.Windowed, 0);
    EXPECT_EQ(settings.pp.hDeviceWindow, Panel) << "the settings name the panel whatever the presentation";
    EXPECT_EQ(DXUTGetBackBufferSurfaceDesc()->Width, 640u);
    EXPECT_EQ(DXUTGetHWND(), Panel);
    EXPECT_TRUE(GetDXUTState().Get(&S::IsDeviceCreated));
    EXPECT_FALSE(TDX9State::Locking()) << "a device that is not multithreaded switches the lock off";
    EXPECT_TRUE(IsWindow(Panel));
    RECT client;
    GetClientRect(Panel, &client);
    EXPECT_EQ(client.right, 320) << "a child panel keeps its size";
}

TEST_F(RenderTest, CallbacksComeInTheirFixedOrder)
{
    ASSERT_EQ(CreateDevice(640, 480), S_OK);
    struct TRow {
        const char* What;
        int Width, Height;
        bool ForceRecreate;
        TEvents Added;
    };
    const TRow rows[] = {
        {"same device, new size: reset", 800, 600, false, {"lost", "reset 800x600"}},
        {"forced recreation", 800, 600, true, {"lost", "destroyed", "created 800x600", "reset 800x600"}},
        {"back to the first size", 640, 480, false, {"lost", "reset 640x480"}},
        {"zero size: the panel's client size", 0, 0, false, {"lost", "reset 320x240"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        Log.Events.clear();
        TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        settings.pp.BackBufferWidth = UINT(row.Width);
        settings.pp.BackBufferHeight = UINT(row.Height);
        ASSERT_EQ(DXUTChangeDevice(&settings, nullptr, row.ForceRecreate, false), S_OK);
        EXPECT_EQ(Log.Events, row.Added);
        EXPECT_EQ(DXUTGetBackBufferSurfaceDesc()->Width, UINT(row.Width ? row.Width : 320));
    }
    Log.Events.clear();
    DXUTShutdownWithoutClose(4);
    EXPECT_EQ(Log.Events, (TEvents{"lost", "destroyed"}));
    EXPECT_EQ(DXUTGetExitCode(), 4);
    EXPECT_FALSE(DXUTGetD3DDevice());
    EXPECT_FALSE(DXUTGetD3DObject()) << "shutdown lets go of the Direct3D object";
    EXPECT_TRUE(IsWindow(Panel)) << "no WM_CLOSE reaches a child device window";
}

TEST_F(RenderTest, FailedResetsInADeviceChange)
{
    struct TRow {
        const char* What;
        bool ForgetDefaultPoolObject; // the device's Reset fails
        HRESULT ResetResult;          // the application's DeviceReset
        HRESULT Expected;
        TEvents Events;
        bool DeviceAfterwards;
    };
    const TRow rows[] = {
        {"Reset fails: full recreation", true, S_OK, S_OK,
         {"lost", "destroyed", "created 800x600", "reset 800x600"}, true},
        {"DeviceReset fails: lost at once, then shutdown", false, E_FAIL, kDXUTErrResettingDeviceObjects,
         {"lost", "reset 800x600", "lost", "destroyed"}, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
        Log.ResetResult = S_OK;
        ASSERT_EQ(CreateDevice(640, 480), S_OK);
        ComPtr<IDirect3DVertexBuffer9> forgotten;
        if (row.ForgetDefaultPoolObject)
            DXUTGetD3DDevice()->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, forgotten.Out(), nullptr);
        Log.ResetResult = row.ResetResult;
        Log.Events.clear();
        TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        settings.pp.BackBufferWidth = 800;
        settings.pp.BackBufferHeight = 600;
        EXPECT_EQ(DXUTChangeDevice(&settings, nullptr, false, false), row.Expected);
        EXPECT_EQ(Log.Events, row.Events);
        EXPECT_EQ(bool(DXUTGetD3DDevice()), row.DeviceAfterwards);
        EXPECT_EQ(GetDXUTState().Get(&S::PauseRenderingCount), 0);
        forgotten.Reset();
        DXUTShutdownWithoutClose(0);
        EXPECT_EQ(LeakedDevices(), 0);
    }
}

// A callback that shuts the framework down ends the sequence: whatever it was in, the device's objects are
// destroyed once, nothing comes after "destroyed", and no device, settings or pause is left behind.
TEST_F(RenderTest, ShutdownInsideACallbackEndsTheSequence)
{
    enum class TWhen { Creating, Resizing, Recreating };
    struct TRow {
        const char* What;
        bool InReset, InLost, InCreated;
        TWhen When;
        TEvents Events;
    };
    const TRow rows[] = {
        {"DeviceReset while creating", true, false, false, TWhen::Creating,
         {"created 640x480", "reset 640x480", "destroyed"}},
        {"DeviceReset during a reset", true, false, false, TWhen::Resizing,
         {"created 640x480", "reset 640x480", "lost", "reset 800x600", "destroyed"}},
        {"DeviceLost during a reset", false, true, false, TWhen::Resizing,
         {"created 640x480", "reset 640x480", "lost", "destroyed"}},
        {"DeviceLost during a recreation", false, true, false, TWhen::Recreating,
         {"created 640x480", "reset 640x480", "lost", "destroyed"}},
        {"DeviceCreated during a recreation", false, false, true, TWhen::Recreating,
         {"created 640x480", "reset 640x480", "lost", "destroyed", "created 800x600"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
        Log.Events.clear();
        Log.ShutDownInReset = row.InReset && row.When == TWhen::Creating;
        const HRESULT created = CreateDevice(640, 480);
        if (row.When == TWhen::Creating) {
            EXPECT_TRUE(FAILED(created)) << std::hex << created;
        } else {
            ASSERT_EQ(created, S_OK);
            Log.ShutDownInReset = row.InReset;
            Log.ShutDownInLost = row.InLost;
            Log.ShutDownInCreated = row.InCreated;
            TDX9DeviceSettings settings = DXUTGetDeviceSettings();
            settings.pp.BackBufferWidth = 800;
            settings.pp.BackBufferHeight = 600;
            const HRESULT changed = DXUTChangeDevice(&settings, nullptr, row.When == TWhen::Recreating, false);
            EXPECT_TRUE(FAILED(changed)) << std::hex << changed;
        }
        EXPECT_EQ(Log.Events, row.Events);
        EXPECT_FALSE(DXUTGetD3DDevice());
        EXPECT_FALSE(DXUTGetD3DObject());
        EXPECT_FALSE(GetDXUTState().GetCurrentSettings().has_value()) << "a shutdown lets go of the settings";
        EXPECT_EQ(GetDXUTState().Get(&S::PauseRenderingCount), 0);
        EXPECT_FALSE(GetDXUTState().Get(&S::InsideDeviceCallback));
        Log.ShutDownInReset = Log.ShutDownInLost = Log.ShutDownInCreated = false;
        DXUTShutdownWithoutClose(0);
        EXPECT_EQ(Log.Events, row.Events) << "a second shutdown sends nothing";
        EXPECT_EQ(LeakedDevices(), 0);
    }
}

// The window fit of a top-level device window: the size the window cannot take makes a second change with the
// window's own size. These callbacks make that second change fail, before and after it pauses.
bool RefuseWindowSize(TDX9DeviceSettings* Settings, const D3DCAPS9*, void*)
{
    return Settings->pp.BackBufferWidth != 0;
}
bool FailResetAtWindowSize(TDX9DeviceSettings* Settings, const D3DCAPS9*, void* Context)
{
    if (Settings->pp.BackBufferWidth == 0) static_cast<testsupport::TCallbackLog*>(Context)->ResetResult = E_FAIL;
    return true;
}

TEST_F(RenderTest, FailedWindowFitKeepsThePauseTheApplicationHolds)
{
    struct TRow {
        const char* What;
        TModifyDeviceSettingsCallback Modify;
    };
    for (const TRow row : {TRow{"window size refused", RefuseWindowSize},
                           TRow{"reset at the window size fails", FailResetAtWindowSize}}) {
        SCOPED_TRACE(row.What);
        if (!IsWindow(Window)) SetUp();
        ASSERT_EQ(DXUTSetWindow(Window, Window, Window, false), S_OK);
        DXUTPause(true, true);
        // Far beyond any work area: the clipped window cannot give that client size.
        Log.Events.clear();
        EXPECT_TRUE(FAILED(CreateDevice(3000, 2400, row.Modify)));
        ASSERT_FALSE(Log.Events.empty());
        EXPECT_EQ(Log.Events.front(), "created 3000x2400") << "the fit, not the creation, failed";
        EXPECT_EQ(Log.Events.back(), "destroyed");
        EXPECT_FALSE(DXUTGetD3DDevice());
        EXPECT_EQ(GetDXUTState().Get(&S::PauseRenderingCount), 1);
        EXPECT_EQ(GetDXUTState().Get(&S::PauseTimeCount), 1);
        EXPECT_FALSE(GetDXUTState().Get(&S::IgnoreSizeChange));
        DXUTPause(false, false);
        Log.ResetResult = S_OK;
        TearDown();
    }
}

bool RefuseSettings(TDX9DeviceSettings*, const D3DCAPS9*, void*) { return false; }
bool CheckSettings(TDX9DeviceSettings* Settings, const D3DCAPS9* Caps, void* Context)
{
    return Settings && Caps && Caps->MaxTextureWidth > 0 && Context != nullptr;
}

TEST_F(RenderTest, CreationFailuresAreReportedAndLeaveNoDevice)
{
    struct TRow {
        const char* What;
        TModifyDeviceSettingsCallback Modify;
        HRESULT CreatedResult;
        bool ShutDownInCreated;
        HRESULT Expected;
        int ExitCode;
        TEvents Events;
    };
    const TRow rows[] = {
        {"accepted", CheckSettings, S_OK, false, S_OK, 0, {"created 640x480", "reset 640x480"}},
        {"settings refused", RefuseSettings, S_OK, false, E_ABORT, 3, {}},
        // A failed DeviceCreated leaves no objects to destroy.
        {"objects fail", nullptr, E_FAIL, false, kDXUTErrCreatingDeviceObjects, 8, {"created 640x480"}},
        {"media missing", nullptr, kDXUTErrMediaNotFound, false, kDXUTErrMediaNotFound, 4, {"created 640x480"}},
        {"shut down inside", nullptr, S_OK, true, E_FAIL, 1, {"created 640x480"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        Log.Events.clear();
        Log.CreatedResult = row.CreatedResult;
        Log.ShutDownInCreated = row.ShutDownInCreated;
        GetDXUTState().Set(&S::ExitCode, 0);
        EXPECT_EQ(CreateDevice(640, 480, row.Modify), row.Expected);
        EXPECT_EQ(Log.Events, row.Events);
        EXPECT_EQ(DXUTGetExitCode(), row.ExitCode);
        EXPECT_EQ(bool(DXUTGetD3DDevice()), SUCCEEDED(row.Expected));
        if (FAILED(row.Expected)) {
            EXPECT_FALSE(GetDXUTState().GetCurrentSettings().has_value());
        }
        DXUTShutdownWithoutClose(0);
        EXPECT_EQ(LeakedDevices(), 0);
        ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
    }
}

TEST_F(RenderTest, NoDirect3DObjectIsAFailure)
{
    DXUTShutdownWithoutClose(0);
    const TDX9DeviceSettings settings{};
    const HRESULT hr = DXUTChangeDevice(&settings, nullptr, false, false);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
}

void ClearToContext(IDirect3DDevice9* Device, double, float, void* Context)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, *static_cast<D3DCOLOR*>(Context), 1.0f, 0);
}

TEST_F(RenderTest, ReadbackFrameShowsInThePanelsPixels)
{
    ShowWindow(Window, SW_SHOWNOACTIVATE);
    UpdateWindow(Window);
    DXUTSetPresentation(TDXUTPresentation::Readback);
    ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
    D3DCOLOR colour = 0;
    DXUTSetCallbackFrameRender(ClearToContext, &colour);
    const D3DCOLOR colours[] = {0xFF204080, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000};
    const POINT probes[] = {{0, 0}, {160, 120}, {319, 239}};
    for (const D3DCOLOR c : colours) {
        colour = c;
        DXUTRender3DEnvironment();
        const COLORREF expected = RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
        const HDC dc = GetDC(Panel);
        for (const POINT& p : probes) EXPECT_EQ(GetPixel(dc, p.x, p.y), expected) << std::hex << c << " at " << p.x;
        ReleaseDC(Panel, dc);
    }
    // The kept frame repaints the panel after something covered it.
    InvalidateRect(Panel, nullptr, TRUE);
    UpdateWindow(Panel);
    const HDC dc = GetDC(Panel);
    EXPECT_EQ(GetPixel(dc, 100, 100), RGB(0, 0, 0));
    ReleaseDC(Panel, dc);
}

void CountFrames(IDirect3DDevice9* Device, double, float, void* Context)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF336699, 1.0f, 0);
    ++*static_cast<int*>(Context);
}

TEST_F(RenderTest, ForcedLossRecoversAHundredTimesWithoutLeaks)
{
    DXUTSetPresentation(TDXUTPresentation::Readback); // loss found by testing the device once a frame
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    int frames = 0;
    DXUTSetCallbackFrameRender(CountFrames, &frames);
    TDX9State& s = GetDXUTState();
    TEvents history = Log.Events;
    int resets = 0, recreations = 0;
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        // A Reset while a default-pool object lives fails and leaves the device waiting for a reset.
        const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
        ComPtr<IDirect3DVertexBuffer9> forgotten;
        ASSERT_EQ(device->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, forgotten.Out(), nullptr),
                  S_OK);
        D3DPRESENT_PARAMETERS pp = DXUTDevicePresentParameters(DXUTGetPresentParameters());
        ASSERT_TRUE(FAILED(device->Reset(&pp)));
        ASSERT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
        // Even rounds free the object before the recovery (a reset does), odd rounds keep it (a recreation).
        const bool keepForgotten = round % 2 == 1;
        if (!keepForgotten) forgotten.Reset();
        const size_t devicesBefore = Log.Devices.size();
        Log.Events.clear();
        const int framesBefore = frames;
        for (int frame = 0; frame < 4 && frames < framesBefore + 2; ++frame) DXUTRender3DEnvironment();
        EXPECT_FALSE(s.Get(&S::IsDeviceLost));
        EXPECT_EQ(frames, framesBefore + 2) << "rendering goes on at once after the recovery";
        EXPECT_FALSE(Log.WrongDevice);
        if (Log.Devices.size() > devicesBefore) {
            ++recreations;
            EXPECT_EQ(Log.Events, (TEvents{"lost", "destroyed", "created 320x240", "reset 320x240"}));
        } else {
            ++resets;
            EXPECT_EQ(Log.Events, (TEvents{"lost", "reset 320x240"}));
        }
        history.insert(history.end(), Log.Events.begin(), Log.Events.end());
    }
    EXPECT_EQ(resets, 50);
    EXPECT_EQ(recreations, 50);
    EXPECT_TRUE(FollowsDeviceLifeCycle(history));
    // Every device but the current one is gone once the test lets go of its reference.
    IDirect3DDevice9* current = DXUTGetD3DDevice().Get();
    int released = 0;
    for (IDirect3DDevice9* device : Log.Devices) {
        if (device == current) continue;
        EXPECT_EQ(device->Release(), 0u);
        ++released;
    }
    std::erase_if(Log.Devices, [current](IDirect3DDevice9* d) { return d != current; });
    EXPECT_EQ(released, 50);
}

TEST(DeviceLifeCycle, GrammarOfTheCallbacks)
{
    const std::pair<TEvents, bool> rows[] = {
        {{}, true},
        {{"created", "reset", "lost", "destroyed"}, true},
        {{"created", "reset", "lost", "reset", "lost", "reset", "lost", "destroyed", "created"}, true},
        {{"created"}, true}, // a failed creation
        {{"reset"}, false},
        {{"created", "lost"}, false},
        {{"created", "reset", "destroyed"}, false},
        {{"created", "reset", "lost", "lost"}, false},
    };
    for (const auto& [events, valid] : rows) EXPECT_EQ(FollowsDeviceLifeCycle(events), valid) << events.size();
}

void ShutDownInFrame(IDirect3DDevice9*, double, float, void* Context)
{
    ++*static_cast<int*>(Context);
    DXUTShutdown(0);
}

TEST_F(RenderTest, ShutdownFromInsideAFrameEndsTheFrame)
{
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    int calls = 0;
    DXUTSetCallbackFrameRender(ShutDownInFrame, &calls);
    DXUTRender3DEnvironment();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(DXUTGetD3DDevice());
    EXPECT_EQ(GetDXUTState().Get(&S::CurrentFrameNumber), 0u) << "the frame ended without Present";
    EXPECT_EQ(Log.Events, (TEvents{"created 320x240", "reset 320x240", "lost", "destroyed"}));
    EXPECT_TRUE(IsWindow(Panel));
    DXUTRender3DEnvironment(); // nothing left to render: a harmless no-op
    EXPECT_EQ(calls, 1);
}

struct TLoopProbe {
    int Frames = 0;
    int QuitAfter = 5;
    HRESULT NestedLoop = S_OK;
    HWND DestroyFirst = nullptr;
};

void QuitAfterFrames(IDirect3DDevice9*, double, float, void* Context)
{
    auto& probe = *static_cast<TLoopProbe*>(Context);
    if (++probe.Frames == 1) probe.NestedLoop = DXUTMainLoop(nullptr);
    if (probe.Frames == probe.QuitAfter) {
        if (probe.DestroyFirst) DestroyWindow(probe.DestroyFirst);
        PostQuitMessage(0);
    }
}

// Timers whose callbacks change the timer list; the context records the ids that fired.
std::vector<TDXUTTimerRecord> Timers() { return GetDXUTState().Get(&S::TimerList); }
void EditTimers(const std::function<void(std::vector<TDXUTTimerRecord>&)>& Edit)
{
    std::vector<TDXUTTimerRecord> timers = Timers();
    Edit(timers);
    GetDXUTState().Set(&S::TimerList, std::move(timers));
}
void RecordTimer(UINT Index, void* Context) { static_cast<std::vector<UINT>*>(Context)->push_back(Index); }
void AddTimerAndRetimeSelf(UINT Index, void* Context)
{
    RecordTimer(Index, Context);
    EditTimers([&](std::vector<TDXUTTimerRecord>& timers) {
        timers.push_back({RecordTimer, Context, 0.05f, 0.05f, true});
        timers[Index].Countdown = 5.0f;
    });
}
void StopSelf(UINT Index, void* Context)
{
    RecordTimer(Index, Context);
    EditTimers([&](std::vector<TDXUTTimerRecord>& timers) { timers[Index].Enabled = false; });
}

TEST_F(RenderTest, TimerCallbacksKeepTheirChangesToTheTimers)
{
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    DXUTSetConstantFrameTime(true, 0.1f);
    std::vector<UINT> fired;
    GetDXUTState().Set(&S::TimerList, std::vector<TDXUTTimerRecord>{
                                          {AddTimerAndRetimeSelf, &fired, 1.0f, 0.05f, true},
                                          {StopSelf, &fired, 0.05f, 0.05f, true},
                                          {RecordTimer, &fired, 0.5f, 0.5f, false},
                                      });
    DXUTRender3DEnvironment();
    std::vector<TDXUTTimerRecord> timers = Timers();
    ASSERT_EQ(timers.size(), 4u) << "the added timer stays";
    EXPECT_EQ(fired, (std::vector<UINT>{0, 1}));
    EXPECT_FLOAT_EQ(timers[0].Countdown, 5.0f) << "the callback's own countdown wins over the reload";
    EXPECT_FALSE(timers[1].Enabled) << "a timer that stopped itself stays stopped";
    EXPECT_FLOAT_EQ(timers[1].Countdown, 0.05f) << "reloaded before its callback";
    EXPECT_FLOAT_EQ(timers[2].Countdown, 0.5f) << "a disabled timer does not count down";
    EXPECT_FLOAT_EQ(timers[3].Countdown, 0.05f) << "a timer added during the step waits for the next frame";

    DXUTRender3DEnvironment();
    timers = Timers();
    EXPECT_EQ(fired, (std::vector<UINT>{0, 1, 3}));
    EXPECT_FLOAT_EQ(timers[0].Countdown, 4.9f);
    EXPECT_FLOAT_EQ(timers[3].Countdown, 0.05f);
    GetDXUTState().Set(&S::TimerList, std::vector<TDXUTTimerRecord>{});
}

TEST_F(RenderTest, QuitEndsTheMainLoopAndTheApplicationsLoop)
{
    struct TRow {
        const char* What;
        bool DestroyFocusWindow;
    };
    for (const TRow row : {TRow{"focus window alive", false}, TRow{"focus window destroyed", true}}) {
        SCOPED_TRACE(row.What);
        if (!IsWindow(Window)) SetUp();
        ASSERT_EQ(CreateDevice(320, 240), S_OK);
        TLoopProbe probe;
        probe.DestroyFirst = row.DestroyFocusWindow ? Window : nullptr;
        DXUTSetCallbackFrameRender(QuitAfterFrames, &probe);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(DXUTMainLoop(nullptr), S_OK);
        EXPECT_EQ(probe.Frames, 5);
        EXPECT_EQ(probe.NestedLoop, E_FAIL) << "a loop inside the loop is refused";
        EXPECT_EQ(DXUTGetExitCode(), 1);
        EXPECT_FALSE(GetDXUTState().Get(&S::InsideMainloop));
        // The application's own loop must see the quit too.
        MSG message{};
        bool quit = false;
        const UINT_PTR guard = SetTimer(nullptr, 0, 3000, nullptr);
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER && message.wParam == guard) break;
            DispatchMessageW(&message);
        }
        quit = message.message == WM_QUIT;
        KillTimer(nullptr, guard);
        EXPECT_TRUE(quit);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        TearDown();
    }
}

TEST_F(RenderTest, StatisticsTexts)
{
    struct TRow {
        bool NoVSync;
        const wchar_t* Vsync;
    };
    for (const TRow row : {TRow{false, L"on"}, TRow{true, L"off"}}) {
        SCOPED_TRACE(row.Vsync);
        if (!IsWindow(Window)) SetUp();
        NoVSync = row.NoVSync;
        ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
        const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        EXPECT_EQ(settings.pp.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE, row.NoVSync);
        const std::wstring expected = StaticStatsFor(settings, row.Vsync);
        EXPECT_EQ(std::wstring(DXUTGetFrameStats(true)), expected) << "no FPS text before the first frame";
        DXUTRender3DEnvironment();
        const std::wstring withFps = DXUTGetFrameStats(true);
        EXPECT_EQ(withFps.find(L" fps "), 4u) << "the first frame already counts: \"0.00 fps \"";
        EXPECT_EQ(withFps.substr(withFps.size() - expected.size()), expected);
        EXPECT_EQ(std::wstring(DXUTGetFrameStats(false)), expected);
        const std::wstring deviceStats = DXUTGetDeviceStats();
        EXPECT_EQ(deviceStats.rfind(L"HAL (", 0), 0u) << deviceStats.c_str();
        EXPECT_EQ(std::wstring(DXUTGetDeviceTypeText()), L"Device Type HAL");
        TearDown();
    }
}

TEST_F(RenderTest, VertexProcessingTextDoesNotGrowOnRecreation)
{
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    const std::wstring first = DXUTGetVertexProcessingText();
    EXPECT_FALSE(first.empty());
    const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    ASSERT_EQ(DXUTChangeDevice(&settings, nullptr, true, false), S_OK);
    EXPECT_EQ(std::wstring(DXUTGetVertexProcessingText()), first);
}

TEST(DeviceStats, TextsFollowDeviceTypeAndVertexProcessing)
{
    struct TRow {
        D3DDEVTYPE Type;
        DWORD Flags;
        const wchar_t* Stats;
        const wchar_t* TypeText;
        const wchar_t* VertexText;
    };
    const TRow rows[] = {
        {D3DDEVTYPE_HAL, 0x50, L"HAL (pure hw vp): Test card", L"Device Type HAL", L"Pure Hardware VP and T&L"},
        {D3DDEVTYPE_HAL, 0x40, L"HAL (hw vp): Test card", L"Device Type HAL", L"Hardware VP"},
        {D3DDEVTYPE_HAL, 0x80, L"HAL (mixed vp): Test card", L"Device Type HAL", L"Mixed SW/HW VP"},
        {D3DDEVTYPE_HAL, 0x20, L"HAL (sw vp): Test card", L"Device Type HAL", L"Software VP"},
        {D3DDEVTYPE_REF, 0x50, L"REF (simulated pure hw vp)", L"Device Type REF",
         L"Simulated pure Hardware VP and T&L"},
        {D3DDEVTYPE_REF, 0x40, L"REF (simulated hw vp)", L"Device Type REF", L"Simulated Hardware VP"},
        {D3DDEVTYPE_SW, 0x80, L"SW (simulated mixed vp)", L"Device Type SW", L"Simulated Mixed SW/HW VP"},
        {D3DDEVTYPE_REF, 0x20, L"REF (sw vp)", L"Device Type REF", L"Software VP"},
    };
    D3DADAPTER_IDENTIFIER9 identifier{};
    strcpy(identifier.Description, "Test card");
    for (const TRow& row : rows) {
        DXUTUpdateDeviceStats(row.Type, row.Flags, identifier);
        EXPECT_EQ(std::wstring(DXUTGetDeviceStats()), row.Stats);
        EXPECT_EQ(std::wstring(DXUTGetDeviceTypeText()), row.TypeText);
        EXPECT_EQ(std::wstring(DXUTGetVertexProcessingText()), row.VertexText);
    }
}

} // namespace

namespace {

struct TInsideProbe {
    HRESULT SetWindow = S_OK, CreateDevice = S_OK, MainLoop = S_OK;
};

HRESULT CallSetUpFromInside(IDirect3DDevice9*, const D3DSURFACE_DESC*, void* Context)
{
    auto& probe = *static_cast<TInsideProbe*>(Context);
    const HWND any = GetDesktopWindow();
    probe.SetWindow = DXUTSetWindow(any, any, any, false);
    probe.CreateDevice = DXUTCreateDevice(0, true, 0, 0, nullptr, nullptr, nullptr);
    probe.MainLoop = DXUTMainLoop(nullptr);
    return S_OK;
}

TEST_F(RenderTest, SetUpRefusals)
{
    // Any nil handle is refused and leaves the windows as they were.
    const HWND rows[][3] = {{nullptr, Panel, Panel}, {Window, nullptr, Panel}, {Window, Panel, nullptr}};
    for (const auto& row : rows) {
        EXPECT_EQ(DXUTSetWindow(row[0], row[1], row[2], false), E_INVALIDARG);
        EXPECT_EQ(DXUTGetHWNDFocus(), Window);
        EXPECT_EQ(DXUTGetHWNDDeviceWindowed(), Panel);
    }
    EXPECT_EQ(std::wstring(DXUTGetWindowTitle()), L"Framework test window");

    // Nothing re-enters the set-up or the loop from inside a device callback.
    TInsideProbe probe;
    DXUTSetCallbackDeviceCreated(CallSetUpFromInside, &probe);
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    EXPECT_EQ(probe.SetWindow, E_FAIL);
    EXPECT_EQ(probe.CreateDevice, E_FAIL);
    EXPECT_EQ(probe.MainLoop, E_FAIL);
    EXPECT_EQ(DXUTGetExitCode(), 1);
    EXPECT_EQ(DXUTGetHWNDFocus(), Window);
}

TEST_F(RenderTest, MainLoopWithoutTheCreatedDeviceFails)
{
    ASSERT_EQ(CreateDevice(320, 240, RefuseSettings), E_ABORT);
    GetDXUTState().Set(&S::ExitCode, 11);
    EXPECT_EQ(DXUTMainLoop(nullptr), E_FAIL) << "creation was asked for and failed: no default device";
    EXPECT_EQ(DXUTGetExitCode(), 1) << "11 (reference device) becomes 1";
}

TEST(ConstantFrameTime, OverrideWins)
{
    TDX9State& s = GetDXUTState();
    const std::tuple<bool, float, bool, float> rows[] = {
        {false, 0.0f, true, 0.0333f}, // no override: the arguments are stored
        {true, 0.01f, false, 0.5f},   // with the override: its values
    };
    for (const auto& [overrideOn, overrideTime, enabled, seconds] : rows) {
        s.Set(&S::OverrideConstantFrameTime, overrideOn);
        s.Set(&S::OverrideConstantTimePerFrame, overrideTime);
        DXUTSetConstantFrameTime(enabled, seconds);
        EXPECT_EQ(s.Get(&S::ConstantFrameTime), overrideOn ? true : enabled);
        EXPECT_EQ(s.Get(&S::TimePerFrame), overrideOn ? overrideTime : seconds);
    }
    s.Set(&S::OverrideConstantFrameTime, false);
    DXUTSetConstantFrameTime(false, 0);
}

} // namespace
