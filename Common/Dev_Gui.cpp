#include "Common/Dev_Gui.h"

#include "Common/Dev_Present.h"
#include "Common/Dev_misc.h"

#include <commctrl.h>
#include <d3dx9.h>
#include <mmsystem.h>

// Sections: set-up; main loop; one frame; statistics and timers; getters.

namespace {

using S = TDX9State_STATE;

TDX9State& State() { return GetDXUTState(); }

// The main loop's refusals propose exit code 1 unless an earlier failure already chose one.
void ProposeLoopFailureExitCode()
{
    const int code = State().Get(&S::ExitCode);
    if (code == 0 || code == 11) State().Set(&S::ExitCode, 1);
}

} // namespace

// --- set-up ---------------------------------------------------------------------------------------------------

HRESULT DXUTInit(bool ParseCommandLine, bool HandleDefaultHotkeys, bool ShowMsgBoxOnError, bool HandleAltEnter)
{
    TDX9State& s = State();
    s.Set(&S::DXUTInitCalled, true);
    InitCommonControls();
    DXUTSaveStartupKeys();
    timeBeginPeriod(1);
    s.Set(&S::ShowMsgBoxOnError, ShowMsgBoxOnError);
    s.Set(&S::HandleDefaultHotkeys, HandleDefaultHotkeys);
    s.Set(&S::HandleAltEnter, HandleAltEnter);
    (void)ParseCommandLine; // this program takes no framework options from its command line

    // The linked D3DX's own constants: any other pair is refused by the installed library.
    if (!D3DXCheckVersion(D3D_SDK_VERSION, D3DX_SDK_VERSION)) {
        DXUTDisplayErrorMessage(kDXUTErrIncorrectVersion);
        return TraceError(L"D3DXCheckVersion", kDXUTErrIncorrectVersion);
    }
    if (!s.Get(&S::Direct3DObject)) s.Set(&S::Direct3DObject, DynamicDirect3DCreate9(D3D_SDK_VERSION));
    if (!s.Get(&S::Direct3DObject)) {
        DXUTDisplayErrorMessage(kDXUTErrNoDirect3D);
        return TraceError(L"Direct3DCreate9", kDXUTErrNoDirect3D);
    }
    GetGlobalTimer().Reset();
    s.Set(&S::DXUTInited, true);
    return S_OK;
}

HRESULT DXUTSetWindow(HWND Focus, HWND DeviceFullScreen, HWND DeviceWindowed, bool HandleMessages)
{
    TDX9State& s = State();
    if (s.Get(&S::InsideDeviceCallback)) return TraceErrorBox(L"DX9CreateWindow", E_FAIL);
    s.Set(&S::WindowCreateCalled, true);
    if (Focus == nullptr || DeviceFullScreen == nullptr || DeviceWindowed == nullptr)
        return TraceErrorBox(L"DXUTSetWindow", E_INVALIDARG);
    if (HandleMessages) return TraceErrorBox(L"SetWindowLongPtr", E_NOTIMPL);
    if (!s.Get(&S::DXUTInited)) {
        if (s.Get(&S::DXUTInitCalled)) return E_FAIL;
        if (const HRESULT hr = DXUTInit(true, true, true, true); FAILED(hr)) return hr;
    }
    TStatsText title{};
    GetWindowTextW(Focus, title.data(), 255);
    title[255] = L'\0';
    s.Set(&S::WindowTitle, title);
    s.Set(&S::HInstance, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Focus, GWLP_HINSTANCE)));
    s.Set(&S::WindowCreatedWithDefaultPositions, false);
    s.Set(&S::WindowCreated, true);
    s.Set(&S::HWNDFocus, Focus);
    s.Set(&S::HWNDDeviceFullScreen, DeviceFullScreen);
    s.Set(&S::HWNDDeviceWindowed, DeviceWindowed);
    return S_OK;
}

