#include "Common/Dev_misc.h"

#include "Common/Dev_State.h"

#include <d3dx9.h>
#include <shellapi.h>

#include <string>
#include <utility>

// Sections: result-code tracing; global timer and resource cache; run-time loaders; monitor
// helpers; media centre.

namespace {

// The full path of a DLL in the system folder; empty when the folder cannot be read.
std::wstring SystemLibraryPath(const wchar_t* Name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length) + L"\\" + Name;
}

template <class TProc>
TProc Entry(HMODULE Module, const char* Name)
{
    return Module ? reinterpret_cast<TProc>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

// --- result-code tracing --------------------------------------------------------------------------------------

TDXTraceProc gTraceOverride = nullptr;

TDXTraceProc LibraryTraceProc()
{
    // Looked up once; the library is absent on most systems (and under Wine), which leaves the entry null.
    static const TDXTraceProc proc = Entry<TDXTraceProc>(LoadLibraryW(L"dxerr9ab.dll"), "DXTraceW");
    return proc;
}

} // namespace

TDXTraceProc SetDXTraceProc(TDXTraceProc Proc) { return std::exchange(gTraceOverride, Proc); }

HRESULT TraceHResult(const char* File, DWORD Line, HRESULT Result, const WCHAR* Message, bool ShowBox)
{
    const TDXTraceProc proc = gTraceOverride ? gTraceOverride : LibraryTraceProc();
    if (proc == nullptr) return Result;
    const bool box = ShowBox && GetDXUTState().Get(&TDX9State_STATE::ShowMsgBoxOnError);
    return proc(File, Line, Result, Message, box ? TRUE : FALSE);
}

HRESULT TraceError(const WCHAR* Message, HRESULT Result, const char* File, DWORD Line)
{
    return TraceHResult(File, Line, Result, Message, false);
}

HRESULT TraceErrorBox(const WCHAR* Message, HRESULT Result, const char* File, DWORD Line)
{
    return TraceHResult(File, Line, Result, Message, true);
}

bool CheckHResult(HRESULT Result)
{
    if (Result >= 0) return false;
    wchar_t text[16];
    StringCchPrintfW(text, 16, L"%.8x", static_cast<unsigned long>(Result));
    TraceHResult("DXUTxxx", DWORD(-1), Result, text, true);
    return true;
}

// --- global timer and resource cache --------------------------------------------------------------------------

TXEL_Timer& GetGlobalTimer()
{
    static TXEL_Timer timer(
        [] {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            return static_cast<std::int64_t>(now.QuadPart);
        },
        [] {
            LARGE_INTEGER frequency;
            QueryPerformanceFrequency(&frequency);
            return static_cast<std::int64_t>(frequency.QuadPart);
        }());
    return timer;
}

CDX9ResourceCache::CDX9ResourceCache() = default;
CDX9ResourceCache::~CDX9ResourceCache() { OnDestroyDevice(); }

HRESULT CDX9ResourceCache::OnCreateDevice(IDirect3DDevice9*) { return S_OK; }

HRESULT CDX9ResourceCache::OnResetDevice(IDirect3DDevice9*)
{
    for (TDX9CacheFont& entry : FontCache)
        if (entry.Font) entry.Font->OnResetDevice();
    for (TDX9CacheEffect& entry : EffectCache)
        if (entry.Effect) entry.Effect->OnResetDevice();
    return S_OK;
}

HRESULT CDX9ResourceCache::OnLostDevice()
{
    for (TDX9CacheFont& entry : FontCache)
        if (entry.Font) entry.Font->OnLostDevice();
    for (TDX9CacheEffect& entry : EffectCache)
        if (entry.Effect) entry.Effect->OnLostDevice();
    std::erase_if(TextureCache, [](const TDX9CacheTexture& entry) { return entry.Pool == D3DPOOL_DEFAULT; });
    return S_OK;
}

