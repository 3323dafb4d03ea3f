#pragma once
// The benchmark driver pattern: each case is a callable timed over several rounds; the report gives the best and
// the median round, and a figure derived from them (throughput or ratio to a baseline measured the same way).
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Timing {
    double bestSeconds = 0;
    double medianSeconds = 0;
};

// Runs `body` once to warm up, then `rounds` times; returns best and median wall-clock seconds per round.
Timing Measure(const std::function<void()>& body, int rounds = 7);

// One line per figure: "<case>: <value> <unit>", aligned, to standard output.
void Report(const std::string& caseName, double value, const std::string& unit);
void ReportTiming(const std::string& caseName, const Timing& t);
// "a / b" of two median timings: how many times slower `a` is than the floor `b`.
void ReportRatio(const std::string& caseName, const Timing& a, const Timing& b);

// Defeats dead-code elimination of a result the benchmark computes but does not use.
void KeepAlive(const void* p);

} // namespace bench