HRESULT DXUTCreateDevice(UINT AdapterOrdinal, bool Windowed, int SuggestedWidth, int SuggestedHeight,
                         TIsDeviceAcceptableCallback IsDeviceAcceptable,
                         TModifyDeviceSettingsCallback ModifyDeviceSettings, void* UserContext)
{
    TDX9State& s = State();
    if (s.Get(&S::InsideDeviceCallback)) return TraceErrorBox(L"DX9CreateWindow", E_FAIL);
    s.Set(&S::IsDeviceAcceptableFunc, IsDeviceAcceptable);
    s.Set(&S::ModifyDeviceSettingsFunc, ModifyDeviceSettings);
    s.Set(&S::IsDeviceAcceptableFuncUserContext, UserContext);
    s.Set(&S::ModifyDeviceSettingsFuncUserContext, UserContext);
    s.Set(&S::DeviceCreateCalled, true);
    // The framework creates no window of its own: the application attaches one with DXUTSetWindow first.
    if (!s.Get(&S::WindowCreated)) return E_FAIL;

    DXUTPrepareEnumerationObject(true);

    TDX9MatchOptions options;
    options.AdapterOrdinal = TDX9MatchType::PreserveInput;
    options.Windowed = TDX9MatchType::PreserveInput;
    options.Resolution = Windowed || (SuggestedWidth != 0 && SuggestedHeight != 0) ? TDX9MatchType::ClosestToInput
                                                                                   : TDX9MatchType::IgnoreInput;
    TDX9DeviceSettings settings{};
    settings.AdapterOrdinal = AdapterOrdinal;
    settings.pp.Windowed = Windowed ? kD3DTrue : 0;
    settings.pp.BackBufferWidth = UINT(SuggestedWidth);
    settings.pp.BackBufferHeight = UINT(SuggestedHeight);
    DXUTApplyOverrides(settings, &options);
    if (NoVSync) {
        settings.pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        options.PresentInterval = TDX9MatchType::PreserveInput;
    }
    HRESULT hr = DXUTFindValidDeviceSettings(&settings, &settings, &options);
    if (FAILED(hr)) {
        DXUTDisplayErrorMessage(hr);
        return TraceError(L"DXUTFindValidDeviceSettings", hr);
    }
    hr = DXUTChangeDevice(&settings, nullptr, false, true);
    return FAILED(hr) ? hr : S_OK;
}

void DXUTSetConstantFrameTime(bool Enabled, float SecondsPerFrame)
{
    TDX9State& s = State();
    if (s.Get(&S::OverrideConstantFrameTime)) {
        Enabled = true;
        SecondsPerFrame = s.Get(&S::OverrideConstantTimePerFrame);
    }
    s.Set(&S::ConstantFrameTime, Enabled);
    s.Set(&S::TimePerFrame, SecondsPerFrame);
}

// --- main loop ------------------------------------------------------------------------------------------------

HRESULT DXUTMainLoop(HACCEL Accelerators)
{
    TDX9State& s = State();
    if (s.Get(&S::InsideDeviceCallback) || s.Get(&S::InsideMainloop)) {
        ProposeLoopFailureExitCode();
        return TraceErrorBox(L"DXUTMainLoop", E_FAIL);
    }
    s.Set(&S::InsideMainloop, true);
    if (!s.Get(&S::IsDeviceCreated)) {
        if (s.Get(&S::DeviceCreateCalled)) {
            ProposeLoopFailureExitCode();
            return E_FAIL;
        }
        if (const HRESULT hr = DXUTCreateDevice(0, true, 0, 0, nullptr, nullptr, nullptr); FAILED(hr)) {
            ProposeLoopFailureExitCode();
            return hr;
        }
    }
    if (!s.Get(&S::DXUTInited) || !s.Get(&S::IsDeviceCreated)) {
        ProposeLoopFailureExitCode();
        return TraceErrorBox(L"DXUTMainLoop", E_FAIL);
    }

    MSG message{};
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    while (message.message != WM_QUIT) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const HWND window = DXUTGetHWND();
            const bool accelerator =
                Accelerators && window && TranslateAcceleratorW(window, Accelerators, &message) != 0;
            if (!accelerator) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        } else {
            DXUTRender3DEnvironment();
        }
    }
    // The application's own loop must end too; a destroyed focus window cannot take the message, the thread can.
    const HWND focus = s.Get(&S::HWNDFocus);
    if (focus == nullptr || !PostMessageW(focus, WM_QUIT, 0, 0)) PostQuitMessage(0);
    if (Accelerators) DestroyAcceleratorTable(Accelerators);
    s.Set(&S::InsideMainloop, false);
    return S_OK;
}

