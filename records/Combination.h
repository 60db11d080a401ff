#pragma once
// One of the twenty combinations of deck count, scoring style and computer level under which
// the hall of fame and the statistics keep their results. It alone knows their order, their
// index and the section name they go by in the settings file and the lists.

#include "Level.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

struct TCombination {
    int32_t DeckCount = 1;            // 1 or 2
    int32_t Scoring = 0;              // 0 Normal, 1 Las Vegas
    int32_t Level = TLevel().Index(); // TLevel's number

    static constexpr int32_t Count = 2 * 2 * TLevel::Count;

    constexpr bool Valid() const {
        return DeckCount >= 1 && DeckCount <= 2 && Scoring >= 0 && Scoring <= 1 &&
               TLevel::Of(Level).has_value();
    }
    // 0 .. Count - 1 in the order in which the combinations are written and listed; -1 for an
    // invalid one.
    constexpr int32_t Index() const {
        return Valid() ? ((DeckCount - 1) * 2 + Scoring) * TLevel::Count + Level : -1;
    }
    static constexpr TCombination FromIndex(int32_t Index) {
        return {Index / (2 * TLevel::Count) + 1, Index / TLevel::Count % 2, Index % TLevel::Count};
    }
    // "Single Deck - Normal Scoring - Unbeatable" and so on; for an invalid combination the
    // parts that exist.
    QString Section() const;
    // The section's name as the lists show it, in the player's language.
    QString Title() const;

    bool operator==(const TCombination&) const = default;
};

// Calls Visit(Combination) for the twenty combinations in their order.
template <typename F> void ForEachCombination(F&& Visit) {
    for (int32_t i = 0; i < TCombination::Count; ++i)
        Visit(TCombination::FromIndex(i));
}

// One T for each combination; an invalid combination throws std::out_of_range.
template <typename T> class TPerCombination {
public:
    T& operator[](const TCombination& Combination) {
        if (!Combination.Valid())
            throw std::out_of_range("no such combination of decks, scoring and level");
        return FItems[size_t(Combination.Index())];
    }
    const T& operator[](const TCombination& Combination) const {
        return const_cast<TPerCombination&>(*this)[Combination];
    }
    bool operator==(const TPerCombination&) const = default;

private:
    std::array<T, TCombination::Count> FItems{};
};
