#pragma once
// A whole game without a window: a deal by number and a list of timed plays, played on the core
// as the window plays them (each laid card's slot refilled at once, the piles turned over
// whenever both rows are stuck), deterministically. Headless players, benchmarks and checks of
// the window run on it.

#include "SpeedGame.h"

#include <cstdint>
#include <optional>
#include <vector>

// A play and when it was made, in milliseconds from the start of the game.
struct TTimedPlay {
    int64_t At = 0;
    TPlay Play;
};

namespace SpeedRun {

// The computer's play on the table now: the lowest slot whose card its own pile (2) takes, else
// the lowest pile 1 takes; none when no free pile takes any.
std::optional<TPlay> ComputerChoice(const TSpeedGame& Game);

// Turns the piles over while both rows are stuck, as often as it takes: nobody can play
// meanwhile.
void Settle(TSpeedGame& Game);

// Lays Play if the rules take it (not held), refills its slot and settles the table.
bool PlayAndRefill(TSpeedGame& Game, TPlay Play);

struct TResult {
    TSpeedTable Table;
    int32_t Score = 0;
    std::optional<TSide> Winner;
    int Laid = 0;
    int Refused = 0;
};

// Deals Number with Decks, begins, and plays Plays in the order of their times until the game
// is decided or the plays run out; a decided game is scored with Bonus.
TResult Run(uint64_t Number, int Decks, const std::vector<TTimedPlay>& Plays, int32_t Bonus = 0);

} // namespace SpeedRun
