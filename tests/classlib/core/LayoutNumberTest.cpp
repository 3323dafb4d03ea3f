// Integers at the ends of the 64-bit range in both spellings: the extremes read exactly, anything beyond them is
// an error naming its line and leaves the result alone (never a value wrapped round).
#include "classlib/core/LayoutText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

TEST(LayoutNumbers, ExtremesReadAndBeyondThemIsAnError)
{
    struct Row {
        const char* Spelling;
        std::optional<int64_t> Value;  // none: an error on the property's line
    };
    const Row rows[] = {
        {"$7FFFFFFFFFFFFFFF", INT64_MAX},
        {"-$8000000000000000", INT64_MIN},
        {"-$7FFFFFFFFFFFFFFF", -INT64_MAX},
        {"$FFFFFFFF", INT64_C(4294967295)},
        {"$8000000000000000", std::nullopt},
        {"$FFFFFFFFFFFFFFFF", std::nullopt},
        {"-$8000000000000001", std::nullopt},
        {"-$FFFFFFFFFFFFFFFF", std::nullopt},
        {"-9223372036854775809", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Spelling);
        TLayoutObject root;
        root.Name = "untouched";
        TLayoutError error;
        const bool parsed =
            ParseLayoutText(std::string("object A: TA\n  Left = 1\n  Tag = ") + row.Spelling + "\nend\n", root, error);
        ASSERT_EQ(parsed, row.Value.has_value()) << error.Message;
        if (parsed) {
            ASSERT_EQ(root.Properties.size(), 2u);
            EXPECT_EQ(root.Properties[1].Value.Int, *row.Value);
            continue;
        }
        EXPECT_EQ(error.Line, 3);
        EXPECT_NE(error.Message.find(row.Spelling), std::string::npos) << error.Message;
        EXPECT_EQ(root.Name, "untouched");
    }
}

}  // namespace
