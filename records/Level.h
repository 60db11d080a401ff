#pragma once
// The computer's level: what it is called, how fast the computer plays, what a win at it is
// worth and which hall-of-fame and statistics sections it goes by. The settings file and the
// records keep it as a number (0 Unbeatable .. 4 Easy); every decision made from that number
// is made here.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class TLevel {
public:
    static constexpr int32_t Count = 5;

    // Hard, the level of a new player and of a stored number that names none.
    constexpr TLevel() = default;

    // The level a stored number names; none for any other number.
    static constexpr std::optional<TLevel> Of(int32_t Number) {
        if (Number < 0 || Number >= Count)
            return std::nullopt;
        return TLevel(Number);
    }
    // The five, Unbeatable first, as the options list them and the records order them.
    static constexpr std::array<TLevel, Count> All() {
        std::array<TLevel, Count> levels;
        for (int32_t i = 0; i < Count; ++i)
            levels[size_t(i)] = TLevel(i);
        return levels;
    }

    // The number it is stored as.
    constexpr int32_t Index() const { return FIndex; }
    // One card every 250 ms for Unbeatable up to every 1250 ms for Easy.
    constexpr int32_t PaceMs() const { return FIndex * 250 + 250; }
    // What a win adds: 500 for Unbeatable down to 100 for Easy.
    constexpr int32_t Bonus() const { return (Count - FIndex) * 100; }

    // "Unbeatable" .. "Easy" in the player's language.
    QString Name() const;
    // The end of its section names in the settings file, " - Unbeatable" and so on, English in
    // every language.
    QString SectionSuffix() const;
    // The same as the lists show it, in the player's language.
    QString ShownSectionSuffix() const;

    constexpr bool operator==(const TLevel&) const = default;

private:
    constexpr explicit TLevel(int32_t Index) : FIndex(Index) {}

    int32_t FIndex = 2;
};
