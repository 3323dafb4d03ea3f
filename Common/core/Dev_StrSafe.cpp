#include "Common/core/Dev_StrSafe.h"

#include "classlib/core/SysUtils.h"

#include <cassert>
#include <cstdio>

// Sections: copy and append; length; the wide formatter; bounded format.

namespace {

bool CountValid(std::size_t count) { return count != 0 && count <= kStrSafeMaxCount; }

// --- copy and append ------------------------------------------------------------------------------------------

// The shared core of copy and append: copies while room remains and the source has not ended; when the room ran
// out, the last copied character gives way to the NUL.
template <class C>
TResultCode CopyBounded(C* dest, std::size_t count, const C* source)
{
    std::size_t i = 0;
    while (i < count && source[i] != 0) {
        dest[i] = source[i];
        ++i;
    }
    if (i == count) {
        dest[count - 1] = 0;
        return kResultInsufficientBuffer;
    }
    dest[i] = 0;
    return kResultOk;
}

template <class C>
TResultCode Copy(C* dest, std::size_t count, const C* source)
{
    assert(source != nullptr);
    if (!CountValid(count) || dest == nullptr) return kResultInvalidArg;
    static const C empty[1] = {0};
    return CopyBounded(dest, count, source ? source : empty);
}

template <class C>
TResultCode Length(const C* text, std::size_t maxCount, std::size_t* length)
{
    if (text == nullptr || !CountValid(maxCount)) return kResultInvalidArg;
    for (std::size_t i = 0; i < maxCount; ++i) {
        if (text[i] == 0) {
            if (length) *length = i;
            return kResultOk;
        }
    }
    return kResultInvalidArg;
}

template <class C>
TResultCode Cat(C* dest, std::size_t count, const C* source)
{
    assert(source != nullptr);
    if (!CountValid(count) || dest == nullptr) return kResultInvalidArg;
    std::size_t used = 0;
    if (Length(dest, count, &used) != kResultOk) return kResultInvalidArg;
    static const C empty[1] = {0};
    return CopyBounded(dest + used, count - used, source ? source : empty);
}

// --- the wide formatter ---------------------------------------------------------------------------------------

class TFormatter {
public:
    TFormatter(std::initializer_list<TFormatArg> args, std::wstring& out) : args_(args), out_(out) {}

    bool Run(const wchar_t* p)
    {
        out_.clear();
        if (p == nullptr) return false;
        while (*p) {
            if (*p != L'%') {
                out_ += *p++;
                continue;
            }
            ++p;
            if (*p == L'%') {
                out_ += *p++;
                continue;
            }
            if (!Spec(p)) return false;
        }
        return true;
    }

private:
    static constexpr int kNone = -1;

    // One conversion after its "%"; advances p past it.
    bool Spec(const wchar_t*& p)
    {
        int number = kNone;
        if (!Number(p, number)) return false;
        if (*p == L':') {
            if (number == kNone) return false;
            next_ = static_cast<std::size_t>(number);
            ++p;
            number = kNone;
            if (!Number(p, number)) return false;
        }
        bool left = false;
        if (number == kNone && *p == L'-') {
            left = true;
            ++p;
            if (!Number(p, number)) return false;
        }
        const int width = number;
        int precision = kNone;
        if (*p == L'.') {
            ++p;
            if (!Number(p, precision)) return false;
            if (precision == kNone) precision = 0;
        }
        const wchar_t type = *p;
        if (type == 0) return false;
        ++p;
        std::wstring text;
        if (!Convert(type, precision, text)) return false;
        Pad(text, width, left);
        return true;
    }

    // A decimal number or "*" (the next argument, which must be an integer); kNone when neither is there.
    bool Number(const wchar_t*& p, int& value)
    {
        if (*p == L'*') {
            ++p;
            const TFormatArg* arg = Take();
            if (arg == nullptr || arg->Kind != TFormatArg::TKind::Signed) return false;
            value = arg->Signed < 0 ? 0 : static_cast<int>(arg->Signed > 0xFFFF ? 0xFFFF : arg->Signed);
            return true;
        }
        if (*p < L'0' || *p > L'9') return true;
        long long v = 0;
        while (*p >= L'0' && *p <= L'9') {
            v = v * 10 + (*p++ - L'0');
            if (v > 0xFFFF) return false; // no field or index is that large; guards against runaway widths
        }
        value = static_cast<int>(v);
        return true;
    }

    const TFormatArg* Take()
    {
        if (next_ >= args_.size()) return nullptr;
        return args_.begin() + next_++;
    }

    bool Convert(wchar_t type, int precision, std::wstring& text)
    {
        const TFormatArg* arg = Take();
        if (arg == nullptr) return false;
        switch (type) {
        case L'd':
        case L'D': return Decimal(*arg, precision, text);
        case L'u':
        case L'U': return Digits(*arg, precision, 10, text);
        case L'x':
        case L'X': return Digits(*arg, precision, 16, text);
        case L's':
        case L'S': return Text(*arg, precision, text);
        case L'f':
        case L'F': return Fixed(*arg, precision, text);
        default: return false;
        }
    }

