#include "Common/Dev_Render.h"

#include "Common/Dev_Present.h"
#include "Common/Dev_misc.h"

#include <algorithm>
#include <functional>
#include <new>
#include <optional>
#include <string>

// Sections: helpers; device change; create, reset, clean-up; loss recovery; shutdown; toggles and monitors;
// statistics texts.

bool NoVSync = false;

namespace {

using S = TDX9State_STATE;

// --- helpers --------------------------------------------------------------------------------------------------

constexpr DWORD kVPSoftware = D3DCREATE_SOFTWARE_VERTEXPROCESSING; // 0x20
constexpr DWORD kVPHardware = D3DCREATE_HARDWARE_VERTEXPROCESSING; // 0x40
constexpr DWORD kVPMixed = D3DCREATE_MIXED_VERTEXPROCESSING;       // 0x80
constexpr DWORD kVPPure = D3DCREATE_PUREDEVICE;                    // 0x10

TDX9State& State() { return GetDXUTState(); }

bool IsTopLevel(HWND Window)
{
    return Window && IsWindow(Window) && (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD) == 0;
}

// Changes the current settings in place (no-op without settings).
template <class F>
void EditCurrentSettings(F&& Edit)
{
    std::unique_ptr<TDX9DeviceSettings> current = State().ExchangeCurrentSettings(nullptr);
    if (current) Edit(*current);
    State().ExchangeCurrentSettings(std::move(current));
}

// Runs one application callback inside the re-entry guard.
template <class F>
auto InsideCallback(F&& Call)
{
    State().Set(&S::InsideDeviceCallback, true);
    struct TLeave {
        ~TLeave() { State().Set(&S::InsideDeviceCallback, false); }
    } leave;
    return Call();
}

void CallDeviceLost()
{
    TDX9State& s = State();
    if (const TDeviceLostCallback lost = s.Get(&S::DeviceLostFunc))
        InsideCallback([&] { lost(s.Get(&S::DeviceLostUserContext)); });
}

// "lost" for the objects of the last successful reset, at most once: the flag drops before the callback, so a
// shutdown from inside it (whose clean-up comes here again) sends "destroyed" next and nothing twice.
void ReleaseResetObjects()
{
    TDX9State& s = State();
    if (!s.Get(&S::DeviceObjectsReset)) return;
    s.Set(&S::DeviceObjectsReset, false);
    CallDeviceLost();
    GetGlobalResourceCache().OnLostDevice();
}

// True once a shutdown (perhaps from inside an application callback) has let go of the Direct3D object.
bool ShutDown() { return !State().Get(&S::Direct3DObject); }

HRESULT MediaOr(HRESULT Result, HRESULT Otherwise)
{
    return Result == kDXUTErrMediaNotFound ? kDXUTErrMediaNotFound : Otherwise;
}

// Runs DeviceCreated or DeviceReset (absent: success) with the current back-buffer description. A failure is
// traced as Name and becomes Failure (or the media code the application gave); E_FAIL when the callback shut
// the framework down.
HRESULT RunDeviceCallback(TDeviceCreatedCallback S::*Func, void* S::*Context, IDirect3DDevice9* Device,
                          const wchar_t* Name, HRESULT Failure)
{
    TDX9State& s = State();
    const TDeviceCreatedCallback callback = s.Get(Func);
    if (callback == nullptr) return S_OK;
    const D3DSURFACE_DESC desc = s.Get(&S::BackBufferDesc);
    const HRESULT hr = InsideCallback([&] { return callback(Device, &desc, s.Get(Context)); });
    if (!s.Get(&S::D3DDevice)) return E_FAIL;
    if (FAILED(hr)) {
        TraceError(Name, hr);
        return MediaOr(hr, Failure);
    }
    return S_OK;
}

// Keeps the device's view of the presentation parameters (sizes and formats it filled in) in the settings,
// except the device window, which the readback presentation replaces.
void KeepDeviceParameters(const D3DPRESENT_PARAMETERS& Used)
{
    EditCurrentSettings([&](TDX9DeviceSettings& settings) {
        const HWND window = settings.pp.hDeviceWindow;
        settings.pp = Used;
        settings.pp.hDeviceWindow = window;
    });
}

void RefreshBackBufferDesc(IDirect3DDevice9* Device)
{
    D3DSURFACE_DESC desc{};
    ComPtr<IDirect3DSurface9> backBuffer;
    if (SUCCEEDED(Device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.Out()))) backBuffer->GetDesc(&desc);
    State().Set(&S::BackBufferDesc, desc);
}

// The options of a toggle: every field closest but those given.
TDX9MatchOptions AllClosest()
{
    TDX9MatchOptions o;
    o.AdapterOrdinal = o.DeviceType = o.Windowed = o.AdapterFormat = o.VertexProcessing = o.Resolution =
        o.BackBufferFormat = o.BackBufferCount = o.MultiSample = o.SwapEffect = o.DepthFormat = o.StencilFormat =
            o.PresentFlags = o.RefreshRate = o.PresentInterval = TDX9MatchType::ClosestToInput;
    return o;
}

