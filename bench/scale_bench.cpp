// The table that follows the window, in process. A resize step: the window a few pixels
// larger or smaller near 1920 x 1200, every control placed at the new zoom, the cards drawn
// again from the art for it, and the whole window painted. Goal: under 4 ms of CPU per step.
// A drag frame: a pointer move delivered to the slot the drag started on, the card and the
// pile's ring moved, and the window painted again where they were and are. Goal: under 1 ms.
//
// BM_ResizeStep/1: the window swept between 1800 x 1125 and 1920 x 1200 in steps of 6 x 4,
// the cards drawn from the art once the window rests. BM_ResizeStep/0: drawn from the art at
// every change of zoom (every 20 pixels or so), the worst case.
// BM_ResizeReference: the reference, a window of 40 labels and buttons (about as many
// controls) resized the same way, Qt laying nothing out.
//
// BM_DragFrame: the card swept back and forth between the slot and the right-hand pile, the
// ring coming and going as it passes over the pile.
// BM_MoveLabelReference: the reference, what Qt itself takes to move a 71 x 96 picture in a
// window of the same size and paint the two places.

#include "CardDrag.h"
#include "bench_table.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace {

// Frames per sweep from the slot to the pile and back.
constexpr int Sweep = 40;

QPoint SweepPoint(QPoint From, QPoint To, int64_t Frame) {
    const int64_t step = Frame % (2 * Sweep);
    const double t = double(step < Sweep ? step : 2 * Sweep - step) / Sweep;
    return From + (To - From) * t;
}

// Each step resizes Window a little along the sweep and paints it at once; the time and the
// process's CPU per step are the figures.
void ResizeSweep(benchmark::State& State, QWidget& Window) {
    int64_t step = 0;
    double cpu = 0;
    for (auto _ : State) {
        const int64_t at = SweepPoint(QPoint(0, 0), QPoint(Sweep, 0), ++step).x();
        const double cpuStart = bench::ProcessCpuMs();
        const auto start = std::chrono::steady_clock::now();
        Window.resize(1800 + 3 * int(at), 1125 + 2 * int(at));
        Window.repaint();
        QCoreApplication::processEvents();
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu += bench::ProcessCpuMs() - cpuStart;
    }
    State.counters["cpu_us"] = cpu * 1000.0 / double(std::max<int64_t>(1, step));
}

void BM_ResizeStep(benchmark::State& State) {
    bench::TBenchTable table(true);
    TMainForm& f = *table.form;
    f.DealBtn->click();
    bench::TBenchTable::Drain();
    f.SetTimerEnabled(false);
    // 0: the cards drawn from the art at every change of zoom, never waiting for a rest.
    if (State.range(0) == 0)
        f.SetZoomSettleMs(0);
    ResizeSweep(State, f);
    State.counters["zoom"] = f.Zoom();
}
BENCHMARK(BM_ResizeStep)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

void BM_ResizeReference(benchmark::State& State) {
    QWidget window;
    window.resize(1800, 1125);
    for (int i = 0; i < 40; ++i) {
        QWidget* w = i % 2 ? static_cast<QWidget*>(new QLabel(QStringLiteral("Label"), &window))
                           : new QPushButton(QStringLiteral("Button"), &window);
        w->setGeometry(40 * (i % 10) * 4, 250 * (i / 10), 140, 190);
    }
    bench::TBenchTable::ShowAndWait(window);
    ResizeSweep(State, window);
}
BENCHMARK(BM_ResizeReference)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_DragFrame(benchmark::State& State) {
    bench::TBenchTable table(true);
    TMainForm& f = *table.form;
    f.DealBtn->click();
    bench::TBenchTable::Drain();
    f.SetTimerEnabled(false); // the piles stay as set
    f.CardTable2->CardTop().SetID(5);
    f.CardTable2->CardTop().SetEmpty(false);
    TKsSingleCard* card = f.Play1Card[0]->GetCard(0);
    card->SetID(4);
    card->SetEmpty(false);
    TKsCardGroup* slot = f.Play1Card[0];
    const QPoint from = slot->geometry().center();
    const QPoint to =
        f.CardTable2->geometry().topLeft() + TKsCardTable::PositionOffset(2) + QPoint(35, 48);
    const auto send = [&](QEvent::Type Type, QPoint At, Qt::MouseButton Button,
                          Qt::MouseButtons Held) {
        const QPointF local = slot->mapFrom(&f, At);
        QMouseEvent event(Type, local, slot->mapToGlobal(local), Button, Held, Qt::NoModifier);
        QCoreApplication::sendEvent(slot, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, from - QPoint(0, 30), Qt::NoButton, Qt::LeftButton);
    if (!f.CardDrag->Dragging()) {
        State.SkipWithError("the drag did not start");
        return;
    }
    int64_t frame = 0, ringed = 0;
    double cpu = 0;
    for (auto _ : State) {
        const double cpuStart = bench::ProcessCpuMs();
        const auto start = std::chrono::steady_clock::now();
        send(QEvent::MouseMove, SweepPoint(from, to, ++frame), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu += bench::ProcessCpuMs() - cpuStart;
        ringed += f.CardDrag->Target() == 2;
    }
    // CPU of the whole process (the frame and anything Qt did beside it) per frame.
    State.counters["cpu_us"] = cpu * 1000.0 / double(std::max<int64_t>(1, frame));
    State.counters["ringed"] = double(ringed) / double(std::max<int64_t>(1, frame));
    // A run long enough to reach the pile has shown the ring.
    if (frame >= Sweep && ringed == 0)
        State.SkipWithError("the ring never showed");
    send(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_DragFrame)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_MoveLabelReference(benchmark::State& State) {
    QWidget window;
    window.setFixedSize(632, 453);
    QPixmap picture(71, 96);
    picture.fill(Qt::white);
    QLabel card(&window);
    card.setPixmap(picture);
    card.resize(71, 96);
    bench::TBenchTable::ShowAndWait(window);
    const QPoint from(260, 344), to(311, 168);
    int64_t frame = 0;
    double cpu = 0;
    for (auto _ : State) {
        const double cpuStart = bench::ProcessCpuMs();
        const auto start = std::chrono::steady_clock::now();
        card.move(SweepPoint(from, to, ++frame));
        QCoreApplication::processEvents();
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu += bench::ProcessCpuMs() - cpuStart;
    }
    State.counters["cpu_us"] = cpu * 1000.0 / double(std::max<int64_t>(1, frame));
}
BENCHMARK(BM_MoveLabelReference)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv);
}
