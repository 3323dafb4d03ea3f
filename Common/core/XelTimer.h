#pragma once
// High-resolution timer over a performance counter. Times are counter values; the counter is injected so that
// the timer runs on the Windows performance counter in the program and on a scripted counter in tests.
//
// A timer that is stopped reports fixed times and an elapsed time of 0; one that was never started reports 0 for
// every value until Reset or Start.
#include <cstdint>
#include <functional>

class TXEL_Timer {
public:
    using TCounter = std::function<std::int64_t()>;

    // TicksPerSecond is read once, here; a non-positive frequency is taken as 1 so that no division fails.
    TXEL_Timer(TCounter Counter, std::int64_t TicksPerSecond);
    virtual ~TXEL_Timer() = default;

    void Reset();
    void Start();
    void Stop();
    // Time since the last Reset (less the stopped spans), the counter as seconds, and the seconds since the
    // previous GetTimeValues, Reset, Start or Stop (never negative).
    void GetTimeValues(double& Time, double& AbsoluteTime, float& ElapsedTime);
    // StopTime when it is set, else the current counter value; Reset starts from it.
    std::int64_t GetAdjustedCurrentTime() const;

    bool Stopped = true;
    std::int64_t TicksPerSecond = 1;
    std::int64_t StopTime = 0;
    std::int64_t LastElapsedTime = 0;
    std::int64_t BaseTime = 0;

private:
    TCounter Counter_;
};
