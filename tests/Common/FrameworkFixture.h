#pragma once
// A framework attached to a 320x240 panel of a hidden test window, with the device callbacks recorded, for tests
// that create the real device. Each test leaves the process-wide framework state as it found it.
#include "Common/Dev_Gui.h"
#include "Common/Dev_Present.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

using TEvents = std::vector<std::string>;

// What the device callbacks saw and how they behave; every callback's context points here.
struct TCallbackLog {
    TEvents Events;                         // "created 640x480", "reset 640x480", "lost", "destroyed"
    std::vector<IDirect3DDevice9*> Devices; // every created device, with a reference of the log's own
    bool WrongDevice = false;               // a callback got another device than the framework holds
    HRESULT CreatedResult = S_OK;
    HRESULT ResetResult = S_OK;
    bool ShutDownInCreated = false;
    bool ShutDownInReset = false;               // once: the next DeviceReset shuts down
    bool ShutDownInLost = false;                // once, the same for DeviceLost
    ComPtr<IDirect3DVertexBuffer9> ResetObject; // made by DeviceReset in the default pool, let go on loss

    static TCallbackLog& Of(void* Context) { return *static_cast<TCallbackLog*>(Context); }
    void Record(const char* What, IDirect3DDevice9* Device, const D3DSURFACE_DESC* Desc)
    {
        Events.push_back(std::string(What) + " " + std::to_string(Desc->Width) + "x" + std::to_string(Desc->Height));
        if (Device != DXUTGetD3DDevice().Get()) WrongDevice = true;
    }

    static HRESULT OnCreated(IDirect3DDevice9* Device, const D3DSURFACE_DESC* Desc, void* Context)
    {
        Of(Context).Record("created", Device, Desc);
        Device->AddRef();
        Of(Context).Devices.push_back(Device);
        if (Of(Context).ShutDownInCreated) DXUTShutdown(0);
        return Of(Context).CreatedResult;
    }
    static HRESULT OnReset(IDirect3DDevice9* Device, const D3DSURFACE_DESC* Desc, void* Context)
    {
        Of(Context).Record("reset", Device, Desc);
        Device->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, Of(Context).ResetObject.Out(), nullptr);
        if (std::exchange(Of(Context).ShutDownInReset, false)) DXUTShutdown(0);
        return Of(Context).ResetResult;
    }
    static void OnLost(void* Context)
    {
        Of(Context).Events.push_back("lost");
        Of(Context).ResetObject.Reset();
        if (std::exchange(Of(Context).ShutDownInLost, false)) DXUTShutdown(0);
    }
    // Lets go of the reset object too: a shutdown from inside DeviceReset sends no "lost" first.
    static void OnDestroyed(void* Context)
    {
        Of(Context).Events.push_back("destroyed");
        Of(Context).ResetObject.Reset();
    }
};

class TFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Window = CreateWindowExW(0, L"STATIC", L"Framework test window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                 400, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        Panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 8, 8, 320, 240, Window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
        ASSERT_EQ(DXUTSetWindow(Window, Panel, Panel, false), S_OK);
        DXUTSetCallbackDeviceCreated(TCallbackLog::OnCreated, &Log);
        DXUTSetCallbackDeviceReset(TCallbackLog::OnReset, &Log);
        DXUTSetCallbackDeviceLost(TCallbackLog::OnLost, &Log);
        DXUTSetCallbackDeviceDestroyed(TCallbackLog::OnDestroyed, &Log);
    }

    // Also checks that no pause is left and that no device outlives the framework.
    void TearDown() override
    {
        DXUTShutdownWithoutClose(0);
        EXPECT_EQ(PauseCount(), 0) << "every pause of a device change is undone";
        for (IDirect3DDevice9* device : Log.Devices) EXPECT_EQ(device->Release(), 0u) << "a device lives on";
        TDX9State& s = GetDXUTState();
        s.Set(&TDX9State_STATE::ExitCode, 0);
        s.Set(&TDX9State_STATE::ConstantFrameTime, false);
        s.Set(&TDX9State_STATE::CurrentFrameNumber, DWORD(0));
        s.Set(&TDX9State_STATE::FrameRenderFunc, nullptr);
        s.Set(&TDX9State_STATE::TimerList, std::vector<TDXUTTimerRecord>{});
        // Statistics as at the program's start: the next test's first frame writes the FPS text.
        s.Set(&TDX9State_STATE::FPSStats, std::array<wchar_t, 64>{});
        s.Set(&TDX9State_STATE::LastStatsUpdateTime, 0.0);
        s.Set(&TDX9State_STATE::LastStatsUpdateFrames, DWORD(0));
        NoVSync = false;
        DXUTSetPresentation(TDXUTPresentation::Automatic);
        if (IsWindow(Window)) DestroyWindow(Window);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        Log = TCallbackLog{};
    }

    // For a test whose rows each start on a fresh framework.
    void Restart()
    {
        TearDown();
        SetUp();
    }
    // DXUTCreateDevice on the panel with the log's callbacks; width and height as the main window passes them.
    HRESULT CreateDevice(int Width, int Height)
    {
        return DXUTCreateDevice(0, true, Width, Height, nullptr, nullptr, &Log);
    }

    // DXUTChangeDevice to the current settings with another back-buffer size, on a cleared event log.
    HRESULT ChangeSize(UINT Width, UINT Height, bool ForceRecreate = false)
    {
        TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        settings.pp.BackBufferWidth = Width;
        settings.pp.BackBufferHeight = Height;
        Log.Events.clear();
        return DXUTChangeDevice(&settings, nullptr, ForceRecreate, false);
    }

    static int PauseCount() { return GetDXUTState().Get(&TDX9State_STATE::PauseRenderingCount); }

    HWND Window = nullptr; // hidden top-level window
    HWND Panel = nullptr;  // its child, the device window
    TCallbackLog Log;
};

} // namespace testsupport
