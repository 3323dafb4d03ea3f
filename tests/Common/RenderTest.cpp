// The device life cycle on the real device, the readback presentation, timers, the main loop, the statistics and
// the system report.
#include "tests/Common/FrameworkFixture.h"

#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_SystemReport.h"
#include "classlib/core/SysUtils.h"
#include "tests/support/TempDir.h"
#include "tests/support/FormatSettingsScope.h"

#include <cstring>
#include <fstream>
#include <regex>
#include <tuple>

namespace {

using testsupport::TCallbackLog;
using testsupport::TEvents;
using S = TDX9State_STATE;
using RenderTest = testsupport::TFrameworkTest;

TEST_F(RenderTest, DeviceChangesCallTheCallbacksInTheirOrder)
{
    ASSERT_EQ(CreateDevice(640, 480), S_OK);
    EXPECT_EQ(Log.Events, (TEvents{"created 640x480", "reset 640x480"}));
    EXPECT_EQ(DXUTGetDeviceSettings().pp.hDeviceWindow, Panel) << "the settings name the panel, not a hidden window";
    struct TRow {
        const char* What;
        UINT Width, Height;
        bool ForceRecreate;
        TEvents Events;
    };
    const TRow rows[] = {
        {"same device, new size: reset", 800, 600, false, {"lost", "reset 800x600"}},
        {"forced recreation", 800, 600, true, {"lost", "destroyed", "created 800x600", "reset 800x600"}},
        {"zero size: the panel's client size", 0, 0, false, {"lost", "reset 320x240"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        ASSERT_EQ(ChangeSize(row.Width, row.Height, row.ForceRecreate), S_OK);
        EXPECT_EQ(Log.Events, row.Events);
        EXPECT_EQ(std::wstring(DXUTGetVertexProcessingText()), L"Hardware VP") << "rebuilt, not appended to";
        RECT client;
        GetClientRect(Panel, &client);
        EXPECT_EQ(client.right, 320) << "only a top-level device window is fitted to the back buffer";
    }
    // A top-level device window is fitted to the back buffer.
    ASSERT_EQ(DXUTSetWindow(Window, Window, Window, false), S_OK);
    ASSERT_EQ(ChangeSize(300, 200), S_OK);
    RECT client;
    GetClientRect(Window, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(300L, 200L));
    ASSERT_EQ(DXUTSetWindow(Window, Panel, Panel, false), S_OK);
    Log.Events.clear();
    DXUTShutdown(0);
    EXPECT_EQ(Log.Events, (TEvents{"lost", "destroyed"}));
    EXPECT_TRUE(IsWindow(Panel)) << "no WM_CLOSE reaches a child device window";
    ASSERT_FALSE(DXUTGetD3DObject()) << "shutdown lets go of the Direct3D object";
    const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    EXPECT_EQ(std::uint32_t(DXUTChangeDevice(&settings, nullptr, false, false)), 0x80040901u) << "never a success code";
}

void ShutDownInFrame(IDirect3DDevice9*, double, float, void*)
{
    DXUTShutdown(0);
}

// A callback that shuts the framework down ends the sequence: whatever it was in, the device's objects are
// destroyed once, nothing comes after "destroyed", and no device, settings or pause is left behind.
TEST_F(RenderTest, ShutdownInsideACallbackEndsTheSequence)
{
    enum class TWhen { Creating, Resizing, Recreating, Rendering };
    struct TRow {
        const char* What;
        bool TCallbackLog::*ShutDownIn;
        TWhen When;
        TEvents Events; // of the creation or, after a successful creation, of the change
    };
    const TRow rows[] = {
        {"DeviceReset while creating", &TCallbackLog::ShutDownInReset, TWhen::Creating,
         {"created 640x480", "reset 640x480", "destroyed"}},
        {"DeviceReset during a reset", &TCallbackLog::ShutDownInReset, TWhen::Resizing,
         {"lost", "reset 800x600", "destroyed"}},
        {"DeviceLost during a reset", &TCallbackLog::ShutDownInLost, TWhen::Resizing, {"lost", "destroyed"}},
        {"DeviceLost during a recreation", &TCallbackLog::ShutDownInLost, TWhen::Recreating, {"lost", "destroyed"}},
        {"DeviceCreated during a recreation", &TCallbackLog::ShutDownInCreated, TWhen::Recreating,
         {"lost", "destroyed", "created 800x600"}},
        {"FrameRender", nullptr, TWhen::Rendering, {"lost", "destroyed"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        if (&row != rows) Restart();
        if (row.When == TWhen::Creating) Log.*row.ShutDownIn = true;
        const HRESULT created = CreateDevice(640, 480);
        if (row.When == TWhen::Creating) {
            EXPECT_TRUE(FAILED(created)) << std::hex << created;
        } else if (row.When == TWhen::Rendering) {
            ASSERT_EQ(created, S_OK);
            Log.Events.clear();
            DXUTSetCallbackFrameRender(ShutDownInFrame);
            DXUTRender3DEnvironment();
            DXUTRender3DEnvironment(); // nothing left to render: a harmless no-op
            EXPECT_EQ(GetDXUTState().Get(&S::CurrentFrameNumber), 0u) << "the frame ended without Present";
        } else {
            ASSERT_EQ(created, S_OK);
            Log.*row.ShutDownIn = true;
            const HRESULT changed = ChangeSize(800, 600, row.When == TWhen::Recreating);
            EXPECT_TRUE(FAILED(changed)) << std::hex << changed;
        }
        EXPECT_EQ(Log.Events, row.Events);
        EXPECT_FALSE(DXUTGetD3DDevice());
        EXPECT_FALSE(DXUTGetD3DObject());
        EXPECT_FALSE(GetDXUTState().GetCurrentSettings().has_value()) << "a shutdown lets go of the settings";
        EXPECT_EQ(PauseCount(), 0);
        EXPECT_FALSE(GetDXUTState().Get(&S::InsideDeviceCallback));
        DXUTShutdownWithoutClose(0);
        EXPECT_EQ(Log.Events, row.Events) << "a second shutdown sends nothing";
    }
}

// Both ways a reset can fail in a device change end the change unpaused (the fixture checks that at each
// restart): the device's own Reset failing recreates the device; the application's DeviceReset failing sends
// "lost" at once and shuts the framework down.
TEST_F(RenderTest, FailedResetsEndTheChangeUnpaused)
{
    for (const bool deviceResetFails : {true, false}) {
        SCOPED_TRACE(deviceResetFails ? "Reset" : "DeviceReset");
        if (!deviceResetFails) Restart();
        ASSERT_EQ(CreateDevice(640, 480), S_OK);
        ComPtr<IDirect3DVertexBuffer9> forgotten;
        if (deviceResetFails)
            DXUTGetD3DDevice()->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, forgotten.Out(), nullptr);
        else
            Log.ResetResult = E_FAIL;
        const HRESULT result = ChangeSize(800, 600);
        const TEvents events = deviceResetFails ? TEvents{"lost", "destroyed", "created 800x600", "reset 800x600"}
                                                : TEvents{"lost", "reset 800x600", "lost", "destroyed"};
        EXPECT_EQ(std::uint32_t(result), deviceResetFails ? 0u : 0x80040908u);
        EXPECT_EQ(Log.Events, events);
        EXPECT_EQ(bool(DXUTGetD3DDevice()), deviceResetFails);
        EXPECT_EQ(PauseCount(), 0);
    }
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
    const auto pixel = [this](int x, int y) {
        const HDC dc = GetDC(Panel);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(Panel, dc);
        return c;
    };
    const std::pair<D3DCOLOR, COLORREF> colours[] = {
        {0xFFFF0000, RGB(255, 0, 0)}, {0xFF00FF00, RGB(0, 255, 0)}, {0xFF204080, RGB(0x20, 0x40, 0x80)},
    };
    for (const auto& [c, expected] : colours) {
        colour = c;
        DXUTRender3DEnvironment();
        for (const POINT p : {POINT{0, 0}, POINT{160, 120}, POINT{319, 239}})
            EXPECT_EQ(pixel(p.x, p.y), expected) << std::hex << c << " at " << p.x;
    }
    // The kept frame repaints the panel after something covered it: while the device lives, after the readback
    // copy changed size, and after the device is gone.
    const auto coverAndRepaint = [&] {
        const HDC dc = GetDC(Panel);
        const RECT all{0, 0, 320, 240};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(Panel, dc);
        InvalidateRect(Panel, nullptr, TRUE);
        UpdateWindow(Panel);
    };
    coverAndRepaint();
    EXPECT_EQ(pixel(100, 100), RGB(0x20, 0x40, 0x80));
    ASSERT_EQ(ChangeSize(200, 150), S_OK);
    coverAndRepaint();
    EXPECT_EQ(pixel(100, 100), RGB(0x20, 0x40, 0x80)) << "the old frame until a new one is shown";
    colour = 0xFF00FF00;
    DXUTRender3DEnvironment();
    EXPECT_EQ(pixel(199, 149), RGB(0, 255, 0));
    DXUTCleanup3DEnvironment(false);
    coverAndRepaint();
    EXPECT_EQ(pixel(100, 100), RGB(0, 255, 0)) << "the last frame outlives the device";
}

void CountFrames(IDirect3DDevice9* Device, double, float, void* Context)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF336699, 1.0f, 0);
    ++*static_cast<int*>(Context);
}

// A Reset while a default-pool object lives fails and leaves the device waiting for a reset, which the readback
// presentation cannot see: the frame tests the device before drawing. Even rounds free the object before the
// recovery, so a reset does; odd rounds keep it, so the device is recreated.
TEST_F(RenderTest, ForcedLossRecoversAHundredTimesWithoutLeaks)
{
    DXUTSetPresentation(TDXUTPresentation::Readback);
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    int frames = 0;
    DXUTSetCallbackFrameRender(CountFrames, &frames);
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
        ComPtr<IDirect3DVertexBuffer9> forgotten;
        ASSERT_EQ(device->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, forgotten.Out(), nullptr), S_OK);
        D3DPRESENT_PARAMETERS pp = DXUTDevicePresentParameters(DXUTGetPresentParameters());
        ASSERT_TRUE(FAILED(device->Reset(&pp)));
        ASSERT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
        if (round % 2 == 0) forgotten.Reset();
        Log.Events.clear();
        const int framesBefore = frames;
        for (int frame = 0; frame < 4 && frames < framesBefore + 2; ++frame) DXUTRender3DEnvironment();
        EXPECT_EQ(frames, framesBefore + 2) << "rendering goes on at once after the recovery";
        EXPECT_FALSE(Log.WrongDevice);
        const TEvents expected = round % 2 == 0 ? TEvents{"lost", "reset 320x240"}
                                                : TEvents{"lost", "destroyed", "created 320x240", "reset 320x240"};
        EXPECT_EQ(Log.Events, expected);
    }
    EXPECT_EQ(Log.Devices.size(), 51u) << "the fixture's end proves that none of them lives on";
}

