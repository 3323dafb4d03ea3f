#include "Common/Dev_DeviceMatch.h"

#include "Common/core/D3DFormatInfo.h"

#include <algorithm>
#include <cstdlib>

// Sections: helpers; optimal settings; preserve test; ranking; valid settings; the match.

namespace {

// --- helpers --------------------------------------------------------------------------------------------------

constexpr DWORD kHardwareTnL = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
constexpr DWORD kVertexProcessingFlags =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;
constexpr int kNoMatch = 100000; // start of the nearest-value searches

bool Ignored(TDX9MatchType type) { return type == TDX9MatchType::IgnoreInput; }
bool Preserved(TDX9MatchType type) { return type == TDX9MatchType::PreserveInput; }
bool Closest(TDX9MatchType type) { return type == TDX9MatchType::ClosestToInput; }

bool HasHardwareTnL(const TD3DEnumDeviceSettingsCombo& combo)
{
    return combo.DeviceInfo && (combo.DeviceInfo->Caps.DevCaps & kHardwareTnL) != 0;
}

const TD3DDisplayModeArray& Modes(const TD3DEnumDeviceSettingsCombo& combo)
{
    static const TD3DDisplayModeArray none;
    return combo.AdapterInfo ? combo.AdapterInfo->DisplayModeList : none;
}

template <class TPredicate>
bool HasMode(const TD3DEnumDeviceSettingsCombo& combo, TPredicate predicate)
{
    const TD3DDisplayModeArray& modes = Modes(combo);
    return std::any_of(modes.begin(), modes.end(),
                       [&](const D3DDISPLAYMODE& m) { return m.Format == combo.AdapterFormat && predicate(m); });
}

bool HasModeOfSize(const TD3DEnumDeviceSettingsCombo& combo, UINT width, UINT height)
{
    return HasMode(combo, [&](const D3DDISPLAYMODE& m) { return m.Width == width && m.Height == height; });
}

bool HasModeWithRefresh(const TD3DEnumDeviceSettingsCombo& combo, UINT refresh)
{
    return HasMode(combo, [&](const D3DDISPLAYMODE& m) { return m.RefreshRate == refresh; });
}

bool OffersMultiSample(const TD3DEnumDeviceSettingsCombo& combo, D3DMULTISAMPLE_TYPE type, DWORD quality)
{
    for (size_t i = 0; i < combo.MultiSampleTypeList.size() && i < combo.MultiSampleQualityList.size(); ++i)
        if (combo.MultiSampleTypeList[i] == type && combo.MultiSampleQualityList[i] >= quality) return true;
    return false;
}

template <class T, class U>
bool Contains(const std::vector<T>& list, U item)
{
    return std::find(list.begin(), list.end(), static_cast<T>(item)) != list.end();
}

D3DFORMAT FullScreenDesktopFormat(const D3DDISPLAYMODE& desktop)
{
    return ColorChannelBits(desktop.Format) >= 8 ? desktop.Format : D3DFMT_X8R8G8B8;
}

int Distance(int a, int b) { return std::abs(a - b); }

} // namespace

// --- optimal settings -----------------------------------------------------------------------------------------

