#pragma once
// The table of a game of Speed as values: each row's face-down pile and four slots, the two
// central piles and the counts. Cards are the card library's IDs (2 .. 53); 0 is no card, or a
// card of the other row's face-down pile that this table has not been shown.

#include "GameEvents.h"

#include <array>
#include <cstdint>
#include <vector>

// A card's rank, 2 .. 14 (the ace highest); 0 for no card.
int32_t SpeedValue(int32_t Card);

struct TSpeedRow {
    std::vector<int32_t> Pile;      // face down, bottom first: back() turns up next
    std::array<int32_t, 4> Slots{}; // 0: an empty slot
    int32_t Played = 0;             // cards laid, and one for each turn-over pass
    bool Stuck = false;             // no slot's card fits either central pile
    bool Won = false;

    bool operator==(const TSpeedRow&) const = default;
};

struct TSpeedTable {
    std::array<TSpeedRow, 2> Rows;             // TSide::Human, TSide::Computer
    std::array<std::vector<int32_t>, 2> Piles; // central piles 1 and 2, back() on top
    int32_t CardsToWin = 0;                    // 0 before the first deal

    TSpeedRow& Row(TSide Side) { return Rows[Side == TSide::Human ? 0 : 1]; }
    const TSpeedRow& Row(TSide Side) const { return Rows[Side == TSide::Human ? 0 : 1]; }
    // The rank on top of central pile 1 or 2; 0 when it is empty.
    int32_t Top(int Pile) const;
    // The ranks a row's slots show.
    std::array<int32_t, 4> SlotValues(TSide Side) const;
    // Every card the table holds, wherever it lies, in order of ID: a deal's cards, whatever
    // was played.
    std::vector<int32_t> Cards() const;

    bool operator==(const TSpeedTable&) const = default;
};
