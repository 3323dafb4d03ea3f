#include "Common/Dev_DeviceMatch.h"
#include "Common/Dev_Enum.h"
#include "tests/Common/D3DTestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using testsupport::CreateD3D;
using testsupport::THiddenWindow;

// Enumerations under Wine, with the framework's focus window set for the probe devices.
class EnumOnWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3D = CreateD3D();
        ASSERT_TRUE(D3D);
        ASSERT_TRUE(Window.Handle);
        GetDXUTState().Set(&TDX9State_STATE::HWNDFocus, Window.Handle);
        ASSERT_TRUE(SUCCEEDED(D3D->GetAdapterDisplayMode(0, &Desktop)));
    }
    void TearDown() override { GetDXUTState().Set(&TDX9State_STATE::HWNDFocus, nullptr); }

    THiddenWindow Window;
    ComPtr<IDirect3D9> D3D;
    D3DDISPLAYMODE Desktop{};
};

bool IsWindowOnlyInterval(DWORD interval)
{
    return interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
           interval == D3DPRESENT_INTERVAL_FOUR;
}

TEST_F(EnumOnWine, CataloguesTheAdapterModesDevicesAndLists)
{
    CD3DEnumeration e;
    ASSERT_EQ(e.Enumerate(D3D), S_OK);
    ASSERT_EQ(e.GetAdapterInfoList().size(), 1u);
    const CD3DEnumAdapterInfo& adapter = *e.GetAdapterInfoList()[0];
    EXPECT_EQ(adapter.AdapterOrdinal, 0u);
    EXPECT_NE(adapter.AdapterIdentifier.Description[0], 0);
    const std::string description = adapter.AdapterIdentifier.Description;
    EXPECT_EQ(std::wstring(adapter.UniqueDescription.data()), std::wstring(description.begin(), description.end()))
        << "a single card keeps its plain name";

    // Modes: the Xvfb screen size is among them, none below 640x480, sorted.
    const TD3DDisplayModeArray& modes = adapter.DisplayModeList;
    ASSERT_FALSE(modes.empty());
    EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& m) {
        return m.Width == Desktop.Width && m.Height == Desktop.Height && m.Format == D3DFMT_X8R8G8B8;
    }));
    EXPECT_EQ(Desktop.Width, 1280u);
    EXPECT_EQ(Desktop.Height, 1024u);
    for (const D3DDISPLAYMODE& m : modes) EXPECT_TRUE(m.Width >= 640 && m.Height >= 480);
    EXPECT_TRUE(std::is_sorted(modes.begin(), modes.end(), DisplayModeLess));

    // Device types in the order HAL, SW, REF (Wine offers all three).
    std::vector<D3DDEVTYPE> types;
    for (const auto& device : adapter.DeviceInfoList) types.push_back(device->DeviceType);
    EXPECT_EQ(types, (std::vector<D3DDEVTYPE>{D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF}));

    const CD3DEnumeration& possible = e;
    for (const auto& device : adapter.DeviceInfoList) {
        ASSERT_FALSE(device->DeviceSettingsComboList.empty());
        for (const TD3DEnumDeviceSettingsCombo& c : device->DeviceSettingsComboList) {
            EXPECT_EQ(c.AdapterInfo, &adapter);
            EXPECT_EQ(c.DeviceInfo, device.get());
            EXPECT_EQ(c.DeviceType, device->DeviceType);
            for (DWORD interval : c.PresentIntervalList) {
                EXPECT_FALSE(c.Windowed && IsWindowOnlyInterval(interval));
                EXPECT_TRUE(interval == 0 || (device->Caps.PresentationIntervals & interval)) << interval;
            }
            const bool offersTwo = std::count(c.PresentIntervalList.begin(), c.PresentIntervalList.end(),
                                              DWORD(D3DPRESENT_INTERVAL_TWO)) > 0;
            const bool deviceHasTwo = device->Caps.PresentationIntervals & D3DPRESENT_INTERVAL_TWO;
            EXPECT_EQ(offersTwo, deviceHasTwo && !c.Windowed);
            // Lists keep the order of the possible values they come from.
            EXPECT_TRUE(std::includes(possible.PossibleDepthStencilFormats.begin(),
                                      possible.PossibleDepthStencilFormats.end(), c.DepthStencilFormatList.begin(),
                                      c.DepthStencilFormatList.end(), [&](D3DFORMAT a, D3DFORMAT b) {
                                          const auto& p = possible.PossibleDepthStencilFormats;
                                          return std::find(p.begin(), p.end(), a) < std::find(p.begin(), p.end(), b);
                                      }));
            ASSERT_FALSE(c.MultiSampleTypeList.empty());
            EXPECT_EQ(c.MultiSampleTypeList[0], D3DMULTISAMPLE_NONE);
            EXPECT_EQ(c.MultiSampleQualityList.size(), c.MultiSampleTypeList.size());
            EXPECT_TRUE(std::is_sorted(c.MultiSampleTypeList.begin(), c.MultiSampleTypeList.end()));
            ASSERT_FALSE(c.PresentIntervalList.empty());
        }
    }

    // The everyday combination: windowed X8R8G8B8 on HAL with depth formats and the default interval.
    const TD3DEnumDeviceSettingsCombo* combo =
        e.GetDeviceSettingsCombo(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->Windowed);
    EXPECT_FALSE(combo->DepthStencilFormatList.empty());
    EXPECT_NE(std::find(combo->PresentIntervalList.begin(), combo->PresentIntervalList.end(),
                        DWORD(D3DPRESENT_INTERVAL_DEFAULT)),
              combo->PresentIntervalList.end());
    EXPECT_NE(e.GetDeviceSettingsCombo(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false), nullptr);

    // Look-ups of absent keys.
    EXPECT_EQ(e.GetAdapterInfo(1), nullptr);
    EXPECT_EQ(e.GetDeviceInfo(1, D3DDEVTYPE_HAL), nullptr);
    EXPECT_EQ(e.GetDeviceInfo(0, D3DDEVTYPE_NULLREF), nullptr);
    EXPECT_EQ(e.GetDeviceSettingsCombo(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A16B16G16R16, true), nullptr);
}

