#include "gamedata/core/CacheRules.h"

#include "gamedata/core/ImageLibraries.h"

TSweepPlan PlanSweep(TCacheTicks& Ticks, uint32_t Now)
{
    TSweepPlan plan;
    if (static_cast<uint32_t>(Now - Ticks.LastSweep) <= CacheSweepIntervalMs) return plan;
    plan.Sweep = true;
    Ticks.LastSweep = Now;
    if (static_cast<uint32_t>(Now - Ticks.LastRemap) > CacheRemapIntervalMs) {
        plan.Remap = true;
        Ticks.LastRemap = Now;
    }
    return plan;
}

TLoaderStep PlanLoaderStep(int32_t Next, int32_t Last)
{
    if (!IsCachedLibrary(Next)) return {};
    TLoaderStep step;
    step.Build = Next;
    step.Next = Last != LoaderNoLibrary && Last > Next ? Next + 1 : LoaderNoLibrary;
    return step;
}
