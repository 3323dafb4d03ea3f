#include "Common/Dev_State.h"
#include "Common/Dev_misc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DXUTState, SettingsCopiesAndQueries)
{
    TDX9State& s = GetDXUTState();
    EXPECT_FALSE(s.GetCurrentSettings().has_value());
    EXPECT_TRUE(TDX9State::Locking()) << "locked until the first device change";
    const TDX9DeviceSettings none = DXUTGetDeviceSettings();
    EXPECT_EQ(none.AdapterOrdinal, 0u);
    EXPECT_EQ(none.pp.BackBufferWidth, 0u);
    EXPECT_FALSE(DXUTIsWindowed());

    auto settings = std::make_unique<TDX9DeviceSettings>();
    settings->AdapterOrdinal = 2;
    settings->pp.BackBufferWidth = 800;
    settings->pp.Windowed = 1; // any non-zero value counts as windowed
    EXPECT_EQ(s.ExchangeCurrentSettings(std::move(settings)), nullptr);
    EXPECT_EQ(DXUTGetDeviceSettings().AdapterOrdinal, 2u);
    EXPECT_EQ(DXUTGetPresentParameters().BackBufferWidth, 800u);
    EXPECT_TRUE(DXUTIsWindowed());

    const HWND windowed = reinterpret_cast<HWND>(0x10), fullScreen = reinterpret_cast<HWND>(0x20);
    s.Set(&TDX9State_STATE::HWNDDeviceWindowed, windowed);
    s.Set(&TDX9State_STATE::HWNDDeviceFullScreen, fullScreen);
    EXPECT_EQ(DXUTGetHWND(), windowed);

    std::unique_ptr<TDX9DeviceSettings> old = s.ExchangeCurrentSettings(nullptr);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->AdapterOrdinal, 2u);
    EXPECT_EQ(DXUTGetHWND(), fullScreen);
    s.Set(&TDX9State_STATE::HWNDDeviceWindowed, nullptr);
    s.Set(&TDX9State_STATE::HWNDDeviceFullScreen, nullptr);
}

TEST(DXUTState, PauseNestsAndStopsTheGlobalTimer)
{
    TDX9State& s = GetDXUTState();
    GetGlobalTimer().Reset();
    struct TStep {
        bool PauseTime, PauseRendering;
        int TimeCount, RenderCount;
    };
    const TStep steps[] = {
        {true, true, 1, 1},   {true, false, 2, 0},  {false, true, 1, 1},
        {false, false, 0, 0}, {false, false, 0, 0}, // counts never go below zero
        {true, false, 1, 0},  {false, false, 0, 0},
    };
    int index = 0;
    for (const TStep& step : steps) {
        SCOPED_TRACE(index++);
        DXUTPause(step.PauseTime, step.PauseRendering);
        EXPECT_EQ(s.Get(&TDX9State_STATE::PauseTimeCount), step.TimeCount);
        EXPECT_EQ(s.Get(&TDX9State_STATE::PauseRenderingCount), step.RenderCount);
        EXPECT_EQ(s.Get(&TDX9State_STATE::TimePaused), step.TimeCount > 0);
        EXPECT_EQ(s.Get(&TDX9State_STATE::RenderingPaused), step.RenderCount > 0);
        EXPECT_EQ(GetGlobalTimer().Stopped, step.TimeCount > 0);
    }
}

TEST(DXUTState, ErrorMessageStoresTheExitCode)
{
    TDX9State& s = GetDXUTState();
    s.Set(&TDX9State_STATE::ShowMsgBoxOnError, false); // no box may block the test
    const std::pair<HRESULT, int> rows[] = {
        {kDXUTErrNoDirect3D, 2},
        {kDXUTErrNoCompatibleDevices, 3},
        {kDXUTErrCreatingDevice, 6},
        {kDXUTErrIncorrectVersion, 10},
        {E_FAIL, 1},
        {S_OK, 1},
    };
    for (const auto& [code, exitCode] : rows) {
        DXUTDisplayErrorMessage(code);
        EXPECT_EQ(s.Get(&TDX9State_STATE::ExitCode), exitCode) << std::hex << code;
    }
    s.Set(&TDX9State_STATE::ExitCode, 0);
    s.Set(&TDX9State_STATE::ShowMsgBoxOnError, true);
}

TEST(DXUTState, CursorSettingsWithoutDeviceReleaseTheClip)
{
    RECT small{10, 10, 50, 50};
    ClipCursor(&small);
    DXUTSetCursorSettings(true, true);
    TDX9State& s = GetDXUTState();
    EXPECT_TRUE(s.Get(&TDX9State_STATE::ShowCursorWhenFullScreen));
    EXPECT_TRUE(s.Get(&TDX9State_STATE::ClipCursorWhenFullScreen));
    RECT clip{};
    ASSERT_TRUE(GetClipCursor(&clip));
    EXPECT_GT(clip.right - clip.left, 40) << "no device: the clip is released";
    DXUTSetCursorSettings(false, false);
}

