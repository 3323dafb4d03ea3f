#include "Common/Dev_State.h"

#include "Common/Dev_DeviceCursor.h"
#include "Common/Dev_Enum.h"
#include "Common/Dev_Render.h"
#include "Common/Dev_misc.h"

#include <utility>

// Sections: the accessor; callbacks and queries; cursor set-up; error message and pause; accessibility keys.

// --- the accessor ---------------------------------------------------------------------------------------------

std::atomic<bool> TDX9State::locking_{true};

TDX9State::TDX9State()
{
    InitializeCriticalSection(&cs_);
    SetLocking(true);
    // The singletons that the shutdown below reaches must outlive the state: finished first, destroyed last.
    GetGlobalTimer();
    GetGlobalResourceCache();
    DXUTGetEnumeration();
}

// The framework's end at program end: the device, its callbacks and the Direct3D object go before the lock.
TDX9State::~TDX9State()
{
    DXUTShutdown(0);
    DeleteCriticalSection(&cs_);
}

std::optional<TDX9DeviceSettings> TDX9State::GetCurrentSettings() const
{
    TLock lock(*this);
    if (!state_.CurrentSettings) return std::nullopt;
    return *state_.CurrentSettings;
}

std::unique_ptr<TDX9DeviceSettings> TDX9State::ExchangeCurrentSettings(std::unique_ptr<TDX9DeviceSettings> Settings)
{
    TLock lock(*this);
    return std::exchange(state_.CurrentSettings, std::move(Settings));
}

TDX9State& GetDXUTState()
{
    static TDX9State state;
    return state;
}

// --- callbacks and queries ------------------------------------------------------------------------------------

namespace {

template <class TFunc>
void SetCallback(TFunc TDX9State_STATE::*Func, void* TDX9State_STATE::*Context, TFunc Callback, void* UserContext)
{
    TDX9State& s = GetDXUTState();
    s.Set(Func, Callback);
    s.Set(Context, UserContext);
}

} // namespace

void DXUTSetCallbackDeviceCreated(TDeviceCreatedCallback Callback, void* UserContext)
{
    SetCallback(&TDX9State_STATE::DeviceCreatedFunc, &TDX9State_STATE::DeviceCreatedUserContext, Callback, UserContext);
}

void DXUTSetCallbackDeviceReset(TDeviceResetCallback Callback, void* UserContext)
{
    SetCallback(&TDX9State_STATE::DeviceResetFunc, &TDX9State_STATE::DeviceResetUserContext, Callback, UserContext);
}

void DXUTSetCallbackDeviceLost(TDeviceLostCallback Callback, void* UserContext)
{
    SetCallback(&TDX9State_STATE::DeviceLostFunc, &TDX9State_STATE::DeviceLostUserContext, Callback, UserContext);
}

void DXUTSetCallbackDeviceDestroyed(TDeviceDestroyedCallback Callback, void* UserContext)
{
    SetCallback(&TDX9State_STATE::DeviceDestroyedFunc, &TDX9State_STATE::DeviceDestroyedUserContext, Callback,
                UserContext);
}

void DXUTSetCallbackFrameRender(TFrameRenderCallback Callback, void* UserContext)
{
    SetCallback(&TDX9State_STATE::FrameRenderFunc, &TDX9State_STATE::FrameRenderUserContext, Callback, UserContext);
}

TDX9DeviceSettings DXUTGetDeviceSettings()
{
    return GetDXUTState().GetCurrentSettings().value_or(TDX9DeviceSettings{});
}

D3DPRESENT_PARAMETERS DXUTGetPresentParameters() { return DXUTGetDeviceSettings().pp; }

bool DXUTIsWindowed()
{
    const std::optional<TDX9DeviceSettings> settings = GetDXUTState().GetCurrentSettings();
    return settings && settings->pp.Windowed != 0;
}

