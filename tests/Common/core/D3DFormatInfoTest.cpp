#include "Common/core/D3DFormatInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(D3DFormatToString, PrefixAndUnknown)
{
    EXPECT_EQ(D3DFormatToString(21, false), L"A8R8G8B8");
    EXPECT_EQ(D3DFormatToString(21, true), L"D3DFMT_A8R8G8B8");
    EXPECT_EQ(D3DFormatToString(0, false), L"UNKNOWN");
    for (std::uint32_t unknown : {1u, 19u, 37u, 72u, 82u, 118u, 0xFFFFFFFFu}) {
        EXPECT_EQ(D3DFormatToString(unknown, false), L"Unknown format") << unknown;
        EXPECT_EQ(D3DFormatToString(unknown, true), L"Unknown format") << unknown;
    }
}

TEST(D3DFormatBits, Table)
{
    struct TRow {
        std::uint32_t Format;
        unsigned Color, Depth, Stencil;
    };
    const TRow rows[] = {
        {20, 8, 0, 0},  {21, 8, 0, 0},  {22, 8, 0, 0},  {32, 8, 0, 0},  {33, 0, 0, 0},  {23, 5, 0, 0},  {24, 5, 0, 0},
        {25, 5, 0, 0},  {26, 4, 0, 0},  {30, 4, 0, 0},  {27, 2, 0, 0},  {29, 2, 0, 0},  {31, 10, 0, 0}, {35, 10, 0, 0},
        {36, 16, 0, 0}, {80, 0, 16, 0}, {70, 0, 16, 0}, {71, 0, 32, 0}, {82, 0, 32, 0}, {73, 0, 15, 1}, {75, 0, 24, 8},
        {77, 0, 24, 0}, {79, 0, 24, 4}, {83, 0, 24, 8}, {0, 0, 0, 0},   {28, 0, 0, 0},  {81, 0, 0, 0},  {114, 0, 0, 0},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(ColorChannelBits(row.Format), row.Color) << row.Format;
        EXPECT_EQ(DepthBits(row.Format), row.Depth) << row.Format;
        EXPECT_EQ(StencilBits(row.Format), row.Stencil) << row.Format;
    }
}

} // namespace
