#include "Common/core/Dev_StrSafe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kGuard = '#';

// A buffer of `count` usable characters followed by guard characters that no routine may touch.
template <class C>
struct TGuarded {
    explicit TGuarded(std::size_t count, C fill = C('#')) : Data(count + 4, fill), Count(count) {}
    C* Dest() { return Data.data(); }
    bool GuardsIntact() const
    {
        for (std::size_t i = Count; i < Data.size(); ++i)
            if (Data[i] != C(kGuard)) return false;
        return true;
    }
    std::vector<C> Data;
    std::size_t Count;
};

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

struct TCopyRow {
    const char* Source;
    std::size_t Count;
    TResultCode Result;
    const char* Expected;
};

void CheckCopy(const TCopyRow& row, int index)
{
    SCOPED_TRACE(index);
    TGuarded<char> a(row.Count);
    EXPECT_EQ(StringCchCopyA(a.Dest(), row.Count, row.Source), row.Result);
    EXPECT_STREQ(a.Dest(), row.Expected);
    EXPECT_TRUE(a.GuardsIntact());

    const std::wstring wsource = Wide(row.Source);
    const std::wstring wexpected = Wide(row.Expected);
    TGuarded<wchar_t> w(row.Count);
    EXPECT_EQ(StringCchCopyW(w.Dest(), row.Count, wsource.c_str()), row.Result);
    EXPECT_EQ(std::wstring(w.Dest()), wexpected);
    EXPECT_TRUE(w.GuardsIntact());

    TGuarded<wchar_t> s(row.Count);
    EXPECT_EQ(StringCchCopyWStr(s.Dest(), row.Count, wsource), row.Result);
    EXPECT_EQ(std::wstring(s.Dest()), wexpected);
}

TEST(StrSafe, CopyNarrowAndWideAgree)
{
    const TCopyRow rows[] = {
        {"abcdef", 4, kResultInsufficientBuffer, "abc"},
        {"abcdef", 6, kResultInsufficientBuffer, "abcde"},
        {"abcdef", 7, kResultOk, "abcdef"},
        {"abcdef", 20, kResultOk, "abcdef"},
        {"", 1, kResultOk, ""},
        {"x", 1, kResultInsufficientBuffer, ""},
    };
    int index = 0;
    for (const TCopyRow& row : rows) CheckCopy(row, index++);
}

TEST(StrSafe, CopyRejectsBadCountsWithoutWriting)
{
    for (std::size_t count : {std::size_t{0}, kStrSafeMaxCount + 1}) {
        char a[4] = {'#', '#', '#', '#'};
        wchar_t w[4] = {L'#', L'#', L'#', L'#'};
        EXPECT_EQ(StringCchCopyA(a, count, "ab"), kResultInvalidArg) << count;
        EXPECT_EQ(StringCchCopyW(w, count, L"ab"), kResultInvalidArg) << count;
        EXPECT_EQ(StringCchCatA(a, count, "ab"), kResultInvalidArg) << count;
        EXPECT_EQ(StringCchPrintfW(w, count, L"%d", 1), kResultInvalidArg) << count;
        EXPECT_EQ(a[0], '#');
        EXPECT_EQ(w[0], L'#');
    }
}

struct TCatRow {
    const char* Start;
    const char* Source;
    std::size_t Count;
    TResultCode Result;
    const char* Expected;
};

void CheckCat(const TCatRow& row, int index)
{
    SCOPED_TRACE(index);
    TGuarded<char> a(row.Count);
    std::memcpy(a.Dest(), row.Start, std::strlen(row.Start) + 1);
    EXPECT_EQ(StringCchCatA(a.Dest(), row.Count, row.Source), row.Result);
    EXPECT_STREQ(a.Dest(), row.Expected);
    EXPECT_TRUE(a.GuardsIntact());

    TGuarded<wchar_t> w(row.Count);
    const std::wstring start = Wide(row.Start);
    std::copy(start.c_str(), start.c_str() + start.size() + 1, w.Dest());
    EXPECT_EQ(StringCchCatWStr(w.Dest(), row.Count, Wide(row.Source)), row.Result);
    EXPECT_EQ(std::wstring(w.Dest()), Wide(row.Expected));
}

