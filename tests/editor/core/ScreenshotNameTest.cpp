// Screenshot file names.
#include "editor/core/uScreenshotName.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenshotName, NamesFromCounterLabelAndDate)
{
    const struct {
        int32_t Counter;
        const char* Label;
        const char* DateTime;
        const char* Name;
    } rows[] = {
        {0, "0.map", "05.12.2026 17:30:12", "Map_0_0_05_12_2026_17_30_12.png"},
        {12, "Demo_Large.map", "5/12/2026 5:30:12 PM", "Map_12_Demo_Large_5_12_2026_5_30_12_PM.png"},
        {1, "my map.v2.map", "5/12/2026", "Map_1_my map.v2_5_12_2026.png"},  // the label keeps blanks and dots
        {2, "...", "1/1/2026", "Map_2__1_1_2026.png"},                     // no map: the label's short form is empty
        {3, "ab", "1/1/2026", "Map_3__1_1_2026.png"},
        {4, "", "1/1/2026", "Map_4__1_1_2026.png"},
        {5, "..\\..\\evil.map", "1/1/2026", "Map_5_.._.._evil_1_1_2026.png"},
        {6, "a*b?c\"d<e>f|g:h/i.map", "1-1-2026\t12\"00", "Map_6_a_b_c_d_e_f_g_h_i_1-1-2026_12_00.png"},
        {7, "x\x01y.map", "1/1/2026", "Map_7_x_y_1_1_2026.png"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ScreenshotFileName(row.Counter, row.Label, ScreenshotDateText(row.DateTime)), row.Name) << row.Label;
}

}  // namespace
