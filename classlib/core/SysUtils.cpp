#include "classlib/core/SysUtils.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

// Sections: text; numbers; format settings; paths; files.

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char UpChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// Index just past the last delimiter: where the file name starts.
size_t NameStart(std::string_view path)
{
    size_t i = path.size();
    while (i > 0 && !IsPathDelimiter(path[i - 1]))
        --i;
    return i;
}

// Index of the extension's dot, or npos when the file name has none.
size_t ExtStart(std::string_view path)
{
    const size_t dot = path.rfind('.');
    return (dot == std::string_view::npos || dot < NameStart(path)) ? std::string_view::npos : dot;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = UpChar(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

// ---- text ------------------------------------------------------------------------------------------------------

std::string TrimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s)
{
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), UpChar);
    return r;
}

std::string LowerCase(std::string_view s)
{
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), LowChar);
    return r;
}

int CompareText(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(UpChar(a[i]));
        const int cb = static_cast<unsigned char>(UpChar(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// ---- numbers ---------------------------------------------------------------------------------------------------

std::string IntToStr(int value) { return std::to_string(value); }
std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt(std::string_view s, int& value)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';

    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;

    // Accumulate the magnitude in 64 bits and stop as soon as it leaves the range a 32-bit result can take.
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int d = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0)
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (magnitude > limit)
            return false;
    }
    const uint32_t bits = static_cast<uint32_t>(negative ? (0 - magnitude) : magnitude);
    value = static_cast<int32_t>(bits);
    return true;
}

int StrToInt(std::string_view s)
{
    int v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

int StrToIntDef(std::string_view s, int defaultValue)
{
    int v = 0;
    return TryStrToInt(s, v) ? v : defaultValue;
}

// ---- format settings -------------------------------------------------------------------------------------------

TFormatSettings FormatSettings;

// ---- paths -----------------------------------------------------------------------------------------------------

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ExtractFileExt(std::string_view path)
{
    const size_t dot = ExtStart(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    const size_t dot = ExtStart(path);
    std::string r(path.substr(0, dot == std::string_view::npos ? path.size() : dot));
    r += ext;
    return r;
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string r(path);
    if (r.empty() || (r.back() != '\\' && r.back() != '/'))
        r += '\\';
    return r;
}

// ---- files -----------------------------------------------------------------------------------------------------

namespace {

// The C runtime's stat refuses a folder named with a trailing delimiter on Windows ("C:\\Map\\"), so delimiters
// are dropped first, except where they make the root ("\\", "/", "C:\\").
std::string WithoutTrailingDelimiter(const std::string& path)
{
    std::string p = path;
    while (p.size() > 1 && (p.back() == '\\' || p.back() == '/') && p[p.size() - 2] != ':')
        p.pop_back();
    return p;
}

// 0 when the path does not exist, else the stat mode bits.
unsigned ModeOf(const std::string& path)
{
    if (path.empty())
        return 0;
#ifdef _WIN32
    struct _stat64 st;
    if (_stat64(path.c_str(), &st) != 0)
        return 0;
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return 0;
#endif
    return static_cast<unsigned>(st.st_mode);
}

} // namespace

bool FileExists(const std::string& path)
{
    // A name with a trailing delimiter names a folder, never a file.
    if (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        return false;
    const unsigned mode = ModeOf(path);
    return mode != 0 && (mode & S_IFMT) != S_IFDIR;
}

bool DirectoryExists(const std::string& path)
{
    return (ModeOf(WithoutTrailingDelimiter(path)) & S_IFMT) == S_IFDIR;
}
