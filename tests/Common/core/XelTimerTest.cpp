#include "Common/core/XelTimer.h"

#include <gtest/gtest.h>

namespace {

// A timer on a scripted counter at 1000 ticks per second, so that counter values read as milliseconds. The
// script starts at counter 5000 on a timer that was never started.
TEST(XelTimer, ScriptedCounter)
{
    std::int64_t now = 5000;
    TXEL_Timer timer([&now] { return now; }, 1000);
    struct TStep {
        std::int64_t Now;
        char Action; // 'r' read, 's' stop, 'g' start, 'z' reset
        double Time, Absolute;
        float Elapsed;
    };
    const TStep steps[] = {
        {9000, 'r', 0, 0, 0}, // never started: every value 0, whatever the counter says
        {9000, 'g', 0, 0, 0}, // first start: the clock starts at 0
        {9250, 'r', 0.25, 9.25, 0.25f},
        {5000, 'z', 0, 0, 0},
        {5500, 'r', 0.5, 5.5, 0.5f},
        {6000, 's', 0, 0, 0},
        {7000, 'r', 1.0, 6.0, 0}, // stopped: time stands at the stop, nothing elapses
        {8000, 'g', 0, 0, 0},     // the stopped 2 s do not count
        {8200, 'r', 1.2, 8.2, 0.2f},
        {4000, 'r', -3.0, 4.0, 0}, // a counter going back gives no negative elapsed time
        {6000, 's', 0, 0, 0},
        {7000, 'z', 0, 0, 0}, // a reset while stopped restarts from the stop time
        {7100, 'r', 1.1, 7.1, 1.1f},
    };
    for (const TStep& step : steps) {
        now = step.Now;
        if (step.Action == 's') timer.Stop();
        if (step.Action == 'g') timer.Start();
        if (step.Action == 'z') timer.Reset();
        if (step.Action != 'r') continue;
        double time = -1, absolute = -1;
        float elapsed = -1;
        timer.GetTimeValues(time, absolute, elapsed);
        EXPECT_NEAR(time, step.Time, 1e-9) << step.Now;
        EXPECT_NEAR(absolute, step.Absolute, 1e-9) << step.Now;
        EXPECT_NEAR(elapsed, step.Elapsed, 1e-6) << step.Now;
    }
    EXPECT_EQ(TXEL_Timer([] { return std::int64_t{10}; }, 0).TicksPerSecond, 1) << "no division by zero";
}

} // namespace
