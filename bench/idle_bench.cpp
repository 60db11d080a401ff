// CPU used while nothing happens, over 10 s each: the main window open with no game, and the
// window open while the library waits in Pause; beside the reference, a plain window of the same
// size with ten card-sized pictures, idle as long. Goal: under 1 % of one core.

#include "bench_table.h"
#include "kswaittimer.h"

#include <QEventLoop>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <chrono>

namespace {

constexpr int IdleMs = 10000;

template <typename Wait> void MeasureIdle(benchmark::State& State, Wait&& DoWait) {
    double cpuMs = 0, wallMs = 0;
    for (auto _ : State) {
        const double cpuBefore = bench::ProcessCpuMs();
        const auto wallBefore = std::chrono::steady_clock::now();
        DoWait();
        wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallBefore)
                .count();
        cpuMs += bench::ProcessCpuMs() - cpuBefore;
    }
    State.counters["cpu_ms"] = cpuMs;
    State.counters["cpu_percent_of_a_core"] = wallMs > 0 ? 100.0 * cpuMs / wallMs : 0.0;
}

void RunEventLoop(int Milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_IdleWindowNoGame(benchmark::State& State) {
    bench::TBenchTable table(true);
    MeasureIdle(State, [] { RunEventLoop(IdleMs); });
}
BENCHMARK(BM_IdleWindowNoGame)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_IdleInsidePause(benchmark::State& State) {
    bench::TBenchTable table(true);
    MeasureIdle(State, [] { Pause(IdleMs); });
}
BENCHMARK(BM_IdleInsidePause)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_IdleReferenceWindow(benchmark::State& State) {
    QWidget window;
    window.setFixedSize(640, 480);
    for (int i = 0; i < 10; ++i) {
        QPixmap card(71, 96);
        card.fill(QColor::fromHsv(i * 36, 160, 200));
        auto* label = new QLabel(&window);
        label->setPixmap(card);
        label->setGeometry(20 + (i % 5) * 120, 40 + (i / 5) * 220, 71, 96);
    }
    bench::TBenchTable::ShowAndWait(window);
    MeasureIdle(State, [] { RunEventLoop(IdleMs); });
}
BENCHMARK(BM_IdleReferenceWindow)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv);
}