struct TCallbackLog {
    int Calls = 0;
    int Windowed = 0;
    bool AcceptFullScreen = true;
    bool AcceptWindowed = true;
};

bool Acceptable(const D3DCAPS9* caps, D3DFORMAT, D3DFORMAT, bool windowed, void* context)
{
    auto* log = static_cast<TCallbackLog*>(context);
    EXPECT_NE(caps, nullptr);
    ++log->Calls;
    if (windowed) ++log->Windowed;
    return windowed ? log->AcceptWindowed : log->AcceptFullScreen;
}

TEST_F(EnumOnWine, AcceptanceCallbackFiltersCombinations)
{
    struct TRow {
        bool FullScreen, Windowed;
        size_t Adapters;
    };
    const TRow rows[] = {{false, false, 0}, {false, true, 1}, {true, false, 1}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.FullScreen * 2 + row.Windowed);
        TCallbackLog log;
        log.AcceptFullScreen = row.FullScreen;
        log.AcceptWindowed = row.Windowed;
        CD3DEnumeration e;
        ASSERT_EQ(e.Enumerate(D3D, Acceptable, &log), S_OK);
        EXPECT_GT(log.Windowed, 0);
        EXPECT_GT(log.Calls, log.Windowed);
        ASSERT_EQ(e.GetAdapterInfoList().size(), row.Adapters);
        for (const auto& adapter : e.GetAdapterInfoList())
            for (const auto& device : adapter->DeviceInfoList)
                for (const auto& combo : device->DeviceSettingsComboList)
                    EXPECT_TRUE(combo.Windowed ? row.Windowed : row.FullScreen);
    }
}

TEST_F(EnumOnWine, ModeLimitsLeaveOutModesAndFullScreen)
{
    CD3DEnumeration e;
    e.MinWidth = Desktop.Width + 1; // every mode is too small now
    ASSERT_EQ(e.Enumerate(D3D), S_OK);
    ASSERT_EQ(e.GetAdapterInfoList().size(), 1u);
    const CD3DEnumAdapterInfo& adapter = *e.GetAdapterInfoList()[0];
    EXPECT_TRUE(adapter.DisplayModeList.empty());
    for (const auto& device : adapter.DeviceInfoList)
        for (const auto& combo : device->DeviceSettingsComboList) EXPECT_TRUE(combo.Windowed);
}

TEST_F(EnumOnWine, NoMultisampleTypeMeansNoCombination)
{
    CD3DEnumeration e;
    e.PossibleMultisampleTypes = {static_cast<D3DMULTISAMPLE_TYPE>(17)}; // no device has it
    ASSERT_EQ(e.Enumerate(D3D), S_OK);
    EXPECT_TRUE(e.GetAdapterInfoList().empty());
}

TEST_F(EnumOnWine, ReEnumerationReplacesTheCatalogue)
{
    CD3DEnumeration e;
    ASSERT_EQ(e.Enumerate(D3D), S_OK);
    e.GetAdapterInfoList().push_back(std::make_unique<CD3DEnumAdapterInfo>());
    ASSERT_EQ(e.Enumerate(D3D), S_OK);
    EXPECT_EQ(e.GetAdapterInfoList().size(), 1u);
    e.ReleaseD3D();
    EXPECT_FALSE(e.GetD3D());
}

TEST(Enumeration, WithoutDirect3DFails)
{
    ASSERT_FALSE(GetDXUTState().Get(&TDX9State_STATE::Direct3DObject));
    CD3DEnumeration e;
    EXPECT_EQ(e.Enumerate(), kDXUTErrNoDirect3D);
}

