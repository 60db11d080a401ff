#pragma once
// A game's replay as a value: its tags (what was played, by whom, how it ended) and every change
// of the table as it happened, timed from the confirmed deal, with checks of the whole table
// along the way so that a replay played back under other rules stops where they part.

#include "GameEvents.h"
#include "SpeedTable.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

enum class TReplayKind : uint8_t {
    Lay,       // Side, Slot, Table (the pile laid on), Card
    Refill,    // Side, Slot, Card
    Pass,      // one turn-over pass: TurnedFrom and TurnedCards per row
    Refused,   // Side, Slot, Table (the pile asked for), Why, Fits, Card (0 for an empty slot)
    PileTop,   // Side, Card: a face-down pile's next card, learnt from afar
    Decided,   // Side (the winner), Bonus
    Abandoned, //
    Check,     // Hash of the table and the score as they stand
};

struct TReplayEntry {
    int64_t At = 0; // milliseconds from the confirmed deal
    TReplayKind Kind = TReplayKind::Check;
    TSide Side = TSide::Human;
    int Slot = 0;
    int Table = 0;
    int32_t Card = 0;
    TRefusal Why = TRefusal::NoFit;
    bool Fits = false;
    std::array<int, 2> TurnedFrom{-1, -1};
    std::array<int32_t, 2> TurnedCards{};
    int32_t Bonus = 0;
    uint32_t Hash = 0;

    bool operator==(const TReplayEntry&) const = default;
};

struct TReplayTags {
    static constexpr int CurrentFormat = 1;
    // A game's times and length stay within a day.
    static constexpr int64_t MaxMilliseconds = 24LL * 3600 * 1000;

    int Format = CurrentFormat;
    QString Program; // the version that recorded it
    QString Date;    // ISO 8601, UTC
    uint64_t Deal = 0;
    int Decks = 1;
    bool Mirrored = false; // the friend's deal, seen from across
    QString Scoring;
    QString Level;
    bool Fumble = false;
    QString Opponent; // "computer" or "friend"
    QString OpponentName;
    int32_t StartScore = 0; // a Las Vegas total carried in
    QString Result;         // "won", "lost" or "abandoned", as the human's row
    int32_t Score = 0;
    int64_t Duration = 0; // milliseconds, as the decision gave them

    bool operator==(const TReplayTags&) const = default;
};

struct TReplay {
    TReplayTags Tags;
    std::vector<TReplayEntry> Entries;

    bool operator==(const TReplay&) const = default;
};

namespace ReplayCheck {

// A card as the replay's text names it: rank and suit, "7C", "TD", "AH"; "??" for none.
QString CardName(int32_t Card);

// A short hash of everything the table holds (cards, counts, who won) and the score; not who is
// stuck, which follows from the cards whenever it is looked at.
uint32_t Hash(const TSpeedTable& Table, int32_t Score);

} // namespace ReplayCheck
