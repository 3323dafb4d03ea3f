#include "Common/core/XelTimer.h"

#include <utility>

TXEL_Timer::TXEL_Timer(TCounter Counter, std::int64_t Frequency)
    : TicksPerSecond(Frequency > 0 ? Frequency : 1), Counter_(std::move(Counter))
{
}

std::int64_t TXEL_Timer::GetAdjustedCurrentTime() const { return StopTime != 0 ? StopTime : Counter_(); }

void TXEL_Timer::Reset()
{
    const std::int64_t t = GetAdjustedCurrentTime();
    BaseTime = t;
    LastElapsedTime = t;
    StopTime = 0;
    Stopped = false;
}

void TXEL_Timer::Start()
{
    const std::int64_t now = Counter_();
    if (Stopped) BaseTime += now - StopTime;
    StopTime = 0;
    LastElapsedTime = now;
    Stopped = false;
}

void TXEL_Timer::Stop()
{
    if (Stopped) return;
    const std::int64_t now = Counter_();
    StopTime = now;
    LastElapsedTime = now;
    Stopped = true;
}

void TXEL_Timer::GetTimeValues(double& Time, double& AbsoluteTime, float& ElapsedTime)
{
    // Read from the stop time whenever stopped: a timer that was never started (StopTime 0) then reports 0 for
    // every value instead of running on the live counter.
    const std::int64_t t = Stopped ? StopTime : Counter_();
    const auto ticks = static_cast<double>(TicksPerSecond);
    ElapsedTime = static_cast<float>(static_cast<double>(t - LastElapsedTime) / ticks);
    if (ElapsedTime < 0) ElapsedTime = 0;
    LastElapsedTime = t;
    AbsoluteTime = static_cast<double>(t) / ticks;
    Time = static_cast<double>(t - BaseTime) / ticks;
}
