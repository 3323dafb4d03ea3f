#include "gamedata/core/ImageLibraries.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

TEST(LibraryPath, NamesOfTheTable)
{
    const struct {
        int32_t Number;
        const char* Name;
    } rows[] = {
        {0, "Data\\Tilesc.wil"},
        {1, "Data\\Tiles30c.wil"},
        {11, "Data\\Animationsc.wil"},
        {14, "Data\\CustFiles.wil"},
        {15, "Data\\Wood\\Tilesc.wil"},
        {26, "Data\\Wood\\Animationsc.wil"},
        {38, "Data\\Sand\\Furnituresc.wil"},
        {46, "Data\\Snow\\Tiles30c.wil"},
        {58, "Data\\Snow\\Object2c.wil"},
        {63, "Data\\Forest\\Smtilesc.wil"},
        {71, "Data\\Forest\\Animationsc.wil"},
        {74, "Data\\Forest\\CustFiles.wil"},
        {75, "Data\\NPC.wil"},
        {76, ""},
        {-1, ""},
        {INT_MIN, ""},
        {INT_MAX, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(GetLibraryFileName(row.Number), row.Name) << row.Number;
}

TEST(LibraryPath, EveryCachedNumberHasItsOwnWilName)
{
    std::set<std::string> names;
    for (int32_t n = 0; n < ImageLibraryCount; ++n) {
        const std::string name = GetLibraryFileName(n);
        ASSERT_GT(name.size(), 9u) << n;
        EXPECT_EQ(name.substr(0, 5), "Data\\") << n;
        EXPECT_EQ(name.substr(name.size() - 4), ".wil") << n;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), size_t(ImageLibraryCount));
    EXPECT_EQ(names.count(GetLibraryFileName(NpcLibraryNumber)), 0u);
}

TEST(LibraryPath, FullPathByKind)
{
    const struct {
        int32_t Number;
        int32_t Kind;
        const char* Path;
    } rows[] = {
        {0, ImageLibKindWIL, "C:\\Game\\Data\\Tilesc.wil"},
        {0, ImageLibKindSIL, "C:\\Game\\Data\\Tilesc.sil"},
        {46, ImageLibKindSIL, "C:\\Game\\Data\\Snow\\Tiles30c.sil"},
        {75, ImageLibKindSIL, "C:\\Game\\Data\\NPC.sil"},
        {7, 2, "C:\\Game\\Data\\Innersc.wil"},  // an unknown kind keeps the game's name
        {76, ImageLibKindWIL, ""},
        {-3, ImageLibKindSIL, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LibraryFilePath("C:\\Game\\", row.Number, row.Kind), row.Path) << row.Number << "/" << row.Kind;
}

}  // namespace
