// The framework's small services: result-code tracing, debugger output, pause, the accessibility keys, and the
// device cursor's pixels.
#include "Common/Dev_DeviceCursor.h"
#include "Common/Dev_State.h"
#include "Common/Dev_misc.h"
#include "classlib/WinHandle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using S = TDX9State_STATE;

// --- tracing --------------------------------------------------------------------------------------------------

struct TTrace {
    std::string File;
    DWORD Line;
    HRESULT Result;
    std::wstring Message;
    BOOL ShowBox;
    bool operator==(const TTrace&) const = default;
};
std::vector<TTrace> gTraces;

HRESULT WINAPI RecordTrace(const char* File, DWORD Line, HRESULT Result, const WCHAR* Message, BOOL Box)
{
    gTraces.push_back({File ? File : "", Line, Result, Message ? Message : L"", Box});
    return Result;
}

// The error library (absent under Wine: the code comes back untraced) or a replacement sees each failure once, as
// the framework passes it: no file and line -1, or "DXUTxxx" and the code in hex; a box only when asked for and
// switched on.
TEST(Tracing, FailuresReachTheTraceWithTheirCode)
{
    EXPECT_EQ(TraceErrorBox(L"CreateDevice", E_OUTOFMEMORY), E_OUTOFMEMORY);
    SetDXTraceProc(RecordTrace);
    const HRESULT lost = ResultCode(0x8876086C);
    EXPECT_FALSE(CheckHResult(S_FALSE));
    EXPECT_TRUE(CheckHResult(lost));
    GetDXUTState().Set(&S::ShowMsgBoxOnError, false);
    EXPECT_TRUE(CheckHResult(E_FAIL));
    GetDXUTState().Set(&S::ShowMsgBoxOnError, true);
    EXPECT_EQ(TraceError(L"Reset", E_FAIL), E_FAIL);
    const std::vector<TTrace> expected = {
        {"DXUTxxx", DWORD(-1), lost, L"8876086C", TRUE},
        {"DXUTxxx", DWORD(-1), E_FAIL, L"80004005", FALSE},
        {"", DWORD(-1), E_FAIL, L"Reset", FALSE},
    };
    EXPECT_TRUE(gTraces == expected) << gTraces.size() << " traces";
    SetDXTraceProc(nullptr);
}

// --- debugger output ------------------------------------------------------------------------------------------

