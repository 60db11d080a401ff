#include "Combination.h"

#include "StringRes.h"

#include <array>

namespace {

// The level's part of a section name; an invalid level has none.
QString LevelPart(int32_t Level, QString (TLevel::*Suffix)() const) {
    const std::optional<TLevel> level = TLevel::Of(Level);
    return level ? ((*level).*Suffix)() : QString();
}

} // namespace

QString TCombination::Section() const {
    // Every read and write of the hall of fame and the statistics names one of these twenty:
    // built once, they are handed out shared.
    static const std::array<QString, Count> sections = [] {
        std::array<QString, Count> names;
        ForEachCombination([&](const TCombination& c) {
            names[size_t(c.Index())] = StringRes::FameTitle(c.DeckCount, c.Scoring) +
                                       LevelPart(c.Level, &TLevel::SectionSuffix);
        });
        return names;
    }();
    if (Valid())
        return sections[size_t(Index())];
    return StringRes::FameTitle(DeckCount, Scoring) + LevelPart(Level, &TLevel::SectionSuffix);
}

QString TCombination::Title() const {
    return StringRes::ShownFameTitle(DeckCount, Scoring) +
           LevelPart(Level, &TLevel::ShownSectionSuffix);
}
