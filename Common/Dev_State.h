#pragma once
// The framework's process-wide state record, its locked accessor, the device settings record its routines hand
// one another, the application callbacks, and the small services every framework routine calls: error
// message, pause, cursor set-up and the accessibility-key switch.
//
// Sections: settings record and callbacks; the state record; the accessor; services.
#include "Common/core/Dev_ResultCodes.h"
#include "classlib/ComPtr.h"

#include <windows.h>
#include <d3d9.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class CD3DEnumeration;

// --- settings record and callbacks ----------------------------------------------------------------------------

// Windowed in pp is stored as -1 (all bits) for true; every test treats any non-zero value as true.
struct TDX9DeviceSettings {
    UINT AdapterOrdinal;
    D3DDEVTYPE DeviceType;
    D3DFORMAT AdapterFormat;
    DWORD BehaviorFlags;
    D3DPRESENT_PARAMETERS pp;
};

inline constexpr BOOL kD3DTrue = -1; // the framework's true for Booleans handed to Direct3D

using TIsDeviceAcceptableCallback = bool (*)(const D3DCAPS9* Caps, D3DFORMAT AdapterFormat, D3DFORMAT BackBufferFormat,
                                             bool Windowed, void* UserContext);
// May change the settings in place; False rejects the device change.
using TModifyDeviceSettingsCallback = bool (*)(TDX9DeviceSettings* DeviceSettings, const D3DCAPS9* Caps,
                                               void* UserContext);
using TDeviceCreatedCallback = HRESULT (*)(IDirect3DDevice9* Device, const D3DSURFACE_DESC* BackBufferSurfaceDesc,
                                           void* UserContext);
using TDeviceResetCallback = TDeviceCreatedCallback;
using TDeviceLostCallback = void (*)(void* UserContext);
using TDeviceDestroyedCallback = void (*)(void* UserContext);
using TFrameRenderCallback = void (*)(IDirect3DDevice9* Device, double Time, float ElapsedTime, void* UserContext);
using TFrameMoveCallback = TFrameRenderCallback;

// An application timer; this system adds none.
using TDXUTTimerCallback = void (*)(UINT Index, void* UserContext);
struct TDXUTTimerRecord {
    TDXUTTimerCallback Callback;
    void* UserContext;
    float Timeout;   // seconds
    float Countdown; // seconds
    bool Enabled;
};

// --- the state record -----------------------------------------------------------------------------------------

using TStatsText = std::array<wchar_t, 256>;

