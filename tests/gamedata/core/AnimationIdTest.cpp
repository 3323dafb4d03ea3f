// The animation table against an independent transcription in the published form: each row "first range",
// number, count of ranges, step, "last range". The expansion of these rows must match GetAnimationId on every
// index of the three animated libraries, so every range boundary is checked on both sides.
#include "gamedata/core/SDXFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct TRow {
    int32_t Library;
    const char* FirstRange;
    int32_t Number;
    int32_t Ranges;
    int32_t Step;  // 0 where the table shows "-"
    const char* LastRange;
};

const TRow Rows[] = {
    {11, "3-10", 19, 1, 0, "3-10"},          {11, "12-66", 2, 1, 0, "12-66"},
    {11, "68-79", 5, 3, 13, "94-105"},       {11, "107-111", 4, 1, 0, "107-111"},
    {11, "113-126", 6, 1, 0, "113-126"},     {11, "128-137", 4, 1, 0, "128-137"},
    {11, "139-150", 5, 1, 0, "139-150"},     {11, "152-169", 5, 1, 0, "152-169"},
    {11, "171-182", 5, 1, 0, "171-182"},     {11, "184-207", 5, 1, 0, "184-207"},
    {11, "209-222", 6, 2, 30, "239-252"},    {11, "254-265", 5, 1, 0, "254-265"},
    {11, "267-284", 5, 2, 19, "286-303"},    {11, "305-316", 1, 2, 13, "318-329"},
    {11, "331-345", 1, 3, 16, "363-377"},    {11, "379-387", 1, 2, 10, "389-397"},
    {11, "399-443", 2, 1, 0, "399-443"},     {11, "445-450", 1, 1, 0, "445-450"},
    {11, "453-464", 10, 1, 0, "453-464"},    {11, "475-479", 2, 9, 6, "523-527"},
    {11, "531-535", 2, 10, 6, "585-589"},    {11, "593-597", 2, 10, 6, "647-651"},
    {11, "655-659", 2, 9, 6, "703-707"},     {11, "711-715", 2, 9, 6, "759-763"},
    {11, "767-771", 2, 11, 6, "827-831"},    {11, "835-839", 2, 12, 6, "901-905"},
    {11, "913-917", 2, 8, 6, "955-959"},     {11, "963-967", 2, 9, 6, "1011-1015"},
    {11, "1019-1023", 2, 12, 6, "1085-1089"}, {11, "1093-1097", 2, 8, 6, "1135-1139"},
    {11, "1143-1147", 2, 9, 6, "1191-1195"}, {11, "1813-1819", 6, 2, 8, "1821-1827"},
    {11, "1830-1836", 6, 2, 8, "1838-1844"}, {11, "1847-1852", 5, 3, 7, "1861-1866"},
    {11, "1869-1875", 6, 2, 8, "1877-1883"}, {11, "1885-1892", 6, 1, 0, "1885-1892"},
    {11, "1894-1900", 6, 1, 0, "1894-1900"}, {11, "1903-1907", 4, 2, 6, "1909-1913"},
    {11, "1916-1920", 4, 3, 6, "1928-1932"}, {11, "1935-1940", 5, 4, 7, "1956-1961"},
    {11, "1964-1970", 6, 4, 8, "1988-1994"}, {11, "1997-2000", 8, 2, 5, "2002-2005"},
    {11, "2012-2015", 8, 1, 0, "2012-2015"}, {11, "2018-2023", 5, 2, 7, "2025-2030"},
    {11, "2033-2039", 5, 1, 0, "2033-2039"}, {11, "2041-2047", 6, 3, 8, "2057-2063"},
    {11, "2066-2071", 5, 3, 7, "2080-2085"}, {11, "2088-2094", 6, 4, 8, "2112-2118"},
    {11, "2121-2125", 4, 3, 6, "2133-2137"}, {11, "2140-2145", 5, 3, 7, "2154-2159"},
    {11, "2162-2166", 2, 10, 6, "2216-2220"}, {11, "2223-2227", 2, 6, 6, "2253-2257"},
    {11, "2260-2264", 2, 7, 6, "2296-2300"}, {11, "2303-2307", 2, 6, 6, "2333-2337"},
    {11, "2340-2344", 2, 2, 6, "2346-2350"}, {11, "2352-2355", 2, 1, 0, "2352-2355"},
    {11, "2358-2362", 2, 4, 6, "2376-2380"}, {11, "2383-2387", 2, 8, 6, "2425-2429"},
    {11, "2437-2441", 2, 3, 6, "2449-2453"}, {11, "2461-2465", 2, 2, 7, "2468-2472"},
    {11, "2474-2478", 2, 4, 6, "2492-2496"}, {11, "2499-2503", 2, 4, 6, "2517-2521"},
    {11, "2524-2528", 2, 6, 6, "2554-2558"}, {11, "2561-2565", 2, 7, 6, "2597-2601"},
    {11, "2604-2608", 2, 8, 6, "2646-2650"}, {11, "2653-2657", 2, 7, 6, "2689-2693"},
    {11, "2699-2709", 15, 5, 12, "2747-2757"}, {11, "2759-2768", 15, 1, 0, "2759-2768"},
    {11, "2771-2781", 15, 2, 12, "2783-2793"}, {11, "2795-2804", 15, 1, 0, "2795-2804"},
    {11, "2848-2854", 6, 9, 8, "2912-2918"},
    {26, "2-169", 14, 1, 0, "2-169"},        {26, "628-639", 20, 3, 13, "654-665"},
    {26, "670-683", 34, 2, 15, "685-698"},   {26, "701-714", 34, 2, 15, "716-729"},
    {26, "732-745", 34, 2, 15, "747-760"},   {26, "763-776", 34, 2, 15, "778-791"},
    {26, "794-807", 34, 2, 15, "809-822"},   {26, "825-838", 34, 2, 15, "840-853"},
    {26, "858-871", 21, 2, 16, "874-887"},   {26, "889-902", 21, 2, 16, "905-918"},
    {26, "923-932", 33, 13, 11, "1055-1064"}, {26, "1069-1082", 34, 5, 15, "1129-1142"},
    {26, "1147-1160", 21, 7, 15, "1237-1250"}, {26, "1255-1268", 34, 9, 15, "1375-1388"},
    {71, "2-37", 13, 2, 38, "40-75"},        {71, "81-86", 18, 3, 10, "101-106"},
    {71, "111-115", 18, 1, 0, "111-115"},
};