TDX9DeviceSettings BuildOptimalDeviceSettings(const TDX9DeviceSettings& In, const TDX9MatchOptions& Options,
                                              const D3DDISPLAYMODE& Desktop)
{
    TDX9DeviceSettings o{};
    o.AdapterOrdinal = Ignored(Options.AdapterOrdinal) ? 0 : In.AdapterOrdinal;
    o.DeviceType = Ignored(Options.DeviceType) ? D3DDEVTYPE_HAL : In.DeviceType;
    o.pp.Windowed = Ignored(Options.Windowed) ? kD3DTrue : In.pp.Windowed;
    const bool windowed = o.pp.Windowed != 0;
    if (Ignored(Options.AdapterFormat))
        o.AdapterFormat = windowed ? Desktop.Format : FullScreenDesktopFormat(Desktop);
    else
        o.AdapterFormat = In.AdapterFormat;
    o.BehaviorFlags = Ignored(Options.VertexProcessing) ? D3DCREATE_HARDWARE_VERTEXPROCESSING : In.BehaviorFlags;
    if (Ignored(Options.Resolution)) {
        o.pp.BackBufferWidth = windowed ? 800 : Desktop.Width;
        o.pp.BackBufferHeight = windowed ? 600 : Desktop.Height;
    } else {
        o.pp.BackBufferWidth = In.pp.BackBufferWidth;
        o.pp.BackBufferHeight = In.pp.BackBufferHeight;
    }
    o.pp.BackBufferFormat = Ignored(Options.BackBufferFormat) ? o.AdapterFormat : In.pp.BackBufferFormat;
    o.pp.BackBufferCount = Ignored(Options.BackBufferCount) ? 2 : In.pp.BackBufferCount;
    if (!Ignored(Options.MultiSample)) {
        o.pp.MultiSampleType = In.pp.MultiSampleType;
        o.pp.MultiSampleQuality = In.pp.MultiSampleQuality;
    }
    o.pp.SwapEffect = Ignored(Options.SwapEffect) ? D3DSWAPEFFECT_DISCARD : In.pp.SwapEffect;
    if (!Ignored(Options.DepthFormat) || !Ignored(Options.StencilFormat))
        o.pp.AutoDepthStencilFormat = In.pp.AutoDepthStencilFormat;
    else
        o.pp.AutoDepthStencilFormat = ColorChannelBits(o.pp.BackBufferFormat) >= 8 ? D3DFMT_D32 : D3DFMT_D16;
    o.pp.Flags = Ignored(Options.PresentFlags) ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : In.pp.Flags;
    o.pp.FullScreen_RefreshRateInHz = Ignored(Options.RefreshRate) ? 0 : In.pp.FullScreen_RefreshRateInHz;
    o.pp.PresentationInterval = Ignored(Options.PresentInterval) ? 0 : In.pp.PresentationInterval;
    return o;
}

// --- preserve test --------------------------------------------------------------------------------------------

bool DoesDeviceComboMatchPreserveOptions(const TD3DEnumDeviceSettingsCombo& Combo, const TDX9DeviceSettings& In,
                                         const TDX9MatchOptions& Options)
{
    if (Preserved(Options.AdapterOrdinal) && Combo.AdapterOrdinal != In.AdapterOrdinal) return false;
    if (Preserved(Options.DeviceType) && Combo.DeviceType != In.DeviceType) return false;
    if (Preserved(Options.Windowed) && Combo.Windowed != (In.pp.Windowed != 0)) return false;
    if (Preserved(Options.AdapterFormat) && Combo.AdapterFormat != In.AdapterFormat) return false;
    if (Preserved(Options.VertexProcessing) && (In.BehaviorFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING) &&
        !HasHardwareTnL(Combo))
        return false;
    if (Preserved(Options.Resolution) && !HasModeOfSize(Combo, In.pp.BackBufferWidth, In.pp.BackBufferHeight))
        return false;
    if (Preserved(Options.BackBufferFormat) && Combo.BackBufferFormat != In.pp.BackBufferFormat) return false;
    if (Preserved(Options.MultiSample) && !OffersMultiSample(Combo, In.pp.MultiSampleType, In.pp.MultiSampleQuality))
        return false;

    const D3DFORMAT depthStencil = In.pp.AutoDepthStencilFormat;
    const TD3DFormatArray& formats = Combo.DepthStencilFormatList;
    if (depthStencil != D3DFMT_UNKNOWN) {
        if (Preserved(Options.DepthFormat) && Preserved(Options.StencilFormat) && !Contains(formats, depthStencil))
            return false;
        const auto anyWithBits = [&](unsigned (*bits)(std::uint32_t)) {
            return std::any_of(formats.begin(), formats.end(),
                               [&](D3DFORMAT f) { return bits(f) == bits(depthStencil); });
        };
        if (Preserved(Options.DepthFormat) && !anyWithBits(DepthBits)) return false;
        if (Preserved(Options.StencilFormat) && !anyWithBits(StencilBits)) return false;
    }

    if (Preserved(Options.RefreshRate) && !HasModeWithRefresh(Combo, In.pp.FullScreen_RefreshRateInHz)) return false;
    if (Preserved(Options.PresentInterval) && !Contains(Combo.PresentIntervalList, In.pp.PresentationInterval))
        return false;
    return true;
}

