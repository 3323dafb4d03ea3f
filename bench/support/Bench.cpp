#include "bench/support/Bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

namespace {

std::string GoalText(const TResult& result)
{
    if (!result.HasGoal()) return "-";
    char ratio[32];
    std::snprintf(ratio, sizeof ratio, "<= %g x", result.Case.Goal.Ratio);
    const std::string goal = result.Case.Goal.Text.empty() ? ratio : result.Case.Goal.Text;
    return goal + (result.GoalMet() ? ": met" : ": missed");
}

void PrintCells(const std::string& path, const std::string& measured, const std::string& floor,
                const std::string& ratio, const std::string& goal)
{
    std::printf("| %-48s | %-10s | %-54s | %-18s | %-28s |\n", path.c_str(), measured.c_str(), floor.c_str(),
                ratio.c_str(), goal.c_str());
}

} // namespace

int Rounds(int argc, char** argv, int fallback)
{
    int rounds = fallback;
    if (const char* env = std::getenv("BENCH_ROUNDS")) rounds = std::atoi(env);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::atoi(argv[i + 1]);
    return std::max(rounds, 1);
}

double Seconds(const std::function<void()>& body)
{
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

TResult Compare(const TCase& Case, const std::function<void()>& path, const std::function<void()>& floor,
                int rounds)
{
    return CompareTimed(
        Case, [&] { return Seconds(path); }, [&] { return Seconds(floor); }, rounds);
}

TResult CompareTimed(const TCase& Case, const std::function<double()>& path, const std::function<double()>& floor,
                     int rounds)
{
    path();
    floor();
    std::vector<double> pathSeconds, floorSeconds;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            pathSeconds.push_back(path());
            floorSeconds.push_back(floor());
        } else {
            floorSeconds.push_back(floor());
            pathSeconds.push_back(path());
        }
    }
    return Summarise(Case, std::move(pathSeconds), std::move(floorSeconds));
}

TResult Summarise(const TCase& Case, std::vector<double> pathSeconds, std::vector<double> floorSeconds)
{
    TResult r;
    r.Case = Case;
    for (size_t i = 0; i < pathSeconds.size() && i < floorSeconds.size(); ++i)
        r.Ratios.push_back(floorSeconds[i] > 0 ? pathSeconds[i] / floorSeconds[i] : 0.0);
    r.PathSeconds = std::move(pathSeconds);
    r.FloorSeconds = std::move(floorSeconds);
    r.PathMedian = Median(r.PathSeconds);
    r.FloorMedian = Median(r.FloorSeconds);
    r.RatioMedian = Median(r.Ratios);
    r.RatioMin = r.Ratios.empty() ? 0 : *std::min_element(r.Ratios.begin(), r.Ratios.end());
    return r;
}

void PrintHeader()
{
    PrintCells("path", "measured", "floor", "ratio min / median", "goal");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(50, '-').c_str(), std::string(12, '-').c_str(),
                std::string(56, '-').c_str(), std::string(20, '-').c_str(), std::string(30, '-').c_str());
    std::fflush(stdout);
}

void PrintRow(const TResult& result)
{
    char ratio[48];
    std::snprintf(ratio, sizeof ratio, "%.2f / %.2f", result.RatioMin, result.RatioMedian);
    const auto format = result.Case.Quantity == TQuantity::Bytes ? FormatBytes : FormatSeconds;
    PrintCells(result.Case.Path, format(result.PathMedian), format(result.FloorMedian) + " " + result.Case.Floor,
               ratio, GoalText(result));
    std::fflush(stdout);
}

void Note(const std::string& what, double value, const std::string& unit)
{
    std::printf("  %s: %.3f %s\n", what.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

std::string FormatSeconds(double seconds)
{
    char text[32];
    if (seconds >= 1)
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    return text;
}

std::string FormatBytes(double bytes)
{
    char text[32];
    const double mib = bytes / (1024.0 * 1024.0);
    if (mib >= 1024)
        std::snprintf(text, sizeof text, "%.2f GiB", mib / 1024);
    else
        std::snprintf(text, sizeof text, "%.0f MiB", mib);
    return text;
}

void KeepAlive(const void* p)
{
    // An empty statement the compiler must assume reads p and all memory: the result cannot be dropped.
    asm volatile("" : : "r"(p) : "memory");
}

} // namespace bench
