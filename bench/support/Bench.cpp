#include "bench/support/Bench.h"

#include <algorithm>
#include <cstdio>

namespace bench {

Timing Measure(const std::function<void()>& body, int rounds)
{
    using clock = std::chrono::steady_clock;
    body();
    std::vector<double> seconds;
    seconds.reserve(rounds);
    for (int i = 0; i < rounds; ++i) {
        const auto start = clock::now();
        body();
        seconds.push_back(std::chrono::duration<double>(clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds.front(), seconds[seconds.size() / 2]};
}

void Report(const std::string& caseName, double value, const std::string& unit)
{
    std::printf("%-48s %12.3f %s\n", caseName.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

void ReportTiming(const std::string& caseName, const Timing& t)
{
    Report(caseName + " (best)", t.bestSeconds * 1e3, "ms");
    Report(caseName + " (median)", t.medianSeconds * 1e3, "ms");
}

void ReportRatio(const std::string& caseName, const Timing& a, const Timing& b)
{
    Report(caseName, b.medianSeconds > 0 ? a.medianSeconds / b.medianSeconds : 0.0, "x");
}

void KeepAlive(const void* p)
{
    // An empty statement the compiler must assume reads p and all memory: the result cannot be dropped.
    asm volatile("" : : "r"(p) : "memory");
}

} // namespace bench
