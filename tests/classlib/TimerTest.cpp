#include "classlib/Timer.h"

#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace runtimetest;

namespace {

// Where handler closures died during the running tick: the closure that runs must outlive its own call, also when
// the handler frees its timer or unsets itself.
std::vector<const void*> closuresDestroyed;
struct TClosureWatch {
    ~TClosureWatch() { closuresDestroyed.push_back(this); }
};

// A timer ticks while enabled with an interval and a handler; its handler may change or free it, or throw (the
// tick is reported and the timer goes on).
TEST(Timer, TicksAsSetAndItsHandlerMayChangeFreeOrFailIt)
{
    const struct {
        const char* name;
        std::function<void(TTimer*&)> firstTick;  // what the handler does on the first tick
        int ticksAfter;  // ticks within the quiet period that follows the first; -1: at least 3 more
    } rows[] = {
        {"nothing", [](TTimer*&) {}, -1},
        {"stop", [](TTimer*& t) { t->SetEnabled(false); }, 0},
        {"long interval", [](TTimer*& t) { t->SetInterval(60000); }, 0},
        {"interval 0", [](TTimer*& t) { t->SetInterval(0); }, 0},
        {"unset handler", [](TTimer*& t) { t->SetOnTimer(nullptr); }, 0},
        {"stop and start",
         [](TTimer*& t) {
             t->SetEnabled(false);
             t->SetEnabled(true);
         },
         -1},
        {"free",
         [](TTimer*& t) {
             delete t;
             t = nullptr;
         },
         0},
        {"throw", [](TTimer*&) { throw EConvertError("tick failed"); }, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TReportCapture capture;
        int ticks = 0;
        auto* timer = new TTimer(nullptr);
        timer->SetInterval(10);
        const TClosureWatch watch;
        timer->SetOnTimer([&, watch](TObject* sender) {
            EXPECT_EQ(sender, timer);
            closuresDestroyed.clear();
            if (++ticks == 1) r.firstTick(timer);
            EXPECT_EQ(std::count(closuresDestroyed.begin(), closuresDestroyed.end(), &watch), 0);
        });
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));  // a loaded machine may take its time
        if (r.ticksAfter < 0) {
            EXPECT_TRUE(PumpUntil([&] { return ticks >= 4; }));
        } else {
            PumpFor(150);
            EXPECT_EQ(ticks, 1 + r.ticksAfter);
        }
        delete timer;
        EXPECT_EQ(capture.Reports.size(), std::string(r.name) == "throw" ? 1u : 0u);
    }
}

} // namespace