// --- ranking --------------------------------------------------------------------------------------------------

namespace {

// The sum is single precision and rounded after each addition; the fractional weights are extended precision.
void AddPoints(float& rank, long double points) { rank = static_cast<float>(rank + points); }

long double FormatNearness(D3DFORMAT a, D3DFORMAT b)
{
    const int difference = Distance(static_cast<int>(ColorChannelBits(a)), static_cast<int>(ColorChannelBits(b)));
    return std::max(0.9L - 0.2L * difference, 0.0L);
}

} // namespace

float RankDeviceCombo(const TD3DEnumDeviceSettingsCombo& Combo, const TDX9DeviceSettings& Optimal,
                      const D3DDISPLAYMODE& Desktop)
{
    float rank = 0;
    if (Combo.AdapterOrdinal == Optimal.AdapterOrdinal) AddPoints(rank, 1000.0f);
    if (Combo.DeviceType == Optimal.DeviceType) AddPoints(rank, 100.0f);
    if (Combo.DeviceType == D3DDEVTYPE_HAL) AddPoints(rank, 0.1L);
    if (Combo.Windowed == (Optimal.pp.Windowed != 0)) AddPoints(rank, 10.0f);

    if (Combo.AdapterFormat == Optimal.AdapterFormat)
        AddPoints(rank, 1.0f);
    else
        AddPoints(rank, FormatNearness(Combo.AdapterFormat, Optimal.AdapterFormat));
    if (!Combo.Windowed && Combo.AdapterFormat == FullScreenDesktopFormat(Desktop)) AddPoints(rank, 0.1L);

    const bool hardwareTnL = HasHardwareTnL(Combo);
    if ((Optimal.BehaviorFlags & (D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING)) &&
        hardwareTnL)
        AddPoints(rank, 1.0f);
    if (hardwareTnL) AddPoints(rank, 0.1L);

    if (HasModeOfSize(Combo, Optimal.pp.BackBufferWidth, Optimal.pp.BackBufferHeight)) AddPoints(rank, 1.0f);

    if (Combo.BackBufferFormat == Optimal.pp.BackBufferFormat)
        AddPoints(rank, 1.0f);
    else
        AddPoints(rank, FormatNearness(Combo.BackBufferFormat, Optimal.pp.BackBufferFormat));
    if (Combo.BackBufferFormat == Combo.AdapterFormat) AddPoints(rank, 0.1L);

    if (OffersMultiSample(Combo, Optimal.pp.MultiSampleType, Optimal.pp.MultiSampleQuality)) AddPoints(rank, 1.0f);
    if (Contains(Combo.DepthStencilFormatList, Optimal.pp.AutoDepthStencilFormat)) AddPoints(rank, 1.0f);
    if (HasModeWithRefresh(Combo, Optimal.pp.FullScreen_RefreshRateInHz)) AddPoints(rank, 1.0f);
    if (Contains(Combo.PresentIntervalList, Optimal.pp.PresentationInterval)) AddPoints(rank, 1.0f);
    return rank;
}

// --- valid settings -------------------------------------------------------------------------------------------

namespace {

DWORD ValidBehaviorFlags(const TD3DEnumDeviceSettingsCombo& combo, const TDX9DeviceSettings& in, TDX9MatchType type)
{
    const bool hardwareTnL = HasHardwareTnL(combo);
    const DWORD byCaps = hardwareTnL ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (Preserved(type)) return in.BehaviorFlags;
    if (Ignored(type)) return byCaps;
    DWORD flags = in.BehaviorFlags;
    if (!hardwareTnL) {
        flags &= ~DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING);
        flags |= D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    }
    if ((flags & kVertexProcessingFlags) == 0) flags |= byCaps;
    return flags;
}

