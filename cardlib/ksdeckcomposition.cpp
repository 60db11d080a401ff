#include "ksdeckcomposition.h"

#include <utility>

uint8_t TKsSuit::GetRank(int32_t Value) const {
    if (Value < 2 || Value > 14)
        return 0;
    return FCounts[static_cast<size_t>(Value - 2)];
}

void TKsSuit::SetRank(int32_t Value, uint8_t Count) {
    if (Value < 2 || Value > 14)
        return;
    FCounts[static_cast<size_t>(Value - 2)] = Count;
}

TKsIncludedCards::TKsIncludedCards() {
    FClubs.SetIDOffset(0);
    FDiamonds.SetIDOffset(13);
    FSpades.SetIDOffset(26);
    FHearts.SetIDOffset(39);
}

void TKsIncludedCards::Assign(const TKsPersistent* Source) {
    const auto* other = dynamic_cast<const TKsIncludedCards*>(Source);
    if (!other)
        AssignError(Source);
    for (int s = 1; s <= 4; ++s)
        for (int v = 2; v <= 14; ++v)
            GetSuit(s).SetRank(v, other->GetSuit(s).GetRank(v));
    FJokers.SetRedJoker(other->FJokers.RedJoker());
    FJokers.SetBlueJoker(other->FJokers.BlueJoker());
}

TKsSuit& TKsIncludedCards::GetSuit(int Number) {
    return const_cast<TKsSuit&>(std::as_const(*this).GetSuit(Number));
}

const TKsSuit& TKsIncludedCards::GetSuit(int Number) const {
    switch (Number) {
    case 2:
        return FDiamonds;
    case 3:
        return FSpades;
    case 4:
        return FHearts;
    default:
        return FClubs;
    }
}

int32_t TKsIncludedCards::CardCount() const {
    int32_t count = FJokers.RedJoker() + FJokers.BlueJoker();
    for (int s = 1; s <= 4; ++s)
        for (int v = 2; v <= 14; ++v)
            count += GetSuit(s).GetRank(v);
    return count;
}

void TKsIncludedCards::FillDeck(std::vector<int32_t>& List) const {
    List.resize(static_cast<size_t>(CardCount()));
    size_t index = 0;
    for (int s = 1; s <= 4; ++s) {
        const TKsSuit& suit = GetSuit(s);
        for (int v = 2; v <= 14; ++v)
            for (int copy = 0; copy < suit.GetRank(v); ++copy)
                List[index++] = v + suit.IDOffset();
    }
    for (int i = 0; i < FJokers.RedJoker(); ++i)
        List[index++] = 54;
    for (int i = 0; i < FJokers.BlueJoker(); ++i)
        List[index++] = 55;
}
