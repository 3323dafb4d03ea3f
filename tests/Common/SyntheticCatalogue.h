#pragma once
// A hand-filled device catalogue for matching tests: no Direct3D device is involved.
#include "Common/Dev_DeviceMatch.h"

#include <map>
#include <vector>

namespace testsupport {

struct TComboSpec {
    D3DFORMAT AdapterFormat = D3DFMT_X8R8G8B8;
    D3DFORMAT BackBufferFormat = D3DFMT_X8R8G8B8;
    bool Windowed = true;
    TD3DFormatArray DepthStencil{D3DFMT_D16, D3DFMT_D24S8, D3DFMT_D32};
    std::vector<std::pair<D3DMULTISAMPLE_TYPE, DWORD>> MultiSample{
        {D3DMULTISAMPLE_NONE, 1}, {D3DMULTISAMPLE_2_SAMPLES, 4}, {D3DMULTISAMPLE_4_SAMPLES, 2}};
    TLongWordArray PresentIntervals{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                    D3DPRESENT_INTERVAL_ONE};
};

inline D3DDISPLAYMODE Mode(UINT width, UINT height, UINT refresh, D3DFORMAT format = D3DFMT_X8R8G8B8)
{
    return D3DDISPLAYMODE{width, height, refresh, format};
}

class TSyntheticCatalogue {
public:
    CD3DEnumAdapterInfo& AddAdapter(UINT ordinal, const D3DDISPLAYMODE& desktop, TD3DDisplayModeArray modes)
    {
        auto adapter = std::make_unique<CD3DEnumAdapterInfo>();
        adapter->AdapterOrdinal = ordinal;
        adapter->DisplayModeList = std::move(modes);
        Desktops[ordinal] = desktop;
        Enumeration.AdapterInfoList.push_back(std::move(adapter));
        return *Enumeration.AdapterInfoList.back();
    }

    CD3DEnumDeviceInfo& AddDevice(CD3DEnumAdapterInfo& adapter, D3DDEVTYPE type, bool hardwareTnL)
    {
        auto device = std::make_unique<CD3DEnumDeviceInfo>();
        device->AdapterOrdinal = adapter.AdapterOrdinal;
        device->DeviceType = type;
        device->Caps.DevCaps = hardwareTnL ? D3DDEVCAPS_HWTRANSFORMANDLIGHT : 0;
        adapter.DeviceInfoList.push_back(std::move(device));
        return *adapter.DeviceInfoList.back();
    }

    TD3DEnumDeviceSettingsCombo& AddCombo(CD3DEnumAdapterInfo& adapter, CD3DEnumDeviceInfo& device,
                                          const TComboSpec& spec)
    {
        TD3DEnumDeviceSettingsCombo combo;
        combo.AdapterOrdinal = adapter.AdapterOrdinal;
        combo.DeviceType = device.DeviceType;
        combo.AdapterFormat = spec.AdapterFormat;
        combo.BackBufferFormat = spec.BackBufferFormat;
        combo.Windowed = spec.Windowed;
        combo.DepthStencilFormatList = spec.DepthStencil;
        for (const auto& [type, levels] : spec.MultiSample) {
            combo.MultiSampleTypeList.push_back(type);
            combo.MultiSampleQualityList.push_back(levels);
        }
        combo.PresentIntervalList = spec.PresentIntervals;
        combo.AdapterInfo = &adapter;
        combo.DeviceInfo = &device;
        device.DeviceSettingsComboList.push_back(combo);
        return device.DeviceSettingsComboList.back();
    }

    // Windowed and full-screen combinations of X8R8G8B8 and A8R8G8B8 back buffers on one device.
    void AddStandardCombos(CD3DEnumAdapterInfo& adapter, CD3DEnumDeviceInfo& device)
    {
        for (D3DFORMAT backBuffer : {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8})
            for (bool windowed : {false, true}) {
                TComboSpec spec;
                spec.BackBufferFormat = backBuffer;
                spec.Windowed = windowed;
                if (!windowed) spec.PresentIntervals.push_back(D3DPRESENT_INTERVAL_TWO);
                AddCombo(adapter, device, spec);
            }
    }

    TDX9MatchEnvironment Environment() const
    {
        TDX9MatchEnvironment e;
        e.Enumeration = &Enumeration;
        e.DesktopMode = [this](UINT ordinal, D3DDISPLAYMODE& mode) {
            const auto it = Desktops.find(ordinal);
            if (it == Desktops.end()) return false;
            mode = it->second;
            return true;
        };
        e.DeviceWindowed = WindowedWindow;
        e.DeviceFullScreen = FullScreenWindow;
        return e;
    }

    HRESULT Find(TDX9DeviceSettings& out, const TDX9DeviceSettings* in, const TDX9MatchOptions* options) const
    {
        return FindValidDeviceSettings(Environment(), out, in, options);
    }

    CD3DEnumeration Enumeration;
    std::map<UINT, D3DDISPLAYMODE> Desktops;
    HWND WindowedWindow = reinterpret_cast<HWND>(0x1111);
    HWND FullScreenWindow = reinterpret_cast<HWND>(0x2222);
};

} // namespace testsupport
