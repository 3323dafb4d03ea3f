// Sections: cursor and tokens; values; objects; entry point.
#include "classlib/core/LayoutText.h"

#include <cstdlib>
#include <optional>

namespace {

// Deep nesting only comes from damaged or hostile text; the limit keeps recursion off the end of the stack.
constexpr int MaxDepth = 64;

// ---- cursor and tokens ----------------------------------------------------------------------------------------

enum class TTok { End, Ident, Integer, Float, String, Symbol };

struct TToken {
  TTok Kind = TTok::End;
  int Line = 1;
  std::string Text;  // Ident, String (decoded), Symbol (one character)
  int64_t Int = 0;
  double Float = 0;
};

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class TLexer {
 public:
  explicit TLexer(std::string_view text) : Text(text) {}

  int Line() const { return CurLine; }
  const TToken& Peek() { return Current; }
  bool Failed() const { return !Error.Message.empty(); }
  TLayoutError Error;

  bool Start() { return Advance(); }

  // Consumes the current token and reads the next one.
  bool Advance() {
    SkipSpace();
    Current = TToken{};
    Current.Line = CurLine;
    if (Pos >= Text.size()) return true;
    char c = Text[Pos];
    if (IsIdentStart(c)) return ReadIdent();
    if (IsDigit(c) || c == '$' || ((c == '-' || c == '+') && Pos + 1 < Text.size() &&
                                   (IsDigit(Text[Pos + 1]) || Text[Pos + 1] == '$')))
      return ReadNumber();
    if (c == '\'' || c == '#') return ReadString();
    Current.Kind = TTok::Symbol;
    Current.Text = std::string(1, c);
    ++Pos;
    return true;
  }

  // After a '{' token: hex pairs up to the closing '}', which is consumed; whitespace and line breaks between
  // digits are allowed.
  bool ReadBinary(std::vector<uint8_t>& out) {
    int hi = -1;
    for (;;) {
      SkipSpace();
      if (Pos >= Text.size()) return Fail("binary data has no closing '}'");
      char c = Text[Pos++];
      if (c == '}') break;
      int d = HexDigit(c);
      if (d < 0) return Fail("invalid character in binary data");
      if (hi < 0) {
        hi = d;
      } else {
        out.push_back(static_cast<uint8_t>(hi * 16 + d));
        hi = -1;
      }
    }
    if (hi >= 0) return Fail("binary data has an odd number of hex digits");
    return Advance();
  }

  bool Fail(std::string message) {
    if (!Failed()) Error = TLayoutError{CurLine, std::move(message)};
    return false;
  }

 private:
  void SkipSpace() {
    while (Pos < Text.size()) {
      char c = Text[Pos];
      if (c == '\n') {
        ++CurLine;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        break;
      }
      ++Pos;
    }
  }

  bool ReadIdent() {
    size_t start = Pos;
    while (Pos < Text.size()) {
      if (IsIdentChar(Text[Pos])) {
        ++Pos;
      } else if (Text[Pos] == '.' && Pos + 1 < Text.size() && IsIdentStart(Text[Pos + 1])) {
        ++Pos;
      } else {
        break;
      }
    }
    Current.Kind = TTok::Ident;
    Current.Text = std::string(Text.substr(start, Pos - start));
    return true;
  }

  bool ReadNumber() {
    const size_t start = Pos;
    bool negative = false;
    if (Text[Pos] == '-' || Text[Pos] == '+') negative = Text[Pos++] == '-';
    if (Text[Pos] == '$') {
      ++Pos;
      uint64_t v = 0;
      int digits = 0;
      for (int d; Pos < Text.size() && (d = HexDigit(Text[Pos])) >= 0; ++Pos, ++digits) {
        if (digits == 16) return Fail("hex number too long");
        v = v * 16 + static_cast<uint64_t>(d);
      }
      if (digits == 0) return Fail("'$' without hex digits");
      return StoreInteger(v, negative, std::string(Text.substr(start, Pos - start)));
    }
    const size_t digitsStart = Pos;
    while (Pos < Text.size() && IsDigit(Text[Pos])) ++Pos;
    bool isFloat = false;
    if (Pos + 1 < Text.size() && Text[Pos] == '.' && IsDigit(Text[Pos + 1])) {
      isFloat = true;
      ++Pos;
      while (Pos < Text.size() && IsDigit(Text[Pos])) ++Pos;
    }
    if (Pos < Text.size() && (Text[Pos] == 'e' || Text[Pos] == 'E')) {
      size_t e = Pos + 1;
      if (e < Text.size() && (Text[e] == '-' || Text[e] == '+')) ++e;
      if (e < Text.size() && IsDigit(Text[e])) {
        isFloat = true;
        Pos = e;
        while (Pos < Text.size() && IsDigit(Text[Pos])) ++Pos;
      }
    }
    std::string digits(Text.substr(digitsStart, Pos - digitsStart));
    if (isFloat) {
      Current.Kind = TTok::Float;
      Current.Float = std::strtod(digits.c_str(), nullptr);
      if (negative) Current.Float = -Current.Float;
      return true;
    }
    const std::string spelling(Text.substr(start, Pos - start));
    uint64_t v = 0;
    for (char c : digits) {
      uint64_t d = static_cast<uint64_t>(c - '0');
      if (v > (MostNegativeMagnitude - d) / 10) return Fail("number out of range: " + spelling);
      v = v * 10 + d;
    }
    return StoreInteger(v, negative, spelling);
  }

  // Magnitudes up to 2^63 so that the most negative 64-bit value can be written; a larger one (a hex number
  // past $7FFFFFFFFFFFFFFF) fits no property and is an error, never a value wrapped round.
  static constexpr uint64_t MostNegativeMagnitude = UINT64_C(9223372036854775808);

  bool StoreInteger(uint64_t magnitude, bool negative, const std::string& spelling) {
    const uint64_t limit = negative ? MostNegativeMagnitude : static_cast<uint64_t>(INT64_MAX);
    if (magnitude > limit) return Fail("number out of range: " + spelling);
    Current.Kind = TTok::Integer;
    Current.Int = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
  }

  // One string token: any run of quoted parts and #codes with nothing between them.
  bool ReadString() {
    std::string out;
    while (Pos < Text.size()) {
      char c = Text[Pos];
      if (c == '\'') {
        ++Pos;
        for (;;) {
          if (Pos >= Text.size() || Text[Pos] == '\n' || Text[Pos] == '\r')
            return Fail("string has no closing quote");
          char s = Text[Pos++];
          if (s == '\'') {
            if (Pos < Text.size() && Text[Pos] == '\'') {
              out += '\'';
              ++Pos;
              continue;
            }
            break;
          }
          out += s;
        }
      } else if (c == '#') {
        ++Pos;
        uint32_t code = 0;
        int digits = 0;
        if (Pos < Text.size() && Text[Pos] == '$') {
          ++Pos;
          for (int d; Pos < Text.size() && (d = HexDigit(Text[Pos])) >= 0 && digits < 8; ++Pos, ++digits)
            code = code * 16 + static_cast<uint32_t>(d);
        } else {
          for (; Pos < Text.size() && IsDigit(Text[Pos]) && digits < 8; ++Pos, ++digits)
            code = code * 10 + static_cast<uint32_t>(Text[Pos] - '0');
        }
        if (digits == 0) return Fail("'#' without a character code");
        if (code > 255) return Fail("character code out of range: " + std::to_string(code));
        out += static_cast<char>(code);
      } else {
        break;
      }
    }
    Current.Kind = TTok::String;
    Current.Text = std::move(out);
    return true;
  }

  std::string_view Text;
  size_t Pos = 0;
  int CurLine = 1;
  TToken Current;
};

// ---- values ---------------------------------------------------------------------------------------------------

class TParser {
 public:
  explicit TParser(std::string_view text) : Lex(text) {}
  TLexer Lex;