// The full-screen display mode of the combination's format nearest the wanted size; the wanted size itself for
// a window or when no mode fits.
void ValidResolution(const TD3DEnumDeviceSettingsCombo& combo, UINT& width, UINT& height)
{
    if (combo.Windowed) return;
    int best = kNoMatch;
    UINT bestWidth = width, bestHeight = height;
    for (const D3DDISPLAYMODE& m : Modes(combo)) {
        if (m.Format != combo.AdapterFormat) continue;
        const int distance = Distance(static_cast<int>(m.Width), static_cast<int>(width)) +
                             Distance(static_cast<int>(m.Height), static_cast<int>(height));
        if (distance < best) {
            best = distance;
            bestWidth = m.Width;
            bestHeight = m.Height;
            if (distance == 0) break;
        }
    }
    width = bestWidth;
    height = bestHeight;
}

void ValidMultiSample(const TD3DEnumDeviceSettingsCombo& combo, const TDX9DeviceSettings& in, bool hasInput,
                      TDX9MatchType type, D3DPRESENT_PARAMETERS& pp)
{
    pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    pp.MultiSampleQuality = 0;
    if (hasInput && in.pp.SwapEffect != D3DSWAPEFFECT_DISCARD) return; // only a discarded buffer may be multisampled
    if (Preserved(type)) {
        pp.MultiSampleType = in.pp.MultiSampleType;
        pp.MultiSampleQuality = in.pp.MultiSampleQuality;
    } else if (Closest(type)) {
        const int wanted = in.pp.MultiSampleType;
        for (size_t i = 0; i < combo.MultiSampleTypeList.size() && i < combo.MultiSampleQualityList.size(); ++i) {
            const int offered = combo.MultiSampleTypeList[i];
            if (Distance(offered, wanted) < Distance(pp.MultiSampleType, wanted)) {
                const DWORD levels = combo.MultiSampleQualityList[i];
                pp.MultiSampleType = combo.MultiSampleTypeList[i];
                pp.MultiSampleQuality = std::min(in.pp.MultiSampleQuality, levels > 0 ? levels - 1 : 0);
            }
        }
    }
}

// The depth-stencil format nearest the wanted depth and stencil bits; D3DFMT_UNKNOWN when the list is empty.
D3DFORMAT ValidDepthStencil(const TD3DEnumDeviceSettingsCombo& combo, const TDX9DeviceSettings& in, bool hasInput,
                            const TDX9MatchOptions& options)
{
    const int colorBits = static_cast<int>(ColorChannelBits(combo.BackBufferFormat));
    const int wantedDepth = hasInput ? static_cast<int>(DepthBits(in.pp.AutoDepthStencilFormat)) : 0;
    const int wantedStencil = hasInput ? static_cast<int>(StencilBits(in.pp.AutoDepthStencilFormat)) : 0;
    int best = kNoMatch;
    D3DFORMAT chosen = D3DFMT_UNKNOWN;
    for (D3DFORMAT format : combo.DepthStencilFormatList) {
        const int depth = static_cast<int>(DepthBits(format));
        const int stencil = static_cast<int>(StencilBits(format));
        int rank;
        if (Preserved(options.DepthFormat))
            rank = depth == wantedDepth ? 0 : 10000;
        else if (Ignored(options.DepthFormat))
            rank = Distance(depth, 4 * colorBits);
        else
            rank = Distance(depth, wantedDepth);
        if (Preserved(options.StencilFormat))
            rank += stencil == wantedStencil ? 0 : 10000;
        else if (Ignored(options.StencilFormat))
            rank += stencil;
        else
            rank += Distance(stencil, wantedStencil);
        if (rank < best) {
            best = rank;
            chosen = format;
        }
    }
    return chosen;
}