ComPtr<IDirect3DDevice9> DXUTGetD3DDevice() { return GetDXUTState().Get(&TDX9State_STATE::D3DDevice); }
ComPtr<IDirect3D9> DXUTGetD3DObject() { return GetDXUTState().Get(&TDX9State_STATE::Direct3DObject); }

HWND DXUTGetHWND()
{
    return GetDXUTState().Get(DXUTIsWindowed() ? &TDX9State_STATE::HWNDDeviceWindowed
                                               : &TDX9State_STATE::HWNDDeviceFullScreen);
}

// --- cursor set-up --------------------------------------------------------------------------------------------

void DXUTSetCursorSettings(bool ShowCursorWhenFullScreen, bool ClipCursorWhenFullScreen)
{
    TDX9State& s = GetDXUTState();
    s.Set(&TDX9State_STATE::ShowCursorWhenFullScreen, ShowCursorWhenFullScreen);
    s.Set(&TDX9State_STATE::ClipCursorWhenFullScreen, ClipCursorWhenFullScreen);
    DXUTSetupCursor();
}

void DXUTSetupCursor()
{
    TDX9State& s = GetDXUTState();
    const bool fullScreen = !DXUTIsWindowed();
    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    const HWND window = s.Get(&TDX9State_STATE::HWNDDeviceFullScreen);
    if (fullScreen && device) {
        SetCursor(nullptr);
        if (s.Get(&TDX9State_STATE::ShowCursorWhenFullScreen)) {
            const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
            SetDeviceCursor(device.Get(), cursor);
            device->ShowCursor(TRUE);
        } else {
            device->ShowCursor(FALSE);
        }
    }
    RECT windowRect;
    if (fullScreen && s.Get(&TDX9State_STATE::ClipCursorWhenFullScreen) && GetWindowRect(window, &windowRect))
        ClipCursor(&windowRect);
    else
        ClipCursor(nullptr);
}

// --- error message and pause ----------------------------------------------------------------------------------

void DXUTDisplayErrorMessage(HRESULT Code)
{
    TDX9State& s = GetDXUTState();
    s.Set(&TDX9State_STATE::ExitCode, DXUTErrorExitCode(Code));
    const std::wstring text = DXUTErrorMessageText(Code, GetSystemMetrics(SM_REMOTESESSION) != 0);
    if (text.empty() || !s.Get(&TDX9State_STATE::ShowMsgBoxOnError)) return;
    wchar_t message[512];
    StringCchCopyWStr(message, 512, text);
    const TStatsText title = s.Get(&TDX9State_STATE::WindowTitle);
    MessageBoxW(DXUTGetHWND(), message, title[0] ? title.data() : L"DirectX Application", MB_ICONERROR | MB_OK);
}

void DXUTPause(bool PauseTime, bool PauseRendering)
{
    TDX9State& s = GetDXUTState();
    const auto step = [&s](int TDX9State_STATE::*count, bool pause) {
        const int value = s.Get(count) + (pause ? 1 : -1);
        s.Set(count, value < 0 ? 0 : value);
        return value > 0;
    };
    const bool timePaused = step(&TDX9State_STATE::PauseTimeCount, PauseTime);
    const bool renderingPaused = step(&TDX9State_STATE::PauseRenderingCount, PauseRendering);
    if (timePaused)
        GetGlobalTimer().Stop();
    else
        GetGlobalTimer().Start();
    s.Set(&TDX9State_STATE::TimePaused, timePaused);
    s.Set(&TDX9State_STATE::RenderingPaused, renderingPaused);
}

// --- accessibility keys ---------------------------------------------------------------------------------------

