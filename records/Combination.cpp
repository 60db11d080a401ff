#include "Combination.h"

#include "StringRes.h"

#include <array>

QString TCombination::Section() const {
    // Every read and write of the hall of fame and the statistics names one of these twenty:
    // built once, they are handed out shared.
    static const std::array<QString, Count> sections = [] {
        std::array<QString, Count> names;
        for (int32_t i = 0; i < Count; ++i) {
            const TCombination c = FromIndex(i);
            names[size_t(i)] =
                StringRes::FameTitle(c.DeckCount, c.Scoring) + StringRes::LevelSuffix(c.Level);
        }
        return names;
    }();
    if (Valid())
        return sections[size_t(Index())];
    return StringRes::FameTitle(DeckCount, Scoring) + StringRes::LevelSuffix(Level);
}

QString TCombination::Title() const {
    return StringRes::ShownFameTitle(DeckCount, Scoring) + StringRes::ShownLevelSuffix(Level);
}
