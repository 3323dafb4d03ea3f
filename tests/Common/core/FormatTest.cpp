#include "Common/core/Dev_StrSafe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Format(const wchar_t* format, std::initializer_list<TFormatArg> args)
{
    std::wstring out;
    EXPECT_TRUE(FormatW(format, args, out)) << "format failed";
    return out;
}

bool Fails(const wchar_t* format, std::initializer_list<TFormatArg> args)
{
    std::wstring out;
    return !FormatW(format, args, out);
}

TEST(FormatW, ConversionsTable)
{
    struct TRow {
        std::wstring Got;
        const wchar_t* Expected;
    };
    const std::wstring name = L"HAL";
    const TRow rows[] = {
        {Format(L"%d", {-42}), L"-42"},
        {Format(L"%5d|%-5d|", {42, 42}), L"   42|42   |"},
        {Format(L"%.4d", {-7}), L"-0007"},
        {Format(L"%u", {-1}), L"4294967295"},
        {Format(L"%u", {static_cast<long long>(-1)}), L"18446744073709551615"},
        {Format(L"%x", {0x8004ABCD}), L"8004ABCD"},
        {Format(L"%.8x", {0x7A}), L"0000007A"},
        {Format(L"%X", {-1}), L"FFFFFFFF"},
        {Format(L"%s and %s", {L"a", name}), L"a and HAL"},
        {Format(L"[%.2s]", {L"abc"}), L"[ab]"},
        {Format(L"[%6s]", {L"ab"}), L"[    ab]"},
        {Format(L"%f", {1.5}), L"1.50"},
        {Format(L"%.1f", {2.26}), L"2.3"},
        {Format(L"%.0f", {0.4}), L"0"},
        {Format(L"100%%", {}), L"100%"},
        {Format(L"%%sVsync %s (%dx%d)", {L"on", 800, 600}), L"%sVsync on (800x600)"},
        {Format(L"%1:s %0:s %s", {L"a", L"b"}), L"b a b"},
        {Format(L"%*d|%-*d|", {4, 1, 3, 2}), L"   1|2  |"},
        {Format(L" (#%d)", {1u}), L" (#1)"},
    };
    for (const TRow& row : rows) EXPECT_EQ(row.Got, row.Expected);
}

TEST(FormatW, RejectsBadFormatsAndArguments)
{
    EXPECT_TRUE(Fails(L"%d", {}));        // missing argument
    EXPECT_TRUE(Fails(L"%d", {L"text"})); // wrong kind
    EXPECT_TRUE(Fails(L"%s", {5}));
    EXPECT_TRUE(Fails(L"%f", {5}));
    EXPECT_TRUE(Fails(L"%q", {5}));         // unknown type
    EXPECT_TRUE(Fails(L"abc %", {5}));      // format ends inside a conversion
    EXPECT_TRUE(Fails(L"%5:d", {1}));       // index past the arguments
    EXPECT_TRUE(Fails(L"%99999999d", {1})); // runaway width
    EXPECT_TRUE(Fails(nullptr, {}));
}

} // namespace
