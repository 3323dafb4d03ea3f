#include "classlib/Timer.h"

#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"

#include <gtest/gtest.h>

using namespace runtimetest;

namespace {

// What a tick handler does with its timer on its first tick.
struct Case {
    const char* Name;
    std::function<void(TTimer*&)> FirstTick;
    int TicksAfter; // ticks expected within the quiet period that follows (-1: at least 3 more)
};

TEST(Timer, HandlerMayChangeOrFreeItsTimer)
{
    const Case cases[] = {
        {"stop", [](TTimer*& t) { t->SetEnabled(false); }, 0},
        {"long interval", [](TTimer*& t) { t->SetInterval(60000); }, 0},
        {"interval 0", [](TTimer*& t) { t->SetInterval(0); }, 0},
        {"unset handler", [](TTimer*& t) { t->SetOnTimer(nullptr); }, 0},
        {"stop and start", [](TTimer*& t) { t->SetEnabled(false); t->SetEnabled(true); }, -1},
        {"new interval", [](TTimer*& t) { t->SetInterval(5); }, -1},
        {"free", [](TTimer*& t) { delete t; t = nullptr; }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        int ticks = 0;
        auto* timer = new TTimer(nullptr);
        timer->SetInterval(10);
        timer->SetOnTimer([&](TObject* sender) {
            EXPECT_EQ(sender, timer);
            if (++ticks == 1) c.FirstTick(timer);
        });
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));
        if (c.TicksAfter < 0) {
            EXPECT_TRUE(PumpUntil([&] { return ticks >= 4; }));
        } else {
            PumpFor(150);
            EXPECT_EQ(ticks, 1 + c.TicksAfter);
        }
        delete timer;
    }
}

TEST(Timer, TicksOnlyWhenEnabledWithIntervalAndHandler)
{
    struct Row {
        bool Enabled;
        unsigned Interval;
        bool Handler;
        bool Ticks;
    };
    const Row rows[] = {
        {true, 10, true, true},
        {false, 10, true, false},
        {true, 0, true, false},
        {true, 10, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Enabled << ' ' << r.Interval << ' ' << r.Handler);
        int ticks = 0;
        TTimer timer(nullptr);
        timer.SetEnabled(r.Enabled);
        timer.SetInterval(r.Interval);
        if (r.Handler) timer.SetOnTimer([&](TObject*) { ++ticks; });
        if (r.Ticks) {
            EXPECT_TRUE(PumpUntil([&] { return ticks > 0; })); // a loaded machine may take its time
        } else {
            PumpFor(100);
            EXPECT_EQ(ticks, 0);
        }
    }
}

TEST(Timer, ATickThatThrowsIsReportedAndTheTimerGoesOn)
{
    TReportCapture capture;
    int ticks = 0;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.SetOnTimer([&](TObject*) {
        ++ticks;
        throw EConvertError(std::string("tick ").append(IntToStr(ticks)));
    });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    ASSERT_GE(capture.Reports.size(), 2u);
    EXPECT_EQ(capture.Reports[0].Text, "tick 1");
    EXPECT_EQ(capture.Reports[1].Text, "tick 2");
}

TEST(Timer, DiesWithItsOwner)
{
    int ticks = 0;
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    delete owner;
    PumpFor(100);
    EXPECT_EQ(ticks, 0);
}

} // namespace
