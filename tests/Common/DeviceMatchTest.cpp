#include "Common/Dev_DeviceMatch.h"
#include "tests/Common/SyntheticCatalogue.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::Mode;
using testsupport::TComboSpec;
using testsupport::TSyntheticCatalogue;
using M = TDX9MatchType;

constexpr DWORD kHWVP = D3DCREATE_HARDWARE_VERTEXPROCESSING;
constexpr DWORD kSWVP = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
constexpr DWORD kMixedVP = D3DCREATE_MIXED_VERTEXPROCESSING;
constexpr DWORD kPure = D3DCREATE_PUREDEVICE;
constexpr DWORD kImmediate = D3DPRESENT_INTERVAL_IMMEDIATE;

// One adapter with a 1280x1024 X8R8G8B8 desktop at 60 Hz, a HAL device with hardware T&L and a REF device
// without; both offer windowed and full-screen X8R8G8B8/A8R8G8B8 combinations.
struct TStandardCatalogue : TSyntheticCatalogue {
    TStandardCatalogue()
    {
        CD3DEnumAdapterInfo& adapter =
            AddAdapter(0, Mode(1280, 1024, 60),
                       {Mode(640, 480, 60), Mode(640, 480, 75), Mode(800, 600, 60, D3DFMT_R5G6B5), Mode(1024, 768, 60),
                        Mode(1280, 1024, 60), Mode(1280, 1024, 85)});
        AddStandardCombos(adapter, AddDevice(adapter, D3DDEVTYPE_HAL, true));
        AddStandardCombos(adapter, AddDevice(adapter, D3DDEVTYPE_REF, false));
    }
};

// The preference the program's device creation makes: adapter 0, windowed, the screen size.
TDX9DeviceSettings CreationInput()
{
    TDX9DeviceSettings in{};
    in.pp.Windowed = kD3DTrue;
    in.pp.BackBufferWidth = 1280;
    in.pp.BackBufferHeight = 1024;
    return in;
}

struct TMatchRow {
    const char* Name;
    std::function<void(TDX9DeviceSettings& in, TDX9MatchOptions& options)> Prepare;
    HRESULT Result;
    std::function<void(const TDX9DeviceSettings& out)> Check;
};

template <std::size_t N>
void RunRows(const TSyntheticCatalogue& catalogue, const TMatchRow (&rows)[N])
{
    for (const TMatchRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TDX9DeviceSettings in = CreationInput();
        TDX9MatchOptions options;
        row.Prepare(in, options);
        TDX9DeviceSettings out{};
        out.AdapterOrdinal = 0xDEAD;
        ASSERT_EQ(catalogue.Find(out, &in, &options), row.Result);
        if (row.Result == S_OK)
            row.Check(out);
        else
            EXPECT_EQ(out.AdapterOrdinal, 0xDEADu) << "a failed match must not touch the output";
    }
}

const auto kNoCheck = [](const TDX9DeviceSettings&) {};

