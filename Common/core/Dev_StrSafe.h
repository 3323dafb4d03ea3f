#pragma once
// Bounded copying, measuring, appending and formatting of 8-bit and wide character buffers.
// "count" is the buffer size in characters including the terminating NUL, at most kStrSafeMaxCount. Every result
// other than kResultInvalidArg leaves dest NUL-terminated; kResultInsufficientBuffer means the text was cut to
// count - 1 characters. Wide routines work on wchar_t, which is 16-bit on Windows.
//
// Sections: copy and append; length; the wide formatter; bounded format.
#include "Common/core/Dev_ResultCodes.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

inline constexpr std::size_t kStrSafeMaxCount = 0x7FFFFFFF;

// --- copy and append ------------------------------------------------------------------------------------------
// The source must be present (a null source asserts and, without assertions, counts as an empty text).
TResultCode StringCchCopyA(char* dest, std::size_t count, const char* source);
TResultCode StringCchCopyW(wchar_t* dest, std::size_t count, const wchar_t* source);
TResultCode StringCchCopyWStr(wchar_t* dest, std::size_t count, const std::wstring& source);

// As copy, behind the text already in dest; kResultInvalidArg also when dest holds no NUL within count.
TResultCode StringCchCatA(char* dest, std::size_t count, const char* source);
TResultCode StringCchCatW(wchar_t* dest, std::size_t count, const wchar_t* source);
TResultCode StringCchCatWStr(wchar_t* dest, std::size_t count, const std::wstring& source);

// --- length ---------------------------------------------------------------------------------------------------
// Looks at no more than maxCount characters; kResultInvalidArg (length untouched) when no NUL lies within them.
// length may be null.
TResultCode StringCchLengthA(const char* text, std::size_t maxCount, std::size_t* length);
TResultCode StringCchLengthW(const wchar_t* text, std::size_t maxCount, std::size_t* length);

// --- the wide formatter ---------------------------------------------------------------------------------------
// One argument of a format call: an integer, a floating-point number or a text.
class TFormatArg {
public:
    enum class TKind { Signed, Unsigned, Float, Text };

    TFormatArg(int v) : Kind(TKind::Signed), Signed(v), Is32(true) {}
    TFormatArg(long v) : Kind(TKind::Signed), Signed(v), Is32(sizeof(long) == 4) {}
    TFormatArg(long long v) : Kind(TKind::Signed), Signed(v) {}
    TFormatArg(unsigned v) : Kind(TKind::Unsigned), Unsigned(v), Is32(true) {}
    TFormatArg(unsigned long v) : Kind(TKind::Unsigned), Unsigned(v), Is32(sizeof(long) == 4) {}
    TFormatArg(unsigned long long v) : Kind(TKind::Unsigned), Unsigned(v) {}
    TFormatArg(double v) : Kind(TKind::Float), Float(v) {}
    TFormatArg(const wchar_t* v) : Kind(TKind::Text), Text(v ? v : L"") {}
    TFormatArg(const std::wstring& v) : Kind(TKind::Text), Text(v.c_str()) {}

    TKind Kind;
    std::int64_t Signed = 0;
    std::uint64_t Unsigned = 0;
    double Float = 0;
    const wchar_t* Text = nullptr;
    bool Is32 = false; // a 32-bit integer: %u and %x show a negative one as its 32-bit pattern
};

// Formats by the GUI library's rules: "%" [index ":"] ["-"] [width] ["." precision] type, where index, width and
// precision are decimal numbers or "*" (taken from the next argument) and type is one of d, u, x, s, f (either
// case); "%%" is a percent sign. d/u/x take integers (precision = least digits, x is upper-case hex), s a text
// (precision = most characters), f a floating-point number (precision = decimals, default 2; the decimal separator
// is FormatSettings'). False, with out unspecified, for an unknown type, a missing argument or an argument of the
// wrong kind.
bool FormatW(const wchar_t* format, std::initializer_list<TFormatArg> args, std::wstring& out);

// --- bounded format -------------------------------------------------------------------------------------------
// kResultFail with dest empty when the formatter fails (a bad format must not leave stale text behind).
TResultCode StringCchVPrintfW(wchar_t* dest, std::size_t count, const wchar_t* format,
                              std::initializer_list<TFormatArg> args);

template <class... TArgs>
TResultCode StringCchPrintfW(wchar_t* dest, std::size_t count, const wchar_t* format, const TArgs&... args)
{
    return StringCchVPrintfW(dest, count, format, {TFormatArg(args)...});
}

template <class... TArgs>
TResultCode StringCchPrintfWStr(wchar_t* dest, std::size_t count, const std::wstring& format, const TArgs&... args)
{
    return StringCchVPrintfW(dest, count, format.c_str(), {TFormatArg(args)...});
}
