#include "Common/Dev_Enum.h"

#include "Common/Dev_misc.h"

#include <algorithm>
#include <memory>

// Sections: fixed tables; look-ups; enumeration of adapters, devices and combinations; the lists of a
// combination; descriptions; the state's enumeration.

namespace {

// --- fixed tables ---------------------------------------------------------------------------------------------

constexpr D3DFORMAT kAdapterFormats[] = {D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_A2R10G10B10};
constexpr D3DDEVTYPE kDeviceTypes[] = {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF};
constexpr D3DFORMAT kBackBufferFormats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A2R10G10B10,
                                            D3DFMT_R5G6B5,   D3DFMT_A1R5G5B5, D3DFMT_X1R5G5B5};

BOOL D3DBool(bool value) { return value ? kD3DTrue : FALSE; }

template <class T>
void AddUnique(std::vector<T>& list, T item)
{
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

} // namespace

CD3DEnumeration::CD3DEnumeration()
    : PossibleDepthStencilFormats{D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32},
      PossiblePresentIntervals{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT, D3DPRESENT_INTERVAL_ONE,
                               D3DPRESENT_INTERVAL_TWO,       D3DPRESENT_INTERVAL_THREE,   D3DPRESENT_INTERVAL_FOUR}
{
    for (int type = 0; type <= 16; ++type) PossibleMultisampleTypes.push_back(static_cast<D3DMULTISAMPLE_TYPE>(type));
}

// --- look-ups -------------------------------------------------------------------------------------------------

CD3DEnumAdapterInfo* CD3DEnumeration::GetAdapterInfo(UINT AdapterOrdinal) const
{
    for (const auto& adapter : AdapterInfoList)
        if (adapter->AdapterOrdinal == AdapterOrdinal) return adapter.get();
    return nullptr;
}

CD3DEnumDeviceInfo* CD3DEnumeration::GetDeviceInfo(UINT AdapterOrdinal, D3DDEVTYPE DeviceType) const
{
    if (CD3DEnumAdapterInfo* adapter = GetAdapterInfo(AdapterOrdinal))
        for (const auto& device : adapter->DeviceInfoList)
            if (device->DeviceType == DeviceType) return device.get();
    return nullptr;
}

TD3DEnumDeviceSettingsCombo* CD3DEnumeration::GetDeviceSettingsCombo(UINT AdapterOrdinal, D3DDEVTYPE DeviceType,
                                                                     D3DFORMAT AdapterFormat,
                                                                     D3DFORMAT BackBufferFormat, bool Windowed) const
{
    if (CD3DEnumDeviceInfo* device = GetDeviceInfo(AdapterOrdinal, DeviceType))
        for (TD3DEnumDeviceSettingsCombo& combo : device->DeviceSettingsComboList)
            if (combo.AdapterFormat == AdapterFormat && combo.BackBufferFormat == BackBufferFormat &&
                combo.Windowed == Windowed)
                return &combo;
    return nullptr;
}

bool DisplayModeLess(const D3DDISPLAYMODE& A, const D3DDISPLAYMODE& B)
{
    if (A.Width != B.Width) return A.Width < B.Width;
    if (A.Height != B.Height) return A.Height < B.Height;
    if (A.Format != B.Format) return A.Format < B.Format;
    return A.RefreshRate < B.RefreshRate;
}

// --- enumeration of adapters, devices and combinations --------------------------------------------------------

HRESULT CD3DEnumeration::Enumerate(ComPtr<IDirect3D9> D3D, TIsDeviceAcceptableCallback IsDeviceAcceptable,
                                   void* UserContext)
{
    if (!D3D) D3D = DXUTGetD3DObject();
    if (!D3D) return kDXUTErrNoDirect3D;
    D3D_ = std::move(D3D);
    IsDeviceAcceptable_ = IsDeviceAcceptable;
    IsDeviceAcceptableUserContext_ = UserContext;
    AdapterInfoList.clear();

    const UINT adapterCount = D3D_->GetAdapterCount();
    for (UINT ordinal = 0; ordinal < adapterCount; ++ordinal) {
        auto adapter = std::make_unique<CD3DEnumAdapterInfo>();
        adapter->AdapterOrdinal = ordinal;
        D3D_->GetAdapterIdentifier(ordinal, 0, &adapter->AdapterIdentifier);

        TD3DFormatArray adapterFormats;
        for (D3DFORMAT format : kAdapterFormats) {
            const UINT modeCount = D3D_->GetAdapterModeCount(ordinal, format);
            for (UINT mode = 0; mode < modeCount; ++mode) {
                D3DDISPLAYMODE m{};
                if (FAILED(D3D_->EnumAdapterModes(ordinal, format, mode, &m))) continue;
                if (m.Width < MinWidth || m.Height < MinHeight || m.Width > MaxWidth || m.Height > MaxHeight ||
                    m.RefreshRate < RefreshMin || m.RefreshRate > RefreshMax)
                    continue;
                adapter->DisplayModeList.push_back(m);
                AddUnique(adapterFormats, m.Format);
            }
        }
        D3DDISPLAYMODE desktop{};
        if (SUCCEEDED(D3D_->GetAdapterDisplayMode(ordinal, &desktop))) AddUnique(adapterFormats, desktop.Format);
        std::sort(adapter->DisplayModeList.begin(), adapter->DisplayModeList.end(), DisplayModeLess);

        EnumerateDevices(*adapter, adapterFormats);
        if (!adapter->DeviceInfoList.empty()) AdapterInfoList.push_back(std::move(adapter));
    }
    AssignUniqueDescriptions(AdapterInfoList);
    return S_OK;
}

