#pragma once
// What the options dialog, the settings file and the hall of fame need from the main window,
// which owns the settings and the game state. The main window implements it.

#include <cstdint>

class TConfigAdditions;
class THallOfFame;
class TStatistics;

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

class TOptionsHost {
public:
    virtual ~TOptionsHost() = default;

    // Scoring style: 0 Normal, 1 Las Vegas.
    virtual int32_t Scoring() const = 0;
    virtual void SetScoring(int32_t Value) = 0;
    // Number of decks: 1 or 2. Setting it does not rebuild the piles; SetUpDeckSize does.
    virtual int32_t DeckCount() const = 0;
    virtual void SetDeckCount(int32_t Value) = 0;
    // Computer level: 0 Unbeatable .. 4 Easy.
    virtual int32_t Level() const = 0;
    virtual void SetLevel(int32_t Value) = 0;

    // No game dealt since start-up or since the last confirmed change of style or deck size.
    virtual bool NewSession() const = 0;
    virtual void SetNewSession(bool Value) = 0;
    // The current result may not (again) enter the hall of fame.
    virtual bool FameRecorded() const = 0;
    virtual void SetFameRecorded(bool Value) = 0;
    virtual bool HumanWon() const = 0;
    virtual int32_t GameScore() const = 0;
    virtual THallOfFame& HallOfFame() = 0;
    virtual TStatistics& Statistics() = 0;
    // What this window added to the hall of fame and the statistics since it read the file.
    virtual TConfigAdditions& Additions() = 0;

    // The computer opponent's timer.
    virtual bool TimerEnabled() const = 0;
    virtual void SetTimerEnabled(bool Value) = 0;
    virtual int32_t TimerInterval() const = 0;
    virtual void SetTimerInterval(int32_t Milliseconds) = 0;

    // "Show plays": the computer's plays fly to their pile and refused plays flash.
    virtual bool ShowPlays() const = 0;
    virtual void SetShowPlays(bool Value) = 0;
    // "Fumble rule": a refused play locks the human's cards for half a second.
    virtual bool FumbleRule() const = 0;
    virtual void SetFumbleRule(bool Value) = 0;

    // Fits the piles and the deck composition to DeckCount.
    virtual void SetUpDeckSize() = 0;

    // The display choices. Setting them shows the card faces in the chosen style at once; the
    // table size is taken at start-up.
    virtual TDisplaySettings Display() const = 0;
    virtual void SetDisplay(const TDisplaySettings& Value) = 0;
    // The table size the running window was started with.
    virtual int32_t StartedTableSize() const = 0;
};

// The computer's pace at a level: 250 ms for Unbeatable up to 1250 ms for Easy.
constexpr int32_t LevelInterval(int32_t Level) {
    return Level * 250 + 250;
}

// What a Las Vegas deal charges.
constexpr int32_t LasVegasStake(int32_t DeckCount) {
    return 25 * DeckCount;
}

// Stops the host's timer for this object's lifetime; when it was running, it is started again
// at the end unless Resume has been turned off.
class TTimerPause {
public:
    explicit TTimerPause(TOptionsHost& Host) : FHost(Host), FWasRunning(Host.TimerEnabled()) {
        FHost.SetTimerEnabled(false);
    }
    ~TTimerPause() {
        if (FWasRunning && FResume)
            FHost.SetTimerEnabled(true);
    }
    TTimerPause(const TTimerPause&) = delete;
    TTimerPause& operator=(const TTimerPause&) = delete;

    bool WasRunning() const { return FWasRunning; }
    bool Resume() const { return FResume; }
    void SetResume(bool Value) { FResume = Value; }

private:
    TOptionsHost& FHost;
    bool FWasRunning;
    bool FResume = true;
};
