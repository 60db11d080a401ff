// Whole games and deals at full speed.
//
// BM_SelfPlayGame: one game per iteration played by the self-play driver, every check on; the
// window hidden (drawing into the card controls only) beside the window shown (each change also
// copied to the screen), so the ratio is what putting it on screen costs.
// BM_Deal: "&Deal" with its two 100-pass shuffles, beside BM_DealShuffles, the two shuffles
// alone, so the ratio shows how much of a deal is shuffling and how much is laying out cards.

#include "bench_table.h"
#include "kscardtable.h"
#include "ksvirtualdeck.h"
#include "selfplay.h"

#include <QPushButton>

namespace {

void BM_SelfPlayGame(benchmark::State& State) {
    const bool show = State.range(0) != 0;
    selfplay::TSelfPlay play(selfplay::TOptions{.Show = show});
    uint64_t seed = 1;
    int64_t games = 0, steps = 0;
    for (auto _ : State) {
        const selfplay::TGameResult r = play.Play(seed++);
        if (!r.Ok()) {
            State.SkipWithError(qPrintable(r.Failure));
            break;
        }
        games += r.Deals;
        steps += r.Steps;
    }
    State.counters["games_per_s"] = benchmark::Counter(double(games), benchmark::Counter::kIsRate);
    State.counters["steps_per_game"] =
        benchmark::Counter(double(steps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SelfPlayGame)
    ->ArgName("shown")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

void SetDecks(TMainForm& Form, int32_t Decks) {
    if (Form.DeckCount() == Decks)
        return;
    Form.SetDeckCount(Decks);
    Form.SetUpDeckSize();
}

void BM_Deal(benchmark::State& State) {
    bench::TBenchTable table(false);
    SetDecks(*table.form, static_cast<int32_t>(State.range(0)));
    for (auto _ : State) {
        table.form->DealBtn->click();
        bench::TBenchTable::Drain();
    }
}
BENCHMARK(BM_Deal)->ArgName("decks")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_DealShuffles(benchmark::State& State) {
    bench::TBenchTable table(false);
    SetDecks(*table.form, static_cast<int32_t>(State.range(0)));
    for (auto _ : State) {
        table.form->CardTable1->PrepareDeck();
        table.form->CardTable2->PrepareDeck();
    }
}
BENCHMARK(BM_DealShuffles)->ArgName("decks")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv);
}
