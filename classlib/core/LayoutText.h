// The text form of a window layout, parsed into a tree of objects, properties and values.
//
//   object frmMain: TfrmMain            an object: name (may be empty), colon, class name
//     Caption = 'Map '#39'Editor'#39    strings: quoted runs ('' is a quote) and #nn character codes,
//                                       joined with + across lines
//     Left = 12                         integers (decimal, $hex, signed), floats (1.5, -2e3)
//     Align = alClient                  identifiers (enums, True/False, colour names); dotted ones name
//     FocusControl = Panel1.Edit1       references
//     Anchors = [akLeft, akTop]         sets of identifiers
//     Lines.Strings = ('a' 'b')         lists of values
//     Picture.Data = {89504E47...}      binary data in hex, spread over any number of lines
//     Font.Name = 'Tahoma'              dotted property names reach sub-objects
//     object Panel1: TPanel ... end     child objects, after the properties
//   end
//
// The parser checks only syntax; what names and values mean is the reader's business. Every node keeps its
// line so that the reader's errors can name it. Parsing never throws: a malformed text gives an error value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TLayoutValueKind { Integer, Float, Ident, String, Set, List, Binary };

struct TLayoutValue {
  TLayoutValueKind Kind = TLayoutValueKind::Integer;
  int Line = 0;
  int64_t Int = 0;
  double Float = 0;
  std::string Text;                 // Ident, String
  std::vector<std::string> Idents;  // Set
  std::vector<TLayoutValue> Items;  // List
  std::vector<uint8_t> Bytes;       // Binary
};

struct TLayoutProperty {
  std::string Name;  // may be dotted: "Font.Name"
  TLayoutValue Value;
  int Line = 0;
};

struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

struct TLayoutError {
  int Line = 0;  // 1-based; 0 when there is no error
  std::string Message;
};

// Parses one root object. On failure Root is left unchanged and Error names the line.
bool ParseLayoutText(std::string_view Text, TLayoutObject& Root, TLayoutError& Error);

// Human-readable name of a value kind, for messages ("integer", "identifier", ...).
const char* LayoutValueKindName(TLayoutValueKind Kind);
