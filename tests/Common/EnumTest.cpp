#include "Common/Dev_Enum.h"
#include "Common/Dev_misc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace {

void ForEachCombo(const CD3DEnumeration& e, const std::function<void(const TD3DEnumDeviceSettingsCombo&)>& Use)
{
    for (const auto& adapter : e.GetAdapterInfoList())
        for (const auto& device : adapter->DeviceInfoList)
            for (const TD3DEnumDeviceSettingsCombo& c : device->DeviceSettingsComboList) Use(c);
}

bool AcceptFullScreenOnly(const D3DCAPS9* Caps, D3DFORMAT, D3DFORMAT, bool Windowed, void*)
{
    return Caps != nullptr && !Windowed;
}

// The real Direct3D object under Wine, with a focus window for the probe devices.
TEST(Enumeration, CatalogueOfThePlatformAndItsLimits)
{
    EXPECT_EQ(std::uint32_t(CD3DEnumeration().Enumerate()), 0x80040901u) << "no Direct3D object in the state";
    const ComPtr<IDirect3D9> d3d = DynamicDirect3DCreate9(D3D_SDK_VERSION);
    const HWND window = CreateWindowExW(0, L"STATIC", L"enumeration test", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    GetDXUTState().Set(&TDX9State_STATE::HWNDFocus, window);
    CD3DEnumeration e;
    e.AdapterInfoList.push_back(std::make_unique<CD3DEnumAdapterInfo>()); // an old catalogue is replaced
    ASSERT_EQ(e.Enumerate(d3d), S_OK);
    ASSERT_EQ(e.GetAdapterInfoList().size(), 1u) << "Wine offers one adapter";
    const CD3DEnumAdapterInfo& adapter = *e.GetAdapterInfoList()[0];
    const std::string description = adapter.AdapterIdentifier.Description;
    EXPECT_EQ(std::wstring(adapter.UniqueDescription.data()), std::wstring(description.begin(), description.end()));
    const TD3DDisplayModeArray& modes = adapter.DisplayModeList;
    EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [](const D3DDISPLAYMODE& m) {
        return m.Width == 1280 && m.Height == 1024 && m.Format == D3DFMT_X8R8G8B8;
    })) << "the test screen's mode";
    EXPECT_TRUE(std::is_sorted(modes.begin(), modes.end(), DisplayModeLess));
    std::vector<D3DDEVTYPE> types;
    for (const auto& device : adapter.DeviceInfoList) types.push_back(device->DeviceType);
    EXPECT_EQ(types, (std::vector<D3DDEVTYPE>{D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF}));
    ForEachCombo(e, [](const TD3DEnumDeviceSettingsCombo& c) {
        ASSERT_FALSE(c.MultiSampleTypeList.empty());
        EXPECT_EQ(c.MultiSampleTypeList[0], D3DMULTISAMPLE_NONE);
        EXPECT_EQ(c.MultiSampleQualityList.size(), c.MultiSampleTypeList.size());
        const auto& intervals = c.PresentIntervalList;
        if (c.Windowed) EXPECT_EQ(std::count(intervals.begin(), intervals.end(), DWORD(D3DPRESENT_INTERVAL_TWO)), 0);
    });
    const TD3DEnumDeviceSettingsCombo* everyday =
        e.GetDeviceSettingsCombo(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true);
    ASSERT_NE(everyday, nullptr);
    EXPECT_EQ(everyday->PresentIntervalList, (TLongWordArray{D3DPRESENT_INTERVAL_IMMEDIATE, 0, 1}));

    CD3DEnumeration byCallback;
    ASSERT_EQ(byCallback.Enumerate(d3d, AcceptFullScreenOnly), S_OK);
    EXPECT_EQ(byCallback.GetAdapterInfoList().size(), 1u);
    ForEachCombo(byCallback, [](const TD3DEnumDeviceSettingsCombo& c) { EXPECT_FALSE(c.Windowed); });
    CD3DEnumeration smallModes;
    smallModes.MinWidth = 1281; // every mode is too small: no full screen
    ASSERT_EQ(smallModes.Enumerate(d3d), S_OK);
    ForEachCombo(smallModes, [](const TD3DEnumDeviceSettingsCombo& c) { EXPECT_TRUE(c.Windowed); });
    GetDXUTState().Set(&TDX9State_STATE::HWNDFocus, nullptr);
    DestroyWindow(window);
}

TEST(Enumeration, UniqueDescriptions)
{
    const std::pair<std::vector<std::string>, std::vector<std::wstring>> rows[] = {
        {{"Wine Card", "Other Card"}, {L"Wine Card", L"Other Card"}},
        {{"A", "B", "a"}, {L"A (#0)", L"B (#1)", L"a (#2)"}}, // equal ignoring case: every name numbered
        {{std::string(150, 'x')}, {std::wstring(100, L'x')}},
    };
    for (const auto& [given, expected] : rows) {
        TD3DEnumAdapterInfoArray adapters;
        for (const std::string& name : given) {
            adapters.push_back(std::make_unique<CD3DEnumAdapterInfo>());
            adapters.back()->AdapterOrdinal = UINT(adapters.size() - 1);
            std::memcpy(adapters.back()->AdapterIdentifier.Description, name.c_str(), name.size() + 1);
        }
        AssignUniqueDescriptions(adapters);
        for (size_t i = 0; i < adapters.size(); ++i)
            EXPECT_EQ(std::wstring(adapters[i]->UniqueDescription.data()), expected[i]) << given[i];
    }
}

} // namespace
