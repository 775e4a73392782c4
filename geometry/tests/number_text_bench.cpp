// Google Benchmark of the typed-text path; build with -DINTERASSE_BENCHMARKS=ON.

#include "geometry/centre_distance.h"
#include "geometry/number_text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Reading must stay linear in the length of what was typed or pasted.
void readLongInput(benchmark::State &state) {
    const std::string text = "1," + std::string(static_cast<std::size_t>(state.range(0)), '7');
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::textToNumber(text, ","));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(readLongInput)->Arg(1 << 10)->Arg(1 << 20);

// One press of the compute button without the window: three reads, the calculation, three
// formatted results.
void typedToShown(benchmark::State &state) {
    for (auto _ : state) {
        const double z1 = geometry::textToNumber("36", ",");
        const double z2 = geometry::textToNumber("14", ",");
        const double n = geometry::textToNumber("150", ",");
        benchmark::DoNotOptimize(
            geometry::formatNumber(geometry::centreDistance(z1, z2, n, 5.08), "######.##", ","));
        benchmark::DoNotOptimize(geometry::formatNumber(geometry::ratio(z1, z2), "####.0#", ","));
        benchmark::DoNotOptimize(geometry::formatNumber(geometry::ratio(z2, z1), "###0.0#", ","));
    }
}
BENCHMARK(typedToShown);

} // namespace

BENCHMARK_MAIN();
