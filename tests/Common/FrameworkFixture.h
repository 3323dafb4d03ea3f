#pragma once
// A framework attached to a panel of a test window, with the device callbacks recorded, for tests that create
// the real device. Each test leaves the process-wide framework state as it found it.
#include "Common/Dev_Gui.h"
#include "Common/Dev_Present.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

// What the device callbacks saw; the context of every callback points here.
struct TCallbackLog {
    std::vector<std::string> Events; // "created 640x480", "reset 640x480", "lost", "destroyed"
    std::vector<IDirect3DDevice9*> Devices; // every created device, with a reference of the log's own
    bool WrongDevice = false;
    // Optional behaviour of the callbacks.
    HRESULT CreatedResult = S_OK;
    HRESULT ResetResult = S_OK;
    bool ShutDownInCreated = false;
    bool ShutDownInReset = false; // once: the next DeviceReset shuts down, then the flag drops
    bool ShutDownInLost = false;  // once, the same for DeviceLost
    bool DefaultPoolObject = true; // DeviceReset makes one, DeviceLost lets it go
    ComPtr<IDirect3DVertexBuffer9> ResetObject;
};

class TFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // DXUTCreateDevice on the panel with the log's callbacks; width and height as the main window passes them.
    HRESULT CreateDevice(int Width, int Height, TModifyDeviceSettingsCallback Modify = nullptr);
    // Releases the log's references; the number of devices that something else still holds.
    int LeakedDevices();

    HWND Window = nullptr; // hidden top-level window
    HWND Panel = nullptr;  // its child, the device window
    TCallbackLog Log;
};

// True when Events follows created, reset, (lost, reset)*, lost, destroyed, any number of times.
bool FollowsDeviceLifeCycle(const std::vector<std::string>& Events);

} // namespace testsupport
