#include "Common/Dev_DeviceCursor.h"
#include "Common/Dev_State.h"
#include "Common/Dev_misc.h"
#include "tests/Common/D3DTestWindow.h"

#include <d3dx9.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::CreateD3D;
using testsupport::THiddenWindow;

// --- tracing --------------------------------------------------------------------------------------------------

struct TTrace {
    std::string File;
    DWORD Line;
    HRESULT Result;
    std::wstring Message;
    BOOL ShowBox;
};
std::vector<TTrace> gTraces;

HRESULT WINAPI RecordTrace(const char* file, DWORD line, HRESULT result, const WCHAR* message, BOOL box)
{
    gTraces.push_back({file ? file : "", line, result, message ? message : L"", box});
    return result;
}

class Tracing : public ::testing::Test {
protected:
    void SetUp() override
    {
        gTraces.clear();
        SetDXTraceProc(RecordTrace);
    }
    void TearDown() override
    {
        SetDXTraceProc(nullptr);
        GetDXUTState().Set(&TDX9State_STATE::ShowMsgBoxOnError, true);
    }
};

TEST_F(Tracing, CheckHResultTracesFailuresOnly)
{
    struct TRow {
        HRESULT Code;
        bool Failed;
        const wchar_t* Message;
    };
    const TRow rows[] = {
        {S_OK, false, nullptr},
        {S_FALSE, false, nullptr},
        {E_FAIL, true, L"80004005"},
        {static_cast<HRESULT>(0x8876086Cu), true, L"8876086C"},
        {static_cast<HRESULT>(0x80000000u), true, L"80000000"},
    };
    GetDXUTState().Set(&TDX9State_STATE::ShowMsgBoxOnError, false);
    for (const TRow& row : rows) {
        gTraces.clear();
        EXPECT_EQ(CheckHResult(row.Code), row.Failed) << std::hex << row.Code;
        ASSERT_EQ(gTraces.size(), row.Failed ? 1u : 0u);
        if (!row.Failed) continue;
        EXPECT_EQ(gTraces[0].File, "DXUTxxx");
        EXPECT_EQ(gTraces[0].Line, DWORD(-1));
        EXPECT_EQ(gTraces[0].Result, row.Code);
        EXPECT_EQ(gTraces[0].Message, row.Message);
    }
}

TEST_F(Tracing, BoxOnlyWhenAskedAndSwitchedOn)
{
    struct TRow {
        bool Switch;
        bool Box; // TraceErrorBox rather than TraceError
        BOOL Expected;
    };
    const TRow rows[] = {{true, true, TRUE}, {false, true, FALSE}, {true, false, FALSE}, {false, false, FALSE}};
    for (const TRow& row : rows) {
        gTraces.clear();
        GetDXUTState().Set(&TDX9State_STATE::ShowMsgBoxOnError, row.Switch);
        const HRESULT r = row.Box ? TraceErrorBox(L"DXUTSetWindow", E_INVALIDARG) : TraceError(L"Reset", E_FAIL);
        EXPECT_EQ(r, row.Box ? E_INVALIDARG : E_FAIL);
        ASSERT_EQ(gTraces.size(), 1u);
        EXPECT_EQ(gTraces[0].ShowBox, row.Expected);
        EXPECT_EQ(gTraces[0].File, "") << "the framework passes no file";
        EXPECT_EQ(gTraces[0].Line, DWORD(-1));
    }
}

TEST(TraceWithoutLibrary, ReturnsTheCodeItself)
{
    // dxerr9ab.dll does not exist under Wine.
    EXPECT_EQ(TraceError(L"CreateDevice", E_OUTOFMEMORY), E_OUTOFMEMORY);
    EXPECT_EQ(TraceErrorBox(L"CreateDevice", kDXUTErrCreatingDevice), kDXUTErrCreatingDevice);
}

// --- small helpers --------------------------------------------------------------------------------------------

TEST(Misc, ArrayContainsComparesBytes)
{
    const std::vector<D3DDISPLAYMODE> modes{{640, 480, 60, D3DFMT_X8R8G8B8}, {800, 600, 75, D3DFMT_R5G6B5}};
    EXPECT_TRUE(ArrayContains(modes, D3DDISPLAYMODE{800, 600, 75, D3DFMT_R5G6B5}));
    EXPECT_FALSE(ArrayContains(modes, D3DDISPLAYMODE{800, 600, 60, D3DFMT_R5G6B5}));
    EXPECT_FALSE(ArrayContains(std::vector<DWORD>{}, DWORD(0)));
    EXPECT_TRUE(ArrayContains(std::vector<DWORD>{1, 2, 0x80000000}, DWORD(0x80000000)));
}

