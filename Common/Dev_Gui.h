#pragma once
// Set-up and main loop of the Direct3D framework: initialisation, attaching to the application's windows, the
// first device, the loop that renders whenever no message waits, frame timing, statistics and the getters.
#include "Common/Dev_Render.h"

// --- set-up ---------------------------------------------------------------------------------------------------

// Checks the Direct3D and D3DX versions and creates the Direct3D object.
HRESULT DXUTInit(bool ParseCommandLine, bool HandleDefaultHotkeys, bool ShowMsgBoxOnError, bool HandleAltEnter);
// Attaches the framework to the application's windows. Message handling is never installed here: with
// HandleMessages the call fails with E_NOTIMPL.
HRESULT DXUTSetWindow(HWND Focus, HWND DeviceFullScreen, HWND DeviceWindowed, bool HandleMessages);
// Chooses valid settings for a windowed or full-screen device on the attached windows and creates it.
HRESULT DXUTCreateDevice(UINT AdapterOrdinal, bool Windowed, int SuggestedWidth, int SuggestedHeight,
                         TIsDeviceAcceptableCallback IsDeviceAcceptable,
                         TModifyDeviceSettingsCallback ModifyDeviceSettings, void* UserContext);
void DXUTSetConstantFrameTime(bool Enabled, float SecondsPerFrame);

// --- main loop ------------------------------------------------------------------------------------------------

// Dispatches messages and renders a frame whenever the queue is empty, until WM_QUIT, which it passes on to the
// application's own loop. Accelerators may be null; a given table is destroyed at the end.
HRESULT DXUTMainLoop(HACCEL Accelerators);
// One frame: loss recovery, timing, statistics, timers, FrameRender and presentation.
void DXUTRender3DEnvironment();

// The frame statistics: StaticFrameStats with the FPS text (or nothing) in front.
const wchar_t* DXUTGetFrameStats(bool IncludeFPS);

// --- getters --------------------------------------------------------------------------------------------------

const D3DSURFACE_DESC* DXUTGetBackBufferSurfaceDesc();
const D3DCAPS9* DXUTGetDeviceCaps();
HWND DXUTGetHWNDFocus();
HWND DXUTGetHWNDDeviceFullScreen();
HWND DXUTGetHWNDDeviceWindowed();
double DXUTGetTime();
float DXUTGetElapsedTime();
const wchar_t* DXUTGetWindowTitle();
const wchar_t* DXUTGetDeviceStats();
const wchar_t* DXUTGetVertexProcessingText();
const wchar_t* DXUTGetDeviceTypeText();
bool DXUTIsRenderingPaused();
bool DXUTIsTimePaused();
bool DXUTIsActive();
int DXUTGetExitCode();
