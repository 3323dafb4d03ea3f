#include "tests/Common/FrameworkFixture.h"

#include <utility>

namespace testsupport {

namespace {

using S = TDX9State_STATE;

std::string SizeText(const D3DSURFACE_DESC* Desc)
{
    return std::to_string(Desc->Width) + "x" + std::to_string(Desc->Height);
}

TCallbackLog& LogOf(void* Context) { return *static_cast<TCallbackLog*>(Context); }

HRESULT OnCreated(IDirect3DDevice9* Device, const D3DSURFACE_DESC* Desc, void* Context)
{
    TCallbackLog& log = LogOf(Context);
    log.Events.push_back("created " + SizeText(Desc));
    if (Device != DXUTGetD3DDevice().Get()) log.WrongDevice = true;
    Device->AddRef();
    log.Devices.push_back(Device);
    if (log.ShutDownInCreated) DXUTShutdown(0);
    return log.CreatedResult;
}

HRESULT OnReset(IDirect3DDevice9* Device, const D3DSURFACE_DESC* Desc, void* Context)
{
    TCallbackLog& log = LogOf(Context);
    log.Events.push_back("reset " + SizeText(Desc));
    if (Device != DXUTGetD3DDevice().Get()) log.WrongDevice = true;
    if (log.DefaultPoolObject)
        Device->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, log.ResetObject.Out(), nullptr);
    if (std::exchange(log.ShutDownInReset, false)) DXUTShutdown(0);
    return log.ResetResult;
}

void OnLost(void* Context)
{
    TCallbackLog& log = LogOf(Context);
    log.Events.push_back("lost");
    log.ResetObject.Reset();
    if (std::exchange(log.ShutDownInLost, false)) DXUTShutdown(0);
}

// Lets go of everything, the reset object too: a shutdown from inside DeviceReset sends no "lost" first.
void OnDestroyed(void* Context)
{
    TCallbackLog& log = LogOf(Context);
    log.Events.push_back("destroyed");
    log.ResetObject.Reset();
}

} // namespace

void TFrameworkTest::SetUp()
{
    Window = CreateWindowExW(0, L"STATIC", L"Framework test window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                             400, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 8, 8, 320, 240, Window, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(Panel, nullptr);
    ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
    ASSERT_EQ(DXUTSetWindow(Window, Panel, Panel, false), S_OK);
    DXUTSetCallbackDeviceCreated(OnCreated, &Log);
    DXUTSetCallbackDeviceReset(OnReset, &Log);
    DXUTSetCallbackDeviceLost(OnLost, &Log);
    DXUTSetCallbackDeviceDestroyed(OnDestroyed, &Log);
}

void TFrameworkTest::TearDown()
{
    DXUTShutdownWithoutClose(0);
    TDX9State& s = GetDXUTState();
    // Back to the defaults a new process would see.
    s.Set(&S::ExitCode, 0);
    for (bool S::*flag : {&S::DeviceCreateCalled, &S::IsDeviceLost, &S::NoStats, &S::ConstantFrameTime,
                          &S::InsideMainloop, &S::WindowCreated, &S::WindowCreateCalled})
        s.Set(flag, false);
    for (HWND S::*window : {&S::HWNDFocus, &S::HWNDDeviceFullScreen, &S::HWNDDeviceWindowed}) s.Set(window, nullptr);
    s.Set(&S::LastStatsUpdateTime, 0.0);
    s.Set(&S::LastStatsUpdateFrames, DWORD(0));
    s.Set(&S::CurrentFrameNumber, DWORD(0));
    s.Set(&S::FPSStats, std::array<wchar_t, 64>{});
    s.Set(&S::StaticFrameStats, TStatsText{});
    s.Set(&S::FrameRenderFunc, nullptr);
    s.Set(&S::TimerList, std::vector<TDXUTTimerRecord>{});
    s.Set(&S::OverrideQuitAfterFrame, 0);
    NoVSync = false;
    DXUTSetPresentation(TDXUTPresentation::Automatic);
    EXPECT_EQ(s.Get(&S::PauseRenderingCount), 0) << "every pause of a device change is undone";
    EXPECT_EQ(LeakedDevices(), 0);
    if (IsWindow(Window)) DestroyWindow(Window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

HRESULT TFrameworkTest::CreateDevice(int Width, int Height, TModifyDeviceSettingsCallback Modify)
{
    return DXUTCreateDevice(0, true, Width, Height, nullptr, Modify, &Log);
}

int TFrameworkTest::LeakedDevices()
{
    int leaked = 0;
    for (IDirect3DDevice9* device : Log.Devices)
        if (device->Release() != 0) ++leaked;
    Log.Devices.clear();
    return leaked;
}

bool FollowsDeviceLifeCycle(const std::vector<std::string>& Events)
{
    enum class TStage { None, Created, Reset, Lost } stage = TStage::None;
    for (const std::string& event : Events) {
        const std::string kind = event.substr(0, event.find(' '));
        if (kind == "created" && (stage == TStage::None || stage == TStage::Created)) // after a failed creation
            stage = TStage::Created;
        else if (kind == "reset" && (stage == TStage::Created || stage == TStage::Lost))
            stage = TStage::Reset;
        else if (kind == "lost" && stage == TStage::Reset)
            stage = TStage::Lost;
        else if (kind == "destroyed" && stage == TStage::Lost)
            stage = TStage::None;
        else
            return false;
    }
    return true;
}

} // namespace testsupport