// --- accessibility keys ---------------------------------------------------------------------------------------

// A stand-in for the system's accessibility settings that records every write.
struct TKeysLog {
    bool ReadsFail = false;
    DWORD Flags = SKF_AVAILABLE | SKF_HOTKEYACTIVE | SKF_CONFIRMHOTKEY; // all three records, feature off
    std::vector<std::pair<UINT, DWORD>> Writes;                         // request, flags written
};
TKeysLog gKeys;

BOOL WINAPI FakeSystemParameters(UINT action, UINT, PVOID data, UINT)
{
    // All three records keep dwFlags right after cbSize.
    auto* flags = reinterpret_cast<DWORD*>(static_cast<BYTE*>(data) + sizeof(UINT));
    switch (action) {
    case SPI_GETSTICKYKEYS:
    case SPI_GETTOGGLEKEYS:
    case SPI_GETFILTERKEYS:
        if (gKeys.ReadsFail) return FALSE;
        *flags = gKeys.Flags;
        return TRUE;
    case SPI_SETSTICKYKEYS:
    case SPI_SETTOGGLEKEYS:
    case SPI_SETFILTERKEYS: gKeys.Writes.push_back({action, *flags}); return TRUE;
    default: return FALSE;
    }
}

class ShortcutKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        gKeys = TKeysLog{};
        SetSystemParametersProc(FakeSystemParameters);
    }
    void TearDown() override
    {
        DXUTAllowShortcutKeys(true);
        SetSystemParametersProc(nullptr);
        for (auto saved : {&TDX9State_STATE::StartupStickyKeysSaved, &TDX9State_STATE::StartupToggleKeysSaved,
                           &TDX9State_STATE::StartupFilterKeysSaved})
            GetDXUTState().Set(saved, false);
    }
};

constexpr DWORD kOn = SKF_STICKYKEYSON;
constexpr DWORD kHotKeys = SKF_HOTKEYACTIVE | SKF_CONFIRMHOTKEY;

TEST_F(ShortcutKeys, AllowWritesBackWhatWasRead)
{
    DXUTSaveStartupKeys();
    TDX9State& s = GetDXUTState();
    EXPECT_TRUE(s.Get(&TDX9State_STATE::StartupStickyKeysSaved));
    EXPECT_EQ(s.Get(&TDX9State_STATE::StartupFilterKeys).cbSize, sizeof(FILTERKEYS));
    gKeys.Writes.clear();
    DXUTAllowShortcutKeys(true);
    const std::vector<std::pair<UINT, DWORD>> expected{
        {SPI_SETSTICKYKEYS, gKeys.Flags}, {SPI_SETTOGGLEKEYS, gKeys.Flags}, {SPI_SETFILTERKEYS, gKeys.Flags}};
    EXPECT_EQ(gKeys.Writes, expected);
}

TEST_F(ShortcutKeys, FailedReadIsNeverWrittenBack)
{
    gKeys.ReadsFail = true;
    DXUTSaveStartupKeys();
    EXPECT_FALSE(GetDXUTState().Get(&TDX9State_STATE::StartupToggleKeysSaved));
    DXUTAllowShortcutKeys(false);
    DXUTAllowShortcutKeys(true);
    EXPECT_TRUE(gKeys.Writes.empty()) << "a zeroed record would switch the user's settings off";
}

TEST_F(ShortcutKeys, ForbidHooksTheWindowsKeysAndDropsUnusedHotKeys)
{
    struct TRow {
        DWORD Flags;
        bool Written;
    };
    const TRow rows[] = {{SKF_AVAILABLE | kHotKeys, true}, {kOn | kHotKeys, false}};
    for (const TRow& row : rows) {
        gKeys = TKeysLog{};
        gKeys.Flags = row.Flags;
        DXUTSaveStartupKeys();
        DXUTAllowShortcutKeys(false);
        TDX9State& s = GetDXUTState();
        EXPECT_FALSE(s.Get(&TDX9State_STATE::AllowShortcutKeys));
        EXPECT_NE(s.Get(&TDX9State_STATE::KeyboardHook), nullptr);
        ASSERT_EQ(gKeys.Writes.size(), row.Written ? 3u : 0u) << row.Flags;
        for (const auto& [request, flags] : gKeys.Writes) EXPECT_EQ(flags, row.Flags & ~kHotKeys);
        DXUTAllowShortcutKeys(true);
        EXPECT_EQ(s.Get(&TDX9State_STATE::KeyboardHook), nullptr);
        EXPECT_TRUE(s.Get(&TDX9State_STATE::AllowShortcutKeys));
    }
}

} // namespace