// Records its id; timer 0 adds a timer and sets its own countdown to 5 s, timer 1 stops itself.
void ChangeTimers(UINT Index, void* Context)
{
    static_cast<std::vector<UINT>*>(Context)->push_back(Index);
    std::vector<TDXUTTimerRecord> timers = GetDXUTState().Get(&S::TimerList);
    if (Index == 0) {
        timers.push_back({ChangeTimers, Context, 0.05f, 0.05f, true});
        timers[0].Countdown = 5.0f;
    }
    if (Index == 1) timers[1].Enabled = false;
    GetDXUTState().Set(&S::TimerList, std::move(timers));
}

TEST_F(RenderTest, TimerCallbacksKeepTheirChangesToTheTimers)
{
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    DXUTSetConstantFrameTime(true, 0.1f);
    std::vector<UINT> fired;
    GetDXUTState().Set(&S::TimerList, std::vector<TDXUTTimerRecord>{{ChangeTimers, &fired, 1.0f, 0.05f, true},
                                                                     {ChangeTimers, &fired, 0.05f, 0.05f, true},
                                                                     {ChangeTimers, &fired, 0.5f, 0.5f, false}});
    DXUTRender3DEnvironment();
    DXUTRender3DEnvironment();
    EXPECT_EQ(fired, (std::vector<UINT>{0, 1, 3})) << "the added timer fires from the next frame on";
    std::vector<std::pair<float, bool>> timers;
    for (const TDXUTTimerRecord& timer : GetDXUTState().Get(&S::TimerList))
        timers.push_back({timer.Countdown, timer.Enabled});
    const std::vector<std::pair<float, bool>> expected{{4.9f, true}, {0.05f, false}, {0.5f, false}, {0.05f, true}};
    EXPECT_EQ(timers, expected);
}