TEST(DeviceMatch, AllIgnoredGivesTheFrameworkDefaults)
{
    TStandardCatalogue catalogue;
    TDX9DeviceSettings out{};
    ASSERT_EQ(catalogue.Find(out, nullptr, nullptr), S_OK);
    EXPECT_EQ(out.AdapterOrdinal, 0u);
    EXPECT_EQ(out.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(out.AdapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(out.BehaviorFlags, kHWVP);
    EXPECT_EQ(out.pp.Windowed, kD3DTrue);
    EXPECT_EQ(out.pp.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(out.pp.BackBufferWidth, 640u);
    EXPECT_EQ(out.pp.BackBufferHeight, 480u);
    EXPECT_EQ(out.pp.BackBufferCount, 2u);
    EXPECT_EQ(out.pp.MultiSampleType, D3DMULTISAMPLE_NONE);
    EXPECT_EQ(out.pp.MultiSampleQuality, 0u);
    EXPECT_EQ(out.pp.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(out.pp.EnableAutoDepthStencil, kD3DTrue);
    EXPECT_EQ(out.pp.AutoDepthStencilFormat, D3DFMT_D32); // 32 depth bits = 4 x 8 colour bits, no stencil
    EXPECT_EQ(out.pp.Flags, DWORD(D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL));
    EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(out.pp.PresentationInterval, 0u);
    EXPECT_EQ(out.pp.hDeviceWindow, catalogue.WindowedWindow);
}

TEST(DeviceMatch, DeviceTypeAndAdapter)
{
    TStandardCatalogue catalogue;
    const TMatchRow rows[] = {
        {"creation options prefer HAL over REF",
         [](auto&, auto& o) {
             o.AdapterOrdinal = M::PreserveInput;
             o.Windowed = M::PreserveInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.DeviceType, D3DDEVTYPE_HAL); }},
        {"REF preserved",
         [](auto& in, auto& o) {
             in.DeviceType = D3DDEVTYPE_REF;
             o.DeviceType = M::PreserveInput;
         },
         S_OK,
         [](auto& out) {
             EXPECT_EQ(out.DeviceType, D3DDEVTYPE_REF);
             EXPECT_EQ(out.BehaviorFlags, kSWVP); // no hardware T&L on REF
         }},
        {"REF closest",
         [](auto& in, auto& o) {
             in.DeviceType = D3DDEVTYPE_REF;
             o.DeviceType = M::ClosestToInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.DeviceType, D3DDEVTYPE_REF); }},
        {"SW preserved but absent",
         [](auto& in, auto& o) {
             in.DeviceType = D3DDEVTYPE_SW;
             o.DeviceType = M::PreserveInput;
         },
         kDXUTErrNoCompatibleDevices, kNoCheck},
        {"adapter 3 preserved but absent",
         [](auto& in, auto& o) {
             in.AdapterOrdinal = 3;
             o.AdapterOrdinal = M::PreserveInput;
         },
         kDXUTErrNoCompatibleDevices, kNoCheck},
        {"adapter 3 closest falls back",
         [](auto& in, auto& o) {
             in.AdapterOrdinal = 3;
             o.AdapterOrdinal = M::ClosestToInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.AdapterOrdinal, 0u); }},
    };
    RunRows(catalogue, rows);
}

TEST(DeviceMatch, SecondAdapterIsChosenByOrdinal)
{
    TSyntheticCatalogue catalogue;
    for (UINT ordinal : {0u, 1u}) {
        CD3DEnumAdapterInfo& adapter = catalogue.AddAdapter(ordinal, Mode(1280, 1024, 60), {Mode(1280, 1024, 60)});
        catalogue.AddStandardCombos(adapter, catalogue.AddDevice(adapter, D3DDEVTYPE_HAL, true));
    }
    const TMatchRow rows[] = {
        {"ignored", [](auto&, auto&) {}, S_OK, [](auto& out) { EXPECT_EQ(out.AdapterOrdinal, 0u); }},
        {"preserved",
         [](auto& in, auto& o) {
             in.AdapterOrdinal = 1;
             o.AdapterOrdinal = M::PreserveInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.AdapterOrdinal, 1u); }},
        {"closest",
         [](auto& in, auto& o) {
             in.AdapterOrdinal = 1;
             o.AdapterOrdinal = M::ClosestToInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.AdapterOrdinal, 1u); }},
    };
    RunRows(catalogue, rows);
}

