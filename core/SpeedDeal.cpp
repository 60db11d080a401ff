#include "SpeedDeal.h"

#include "ksrandom.h"

#include <utility>

namespace SpeedDeal {

namespace {

// Suits in the deck's order (clubs, diamonds, spades, hearts), each rank Decks times.
std::vector<int32_t> FullDeck(int Decks) {
    std::vector<int32_t> cards;
    for (const int32_t offset : {0, 13, 26, 39})
        for (int32_t value = 2; value <= 14; ++value)
            for (int copy = 0; copy < Decks; ++copy)
                cards.push_back(value + offset);
    return cards;
}

constexpr int ShufflePasses = 100;

} // namespace

std::vector<int32_t> Cards(uint64_t Number, int Decks) {
    const TKsDealNumber numbered(Number);
    std::vector<int32_t> dealt;
    for (int side = 0; side < 2; ++side) {
        KsRandomize();
        std::vector<int32_t> deck = FullDeck(Decks);
        const auto n = static_cast<int32_t>(deck.size());
        for (int pass = 0; pass < ShufflePasses; ++pass)
            for (int32_t i = 0; i < n; ++i)
                std::swap(deck[size_t(i)], deck[size_t(KsRandom(n))]);
        // Drawn from the top, the end of the list.
        for (int i = 0; i < PerSide(Decks); ++i)
            dealt.push_back(deck[deck.size() - 1 - size_t(i)]);
    }
    return dealt;
}

TSpeedTable Table(const std::vector<int32_t>& Cards, int Decks, bool Mirrored) {
    TSpeedTable table;
    table.CardsToWin = CardsToWin(Decks);
    size_t next = 0;
    const auto take = [&]() -> int32_t { return next < Cards.size() ? Cards[next++] : 0; };
    for (const int first : {0, 1}) {
        const int row = Mirrored ? 1 - first : first;
        TSpeedRow& r = table.Rows[size_t(row)];
        for (int i = 0; i < PileCards(Decks); ++i)
            r.Pile.push_back(take());
        for (int32_t& slot : r.Slots)
            slot = take();
        if (const int32_t card = take())
            table.Piles[size_t(row)].push_back(card);
    }
    return table;
}

} // namespace SpeedDeal
