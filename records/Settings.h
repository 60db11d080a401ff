#pragma once
// The player's settings as one value: what the settings file holds, the options dialog shows
// and returns, and the window applies.

#include "Combination.h"
#include "Level.h"

#include <cstdint>

// How the table is shown; none of it touches the game.
struct TDisplaySettings {
    // 0 Automatic (the screen's own scaling), else the whole window at 100, 150, 200 or 300 %.
    int32_t TableSize = 0;
    bool LargeIndices = false; // corner indices about twice as high
    bool FourColours = false;  // clubs green, diamonds blue
    bool operator==(const TDisplaySettings&) const = default;
};

// The table sizes offered, Automatic first.
inline constexpr int32_t TableSizes[] = {0, 100, 150, 200, 300};
constexpr bool IsTableSize(int32_t Value) {
    for (const int32_t size : TableSizes)
        if (size == Value)
            return true;
    return false;
}

struct TSettings {
    int32_t Scoring = 0;              // 0 Normal, 1 Las Vegas
    int32_t DeckCount = 1;            // 1 or 2
    int32_t Level = TLevel().Index(); // TLevel's number
    bool ShowPlays = true;   // the computer's plays fly to their pile and refused plays flash
    bool FumbleRule = false; // a refused play locks the human's cards for half a second
    // The plays, refusals, turn-overs and results are heard, at a volume of 0 .. 100.
    bool Sound = true;
    int32_t SoundVolume = 80;
    // How fast the plays are shown while ShowPlays is on (off, they are not shown at all).
    int32_t PlaySpeed = 2; // 1 Fast, 2 Normal, 3 Slow
    // The window's last size in screen pixels at no scaling; 0 x 0 for the table size's own.
    int32_t WindowWidth = 0;
    int32_t WindowHeight = 0;
    TDisplaySettings Display;

    // Where this game's results go.
    constexpr TCombination Combination() const { return {DeckCount, Scoring, Level}; }
    bool operator==(const TSettings&) const = default;
};

// The on/off choices and their keys in the settings section. A new choice is a member of
// TSettings or TDisplaySettings and a row in its table, in the order the keys are written: the
// game's after the level, the display's after the table size. Each is read and written alike:
// 1 or 0; a missing key, or anything else in it, reads the default.
enum class TKeyWritten {
    Always, // on every write: the choices the first version wrote
    // Once it leaves its default or the file holds it: a file of a version before the choice
    // stays as it was until the choice is made.
    OnceChosen,
};
template <typename S> struct TSettingsSwitch {
    const char* Key;
    bool S::*Member;
    TKeyWritten Written;
};
inline constexpr TSettingsSwitch<TSettings> SettingsSwitches[] = {
    {"ShowPlays", &TSettings::ShowPlays, TKeyWritten::Always},
    {"FumbleRule", &TSettings::FumbleRule, TKeyWritten::Always},
    {"Sound", &TSettings::Sound, TKeyWritten::OnceChosen},
};
inline constexpr TSettingsSwitch<TDisplaySettings> DisplaySwitches[] = {
    {"LargeIndices", &TDisplaySettings::LargeIndices, TKeyWritten::OnceChosen},
    {"FourColours", &TDisplaySettings::FourColours, TKeyWritten::OnceChosen},
};

// The play speeds offered, and the time a flight, glow or flash takes at each against Normal.
inline constexpr int32_t PlaySpeeds[] = {1, 2, 3};
constexpr int32_t PlaySpeedPercent(int32_t Speed) {
    return Speed == 1 ? 50 : Speed == 3 ? 200 : 100;
}

// What a Las Vegas deal charges.
constexpr int32_t LasVegasStake(int32_t DeckCount) {
    return 25 * DeckCount;
}
