#include "bench/support/ReadbackBench.h"

#include "Common/Dev_Gui.h"
#include "Common/Dev_Present.h"
#include "classlib/ComPtr.h"

namespace bench {

TReadbackBench::TReadbackBench(int Width, int Height)
{
    window_ = CreateWindowExW(0, L"STATIC", L"readback bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, Width, Height,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, Width, Height, window_,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);  // the copy goes to the screen
    DXUTSetPresentation(TDXUTPresentation::Readback);
    NoVSync = true;
    ready_ = panel && SUCCEEDED(DXUTInit(false, false, false, true)) &&
             SUCCEEDED(DXUTSetWindow(window_, panel, panel, false)) &&
             SUCCEEDED(DXUTCreateDevice(0, true, Width, Height, nullptr, nullptr, nullptr));
    if (ready_) {
        const D3DSURFACE_DESC desc = *DXUTGetBackBufferSurfaceDesc();
        ready_ = desc.Width == UINT(Width) && desc.Height == UINT(Height);
    }
}

TReadbackBench::~TReadbackBench()
{
    DXUTShutdownWithoutClose(0);
    if (window_) DestroyWindow(window_);
}

IDirect3DDevice9* TReadbackBench::Device() const
{
    // The framework keeps its own reference for as long as the device lives.
    return DXUTGetD3DDevice().Get();
}

TResult TReadbackBench::Compare(const TCase& Case, TFrameRenderCallback Render, void* Context, int Rounds,
                                int FramesPerRound)
{
    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    ComPtr<IDirect3DQuery9> finished;
    device->CreateQuery(D3DQUERYTYPE_EVENT, finished.Out());
    DXUTSetCallbackFrameRender(Render, Context);
    const auto withReadback = [&] {
        for (int i = 0; i < FramesPerRound; ++i) DXUTRender3DEnvironment();
    };
    const auto alone = [&] {
        for (int i = 0; i < FramesPerRound; ++i) {
            Render(device.Get(), DXUTGetTime(), 0.0f, Context);
            if (!finished) continue;
            finished->Issue(D3DISSUE_END);
            while (finished->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE) {
            }
        }
    };
    TResult result = bench::Compare(Case, withReadback, alone, Rounds);
    DXUTSetCallbackFrameRender(nullptr, nullptr);
    return result;
}

} // namespace bench
