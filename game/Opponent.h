#pragma once
// Whatever plays a row of cards: the player at the bottom, and at the top the computer, a
// script in the tests or, later, a player elsewhere. A source lays its cards through the
// window's one entry for plays, TMainForm::Play; the rules are checked there, not here.

#include "GameEvents.h"
#include "Level.h"

#include <memory>
#include <optional>

class QTimer;
class TFumbleLock;
class TMainForm;

class TPlaySource {
public:
    virtual ~TPlaySource() = default;
    // The row's plays wait now; a play that comes anyway is refused as held.
    virtual bool Held() const { return false; }
};

// The top row's player. The game starts it when the game runs and wants its plays, and stops
// it while the game waits (a deal, a dialog, a turn-over, the player away) or is decided.
class TOpponent : public TPlaySource {
public:
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // How often the game looks for a stalemate while it runs, and whether it looks now: the
    // computer's pace while it plays (not while held for a dialog or an away player); a friend's
    // game turns over whatever this side's player does.
    virtual int StuckCheckMs() const = 0;
    virtual bool StuckCheckNow() const { return Running(); }
};

// The computer: the window's timer, at the level's pace, runs TMainForm::TimerTimer, whose
// choice is the core's (SpeedRun::ComputerChoice).
class TComputerOpponent : public TOpponent {
public:
    TComputerOpponent(QTimer& Timer, const TLevel& Level);

    void Start() override;
    void Stop() override;
    bool Running() const override;
    int StuckCheckMs() const override;

    // The computer's play on the table now: the lowest slot whose card its own table takes,
    // else the lowest the human's table takes; none when no free table takes any.
    static std::optional<TPlay> Choose(const TMainForm& Form);

private:
    QTimer& FTimer;
};

// The top row's player when no match takes it over, made in one place from the window's settings
// (at start, on a new level, at the end of a match): the computer, on the window's timer at its
// level's pace.
std::unique_ptr<TOpponent> MakeOpponent(TMainForm& Form);

// The player at the bottom, by mouse and keys: a refused play locks the cards under the
// fumble rule, and a locked row's plays wait.
class THumanInput : public TPlaySource {
public:
    explicit THumanInput(TFumbleLock& Lock) : FLock(Lock) {}

    bool Held() const override;
    // Subscribed to the game's events.
    void Heard(const TGameEvent& Event);

private:
    TFumbleLock& FLock;
};