// --- device change: the window steps --------------------------------------------------------------------------

void PrepareWindowsForMode(const TDX9DeviceSettings& New, const std::optional<TDX9DeviceSettings>& Old)
{
    TDX9State& s = State();
    const HWND windowed = s.Get(&S::HWNDDeviceWindowed);
    const HWND fullScreen = s.Get(&S::HWNDDeviceFullScreen);
    if (New.pp.Windowed) {
        if (Old && !Old->pp.Windowed) {
            s.Set(&S::FullScreenBackBufferWidthAtModeChange, Old->pp.BackBufferWidth);
            s.Set(&S::FullScreenBackBufferHeightAtModeChange, Old->pp.BackBufferHeight);
            SetWindowLongW(windowed, GWL_STYLE, static_cast<LONG>(s.Get(&S::WindowedStyleAtModeChange)));
        }
        if (windowed != fullScreen)
            ShowWindow(fullScreen, SW_HIDE);
        else if (const HMENU menu = s.Get(&S::SavedMenu))
            SetMenu(fullScreen, menu);
        return;
    }
    if (!Old || Old->pp.Windowed) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(windowed, &placement);
        s.Set(&S::WindowedPlacement, placement);
        s.Set(&S::TopmostWhileWindowed, (GetWindowLongW(windowed, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(windowed, GWL_STYLE));
        s.Set(&S::WindowedStyleAtModeChange, style & ~(WS_MAXIMIZE | WS_MINIMIZE));
        if (Old) {
            s.Set(&S::WindowBackBufferWidthAtModeChange, Old->pp.BackBufferWidth);
            s.Set(&S::WindowBackBufferHeightAtModeChange, Old->pp.BackBufferHeight);
        }
    }
    ShowWindow(fullScreen, SW_HIDE);
    SetWindowLongW(fullScreen, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU));
    if (windowed == fullScreen) {
        if (const HMENU menu = GetMenu(fullScreen)) {
            s.Set(&S::SavedMenu, menu);
            SetMenu(fullScreen, nullptr);
        }
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(fullScreen, &placement) && (placement.flags & WPF_RESTORETOMAXIMIZED)) {
        placement.flags &= ~WPF_RESTORETOMAXIMIZED;
        placement.showCmd = SW_RESTORE;
        SetWindowPlacement(fullScreen, &placement);
    }
}

