#pragma once
// Turns a Windows cursor into the device cursor of a full-screen Direct3D device.
#include <windows.h>
#include <d3d9.h>

// Builds an A8R8G8B8 image from the cursor's colour and mask bitmaps (or, for a monochrome cursor, from its
// double-height mask) and hands it to the device with the cursor's hot spot.
HRESULT SetDeviceCursor(IDirect3DDevice9* Device, HCURSOR Cursor);

// The conversion itself, on bitmap bits read as 32-bit top-down rows: And and Xor are the mask halves (non-zero
// = bit set), Color the colour pixels (empty for a monochrome cursor). Transparent where And is set and Xor is
// clear; where both are set (screen inversion, which a device cursor cannot do) opaque white.
void CursorToArgb(const DWORD* And, const DWORD* Xor, const DWORD* Color, UINT PixelCount, DWORD* Argb);
