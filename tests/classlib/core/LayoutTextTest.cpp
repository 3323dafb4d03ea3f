#include "classlib/core/LayoutText.h"

#include <gtest/gtest.h>

namespace {

TLayoutObject ParseOk(const std::string& text) {
  TLayoutObject root;
  TLayoutError error;
  EXPECT_TRUE(ParseLayoutText(text, root, error)) << "line " << error.Line << ": " << error.Message;
  return root;
}

TLayoutValue ValueOf(const std::string& valueText) {
  TLayoutObject root = ParseOk("object A: TA\n  P = " + valueText + "\nend\n");
  EXPECT_EQ(root.Properties.size(), 1u);
  return root.Properties.empty() ? TLayoutValue{} : root.Properties[0].Value;
}

TEST(LayoutText, TreeKeepsNamesClassesOrderAndLines) {
  TLayoutObject root = ParseOk(
      "object frmMain: TfrmMain\r\n"
      "  Left = 10\r\n"
      "  Font.Name = 'Tahoma'\r\n"
      "  object Panel1: TPanel\r\n"
      "    object Label1: TLabel\r\n"
      "      Caption = 'x'\r\n"
      "    end\r\n"
      "  end\r\n"
      "  object TPanel\r\n"
      "  end\r\n"
      "end\r\n");
  EXPECT_EQ(root.Name, "frmMain");
  EXPECT_EQ(root.ClassName, "TfrmMain");
  ASSERT_EQ(root.Properties.size(), 2u);
  EXPECT_EQ(root.Properties[1].Name, "Font.Name");
  EXPECT_EQ(root.Properties[1].Line, 3);
  ASSERT_EQ(root.Children.size(), 2u);
  EXPECT_EQ(root.Children[0].Line, 4);
  ASSERT_EQ(root.Children[0].Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Children[0].Properties[0].Line, 6);
  EXPECT_EQ(root.Children[1].Name, "");
  EXPECT_EQ(root.Children[1].ClassName, "TPanel");
}

struct ScalarRow {
  const char* text;
  TLayoutValueKind kind;
  int64_t integer;
  const char* str;
};

TEST(LayoutText, ScalarValues) {
  const ScalarRow rows[] = {
      {"0", TLayoutValueKind::Integer, 0, ""},
      {"-12", TLayoutValueKind::Integer, -12, ""},
      {"+7", TLayoutValueKind::Integer, 7, ""},
      {"$FF00000F", TLayoutValueKind::Integer, 0xFF00000F, ""},
      {"-$10", TLayoutValueKind::Integer, -16, ""},
      {"9223372036854775807", TLayoutValueKind::Integer, INT64_MAX, ""},
      {"-9223372036854775808", TLayoutValueKind::Integer, INT64_MIN, ""},
      {"clBtnFace", TLayoutValueKind::Ident, 0, "clBtnFace"},
      {"Panel1.Edit1", TLayoutValueKind::Ident, 0, "Panel1.Edit1"},
      {"'it''s'", TLayoutValueKind::String, 0, "it's"},
      {"''", TLayoutValueKind::String, 0, ""},
      {"'a'#13#10'b'", TLayoutValueKind::String, 0, "a\r\nb"},
      {"#$41#66", TLayoutValueKind::String, 0, "AB"},
      {"'Map ' +\n    'Editor'", TLayoutValueKind::String, 0, "Map Editor"},
      {"#0", TLayoutValueKind::String, 0, ""},
  };
  for (const ScalarRow& row : rows) {
    SCOPED_TRACE(row.text);
    TLayoutValue v = ValueOf(row.text);
    EXPECT_EQ(v.Kind, row.kind);
    if (row.kind == TLayoutValueKind::Integer) EXPECT_EQ(v.Int, row.integer);
    if (row.kind != TLayoutValueKind::Integer && std::string(row.text) != "#0") EXPECT_EQ(v.Text, row.str);
  }
  EXPECT_EQ(ValueOf("#0").Text, std::string(1, '\0'));
  EXPECT_DOUBLE_EQ(ValueOf("1.5").Float, 1.5);
  EXPECT_DOUBLE_EQ(ValueOf("-2e3").Float, -2000.0);
}

TEST(LayoutText, SetsListsAndBinary) {
  TLayoutValue set = ValueOf("[akLeft, akTop]");
  EXPECT_EQ(set.Kind, TLayoutValueKind::Set);
  EXPECT_EQ(set.Idents, (std::vector<std::string>{"akLeft", "akTop"}));
  EXPECT_TRUE(ValueOf("[]").Idents.empty());

  TLayoutValue list = ValueOf("(\n 'one'\n 'two' + 'x'\n 3)");
  ASSERT_EQ(list.Kind, TLayoutValueKind::List);
  ASSERT_EQ(list.Items.size(), 3u);
  EXPECT_EQ(list.Items[1].Text, "twox");
  EXPECT_EQ(list.Items[2].Int, 3);
  EXPECT_EQ(list.Items[1].Line, 4);

  TLayoutValue bin = ValueOf("{\n  89504e47\n  0D0A}");
  ASSERT_EQ(bin.Kind, TLayoutValueKind::Binary);
  EXPECT_EQ(bin.Bytes, (std::vector<uint8_t>{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A}));
  EXPECT_TRUE(ValueOf("{}").Bytes.empty());
}

struct ErrorRow {
  const char* text;
  int line;
  const char* fragment;
};

TEST(LayoutText, ErrorsNameTheLineAndLeaveTheResultAlone) {
  const ErrorRow rows[] = {
      {"", 1, "expected 'object'"},
      {"object A: TA\n  Left = 1\n", 3, "has no 'end'"},
      {"object A: TA\n  Left 1\nend", 2, "expected '='"},
      {"object A: TA\n  Caption = 'abc\nend", 2, "no closing quote"},
      {"object A: TA\n  X = #300\nend", 2, "out of range"},
      {"object A: TA\n  X = {12 3}\nend", 2, "odd number"},
      {"object A: TA\n  X = {12 zz}\nend", 2, "invalid character"},
      {"object A: TA\n  X = {12", 2, "no closing '}'"},
      {"object A: TA\n  X = [a b]\nend", 2, "expected ','"},
      {"object A: TA\n  X = (1 2\n", 3, "no closing ')'"},
      {"object A: TA\n  X = 99999999999999999999\nend", 2, "out of range"},
      {"object A: TA\n  X = 9223372036854775808\nend", 2, "out of range"},
      {"object A: TA\n  X = $\nend", 2, "without hex digits"},
      {"object A: TA\n  X = 'a' +\n  1\nend", 3, "after '+'"},
      {"object A: TA\n  object B: TB\n  end\n  Left = 1\nend", 4, "before child objects"},
      {"object A: TA\nend\nobject B: TB\nend", 3, "after the root"},
      {"object A.B: TA\nend", 1, "must not contain"},
      {"object A: TA\n  X = )\nend", 2, "unexpected ')'"},
  };
  for (const ErrorRow& row : rows) {
    SCOPED_TRACE(row.text);
    TLayoutObject root;
    root.Name = "untouched";
    TLayoutError error;
    EXPECT_FALSE(ParseLayoutText(row.text, root, error));
    EXPECT_EQ(error.Line, row.line);
    EXPECT_NE(error.Message.find(row.fragment), std::string::npos) << error.Message;
    EXPECT_EQ(root.Name, "untouched");
  }
}

TEST(LayoutText, DeepNestingIsRefusedNotRecursedThrough) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "object A: TA\n";
  TLayoutObject root;
  TLayoutError error;
  EXPECT_FALSE(ParseLayoutText(deep, root, error));
  EXPECT_NE(error.Message.find("nested too deeply"), std::string::npos);

  std::string lists = "object A: TA\n X = " + std::string(100000, '(') + "\nend";
  EXPECT_FALSE(ParseLayoutText(lists, root, error));
  EXPECT_NE(error.Message.find("nested too deeply"), std::string::npos);
}

}  // namespace
