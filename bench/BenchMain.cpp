#include "BenchMonth.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

// "tallimo_bench --write-month PATH ROWS" writes the benchmark's month for whole-process
// measurements; otherwise the benchmarks run. Month texts are local time: Europe/Berlin unless
// TZ says otherwise.
int main(int argc, char** argv) {
    setenv("TZ", std::getenv("TZ") ? std::getenv("TZ") : "Europe/Berlin", 1);
    tzset();
    if (argc == 4 && std::strcmp(argv[1], "--write-month") == 0) {
        const auto bytes = tallimo::bench::monthFile(std::atoi(argv[3]));
        std::FILE* file = std::fopen(argv[2], "wb");
        const bool written =
            file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        const bool closed = file != nullptr && std::fclose(file) == 0;
        return written && closed ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
