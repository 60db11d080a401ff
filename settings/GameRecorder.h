#pragma once
// Counts the games in the statistics: a game runs from the confirmation of its deal and counts
// as played when it ends won, lost or abandoned, so that played is always their sum. The
// counters go both to the window's statistics and to what it added since it read the file.

#include <cstdint>
#include <functional>

class TOptionsHost;
struct TGameStats;

// A steady clock in milliseconds, for the time a win took.
using TStatsClock = std::function<int64_t()>;
int64_t StatsClockMilliseconds();

// Replaces the clock for this object's lifetime, so a test can fix how long a game took.
class TStatsClockOverride {
public:
    explicit TStatsClockOverride(TStatsClock Clock);
    ~TStatsClockOverride();
    TStatsClockOverride(const TStatsClockOverride&) = delete;
    TStatsClockOverride& operator=(const TStatsClockOverride&) = delete;

private:
    TStatsClock FPrevious;
};

class TGameRecorder {
public:
    explicit TGameRecorder(TOptionsHost& Host) : FHost(Host) {}

    // The player confirmed the deal: the game runs under the host's settings, and its time
    // starts now. Its score is the change of the host's GameScore from before the stake.
    void Started();
    // The game was decided: HumanWon with the host's GameScore, otherwise lost. A game whose
    // level was changed while it ran counts as abandoned under the level it was dealt at.
    void Decided(bool HumanWon);
    // A new deal or a close while the game ran; nothing when no game runs.
    void Abandoned();
    bool Running() const { return FRunning; }

private:
    template <typename F> void Record(F&& Change);

    TOptionsHost& FHost;
    bool FRunning = false;
    int32_t FDeckCount = 1;
    int32_t FScoring = 0;
    int32_t FLevel = 0;
    int64_t FStartTime = 0;
    int32_t FStartScore = 0;
};