std::pair<int32_t, int32_t> ParseRange(const char* text)
{
    int a = -1, b = -1;
    EXPECT_EQ(std::sscanf(text, "%d-%d", &a, &b), 2) << text;
    return {a, b};
}

// Library -> index -> number, expanded from the rows; also checks each row's last range against its first.
std::map<int32_t, std::map<int32_t, int32_t>> Expand()
{
    std::map<int32_t, std::map<int32_t, int32_t>> expected;
    for (const TRow& row : Rows) {
        const auto [first, firstEnd] = ParseRange(row.FirstRange);
        const auto [last, lastEnd] = ParseRange(row.LastRange);
        EXPECT_EQ(first + (row.Ranges - 1) * row.Step, last) << row.FirstRange;
        EXPECT_EQ(lastEnd - last, firstEnd - first) << row.FirstRange;
        for (int32_t k = 0; k < row.Ranges; ++k)
            for (int32_t i = first + k * row.Step; i <= firstEnd + k * row.Step; ++i) {
                EXPECT_EQ(expected[row.Library].count(i), 0u) << "overlap at " << row.Library << "/" << i;
                expected[row.Library][i] = row.Number;
            }
    }
    return expected;
}

TEST(AnimationId, EveryIndexOfTheAnimatedLibraries)
{
    const auto expected = Expand();
    for (const auto& [library, numbers] : expected) {
        const int32_t top = numbers.rbegin()->first;
        int mismatches = 0;
        for (int32_t i = -3; i <= top + 100 && mismatches < 10; ++i) {
            const auto it = numbers.find(i);
            const int32_t want = it == numbers.end() ? 0 : it->second;
            if (GetAnimationId(library, i) != want) ++mismatches;
            EXPECT_EQ(GetAnimationId(library, i), want) << library << "/" << i;
        }
    }
}

TEST(AnimationId, PublishedExamplesAndOtherLibraries)
{
    const struct {
        int32_t Library, Index, Number;
    } rows[] = {
        {11, 3, 19}, {11, 10, 19}, {11, 11, 0}, {11, 12, 2},   {26, 2, 14},     {26, 1, 0},
        {71, 37, 13}, {71, 38, 0}, {71, 40, 13}, {12, 5, 0},   {41, 5, 0},      {56, 5, 0},
        {11, 2918, 6}, {11, 2919, 0}, {26, 1388, 34}, {26, 1389, 0}, {71, 115, 18}, {71, 116, 0}, {11, -1, 0}, {11, INT_MIN, 0}, {11, INT_MAX, 0}, {26, INT_MAX, 0},
        {INT_MIN, 3, 0}, {INT_MAX, 3, 0}, {-1, 3, 0}, {10, 2, 0}, {72, 2, 0},
    };
    for (const auto& row : rows) EXPECT_EQ(GetAnimationId(row.Library, row.Index), row.Number) << row.Library << "/" << row.Index;
    for (int32_t library = -1; library <= 76; ++library) {
        if (library == 11 || library == 26 || library == 71) continue;
        for (int32_t i : {0, 2, 3, 10, 37, 115, 169, 1388, 2918}) EXPECT_EQ(GetAnimationId(library, i), 0) << library;
    }
}

}  // namespace
