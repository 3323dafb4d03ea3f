#include "bench/support/ReadbackBench.h"

#include "Common/Dev_Gui.h"
#include "Common/Dev_Present.h"

namespace bench {

TDeviceWait::TDeviceWait(IDirect3DDevice9* ADevice) : Device(ADevice)
{
    Device->CreateRenderTarget(1, 1, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, Pixel.Out(), nullptr);
    Device->CreateOffscreenPlainSurface(1, 1, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, Copy.Out(), nullptr);
}

void TDeviceWait::operator()()
{
    ComPtr<IDirect3DSurface9> target;
    if (!Pixel || !Copy || FAILED(Device->GetRenderTarget(0, target.Out()))) return;
    const RECT corner{0, 0, 1, 1};
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(Device->StretchRect(target.Get(), &corner, Pixel.Get(), nullptr, D3DTEXF_NONE)) &&
        SUCCEEDED(Device->GetRenderTargetData(Pixel.Get(), Copy.Get())) &&
        SUCCEEDED(Copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        Copy->UnlockRect();
}

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
    TDeviceWait finished(device.Get());
    DXUTSetCallbackFrameRender(Render, Context);
    const auto withReadback = [&] {
        for (int i = 0; i < FramesPerRound; ++i) DXUTRender3DEnvironment();
    };
    const auto alone = [&] {
        for (int i = 0; i < FramesPerRound; ++i) {
            Render(device.Get(), DXUTGetTime(), 0.0f, Context);
            finished();
        }
    };
    TResult result = bench::Compare(Case, withReadback, alone, Rounds);
    DXUTSetCallbackFrameRender(nullptr, nullptr);
    return result;
}

} // namespace bench
