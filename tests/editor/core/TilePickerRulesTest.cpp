// The picker's library names, grid kinds and shapes, the image of a cell, the selection frame, the create
// dialog's size checks and the device-result log texts.
#include <gtest/gtest.h>

#include <array>

#include "editor/core/uDeviceResultText.h"
#include "editor/core/uNewMapRules.h"
#include "editor/core/uTilePickerRules.h"

namespace {

TEST(TilePickerRules, LibrariesHaveTheirDisplayNamesAndComboItems)
{
    const std::pair<int, const char*> rows[] = {
        {0, " 0 - Data-Tilesc"},    {7, " 7 - Data-Innersc"}, {14, "14 - Data-Custom"},
        {18, "18 - Wood-Smtilesc"}, {46, "46 - Snow-Tiles30c"}, {74, "74 - Forest-Custom"},
        {-1, "-"},                  {75, "-"},
    };
    for (const auto& [index, name] : rows) EXPECT_EQ(GetLibraryDisplayName(index), name) << index;
    const std::vector<std::string> items = LibraryComboItems();
    ASSERT_EQ(items.size(), 75u);
    EXPECT_EQ(items[7], " 7 - Data-Innersc  ");
    EXPECT_EQ(items[33], "33 - Sand-Smtilesc");
    EXPECT_EQ(LibraryIndexFromItem(-1), 0);
    EXPECT_EQ(LibraryIndexFromItem(12), 12);
}

TEST(TilePickerRules, EachLibraryHasItsGridKind)
{
    std::string kinds;  // one digit per library 0 .. 74
    for (int i = 0; i < 75; ++i) kinds += char('0' + PickerGridKindOf(i));
    EXPECT_EQ(kinds,
              "000211111111110"   // Data
              "000111111111110"   // Wood: its small tiles are objects
              "000211111111110"   // Sand
              "000211111111111"   // Snow
              "000211111111111"); // Forest
    EXPECT_EQ(PickerGridKindOf(-1), PickerKindTiles);
    EXPECT_EQ(PickerGridKindOf(90), PickerKindTiles);
}

TEST(TilePickerRules, GridShapesFollowTheKindWidthAndImages)
{
    struct Row {
        int Kind, Width, Images;
        TPickerGridShape Want;
    };
    const Row rows[] = {
        {PickerKindTiles, 708, 1000, {96, 62, 7, 144}},
        {PickerKindTiles, 708, 0, {96, 62, 7, 2}},
        {PickerKindTiles, 60, 5, {96, 62, 1, 7}},  // narrower than a column: still one
        {PickerKindObjects, 708, 12, {48, 640, 12, 1}},
        {PickerKindObjects, 708, 0, {48, 640, 1, 1}},
        {PickerKindSmallTiles, 708, 64, {48, 32, 64, 1}},
    };
    for (const Row& r : rows) {
        const TPickerGridShape s = PickerGridShape(r.Kind, r.Width, r.Images);
        EXPECT_EQ((std::array{s.ColWidth, s.RowHeight, s.Cols, s.Rows}),
                  (std::array{r.Want.ColWidth, r.Want.RowHeight, r.Want.Cols, r.Want.Rows}))
            << r.Kind << " " << r.Width << " " << r.Images;
    }
}

TEST(TilePickerRules, CellsPastTheImagesPickNothing)
{
    EXPECT_EQ(PickerImageAt(7, 3, 2, 100), 17);
    EXPECT_EQ(PickerImageAt(7, 1, 14, 100), 99);
    EXPECT_EQ(PickerImageAt(7, 2, 14, 100), -1);  // the grid's extra rows
    EXPECT_EQ(PickerImageAt(7, 0, 0, 0), -1);
    EXPECT_EQ(PickerImageAt(7, -1, 0, 100), -1);
    EXPECT_EQ(PickerImageAt(7, 7, 0, 100), -1);
}

TEST(TilePickerRules, AClickFramesItsCellAndASecondOneTakesTheFrameAway)
{
    TPickerFrame f;
    EXPECT_FALSE(f.Frames(0, 0));
    f.Click(2, 1);
    EXPECT_TRUE(f.Frames(2, 1));
    f.Click(4, 0);
    EXPECT_TRUE(f.Frames(4, 0));
    EXPECT_FALSE(f.Frames(2, 1));
    f.Click(4, 0);
    EXPECT_FALSE(f.Frames(4, 0));
    f.Click(4, 0);
    EXPECT_TRUE(f.Frames(4, 0));
}

TEST(NewMapRules, TheFirstFailedCheckIsReportedWithItsField)
{
    struct Row {
        const char *X, *Y;
        TNewMapField Field;
        const char* Message;
    };
    const Row rows[] = {
        {"3", "2000", TNewMapField::SizeX, "Map X is to small... (Min = 4)"},
        {"4", "3", TNewMapField::SizeY, "Map Y is to small... (Min = 4)"},
        {"1001", "2", TNewMapField::SizeY, "Map Y is to small... (Min = 4)"},
        {"1001", "1001", TNewMapField::SizeX, "Map X is to big... (Max = 1000)"},
        {"1000", "1001", TNewMapField::SizeY, "Map Y is to big... (Max = 1000)"},
        {"", "10", TNewMapField::SizeX, "Map X is to small... (Min = 4)"},
        {"1000", " 4 ", TNewMapField::None, ""},
    };
    for (const Row& r : rows) {
        const TNewMapCheck c = CheckNewMapSize(r.X, r.Y);
        EXPECT_EQ(c.Field, r.Field) << r.X << "," << r.Y;
        EXPECT_EQ(c.Message, r.Message) << r.X << "," << r.Y;
    }
    EXPECT_EQ(CheckNewMapSize("1000", " 4 ").Height, 4);
    EXPECT_TRUE(IsSizeFieldKey('7') && IsSizeFieldKey('\b'));
    EXPECT_FALSE(IsSizeFieldKey('a') || IsSizeFieldKey('-') || IsSizeFieldKey(' '));
}

TEST(DeviceResultText, FrameworkCodesHaveTheirTextsAndOthersTheirNumber)
{
    EXPECT_EQ(DeviceResultLogText(0), "");
    EXPECT_EQ(DeviceResultLogText(kDXUTErrNoDirect3D), "Error Code : NO DIRECT3D...");
    EXPECT_EQ(DeviceResultLogText(kDXUTErrResettingDevice), "Error Code : RESETTING DEVICE...");
    EXPECT_EQ(DeviceResultLogText(kDXUTErrIncorrectVersion), "Error Code : INCORRECT VERSION...");
    EXPECT_EQ(DeviceResultLogText(kResultFail), "Found some Error... Error Code :-2147467259");
}

}  // namespace
