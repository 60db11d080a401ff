#include "SpeedTable.h"

int32_t SpeedValue(int32_t Card) {
    return Card >= 2 && Card <= 53 ? (Card - 2) % 13 + 2 : 0;
}

int32_t TSpeedTable::Top(int Pile) const {
    if (Pile != 1 && Pile != 2)
        return 0;
    const std::vector<int32_t>& pile = Piles[size_t(Pile - 1)];
    return pile.empty() ? 0 : SpeedValue(pile.back());
}

std::array<int32_t, 4> TSpeedTable::SlotValues(TSide Side) const {
    std::array<int32_t, 4> values{};
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = SpeedValue(Row(Side).Slots[i]);
    return values;
}
