#include "classlib/core/IniText.h"

#include "classlib/core/SysUtils.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsQuote(char c) { return c == '"' || c == '\''; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool Quoted(std::string_view v)
{
    return v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back();
}

std::string Unquote(std::string_view v)
{
    return std::string(Quoted(v) ? v.substr(1, v.size() - 2) : v);
}

// The text to write after '=' so that reading it gives back `value`.
std::string Encode(std::string_view value)
{
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) || Quoted(v)))
        return '"' + v + '"';
    return v;
}

std::string Joined(std::string_view a, std::string_view b, std::string_view c)
{
    std::string r;
    r.reserve(a.size() + b.size() + c.size());
    r.append(a).append(b).append(c);
    return r;
}

} // namespace

TIniText::Line TIniText::ParseLine(std::string_view raw)
{
    Line line{std::string(raw), Kind::Other, {}, {}};
    const std::string t = TrimLeft(raw);
    if (t.empty() || t[0] == ';')
        return line;
    if (t[0] == '[') {
        const size_t close = t.rfind(']');
        if (close != std::string::npos) {
            line.kind = Kind::Section;
            line.name = Trim(std::string_view(t).substr(1, close - 1));
        }
        return line;
    }
    const size_t eq = t.find('=');
    if (eq == std::string::npos || eq == 0)
        return line;
    line.kind = Kind::Key;
    line.name = TrimRight(std::string_view(t).substr(0, eq));
    line.value = Unquote(Trim(std::string_view(t).substr(eq + 1)));
    return line;
}

void TIniText::Parse(std::string_view text)
{
    std::vector<Line> lines;
    const bool bom = text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (bom)
        text.remove_prefix(kByteOrderMark.size());
    for (std::string_view raw : SplitLines(text))
        lines.push_back(ParseLine(raw));
    lines_.swap(lines);
    byteOrderMark_ = bom;
}

std::string TIniText::Render() const
{
    size_t size = byteOrderMark_ ? kByteOrderMark.size() : 0;
    for (const Line& l : lines_)
        size += l.raw.size() + 2;
    std::string r;
    r.reserve(size);
    if (byteOrderMark_)
        r += kByteOrderMark;
    for (const Line& l : lines_) {
        r += l.raw;
        r += "\r\n";
    }
    return r;
}

size_t TIniText::FindSection(std::string_view section) const
{
    const std::string name = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && SameText(lines_[i].name, name))
            return i;
    return lines_.size();
}

size_t TIniText::SectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

bool TIniText::SectionExists(std::string_view section) const
{
    return FindSection(section) < lines_.size();
}

std::optional<std::string> TIniText::Value(std::string_view section, std::string_view key) const
{
    const size_t header = FindSection(section);
    if (header == lines_.size())
        return std::nullopt;
    const std::string name = Trim(key);
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key && SameText(lines_[i].name, name))
            return lines_[i].value;
    return std::nullopt;
}

bool TIniText::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string encoded = Encode(value);
    const size_t header = FindSection(section);
    if (header == lines_.size()) {
        if (!lines_.empty() && !Trim(lines_.back().raw).empty())
            lines_.push_back(ParseLine(""));
        lines_.push_back(ParseLine(Joined("[", section, "]")));
        lines_.push_back(ParseLine(Joined(key, "=", encoded)));
        return true;
    }

    const std::string name = Trim(key);
    const size_t end = SectionEnd(header);
    size_t lastKey = header;
    for (size_t i = header + 1; i < end; ++i) {
        Line& l = lines_[i];
        if (l.kind != Kind::Key)
            continue;
        if (SameText(l.name, name)) {
            Line updated = ParseLine(Joined(l.name, "=", encoded));
            if (updated.value == l.value)
                return false;
            l = std::move(updated);
            return true;
        }
        lastKey = i;
    }
    lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(lastKey + 1), ParseLine(Joined(key, "=", encoded)));
    return true;
}