TEST(DeviceMatch, WindowedAndResolution)
{
    TStandardCatalogue catalogue;
    RunRows(catalogue,
            {
                {"full screen preserved, size ignored: the desktop",
                 [](auto& in, auto& o) {
                     in.pp.Windowed = FALSE;
                     o.Windowed = M::PreserveInput;
                 },
                 S_OK,
                 [&](auto& out) {
                     EXPECT_EQ(out.pp.Windowed, FALSE);
                     EXPECT_EQ(out.pp.BackBufferWidth, 1280u);
                     EXPECT_EQ(out.pp.BackBufferHeight, 1024u);
                     EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 60u); // the desktop's rate
                     EXPECT_EQ(out.pp.hDeviceWindow, catalogue.FullScreenWindow);
                 }},
                {"windowed closest keeps a size no mode has",
                 [](auto& in, auto& o) {
                     in.pp.BackBufferWidth = 1920;
                     in.pp.BackBufferHeight = 1080;
                     o.Windowed = M::PreserveInput;
                     o.Resolution = M::ClosestToInput;
                 },
                 S_OK,
                 [](auto& out) {
                     EXPECT_EQ(out.pp.BackBufferWidth, 1920u);
                     EXPECT_EQ(out.pp.BackBufferHeight, 1080u);
                 }},
                {"windowed preserve needs a display mode of that size",
                 [](auto& in, auto& o) {
                     in.pp.BackBufferWidth = 1920;
                     in.pp.BackBufferHeight = 1080;
                     o.Resolution = M::PreserveInput;
                 },
                 kDXUTErrNoCompatibleDevices, kNoCheck},
                {"windowed preserve of an existing size",
                 [](auto& in, auto& o) {
                     in.pp.BackBufferWidth = 1024;
                     in.pp.BackBufferHeight = 768;
                     o.Resolution = M::PreserveInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.BackBufferWidth, 1024u); }},
                {"full screen closest snaps to the nearest mode of the adapter format",
                 [](auto& in, auto& o) {
                     in.pp.Windowed = FALSE;
                     in.pp.BackBufferWidth = 820; // 800x600 exists only in R5G6B5
                     in.pp.BackBufferHeight = 610;
                     o.Windowed = M::PreserveInput;
                     o.Resolution = M::ClosestToInput;
                 },
                 S_OK,
                 [](auto& out) {
                     EXPECT_EQ(out.pp.BackBufferWidth, 640u); // |180|+|130| beats 1024x768's |204|+|158|
                     EXPECT_EQ(out.pp.BackBufferHeight, 480u);
                     EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 60u);
                 }},
                {"windowed ignored size is 640x480", [](auto&, auto& o) { o.Windowed = M::PreserveInput; }, S_OK,
                 [](auto& out) {
                     EXPECT_EQ(out.pp.BackBufferWidth, 640u);
                     EXPECT_EQ(out.pp.BackBufferHeight, 480u);
                 }},
            });
}

