// The caches' rules as pure functions of the 32-bit tick (sweep, re-map and entry age across the wrap; the loader's
// steps are tested with the manager) and the library table's names and paths.
#include "gamedata/core/CacheRules.h"

#include "gamedata/core/ImageLibraries.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(CacheSweepRules, LookupsAfterTheLastSweep)
{
    const struct {
        uint32_t LastSweep, LastRemap, Now;
        bool Sweep, Remap;
    } rows[] = {
        {1000, 1000, 47000, false, false},      // exactly 46 s: not more than
        {1000, 1000, 47001, true, true},        // just past 46 s: sweep and re-map
        {100000, 130000, 146001, true, false},  // re-mapped 16 s ago (only a reload resets it like that)
        {100000, 116001, 146001, true, false},  // exactly 30 s since the re-map
        {100000, 116000, 146001, true, true},
        {0xFFFFF000u, 0xFFFFF000u, 40000, false, false},  // across the wrap: 44 s
        {0xFFFFF000u, 0xFFFFF000u, 42000, true, true},    // across the wrap: 46.1 s
        {4000, 4000, 0xFFFFFF00u, true, true},            // the clock went "back": the unsigned age is huge
    };
    for (const auto& row : rows) {
        TCacheTicks ticks{row.LastSweep, row.LastRemap};
        const TSweepPlan plan = PlanSweep(ticks, row.Now);
        EXPECT_EQ(plan.Sweep, row.Sweep) << row.Now;
        EXPECT_EQ(plan.Remap, row.Remap) << row.Now;
        EXPECT_EQ(ticks.LastSweep, row.Sweep ? row.Now : row.LastSweep) << row.Now;
        EXPECT_EQ(ticks.LastRemap, row.Remap ? row.Now : row.LastRemap) << row.Now;
    }
    // An entry expires when unused for more than 300 s before the sweep, across the wrap too.
    EXPECT_FALSE(EntryExpired(300000, 0));
    EXPECT_TRUE(EntryExpired(300001, 0));
    EXPECT_FALSE(EntryExpired(100000, 0xFFFD0000u));  // 296.6 s
    EXPECT_TRUE(EntryExpired(200000, 0xFFFD0000u));   // 396.6 s
}

TEST(LibraryPath, NamesAndPathsOfTheTable)
{
    const struct {
        int32_t Number;
        int32_t Kind;
        const char* Path;  // after "C:\Game\"; "" for no path at all
    } rows[] = {
        {0, ImageLibKindWIL, "Data\\Tilesc.wil"},
        {0, ImageLibKindSIL, "Data\\Tilesc.sil"},
        {7, 2, "Data\\Innersc.wil"},  // an unknown kind keeps the game's name
        {15, ImageLibKindWIL, "Data\\Wood\\Tilesc.wil"},
        {38, ImageLibKindWIL, "Data\\Sand\\Furnituresc.wil"},
        {46, ImageLibKindSIL, "Data\\Snow\\Tiles30c.sil"},
        {74, ImageLibKindWIL, "Data\\Forest\\CustFiles.wil"},
        {75, ImageLibKindSIL, "Data\\NPC.sil"},
        {76, ImageLibKindWIL, ""},
        {INT_MAX, ImageLibKindWIL, ""},
    };
    for (const auto& row : rows) {
        const std::string expected = *row.Path ? std::string("C:\\Game\\") + row.Path : "";
        EXPECT_EQ(LibraryFilePath("C:\\Game\\", row.Number, row.Kind), expected) << row.Number << "/" << row.Kind;
        if (row.Kind == ImageLibKindWIL) {
            EXPECT_EQ(GetLibraryFileName(row.Number), row.Path) << row.Number;
        }
    }
}

}  // namespace
