// Sections: colours; text replacements; tokens; tags and attributes; image sources and anchors; gradient bands.
#include "controls/core/HtmlMarkup.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/core/SysUtils.h"

namespace {

bool IsBlank(char c) { return c == ' '; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool StartsWithText(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

// Every occurrence of `from` replaced by `to`, scanning left to right.
std::string ReplaceAll(std::string_view s, const std::pair<std::string_view, std::string_view>* table, size_t n) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    bool replaced = false;
    if (s[i] == '&')
      for (size_t k = 0; k < n && !replaced; ++k)
        if (s.substr(i, table[k].first.size()) == table[k].first) {
          out += table[k].second;
          i += table[k].first.size();
          replaced = true;
        }
    if (!replaced) out += s[i++];
  }
  return out;
}

}  // namespace

// ---- colours --------------------------------------------------------------------------------------------------

uint32_t ParseHtmlColor(std::string_view value) {
  std::string text = Trim(value);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = Trim(text.substr(1, text.size() - 2));
  if (!text.empty() && text[0] == '#') {
    if (text.size() != 7) return 0;
    uint32_t rgb = 0;
    for (int i = 0; i < 3; ++i) {
      const int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
      if (high < 0 || low < 0) return 0;
      rgb |= static_cast<uint32_t>(high * 16 + low) << (8 * i);  // red, green, blue into 0x00BBGGRR
    }
    return rgb;
  }
  static const std::pair<std::string_view, uint32_t> names[] = {
      {"clred", 0x0000FF},        {"clblack", 0x000000},       {"clblue", 0xFF0000},
      {"clgreen", 0x008000},      {"claqua", 0xFFFF00},        {"clyellow", 0x00FFFF},
      {"clfuchsia", 0xFF00FF},    {"clwhite", 0xFFFFFF},       {"cllime", 0x00FF00},
      {"clsilver", 0xC0C0C0},     {"clgray", 0x808080},        {"clolive", 0x008080},
      {"clnavy", 0x800000},       {"clpurple", 0x800080},      {"clteal", 0x808000},
      {"clmaroon", 0x000080},
  };
  static const std::string_view systemNames[] = {
      "clbackground",    "clactivecaption",   "clinactivecaption", "clmenu",          "clwindow",
      "clwindowframe",   "clmenutext",        "clwindowtext",      "clcaptiontext",   "clactiveborder",
      "clinactiveborder", "clappworkspace",   "clhighlight",       "clhighlighttext", "clbtnface",
      "clbtnshadow",     "clgraytext",        "clbtntext",         "clinactivecaptiontext",
      "clbtnhighlight",  "cl3ddkshadow",      "cl3dlight",         "clinfotext",      "clinfobk",
  };
  const std::string lower = LowerCase(text);
  for (const auto& [name, color] : names)
    if (lower == name) return color;
  for (size_t i = 0; i < std::size(systemNames); ++i)
    if (lower == systemNames[i]) return HtmlSysColor(static_cast<int>(i) + 1);
  return 0;
}

// ---- text replacements ----------------------------------------------------------------------------------------

std::string PrepareHtml(std::string_view html) {
  static const std::pair<std::string_view, std::string_view> entities[] = {
      {"&amp;", "&&"},     {"&quot;", "\""},     {"&sect;", "\xA7"},  {"&permil;", "\x89"},
      {"&reg;", "\xAE"},   {"&copy;", "\xA9"},   {"&para;", "\xB6"},  {"&trade;", "\x99"},
      {"&euro;", "\x80"},
  };
  const std::string replaced = ReplaceAll(html, entities, std::size(entities));
  std::string out;
  out.reserve(replaced.size());
  for (size_t i = 0; i < replaced.size(); ++i) {
    if (replaced.compare(i, 2, "<#") == 0) {
      const size_t close = replaced.find('>', i + 2);
      if (close != std::string::npos) {
        out.append(replaced, i + 2, close - i - 2);
        i = close;
        continue;
      }
    }
    out += replaced[i];
  }
  return out;
}

