#pragma once
// The benchmark drivers' common shape. A measured path always runs against its floor, the least work that gives
// the same result on the same machine (a plain read of the file a load reads, the direct upload of the pixels a
// cache decodes...). The two run in interleaved rounds, path then floor in one round and floor then path in the
// next, so that both see the same machine: another program's build, a cache warmed by the one before. What is
// reported is the ratio path / floor of each round, as its minimum and its median, next to the median times.
//
// Every driver prints its results as rows of one table, under its header:
//
//   | path | measured | floor | ratio min / median | goal |
//
// tools/bench runs all drivers and prints their rows under one header: it keeps the lines that start with "| "
// and are not the header ("| path ...") or its separator ("|---..."). Anything else a driver prints (Note) goes to
// the run's log.
//
// Writing a driver:
//
//   const bench::TResult r = bench::Compare({"WIL decode, 1000 tiles", "memcpy of the rows", 2.5},
//                                           [&] { DecodeAll(); }, [&] { CopyAll(); }, bench::Rounds(argc, argv));
//   bench::PrintHeader();
//   bench::PrintRow(r);
//
// A round that needs untimed work around its body (a fresh cache to fill, a file to delete) uses CompareTimed:
// its two bodies do their own preparation and return the seconds of the part that counts (bench::Seconds).
// Details that belong to no row (sizes, counts, a figure without a floor) go through Note.
//
// Sections: rounds and timing; comparing with a floor; the table; keeping results alive.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// ---- rounds and timing --------------------------------------------------------------------------------------

// The rounds a driver runs: "--rounds N" among the arguments, else BENCH_ROUNDS from the environment, else
// `fallback`. At least 1.
int Rounds(int argc, char** argv, int fallback = 9);

// Wall-clock seconds `body` takes, once.
double Seconds(const std::function<void()>& body);
// The median of the values (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> values);

// ---- comparing with a floor ---------------------------------------------------------------------------------

struct TGoal {
    // The goal's ratio: the path should take at most Ratio times its floor. 0: the row has no goal.
    double Ratio = 0;
    // How the goal reads in the table when it is not "<= Ratio x" (e.g. "<= 20 % more"); empty: that form.
    std::string Text;
};

// What a row's values are: seconds (the rounds' times) or bytes (e.g. a process's peak memory per round).
enum class TQuantity { Seconds, Bytes };

struct TCase {
    std::string Path;   // what is measured, with its size ("map save, 1000 x 1000 (14.8 MB)")
    std::string Floor;  // what it is measured against ("copy, flush and replace of the file")
    TGoal Goal;
    TQuantity Quantity = TQuantity::Seconds;
};

struct TResult {
    TCase Case;
    std::vector<double> PathSeconds;   // per round, in round order
    std::vector<double> FloorSeconds;  // per round, in round order
    std::vector<double> Ratios;        // PathSeconds[i] / FloorSeconds[i]
    double PathMedian = 0, FloorMedian = 0;
    double RatioMin = 0, RatioMedian = 0;

    // The goal is judged by the median ratio: a path that meets it only in its best round has not met it.
    bool HasGoal() const { return Case.Goal.Ratio > 0; }
    bool GoalMet() const { return HasGoal() && RatioMedian <= Case.Goal.Ratio; }
};

// Runs each body once to warm up, then `rounds` rounds of both, alternating which runs first.
TResult Compare(const TCase& Case, const std::function<void()>& path, const std::function<void()>& floor,
                int rounds);
// The same with bodies that return their own seconds (a round's preparation stays outside the time).
TResult CompareTimed(const TCase& Case, const std::function<double()>& path, const std::function<double()>& floor,
                     int rounds);
// The statistics of rounds measured elsewhere (both vectors the same length, at least one round).
TResult Summarise(const TCase& Case, std::vector<double> pathSeconds, std::vector<double> floorSeconds);

// ---- the table ------------------------------------------------------------------------------------------------

// The table's header line and its separator line.
void PrintHeader();
// One row: path, median path value, median floor value (each with the floor's name), ratio min / median, goal and
// whether the median met it.
void PrintRow(const TResult& result);
// A line outside the table: "  <what>: <value> <unit>".
void Note(const std::string& what, double value, const std::string& unit);
// A duration for the table: "12.3 ms", "850 us", "2.41 s".
std::string FormatSeconds(double seconds);
// A size for the table: "281 MiB", "1.19 GiB".
std::string FormatBytes(double bytes);

// ---- keeping results alive ------------------------------------------------------------------------------------

// Defeats dead-code elimination of a result the benchmark computes but does not use.
void KeepAlive(const void* p);

} // namespace bench