struct TLoopProbe {
    int Frames = 0;
    HRESULT NestedLoop = S_OK;
    HWND DestroyFirst;
};

void QuitAfterFiveFrames(IDirect3DDevice9*, double, float, void* Context)
{
    auto& probe = *static_cast<TLoopProbe*>(Context);
    if (++probe.Frames == 1) probe.NestedLoop = DXUTMainLoop(nullptr);
    if (probe.Frames != 5) return;
    DestroyWindow(probe.DestroyFirst);
    PostQuitMessage(0);
}

// The framework's loop passes WM_QUIT on to the application's own loop, to the thread when the focus window that
// would take it is gone.
TEST_F(RenderTest, QuitEndsTheMainLoopAndTheApplicationsLoop)
{
    ASSERT_EQ(CreateDevice(320, 240), S_OK);
    TLoopProbe probe;
    probe.DestroyFirst = Window;
    DXUTSetCallbackFrameRender(QuitAfterFiveFrames, &probe);
    EXPECT_EQ(DXUTMainLoop(nullptr), S_OK);
    EXPECT_EQ(probe.Frames, 5);
    EXPECT_EQ(probe.NestedLoop, E_FAIL) << "a loop inside the loop is refused";
    MSG message{};
    const UINT_PTR guard = SetTimer(nullptr, 0, 3000, nullptr);
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && !(message.message == WM_TIMER && message.wParam == guard))
        DispatchMessageW(&message);
    KillTimer(nullptr, guard);
    EXPECT_EQ(message.message, UINT(WM_QUIT));
}

