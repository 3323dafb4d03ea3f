#include "Common/Dev_Present.h"

#include "classlib/ComPtr.h"
#include "classlib/ScreenDC.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

// Sections: the choice; the hidden device window; the kept frame and its repaint hook; the copy.

namespace {

// --- the choice -----------------------------------------------------------------------------------------------

TDXUTPresentation gPresentation = TDXUTPresentation::Automatic;

// --- the hidden device window ---------------------------------------------------------------------------------

class THiddenDeviceWindow {
public:
    ~THiddenDeviceWindow()
    {
        if (handle_) DestroyWindow(handle_);
    }
    HWND Get()
    {
        if (handle_ == nullptr || !IsWindow(handle_))
            handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Direct3D readback", WS_POPUP, 0, 0, 16, 16,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        return handle_;
    }

private:
    HWND handle_ = nullptr;
};

// Never destroyed: the state's end at program end still presents through it (the window dies with the process).
THiddenDeviceWindow& HiddenWindow()
{
    static THiddenDeviceWindow& window = *new THiddenDeviceWindow;
    return window;
}

// --- the kept frame and its repaint hook ----------------------------------------------------------------------
// The last frame repaints the window on WM_PAINT. While the device lives it is the readback's system-memory copy
// of the back buffer itself, so a frame costs no copy of its own for this; when the device objects go, the frame
// is first copied into a bitmap of GDI's, which then repaints the window.

constexpr UINT_PTR kRepaintSubclassId = 0x44585554; // "DXUT"

class TKeptFrame {
public:
    ~TKeptFrame() { Release(); }

    // The frame now shown in Target: the top-left Width x Height of Surface (not owned; see Detach).
    void SetShown(HWND Target, IDirect3DSurface9* Surface, int Width, int Height)
    {
        if (Target != target_) {
            Unhook();
            if (SetWindowSubclass(Target, &TKeptFrame::RepaintProc, kRepaintSubclassId,
                                  reinterpret_cast<DWORD_PTR>(this)))
                target_ = Target;
        }
        FreeCanvas();
        surface_ = Surface;
        shownWidth_ = Width;
        shownHeight_ = Height;
    }

    // The surface is about to go: the frame is copied into a bitmap of its own, which repaints from now on.
    void Detach()
    {
        if (!surface_) return;
        IDirect3DSurface9* const surface = std::exchange(surface_, nullptr);
        HDC surfaceDC = nullptr;
        if (FAILED(surface->GetDC(&surfaceDC))) return;
        if (const HDC canvas = Canvas(shownWidth_, shownHeight_))
            BitBlt(canvas, 0, 0, shownWidth_, shownHeight_, surfaceDC, 0, 0, SRCCOPY);
        surface->ReleaseDC(surfaceDC);
    }

    void Release()
    {
        Unhook();
        surface_ = nullptr;
        FreeCanvas();
        shownWidth_ = shownHeight_ = 0;
    }

private:
    // A memory DC holding a bitmap of Width x Height; null when GDI refuses.
    HDC Canvas(int Width, int Height)
    {
        FreeCanvas();
        const TScreenDC screen;
        dc_ = CreateCompatibleDC(screen.Get());
        bitmap_ = CreateCompatibleBitmap(screen.Get(), Width, Height);
        if (dc_ == nullptr || bitmap_ == nullptr) {
            FreeCanvas();
            return nullptr;
        }
        oldBitmap_ = SelectObject(dc_, bitmap_);
        return dc_;
    }
    void Unhook()
    {
        if (target_ && IsWindow(target_)) RemoveWindowSubclass(target_, &TKeptFrame::RepaintProc, kRepaintSubclassId);
        target_ = nullptr;
    }
    void FreeCanvas()
    {
        if (dc_ && oldBitmap_) SelectObject(dc_, oldBitmap_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        oldBitmap_ = nullptr;
    }
    bool HasFrame() const { return surface_ || dc_; }

    // Paints the kept frame; the window's own painting would only draw a background under it.
    static LRESULT CALLBACK RepaintProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                        DWORD_PTR Data)
    {
        auto* self = reinterpret_cast<TKeptFrame*>(Data);
        switch (Message) {
        case WM_ERASEBKGND: return self->HasFrame() ? 1 : DefSubclassProc(Window, Message, WParam, LParam);
        case WM_PAINT: return self->OnPaint(Window, WParam, LParam);
        case WM_NCDESTROY:
            RemoveWindowSubclass(Window, &TKeptFrame::RepaintProc, kRepaintSubclassId);
            self->target_ = nullptr;
            break;
        }
        return DefSubclassProc(Window, Message, WParam, LParam);
    }

