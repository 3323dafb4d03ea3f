#pragma once
// Support routines shared by the Direct3D framework and the main window.
//
// Sections: freeing; result-code tracing; small helpers; global timer and resource cache;
// run-time loaders of system libraries that may be missing; monitor helpers; media centre.
#include "Common/core/D3DFormatInfo.h"
#include "Common/core/Dev_StrSafe.h"
#include "Common/core/XelTimer.h"
#include "classlib/ComPtr.h"

#include <windows.h>
#include <d3d9.h>

#include <cstring>
#include <type_traits>
#include <vector>

struct ID3DXFont;
struct ID3DXEffect;

// --- freeing --------------------------------------------------------------------------------------------------

// Empties the variable before the object dies, so nothing reached from the destructor sees a dangling pointer.
template <class T>
void SafeFree(T*& Object)
{
    T* doomed = Object;
    Object = nullptr;
    delete doomed;
}

// --- result-code tracing --------------------------------------------------------------------------------------

// The trace entry of the DirectX error library (DXTraceW): file, line, result, message, show box.
using TDXTraceProc = HRESULT(WINAPI*)(const char* File, DWORD Line, HRESULT Result, const WCHAR* Message, BOOL ShowBox);

// Hands the values to the error library (loaded at run time on first use) and returns its result; without the
// library nothing is traced and Result comes back. The box is asked for only when ShowBox is set and the
// framework's ShowMsgBoxOnError is on.
HRESULT TraceHResult(const char* File, DWORD Line, HRESULT Result, const WCHAR* Message, bool ShowBox);
// The framework passes no file and line -1.
HRESULT TraceError(const WCHAR* Message, HRESULT Result, const char* File = nullptr, DWORD Line = DWORD(-1));
HRESULT TraceErrorBox(const WCHAR* Message, HRESULT Result, const char* File = nullptr, DWORD Line = DWORD(-1));
// True exactly for failure codes, which it traces as "DXUTxxx", line -1, the code as 8 upper-case hex digits.
bool CheckHResult(HRESULT Result);
inline void IgnoreHResult(HRESULT) {}

// Replaces the error library's entry for the trace routines (null: back to the library). Returns the previous
// replacement. Lets a program or a test see the traces where the library is absent.
TDXTraceProc SetDXTraceProc(TDXTraceProc Proc);

// --- small helpers --------------------------------------------------------------------------------------------

// Formats as StringCchPrintfW does into a 512-character buffer (a longer text is cut to fit, a bad format leaves it
// empty) and sends the text to the debugger output.
template <class... TArgs>
void OutputDebugStringFmt(const wchar_t* Format, const TArgs&... Args)
{
    wchar_t text[512];
    StringCchPrintfW(text, 512, Format, Args...);
    OutputDebugStringW(text);
}

// True when some element equals Item byte for byte.
template <class T>
bool ArrayContains(const std::vector<T>& Array, const T& Item)
{
    static_assert(std::is_trivially_copyable_v<T>);
    for (const T& element : Array)
        if (std::memcmp(&element, &Item, sizeof(T)) == 0) return true;
    return false;
}

// --- global timer and resource cache --------------------------------------------------------------------------

// The program's timer on the performance counter, created on first use.
TXEL_Timer& GetGlobalTimer();

struct TDX9CacheTexture {
    D3DPOOL Pool = D3DPOOL_MANAGED;
    ComPtr<IDirect3DBaseTexture9> Texture;
};
struct TDX9CacheFont {
    ComPtr<ID3DXFont> Font;
};
struct TDX9CacheEffect {
    ComPtr<ID3DXEffect> Effect;
};

// Cached Direct3D resources told about every device event. Nothing in this system adds to it, so it only
// passes the events over empty lists.
class CDX9ResourceCache {
public:
    CDX9ResourceCache();
    ~CDX9ResourceCache();
    CDX9ResourceCache(const CDX9ResourceCache&) = delete;
    CDX9ResourceCache& operator=(const CDX9ResourceCache&) = delete;

    HRESULT OnCreateDevice(IDirect3DDevice9* Device);
    HRESULT OnResetDevice(IDirect3DDevice9* Device);
    // Fonts and effects hear of the loss; textures in the default pool are released and dropped.
    HRESULT OnLostDevice();
    // Everything is released and the lists emptied.
    HRESULT OnDestroyDevice();

    std::vector<TDX9CacheTexture> TextureCache;
    std::vector<TDX9CacheFont> FontCache;
    std::vector<TDX9CacheEffect> EffectCache;
};

CDX9ResourceCache& GetGlobalResourceCache();

// --- run-time loaders -----------------------------------------------------------------------------------------

// Loads the system folder's d3d9.dll once and looks up Direct3DCreate9 and the D3DPERF entries. The module
// stays loaded for the life of the process: objects made from it may outlive every static destructor.
bool LoadD3D9Library();
// The Direct3D object from the loaded library; empty when the library or its entry is missing.
ComPtr<IDirect3D9> DynamicDirect3DCreate9(UINT SDKVersion);
// Turns controller input on or off through xinput1_3.dll's XInputEnable when the library has it.
void EnableXInput(bool Enable);

// --- monitor helpers ------------------------------------------------------------------------------------------

// The monitor handle that stands for the primary monitor where the system has no monitor functions.
inline const HMONITOR kPrimaryMonitorStandIn = reinterpret_cast<HMONITOR>(static_cast<ULONG_PTR>(0x12340042));

bool GetMonitorInfoSafe(HMONITOR Monitor, MONITORINFO* Info);
HMONITOR MonitorFromWindowSafe(HWND Window, DWORD Flags);

// --- media centre ---------------------------------------------------------------------------------------------

// On a Media Center edition, starts its shell; True when the shell reports success.
bool ReLaunchMediaCenter();
