#include "GameRecorder.h"

#include "Records.h"
#include "Settings.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>

namespace {

TStatsClock& StatsClock() {
    static TStatsClock clock;
    return clock;
}

} // namespace

int64_t StatsClockMilliseconds() {
    if (StatsClock())
        return StatsClock()();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

TStatsClockOverride::TStatsClockOverride(TStatsClock NewClock)
    : FPrevious(std::exchange(StatsClock(), std::move(NewClock))) {}

TStatsClockOverride::~TStatsClockOverride() {
    StatsClock() = std::move(FPrevious);
}

template <typename F> void TGameRecorder::Record(F&& Change) {
    FRunning = false;
    if (FHeadToHead) {
        Change(FRecords.Statistics.HeadToHead(FCombination.DeckCount));
        Change(FRecords.Additions.Statistics().HeadToHead(FCombination.DeckCount));
        return;
    }
    Change(FRecords.Statistics.Entry(FCombination));
    Change(FRecords.Additions.Statistics().Entry(FCombination));
}

void TGameRecorder::Started() {
    Abandoned();
    const TRecordedGame game = FGame();
    if (!game.Combination.Valid())
        return;
    FCombination = game.Combination;
    FHeadToHead = game.HeadToHead;
    FStartTime = StatsClockMilliseconds();
    // A Las Vegas total carries the earlier games: a game's score is what it added, less the
    // stake its deal took, as the player saw the total change.
    FStartScore =
        game.GameScore + (FCombination.Scoring == 1 ? LasVegasStake(FCombination.DeckCount) : 0);
    FDealNumber = game.DealNumber;
    FDaysDeal = game.DaysDeal;
    if (FDaysDeal != 0)
        for (TStatistics* s : {&FRecords.Statistics, &FRecords.Additions.Statistics()})
            s->DaysDeal().Tried(FDaysDeal, FDealNumber);
    FRunning = true;
}

void TGameRecorder::Decided(bool HumanWon) {
    if (!FRunning)
        return;
    const TRecordedGame game = FGame();
    if (game.Combination != FCombination || game.HeadToHead != FHeadToHead) {
        Abandoned();
        return;
    }
    if (!HumanWon) {
        Record([](TGameStats& s) { s.Lose(); });
        return;
    }
    const int64_t elapsed = StatsClockMilliseconds() - FStartTime;
    const auto seconds =
        int32_t(std::clamp<int64_t>((elapsed + 999) / 1000, 1, int64_t(INT32_MAX)));
    const auto score =
        int32_t(std::clamp<int64_t>(int64_t(game.GameScore) - FStartScore, INT32_MIN, INT32_MAX));
    Record([&](TGameStats& s) { s.Win(seconds, score, FDealNumber); });
    if (FDaysDeal != 0)
        for (TStatistics* s : {&FRecords.Statistics, &FRecords.Additions.Statistics()})
            if (s->DaysDeal().Day == FDaysDeal)
                s->DaysDeal().Win(seconds, score);
}

void TGameRecorder::Abandoned() {
    if (FRunning)
        Record([](TGameStats& s) { s.Abandon(); });
}