UINT ValidRefreshRate(const TD3DEnumDeviceSettingsCombo& combo, const TDX9DeviceSettings& in,
                      const D3DDISPLAYMODE& desktop, TDX9MatchType type, UINT width, UINT height)
{
    if (combo.Windowed) return 0;
    if (Preserved(type)) return in.pp.FullScreen_RefreshRateInHz;
    const UINT wanted = Closest(type) ? in.pp.FullScreen_RefreshRateInHz : desktop.RefreshRate;
    if (wanted == 0) return 0;
    int best = kNoMatch;
    UINT chosen = 0;
    for (const D3DDISPLAYMODE& m : Modes(combo)) {
        if (m.Format != combo.AdapterFormat || m.Width != width || m.Height != height) continue;
        const int distance = Distance(static_cast<int>(m.RefreshRate), static_cast<int>(wanted));
        if (distance < best) {
            best = distance;
            chosen = m.RefreshRate;
            if (distance == 0) break;
        }
    }
    return chosen;
}

TDX9DeviceSettings BuildValidDeviceSettings(const TD3DEnumDeviceSettingsCombo& combo, const TDX9DeviceSettings& in,
                                            bool hasInput, const TDX9MatchOptions& options,
                                            const D3DDISPLAYMODE& desktop, const TDX9MatchEnvironment& environment)
{
    TDX9DeviceSettings v{};
    v.AdapterOrdinal = combo.AdapterOrdinal;
    v.DeviceType = combo.DeviceType;
    v.AdapterFormat = combo.AdapterFormat;
    v.BehaviorFlags = ValidBehaviorFlags(combo, in, options.VertexProcessing);
    D3DPRESENT_PARAMETERS& pp = v.pp;
    pp.BackBufferFormat = combo.BackBufferFormat;
    pp.Windowed = combo.Windowed ? kD3DTrue : FALSE;

    if (Preserved(options.Resolution)) {
        pp.BackBufferWidth = in.pp.BackBufferWidth;
        pp.BackBufferHeight = in.pp.BackBufferHeight;
    } else {
        if (Closest(options.Resolution) && hasInput) {
            pp.BackBufferWidth = in.pp.BackBufferWidth;
            pp.BackBufferHeight = in.pp.BackBufferHeight;
        } else {
            pp.BackBufferWidth = combo.Windowed ? 640 : desktop.Width;
            pp.BackBufferHeight = combo.Windowed ? 480 : desktop.Height;
        }
        ValidResolution(combo, pp.BackBufferWidth, pp.BackBufferHeight);
    }

    if (Preserved(options.BackBufferCount))
        pp.BackBufferCount = in.pp.BackBufferCount;
    else if (Closest(options.BackBufferCount))
        pp.BackBufferCount = std::clamp<UINT>(in.pp.BackBufferCount, 1, 3);
    else
        pp.BackBufferCount = 2;

    ValidMultiSample(combo, in, hasInput, options.MultiSample, pp);

    const D3DSWAPEFFECT swap = in.pp.SwapEffect;
    if (Preserved(options.SwapEffect))
        pp.SwapEffect = swap;
    else if (Closest(options.SwapEffect) &&
             (swap == D3DSWAPEFFECT_DISCARD || swap == D3DSWAPEFFECT_FLIP || swap == D3DSWAPEFFECT_COPY))
        pp.SwapEffect = swap;
    else
        pp.SwapEffect = D3DSWAPEFFECT_DISCARD;

    const D3DFORMAT depthStencil = ValidDepthStencil(combo, in, hasInput, options);
    const bool hasDepthStencil = depthStencil != D3DFMT_UNKNOWN;
    pp.EnableAutoDepthStencil = hasDepthStencil ? kD3DTrue : FALSE;
    pp.AutoDepthStencilFormat = depthStencil;

    const DWORD discardFlag = hasDepthStencil ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : 0;
    if (Preserved(options.PresentFlags))
        pp.Flags = in.pp.Flags;
    else if (Closest(options.PresentFlags))
        pp.Flags = in.pp.Flags | discardFlag;
    else
        pp.Flags = discardFlag;

    pp.FullScreen_RefreshRateInHz =
        ValidRefreshRate(combo, in, desktop, options.RefreshRate, pp.BackBufferWidth, pp.BackBufferHeight);

    if (Preserved(options.PresentInterval))
        pp.PresentationInterval = in.pp.PresentationInterval;
    else if (Closest(options.PresentInterval) && Contains(combo.PresentIntervalList, in.pp.PresentationInterval))
        pp.PresentationInterval = in.pp.PresentationInterval;
    else
        pp.PresentationInterval = 0;

    pp.hDeviceWindow = combo.Windowed ? environment.DeviceWindowed : environment.DeviceFullScreen;
    return v;
}

} // namespace