TEST(DeviceMatch, FormatsAndVertexProcessing)
{
    TStandardCatalogue catalogue;
    const TMatchRow rows[] = {
        {"back buffer A8R8G8B8 preserved",
         [](auto& in, auto& o) {
             in.pp.BackBufferFormat = D3DFMT_A8R8G8B8;
             o.BackBufferFormat = M::PreserveInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.pp.BackBufferFormat, D3DFMT_A8R8G8B8); }},
        {"back buffer A8R8G8B8 closest",
         [](auto& in, auto& o) {
             in.pp.BackBufferFormat = D3DFMT_A8R8G8B8;
             o.BackBufferFormat = M::ClosestToInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.pp.BackBufferFormat, D3DFMT_A8R8G8B8); }},
        {"back buffer R5G6B5 closest falls back",
         [](auto& in, auto& o) {
             in.pp.BackBufferFormat = D3DFMT_R5G6B5;
             o.BackBufferFormat = M::ClosestToInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.pp.BackBufferFormat, D3DFMT_X8R8G8B8); }},
        {"back buffer R5G6B5 preserved",
         [](auto& in, auto& o) {
             in.pp.BackBufferFormat = D3DFMT_R5G6B5;
             o.BackBufferFormat = M::PreserveInput;
         },
         kDXUTErrNoCompatibleDevices, kNoCheck},
        {"adapter format R5G6B5 preserved",
         [](auto& in, auto& o) {
             in.AdapterFormat = D3DFMT_R5G6B5;
             o.AdapterFormat = M::PreserveInput;
         },
         kDXUTErrNoCompatibleDevices, kNoCheck},
        {"adapter format X8R8G8B8 preserved",
         [](auto& in, auto& o) {
             in.AdapterFormat = D3DFMT_X8R8G8B8;
             o.AdapterFormat = M::PreserveInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.AdapterFormat, D3DFMT_X8R8G8B8); }},
        {"vertex processing preserved",
         [](auto& in, auto& o) {
             in.BehaviorFlags = kMixedVP | kPure;
             o.VertexProcessing = M::PreserveInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.BehaviorFlags, kMixedVP | kPure); }},
        {"hardware vertex processing preserved rules out REF",
         [](auto& in, auto& o) {
             in.BehaviorFlags = kHWVP;
             in.DeviceType = D3DDEVTYPE_REF;
             o.VertexProcessing = M::PreserveInput;
             o.DeviceType = M::PreserveInput;
         },
         kDXUTErrNoCompatibleDevices, kNoCheck},
        {"closest on REF turns hardware into software, keeps other flags",
         [](auto& in, auto& o) {
             in.BehaviorFlags = kHWVP | kPure;
             in.DeviceType = D3DDEVTYPE_REF;
             o.VertexProcessing = M::ClosestToInput;
             o.DeviceType = M::PreserveInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.BehaviorFlags, kSWVP | kPure); }},
        {"closest without any processing flag adds hardware on HAL",
         [](auto& in, auto& o) {
             in.BehaviorFlags = kPure;
             o.VertexProcessing = M::ClosestToInput;
         },
         S_OK, [](auto& out) { EXPECT_EQ(out.BehaviorFlags, kHWVP | kPure); }},
        {"ignored gives hardware on HAL", [](auto& in, auto&) { in.BehaviorFlags = kMixedVP; }, S_OK,
         [](auto& out) { EXPECT_EQ(out.BehaviorFlags, kHWVP); }},
    };
    RunRows(catalogue, rows);
}

TEST(DeviceMatch, BackBufferCountAndSwapEffect)
{
    TStandardCatalogue catalogue;
    struct TRow {
        M Type;
        UINT Count;
        UINT ExpectedCount;
        D3DSWAPEFFECT Swap;
        D3DSWAPEFFECT ExpectedSwap;
    };
    const TRow rows[] = {
        {M::PreserveInput, 5, 5, D3DSWAPEFFECT_COPY, D3DSWAPEFFECT_COPY},
        {M::ClosestToInput, 0, 1, D3DSWAPEFFECT_FLIP, D3DSWAPEFFECT_FLIP},
        {M::ClosestToInput, 5, 3, static_cast<D3DSWAPEFFECT>(7), D3DSWAPEFFECT_DISCARD},
        {M::ClosestToInput, 2, 2, D3DSWAPEFFECT_COPY, D3DSWAPEFFECT_COPY},
        {M::IgnoreInput, 5, 2, D3DSWAPEFFECT_COPY, D3DSWAPEFFECT_DISCARD},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Count);
        TDX9DeviceSettings in = CreationInput();
        in.pp.BackBufferCount = row.Count;
        in.pp.SwapEffect = row.Swap;
        TDX9MatchOptions options;
        options.BackBufferCount = row.Type;
        options.SwapEffect = row.Type;
        TDX9DeviceSettings out{};
        ASSERT_EQ(catalogue.Find(out, &in, &options), S_OK);
        EXPECT_EQ(out.pp.BackBufferCount, row.ExpectedCount);
        EXPECT_EQ(out.pp.SwapEffect, row.ExpectedSwap);
    }
}

