// The select-mode overlay's layout: row colours, texts and positions, brackets.
#include "editor/core/uSelectInfoLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr TArgb Rgb(uint32_t R, uint32_t G, uint32_t B)
{
    return 0xFF000000u | R << 16 | G << 8 | B;
}

TEST(SelectInfoLayout, RowColoursMoveInSixthsRoundedHalfToEven)
{
    const TArgb expected[3][6] = {
        {Rgb(255, 255, 0), Rgb(252, 215, 11), Rgb(250, 175, 21), Rgb(248, 135, 32), Rgb(245, 95, 43), 0},
        {Rgb(255, 255, 0), Rgb(212, 229, 42), Rgb(170, 203, 85), Rgb(128, 178, 128), Rgb(85, 152, 170),
         Rgb(42, 126, 212)},
        {Rgb(255, 255, 0), Rgb(212, 255, 11), Rgb(170, 255, 21), Rgb(128, 255, 32), Rgb(85, 255, 43),
         Rgb(42, 255, 53)},
    };
    for (int kind = 0; kind < 3; ++kind)
        for (int row = 0; row < (kind == 0 ? 5 : 6); ++row)
            EXPECT_EQ(InfoRowColour(static_cast<TInfoBoxKind>(kind), row), expected[kind][row])
                << "kind " << kind << " row " << row;
}

TEST(SelectInfoLayout, RowsStandRightOfTheImageFromItsBottom)
{
    TInfoElement e{4, 17, 40, 80, -3, 12, 7, 9, " 4 - Data-Housesc"};
    const TInfoOrigin origin = InfoBoxOrigin(TInfoBoxKind::BackObject, 2, 3, e.Height);
    EXPECT_EQ(std::pair(origin.X, origin.Y), std::pair(96, 32 * 3 + 32 - 80));
    const std::vector<TInfoRow> rows = InfoBoxRows(TInfoBoxKind::BackObject, e, origin, false);
    const std::pair<const char*, const char*> texts[] = {
        {"-Offset X / Y", " : ( -3 / 12 )"},   {"-Step X / Y", " : ( 7 / 9 )"},
        {"-Size H x W", " : ( 80 x 40 )"},     {"-File Name", " : (  4 - Data-Housesc )"},
        {"-Image / Lib ID", " : ( 17 / 4 )"}, {"-Image Type", " : ( Back Object )"},
    };
    ASSERT_EQ(rows.size(), 6u);
    for (size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r].Label, texts[r].first);
        EXPECT_EQ(rows[r].Value, texts[r].second);
        EXPECT_EQ(rows[r].LabelX, 96 + 40 + 8);
        EXPECT_EQ(rows[r].ValueX, 96 + 40 + 108);
        EXPECT_EQ(rows[r].Y, origin.Y + 80 - 8 - 15 * int(r));
    }
    // Raised above a front object's box: 97 pixels higher.
    EXPECT_EQ(InfoBoxRows(TInfoBoxKind::BackObject, e, origin, true)[0].Y, rows[0].Y - 97);

    e.CellX = 3;
    const std::vector<TInfoRow> tile = InfoBoxRows(TInfoBoxKind::Tile, e, InfoBoxOrigin(TInfoBoxKind::Tile, 1, 1, 80),
                                                   false);
    ASSERT_EQ(tile.size(), 5u);  // no size row
    EXPECT_EQ(tile[1].Label, "-Tile X / Y");
    EXPECT_EQ(tile[1].Value, " : ( 3 / 9 )");
    EXPECT_EQ(tile[2].Label, "-File Name");
    EXPECT_EQ(tile[4].Value, " : ( Tile )");
    EXPECT_EQ(tile[0].Y, 64 + 80 - 8);
    EXPECT_EQ(InfoBoxRows(TInfoBoxKind::FrontObject, e, origin, false)[5].Value, " : ( Front Object )");
}

TEST(SelectInfoLayout, BracketsFrameTheImage)
{
    const TBracketSet inner = InnerBrackets({10, 20}, 30, 40);
    const TBracketSet expectedInner = {{
        {{{{10, 20}, {30, 20}, {10, 20}, {10, 40}}}, 4, 1},
        {{{{21, 20}, {41, 20}, {41, 40}}}, 3, 0},
        {{{{10, 61}, {30, 61}, {10, 61}, {10, 41}}}, 4, 3},
        {{{{21, 61}, {41, 61}, {41, 41}}}, 3, 2},
    }};
    const TBracketSet outer = OuterBrackets({10, 20}, 30, 40);
    const TBracketSet expectedOuter = {{
        {{{{6, 16}, {21, 16}, {6, 16}, {6, 31}}}, 4, 5},
        {{{{29, 16}, {44, 16}, {44, 31}}}, 3, 4},
        {{{{6, 64}, {21, 64}, {6, 64}, {6, 49}}}, 4, 7},
        {{{{29, 64}, {44, 64}, {44, 49}}}, 3, 6},
    }};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(inner[i].Count, expectedInner[i].Count);
        EXPECT_EQ(inner[i].ColourIndex, expectedInner[i].ColourIndex);
        EXPECT_EQ(outer[i].ColourIndex, expectedOuter[i].ColourIndex);
        for (int p = 0; p < inner[i].Count; ++p) {
            EXPECT_EQ(inner[i].Points[p], expectedInner[i].Points[p]) << i << "/" << p;
            EXPECT_EQ(outer[i].Points[p], expectedOuter[i].Points[p]) << i << "/" << p;
        }
    }
}

}  // namespace
