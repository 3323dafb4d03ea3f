#include "Common/core/XelTimer.h"

#include <gtest/gtest.h>

namespace {

// A timer on a scripted counter at 1000 ticks per second, so counter values read as milliseconds.
struct TScriptedTimer {
    std::int64_t Now = 5000;
    TXEL_Timer Timer{[this] { return Now; }, 1000};

    struct TValues {
        double Time, Absolute;
        float Elapsed;
    };
    TValues Read()
    {
        TValues v{};
        Timer.GetTimeValues(v.Time, v.Absolute, v.Elapsed);
        return v;
    }
};

TEST(XelTimer, NeverStartedTimerIsStoppedAndStandsStill)
{
    TScriptedTimer t;
    EXPECT_TRUE(t.Timer.Stopped);
    EXPECT_EQ(t.Timer.TicksPerSecond, 1000);
    t.Now = 9000;
    const auto v = t.Read();
    EXPECT_EQ(v.Elapsed, 0.0f);
    EXPECT_EQ(v.Time, 0.0);
    EXPECT_EQ(v.Absolute, 0.0);
    t.Timer.Start(); // the clock starts at 0 when first started
    t.Now = 9250;
    const auto w = t.Read();
    EXPECT_DOUBLE_EQ(w.Time, 0.25);
    EXPECT_FLOAT_EQ(w.Elapsed, 0.25f);
    EXPECT_DOUBLE_EQ(w.Absolute, 9.25);
}

TEST(XelTimer, ScriptedRunStopStartSequence)
{
    TScriptedTimer t;
    t.Timer.Reset(); // base 5000
    struct TStep {
        std::int64_t Now;
        char Action; // 'r' read, 's' stop, 'g' go (start)
        double Time;
        float Elapsed;
    };
    const TStep steps[] = {
        {5500, 'r', 0.5, 0.5f}, {5600, 'r', 0.6, 0.1f},
        {6000, 's', 0, 0},      {7000, 'r', 1.0, 0.0f}, // stopped: time stands at the stop, nothing elapses
        {7500, 'r', 1.0, 0.0f}, {8000, 'g', 0, 0},      // the stopped 2 s do not count
        {8200, 'r', 1.2, 0.2f}, {8200, 'r', 1.2, 0.0f},
    };
    for (const TStep& s : steps) {
        t.Now = s.Now;
        if (s.Action == 's') t.Timer.Stop();
        if (s.Action == 'g') t.Timer.Start();
        if (s.Action != 'r') continue;
        const auto v = t.Read();
        EXPECT_NEAR(v.Time, s.Time, 1e-12) << s.Now;
        EXPECT_NEAR(v.Elapsed, s.Elapsed, 1e-6) << s.Now;
        EXPECT_DOUBLE_EQ(v.Absolute, t.Timer.Stopped ? 6.0 : s.Now / 1000.0) << s.Now;
    }
}

TEST(XelTimer, CounterGoingBackGivesNoNegativeElapsed)
{
    TScriptedTimer t;
    t.Timer.Reset();
    t.Now = 4000;
    EXPECT_EQ(t.Read().Elapsed, 0.0f);
}

TEST(XelTimer, ResetWhileStoppedRestartsFromTheStopTime)
{
    TScriptedTimer t;
    t.Timer.Reset();
    t.Now = 6000;
    t.Timer.Stop();
    t.Now = 7000;
    t.Timer.Reset();
    EXPECT_FALSE(t.Timer.Stopped);
    EXPECT_EQ(t.Timer.BaseTime, 6000);
    t.Now = 7100;
    EXPECT_NEAR(t.Read().Time, 1.1, 1e-12);
}

TEST(XelTimer, ZeroFrequencyDoesNotDivideByZero)
{
    TXEL_Timer timer([] { return std::int64_t{10}; }, 0);
    EXPECT_EQ(timer.TicksPerSecond, 1);
}

} // namespace
