#pragma once
// The rules of Speed on card values (2 to 14, the ace highest), for every player of the game: the
// window's human and computer rows, a referee, a headless player. A value of 0 is no card.

#include <array>
#include <cstdint>

namespace SpeedRules {

// Ranks one apart; the ace is next to the two as well as to the king.
bool NextRank(int32_t A, int32_t B);

// The two central piles as a play meets them: their top values, and whether a card is on its way
// to each (a busy pile takes nothing until it lands).
struct TPiles {
    std::array<int32_t, 2> Tops{};
    std::array<bool, 2> Busy{};
};

// Whether pile 1 or 2 takes a card of Value; any other pile takes nothing.
bool Takes(const TPiles& Piles, int Pile, int32_t Value);

// The pile a card of Value is laid on: Wanted (1 or 2) when it takes the card, for Wanted 0 the
// first pile that does; 0 when the card goes nowhere.
int PileFor(const TPiles& Piles, int32_t Value, int Wanted);

// Whether a row whose slots show these values has a card for either pile, whatever is on its way.
bool CanPlay(const std::array<int32_t, 4>& Slots, const std::array<int32_t, 2>& Tops);

} // namespace SpeedRules
