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
    Each([&](TGameStats& s, size_t) { Change(s); });
}

template <typename F> void TGameRecorder::Each(F&& Change) {
    if (FHeadToHead) {
        Change(FRecords.Statistics.HeadToHead(FCombination.DeckCount), 0);
        Change(FRecords.Additions.Statistics().HeadToHead(FCombination.DeckCount), 1);
        return;
    }
    Change(FRecords.Statistics.Entry(FCombination), 0);
    Change(FRecords.Additions.Statistics().Entry(FCombination), 1);
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
    FUnnamed = {};
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
    FUnnamed = {};
    FRunning = false;
    Each([&](TGameStats& s, size_t i) {
        if (FDealNumber == 0)
            FUnnamed[i] = {s.FastestWin == 0 || seconds<s.FastestWin, score> s.BestScore};
        s.Win(seconds, score, FDealNumber);
    });
    if (FDaysDeal != 0)
        for (TStatistics* s : {&FRecords.Statistics, &FRecords.Additions.Statistics()})
            if (s->DaysDeal().Day == FDaysDeal)
                s->DaysDeal().Win(seconds, score);
}

void TGameRecorder::DealRevealed(int32_t Deal) {
    if (FRunning) {
        FDealNumber = Deal;
        return;
    }
    Each([&](TGameStats& s, size_t i) {
        if (FUnnamed[i].Fastest && s.FastestWinDeal == 0)
            s.FastestWinDeal = Deal;
        if (FUnnamed[i].Best && s.BestScoreDeal == 0)
            s.BestScoreDeal = Deal;
    });
    FUnnamed = {};
}

void TGameRecorder::Abandoned() {
    if (FRunning)
        Record([](TGameStats& s) { s.Abandon(); });
}
