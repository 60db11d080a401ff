#pragma once
// What this window added to the hall of fame and the statistics since it last read or wrote the
// settings file, and the name last entered for the hall of fame. Each save puts them into the
// file as it is then, so that two copies of the program on one file keep each other's results.

#include "HallOfFame.h"
#include "Statistics.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class TConfigAdditions {
public:
    // An entry this window put into the hall of fame.
    void AddFame(const TCombination& Combination, const TFameEntry& Entry);
    // The latest entry this window made is Score in this combination, saved since or not.
    bool LastFameIs(const TCombination& Combination, int32_t Score) const;

    // The counters this window added; they start at 0 and grow as the window's own do.
    TStatistics& Statistics() { return FStatistics; }
    const TStatistics& Statistics() const { return FStatistics; }
    // The player cleared the statistics: the file's are cleared too at close.
    void ResetStatistics();

    // Hall and Statistics are the file's as it is now; the additions go into them, the
    // entries by the hall of fame's rule (five a table, an equal score below).
    void ApplyTo(THallOfFame& Hall, TStatistics& Statistics) const;
    // Nothing added since the file was last read or written; the last name and the latest
    // entry stay.
    void Clear();

    // The name last entered for the hall of fame, offered by the next name dialog: the one the
    // file held when it was read, or one entered since, which EnterName marks for the file.
    const QString& LastName() const { return FLastName; }
    void SetLastName(const QString& Value) { FLastName = Value; }
    void EnterName(const QString& Name);
    bool NameEntered() const { return FNameEntered; }

private:
    struct TFameAddition {
        TCombination Combination;
        TFameEntry Entry;
    };
    std::vector<TFameAddition> FFame;
    std::optional<TFameAddition> FLastFame;
    TStatistics FStatistics;
    bool FStatisticsReset = false;
    QString FLastName;
    bool FNameEntered = false;
};
