#pragma once
// The image caches' rules as pure functions of a 32-bit millisecond tick (it wraps every 49.7 days; every
// difference is taken unsigned, so the rules hold across the wrap): when a cache sweeps idle entries, when it
// re-maps its library, and which library the loader builds next.
#include <cstdint>

// ---- idle sweep and re-map -------------------------------------------------------------------------------------
constexpr uint32_t CacheSweepIntervalMs = 46000;   // a sweep runs when more than this has passed since the last
constexpr uint32_t CacheEntryMaxAgeMs = 300000;    // a sweep drops entries unused for more than this
constexpr uint32_t CacheRemapIntervalMs = 30000;   // a sweep re-maps when more than this has passed since the last

// A cache's two ticks; both start at the cache's creation.
struct TCacheTicks {
    uint32_t LastSweep = 0;
    uint32_t LastRemap = 0;
};

struct TSweepPlan {
    bool Sweep = false;  // drop the expired entries (EntryExpired against Ticks.LastSweep)
    bool Remap = false;  // then unmap, pause and map the library again
};

// Decides what a lookup at Now must do and records it in Ticks. The re-map is tested only inside a sweep, and as
// the sweep interval is the longer one, every sweep re-maps.
TSweepPlan PlanSweep(TCacheTicks& Ticks, uint32_t Now);

// True when an entry last used at Stamp is too old for a sweep at SweepTick.
inline bool EntryExpired(uint32_t SweepTick, uint32_t Stamp)
{
    return static_cast<uint32_t>(SweepTick - Stamp) > CacheEntryMaxAgeMs;
}

// ---- loader ----------------------------------------------------------------------------------------------------
constexpr int32_t LoaderNoLibrary = -1;
constexpr uint32_t LoaderStepPauseMs = 10;  // the loader thread's sleep between synchronised steps

struct TLoaderStep {
    int32_t Build = LoaderNoLibrary;  // the library whose cache this step builds; -1: the loader ends instead
    int32_t Next = LoaderNoLibrary;   // the loader's next number afterwards
};

// One step of a loader at Next that stops after Last (-1: after Next). A Next outside the cached libraries ends
// the loader, so it always ends by itself.
TLoaderStep PlanLoaderStep(int32_t Next, int32_t Last);