std::string ReplaceWordEntities(std::string_view word) {
  static const std::pair<std::string_view, std::string_view> entities[] = {
      {"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}};
  return ReplaceAll(word, entities, std::size(entities));
}

bool HtmlNeedsNoPrefix(std::string_view prepared) { return prepared.find(" & ") != std::string_view::npos; }

std::string HTMLStrip(std::string_view html) {
  std::string out;
  size_t i = 0;
  while (i < html.size()) {
    if (html[i] != '<') {
      out += html[i++];
      continue;
    }
    const size_t close = html.find('>', i + 1);
    const std::string_view inner = html.substr(i + 1, close == std::string_view::npos ? html.npos : close - i - 1);
    i = close == std::string_view::npos ? html.size() : close + 1;
    if (SameText(inner, "BR") || SameText(inner, "HR")) {
      out += "\r\n";
    } else if (SameText(inner, "Z")) {
      // Hidden text: everything up to the closing tag, or to the end when it is never closed.
      size_t end = i;
      while (end < html.size() && !StartsWithText(html.substr(end), "</Z>")) ++end;
      i = std::min(html.size(), end + 4);
    }
  }
  return out;
}

std::string TextToHtml(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') continue;
    if (c == '\r') out += "<BR>";
    else out += c;
  }
  return out;
}

// ---- tokens ---------------------------------------------------------------------------------------------------

bool THtmlTokenizer::Next(THtmlToken& token) {
  if (pos_ >= text_.size()) return false;
  const size_t start = pos_;
  token = THtmlToken{};
  if (text_[pos_] == '<') {
    const size_t close = text_.find('>', pos_ + 1);
    token.Kind = THtmlTokenKind::Tag;
    if (close == std::string_view::npos) {
      token.Text = text_.substr(pos_ + 1);
      pos_ = text_.size();
    } else {
      token.Text = text_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
    }
    return true;
  }
  if (IsBlank(text_[pos_]) || IsLineBreak(text_[pos_])) {
    token.Kind = THtmlTokenKind::Space;
    while (pos_ < text_.size() && (IsBlank(text_[pos_]) || IsLineBreak(text_[pos_]))) {
      if (IsBlank(text_[pos_])) ++token.Blanks;
      ++pos_;
    }
    token.Text = text_.substr(start, pos_ - start);
    return true;
  }
  token.Kind = THtmlTokenKind::Word;
  while (pos_ < text_.size() && text_[pos_] != '<' && !IsBlank(text_[pos_]) && !IsLineBreak(text_[pos_])) ++pos_;
  token.Text = text_.substr(start, pos_ - start);
  return true;
}

// ---- tags and attributes --------------------------------------------------------------------------------------

THtmlTag ClassifyTag(std::string_view inner) {
  THtmlTag tag;
  tag.Text = inner;
  tag.Upper = UpperCase(inner);
  std::string_view name = tag.Upper;
  if (!name.empty() && name[0] == '/') {
    tag.Closing = true;
    name.remove_prefix(1);
  }
  auto at = [&](size_t i) { return i < name.size() ? name[i] : '\0'; };
  using K = THtmlTagKind;
  K kind = K::Unknown;
  switch (at(0)) {
    case 'A': kind = K::Anchor; break;
    case 'B':
      if (name.size() == 1) kind = K::Bold;
      else if (tag.Closing) kind = K::Blink;  // any longer closing B tag ends blinking text
      else if (at(1) == 'O') kind = K::Body;
      else if (at(1) == 'R') kind = K::Break;
      else if (at(1) == 'L') kind = K::Blink;
      break;
    case 'E': kind = K::ErrorLine; break;
    case 'F': kind = K::Font; break;
    case 'H':
      if (tag.Closing || at(1) == 'I') kind = K::Highlight;
      else if (at(1) == 'R') kind = K::Rule;
      break;
    case 'I':
      if (tag.Closing || name.size() == 1) kind = K::Italic;
      else if (at(1) == 'M') kind = K::Image;
      else if (at(1) == 'N') kind = K::Indent;
      break;
    case 'L': kind = K::ListItem; break;
    case 'O':
      if (tag.Closing || at(1) == 'F') kind = K::Offset;
      break;
    case 'P': kind = K::Paragraph; break;
    case 'R': kind = K::Rotate; break;
    case 'S':
      if (name.size() == 1) kind = K::StrikeOut;
      else if (at(1) == 'H') kind = K::Shadow;
      else if (tag.Closing && at(1) == 'U') kind = K::Subscript;
      else if (name == "SUB") kind = K::Subscript;
      else if (name == "SUP") kind = K::Superscript;
      break;
    case 'U':
      if (name.size() == 1) kind = K::Underline;
      else if (tag.Closing || at(1) == 'L') kind = K::List;
      break;
    case 'Z': kind = K::Hidden; break;
    default: break;
  }
  tag.Kind = kind;
  return tag;
}

namespace {

// Where the value of attribute `name` begins (just after "=" and any blanks), outside quoted text and after a
// blank; npos when absent. With `flagOnly`, the name must instead stand alone (followed by a blank or the end).
size_t FindAttribute(const std::string& upper, std::string_view name, bool flagOnly) {
  bool quoted = false;
  for (size_t i = 0; i < upper.size(); ++i) {
    if (upper[i] == '"') {
      quoted = !quoted;
      continue;
    }
    if (quoted || i == 0 || !IsBlank(upper[i - 1]) || upper.compare(i, name.size(), name) != 0) continue;
    size_t j = i + name.size();
    if (flagOnly) {
      if (j == upper.size() || IsBlank(upper[j])) return j;
      continue;
    }
    while (j < upper.size() && IsBlank(upper[j])) ++j;
    if (j >= upper.size() || upper[j] != '=') continue;
    ++j;
    while (j < upper.size() && IsBlank(upper[j])) ++j;
    return j;
  }
  return std::string::npos;
}

}  // namespace

bool HtmlAttribute(const THtmlTag& tag, std::string_view name, std::string& value) {
  size_t start = FindAttribute(tag.Upper, name, false);
  if (start == std::string::npos) return false;
  std::string_view text = tag.Text;
  if (start < text.size() && text[start] == '"') {
    const size_t close = text.find('"', start + 1);
    value = std::string(text.substr(start + 1, close == text.npos ? text.npos : close - start - 1));
    return true;
  }
  size_t end = start;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  value = std::string(text.substr(start, end - start));
  return true;
}

bool HtmlNumberAttribute(const THtmlTag& tag, std::string_view name, int& value) {
  std::string text;
  if (!HtmlAttribute(tag, name, text)) return false;
  size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative || (i < text.size() && text[i] == '+')) ++i;
  if (i >= text.size() || !IsDigit(text[i])) return false;
  constexpr int64_t kLimit = 1000000;
  int64_t number = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) number = std::min(kLimit, number * 10 + (text[i] - '0'));
  value = static_cast<int>(negative ? -number : number);
  return true;
}

