#include "BenchMonth.h"

#include <benchmark/benchmark.h>

namespace tallimo::bench {
namespace {

void computeAllRowsOfAMonth(benchmark::State& state) {
    BenchView bench;
    bench.view().sheet() = makeMonth(0);
    for (auto _ : state) {
        bench.view().CalculateAllWorkRows();
        benchmark::DoNotOptimize(bench.view().sheet().work.itemText(30, WorkColumn::TimeAndLabor));
    }
    state.SetItemsProcessed(state.iterations() * 31);
}
BENCHMARK(computeAllRowsOfAMonth);

void computeSquadRows(benchmark::State& state) {
    BenchView bench;
    bench.view().sheet() = makeMonth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench.view().CalculateAllSquadRows();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(computeSquadRows)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tallimo::bench
