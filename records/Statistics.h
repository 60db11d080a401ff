#pragma once
// How the player is doing: counters for each of the twenty combinations of deck count,
// scoring style and level, kept in section "Statistics" of the settings file with one
// readable key per combination and counter ("Single Deck - Normal Scoring - Easy: Won=4").

#include "Combination.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class TIniFile;

struct TGameStats {
    int32_t Played = 0; // won, lost or abandoned: a running game is not counted yet
    int32_t Won = 0;
    int32_t Lost = 0;
    int32_t Abandoned = 0;  // a new deal, a close or a change of level while it ran
    int32_t Streak = 0;     // wins since the last lost or abandoned game
    int32_t BestStreak = 0; //
    int32_t FastestWin = 0; // seconds from the confirmation to the winning card; 0 none yet
    int32_t BestScore = 0;  // of won games; 0 none yet (a win always scores)
    int64_t TotalScore = 0; // of won games, for the average
    // The deals of the best score and of the fastest win; 0 unknown (a file of an older
    // version).
    // The deals of the two, 0 when unknown; a match's deal takes 64 bits.
    uint64_t BestScoreDeal = 0;
    uint64_t FastestWinDeal = 0;
    // Only in what a window added since it read the file: a lost or abandoned game ended the
    // streak the file had, so the file's streak does not go on; the wins before it, which
    // went on from the file's streak.
    bool StreakBroken = false;
    int32_t StreakLead = 0;

    void Win(int32_t Seconds, int32_t Score, uint64_t Deal = 0);
    void Lose();
    void Abandon();
    // Adds counters another window added since it read the file.
    void Merge(const TGameStats& Added);

    // Percent of played games that were won, rounded; 0 before the first game.
    int32_t WinRate() const;
    // Average score of won games, rounded; 0 before the first win.
    int32_t AverageScore() const;
    bool Empty() const { return *this == TGameStats{}; }
    // The counters alone: the streak marks are bookkeeping for the merge.
    bool operator==(const TGameStats& Other) const;
};

// The day's deal of the latest day it was played: its tries and its best result.
struct TDaysDealStats {
    int32_t Day = 0; // as DayKey gives it; 0 never played
    int32_t Deal = 0;
    int32_t Played = 0; // dealt and confirmed
    int32_t Won = 0;
    int32_t BestScore = 0;  // 0 none yet
    int32_t FastestWin = 0; // seconds; 0 none yet

    // A try of the deal on Day; a new day starts afresh.
    void Tried(int32_t OnDay, int32_t Number);
    void Win(int32_t Seconds, int32_t Score);
    // Adds what another window added since it read the file: a later day replaces this one.
    void Merge(const TDaysDealStats& Added);
    bool operator==(const TDaysDealStats&) const = default;
};

class TStatistics {
public:
    // The counters of a combination; throws std::out_of_range for an invalid one.
    TGameStats& Entry(const TCombination& Combination) { return FEntries[Combination]; }
    const TGameStats& Entry(const TCombination& Combination) const { return FEntries[Combination]; }
    TGameStats& Entry(int32_t DeckCount, int32_t Scoring, int32_t Level) {
        return Entry({DeckCount, Scoring, Level});
    }
    const TGameStats& Entry(int32_t DeckCount, int32_t Scoring, int32_t Level) const {
        return Entry({DeckCount, Scoring, Level});
    }

    TDaysDealStats& DaysDeal() { return FDaysDeal; }
    const TDaysDealStats& DaysDeal() const { return FDaysDeal; }

    // The games against a person over the network, by deck count (1 or 2); throws
    // std::out_of_range for another.
    TGameStats& HeadToHead(int32_t DeckCount);
    const TGameStats& HeadToHead(int32_t DeckCount) const {
        return const_cast<TStatistics&>(*this).HeadToHead(DeckCount);
    }

    void Clear() {
        FEntries = {};
        FDaysDeal = {};
        FHeadToHead = {};
    }
    // Adds what another window added since it read the file, combination by combination.
    void Merge(const TStatistics& Added);
    bool operator==(const TStatistics&) const = default;

private:
    TPerCombination<TGameStats> FEntries;
    TDaysDealStats FDaysDeal;
    std::array<TGameStats, 2> FHeadToHead{};
};

QString StatisticsSection(); // "Statistics"
// "Head to head - Single Deck", "Head to head - Double Deck": the keys' prefix and the title.
QString HeadToHeadSection(int32_t DeckCount);

// A damaged or negative value reads as 0; the other counters are not affected.
void ReadStatistics(const TIniFile& Ini, TStatistics& Statistics);
// Writes the combinations that were played or that the file already holds.
void WriteStatistics(TIniFile& Ini, const TStatistics& Statistics);

// The lines of the statistics view: the given combination first, then the others in the
// order of the hall of fame; each its section name, its counters and an empty line. The day's
// deal comes first when it was played.
// order of the hall of fame; each its section name, its counters and an empty line. The head-
// to-head games follow, for each deck count that has any.
QStringList StatisticsLines(const TStatistics& Statistics, const TCombination& Current);
