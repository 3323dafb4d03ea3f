// The animation table: each row stands for Ranges ranges of equal length, Step apart, the first one
// First .. FirstEnd; every index inside one of them has the row's number. Rows are ordered by library and first
// index and never overlap (checked at compile time), so a lookup is one binary search.
#include "gamedata/core/SDXFunctions.h"

#include <algorithm>
#include <iterator>

namespace {

struct TAnimationRow {
    int32_t Library;
    int32_t First;
    int32_t FirstEnd;  // last index of the first range
    int32_t Number;
    int32_t Ranges;
    int32_t Step;  // 0 for a single range

    constexpr int32_t LastEnd() const { return FirstEnd + (Ranges - 1) * Step; }
};

constexpr TAnimationRow AnimationRows[] = {
    {11, 3, 10, 19, 1, 0},        {11, 12, 66, 2, 1, 0},        {11, 68, 79, 5, 3, 13},
    {11, 107, 111, 4, 1, 0},      {11, 113, 126, 6, 1, 0},      {11, 128, 137, 4, 1, 0},
    {11, 139, 150, 5, 1, 0},      {11, 152, 169, 5, 1, 0},      {11, 171, 182, 5, 1, 0},
    {11, 184, 207, 5, 1, 0},      {11, 209, 222, 6, 2, 30},     {11, 254, 265, 5, 1, 0},
    {11, 267, 284, 5, 2, 19},     {11, 305, 316, 1, 2, 13},     {11, 331, 345, 1, 3, 16},
    {11, 379, 387, 1, 2, 10},     {11, 399, 443, 2, 1, 0},      {11, 445, 450, 1, 1, 0},
    {11, 453, 464, 10, 1, 0},     {11, 475, 479, 2, 9, 6},      {11, 531, 535, 2, 10, 6},
    {11, 593, 597, 2, 10, 6},     {11, 655, 659, 2, 9, 6},      {11, 711, 715, 2, 9, 6},
    {11, 767, 771, 2, 11, 6},     {11, 835, 839, 2, 12, 6},     {11, 913, 917, 2, 8, 6},
    {11, 963, 967, 2, 9, 6},      {11, 1019, 1023, 2, 12, 6},   {11, 1093, 1097, 2, 8, 6},
    {11, 1143, 1147, 2, 9, 6},    {11, 1813, 1819, 6, 2, 8},    {11, 1830, 1836, 6, 2, 8},
    {11, 1847, 1852, 5, 3, 7},    {11, 1869, 1875, 6, 2, 8},    {11, 1885, 1892, 6, 1, 0},
    {11, 1894, 1900, 6, 1, 0},    {11, 1903, 1907, 4, 2, 6},    {11, 1916, 1920, 4, 3, 6},
    {11, 1935, 1940, 5, 4, 7},    {11, 1964, 1970, 6, 4, 8},    {11, 1997, 2000, 8, 2, 5},
    {11, 2012, 2015, 8, 1, 0},    {11, 2018, 2023, 5, 2, 7},    {11, 2033, 2039, 5, 1, 0},
    {11, 2041, 2047, 6, 3, 8},    {11, 2066, 2071, 5, 3, 7},    {11, 2088, 2094, 6, 4, 8},
    {11, 2121, 2125, 4, 3, 6},    {11, 2140, 2145, 5, 3, 7},    {11, 2162, 2166, 2, 10, 6},
    {11, 2223, 2227, 2, 6, 6},    {11, 2260, 2264, 2, 7, 6},    {11, 2303, 2307, 2, 6, 6},
    {11, 2340, 2344, 2, 2, 6},    {11, 2352, 2355, 2, 1, 0},    {11, 2358, 2362, 2, 4, 6},
    {11, 2383, 2387, 2, 8, 6},    {11, 2437, 2441, 2, 3, 6},    {11, 2461, 2465, 2, 2, 7},
    {11, 2474, 2478, 2, 4, 6},    {11, 2499, 2503, 2, 4, 6},    {11, 2524, 2528, 2, 6, 6},
    {11, 2561, 2565, 2, 7, 6},    {11, 2604, 2608, 2, 8, 6},    {11, 2653, 2657, 2, 7, 6},
    {11, 2699, 2709, 15, 5, 12},  {11, 2759, 2768, 15, 1, 0},   {11, 2771, 2781, 15, 2, 12},
    {11, 2795, 2804, 15, 1, 0},   {11, 2848, 2854, 6, 9, 8},
    {26, 2, 169, 14, 1, 0},       {26, 628, 639, 20, 3, 13},    {26, 670, 683, 34, 2, 15},
    {26, 701, 714, 34, 2, 15},    {26, 732, 745, 34, 2, 15},    {26, 763, 776, 34, 2, 15},
    {26, 794, 807, 34, 2, 15},    {26, 825, 838, 34, 2, 15},    {26, 858, 871, 21, 2, 16},
    {26, 889, 902, 21, 2, 16},    {26, 923, 932, 33, 13, 11},   {26, 1069, 1082, 34, 5, 15},
    {26, 1147, 1160, 21, 7, 15},  {26, 1255, 1268, 34, 9, 15},
    {71, 2, 37, 13, 2, 38},       {71, 81, 86, 18, 3, 10},      {71, 111, 115, 18, 1, 0},
};

constexpr bool RowsAreOrdered()
{
    for (size_t i = 0; i < std::size(AnimationRows); ++i) {
        const TAnimationRow& row = AnimationRows[i];
        // The ranges of a row must not touch each other, or the lookup's remainder test would be wrong.
        if (row.FirstEnd < row.First || row.Ranges < 1 || (row.Ranges > 1 && row.Step <= row.FirstEnd - row.First))
            return false;
        if (row.Number < 1 || row.Number > MaxAnimationId) return false;
        if (i + 1 < std::size(AnimationRows)) {
            const TAnimationRow& next = AnimationRows[i + 1];
            if (next.Library < row.Library) return false;
            if (next.Library == row.Library && next.First <= row.LastEnd()) return false;
        }
    }
    return true;
}
static_assert(RowsAreOrdered(), "animation rows must be ordered and disjoint");

}  // namespace

int32_t GetAnimationId(int32_t Library, int32_t Index)
{
    // The last row starting at or before (Library, Index).
    const auto after = std::upper_bound(std::begin(AnimationRows), std::end(AnimationRows), std::pair{Library, Index},
                                        [](const std::pair<int32_t, int32_t>& key, const TAnimationRow& row) {
                                            return key.first < row.Library ||
                                                   (key.first == row.Library && key.second < row.First);
                                        });
    if (after == std::begin(AnimationRows)) return 0;
    const TAnimationRow& row = *std::prev(after);
    if (row.Library != Library || Index > row.LastEnd()) return 0;
    const int32_t offset = Index - row.First;
    const int32_t inRange = row.Step ? offset % row.Step : offset;
    return inRange <= row.FirstEnd - row.First ? row.Number : 0;
}