// A debug monitor of the test's own, as DebugView is one: the system hands debugger output to whoever holds these
// named objects, a buffer of the sender's process id and the text.
struct TDebugMonitor {
    TWinHandle BufferReady{CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY")};
    TWinHandle DataReady{CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY")};
    TWinHandle Buffer{CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"DBWIN_BUFFER")};
    const char* View = static_cast<const char*>(MapViewOfFile(Buffer.Get(), FILE_MAP_READ, 0, 0, 4096));
    ~TDebugMonitor()
    {
        if (View) UnmapViewOfFile(View);
    }
    // The next text sent, or "(none)" when nothing came within a second.
    template <class TSend>
    std::string Receive(TSend Send)
    {
        SetEvent(BufferReady.Get());
        Send();
        if (WaitForSingleObject(DataReady.Get(), 1000) != WAIT_OBJECT_0) return "(none)";
        DWORD pid = 0;
        std::memcpy(&pid, View, sizeof pid);
        return pid == GetCurrentProcessId() ? std::string(View + sizeof pid) : "(another process)";
    }
};

// The monitor is gone before the results are checked: the test framework reports each failure to the debugger
// too, and would wait for a monitor that no longer reads.
TEST(DebugOutput, FormattedTextsReachTheDebuggerCutToTheBuffer)
{
    std::vector<std::pair<std::string, std::string>> rows;
    {
        TDebugMonitor monitor;
        if (monitor.View) {
            const std::wstring long600(600, L'x');
            rows = {
                {monitor.Receive([] { OutputDebugStringFmt(L"%d frames in %s at %.1f", 42, L"view", 2.26); }),
                 "42 frames in view at 2.3"},
                {monitor.Receive([&] { OutputDebugStringFmt(L"%s!", long600); }), std::string(511, 'x')},
                {monitor.Receive([] { OutputDebugStringFmt(L"%q", 1); }), ""},
            };
        }
    }
    ASSERT_FALSE(rows.empty()) << "no debug monitor could be set up";
    for (const auto& [got, expected] : rows) EXPECT_EQ(got, expected);
}

TEST(DeviceCursor, MaskAndColourToArgb)
{
    // AND mask, XOR mask, colour (or none: a monochrome cursor), the device cursor's pixel.
    const std::tuple<DWORD, DWORD, std::optional<DWORD>, DWORD> rows[] = {
        {0xFFFFFF, 0x000000, std::nullopt, 0x00000000}, // transparent
        {0x000000, 0xFFFFFF, std::nullopt, 0xFFFFFFFF}, // white
        {0x000000, 0, 0x123456, 0xFF123456},
        {0xFFFFFF, 0, 0x000000, 0x00000000}, // a transparent colour pixel
    };
    for (const auto& [andMask, xorMask, colour, expected] : rows) {
        DWORD out = 0xDEADBEEF;
        CursorToArgb(&andMask, &xorMask, colour ? &*colour : nullptr, 1, &out);
        EXPECT_EQ(out, expected) << std::hex << andMask << ' ' << xorMask;
    }
}

TEST(DXUTState, PauseNestsAndStopsTheGlobalTimer)
{
    GetGlobalTimer().Reset();
    // Pause time, pause rendering; the time and rendering pause counts after the call (never below zero).
    const std::tuple<bool, bool, int, int> steps[] = {
        {true, true, 1, 1},   {true, false, 2, 0}, {false, true, 1, 1}, {false, false, 0, 0},
        {false, false, 0, 0}, {true, false, 1, 0}, {false, false, 0, 0},
    };
    for (const auto& [pauseTime, pauseRendering, timeCount, renderCount] : steps) {
        DXUTPause(pauseTime, pauseRendering);
        EXPECT_EQ(GetDXUTState().Get(&S::PauseTimeCount), timeCount);
        EXPECT_EQ(GetDXUTState().Get(&S::PauseRenderingCount), renderCount);
        EXPECT_EQ(GetGlobalTimer().Stopped, timeCount > 0);
    }
}

// --- accessibility keys ---------------------------------------------------------------------------------------
// A stand-in for the system's accessibility settings (Wine keeps none). Like Windows it refuses a record whose
// size field is not the record's size (8, 8 and 24 bytes); it records the flags of every write.
bool gReadsFail = false;
DWORD gFlags = 0;
std::vector<std::pair<UINT, DWORD>> gWrites;

BOOL WINAPI FakeSystemParameters(UINT Action, UINT, PVOID Data, UINT)
{
    auto* record = static_cast<UINT*>(Data); // cbSize, dwFlags, ...
    const std::tuple<UINT, UINT, UINT> kinds[] = {{SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS, 8},
                                                  {SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS, 8},
                                                  {SPI_GETFILTERKEYS, SPI_SETFILTERKEYS, 24}};
    for (const auto& [get, set, size] : kinds) {
        if ((Action != get && Action != set) || record[0] != size) continue;
        if (Action == set) gWrites.push_back({Action, record[1]});
        if (Action == get) record[1] = gFlags;
        return Action == set || !gReadsFail;
    }
    return FALSE;
}

// The settings read at start-up are written back when shortcut keys are allowed again, and only those: a record
// that could not be read would switch the user's settings off. Forbidding drops the hot keys of a feature that
// is off.
TEST(ShortcutKeys, OnlyWhatWasReadIsWrittenBack)
{
    SetSystemParametersProc(FakeSystemParameters);
    constexpr DWORD kAvailable = SKF_AVAILABLE;
    constexpr DWORD kHotKeys = SKF_HOTKEYACTIVE | SKF_CONFIRMHOTKEY;
    // Reads fail, the flags of all three records, allowed, the flags written back in all three (0: no write).
    const std::tuple<bool, DWORD, bool, DWORD> rows[] = {
        {false, kAvailable | kHotKeys, true, kAvailable | kHotKeys},
        {true, kAvailable | kHotKeys, true, 0},
        {true, kAvailable | kHotKeys, false, 0},
        {false, kAvailable | kHotKeys, false, kAvailable},
        {false, SKF_STICKYKEYSON | kHotKeys, false, 0}, // the feature is on: its hot keys stay
    };
    for (const auto& [readsFail, flags, allow, written] : rows) {
        SCOPED_TRACE(testing::Message() << readsFail << ' ' << flags << ' ' << allow);
        gReadsFail = readsFail;
        gFlags = flags;
        gWrites.clear();
        DXUTSaveStartupKeys();
        DXUTAllowShortcutKeys(allow);
        const std::vector<std::pair<UINT, DWORD>> all{
            {SPI_SETSTICKYKEYS, written}, {SPI_SETTOGGLEKEYS, written}, {SPI_SETFILTERKEYS, written}};
        EXPECT_EQ(gWrites, written ? all : decltype(all)());
        EXPECT_EQ(GetDXUTState().Get(&S::KeyboardHook) != nullptr, !allow) << "the Windows keys are hooked";
        DXUTAllowShortcutKeys(true);
        EXPECT_EQ(GetDXUTState().Get(&S::KeyboardHook), nullptr);
    }
    SetSystemParametersProc(nullptr);
}

} // namespace
