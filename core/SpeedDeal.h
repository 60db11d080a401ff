#pragma once
// Dealing by number: the same number and deck count always deal the same cards, here and on the
// window's card groups (which draw them from this order).

#include "SpeedTable.h"

#include <cstdint>
#include <vector>

namespace SpeedDeal {

// The face-down pile a row is dealt: 21 cards with one deck, 47 with two.
constexpr int PileCards(int Decks) {
    return Decks == 2 ? 47 : 21;
}
// A row's pile, its four slots and its central pile's first card.
constexpr int PerSide(int Decks) {
    return PileCards(Decks) + 5;
}
// The cards a row needs to lay to win.
constexpr int32_t CardsToWin(int Decks) {
    return Decks == 2 ? 51 : 25;
}

// What a deal of Number hands out, in the order it deals them: from a shuffle of the full deck
// (or two) the first side's pile from the bottom, its slots and its central pile's card; then the
// same from a second shuffle for the other side.
std::vector<int32_t> Cards(uint64_t Number, int Decks);

// The table those cards make. The first side is the human's row and central pile 1, or with
// Mirrored (the friend's table seen from across) the top row's and pile 2. Cards shorter than a
// deal leaves the rest empty.
TSpeedTable Table(const std::vector<int32_t>& Cards, int Decks, bool Mirrored = false);

} // namespace SpeedDeal