TEST(DeviceMatch, MultiSample)
{
    TStandardCatalogue catalogue; // offers type 0 (1 level), 2 (4 levels), 4 (2 levels)
    struct TRow {
        const char* Name;
        M Type;
        int InType;
        DWORD InQuality;
        D3DSWAPEFFECT Swap;
        HRESULT Result;
        int OutType = 0;
        DWORD OutQuality = 0;
    };
    const TRow rows[] = {
        {"preserve offered", M::PreserveInput, 2, 3, D3DSWAPEFFECT_DISCARD, S_OK, 2, 3},
        {"preserve with too few levels", M::PreserveInput, 4, 3, D3DSWAPEFFECT_DISCARD, kDXUTErrNoCompatibleDevices},
        {"preserve absent type", M::PreserveInput, 8, 0, D3DSWAPEFFECT_DISCARD, kDXUTErrNoCompatibleDevices},
        {"closest: first of two equally near types, quality cut", M::ClosestToInput, 3, 9, D3DSWAPEFFECT_DISCARD, S_OK,
         2, 3},
        {"closest: nearest above", M::ClosestToInput, 5, 1, D3DSWAPEFFECT_DISCARD, S_OK, 4, 1},
        {"closest with a copy swap gets none", M::ClosestToInput, 2, 1, D3DSWAPEFFECT_COPY, S_OK, 0, 0},
        {"preserve with a flip swap gets none", M::PreserveInput, 2, 1, D3DSWAPEFFECT_FLIP, S_OK, 0, 0},
        {"ignored", M::IgnoreInput, 4, 1, D3DSWAPEFFECT_DISCARD, S_OK, 0, 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TDX9DeviceSettings in = CreationInput();
        in.pp.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(row.InType);
        in.pp.MultiSampleQuality = row.InQuality;
        in.pp.SwapEffect = row.Swap;
        TDX9MatchOptions options;
        options.MultiSample = row.Type;
        TDX9DeviceSettings out{};
        ASSERT_EQ(catalogue.Find(out, &in, &options), row.Result);
        if (row.Result != S_OK) continue;
        EXPECT_EQ(out.pp.MultiSampleType, row.OutType);
        EXPECT_EQ(out.pp.MultiSampleQuality, row.OutQuality);
    }
}

TEST(DeviceMatch, DepthStencilAndPresentFlags)
{
    TStandardCatalogue catalogue; // offers D16, D24S8, D32
    struct TRow {
        const char* Name;
        M Depth, Stencil, Flags;
        D3DFORMAT In;
        DWORD InFlags;
        HRESULT Result;
        D3DFORMAT Out = D3DFMT_UNKNOWN;
        DWORD OutFlags = 0;
    };
    const TRow rows[] = {
        {"closest exact", M::ClosestToInput, M::ClosestToInput, M::IgnoreInput, D3DFMT_D24S8, 0, S_OK, D3DFMT_D24S8, 2},
        {"depth preserved by bits", M::PreserveInput, M::IgnoreInput, M::IgnoreInput, D3DFMT_D24X8, 0, S_OK,
         D3DFMT_D24S8, 2},
        {"both preserved need the very format", M::PreserveInput, M::PreserveInput, M::IgnoreInput, D3DFMT_D24X4S4, 0,
         kDXUTErrNoCompatibleDevices},
        {"stencil preserved by bits", M::IgnoreInput, M::PreserveInput, M::IgnoreInput, D3DFMT_D15S1, 0,
         kDXUTErrNoCompatibleDevices},
        {"stencil closest from one bit", M::IgnoreInput, M::ClosestToInput, M::IgnoreInput, D3DFMT_D15S1, 0, S_OK,
         D3DFMT_D32, 2},
        {"depth closest to 16", M::ClosestToInput, M::IgnoreInput, M::IgnoreInput, D3DFMT_D16_LOCKABLE, 0, S_OK,
         D3DFMT_D16, 2},
        {"flags preserved", M::IgnoreInput, M::IgnoreInput, M::PreserveInput, D3DFMT_UNKNOWN, 0, S_OK, D3DFMT_D32, 0},
        {"flags closest add discard", M::IgnoreInput, M::IgnoreInput, M::ClosestToInput, D3DFMT_UNKNOWN,
         D3DPRESENTFLAG_LOCKABLE_BACKBUFFER, S_OK, D3DFMT_D32, D3DPRESENTFLAG_LOCKABLE_BACKBUFFER | 2},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TDX9DeviceSettings in = CreationInput();
        in.pp.AutoDepthStencilFormat = row.In;
        in.pp.Flags = row.InFlags;
        TDX9MatchOptions options;
        options.DepthFormat = row.Depth;
        options.StencilFormat = row.Stencil;
        options.PresentFlags = row.Flags;
        TDX9DeviceSettings out{};
        ASSERT_EQ(catalogue.Find(out, &in, &options), row.Result);
        if (row.Result != S_OK) continue;
        EXPECT_EQ(out.pp.AutoDepthStencilFormat, row.Out);
        EXPECT_EQ(out.pp.EnableAutoDepthStencil, kD3DTrue);
        EXPECT_EQ(out.pp.Flags, row.OutFlags);
    }
}

TEST(DeviceMatch, WithoutDepthStencilFormats)
{
    TSyntheticCatalogue catalogue;
    CD3DEnumAdapterInfo& adapter = catalogue.AddAdapter(0, Mode(1280, 1024, 60), {Mode(1280, 1024, 60)});
    TComboSpec spec;
    spec.DepthStencil.clear();
    catalogue.AddCombo(adapter, catalogue.AddDevice(adapter, D3DDEVTYPE_HAL, true), spec);
    TDX9DeviceSettings out{};
    ASSERT_EQ(catalogue.Find(out, nullptr, nullptr), S_OK);
    EXPECT_EQ(out.pp.EnableAutoDepthStencil, FALSE);
    EXPECT_EQ(out.pp.AutoDepthStencilFormat, D3DFMT_UNKNOWN);
    EXPECT_EQ(out.pp.Flags, 0u);
}

TEST(DeviceMatch, RefreshRateAndPresentInterval)
{
    TStandardCatalogue catalogue;
    const auto fullScreen = [](TDX9DeviceSettings& in, TDX9MatchOptions& o) {
        in.pp.Windowed = FALSE;
        o.Windowed = M::PreserveInput;
        o.Resolution = M::ClosestToInput;
    };
    RunRows(catalogue,
            {
                {"refresh preserved",
                 [&](auto& in, auto& o) {
                     fullScreen(in, o);
                     in.pp.FullScreen_RefreshRateInHz = 85;
                     o.RefreshRate = M::PreserveInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 85u); }},
                {"refresh preserved but absent",
                 [&](auto& in, auto& o) {
                     fullScreen(in, o);
                     in.pp.FullScreen_RefreshRateInHz = 100;
                     o.RefreshRate = M::PreserveInput;
                 },
                 kDXUTErrNoCompatibleDevices, kNoCheck},
                {"refresh closest",
                 [&](auto& in, auto& o) {
                     fullScreen(in, o);
                     in.pp.FullScreen_RefreshRateInHz = 80;
                     o.RefreshRate = M::ClosestToInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 85u); }},
                {"refresh closest to 0 stays 0",
                 [&](auto& in, auto& o) {
                     fullScreen(in, o);
                     o.RefreshRate = M::ClosestToInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 0u); }},
                {"windowed refresh is 0",
                 [](auto& in, auto& o) {
                     in.pp.FullScreen_RefreshRateInHz = 85;
                     o.RefreshRate = M::ClosestToInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 0u); }},
                {"no vsync preserved",
                 [](auto& in, auto& o) {
                     in.pp.PresentationInterval = kImmediate;
                     o.PresentInterval = M::PreserveInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.PresentationInterval, kImmediate); }},
                {"interval two preserved rejects windowed combinations",
                 [](auto& in, auto& o) {
                     in.pp.PresentationInterval = D3DPRESENT_INTERVAL_TWO;
                     o.PresentInterval = M::PreserveInput;
                     o.Windowed = M::PreserveInput;
                 },
                 kDXUTErrNoCompatibleDevices, kNoCheck},
                {"interval two preserved finds full screen",
                 [](auto& in, auto& o) {
                     in.pp.PresentationInterval = D3DPRESENT_INTERVAL_TWO;
                     o.PresentInterval = M::PreserveInput;
                 },
                 S_OK,
                 [](auto& out) {
                     EXPECT_EQ(out.pp.Windowed, FALSE);
                     EXPECT_EQ(out.pp.PresentationInterval, DWORD(D3DPRESENT_INTERVAL_TWO));
                 }},
                {"interval closest, offered",
                 [](auto& in, auto& o) {
                     in.pp.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
                     o.PresentInterval = M::ClosestToInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.PresentationInterval, DWORD(D3DPRESENT_INTERVAL_ONE)); }},
                {"interval closest, not offered",
                 [](auto& in, auto& o) {
                     in.pp.PresentationInterval = D3DPRESENT_INTERVAL_TWO;
                     o.PresentInterval = M::ClosestToInput;
                     o.Windowed = M::PreserveInput;
                 },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.PresentationInterval, 0u); }},
                {"interval ignored", [](auto& in, auto&) { in.pp.PresentationInterval = D3DPRESENT_INTERVAL_ONE; },
                 S_OK, [](auto& out) { EXPECT_EQ(out.pp.PresentationInterval, 0u); }},
            });
}

