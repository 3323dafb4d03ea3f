#include "classlib/FaultBoundary.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

volatile int* volatile nowhere = nullptr;

// A fault ends the call it strikes in, in the innermost boundary; a C++ exception is no fault and passes through.
TEST(FaultBoundary, EndsTheCallAFaultStrikesIn)
{
    std::string trace;
    const auto fault = [&] {
        trace += "f";
        trace += char('0' + *nowhere);
    };
    EXPECT_TRUE(CallInsideFaultBoundary([&] { trace += "r"; }));
    EXPECT_FALSE(CallInsideFaultBoundary(fault));
    EXPECT_TRUE(CallInsideFaultBoundary([&] {
        EXPECT_FALSE(CallInsideFaultBoundary(fault));
        trace += "o";
    }));
    EXPECT_THROW(CallInsideFaultBoundary([] { throw std::runtime_error("thrown"); }), std::runtime_error);
    EXPECT_EQ(trace, "rffo");
}

}  // namespace
