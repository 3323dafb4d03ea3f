#include "gamedata/core/CacheRules.h"

#include "gamedata/core/ImageLibraries.h"
#include "tests/fixtures/core/WilFixture.h"

#include <gtest/gtest.h>

#include <optional>
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

// ---- picker count ----------------------------------------------------------------------------------------------

TEST(CachePickerCount, HighestNonEmptyIndexPlusOne)
{
    using fixtures::MakeWilImage;
    const std::optional<fixtures::WilImage> img = MakeWilImage(2, 2, fixtures::Opaque(0x1234));
    const std::optional<fixtures::WilImage> none;
    const struct {
        const char* Name;
        uint16_t Version;
        std::vector<std::optional<fixtures::WilImage>> Images;
        int32_t Count;
    } rows[] = {
        {"empty library", 17, {}, 0},
        {"only empty entries", 17, {none, none, none}, 0},
        {"no gaps", 17, {img, img, img}, 3},
        {"gaps inside", 5000, {img, none, none, img, none, img}, 6},
        {"empty tail", 17, {none, img, none, none}, 2},
        {"only the first", 5000, {img, none, none}, 1},
    };
    for (const auto& row : rows) {
        const fixtures::WilLibrary lib = fixtures::BuildWilLibrary(row.Version, row.Images);
        EXPECT_EQ(WilPickerCount(lib.Wil, lib.Wix), row.Count) << row.Name;
    }
}

TEST(CachePickerCount, DamagedLibraries)
{
    const std::optional<fixtures::WilImage> img = fixtures::MakeWilImage(1, 1, fixtures::Opaque(1));
    fixtures::WilLibrary lib = fixtures::BuildWilLibrary(17, {img, img, img, img});

    fixtures::WilLibrary shortIndex = lib;  // entries beyond the index file count as empty
    fixtures::CutWix(shortIndex, shortIndex.Wix.size() - 4);
    EXPECT_EQ(WilPickerCount(shortIndex.Wil, shortIndex.Wix), 3);

    fixtures::WilLibrary claimsMore = lib;  // N beyond the index file
    fixtures::SetWilCount(claimsMore, 60000);
    EXPECT_EQ(WilPickerCount(claimsMore.Wil, claimsMore.Wix), 4);

    fixtures::WilLibrary unknown = lib;
    fixtures::SetWilVersion(unknown, 99);
    EXPECT_EQ(WilPickerCount(unknown.Wil, unknown.Wix), 0);

    EXPECT_EQ(WilPickerCount({}, {}), 0);
    fixtures::WilLibrary cutHeader = lib;
    fixtures::CutWil(cutHeader, 10);
    EXPECT_EQ(WilPickerCount(cutHeader.Wil, cutHeader.Wix), 0);
}

}  // namespace
