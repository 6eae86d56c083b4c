// The benchmark program: every workload as a Google Benchmark, or one workload run exactly
// once (--once=NAME) for counting its instructions under callgrind.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "BenchRegistry.h"

namespace qlx::bench {

std::vector<Workload>& workloads() {
    static std::vector<Workload> all;
    return all;
}

} // namespace qlx::bench

using qlx::bench::Run;
using qlx::bench::Workload;

// The one function whose instructions callgrind counts (--toggle-collect=qlx_bench_once).
extern "C" __attribute__((noinline)) size_t qlx_bench_once(const Run* run) {
    return (*run)();
}

namespace {

const Run& prepared(const Workload& w) {
    static std::map<std::string, std::unique_ptr<Run>> runs;
    auto& slot = runs[w.name];
    if (!slot) slot = std::make_unique<Run>(w.prepare());
    return *slot;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--once=", 7) != 0) continue;
        for (const Workload& w : qlx::bench::workloads()) {
            if (w.name != argv[i] + 7) continue;
            const Run& run = prepared(w);
            std::printf("%s %zu\n", w.name.c_str(), qlx_bench_once(&run));
            return 0;
        }
        std::fprintf(stderr, "no workload %s\n", argv[i] + 7);
        return 2;
    }
    for (const Workload& w : qlx::bench::workloads()) {
        benchmark::RegisterBenchmark(w.name.c_str(), [&w](benchmark::State& state) {
            const Run& run = prepared(w);
            for (auto _ : state)
                benchmark::DoNotOptimize(run());
            state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * w.bytes));
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