HRESULT CDX9ResourceCache::OnDestroyDevice()
{
    TextureCache.clear();
    FontCache.clear();
    EffectCache.clear();
    return S_OK;
}

CDX9ResourceCache& GetGlobalResourceCache()
{
    static CDX9ResourceCache cache;
    return cache;
}

// --- run-time loaders -----------------------------------------------------------------------------------------

namespace {

using TDirect3DCreate9 = IDirect3D9*(WINAPI*)(UINT);

// Entry points of d3d9.dll, set once by LoadD3D9Library. The D3DPERF entries are looked up for completeness of
// the loader; nothing in this system calls them.
struct TD3D9Library {
    HMODULE Module = nullptr;
    TDirect3DCreate9 Create = nullptr;
    FARPROC PerfEntries[7] = {};
};

TD3D9Library gD3D9;

} // namespace

bool LoadD3D9Library()
{
    if (gD3D9.Module) return true;
    const std::wstring path = SystemLibraryPath(L"d3d9.dll");
    if (path.empty()) return false;
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) return false;
    static const char* const kPerfNames[7] = {"D3DPERF_BeginEvent", "D3DPERF_EndEvent",         "D3DPERF_SetMarker",
                                              "D3DPERF_SetRegion",  "D3DPERF_QueryRepeatFrame", "D3DPERF_SetOptions",
                                              "D3DPERF_GetStatus"};
    gD3D9.Create = Entry<TDirect3DCreate9>(module, "Direct3DCreate9");
    for (int i = 0; i < 7; ++i) gD3D9.PerfEntries[i] = GetProcAddress(module, kPerfNames[i]);
    gD3D9.Module = module;
    return true;
}

ComPtr<IDirect3D9> DynamicDirect3DCreate9(UINT SDKVersion)
{
    if (!LoadD3D9Library() || gD3D9.Create == nullptr) return {};
    return ComPtr<IDirect3D9>::Attach(gD3D9.Create(SDKVersion));
}

void EnableXInput(bool Enable)
{
    using TXInputEnable = void(WINAPI*)(BOOL);
    static const TXInputEnable proc = [] {
        const std::wstring path = SystemLibraryPath(L"xinput1_3.dll");
        return path.empty() ? nullptr : Entry<TXInputEnable>(LoadLibraryW(path.c_str()), "XInputEnable");
    }();
    if (proc) proc(Enable ? TRUE : FALSE);
}

// --- monitor helpers ------------------------------------------------------------------------------------------

bool GetMonitorInfoSafe(HMONITOR Monitor, MONITORINFO* Info)
{
    using TGetMonitorInfo = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
    static const TGetMonitorInfo proc = [] {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof version;
        const bool nt = GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
        return Entry<TGetMonitorInfo>(GetModuleHandleW(L"USER32"), nt ? "GetMonitorInfoW" : "GetMonitorInfoA");
    }();
    if (proc) return proc(Monitor, Info) != FALSE;
    if (Monitor != kPrimaryMonitorStandIn || Info == nullptr || Info->cbSize < sizeof(MONITORINFO)) return false;
    Info->rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &Info->rcWork, 0);
    Info->dwFlags = MONITORINFOF_PRIMARY;
    return true;
}

HMONITOR MonitorFromWindowSafe(HWND Window, DWORD Flags)
{
    using TMonitorFromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
    static const TMonitorFromWindow proc = Entry<TMonitorFromWindow>(GetModuleHandleW(L"USER32"), "MonitorFromWindow");
    if (proc) return proc(Window, Flags);
    return (Flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST)) ? kPrimaryMonitorStandIn : nullptr;
}

// --- media centre ---------------------------------------------------------------------------------------------

bool ReLaunchMediaCenter()
{
    if (GetSystemMetrics(SM_MEDIACENTER) == 0) return false;
    wchar_t path[MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsW(L"%SystemRoot%\\ehome\\ehshell.exe", path, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return false;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}