TEST(DeviceMatch, EqualRanksKeepTheFirstCombination)
{
    // SW and REF both lack hardware T&L and both miss the optimal HAL: equal ranks, so catalogue order decides.
    for (bool swFirst : {true, false}) {
        SCOPED_TRACE(swFirst);
        TSyntheticCatalogue catalogue;
        CD3DEnumAdapterInfo& adapter = catalogue.AddAdapter(0, Mode(1280, 1024, 60), {Mode(1280, 1024, 60)});
        const D3DDEVTYPE first = swFirst ? D3DDEVTYPE_SW : D3DDEVTYPE_REF;
        const D3DDEVTYPE second = swFirst ? D3DDEVTYPE_REF : D3DDEVTYPE_SW;
        catalogue.AddStandardCombos(adapter, catalogue.AddDevice(adapter, first, false));
        catalogue.AddStandardCombos(adapter, catalogue.AddDevice(adapter, second, false));
        TDX9DeviceSettings out{};
        ASSERT_EQ(catalogue.Find(out, nullptr, nullptr), S_OK);
        EXPECT_EQ(out.DeviceType, first);
    }
}

TEST(DeviceMatch, RankWeights)
{
    TStandardCatalogue catalogue;
    const CD3DEnumAdapterInfo& adapter = *catalogue.Enumeration.AdapterInfoList[0];
    const TD3DEnumDeviceSettingsCombo& hal = adapter.DeviceInfoList[0]->DeviceSettingsComboList[3]; // X8, windowed
    const TD3DEnumDeviceSettingsCombo& ref = adapter.DeviceInfoList[1]->DeviceSettingsComboList[3];
    const D3DDISPLAYMODE desktop = Mode(1280, 1024, 60);
    TDX9MatchOptions options;
    const TDX9DeviceSettings optimal = BuildOptimalDeviceSettings(TDX9DeviceSettings{}, options, desktop);
    // HAL: ordinal 1000, type 100 + 0.1, windowed 10, adapter format 1, T&L 1 + 0.1, no 800x600 X8 mode,
    // back buffer 1 + 0.1, multisample 1, D32 1, no 0 Hz mode, interval 0 listed 1.
    EXPECT_FLOAT_EQ(RankDeviceCombo(hal, optimal, desktop), 1116.3f);
    // REF: no type points and no T&L points.
    EXPECT_FLOAT_EQ(RankDeviceCombo(ref, optimal, desktop), 1015.1f);
    // A 16-bit back buffer against an 8-bit optimum earns max(0.9 - 0.2 x 3, 0) = 0.3 instead of 1.1.
    TD3DEnumDeviceSettingsCombo r565 = hal;
    r565.BackBufferFormat = D3DFMT_R5G6B5;
    EXPECT_NEAR(RankDeviceCombo(hal, optimal, desktop) - RankDeviceCombo(r565, optimal, desktop), 0.8, 1e-3);
}