// --- the match ------------------------------------------------------------------------------------------------

HRESULT FindValidDeviceSettings(const TDX9MatchEnvironment& Environment, TDX9DeviceSettings& Out,
                                const TDX9DeviceSettings* In, const TDX9MatchOptions* Options)
{
    const TDX9MatchOptions options = Options ? *Options : TDX9MatchOptions{};
    const TDX9DeviceSettings in = In ? *In : TDX9DeviceSettings{};
    const auto desktopOf = [&Environment](UINT ordinal) {
        D3DDISPLAYMODE mode{};
        if (!Environment.DesktopMode || !Environment.DesktopMode(ordinal, mode)) mode = D3DDISPLAYMODE{};
        return mode;
    };

    const UINT optimalOrdinal = Ignored(options.AdapterOrdinal) ? 0 : in.AdapterOrdinal;
    const TDX9DeviceSettings optimal = BuildOptimalDeviceSettings(in, options, desktopOf(optimalOrdinal));

    const TD3DEnumDeviceSettingsCombo* best = nullptr;
    D3DDISPLAYMODE bestDesktop{};
    float bestRank = -1.0f;
    if (Environment.Enumeration) {
        for (const auto& adapter : Environment.Enumeration->GetAdapterInfoList()) {
            const D3DDISPLAYMODE desktop = desktopOf(adapter->AdapterOrdinal);
            for (const auto& device : adapter->DeviceInfoList) {
                for (const TD3DEnumDeviceSettingsCombo& combo : device->DeviceSettingsComboList) {
                    if (combo.Windowed && combo.AdapterFormat != desktop.Format) continue;
                    if (!DoesDeviceComboMatchPreserveOptions(combo, in, options)) continue;
                    const float rank = RankDeviceCombo(combo, optimal, desktop);
                    if (rank > bestRank) {
                        best = &combo;
                        bestRank = rank;
                        bestDesktop = desktop;
                    }
                }
            }
        }
    }
    if (best == nullptr) return kDXUTErrNoCompatibleDevices;
    Out = BuildValidDeviceSettings(*best, in, In != nullptr, options, bestDesktop, Environment);
    return S_OK;
}

HRESULT DXUTFindValidDeviceSettings(TDX9DeviceSettings* Out, const TDX9DeviceSettings* In,
                                    const TDX9MatchOptions* Options)
{
    if (Out == nullptr) return E_INVALIDARG;
    TDX9State& s = GetDXUTState();
    const ComPtr<IDirect3D9> d3d = s.Get(&TDX9State_STATE::Direct3DObject);
    TDX9MatchEnvironment environment;
    environment.Enumeration = DXUTPrepareEnumerationObject(false);
    environment.DesktopMode = [&d3d](UINT ordinal, D3DDISPLAYMODE& mode) {
        return d3d && SUCCEEDED(d3d->GetAdapterDisplayMode(ordinal, &mode));
    };
    environment.DeviceWindowed = s.Get(&TDX9State_STATE::HWNDDeviceWindowed);
    environment.DeviceFullScreen = s.Get(&TDX9State_STATE::HWNDDeviceFullScreen);
    return FindValidDeviceSettings(environment, *Out, In, Options);
}