  bool IsSymbol(char c) { return Lex.Peek().Kind == TTok::Symbol && Lex.Peek().Text[0] == c; }
  bool IsWord(const char* w) {
    if (Lex.Peek().Kind != TTok::Ident) return false;
    const std::string& t = Lex.Peek().Text;
    size_t n = 0;
    for (; w[n]; ++n)
      if (n >= t.size() || (t[n] | 0x20) != w[n]) return false;
    return n == t.size();
  }
  bool Expect(char c) {
    if (!IsSymbol(c)) return Lex.Fail(std::string("expected '") + c + "'");
    return Lex.Advance();
  }

  bool ParseValue(TLayoutValue& v, int depth) {
    if (depth > MaxDepth) return Lex.Fail("values nested too deeply");
    const TToken& t = Lex.Peek();
    v.Line = t.Line;
    switch (t.Kind) {
      case TTok::Integer:
        v.Kind = TLayoutValueKind::Integer;
        v.Int = t.Int;
        return Lex.Advance();
      case TTok::Float:
        v.Kind = TLayoutValueKind::Float;
        v.Float = t.Float;
        return Lex.Advance();
      case TTok::Ident:
        v.Kind = TLayoutValueKind::Ident;
        v.Text = t.Text;
        return Lex.Advance();
      case TTok::String:
        return ParseString(v);
      case TTok::Symbol:
        if (IsSymbol('[')) return ParseSet(v);
        if (IsSymbol('(')) return ParseList(v, depth);
        if (IsSymbol('{')) {
          v.Kind = TLayoutValueKind::Binary;
          return Lex.ReadBinary(v.Bytes);
        }
        return Lex.Fail("unexpected '" + t.Text + "' where a value belongs");
      case TTok::End:
        break;
    }
    return Lex.Fail("value missing at end of text");
  }

