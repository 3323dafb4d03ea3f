// Library display names.
#include "editor/core/uLibraryNames.h"

#include <gtest/gtest.h>

namespace {

TEST(LibraryNames, NumberSetAndKind)
{
    const std::pair<int32_t, const char*> rows[] = {
        {0, " 0 - Data-Tilesc"},     {7, " 7 - Data-Innersc"}, {14, "14 - Data-Custom"}, {15, "15 - Wood-Tilesc"},
        {33, "33 - Sand-Smtilesc"},  {56, "56 - Snow-Animationsc"}, {74, "74 - Forest-Custom"},
        {75, "-"},                   {-1, "-"},
    };
    for (const auto& [index, name] : rows) EXPECT_EQ(GetLibraryDisplayName(index), name) << index;
}

}  // namespace