struct TDX9State_STATE {
    // objects
    ComPtr<IDirect3D9> Direct3DObject;
    ComPtr<IDirect3DDevice9> D3DDevice;
    CD3DEnumeration* EnumerationObject = nullptr; // the enumeration singleton while attached
    std::unique_ptr<TDX9DeviceSettings> CurrentSettings;
    D3DSURFACE_DESC BackBufferDesc{};
    D3DCAPS9 DeviceCaps{};
    // windows
    HWND HWNDFocus = nullptr;
    HWND HWNDDeviceFullScreen = nullptr;
    HWND HWNDDeviceWindowed = nullptr;
    HINSTANCE HInstance = nullptr;
    TStatsText WindowTitle{};
    HMONITOR AdapterMonitor = nullptr;
    HMENU SavedMenu = nullptr;
    // mode change
    UINT FullScreenBackBufferWidthAtModeChange = 0;
    UINT FullScreenBackBufferHeightAtModeChange = 0;
    UINT WindowBackBufferWidthAtModeChange = 0;
    UINT WindowBackBufferHeightAtModeChange = 0;
    DWORD WindowedStyleAtModeChange = 0;
    WINDOWPLACEMENT WindowedPlacement{};
    bool TopmostWhileWindowed = false;
    bool IgnoreSizeChange = false;
    // timing
    double CurrentTime = 0;
    double AbsoluteTime = 0;
    float ElapsedTime = 0;
    bool ConstantFrameTime = false;
    float TimePerFrame = 0;
    double LastStatsUpdateTime = 0;
    DWORD LastStatsUpdateFrames = 0;
    float FramesPerSecond = 0;
    DWORD CurrentFrameNumber = 0;
    std::vector<TDXUTTimerRecord> TimerList;
    int PauseRenderingCount = 0;
    int PauseTimeCount = 0;
    bool RenderingPaused = false;
    bool TimePaused = false;
    // keys: the user's accessibility settings as read at start-up; each Saved flag tells whether its read
    // succeeded, and only those records are ever written back.
    STICKYKEYS StartupStickyKeys{};
    TOGGLEKEYS StartupToggleKeys{};
    FILTERKEYS StartupFilterKeys{};
    bool StartupStickyKeysSaved = false;
    bool StartupToggleKeysSaved = false;
    bool StartupFilterKeysSaved = false;
    HHOOK KeyboardHook = nullptr;
    bool AllowShortcutKeysWhenFullscreen = false;
    bool AllowShortcutKeysWhenWindowed = true;
    bool AllowShortcutKeys = false;
    // options
    bool HandleDefaultHotkeys = false;
    bool HandleAltEnter = false;
    bool ShowMsgBoxOnError = true;
    bool NoStats = false;
    bool ClipCursorWhenFullScreen = false;
    bool ShowCursorWhenFullScreen = false;
    bool AutoChangeAdapter = true;
    // progress flags
    bool DXUTInitCalled = false;
    bool DXUTInited = false;
    bool WindowCreateCalled = false;
    bool WindowCreated = false;
    bool WindowCreatedWithDefaultPositions = false;
    bool DeviceCreateCalled = false;
    bool IsDeviceCreated = false;
    bool DeviceObjectsCreated = false;
    bool DeviceObjectsReset = false;
    bool IsDeviceLost = false;
    bool InsideDeviceCallback = false;
    bool InsideMainloop = false;
    bool AppActive = true;
    int ExitCode = 0;
    // overrides: -1 (where it is the default) and 0 mean none; this system parses no command line
    int OverrideAdapterOrdinal = -1;
    bool OverrideWindowed = false;
    bool OverrideFullScreen = false;
    int OverrideStartX = -1;
    int OverrideStartY = -1;
    int OverrideWidth = 0;
    int OverrideHeight = 0;
    bool OverrideForceHAL = false;
    bool OverrideForceREF = false;
    bool OverrideForcePureHWVP = false;
    bool OverrideForceHWVP = false;
    bool OverrideForceSWVP = false;
    bool OverrideConstantFrameTime = false;
    float OverrideConstantTimePerFrame = 0;
    int OverrideQuitAfterFrame = 0;
    int OverrideForceVsync = -1;
    bool OverrideRelaunchMCE = false;
    // callbacks, each with the context handed back as its last argument
    TIsDeviceAcceptableCallback IsDeviceAcceptableFunc = nullptr;
    TModifyDeviceSettingsCallback ModifyDeviceSettingsFunc = nullptr;
    TDeviceCreatedCallback DeviceCreatedFunc = nullptr;
    TDeviceResetCallback DeviceResetFunc = nullptr;
    TDeviceLostCallback DeviceLostFunc = nullptr;
    TDeviceDestroyedCallback DeviceDestroyedFunc = nullptr;
    TFrameMoveCallback FrameMoveFunc = nullptr; // no setter: stays null
    TFrameRenderCallback FrameRenderFunc = nullptr;
    void* IsDeviceAcceptableFuncUserContext = nullptr;
    void* ModifyDeviceSettingsFuncUserContext = nullptr;
    void* DeviceCreatedUserContext = nullptr;
    void* DeviceResetUserContext = nullptr;
    void* DeviceLostUserContext = nullptr;
    void* DeviceDestroyedUserContext = nullptr;
    void* FrameMoveUserContext = nullptr;
    void* FrameRenderUserContext = nullptr;
    // statistics texts
    TStatsText StaticFrameStats{};
    TStatsText FrameStats{};
    TStatsText DeviceStats{};
    TStatsText DeviceTypeText{};
    TStatsText VertexProcessingText{};
    std::array<wchar_t, 64> FPSStats{};
};

// --- the accessor ---------------------------------------------------------------------------------------------

// Reads or writes one field of the record at a time, inside the critical section while locking is on.
// Locking is on from creation until the first device change, which keeps it only for multithreaded devices.
//   auto shown = GetDXUTState().Get(&TDX9State_STATE::ShowMsgBoxOnError);
class TDX9State {
public:
    TDX9State();
    ~TDX9State();
    TDX9State(const TDX9State&) = delete;
    TDX9State& operator=(const TDX9State&) = delete;

