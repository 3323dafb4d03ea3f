#pragma once
// How a finished frame reaches the device window. Direct: the device's own Present. Readback: the device renders
// on a hidden top-level window and each frame's visible part of the back buffer is copied into the device window
// with GDI, because a frame presented into a child window stays invisible under Wine. The last copied frame is
// kept and repaints the window on WM_PAINT.
#include <windows.h>
#include <d3d9.h>

enum class TDXUTPresentation {
    Automatic, // readback under Wine, Direct elsewhere
    Direct,
    Readback,
};

// The choice applies to windowed devices created or reset afterwards; full-screen devices always present.
void DXUTSetPresentation(TDXUTPresentation Presentation);
TDXUTPresentation DXUTGetPresentation();
// True when a windowed device presents by readback under the current choice.
bool DXUTUsesReadback();
// True when the process runs under Wine (ntdll exports wine_get_version).
bool IsRunningUnderWine();

// The presentation parameters the device is created and reset with: those of the settings, with the hidden
// window as the device window when windowed and presenting by readback.
D3DPRESENT_PARAMETERS DXUTDevicePresentParameters(const D3DPRESENT_PARAMETERS& Settings);

// Copies the part of back buffer 0 that the target's client area shows into the target and keeps it for
// WM_PAINT. The device's loss is not detected here (the caller tests the cooperative level).
HRESULT DXUTReadbackPresent(IDirect3DDevice9* Device, HWND Target);
// Lets go of the device objects the copy holds (before the device is released); without KeepFrame also of the
// kept frame and the window's repaint hook.
void DXUTReadbackRelease(bool KeepFrame);
