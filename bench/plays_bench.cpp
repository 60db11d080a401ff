// Seeing the plays: what the computer's flying card and the pile's glow cost, on a shown main
// window with the game's timer stopped, each beside its reference in the same run.
//
// BM_ComputerPlayFlight: one computer play and everything it shows, until nothing moves.
//   cpu_ms_per_frame (goal < 1), flight_fps (goal the screen's 60), frames per play; the play's
//   own CPU apart (play_cpu_ms) and the frames' without it (frame_cpu_ms_per_frame).
// BM_MovingPictureReference: what Qt itself takes to move one 71 x 96 picture across a window
//   of the same size on the same 60 Hz beat for as long as a flight.
// BM_IdleAfterPlays: CPU over 3 s once the last glow has gone (goal 0), beside
// BM_IdleReferenceWindow3s, a plain window of the same size idle as long.

#include "PlayAnimator.h"
#include "bench_table.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QEventLoop>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point Start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - Start).count();
}

void Deal(TMainForm& F) {
    F.DealBtn->click();
    bench::TBenchTable::Drain();
    F.Timer->stop();
}

// The computer's first slot gets a card that fits its own pile, on a running game: a new deal
// when the last one has ended, and no part of the play.
void PrepareComputerPlay(TMainForm& F) {
    bench::TBenchTable::Drain();
    F.Timer->stop(); // a turn-over in the refill starts it again
    if (F.ComputerPlayed() >= 20 || !F.GameRunning())
        Deal(F);
    const int32_t top = F.CardTable2->CardTop().Value();
    TKsSingleCard* card = F.Play2Card[0]->GetCard(0);
    card->SetID(top == 14 ? 13 : top + 1);
    card->SetEmpty(false);
    bench::TBenchTable::Drain();
}

// The computer plays that card.
void ComputerPlay(TMainForm& F) {
    F.WMComputerPlayed(F.Play2Card[0]); // finds the slot full and the computer able to play
    F.TimerTimer();
}

// Handles events as they come until Done, as the application's own loop would.
template <typename Done> void RunUntil(Done&& IsDone) {
    while (!IsDone())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

void BM_ComputerPlayFlight(benchmark::State& State) {
    bench::TBenchTable table(true);
    TMainForm& f = *table.form;
    Deal(f);
    double cpuMs = 0, flightCpuMs = 0, flightMs = 0, playCpuMs = 0;
    int64_t frames = 0, flightFrames = 0, plays = 0;
    for (auto _ : State) {
        State.PauseTiming();
        PrepareComputerPlay(f);
        State.ResumeTiming();
        const double cpu = bench::ProcessCpuMs();
        const int64_t first = f.Animator->Frames();
        const auto start = Clock::now();
        ComputerPlay(f);
        playCpuMs += bench::ProcessCpuMs() - cpu;
        RunUntil([&] { return !f.Animator->Flying(); });
        flightMs += MsSince(start);
        flightCpuMs += bench::ProcessCpuMs() - cpu;
        flightFrames += f.Animator->Frames() - first;
        RunUntil([&] { return !f.Animator->Active(); });
        cpuMs += bench::ProcessCpuMs() - cpu;
        frames += f.Animator->Frames() - first;
        ++plays;
    }
    State.counters["cpu_ms_per_frame"] = frames ? cpuMs / double(frames) : 0.0;
    // The play itself (the game's move and the cards it redraws, drawn whether or not plays
    // are shown), and what the frames alone cost.
    State.counters["play_cpu_ms"] = plays ? playCpuMs / double(plays) : 0.0;
    State.counters["frame_cpu_ms_per_frame"] = frames ? (cpuMs - playCpuMs) / double(frames) : 0.0;
    // The play itself and the flight's frames, then the glow's.
    State.counters["flight_cpu_ms_per_frame"] =
        flightFrames ? flightCpuMs / double(flightFrames) : 0.0;
    State.counters["glow_cpu_ms_per_frame"] =
        frames > flightFrames ? (cpuMs - flightCpuMs) / double(frames - flightFrames) : 0.0;
    State.counters["flight_fps"] = flightMs > 0 ? 1000.0 * double(flightFrames) / flightMs : 0.0;
    State.counters["frames_per_play"] = plays ? double(frames) / double(plays) : 0.0;
}
BENCHMARK(BM_ComputerPlayFlight)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_MovingPictureReference(benchmark::State& State) {
    QWidget window;
    window.setFixedSize(632, 453);
    QPixmap card(71, 96);
    card.fill(QColor(240, 240, 230));
    auto* label = new QLabel(&window);
    label->setPixmap(card);
    label->setGeometry(354, 24, 71, 96);
    bench::TBenchTable::ShowAndWait(window);
    double cpuMs = 0, wallMs = 0;
    int64_t frames = 0;
    for (auto _ : State) {
        const double cpu = bench::ProcessCpuMs();
        const auto start = Clock::now();
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        int step = 0;
        QObject::connect(&beat, &QTimer::timeout, [&] {
            ++step;
            label->move(354 - step * 8, 24 + step * 16);
            label->repaint();
            ++frames;
        });
        beat.start(16);
        RunUntil([&] { return step >= 9; });
        beat.stop();
        label->move(354, 24);
        wallMs += MsSince(start);
        cpuMs += bench::ProcessCpuMs() - cpu;
    }
    State.counters["cpu_ms_per_frame"] = frames ? cpuMs / double(frames) : 0.0;
    State.counters["flight_fps"] = wallMs > 0 ? 1000.0 * double(frames) / wallMs : 0.0;
}
BENCHMARK(BM_MovingPictureReference)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

constexpr int IdleMs = 3000;

void MeasureIdle(benchmark::State& State) {
    double cpuMs = 0, wallMs = 0;
    for (auto _ : State) {
        const double cpu = bench::ProcessCpuMs();
        const auto start = Clock::now();
        QEventLoop loop;
        QTimer::singleShot(IdleMs, &loop, &QEventLoop::quit);
        loop.exec();
        wallMs += MsSince(start);
        cpuMs += bench::ProcessCpuMs() - cpu;
    }
    State.counters["cpu_ms"] = cpuMs;
    State.counters["cpu_percent_of_a_core"] = wallMs > 0 ? 100.0 * cpuMs / wallMs : 0.0;
}

void BM_IdleAfterPlays(benchmark::State& State) {
    bench::TBenchTable table(true);
    TMainForm& f = *table.form;
    Deal(f);
    for (int i = 0; i < 3; ++i) {
        PrepareComputerPlay(f);
        ComputerPlay(f);
        RunUntil([&] { return !f.Animator->Active(); });
    }
    bench::TBenchTable::Drain();
    f.Timer->stop();
    MeasureIdle(State);
}
BENCHMARK(BM_IdleAfterPlays)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_IdleReferenceWindow3s(benchmark::State& State) {
    QWidget window;
    window.setFixedSize(632, 453);
    bench::TBenchTable::ShowAndWait(window);
    MeasureIdle(State);
}
BENCHMARK(BM_IdleReferenceWindow3s)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv);
}
