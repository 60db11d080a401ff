#include "ConfigAdditions.h"

void TConfigAdditions::AddFame(int32_t DeckCount, int32_t Scoring, int32_t Level,
                               const TFameEntry& Entry) {
    FFame.push_back({{DeckCount, Scoring, Level}, Entry});
}

bool TConfigAdditions::LastFameIs(int32_t DeckCount, int32_t Scoring, int32_t Level,
                                  int32_t Score) const {
    if (FFame.empty())
        return false;
    const TFameAddition& last = FFame.back();
    return last.Combination == TCombination{DeckCount, Scoring, Level} &&
           last.Entry.FameScore == Score;
}

void TConfigAdditions::ResetStatistics() {
    FStatistics.Clear();
    FStatisticsReset = true;
}

void TConfigAdditions::ApplyTo(THallOfFame& Hall, TStatistics& Statistics) const {
    for (const TFameAddition& added : FFame)
        InsertFameEntry(Hall.Table(added.Combination), added.Entry);
    if (FStatisticsReset)
        Statistics.Clear();
    Statistics.Merge(FStatistics);
}

void TConfigAdditions::Clear() {
    FFame.clear();
    FStatistics.Clear();
    FStatisticsReset = false;
    FNameEntered = false;
}

void TConfigAdditions::EnterName(const QString& Name) {
    FLastName = Name;
    FNameEntered = true;
}
