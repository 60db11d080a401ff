#pragma once
// A player without a screen for a table's bottom row: it looks at the table whenever it
// changes, picks a card that fits, and lays it a reaction time later, never sooner than the
// match's rate limit after its last play. It counts its plays, the plays it lost to the other
// side (refused because the pile changed first) and the games it won.

#include "GameEvents.h"
#include "SpeedGame.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <random>

class THeadlessPlayer : public QObject {
    Q_OBJECT
public:
    // Reaction: ReactionMs plus up to SpreadMs either side. Play lays a card through the
    // table's entry for its player.
    THeadlessPlayer(TSpeedGame& Game, std::function<void(const TPlay&)> Play, int ReactionMs,
                    int SpreadMs, uint32_t Seed, QObject* Parent = nullptr);

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

    TSpeedGame& FGame;
    std::function<void(const TPlay&)> FPlay;
    int FReactionMs;
    int FSpreadMs;
    std::mt19937 FRandom;
    QTimer FPoll;
    QTimer FReact;
    QTimer FSoon;
    std::optional<TPlay> FChosen;
    bool FInFlight = false;
    qint64 FLastPlay = -1000000;
    QElapsedTimer FClock;
};
