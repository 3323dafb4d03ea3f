#include "Common/core/Dev_StrSafe.h"

#include "classlib/core/SysUtils.h"
#include "tests/support/FormatSettingsScope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Result codes as the platform defines them.
constexpr std::uint32_t kOk = 0;
constexpr std::uint32_t kCut = 0x8007007A;
constexpr std::uint32_t kBadArg = 0x80070057;
constexpr std::uint32_t kFail = 0x80004005;

// Copy, append and bounded printf (of 12345) into a buffer of Count characters filled with '#' and followed by
// guard characters that none may touch. Narrow and wide routines share one implementation; the wide ones are
// the ones the framework uses.
TEST(StrSafe, CutToFitWithinTheCount)
{
    struct TRow {
        char Routine; // 'c' copy, 'a' append, 'p' printf
        const wchar_t* Start; // what dest holds before an append
        const wchar_t* Text;  // source or format
        std::size_t Count;
        std::uint32_t Result;
        const wchar_t* Expected; // null: dest untouched
    };
    const TRow rows[] = {
        {'c', L"", L"abcdef", 4, kCut, L"abc"},
        {'c', L"", L"x", 1, kCut, L""},
        {'c', L"", L"x", 0, kBadArg, nullptr},
        {'a', L"ab", L"cd", 5, kOk, L"abcd"},
        {'a', L"ab", L"cde", 5, kCut, L"abcd"},
        {'a', L"abcd", L"x", 5, kCut, L"abcd"},
        {'a', L"", L"abc", 3, kCut, L"ab"},
        {'a', L"abcd", L"x", 4, kBadArg, nullptr}, // no NUL within the count
        {'p', L"", L"%d", 4, kCut, L"123"},
        {'p', L"", L"%d", 6, kOk, L"12345"},
        {'p', L"", L"n=%d", 1, kCut, L""},
        {'p', L"", L"%d", 0, kBadArg, nullptr},
        // A format that fails leaves no stale text behind.
        {'p', L"", L"%s", 8, kFail, L""},
        {'p', L"", L"%d %d", 8, kFail, L""},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(1, wchar_t(row.Routine)) + L" " + row.Text));
        std::vector<wchar_t> buffer(row.Count + 4, L'#');
        const std::wstring start = row.Start;
        std::copy(start.begin(), start.end(), buffer.begin());
        if (row.Routine == 'a' && start.size() < row.Count) buffer[start.size()] = 0;
        TResultCode result = 0;
        if (row.Routine == 'c') result = StringCchCopyW(buffer.data(), row.Count, row.Text);
        if (row.Routine == 'a') result = StringCchCatW(buffer.data(), row.Count, row.Text);
        if (row.Routine == 'p') result = StringCchPrintfW(buffer.data(), row.Count, row.Text, 12345);
        EXPECT_EQ(std::uint32_t(result), row.Result);
        const std::wstring text(buffer.begin(), std::find(buffer.begin(), buffer.end(), L'\0'));
        EXPECT_EQ(text, row.Expected ? row.Expected : start + std::wstring(row.Count + 4 - start.size(), L'#'));
        EXPECT_TRUE(std::all_of(buffer.begin() + std::ptrdiff_t(row.Count), buffer.end(), [](wchar_t c) {
            return c == L'#';
        })) << "written past the count";
    }
    char narrow[4] = "##";
    EXPECT_EQ(std::uint32_t(StringCchCopyA(narrow, kStrSafeMaxCount + 1, "ab")), kBadArg);
    EXPECT_EQ(std::uint32_t(StringCchCatA(narrow, 3, "ab")), kCut);
    EXPECT_STREQ(narrow, "##");
}

TEST(FormatW, ConversionsAndRefusals)
{
    std::wstring out;
    const auto format = [&out](const wchar_t* text, std::initializer_list<TFormatArg> args) {
        return FormatW(text, args, out) ? out : L"(refused)";
    };
    const std::pair<std::wstring, const wchar_t*> rows[] = {
        {format(L"%d|%5d|%-5d|%.4d", {-42, 42, 42, -7}), L"-42|   42|42   |-0007"},
        {format(L"%u %u", {-1, static_cast<long long>(-1)}), L"4294967295 18446744073709551615"},
        {format(L"%x %.8x %X", {0x8004ABCD, 0x7A, -1}), L"8004ABCD 0000007A FFFFFFFF"},
        {format(L"%s and %s [%.2s] [%6s]", {L"a", std::wstring(L"HAL"), L"abc", L"ab"}), L"a and HAL [ab] [    ab]"},
        {format(L"%f %.1f %.0f", {1.5, 2.26, 0.4}), L"1.50 2.3 0"},
        {format(L"%%sVsync %s (%dx%d) 100%%", {L"on", 800, 600}), L"%sVsync on (800x600) 100%"},
        {format(L"%1:s %0:s %s|%*d|%-*d|", {L"a", L"b", 4, 1, 3, 2}), L"b a b|   1|2  |"},
        {format(L"%d", {}), L"(refused)"},
        {format(L"%q", {5}), L"(refused)"},
        {format(L"%99999999d", {1}), L"(refused)"},
    };
    for (const auto& [got, expected] : rows) EXPECT_EQ(got, expected);
}

// "%f" writes the user's decimal separator (here a comma, as German users have it) and touches nothing else: not a
// point in a text argument, not an integer. The frame statistics are formatted this way.
TEST(FormatW, FixedPointNumbersTakeTheUsersDecimalSeparator)
{
    const testsupport::TFormatSettingsScope restore;
    FormatSettings.DecimalSeparator = L',';
    std::wstring out;
    const auto format = [&out](const wchar_t* text, std::initializer_list<TFormatArg> args) {
        return FormatW(text, args, out) ? out : L"(refused)";
    };
    const std::pair<std::wstring, const wchar_t*> rows[] = {
        {format(L"%f %.1f %.0f %f", {1.5, 2.26, 0.4, -1234.5}), L"1,50 2,3 0 -1234,50"},
        {format(L"%s %d.%f", {L"v1.2", 3, 0.25}), L"v1.2 3.0,25"},
    };
    for (const auto& [got, expected] : rows) EXPECT_EQ(got, expected);
    wchar_t fps[64];
    EXPECT_EQ(std::uint32_t(StringCchPrintfW(fps, 64, L"%f fps ", 59.9375)), kOk);
    EXPECT_EQ(std::wstring(fps), L"59,94 fps ");
}

} // namespace
