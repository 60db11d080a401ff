#include "GameRecorder.h"

#include "ConfigAdditions.h"
#include "OptionsHost.h"
#include "Statistics.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>

namespace {

TStatsClock& Clock() {
    static TStatsClock clock;
    return clock;
}

} // namespace

int64_t StatsClockMilliseconds() {
    if (Clock())
        return Clock()();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

TStatsClockOverride::TStatsClockOverride(TStatsClock NewClock)
    : FPrevious(std::exchange(Clock(), std::move(NewClock))) {}

TStatsClockOverride::~TStatsClockOverride() {
    Clock() = std::move(FPrevious);
}

template <typename F> void TGameRecorder::Record(F&& Change) {
    FRunning = false;
    Change(FHost.Statistics().Entry(FDeckCount, FScoring, FLevel));
    Change(FHost.Additions().Statistics().Entry(FDeckCount, FScoring, FLevel));
}

void TGameRecorder::Started() {
    Abandoned();
    if (!THallOfFame::ValidTable(FHost.DeckCount(), FHost.Scoring(), FHost.Level()))
        return;
    FDeckCount = FHost.DeckCount();
    FScoring = FHost.Scoring();
    FLevel = FHost.Level();
    FStartTime = StatsClockMilliseconds();
    // A Las Vegas total carries the earlier games: a game's score is what it added, less the
    // stake its deal took, as the player saw the total change.
    FStartScore = FHost.GameScore() + (FScoring == 1 ? LasVegasStake(FDeckCount) : 0);
    FRunning = true;
}

void TGameRecorder::Decided(bool HumanWon) {
    if (!FRunning)
        return;
    if (FHost.DeckCount() != FDeckCount || FHost.Scoring() != FScoring || FHost.Level() != FLevel) {
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
    const auto score = int32_t(
        std::clamp<int64_t>(int64_t(FHost.GameScore()) - FStartScore, INT32_MIN, INT32_MAX));
    Record([&](TGameStats& s) { s.Win(seconds, score); });
}

void TGameRecorder::Abandoned() {
    if (FRunning)
        Record([](TGameStats& s) { s.Abandon(); });
}