TEST_F(RenderTest, StatisticsTextsOfKnownSettings)
{
    NoVSync = true;
    ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
    const std::wstring off = L"Vsync off (1280x1024), X8R8G8B8 (D24X8)";
    EXPECT_EQ(std::wstring(DXUTGetFrameStats(true)), off) << "no FPS text before the first frame";
    DXUTRender3DEnvironment();
    EXPECT_EQ(std::wstring(DXUTGetFrameStats(true)).substr(4), L" fps " + off) << "the first frame counts: \"0.00\"";
    TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    settings.pp.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    settings.pp.BackBufferWidth = 800;
    settings.pp.BackBufferHeight = 600;
    ASSERT_EQ(DXUTChangeDevice(&settings, nullptr, false, false), S_OK);
    EXPECT_EQ(std::wstring(DXUTGetFrameStats(false)), L"Vsync on (800x600), X8R8G8B8 (D24X8)");
    D3DADAPTER_IDENTIFIER9 adapter{};
    ASSERT_EQ(DXUTGetD3DObject()->GetAdapterIdentifier(0, 0, &adapter), S_OK);
    const std::string name = adapter.Description;
    EXPECT_EQ(std::wstring(DXUTGetDeviceStats()), L"HAL (hw vp): " + std::wstring(name.begin(), name.end()));
}

// The frames per second read with the user's decimal separator, a comma here.
TEST_F(RenderTest, TheFrameRateTakesTheUsersDecimalSeparator)
{
    const testsupport::TFormatSettingsScope restore;
    FormatSettings.DecimalSeparator = L',';
    NoVSync = true;
    ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
    DXUTRender3DEnvironment();
    const std::wstring stats = DXUTGetFrameStats(true);
    const std::wregex expected(LR"(\d+,\d\d fps Vsync off \(1280x1024\), X8R8G8B8 \(D24X8\))");
    EXPECT_TRUE(std::regex_match(stats, expected)) << std::string(stats.begin(), stats.end());
}

