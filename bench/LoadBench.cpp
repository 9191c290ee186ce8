#include "BenchMonth.h"

#include <benchmark/benchmark.h>

namespace tallimo::bench {
namespace {

// Loading sets up and computes every row of both tables.
void loadAndComputeBigMonth(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = monthFile(static_cast<int>(state.range(0)));
    BenchView bench;
    for (auto _ : state) {
        bench.view().loadSheet(bytes);
        benchmark::DoNotOptimize(bench.view().sheet().squad.rowCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(loadAndComputeBigMonth)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void storeBigMonth(benchmark::State& state) {
    BenchView bench;
    bench.view().loadSheet(monthFile(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.view().storeSheet());
    }
}
BENCHMARK(storeBigMonth)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tallimo::bench
