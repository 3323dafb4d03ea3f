#pragma once
// Device change, creation, reset, loss recovery and shutdown of the Direct3D framework, the windowed/full-screen
// and HAL/REF toggles, and the statistics texts every device change refreshes. The application's device
// callbacks always come in the order created, reset, (lost, reset)*, lost, destroyed.
#include "Common/Dev_DeviceMatch.h"
#include "Common/Dev_State.h"

// The program-wide no-vertical-sync switch, set by the main window from its settings file before the device is
// created: the device then presents immediately.
extern bool NoVSync;

// Applies new settings: lets the application modify or refuse them (kResultAbort), prepares the device windows,
// resets the device when only presentation parameters change and recreates it otherwise.
HRESULT DXUTChangeDevice(const TDX9DeviceSettings* NewSettings, IDirect3DDevice9* DeviceFromApp, bool ForceRecreate,
                         bool ClipWindowToSingleAdapter);
// Creates the device of the current settings (or adopts the application's) and runs DeviceCreated, DeviceReset.
HRESULT DXUTCreate3DEnvironment(IDirect3DDevice9* DeviceFromApp);
// DeviceLost, the device's Reset, DeviceReset. Returns the device-lost code unchanged.
HRESULT DXUTReset3DEnvironment();
// DeviceLost and DeviceDestroyed as due, then lets go of the device.
void DXUTCleanup3DEnvironment(bool ReleaseSettings);
// The render step's recovery of a lost device; True when the frame may go on.
bool DXUTRecoverLostDevice();

// WM_CLOSE to a top-level device window (never to a child), then as DXUTShutdownWithoutClose.
void DXUTShutdown(int ExitCode = 0);
// Stores the exit code, cleans up the device and lets go of the Direct3D object.
void DXUTShutdownWithoutClose(int ExitCode = 0);

HRESULT DXUTToggleFullScreen(int Width, int Height);
HRESULT DXUTToggleREF();
// Moves the device to the adapter of the monitor the window moved to.
void DXUTCheckForWindowChangingMonitors();

// The overrides of the state applied to settings; with Options, the touched fields' match options too.
void DXUTApplyOverrides(TDX9DeviceSettings& Settings, TDX9MatchOptions* Options);

// "%sVsync on (1280x1024), X8R8G8B8 (D24X8)": the format StaticFrameStats keeps for the frame statistics.
void DXUTUpdateStaticFrameStats();
// DeviceStats, DeviceTypeText and VertexProcessingText of a new device.
void DXUTUpdateDeviceStats(D3DDEVTYPE DeviceType, DWORD BehaviorFlags, const D3DADAPTER_IDENTIFIER9& Identifier);