// The window-fit step for a top-level windowed device window; a child panel keeps the size its owner gives it.
// Returns the failure of the change that takes the window's size, else S_OK.
HRESULT FitWindowToBackBuffer(bool ClipWindowToSingleAdapter)
{
    TDX9State& s = State();
    const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    const HWND window = DXUTGetHWND();
    if (!settings.pp.Windowed || settings.pp.BackBufferWidth == 0 || settings.pp.BackBufferHeight == 0 ||
        !IsTopLevel(window))
        return S_OK;
    const UINT width = settings.pp.BackBufferWidth, height = settings.pp.BackBufferHeight;
    RECT client{};
    const bool minimised = IsIconic(window) != FALSE;
    if (minimised) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        RECT frame{0, 0, 0, 0};
        AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), GetMenu(window) != nullptr);
        const RECT& normal = placement.rcNormalPosition;
        client = {0, 0, (normal.right - normal.left) - (frame.right - frame.left),
                  (normal.bottom - normal.top) - (frame.bottom - frame.top)};
    } else {
        GetClientRect(window, &client);
    }
    bool resize = UINT(client.right) != width || UINT(client.bottom) != height;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const bool haveMonitor = GetMonitorInfoSafe(s.Get(&S::AdapterMonitor), &monitor);
    if (!resize && ClipWindowToSingleAdapter && !minimised && haveMonitor) {
        RECT windowRect;
        GetWindowRect(window, &windowRect);
        const RECT& work = monitor.rcWork;
        const bool outside = windowRect.left < work.left || windowRect.top < work.top ||
                             windowRect.right > work.right || windowRect.bottom > work.bottom;
        const bool maximisedHere = IsZoomed(window) && MonitorFromWindowSafe(window, MONITOR_DEFAULTTOPRIMARY) ==
                                                           s.Get(&S::AdapterMonitor);
        resize = outside && !maximisedHere;
    }
    if (!resize) return S_OK;
    if (minimised || IsZoomed(window)) ShowWindow(window, SW_RESTORE);
    RECT wanted{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    AdjustWindowRect(&wanted, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), GetMenu(window) != nullptr);
    int windowWidth = wanted.right - wanted.left, windowHeight = wanted.bottom - wanted.top;
    if (ClipWindowToSingleAdapter && haveMonitor) {
        const RECT& work = monitor.rcWork;
        windowWidth = std::min<int>(windowWidth, work.right - work.left);
        windowHeight = std::min<int>(windowHeight, work.bottom - work.top);
        RECT current;
        GetWindowRect(window, &current);
        int x = current.left, y = current.top;
        if (x < work.left || y < work.top || x + windowWidth > work.right || y + windowHeight > work.bottom) {
            x = work.left + ((work.right - work.left) - windowWidth) / 2;
            y = work.top + ((work.bottom - work.top) - windowHeight) / 2;
        }
        SetWindowPos(window, nullptr, x, y, windowWidth, windowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(window, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    GetClientRect(window, &client);
    if (UINT(client.right) == width && UINT(client.bottom) == height) return S_OK;
    TDX9DeviceSettings windowSized = settings;
    windowSized.pp.BackBufferWidth = 0;
    windowSized.pp.BackBufferHeight = 0;
    return DXUTChangeDevice(&windowSized, nullptr, false, ClipWindowToSingleAdapter);
}

// A device change in progress: time and rendering paused and size changes ignored, undone on every way out
// (a later device must not start paused).
class TChangeInProgress {
public:
    TChangeInProgress()
    {
        DXUTPause(true, true);
        State().Set(&S::IgnoreSizeChange, true);
    }
    ~TChangeInProgress()
    {
        State().Set(&S::IgnoreSizeChange, false);
        DXUTPause(false, false);
    }
    TChangeInProgress(const TChangeInProgress&) = delete;
    TChangeInProgress& operator=(const TChangeInProgress&) = delete;
};

// Ends a failed change: the device and its settings go.
HRESULT AbandonChange(HRESULT Result)
{
    DXUTCleanup3DEnvironment(true);
    return Result;
}

} // namespace

// --- device change --------------------------------------------------------------------------------------------

void DXUTApplyOverrides(TDX9DeviceSettings& Settings, TDX9MatchOptions* Options)
{
    const TDX9State& s = State();
    const auto preserve = [Options](TDX9MatchType TDX9MatchOptions::*Field) {
        if (Options) Options->*Field = TDX9MatchType::PreserveInput;
    };
    if (const int width = s.Get(&S::OverrideWidth); width != 0) Settings.pp.BackBufferWidth = UINT(width);
    if (const int height = s.Get(&S::OverrideHeight); height != 0) Settings.pp.BackBufferHeight = UINT(height);
    if (const int ordinal = s.Get(&S::OverrideAdapterOrdinal); ordinal != -1) Settings.AdapterOrdinal = UINT(ordinal);
    if (s.Get(&S::OverrideFullScreen)) {
        Settings.pp.Windowed = 0;
        if (Options && s.Get(&S::OverrideWidth) == 0 && s.Get(&S::OverrideHeight) == 0)
            Options->Resolution = TDX9MatchType::IgnoreInput;
    }
    if (s.Get(&S::OverrideWindowed)) Settings.pp.Windowed = kD3DTrue;
    if (s.Get(&S::OverrideForceHAL)) {
        Settings.DeviceType = D3DDEVTYPE_HAL;
        preserve(&TDX9MatchOptions::DeviceType);
    }
    if (s.Get(&S::OverrideForceREF)) {
        Settings.DeviceType = D3DDEVTYPE_REF;
        preserve(&TDX9MatchOptions::DeviceType);
    }
    DWORD vertexProcessing = 0;
    if (s.Get(&S::OverrideForcePureHWVP))
        vertexProcessing = kVPHardware | kVPPure;
    else if (s.Get(&S::OverrideForceHWVP))
        vertexProcessing = kVPHardware;
    else if (s.Get(&S::OverrideForceSWVP))
        vertexProcessing = kVPSoftware;
    if (vertexProcessing) {
        Settings.BehaviorFlags = (Settings.BehaviorFlags & ~(kVPSoftware | kVPHardware | kVPPure)) | vertexProcessing;
        preserve(&TDX9MatchOptions::VertexProcessing);
    }
    if (const int vsync = s.Get(&S::OverrideForceVsync); vsync == 0 || vsync == 1) {
        Settings.pp.PresentationInterval = vsync == 0 ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_DEFAULT;
        preserve(&TDX9MatchOptions::PresentInterval);
    }
}

HRESULT DXUTChangeDevice(const TDX9DeviceSettings* NewSettings, IDirect3DDevice9* DeviceFromApp, bool ForceRecreate,
                         bool ClipWindowToSingleAdapter)
{
    TDX9State& s = State();
    const std::optional<TDX9DeviceSettings> old = s.GetCurrentSettings();
    if (!s.Get(&S::Direct3DObject)) return kDXUTErrNoDirect3D;
    if (NewSettings == nullptr) return TraceError(L"DXUTChangeDevice", E_INVALIDARG);
    std::unique_ptr<TDX9DeviceSettings> copy(new (std::nothrow) TDX9DeviceSettings(*NewSettings));
    if (!copy) return E_OUTOFMEMORY;

    if (const TModifyDeviceSettingsCallback modify = s.Get(&S::ModifyDeviceSettingsFunc); modify && !DeviceFromApp) {
        D3DCAPS9 caps{};
        s.Get(&S::Direct3DObject)->GetDeviceCaps(copy->AdapterOrdinal, copy->DeviceType, &caps);
        if (!modify(copy.get(), &caps, s.Get(&S::ModifyDeviceSettingsFuncUserContext))) {
            if (!old) DXUTDisplayErrorMessage(kDXUTErrNoCompatibleDevices);
            return E_ABORT;
        }
        if (!s.Get(&S::Direct3DObject)) return kDXUTErrNoDirect3D;
    }
    if (!DeviceFromApp && !old) DXUTApplyOverrides(*copy, nullptr);
    const TDX9DeviceSettings wanted = *copy;
    std::unique_ptr<TDX9DeviceSettings> oldOwned = s.ExchangeCurrentSettings(std::move(copy));
    const TChangeInProgress inProgress;
    TDX9State::SetLocking((wanted.BehaviorFlags & D3DCREATE_MULTITHREADED) != 0);

    PrepareWindowsForMode(wanted, old);

    // The device is only looked at: a reference kept here would keep it alive while its successor is made,
    // past the clean-up that releases its last reference.
    const bool reset = [&] {
        const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
        return !ForceRecreate && (DeviceFromApp == nullptr || DeviceFromApp == device.Get()) && device && old &&
               old->AdapterOrdinal == wanted.AdapterOrdinal && old->DeviceType == wanted.DeviceType &&
               old->BehaviorFlags == wanted.BehaviorFlags;
    }();
    if (reset) {
        const HRESULT hr = DXUTReset3DEnvironment();
        // A callback shut the framework down: nothing is left to recreate, and the settings are gone.
        if (ShutDown()) return FAILED(hr) ? hr : E_FAIL;
        if (hr == kD3DErrDeviceLost) {
            s.Set(&S::IsDeviceLost, true);
        } else if (hr == kDXUTErrResettingDeviceObjects || hr == kDXUTErrMediaNotFound) {
            DXUTDisplayErrorMessage(hr);
            DXUTShutdown(0);
            return hr;
        } else if (FAILED(hr)) {
            // Back to the old settings, so that the nested change sees a device change and recreates.
            std::unique_ptr<TDX9DeviceSettings> mine = s.ExchangeCurrentSettings(std::move(oldOwned));
            const HRESULT recreated = DXUTChangeDevice(mine.get(), DeviceFromApp, true, ClipWindowToSingleAdapter);
            if (FAILED(recreated)) {
                DXUTShutdown(0);
                return kDXUTErrCreatingDevice;
            }
            return S_OK;
        }
    } else {
        if (old) DXUTCleanup3DEnvironment(false);
        if (ShutDown()) return AbandonChange(E_FAIL); // from inside DeviceLost or DeviceDestroyed: no error box
        const HRESULT hr = DXUTCreate3DEnvironment(DeviceFromApp);
        if (FAILED(hr)) {
            DXUTDisplayErrorMessage(hr);
            return AbandonChange(hr);
        }
    }

    const bool windowed = wanted.pp.Windowed != 0;
    DXUTAllowShortcutKeys(s.Get(windowed ? &S::AllowShortcutKeysWhenWindowed : &S::AllowShortcutKeysWhenFullscreen));
    s.Set(&S::AdapterMonitor, s.Get(&S::Direct3DObject)->GetAdapterMonitor(wanted.AdapterOrdinal));
    DXUTUpdateStaticFrameStats();

    if (old && !old->pp.Windowed && windowed) {
        const HWND window = s.Get(&S::HWNDDeviceWindowed);
        const WINDOWPLACEMENT placement = s.Get(&S::WindowedPlacement);
        SetWindowPlacement(window, &placement);
        SetWindowPos(window, s.Get(&S::TopmostWhileWindowed) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOREDRAW | SWP_NOSIZE);
    }
    if (const HRESULT hr = FitWindowToBackBuffer(ClipWindowToSingleAdapter); FAILED(hr)) return AbandonChange(hr);

    if (const HWND window = DXUTGetHWND(); window && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
    SetThreadExecutionState(windowed ? ES_CONTINUOUS : (ES_CONTINUOUS | ES_DISPLAY_REQUIRED));
    s.Set(&S::IsDeviceCreated, true);
    return S_OK;
}

// --- create, reset, clean-up ----------------------------------------------------------------------------------

HRESULT DXUTCreate3DEnvironment(IDirect3DDevice9* DeviceFromApp)
{
    TDX9State& s = State();
    const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    const ComPtr<IDirect3D9> d3d = s.Get(&S::Direct3DObject);
    if (!d3d) return kDXUTErrNoDirect3D;
    ComPtr<IDirect3DDevice9> device;
    if (DeviceFromApp == nullptr) {
        D3DPRESENT_PARAMETERS pp = DXUTDevicePresentParameters(settings.pp);
        const HRESULT hr = d3d->CreateDevice(settings.AdapterOrdinal, settings.DeviceType, s.Get(&S::HWNDFocus),
                                             settings.BehaviorFlags, &pp, device.Out());
        if (hr == kD3DErrDeviceLost) {
            s.Set(&S::IsDeviceLost, true);
            return S_OK;
        }
        if (FAILED(hr)) {
            TraceError(L"CreateDevice", hr);
            return kDXUTErrCreatingDevice;
        }
        KeepDeviceParameters(pp);
    } else {
        DeviceFromApp->AddRef();
        device = ComPtr<IDirect3DDevice9>::Attach(DeviceFromApp);
    }
    s.Set(&S::D3DDevice, device);
    const int exitCode = s.Get(&S::ExitCode);
    if (settings.DeviceType == D3DDEVTYPE_REF && exitCode == 0) s.Set(&S::ExitCode, 11);
    if (settings.DeviceType == D3DDEVTYPE_HAL && exitCode == 11) s.Set(&S::ExitCode, 0);

    RefreshBackBufferDesc(device.Get());
    DXUTSetupCursor();
    D3DCAPS9 caps{};
    device->GetDeviceCaps(&caps);
    s.Set(&S::DeviceCaps, caps);
    D3DADAPTER_IDENTIFIER9 identifier{};
    d3d->GetAdapterIdentifier(settings.AdapterOrdinal, 0, &identifier);
    DXUTUpdateDeviceStats(settings.DeviceType, settings.BehaviorFlags, identifier);

    HRESULT hr = GetGlobalResourceCache().OnCreateDevice(device.Get());
    if (FAILED(hr)) return TraceError(L"OnCreateDevice", MediaOr(hr, kDXUTErrCreatingDeviceObjects));
    hr = RunDeviceCallback(&S::DeviceCreatedFunc, &S::DeviceCreatedUserContext, device.Get(),
                           L"DeviceCreated callback", kDXUTErrCreatingDeviceObjects);
    if (FAILED(hr)) return hr;
    s.Set(&S::DeviceObjectsCreated, true);

    hr = GetGlobalResourceCache().OnResetDevice(device.Get());
    if (FAILED(hr)) return TraceError(L"OnResetDevice", kDXUTErrResettingDeviceObjects);
    hr = RunDeviceCallback(&S::DeviceResetFunc, &S::DeviceResetUserContext, device.Get(), L"DeviceReset callback",
                           kDXUTErrResettingDeviceObjects);
    if (FAILED(hr)) return hr;
    s.Set(&S::DeviceObjectsReset, true);
    return S_OK;
}

HRESULT DXUTReset3DEnvironment()
{
    TDX9State& s = State();
    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    if (!device) return TraceError(L"DXUTReset3DEnvironment", E_FAIL);
    ReleaseResetObjects();
    if (!s.Get(&S::D3DDevice)) return E_FAIL; // DeviceLost shut the framework down
    D3DPRESENT_PARAMETERS pp = DXUTDevicePresentParameters(DXUTGetDeviceSettings().pp);
    HRESULT hr = device->Reset(&pp);
    if (hr == kD3DErrDeviceLost) return hr;
    if (FAILED(hr)) return TraceError(L"Reset", kDXUTErrResettingDevice);
    KeepDeviceParameters(pp);
    RefreshBackBufferDesc(device.Get());
    DXUTSetupCursor();
    hr = GetGlobalResourceCache().OnResetDevice(device.Get());
    if (FAILED(hr)) return TraceError(L"OnResetDevice", kDXUTErrResettingDeviceObjects);
    hr = RunDeviceCallback(&S::DeviceResetFunc, &S::DeviceResetUserContext, device.Get(), L"DeviceResetCallback",
                           kDXUTErrResettingDeviceObjects);
    if (FAILED(hr)) {
        // The application must not hold reset objects after a failed reset, unless the callback shut the
        // framework down: the device and its objects are then gone and "lost" after "destroyed" would break the
        // callbacks' order.
        if (DXUTGetD3DDevice()) {
            CallDeviceLost();
            GetGlobalResourceCache().OnLostDevice();
        }
        return hr;
    }
    s.Set(&S::DeviceObjectsReset, true);
    return S_OK;
}

void DXUTCleanup3DEnvironment(bool ReleaseSettings)
{
    TDX9State& s = State();
    if (!s.Get(&S::D3DDevice)) return;
    ReleaseResetObjects();
    if (s.Get(&S::DeviceObjectsCreated)) {
        s.Set(&S::DeviceObjectsCreated, false); // before the callback: a shutdown inside it comes back here
        if (const TDeviceDestroyedCallback destroyed = s.Get(&S::DeviceDestroyedFunc))
            InsideCallback([&] { destroyed(s.Get(&S::DeviceDestroyedUserContext)); });
        GetGlobalResourceCache().OnDestroyDevice();
    }
    DXUTReadbackRelease(true);
    s.Set(&S::D3DDevice, ComPtr<IDirect3DDevice9>{});
    if (ReleaseSettings) s.ExchangeCurrentSettings(nullptr);
    s.Set(&S::BackBufferDesc, D3DSURFACE_DESC{});
    s.Set(&S::DeviceCaps, D3DCAPS9{});
    s.Set(&S::IsDeviceCreated, false);
}

// --- loss recovery --------------------------------------------------------------------------------------------

bool DXUTRecoverLostDevice()
{
    TDX9State& s = State();
    // The device is only asked: a reference kept past this block would keep it alive while a recreation below makes
    // its successor, past the clean-up that releases its last reference.
    HRESULT hr = S_OK;
    {
        const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
        if (!device) return false;
        hr = device->TestCooperativeLevel();
    }
    if (hr == kD3DErrDeviceLost) return false;
    if (FAILED(hr)) {
        const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        D3DDISPLAYMODE desktop{};
        const ComPtr<IDirect3D9> d3d = s.Get(&S::Direct3DObject);
        if (settings.pp.Windowed && d3d && SUCCEEDED(d3d->GetAdapterDisplayMode(settings.AdapterOrdinal, &desktop)) &&
            desktop.Format != settings.AdapterFormat) {
            TDX9MatchOptions options = AllClosest();
            options.AdapterOrdinal = options.DeviceType = options.Windowed = options.AdapterFormat =
                TDX9MatchType::PreserveInput;
            TDX9DeviceSettings copy = settings;
            copy.AdapterFormat = desktop.Format;
            if (FAILED(DXUTFindValidDeviceSettings(&copy, &copy, &options))) {
                DXUTDisplayErrorMessage(kDXUTErrNoCompatibleDevices);
                DXUTShutdown(0);
                return false;
            }
            if (FAILED(DXUTChangeDevice(&copy, nullptr, false, false)) && FAILED(DXUTToggleFullScreen(800, 600)))
                DXUTShutdown(0);
            return false;
        }
        hr = DXUTReset3DEnvironment();
        if (hr == kD3DErrDeviceLost || ShutDown()) return false;
        if (hr == kDXUTErrResettingDeviceObjects || hr == kDXUTErrMediaNotFound) {
            DXUTDisplayErrorMessage(hr);
            DXUTShutdown(0);
            return false;
        }
        if (FAILED(hr)) {
            const TDX9DeviceSettings current = DXUTGetDeviceSettings();
            if (FAILED(DXUTChangeDevice(&current, nullptr, true, false))) {
                DXUTShutdown(0);
                return false;
            }
        }
    }
    s.Set(&S::IsDeviceLost, false);
    return true;
}

// --- shutdown -------------------------------------------------------------------------------------------------

void DXUTShutdown(int ExitCode)
{
    // A child device window belongs to its parent: closing it would destroy the application's panel.
    if (const HWND window = DXUTGetHWND(); IsTopLevel(window)) SendMessageW(window, WM_CLOSE, 0, 0);
    DXUTShutdownWithoutClose(ExitCode);
}

void DXUTShutdownWithoutClose(int ExitCode)
{
    TDX9State& s = State();
    s.Set(&S::ExitCode, ExitCode);
    DXUTCleanup3DEnvironment(true);
    DXUTReadbackRelease(false);
    DXUTAllowShortcutKeys(true);
    if (CD3DEnumeration* enumeration = s.Get(&S::EnumerationObject)) {
        enumeration->ReleaseD3D();
        s.Set(&S::EnumerationObject, nullptr);
    }
    s.Set(&S::Direct3DObject, ComPtr<IDirect3D9>{});
    if (s.Get(&S::OverrideRelaunchMCE)) ReLaunchMediaCenter();
}

// --- toggles and monitors -------------------------------------------------------------------------------------

namespace {

// The toggles' fallback: undo the change of one field and try again; shut down when that fails too.
template <class F>
HRESULT ChangeWithFallback(TDX9DeviceSettings Settings, const TDX9MatchOptions& Options, F&& Undo,
                           std::function<void(TDX9DeviceSettings&)> AfterFind = nullptr)
{
    HRESULT hr = DXUTFindValidDeviceSettings(&Settings, &Settings, &Options);
    if (AfterFind) AfterFind(Settings);
    if (SUCCEEDED(hr)) hr = DXUTChangeDevice(&Settings, nullptr, false, false);
    if (FAILED(hr) && hr != E_ABORT) {
        TDX9MatchOptions retry = Options;
        Undo(Settings, retry);
        HRESULT second = DXUTFindValidDeviceSettings(&Settings, &Settings, &retry);
        if (SUCCEEDED(second)) second = DXUTChangeDevice(&Settings, nullptr, false, false);
        if (FAILED(second)) DXUTShutdown(0);
    }
    return hr;
}

// Resolution options of a windowed/full-screen toggle: the remembered size of the target mode.
void ResolutionForTarget(TDX9DeviceSettings& Settings, TDX9MatchOptions& Options)
{
    const TDX9State& s = State();
    const bool toWindowed = Settings.pp.Windowed != 0;
    const UINT width =
        s.Get(toWindowed ? &S::WindowBackBufferWidthAtModeChange : &S::FullScreenBackBufferWidthAtModeChange);
    const UINT height =
        s.Get(toWindowed ? &S::WindowBackBufferHeightAtModeChange : &S::FullScreenBackBufferHeightAtModeChange);
    if (width > 0 && height > 0) {
        Options.Resolution = TDX9MatchType::ClosestToInput;
        Settings.pp.BackBufferWidth = width;
        Settings.pp.BackBufferHeight = height;
    } else {
        Options.Resolution = TDX9MatchType::IgnoreInput;
    }
}

TDX9MatchOptions ToggleFullScreenOptions()
{
    TDX9MatchOptions options = AllClosest();
    options.AdapterOrdinal = options.Windowed = TDX9MatchType::PreserveInput;
    options.AdapterFormat = options.BackBufferFormat = options.RefreshRate = TDX9MatchType::IgnoreInput;
    return options;
}

} // namespace

HRESULT DXUTToggleFullScreen(int Width, int Height)
{
    TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    settings.pp.Windowed = settings.pp.Windowed ? 0 : kD3DTrue;
    TDX9MatchOptions options = ToggleFullScreenOptions();
    ResolutionForTarget(settings, options);
    return ChangeWithFallback(
        settings, options,
        [](TDX9DeviceSettings& again, TDX9MatchOptions& retry) {
            again.pp.Windowed = again.pp.Windowed ? 0 : kD3DTrue;
            retry = ToggleFullScreenOptions();
            ResolutionForTarget(again, retry);
        },
        [Width, Height](TDX9DeviceSettings& found) {
            found.pp.BackBufferWidth = UINT(Width);
            found.pp.BackBufferHeight = UINT(Height);
        });
}

HRESULT DXUTToggleREF()
{
    const auto swap = [](TDX9DeviceSettings& settings) {
        if (settings.DeviceType == D3DDEVTYPE_HAL)
            settings.DeviceType = D3DDEVTYPE_REF;
        else if (settings.DeviceType == D3DDEVTYPE_REF)
            settings.DeviceType = D3DDEVTYPE_HAL;
    };
    TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    swap(settings);
    TDX9MatchOptions options = AllClosest();
    options.AdapterOrdinal = options.DeviceType = TDX9MatchType::PreserveInput;
    return ChangeWithFallback(settings, options, [swap](TDX9DeviceSettings& again, TDX9MatchOptions&) { swap(again); });
}

void DXUTCheckForWindowChangingMonitors()
{
    TDX9State& s = State();
    if (!s.Get(&S::AutoChangeAdapter) || s.Get(&S::IgnoreSizeChange) || !s.Get(&S::IsDeviceCreated) ||
        !DXUTIsWindowed())
        return;
    const HMONITOR monitor = MonitorFromWindowSafe(DXUTGetHWND(), MONITOR_DEFAULTTOPRIMARY);
    if (monitor == s.Get(&S::AdapterMonitor)) return;
    const ComPtr<IDirect3D9> d3d = s.Get(&S::Direct3DObject);
    if (!d3d) return;
    const UINT count = d3d->GetAdapterCount();
    for (UINT ordinal = 0; ordinal < count; ++ordinal) {
        if (d3d->GetAdapterMonitor(ordinal) != monitor) continue;
        TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        settings.AdapterOrdinal = ordinal;
        TDX9MatchOptions options = AllClosest();
        options.AdapterOrdinal = TDX9MatchType::PreserveInput;
        HRESULT hr = DXUTFindValidDeviceSettings(&settings, &settings, &options);
        if (SUCCEEDED(hr)) hr = DXUTChangeDevice(&settings, nullptr, false, false);
        if (hr == E_ABORT) {
            s.Set(&S::AutoChangeAdapter, false);
        } else if (FAILED(hr)) {
            DXUTShutdown(0);
            DXUTPause(false, false);
        }
        return;
    }
}

// --- statistics texts -----------------------------------------------------------------------------------------

void DXUTUpdateStaticFrameStats()
{
    TDX9State& s = State();
    if (s.Get(&S::NoStats)) return;
    const std::optional<TDX9DeviceSettings> settings = s.GetCurrentSettings();
    const CD3DEnumeration* enumeration = s.Get(&S::EnumerationObject);
    if (!settings || enumeration == nullptr) return;
    const TD3DEnumDeviceSettingsCombo* combo =
        enumeration->GetDeviceSettingsCombo(settings->AdapterOrdinal, settings->DeviceType, settings->AdapterFormat,
                                            settings->pp.BackBufferFormat, settings->pp.Windowed != 0);
    if (combo == nullptr) return;
    wchar_t formats[100];
    if (combo->BackBufferFormat != combo->AdapterFormat)
        StringCchPrintfW(formats, 100, L"backbuf %s, adapter %s", D3DFormatToString(combo->BackBufferFormat, false),
                         D3DFormatToString(combo->AdapterFormat, false));
    else
        StringCchCopyWStr(formats, 100, D3DFormatToString(combo->AdapterFormat, false));
    wchar_t depth[100] = L"";
    if (settings->pp.EnableAutoDepthStencil)
        StringCchPrintfW(depth, 100, L" (%s)", D3DFormatToString(settings->pp.AutoDepthStencilFormat, false));
    wchar_t multiSample[100] = L"";
    if (settings->pp.MultiSampleType == D3DMULTISAMPLE_NONMASKABLE)
        StringCchCopyW(multiSample, 100, L" (Nonmaskable Multisample)");
    else if (settings->pp.MultiSampleType != D3DMULTISAMPLE_NONE)
        StringCchPrintfW(multiSample, 100, L" (%dx Multisample)", int(settings->pp.MultiSampleType));
    TStatsText text{};
    StringCchPrintfW(text.data(), text.size(), L"%%sVsync %s (%dx%d), %s%s%s",
                     settings->pp.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? L"off" : L"on",
                     int(settings->pp.BackBufferWidth), int(settings->pp.BackBufferHeight), formats, depth,
                     multiSample);
    s.Set(&S::StaticFrameStats, text);
}

void DXUTUpdateDeviceStats(D3DDEVTYPE DeviceType, DWORD BehaviorFlags, const D3DADAPTER_IDENTIFIER9& Identifier)
{
    TDX9State& s = State();
    if (s.Get(&S::NoStats)) return;
    const wchar_t* type = DeviceType == D3DDEVTYPE_REF ? L"REF" : DeviceType == D3DDEVTYPE_HAL ? L"HAL"
                                                              : DeviceType == D3DDEVTYPE_SW  ? L"SW"
                                                                                             : L"";
    TStatsText stats{}, typeText{}, vertexText{};
    StringCchCopyW(stats.data(), stats.size(), type);
    if (*type) StringCchPrintfW(typeText.data(), typeText.size(), L"Device Type %s", type);

    struct TVertexRow {
        DWORD Flags;
        const wchar_t *Stats, *SimulatedStats, *Text, *SimulatedText;
    };
    static const TVertexRow kRows[] = {
        {kVPHardware | kVPPure, L" (pure hw vp)", L" (simulated pure hw vp)", L"Pure Hardware VP and T&L",
         L"Simulated pure Hardware VP and T&L"},
        {kVPHardware, L" (hw vp)", L" (simulated hw vp)", L"Hardware VP", L"Simulated Hardware VP"},
        {kVPMixed, L" (mixed vp)", L" (simulated mixed vp)", L"Mixed SW/HW VP", L"Simulated Mixed SW/HW VP"},
        {kVPSoftware, L" (sw vp)", L" (sw vp)", L"Software VP", L"Software VP"},
    };
    const bool hal = DeviceType == D3DDEVTYPE_HAL;
    for (const TVertexRow& row : kRows) {
        if ((BehaviorFlags & row.Flags) != row.Flags) continue;
        StringCchCatW(stats.data(), stats.size(), hal ? row.Stats : row.SimulatedStats);
        StringCchCatW(vertexText.data(), vertexText.size(), hal ? row.Text : row.SimulatedText);
        break;
    }
    if (hal) {
        StringCchCatW(stats.data(), stats.size(), L": ");
        const std::optional<TDX9DeviceSettings> settings = s.GetCurrentSettings();
        const CD3DEnumeration* enumeration = s.Get(&S::EnumerationObject);
        const TD3DEnumDeviceSettingsCombo* combo =
            settings && enumeration
                ? enumeration->GetDeviceSettingsCombo(settings->AdapterOrdinal, settings->DeviceType,
                                                      settings->AdapterFormat, settings->pp.BackBufferFormat,
                                                      settings->pp.Windowed != 0)
                : nullptr;
        if (combo && combo->AdapterInfo) {
            StringCchCatW(stats.data(), stats.size(), combo->AdapterInfo->UniqueDescription.data());
        } else {
            wchar_t description[512];
            const int length = MultiByteToWideChar(CP_ACP, 0, Identifier.Description, -1, description, 512);
            if (length <= 0) description[0] = L'\0';
            description[511] = L'\0';
            StringCchCatW(stats.data(), stats.size(), description);
        }
    }
    s.Set(&S::DeviceStats, stats);
    s.Set(&S::DeviceTypeText, typeText);
    s.Set(&S::VertexProcessingText, vertexText);
}
