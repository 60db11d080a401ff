#pragma once
// Self-play: whole games on the real main window at full speed. The computer's step is called
// directly instead of waiting for its timer; a bot plays the human side by clicking a legal slot
// (now and then by key) at a random moment between the computer's steps; every message box is
// answered. After every deal, play, posted game message and dialog the table is checked.
//
// Everything a game does follows from its seed: the rules it is played under, both shuffles of
// its deal and every choice of the bot. A failure names the seed that plays it again.

#include "ksdialogs.h"

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

class TMainForm;
class TConfigDirOverride;
class TKsSeedClockOverride;

namespace selfplay {

struct TRules {
    int32_t DeckCount = 1; // 1 or 2
    int32_t Scoring = 0;   // 0 Normal, 1 Las Vegas
    int32_t Level = 2;     // 0 .. 4
};

// The rules a seed plays under: consecutive seeds go through all twenty combinations.
TRules RulesOf(uint64_t Seed);

// The seed of game Index of a run that starts from Base.
uint64_t GameSeed(uint64_t Base, uint64_t Index);

struct TGameResult {
    uint64_t Seed = 0;
    TRules Rules;
    int Deals = 0;     // a "play again?" answered Yes deals the next game at once
    int Decided = 0;   // deals played to a winner
    int HumanWins = 0; // of those, won by the human
    int Steps = 0;     // computer steps
    int HumanPlays = 0;
    int64_t Frames = 0; // frames of flights, glows and flashes drawn
    QString Failure;    // empty when every check held

    bool Ok() const { return Failure.isEmpty(); }
};

class TDriver;

// One main window, its settings in a temporary folder, and the games played on it. Games played
// one after another share the window, as in one long session of the program. It installs the
// process-wide stand-ins for the settings folder, the message boxes and the shuffle clock, so
// only one exists at a time.
struct TOptions {
    // The window is shown (on the offscreen platform, or a real display), so every play is
    // also drawn and copied to the screen.
    bool Show = false;
    // "Show plays" on a shown window: flights, glows and flashes run on a clock of the
    // driver's, which moves a random few milliseconds after every move, so a game goes through
    // every stage of them without waiting for real time.
    bool ShowPlays = false;
    // The fumble rule on: the bot's refused plays lock its cards, on the same clock.
    bool FumbleRule = false;
};

class TSelfPlay {
public:
    explicit TSelfPlay(const TOptions& Options = {});
    ~TSelfPlay();
    TSelfPlay(const TSelfPlay&) = delete;
    TSelfPlay& operator=(const TSelfPlay&) = delete;

    TGameResult Play(uint64_t Seed);
    TMainForm& Form();

    // A fault planted into the next game after the given number of computer steps, for tests
    // that make sure the checks notice.
    enum class TFault {
        None,
        LoseAPileCard,
        DuplicateASlotCard,
        WrongTopCard,
        LeaveBusy,
        SwapTwoSlots
    };
    void PlantFault(TFault Fault, int AfterSteps);

private:
    std::unique_ptr<TDriver> FDriver;
};

} // namespace selfplay