// Type and vertex processing: the device statistics, the type text and the vertex processing text.
TEST(DeviceStats, TextsFollowDeviceTypeAndVertexProcessing)
{
    const std::tuple<D3DDEVTYPE, DWORD, const wchar_t*, const wchar_t*, const wchar_t*> rows[] = {
        {D3DDEVTYPE_HAL, 0x50, L"HAL (pure hw vp): Test card", L"Device Type HAL", L"Pure Hardware VP and T&L"},
        {D3DDEVTYPE_HAL, 0x20, L"HAL (sw vp): Test card", L"Device Type HAL", L"Software VP"},
        {D3DDEVTYPE_REF, 0x40, L"REF (simulated hw vp)", L"Device Type REF", L"Simulated Hardware VP"},
        {D3DDEVTYPE_SW, 0x80, L"SW (simulated mixed vp)", L"Device Type SW", L"Simulated Mixed SW/HW VP"},
    };
    D3DADAPTER_IDENTIFIER9 identifier{};
    std::strcpy(identifier.Description, "Test card");
    for (const auto& [type, flags, stats, typeText, vertexText] : rows) {
        DXUTUpdateDeviceStats(type, flags, identifier);
        EXPECT_EQ(std::wstring(DXUTGetDeviceStats()), stats);
        EXPECT_EQ(std::wstring(DXUTGetDeviceTypeText()), typeText);
        EXPECT_EQ(std::wstring(DXUTGetVertexProcessingText()), vertexText) << "rebuilt from empty for each device";
    }
}

// --- the system report, written to a real log file --------------------------------------------------------------

// Label and value of each line: "Detected" and "Microsoft ..." for " 12:00:00 - [INFO]  - Detected    : Microsoft
// ...", "[ERROR]" and the text for an error line.
std::vector<std::pair<std::string, std::string>> Report()
{
    testsupport::TempDir folder;
    {
        TLogEngine log("Report test", "1.0", folder.file("report.log"));
        EXPECT_TRUE(LogSystemInformation(&log));
    }
    std::ifstream file(folder.file("report.log"), std::ios::binary);
    std::vector<std::pair<std::string, std::string>> lines;
    for (std::string line; std::getline(file, line);) {
        line.pop_back(); // CR
        if (const size_t error = line.find(" - [ERROR] - "); error != std::string::npos)
            lines.push_back({"[ERROR]", line.substr(error + 13)});
        if (line.find(" - [INFO]  - ") == std::string::npos) continue;
        const std::string label = line.substr(line.find(" - [INFO]  - ") + 13, 28);
        lines.push_back({label.substr(0, label.find_last_not_of(' ') + 1), line.substr(line.find(" : ") + 3)});
    }
    return lines;
}

TEST_F(RenderTest, SystemReportHasEveryLabelWithAndWithoutADevice)
{
    const std::vector<std::string> system = {
        "Detected", "DirectX Version", "CPU Detected", "CPU Model", "CPU Family", "CPU Count", "CPU Features",
        "CPU Features", "Base directory", "Memory in Use", "Total Paging memory", "Total Virtual memory",
        "Total Physical memory", "Available Paging memory", "Available Virtual memory", "Available Physical memory"};
    ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
    DXUTSetConstantFrameTime(true, 0.0333f);
    std::vector<std::string> expected = system;
    for (const char* label : {"Graphic 3D Adapter", "Graphic 3D Device", "Graphic 3D Driver", "Graphic 3D Version"})
        expected.push_back(label);
    expected.insert(expected.end(), 1, "Device supports");
    expected.insert(expected.end(), 8, "Device supports Max");
    expected.insert(expected.end(), 3, "Device supports");
    expected.insert(expected.end(), 3, "Device use");
    for (const char* label : {"Game Info Window", "Game Info Size", "Game Info Interval", "Game Info RR in Hz"})
        expected.push_back(label);
    std::vector<std::string> labels;
    std::vector<std::string> values;
    for (const auto& [label, value] : Report()) {
        labels.push_back(label);
        values.push_back(value);
    }
    ASSERT_EQ(labels, expected);
    EXPECT_EQ(values[1], "9.0c") << "DxDiag's version, which this platform gives";
    EXPECT_EQ(values[29].rfind("Pixel Shader Version ", 0), 0u);
    EXPECT_EQ(values[31], "Yes can use non Power Of Two Texture") << "no POW2 restriction in the caps";
    EXPECT_EQ(std::vector<std::string>(values.begin() + 32, values.end()),
              (std::vector<std::string>{"Device Type HAL", "Hardware VP", "Constant Frame Time Yes", "Window Mode",
                                        "1280 x 1024", "VSync Mode active", "Monitor Default"}));

    // Without a Direct3D object there is no adapter to describe.
    DXUTShutdownWithoutClose(0);
    expected = system;
    expected.push_back("Game Info Size");
    expected.push_back("[ERROR]");
    labels.clear();
    for (const auto& [label, value] : Report()) labels.push_back(label);
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(Report().back().second, "No good graphic system available on this PC..");
}

} // namespace
