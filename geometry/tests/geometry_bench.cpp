// Google Benchmark of the calculation library, built by the bench preset. At the end it
// prints one press of the compute button as a multiple of one snprintf("%.2f").

#include "geometry/belt_search.h"
#include "geometry/centre_distance.h"
#include "geometry/number_text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// Reading must stay linear in the length of what was typed or pasted, spaces included.
void readLongInput(benchmark::State &state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::string text = state.range(1)
                                 ? std::string(length, ' ') + "1,5" + std::string(length, ' ')
                                 : "1," + std::string(length, '7');
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::textToNumber(text, ","));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(readLongInput)->ArgNames({"bytes", "spaces"})->ArgsProduct({{1 << 10, 1 << 20}, {0, 1}});

void snprintfTwoDecimals(benchmark::State &state) {
    double value = 125.74815467065042;
    char text[32];
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::snprintf(text, sizeof text, "%.2f", value);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(snprintfTwoDecimals);

// One press of the compute button without the window: three reads, the calculation, three
// formatted results.
void typedToShown(benchmark::State &state) {
    for (auto _ : state) {
        const double z1 = geometry::textToNumber("36", ",");
        const double z2 = geometry::textToNumber("14", ",");
        const double n = geometry::textToNumber("150", ",");
        benchmark::DoNotOptimize(geometry::formatNumber(
            geometry::centreDistance(z1, z2, n / 2, 5.08), "######.##", ","));
        benchmark::DoNotOptimize(geometry::formatNumber(geometry::ratio(z1, z2), "####.0#", ","));
        benchmark::DoNotOptimize(geometry::formatNumber(geometry::ratio(z2, z1), "###0.0#", ","));
    }
}
BENCHMARK(typedToShown);

// The belts nearest to a distance, over codes 1 to 100,000 and over every code.
void nearestBelts(benchmark::State &state) {
    const auto lastCode =
        static_cast<double>(state.range(0) ? state.range(0) : geometry::largestBeltCode);
    const geometry::BeltProfile &xl = *geometry::readProfile("XL")->profile;
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::nearestBelts(36, 14, xl, 120, 1, lastCode));
}
BENCHMARK(nearestBelts)->ArgName("lastCode")->Arg(100'000)->Arg(0);

// Keeps each benchmark's time per iteration to compare two of them.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto &times = reporter.times;
    if (times.contains("typedToShown") && times.contains("snprintfTwoDecimals"))
        std::printf("one press / one snprintf(\"%%.2f\"): %.2f\n",
                    times.at("typedToShown") / times.at("snprintfTwoDecimals"));
    benchmark::Shutdown();
    return 0;
}