    template <class T>
    T Get(T TDX9State_STATE::*Field) const
    {
        TLock lock(*this);
        return state_.*Field;
    }
    template <class T, class V>
    void Set(T TDX9State_STATE::*Field, V&& Value)
    {
        TLock lock(*this);
        state_.*Field = std::forward<V>(Value);
    }

    // A copy of the current settings; empty before the first device.
    std::optional<TDX9DeviceSettings> GetCurrentSettings() const;
    // Installs new current settings (or none) and hands back the previous ones to the caller.
    std::unique_ptr<TDX9DeviceSettings> ExchangeCurrentSettings(std::unique_ptr<TDX9DeviceSettings> Settings);

    static void SetLocking(bool On) { locking_.store(On); }
    static bool Locking() { return locking_.load(); }

private:
    // Leaves only what it entered, even when locking is switched while it is held.
    class TLock {
    public:
        explicit TLock(const TDX9State& s) : cs_(Locking() ? &s.cs_ : nullptr)
        {
            if (cs_) EnterCriticalSection(cs_);
        }
        ~TLock()
        {
            if (cs_) LeaveCriticalSection(cs_);
        }
        TLock(const TLock&) = delete;
        TLock& operator=(const TLock&) = delete;

    private:
        CRITICAL_SECTION* cs_;
    };

    mutable CRITICAL_SECTION cs_;
    TDX9State_STATE state_;
    static std::atomic<bool> locking_;
};

// The one state, created on first use (without a lock: the GUI thread creates it).
TDX9State& GetDXUTState();

// --- services -------------------------------------------------------------------------------------------------

void DXUTSetCallbackDeviceCreated(TDeviceCreatedCallback Callback, void* UserContext = nullptr);
void DXUTSetCallbackDeviceReset(TDeviceResetCallback Callback, void* UserContext = nullptr);
void DXUTSetCallbackDeviceLost(TDeviceLostCallback Callback, void* UserContext = nullptr);
void DXUTSetCallbackDeviceDestroyed(TDeviceDestroyedCallback Callback, void* UserContext = nullptr);
void DXUTSetCallbackFrameRender(TFrameRenderCallback Callback, void* UserContext = nullptr);

// Stores both and applies the cursor set-up.
void DXUTSetCursorSettings(bool ShowCursorWhenFullScreen, bool ClipCursorWhenFullScreen);
// The cursor set-up run after every create and reset: the device cursor and the clip when full screen, no
// clip otherwise.
void DXUTSetupCursor();

// Stores the exit code for Code; shows the code's text in a box when it is a framework code and boxes are on.
void DXUTDisplayErrorMessage(HRESULT Code);
// Each True nests one more pause, each False undoes one; the global timer stops while time is paused.
void DXUTPause(bool PauseTime, bool PauseRendering);

// The system call that reads and writes the accessibility records (SystemParametersInfoW); replaceable so that
// a test can watch what would be written. Null restores the system's. Returns the previous replacement.
using TSystemParametersProc = BOOL(WINAPI*)(UINT Action, UINT Param, PVOID Data, UINT WinIni);
TSystemParametersProc SetSystemParametersProc(TSystemParametersProc Proc);

// Reads the user's sticky-keys, toggle-keys and filter-keys settings into the state, each with its Saved flag.
void DXUTSaveStartupKeys();
// Allow: writes the saved settings back and removes the keyboard hook. Forbid: hooks out the Windows keys and
// switches off the accessibility hot keys that are not in use.
void DXUTAllowShortcutKeys(bool Allow);

// Copies of the current settings or their presentation parameters; zero-filled without a device.
TDX9DeviceSettings DXUTGetDeviceSettings();
D3DPRESENT_PARAMETERS DXUTGetPresentParameters();
bool DXUTIsWindowed();
// Added references (empty when absent).
ComPtr<IDirect3DDevice9> DXUTGetD3DDevice();
ComPtr<IDirect3D9> DXUTGetD3DObject();
// The device window of the current mode.
HWND DXUTGetHWND();
