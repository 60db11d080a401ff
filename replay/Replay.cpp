#include "Replay.h"

namespace {

// FNV-1a, 32 bits, fed with 32-bit values.
class THash {
public:
    void Add(int64_t Value) {
        const auto v = uint32_t(Value);
        for (int shift = 0; shift < 32; shift += 8) {
            FValue ^= (v >> shift) & 0xffu;
            FValue *= 16777619u;
        }
    }
    template <class TCards> void AddAll(const TCards& Cards) {
        Add(int64_t(Cards.size()));
        for (const int32_t c : Cards)
            Add(c);
    }
    uint32_t Value() const { return FValue; }

private:
    uint32_t FValue = 2166136261u;
};

} // namespace

uint32_t ReplayCheck::Hash(const TSpeedTable& Table, int32_t Score) {
    THash h;
    h.Add(Table.CardsToWin);
    for (const TSpeedRow& row : Table.Rows) {
        h.AddAll(row.Pile);
        h.AddAll(row.Slots);
        h.Add(row.Played);
        h.Add(row.Won ? 1 : 0);
    }
    for (const std::vector<int32_t>& pile : Table.Piles)
        h.AddAll(pile);
    h.Add(Score);
    return h.Value();
}

QString ReplayCheck::CardName(int32_t Card) {
    if (Card < 2 || Card > 53)
        return QStringLiteral("??");
    // The card library's order: clubs, diamonds, spades, hearts, each from the two to the ace.
    static const char Ranks[] = "23456789TJQKA";
    static const char Suits[] = "CDSH";
    const char name[] = {Ranks[(Card - 2) % 13], Suits[(Card - 2) / 13], 0};
    return QString::fromLatin1(name);
}
