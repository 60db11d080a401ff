#pragma once
// A whole game between two headless players on simulated time: an event queue, no waiting.
// Each row is the Steady computer at a pace, or a person model. Plays are laid as the window
// lays them: the slot refilled at once, the piles turned over whenever both rows are stuck.

#include "PersonModel.h"
#include "SpeedGame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct TSeat {
    bool Person = false;
    int32_t PaceMs = 1000; // Steady: one play (or none) per tick
    TPersonParams Params;  // Person

    static TSeat Steady(int32_t PaceMs) { return {false, PaceMs, {}}; }
    static TSeat Like(const TPersonParams& Params) { return {true, 0, Params}; }
};

struct TTriedPlay {
    int64_t At = 0;
    TPlay Play;
    bool Laid = false;

    bool operator==(const TTriedPlay&) const = default;
};

struct TMatchResult {
    std::optional<TSide> Winner;
    int64_t Milliseconds = 0;
    std::vector<int64_t> ComputerIntervals; // between the computer row's laid cards
    std::vector<TTriedPlay> Plays;          // every play tried, laid or not
    int Illegal = 0; // a person's play refused although the pile it chose for had not changed
    int Races = 0;   // a person's play refused because the pile changed after its choice
};

// The steady computer's choice for either row: its own pile first, then the other, lowest slot.
std::optional<TPlay> SteadyChoice(const TSpeedGame& Game, TSide Side);

// What a person is shown of the table; the identity by default. Tests give it a table whose
// face-down cards are changed.
using TViewOf = std::function<TSpeedTable(const TSpeedTable&)>;

// Plays Table (a deal) between the rows to the end, or to MaxMs of simulated time.
TMatchResult RunMatch(const TSpeedTable& Table, const TSeat& Human, const TSeat& Computer,
                      uint64_t Seed, const TViewOf& View = {}, int64_t MaxMs = 600000);
// A deal by number with one deck.
TMatchResult RunMatch(uint64_t Number, const TSeat& Human, const TSeat& Computer, uint64_t Seed);