namespace {

// The three accessibility records with their get and set requests. The "on" bit and the hot-key bits have the
// same values in all three (SKF_STICKYKEYSON = TKF_TOGGLEKEYSON = FKF_FILTERKEYSON = 1, and so on).
constexpr DWORD kFeatureOn = 0x1;
constexpr DWORD kHotKeyActive = 0x4;
constexpr DWORD kConfirmHotKey = 0x8;

template <class TRecord>
struct TKeysRecord {
    TRecord TDX9State_STATE::*Field;
    bool TDX9State_STATE::*Saved;
    UINT GetRequest;
    UINT SetRequest;
};

constexpr TKeysRecord<STICKYKEYS> kSticky{&TDX9State_STATE::StartupStickyKeys, &TDX9State_STATE::StartupStickyKeysSaved,
                                          SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS};
constexpr TKeysRecord<TOGGLEKEYS> kToggle{&TDX9State_STATE::StartupToggleKeys, &TDX9State_STATE::StartupToggleKeysSaved,
                                          SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS};
constexpr TKeysRecord<FILTERKEYS> kFilter{&TDX9State_STATE::StartupFilterKeys, &TDX9State_STATE::StartupFilterKeysSaved,
                                          SPI_GETFILTERKEYS, SPI_SETFILTERKEYS};

TSystemParametersProc gSystemParameters = nullptr;

BOOL SystemParameters(UINT action, UINT param, PVOID data)
{
    return gSystemParameters ? gSystemParameters(action, param, data, 0)
                             : SystemParametersInfoW(action, param, data, 0);
}

template <class TRecord>
void SaveKeys(const TKeysRecord<TRecord>& r)
{
    TRecord record{};
    record.cbSize = sizeof record;
    const bool read = SystemParameters(r.GetRequest, sizeof record, &record) != FALSE;
    TDX9State& s = GetDXUTState();
    s.Set(r.Field, record);
    s.Set(r.Saved, read);
}

// Writes the saved record back, or, with HotKeysOff, a copy without its hot keys when the feature is off.
template <class TRecord>
void RestoreKeys(const TKeysRecord<TRecord>& r, bool HotKeysOff)
{
    TDX9State& s = GetDXUTState();
    if (!s.Get(r.Saved)) return; // never switch off settings that were not read
    TRecord record = s.Get(r.Field);
    if (HotKeysOff) {
        if (record.dwFlags & kFeatureOn) return;
        record.dwFlags &= ~(kHotKeyActive | kConfirmHotKey);
    }
    SystemParameters(r.SetRequest, sizeof record, &record);
}

// Swallows the Windows keys while shortcut keys are not allowed.
LRESULT CALLBACK LowLevelKeyboardProc(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HC_ACTION && (WParam == WM_KEYDOWN || WParam == WM_KEYUP) &&
        !GetDXUTState().Get(&TDX9State_STATE::AllowShortcutKeys)) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(LParam);
        if (key->vkCode == VK_LWIN || key->vkCode == VK_RWIN) return 1;
    }
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

bool IsNT5OrLater()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

} // namespace

TSystemParametersProc SetSystemParametersProc(TSystemParametersProc Proc)
{
    return std::exchange(gSystemParameters, Proc);
}

void DXUTSaveStartupKeys()
{
    SaveKeys(kSticky);
    SaveKeys(kToggle);
    SaveKeys(kFilter);
}

void DXUTAllowShortcutKeys(bool Allow)
{
    TDX9State& s = GetDXUTState();
    s.Set(&TDX9State_STATE::AllowShortcutKeys, Allow);
    if (Allow) {
        RestoreKeys(kSticky, false);
        RestoreKeys(kToggle, false);
        RestoreKeys(kFilter, false);
        if (HHOOK hook = s.Get(&TDX9State_STATE::KeyboardHook)) {
            UnhookWindowsHookEx(hook);
            s.Set(&TDX9State_STATE::KeyboardHook, nullptr);
        }
        return;
    }
    if (IsNT5OrLater() && s.Get(&TDX9State_STATE::KeyboardHook) == nullptr)
        s.Set(&TDX9State_STATE::KeyboardHook,
              SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboardProc, GetModuleHandleW(nullptr), 0));
    RestoreKeys(kSticky, true);
    RestoreKeys(kToggle, true);
    RestoreKeys(kFilter, true);
}