void CD3DEnumeration::EnumerateDevices(CD3DEnumAdapterInfo& Adapter, const TD3DFormatArray& AdapterFormats)
{
    const HWND focus = GetDXUTState().Get(&TDX9State_STATE::HWNDFocus);
    D3DDISPLAYMODE primaryMode{};
    D3D_->GetAdapterDisplayMode(0, &primaryMode);
    for (D3DDEVTYPE type : kDeviceTypes) {
        auto device = std::make_unique<CD3DEnumDeviceInfo>();
        device->AdapterOrdinal = Adapter.AdapterOrdinal;
        device->DeviceType = type;
        if (FAILED(D3D_->GetDeviceCaps(Adapter.AdapterOrdinal, type, &device->Caps))) continue;

        // A device type the machine lacks altogether reports "not available"; other failures of this small
        // probe (e.g. no focus window yet) say nothing about the type, so it stays.
        D3DPRESENT_PARAMETERS pp{};
        pp.BackBufferWidth = 1;
        pp.BackBufferHeight = 1;
        pp.BackBufferFormat = primaryMode.Format;
        pp.BackBufferCount = 1;
        pp.SwapEffect = D3DSWAPEFFECT_COPY;
        pp.Windowed = kD3DTrue;
        // The probe renders on a window of its own: a device made on the focus window would leave that window's
        // client area to Direct3D for good under Wine, hiding its controls, and one made on the readback window
        // leaves every later device there drawing about a hundred times slower.
        const std::unique_ptr<HWND__, decltype(&DestroyWindow)> probeWindow(
            CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr),
            &DestroyWindow);
        pp.hDeviceWindow = probeWindow.get();
        ComPtr<IDirect3DDevice9> probe;
        const HRESULT hr = D3D_->CreateDevice(Adapter.AdapterOrdinal, type, focus, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                              &pp, probe.Out());
        if (hr == kD3DErrNotAvailable) continue;
        probe.Reset();

        EnumerateDeviceCombos(Adapter, *device, AdapterFormats);
        if (!device->DeviceSettingsComboList.empty()) Adapter.DeviceInfoList.push_back(std::move(device));
    }
}

void CD3DEnumeration::EnumerateDeviceCombos(CD3DEnumAdapterInfo& Adapter, CD3DEnumDeviceInfo& Device,
                                            const TD3DFormatArray& AdapterFormats)
{
    for (D3DFORMAT adapterFormat : AdapterFormats) {
        for (D3DFORMAT backBufferFormat : kBackBufferFormats) {
            for (bool windowed : {false, true}) {
                if (!windowed && Adapter.DisplayModeList.empty()) continue;
                if (FAILED(D3D_->CheckDeviceType(Adapter.AdapterOrdinal, Device.DeviceType, adapterFormat,
                                                 backBufferFormat, D3DBool(windowed))))
                    continue;
                if (RequirePostPixelShaderBlending &&
                    FAILED(D3D_->CheckDeviceFormat(Adapter.AdapterOrdinal, Device.DeviceType, adapterFormat,
                                                   D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE,
                                                   backBufferFormat)))
                    continue;
                if (IsDeviceAcceptable_ && !IsDeviceAcceptable_(&Device.Caps, adapterFormat, backBufferFormat, windowed,
                                                                IsDeviceAcceptableUserContext_))
                    continue;

                TD3DEnumDeviceSettingsCombo combo;
                combo.AdapterOrdinal = Adapter.AdapterOrdinal;
                combo.DeviceType = Device.DeviceType;
                combo.AdapterFormat = adapterFormat;
                combo.BackBufferFormat = backBufferFormat;
                combo.Windowed = windowed;
                combo.AdapterInfo = &Adapter;
                combo.DeviceInfo = &Device;
                BuildDepthStencilFormatList(combo);
                BuildMultiSampleTypeList(combo);
                if (combo.MultiSampleTypeList.empty()) continue;
                BuildDSMSConflictList(combo);
                combo.PresentIntervalList =
                    PresentIntervalsFor(PossiblePresentIntervals, Device.Caps.PresentationIntervals, windowed);
                Device.DeviceSettingsComboList.push_back(std::move(combo));
            }
        }
    }
}

// --- the lists of a combination -------------------------------------------------------------------------------

