#include "gamedata/core/CacheRules.h"

#include "gamedata/core/ImageLibraries.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// ---- idle sweep and re-map -------------------------------------------------------------------------------------

TEST(CacheSweepRules, LookupsAfterTheLastSweep)
{
    const struct {
        uint32_t LastSweep, LastRemap, Now;
        bool Sweep, Remap;
    } rows[] = {
        {1000, 1000, 1000, false, false},
        {1000, 1000, 41000, false, false},         // 40 s: neither
        {1000, 1000, 47000, false, false},         // exactly 46 s: not more than
        {1000, 1000, 47001, true, true},           // just past 46 s: sweep and re-map
        {1000, 1000, 48000, true, true},           // 47 s
        {0, 0, 300000, true, true},
        {100000, 130000, 146001, true, false},     // re-mapped 16 s ago (only a reload resets it like that)
        {100000, 116001, 146001, true, false},     // exactly 30 s since the re-map
        {100000, 116000, 146001, true, true},
        {0xFFFFF000u, 0xFFFFF000u, 40000, false, false},  // across the wrap: 44 s
        {0xFFFFF000u, 0xFFFFF000u, 42000, true, true},    // across the wrap: 46.1 s
        {4000, 4000, 0xFFFFFF00u, true, true},     // the clock went "back": the unsigned age is huge
    };
    for (const auto& row : rows) {
        TCacheTicks ticks{row.LastSweep, row.LastRemap};
        const TSweepPlan plan = PlanSweep(ticks, row.Now);
        EXPECT_EQ(plan.Sweep, row.Sweep) << row.Now;
        EXPECT_EQ(plan.Remap, row.Remap) << row.Now;
        EXPECT_EQ(ticks.LastSweep, row.Sweep ? row.Now : row.LastSweep) << row.Now;
        EXPECT_EQ(ticks.LastRemap, row.Remap ? row.Now : row.LastRemap) << row.Now;
    }
}

TEST(CacheSweepRules, EntryAge)
{
    const struct {
        uint32_t Sweep, Stamp;
        bool Expired;
    } rows[] = {
        {300000, 0, false},  // exactly 300 s
        {300001, 0, true},
        {500000, 400000, false},
        {100000, 0xFFFD0000u, false},  // used 296.6 s ago, before the wrap
        {200000, 0xFFFD0000u, true},   // 396.6 s
        {5000, 5000, false},
    };
    for (const auto& row : rows) EXPECT_EQ(EntryExpired(row.Sweep, row.Stamp), row.Expired) << row.Sweep;
}

// ---- loader ----------------------------------------------------------------------------------------------------

// The libraries a loader builds, stepping until it ends (with a guard against a loader that never would).
std::vector<int32_t> RunLoader(int32_t next, int32_t last, int* steps)
{
    std::vector<int32_t> built;
    *steps = 0;
    for (;;) {
        ++*steps;
        const TLoaderStep step = PlanLoaderStep(next, last);
        if (step.Build == LoaderNoLibrary) break;
        built.push_back(step.Build);
        next = step.Next;
        if (*steps > 1000) break;
    }
    return built;
}

std::vector<int32_t> Sequence(int32_t from, int32_t to)
{
    std::vector<int32_t> v;
    for (int32_t i = from; i <= to; ++i) v.push_back(i);
    return v;
}

TEST(CacheLoaderRules, BuildsInOrderAndEnds)
{
    const struct {
        int32_t First, Last;
        std::vector<int32_t> Built;
    } rows[] = {
        {0, 74, Sequence(0, 74)},          // the manager's loader: 75 builds, a 76th step ends it
        {0, -1, {0}},                      // -1: stop after the next one
        {10, 12, {10, 11, 12}},
        {12, 10, {12}},                    // last before first: only the first
        {-1, 74, {}},                      // nothing left
        {70, 90, Sequence(70, 74)},        // never past the cached libraries
        {75, 80, {}},                      // 75 has no cache
        {-7, 3, {}},
    };
    for (const auto& row : rows) {
        int steps = 0;
        EXPECT_EQ(RunLoader(row.First, row.Last, &steps), row.Built) << row.First << ".." << row.Last;
        EXPECT_EQ(steps, int(row.Built.size()) + 1) << row.First << ".." << row.Last;
    }
}

}  // namespace
