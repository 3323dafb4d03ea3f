#pragma once
// Device settings matching: turns preferred settings and match options into settings the enumerated hardware
// supports. Every combination of the catalogue is ranked against an optimal record built from the preference;
// the best one is completed with the remaining presentation parameters.
#include "Common/Dev_Enum.h"

#include <cstdint>
#include <functional>

enum class TDX9MatchType : std::uint32_t {
    IgnoreInput = 0,    // use the framework's default
    PreserveInput = 1,  // must equal the input
    ClosestToInput = 2, // prefer the input, else the nearest supported value
};

struct TDX9MatchOptions {
    TDX9MatchType AdapterOrdinal = TDX9MatchType::IgnoreInput;
    TDX9MatchType DeviceType = TDX9MatchType::IgnoreInput;
    TDX9MatchType Windowed = TDX9MatchType::IgnoreInput;
    TDX9MatchType AdapterFormat = TDX9MatchType::IgnoreInput;
    TDX9MatchType VertexProcessing = TDX9MatchType::IgnoreInput;
    TDX9MatchType Resolution = TDX9MatchType::IgnoreInput;
    TDX9MatchType BackBufferFormat = TDX9MatchType::IgnoreInput;
    TDX9MatchType BackBufferCount = TDX9MatchType::IgnoreInput;
    TDX9MatchType MultiSample = TDX9MatchType::IgnoreInput;
    TDX9MatchType SwapEffect = TDX9MatchType::IgnoreInput;
    TDX9MatchType DepthFormat = TDX9MatchType::IgnoreInput;
    TDX9MatchType StencilFormat = TDX9MatchType::IgnoreInput;
    TDX9MatchType PresentFlags = TDX9MatchType::IgnoreInput;
    TDX9MatchType RefreshRate = TDX9MatchType::IgnoreInput;
    TDX9MatchType PresentInterval = TDX9MatchType::IgnoreInput;
};

// What a match reads besides its arguments: the catalogue, each adapter's current desktop mode (false when it
// cannot be read) and the device windows the result names.
struct TDX9MatchEnvironment {
    const CD3DEnumeration* Enumeration = nullptr;
    std::function<bool(UINT AdapterOrdinal, D3DDISPLAYMODE& Mode)> DesktopMode;
    HWND DeviceWindowed = nullptr;
    HWND DeviceFullScreen = nullptr;
};

// Writes the valid settings to Out (which may be In) and returns S_OK, or kDXUTErrNoCompatibleDevices when no
// combination passes the preserve tests. In may be null (no preference); null options mean all ignore.
HRESULT FindValidDeviceSettings(const TDX9MatchEnvironment& Environment, TDX9DeviceSettings& Out,
                                const TDX9DeviceSettings* In, const TDX9MatchOptions* Options);

// The same on the state's enumeration (not re-enumerated), Direct3D object and device windows.
HRESULT DXUTFindValidDeviceSettings(TDX9DeviceSettings* Out, const TDX9DeviceSettings* In,
                                    const TDX9MatchOptions* Options);

// The parts of the match, exposed for their own tests.
TDX9DeviceSettings BuildOptimalDeviceSettings(const TDX9DeviceSettings& In, const TDX9MatchOptions& Options,
                                              const D3DDISPLAYMODE& Desktop);
bool DoesDeviceComboMatchPreserveOptions(const TD3DEnumDeviceSettingsCombo& Combo, const TDX9DeviceSettings& In,
                                         const TDX9MatchOptions& Options);
float RankDeviceCombo(const TD3DEnumDeviceSettingsCombo& Combo, const TDX9DeviceSettings& Optimal,
                      const D3DDISPLAYMODE& Desktop);
