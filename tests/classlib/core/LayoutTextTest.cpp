#include "classlib/core/LayoutText.h"

#include <gtest/gtest.h>

namespace {

// The layout reader's tests parse every value kind through this parser, and the fuzz target feeds it anything;
// these rows pin the line an error names and the depth limit that keeps deep nesting off the stack.
TEST(LayoutText, ErrorsNameTheLineAndLeaveTheResultAlone) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "object A: TA\n";
  const struct {
    std::string text;
    int line;  // 0: wherever the depth limit lies
    const char* fragment;
  } rows[] = {
      {"", 1, "expected 'object'"},
      {"object A: TA\n  Left = 1\n", 3, "has no 'end'"},
      {"object A: TA\n  X = {12 3}\nend", 2, "odd number"},
      {"object A: TA\n  X = 9223372036854775808\nend", 2, "out of range"},
      {"object A: TA\n  X = 'a' +\n  1\nend", 3, "after '+'"},
      {"object A: TA\nend\nobject B: TB\nend", 3, "after the root"},
      {deep, 0, "nested too deeply"},
      {"object A: TA\n X = " + std::string(100000, '(') + "\nend", 0, "nested too deeply"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 60));
    TLayoutObject root;
    root.Name = "untouched";
    TLayoutError error;
    EXPECT_FALSE(ParseLayoutText(row.text, root, error));
    EXPECT_EQ(row.line ? error.Line : 0, row.line);
    EXPECT_NE(error.Message.find(row.fragment), std::string::npos) << error.Message;
    EXPECT_EQ(root.Name, "untouched");
  }
}

}  // namespace
