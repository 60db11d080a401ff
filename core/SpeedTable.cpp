#include "SpeedTable.h"

#include <algorithm>

int32_t SpeedValue(int32_t Card) {
    return Card >= 2 && Card <= 53 ? (Card - 2) % 13 + 2 : 0;
}

int32_t TSpeedTable::Top(int Pile) const {
    if (Pile != 1 && Pile != 2)
        return 0;
    const std::vector<int32_t>& pile = Piles[size_t(Pile - 1)];
    return pile.empty() ? 0 : SpeedValue(pile.back());
}

std::vector<int32_t> TSpeedTable::Cards() const {
    std::vector<int32_t> cards;
    for (const TSpeedRow& r : Rows) {
        cards.insert(cards.end(), r.Pile.begin(), r.Pile.end());
        for (const int32_t c : r.Slots)
            if (c != 0)
                cards.push_back(c);
    }
    for (const auto& p : Piles)
        cards.insert(cards.end(), p.begin(), p.end());
    std::sort(cards.begin(), cards.end());
    return cards;
}

std::array<int32_t, 4> TSpeedTable::SlotValues(TSide Side) const {
    std::array<int32_t, 4> values{};
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = SpeedValue(Row(Side).Slots[i]);
    return values;
}