TEST(DeviceMatch, OptimalSettingsFollowTheDesktop)
{
    struct TRow {
        D3DFORMAT Desktop;
        BOOL Windowed;
        D3DFORMAT Adapter;
        D3DFORMAT Depth;
        UINT Width;
    };
    const TRow rows[] = {
        {D3DFMT_X8R8G8B8, kD3DTrue, D3DFMT_X8R8G8B8, D3DFMT_D32, 800},
        {D3DFMT_R5G6B5, kD3DTrue, D3DFMT_R5G6B5, D3DFMT_D16, 800},
        {D3DFMT_R5G6B5, FALSE, D3DFMT_X8R8G8B8, D3DFMT_D32, 1280},
        {D3DFMT_A2R10G10B10, FALSE, D3DFMT_A2R10G10B10, D3DFMT_D32, 1280},
    };
    for (const TRow& row : rows) {
        TDX9DeviceSettings in{};
        in.pp.Windowed = row.Windowed;
        TDX9MatchOptions options;
        options.Windowed = M::PreserveInput;
        const TDX9DeviceSettings o = BuildOptimalDeviceSettings(in, options, Mode(1280, 1024, 60, row.Desktop));
        EXPECT_EQ(o.AdapterFormat, row.Adapter) << row.Desktop;
        EXPECT_EQ(o.pp.BackBufferFormat, row.Adapter) << row.Desktop;
        EXPECT_EQ(o.pp.AutoDepthStencilFormat, row.Depth) << row.Desktop;
        EXPECT_EQ(o.pp.BackBufferWidth, row.Width) << row.Desktop;
    }
}

