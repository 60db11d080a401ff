#pragma once
// Counts the games in the statistics: a game runs from the confirmation of its deal and counts
// as played when it ends won, lost or abandoned, so that played is always their sum. The
// counters go both to the window's statistics and to what it added since it read the file.

#include "Combination.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

struct TGameStats;
struct TRecords;

// The game as the recorder sees it: where its results go and the score shown.
struct TRecordedGame {
    TCombination Combination;
    int32_t GameScore = 0;
    uint64_t DealNumber = 0;
    int32_t DaysDeal = 0;    // the day (as DayKey gives it) when this is the day's deal, else 0
    bool HeadToHead = false; // against a person: counted by deck count alone
};

// A steady clock in milliseconds, for the time a win took.
using TStatsClock = std::function<int64_t()>;
int64_t StatsClockMilliseconds();

// A game's time in the statistics: whole seconds, as the end of the game shows it (a second
// begun does not count), and at least 1, since 0 stands for no win yet.
int32_t WinSeconds(int64_t Milliseconds);

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
    // Game tells the game as it is at the moment of asking.
    TGameRecorder(TRecords& Records, std::function<TRecordedGame()> Game)
        : FRecords(Records), FGame(std::move(Game)) {}

    // The player confirmed the deal: the game runs under the current combination. Its score
    // is the change of GameScore from before the stake. A day's deal counts as a try of that
    // day's deal as well.
    void Started();
    // The game was decided: HumanWon with the current GameScore, otherwise lost; Milliseconds
    // from the confirmation to the decision, the time the end of the game shows. A game whose
    // level was changed while it ran counts as abandoned under the level it was dealt at.
    void Decided(bool HumanWon, int64_t Milliseconds);
    // A new deal or a close while the game ran; nothing when no game runs.
    void Abandoned();
    bool Running() const { return FRunning; }
    // The game's deal number came after it was dealt (a guest learns it when the game is
    // over): the running game takes it, or the win just recorded under deal 0 is put down
    // under it. A record already made stays made, whether or not the number ever comes.
    void DealRevealed(uint64_t Deal);

private:
    template <typename F> void Record(F&& Change);
    template <typename F> void Each(F&& Change);

    TRecords& FRecords;
    std::function<TRecordedGame()> FGame;
    bool FRunning = false;
    TCombination FCombination;
    bool FHeadToHead = false;
    int32_t FStartScore = 0;
    uint64_t FDealNumber = 0;
    int32_t FDaysDeal = 0;
    // Per statistics (the window's, then what it added): the last win, recorded under deal 0,
    // set the fastest win or the best score; its time and score.
    struct TUnnamedDeal {
        bool Fastest = false;
        bool Best = false;
    };
    std::array<TUnnamedDeal, 2> FUnnamed{};
    int32_t FUnnamedSeconds = 0;
    int32_t FUnnamedScore = 0;
};