bool HtmlFlagAttribute(const THtmlTag& tag, std::string_view name) {
  return FindAttribute(tag.Upper, name, true) != std::string::npos;
}

std::string HtmlQuotedText(const THtmlTag& tag) {
  const size_t open = tag.Text.find('"');
  if (open == std::string_view::npos) return {};
  const size_t close = tag.Text.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(tag.Text.substr(open + 1, close - open - 1));
}

// ---- image sources and anchors --------------------------------------------------------------------------------

THtmlImage ClassifyImageSource(std::string_view source) {
  THtmlImage image;
  auto number = [](std::string_view s, int& n) {
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), IsDigit)) return false;
    n = std::atoi(std::string(s).c_str());
    return true;
  };
  if (StartsWithText(source, "IDX:")) {
    image.Source = std::string(source.substr(4));
    if (number(image.Source, image.Index)) image.Kind = THtmlImageKind::ImageList;
    return image;
  }
  const bool small = StartsWithText(source, "SSYS:");
  if (small || StartsWithText(source, "LSYS:")) {
    image.Kind = small ? THtmlImageKind::SmallSystemIcon : THtmlImageKind::LargeSystemIcon;
    image.Source = std::string(source.substr(5));
    number(image.Source, image.Index);
    return image;
  }
  if (source.empty()) return image;
  image.Kind = source.find("://") != std::string_view::npos ? THtmlImageKind::Url : THtmlImageKind::Named;
  image.Source = std::string(source);
  return image;
}

bool IsShellAnchorTarget(std::string_view target) {
  if (StartsWithText(target, "mailto:")) return true;
  if (target.empty() || !IsLetter(target[0])) return false;
  size_t i = 1;
  while (i < target.size() && (IsLetter(target[i]) || IsDigit(target[i]) || target[i] == '+' || target[i] == '-' ||
                               target[i] == '.'))
    ++i;
  return target.substr(i, 3) == "://";
}

// ---- gradient bands -------------------------------------------------------------------------------------------

std::vector<THtmlBand> HtmlGradientBands(uint32_t from, uint32_t to, int start, int end, int steps) {
  std::vector<THtmlBand> bands;
  if (end <= start) return bands;
  steps = std::max(steps, 1);
  const int64_t extent = static_cast<int64_t>(end) - start;
  for (int i = 0; i < steps; ++i) {
    THtmlBand band;
    band.Start = static_cast<int>(start + extent * i / steps);
    const int64_t next = start + extent * (i + 1) / steps;
    if (next == band.Start) continue;  // more steps than pixels: the band's share is taken by a later one
    band.End = static_cast<int>(std::min<int64_t>(end, next + 1));
    for (int shift = 0; shift <= 16; shift += 8) {
      const int64_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
      // a + i (b - a) / steps, rounded half away from zero
      const int64_t scaled = a * steps + i * (b - a);
      const int64_t rounded = (2 * scaled + steps) / (2 * steps);
      band.Color |= static_cast<uint32_t>(std::clamp<int64_t>(rounded, 0, 255)) << shift;
    }
    bands.push_back(band);
  }
  return bands;
}