TEST(Misc, ResourceCacheDropsDefaultPoolTexturesOnLoss)
{
    CDX9ResourceCache cache;
    EXPECT_EQ(cache.OnCreateDevice(nullptr), S_OK);
    for (D3DPOOL pool : {D3DPOOL_DEFAULT, D3DPOOL_MANAGED, D3DPOOL_DEFAULT, D3DPOOL_SYSTEMMEM})
        cache.TextureCache.push_back({pool, {}});
    cache.FontCache.emplace_back();
    cache.EffectCache.emplace_back();
    EXPECT_EQ(cache.OnLostDevice(), S_OK);
    ASSERT_EQ(cache.TextureCache.size(), 2u);
    EXPECT_EQ(cache.TextureCache[0].Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(cache.OnResetDevice(nullptr), S_OK);
    EXPECT_EQ(cache.OnDestroyDevice(), S_OK);
    EXPECT_TRUE(cache.TextureCache.empty() && cache.FontCache.empty() && cache.EffectCache.empty());
    EXPECT_EQ(&GetGlobalResourceCache(), &GetGlobalResourceCache());
}

TEST(Misc, GlobalTimerRunsOnThePerformanceCounter)
{
    TXEL_Timer& timer = GetGlobalTimer();
    EXPECT_EQ(&timer, &GetGlobalTimer());
    EXPECT_GT(timer.TicksPerSecond, 0);
    timer.Reset();
    const std::int64_t start = timer.GetAdjustedCurrentTime();
    Sleep(2);
    double time = 0, absolute = 0;
    float elapsed = 0;
    timer.GetTimeValues(time, absolute, elapsed);
    EXPECT_GT(time, 0.0);
    EXPECT_GT(elapsed, 0.0f);
    EXPECT_GE(absolute, static_cast<double>(start) / timer.TicksPerSecond);
}

// --- loaders and platform helpers -----------------------------------------------------------------------------

TEST(Misc, LoadsDirect3DAtRunTime)
{
    EXPECT_TRUE(LoadD3D9Library());
    EXPECT_TRUE(LoadD3D9Library());
    ComPtr<IDirect3D9> d3d = DynamicDirect3DCreate9(D3D_SDK_VERSION);
    ASSERT_TRUE(d3d);
    EXPECT_GE(d3d->GetAdapterCount(), 1u);
    EnableXInput(false);
    EnableXInput(true);
    EXPECT_FALSE(ReLaunchMediaCenter()) << "not a Media Center edition";
}

TEST(Misc, MonitorHelpersDescribeThePrimaryScreen)
{
    THiddenWindow window;
    const HMONITOR monitor = MonitorFromWindowSafe(window.Handle, MONITOR_DEFAULTTOPRIMARY);
    ASSERT_NE(monitor, nullptr);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoSafe(monitor, &info));
    EXPECT_EQ(info.rcMonitor.right - info.rcMonitor.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.rcMonitor.bottom - info.rcMonitor.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(info.dwFlags & MONITORINFOF_PRIMARY);
}

// --- device cursor --------------------------------------------------------------------------------------------

TEST(DeviceCursor, MaskAndColourToArgb)
{
    struct TRow {
        DWORD And, Xor, Color;
        bool HasColor;
        DWORD Expected;
    };
    const TRow rows[] = {
        {0xFFFFFF, 0x000000, 0, false, 0x00000000}, // transparent
        {0x000000, 0x000000, 0, false, 0xFF000000}, // black
        {0x000000, 0xFFFFFF, 0, false, 0xFFFFFFFF}, // white
        {0xFFFFFF, 0xFFFFFF, 0, false, 0xFFFFFFFF}, // inverted screen shown as white
        {0x000000, 0, 0x123456, true, 0xFF123456},  // colour pixel
        {0xFFFFFF, 0, 0x000000, true, 0x00000000},  // transparent colour pixel
    };
    for (const TRow& row : rows) {
        DWORD out = 0xDEADBEEF;
        CursorToArgb(&row.And, &row.Xor, row.HasColor ? &row.Color : nullptr, 1, &out);
        EXPECT_EQ(out, row.Expected) << std::hex << row.And << ' ' << row.Xor << ' ' << row.Color;
    }
}

TEST(DeviceCursor, ArrowBecomesTheDeviceCursor)
{
    THiddenWindow window;
    ComPtr<IDirect3D9> d3d = CreateD3D();
    ASSERT_TRUE(d3d);
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.BackBufferFormat = D3DFMT_UNKNOWN;
    pp.hDeviceWindow = window.Handle;
    ComPtr<IDirect3DDevice9> device;
    ASSERT_EQ(
        d3d->CreateDevice(0, D3DDEVTYPE_HAL, window.Handle, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, device.Out()),
        D3D_OK);
    EXPECT_EQ(SetDeviceCursor(device.Get(), LoadCursor(nullptr, IDC_ARROW)), D3D_OK);
    EXPECT_EQ(SetDeviceCursor(device.Get(), nullptr), E_INVALIDARG);
    EXPECT_EQ(SetDeviceCursor(nullptr, LoadCursor(nullptr, IDC_ARROW)), E_INVALIDARG);
}

// --- format names ---------------------------------------------------------------------------------------------

TEST(Misc, EveryFormatName)
{
    // clang-format off
#define FORMAT_ROW(name) {D3DFMT_##name, L"D3DFMT_" L## #name}
    // clang-format on
    const std::pair<D3DFORMAT, const wchar_t*> rows[] = {
        FORMAT_ROW(UNKNOWN),      FORMAT_ROW(R8G8B8),       FORMAT_ROW(A8R8G8B8),      FORMAT_ROW(X8R8G8B8),
        FORMAT_ROW(R5G6B5),       FORMAT_ROW(X1R5G5B5),     FORMAT_ROW(A1R5G5B5),      FORMAT_ROW(A4R4G4B4),
        FORMAT_ROW(R3G3B2),       FORMAT_ROW(A8),           FORMAT_ROW(A8R3G3B2),      FORMAT_ROW(X4R4G4B4),
        FORMAT_ROW(A2B10G10R10),  FORMAT_ROW(A8B8G8R8),     FORMAT_ROW(X8B8G8R8),      FORMAT_ROW(G16R16),
        FORMAT_ROW(A2R10G10B10),  FORMAT_ROW(A16B16G16R16), FORMAT_ROW(A8P8),          FORMAT_ROW(P8),
        FORMAT_ROW(L8),           FORMAT_ROW(A8L8),         FORMAT_ROW(A4L4),          FORMAT_ROW(V8U8),
        FORMAT_ROW(L6V5U5),       FORMAT_ROW(X8L8V8U8),     FORMAT_ROW(Q8W8V8U8),      FORMAT_ROW(V16U16),
        FORMAT_ROW(A2W10V10U10),  FORMAT_ROW(UYVY),         FORMAT_ROW(YUY2),          FORMAT_ROW(DXT1),
        FORMAT_ROW(DXT2),         FORMAT_ROW(DXT3),         FORMAT_ROW(DXT4),          FORMAT_ROW(DXT5),
        FORMAT_ROW(D16_LOCKABLE), FORMAT_ROW(D32),          FORMAT_ROW(D15S1),         FORMAT_ROW(D24S8),
        FORMAT_ROW(D24X8),        FORMAT_ROW(D24X4S4),      FORMAT_ROW(D16),           FORMAT_ROW(L16),
        FORMAT_ROW(VERTEXDATA),   FORMAT_ROW(INDEX16),      FORMAT_ROW(INDEX32),       FORMAT_ROW(Q16W16V16U16),
        FORMAT_ROW(MULTI2_ARGB8), FORMAT_ROW(R16F),         FORMAT_ROW(G16R16F),       FORMAT_ROW(A16B16G16R16F),
        FORMAT_ROW(R32F),         FORMAT_ROW(G32R32F),      FORMAT_ROW(A32B32G32R32F), FORMAT_ROW(CxV8U8),
    };
#undef FORMAT_ROW
    static_assert(sizeof rows / sizeof rows[0] == 56);
    for (const auto& [format, name] : rows) {
        EXPECT_EQ(D3DFormatToString(format, true), name);
        EXPECT_EQ(D3DFormatToString(format, false), std::wstring(name).substr(7));
    }
    // Neighbours of the table's values that Direct3D 9 also defines are not named.
    for (D3DFORMAT other : {D3DFMT_D32F_LOCKABLE, D3DFMT_D24FS8, D3DFMT_A1, D3DFMT_BINARYBUFFER})
        EXPECT_EQ(D3DFormatToString(other, true), L"Unknown format") << other;
}

} // namespace
