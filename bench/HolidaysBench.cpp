#include "calc/EmbeddedHolidayRules.h"
#include "calc/HolidayRules.h"
#include "calc/Holidays.h"

#include <benchmark/benchmark.h>

namespace tallimo::bench {
namespace {

// One region's year, as `tallimo-cli holidays` and a month's day targets ask for it; the rule
// files are parsed on the first call, which the first iteration pays.
void publicHolidaysOfOneYear(benchmark::State& state) {
    int year = 2000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(publicHolidays("DE-BY", year));
        year = year == 2100 ? 2000 : year + 1;
    }
}
BENCHMARK(publicHolidaysOfOneYear);

// The heaviest region: substitute days searched over three years of holidays.
void publicHolidaysWithSubstituteDays(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(publicHolidays("GB-SCT", 2022));
    }
}
BENCHMARK(publicHolidaysWithSubstituteDays);

// What the first call of a process pays once: every shipped rule file parsed.
void parseEveryRuleFile(benchmark::State& state) {
    const auto lookup = [](std::string_view region) -> std::optional<std::string_view> {
        for (const EmbeddedRuleFile& file : embeddedHolidayRules()) {
            if (file.region == region) {
                return file.text;
            }
        }
        return std::nullopt;
    };
    for (auto _ : state) {
        for (const EmbeddedRuleFile& file : embeddedHolidayRules()) {
            benchmark::DoNotOptimize(parseHolidayRules(file.text, lookup));
        }
    }
}
BENCHMARK(parseEveryRuleFile);

} // namespace
} // namespace tallimo::bench
