#pragma once
// The hall of fame: the five best scores for each of the twenty combinations of deck count,
// scoring style and computer level, and its form in the settings file, where each entry is
// "name`score" under the key of its place.

#include "Combination.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class TIniFile;

struct TFameEntry {
    int32_t FameScore = 0;
    QString FameName; // at most FameNameLength characters
    int32_t Deal = 0; // the deal's number; 0 unknown (an older file)

    bool Vacant() const { return FameScore == 0 && FameName.isEmpty(); }
    bool operator==(const TFameEntry&) const = default;
};

constexpr int32_t FamePlaces = 5;
constexpr int32_t FameNameLength = 20;
constexpr QChar FameSeparator = QLatin1Char('`');

// The places 1 to 5 of one combination, best first (index 0 is place 1).
using TFameTable = std::array<TFameEntry, FamePlaces>;

class THallOfFame {
public:
    // Deck count 1..2, scoring 0 (Normal) or 1 (Las Vegas), level 0..4.
    static bool ValidTable(int32_t DeckCount, int32_t Scoring, int32_t Level) {
        return TCombination{DeckCount, Scoring, Level}.Valid();
    }

    // The table of a combination; throws std::out_of_range for an invalid one.
    TFameTable& Table(const TCombination& Combination) { return FTables[Combination]; }
    const TFameTable& Table(const TCombination& Combination) const { return FTables[Combination]; }
    TFameTable& Table(int32_t DeckCount, int32_t Scoring, int32_t Level) {
        return Table({DeckCount, Scoring, Level});
    }
    const TFameTable& Table(int32_t DeckCount, int32_t Scoring, int32_t Level) const {
        return Table({DeckCount, Scoring, Level});
    }
    // One entry, place 1..5.
    TFameEntry& Entry(int32_t DeckCount, int32_t Scoring, int32_t Level, int32_t Place);
    const TFameEntry& Entry(int32_t DeckCount, int32_t Scoring, int32_t Level, int32_t Place) const;

    void Clear();
    bool operator==(const THallOfFame&) const = default;

private:
    TPerCombination<TFameTable> FTables;
};

// Calls Visit(DeckCount, Scoring, Level) for the twenty combinations, in the order in which
// they are written and listed.
template <typename F> void ForEachFameTable(F&& Visit) {
    ForEachCombination([&](const TCombination& c) { Visit(c.DeckCount, c.Scoring, c.Level); });
}

// Puts Entry into Table at the first place whose score is lower (an equal score goes below);
// the later places move down and the last drops out. Null when the entry is too low.
TFameEntry* InsertFameEntry(TFameTable& Table, const TFameEntry& Entry);

// The first Count characters of Text, never splitting a character outside the basic plane.
QString LeftChars(const QString& Text, qsizetype Count);

// One value of the file as an entry: the name before the first separator, cut to 20
// characters, and the score after it (0 when it is not a number); without a separator the
// whole value is the score; an empty value is a vacant entry.
TFameEntry ParseFameValue(const QString& Value);
// An entry as a value of the file: name, separator, score.
QString FormatFameValue(const TFameEntry& Entry);

// The deal numbers go under extra keys "Deal 1" to "Deal 5", written once they hold one.
void ReadHallOfFame(const TIniFile& Ini, THallOfFame& HallOfFame);
void WriteHallOfFame(TIniFile& Ini, const THallOfFame& HallOfFame);

// The lines of the hall-of-fame list: for every combination its section name, the heading,
// five places and an empty line; 160 lines in all.
QStringList HallOfFameLines(const THallOfFame& HallOfFame);
