#pragma once
// The catalogue of what the machine's adapters can do, built once per Direct3D object: per adapter its
// identifier and display modes, per device type its capabilities, and per (adapter format, back-buffer format,
// windowed) the settings combinations that work with their depth-stencil formats, multisample types, conflicts
// and present intervals. The records are plain data, so settings matching can also run on a catalogue that a
// test fills by hand.
#include "Common/Dev_State.h"

#include <array>
#include <memory>
#include <vector>

class CD3DEnumAdapterInfo;
class CD3DEnumDeviceInfo;

using TD3DFormatArray = std::vector<D3DFORMAT>;
using TD3DMultiSampleTypeArray = std::vector<D3DMULTISAMPLE_TYPE>;
using TLongWordArray = std::vector<DWORD>;
using TD3DDisplayModeArray = std::vector<D3DDISPLAYMODE>;

// A depth-stencil format and a multisample type that do not work together.
struct TD3DEnumDSMSConflict {
    D3DFORMAT DSFormat;
    D3DMULTISAMPLE_TYPE MSType;
};

struct TD3DEnumDeviceSettingsCombo {
    UINT AdapterOrdinal = 0;
    D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
    D3DFORMAT AdapterFormat = D3DFMT_UNKNOWN;
    D3DFORMAT BackBufferFormat = D3DFMT_UNKNOWN;
    bool Windowed = false;
    TD3DFormatArray DepthStencilFormatList;
    TD3DMultiSampleTypeArray MultiSampleTypeList;
    TLongWordArray MultiSampleQualityList; // quality count per entry of MultiSampleTypeList
    TLongWordArray PresentIntervalList;
    std::vector<TD3DEnumDSMSConflict> DSMSConflictList;
    CD3DEnumAdapterInfo* AdapterInfo = nullptr; // owners
    CD3DEnumDeviceInfo* DeviceInfo = nullptr;
};

class CD3DEnumDeviceInfo {
public:
    UINT AdapterOrdinal = 0;
    D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
    D3DCAPS9 Caps{};
    std::vector<TD3DEnumDeviceSettingsCombo> DeviceSettingsComboList;
};

class CD3DEnumAdapterInfo {
public:
    UINT AdapterOrdinal = 0;
    D3DADAPTER_IDENTIFIER9 AdapterIdentifier{};
    std::array<wchar_t, 256> UniqueDescription{};
    TD3DDisplayModeArray DisplayModeList; // ascending by width, height, format, refresh rate
    std::vector<std::unique_ptr<CD3DEnumDeviceInfo>> DeviceInfoList;
};

using TD3DEnumAdapterInfoArray = std::vector<std::unique_ptr<CD3DEnumAdapterInfo>>;

class CD3DEnumeration {
public:
    CD3DEnumeration();
    CD3DEnumeration(const CD3DEnumeration&) = delete;
    CD3DEnumeration& operator=(const CD3DEnumeration&) = delete;

    // Rebuilds the catalogue. Without D3D the state's Direct3D object is used; kDXUTErrNoDirect3D when there
    // is none. Adapters and device types that fail a query are left out silently.
    HRESULT Enumerate(ComPtr<IDirect3D9> D3D = {}, TIsDeviceAcceptableCallback IsDeviceAcceptable = nullptr,
                      void* UserContext = nullptr);

    TD3DEnumAdapterInfoArray& GetAdapterInfoList() { return AdapterInfoList; }
    const TD3DEnumAdapterInfoArray& GetAdapterInfoList() const { return AdapterInfoList; }
    CD3DEnumAdapterInfo* GetAdapterInfo(UINT AdapterOrdinal) const;
    CD3DEnumDeviceInfo* GetDeviceInfo(UINT AdapterOrdinal, D3DDEVTYPE DeviceType) const;
    // The first combination of that device with equal formats and windowed value, or null.
    TD3DEnumDeviceSettingsCombo* GetDeviceSettingsCombo(UINT AdapterOrdinal, D3DDEVTYPE DeviceType,
                                                        D3DFORMAT AdapterFormat, D3DFORMAT BackBufferFormat,
                                                        bool Windowed) const;
    const ComPtr<IDirect3D9>& GetD3D() const { return D3D_; }
    void ReleaseD3D() { D3D_.Reset(); }

    bool RequirePostPixelShaderBlending = true;
    TD3DFormatArray PossibleDepthStencilFormats;
    TD3DMultiSampleTypeArray PossibleMultisampleTypes;
    TLongWordArray PossiblePresentIntervals;
    bool SoftwareVP = true;
    bool HardwareVP = true;
    bool PureHardwareVP = true;
    bool MixedVP = false;
    UINT MinWidth = 640;
    UINT MaxWidth = 0xFFFFFFFF;
    UINT MinHeight = 480;
    UINT MaxHeight = 0xFFFFFFFF;
    UINT RefreshMin = 0;
    UINT RefreshMax = 0xFFFFFFFF;
    UINT MultisampleQualityMax = 0xFFFF;
    TD3DEnumAdapterInfoArray AdapterInfoList;

private:
    void EnumerateDevices(CD3DEnumAdapterInfo& Adapter, const TD3DFormatArray& AdapterFormats);
    void EnumerateDeviceCombos(CD3DEnumAdapterInfo& Adapter, CD3DEnumDeviceInfo& Device,
                               const TD3DFormatArray& AdapterFormats);
    void BuildDepthStencilFormatList(TD3DEnumDeviceSettingsCombo& Combo);
    void BuildMultiSampleTypeList(TD3DEnumDeviceSettingsCombo& Combo);
    void BuildDSMSConflictList(TD3DEnumDeviceSettingsCombo& Combo);

    ComPtr<IDirect3D9> D3D_;
    TIsDeviceAcceptableCallback IsDeviceAcceptable_ = nullptr;
    void* IsDeviceAcceptableUserContext_ = nullptr;
};

// The process-wide enumeration, created on first use.
CD3DEnumeration& DXUTGetEnumeration();
// The state's enumeration; attaches the singleton (and forces enumeration) when none is attached. Enumerating
// passes the state's Direct3D object and IsDeviceAcceptable callback.
CD3DEnumeration* DXUTPrepareEnumerationObject(bool Enumerate = false);

// Sets every adapter's UniqueDescription from its identifier's Description (system code page, at most 100
// characters), with the suffix " (#<ordinal>)" on all of them when two descriptions are equal ignoring case.
void AssignUniqueDescriptions(TD3DEnumAdapterInfoArray& Adapters);
// The possible intervals a combination offers: the default (0) and those the device's caps name; a window
// cannot wait for more than one refresh, so windowed combinations never offer intervals two to four.
TLongWordArray PresentIntervalsFor(const TLongWordArray& Possible, DWORD CapsIntervals, bool Windowed);
// Display-mode order of the catalogue: width, height, format, refresh rate.
bool DisplayModeLess(const D3DDISPLAYMODE& A, const D3DDISPLAYMODE& B);
