#pragma once
// The text of a settings file in the Windows profile format, held as its lines so that a rewrite keeps every
// line it does not change (blank lines, comments, unknown lines, key spelling) byte for byte.
//
// Format as read: "[Section]" lines open sections; "Key=Value" lines inside them hold values; names compare
// ignoring ASCII case and surrounding blanks; the value is the text after the first '=', trimmed, with one pair
// of enclosing single or double quotes removed. The first section of a name and its first key of a name win;
// later duplicates are kept in the text but never read. Lines starting with ';', lines without '=', section
// lines without ']' and keys before the first section are kept and ignored. Lines break at CR LF, LF or CR; a
// UTF-8 byte-order mark is skipped and kept.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TIniText {
public:
    void Parse(std::string_view text);
    // Every line followed by CR LF.
    std::string Render() const;

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    bool SectionExists(std::string_view section) const;
    // Replaces the first such key's value, or adds the key after the section's last key, or adds the section at
    // the end. Line breaks in `value` become blanks; a value that reading would change (surrounding blanks or
    // quotes) is written inside double quotes, so that it reads back as given. Section and key names are the
    // program's own plain names. Returns false when the stored value was already `value`.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string raw;    // the line as it is written
        Kind kind;
        std::string name;   // section or key name, trimmed
        std::string value;  // a key's value as read
    };
    static Line ParseLine(std::string_view raw);
    // Index of the first section line of this name, or the line count.
    size_t FindSection(std::string_view section) const;
    // End of the section starting at `header`: the next section line or the line count.
    size_t SectionEnd(size_t header) const;

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
};