    static bool IsInteger(const TFormatArg& a)
    {
        return a.Kind == TFormatArg::TKind::Signed || a.Kind == TFormatArg::TKind::Unsigned;
    }

    static std::wstring UnsignedText(std::uint64_t v, unsigned base)
    {
        static const wchar_t digits[] = L"0123456789ABCDEF";
        wchar_t buf[24];
        int n = 0;
        do {
            buf[n++] = digits[v % base];
            v /= base;
        } while (v != 0);
        std::wstring s;
        while (n > 0) s += buf[--n];
        return s;
    }

    static void ZeroPad(std::wstring& digits, int precision)
    {
        if (precision != kNone && digits.size() < static_cast<std::size_t>(precision))
            digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), L'0');
    }

    static bool Decimal(const TFormatArg& a, int precision, std::wstring& text)
    {
        if (!IsInteger(a)) return false;
        const bool negative = a.Kind == TFormatArg::TKind::Signed && a.Signed < 0;
        std::uint64_t magnitude = a.Kind == TFormatArg::TKind::Unsigned ? a.Unsigned
                                  : negative                            ? 0 - static_cast<std::uint64_t>(a.Signed)
                                                                        : static_cast<std::uint64_t>(a.Signed);
        text = UnsignedText(magnitude, 10);
        ZeroPad(text, precision);
        if (negative) text.insert(0, 1, L'-');
        return true;
    }

    static bool Digits(const TFormatArg& a, int precision, unsigned base, std::wstring& text)
    {
        if (!IsInteger(a)) return false;
        std::uint64_t v = a.Unsigned;
        if (a.Kind == TFormatArg::TKind::Signed)
            v = a.Is32 ? static_cast<std::uint32_t>(a.Signed) : static_cast<std::uint64_t>(a.Signed);
        text = UnsignedText(v, base);
        ZeroPad(text, precision);
        return true;
    }

    static bool Text(const TFormatArg& a, int precision, std::wstring& text)
    {
        if (a.Kind != TFormatArg::TKind::Text) return false;
        text = a.Text;
        if (precision != kNone && text.size() > static_cast<std::size_t>(precision)) text.resize(precision);
        return true;
    }

    static bool Fixed(const TFormatArg& a, int precision, std::wstring& text)
    {
        if (a.Kind != TFormatArg::TKind::Float) return false;
        if (precision == kNone) precision = 2;
        if (precision > 18) precision = 18;
        char buf[400];
        const int n = std::snprintf(buf, sizeof buf, "%.*f", precision, a.Float);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof buf) return false;
        text.assign(buf, buf + n);
        // The C library writes its own locale's ".", which this program never changes; the user reads theirs.
        const std::size_t point = text.find(L'.');
        if (point != std::wstring::npos) text[point] = FormatSettings.DecimalSeparator;
        return true;
    }

    void Pad(std::wstring& text, int width, bool left)
    {
        if (width != kNone && text.size() < static_cast<std::size_t>(width)) {
            const std::size_t fill = static_cast<std::size_t>(width) - text.size();
            if (left)
                text.append(fill, L' ');
            else
                text.insert(0, fill, L' ');
        }
        out_ += text;
    }

    std::initializer_list<TFormatArg> args_;
    std::wstring& out_;
    std::size_t next_ = 0;
};

} // namespace

TResultCode StringCchCopyA(char* dest, std::size_t count, const char* source) { return Copy(dest, count, source); }
TResultCode StringCchCopyW(wchar_t* dest, std::size_t count, const wchar_t* source)
{
    return Copy(dest, count, source);
}
TResultCode StringCchCopyWStr(wchar_t* dest, std::size_t count, const std::wstring& source)
{
    return Copy(dest, count, source.c_str());
}

TResultCode StringCchCatA(char* dest, std::size_t count, const char* source) { return Cat(dest, count, source); }
TResultCode StringCchCatW(wchar_t* dest, std::size_t count, const wchar_t* source) { return Cat(dest, count, source); }
TResultCode StringCchCatWStr(wchar_t* dest, std::size_t count, const std::wstring& source)
{
    return Cat(dest, count, source.c_str());
}

TResultCode StringCchLengthA(const char* text, std::size_t maxCount, std::size_t* length)
{
    return Length(text, maxCount, length);
}
TResultCode StringCchLengthW(const wchar_t* text, std::size_t maxCount, std::size_t* length)
{
    return Length(text, maxCount, length);
}

bool FormatW(const wchar_t* format, std::initializer_list<TFormatArg> args, std::wstring& out)
{
    return TFormatter(args, out).Run(format);
}

// --- bounded format -------------------------------------------------------------------------------------------

TResultCode StringCchVPrintfW(wchar_t* dest, std::size_t count, const wchar_t* format,
                              std::initializer_list<TFormatArg> args)
{
    if (!CountValid(count) || dest == nullptr) return kResultInvalidArg;
    std::wstring text;
    if (!FormatW(format, args, text)) {
        dest[0] = 0;
        return kResultFail;
    }
    const std::size_t room = count - 1;
    if (text.size() > room) {
        text.copy(dest, room);
        dest[room] = 0;
        return kResultInsufficientBuffer;
    }
    text.copy(dest, text.size());
    dest[text.size()] = 0;
    return kResultOk;
}