TEST(DeviceMatch, WindowedCombinationsNeedTheDesktopFormat)
{
    TStandardCatalogue catalogue;
    catalogue.Desktops[0] = Mode(1280, 1024, 60, D3DFMT_R5G6B5);
    TDX9DeviceSettings in = CreationInput();
    TDX9MatchOptions options;
    options.Windowed = M::PreserveInput;
    TDX9DeviceSettings out{};
    EXPECT_EQ(catalogue.Find(out, &in, &options), kDXUTErrNoCompatibleDevices);
    options.Windowed = M::IgnoreInput; // full screen still works
    ASSERT_EQ(catalogue.Find(out, &in, &options), S_OK);
    EXPECT_EQ(out.pp.Windowed, FALSE);
}

TEST(DeviceMatch, EmptyCatalogueAndAliasedOutput)
{
    TSyntheticCatalogue empty;
    TDX9DeviceSettings out{};
    EXPECT_EQ(empty.Find(out, nullptr, nullptr), kDXUTErrNoCompatibleDevices);

    TStandardCatalogue catalogue;
    TDX9DeviceSettings settings = CreationInput();
    TDX9MatchOptions options;
    options.Resolution = M::ClosestToInput;
    options.Windowed = M::PreserveInput;
    ASSERT_EQ(catalogue.Find(settings, &settings, &options), S_OK);
    EXPECT_EQ(settings.pp.BackBufferWidth, 1280u);
    EXPECT_EQ(settings.pp.Windowed, kD3DTrue);
    EXPECT_EQ(settings.DeviceType, D3DDEVTYPE_HAL);
}

} // namespace
