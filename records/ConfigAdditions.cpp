#include "ConfigAdditions.h"

void TConfigAdditions::AddFame(const TCombination& Combination, const TFameEntry& Entry) {
    FFame.push_back({Combination, Entry});
    FLastFame = FFame.back();
}

bool TConfigAdditions::LastFameIs(const TCombination& Combination, int32_t Score) const {
    return FLastFame && FLastFame->Combination == Combination &&
           FLastFame->Entry.FameScore == Score;
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