TEST_F(EnumOnWine, StateEnumerationAndMatchOnTheRealCatalogue)
{
    TDX9State& s = GetDXUTState();
    s.Set(&TDX9State_STATE::Direct3DObject, D3D);
    s.Set(&TDX9State_STATE::HWNDDeviceWindowed, Window.Handle);
    CD3DEnumeration* e = DXUTPrepareEnumerationObject(false); // none attached: attaches and enumerates
    ASSERT_EQ(e, &DXUTGetEnumeration());
    ASSERT_EQ(e->GetAdapterInfoList().size(), 1u);
    e->GetAdapterInfoList().push_back(std::make_unique<CD3DEnumAdapterInfo>());
    EXPECT_EQ(DXUTPrepareEnumerationObject(false)->GetAdapterInfoList().size(), 2u) << "attached: no re-enumeration";
    EXPECT_EQ(DXUTPrepareEnumerationObject(true)->GetAdapterInfoList().size(), 1u);

    // The program's device creation: adapter 0 and windowed preserved, the screen size closest.
    TDX9DeviceSettings settings{};
    settings.pp.Windowed = kD3DTrue;
    settings.pp.BackBufferWidth = Desktop.Width;
    settings.pp.BackBufferHeight = Desktop.Height;
    settings.pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    TDX9MatchOptions options;
    options.AdapterOrdinal = TDX9MatchType::PreserveInput;
    options.Windowed = TDX9MatchType::PreserveInput;
    options.Resolution = TDX9MatchType::ClosestToInput;
    options.PresentInterval = TDX9MatchType::PreserveInput;
    ASSERT_EQ(DXUTFindValidDeviceSettings(&settings, &settings, &options), S_OK);
    EXPECT_EQ(settings.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(settings.AdapterFormat, Desktop.Format);
    EXPECT_EQ(settings.pp.BackBufferFormat, Desktop.Format);
    EXPECT_EQ(settings.pp.BackBufferWidth, Desktop.Width);
    EXPECT_EQ(settings.pp.PresentationInterval, DWORD(D3DPRESENT_INTERVAL_IMMEDIATE));
    EXPECT_EQ(settings.BehaviorFlags, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
    EXPECT_EQ(settings.pp.hDeviceWindow, Window.Handle);

    s.Set(&TDX9State_STATE::EnumerationObject, nullptr);
    s.Set(&TDX9State_STATE::Direct3DObject, ComPtr<IDirect3D9>());
    s.Set(&TDX9State_STATE::HWNDDeviceWindowed, nullptr);
    DXUTGetEnumeration().ReleaseD3D();
}

TEST(Enumeration, PresentIntervals)
{
    const TLongWordArray possible = CD3DEnumeration().PossiblePresentIntervals;
    const DWORD all = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_TWO |
                      D3DPRESENT_INTERVAL_THREE | D3DPRESENT_INTERVAL_FOUR;
    struct TRow {
        DWORD Caps;
        bool Windowed;
        TLongWordArray Expected;
    };
    const TRow rows[] = {
        {all, false, {D3DPRESENT_INTERVAL_IMMEDIATE, 0, 1, 2, 4, 8}},
        {all, true, {D3DPRESENT_INTERVAL_IMMEDIATE, 0, 1}},
        {D3DPRESENT_INTERVAL_ONE, false, {0, 1}},
        {0, true, {0}},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(PresentIntervalsFor(possible, row.Caps, row.Windowed), row.Expected) << row.Caps << row.Windowed;
}

TEST(Enumeration, UniqueDescriptions)
{
    struct TRow {
        std::vector<std::string> Names;
        std::vector<std::wstring> Expected;
    };
    const std::string longName(150, 'x');
    const TRow rows[] = {
        {{"Wine Card"}, {L"Wine Card"}},
        {{"Wine Card", "Other Card"}, {L"Wine Card", L"Other Card"}},
        {{"Wine Card", "WINE CARD"}, {L"Wine Card (#0)", L"WINE CARD (#1)"}},
        {{"A", "B", "a"}, {L"A (#0)", L"B (#1)", L"a (#2)"}},
        {{longName}, {std::wstring(100, L'x')}},
        {{""}, {L""}},
    };
    for (const TRow& row : rows) {
        TD3DEnumAdapterInfoArray adapters;
        for (size_t i = 0; i < row.Names.size(); ++i) {
            auto adapter = std::make_unique<CD3DEnumAdapterInfo>();
            adapter->AdapterOrdinal = static_cast<UINT>(i);
            std::memcpy(adapter->AdapterIdentifier.Description, row.Names[i].c_str(), row.Names[i].size() + 1);
            adapter->UniqueDescription.fill(L'?');
            adapters.push_back(std::move(adapter));
        }
        AssignUniqueDescriptions(adapters);
        for (size_t i = 0; i < adapters.size(); ++i)
            EXPECT_EQ(std::wstring(adapters[i]->UniqueDescription.data()), row.Expected[i]) << row.Names[i];
    }
}

} // namespace
