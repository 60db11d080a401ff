// What waiting costs: the process CPU time used while Pause waits, next to the wall time it
// took. The wait sleeps in the event loop until its deadline, so the CPU share stays near zero,
// also while a game timer keeps ticking meanwhile.

#include "bench_table.h"
#include "kswaittimer.h"

#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using bench::ProcessCpuMs;

void BM_Pause(benchmark::State& State) {
    const auto milliseconds = static_cast<int32_t>(State.range(0));
    const auto tickEvery = static_cast<int>(State.range(1));
    QTimer gameTimer;
    int ticks = 0;
    QObject::connect(&gameTimer, &QTimer::timeout, [&ticks] { ++ticks; });
    if (tickEvery > 0)
        gameTimer.start(tickEvery);

    double cpuMs = 0;
    double wallMs = 0;
    for (auto _ : State) {
        const double cpuBefore = ProcessCpuMs();
        const auto wallBefore = std::chrono::steady_clock::now();
        Pause(milliseconds);
        wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallBefore)
                .count();
        cpuMs += ProcessCpuMs() - cpuBefore;
    }
    gameTimer.stop();

    const auto perWait = benchmark::Counter::kAvgIterations;
    State.counters["cpu_ms"] = benchmark::Counter(cpuMs, perWait);
    State.counters["wall_ms"] = benchmark::Counter(wallMs, perWait);
    State.counters["cpu_percent"] = wallMs > 0 ? 100.0 * cpuMs / wallMs : 0.0;
    State.counters["game_ticks"] = benchmark::Counter(ticks, perWait);
}

} // namespace

// Arguments: the wait in milliseconds, and the interval of a game timer running meanwhile
// (0: none).
BENCHMARK(BM_Pause)
    ->ArgNames({"ms", "tick"})
    ->Args({500, 0})
    ->Args({1000, 0})
    ->Args({500, 25})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv);
}