TEST(StrSafe, CatAppendsWithinCount)
{
    const TCatRow rows[] = {
        {"ab", "cd", 5, kResultOk, "abcd"},
        {"ab", "cde", 5, kResultInsufficientBuffer, "abcd"},
        {"abcd", "x", 5, kResultInsufficientBuffer, "abcd"},
        {"abcd", "", 5, kResultOk, "abcd"},
        {"", "abc", 3, kResultInsufficientBuffer, "ab"},
    };
    int index = 0;
    for (const TCatRow& row : rows) CheckCat(row, index++);
}

TEST(StrSafe, CatWithoutNulInDestIsInvalidAndLeavesDestAlone)
{
    char dest[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(StringCchCatA(dest, 4, "x"), kResultInvalidArg);
    EXPECT_EQ(std::string(dest, 4), "abcd");
    wchar_t wdest[2] = {L'a', L'b'};
    EXPECT_EQ(StringCchCatW(wdest, 2, L"x"), kResultInvalidArg);
    EXPECT_EQ(wdest[1], L'b');
}

struct TLengthRow {
    const char* Text;
    std::size_t MaxCount;
    TResultCode Result;
    std::size_t Length; // expected; 99 = untouched
};

void CheckLength(const TLengthRow& row, int index)
{
    SCOPED_TRACE(index);
    std::size_t length = 99;
    EXPECT_EQ(StringCchLengthA(row.Text, row.MaxCount, &length), row.Result);
    EXPECT_EQ(length, row.Length);
    length = 99;
    EXPECT_EQ(StringCchLengthW(Wide(row.Text).c_str(), row.MaxCount, &length), row.Result);
    EXPECT_EQ(length, row.Length);
}

TEST(StrSafe, LengthFindsNulWithinMaxCount)
{
    const TLengthRow rows[] = {
        {"abc", 3, kResultInvalidArg, 99},
        {"abc", 4, kResultOk, 3},
        {"", 1, kResultOk, 0},
        {"abc", 0, kResultInvalidArg, 99},
        {"abc", kStrSafeMaxCount + 1, kResultInvalidArg, 99},
    };
    int index = 0;
    for (const TLengthRow& row : rows) CheckLength(row, index++);
}

TEST(StrSafe, LengthOfNullTextIsInvalid)
{
    std::size_t length = 99;
    EXPECT_EQ(StringCchLengthA(nullptr, 10, &length), kResultInvalidArg);
    EXPECT_EQ(length, 99u);
    EXPECT_EQ(StringCchLengthW(L"ab", 10, nullptr), kResultOk);
}

struct TPrintRow {
    const wchar_t* Format;
    long long Number;
    std::size_t Count;
    TResultCode Result;
    const wchar_t* Expected;
};

void CheckPrintf(const TPrintRow& row, int index)
{
    SCOPED_TRACE(index);
    TGuarded<wchar_t> w(row.Count);
    EXPECT_EQ(StringCchPrintfW(w.Dest(), row.Count, row.Format, row.Number), row.Result);
    EXPECT_EQ(std::wstring(w.Dest()), row.Expected);
    EXPECT_TRUE(w.GuardsIntact());
}

TEST(StrSafe, PrintfCutsToFit)
{
    const TPrintRow rows[] = {
        {L"%d", 12345, 4, kResultInsufficientBuffer, L"123"},
        {L"%d", 7, 4, kResultOk, L"7"},
        {L"%d", 123, 4, kResultOk, L"123"},
        {L"n=%d", 5, 1, kResultInsufficientBuffer, L""},
        {L"%s", 5, 8, kResultFail, L""},
        {L"%d %d", 5, 8, kResultFail, L""},
    };
    int index = 0;
    for (const TPrintRow& row : rows) CheckPrintf(row, index++);
}

TEST(StrSafe, ShorterFormatLeavesNoTraceOfLongerText)
{
    wchar_t buffer[16];
    ASSERT_EQ(StringCchPrintfW(buffer, 16, L"%s", L"a long text"), kResultOk);
    ASSERT_EQ(StringCchPrintfW(buffer, 16, L"%d", 42), kResultOk);
    EXPECT_EQ(std::wstring(buffer), L"42");
    // A failing format after a good one must not show the old text either.
    ASSERT_EQ(StringCchPrintfWStr(buffer, 16, std::wstring(L"%q"), 1), kResultFail);
    EXPECT_EQ(std::wstring(buffer), L"");
}

} // namespace
