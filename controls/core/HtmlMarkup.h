// The mini-HTML markup of the labels: text replacements, the word and tag tokens, tag names, attributes, colour
// values, image sources, anchor targets, the plain-text forms and the stepped gradient's bands. Platform-free;
// the layout (HtmlLayout.h) and the Win32 painter build on it.
//
// Sections: colours; text replacements; tokens; tags and attributes; image sources and anchors; gradient bands.
//
// Markup rules: a tag runs from "<" to the next ">" (an unclosed "<" takes the rest of the text); only its first
// letters decide what it is, compared in upper case; attribute names are found outside quoted values, after a
// blank, and their values are quoted text or the text after "=" up to the next blank.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// ---- colours --------------------------------------------------------------------------------------------------

// Colours of the markup are 0x00BBGGRR, or 0xFF0000nn for system colour nn (resolved when painted).
constexpr uint32_t kHtmlNoColor = 0x1FFFFFFF;  // "no background": drawn transparent
constexpr uint32_t HtmlSysColor(int index) { return 0xFF000000u | static_cast<uint32_t>(index); }
constexpr uint32_t kHtmlHighlight = HtmlSysColor(13), kHtmlHighlightText = HtmlSysColor(14);

// A colour value of an attribute: "#RRGGBB" (six hexadecimal digits of either case, surrounding quotes and
// blanks ignored) or a colour name such as "clRed" (any case). Anything else is black.
uint32_t ParseHtmlColor(std::string_view value);

// ---- text replacements ----------------------------------------------------------------------------------------

// Applied to the whole string before layout: "&amp;" becomes "&&" (one "&" on screen, the drawing's prefix rule),
// "&quot;" a double quote, "&sect;", "&permil;", "&reg;", "&copy;", "&para;", "&trade;" and "&euro;" their
// Windows-1252 characters; a marker "<#name>" leaves only "name".
std::string PrepareHtml(std::string_view html);
// Applied to each word: "&nbsp;" a blank, "&lt;" "<", "&gt;" ">".
std::string ReplaceWordEntities(std::string_view word);
// The drawing must not treat "&" as a prefix when the text holds " & ".
bool HtmlNeedsNoPrefix(std::string_view prepared);
// The plain text of a markup string: "<BR>" and "<HR>" (any case) become CR LF, the content of "<Z>...</Z>" (any
// case) is dropped, every other tag is removed.
std::string HTMLStrip(std::string_view html);
// Plain lines as markup: line feeds are dropped, carriage returns become "<BR>".
std::string TextToHtml(std::string_view text);

// ---- tokens ---------------------------------------------------------------------------------------------------

enum class THtmlTokenKind { Word, Space, Tag };

// Word: letters up to a blank, a line break or "<" (entities not yet replaced). Space: a run of blanks and line
// breaks; only the blanks count. Tag: the text between "<" and ">".
struct THtmlToken {
  THtmlTokenKind Kind = THtmlTokenKind::Word;
  std::string_view Text;
  int Blanks = 0;  // Space: how many blanks the run holds
};

class THtmlTokenizer {
public:
  explicit THtmlTokenizer(std::string_view text) : text_(text) {}
  // The next token; false at the end.
  bool Next(THtmlToken& token);

private:
  std::string_view text_;
  size_t pos_ = 0;
};

// ---- tags and attributes --------------------------------------------------------------------------------------

enum class THtmlTagKind {
  Unknown,
  Anchor,       // A
  Bold,         // B
  Body,         // BO...
  Break,        // BR
  Blink,        // BL...; closing: any longer B tag
  ErrorLine,    // E
  Font,         // F
  Highlight,    // HI; closing: any H tag
  Rule,         // HR
  Italic,       // I; closing: any I tag
  Image,        // IM...
  Indent,       // IN...
  ListItem,     // L
  Offset,       // OF...; closing: any O tag
  Paragraph,    // P
  Rotate,       // R
  StrikeOut,    // S
  Shadow,       // SH...
  Subscript,    // SUB; closing: any SU tag ends both
  Superscript,  // SUP
  Underline,    // U
  List,         // UL...; closing: any longer U tag
  Hidden,       // Z
};

struct THtmlTag {
  THtmlTagKind Kind = THtmlTagKind::Unknown;
  bool Closing = false;
  std::string_view Text;  // between "<" and ">"
  std::string Upper;      // Text in upper case, for the name searches
};

THtmlTag ClassifyTag(std::string_view inner);

// The value of attribute `name` (upper case): quoted text without its quotes, or the text after "=" up to a
// blank. False when the tag has no such attribute.
bool HtmlAttribute(const THtmlTag& tag, std::string_view name, std::string& value);
// A whole-number attribute, saturated to +-1,000,000 pixels or points; false when absent or not a number.
bool HtmlNumberAttribute(const THtmlTag& tag, std::string_view name, int& value);
// A flag attribute written without a value ("WRAP").
bool HtmlFlagAttribute(const THtmlTag& tag, std::string_view name);
// The text between the first pair of double quotes (an anchor's target); empty when there is none.
std::string HtmlQuotedText(const THtmlTag& tag);

// ---- image sources and anchors --------------------------------------------------------------------------------

enum class THtmlImageKind { None, ImageList, SmallSystemIcon, LargeSystemIcon, Url, Named };

struct THtmlImage {
  THtmlImageKind Kind = THtmlImageKind::None;
  std::string Source;  // the index, file or folder name after "SSYS:"/"LSYS:", the address, or the picture's name
  int Index = -1;      // "IDX:" and numeric system icons
  friend bool operator==(const THtmlImage&, const THtmlImage&) = default;
};

// "IDX:n" an image list's image, "SSYS:x" and "LSYS:x" a small or large system icon, a value with "://" an address,
// anything else a picture container's name (prefixes in any case).
THtmlImage ClassifyImageSource(std::string_view source);

// Whether an anchor's target may be handed to the shell: it begins with a scheme (a letter, then letters, digits,
// "+", "-" or ".") followed by "://", or with "mailto:" (any case). Anything else is for the program's own handler.
bool IsShellAnchorTarget(std::string_view target);

// ---- gradient bands -------------------------------------------------------------------------------------------

// The body's and paragraphs' gradients are drawn in this many bands.
constexpr int kHtmlGradientSteps = 64;

struct THtmlBand {
  int Start = 0;  // first pixel along the gradient's direction
  int End = 0;    // one past the last
  uint32_t Color = 0;
};

// The stepped gradient over [start, end): `steps` bands (at least 1), band i with each channel from + i x (to -
// from) / steps rounded, each one pixel wider than its share so that no gap shows, the last cut at `end`. Plain
// RGB colours. A band whose share is empty (more steps than pixels) is left out.
std::vector<THtmlBand> HtmlGradientBands(uint32_t from, uint32_t to, int start, int end, int steps);