// --- one frame ------------------------------------------------------------------------------------------------

namespace {

void UpdateFrameStats()
{
    TDX9State& s = State();
    if (s.Get(&S::NoStats)) return;
    const DWORD frames = s.Get(&S::LastStatsUpdateFrames) + 1;
    s.Set(&S::LastStatsUpdateFrames, frames);
    const double now = s.Get(&S::AbsoluteTime);
    const double interval = now - s.Get(&S::LastStatsUpdateTime);
    if (interval <= 1.0) return;
    const float fps = static_cast<float>(frames / interval);
    s.Set(&S::FramesPerSecond, fps);
    s.Set(&S::LastStatsUpdateTime, now);
    s.Set(&S::LastStatsUpdateFrames, DWORD(0));
    std::array<wchar_t, 64> text{};
    StringCchPrintfW(text.data(), text.size(), L"%f fps ", double(fps));
    s.Set(&S::FPSStats, text);
}

// A timer's id is its index in the list. The step owns only the countdown of the timers that were there when
// it began, and stores it before the callback runs, so that a callback which adds, stops or retimes a timer keeps
// its change.
void HandleTimers()
{
    TDX9State& s = State();
    const size_t count = s.Get(&S::TimerList).size();
    if (count == 0) return;
    const float elapsed = DXUTGetElapsedTime();
    for (size_t index = 0; index < count; ++index) {
        std::vector<TDXUTTimerRecord> timers = s.Get(&S::TimerList);
        if (index >= timers.size()) return; // a callback removed timers
        TDXUTTimerRecord& timer = timers[index];
        if (!timer.Enabled) continue;
        timer.Countdown -= elapsed;
        const bool due = timer.Countdown < 0;
        if (due) timer.Countdown = timer.Timeout;
        const TDXUTTimerRecord fired = timer;
        s.Set(&S::TimerList, std::move(timers));
        if (due && fired.Callback) fired.Callback(UINT(index), fired.UserContext);
    }
}

bool IsLossCode(HRESULT Result)
{
    return Result == kD3DErrDeviceLost || Result == D3DERR_DRIVERINTERNALERROR || Result == D3DERR_DEVICENOTRESET;
}

bool PresentsByReadback() { return DXUTIsWindowed() && DXUTUsesReadback(); }

// Present, or under the readback presentation the copy into the device window. Present reports a lost device
// for the next frame's recovery; the readback copy cannot, so the frame tests the device before drawing.
void PresentFrame(IDirect3DDevice9* Device)
{
    if (PresentsByReadback()) {
        DXUTReadbackPresent(Device, State().Get(&S::HWNDDeviceWindowed));
        return;
    }
    const HRESULT hr = Device->Present(nullptr, nullptr, nullptr, nullptr);
    if (hr == kD3DErrDeviceLost || hr == D3DERR_DRIVERINTERNALERROR) State().Set(&S::IsDeviceLost, true);
}

} // namespace

