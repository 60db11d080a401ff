#pragma once
// A player without a screen for a window's bottom row: it looks at the table whenever it
// changes, picks a card that fits, and lays it a reaction time later, never sooner than the
// match's rate limit after its last play. It counts its plays, the plays it lost to the other
// side (refused because the pile changed first) and the games it won.

#include "GameEvents.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <optional>
#include <random>

class TMainForm;

class THeadlessPlayer : public QObject {
    Q_OBJECT
public:
    // Reaction: ReactionMs plus up to SpreadMs either side.
    THeadlessPlayer(TMainForm& Form, int ReactionMs, int SpreadMs, uint32_t Seed,
                    QObject* Parent = nullptr);

    // It looks at once after each change it hears of, and besides every PollMs (5 unless set):
    // many players in one process look less often, to spare the machine.
    void SetPollMs(int Value) { FPoll.setInterval(Value); }

    int Plays = 0;
    int LostPiles = 0; // a play that fitted when chosen, refused because the pile changed
    int Held = 0;      // a play refused as too soon after the last
    int Won = 0;
    int Lost = 0;

private:
    void Look();
    void Fire();
    void Heard(const TGameEvent& Event);

    TMainForm& FForm;
    int FReactionMs;
    int FSpreadMs;
    std::mt19937 FRandom;
    QTimer FPoll;
    QTimer FReact;
    QTimer FSoon;
    struct TChoice {
        int Slot;
        int Table;
    };
    std::optional<TChoice> FChosen;
    bool FInFlight = false;
    qint64 FLastPlay = -1000000;
    QElapsedTimer FClock;
};
