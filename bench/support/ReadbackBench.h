#pragma once
// The presentation's readback measured against the same frame drawn without it (Win32, under Wine): a driver that
// draws a frame (the framework's frame-render callback) gets the ratio frame with readback / frame alone, and so
// what the readback adds to a frame.
//
//   bench::TReadbackBench frames(1280, 1024);          // framework, device and a shown panel
//   if (!frames.Ready()) return 1;
//   ... create what the frame draws with frames.Device() ...
//   const bench::TResult r = frames.Compare({"readback, map view at 100 %", "the same frame without readback",
//                                            {1.2, "<= 20 % of a frame"}}, DrawFrame, context, rounds);
//
// The path is the framework's own frame step (DXUTRender3DEnvironment: the callback, then the readback copy into
// the panel); the floor calls the callback and waits until the device has finished drawing (TDeviceWait), as the
// readback's copy also waits for it. Both run FramesPerRound frames per round, interleaved round by round.
#include "bench/support/Bench.h"

#include <windows.h>
#include <d3d9.h>

#include "Common/Dev_State.h"
#include "classlib/ComPtr.h"

namespace bench {

// Waits until a device has drawn everything asked of it, for the least work that tells: one pixel of render
// target 0 copied into system memory, a copy that waits for the drawing as the presentation's readback does.
// Polling an event query instead costs more than the whole readback here: every poll is a call into the device's
// command thread, competing with the drawing.
class TDeviceWait {
public:
    explicit TDeviceWait(IDirect3DDevice9* Device);
    void operator()();

private:
    IDirect3DDevice9* Device;
    ComPtr<IDirect3DSurface9> Pixel;  // a 1 x 1 render target
    ComPtr<IDirect3DSurface9> Copy;   // its copy in system memory
};

class TReadbackBench {
public:
    // A shown top-level window holding a panel of Width x Height, the framework initialised on it with the
    // readback presentation and no vertical sync, and a windowed device of that size.
    TReadbackBench(int Width, int Height);
    // Shuts the framework down and destroys the window.
    ~TReadbackBench();
    TReadbackBench(const TReadbackBench&) = delete;
    TReadbackBench& operator=(const TReadbackBench&) = delete;

    // True when the device exists with a back buffer of the requested size.
    bool Ready() const { return ready_; }
    IDirect3DDevice9* Device() const;

    TResult Compare(const TCase& Case, TFrameRenderCallback Render, void* Context, int Rounds,
                    int FramesPerRound = 50);

private:
    HWND window_ = nullptr;
    bool ready_ = false;
};

} // namespace bench
