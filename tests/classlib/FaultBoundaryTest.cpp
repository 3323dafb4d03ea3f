#include "classlib/FaultBoundary.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

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

bool ClaimsCode(const EXCEPTION_RECORD& Record, const void* Code) noexcept
{
    return Record.ExceptionCode == *static_cast<const DWORD*>(Code);
}

// A boundary with a claim ends the faults its claim claims and lets any other go on up; each of two nested
// boundaries asks its own claim. A boundary without one, outermost, ends what the two let pass.
TEST(FaultBoundary, AClaimEndsOnlyTheFaultsItClaims)
{
    const DWORD inner = EXCEPTION_ACCESS_VIOLATION, outer = EXCEPTION_INT_DIVIDE_BY_ZERO;
    const std::pair<DWORD, const char*> rows[] = {
        {inner, "inner"}, {outer, "outer"}, {EXCEPTION_ILLEGAL_INSTRUCTION, "outermost"}};
    for (const auto& [code, endedBy] : rows) {
        std::string ended = "none";
        const auto level = [&](const char* name, const DWORD* claimed, const auto& call) {
            if (!(claimed ? CallInsideFaultBoundary({&ClaimsCode, claimed}, call) : CallInsideFaultBoundary(call)))
                ended = name;
        };
        level("outermost", nullptr, [&] {
            level("outer", &outer, [&] { level("inner", &inner, [&] { RaiseException(code, 0, 0, nullptr); }); });
        });
        EXPECT_EQ(ended, endedBy) << std::hex << code;
    }
}

}  // namespace