    LRESULT OnPaint(HWND Window, WPARAM WParam, LPARAM LParam)
    {
        if (!HasFrame()) return DefSubclassProc(Window, WM_PAINT, WParam, LParam);
        PAINTSTRUCT paint;
        const HDC target = BeginPaint(Window, &paint);
        HDC source = dc_;
        if (target && surface_ && FAILED(surface_->GetDC(&source))) source = nullptr;
        if (target && source) BitBlt(target, 0, 0, shownWidth_, shownHeight_, source, 0, 0, SRCCOPY);
        if (surface_ && source) surface_->ReleaseDC(source);
        EndPaint(Window, &paint);
        return 0;
    }

    IDirect3DSurface9* surface_ = nullptr; // the readback's copy while it lives
    HDC dc_ = nullptr;                     // or a bitmap of GDI's once it went
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int shownWidth_ = 0, shownHeight_ = 0;
    HWND target_ = nullptr;
};

// --- the copy -------------------------------------------------------------------------------------------------

struct TReadback {
    ComPtr<IDirect3DSurface9> SystemCopy; // system-memory twin of the back buffer
    D3DSURFACE_DESC CopyDesc{};
    TKeptFrame Frame;
};

// Never destroyed, for the same reason as the hidden window; the device objects are let go at clean-up.
TReadback& Readback()
{
    static TReadback& readback = *new TReadback;
    return readback;
}

} // namespace

void DXUTSetPresentation(TDXUTPresentation Presentation) { gPresentation = Presentation; }
TDXUTPresentation DXUTGetPresentation() { return gPresentation; }

bool IsRunningUnderWine()
{
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool DXUTUsesReadback()
{
    switch (gPresentation) {
    case TDXUTPresentation::Direct: return false;
    case TDXUTPresentation::Readback: return true;
    case TDXUTPresentation::Automatic: break;
    }
    return IsRunningUnderWine();
}

D3DPRESENT_PARAMETERS DXUTDevicePresentParameters(const D3DPRESENT_PARAMETERS& Settings)
{
    D3DPRESENT_PARAMETERS pp = Settings;
    if (!pp.Windowed || !DXUTUsesReadback()) return pp;
    // A zero size means the device window's client size: the panel's, not the hidden window's.
    RECT client{};
    if ((pp.BackBufferWidth == 0 || pp.BackBufferHeight == 0) && GetClientRect(Settings.hDeviceWindow, &client)) {
        if (pp.BackBufferWidth == 0) pp.BackBufferWidth = UINT(client.right);
        if (pp.BackBufferHeight == 0) pp.BackBufferHeight = UINT(client.bottom);
    }
    pp.hDeviceWindow = HiddenWindow().Get();
    return pp;
}

HRESULT DXUTReadbackPresent(IDirect3DDevice9* Device, HWND Target)
{
    if (Device == nullptr || Target == nullptr) return E_INVALIDARG;
    TReadback& r = Readback();
    ComPtr<IDirect3DSurface9> backBuffer;
    HRESULT hr = Device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.Out());
    if (FAILED(hr)) return hr;
    D3DSURFACE_DESC desc;
    hr = backBuffer->GetDesc(&desc);
    if (FAILED(hr)) return hr;
    if (!r.SystemCopy || r.CopyDesc.Width != desc.Width || r.CopyDesc.Height != desc.Height ||
        r.CopyDesc.Format != desc.Format) {
        r.Frame.Detach(); // the old copy goes: its frame repaints from a bitmap until a new one is shown
        r.SystemCopy.Reset();
        hr = Device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM,
                                                 r.SystemCopy.Out(), nullptr);
        if (FAILED(hr)) return hr;
        r.CopyDesc = desc;
    }
    hr = Device->GetRenderTargetData(backBuffer.Get(), r.SystemCopy.Get());
    if (FAILED(hr)) return hr;

    RECT client;
    if (!GetClientRect(Target, &client)) return E_FAIL;
    const int width = std::min<int>(client.right, static_cast<int>(desc.Width));
    const int height = std::min<int>(client.bottom, static_cast<int>(desc.Height));
    if (width <= 0 || height <= 0) return S_OK;
    // Straight from the copy to the window; the copy itself is the kept frame.
    HDC surfaceDC = nullptr;
    hr = r.SystemCopy->GetDC(&surfaceDC);
    if (FAILED(hr)) return hr;
    const HDC windowDC = GetDC(Target);
    const bool copied = windowDC && BitBlt(windowDC, 0, 0, width, height, surfaceDC, 0, 0, SRCCOPY) != FALSE;
    if (windowDC) ReleaseDC(Target, windowDC);
    r.SystemCopy->ReleaseDC(surfaceDC);
    r.Frame.SetShown(Target, r.SystemCopy.Get(), width, height);
    return copied ? S_OK : E_FAIL;
}

void DXUTReadbackRelease(bool KeepFrame)
{
    TReadback& r = Readback();
    if (KeepFrame)
        r.Frame.Detach();
    else
        r.Frame.Release();
    r.SystemCopy.Reset();
    r.CopyDesc = {};
}