void CD3DEnumeration::BuildDepthStencilFormatList(TD3DEnumDeviceSettingsCombo& Combo)
{
    for (D3DFORMAT format : PossibleDepthStencilFormats)
        if (SUCCEEDED(D3D_->CheckDeviceFormat(Combo.AdapterOrdinal, Combo.DeviceType, Combo.AdapterFormat,
                                              D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, format)) &&
            SUCCEEDED(D3D_->CheckDepthStencilMatch(Combo.AdapterOrdinal, Combo.DeviceType, Combo.AdapterFormat,
                                                   Combo.BackBufferFormat, format)))
            Combo.DepthStencilFormatList.push_back(format);
}

void CD3DEnumeration::BuildMultiSampleTypeList(TD3DEnumDeviceSettingsCombo& Combo)
{
    for (D3DMULTISAMPLE_TYPE type : PossibleMultisampleTypes) {
        DWORD quality = 0;
        if (FAILED(D3D_->CheckDeviceMultiSampleType(Combo.AdapterOrdinal, Combo.DeviceType, Combo.BackBufferFormat,
                                                    D3DBool(Combo.Windowed), type, &quality)))
            continue;
        Combo.MultiSampleTypeList.push_back(type);
        const DWORD cap = MultisampleQualityMax + 1;
        Combo.MultiSampleQualityList.push_back(cap != 0 && quality > cap ? cap : quality);
    }
}

void CD3DEnumeration::BuildDSMSConflictList(TD3DEnumDeviceSettingsCombo& Combo)
{
    for (D3DFORMAT format : Combo.DepthStencilFormatList)
        for (D3DMULTISAMPLE_TYPE type : Combo.MultiSampleTypeList)
            if (FAILED(D3D_->CheckDeviceMultiSampleType(Combo.AdapterOrdinal, Combo.DeviceType, format,
                                                        D3DBool(Combo.Windowed), type, nullptr)))
                Combo.DSMSConflictList.push_back({format, type});
}

TLongWordArray PresentIntervalsFor(const TLongWordArray& Possible, DWORD CapsIntervals, bool Windowed)
{
    TLongWordArray offered;
    for (DWORD interval : Possible) {
        if (Windowed && (interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
                         interval == D3DPRESENT_INTERVAL_FOUR))
            continue;
        if (interval == D3DPRESENT_INTERVAL_DEFAULT || (CapsIntervals & interval) != 0) offered.push_back(interval);
    }
    return offered;
}

// --- descriptions ---------------------------------------------------------------------------------------------

namespace {

// The identifier's description need not end within its buffer when a driver fills all of it.
int DescriptionLength(const CD3DEnumAdapterInfo& adapter)
{
    return static_cast<int>(
        strnlen(adapter.AdapterIdentifier.Description, sizeof adapter.AdapterIdentifier.Description));
}

bool SameDescription(const CD3DEnumAdapterInfo& a, const CD3DEnumAdapterInfo& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.AdapterIdentifier.Description, DescriptionLength(a),
                          b.AdapterIdentifier.Description, DescriptionLength(b)) == CSTR_EQUAL;
}

} // namespace

void AssignUniqueDescriptions(TD3DEnumAdapterInfoArray& Adapters)
{
    bool duplicate = false;
    for (size_t i = 0; i < Adapters.size() && !duplicate; ++i)
        for (size_t j = i + 1; j < Adapters.size() && !duplicate; ++j)
            duplicate = SameDescription(*Adapters[i], *Adapters[j]);
    for (const auto& adapter : Adapters) {
        constexpr int kNameLength = 100;
        wchar_t name[kNameLength + 1] = {};
        const int converted =
            MultiByteToWideChar(CP_ACP, 0, adapter->AdapterIdentifier.Description,
                                std::min(DescriptionLength(*adapter), kNameLength), name, kNameLength);
        name[converted > 0 ? converted : 0] = 0;
        std::array<wchar_t, 256>& unique = adapter->UniqueDescription;
        StringCchCopyW(unique.data(), unique.size(), name);
        if (duplicate) {
            wchar_t suffix[32];
            StringCchPrintfW(suffix, 32, L" (#%d)", adapter->AdapterOrdinal);
            StringCchCatW(unique.data(), unique.size(), suffix);
        }
    }
}

// --- the state's enumeration ----------------------------------------------------------------------------------

CD3DEnumeration& DXUTGetEnumeration()
{
    static CD3DEnumeration enumeration;
    return enumeration;
}

CD3DEnumeration* DXUTPrepareEnumerationObject(bool Enumerate)
{
    TDX9State& s = GetDXUTState();
    CD3DEnumeration* enumeration = s.Get(&TDX9State_STATE::EnumerationObject);
    if (enumeration == nullptr) {
        enumeration = &DXUTGetEnumeration();
        s.Set(&TDX9State_STATE::EnumerationObject, enumeration);
        Enumerate = true;
    }
    if (Enumerate)
        enumeration->Enumerate(s.Get(&TDX9State_STATE::Direct3DObject), s.Get(&TDX9State_STATE::IsDeviceAcceptableFunc),
                               s.Get(&TDX9State_STATE::IsDeviceAcceptableFuncUserContext));
    return enumeration;
}
