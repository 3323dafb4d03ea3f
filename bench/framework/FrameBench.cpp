// Frames per second of an empty frame (clear, then present) at 1280 x 1024 through the framework's frame step:
// once with the readback presentation into a child panel, once with Present into a hidden top-level window.
// The ratio is what the readback costs. Usage: framework_bench [frames per round] (default 100).
#include "bench/support/Bench.h"
#include "Common/Dev_Gui.h"
#include "Common/Dev_Present.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

void Clear(IDirect3DDevice9* Device, double, float, void*)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF204060, 1.0f, 0);
}

// Creates the device for one presentation, times rounds of Frames frames and shuts the framework down.
bool MeasurePresentation(TDXUTPresentation Presentation, int Frames, bench::Timing& Result)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"framework bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, kWidth,
                                        kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, window,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    const bool readback = Presentation == TDXUTPresentation::Readback;
    if (readback) ShowWindow(window, SW_SHOWNOACTIVATE); // the copy goes to the screen
    const HWND device = readback ? panel : window;
    DXUTSetPresentation(Presentation);
    NoVSync = true;
    bool ok = SUCCEEDED(DXUTInit(false, false, false, true)) &&
              SUCCEEDED(DXUTSetWindow(window, device, device, false)) &&
              SUCCEEDED(DXUTCreateDevice(0, true, kWidth, kHeight, nullptr, nullptr, nullptr));
    if (ok) {
        DXUTSetCallbackFrameRender(Clear, nullptr);
        Result = bench::Measure([Frames] {
            for (int i = 0; i < Frames; ++i) DXUTRender3DEnvironment();
        });
        const D3DSURFACE_DESC desc = *DXUTGetBackBufferSurfaceDesc();
        ok = desc.Width == UINT(kWidth) && desc.Height == UINT(kHeight);
    }
    DXUTShutdownWithoutClose(0);
    DestroyWindow(window);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 100;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: framework_bench [frames per round]\n");
        return 2;
    }
    bench::Timing readback, direct;
    if (!MeasurePresentation(TDXUTPresentation::Readback, frames, readback) ||
        !MeasurePresentation(TDXUTPresentation::Direct, frames, direct)) {
        std::fprintf(stderr, "framework_bench: no 1280x1024 device\n");
        return 1;
    }
    bench::Report("empty frame, readback into a panel", frames / readback.medianSeconds, "fps");
    bench::Report("empty frame, Present to a hidden window", frames / direct.medianSeconds, "fps");
    bench::ReportRatio("readback / Present (time per frame)", readback, direct);
    return 0;
}