void DXUTRender3DEnvironment()
{
    TDX9State& s = State();
    if (s.Get(&S::IsDeviceLost) || s.Get(&S::RenderingPaused) || !s.Get(&S::AppActive)) Sleep(20);

    ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    if (!device) {
        if (s.Get(&S::IsDeviceLost)) {
            const TDX9DeviceSettings settings = DXUTGetDeviceSettings();
            DXUTChangeDevice(&settings, nullptr, false, true);
        }
        return;
    }
    // Drawing on a device that needs a reset is not harmless everywhere: test it first.
    if (!s.Get(&S::IsDeviceLost) && PresentsByReadback() && IsLossCode(device->TestCooperativeLevel()))
        s.Set(&S::IsDeviceLost, true);
    if (s.Get(&S::IsDeviceLost) && !s.Get(&S::RenderingPaused)) {
        // The recovery may make the device anew: a reference kept here would keep the old one alive meanwhile.
        device.Reset();
        if (!DXUTRecoverLostDevice()) return;
        device = DXUTGetD3DDevice(); // recovery may have recreated it
        if (!device) return;
    }

    double time = 0, absoluteTime = 0;
    float elapsed = 0;
    GetGlobalTimer().GetTimeValues(time, absoluteTime, elapsed);
    if (s.Get(&S::ConstantFrameTime)) {
        elapsed = s.Get(&S::TimePerFrame);
        time = DXUTGetTime() + elapsed;
    }
    s.Set(&S::CurrentTime, time);
    s.Set(&S::AbsoluteTime, absoluteTime);
    s.Set(&S::ElapsedTime, elapsed);
    UpdateFrameStats();
    HandleTimers();

    if (!s.Get(&S::RenderingPaused)) {
        if (const TFrameRenderCallback render = s.Get(&S::FrameRenderFunc)) {
            render(device.Get(), time, elapsed, s.Get(&S::FrameRenderUserContext));
            if (!s.Get(&S::D3DDevice)) return; // shut down from inside the callback
        }
        PresentFrame(device.Get());
    }
    const DWORD frame = s.Get(&S::CurrentFrameNumber) + 1;
    s.Set(&S::CurrentFrameNumber, frame);
    const int quitAfter = s.Get(&S::OverrideQuitAfterFrame);
    if (quitAfter != 0 && frame > DWORD(quitAfter)) DXUTShutdown(0);
}

// --- statistics -----------------------------------------------------------------------------------------------

const wchar_t* DXUTGetFrameStats(bool IncludeFPS)
{
    TDX9State& s = State();
    static TStatsText frameStats;
    const TStatsText format = s.Get(&S::StaticFrameStats);
    const std::array<wchar_t, 64> fps = s.Get(&S::FPSStats);
    frameStats.fill(L'\0');
    if (format[0]) StringCchPrintfW(frameStats.data(), frameStats.size(), format.data(), IncludeFPS ? fps.data() : L"");
    s.Set(&S::FrameStats, frameStats);
    return frameStats.data();
}

// --- getters --------------------------------------------------------------------------------------------------

namespace {

// The pointer getters hand out a copy that lives until the next call of the same getter (GUI thread only).
template <class T>
const T* FieldCopy(T S::*Field)
{
    static T copy;
    copy = State().Get(Field);
    return &copy;
}

// One copy per text field, so that two of them may be used in one expression.
template <TStatsText S::*Field>
const wchar_t* TextCopy()
{
    static TStatsText copy;
    copy = State().Get(Field);
    return copy.data();
}

} // namespace

const D3DSURFACE_DESC* DXUTGetBackBufferSurfaceDesc() { return FieldCopy(&S::BackBufferDesc); }
const D3DCAPS9* DXUTGetDeviceCaps() { return FieldCopy(&S::DeviceCaps); }
HWND DXUTGetHWNDFocus() { return State().Get(&S::HWNDFocus); }
HWND DXUTGetHWNDDeviceFullScreen() { return State().Get(&S::HWNDDeviceFullScreen); }
HWND DXUTGetHWNDDeviceWindowed() { return State().Get(&S::HWNDDeviceWindowed); }
double DXUTGetTime() { return State().Get(&S::CurrentTime); }
float DXUTGetElapsedTime() { return State().Get(&S::ElapsedTime); }
bool DXUTIsRenderingPaused() { return State().Get(&S::PauseRenderingCount) > 0; }
bool DXUTIsTimePaused() { return State().Get(&S::PauseTimeCount) > 0; }
bool DXUTIsActive() { return State().Get(&S::AppActive); }
int DXUTGetExitCode() { return State().Get(&S::ExitCode); }

const wchar_t* DXUTGetWindowTitle() { return TextCopy<&S::WindowTitle>(); }
const wchar_t* DXUTGetDeviceStats() { return TextCopy<&S::DeviceStats>(); }
const wchar_t* DXUTGetVertexProcessingText() { return TextCopy<&S::VertexProcessingText>(); }
const wchar_t* DXUTGetDeviceTypeText() { return TextCopy<&S::DeviceTypeText>(); }
