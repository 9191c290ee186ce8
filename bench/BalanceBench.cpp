#include "BenchMonth.h"
#include "document/OvertimeBalance.h"
#include "document/TimeSheetFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tallimo::bench {
namespace {

// Ten years of months in a folder of their own, one file each, with a few stand-by periods.
class TenYears {
public:
    TenYears() {
        char pattern[] = "/tmp/tallimo-bench-XXXXXX";
        folder = ::mkdtemp(pattern);
        for (int i = 0; i < kMonths; ++i) {
            const int year = 2014 + i / 12;
            const int month = i % 12 + 1;
            char name[32];
            std::snprintf(name, sizeof name, "/%04d-%02d.time", year, month);
            const auto bytes = storeTimeSheet(makeMonth(4, year, month));
            std::FILE* file = std::fopen((folder + name).c_str(), "wb");
            if (file == nullptr ||
                std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
                std::fclose(file) != 0) {
                std::abort();
            }
        }
    }
    ~TenYears() { std::filesystem::remove_all(folder); }

    std::vector<std::string> paths() const {
        std::vector<std::string> found;
        listMonthFiles(folder, found);
        return found;
    }

    static constexpr int kMonths = 120;
    std::string folder;
};

// What 'tallimo-cli balance FOLDER' does: list the folder, read every month once, add up.
void balanceOfTenYears(benchmark::State& state) {
    static const TenYears months;
    for (auto _ : state) {
        const Balance balance = computeBalance(MonthFileCache().read(months.paths()), 0, {});
        benchmark::DoNotOptimize(balance.total);
    }
    state.SetItemsProcessed(state.iterations() * TenYears::kMonths);
}
BENCHMARK(balanceOfTenYears)->Unit(benchmark::kMillisecond);

// What the desktop does after a change of the open month: the other months come from the cache.
void balanceAfterAChange(benchmark::State& state) {
    static const TenYears months;
    MonthFileCache cache;
    cache.read(months.paths());
    const TimeSheet open = makeMonth(4, 2023, 12);
    const std::string path = months.folder + "/2023-12.time";
    for (auto _ : state) {
        const Balance balance = openMonthBalance(cache.read(months.paths()),
                                                 openMonthFile(open, path, monthTotals(open)), 0);
        benchmark::DoNotOptimize(balance.total);
    }
}
BENCHMARK(balanceAfterAChange)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tallimo::bench
