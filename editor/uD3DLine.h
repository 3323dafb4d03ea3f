#pragma once
// A line drawer with the part of the D3DX line interface the map view uses (width, antialias and GL-line
// switches, Begin, Draw of a strip, End, device loss and reset), because the platform's D3DX line draws nothing
// under Wine. Strips are drawn as transformed, coloured vertices without a texture, blended by the colour's alpha:
// width 1 as a Direct3D line strip (pixel-exact: a line at x = 48.0 lights column 48; the strip's last vertex is
// not lit), wider lines as one quad per segment centred on it (width 2 along y = 10 covers rows 9 and 10).
//
// The antialias and GL-line switches are kept but change nothing: lines are never smoothed. The object holds no
// device resource, so it needs nothing on loss and reset. Begin sets the render states it draws with and End
// leaves them set; every other drawer of the view (sprites, fonts) sets its own.
#include "classlib/ComPtr.h"
#include "editor/core/uHelpGridGeometry.h"

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <memory>
#include <vector>

class TD3DLine {
public:
    explicit TD3DLine(IDirect3DDevice9* Device);
    TD3DLine(const TD3DLine&) = delete;
    TD3DLine& operator=(const TD3DLine&) = delete;

    HRESULT SetWidth(float Width);
    float GetWidth() const { return Width; }
    HRESULT SetAntialias(BOOL Antialias);
    HRESULT SetGLLines(BOOL GLLines);

    // Draw is valid only between Begin and End; a second Begin, or End without Begin, fails with
    // D3DERR_INVALIDCALL.
    HRESULT Begin();
    // One strip through Count vertices in Colour (ARGB). Fewer than two vertices draw nothing.
    HRESULT Draw(const TLineVertex* Vertices, uint32_t Count, D3DCOLOR Colour);
    HRESULT End();

    HRESULT OnLostDevice();
    HRESULT OnResetDevice();

private:
    struct TVertex {
        float X, Y, Z, Rhw;
        D3DCOLOR Colour;
    };

    ComPtr<IDirect3DDevice9> Device;
    float Width = 1.0f;
    BOOL Antialias = FALSE;
    BOOL GLLines = FALSE;
    bool Drawing = false;
    std::vector<TVertex> Scratch;  // reused by every Draw
};

// A new line on Device in Line; E_INVALIDARG without a device, E_OUTOFMEMORY when it cannot be made.
HRESULT CreateD3DLine(IDirect3DDevice9* Device, std::unique_ptr<TD3DLine>& Line);