  // 'a' + 'b' joins strings across lines.
  bool ParseString(TLayoutValue& v) {
    v.Kind = TLayoutValueKind::String;
    v.Text = Lex.Peek().Text;
    if (!Lex.Advance()) return false;
    while (IsSymbol('+')) {
      if (!Lex.Advance()) return false;
      if (Lex.Peek().Kind != TTok::String) return Lex.Fail("expected a string after '+'");
      v.Text += Lex.Peek().Text;
      if (!Lex.Advance()) return false;
    }
    return true;
  }

  bool ParseSet(TLayoutValue& v) {
    v.Kind = TLayoutValueKind::Set;
    if (!Lex.Advance()) return false;
    if (IsSymbol(']')) return Lex.Advance();
    for (;;) {
      if (Lex.Peek().Kind != TTok::Ident) return Lex.Fail("expected an identifier in the set");
      v.Idents.push_back(Lex.Peek().Text);
      if (!Lex.Advance()) return false;
      if (IsSymbol(']')) return Lex.Advance();
      if (!Expect(',')) return false;
    }
  }

  bool ParseList(TLayoutValue& v, int depth) {
    v.Kind = TLayoutValueKind::List;
    if (!Lex.Advance()) return false;
    while (!IsSymbol(')')) {
      if (Lex.Peek().Kind == TTok::End) return Lex.Fail("list has no closing ')'");
      TLayoutValue item;
      if (!ParseValue(item, depth + 1)) return false;
      v.Items.push_back(std::move(item));
    }
    return Lex.Advance();
  }

  // ---- objects ------------------------------------------------------------------------------------------------

  bool ParseObject(TLayoutObject& o, int depth) {
    if (depth > MaxDepth) return Lex.Fail("objects nested too deeply");
    if (!IsWord("object")) return Lex.Fail("expected 'object'");
    o.Line = Lex.Peek().Line;
    if (!Lex.Advance()) return false;
    if (Lex.Peek().Kind != TTok::Ident) return Lex.Fail("expected a name or class after 'object'");
    std::string first = Lex.Peek().Text;
    if (first.find('.') != std::string::npos) return Lex.Fail("object and class names must not contain '.'");
    if (!Lex.Advance()) return false;
    if (IsSymbol(':')) {
      if (!Lex.Advance()) return false;
      if (Lex.Peek().Kind != TTok::Ident) return Lex.Fail("expected a class name after ':'");
      o.Name = std::move(first);
      o.ClassName = Lex.Peek().Text;
      if (o.ClassName.find('.') != std::string::npos) return Lex.Fail("object and class names must not contain '.'");
      if (!Lex.Advance()) return false;
    } else {
      o.ClassName = std::move(first);
    }
    for (;;) {
      if (Lex.Peek().Kind == TTok::End) return Lex.Fail("object '" + o.Name + "' has no 'end'");
      if (IsWord("end")) return Lex.Advance();
      if (IsWord("object")) {
        TLayoutObject child;
        if (!ParseObject(child, depth + 1)) return false;
        o.Children.push_back(std::move(child));
        continue;
      }
      if (Lex.Peek().Kind != TTok::Ident) return Lex.Fail("expected a property name, 'object' or 'end'");
      if (!o.Children.empty()) return Lex.Fail("properties must come before child objects");
      TLayoutProperty p;
      p.Name = Lex.Peek().Text;
      p.Line = Lex.Peek().Line;
      if (!Lex.Advance() || !Expect('=') || !ParseValue(p.Value, 0)) return false;
      o.Properties.push_back(std::move(p));
    }
  }
};

}  // namespace

// ---- entry point ----------------------------------------------------------------------------------------------

bool ParseLayoutText(std::string_view Text, TLayoutObject& Root, TLayoutError& Error) {
  TParser p(Text);
  TLayoutObject parsed;
  bool ok = p.Lex.Start() && p.ParseObject(parsed, 0);
  if (ok && p.Lex.Peek().Kind != TTok::End) ok = p.Lex.Fail("text after the root object's 'end'");
  if (!ok) {
    Error = p.Lex.Error;
    return false;
  }
  Root = std::move(parsed);
  Error = TLayoutError{};
  return true;
}

const char* LayoutValueKindName(TLayoutValueKind Kind) {
  switch (Kind) {
    case TLayoutValueKind::Integer: return "integer";
    case TLayoutValueKind::Float: return "number";
    case TLayoutValueKind::Ident: return "identifier";
    case TLayoutValueKind::String: return "string";
    case TLayoutValueKind::Set: return "set";
    case TLayoutValueKind::List: return "list";
    case TLayoutValueKind::Binary: return "binary data";
  }
  return "value";
}
